#include "serial/NmeaLineCutter.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace selvir {
namespace {

std::vector<std::string> cutAll(NmeaLineCutter& cutter) {
    std::vector<std::string> lines;
    std::string line;
    while (cutter.nextLine(line)) {
        lines.push_back(line);
    }
    return lines;
}

TEST(NmeaLineCutter, SentenceSplitAcrossAppendsComesOnceWhole) {
    NmeaLineCutter cutter;
    cutter.append("$GPGGA,123519,4807.0");
    EXPECT_TRUE(cutAll(cutter).empty());
    cutter.append("38,N*47\r");
    EXPECT_TRUE(cutAll(cutter).empty()) << "a carriage return alone does not end a line";
    cutter.append("\n$GPR");
    EXPECT_EQ(cutAll(cutter), (std::vector<std::string>{"$GPGGA,123519,4807.038,N*47"}));
    EXPECT_EQ(cutter.buffer(), "$GPR");
}

TEST(NmeaLineCutter, SeveralLinesInOneAppendKeepTheirOrder) {
    NmeaLineCutter cutter;
    cutter.append("$GPGGA,1\r\n$GPRMC,2\r\n\r\n$GPVTG,3\n");
    EXPECT_EQ(cutAll(cutter), (std::vector<std::string>{"$GPGGA,1", "$GPRMC,2", "", "$GPVTG,3"}));
    EXPECT_TRUE(cutter.buffer().empty());
}

TEST(NmeaLineCutter, TrimsEveryControlCharacterAndBlankAtBothEndsOnly) {
    NmeaLineCutter cutter;
    cutter.append(" \t\x01\x1f$SDDPT, 12.3 ,0.5\x7f\x02 \r\n");
    cutter.append("\x20\xb5\x62$GP\r\rX\xb5 \n");
    const auto lines = cutAll(cutter);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "$SDDPT, 12.3 ,0.5\x7f") << "DEL (127) is above 32 and stays";
    EXPECT_EQ(lines[1], "\xb5\x62$GP\r\rX\xb5") << "8-bit characters stay; inner CRs stay";
}

TEST(NmeaLineCutter, NulBytesAreDroppedWithoutLosingWhatFollows) {
    NmeaLineCutter cutter;
    cutter.append(std::string("$GP\0GGA,1\r\n\0\0$GPRMC,2\r\n", 23));
    EXPECT_EQ(cutAll(cutter), (std::vector<std::string>{"$GPGGA,1", "$GPRMC,2"}));
}

TEST(NmeaLineCutter, BufferWithoutLineFeedIsCutToItsLast2048PastThe4096Limit) {
    NmeaLineCutter cutter;
    std::string garbage;
    for (int i = 0; i < 4096; ++i) {
        garbage += static_cast<char>('A' + i % 26);
    }
    cutter.append(garbage);
    EXPECT_TRUE(cutAll(cutter).empty());
    EXPECT_EQ(cutter.buffer().size(), 4096u) << "exactly 4096 is not past the limit";
    EXPECT_EQ(cutter.overflowCount(), 0u);

    cutter.append("#");
    EXPECT_TRUE(cutAll(cutter).empty());
    const std::string expected = (garbage + "#").substr(4097 - 2048);
    EXPECT_EQ(cutter.buffer(), expected);
    EXPECT_EQ(cutter.overflowCount(), 1u);
}

TEST(NmeaLineCutter, SentenceAtTheEndOfLongGarbageSurvivesTheCut) {
    NmeaLineCutter cutter;
    cutter.append(std::string(5000, 'x'));
    cutAll(cutter);
    cutter.append("$GPGGA,1");
    cutAll(cutter);
    cutter.append(",2\r\n");
    const auto lines = cutAll(cutter);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].size(), 2048u + 10u);
    EXPECT_EQ(lines[0].substr(lines[0].size() - 10), "$GPGGA,1,2");
}

TEST(NmeaLineCutter, TenMegabytesOfRandomBytesKeepMemoryBoundedAndLinesIntact) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> byte(0, 255);
    NmeaLineCutter cutter;
    std::string chunk(1023, '\0');
    std::string line;
    std::size_t lines = 0;
    std::size_t expectedLines = 0;
    for (std::size_t total = 0; total < 10u * 1024 * 1024; total += chunk.size()) {
        for (char& c : chunk) {
            c = static_cast<char>(byte(random));
        }
        expectedLines += static_cast<std::size_t>(std::count(chunk.begin(), chunk.end(), '\n'));
        cutter.append(chunk);
        while (cutter.nextLine(line)) {
            ++lines;
            ASSERT_EQ(line.find('\0'), std::string::npos);
            ASSERT_EQ(line.find('\n'), std::string::npos);
            ASSERT_LE(line.size(), NmeaLineCutter::kOverflowChars + 1023);
        }
        ASSERT_LE(cutter.buffer().size(), NmeaLineCutter::kOverflowChars);
    }
    EXPECT_EQ(lines, expectedLines) << "every line feed ends exactly one line";
}

TEST(NmeaLineCutter, ClearForgetsPendingBytes) {
    NmeaLineCutter cutter;
    cutter.append("$GPGGA,partial");
    cutter.clear();
    cutter.append("\n");
    std::string line = "unchanged";
    ASSERT_TRUE(cutter.nextLine(line));
    EXPECT_EQ(line, "");
}

} // namespace
} // namespace selvir
