// The canvas widget's Qt input: real mouse, key and wheel events on an offscreen canvas reach the tools
// (CanvasToolsTest covers what the tools do with them) with their buttons, modifiers and positions;
// the tools' pointer shapes become cursors; nothing thrown escapes.
#include "canvaswidget/TSelvirCanvas.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

namespace selvir {
namespace {

// A 100 x 100 client showing world 0..100 both ways: pixel (px, py) is world (px, 100 - py).
class InputTest : public ::testing::Test {
protected:
    void SetUp() override {
        canvas.SetClientSize(100, 100);
        canvas.WorldSet(0, 100, 100, 0);
        canvas.OnWorldMouseDown = [this](CanvasCore*, std::int16_t button, std::int16_t shift,
                                         std::int16_t tool, double x, double y) {
            downs.push_back({double(button), double(shift), double(tool), x, y});
        };
    }
    void click(int px, int py, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        move(px, py);
        QTest::mouseClick(&canvas, button, modifiers, QPoint(px, py));
    }
    // Mouse events as the toolkit delivers them (QTest's own move only warps the cursor).
    void send(QEvent::Type type, int px, int py, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(px, py), canvas.mapToGlobal(QPointF(px, py)), button, held,
                          Qt::NoModifier);
        QApplication::sendEvent(&canvas, &event);
    }
    void move(int px, int py, Qt::MouseButtons held = Qt::NoButton) {
        send(QEvent::MouseMove, px, py, Qt::NoButton, held);
    }
    // The second press of a double-click: Qt sends it as a double-click event only.
    void secondPress(int px, int py) {
        send(QEvent::MouseButtonDblClick, px, py, Qt::LeftButton, Qt::LeftButton);
    }
    void wheel(int px, int py, QPoint delta) {
        QWheelEvent event(QPointF(px, py), canvas.mapToGlobal(QPointF(px, py)), QPoint(), delta, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&canvas, &event);
    }

    TSelvirCanvas canvas;
    std::vector<std::vector<double>> downs; // button, shift, tool, x, y
};

TEST_F(InputTest, MouseDownReportsButtonShiftToolAndPosition) {
    canvas.DrawTool = -1;
    click(30, 40, Qt::RightButton, Qt::ShiftModifier | Qt::AltModifier);
    click(31, 41, Qt::MiddleButton);
    click(32, 42, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(downs,
              (std::vector<std::vector<double>>{{2, 5, -1, 30, 60}, {4, 0, -1, 31, 59}, {1, 2, -1, 32, 58}}));
    EXPECT_EQ(canvas.DownX, 32);
    EXPECT_EQ(canvas.DownY, 58);
}

TEST_F(InputTest, QtDoubleClickFinishesADrawingAndItsPressIsSwallowed) {
    std::vector<std::string> log;
    canvas.OnDblClick = [&](CanvasCore*) { log.push_back("dblclick"); };
    canvas.OnDrawEnd = [&](CanvasCore*, std::int16_t, double, double) { log.push_back("end"); };
    canvas.DrawTool = toolCode(CanvasTool::Polyline);
    click(10, 90);
    click(50, 50);
    secondPress(50, 50);
    QTest::mouseRelease(&canvas, Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
    EXPECT_EQ(log, (std::vector<std::string>{"dblclick", "end"}));
    EXPECT_EQ(canvas.ShapeCount(), 1);
    EXPECT_FALSE(canvas.IgnoreNextClick) << "the double-click's own press was swallowed";
    EXPECT_EQ(downs.size(), 3u);
}

TEST_F(InputTest, KeysCursorsAndTheWheelReachTheTools) {
    canvas.DrawTool = toolCode(CanvasTool::Polygon);
    click(10, 10);
    EXPECT_EQ(canvas.cursor().shape(), Qt::CrossCursor);
    QTest::keyClick(&canvas, Qt::Key_A);
    EXPECT_TRUE(canvas.DrawActive) << "other keys pass on";
    QTest::keyClick(&canvas, Qt::Key_Escape);
    EXPECT_FALSE(canvas.DrawActive);
    EXPECT_EQ(canvas.cursor().shape(), Qt::ArrowCursor);
    canvas.ShapeSelect(canvas.DrawLine(0, 50, 100, 50, 0), false);
    canvas.DeleteKeyEnabled = true;
    QTest::keyClick(&canvas, Qt::Key_Delete);
    EXPECT_EQ(canvas.ShapeCount(), 0);

    QTest::mousePress(&canvas, Qt::MiddleButton, Qt::NoModifier, QPoint(50, 50));
    EXPECT_EQ(canvas.cursor().shape(), Qt::SizeAllCursor);
    move(50, 60, Qt::MiddleButton);
    EXPECT_DOUBLE_EQ(canvas.View().WorldBottom, 10) << "moves with a button held pan";
    QTest::mouseRelease(&canvas, Qt::MiddleButton, Qt::NoModifier, QPoint(50, 60));
    EXPECT_EQ(canvas.cursor().shape(), Qt::ArrowCursor);

    wheel(25, 75, QPoint(0, 60));
    wheel(25, 75, QPoint(0, 60));
    EXPECT_DOUBLE_EQ(canvas.GetWorldWidth(), 90) << "two halves make one notch";
    const ViewWindow before = canvas.View();
    wheel(25, 75, QPoint(120, 0));
    EXPECT_EQ(canvas.View(), before) << "a sideways scroll does not zoom";
}

TEST_F(InputTest, AThrowingOwnerHandlerDoesNotEscapeTheEventHandlerAndIsCounted) {
    canvas.OnWorldMouseDown = [](CanvasCore*, std::int16_t, std::int16_t, std::int16_t, double, double) {
        throw std::runtime_error("owner failed");
    };
    std::string told;
    canvas.OnInputFault = [&](CanvasCore* sender, const std::string& message) {
        EXPECT_EQ(sender, &canvas);
        told = message;
    };
    EXPECT_NO_THROW(click(10, 10));
    EXPECT_NO_THROW(secondPress(10, 10));
    EXPECT_EQ(canvas.InputFaultCount(), 2);
    EXPECT_EQ(told, "owner failed");
}

} // namespace
} // namespace selvir
