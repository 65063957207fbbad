// The world window: mapping, zoom, pan, extents, resize, the grid steps and the contrast rule.
#include "canvas/ViewWindow.h"

#include "canvas/CanvasModel.h"
#include "canvas/ShapeRenderer.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <memory>

namespace selvir {
namespace {

constexpr ClientSize client400x300{400, 300};

TEST(ViewWindow, StartsAtZeroToAThousandBothWays) {
    const ViewWindow view;
    EXPECT_EQ(view.WorldLeft, 0);
    EXPECT_EQ(view.WorldRight, 1000);
    EXPECT_EQ(view.WorldBottom, 0);
    EXPECT_EQ(view.WorldTop, 1000);
}

TEST(ViewWindow, WorldToScreenTruncatesTowardZero) {
    ViewWindow view;
    view.WorldSet(0, 300, 400, 0); // one unit per pixel on 400 x 300
    int px = 7, py = 7;
    view.WorldToScreen(0, 300, client400x300, px, py);
    EXPECT_EQ(px, 0);
    EXPECT_EQ(py, 0);
    view.WorldToScreen(-0.5, 300.5, client400x300, px, py);
    EXPECT_EQ(px, 0) << "half a pixel left of the window is still column 0";
    EXPECT_EQ(py, 0);
    view.WorldToScreen(-1.5, 301.5, client400x300, px, py);
    EXPECT_EQ(px, -1);
    EXPECT_EQ(py, -1);
    view.WorldToScreen(399.99, 0.01, client400x300, px, py);
    EXPECT_EQ(px, 399);
    EXPECT_EQ(py, 299);
    EXPECT_EQ(view.WorldToAbsX(123.9, client400x300), 123);
    EXPECT_EQ(view.WorldToAbsY(100.0, client400x300), 200);
}

TEST(ViewWindow, DegenerateSizesAreTolerated) {
    ViewWindow view;
    view.WorldSet(5, 5, 5, 5); // no width, no height: both count as 1
    int px = 0, py = 0;
    view.WorldToScreen(6, 4, client400x300, px, py);
    EXPECT_EQ(px, 400);
    EXPECT_EQ(py, 300);
    view.WorldToScreen(1e300, -1e300, client400x300, px, py);
    EXPECT_EQ(px, 1000000000) << "far-off points are held, never overflow";

    ViewWindow normal;
    double x = 0, y = 0;
    normal.ScreenToWorld(10, 20, ClientSize{0, -3}, x, y);
    EXPECT_EQ(x, 10000);
    EXPECT_EQ(y, 1000 - 20000);
}

TEST(ViewWindow, ScreenToWorldInvertsTheMapping) {
    ViewWindow view;
    view.WorldSet(450000, 4500800, 451000, 4500000);
    double x = 0, y = 0;
    view.ScreenToWorld(200, 150, ClientSize{400, 300}, x, y);
    EXPECT_DOUBLE_EQ(x, 450500);
    EXPECT_DOUBLE_EQ(y, 4500400);
}

TEST(ViewWindow, ResizeKeepsWorldUnitsSquare) {
    ViewWindow wide;
    wide.Resize(ClientSize{400, 300});
    EXPECT_DOUBLE_EQ(wide.WorldBottom, 0);
    EXPECT_DOUBLE_EQ(wide.WorldTop, 1000);
    EXPECT_NEAR(wide.WorldLeft, -166.6667, 1e-3);
    EXPECT_NEAR(wide.WorldRight, 1166.6667, 1e-3);

    ViewWindow tall;
    tall.Resize(ClientSize{300, 400});
    EXPECT_DOUBLE_EQ(tall.WorldLeft, 0);
    EXPECT_DOUBLE_EQ(tall.WorldRight, 1000);
    EXPECT_NEAR(tall.WorldBottom, -166.6667, 1e-3);
    EXPECT_NEAR(tall.WorldTop, 1166.6667, 1e-3);

    ViewWindow untouched;
    untouched.Resize(ClientSize{0, 300});
    EXPECT_EQ(untouched, ViewWindow{});
}

TEST(ViewWindow, ZoomClampsTheScaleAndKeepsTheAnchor) {
    const ClientSize square{500, 500};
    ViewWindow in;
    in.WorldZoom(0.1, 500, 500, square);
    EXPECT_DOUBLE_EQ(in.GetWorldWidth(), 900);
    EXPECT_DOUBLE_EQ((in.WorldLeft + in.WorldRight) / 2, 500);
    EXPECT_DOUBLE_EQ((in.WorldBottom + in.WorldTop) / 2, 500);

    ViewWindow tooFarIn;
    tooFarIn.WorldZoom(1.5, 500, 500, square);
    EXPECT_DOUBLE_EQ(tooFarIn.GetWorldWidth(), 100) << "scale held at 0.1";
    ViewWindow tooFarOut;
    tooFarOut.WorldZoom(-20, 500, 500, square);
    EXPECT_DOUBLE_EQ(tooFarOut.GetWorldWidth(), 10000) << "scale held at 10";

    ViewWindow offCentre;
    offCentre.WorldZoom(0.5, 250, 750, square);
    EXPECT_DOUBLE_EQ(offCentre.WorldLeft, 125) << "the anchor keeps its place on the screen";
    EXPECT_DOUBLE_EQ(offCentre.WorldRight, 625);
    EXPECT_DOUBLE_EQ(offCentre.WorldTop, 875);
}

TEST(ViewWindow, ZoomRestoresTheClientAspect) {
    ViewWindow view;
    view.WorldSet(0, 100, 1000, 0); // distorted: 1000 x 100 on 400 x 300
    view.WorldZoom(0.0, 500, 50, client400x300);
    EXPECT_DOUBLE_EQ(view.GetWorldWidth(), 1000);
    EXPECT_DOUBLE_EQ(view.GetWorldHeight(), 750) << "height from width and the client aspect";
    EXPECT_DOUBLE_EQ((view.WorldBottom + view.WorldTop) / 2, 50 + (0.5 - 0.5) * 750);
}

TEST(ViewWindow, PanAndSet) {
    ViewWindow view;
    view.WorldPan(10, -20);
    EXPECT_EQ(view, (ViewWindow{.WorldLeft = 10, .WorldRight = 1010, .WorldTop = 980, .WorldBottom = -20}));
    view.WorldSet(1, 2, 3, 4); // left, top, right, bottom: stored as given
    EXPECT_EQ(view, (ViewWindow{.WorldLeft = 1, .WorldRight = 3, .WorldTop = 2, .WorldBottom = 4}));
}

TEST(ViewWindow, ExtentsAddAMarginAndFitTheAspect) {
    CanvasModel model;
    model.DrawLine(0, 0, 100, 50, 0);
    ViewWindow view;
    ASSERT_TRUE(view.WorldExtents(model, client400x300));
    // Box -5..105 by -2.5..52.5; 110 / 55 is wider than 4:3, so the height becomes 82.5 about 25.
    EXPECT_DOUBLE_EQ(view.WorldLeft, -5);
    EXPECT_DOUBLE_EQ(view.WorldRight, 105);
    EXPECT_DOUBLE_EQ(view.WorldBottom, 25 - 41.25);
    EXPECT_DOUBLE_EQ(view.WorldTop, 25 + 41.25);

    CanvasModel tall;
    tall.DrawLine(0, 0, 10, 100, 0);
    ASSERT_TRUE(view.WorldExtents(tall, client400x300));
    EXPECT_DOUBLE_EQ(view.WorldBottom, -5);
    EXPECT_DOUBLE_EQ(view.WorldTop, 105);
    EXPECT_DOUBLE_EQ(view.GetWorldWidth(), 110 * 4.0 / 3.0);
}

TEST(ViewWindow, ExtentsOfDegenerateDrawings) {
    ViewWindow view;
    view.WorldSet(7, 8, 9, 6);
    CanvasModel empty;
    ASSERT_TRUE(view.WorldExtents(empty, client400x300));
    EXPECT_EQ(view, ViewWindow{}) << "an empty drawing shows 0..1000";

    view.WorldSet(7, 8, 9, 6);
    const ViewWindow before = view;
    CanvasModel flat;
    flat.DrawLine(0, 5, 100, 5, 0);
    EXPECT_FALSE(view.WorldExtents(flat, client400x300));
    EXPECT_EQ(view, before);

    CanvasModel hidden;
    hidden.FindShape(hidden.DrawLine(0, 0, 10, 10, 0))->Visible = false;
    EXPECT_FALSE(view.WorldExtents(hidden, client400x300));
    EXPECT_EQ(view, before);

    CanvasModel onHiddenLayer;
    const int a = onHiddenLayer.LayerOpen("A");
    onHiddenLayer.DrawLine(0, 0, 10, 10, a);
    onHiddenLayer.FindLayer(a)->Visible = false;
    EXPECT_TRUE(view.WorldExtents(onHiddenLayer, client400x300)) << "layer visibility is not considered";
}

TEST(ViewWindow, ExtentsWithoutAClientSideFitTheBoxAlone) {
    CanvasModel model;
    model.DrawLine(0, 0, 100, 50, 0);
    for (const ClientSize client : {ClientSize{0, 300}, ClientSize{400, 0}, ClientSize{0, 0}}) {
        ViewWindow view;
        ASSERT_TRUE(view.WorldExtents(model, client)) << client.Width << " x " << client.Height;
        EXPECT_DOUBLE_EQ(view.WorldLeft, -5) << client.Width << " x " << client.Height;
        EXPECT_DOUBLE_EQ(view.WorldRight, 105);
        EXPECT_DOUBLE_EQ(view.WorldBottom, -2.5);
        EXPECT_DOUBLE_EQ(view.WorldTop, 52.5);
    }
}

TEST(ViewWindow, ShapesWithoutGeometryDoNotCountInTheExtents) {
    const auto addEmptyPolyline = [](CanvasModel& model) {
        auto empty = std::make_unique<TSPolyline>();
        empty->UpdateBounds(); // 0, 0, 0, 0
        model.AppendShape(std::move(empty));
    };
    CanvasModel lineOnly;
    lineOnly.DrawLine(4500100, 4500100, 4500300, 4500200, 0);
    CanvasModel withEmpty;
    addEmptyPolyline(withEmpty);
    withEmpty.DrawLine(4500100, 4500100, 4500300, 4500200, 0);
    ViewWindow expected, view;
    ASSERT_TRUE(expected.WorldExtents(lineOnly, client400x300));
    ASSERT_TRUE(view.WorldExtents(withEmpty, client400x300));
    EXPECT_EQ(view, expected) << "the world origin is not pulled in";

    CanvasModel onlyEmpty;
    addEmptyPolyline(onlyEmpty);
    view.WorldSet(7, 8, 9, 6);
    const ViewWindow before = view;
    EXPECT_FALSE(view.WorldExtents(onlyEmpty, client400x300));
    EXPECT_EQ(view, before);
}

struct RefusedViewCase {
    const char* what;
    ViewWindow start;
    std::function<void(ViewWindow&)> operation;
};

// Operations whose result would overflow, collapse below the precision of the coordinates or be
// no number leave the view as it was.
TEST(ViewWindow, OperationsKeepTheViewRatherThanBreakIt) {
    const double far = 4500000;
    const double twoUlpsOff = std::nextafter(std::nextafter(far, 1e7), 1e7);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const RefusedViewCase cases[] = {
        {"zoom out past the largest double",
         {-8e307, 8e307, 1, 0},
         [](ViewWindow& v) { v.WorldZoom(-20, 0, 0.5, client400x300); }},
        {"zoom in below the spacing of doubles",
         {far, twoUlpsOff, far + 1, far},
         [=](ViewWindow& v) { v.WorldZoom(0.9, far, far + 0.5, client400x300); }},
        {"zoom about no number", {}, [=](ViewWindow& v) { v.WorldZoom(0.1, nan, 500, client400x300); }},
        {"pan past the largest double",
         {1.5e308, 1.6e308, 1, 0},
         [](ViewWindow& v) { v.WorldPan(1e308, 0); }},
        {"pan by no number", {}, [=](ViewWindow& v) { v.WorldPan(0, nan); }},
        {"resize to a height past the largest double",
         {0, 1.5e308, 1, 0},
         [](ViewWindow& v) {
             v.Resize(ClientSize{300, 400});
         }},
    };
    for (const RefusedViewCase& c : cases) {
        ViewWindow view = c.start;
        c.operation(view);
        EXPECT_EQ(view, c.start) << c.what;
    }
}

TEST(GridStep, AutomaticStepsOfOneTwoFiveTen) {
    EXPECT_DOUBLE_EQ(autoGridStep(1000), 100);
    EXPECT_DOUBLE_EQ(autoGridStep(30), 5);
    EXPECT_DOUBLE_EQ(autoGridStep(0.8), 0.1);
    EXPECT_DOUBLE_EQ(autoGridStep(2000), 200);
    EXPECT_DOUBLE_EQ(autoGridStep(6000), 1000) << "r = 750, q = 7.5";
    EXPECT_DOUBLE_EQ(autoGridStep(0), 1);
    EXPECT_DOUBLE_EQ(autoGridStep(-5), 1);
    EXPECT_DOUBLE_EQ(autoGridStep(100, 0), 1);
}

TEST(GridStep, ManualSpacingUnlessZeroOrFinerThanAPixel) {
    ViewWindow view; // 1000 wide
    GridSettings grid;
    grid.GridAuto = false;
    grid.GridSpacingX = 250;
    grid.GridSpacingY = 40;
    GridSteps steps = gridSteps(grid, view, client400x300);
    EXPECT_EQ(steps.x, 250);
    EXPECT_EQ(steps.y, 40);
    grid.GridSpacingY = 0;
    steps = gridSteps(grid, view, client400x300);
    EXPECT_EQ(steps.x, 100) << "a zero spacing selects the automatic rule for both";
    EXPECT_EQ(steps.y, 100);
    grid.GridSpacingY = 0.01;
    steps = gridSteps(grid, view, client400x300);
    EXPECT_EQ(steps.x, 250);
    EXPECT_EQ(steps.y, 100) << "100000 lines on 300 pixels fall back to the automatic step";
}

TEST(GridStep, LabelsHaveAtMostOneOrThreeDecimals) {
    EXPECT_EQ(gridLabel(4500100, 100), "4500100");
    EXPECT_EQ(gridLabel(12.5, 2), "12.5");
    EXPECT_EQ(gridLabel(-300, 100), "-300");
    EXPECT_EQ(gridLabel(0.30000000000000004, 0.1), "0.3");
    EXPECT_EQ(gridLabel(0.125, 0.005), "0.125");
    EXPECT_EQ(gridLabel(-0.0001, 0.1), "0");
}

struct ContrastCase {
    TColor color;
    TColor back;
    TColor expected;
};

TEST(ContrastColor, KeepsShapesVisibleOnTheBackground) {
    const ContrastCase cases[] = {
        {colorBlack, colorBlack, colorWhite},
        {colorWhite, colorWhite, colorBlack},
        {makeColor(64, 64, 64), colorBlack, makeColor(64, 64, 64)},                     // distance 192
        {makeColor(20, 20, 20), colorBlack, colorWhite},                                // both below 50
        {makeColor(130, 130, 130), makeColor(140, 140, 140), colorBlack},               // close, light back
        {makeColor(100, 100, 100), makeColor(110, 110, 110), colorWhite},               // close, dark back
        {makeColor(100, 100, 100), makeColor(120, 120, 120), makeColor(100, 100, 100)}, // distance 60
        {colorRed, colorWhite, colorRed},
        {0x00FFFF, colorWhite, colorBlack}, // yellow: brightness 225 on white
    };
    for (const ContrastCase& c : cases) {
        EXPECT_EQ(GetContrastColor(c.color, c.back), c.expected) << std::hex << c.color << " on " << c.back;
    }
    EXPECT_EQ(colorBrightness(makeColor(255, 0, 0)), 76);
}

} // namespace
} // namespace selvir
