// The canvas tools without a widget or an application object: presses, moves, releases, double-clicks,
// keys and the wheel in client pixels on a CanvasCore, with the events they raise. The drawing tools,
// the finishing of drawings by right-click, double-click and Escape, selection clicks, pan, zoom window,
// dynamic zoom and the wheel.
#include "canvas/CanvasCore.h"

#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace selvir {
namespace {

struct ToolEvent {
    std::string name;
    int tool = 0;
    double x = 0, y = 0;
    friend bool operator==(const ToolEvent&, const ToolEvent&) = default;
};
using Events = std::vector<ToolEvent>;
using Points = std::vector<std::pair<double, double>>;
constexpr TMouseButton left = TMouseButton::mbLeft;
constexpr TMouseButton right = TMouseButton::mbRight;
constexpr TMouseButton middle = TMouseButton::mbMiddle;
using enum CanvasTool;

// A 100 x 100 client showing world 0..100 both ways: pixel (px, py) is world (px, 100 - py).
class CanvasToolsTest : public ::testing::Test {
protected:
    void SetUp() override {
        canvas.SetClientSize(100, 100);
        canvas.WorldSet(0, 100, 100, 0);
        canvas.OnDrawBegin = [this](CanvasCore* sender, std::int16_t tool, double x, double y) {
            EXPECT_EQ(sender, &canvas);
            log.push_back({"begin", tool, x, y});
        };
        canvas.OnDrawEnd = [this](CanvasCore*, std::int16_t tool, double x, double y) {
            log.push_back({"end", tool, x, y});
        };
        canvas.OnDblClick = [this](CanvasCore*) { log.push_back({"dblclick", 0, 0, 0}); };
        canvas.OnWorldMouseDown = [this](CanvasCore*, std::int16_t, std::int16_t, std::int16_t, double,
                                         double) { ++downs; };
    }

    void use(CanvasTool tool, bool keep = false) {
        canvas.DrawTool = toolCode(tool);
        canvas.KeepTool = keep;
    }
    // A move to the spot, then press and release there.
    void click(int px, int py, TMouseButton button = left, TShiftState shift = 0) {
        canvas.MouseMove(0, px, py);
        canvas.MouseDown(button, shift, px, py);
        canvas.MouseUp(button, shift, px, py);
    }
    // A click, then the second press delivered as a double-click, and its release.
    void doubleClick(int px, int py) {
        click(px, py);
        canvas.MouseDoubleDown(left, 0, px, py);
        canvas.MouseUp(left, 0, px, py);
    }
    void key(unsigned short code) { canvas.KeyDown(code, 0); }
    Points lastVertices() const {
        Points points;
        for (int i = 0; i < canvas.ShapePointCount(lastShapeId()); ++i) {
            points.emplace_back(canvas.ShapePointGetX(lastShapeId(), i),
                                canvas.ShapePointGetY(lastShapeId(), i));
        }
        return points;
    }
    ShapeId lastShapeId() const { return canvas.Shapes.empty() ? noShape : canvas.Shapes.back()->Id; }
    bool lastIs(ShapeKind kind) const { return canvas.GetShapeType(lastShapeId()) == shapeCode(kind); }

