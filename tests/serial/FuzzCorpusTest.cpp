// The NMEA fuzz target over generated sentence soup (its seed corpus is replayed by its own CTest
// entry). The target aborts on a broken invariant, so a regression kills this test.
#include <cstdint>
#include <gtest/gtest.h>
#include <random>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

void runTarget(const std::string& bytes) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

TEST(NmeaLinesFuzz, RandomSentenceSoupRunsCleanly) {
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
        runTarget(bytes);
    }
}

} // namespace
