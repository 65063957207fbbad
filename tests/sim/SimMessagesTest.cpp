// The simulator's sentences and depth messages, read back with glibc's sscanf (an independent reader),
// with the program's own decoders, and checked against checksums of real receiver captures.
#include "core/AtomicFile.h"
#include "core/ScanPattern.h"
#include "serial/NmeaDecoder.h"
#include "sim/EchosounderMessages.h"
#include "sim/NmeaSentences.h"

#include <cstdarg>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <sstream>
#include <string>

namespace selvir::sim {
namespace {

// glibc's sscanf as the independent reader. Through vsscanf the compiler does not second-guess the
// program's patterns ("%*lf" is what the settings hold, and glibc reads it).
int glibcScan(const char* text, const char* pattern, ...) {
    va_list args;
    va_start(args, pattern);
    const int count = std::vsscanf(text, pattern, args);
    va_end(args);
    return count;
}

TEST(NmeaChecksum, MatchesTheWellKnownExamples) {
    EXPECT_EQ(nmeaChecksum("GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,"), "47");
    EXPECT_EQ(nmeaChecksum("GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W"), "6A");
    EXPECT_EQ(finishSentence("GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,"),
              "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n");
}

TEST(NmeaChecksum, MatchesEveryChecksumOfCleanReceiverCaptures) {
    const std::filesystem::path folder = std::filesystem::path(SELVIR_TEST_DATA_DIR) / "nmea";
    ASSERT_TRUE(std::filesystem::is_directory(folder)) << "test data missing: " << folder;
    int checked = 0;
    for (const char* name : {"gpsd_nmea-rtk.log", "gpsd_hemi.log", "gpsd_neo-m8n.log"}) {
        std::string text;
        ASSERT_TRUE(readWholeFile(folder / name, text)) << name;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            const std::size_t star = line.rfind('*');
            if (line.empty() || line[0] != '$' || star == std::string::npos || star + 3 != line.size()) {
                continue;
            }
            EXPECT_EQ(nmeaChecksum(std::string_view(line).substr(1, star - 1)), line.substr(star + 1))
                << line;
            ++checked;
        }
    }
    EXPECT_GT(checked, 500);
}

TEST(NmeaCoordinates, DegreesAndMinutesWithHemispheresAndNoSixtyMinutes) {
    auto lat = formatLatitude(48.1173);
    EXPECT_EQ(lat.value, "4807.038000");
    EXPECT_EQ(lat.hemisphere, "N");
    auto lon = formatLongitude(-11.5166666666667);
    EXPECT_EQ(lon.value, "01131.000000");
    EXPECT_EQ(lon.hemisphere, "W");
    EXPECT_EQ(formatLatitude(-0.5).hemisphere, "S");
    EXPECT_EQ(formatLatitude(40.99999999999).value, "4100.000000") << "59.9999999' carries into the degree";
    EXPECT_EQ(formatLongitude(-0.0000000001).hemisphere, "E") << "a value that rounds to zero has no sign";
    EXPECT_EQ(formatLongitude(179.999999).value, "17959.999940");
}

TEST(NmeaCoordinates, TheReaderDecodesExactlyTheValueRecordedAsSent) {
    std::mt19937 random(3);
    std::uniform_real_distribution<double> latitude(-89.9, 89.9);
    std::uniform_real_distribution<double> longitude(-179.9, 179.9);
    for (int i = 0; i < 2000; ++i) {
        const double latDeg = latitude(random);
        const double lonDeg = longitude(random);
        const auto lat = formatLatitude(latDeg);
        const auto lon = formatLongitude(lonDeg);
        EXPECT_EQ(nmeaCoordinate(lat.value, lat.hemisphere), lat.decodedDeg);
        EXPECT_EQ(nmeaCoordinate(lon.value, lon.hemisphere), lon.decodedDeg);
        EXPECT_NEAR(lat.decodedDeg, latDeg, 0.51e-6 / 60.0);
        EXPECT_NEAR(lon.decodedDeg, lonDeg, 0.51e-6 / 60.0);
    }
}

// The patterns the program's GNSS handling reads these sentences with.
const char* const kGgaPattern = "%*6s,%lf,%*lf,%*1s,%*lf,%*1s,%d,%*d,%*lf,%lf,%*1s,%lf";
const char* const kRmcPattern = "%*6s,%*lf,%*1s,%*lf,%*1s,%*lf,%*1s,%lf";
const char* const kVtgPattern = "%*6s,%*lf,%*1s,%*lf,%*1s,%lf";

GnssEpoch sampleEpoch() {
    GnssEpoch epoch;
    epoch.utc = {{2026, 3, 5}, 13, 45, 2, 123};
    epoch.latitudeDeg = 41.0012345;
    epoch.longitudeDeg = -8.6543210;
    epoch.altitudeM = 12.3;
    epoch.separationM = 35.1;
    epoch.fixQuality = 4;
    epoch.satellites = 16;
    epoch.speedKnots = 5.25;
    epoch.courseDeg = 271.5;
    epoch.headingDeg = 273.0;
    epoch.declinationDeg = 5.5;
    return epoch;
}

TEST(NmeaSentencesBuilt, ReadBackByGlibcAndByTheReader) {
    const GnssEpoch epoch = sampleEpoch();
    NmeaCoordinateText lat;
    NmeaCoordinateText lon;
    const std::string gga = finishSentence(ggaBody(epoch, &lat, &lon));
    EXPECT_EQ(gga.substr(0, 18), "$GPGGA,134502.12,4");
    double time = 0, alt = 0, sep = 0;
    int fix = 0;
    ASSERT_EQ(glibcScan(gga.c_str(), kGgaPattern, &time, &fix, &alt, &sep), 4);
    EXPECT_EQ(time, 134502.12);
    EXPECT_EQ(fix, 4);
    EXPECT_EQ(alt, 12.3);
    EXPECT_EQ(sep, 35.1);

    NmeaDecoder decoder;
    NmeaNavigationValues values;
    const std::string sentence = gga.substr(0, gga.size() - 2);
    ASSERT_EQ(decoder.decode(sentence, values, nullptr).outcome, NmeaSentenceOutcome::Decoded);
    EXPECT_EQ(values.latitude, lat.decodedDeg);
    EXPECT_EQ(values.longitude, lon.decodedDeg);
    EXPECT_LT(values.longitude, 0.0);
    EXPECT_EQ(values.fixQuality, 4);
    EXPECT_EQ(values.satellites, 16);

    const std::string rmc = finishSentence(rmcBody(epoch));
    double knots = -1;
    ASSERT_EQ(glibcScan(rmc.c_str(), kRmcPattern, &knots), 1) << rmc;
    EXPECT_EQ(knots, 5.25);
    decoder.decode(rmc.substr(0, rmc.size() - 2), values, nullptr);
    EXPECT_DOUBLE_EQ(values.speedKmh, 5.25 * 1.852);
    EXPECT_DOUBLE_EQ(values.courseDeg, 271.5);

    const std::string vtg = finishSentence(vtgBody(epoch));
    knots = -1;
    ASSERT_EQ(glibcScan(vtg.c_str(), kVtgPattern, &knots), 1) << vtg;
    EXPECT_EQ(knots, 5.25);
    EXPECT_NE(vtg.find(",266.00,M,"), std::string::npos) << "magnetic = true - east declination";

    const std::string hdt = finishSentence(hdtBody(epoch));
    double heading = -1;
    ASSERT_EQ(glibcScan(hdt.c_str(), "%*7s %lf", &heading), 1) << hdt;
    EXPECT_EQ(heading, 273.0);

    EXPECT_EQ(finishSentence(zdaBody(epoch)).substr(0, 34), "$GPZDA,134502.12,05,03,2026,00,00*");
}

TEST(NmeaSentencesBuilt, NoFixGivesAnEmptyPositionAndAVoidRmc) {
    GnssEpoch epoch = sampleEpoch();
    epoch.fixQuality = 0;
    NmeaDecoder decoder;
    NmeaNavigationValues values;
    values.latitude = 1;
    const std::string gga = ggaBody(epoch);
    decoder.decode("$" + gga, values, nullptr);
    EXPECT_EQ(values.latitude, 0.0);
    EXPECT_EQ(values.fixQuality, 0);
    EXPECT_NE(rmcBody(epoch).find(",V,"), std::string::npos);
}

TEST(EchosounderLines, EveryFormatIsReadByItsPatternAndCarriesItsTags) {
    DepthSounding sounding;
    sounding.utc = {{2026, 3, 5}, 13, 45, 2, 123};
    sounding.rawHighM = 12.34;
    sounding.rawLowM = 12.8;
    sounding.batteryV = 12.61;
    sounding.sequence = 123456;
    struct Expect {
        EchosounderFormat format;
        std::vector<const char*> tags;
        std::vector<double> values;
    };
    const Expect cases[] = {
        {EchosounderFormat::SelvirSmt, {"SMT"}, {12.34, 12.61}},
        {EchosounderFormat::NmeaDpt, {"DPT"}, {12.34}},
        {EchosounderFormat::NmeaDbt, {"DBT"}, {12.34}},
        {EchosounderFormat::SelvirXdrHi, {"XDHI"}, {12.34}},
        {EchosounderFormat::SelvirXdrLo, {"XDHI", "XDLO"}, {12.8}},
        {EchosounderFormat::SelvirXdrHl, {"XDHI", "XDLO"}, {12.34, 12.8}},
        {EchosounderFormat::OdcHi, {",B,"}, {12.34}},
    };
    for (const Expect& c : cases) {
        const EchosounderFormatInfo& info = echosounderFormatInfo(c.format);
        const std::string line = echosounderLine(c.format, sounding);
        SCOPED_TRACE(std::string(info.name) + ": " + line);
        ASSERT_GE(line.size(), 2u);
        EXPECT_EQ(line.substr(line.size() - 2), "\r\n");
        for (const char* tag : c.tags) {
            EXPECT_NE(line.find(tag), std::string::npos) << tag;
        }
        double values[2] = {-1, -1};
        const int count = glibcScan(line.c_str(), info.pattern, &values[0], &values[1]);
        ASSERT_EQ(count, static_cast<int>(c.values.size()));
        const ScanResult ours = ScanPattern(info.pattern).scan(line);
        ASSERT_EQ(ours.count, count);
        for (std::size_t i = 0; i < c.values.size(); ++i) {
            EXPECT_EQ(values[i], c.values[i]);
            EXPECT_EQ(ours.values[i].toDouble(), c.values[i]);
        }
    }
    // The DBT feet and fathoms agree with the metres.
    double feet = 0, metres = 0, fathoms = 0;
    ASSERT_EQ(glibcScan(echosounderLine(EchosounderFormat::NmeaDbt, sounding).c_str(),
                        "$SDDBT,%lf,f,%lf,M,%lf,F", &feet, &metres, &fathoms),
              3);
    EXPECT_NEAR(feet * 0.3048, metres, 0.005);
    EXPECT_NEAR(fathoms * 1.8288, metres, 0.01);
}

TEST(EchosounderLines, FormatsAreFoundByNameOrAlias) {
    EXPECT_EQ(echosounderFormatFromName("NMEA DBT"), EchosounderFormat::NmeaDbt);
    EXPECT_EQ(echosounderFormatFromName("selvir xdr h/l"), EchosounderFormat::SelvirXdrHl);
    EXPECT_EQ(echosounderFormatFromName("odc"), EchosounderFormat::OdcHi);
    EXPECT_FALSE(echosounderFormatFromName("OTHER").has_value());
    EXPECT_EQ(echosounderFormats().size(), 7u);
}

} // namespace
} // namespace selvir::sim
