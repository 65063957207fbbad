#include "sim/PseudoTerminal.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace selvir::sim {

bool PseudoTerminal::open(std::string* error) {
    close();
    char name[256] = {};
    termios raw{};
    cfmakeraw(&raw);
    cfsetispeed(&raw, B115200);
    cfsetospeed(&raw, B115200);
    if (::openpty(&master_, &slave_, name, &raw, nullptr) != 0) {
        if (error) {
            *error = std::string("cannot open a pseudo-terminal: ") + std::strerror(errno);
        }
        master_ = slave_ = -1;
        return false;
    }
    const int flags = ::fcntl(master_, F_GETFL);
    ::fcntl(master_, F_SETFL, flags | O_NONBLOCK);
    ::fcntl(master_, F_SETFD, FD_CLOEXEC);
    ::fcntl(slave_, F_SETFD, FD_CLOEXEC);
    slavePath_ = name;
    return true;
}

void PseudoTerminal::close() {
    if (slave_ >= 0) {
        ::close(slave_);
        slave_ = -1;
    }
    if (master_ >= 0) {
        ::close(master_);
        master_ = -1;
    }
}

long PseudoTerminal::write(std::string_view bytes) {
    if (master_ < 0) {
        return -1;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            break; // queue full (EAGAIN) or other failure: the rest is lost
        }
    }
    return static_cast<long>(done);
}

std::string PseudoTerminal::readAvailable() {
    std::string bytes;
    if (master_ < 0) {
        return bytes;
    }
    char chunk[4096];
    while (true) {
        const ssize_t n = ::read(master_, chunk, sizeof chunk);
        if (n > 0) {
            bytes.append(chunk, static_cast<std::size_t>(n));
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            break;
        }
    }
    return bytes;
}

} // namespace selvir::sim
