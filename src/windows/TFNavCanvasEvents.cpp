// What the main window does with the canvas's pointer events: the last world position for the wheel,
// the middle-button distance measure, the clicked position in the status bar, and the map timer paused
// while the user draws.
#include "canvas/TSelvirCanvas.h"
#include "core/NumberFormat.h"
#include "navigation/LayerNames.h"
#include "windows/TFNav.h"

#include <cmath>

namespace selvir {

namespace {
constexpr int kMiddleButton = 4;

// Grid bearing from the start to the end point, degrees clockwise from grid north in [0, 360).
double gridBearing(double dx, double dy) {
    const double quotient = dx / (dy == 0 ? 1e-16 : dy);
    double bearing = std::atan(quotient) * 180.0 / 3.141592653589793;
    if (dy < 0) {
        bearing += 180;
    } else if (quotient < 0) {
        bearing += 360;
    }
    return bearing;
}
} // namespace

void TFNav::wireCanvasEvents() {
    canvas_->OnWorldMouseMove = [this](TSelvirCanvas*, std::int16_t, double x, double y, double, double) {
        lastWorldX_ = x;
        lastWorldY_ = y;
        if (measuring_) {
            const double dx = x - measureX_, dy = y - measureY_;
            canvas_->UpdateDistanceMeasure(x, y, std::hypot(dx, dy), gridBearing(dx, dy));
        }
    };
    canvas_->OnWorldMouseDown = [this](TSelvirCanvas*, std::int16_t button, std::int16_t, std::int16_t,
                                       double x, double y) {
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
    canvas_->OnDrawBegin = [this](TSelvirCanvas*, std::int16_t, double, double) {
        // A selection polygon stays on its own layer, so finishing it leaves nothing among the user's shapes.
        if (selection_ == SelectionMode::None) {
            canvas_->SetCurrentLayer(canvas_->LayerFindByName(QString::fromUtf8(kUserShapeLayerName)));
        }
        tMap_.stop();
    };
    canvas_->OnDrawEnd = [this](TSelvirCanvas*, std::int16_t tool, double, double) {
        if (session_->realtimeOn()) {
            tMap_.start();
        }
        if (tool == shapetype::Polygon) {
            finishSelection();
        }
    };
    canvas_->OnShapeNumberSelected = [this](TSelvirCanvas*, std::int16_t, ShapeId id) {
        toggleTrackHighlight(id);
    };
}

} // namespace selvir
