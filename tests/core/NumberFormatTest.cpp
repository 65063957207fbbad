#include "core/NumberFormat.h"

#include <clocale>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace selvir {
namespace {

TEST(NumberFormat, FixedDecimals) {
    EXPECT_EQ(formatFixed(12.8425, 2), "12.84");
    EXPECT_EQ(formatFixed(-11.64, 2), "-11.64");
    EXPECT_EQ(formatFixed(1500.0, 2), "1500.00");
    EXPECT_EQ(formatFixed(456789.12345, 4), "456789.1235");
    EXPECT_EQ(formatFixed(0.5, 0), "0");      // tie to even
    EXPECT_EQ(formatFixed(2.675, 2), "2.67"); // 2.675 is 2.67499999... in binary
    EXPECT_EQ(formatFixed(-0.001, 2), "0.00");
    EXPECT_EQ(formatFixed(-0.0, 1), "0.0");
    EXPECT_EQ(formatFixed(41.123456789012L, 8), "41.12345679");
    EXPECT_EQ(formatFixed(std::numeric_limits<double>::quiet_NaN(), 2), "NAN");
    EXPECT_EQ(formatFixed(-std::numeric_limits<double>::infinity(), 2), "-INF");
}

TEST(NumberFormat, GeneralFifteenDigits) {
    EXPECT_EQ(formatGeneral(0.0), "0");
    EXPECT_EQ(formatGeneral(41.0), "41");
    EXPECT_EQ(formatGeneral(12.34), "12.34");
    EXPECT_EQ(formatGeneral(0.1 + 0.2), "0.3");
    EXPECT_EQ(formatGeneral(4208830.0123456789), "4208830.01234568");
    EXPECT_EQ(formatGeneral(-29.123456789012345), "-29.1234567890123");
    EXPECT_EQ(formatGeneral(0.0001), "0.0001");
    EXPECT_EQ(formatGeneral(0.000015), "1.5E-5");
    EXPECT_EQ(formatGeneral(2.5e20), "2.5E+20");
    EXPECT_EQ(formatGeneral(123456789012345.0), "123456789012345");
    EXPECT_EQ(formatGeneral(1234567890123456.0), "1.23456789012346E+15");
    EXPECT_EQ(formatGeneral(0.0033528106647474L), "0.0033528106647474");
}

TEST(NumberFormat, ShortestRoundTrips) {
    std::mt19937_64 random(7);
    for (int i = 0; i < 2000; ++i) {
        const double value = std::ldexp(static_cast<double>(random() % 1000000007) - 5e8,
                                        static_cast<int>(random() % 80) - 40);
        const auto back = parseDouble(formatShortest(value));
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(*back, value);
    }
    EXPECT_EQ(formatShortest(12.34), "12.34");
    EXPECT_EQ(formatShortest(12.34f), "12.34");
}

TEST(NumberFormat, PointWhateverTheProcessLocale) {
    // A user locale with a decimal comma must not change what is written or read.
    const char* chosen = nullptr;
    for (const char* name : {"tr_TR.UTF-8", "de_DE.UTF-8", "fr_FR.UTF-8", "C.UTF-8"}) {
        if ((chosen = std::setlocale(LC_ALL, name))) {
            break;
        }
    }
    EXPECT_EQ(formatFixed(1234.5, 2), "1234.50");
    EXPECT_EQ(formatGeneral(1234.5), "1234.5");
    EXPECT_EQ(parseDouble("1234.5").value_or(0), 1234.5);
    std::setlocale(LC_ALL, "C");
}

TEST(NumberFormat, ParsesWholeTextsOnly) {
    EXPECT_EQ(parseDouble(" 12.5 ").value_or(0), 12.5);
    EXPECT_EQ(parseDouble("+3").value_or(0), 3);
    EXPECT_FALSE(parseDouble("12.5m").has_value());
    EXPECT_FALSE(parseDouble("").has_value());
    EXPECT_FALSE(parseDouble("1,5").has_value());
    EXPECT_FALSE(parseDouble("+-1").has_value());
    EXPECT_EQ(parseInteger("-42").value_or(0), -42);
    EXPECT_FALSE(parseInteger("4.2").has_value());
    EXPECT_FALSE(parseInteger("99999999999999999999").has_value());
}

} // namespace
} // namespace selvir
