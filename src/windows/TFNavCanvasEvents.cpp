// What the main window does with the canvas's pointer events: the last world position for the wheel,
// the middle-button distance measure, the clicked position in the status bar, and the map timer paused
// while the user draws.
#include "canvaswidget/TSelvirCanvas.h"
#include "core/NumberFormat.h"
#include "geodesy/Angles.h"
#include "navigation/LayerNames.h"
#include "windows/TFNav.h"

#include <QTimer>
#include <cmath>

namespace selvir {

namespace {
constexpr int kLeftButton = 1;
constexpr int kMiddleButton = 4;
} // namespace

void TFNav::wireCanvasEvents() {
    // A fault caught in the pointer handling loses that click, not the program; it is written down so
    // it can be found and mended.
    canvas_->OnInputFault = [this](CanvasCore*, const std::string& message) {
        session_->events().writeAutoEvent("Canvas input failed: " + message);
    };
    canvas_->OnWorldMouseMove = [this](CanvasCore*, std::int16_t, double x, double y, double, double) {
        lastWorldX_ = x;
        lastWorldY_ = y;
        if (measuring_) {
            const double dx = x - measureX_, dy = y - measureY_;
            canvas_->UpdateDistanceMeasure(x, y, std::hypot(dx, dy), gridBearingDeg(dx, dy));
        }
    };
    canvas_->OnWorldMouseDown = [this](CanvasCore*, std::int16_t button, std::int16_t, std::int16_t, double x,
                                       double y) {
        // The canvas may end its tool after this event (a zoom window's second click).
        QTimer::singleShot(0, this, [this] { showDrawingTool(); });
        if (selectingLine_ && button == kLeftButton) {
            pickLineAt(x, y);
            return;
        }
        if (button == kMiddleButton) {
            if (!measuring_) {
                measuring_ = true;
                measureX_ = x;
                measureY_ = y;
                canvas_->StartDistanceMeasure(x, y);
            } else {
                measuring_ = false;
                canvas_->EndDistanceMeasure();
            }
            return;
        }
        if (panelCount() >= 6) {
            setPanelText(4, "Click E: " + formatFixed(x, 2));
            setPanelText(5, "Click N: " + formatFixed(y, 2));
        }
    };
    canvas_->OnDrawBegin = [this](CanvasCore*, std::int16_t, double, double) {
        // A selection polygon and a route stay on their own layers, so finishing them leaves nothing
        // among the user's shapes.
        if (selection_ == SelectionMode::None && !drawingRoute()) {
            canvas_->SetCurrentLayer(canvas_->LayerFindByName(QString::fromUtf8(kUserShapeLayerName)));
        }
        drawing_ = true;
        tMap_.stop();
    };
    canvas_->OnDrawEnd = [this](CanvasCore*, std::int16_t tool, double, double) {
        drawing_ = false;
        QTimer::singleShot(0, this, [this] { showDrawingTool(); });
        if (session_->realtimeOn()) {
            tMap_.start();
        }
        if (!(tool == toolCode(CanvasTool::Polygon) && finishSelection())) {
            handOverRoute(tool);
        }
    };
    canvas_->OnShapeNumberSelected = [this](CanvasCore*, std::int16_t, ShapeId id) {
        toggleTrackHighlight(id);
    };
}

} // namespace selvir
