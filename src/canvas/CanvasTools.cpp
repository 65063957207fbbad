// The state machine of the canvas tools: presses, moves, releases, double-clicks, keys and the wheel.
#include "canvas/CanvasTools.h"

#include "canvas/CanvasCore.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace selvir {
namespace {

constexpr int panThresholdPx = 2;           // a pan step needs more than this in x or y
constexpr int dynamicZoomThresholdPx = 3;   // a zoom step needs more than this vertically
constexpr double dynamicZoomPerPx = 0.01;   // zoom factor per pixel of vertical drag
constexpr double wheelZoomFactor = 0.1;     // a tenth per wheel notch
constexpr double minZoomWindowSide = 0.001; // world units

} // namespace

CanvasTools::~CanvasTools() = default;

void CanvasTools::noteInputFault(const char* message) noexcept {
    ++inputFaults_;
    try {
        lastInputFault_ = message;
        if (OnInputFault) {
            OnInputFault(&canvas_, lastInputFault_);
        }
    } catch (...) {
        // Telling the owner must not leave the event delivery either.
    }
}

void CanvasTools::setPointer(PointerShape shape) {
    pointer_ = shape;
    showPointer(shape);
}

void CanvasTools::MouseDown(TMouseButton button, TShiftState shift, int px, int py) {
    double x = 0.0, y = 0.0;
    canvas_.ScreenToWorld(px, py, x, y);

    if (button == TMouseButton::mbRight && (ShapeInProgress || DrawActive)) {
        finishDrawing(x, y); // raises no OnWorldMouseDown
        DownX = x;
        DownY = y;
        return;
    }
    if (OnWorldMouseDown) {
        OnWorldMouseDown(&canvas_, buttonCode(button), static_cast<std::int16_t>(shift),
                         static_cast<std::int16_t>(DrawTool), x, y);
    }
    if (button == TMouseButton::mbLeft) {
        if (IgnoreNextClick) {
            IgnoreNextClick = false;
        } else {
            if (!DrawActive && !ShapeInProgress &&
                (tool() == CanvasTool::None || tool() == CanvasTool::Select)) {
                selectClick(x, y, shift);
            }
            if (tool() == CanvasTool::Pan) {
                startPan(px, py, x, y);
            } else if (tool() == CanvasTool::DynamicZoom) {
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

void CanvasTools::MouseDoubleDown(TMouseButton button, TShiftState shift, int px, int py) {
    if (button == TMouseButton::mbLeft) {
        DblClick();
    }
    MouseDown(button, shift, px, py);
}

void CanvasTools::selectClick(double x, double y, TShiftState shift) {
    const bool add = isHeld(shift, ShiftKey::Ctrl);
    const ShapeId id = canvas_.GetShapeAt(x, y);
    if (!add) {
        canvas_.ClearSelection();
    }
    if (id != noShape) {
        canvas_.ShapeSelect(id, true);
        if (OnShapeNumberSelected) {
            OnShapeNumberSelected(&canvas_, canvas_.GetShapeType(id), id);
        }
    }
    canvas_.Refresh();
}

void CanvasTools::leftClickTool(double x, double y) {
    const int layer = canvas_.CurrentLayer();
    switch (tool()) {
    case CanvasTool::Rectangle:
    case CanvasTool::Line:
    case CanvasTool::Ellipse4:
    case CanvasTool::Circle:
    case CanvasTool::ZoomWindow:
    case CanvasTool::PickWindow:
        if (!ShapeInProgress) {
            startSequence(x, y);
            return;
        }
        break;
    case CanvasTool::Polyline:
    case CanvasTool::Polygon:
    case CanvasTool::Spline:
    case CanvasTool::Curve:
        if (!PolylineInProgress) {
            startPolyline(x, y);
            return;
        }
        break;
    case CanvasTool::Point:
        canvas_.DrawPoint(x, y, layer);
        if (OnDrawEnd) {
            OnDrawEnd(&canvas_, toolCode(CanvasTool::Point), x, y);
        }
        if (!KeepTool) {
            DrawTool = toolCode(CanvasTool::None);
        }
        canvas_.Invalidate();
        return;
    default:
        return; // tools without a click action (text, select)
    }

    // Later clicks of an open shape.
    switch (tool()) {
    case CanvasTool::Rectangle:
        if (x != AnchorX || y != AnchorY) {
            canvas_.DrawRectangle(AnchorX, AnchorY, x, y, layer);
        }
        finishTwoClickShape();
        break;
    case CanvasTool::Ellipse4:
        // An ellipse needs extent both ways; a rectangle of one line is still a rectangle.
        if (x != AnchorX && y != AnchorY) {
            canvas_.DrawTwoPointEllipse(AnchorX, AnchorY, x, y, layer);
        }
        finishTwoClickShape();
        break;
    case CanvasTool::Circle: {
        const double r = std::hypot(x - AnchorX, y - AnchorY);
        if (r > 0.0) {
            canvas_.DrawCircle(AnchorX, AnchorY, r, layer);
        }
        finishTwoClickShape();
        break;
    }
    case CanvasTool::Line:
        if (x != AnchorX || y != AnchorY) {
            canvas_.DrawLine(AnchorX, AnchorY, x, y, layer);
            AnchorX = x;
            AnchorY = y;
            canvas_.Invalidate();
        }
        break;
    case CanvasTool::ZoomWindow:
        zoomWindowTo(x, y);
        break;
    case CanvasTool::PickWindow:
        pickWindowTo(x, y);
        break;
    case CanvasTool::Curve: {
        const size_t placed = PolylineInProgress->Points.size();
        if (placed == 1) {
            PolylineInProgress->AddPoint(x, y);
            AnchorX = x;
            AnchorY = y;
            canvas_.Invalidate();
        } else if (placed == 2) {
            PolylineInProgress->AddPoint(x, y);
            PolylineInProgress->UpdateBounds();
            canvas_.AppendShape(std::move(PolylineInProgress));
            ShapeInProgress = false;
            AnchorX = AnchorY = 0.0;
            canvas_.Refresh();
        }
        break;
    }
    default: // polyline, polygon, spline: a vertex unless it repeats the last one
        if (x != AnchorX || y != AnchorY) {
            PolylineInProgress->AddPoint(x, y);
            AnchorX = x;
            AnchorY = y;
            canvas_.Refresh();
        }
        break;
    }
}

void CanvasTools::startSequence(double x, double y) {
    ShapeInProgress = true;
    DrawActive = true;
    AnchorX = CursorX = x;
    AnchorY = CursorY = y;
    setPointer(PointerShape::Cross);
    if (tool() != CanvasTool::ZoomWindow && tool() != CanvasTool::PickWindow && OnDrawBegin) {
        OnDrawBegin(&canvas_, static_cast<std::int16_t>(DrawTool), x, y);
    }
}

void CanvasTools::startPolyline(double x, double y) {
    auto polyline = std::make_unique<TSPolyline>();
    polyline->Layer = canvas_.CurrentLayer();
    polyline->ShapeType = shapeOf(tool());
    polyline->Closed = tool() == CanvasTool::Polygon;
    polyline->Id = canvas_.TakeNextId(); // taken now: a discarded drawing still uses its id
    if (const TSLayer* layer = canvas_.FindLayer(polyline->Layer)) {
        polyline->PenFg = layer->PenFg;
        polyline->PenWidth = layer->PenWidth;
        if (tool() == CanvasTool::Polygon) {
            polyline->BrushFg = layer->BrushFg;
            polyline->BrushStyle = layer->BrushStyle;
        }
    }
    polyline->Points.push_back({x, y});
    polyline->UpdateBounds();
    PolylineInProgress = std::move(polyline);
    startSequence(x, y);
}

void CanvasTools::finishTwoClickShape() {
    // The sequence stays open: the next click starts another shape of the same kind.
    ShapeInProgress = false;
    AnchorX = AnchorY = CursorX = CursorY = 0.0;
    canvas_.Refresh();
}

void CanvasTools::zoomWindowTo(double x, double y) {
    double w = std::abs(x - AnchorX);
    double h = std::abs(y - AnchorY);
    if (w > minZoomWindowSide && h > minZoomWindowSide) {
        const ClientSize client = canvas_.clientSize();
        const double aspect = static_cast<double>(std::max(client.Width, 1)) / std::max(client.Height, 1);
        if (w / h > aspect) {
            h = w / aspect;
        } else {
            w = h * aspect;
        }
        const double cx = (x + AnchorX) / 2.0;
        const double cy = (y + AnchorY) / 2.0;
        canvas_.WorldSet(cx - w / 2.0, cy + h / 2.0, cx + w / 2.0, cy - h / 2.0);
    }
    ShapeInProgress = false;
    DrawActive = false;
    endTool();
}

void CanvasTools::pickWindowTo(double x, double y) {
    const double left = std::min(x, AnchorX), right = std::max(x, AnchorX);
    const double bottom = std::min(y, AnchorY), top = std::max(y, AnchorY);
    ShapeInProgress = false;
    DrawActive = false;
    endTool();
    canvas_.Invalidate(); // the rubber band goes
    if (right - left > minZoomWindowSide && top - bottom > minZoomWindowSide && OnWindowPicked) {
        OnWindowPicked(&canvas_, left, top, right, bottom);
    }
}

void CanvasTools::startPan(int px, int py, double x, double y) {
    Panning = true;
    dragReferencePx_ = QPoint(px, py);
    CursorX = x;
    CursorY = y;
    setPointer(PointerShape::SizeAll);
}

void CanvasTools::finishDrawing(double x, double y) {
    if (PolylineInProgress) {
        if (PolylineInProgress->Points.size() > 1) {
            PolylineInProgress->UpdateBounds();
            canvas_.AppendShape(std::move(PolylineInProgress));
        }
        PolylineInProgress.reset(); // a single vertex is no shape; its id stays used
    }
    ShapeInProgress = false;
    DrawActive = false;
    IgnoreNextClick = true;
    if (OnDrawEnd) {
        OnDrawEnd(&canvas_, static_cast<std::int16_t>(DrawTool), x, y);
    }
    endTool();
}

void CanvasTools::endTool() {
    if (!KeepTool) {
        DrawTool = toolCode(CanvasTool::None);
    }
    setPointer(PointerShape::Default);
    canvas_.Invalidate();
}

void CanvasTools::MouseMove(TShiftState shift, int px, int py) {
    double x = 0.0, y = 0.0;
    canvas_.ScreenToWorld(px, py, x, y);
    if (OnWorldMouseMove) {
        const double dx = x - DownX;
        const double dy = y - DownY;
        const double angle = (dx == 0.0 && dy == 0.0) ? 0.0 : std::atan2(dy, dx) * 180.0 / std::numbers::pi;
        OnWorldMouseMove(&canvas_, static_cast<std::int16_t>(shift), x, y, std::hypot(dx, dy), angle);
    }
    if (Panning) {
        if (std::abs(px - dragReferencePx_.x()) > panThresholdPx ||
            std::abs(py - dragReferencePx_.y()) > panThresholdPx) {
            double rx = 0.0, ry = 0.0;
            canvas_.ScreenToWorld(dragReferencePx_.x(), dragReferencePx_.y(), rx, ry);
            canvas_.WorldPan(rx - x, ry - y); // the drawing follows the pointer
            dragReferencePx_ = QPoint(px, py);
        }
    } else if (DynamicZooming) {
        const int d = dragReferencePx_.y() - py; // positive upwards: zoom in
        if (std::abs(d) > dynamicZoomThresholdPx) {
            const ViewWindow& view = canvas_.View();
            canvas_.WorldZoom(0, d * dynamicZoomPerPx, (view.WorldLeft + view.WorldRight) / 2.0,
                              (view.WorldBottom + view.WorldTop) / 2.0);
            dragReferencePx_ = QPoint(px, py);
        }
    } else if (DrawActive) {
        CursorX = x;
        CursorY = y;
        canvas_.Invalidate(); // the rubber band follows; the image stays
    }
    lastMovePx_ = QPoint(px, py);
}

void CanvasTools::MouseUp(TMouseButton button, TShiftState, int, int) {
    if (button == TMouseButton::mbRight) {
        return;
    }
    if (Panning) {
        Panning = false;
        setPointer(PointerShape::Default);
    } else if (button == TMouseButton::mbLeft) {
        DynamicZooming = false;
    }
}

void CanvasTools::DblClick() {
    if (OnDblClick) {
        OnDblClick(&canvas_);
    }
    double x = 0.0, y = 0.0;
    canvas_.ScreenToWorld(lastMovePx_.x(), lastMovePx_.y(), x, y);
    if (!DrawActive && !ShapeInProgress) {
        const ViewWindow& view = canvas_.View();
        canvas_.WorldPan(x - (view.WorldLeft + view.WorldRight) / 2.0,
                         y - (view.WorldBottom + view.WorldTop) / 2.0);
        return;
    }
    finishDrawing(x, y); // its IgnoreNextClick swallows the press of this second click
}

void CanvasTools::KeyDown(unsigned short& key, TShiftState) {
    guarded([&] {
        if (key == keycode::Delete && DeleteKeyEnabled) {
            canvas_.ShapeSelectDelete();
        } else if (key == keycode::Escape && (ShapeInProgress || DrawActive)) {
            PolylineInProgress.reset();
            ShapeInProgress = false;
            DrawActive = false;
            setPointer(PointerShape::Default);
            canvas_.Invalidate(); // no event; the tool stays
        }
    });
}

int CanvasTools::WMMouseWheel(int wheelDelta, int px, int py) {
    const int steps = wheel_.add(wheelDelta);
    for (int i = 0; i < std::abs(steps); ++i) {
        // The point under the pointer stays there, so each step zooms about the same pixel.
        double x = 0.0, y = 0.0;
        canvas_.ScreenToWorld(px, py, x, y);
        canvas_.WorldZoom(0, steps > 0 ? wheelZoomFactor : -wheelZoomFactor, x, y);
    }
    return 1;
}

void CanvasTools::ClearDrawingState() {
    IgnoreNextClick = false;
    ShapeInProgress = false;
    DrawActive = false;
    // A drawing still open here is in no list: dropping it is the only way not to lose its memory.
    PolylineInProgress.reset();
    setPointer(PointerShape::Default);
}

} // namespace selvir
