#include "serial/RawNmeaLog.h"

namespace selvir {
namespace {

bool digits(std::string_view text, std::size_t from, std::size_t count, int& value) {
    value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        if (i >= text.size() || text[i] < '0' || text[i] > '9') {
            return false;
        }
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

} // namespace

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

std::optional<LocalDateTime> parseLogTimePrefix(std::string_view line, std::string_view* rest) {
    if (line.size() < kLogTimePrefixLength || line[4] != '-' || line[7] != '-' || line[10] != ' ' ||
        line[20] != ' ') {
        return std::nullopt;
    }
    LocalDateTime time;
    if (!digits(line, 0, 4, time.date.year) || !digits(line, 5, 2, time.date.month) ||
        !digits(line, 8, 2, time.date.day) || !digits(line, 11, 2, time.hour) ||
        !digits(line, 13, 2, time.minute) || !digits(line, 15, 2, time.second) ||
        !digits(line, 17, 3, time.millisecond)) {
        return std::nullopt;
    }
    if (time.date.month < 1 || time.date.month > 12 || time.date.day < 1 ||
        time.date.day > daysInMonth(time.date.year, time.date.month) || time.hour > 23 || time.minute > 59 ||
        time.second > 59) {
        return std::nullopt;
    }
    if (rest) {
        *rest = line.substr(kLogTimePrefixLength);
    }
    return time;
}

} // namespace selvir
