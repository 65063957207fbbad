// The survey overlays of the engine's canvas view, forwarded to the canvas's overlay lists and fields.
#include "canvaswidget/TSelvirCanvas.h"
#include "windows/CanvasMapAdapter.h"

namespace selvir {

void CanvasMapAdapter::setStatusText(const std::string& text, int fixQuality) {
    OverlayOwnerState state = canvas_.GetOverlayOwnerState();
    state.statusText = QString::fromStdString(text);
    state.fixQuality = fixQuality;
    canvas_.SetOverlayOwnerState(state);
}

void CanvasMapAdapter::setDepthLabelSettings(const DepthLabelStyle& style) {
    canvas_.SetDepthLabelSettings(style.on, style.spacingM, QString::fromStdString(style.fontName),
                                  style.fontSize, static_cast<TColor>(style.color));
}

void CanvasMapAdapter::addDepthLabel(double easting, double northing, double depthM) {
    canvas_.AddDepthLabel(easting, northing, depthM);
}

void CanvasMapAdapter::setCurrentDepth(double depthHF, double depthLF, bool valid) {
    canvas_.SetCurrentDepth(depthHF, depthLF, valid);
}

void CanvasMapAdapter::setCurrentSpeed(double knots, bool valid) {
    canvas_.SetCurrentSpeed(knots, valid);
}

} // namespace selvir
