// The paint cycle of the canvas: the off-screen image, its copy to the widget, the rubber band and the
// overlay step.
#include "canvas/DrawSurface.h"
#include "canvas/TSelvirCanvas.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <cmath>

namespace selvir {

void TSelvirCanvas::Refresh() {
    markDirtyAndInvalidate();
}

void TSelvirCanvas::Update() {
    markDirtyAndInvalidate();
}

void TSelvirCanvas::Invalidate() {
    update();
}

bool TSelvirCanvas::needsRebuild() const {
    return model_.Dirty || image_.size() != size() || !(imageView_ == view_) || !(imageGrid_ == grid_) ||
           imageBackColor_ != backColor_;
}

int TSelvirCanvas::RebuildOffscreenImage() {
    const QSize client(std::max(width(), 1), std::max(height(), 1));
    if (image_.size() != client) {
        image_ = QImage(client, QImage::Format_RGB32);
    }
    const int drawn = RenderCanvasImage(image_, model_, view_, grid_, backColor_);
    imageView_ = view_;
    imageGrid_ = grid_;
    imageBackColor_ = backColor_;
    model_.Dirty = false;
    return drawn;
}

const QImage& TSelvirCanvas::OffscreenImage() {
    if (needsRebuild()) {
        RebuildOffscreenImage();
    }
    return image_;
}

int TSelvirCanvas::DrawAllShapes() {
    QPainter painter(&image_);
    DrawSurface surface(painter, &image_);
    return selvir::DrawAllShapes(surface, model_, view_, {image_.width(), image_.height()}, backColor_);
}

void TSelvirCanvas::DrawGrid() {
    QPainter painter(&image_);
    DrawSurface surface(painter, &image_);
    selvir::DrawGrid(surface, grid_, view_, {image_.width(), image_.height()});
}

void TSelvirCanvas::paintEvent(QPaintEvent*) {
    Paint();
}

void TSelvirCanvas::Paint() {
    const QImage& image = OffscreenImage();
    QPainter painter(this);
    painter.drawImage(0, 0, image);
    DrawRubberBand(&painter);
    PaintOverlays(painter);
}

void TSelvirCanvas::DrawRubberBand(QPainter* surface) const {
    if (surface == nullptr || !DrawActive || !ShapeInProgress) {
        return;
    }
    int ax = 0, ay = 0, cx = 0, cy = 0;
    WorldToScreen(AnchorX, AnchorY, ax, ay);
    WorldToScreen(CursorX, CursorY, cx, cy);

    surface->save();
    // XOR with white inverts what lies below, so the band shows on any background.
    surface->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    surface->setPen(QPen(Qt::white, 1));
    surface->setBrush(Qt::NoBrush);
    switch (DrawTool) {
    case shapetype::Rectangle:
    case shapetype::Ellipse4:
    case -3: // zoom window
    case -1: // selection
        // Corner to corner, both corners on the outline.
        surface->drawRect(
            QRect(QPoint(std::min(ax, cx), std::min(ay, cy)), QSize(std::abs(cx - ax), std::abs(cy - ay))));
        break;
    case shapetype::Line:
        surface->drawLine(ax, ay, cx, cy);
        break;
    case shapetype::Polyline:
    case shapetype::Polygon:
    case shapetype::Spline:
    case shapetype::Curve: {
        QPolygon band;
        if (PolylineInProgress) {
            for (const TPointF& p : PolylineInProgress->Points) {
                int px = 0, py = 0;
                WorldToScreen(p.X, p.Y, px, py);
                band << QPoint(px, py);
            }
        }
        if (band.isEmpty()) {
            band << QPoint(ax, ay);
        }
        band << QPoint(cx, cy);
        if (DrawTool == shapetype::Polygon && band.size() > 2) {
            band << band.front();
        }
        surface->drawPolyline(band);
        break;
    }
    case shapetype::Circle: {
        const double dx = GetWorldWidth() == 0.0 ? 1.0 : GetWorldWidth();
        const int r = truncToPixel(std::hypot(CursorX - AnchorX, CursorY - AnchorY) * (width() / dx));
        surface->drawEllipse(QPoint(ax, ay), r, r);
        break;
    }
    default:
        break;
    }
    surface->restore();
}

} // namespace selvir
