// The survey overlays painted on the widget over the copied shape image (never on the image itself),
// and the geometry of the position-status box as painted.
#include "canvas/CanvasColor.h"
#include "canvas/DrawSurface.h"
#include "canvaswidget/TSelvirCanvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <cmath>

namespace selvir {
namespace {

constexpr int boxCornerPx = 6;
constexpr int depthBoxFontGrowPt = 4;
const QString eventLabelFont = QStringLiteral("Arial");
const QString ggaFontName = QStringLiteral("Consolas");
constexpr int ggaFontSizePt = 12;
const QString measureFontName = QStringLiteral("Arial");
constexpr int measureFontSizePt = 11;
constexpr int measurePenPx = 2;
constexpr int measureDotPx = 4;
constexpr int measureCrossPx = 8;
constexpr int measureBoxAbovePx = 30;
constexpr int measureBoxMarginPx = 8;

constexpr TColor colorBlue = 0xFF0000;

TextSize textSizeOf(QSize size) {
    return {size.width(), size.height()};
}

} // namespace

// --- Position-status box geometry (shared by the painting and the hit test)

TextSize TSelvirCanvas::ggaTextSize() const {
    if (owner_.statusText.isEmpty()) {
        return {};
    }
    const QFontMetrics metrics(surfaceFont(ggaFontName, ggaFontSizePt, true, false));
    return {metrics.horizontalAdvance(owner_.statusText), metrics.height()};
}

PixelBox TSelvirCanvas::GGAOverlayBox() const {
    if (owner_.statusText.isEmpty()) {
        return {};
    }
    const TextSize text = ggaTextSize();
    return overlayBoxAround(ggaTextOrigin(overlays_.GGAOverlayPosition, clientSize(), text), text);
}

bool TSelvirCanvas::IsPointInGGAOverlay(int x, int y) const {
    // The box where it is drawn now, so a double-click on it works in every corner.
    return !owner_.statusText.isEmpty() && overlayBoxContains(GGAOverlayBox(), x, y);
}

// --- Painting

void TSelvirCanvas::PaintOverlays(QPainter& surface) {
    DrawDistanceOverlay(&surface);
    DrawDepthLabelsOverlay(&surface);
    DrawEventLabelsOverlay(&surface);
    DrawCurrentDepthOverlay(&surface);
    DrawGGAOverlay(&surface);
}

void TSelvirCanvas::DrawDistanceOverlay(QPainter* painter) {
    const DistanceMeasure& m = overlays_.Measure;
    if (painter == nullptr || !m.Measuring) {
        return;
    }
    DrawSurface surface(*painter);
    int sx = 0, sy = 0, cx = 0, cy = 0;
    WorldToScreen(m.MeasureStartX, m.MeasureStartY, sx, sy);
    WorldToScreen(m.MeasureX, m.MeasureY, cx, cy);
    const int r = truncToPixel(std::hypot(double(cx - sx), double(cy - sy)));

    surface.setPen(colorRed, measurePenPx);
    surface.setBrush(colorRed, brushstyle::Clear);
    if (r > 0) {
        surface.drawEllipse(sx - r, sy - r, sx + r, sy + r); // the range ring
    }
    surface.setBrush(colorRed, brushstyle::Solid);
    surface.drawEllipse(sx - measureDotPx, sy - measureDotPx, sx + measureDotPx, sy + measureDotPx);

    surface.setPen(colorBlue, measurePenPx);
    surface.drawLine(sx, sy, cx, cy);
    surface.drawLine(cx - measureCrossPx, cy, cx + measureCrossPx, cy);
    surface.drawLine(cx, cy - measureCrossPx, cx, cy + measureCrossPx);

    surface.setFont(measureFontName, measureFontSizePt, true, false);
    const QString line1 = measureDistanceText(m.MeasureDistance);
    const QString line2 = measureAzimuthText(m.MeasureAzimuth);
    const QSize size1 = surface.textExtent(line1);
    const QSize size2 = surface.textExtent(line2);
    const int wm = std::max(size1.width(), size2.width());
    const int th = size1.height();
    const int mx = sx + (cx - sx) / 2;
    const int top = sy + (cy - sy) / 2 - measureBoxAbovePx;
    surface.setPen(colorBlack, 1);
    surface.setBrush(colorYellow, brushstyle::Solid);
    surface.drawRectangle(mx - wm / 2 - measureBoxMarginPx, top - 2, mx + wm / 2 + measureBoxMarginPx,
                          top + 2 * th + 6);
    surface.setBrush(colorYellow, brushstyle::Clear);
    surface.setTextColor(colorBlack);
    surface.textOut(mx - size1.width() / 2, top, line1);
    surface.setTextColor(colorNavy);
    surface.textOut(mx - size2.width() / 2, top + th + 2, line2);
}

void TSelvirCanvas::DrawDepthLabelsOverlay(QPainter* painter) {
    if (painter == nullptr || !overlays_.ShowDepthLabels || overlays_.DepthLabels.empty()) {
        return;
    }
    drawLabels(*painter, depthLabelTexts_,
               surfaceFont(overlays_.LabelFontName, overlays_.LabelFontSize, false, false),
               overlays_.LabelColor, overlays_.DepthLabels,
               [](const DepthLabel& l) { return depthLabelText(l.Depth); });
}

void TSelvirCanvas::DrawEventLabelsOverlay(QPainter* painter) {
    if (painter == nullptr || overlays_.EventLabels.empty()) {
        return;
    }
    drawLabels(*painter, eventLabelTexts_,
               surfaceFont(eventLabelFont, owner_.eventLabelFontSize, true, false), owner_.eventLabelColor,
               overlays_.EventLabels, [](const EventLabel& l) { return QString::number(l.Number); });
}

template <class Label, class TextOf>
void TSelvirCanvas::drawLabels(QPainter& painter, LabelTextCache& texts, const QFont& font, TColor color,
                               const std::vector<Label>& labels, TextOf textOf) {
    texts.setFont(font);
    painter.save();
    painter.setFont(font);
    painter.setPen(toQColor(color));
    painter.setBrush(Qt::NoBrush);
    const ClientSize client = clientSize();
    for (const Label& label : labels) {
        int px = 0, py = 0;
        WorldToScreen(label.X, label.Y, px, py);
        if (labelAnchorInView(px, py, client)) {
            texts.drawCentred(painter, px, py, textOf(label));
        }
    }
    painter.restore();
}

void TSelvirCanvas::DrawCurrentDepthOverlay(QPainter* painter) {
    if (painter == nullptr || (!overlays_.DepthValid && !overlays_.SpeedValid)) {
        return;
    }
    const QString text = depthSpeedText(overlays_);
    if (text.isEmpty()) {
        return;
    }
    DrawSurface surface(*painter);
    surface.setFont(overlays_.LabelFontName, overlays_.LabelFontSize + depthBoxFontGrowPt, true, false);
    const TextSize size = textSizeOf(surface.textExtent(text));
    const PixelPoint origin = depthSpeedTextOrigin(overlays_.DepthSpeedDisplayMode, clientSize(), size);
    const PixelBox box = overlayBoxAround(origin, size);
    surface.setPen(overlays_.LabelColor, 1);
    surface.setBrush(colorWhite, brushstyle::Solid);
    surface.drawRoundRect(box.Left, box.Top, box.Right, box.Bottom, boxCornerPx, boxCornerPx);
    surface.setBrush(colorWhite, brushstyle::Clear);
    surface.setTextColor(overlays_.LabelColor);
    surface.textOut(origin.X, origin.Y, text);
}

void TSelvirCanvas::DrawGGAOverlay(QPainter* painter) {
    if (painter == nullptr || owner_.statusText.isEmpty()) {
        return;
    }
    DrawSurface surface(*painter);
    surface.setFont(ggaFontName, ggaFontSizePt, true, false);
    const TextSize size = ggaTextSize(); // as the hit test measures it
    const PixelPoint origin = ggaTextOrigin(overlays_.GGAOverlayPosition, clientSize(), size);
    const PixelBox box = overlayBoxAround(origin, size);
    const TColor boxColor = ggaBoxColor(owner_.fixQuality);
    surface.setPen(boxColor, 1);
    surface.setBrush(boxColor, brushstyle::Solid);
    surface.drawRoundRect(box.Left, box.Top, box.Right, box.Bottom, boxCornerPx, boxCornerPx);
    surface.setBrush(boxColor, brushstyle::Clear);
    surface.setTextColor(ggaTextColor(owner_.fixQuality));
    surface.textOut(origin.X, origin.Y, owner_.statusText);
}

} // namespace selvir
