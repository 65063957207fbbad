// Pointer and keyboard input driven by real Qt events on an offscreen canvas: the drawing tools, the
// finishing of drawings by right-click, double-click and Escape, selection clicks, pan, zoom window,
// dynamic zoom, the wheel, and the events with their arguments.
#include "canvas/TSelvirCanvas.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>
#include <algorithm>
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
};

struct DownEvent {
    int button = 0, shift = 0, tool = 0;
    double x = 0, y = 0;
};

// A 100 x 100 client showing world 0..100 both ways: pixel (px, py) is world (px, 100 - py).
class InputTest : public ::testing::Test {
protected:
    void SetUp() override {
        canvas.SetClientSize(100, 100);
        canvas.WorldSet(0, 100, 100, 0);
        canvas.OnDrawBegin = [this](TSelvirCanvas* sender, std::int16_t tool, double x, double y) {
            EXPECT_EQ(sender, &canvas);
            log.push_back({"begin", tool, x, y});
        };
        canvas.OnDrawEnd = [this](TSelvirCanvas*, std::int16_t tool, double x, double y) {
            log.push_back({"end", tool, x, y});
        };
        canvas.OnDblClick = [this](TSelvirCanvas*) { log.push_back({"dblclick", 0, 0, 0}); };
        canvas.OnWorldMouseDown = [this](TSelvirCanvas*, std::int16_t button, std::int16_t shift,
                                         std::int16_t tool, double x, double y) {
            downs.push_back({button, shift, tool, x, y});
        };
    }

    void click(int px, int py, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        move(px, py);
        QTest::mouseClick(&canvas, button, modifiers, QPoint(px, py));
    }
    // A move event as the toolkit delivers it (QTest's own move only warps the cursor).
    void move(int px, int py, Qt::MouseButtons held = Qt::NoButton) {
        QMouseEvent event(QEvent::MouseMove, QPointF(px, py), canvas.mapToGlobal(QPointF(px, py)),
                          Qt::NoButton, held, Qt::NoModifier);
        QApplication::sendEvent(&canvas, &event);
    }
    // The second click of a double-click: Qt sends the double-click event in place of its press.
    void doubleClick(int px, int py) {
        click(px, py);
        QTest::mouseDClick(&canvas, Qt::LeftButton, Qt::NoModifier, QPoint(px, py));
        QTest::mouseRelease(&canvas, Qt::LeftButton, Qt::NoModifier, QPoint(px, py));
    }
    void wheel(int px, int py, int delta) {
        QWheelEvent event(QPointF(px, py), canvas.mapToGlobal(QPointF(px, py)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&canvas, &event);
    }
    std::vector<std::pair<double, double>> vertices(ShapeId id) const {
        std::vector<std::pair<double, double>> points;
        for (int i = 0; i < canvas.ShapePointCount(id); ++i) {
            points.emplace_back(canvas.ShapePointGetX(id, i), canvas.ShapePointGetY(id, i));
        }
        return points;
    }
    ShapeId lastShapeId() const {
        return canvas.Model().Shapes.empty() ? noShape : canvas.Model().Shapes.back()->Id;
    }

    TSelvirCanvas canvas;
    std::vector<ToolEvent> log;
    std::vector<DownEvent> downs;
};

using Points = std::vector<std::pair<double, double>>;

TEST_F(InputTest, PolylineFinishedByRightClickAndTheNextPressSwallowed) {
    canvas.DrawTool = shapetype::Polyline;
    canvas.KeepTool = true;
    click(10, 90);
    EXPECT_EQ(canvas.cursor().shape(), Qt::CrossCursor);
    click(50, 90);
    click(50, 50);
    EXPECT_EQ(canvas.Model().ShapeCount(), 0) << "not in the list while drawn";
    click(60, 40, Qt::RightButton);

    const ShapeId id = lastShapeId();
    EXPECT_EQ(canvas.GetShapeType(id), shapetype::Polyline);
    EXPECT_EQ(vertices(id), (Points{{10, 10}, {50, 10}, {50, 50}}));
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].name, "begin");
    EXPECT_EQ(log[0].tool, shapetype::Polyline);
    EXPECT_EQ(log[0].x, 10);
    EXPECT_EQ(log[0].y, 10);
    EXPECT_EQ(log[1].name, "end");
    EXPECT_EQ(log[1].x, 60);
    EXPECT_EQ(log[1].y, 60);
    EXPECT_EQ(downs.size(), 3u) << "the finishing right-click raises no mouse-down";
    EXPECT_FALSE(canvas.DrawActive);
    EXPECT_EQ(canvas.cursor().shape(), Qt::ArrowCursor);

    click(20, 20);
    EXPECT_EQ(downs.size(), 4u) << "the swallowed press is still reported";
    EXPECT_FALSE(canvas.DrawActive) << "the first press after the finish starts nothing";
    click(20, 20);
    EXPECT_TRUE(canvas.DrawActive);
    EXPECT_NE(canvas.PolylineInProgress, nullptr);
}

