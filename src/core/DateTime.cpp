#include "core/DateTime.h"

#include <chrono>
#include <ctime>

namespace selvir {
namespace {

void appendPadded(std::string& out, int value, int width) {
    char digits[16];
    int count = 0;
    unsigned magnitude = value < 0 ? static_cast<unsigned>(-value) : static_cast<unsigned>(value);
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0 && count < 15);
    if (value < 0) {
        out += '-';
    }
    for (int i = count; i < width; ++i) {
        out += '0';
    }
    while (count > 0) {
        out += digits[--count];
    }
}

bool startsWith(std::string_view text, std::size_t pos, std::string_view token) {
    if (pos + token.size() > text.size()) {
        return false;
    }
    for (std::size_t i = 0; i < token.size(); ++i) {
        char c = text[pos + i];
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        if (c != token[i]) {
            return false;
        }
    }
    return true;
}

// Days since 1970-01-01 of a Gregorian date (Howard Hinnant's days_from_civil).
std::int64_t daysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

LocalDate civilFromDays(std::int64_t z) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return LocalDate{static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

} // namespace

std::string formatDate(const LocalDate& date) {
    std::string out;
    out.reserve(10);
    appendPadded(out, date.year, 4);
    out += '-';
    appendPadded(out, date.month, 2);
    out += '-';
    appendPadded(out, date.day, 2);
    return out;
}

std::string formatTime(const LocalDateTime& time) {
    std::string out;
    out.reserve(9);
    appendPadded(out, time.hour, 2);
    appendPadded(out, time.minute, 2);
    appendPadded(out, time.second, 2);
    appendPadded(out, time.millisecond, 3);
    return out;
}

std::string formatDateTime(const LocalDateTime& time) {
    return formatDate(time.date) + " " + formatTime(time);
}

std::string formatWithLayout(std::string_view layout, const LocalDateTime& time) {
    std::string out;
    std::size_t pos = 0;
    while (pos < layout.size()) {
        if (startsWith(layout, pos, "yyyy")) {
            appendPadded(out, time.date.year, 4);
            pos += 4;
        } else if (startsWith(layout, pos, "yy")) {
            appendPadded(out, time.date.year % 100, 2);
            pos += 2;
        } else if (startsWith(layout, pos, "mm")) {
            appendPadded(out, time.date.month, 2);
            pos += 2;
        } else if (startsWith(layout, pos, "dd")) {
            appendPadded(out, time.date.day, 2);
            pos += 2;
        } else if (startsWith(layout, pos, "hh")) {
            appendPadded(out, time.hour, 2);
            pos += 2;
        } else if (startsWith(layout, pos, "nn")) {
            appendPadded(out, time.minute, 2);
            pos += 2;
        } else if (startsWith(layout, pos, "ss")) {
            appendPadded(out, time.second, 2);
            pos += 2;
        } else if (startsWith(layout, pos, "zzz")) {
            appendPadded(out, time.millisecond, 3);
            pos += 3;
        } else {
            out += layout[pos++];
        }
    }
    return out;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return 30;
    }
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

LocalDateTime addMilliseconds(const LocalDateTime& time, std::int64_t ms) {
    constexpr std::int64_t kMsPerDay = 86'400'000;
    std::int64_t msOfDay =
        ((time.hour * 60LL + time.minute) * 60 + time.second) * 1000 + time.millisecond + ms;
    std::int64_t days = daysFromCivil(time.date.year, time.date.month, time.date.day);
    days += msOfDay / kMsPerDay;
    msOfDay %= kMsPerDay;
    if (msOfDay < 0) {
        msOfDay += kMsPerDay;
        --days;
    }
    LocalDateTime out;
    out.date = civilFromDays(days);
    out.millisecond = static_cast<int>(msOfDay % 1000);
    out.second = static_cast<int>(msOfDay / 1000 % 60);
    out.minute = static_cast<int>(msOfDay / 60000 % 60);
    out.hour = static_cast<int>(msOfDay / 3'600'000);
    return out;
}

std::int64_t millisecondsSinceEpoch(const LocalDateTime& time) {
    const std::int64_t days = daysFromCivil(time.date.year, time.date.month, time.date.day);
    return days * 86'400'000 + ((time.hour * 60LL + time.minute) * 60 + time.second) * 1000 +
           time.millisecond;
}

void ManualClock::advanceMs(std::int64_t ms) {
    now_ = addMilliseconds(now_, ms);
    monotonicMs_ += ms;
}

LocalDateTime SystemClock::now() const {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    LocalDateTime out;
    out.date = LocalDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
    out.hour = local.tm_hour;
    out.minute = local.tm_min;
    out.second = local.tm_sec;
    out.millisecond = static_cast<int>(ms < 0 ? ms + 1000 : ms);
    return out;
}

std::int64_t SystemClock::monotonicMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace selvir
