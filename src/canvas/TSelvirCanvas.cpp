// Construction and the drawing operations of the canvas that also request a repaint.
#include "canvas/TSelvirCanvas.h"

#include <QMessageBox>

namespace selvir {
namespace {

constexpr int initialWidthPx = 400;
constexpr int initialHeightPx = 300;
constexpr double hitTolerancePx = 5.0;

} // namespace

TSelvirCanvas::TSelvirCanvas(QWidget* owner) : QWidget(owner) {
    // The whole client area is covered by the image, so Qt need not clear it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true); // moves without a button reach the rubber band and the position read-out
    resize(initialWidthPx, initialHeightPx);
    image_ = QImage(initialWidthPx, initialHeightPx, QImage::Format_RGB32);
    model_.SetDirty();
}

TSelvirCanvas::~TSelvirCanvas() = default;

void TSelvirCanvas::SetClientSize(int widthPx, int heightPx) {
    resize(widthPx, heightPx);
    if (size() != resizeHandledFor_) {
        resizeHandledFor_ = size();
        Resize();
    }
}

ShapeId TSelvirCanvas::GetShapeAt(double x, double y) const {
    const int w = width() < 1 ? 1 : width();
    return model_.GetShapeAt(x, y, view_.GetWorldWidth() / w * hitTolerancePx);
}

void TSelvirCanvas::CadClearShapes(int layer) {
    model_.CadClearShapes(layer);
    Invalidate();
}

void TSelvirCanvas::SelectShapesOnLayers(const std::vector<long>& layers) {
    model_.SelectShapesOnLayers(layers);
    Invalidate();
}

void TSelvirCanvas::SelectShapesInPolygon(const std::vector<TPointF>& polygon,
                                          const std::vector<long>& layers) {
    model_.SelectShapesInPolygon(polygon, layers);
    Invalidate();
}

void TSelvirCanvas::SelectAllShapesInPolygon(const std::vector<TPointF>& polygon) {
    model_.SelectAllShapesInPolygon(polygon);
    Invalidate();
}

void TSelvirCanvas::ShapeSelectDelete() {
    model_.ShapeSelectDelete();
    Invalidate();
}

void TSelvirCanvas::DeleteSelectedShapes() {
    model_.ShapeSelectDelete();
    Invalidate();
}

void TSelvirCanvas::CadClearSelectedShapes() {
    model_.ShapeSelectDelete();
    Invalidate();
}

QString TSelvirCanvas::AboutText() {
    return QStringLiteral("Selvir Canvas - Native VCL CAD Component\n"
                          "Replaces the ActiveX CAD control of the earlier program versions.");
}

void TSelvirCanvas::AboutBox() {
    QMessageBox::information(this, windowTitle(), AboutText());
}

} // namespace selvir