TEST_F(InputTest, PolylineFinishedByDoubleClickSwallowsItsPress) {
    canvas.DrawTool = shapetype::Spline;
    canvas.KeepTool = true;
    click(10, 90);
    click(50, 90);
    doubleClick(50, 50);

    const ShapeId id = lastShapeId();
    EXPECT_EQ(canvas.GetShapeType(id), shapetype::Spline);
    EXPECT_EQ(vertices(id), (Points{{10, 10}, {50, 10}, {50, 50}})) << "the double-click spot only once";
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[1].name, "dblclick") << "the owner's double-click runs first";
    EXPECT_EQ(log[2].name, "end");
    EXPECT_EQ(log[2].x, 50);
    EXPECT_EQ(log[2].y, 50);
    EXPECT_FALSE(canvas.IgnoreNextClick) << "the double-click's own press was swallowed";
    EXPECT_EQ(canvas.PolylineInProgress, nullptr);
    EXPECT_EQ(canvas.DrawTool, shapetype::Spline);

    click(30, 30);
    EXPECT_NE(canvas.PolylineInProgress, nullptr) << "the next click starts a new drawing";
}

TEST_F(InputTest, OneClickPolylineIsDiscardedWithItsIdUsed) {
    canvas.DrawTool = shapetype::Polygon;
    click(10, 10);
    click(10, 10, Qt::RightButton);
    EXPECT_EQ(canvas.Model().ShapeCount(), 0);
    EXPECT_EQ(log.back().name, "end");
    EXPECT_EQ(canvas.DrawTool, 0) << "KeepTool is off";
    EXPECT_EQ(canvas.DrawLine(0, 0, 1, 1, 0), 2);
}

TEST_F(InputTest, RepeatedClicksAtOneSpotAddOneVertex) {
    canvas.DrawTool = shapetype::Polyline;
    click(20, 20);
    click(20, 20);
    click(40, 20);
    doubleClick(40, 20);
    EXPECT_EQ(vertices(lastShapeId()), (Points{{20, 80}, {40, 80}}));
}

TEST_F(InputTest, PolygonTakesTheLayerBrushAndIsClosed) {
    const int layer = canvas.LayerOpen("selvir_usershape");
    canvas.SetLayerPenFg(layer, 0x123456);
    canvas.SetLayerBrushFg(layer, 0x00FF00);
    canvas.SetLayerBrushStyle(layer, brushstyle::Solid);
    canvas.DrawTool = shapetype::Polygon;
    click(10, 10);
    click(90, 10);
    click(50, 60, Qt::RightButton);
    ASSERT_EQ(canvas.Model().ShapeCount(), 1);
    const auto& polygon = static_cast<const TSPolyline&>(*canvas.Model().Shapes.back());
    EXPECT_TRUE(polygon.Closed);
    EXPECT_EQ(polygon.Layer, layer);
    EXPECT_EQ(polygon.PenFg, 0x123456);
    EXPECT_EQ(polygon.BrushFg, 0x00FF00);
    EXPECT_EQ(polygon.BrushStyle, brushstyle::Solid);
    EXPECT_EQ(polygon.MaxX, 90);
}

