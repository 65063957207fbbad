#include "core/ScanPattern.h"

#include <cmath>
#include <gtest/gtest.h>

namespace selvir {
namespace {

TEST(ScanPattern, ReadsTheGnssFieldsTheHandlersNeed) {
    // HDT: the 7 characters skipped are the address and its comma.
    auto hdt = scanText("$HEHDT,123.4,T", "%*7s %lf");
    ASSERT_EQ(hdt.count, 1);
    EXPECT_DOUBLE_EQ(hdt.values[0].toDouble(), 123.4);

    auto rmc = scanText("$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A",
                        "%*6s,%*lf,%*1s,%*lf,%*1s,%*lf,%*1s,%lf");
    ASSERT_EQ(rmc.count, 1);
    EXPECT_DOUBLE_EQ(rmc.values[0].toDouble(), 22.4);

    // A VTG with an empty magnetic course stops matching there.
    EXPECT_EQ(scanText("$GPVTG,054.7,T,,M,005.5,N,010.2,K", "%*6s,%*lf,%*1s,%*lf,%*1s,%lf").count, 0);

    auto gga = scanText("$GPGGA,123519,4807.038,N,01131.000,E,4,08,0.9,545.4,M,46.9,M,,*47",
                        "%*6s,%lf,%*lf,%*1s,%*lf,%*1s,%d,%*d,%*lf,%lf,%*1s,%lf");
    ASSERT_EQ(gga.count, 4);
    EXPECT_DOUBLE_EQ(gga.values[0].toDouble(), 123519);
    EXPECT_EQ(gga.values[1].kind, ScanValue::Kind::Integer);
    EXPECT_EQ(gga.values[1].integer, 4);
    EXPECT_DOUBLE_EQ(gga.values[2].toDouble(), 545.4);
    EXPECT_DOUBLE_EQ(gga.values[3].toDouble(), 46.9);
}

TEST(ScanPattern, ReadsTheEchosounderFormats) {
    EXPECT_EQ(scanText("$SDDPT,12.34,0.5*hh", "%*6s,%lf").numbers(), std::vector<double>{12.34});
    EXPECT_EQ(scanText("$SDDBT,40.5,f,12.3,M,6.7,F", "%*6s,%*lf,%*1s,%lf").numbers(),
              std::vector<double>{12.3});
    auto twoValues = scanText("$PSXDHI1,12.35,$PSXDLO1,13.10", "%*8s,%lf,%*8s,%lf");
    EXPECT_EQ(twoValues.count, 2);
    EXPECT_EQ(twoValues.numbers(), (std::vector<double>{12.35, 13.10}));
}

TEST(ScanPattern, CountsLikeSscanfAtTheEndOfTheText) {
    EXPECT_EQ(scanText("", "%lf").count, -1);
    EXPECT_EQ(scanText("   ", "%d").count, -1);
    EXPECT_EQ(scanText("x", "%d").count, 0);
    EXPECT_EQ(scanText("12", "%d,%d").count, 1);
    EXPECT_EQ(scanText("5", "%*d%d").count, -1); // nothing assigned before the text ended
    EXPECT_EQ(scanText("", "abc").count, -1);
}

TEST(ScanPattern, ReadsValueKindsAndWidths) {
    auto r = scanText("-12345 1.5 2.25 3.125 abcdef xyz", "%3d%d %f %lf %Lf %3s%s %c%2c");
    ASSERT_EQ(r.count, 9);
    EXPECT_EQ(r.values[0].integer, -12);
    EXPECT_EQ(r.values[1].integer, 345);
    EXPECT_EQ(r.values[2].kind, ScanValue::Kind::Float);
    EXPECT_EQ(r.values[3].kind, ScanValue::Kind::Double);
    EXPECT_EQ(r.values[4].kind, ScanValue::Kind::LongDouble);
    EXPECT_EQ(r.values[5].text, "abc");
    EXPECT_EQ(r.values[6].text, "def");
    EXPECT_EQ(r.values[7].text, "x");
    EXPECT_EQ(r.values[8].text, "yz");
}

TEST(ScanPattern, ReadsCharacterSets) {
    auto r = scanText("Depth;Temp;SV", "%[^;];%*[^;];%[A-Z]");
    ASSERT_EQ(r.count, 2);
    EXPECT_EQ(r.values[0].text, "Depth");
    EXPECT_EQ(r.values[1].text, "SV");
    EXPECT_EQ(scanText("]]a-", "%[]a-]").values.at(0).text, "]]a-");
    EXPECT_EQ(scanText(",rest", "%[^,]").count, 0);
}

TEST(ScanPattern, KeepsLongDoublePrecision) {
    auto r = scanText("0.1", "%Lf");
    ASSERT_EQ(r.count, 1);
    EXPECT_EQ(r.values[0].real, 0.1L);
    EXPECT_NE(static_cast<long double>(0.1), 0.1L);
}

TEST(ScanPattern, IgnoresTheProcessLocaleDecimalComma) {
    // Only "." is a decimal point: "1,5" reads 1 and stops.
    auto r = scanText("1,5", "%lf");
    ASSERT_EQ(r.count, 1);
    EXPECT_EQ(r.values[0].toDouble(), 1.0);
}

TEST(ScanPattern, TextEndsAtNulByte) {
    const std::string text("12\0"
                           "34",
                           5);
    EXPECT_EQ(scanText(text, "%d%d").count, 1);
}

TEST(ScanPattern, RejectsDangerousOrUnsupportedPatternsWithoutReading) {
    const char* bad[] = {"%n",  "%lf%n", "%p",  "%1$d", "%[abc", "%[^", "abc%",  "%l",
                         "%x",  "%u",    "%i",  "%o",   "%ls",   "%lc", "%l[a]", "%ms",
                         "%'d", "%Id",   "%zd", "%hf",  "%Ld",   "%5",  "%**d",  "%99999999999d"};
    for (const char* pattern : bad) {
        ScanPattern compiled(pattern);
        EXPECT_FALSE(compiled.valid()) << pattern;
        EXPECT_FALSE(compiled.error().empty()) << pattern;
        auto r = compiled.scan("123 456 abc");
        EXPECT_EQ(r.count, 0) << pattern;
        EXPECT_TRUE(r.values.empty()) << pattern;
    }
    EXPECT_NE(ScanPattern("%lf%n").error().find("%n"), std::string::npos);
}

TEST(ScanPattern, CountsItsAssignments) {
    EXPECT_EQ(ScanPattern("%*6s,%lf,%*lf,%*1s,%*lf,%*1s,%d,%*d,%*lf,%lf,%*1s,%lf").assignmentCount(), 4);
    EXPECT_EQ(ScanPattern("%% %*d").assignmentCount(), 0);
}

TEST(ScanPattern, ReusedResultHoldsOnlyTheLatestScan) {
    ScanPattern pattern("%lf,%lf");
    ScanResult result;
    pattern.scan("1,2", result);
    ASSERT_EQ(result.values.size(), 2u);
    pattern.scan("3", result);
    EXPECT_EQ(result.count, 1);
    EXPECT_EQ(result.numbers(), std::vector<double>{3});
}

} // namespace
} // namespace selvir
