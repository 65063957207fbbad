// Construction of the canvas widget and the translation of its Qt events into the tools' handlers.
#include "canvaswidget/TSelvirCanvas.h"

#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QWheelEvent>

namespace selvir {
namespace {

constexpr int initialWidthPx = 400;
constexpr int initialHeightPx = 300;

TShiftState shiftOf(Qt::KeyboardModifiers modifiers) {
    TShiftState shift = 0;
    if (modifiers & Qt::ShiftModifier) {
        shift |= shiftMask(ShiftKey::Shift);
    }
    if (modifiers & Qt::ControlModifier) {
        shift |= shiftMask(ShiftKey::Ctrl);
    }
    if (modifiers & Qt::AltModifier) {
        shift |= shiftMask(ShiftKey::Alt);
    }
    return shift;
}

bool buttonOf(Qt::MouseButton qtButton, TMouseButton& button) {
    switch (qtButton) {
    case Qt::LeftButton:
        button = TMouseButton::mbLeft;
        return true;
    case Qt::RightButton:
        button = TMouseButton::mbRight;
        return true;
    case Qt::MiddleButton:
        button = TMouseButton::mbMiddle;
        return true;
    default:
        return false;
    }
}

} // namespace

TSelvirCanvas::TSelvirCanvas(QWidget* owner) : QWidget(owner) {
    // The whole client area is covered by the image, so Qt need not clear it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true); // moves without a button reach the rubber band and the position read-out
    resize(initialWidthPx, initialHeightPx);
}

TSelvirCanvas::~TSelvirCanvas() = default;

void TSelvirCanvas::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // A canvas sized with SetClientSize while hidden has handled this size already.
    clientResized();
}

void TSelvirCanvas::showPointer(PointerShape shape) {
    switch (shape) {
    case PointerShape::Cross:
        setCursor(Qt::CrossCursor);
        break;
    case PointerShape::SizeAll:
        setCursor(Qt::SizeAllCursor);
        break;
    case PointerShape::Default:
        unsetCursor();
        break;
    }
}

void TSelvirCanvas::AboutBox() {
    QMessageBox::information(this, windowTitle(), AboutText());
}

// --- Qt events, one handler call each

void TSelvirCanvas::forwardButton(QMouseEvent* event, ButtonHandler handler) {
    TMouseButton button{};
    if (buttonOf(event->button(), button)) {
        const QPoint p = event->position().toPoint();
        guarded([&] { (this->*handler)(button, shiftOf(event->modifiers()), p.x(), p.y()); });
    }
    event->accept();
}

void TSelvirCanvas::mousePressEvent(QMouseEvent* event) {
    forwardButton(event, &CanvasTools::MouseDown);
}

void TSelvirCanvas::mouseReleaseEvent(QMouseEvent* event) {
    forwardButton(event, &CanvasTools::MouseUp);
}

// Qt delivers the second press of a double-click as this event only.
void TSelvirCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
    forwardButton(event, &CanvasTools::MouseDoubleDown);
}

void TSelvirCanvas::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    guarded([&] { MouseMove(shiftOf(event->modifiers()), p.x(), p.y()); });
    event->accept();
}

void TSelvirCanvas::keyPressEvent(QKeyEvent* event) {
    unsigned short key = 0;
    if (event->key() == Qt::Key_Delete) {
        key = keycode::Delete;
    } else if (event->key() == Qt::Key_Escape) {
        key = keycode::Escape;
    } else {
        QWidget::keyPressEvent(event); // focus keys and the owner's shortcuts
        return;
    }
    KeyDown(key, shiftOf(event->modifiers()));
    event->accept();
}

void TSelvirCanvas::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        event->ignore(); // a sideways scroll is no zoom
        return;
    }
    const QPoint p = event->position().toPoint();
    guarded([&] { WMMouseWheel(delta, p.x(), p.y()); });
    event->accept();
}

} // namespace selvir
