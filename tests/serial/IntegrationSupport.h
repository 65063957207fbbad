#pragma once
// Helpers of the serial integration tests: a raw pseudo-terminal pair, waiting on Qt's event loop,
// and the process's CPU time.

#include "support/EventLoop.h"

#include <QThread>
#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <pty.h>
#include <string>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>

namespace selvir::test {

class PtyPair {
public:
    PtyPair() {
        termios raw{};
        cfmakeraw(&raw);
        char name[256] = {};
        if (::openpty(&master_, &slave_, name, &raw, nullptr) == 0) {
            ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
            path_ = name;
        }
    }
    ~PtyPair() { closeAll(); }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool ok() const { return master_ >= 0; }
    const std::string& slavePath() const { return path_; }
    void write(const std::string& bytes) const {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
            if (n <= 0) {
                break;
            }
            done += static_cast<std::size_t>(n);
        }
    }
    std::string read() const {
        std::string bytes;
        char chunk[1024];
        ssize_t n = 0;
        while ((n = ::read(master_, chunk, sizeof chunk)) > 0) {
            bytes.append(chunk, static_cast<std::size_t>(n));
        }
        return bytes;
    }
    // Waits until the kernel has moved `bytes` written on the master to the slave's input queue (the pty
    // hands them over asynchronously). Returns false after the time-out.
    bool waitQueuedOnSlave(int bytes, int timeoutMs) const {
        for (int waited = 0; waited < timeoutMs; ++waited) {
            int queued = 0;
            if (::ioctl(slave_, FIONREAD, &queued) == 0 && queued >= bytes) {
                return true;
            }
            QThread::msleep(1);
        }
        return false;
    }
    // The line settings the kernel holds for the pair (set through the slave by whoever opened it).
    termios settings() const {
        termios t{};
        ::tcgetattr(slave_, &t);
        return t;
    }
    // Both ends gone: whoever holds the slave sees the device vanish.
    void closeAll() {
        if (slave_ >= 0) {
            ::close(slave_);
            slave_ = -1;
        }
        if (master_ >= 0) {
            ::close(master_);
            master_ = -1;
        }
    }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
};

// User plus system CPU time of this process, seconds.
inline double cpuSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace selvir::test
