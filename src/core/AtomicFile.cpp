#include "core/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <system_error>
#ifdef _WIN32
#include <io.h>
#include <process.h>
#else
#include <unistd.h>
#endif

namespace selvir {
namespace {

int processId() {
#ifdef _WIN32
    return _getpid();
#else
    return static_cast<int>(getpid());
#endif
}

bool flushToDisk(std::FILE* file) {
    if (std::fflush(file) != 0) {
        return false;
    }
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

void setError(std::string* error, const std::string& text) {
    if (error) {
        *error = text;
    }
}

} // namespace

bool writeFileAtomically(const std::filesystem::path& target, std::string_view bytes, std::string* error) {
    static int sequence = 0;
    std::filesystem::path temporary = target;
    temporary += ".tmp" + std::to_string(processId()) + "-" + std::to_string(++sequence);
#ifdef _WIN32
    std::FILE* file = _wfopen(temporary.c_str(), L"wb");
#else
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
#endif
    if (!file) {
        setError(error, "Cannot create " + temporary.string() + ": " + std::strerror(errno));
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool flushed = written && flushToDisk(file);
    const bool closed = std::fclose(file) == 0;
    std::error_code ec;
    if (!written || !flushed || !closed) {
        setError(error, "Cannot write " + temporary.string() + ": " + std::strerror(errno));
        std::filesystem::remove(temporary, ec);
        return false;
    }
    std::filesystem::rename(temporary, target, ec);
    if (ec) {
        setError(error, "Cannot replace " + target.string() + ": " + ec.message());
        std::filesystem::remove(temporary, ec);
        return false;
    }
    return true;
}

namespace {

std::FILE* openForReading(const std::filesystem::path& file) {
#ifdef _WIN32
    return _wfopen(file.c_str(), L"rb");
#else
    return std::fopen(file.c_str(), "rb");
#endif
}

} // namespace

bool readWholeFile(const std::filesystem::path& file, std::string& bytes) {
    bool tooLarge = false;
    return readWholeFileUpTo(file, std::numeric_limits<std::uintmax_t>::max(), bytes, tooLarge);
}

bool readWholeFileUpTo(const std::filesystem::path& file, std::uintmax_t maxBytes, std::string& bytes,
                       bool& tooLarge) {
    tooLarge = false;
    bytes.clear();
    std::FILE* in = openForReading(file);
    if (!in) {
        return false;
    }
    char buffer[65536];
    std::size_t got = 0;
    // Counted as it is read, not taken from the file's size: a pipe or a growing file has none to trust.
    while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0) {
        if (bytes.size() + got > maxBytes) {
            tooLarge = true;
            break;
        }
        bytes.append(buffer, got);
    }
    const bool ok = !tooLarge && !std::ferror(in);
    std::fclose(in);
    if (!ok) {
        bytes.clear();
        bytes.shrink_to_fit();
    }
    return ok;
}

bool appendToFile(const std::filesystem::path& file, std::string_view bytes) {
#ifdef _WIN32
    std::FILE* out = _wfopen(file.c_str(), L"ab");
#else
    std::FILE* out = std::fopen(file.c_str(), "ab");
#endif
    if (!out) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    const bool flushed = std::fflush(out) == 0;
    const bool closed = std::fclose(out) == 0;
    return written && flushed && closed;
}

} // namespace selvir
