#include "windows/CanvasMapAdapter.h"

#include "canvaswidget/TSelvirCanvas.h"

namespace selvir {

namespace {
QString layerName(std::string_view name) {
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}
} // namespace

int CanvasMapAdapter::layerFindByName(std::string_view name) const {
    return canvas_.LayerFindByName(layerName(name));
}

void CanvasMapAdapter::clearLayer(int layer) {
    // The canvas reads -1 as "every layer"; the engine never means that.
    if (layer >= 0) {
        canvas_.CadClearShapes(layer);
    }
}

void CanvasMapAdapter::drawLine(double x1, double y1, double x2, double y2, int layer) {
    canvas_.DrawLine(x1, y1, x2, y2, layer);
}

void CanvasMapAdapter::drawPoint(double x, double y, int layer) {
    canvas_.DrawPoint(x, y, layer);
}

void CanvasMapAdapter::drawCircle(double cx, double cy, double radiusM, int layer) {
    canvas_.DrawCircle(cx, cy, radiusM, layer);
}

// The map update sets the track and vessel layers' pens on every element. Re-pening a layer walks every
// shape of the drawing, so with a day's track that is done only when the pen really changes: shapes
// drawn since the last change took the layer's pen when they were made.
void CanvasMapAdapter::setLayerPenFg(int layer, ColorValue color) {
    if (canvas_.GetLayerPenFg(layer) != static_cast<TColor>(color)) {
        canvas_.SetLayerPenFg(layer, static_cast<TColor>(color));
    }
}

void CanvasMapAdapter::setLayerPenWidth(int layer, int widthPx) {
    if (canvas_.GetLayerPenWidth(layer) != widthPx) {
        canvas_.SetLayerPenWidth(layer, widthPx);
    }
}

WorldWindow CanvasMapAdapter::worldWindow() const {
    const ViewWindow& view = canvas_.View();
    return WorldWindow{view.WorldLeft, view.WorldRight, view.WorldTop, view.WorldBottom};
}

void CanvasMapAdapter::worldPan(double dx, double dy) {
    canvas_.WorldPan(dx, dy);
}

// The engine changes the map only through the operations above, which the canvas records; the repaint
// redraws only what they changed.
void CanvasMapAdapter::refresh() {
    canvas_.RepaintChanges();
}

ColorValue CanvasMapAdapter::backgroundColor() const {
    return static_cast<ColorValue>(canvas_.BackColor());
}

void CanvasMapAdapter::setBackgroundColor(ColorValue color) {
    canvas_.SetBackColor(static_cast<TColor>(color));
}

void CanvasMapAdapter::repaintMap() {
    canvas_.RepaintChanges();
}

void CanvasMapAdapter::setLayerAction(std::string_view name, int action) {
    const int layer = canvas_.LayerFindByName(layerName(name));
    if (layer >= 0) {
        canvas_.SetLayerAction(layer, action);
    }
}

} // namespace selvir
