// The acoustic waterfall's depth window, grid and frame layout, with expected values worked by hand
// from the waterfall's drawing rules.
#include "navigation/WaterfallProfile.h"

#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace selvir {
namespace {

WaterfallSamples samplesOf(const std::vector<double>& depths, int count) {
    WaterfallSamples samples;
    for (double depth : depths) {
        samples.push(depth, count);
    }
    return samples;
}

struct WindowCase {
    const char* name;
    std::vector<double> depths;
    double topM, bottomM;
};

TEST(WaterfallProfileTest, TheDepthWindowFitsTheValidDepthsOrFallsBackToTheDefaults) {
    const std::vector<WindowCase> cases = {
        {"three valid depths are too few", {12, 0, 14, 16}, 0, 50},
        {"a flat bottom", {8, 8, 8, 8, 8}, 0, 50},
        {"1 m spread: the tenth is raised to 0.3 m", {10, 10.5, 11, 10.2}, 9.7, 11.3},
        {"10 m spread: a margin of 1 m", {10, 15, 20, 12}, 9, 21},
        {"never above the surface", {0.1, 0.2, 0.5, 0.3}, 0, 0.8},
        {"no depth at all", {}, 0, 50},
        {"negative and zero depths are no depths", {-5, 0, 3, 4, 5}, 0, 50},
    };
    for (const WindowCase& c : cases) {
        SCOPED_TRACE(c.name);
        const DepthWindow window = fitDepthWindow(samplesOf(c.depths, 50), 50, 0, 50);
        EXPECT_NEAR(window.topM, c.topM, 1e-12);
        EXPECT_NEAR(window.bottomM, c.bottomM, 1e-12);
        EXPECT_NEAR(window.rangeM, c.bottomM - c.topM, 1e-12);
    }
    // Equal defaults give no range: one metre is used, so rows stay finite.
    EXPECT_EQ(fitDepthWindow(WaterfallSamples{}, 50, 5, 5).rangeM, 1.0);
}

TEST(WaterfallProfileTest, OnlyTheFirstCountSamplesCount) {
    // Pushed with 5 columns, then looked at with 3: the two oldest lie beyond the window's samples.
    WaterfallSamples samples = samplesOf({4, 30, 6, 7, 8}, 5);
    EXPECT_EQ(fitDepthWindow(samples, 5, 0, 50).validSamples, 5);
    EXPECT_EQ(fitDepthWindow(samples, 3, 0, 50).validSamples, 3);
    samples.push(9, 3); // shifts the first three only
    EXPECT_EQ(samples.depthAt(0), 30);
    EXPECT_EQ(samples.depthAt(2), 9);
    EXPECT_EQ(samples.depthAt(3), 7);
}

TEST(WaterfallProfileTest, SampleCountsOutsideTheRingAreBroughtToItsEnds) {
    EXPECT_EQ(WaterfallSamples::clampSampleCount(0), 1);
    EXPECT_EQ(WaterfallSamples::clampSampleCount(-7), 1);
    EXPECT_EQ(WaterfallSamples::clampSampleCount(200), 200);
    EXPECT_EQ(WaterfallSamples::clampSampleCount(201), 200);
    EXPECT_EQ(WaterfallSamples::clampSampleCount(std::numeric_limits<int>::max()), 200);
    // A push with such a count neither writes outside the ring nor loses the depth.
    WaterfallSamples samples;
    samples.push(12, 100000);
    EXPECT_EQ(samples.depthAt(WaterfallSamples::kCapacity - 1), 12);
    samples.push(13, 0);
    EXPECT_EQ(samples.depthAt(0), 13);
}

TEST(WaterfallProfileTest, GridStepsAreOneTwoTwoAndAHalfOrFiveTimesAPowerOfTen) {
    struct StepCase {
        double rangeM, stepM;
        int decimals;
    };
    for (const StepCase& c : std::vector<StepCase>{
             {50, 20, 0},     // a quarter is 12.5: up to 20
             {1.6, 0.5, 1},   // 0.4: up to 0.5
             {12, 5, 0},      // 3: up to 5
             {0.8, 0.2, 1},   // 0.2 stays
             {1, 0.25, 1},    // 0.25 stays
             {2.4, 1, 0},     // 0.6: past 5 tenths, a whole metre
             {0.12, 0.05, 2}, // 0.03: up to 0.05
             {400, 100, 0},   // 100 stays
         }) {
        SCOPED_TRACE(c.rangeM);
        EXPECT_NEAR(depthGridStepM(c.rangeM), c.stepM, 1e-12);
        EXPECT_EQ(depthGridDecimals(depthGridStepM(c.rangeM)), c.decimals);
    }
}

TEST(WaterfallProfileTest, AFrameLaysOutColumnsProfileGridAndTheNewestDepth) {
    // 10.25 and 12.25 twice: window 9.95 .. 12.55 (margin 0.3), 2.6 m over 260 px, so 100 px per metre.
    const WaterfallSamples samples = samplesOf({10.25, 12.25, 10.25, 12.25}, 50);
    const WaterfallFrame frame = layOutWaterfall(samples, 50, 12.25, 0, 50, 400, 260);
    ASSERT_EQ(frame.columns.size(), 4u);
    // 8 px per column, the newest at the right edge.
    EXPECT_EQ(frame.columns[0].leftPx, 368);
    EXPECT_EQ(frame.columns[0].rightPx, 376);
    EXPECT_EQ(frame.columns[0].bottomRowPx, 30);
    EXPECT_EQ(frame.columns[3].leftPx, 392);
    EXPECT_EQ(frame.columns[3].rightPx, 400);
    EXPECT_EQ(frame.columns[3].bottomRowPx, 230);
    // The profile joins the middles of neighbouring columns: three segments for four depths.
    ASSERT_EQ(frame.profile.size(), 3u);
    EXPECT_EQ(frame.profile[0].x1Px, 372);
    EXPECT_EQ(frame.profile[0].y1Px, 30);
    EXPECT_EQ(frame.profile[0].x2Px, 380);
    EXPECT_EQ(frame.profile[0].y2Px, 230);
    // Grid: a 1 m step from 10 m, whole metres.
    ASSERT_EQ(frame.grid.size(), 3u);
    EXPECT_EQ(frame.grid[0].rowPx, 5);
    EXPECT_EQ(frame.grid[0].label, "10m");
    EXPECT_EQ(frame.grid[2].rowPx, 205);
    EXPECT_EQ(frame.grid[2].label, "12m");
    // The newest depth's box at the lower right; its bottom (row 230) is not above H - 30: no pointer.
    EXPECT_TRUE(frame.newestShown);
    EXPECT_EQ(frame.newestLabel, "12.2m"); // an exact tie rounds to even, as every number written
    EXPECT_EQ(frame.newestBox.leftPx, 322);
    EXPECT_EQ(frame.newestBox.topPx, 234);
    EXPECT_EQ(frame.newestBox.rightPx, 398);
    EXPECT_EQ(frame.newestBox.bottomPx, 258);
    EXPECT_FALSE(frame.newestPointerShown);

    const WaterfallFrame taller = layOutWaterfall(samples, 50, 12.25, 0, 50, 400, 300);
    EXPECT_TRUE(taller.newestPointerShown);
    EXPECT_EQ(taller.newestPointer.x1Px, 360);
    EXPECT_EQ(taller.newestPointer.y2Px, 272);
}

TEST(WaterfallProfileTest, NoDepthLeavesAnEmptyColumnAndBreaksTheProfileOnBothSides) {
    const WaterfallSamples samples = samplesOf({5, 6, 0, 7, -1, 8, 9}, 7);
    const WaterfallFrame frame = layOutWaterfall(samples, 7, 9, 0, 50, 70, 100);
    std::vector<int> lefts;
    for (const WaterfallColumn& column : frame.columns) {
        lefts.push_back(column.leftPx);
    }
    EXPECT_EQ(lefts, (std::vector<int>{0, 10, 30, 50, 60}));
    ASSERT_EQ(frame.profile.size(), 2u); // 5-6 and 8-9 only
    EXPECT_EQ(frame.profile[0].x1Px, 5);
    EXPECT_EQ(frame.profile[1].x1Px, 55);

    // The newest sample without a depth: no box either.
    const WaterfallFrame none = layOutWaterfall(samplesOf({5, 6, 7, 8, 0}, 5), 5, 0, 0, 50, 70, 100);
    EXPECT_FALSE(none.newestShown);
}

TEST(WaterfallProfileTest, AWindowNarrowerThanTheSampleCountDrawsOnePixelColumnsPastTheEdge) {
    std::vector<double> depths(50, 0);
    depths.back() = 20;
    depths.front() = 10;
    const WaterfallFrame frame = layOutWaterfall(samplesOf(depths, 50), 50, 20, 0, 50, 30, 100);
    ASSERT_EQ(frame.columns.size(), 2u);
    EXPECT_EQ(frame.columns[0].leftPx, 0);
    EXPECT_EQ(frame.columns[0].rightPx, 1);
    EXPECT_EQ(frame.columns[1].leftPx, 49); // beyond the 30 px client
    EXPECT_EQ(frame.columns[1].rightPx, 50);
}

TEST(WaterfallProfileTest, DepthsThatAreNotFiniteAreNoDepths) {
    const WaterfallSamples samples = samplesOf(
        {10, 11, 12, 13, std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()},
        50);
    const WaterfallFrame frame = layOutWaterfall(samples, 50, 13, 0, 50, 400, 200);
    EXPECT_EQ(frame.window.validSamples, 4);
    EXPECT_NEAR(frame.window.topM, 9.7, 1e-12);
    EXPECT_FALSE(frame.grid.empty());
    // A depth far below the window still lays out (clamped column, no overflow).
    const WaterfallFrame deep = layOutWaterfall(samplesOf({1e300}, 50), 50, 1e300, 0, 50, 400, 200);
    ASSERT_EQ(deep.columns.size(), 1u);
    EXPECT_EQ(deep.columns[0].bottomRowPx, 200);
}

} // namespace
} // namespace selvir
