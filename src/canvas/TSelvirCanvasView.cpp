// The world window operations of the canvas: zoom, pan, set, extents, resize and the back colour.
#include "canvas/TSelvirCanvas.h"

#include <QResizeEvent>

namespace selvir {

void TSelvirCanvas::markDirtyAndInvalidate() {
    model_.SetDirty();
    update();
}

void TSelvirCanvas::WorldZoom(int, double factor, double x, double y) {
    view_.WorldZoom(factor, x, y, clientSize());
    markDirtyAndInvalidate();
}

void TSelvirCanvas::WorldPan(double dx, double dy) {
    view_.WorldPan(dx, dy);
    markDirtyAndInvalidate();
}

void TSelvirCanvas::WorldSet(double left, double top, double right, double bottom) {
    view_.WorldSet(left, top, right, bottom);
    markDirtyAndInvalidate();
}

void TSelvirCanvas::WorldExtents() {
    if (view_.WorldExtents(model_, clientSize())) {
        markDirtyAndInvalidate();
    }
}

void TSelvirCanvas::Resize() {
    view_.Resize(clientSize());
    model_.SetDirty();
}

void TSelvirCanvas::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // A canvas sized with SetClientSize while hidden has handled this size already.
    if (size() != resizeHandledFor_) {
        resizeHandledFor_ = size();
        Resize();
    }
}

void TSelvirCanvas::SetBackColor(TColor color) {
    if (color == backColor_) {
        return;
    }
    backColor_ = color;
    markDirtyAndInvalidate();
}

} // namespace selvir
