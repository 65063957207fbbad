// The overlay rules apart from painting: depth-label spacing and pruning, the texts of the depth and
// speed box and of the distance measure, the measure's guard, corners, box geometry and colours.
#include "canvas/SurveyOverlays.h"

#include <gtest/gtest.h>

namespace selvir {
namespace {

TEST(DepthLabels, SpacingIsAMinimumDistanceToEveryLabel) {
    SurveyOverlayState state; // spacing 10
    EXPECT_TRUE(state.AddDepthLabel(0, 0, 1));
    EXPECT_FALSE(state.AddDepthLabel(5, 0, 2));
    EXPECT_TRUE(state.AddDepthLabel(10, 0, 3)) << "exactly the spacing away is far enough";
    EXPECT_TRUE(state.AddDepthLabel(20, 0, 4));
    EXPECT_FALSE(state.AddDepthLabel(3, 9, 5)) << "close to the first label, far from the last";
    EXPECT_FALSE(state.AddDepthLabel(16, 6, 6)) << "within 10 of (10, 0) and of (20, 0)";
    ASSERT_EQ(state.DepthLabels.size(), 3u);
    EXPECT_EQ(state.DepthLabels[1].X, 10);
    EXPECT_EQ(state.DepthLabels[1].Depth, 3);
}

TEST(DepthLabels, ANewSpacingAppliesFromNowOnAndNoneRefusesNothing) {
    SurveyOverlayState state;
    state.AddDepthLabel(0, 0, 1);
    state.LabelSpacing = 2;
    EXPECT_TRUE(state.AddDepthLabel(3, 0, 1));
    EXPECT_FALSE(state.AddDepthLabel(4, 0, 1));
    state.LabelSpacing = 0;
    EXPECT_TRUE(state.AddDepthLabel(3, 0, 1)) << "no spacing: even the same spot";
    state.LabelSpacing = -5;
    EXPECT_TRUE(state.AddDepthLabel(3, 0, 1));
    EXPECT_EQ(state.DepthLabels.size(), 4u);
}

TEST(DepthLabels, TheLabelPast10000DropsTheOldest1000) {
    SurveyOverlayState state;
    state.LabelSpacing = 1;
    for (int i = 0; i < depthLabelLimit; ++i) {
        ASSERT_TRUE(state.AddDepthLabel(i, 0, i));
    }
    EXPECT_EQ(state.DepthLabels.size(), 10000u) << "10000 are kept as they are";
    EXPECT_TRUE(state.AddDepthLabel(20000, 0, 20000));
    ASSERT_EQ(state.DepthLabels.size(), 9001u);
    EXPECT_EQ(state.DepthLabels.front().Depth, 1000) << "labels 0..999 are gone";
    EXPECT_EQ(state.DepthLabels.back().Depth, 20000);
    EXPECT_TRUE(state.AddDepthLabel(0, 0, 0)) << "the ground of a pruned label takes a new one";
}

TEST(DepthSpeedText, TheWorkedExamplesAndTheirParts) {
    struct Row {
        double hf, lf;
        bool depthValid;
        double knots;
        bool speedValid;
        const char* text;
    };
    const Row rows[] = {
        {12.3, 12.5, true, 4.26, true, "HF: 12.30 m  LF: 12.50 m  4.3 kn"},
        {0, 12.5, true, 4.26, true, "4.3 kn"},
        {0, 5, true, 0, false, ""},
        {8, 0, true, 0, false, "HF: 8.00 m"},
        {8, 9, false, 3, true, "3.0 kn"},
        {8.006, -1, true, 0.04, true, "HF: 8.01 m  0.0 kn"},
        {7.5, 2.25, true, 0, false, "HF: 7.50 m  LF: 2.25 m"},
    };
    for (const Row& row : rows) {
        SurveyOverlayState state;
        state.CurrentDepthHF = row.hf;
        state.CurrentDepthLF = row.lf;
        state.DepthValid = row.depthValid;
        state.CurrentSpeed = row.knots;
        state.SpeedValid = row.speedValid;
        EXPECT_EQ(depthSpeedText(state).toStdString(), row.text)
            << row.hf << " " << row.lf << " " << row.knots;
    }
}

TEST(OverlayTexts, LabelsAndMeasureLines) {
    EXPECT_EQ(depthLabelText(12.34), "12.3");
    EXPECT_EQ(depthLabelText(0.05), "0.1");
    EXPECT_EQ(depthLabelText(-0.04), "0.0");
    EXPECT_EQ(measureDistanceText(1234.567), "1234.57 m");
    EXPECT_EQ(measureAzimuthText(45), QString::fromUtf8("45.0\u00B0"));
    EXPECT_EQ(measureAzimuthText(359.96), QString::fromUtf8("360.0\u00B0"));
}

TEST(DistanceMeasure, UpdateIsIgnoredBeforeStartAndAfterEnd) {
    DistanceMeasure m;
    EXPECT_FALSE(m.Update(5, 5, 7, 45));
    EXPECT_EQ(m.MeasureX, 0);
    EXPECT_EQ(m.MeasureDistance, 0);
    EXPECT_EQ(m.MeasureAzimuth, 0);

    m.Start(1, 2);
    EXPECT_TRUE(m.Measuring);
    EXPECT_EQ(m.MeasureX, 1);
    EXPECT_EQ(m.MeasureY, 2);
    EXPECT_TRUE(m.Update(4, 6, 5, 36.87));
    EXPECT_EQ(m.MeasureStartX, 1);
    EXPECT_EQ(m.MeasureX, 4);
    EXPECT_EQ(m.MeasureDistance, 5);
    m.End();
    EXPECT_FALSE(m.Update(9, 9, 99, 99));
    EXPECT_EQ(m.MeasureDistance, 5);

    m.Start(7, 7);
    EXPECT_EQ(m.MeasureDistance, 0);
    EXPECT_EQ(m.MeasureAzimuth, 36.87) << "the bearing stays until the next update";
}

TEST(OverlayCorners, FourTogglesComeBack) {
    for (int start = 0; start < 4; ++start) {
        int corner = start;
        for (int i = 1; i < 4; ++i) {
            corner = nextOverlayCorner(corner);
            EXPECT_NE(corner, start) << "after " << i << " toggles";
            EXPECT_GE(corner, 0);
            EXPECT_LE(corner, 3);
        }
        EXPECT_EQ(nextOverlayCorner(corner), start);
    }
}

TEST(OverlayGeometry, DepthAndStatusBoxCorners) {
    const ClientSize client{800, 600};
    const TextSize text{100, 20};
    EXPECT_EQ(depthSpeedTextOrigin(0, client, text), (PixelPoint{10, 570}));
    EXPECT_EQ(depthSpeedTextOrigin(1, client, text), (PixelPoint{690, 570}));
    EXPECT_EQ(depthSpeedTextOrigin(2, client, text), (PixelPoint{690, 10}));
    EXPECT_EQ(depthSpeedTextOrigin(3, client, text), (PixelPoint{10, 10}));
    EXPECT_EQ(depthSpeedTextOrigin(9, client, text), depthSpeedTextOrigin(0, client, text));
    EXPECT_EQ(ggaTextOrigin(0, client, text), (PixelPoint{8, 8}));
    EXPECT_EQ(ggaTextOrigin(1, client, text), (PixelPoint{692, 8}));
    EXPECT_EQ(ggaTextOrigin(2, client, text), (PixelPoint{692, 570}));
    EXPECT_EQ(ggaTextOrigin(3, client, text), (PixelPoint{8, 570}));
    EXPECT_EQ(ggaTextOrigin(-1, client, text), (PixelPoint{8, 8}));
    EXPECT_EQ(overlayBoxAround({8, 8}, text), (PixelBox{2, 2, 114, 34}));
}

TEST(OverlayGeometry, TheTopLeftBoxHitsAsItAlwaysDid) {
    // 1 < x <= tw + 14 and 1 < y <= th + 14 for the box in the top-left corner.
    const TextSize text{100, 20};
    const PixelBox box = overlayBoxAround(ggaTextOrigin(0, {800, 600}, text), text);
    EXPECT_FALSE(overlayBoxContains(box, 1, 10));
    EXPECT_TRUE(overlayBoxContains(box, 2, 10));
    EXPECT_TRUE(overlayBoxContains(box, 114, 34));
    EXPECT_FALSE(overlayBoxContains(box, 115, 10));
    EXPECT_FALSE(overlayBoxContains(box, 10, 35));
    EXPECT_FALSE(overlayBoxContains(box, 10, 1));
}

TEST(OverlayColours, StatusBoxByFixQuality) {
    EXPECT_EQ(ggaBoxColor(1), 0x0000FF);
    EXPECT_EQ(ggaTextColor(1), 0xFFFFFF);
    EXPECT_EQ(ggaBoxColor(2), 0xFFFF00);
    EXPECT_EQ(ggaBoxColor(4), 0x00FF00);
    EXPECT_EQ(ggaBoxColor(7), 0x00FF00);
    for (int quality : {0, 3, 5, 6, 8, -1}) {
        EXPECT_EQ(ggaBoxColor(quality), 0x00FFFF) << quality;
        EXPECT_EQ(ggaTextColor(quality), 0x000000) << quality;
    }
}

TEST(OverlayGeometry, LabelsJustOutsideTheClientStillDraw) {
    const ClientSize client{400, 300};
    EXPECT_TRUE(labelAnchorInView(-40, 150, client));
    EXPECT_TRUE(labelAnchorInView(-50, -20, client));
    EXPECT_FALSE(labelAnchorInView(-60, 150, client));
    EXPECT_FALSE(labelAnchorInView(-51, 150, client));
    EXPECT_TRUE(labelAnchorInView(450, 320, client));
    EXPECT_FALSE(labelAnchorInView(451, 150, client));
    EXPECT_FALSE(labelAnchorInView(200, 321, client));
    EXPECT_FALSE(labelAnchorInView(200, -21, client));
}

} // namespace
} // namespace selvir
