#include "processing/Crossings.h"

#include "processing/LiveCrossings.h"
#include "processing/TrackBuilder.h"

#include <gtest/gtest.h>
#include <random>

namespace selvir::processing {
namespace {

constexpr std::int64_t kDayMs = 1'775'520'000'000; // 2026-04-07 00:00, TrackBuilder's day

std::vector<Sounding> joined(std::vector<Sounding> a, const std::vector<Sounding>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<Crossing> crossingsOf(const std::vector<Sounding>& soundings,
                                  std::vector<std::uint8_t> accepted = {}) {
    if (accepted.empty()) {
        accepted.assign(soundings.size(), 1);
    }
    return findCrossings(trackSegments(soundings, accepted, chooseDepthReference(soundings)));
}

TEST(Crossings, TwoStraightTracksGiveTheHandComputedDifference) {
    // Pass a: west to east along N 0.3 from t = 0, over a seabed sloping 5 cm per metre eastwards.
    test::TrackBuilder a([](double e, double) { return 10.0 + 0.05 * e; });
    a.startAt(-50, 0.3, 0).sailTo(50, 0.3);
    // Pass b, ten minutes later, south to north along E 0.1, its sounder reading 25 cm deep.
    test::TrackBuilder b([](double e, double) { return 10.25 + 0.05 * e; });
    b.startAt(0.1, -50, 600'000).sailTo(0.1, 50);
    const std::vector<Crossing> crossings = crossingsOf(joined(a.soundings(), b.soundings()));
    ASSERT_EQ(crossings.size(), 1u);
    const Crossing& c = crossings[0];
    // At (0.1, 0.3): a at 2 m/s has sailed 50.1 m (25.05 s) and reads 10 + 0.05 * 0.1 = 10.005 m,
    // interpolated between its soundings at E 0.0 and 0.4; b has sailed 50.3 m (600 s + 25.15 s) and
    // reads 10.255 m. difference = 10.005 - 10.255 = -0.250; mean depth 10.130 m; angle 90 degrees.
    EXPECT_NEAR(c.eastingM, 0.1, 1e-9);
    EXPECT_NEAR(c.northingM, 0.3, 1e-9);
    EXPECT_EQ(c.timeAMs - kDayMs, 25'050);
    EXPECT_EQ(c.timeBMs - kDayMs, 625'150);
    EXPECT_NEAR(c.depthAM, 10.005, 1e-9);
    EXPECT_NEAR(c.depthBM, 10.255, 1e-9);
    EXPECT_NEAR(c.differenceM(), -0.250, 1e-9);
    EXPECT_NEAR(c.angleDeg, 90.0, 1e-9);
    // TVU 1a at 10.130 m: sqrt(0.5^2 + (0.013 * 10.13)^2) = sqrt(0.25 + 0.017342) = 0.51705 m: within;
    // exclusive: sqrt(0.15^2 + (0.0075 * 10.13)^2) = sqrt(0.0225 + 0.005772) = 0.16814 m: beyond.
    EXPECT_TRUE(c.withinTvu(SurveyOrder::Order1a));
    EXPECT_FALSE(c.withinTvu(SurveyOrder::Exclusive));
}

TEST(Crossings, ATrackNeverCrossesItselfWithinAMinuteButARerunDoes) {
    // A figure of eight: (0,0) -> (10,10) -> (10,0) -> (0,10) crosses itself at (5,5), 12 s apart at
    // 2 m/s and 97 s apart at 0.25 m/s.
    const auto loop = [](double speedMps, std::int64_t intervalMs) {
        test::TrackBuilder t([](double, double) { return 8.0; }, speedMps, intervalMs);
        t.startAt(0, 0, 0).sailTo(10, 10).sailTo(10, 0).sailTo(0, 10);
        return t.soundings();
    };
    EXPECT_TRUE(crossingsOf(loop(2.0, 200)).empty());
    EXPECT_EQ(crossingsOf(loop(0.25, 1000)).size(), 1u);

    // A zigzag of sharp 3 m legs (consecutive segments meet at 90 degrees): nothing.
    test::TrackBuilder zigzag([](double, double) { return 8.0; });
    zigzag.startAt(0, 0, 0);
    for (int k = 1; k <= 20; ++k) {
        zigzag.sailTo(k * 3.0, k % 2 ? 3.0 : 0.0);
    }
    EXPECT_TRUE(crossingsOf(zigzag.soundings()).empty());

    // The same line sailed again an hour later, half a metre over: parallel, no crossing. Sailed again
    // at 40 degrees to it, under the same line number: one.
    test::TrackBuilder line([](double, double) { return 8.0; });
    line.line(3).startAt(0, 0, 0).sailTo(100, 0);
    line.startAt(0, 0.5, 3'600'000).sailTo(100, 0.5);
    EXPECT_TRUE(crossingsOf(line.soundings()).empty());
    line.startAt(20, -20, 7'200'000).sailTo(20 + 60 * std::cos(0.698), -20 + 60 * std::sin(0.698));
    EXPECT_EQ(crossingsOf(line.soundings()).size(), 2u); // over both earlier passes
}

TEST(Crossings, AngleOfThirtyDegreesAndTwoMetreNeighboursAreTheLimits) {
    const auto pair = [](double angleDeg) {
        test::TrackBuilder t([](double, double) { return 8.0; });
        const double rad = angleDeg * std::numbers::pi / 180;
        t.startAt(-30, 0.1, 0).sailTo(30, 0.1);
        t.startAt(-30 * std::cos(rad), -30 * std::sin(rad), 120'000)
            .sailTo(30 * std::cos(rad), 30 * std::sin(rad));
        return t.soundings();
    };
    EXPECT_TRUE(crossingsOf(pair(29.5)).empty());
    ASSERT_EQ(crossingsOf(pair(30.5)).size(), 1u);
    EXPECT_NEAR(crossingsOf(pair(30.5))[0].angleDeg, 30.5, 1e-6);
    EXPECT_EQ(crossingsOf(pair(149.5)).size(), 1u); // 30.5 degrees the other way round

    // Pass b's soundings around the crossing (N 0.1) rejected: the accepted neighbours it is taken
    // from are 1.7 m and 0.3 m from it, and it is used ...
    const std::vector<Sounding> s = pair(90);
    const auto rejectingB = [&](double fromN, double toN) {
        std::vector<std::uint8_t> accepted(s.size(), 1);
        for (std::size_t i = 0; i < s.size(); ++i) {
            if (s[i].key.timeMs - kDayMs >= 120'000 && s[i].northingM > fromN && s[i].northingM < toN) {
                accepted[i] = 0;
            }
        }
        return crossingsOf(s, accepted);
    };
    EXPECT_EQ(rejectingB(-1.4, 0.2).size(), 1u);
    // ... but with 2.5 m and 0.3 m (a segment of 2.8 m) it is not.
    EXPECT_TRUE(rejectingB(-2.2, 0.2).empty());
}

TEST(Crossings, ATrackThroughAnotherTracksSoundingCrossesOnce) {
    // Both on exact binary positions: b passes exactly over a's sounding at (0, 0).
    test::TrackBuilder t([](double, double) { return 8.0; }, 2.5, 200);
    t.startAt(-20, 0, 0).sailTo(20, 0);
    t.startAt(0, -20, 300'000).sailTo(0, 20);
    EXPECT_EQ(crossingsOf(t.soundings()).size(), 1u);
    t.startAt(-20, -20, 600'000).sailTo(20, 20); // and through the first crossing point itself
    EXPECT_EQ(crossingsOf(t.soundings()).size(), 3u);
}

// A boat wandering at random over a small area for 40 minutes, turning all the time.
std::vector<Sounding> randomWander(std::uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> turn(-0.6, 0.6);
    test::TrackBuilder t([](double e, double n) { return 12.0 + 0.1 * std::sin(e / 7) + 0.05 * n / 30; });
    double e = 0, n = 0, heading = 0;
    t.startAt(0, 0, 0);
    for (int k = 0; k < 500; ++k) {
        heading += turn(random);
        e += 3.0 * std::sin(heading);
        n += 3.0 * std::cos(heading);
        if (std::hypot(e, n) > 40) {
            heading += std::numbers::pi;
        }
        t.sailTo(e, n);
    }
    return t.soundings();
}

TEST(Crossings, GridIndexFindsExactlyWhatTestingEveryPairFinds) {
    for (std::uint32_t seed = 1; seed <= 3; ++seed) {
        const std::vector<Sounding> soundings = randomWander(seed);
        const std::vector<std::uint8_t> accepted(soundings.size(), 1);
        const std::vector<TrackSegment> segments = trackSegments(soundings, accepted, DepthReference::Datum);
        const std::vector<Crossing> fast = findCrossings(segments);
        const std::vector<Crossing> slow = findCrossingsBruteForce(segments);
        EXPECT_GT(slow.size(), 50u) << seed;
        EXPECT_EQ(fast, slow) << seed;
    }
}

TEST(Crossings, LiveDetectionFindsTheSameCrossingsAsTheAnalysisAfterTheSurvey) {
    // Main lines north-south, cross lines east-west after them; every 37th sounding rejected as it came.
    test::TrackBuilder t([](double e, double n) { return 20.0 + 0.01 * e - 0.02 * n; });
    t.startAt(0, 0, 0);
    for (int k = 0; k < 6; ++k) {
        t.sailTo(10.0 * k, k % 2 ? 0 : 100).sailTo(10.0 * (k + 1), k % 2 ? 0 : 100);
    }
    for (int k = 0; k < 4; ++k) {
        t.sailTo(k % 2 ? -5 : 65, 10 + 25.0 * k).sailTo(k % 2 ? -5 : 65, 35 + 25.0 * k);
    }
    std::vector<Sounding> soundings = randomWander(9);
    soundings.insert(soundings.begin(), t.soundings().begin(), t.soundings().end());
    for (std::size_t i = 0; i < soundings.size(); ++i) {
        soundings[i].key.timeMs = kDayMs + static_cast<std::int64_t>(i) * 200;
    }
    std::vector<std::uint8_t> accepted(soundings.size(), 1);
    for (std::size_t i = 0; i < soundings.size(); i += 37) {
        accepted[i] = 0;
    }
    const std::vector<Crossing> batch = crossingsOf(soundings, accepted);
    LiveCrossingDetector live(DepthReference::Datum);
    std::size_t reported = 0;
    for (std::size_t i = 0; i < soundings.size(); ++i) {
        for (const Crossing& c : live.add(soundings[i], accepted[i] != 0)) {
            // Found the moment its second pass is sailed.
            EXPECT_LE(c.timeBMs, soundings[i].key.timeMs);
            ++reported;
        }
    }
    EXPECT_GT(batch.size(), 100u);
    EXPECT_EQ(live.crossings(), batch);
    EXPECT_EQ(reported, batch.size());
    const CrossingStatistics fromLive = live.statistics(SurveyOrder::Special);
    const CrossingStatistics fromBatch = crossingStatistics(batch, SurveyOrder::Special);
    EXPECT_EQ(fromLive.count, fromBatch.count);
    EXPECT_EQ(fromLive.within, fromBatch.within);
    EXPECT_NEAR(fromLive.stdM, fromBatch.stdM, 1e-12);
}

TEST(Crossings, TvuOfEachOrderAtAFewDepths) {
    // IHO S-44 Ed. 6.0, Table 1: TVU = sqrt(a^2 + (b d)^2), worked by hand:
    //   exclusive at 10 m: sqrt(0.0225 + 0.075^2 = 0.005625) = sqrt(0.028125) = 0.167705
    //   special at 40 m:   sqrt(0.0625 + 0.3^2 = 0.09)        = sqrt(0.1525)   = 0.390512
    //   1a at 30 m:        sqrt(0.25 + 0.39^2 = 0.1521)        = sqrt(0.4021)   = 0.634114
    //   1b at 100 m:       sqrt(0.25 + 1.3^2 = 1.69)           = sqrt(1.94)     = 1.392839
    //   2 at 200 m:        sqrt(1 + 4.6^2 = 21.16)             = sqrt(22.16)    = 4.707441
    //   2 at 0 m:          a alone = 1.0
    const struct {
        const char* order;
        double depthM, tvuM;
    } cases[] = {{"exclusive", 10, 0.167705}, {"special", 40, 0.390512}, {"1a", 30, 0.634114},
                 {"1b", 100, 1.392839},       {"2", 200, 4.707441},      {"2", 0, 1.0},
                 {"1a", -30, 0.634114}};
    for (const auto& c : cases) {
        const auto order = parseSurveyOrder(c.order);
        ASSERT_TRUE(order.has_value()) << c.order;
        EXPECT_NEAR(tvuM(*order, c.depthM), c.tvuM, 1e-6) << c.order << " at " << c.depthM;
        EXPECT_EQ(surveyOrderName(*order), c.order);
    }
    EXPECT_FALSE(parseSurveyOrder("1c").has_value());
    EXPECT_FALSE(parseSurveyOrder("Special").has_value());
}

TEST(Crossings, StatisticsAndTheNinetyFivePercentVerdict) {
    const auto crossingWith = [](double difference) {
        Crossing c;
        c.depthAM = 10.0 + difference / 2;
        c.depthBM = 10.0 - difference / 2;
        return c;
    };
    // Order 1a at 10 m allows sqrt(0.25 + 0.0169) = 0.5166 m.
    std::vector<Crossing> crossings;
    for (int k = 0; k < 19; ++k) {
        crossings.push_back(crossingWith(k % 2 ? 0.1 : -0.1));
    }
    crossings.push_back(crossingWith(0.9));
    CrossingStatistics s = crossingStatistics(crossings, SurveyOrder::Order1a);
    EXPECT_EQ(s.count, 20u);
    // Nine of +0.1, ten of -0.1 and one of 0.9: mean 0.04; sum of squares about the mean
    // 9 * 0.06^2 + 10 * 0.14^2 + 0.86^2 = 0.0324 + 0.196 + 0.7396 = 0.968; std = sqrt(0.968 / 19).
    EXPECT_NEAR(s.meanM, 0.04, 1e-12);
    EXPECT_NEAR(s.stdM, std::sqrt(0.968 / 19), 1e-12);
    EXPECT_NEAR(s.maxAbsM, 0.9, 1e-12);
    EXPECT_EQ(s.within, 19u);
    EXPECT_DOUBLE_EQ(s.withinPercent, 95.0);
    EXPECT_TRUE(s.pass);
    crossings[0] = crossingWith(-0.6);
    s = crossingStatistics(crossings, SurveyOrder::Order1a);
    EXPECT_EQ(s.within, 18u);
    EXPECT_FALSE(s.pass);
    EXPECT_TRUE(crossingStatistics(crossings, SurveyOrder::Order2).pass);
    const CrossingStatistics none = crossingStatistics({}, SurveyOrder::Order2);
    EXPECT_EQ(none.count, 0u);
    EXPECT_FALSE(none.pass);
    EXPECT_TRUE(std::isnan(none.meanM));
}

} // namespace
} // namespace selvir::processing
