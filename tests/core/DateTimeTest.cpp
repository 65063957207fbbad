#include "core/DateTime.h"

#include <gtest/gtest.h>

namespace selvir {
namespace {

TEST(DateTime, FixedLayouts) {
    const LocalDateTime t{{2026, 3, 5}, 13, 45, 2, 123};
    EXPECT_EQ(formatDate(t.date), "2026-03-05");
    EXPECT_EQ(formatTime(t), "134502123");
    EXPECT_EQ(formatDateTime(t), "2026-03-05 134502123");
    EXPECT_EQ(formatTime(LocalDateTime{{2026, 1, 1}, 0, 0, 0, 7}), "000000007");
}

TEST(DateTime, SettingsLayouts) {
    const LocalDateTime t{{2026, 12, 8}, 9, 5, 7, 45};
    EXPECT_EQ(formatWithLayout(kDefaultDateLayout, t), "2026-12-08");
    EXPECT_EQ(formatWithLayout(kDefaultTimeLayout, t), "090507045");
    EXPECT_EQ(formatWithLayout("dd/mm/yy hh:nn:ss.zzz", t), "08/12/26 09:05:07.045");
    EXPECT_EQ(formatWithLayout("YYYY", t), "2026");
}

TEST(DateTime, AddingTimeCarriesAcrossTheCalendar) {
    const LocalDateTime newYearsEve{{2024, 12, 31}, 23, 59, 59, 900};
    EXPECT_EQ(addMilliseconds(newYearsEve, 200), (LocalDateTime{{2025, 1, 1}, 0, 0, 0, 100}));
    EXPECT_EQ(addMilliseconds(LocalDateTime{{2024, 2, 28}, 12, 0, 0, 0}, 86'400'000).date,
              (LocalDate{2024, 2, 29}));
    EXPECT_EQ(addMilliseconds(LocalDateTime{{2023, 2, 28}, 12, 0, 0, 0}, 86'400'000).date,
              (LocalDate{2023, 3, 1}));
    EXPECT_EQ(addMilliseconds(LocalDateTime{{2025, 1, 1}, 0, 0, 0, 0}, -1),
              (LocalDateTime{{2024, 12, 31}, 23, 59, 59, 999}));
    EXPECT_EQ(daysInMonth(2000, 2), 29);
    EXPECT_EQ(daysInMonth(1900, 2), 28);
}

TEST(DateTime, MillisecondsSinceEpochMatchesUnixTime) {
    // 2026-03-05 13:45:02.123 UTC is Unix time 1772718302.123 (date -d @1772718302 -u).
    EXPECT_EQ(millisecondsSinceEpoch(LocalDateTime{{2026, 3, 5}, 13, 45, 2, 123}), 1772718302123);
    EXPECT_EQ(millisecondsSinceEpoch(LocalDateTime{{1970, 1, 1}, 0, 0, 0, 0}), 0);
    const LocalDateTime leapDay{{2024, 2, 29}, 23, 59, 59, 999};
    EXPECT_EQ(millisecondsSinceEpoch(addMilliseconds(leapDay, 1)) - millisecondsSinceEpoch(leapDay), 1);
}

TEST(DateTime, ManualClockMovesBothClocks) {
    ManualClock clock(LocalDateTime{{2026, 3, 5}, 23, 59, 59, 500}, 1000);
    clock.advanceMs(700);
    EXPECT_EQ(formatDateTime(clock.now()), "2026-03-06 000000200");
    EXPECT_EQ(clock.monotonicMs(), 1700);
}

TEST(DateTime, SystemClockIsPlausible) {
    SystemClock clock;
    const auto now = clock.now();
    EXPECT_GE(now.date.year, 2020);
    EXPECT_LE(now.millisecond, 999);
    const auto a = clock.monotonicMs();
    EXPECT_LE(a, clock.monotonicMs());
}

} // namespace
} // namespace selvir
