// The canvas operations that go beyond the drawing model: the client size, the world window, the
// repaint requests and the survey overlay setters.
#include "canvas/CanvasCore.h"

#include <algorithm>

namespace selvir {
namespace {

constexpr double hitTolerancePx = 5.0;

} // namespace

CanvasCore::CanvasCore() : CanvasTools(*this) {
    SetDirty();
}

CanvasCore::~CanvasCore() = default;

void CanvasCore::SetClientSize(int widthPx, int heightPx) {
    applyClientSize(widthPx, heightPx);
    clientResized();
}

void CanvasCore::clientResized() {
    const ClientSize client = clientSize();
    if (!(client == resizedFor_)) {
        resizedFor_ = client;
        Resize();
    }
}

ShapeId CanvasCore::GetShapeAt(double x, double y) const {
    const int w = std::max(clientSize().Width, 1);
    return CanvasModel::GetShapeAt(x, y, view_.GetWorldWidth() / w * hitTolerancePx);
}

void CanvasCore::CadClearShapes(int layer) {
    CanvasModel::CadClearShapes(layer);
    Invalidate();
}

void CanvasCore::SelectShapesOnLayers(const std::vector<long>& layers) {
    CanvasModel::SelectShapesOnLayers(layers);
    Invalidate();
}

void CanvasCore::SelectShapesInPolygon(const std::vector<TPointF>& polygon, const std::vector<long>& layers) {
    CanvasModel::SelectShapesInPolygon(polygon, layers);
    Invalidate();
}

void CanvasCore::SelectAllShapesInPolygon(const std::vector<TPointF>& polygon) {
    CanvasModel::SelectAllShapesInPolygon(polygon);
    Invalidate();
}

void CanvasCore::ShapeSelectDelete() {
    CanvasModel::ShapeSelectDelete();
    Invalidate();
}

QString CanvasCore::AboutText() {
    return QStringLiteral("Selvir Canvas - Native VCL CAD Component\n"
                          "Replaces the ActiveX CAD control of the earlier program versions.");
}

// --- World window

void CanvasCore::Refresh() {
    SetDirty();
    requestRepaint();
}

void CanvasCore::RepaintChanges() {
    requestRepaint();
}

void CanvasCore::viewChanged() {
    Dirty.viewChanged();
    requestRepaint();
}

void CanvasCore::WorldZoom(int, double factor, double x, double y) {
    view_.WorldZoom(factor, x, y, clientSize());
    viewChanged();
}

void CanvasCore::WorldPan(double dx, double dy) {
    view_.WorldPan(dx, dy);
    viewChanged();
}

void CanvasCore::WorldSet(double left, double top, double right, double bottom) {
    view_.WorldSet(left, top, right, bottom);
    viewChanged();
}

void CanvasCore::WorldExtents() {
    if (view_.WorldExtents(*this, clientSize())) {
        viewChanged();
    }
}

void CanvasCore::Resize() {
    view_.Resize(clientSize());
    Dirty.viewChanged();
}

void CanvasCore::SetBackColor(TColor color) {
    if (color == backColor_) {
        return;
    }
    backColor_ = color;
    viewChanged();
}

// --- Survey overlays

void CanvasCore::AddDepthLabel(double x, double y, double depthM) {
    if (overlays_.AddDepthLabel(x, y, depthM)) {
        Invalidate();
    }
}

void CanvasCore::ClearDepthLabels() {
    overlays_.DepthLabels.clear();
    Invalidate();
}

void CanvasCore::SetDepthLabelSettings(bool show, double spacing, const QString& fontName, int fontSize,
                                       TColor color) {
    overlays_.ShowDepthLabels = show;
    overlays_.LabelSpacing = spacing;
    overlays_.LabelFontName = fontName;
    overlays_.LabelFontSize = fontSize;
    overlays_.LabelColor = color;
    Invalidate();
}

void CanvasCore::AddEventLabel(double x, double y, int number) {
    overlays_.EventLabels.push_back({x, y, number});
    Invalidate();
}

void CanvasCore::ClearEventLabels() {
    overlays_.EventLabels.clear();
    Invalidate();
}

void CanvasCore::SetCurrentDepth(double depthHF, double depthLF, bool valid) {
    overlays_.CurrentDepthHF = depthHF;
    overlays_.CurrentDepthLF = depthLF;
    overlays_.DepthValid = valid;
    Invalidate();
}

void CanvasCore::SetCurrentSpeed(double knots, bool valid) {
    overlays_.CurrentSpeed = knots;
    overlays_.SpeedValid = valid;
    Invalidate();
}

void CanvasCore::SetDepthSpeedDisplayMode(int mode) {
    overlays_.DepthSpeedDisplayMode = mode;
    Invalidate();
}

void CanvasCore::ToggleDepthSpeedDisplayMode() {
    SetDepthSpeedDisplayMode(nextOverlayCorner(overlays_.DepthSpeedDisplayMode));
}

void CanvasCore::SetGGAOverlayPosition(int position) {
    overlays_.GGAOverlayPosition = position;
    Invalidate();
}

void CanvasCore::ToggleGGAOverlayPosition() {
    SetGGAOverlayPosition(nextOverlayCorner(overlays_.GGAOverlayPosition));
}

void CanvasCore::StartDistanceMeasure(double x, double y) {
    overlays_.Measure.Start(x, y);
    Invalidate();
}

void CanvasCore::UpdateDistanceMeasure(double x, double y, double distanceM, double azimuthDeg) {
    if (overlays_.Measure.Update(x, y, distanceM, azimuthDeg)) {
        Invalidate();
    }
}

void CanvasCore::EndDistanceMeasure() {
    overlays_.Measure.End();
    Invalidate();
}

void CanvasCore::SetOverlayOwnerState(const OverlayOwnerState& state) {
    owner_ = state;
    Invalidate();
}

} // namespace selvir
