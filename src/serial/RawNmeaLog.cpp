#include "serial/RawNmeaLog.h"

namespace selvir {

bool RawNmeaLog::open(const std::filesystem::path& file) {
    close();
#ifdef _WIN32
    file_ = _wfopen(file.c_str(), L"ab");
#else
    file_ = std::fopen(file.c_str(), "ab");
#endif
    return file_ != nullptr;
}

void RawNmeaLog::close() {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
}

void RawNmeaLog::writeLine(std::string_view prefix, std::string_view line) {
    if (!file_) {
        return;
    }
    if (!prefix.empty()) {
        std::fwrite(prefix.data(), 1, prefix.size(), file_);
    }
    std::fwrite(line.data(), 1, line.size(), file_);
    std::fputc('\n', file_);
    std::fflush(file_);
}

} // namespace selvir