TEST_F(InputTest, EscapeDiscardsAPolygonAndKeepsTheTool) {
    canvas.DrawTool = shapetype::Polygon;
    click(10, 10);
    click(90, 10);
    click(50, 60);
    QTest::keyClick(&canvas, Qt::Key_Escape);
    EXPECT_EQ(canvas.Model().ShapeCount(), 0);
    EXPECT_EQ(canvas.PolylineInProgress, nullptr);
    EXPECT_FALSE(canvas.DrawActive);
    EXPECT_FALSE(canvas.ShapeInProgress);
    EXPECT_EQ(canvas.DrawTool, shapetype::Polygon);
    ASSERT_EQ(log.size(), 1u) << "no draw-end for Escape";
    EXPECT_EQ(canvas.cursor().shape(), Qt::ArrowCursor);
    click(30, 30);
    EXPECT_EQ(canvas.PolylineInProgress->Id, 2) << "the discarded drawing used id 1";
}

TEST_F(InputTest, DeleteKeyDeletesTheSelectionOnlyWhenEnabled) {
    const ShapeId line = canvas.DrawLine(0, 50, 100, 50, 0);
    canvas.ShapeSelect(line, false);
    QTest::keyClick(&canvas, Qt::Key_Delete);
    EXPECT_EQ(canvas.Model().ShapeCount(), 1);
    canvas.DeleteKeyEnabled = true;
    QTest::keyClick(&canvas, Qt::Key_Delete);
    EXPECT_EQ(canvas.Model().ShapeCount(), 0);
}

