#pragma once
// Local date and time values and the fixed text layouts of file names and logs.

#include <cstdint>
#include <string>
#include <string_view>

namespace selvir {

struct LocalDate {
    int year = 2000;
    int month = 1; // 1..12
    int day = 1;   // 1..31
    auto operator<=>(const LocalDate&) const = default;
};

struct LocalDateTime {
    LocalDate date;
    int hour = 0;        // 0..23
    int minute = 0;      // 0..59
    int second = 0;      // 0..59
    int millisecond = 0; // 0..999
    auto operator<=>(const LocalDateTime&) const = default;
};

// "YYYY-MM-DD": four-digit year, two-digit month and day.
std::string formatDate(const LocalDate& date);
// Hours, minutes, seconds and milliseconds without separators: 13:45:02.123 is "134502123".
std::string formatTime(const LocalDateTime& time);
// The date-and-time text of the logs: date, one blank, time ("2026-03-05 134502123").
std::string formatDateTime(const LocalDateTime& time);

// Layouts written in the settings in the Delphi style: "yyyy", "yy", "mm" (month), "dd", "hh", "nn"
// (minutes), "ss", "zzz"; any other character is copied. The defaults below give the texts above.
inline constexpr std::string_view kDefaultDateLayout = "yyyy-mm-dd";
inline constexpr std::string_view kDefaultTimeLayout = "hhnnsszzz";
std::string formatWithLayout(std::string_view layout, const LocalDateTime& time);

// Source of the local time and of a monotonic clock. Everything that reads the clock takes one, so
// tests and replays can run on their own time.
class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalDateTime now() const = 0;
    // Milliseconds since an arbitrary origin; never goes back.
    virtual std::int64_t monotonicMs() const = 0;
};

class SystemClock final : public Clock {
public:
    LocalDateTime now() const override;
    std::int64_t monotonicMs() const override;
};

// A clock that shows what it is set to; for tests and for replaying logs.
class ManualClock final : public Clock {
public:
    explicit ManualClock(LocalDateTime start = {}, std::int64_t monotonicStartMs = 0)
        : now_(start), monotonicMs_(monotonicStartMs) {}
    LocalDateTime now() const override { return now_; }
    std::int64_t monotonicMs() const override { return monotonicMs_; }
    void set(const LocalDateTime& time) { now_ = time; }
    void setMonotonicMs(std::int64_t ms) { monotonicMs_ = ms; }
    // Moves both clocks forward; the local time carries across seconds, days, months and years.
    void advanceMs(std::int64_t ms);

private:
    LocalDateTime now_;
    std::int64_t monotonicMs_;
};

// Days in the month of a Gregorian year.
int daysInMonth(int year, int month);
// Adds milliseconds (may be negative) to a local time, carrying across the calendar.
LocalDateTime addMilliseconds(const LocalDateTime& time, std::int64_t ms);
// Milliseconds from 1970-01-01 00:00:00.000 of the same calendar (no time zone), for ordering and
// differences of local times.
std::int64_t millisecondsSinceEpoch(const LocalDateTime& time);

} // namespace selvir
