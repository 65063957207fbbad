// Real receiver captures through the reader, checked against an independent reading of the same files:
// lines split with the standard library, GGA fields checked and converted with regular expressions.
#include "core/AtomicFile.h"
#include "serial/MemorySerialDevice.h"
#include "serial/SelvirSerialGPS.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <numeric>
#include <optional>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace selvir {
namespace {

struct Position {
    double lat = 0;
    double lon = 0;
    double alt = 0;
};

struct Oracle {
    std::size_t lines = 0;         // non-empty trimmed lines with no checksum or a good one
    std::size_t badChecksums = 0;  // sentences whose "*hh" ending is not the XOR of their characters
    std::size_t ggaWellFormed = 0; // GGA with >= 10 fields and plain numbers where numbers belong
    std::size_t ggaOther = 0;      // GGA lines the reader must reject
    std::vector<Position> changes; // positions announced, in order
};

std::vector<std::string> splitAll(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator)) {
        parts.push_back(part);
    }
    if (!text.empty() && text.back() == separator) {
        parts.emplace_back();
    }
    return parts;
}

// Degrees and minutes as the reader's rules read them: an empty value, one without "." or with its
// first "." as first or second character is 0; longitudes ("E", "W") have three degree digits.
std::optional<double> coordinate(const std::string& value, const std::string& letter) {
    static const std::regex plain(R"(^[+-]?(\d+(\.\d*)?|\.\d+)$)");
    const std::size_t dot = value.find('.');
    if (value.empty() || dot == std::string::npos || dot < 2) {
        return 0.0;
    }
    const std::size_t digits = (letter == "E" || letter == "W") ? 3 : 2;
    const std::string degrees = value.substr(0, digits);
    const std::string minutes = value.substr(std::min(digits, value.size()));
    if (!std::regex_match(degrees, plain) || !std::regex_match(minutes, plain)) {
        return std::nullopt;
    }
    const double result = std::stod(degrees) + std::stod(minutes) / 60.0;
    return (letter == "S" || letter == "W") ? -result : result;
}

Oracle readIndependently(std::string bytes) {
    std::erase(bytes, '\0');
    static const std::regex trim(R"(^[\x01-\x20]+|[\x01-\x20]+$)");
    static const std::regex integer(R"(^\d*$)");
    static const std::regex number(R"(^(-?\d+(\.\d*)?)?$)");
    Oracle oracle;
    Position state;
    std::istringstream in(bytes);
    std::string raw;
    while (std::getline(in, raw)) {
        if (in.eof() && !bytes.empty() && bytes.back() != '\n') {
            break; // the reader keeps a last line without line feed waiting
        }
        const std::string line = std::regex_replace(raw, trim, "");
        if (line.empty()) {
            continue;
        }
        // The checksum covers everything between the "$" and the last "*" (a garbled line may hold two).
        static const std::regex checksummed(R"(^[$!](.*)\*([0-9A-Fa-f]{2})$)");
        if (std::smatch m; std::regex_match(line, m, checksummed)) {
            const std::string body = m[1];
            const int sum = std::accumulate(body.begin(), body.end(), 0,
                                            [](int x, char c) { return x ^ static_cast<unsigned char>(c); });
            if (sum != std::stoi(m[2].str(), nullptr, 16)) {
                ++oracle.badChecksums;
                continue;
            }
        }
        ++oracle.lines;
        const std::string sentence = line.substr(0, line.find('*'));
        if (sentence.size() <= 5 || sentence[0] != '$' || sentence.compare(3, 3, "GGA") != 0) {
            continue;
        }
        const auto f = splitAll(sentence, ',');
        if (f.size() < 10) {
            ++oracle.ggaOther;
            continue;
        }
        const auto lat = coordinate(f[2], f[3]);
        const auto lon = coordinate(f[4], f[5]);
        if (!lat || !lon || std::abs(*lat) > 90 || std::abs(*lon) > 180 || !std::regex_match(f[6], integer) ||
            !std::regex_match(f[7], integer) || !std::regex_match(f[9], number)) {
            ++oracle.ggaOther;
            continue;
        }
        ++oracle.ggaWellFormed;
        const Position next{*lat, *lon, f[9].empty() ? state.alt : std::stod(f[9])};
        if (next.lat != state.lat || next.lon != state.lon || next.alt != state.alt) {
            oracle.changes.push_back(next);
        }
        state = next;
    }
    return oracle;
}

TEST(RealLogs, EveryCaptureDecodesAsAnIndependentReadingSays) {
    const std::filesystem::path folder = std::filesystem::path(SELVIR_TEST_DATA_DIR) / "nmea";
    ASSERT_TRUE(std::filesystem::is_directory(folder)) << "test data missing: " << folder;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    ASSERT_FALSE(files.empty());
    std::mt19937 random(2024);
    std::size_t totalGga = 0;
    std::size_t totalBadChecksums = 0;
    for (const auto& file : files) {
        SCOPED_TRACE(file.filename().string());
        std::string bytes;
        ASSERT_TRUE(readWholeFile(file, bytes));
        const Oracle oracle = readIndependently(bytes);

        auto owned = std::make_unique<MemorySerialDevice>();
        MemorySerialDevice& device = *owned;
        TSelvirSerialGPS reader(nullptr, std::move(owned));
        reader.setTimersEnabled(false);
        std::vector<Position> changes;
        std::size_t lines = 0;
        reader.OnNewCommand = [&](TSelvirSerialGPS*, const std::string&) { ++lines; };
        reader.OnPosition3DChange = [&](TSelvirSerialGPS*, double lat, double lon, double alt) {
            changes.push_back({lat, lon, alt});
        };
        reader.Open();
        // Arbitrary read sizes: framing must not depend on where the reads fall.
        std::uniform_int_distribution<std::size_t> size(1, 1500);
        for (std::size_t at = 0; at < bytes.size();) {
            const std::size_t n = std::min(size(random), bytes.size() - at);
            device.feed(std::string_view(bytes).substr(at, n));
            at += n;
            while (device.pending() > 0) {
                reader.PollTick();
            }
        }
        EXPECT_EQ(lines, oracle.lines);
        EXPECT_EQ(reader.counters().badChecksums, oracle.badChecksums);
        totalBadChecksums += oracle.badChecksums;
        EXPECT_EQ(reader.counters().ggaDecoded, oracle.ggaWellFormed);
        EXPECT_EQ(reader.counters().bufferOverflows, 0u);
        EXPECT_GE(reader.counters().rejected, oracle.ggaOther);
        ASSERT_EQ(changes.size(), oracle.changes.size());
        for (std::size_t i = 0; i < changes.size(); ++i) {
            ASSERT_LE(std::abs(changes[i].lat), 90.0);
            ASSERT_LE(std::abs(changes[i].lon), 180.0);
            EXPECT_NEAR(changes[i].lat, oracle.changes[i].lat, 1e-12) << i;
            EXPECT_NEAR(changes[i].lon, oracle.changes[i].lon, 1e-12) << i;
            EXPECT_NEAR(changes[i].alt, oracle.changes[i].alt, 1e-9) << i;
        }
        totalGga += oracle.ggaWellFormed;
    }
    EXPECT_GT(totalGga, 4000u) << "the captures hold thousands of fixes";
    EXPECT_GT(totalBadChecksums, 0u) << "a cold boot garbles sentences: the captures hold line noise";
}

} // namespace
} // namespace selvir
