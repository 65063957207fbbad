// Pointer and keyboard input of the canvas: the drawing tools, selection clicks, pan, zoom window,
// dynamic zoom, the wheel, double-click and the keys, and the events that report them to the owner.
#include "canvas/TSelvirCanvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <cmath>
#include <numbers>

namespace selvir {
namespace {

constexpr int panThresholdPx = 2;           // a pan step needs more than this in x or y
constexpr int dynamicZoomThresholdPx = 3;   // a zoom step needs more than this vertically
constexpr double dynamicZoomPerPx = 0.01;   // zoom factor per pixel of vertical drag
constexpr double wheelZoomFactor = 0.1;     // a tenth per wheel notch
constexpr double minZoomWindowSide = 0.001; // world units

TShiftState shiftOf(Qt::KeyboardModifiers modifiers) {
    TShiftState shift = 0;
    if (modifiers & Qt::ShiftModifier) {
        shift |= shiftmask::Shift;
    }
    if (modifiers & Qt::ControlModifier) {
        shift |= shiftmask::Ctrl;
    }
    if (modifiers & Qt::AltModifier) {
        shift |= shiftmask::Alt;
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

// Owner handlers run inside Qt's event delivery, which must not be left by an exception.
template <class Handler>
void guarded(Handler&& handler) {
    try {
        handler();
    } catch (...) {
    }
}

} // namespace

// --- Qt event handlers

void TSelvirCanvas::mousePressEvent(QMouseEvent* event) {
    TMouseButton button{};
    if (buttonOf(event->button(), button)) {
        const QPoint p = event->position().toPoint();
        guarded([&] { MouseDown(button, shiftOf(event->modifiers()), p.x(), p.y()); });
    }
    event->accept();
}

void TSelvirCanvas::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    guarded([&] { MouseMove(shiftOf(event->modifiers()), p.x(), p.y()); });
    event->accept();
}

void TSelvirCanvas::mouseReleaseEvent(QMouseEvent* event) {
    TMouseButton button{};
    if (buttonOf(event->button(), button)) {
        const QPoint p = event->position().toPoint();
        guarded([&] { MouseUp(button, shiftOf(event->modifiers()), p.x(), p.y()); });
    }
    event->accept();
}

// Qt delivers the second press of a double-click as this event only. As with the classic control, a
// left double-click is first handled as a double-click and then as the press it also is (which the
// double-click has armed IgnoreNextClick to swallow); other buttons give only the press.
void TSelvirCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
    TMouseButton button{};
    if (buttonOf(event->button(), button)) {
        const QPoint p = event->position().toPoint();
        guarded([&] {
            if (button == TMouseButton::mbLeft) {
                DblClick();
            }
            MouseDown(button, shiftOf(event->modifiers()), p.x(), p.y());
        });
    }
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

// --- The state machine

void TSelvirCanvas::MouseDown(TMouseButton button, TShiftState shift, int px, int py) {
    double x = 0.0, y = 0.0;
    ScreenToWorld(px, py, x, y);

    if (button == TMouseButton::mbRight && (ShapeInProgress || DrawActive)) {
        finishDrawing(x, y); // raises no OnWorldMouseDown
        DownX = x;
        DownY = y;
        return;
    }
    if (OnWorldMouseDown) {
        OnWorldMouseDown(this, buttonCode(button), static_cast<std::int16_t>(shift),
                         static_cast<std::int16_t>(DrawTool), x, y);
    }
    if (button == TMouseButton::mbLeft) {
        if (IgnoreNextClick) {
            IgnoreNextClick = false;
        } else {
            if (!DrawActive && !ShapeInProgress &&
                (DrawTool == drawtool::None || DrawTool == drawtool::Select)) {
                selectClick(x, y, shift);
            }
            if (DrawTool == drawtool::Pan) {
                startPan(px, py, x, y);
            } else if (DrawTool == drawtool::DynamicZoom) {
                DynamicZooming = true;
                dragReferencePx_ = QPoint(px, py);
            } else {
                leftClickTool(x, y);
            }
        }
    } else if (button == TMouseButton::mbMiddle) {
        startPan(px, py, x, y);
    }
    // A right-click without an open drawing is only reported (the owner measures with it).
    DownX = x;
    DownY = y;
}

void TSelvirCanvas::selectClick(double x, double y, TShiftState shift) {
    const bool add = (shift & shiftmask::Ctrl) != 0;
    const ShapeId id = GetShapeAt(x, y);
    if (!add) {
        model_.ClearSelection();
    }
    if (id != noShape) {
        model_.ShapeSelect(id, true);
        if (OnShapeNumberSelected) {
            OnShapeNumberSelected(this, model_.GetShapeType(id), id);
        }
    }
    markDirtyAndInvalidate();
}

void TSelvirCanvas::leftClickTool(double x, double y) {
    const int layer = model_.CurrentLayer;
    switch (DrawTool) {
    case shapetype::Rectangle:
    case shapetype::Line:
    case shapetype::Ellipse4:
    case shapetype::Circle:
    case drawtool::ZoomWindow:
        if (!ShapeInProgress) {
            startSequence(x, y);
            return;
        }
        break;
    case shapetype::Polyline:
    case shapetype::Polygon:
    case shapetype::Spline:
    case shapetype::Curve:
        if (!PolylineInProgress) {
            startPolyline(x, y);
            return;
        }
        break;
    case shapetype::Point:
        model_.DrawPoint(x, y, layer);
        if (OnDrawEnd) {
            OnDrawEnd(this, shapetype::Point, x, y);
        }
        if (!KeepTool) {
            DrawTool = drawtool::None;
        }
        Invalidate();
        return;
    default:
        return; // tools without a click action (text, select)
    }

    // Later clicks of an open shape.
    switch (DrawTool) {
    case shapetype::Rectangle:
        if (x != AnchorX || y != AnchorY) {
            model_.DrawRectangle(AnchorX, AnchorY, x, y, layer);
        }
        finishTwoClickShape();
        break;
    case shapetype::Ellipse4:
        // An ellipse needs extent both ways; a rectangle of one line is still a rectangle.
        if (x != AnchorX && y != AnchorY) {
            model_.DrawTwoPointEllipse(AnchorX, AnchorY, x, y, layer);
        }
        finishTwoClickShape();
        break;
    case shapetype::Circle: {
        const double r = std::hypot(x - AnchorX, y - AnchorY);
        if (r > 0.0) {
            model_.DrawCircle(AnchorX, AnchorY, r, layer);
        }
        finishTwoClickShape();
        break;
    }
    case shapetype::Line:
        if (x != AnchorX || y != AnchorY) {
            model_.DrawLine(AnchorX, AnchorY, x, y, layer);
            AnchorX = x;
            AnchorY = y;
            Invalidate();
        }
        break;
    case drawtool::ZoomWindow:
        zoomWindowTo(x, y);
        break;
    case shapetype::Curve: {
        const size_t placed = PolylineInProgress->Points.size();
        if (placed == 1) {
            PolylineInProgress->AddPoint(x, y);
            AnchorX = x;
            AnchorY = y;
            Invalidate();
        } else if (placed == 2) {
            PolylineInProgress->AddPoint(x, y);
            PolylineInProgress->UpdateBounds();
            model_.AppendShape(std::move(PolylineInProgress));
            ShapeInProgress = false;
            AnchorX = AnchorY = 0.0;
            markDirtyAndInvalidate();
        }
        break;
    }
    default: // polyline, polygon, spline: a vertex unless it repeats the last one
        if (x != AnchorX || y != AnchorY) {
            PolylineInProgress->AddPoint(x, y);
            AnchorX = x;
            AnchorY = y;
            markDirtyAndInvalidate();
        }
        break;
    }
}

void TSelvirCanvas::startSequence(double x, double y) {
    ShapeInProgress = true;
    DrawActive = true;
    AnchorX = CursorX = x;
    AnchorY = CursorY = y;
    setCursor(Qt::CrossCursor);
    if (DrawTool != drawtool::ZoomWindow && OnDrawBegin) {
        OnDrawBegin(this, static_cast<std::int16_t>(DrawTool), x, y);
    }
}

void TSelvirCanvas::startPolyline(double x, double y) {
    auto polyline = std::make_unique<TSPolyline>();
    polyline->Layer = model_.CurrentLayer;
    polyline->ShapeType = DrawTool;
    polyline->Closed = DrawTool == shapetype::Polygon;
    polyline->Id = model_.TakeNextId(); // taken now: a discarded drawing still uses its id
    if (const TSLayer* layer = model_.FindLayer(polyline->Layer)) {
        polyline->PenFg = layer->PenFg;
        polyline->PenWidth = layer->PenWidth;
        if (DrawTool == shapetype::Polygon) {
            polyline->BrushFg = layer->BrushFg;
            polyline->BrushStyle = layer->BrushStyle;
        }
    }
    polyline->Points.push_back({static_cast<float>(x), static_cast<float>(y)});
    polyline->UpdateBounds();
    PolylineInProgress = std::move(polyline);
    startSequence(x, y);
}

void TSelvirCanvas::finishTwoClickShape() {
    // The sequence stays open: the next click starts another shape of the same kind.
    ShapeInProgress = false;
    AnchorX = AnchorY = CursorX = CursorY = 0.0;
    markDirtyAndInvalidate();
}

void TSelvirCanvas::zoomWindowTo(double x, double y) {
    double w = std::abs(x - AnchorX);
    double h = std::abs(y - AnchorY);
    if (w > minZoomWindowSide && h > minZoomWindowSide) {
        const double aspect = static_cast<double>(std::max(width(), 1)) / std::max(height(), 1);
        if (w / h > aspect) {
            h = w / aspect;
        } else {
            w = h * aspect;
        }
        const double cx = (x + AnchorX) / 2.0;
        const double cy = (y + AnchorY) / 2.0;
        view_.WorldSet(cx - w / 2.0, cy + h / 2.0, cx + w / 2.0, cy - h / 2.0);
        model_.SetDirty();
    }
    ShapeInProgress = false;
    DrawActive = false;
    endTool();
}

void TSelvirCanvas::startPan(int px, int py, double x, double y) {
    Panning = true;
    dragReferencePx_ = QPoint(px, py);
    CursorX = x;
    CursorY = y;
    setCursor(Qt::SizeAllCursor);
}

void TSelvirCanvas::finishDrawing(double x, double y) {
    if (PolylineInProgress) {
        if (PolylineInProgress->Points.size() > 1) {
            PolylineInProgress->UpdateBounds();
            model_.AppendShape(std::move(PolylineInProgress));
        }
        PolylineInProgress.reset(); // a single vertex is no shape; its id stays used
    }
    ShapeInProgress = false;
    DrawActive = false;
    IgnoreNextClick = true;
    if (OnDrawEnd) {
        OnDrawEnd(this, static_cast<std::int16_t>(DrawTool), x, y);
    }
    endTool();
}

void TSelvirCanvas::endTool() {
    if (!KeepTool) {
        DrawTool = drawtool::None;
    }
    unsetCursor();
    Invalidate();
}

void TSelvirCanvas::MouseMove(TShiftState shift, int px, int py) {
    double x = 0.0, y = 0.0;
    ScreenToWorld(px, py, x, y);
    if (OnWorldMouseMove) {
        const double dx = x - DownX;
        const double dy = y - DownY;
        const double angle = (dx == 0.0 && dy == 0.0) ? 0.0 : std::atan2(dy, dx) * 180.0 / std::numbers::pi;
        OnWorldMouseMove(this, static_cast<std::int16_t>(shift), x, y, std::hypot(dx, dy), angle);
    }
    if (Panning) {
        if (std::abs(px - dragReferencePx_.x()) > panThresholdPx ||
            std::abs(py - dragReferencePx_.y()) > panThresholdPx) {
            double rx = 0.0, ry = 0.0;
            ScreenToWorld(dragReferencePx_.x(), dragReferencePx_.y(), rx, ry);
            WorldPan(rx - x, ry - y); // the drawing follows the pointer
            dragReferencePx_ = QPoint(px, py);
        }
    } else if (DynamicZooming) {
        const int d = dragReferencePx_.y() - py; // positive upwards: zoom in
        if (std::abs(d) > dynamicZoomThresholdPx) {
            WorldZoom(0, d * dynamicZoomPerPx, (view_.WorldLeft + view_.WorldRight) / 2.0,
                      (view_.WorldBottom + view_.WorldTop) / 2.0);
            dragReferencePx_ = QPoint(px, py);
        }
    } else if (DrawActive) {
        CursorX = x;
        CursorY = y;
        Invalidate(); // the rubber band follows; the image stays
    }
    lastMovePx_ = QPoint(px, py);
}

void TSelvirCanvas::MouseUp(TMouseButton button, TShiftState, int, int) {
    if (button == TMouseButton::mbRight) {
        return;
    }
    if (Panning) {
        Panning = false;
        unsetCursor();
    } else if (button == TMouseButton::mbLeft) {
        DynamicZooming = false;
    }
}

void TSelvirCanvas::DblClick() {
    if (OnDblClick) {
        OnDblClick(this);
    }
    double x = 0.0, y = 0.0;
    ScreenToWorld(lastMovePx_.x(), lastMovePx_.y(), x, y);
    if (!DrawActive && !ShapeInProgress) {
        WorldPan(x - (view_.WorldLeft + view_.WorldRight) / 2.0,
                 y - (view_.WorldBottom + view_.WorldTop) / 2.0);
        return;
    }
    finishDrawing(x, y); // its IgnoreNextClick swallows the press of this second click
}

void TSelvirCanvas::KeyDown(unsigned short& key, TShiftState) {
    guarded([&] {
        if (key == keycode::Delete && DeleteKeyEnabled) {
            ShapeSelectDelete();
        } else if (key == keycode::Escape && (ShapeInProgress || DrawActive)) {
            PolylineInProgress.reset();
            ShapeInProgress = false;
            DrawActive = false;
            unsetCursor();
            Invalidate(); // no event; the tool stays
        }
    });
}

int TSelvirCanvas::WMMouseWheel(int wheelDelta, int px, int py) {
    double x = 0.0, y = 0.0;
    ScreenToWorld(px, py, x, y);
    WorldZoom(0, wheelDelta > 0 ? wheelZoomFactor : -wheelZoomFactor, x, y);
    return 1;
}

void TSelvirCanvas::ClearDrawingState() {
    IgnoreNextClick = false;
    ShapeInProgress = false;
    DrawActive = false;
    // A drawing still open here is in no list: dropping it is the only way not to lose its memory.
    PolylineInProgress.reset();
    unsetCursor();
}

} // namespace selvir
