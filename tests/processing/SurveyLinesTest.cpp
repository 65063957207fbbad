#include "processing/SurveyLines.h"

#include "processing/TrackBuilder.h"

#include <gtest/gtest.h>
#include <random>

namespace selvir::processing {
namespace {

double flat(double, double) {
    return 10.0;
}

// Four north-south lines 25 m apart joined by U-turns of 12.5 m radius (as a boat runs them).
test::TrackBuilder lawnmower() {
    test::TrackBuilder track(flat);
    track.startAt(0, 0, 0);
    for (int k = 0; k < 4; ++k) {
        const double e = 25.0 * k;
        const bool north = k % 2 == 0;
        track.sailTo(e, north ? 300 : 0);
        if (k == 3) {
            break;
        }
        for (int step = 1; step <= 12; ++step) {
            const double a = std::numbers::pi * step / 12;
            const double ce = e + 12.5;
            track.sailTo(ce - 12.5 * std::cos(a), north ? 300 + 12.5 * std::sin(a) : -12.5 * std::sin(a));
        }
    }
    return track;
}

TEST(SurveyLines, TrackWithoutLineNumbersIsSplitAtEachTurn) {
    test::TrackBuilder track = lawnmower();
    const std::vector<SurveyLine> lines = surveyLines(track.soundings());
    ASSERT_EQ(lines.size(), 4u);
    const auto onTurn = [](const Sounding& s) { return s.northingM > 300.001 || s.northingM < -0.001; };
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const SurveyLine& line = lines[k];
        EXPECT_EQ(line.number, 0);
        // Each holds its whole straight run; the splits fall inside the turns.
        for (std::size_t i = 0; i < track.soundings().size(); ++i) {
            const Sounding& s = track.soundings()[i];
            if (!onTurn(s) && std::abs(s.eastingM - 25.0 * k) < 0.01) {
                EXPECT_TRUE(i >= line.soundings.begin && i < line.soundings.end) << "line " << k << ", " << i;
            }
        }
        if (k > 0) {
            EXPECT_TRUE(onTurn(track.soundings()[line.soundings.begin])) << k;
        }
        if (k < 3) {
            EXPECT_TRUE(onTurn(track.soundings()[line.soundings.end - 1])) << k;
        }
        EXPECT_GT(line.lengthM, 300.0);
        EXPECT_LT(line.lengthM, 300.0 + 2 * 12.5 * std::numbers::pi + 1);
        EXPECT_EQ(line.alongM.front(), 0.0);
        EXPECT_TRUE(std::is_sorted(line.alongM.begin(), line.alongM.end()));
    }
    EXPECT_EQ(lines.back().soundings.end, track.soundings().size());
}

TEST(SurveyLines, NoiseAndAGentleBendDoNotSplitALine) {
    std::mt19937 random(4);
    std::normal_distribution<double> gnss(0.0, 0.05);
    test::TrackBuilder track(flat);
    // A 600 m line bending by 25 degrees over its length, then a minute at rest on station.
    track.startAt(0, 0, 0);
    for (int k = 1; k <= 60; ++k) {
        const double a = 25.0 * k / 60 * std::numbers::pi / 180;
        track.sailTo(track.soundings().back().eastingM + 10 * std::sin(a),
                     track.soundings().back().northingM + 10 * std::cos(a));
    }
    for (Sounding& s : track.soundings()) {
        s.eastingM += gnss(random);
        s.northingM += gnss(random);
    }
    const Sounding end = track.soundings().back();
    for (int k = 0; k < 300; ++k) {
        Sounding still = end;
        still.key.timeMs += 200 * (k + 1);
        still.eastingM += gnss(random);
        still.northingM += gnss(random);
        track.soundings().push_back(still);
    }
    EXPECT_EQ(surveyLines(track.soundings()).size(), 1u);
}

TEST(SurveyLines, LineNumbersGroupRunsAndARerunIsItsOwnPass) {
    test::TrackBuilder track(flat);
    track.line(1).startAt(0, 0, 0).sailTo(0, 100);
    track.line(0).sailTo(20, 100); // the turn, between lines
    track.line(2).sailTo(20, 0);
    track.line(1).startAt(0, 0, 600'000).sailTo(0, 100); // line 1 again ten minutes later
    const std::vector<SurveyLine> lines = surveyLines(track.soundings());
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].number, 1);
    EXPECT_EQ(lines[1].number, 0);
    EXPECT_EQ(lines[2].number, 2);
    EXPECT_EQ(lines[3].number, 1);
    EXPECT_EQ(lines[0].pass, 0);
    EXPECT_EQ(lines[3].pass, 1);
    EXPECT_NEAR(lines[3].lengthM, 100.0, 0.5);
    EXPECT_EQ(lines[3].alongM.front(), 0.0); // a pass is measured from its own start
}

TEST(SurveyLines, SoundingWithoutPositionStaysInItsLineWithoutDistance) {
    test::TrackBuilder track(flat);
    track.startAt(0, 0, 0).sailTo(0, 50);
    track.soundings()[10].eastingM = kNoValue;
    const std::vector<SurveyLine> lines = surveyLines(track.soundings());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(std::isnan(lines[0].alongM[10]));
    EXPECT_NEAR(lines[0].alongM[11], 11 * 0.4, 1e-9);
}

TEST(SurveyLines, BearingsAndTheirDifferences) {
    EXPECT_DOUBLE_EQ(gridBearingDeg(0, 0, 0, 1), 0.0);
    EXPECT_DOUBLE_EQ(gridBearingDeg(0, 0, 1, 0), 90.0);
    EXPECT_DOUBLE_EQ(gridBearingDeg(0, 0, -1, 0), 270.0);
    EXPECT_DOUBLE_EQ(bearingDifferenceDeg(350, 10), 20.0);
    EXPECT_DOUBLE_EQ(bearingDifferenceDeg(10, 350), -20.0);
    EXPECT_DOUBLE_EQ(std::abs(bearingDifferenceDeg(0, 180)), 180.0);
}

} // namespace
} // namespace selvir::processing