TEST_F(InputTest, SelectClicksWithAndWithoutCtrl) {
    const ShapeId a = canvas.DrawLine(0, 80, 100, 80, 0); // pixel row 20
    const ShapeId b = canvas.DrawCircle(50, 30, 10, 0);   // rim through pixel (60, 70)
    std::vector<std::pair<int, ShapeId>> selected;
    canvas.OnShapeNumberSelected = [&](TSelvirCanvas*, std::int16_t type, ShapeId id) {
        selected.emplace_back(type, id);
    };
    click(30, 21);
    EXPECT_EQ(canvas.GetShapeSelectNumbers(), std::vector<ShapeId>{a});
    click(60, 70, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(canvas.GetShapeSelectNumbers(), (std::vector<ShapeId>{a, b}));
    EXPECT_EQ(downs.back().shift, shiftmask::Ctrl);
    click(5, 95, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(canvas.SelectedShapeCount(), 2) << "Ctrl on empty space keeps the selection";
    click(60, 70);
    EXPECT_EQ(canvas.GetShapeSelectNumbers(), std::vector<ShapeId>{b}) << "a plain click replaces it";
    click(5, 95);
    EXPECT_EQ(canvas.SelectedShapeCount(), 0);
    EXPECT_EQ(selected, (std::vector<std::pair<int, ShapeId>>{
                            {shapetype::Line, a}, {shapetype::Circle, b}, {shapetype::Circle, b}}));
    EXPECT_TRUE(canvas.Model().Dirty) << "the highlight needs a rebuild";
}

TEST_F(InputTest, MouseDownReportsButtonShiftToolAndPosition) {
    canvas.DrawTool = -1;
    click(30, 40, Qt::RightButton, Qt::ShiftModifier | Qt::AltModifier);
    click(31, 41, Qt::MiddleButton);
    click(32, 42, Qt::LeftButton, Qt::ControlModifier);
    ASSERT_EQ(downs.size(), 3u);
    EXPECT_EQ(downs[0].button, buttoncode::Right);
    EXPECT_EQ(downs[0].shift, shiftmask::Shift | shiftmask::Alt);
    EXPECT_EQ(downs[0].tool, -1);
    EXPECT_EQ(downs[0].x, 30);
    EXPECT_EQ(downs[0].y, 60);
    EXPECT_EQ(downs[1].button, buttoncode::Middle);
    EXPECT_EQ(downs[2].button, buttoncode::Left);
    EXPECT_EQ(downs[2].shift, shiftmask::Ctrl);
    EXPECT_EQ(canvas.DownX, 32);
    EXPECT_EQ(canvas.DownY, 58);
}

TEST_F(InputTest, RectangleNeedsOneDifferingCoordinateAndEllipseBoth) {
    canvas.KeepTool = true;
    canvas.DrawTool = shapetype::Rectangle;
    click(10, 10);
    click(10, 50); // same x, other y
    EXPECT_EQ(canvas.GetShapeType(lastShapeId()), shapetype::Rectangle);
    EXPECT_TRUE(canvas.DrawActive) << "the sequence stays open for the next rectangle";
    EXPECT_FALSE(canvas.ShapeInProgress);
    click(20, 20);
    click(20, 20); // the same point: nothing
    EXPECT_EQ(canvas.Model().ShapeCount(), 1);
    EXPECT_EQ(std::count_if(log.begin(), log.end(), [](const ToolEvent& e) { return e.name == "begin"; }), 2)
        << "every shape of the sequence begins anew";
    click(0, 0, Qt::RightButton);

    canvas.DrawTool = shapetype::Ellipse4;
    click(0, 0); // swallowed after the right-click
    click(10, 10);
    click(10, 50);
    EXPECT_EQ(canvas.Model().ShapeCount(), 1) << "an ellipse needs extent both ways";
    click(10, 10);
    click(40, 60);
    EXPECT_EQ(canvas.GetShapeType(lastShapeId()), shapetype::Ellipse);
}

TEST_F(InputTest, CircleLineChainAndThreePointCurve) {
    canvas.KeepTool = true;
    canvas.DrawTool = shapetype::Circle;
    click(50, 50);
    click(53, 54);
    const auto& circle = static_cast<const TSCircle&>(*canvas.Model().Shapes.back());
    EXPECT_DOUBLE_EQ(circle.Radius, 5.0);
    click(0, 0, Qt::RightButton);

    canvas.DrawTool = shapetype::Line;
    click(0, 0); // swallowed
    click(10, 90);
    click(20, 90);
    click(20, 90); // repeats the anchor: nothing
    click(20, 80);
    EXPECT_EQ(canvas.Model().ShapeCount(), 3);
    const auto& second = static_cast<const TSLine&>(*canvas.Model().Shapes.back());
    EXPECT_EQ(second.X1, 20);
    EXPECT_EQ(second.Y1, 10) << "each line starts where the last ended";
    EXPECT_EQ(second.Y2, 20);
    click(0, 0, Qt::RightButton);

    canvas.DrawTool = shapetype::Curve;
    const size_t events = log.size();
    click(0, 0); // swallowed
    click(10, 90);
    click(50, 10);
    click(90, 90);
    EXPECT_EQ(canvas.GetShapeType(lastShapeId()), shapetype::Curve);
    EXPECT_EQ(vertices(lastShapeId()), (Points{{10, 10}, {50, 90}, {90, 10}}));
    EXPECT_EQ(log.size(), events + 1) << "only the begin until the sequence is finished";
    EXPECT_TRUE(canvas.DrawActive);
}

TEST_F(InputTest, PointToolResetsTheToolUnlessKept) {
    canvas.DrawTool = shapetype::Point;
    click(25, 75);
    EXPECT_EQ(canvas.GetShapeType(lastShapeId()), shapetype::Point);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].name, "end");
    EXPECT_EQ(log[0].tool, shapetype::Point);
    EXPECT_EQ(log[0].x, 25);
    EXPECT_EQ(log[0].y, 25);
    EXPECT_EQ(canvas.DrawTool, 0);
    canvas.DrawTool = shapetype::Point;
    canvas.KeepTool = true;
    click(30, 75);
    click(35, 75);
    EXPECT_EQ(canvas.Model().ShapeCount(), 3);
    EXPECT_EQ(canvas.DrawTool, shapetype::Point);
    EXPECT_FALSE(canvas.DrawActive);
}