    CanvasCore canvas;
    Events log;
    int downs = 0;
};

TEST_F(CanvasToolsTest, PolylineFinishedByRightClickAndTheNextPressSwallowed) {
    use(Polyline, true);
    click(10, 90);
    EXPECT_EQ(canvas.Pointer(), PointerShape::Cross);
    click(50, 90);
    click(50, 50);
    EXPECT_EQ(canvas.ShapeCount(), 0) << "not in the list while drawn";
    click(60, 40, right);

    EXPECT_TRUE(lastIs(ShapeKind::Polyline));
    EXPECT_EQ(lastVertices(), (Points{{10, 10}, {50, 10}, {50, 50}}));
    EXPECT_EQ(log, (Events{{"begin", toolCode(Polyline), 10, 10}, {"end", toolCode(Polyline), 60, 60}}));
    EXPECT_EQ(downs, 3) << "the finishing right-click raises no mouse-down";
    EXPECT_FALSE(canvas.DrawActive);
    EXPECT_EQ(canvas.Pointer(), PointerShape::Default);

    click(20, 20);
    EXPECT_EQ(downs, 4) << "the swallowed press is still reported";
    EXPECT_FALSE(canvas.DrawActive) << "the first press after the finish starts nothing";
    click(20, 20);
    EXPECT_TRUE(canvas.DrawActive);
    EXPECT_NE(canvas.PolylineInProgress, nullptr);
}

TEST_F(CanvasToolsTest, PolylineFinishedByDoubleClickSwallowsItsPress) {
    use(Spline, true);
    click(10, 90);
    click(50, 90);
    doubleClick(50, 50);

    EXPECT_TRUE(lastIs(ShapeKind::Spline));
    EXPECT_EQ(lastVertices(), (Points{{10, 10}, {50, 10}, {50, 50}})) << "the double-click spot only once";
    EXPECT_EQ(log,
              (Events{{"begin", toolCode(Spline), 10, 10}, {"dblclick"}, {"end", toolCode(Spline), 50, 50}}))
        << "the owner's double-click runs first";
    EXPECT_FALSE(canvas.IgnoreNextClick) << "the double-click's own press was swallowed";
    EXPECT_EQ(canvas.PolylineInProgress, nullptr);
    EXPECT_EQ(canvas.DrawTool, toolCode(Spline));

    click(30, 30);
    EXPECT_NE(canvas.PolylineInProgress, nullptr) << "the next click starts a new drawing";
}

TEST_F(CanvasToolsTest, OneClickPolylineIsDiscardedWithItsIdUsed) {
    use(Polygon);
    click(10, 10);
    click(10, 10, right);
    EXPECT_EQ(canvas.ShapeCount(), 0);
    EXPECT_EQ(log.back().name, "end");
    EXPECT_EQ(canvas.DrawTool, 0) << "KeepTool is off";
    EXPECT_EQ(canvas.DrawLine(0, 0, 1, 1, 0), 2);
}

TEST_F(CanvasToolsTest, RepeatedClicksAtOneSpotAddOneVertex) {
    use(Polyline);
    click(20, 20);
    click(20, 20);
    click(40, 20);
    doubleClick(40, 20);
    EXPECT_EQ(lastVertices(), (Points{{20, 80}, {40, 80}}));
}

TEST_F(CanvasToolsTest, PolygonTakesTheLayerBrushAndIsClosed) {
    const int layer = canvas.LayerOpen("selvir_usershape");
    canvas.SetLayerPenFg(layer, 0x123456);
    canvas.SetLayerBrushFg(layer, 0x00FF00);
    canvas.SetLayerBrushStyle(layer, brushstyle::Solid);
    use(Polygon);
    click(10, 10);
    click(90, 10);
    click(50, 60, right);
    ASSERT_EQ(canvas.ShapeCount(), 1);
    const auto& polygon = static_cast<const TSPolyline&>(*canvas.Shapes.back());
    EXPECT_TRUE(polygon.Closed);
    EXPECT_EQ(polygon.Layer, layer);
    EXPECT_EQ(polygon.PenFg, 0x123456);
    EXPECT_EQ(polygon.BrushFg, 0x00FF00);
    EXPECT_EQ(polygon.BrushStyle, brushstyle::Solid);
    EXPECT_EQ(polygon.MaxX, 90);
}

TEST_F(CanvasToolsTest, EscapeDiscardsAPolygonAndKeepsTheToolDeleteNeedsToBeEnabled) {
    use(Polygon);
    click(10, 10);
    click(90, 10);
    click(50, 60);
    key(keycode::Escape);
    EXPECT_EQ(canvas.ShapeCount(), 0);
    EXPECT_EQ(canvas.PolylineInProgress, nullptr);
    EXPECT_FALSE(canvas.DrawActive || canvas.ShapeInProgress);
    EXPECT_EQ(canvas.DrawTool, toolCode(Polygon));
    EXPECT_EQ(log.size(), 1u) << "no draw-end for Escape";
    EXPECT_EQ(canvas.Pointer(), PointerShape::Default);
    click(30, 30);
    EXPECT_EQ(canvas.PolylineInProgress->Id, 2) << "the discarded drawing used id 1";

    canvas.ShapeSelect(canvas.DrawLine(0, 50, 100, 50, 0), false);
    key(keycode::Delete);
    EXPECT_EQ(canvas.ShapeCount(), 1);
    canvas.DeleteKeyEnabled = true;
    key(keycode::Delete);
    EXPECT_EQ(canvas.ShapeCount(), 0);
}

TEST_F(CanvasToolsTest, SelectClicksWithAndWithoutCtrl) {
    const ShapeId a = canvas.DrawLine(0, 80, 100, 80, 0); // pixel row 20
    const ShapeId b = canvas.DrawCircle(50, 30, 10, 0);   // rim through pixel (60, 70)
    std::vector<std::pair<int, ShapeId>> selected;
    canvas.OnShapeNumberSelected = [&](CanvasCore*, std::int16_t type, ShapeId id) {
        selected.emplace_back(type, id);
    };
    const TShiftState ctrl = shiftMask(ShiftKey::Ctrl);
    click(30, 21);
    EXPECT_EQ(canvas.GetShapeSelectNumbers(), std::vector<ShapeId>{a});
    click(60, 70, left, ctrl);
    EXPECT_EQ(canvas.GetShapeSelectNumbers(), (std::vector<ShapeId>{a, b}));
    click(5, 95, left, ctrl);
    EXPECT_EQ(canvas.SelectedShapeCount(), 2) << "Ctrl on empty space keeps the selection";
    click(60, 70);
    EXPECT_EQ(canvas.GetShapeSelectNumbers(), std::vector<ShapeId>{b}) << "a plain click replaces it";
    click(5, 95);
    EXPECT_EQ(canvas.SelectedShapeCount(), 0);
    const int line = shapeCode(ShapeKind::Line), circle = shapeCode(ShapeKind::Circle);
    EXPECT_EQ(selected, (std::vector<std::pair<int, ShapeId>>{{line, a}, {circle, b}, {circle, b}}));
    EXPECT_TRUE(canvas.Dirty) << "the highlight needs a rebuild";
}

TEST_F(CanvasToolsTest, RectangleNeedsOneDifferingCoordinateAndEllipseBoth) {
    use(Rectangle, true);
    click(10, 10);
    click(10, 50); // same x, other y
    EXPECT_TRUE(lastIs(ShapeKind::Rectangle));
    EXPECT_TRUE(canvas.DrawActive) << "the sequence stays open for the next rectangle";
    EXPECT_FALSE(canvas.ShapeInProgress);
    click(20, 20);
    click(20, 20); // the same point: nothing
    EXPECT_EQ(canvas.ShapeCount(), 1);
    EXPECT_EQ(log, (Events{{"begin", toolCode(Rectangle), 10, 90}, {"begin", toolCode(Rectangle), 20, 80}}))
        << "every shape of the sequence begins anew";
    click(0, 0, right);

    use(Ellipse4, true);
    click(0, 0); // swallowed after the right-click
    click(10, 10);
    click(10, 50);
    EXPECT_EQ(canvas.ShapeCount(), 1) << "an ellipse needs extent both ways";
    click(10, 10);
    click(40, 60);
    EXPECT_TRUE(lastIs(ShapeKind::Ellipse));
}

TEST_F(CanvasToolsTest, CircleLineChainAndThreePointCurve) {
    use(Circle, true);
    click(50, 50);
    click(53, 54);
    EXPECT_DOUBLE_EQ(static_cast<const TSCircle&>(*canvas.Shapes.back()).Radius, 5.0);
    click(0, 0, right);

    use(Line, true);
    click(0, 0); // swallowed
    click(10, 90);
    click(20, 90);
    click(20, 90); // repeats the anchor: nothing
    click(20, 80);
    EXPECT_EQ(canvas.ShapeCount(), 3);
    const auto& second = static_cast<const TSLine&>(*canvas.Shapes.back());
    EXPECT_EQ(second.X1, 20);
    EXPECT_EQ(second.Y1, 10) << "each line starts where the last ended";
    EXPECT_EQ(second.Y2, 20);
    click(0, 0, right);

    use(Curve, true);
    const size_t events = log.size();
    click(0, 0); // swallowed
    click(10, 90);
    click(50, 10);
    click(90, 90);
    EXPECT_TRUE(lastIs(ShapeKind::Curve));
    EXPECT_EQ(lastVertices(), (Points{{10, 10}, {50, 90}, {90, 10}}));
    EXPECT_EQ(log.size(), events + 1) << "only the begin until the sequence is finished";
    EXPECT_TRUE(canvas.DrawActive);
}

TEST_F(CanvasToolsTest, PointToolResetsTheToolUnlessKept) {
    use(Point);
    click(25, 75);
    EXPECT_TRUE(lastIs(ShapeKind::Point));
    EXPECT_EQ(log, (Events{{"end", toolCode(Point), 25, 25}}));
    EXPECT_EQ(canvas.DrawTool, 0);
    use(Point, true);
    click(30, 75);
    click(35, 75);
    EXPECT_EQ(canvas.ShapeCount(), 3);
    EXPECT_EQ(canvas.DrawTool, toolCode(Point));
    EXPECT_FALSE(canvas.DrawActive);
}

TEST_F(CanvasToolsTest, ZoomWindowFitsTheClientAspectAndIgnoresATinyBox) {
    use(ZoomWindow);
    click(10, 10);
    EXPECT_TRUE(log.empty()) << "no draw-begin for the zoom window";
    click(50, 30); // world box 10..50 by 70..90: 40 x 20, widened to 40 x 40 about (30, 80)
    EXPECT_EQ(canvas.View(), (ViewWindow{10, 50, 100, 60}));
    EXPECT_EQ(canvas.DrawTool, 0);
    EXPECT_FALSE(canvas.DrawActive);

    canvas.WorldSet(0, 0.05, 0.05, 0); // a pixel is 0.0005 units
    const ViewWindow before = canvas.View();
    use(ZoomWindow);
    click(10, 10);
    click(11, 11);
    EXPECT_EQ(canvas.View(), before);
    EXPECT_EQ(canvas.DrawTool, 0) << "the tool ends anyway";
    EXPECT_FALSE(canvas.ShapeInProgress);
}

TEST_F(CanvasToolsTest, PanNeedsMoreThanTwoPixels) {
    use(Pan);
    canvas.MouseDown(left, 0, 50, 50);
    EXPECT_TRUE(canvas.Panning);
    EXPECT_EQ(canvas.Pointer(), PointerShape::SizeAll);
    canvas.MouseMove(0, 52, 48);
    EXPECT_EQ(canvas.View(), (ViewWindow{0, 100, 100, 0}));
    canvas.MouseMove(0, 53, 50);
    EXPECT_EQ(canvas.View(), (ViewWindow{-3, 97, 100, 0})) << "the drawing follows the pointer to the right";
    canvas.MouseUp(left, 0, 53, 50);
    EXPECT_FALSE(canvas.Panning);
    EXPECT_EQ(canvas.DrawTool, toolCode(Pan)) << "the pan tool stays";
    EXPECT_EQ(canvas.Pointer(), PointerShape::Default);

    use(Polyline); // the middle button pans whatever the tool
    canvas.MouseDown(middle, 0, 50, 50);
    canvas.MouseMove(0, 50, 60);
    EXPECT_DOUBLE_EQ(canvas.View().WorldBottom, 10);
    canvas.MouseUp(middle, 0, 50, 60);
    EXPECT_FALSE(canvas.Panning);
    EXPECT_EQ(canvas.PolylineInProgress, nullptr);
}

TEST_F(CanvasToolsTest, DynamicZoomByVerticalDrag) {
    use(DynamicZoom);
    canvas.MouseDown(left, 0, 50, 50);
    canvas.MouseMove(0, 50, 47); // 3 pixels: not yet
    EXPECT_DOUBLE_EQ(canvas.GetWorldWidth(), 100);
    canvas.MouseMove(0, 50, 46); // 4 pixels up: zoom in by 0.04 about the centre
    EXPECT_DOUBLE_EQ(canvas.GetWorldWidth(), 96);
    EXPECT_DOUBLE_EQ(canvas.View().WorldLeft, 2);
    canvas.MouseMove(0, 50, 56); // 10 down from the new reference: out by 0.1
    EXPECT_NEAR(canvas.GetWorldWidth(), 96 * 1.1, 1e-9);
    canvas.MouseUp(left, 0, 50, 56);
    EXPECT_FALSE(canvas.DynamicZooming);
    canvas.MouseMove(0, 50, 10);
    EXPECT_NEAR(canvas.GetWorldWidth(), 96 * 1.1, 1e-9);
}

TEST_F(CanvasToolsTest, WheelZoomsAboutThePointer) {
    EXPECT_EQ(canvas.WMMouseWheel(120, 25, 75), 1); // world (25, 25)
    EXPECT_DOUBLE_EQ(canvas.GetWorldWidth(), 90);
    int px = 0, py = 0;
    canvas.WorldToScreen(25.0001, 24.9999, px, py);
    EXPECT_EQ(px, 25);
    EXPECT_EQ(py, 75) << "the point under the pointer stays there";
    canvas.WMMouseWheel(-120, 25, 75);
    EXPECT_NEAR(canvas.GetWorldWidth(), 99, 1e-9);
}

// High-resolution wheels and touchpads send parts of a notch (120); a zoom step needs a whole one.
TEST(CanvasToolsWheel, ZoomsOneStepPerWholeNotch) {
    const struct {
        const char* what;
        std::vector<int> deltas;
        int steps; // whole notches: positive in, negative out
    } cases[] = {
        {"a notch in eight parts", std::vector<int>(8, 15), 1},
        {"a touchpad's small deltas", std::vector<int>(30, 8), 2},
        {"two notches at once", {240}, 2},
        {"two notches back", {-240}, -2},
        {"less than a notch", {119}, 0},
        {"parts add up across events", {100, 20, 100}, 1},
        {"turning back drops the rest of the other way", {60, -60, 60}, 0},
        {"a turn back counts from zero", {100, -130}, -1},
    };
    for (const auto& c : cases) {
        CanvasCore canvas;
        canvas.SetClientSize(100, 100);
        canvas.WorldSet(0, 100, 100, 0);
        for (const int delta : c.deltas) {
            canvas.WMMouseWheel(delta, 50, 50);
        }
        // Each step scales the width by 0.9 in or 1.1 out.
        const double expected = 100 * std::pow(c.steps > 0 ? 0.9 : 1.1, std::abs(c.steps));
        EXPECT_NEAR(canvas.GetWorldWidth(), expected, 1e-9) << c.what;
    }
}

TEST_F(CanvasToolsTest, DoubleClickWithoutADrawingCentresTheView) {
    canvas.MouseMove(0, 80, 20); // world (80, 80)
    canvas.MouseDoubleDown(left, 0, 80, 20);
    EXPECT_DOUBLE_EQ(canvas.View().WorldLeft, 30);
    EXPECT_DOUBLE_EQ(canvas.View().WorldTop, 130);
    EXPECT_EQ(log, (Events{{"dblclick"}})) << "only the owner's double-click event";
}

TEST_F(CanvasToolsTest, MouseMoveReportsDistanceAndAngleFromTheLastPress) {
    std::vector<std::vector<double>> moves;
    canvas.OnWorldMouseMove = [&](CanvasCore*, std::int16_t shift, double x, double y, double d, double a) {
        moves.push_back({double(shift), x, y, d, std::round(a * 1e8) / 1e8});
    };
    click(10, 90); // world (10, 10)
    moves.clear();
    canvas.MouseMove(shiftMask(ShiftKey::Shift), 13, 86); // (13, 14): 3, 4
    canvas.MouseMove(0, 10, 90);
    canvas.MouseMove(0, 10, 95); // straight south
    canvas.MouseMove(0, 7, 90);  // west
    EXPECT_EQ(moves,
              (std::vector<std::vector<double>>{
                  {1, 13, 14, 5, 53.13010235}, {0, 10, 10, 0, 0}, {0, 10, 5, 5, -90}, {0, 7, 10, 3, 180}}))
        << "no direction at the press point";
}

TEST_F(CanvasToolsTest, ClearDrawingStateForgetsAnOpenDrawing) {
    use(Polygon);
    click(10, 10);
    click(20, 10);
    canvas.IgnoreNextClick = true;
    canvas.ClearDrawingState();
    EXPECT_FALSE(canvas.DrawActive || canvas.ShapeInProgress || canvas.IgnoreNextClick);
    EXPECT_EQ(canvas.PolylineInProgress, nullptr);
    EXPECT_EQ(canvas.ShapeCount(), 0);
    EXPECT_EQ(canvas.DrawTool, toolCode(Polygon)) << "the tool is the owner's to change";
    EXPECT_EQ(canvas.Pointer(), PointerShape::Default);
}

TEST_F(CanvasToolsTest, TheGuardCountsWhatAHandlerThrowsAndTellsTheOwner) {
    canvas.OnWorldMouseDown = [](CanvasCore*, std::int16_t, std::int16_t, std::int16_t, double, double) {
        throw std::runtime_error("owner failed");
    };
    std::vector<std::string> told;
    canvas.OnInputFault = [&](CanvasCore*, const std::string& message) {
        told.push_back(message);
        throw std::runtime_error("the logger failed too");
    };
    EXPECT_THROW(click(10, 10), std::runtime_error) << "unguarded calls pass it on";
    EXPECT_EQ(canvas.InputFaultCount(), 0);
    canvas.guarded([&] { click(10, 10); });
    canvas.guarded([] { throw 42; });
    EXPECT_EQ(canvas.InputFaultCount(), 2);
    EXPECT_EQ(canvas.LastInputFault(), "an exception of unknown type");
    EXPECT_EQ(told, (std::vector<std::string>{"owner failed", "an exception of unknown type"}));
}

} // namespace
} // namespace selvir
