// The rules behind the navigation settings, the vessel geometry and the latency windows.
#include "support/TempDir.h"
#include "tools/LatencyWatch.h"
#include "tools/NavigationSettingsRules.h"
#include "tools/VesselGeometryFields.h"

#include <fstream>
#include <gtest/gtest.h>

namespace selvir {
namespace {

TEST(UpdateRate, TypedTextsAndTheTrackIntervalThatFollows) {
    struct Case {
        const char* text;
        std::optional<int> rateMs;
        int trackInterval = 0;
    };
    const Case cases[] = {
        {"250", 250, 40},      {"", 1000, 10},         {"500", 500, 20},     {"100", 100, 100},
        {"5000", 5000, 2},     {"0", std::nullopt},    {"25", std::nullopt}, {"5100", std::nullopt},
        {"1e3", std::nullopt}, {"-500", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(updateRateFromText(c.text), c.rateMs) << '"' << c.text << '"';
        if (c.rateMs) {
            EXPECT_EQ(trackIntervalForRate(*c.rateMs), c.trackInterval) << c.text;
        }
    }
    EXPECT_GT(trackIntervalForRate(0), 0) << "never a division by zero";
}

TEST(LatencyWatch, BelowTheToleranceOnlyAndLastGoodValues) {
    LatencyWatch watch;
    EXPECT_EQ(watch.toleranceMs(), 500);
    ASSERT_TRUE(watch.setCurrentText("499"));
    EXPECT_TRUE(watch.withinTolerance());
    ASSERT_TRUE(watch.setCurrentText("500"));
    EXPECT_FALSE(watch.withinTolerance());
    // Texts that are not whole numbers change nothing.
    EXPECT_FALSE(watch.setToleranceText(""));
    EXPECT_FALSE(watch.setToleranceText("5.5"));
    EXPECT_FALSE(watch.setCurrentText("12a"));
    EXPECT_EQ(watch.toleranceMs(), 500);
    EXPECT_EQ(watch.currentMs(), 500);
    ASSERT_TRUE(watch.setToleranceText("501"));
    EXPECT_TRUE(watch.withinTolerance());

    test::TempDir dir;
    ProfileStore store(dir / "SelvirHS.INI");
    EXPECT_EQ(readLatencyTolerance(store), 500);
    ASSERT_TRUE(writeLatencyTolerance(store, 750));
    EXPECT_EQ(readLatencyTolerance(store), 750);
}

TEST(VesselGeometryFields, ReadDefaultsChecksAndRoundTrip) {
    test::TempDir dir;
    ProfileStore store(dir / "SelvirHS.INI");
    const VesselGeometryTexts none = readVesselGeometryTexts(store);
    EXPECT_EQ(none, (VesselGeometryTexts{"2", "10", "10", "100", "0"}));
    EXPECT_FALSE(firstUnusableGeometryField(none));

    struct Case {
        std::size_t field;
        const char* text;
        bool usable;
    };
    const Case cases[] = {
        {0, "3", true}, {0, "2.5", false}, {0, "-1", false},  {0, "101", false}, {1, "7.5", true},
        {2, "", false}, {3, "-10", false}, {4, "1,5", false}, {4, "0", true},
    };
    for (const Case& c : cases) {
        VesselGeometryTexts texts = none;
        texts[c.field] = c.text;
        EXPECT_EQ(firstUnusableGeometryField(texts) == std::optional<std::size_t>(c.field), !c.usable)
            << c.field << " \"" << c.text << '"';
    }
    VesselGeometryTexts bad = none;
    bad[2] = "x";
    EXPECT_EQ(vesselGeometryFromTexts(bad).firstRadiusM, 10) << "an unusable field gives its read default";

    const VesselGeometryTexts typed{"3", "12.5", "8", "40", "6"};
    ASSERT_TRUE(writeVesselGeometryTexts(store, typed));
    const VesselGeometry stored = VesselGeometry::read(store);
    EXPECT_EQ(stored.circleCount, 3);
    EXPECT_EQ(stored.circleIntervalM, 12.5);
    EXPECT_EQ(stored.firstRadiusM, 8);
    EXPECT_EQ(stored.arrowLengthM, 40);
    EXPECT_EQ(stored.arrowHalfWidthM, 6);
    EXPECT_EQ(readVesselGeometryTexts(store), typed);
}

} // namespace
} // namespace selvir
