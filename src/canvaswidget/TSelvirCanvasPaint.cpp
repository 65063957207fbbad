// The paint cycle of the canvas: the off-screen image, its copy to the widget, the rubber band and the
// overlay step.
#include "canvas/DrawSurface.h"
#include "canvaswidget/TSelvirCanvas.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <cmath>

namespace selvir {

void TSelvirCanvas::noteShapesNotDrawn() {
    if (image_.shapesNotDrawn() != reportedNotDrawn_) {
        reportedNotDrawn_ = image_.shapesNotDrawn();
        emit shapesNotDrawnChanged(reportedNotDrawn_);
    }
}

int TSelvirCanvas::RebuildOffscreenImage() {
    const int drawn = image_.rebuild(Model(), View(), Grid(), BackColor(), size());
    noteShapesNotDrawn();
    return drawn;
}

const QImage& TSelvirCanvas::OffscreenImage() {
    image_.update(Model(), View(), Grid(), BackColor(), size());
    noteShapesNotDrawn();
    return image_.image();
}

int TSelvirCanvas::DrawAllShapes() {
    QImage& image = image_.image();
    QPainter painter(&image);
    DrawSurface surface(painter, &image);
    surface.setTextRaster(&image_.textRaster());
    return selvir::DrawAllShapes(surface, Model(), View(), {image.width(), image.height()}, BackColor());
}

void TSelvirCanvas::DrawGrid() {
    QImage& image = image_.image();
    QPainter painter(&image);
    DrawSurface surface(painter, &image);
    surface.setTextRaster(&image_.textRaster());
    selvir::DrawGrid(surface, Grid(), View(), {image.width(), image.height()});
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
    const CanvasTool tool = static_cast<CanvasTool>(DrawTool);
    switch (tool) {
    case CanvasTool::Rectangle:
    case CanvasTool::Ellipse4:
    case CanvasTool::ZoomWindow:
    case CanvasTool::PickWindow:
    case CanvasTool::Select:
        // Corner to corner, both corners on the outline.
        surface->drawRect(
            QRect(QPoint(std::min(ax, cx), std::min(ay, cy)), QSize(std::abs(cx - ax), std::abs(cy - ay))));
        break;
    case CanvasTool::Line:
        surface->drawLine(ax, ay, cx, cy);
        break;
    case CanvasTool::Polyline:
    case CanvasTool::Polygon:
    case CanvasTool::Spline:
    case CanvasTool::Curve: {
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
        if (tool == CanvasTool::Polygon && band.size() > 2) {
            band << band.front();
        }
        surface->drawPolyline(band);
        break;
    }
    case CanvasTool::Circle: {
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
