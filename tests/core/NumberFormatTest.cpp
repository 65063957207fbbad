#include "core/NumberFormat.h"

#include "support/MissingOracle.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <locale>
#include <random>
#include <string>
#include <vector>

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
    for (const char* name : {"tr_TR.UTF-8", "de_DE.UTF-8", "fr_FR.UTF-8"}) {
        chosen = std::setlocale(LC_ALL, name);
        if (chosen != nullptr && std::strcmp(std::localeconv()->decimal_point, ",") == 0) {
            break;
        }
        chosen = nullptr;
    }
    struct BackToClassic {
        ~BackToClassic() { std::locale::global(std::locale::classic()); }
    } backToClassic;
    if (chosen == nullptr) {
        SELVIR_ORACLE_MISSING("no decimal-comma locale (tr_TR.UTF-8, de_DE.UTF-8, fr_FR.UTF-8): "
                              "scripts/deps.sh generates the first two");
    }
    std::locale::global(std::locale(chosen));
    char printed[16];
    std::snprintf(printed, sizeof printed, "%.1f", 1.5);
    ASSERT_STREQ(printed, "1,5") << chosen << " is in force for the C library";
    EXPECT_EQ(formatFixed(1234.5, 2), "1234.50");
    EXPECT_EQ(formatGeneral(1234.5), "1234.5");
    EXPECT_EQ(formatShortest(1234.5), "1234.5");
    EXPECT_EQ(parseDouble("1234.5").value_or(0), 1234.5);
    EXPECT_FALSE(parseDouble("1234,5").has_value());
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

// Numbers from receivers and files: decimal text only, never NaN, infinity or an overflow.
TEST(NumberFormat, FiniteNumbersFromDevicesAndFiles) {
    EXPECT_EQ(parseFiniteDouble("545.4"), 545.4);
    EXPECT_EQ(parseFiniteDouble(" -0.5 "), -0.5);
    EXPECT_EQ(parseFiniteDouble("+1.5E2"), 150.0);
    EXPECT_EQ(parseFiniteDouble("12."), 12.0);
    for (const char* bad : {"", " ", "nan", "inf", "-inf", "0x10", "1,5", "1.5.5", "1e999", "--1", "abc"}) {
        EXPECT_FALSE(parseFiniteDouble(bad).has_value()) << bad;
    }
    EXPECT_EQ(parseInt("08"), 8);
    EXPECT_FALSE(parseInt("1.0").has_value());
    EXPECT_FALSE(parseInt("99999999999").has_value());
}

// The long double fixed notation is worked out in integers; glibc's printf is the oracle, on random
// values of every size up to 2^63, on exact ties, and on every number of decimals it handles so.
TEST(NumberFormat, LongDoubleFixedMatchesPrintf) {
    std::mt19937_64 random(11);
    std::vector<long double> values = {0.5L,           1.5L,
                                       2.5L,           0.125L,
                                       -0.125L,        1e-30L,
                                       -1e-30L,        0x1p62L,
                                       -0x1p62L,       0x1.fffffffffffffffep62L,
                                       4540573.29145L, 123456789.000049999L};
    for (int i = 0; i < 20000; ++i) {
        const long double magnitude = std::ldexp(1.0L, static_cast<int>(random() % 120) - 60);
        const long double mantissa = static_cast<long double>(random()) / 0x1p64L;
        values.push_back((random() % 2 ? -1 : 1) * mantissa * magnitude);
    }
    for (const long double value : values) {
        for (int decimals = 0; decimals <= 18; decimals += (decimals < 10 ? 1 : 4)) {
            char expected[128];
            std::snprintf(expected, sizeof expected, "%.*Lf", decimals, value);
            std::string oracle = expected;
            if (oracle[0] == '-' && oracle.find_first_not_of("-0.") == std::string::npos) {
                oracle.erase(0, 1); // formatFixed writes no sign on zero
            }
            ASSERT_EQ(formatFixed(value, decimals), oracle) << decimals << " decimals of " << expected;
        }
    }
}

} // namespace
} // namespace selvir
