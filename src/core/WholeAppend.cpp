#include "core/WholeAppend.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#include <share.h>
#else
#include <unistd.h>
#endif

namespace selvir {
namespace {

#ifdef _WIN32
using Offset = long long;
int openFile(const std::filesystem::path& file, bool create) {
    int fd = -1;
    const int flags = _O_RDWR | _O_APPEND | _O_BINARY | (create ? _O_CREAT | _O_EXCL : 0);
    _wsopen_s(&fd, file.c_str(), flags, _SH_DENYNO, _S_IREAD | _S_IWRITE);
    return fd;
}
Offset fileSize(int fd) {
    return _lseeki64(fd, 0, SEEK_END);
}
bool lastByte(int fd, Offset size, char& byte) {
    return _lseeki64(fd, size - 1, SEEK_SET) == size - 1 && _read(fd, &byte, 1) == 1;
}
long long writeSome(int fd, const char* data, std::size_t size) {
    return _write(fd, data, static_cast<unsigned>(size));
}
bool cutBack(int fd, Offset size) {
    return _chsize_s(fd, size) == 0;
}
void closeFile(int fd) {
    _close(fd);
}
#else
using Offset = off_t;
int openFile(const std::filesystem::path& file, bool create) {
    const int flags = O_RDWR | O_APPEND | O_CLOEXEC | (create ? O_CREAT | O_EXCL : 0);
    return ::open(file.c_str(), flags, 0666);
}
Offset fileSize(int fd) {
    struct stat st {};
    return ::fstat(fd, &st) == 0 ? st.st_size : -1;
}
bool lastByte(int fd, Offset size, char& byte) {
    return ::pread(fd, &byte, 1, size - 1) == 1;
}
long long writeSome(int fd, const char* data, std::size_t size) {
    return ::write(fd, data, size);
}
bool cutBack(int fd, Offset size) {
    return ::ftruncate(fd, size) == 0;
}
void closeFile(int fd) {
    ::close(fd);
}
#endif

bool noSpace(int error) {
    return error == ENOSPC || error == EROFS || error == EFBIG
#ifdef EDQUOT
           || error == EDQUOT
#endif
        ;
}

WholeAppendResult failure(WholeAppendResult::Kind kind, int error) {
    WholeAppendResult result;
    result.kind = kind;
    result.outOfSpace = noSpace(error);
    result.reason = std::strerror(error);
    return result;
}

} // namespace

WholeAppendResult appendWhole(const std::filesystem::path& file, std::string_view text,
                              std::string_view whenEmpty, std::string_view lineBreak) {
    bool created = false;
    int fd = openFile(file, false);
    if (fd < 0 && errno == ENOENT) {
        fd = openFile(file, true);
        created = fd >= 0;
    }
    if (fd < 0) {
        return failure(WholeAppendResult::Kind::OpenFailed, errno);
    }
    const Offset size = fileSize(fd);
    std::string bytes;
    char last = '\n';
    if (size == 0) {
        bytes += whenEmpty;
    } else if (size > 0 && lastByte(fd, size, last) && last != '\n') {
        bytes += lineBreak;
    }
    bytes += text;
    std::size_t done = 0;
    int error = 0;
    while (done < bytes.size()) {
        const long long n = writeSome(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            error = n < 0 ? errno : ENOSPC;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    if (done == bytes.size()) {
        closeFile(fd);
        return {};
    }
    // Nothing of a failed append stays: no cut record, and no empty file where there was none.
    if (size >= 0) {
        cutBack(fd, size);
    }
    closeFile(fd);
    if (created) {
        std::error_code ec;
        std::filesystem::remove(file, ec);
    }
    return failure(WholeAppendResult::Kind::WriteFailed, error);
}

} // namespace selvir
