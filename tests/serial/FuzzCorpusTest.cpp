// The NMEA fuzz target's seed corpus and a few generated inputs, run in the test suite. The target
// aborts on a broken invariant, so a regression kills this test.
#include "core/AtomicFile.h"

#include <cstdint>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

int runTarget(const std::string& bytes) {
    return LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

TEST(NmeaLinesFuzzCorpus, EverySeedRunsCleanly) {
    const std::filesystem::path corpus =
        std::filesystem::path(SELVIR_SOURCE_DIR) / "fuzz" / "corpus" / "nmea_lines";
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        std::string bytes;
        ASSERT_TRUE(selvir::readWholeFile(entry.path(), bytes)) << entry.path();
        EXPECT_EQ(runTarget(bytes), 0) << entry.path();
        ++inputs;
    }
    EXPECT_GE(inputs, 5);
}

TEST(NmeaLinesFuzzCorpus, RandomSentenceSoupRunsCleanly) {
    std::mt19937 random(99);
    const std::string pieces[] = {"$GPGGA,", "$GNRMC,", "$GPVTG,", "4807.038", "01131.000", ",N,",
                                  ",W,",     ",,",      "*47",     "\r\n",     "\n",        "-",
                                  ".",       "1e308",   "nan",     "\0",       "99999"};
    for (int input = 0; input < 200; ++input) {
        std::string bytes(1, static_cast<char>(random()));
        const int count = static_cast<int>(random() % 400);
        for (int i = 0; i < count; ++i) {
            if (random() % 4 == 0) {
                bytes += static_cast<char>(random());
            } else {
                bytes += pieces[random() % std::size(pieces)];
            }
        }
        ASSERT_EQ(runTarget(bytes), 0);
    }
}

} // namespace