TEST_F(InputTest, ZoomWindowFitsTheClientAspectAndIgnoresATinyBox) {
    canvas.DrawTool = -3;
    click(10, 10);
    EXPECT_TRUE(log.empty()) << "no draw-begin for the zoom window";
    click(50, 30); // world box 10..50 by 70..90: 40 x 20, widened to 40 x 40 about (30, 80)
    EXPECT_DOUBLE_EQ(canvas.View().WorldLeft, 10);
    EXPECT_DOUBLE_EQ(canvas.View().WorldRight, 50);
    EXPECT_DOUBLE_EQ(canvas.View().WorldBottom, 60);
    EXPECT_DOUBLE_EQ(canvas.View().WorldTop, 100);
    EXPECT_EQ(canvas.DrawTool, 0);
    EXPECT_FALSE(canvas.DrawActive);

    canvas.WorldSet(0, 0.05, 0.05, 0); // a pixel is 0.0005 units
    const ViewWindow before = canvas.View();
    canvas.DrawTool = -3;
    click(10, 10);
    click(11, 11);
    EXPECT_EQ(canvas.View(), before);
    EXPECT_EQ(canvas.DrawTool, 0) << "the tool ends anyway";
    EXPECT_FALSE(canvas.ShapeInProgress);
}

TEST_F(InputTest, PanNeedsMoreThanTwoPixels) {
    canvas.DrawTool = -2;
    QTest::mousePress(&canvas, Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
    EXPECT_TRUE(canvas.Panning);
    EXPECT_EQ(canvas.cursor().shape(), Qt::SizeAllCursor);
    move(52, 48, Qt::LeftButton);
    EXPECT_EQ(canvas.View(), (ViewWindow{0, 100, 100, 0}));
    move(53, 50, Qt::LeftButton);
    EXPECT_DOUBLE_EQ(canvas.View().WorldLeft, -3) << "the drawing follows the pointer to the right";
    EXPECT_DOUBLE_EQ(canvas.View().WorldBottom, 0);
    QTest::mouseRelease(&canvas, Qt::LeftButton, Qt::NoModifier, QPoint(53, 50));
    EXPECT_FALSE(canvas.Panning);
    EXPECT_EQ(canvas.DrawTool, -2) << "the pan tool stays";
    EXPECT_EQ(canvas.cursor().shape(), Qt::ArrowCursor);

    canvas.DrawTool = shapetype::Polyline; // the middle button pans whatever the tool
    QTest::mousePress(&canvas, Qt::MiddleButton, Qt::NoModifier, QPoint(50, 50));
    move(50, 60, Qt::MiddleButton);
    EXPECT_DOUBLE_EQ(canvas.View().WorldBottom, 10);
    QTest::mouseRelease(&canvas, Qt::MiddleButton, Qt::NoModifier, QPoint(50, 60));
    EXPECT_FALSE(canvas.Panning);
    EXPECT_EQ(canvas.PolylineInProgress, nullptr);
}

TEST_F(InputTest, DynamicZoomByVerticalDrag) {
    canvas.DrawTool = -4;
    QTest::mousePress(&canvas, Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
    move(50, 47, Qt::LeftButton); // 3 pixels: not yet
    EXPECT_DOUBLE_EQ(canvas.GetWorldWidth(), 100);
    move(50, 46, Qt::LeftButton); // 4 pixels up: zoom in by 0.04 about the centre
    EXPECT_DOUBLE_EQ(canvas.GetWorldWidth(), 96);
    EXPECT_DOUBLE_EQ(canvas.View().WorldLeft, 2);
    move(50, 56, Qt::LeftButton); // 10 down from the new reference: out by 0.1
    EXPECT_NEAR(canvas.GetWorldWidth(), 96 * 1.1, 1e-9);
    QTest::mouseRelease(&canvas, Qt::LeftButton, Qt::NoModifier, QPoint(50, 56));
    EXPECT_FALSE(canvas.DynamicZooming);
    move(50, 10, Qt::NoButton);
    EXPECT_NEAR(canvas.GetWorldWidth(), 96 * 1.1, 1e-9);
}

TEST_F(InputTest, WheelZoomsAboutThePointer) {
    wheel(25, 75, 120); // world (25, 25)
    EXPECT_DOUBLE_EQ(canvas.GetWorldWidth(), 90);
    int px = 0, py = 0;
    canvas.WorldToScreen(25.0001, 24.9999, px, py);
    EXPECT_EQ(px, 25);
    EXPECT_EQ(py, 75) << "the point under the pointer stays there";
    wheel(25, 75, -120);
    EXPECT_NEAR(canvas.GetWorldWidth(), 99, 1e-9);
    const ViewWindow before = canvas.View();
    wheel(25, 75, 0);
    EXPECT_EQ(canvas.View(), before) << "a sideways scroll does not zoom";
}

TEST_F(InputTest, DoubleClickWithoutADrawingCentresTheView) {
    move(80, 20); // world (80, 80)
    QTest::mouseDClick(&canvas, Qt::LeftButton, Qt::NoModifier, QPoint(80, 20));
    EXPECT_DOUBLE_EQ(canvas.View().WorldLeft, 30);
    EXPECT_DOUBLE_EQ(canvas.View().WorldTop, 130);
    EXPECT_EQ(log.size(), 1u) << "only the owner's double-click event";
}

TEST_F(InputTest, MouseMoveReportsDistanceAndAngleFromTheLastPress) {
    std::vector<std::vector<double>> moves;
    canvas.OnWorldMouseMove = [&](TSelvirCanvas*, std::int16_t shift, double x, double y, double d,
                                  double a) {
        moves.push_back({double(shift), x, y, d, a});
    };
    click(10, 90); // world (10, 10)
    moves.clear();
    move(13, 86); // (13, 14): 3, 4
    move(10, 90);
    move(10, 95); // straight south
    move(7, 90);  // west
    ASSERT_EQ(moves.size(), 4u);
    EXPECT_EQ(moves[0][1], 13);
    EXPECT_EQ(moves[0][2], 14);
    EXPECT_DOUBLE_EQ(moves[0][3], 5);
    EXPECT_NEAR(moves[0][4], 53.130102354, 1e-8);
    EXPECT_EQ(moves[1][3], 0);
    EXPECT_EQ(moves[1][4], 0) << "no direction at the press point";
    EXPECT_DOUBLE_EQ(moves[2][4], -90);
    EXPECT_DOUBLE_EQ(moves[3][4], 180);
}

TEST_F(InputTest, RubberBandFollowsThePointerWithoutARebuild) {
    canvas.DrawTool = shapetype::Line;
    click(10, 50);
    canvas.grab(); // builds the image
    ASSERT_FALSE(canvas.Model().Dirty);
    const qint64 imageKey = canvas.OffscreenImage().cacheKey();
    for (int x = 20; x <= 90; x += 10) {
        move(x, 50);
    }
    EXPECT_EQ(canvas.CursorX, 90);
    EXPECT_FALSE(canvas.Model().Dirty);
    const QImage shown = canvas.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(canvas.OffscreenImage().cacheKey(), imageKey) << "the image was not rebuilt";
    EXPECT_EQ(shown.pixel(80, 50), qRgb(0, 0, 0)) << "the band reaches the pointer";
    canvas.Refresh();
    canvas.grab();
    EXPECT_NE(canvas.OffscreenImage().cacheKey(), imageKey) << "a rebuild does show in the key";
}

TEST_F(InputTest, ClearDrawingStateForgetsAnOpenDrawing) {
    canvas.DrawTool = shapetype::Polygon;
    click(10, 10);
    click(20, 10);
    canvas.IgnoreNextClick = true;
    canvas.ClearDrawingState();
    EXPECT_FALSE(canvas.DrawActive);
    EXPECT_FALSE(canvas.ShapeInProgress);
    EXPECT_FALSE(canvas.IgnoreNextClick);
    EXPECT_EQ(canvas.PolylineInProgress, nullptr);
    EXPECT_EQ(canvas.Model().ShapeCount(), 0);
    EXPECT_EQ(canvas.DrawTool, shapetype::Polygon) << "the tool is the owner's to change";
}

TEST_F(InputTest, AThrowingOwnerHandlerDoesNotEscapeTheEventHandler) {
    canvas.OnWorldMouseDown = [](TSelvirCanvas*, std::int16_t, std::int16_t, std::int16_t, double, double) {
        throw std::runtime_error("owner failed");
    };
    EXPECT_NO_THROW(click(10, 10));
}

} // namespace
} // namespace selvir
