#include "serial/NmeaDecoder.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace selvir {
namespace {

// Records every change with the values as they stood at that moment.
struct Recorder : NmeaChangeListener {
    std::vector<NmeaNavigationValues> positions;
    std::vector<NmeaNavigationValues> speeds;
    void positionChanged(const NmeaNavigationValues& v) override { positions.push_back(v); }
    void speedChanged(const NmeaNavigationValues& v) override { speeds.push_back(v); }
};

struct Decoding {
    NmeaDecoder decoder;
    NmeaNavigationValues values;
    Recorder recorder;
    NmeaDecodeResult operator()(const std::string& sentence) {
        return decoder.decode(sentence, values, &recorder);
    }
};

constexpr const char* kGga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47";

TEST(NmeaDecoder, GgaGivesPositionFixAndSatellitesAndOneChange) {
    Decoding d;
    const auto result = d(kGga);
    EXPECT_EQ(result.outcome, NmeaSentenceOutcome::Decoded);
    EXPECT_TRUE(result.isGga());
    EXPECT_NEAR(d.values.latitude, 48.1173, 1e-12);
    EXPECT_NEAR(d.values.longitude, 11.0 + 31.0 / 60.0, 1e-12);
    EXPECT_DOUBLE_EQ(d.values.altitude, 545.4);
    EXPECT_EQ(d.values.fixQuality, 1);
    EXPECT_EQ(d.values.satellites, 8);
    ASSERT_EQ(d.recorder.positions.size(), 1u);
    EXPECT_DOUBLE_EQ(d.recorder.positions[0].latitude, d.values.latitude);

    d(kGga);
    EXPECT_EQ(d.recorder.positions.size(), 1u) << "the same position again is no change";
    d("$GPGGA,123520,4807.038,N,01131.000,E,1,08,0.9,545.5,M,46.9,M,,*47");
    EXPECT_EQ(d.recorder.positions.size(), 2u) << "an altitude change alone is a change";
}

TEST(NmeaDecoder, AnyTalkerIsAcceptedAndTheChecksumIsIgnored) {
    for (const char* talker : {"GN", "IN", "GL", "02"}) {
        Decoding d;
        d(std::string("$") + talker + "GGA,123519,4807.038,N,01131.000,E,4,12,0.9,1.0,M,,M,,*00");
        EXPECT_EQ(d.values.fixQuality, 4) << talker;
        EXPECT_EQ(d.recorder.positions.size(), 1u) << talker;
    }
}

TEST(NmeaDecoder, SouthAndWestAreNegativeAndAnEmptyLetterMeansTwoDegreeDigits) {
    Decoding d;
    d("$GPGGA,1,3702.6915,S,07330.4708,W,1,08,0.9,5,M,,M,,");
    EXPECT_NEAR(d.values.latitude, -(37 + 2.6915 / 60), 1e-12);
    EXPECT_NEAR(d.values.longitude, -(73 + 30.4708 / 60), 1e-12);
    d("$GPGGA,1,4807.038,,01131.000,,1,08,0.9,5,M,,M,,");
    EXPECT_NEAR(d.values.latitude, 48 + 7.038 / 60, 1e-12);
    EXPECT_NEAR(d.values.longitude, 1.0 + 131.0 / 60.0, 1e-12);
}

TEST(NmeaDecoder, CoordinateRules) {
    struct Case {
        const char* value;
        const char* letter;
        double expected;
    };
    const Case cases[] = {
        {"", "N", 0.0},               // empty
        {"4807", "N", 0.0},           // no decimal point
        {".5", "N", 0.0},             // point first
        {"1.5", "E", 0.0},            // point second
        {"12.5", "N", 12 + 0.5 / 60}, // point third: two degree digits
        {"0000.0000", "S", 0.0},
        {"9000.0000", "N", 90.0},
        {"18000.0000", "W", -180.0},
    };
    for (const Case& c : cases) {
        const auto value = nmeaCoordinate(c.value, c.letter);
        ASSERT_TRUE(value.has_value()) << c.value;
        EXPECT_NEAR(*value, c.expected, 1e-12) << c.value << " " << c.letter;
    }
    EXPECT_FALSE(nmeaCoordinate("48x7.038", "N").has_value());
    EXPECT_FALSE(nmeaCoordinate("4807.0x8", "N").has_value());
    EXPECT_FALSE(nmeaCoordinate("123.", "E").has_value()) << "no minutes left after three degree digits";
    EXPECT_FALSE(nmeaCoordinate("inf0.5", "N").has_value());
}

TEST(NmeaDecoder, RmcGivesSpeedInKmhAndCourse) {
    Decoding d;
    d("$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A");
    EXPECT_NEAR(d.values.speedKmh, 41.4848, 1e-9);
    EXPECT_DOUBLE_EQ(d.values.courseDeg, 84.4);
    ASSERT_EQ(d.recorder.speeds.size(), 1u);
    EXPECT_EQ(d.recorder.speeds[0].courseDeg, 0.0) << "the speed is announced before the course is read";
    EXPECT_DOUBLE_EQ(d.values.latitude, 0.0) << "RMC position is not used";
    d("$GPRMC,123520,A,4807.038,N,01131.000,E,022.4,090.0,230394,003.1,W*6A");
    EXPECT_EQ(d.recorder.speeds.size(), 1u);
    EXPECT_DOUBLE_EQ(d.values.courseDeg, 90.0);
}

TEST(NmeaDecoder, VtgGivesCourseThenSpeed) {
    Decoding d;
    d("$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K");
    EXPECT_DOUBLE_EQ(d.values.courseDeg, 54.7);
    EXPECT_DOUBLE_EQ(d.values.speedKmh, 10.2);
    ASSERT_EQ(d.recorder.speeds.size(), 1u);
    EXPECT_DOUBLE_EQ(d.recorder.speeds[0].courseDeg, 54.7) << "VTG stores its course before its speed";
}

TEST(NmeaDecoder, ShortAndUnknownSentencesChangeNothing) {
    Decoding d;
    d(kGga);
    const NmeaNavigationValues before = d.values;
    EXPECT_EQ(d("$GPGGA").outcome, NmeaSentenceOutcome::TooFewFields);
    EXPECT_EQ(d("$GPGG").outcome, NmeaSentenceOutcome::TooShort);
    EXPECT_EQ(d("$GPGG*47").outcome, NmeaSentenceOutcome::TooShort) << "the checksum does not count";
    EXPECT_EQ(d("$GPGGA,1,2,3,4,5,6,7,8").outcome, NmeaSentenceOutcome::TooFewFields);
    EXPECT_EQ(d("$GPRMC,1,A,2,N,3,E").outcome, NmeaSentenceOutcome::TooFewFields);
    EXPECT_EQ(d("$GPZDA,123519,05,03,2026,00,00").outcome, NmeaSentenceOutcome::Recognised);
    EXPECT_EQ(d("$GPGSA,A,3,04,05,,,,,,,,,,,2.5,1.3,2.1").outcome, NmeaSentenceOutcome::Recognised);
    EXPECT_EQ(d("$HEHDT,271.5,T").outcome, NmeaSentenceOutcome::Ignored);
    EXPECT_EQ(d.values.latitude, before.latitude);
    EXPECT_EQ(d.values.fixQuality, before.fixQuality);
    EXPECT_EQ(d.recorder.positions.size(), 1u);
}

TEST(NmeaDecoder, EmptyGgaFieldsKeepPreviousFixSatellitesAndAltitude) {
    Decoding d;
    d(kGga);
    d("$GPGGA,123521,4807.100,N,01131.000,E,,,0.9,,M,46.9,M,,");
    EXPECT_EQ(d.values.fixQuality, 1);
    EXPECT_EQ(d.values.satellites, 8);
    EXPECT_DOUBLE_EQ(d.values.altitude, 545.4);
    EXPECT_NEAR(d.values.latitude, 48 + 7.1 / 60, 1e-12);
}

TEST(NmeaDecoder, ColdStartGgaWithoutPositionGivesZeroPosition) {
    Decoding d;
    d(kGga);
    d("$GPGGA,235952.00,,,,,0,00,0.0,,M,,M,,*00");
    EXPECT_EQ(d.values.latitude, 0.0);
    EXPECT_EQ(d.values.longitude, 0.0);
    EXPECT_EQ(d.values.fixQuality, 0);
    EXPECT_EQ(d.recorder.positions.size(), 2u);
}

TEST(NmeaDecoder, UnreadableGgaFieldDropsTheWholeSentence) {
    const char* bad[] = {
        "$GPGGA,1,48x7.038,N,01131.000,E,4,08,0.9,5.0,M,1,M,,",  // latitude
        "$GPGGA,1,4807.038,N,011y1.000,E,4,08,0.9,5.0,M,1,M,,",  // longitude
        "$GPGGA,1,4807.038,N,01131.000,E,A,08,0.9,5.0,M,1,M,,",  // fix quality
        "$GPGGA,1,4807.038,N,01131.000,E,4,0@,0.9,5.0,M,1,M,,",  // satellites
        "$GPGGA,1,4807.038,N,01131.000,E,4,08,0.9,5..0,M,1,M,,", // altitude
        "$GPGGA,1,4807.038,N,01131.000,E,4,08,0.9,nan,M,1,M,,",  // altitude
        "$GPGGA,1,9907.038,N,01131.000,E,4,08,0.9,5.0,M,1,M,,",  // latitude beyond 90
        "$GPGGA,1,4807.038,N,19031.000,E,4,08,0.9,5.0,M,1,M,,",  // longitude beyond 180
    };
    for (const char* sentence : bad) {
        Decoding d;
        d(kGga);
        const NmeaNavigationValues before = d.values;
        EXPECT_EQ(d(sentence).outcome, NmeaSentenceOutcome::Malformed) << sentence;
        EXPECT_EQ(d.values.latitude, before.latitude) << sentence;
        EXPECT_EQ(d.values.longitude, before.longitude) << sentence;
        EXPECT_EQ(d.values.altitude, before.altitude) << sentence;
        EXPECT_EQ(d.values.fixQuality, 1) << sentence;
        EXPECT_EQ(d.values.satellites, 8) << sentence;
        EXPECT_EQ(d.recorder.positions.size(), 1u) << sentence;
    }
}

TEST(NmeaDecoder, UnreadableSpeedOrCourseStopsWhereItIs) {
    Decoding d;
    d("$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K");
    EXPECT_EQ(d("$GPRMC,1,A,4807.038,N,01131.000,E,2#.4,084.4,230394,,").outcome,
              NmeaSentenceOutcome::Malformed);
    EXPECT_DOUBLE_EQ(d.values.speedKmh, 10.2);
    EXPECT_DOUBLE_EQ(d.values.courseDeg, 54.7) << "the course after a bad speed is not reached";
    d("$GPRMC,1,A,4807.038,N,01131.000,E,022.4,08x.4,230394,,");
    EXPECT_NEAR(d.values.speedKmh, 41.4848, 1e-9) << "the speed read before a bad course stays";
    EXPECT_DOUBLE_EQ(d.values.courseDeg, 54.7);
    d("$GPVTG,100.0,T,034.4,M,005.5,N,1O.2,K");
    EXPECT_DOUBLE_EQ(d.values.courseDeg, 100.0) << "VTG's course is stored before its bad speed";
    EXPECT_NEAR(d.values.speedKmh, 41.4848, 1e-9);
    EXPECT_EQ(d.recorder.speeds.size(), 2u);
}

TEST(NmeaDecoder, EmptySpeedAndCourseFieldsChangeNothing) {
    Decoding d;
    d("$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K");
    d("$GPRMC,1,V,,,,,,,230394,,,N*53");
    EXPECT_DOUBLE_EQ(d.values.speedKmh, 10.2);
    EXPECT_DOUBLE_EQ(d.values.courseDeg, 54.7);
    d("$GPVTG,,T,,M,,N,,K,N");
    EXPECT_DOUBLE_EQ(d.values.speedKmh, 10.2);
    EXPECT_DOUBLE_EQ(d.values.courseDeg, 54.7);
}

} // namespace
} // namespace selvir
