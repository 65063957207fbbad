#include "canvas/DrawSurface.h"

#include "canvas/CanvasColor.h"
#include "canvas/TextRaster.h"
#include "canvas/ViewWindow.h"

#include <QImage>
#include <QPainterPath>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace selvir {
namespace {

// Ellipses and discs up to this box size are stamped from a cached mask; larger ones go through the
// painter.
constexpr int maxStampedEllipse = 64;

Qt::PenStyle qtPenStyle(int style, int width) {
    if (style == penstyle::Clear) {
        return Qt::NoPen;
    }
    if (width > 1) {
        return Qt::SolidLine; // wide pens are always solid
    }
    switch (style) {
    case penstyle::Dash:
        return Qt::DashLine;
    case penstyle::Dot:
        return Qt::DotLine;
    case penstyle::DashDot:
        return Qt::DashDotLine;
    case penstyle::DashDotDot:
        return Qt::DashDotDotLine;
    default:
        return Qt::SolidLine;
    }
}

Qt::BrushStyle qtBrushStyle(int style) {
    switch (style) {
    case brushstyle::Solid:
        return Qt::SolidPattern;
    case brushstyle::Horizontal:
        return Qt::HorPattern;
    case brushstyle::Vertical:
        return Qt::VerPattern;
    case brushstyle::FDiagonal:
        return Qt::FDiagPattern;
    case brushstyle::BDiagonal:
        return Qt::BDiagPattern;
    case brushstyle::Cross:
        return Qt::CrossPattern;
    case brushstyle::DiagCross:
        return Qt::DiagCrossPattern;
    default:
        return Qt::NoBrush;
    }
}

// Qt box whose 1-pixel outline covers left..right-1, top..bottom-1.
QRect outlineBox(int left, int top, int right, int bottom) {
    if (right < left) {
        std::swap(left, right);
    }
    if (bottom < top) {
        std::swap(top, bottom);
    }
    return QRect(left, top, right - left - 1, bottom - top - 1);
}

QRgb rgbOf(TColor c) {
    return qRgb(colorRedOf(c), colorGreenOf(c), colorBlueOf(c));
}

} // namespace

int pointsToPixels(int sizePt) {
    return (sizePt * 96 + 36) / 72;
}

QFont surfaceFont(const QString& family, int sizePt, bool bold, bool italic) {
    QFont font(family);
    font.setPixelSize(std::max(1, pointsToPixels(sizePt)));
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

DrawSurface::DrawSurface(QPainter& painter, QImage* image) : painter_(painter) {
    if (image != nullptr && image->depth() == 32 && !image->isNull()) {
        writer_ = PixelWriter(image->bits(), image->bytesPerLine(), image->width(), image->height());
        width_ = image->width();
        height_ = image->height();
    } else if (painter.device() != nullptr) {
        width_ = painter.device()->width();
        height_ = painter.device()->height();
    }
    clip_ = QRect(0, 0, width_, height_);
    pendingLines_.reserve(4096);
}

DrawSurface::~DrawSurface() {
    flush();
}

void DrawSurface::setClip(const QRect& clip) {
    flush();
    if (clip.isNull()) {
        clip_ = QRect(0, 0, width_, height_);
        writer_.setClip(clip_);
        painter_.setClipping(false);
        return;
    }
    clip_ = clip.intersected(QRect(0, 0, width_, height_));
    writer_.setClip(clip_);
    painter_.setClipRect(clip_);
}

bool DrawSurface::thinSolidPen() const {
    return writable() && penWidth_ <= 1 &&
           (penStyle_ == penstyle::Solid || penStyle_ == penstyle::InsideFrame);
}

void DrawSurface::setShapeColorRule(std::optional<TColor> backColor) {
    backColor_ = backColor;
}

TColor DrawSurface::shapeColor(TColor c) const {
    return backColor_ ? GetContrastColor(c, *backColor_) : c;
}

void DrawSurface::setPen(TColor color, int width, int style) {
    if (width < 1) {
        width = 1;
    }
    if (color == penColor_ && width == penWidth_ && style == penStyle_) {
        return;
    }
    flush();
    penColor_ = color;
    penWidth_ = width;
    penStyle_ = style;
    penApplied_ = false;
}

void DrawSurface::setBrush(TColor color, int style) {
    if (color == brushColor_ && style == brushStyle_) {
        return;
    }
    flush();
    brushColor_ = color;
    brushStyle_ = style;
    brushApplied_ = false;
}

void DrawSurface::applyPen() {
    if (penApplied_) {
        return;
    }
    QPen pen(toQColor(penColor_));
    pen.setStyle(qtPenStyle(penStyle_, penWidth_));
    if (penWidth_ > 1) {
        pen.setWidth(penWidth_);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    } else {
        pen.setWidth(1);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
    }
    painter_.setPen(pen);
    penApplied_ = true;
}

void DrawSurface::applyBrush() {
    if (brushApplied_) {
        return;
    }
    painter_.setBrush(QBrush(toQColor(brushColor_), qtBrushStyle(brushStyle_)));
    brushApplied_ = true;
}

void DrawSurface::flush() {
    if (pendingLines_.empty()) {
        return;
    }
    applyPen();
    painter_.drawLines(pendingLines_.data(), static_cast<int>(pendingLines_.size()));
    pendingLines_.clear();
}

void DrawSurface::drawLine(int x1, int y1, int x2, int y2) {
    if (penStyle_ == penstyle::Clear) {
        return;
    }
    if (thinSolidPen()) {
        writer_.thinLine(x1, y1, x2, y2, rgbOf(penColor_));
        return;
    }
    // Wide pens are always solid; the painter's general stroker is slow for them (tracklines are
    // 2 or 3 pixels wide), so they are filled here as round-capped strokes.
    if (penWidth_ > 1 && writable()) {
        flush();
        writer_.capsule(x1, y1, x2, y2, penWidth_, rgbOf(penColor_));
        return;
    }
    pendingLines_.emplace_back(x1, y1, x2, y2);
}

void DrawSurface::drawPolyline(const QPoint* points, int count) {
    if (count < 1 || penStyle_ == penstyle::Clear) {
        return;
    }
    if (thinSolidPen()) {
        const QRgb rgb = rgbOf(penColor_);
        for (int i = 0; i + 1 < count; ++i) {
            writer_.thinLine(points[i].x(), points[i].y(), points[i + 1].x(), points[i + 1].y(), rgb);
        }
        return;
    }
    flush();
    applyPen();
    painter_.drawPolyline(points, count);
}

void DrawSurface::drawPolygon(const QPoint* points, int count) {
    if (count > 1 && clearBrush() && thinSolidPen()) {
        const QRgb rgb = rgbOf(penColor_);
        for (int i = 0; i < count; ++i) {
            const QPoint& a = points[i];
            const QPoint& b = points[(i + 1) % count];
            writer_.thinLine(a.x(), a.y(), b.x(), b.y(), rgb);
        }
        return;
    }
    flush();
    applyPen();
    applyBrush();
    painter_.drawPolygon(points, count, Qt::OddEvenFill);
}

void DrawSurface::drawPath(const QPainterPath& path) {
    flush();
    applyPen();
    painter_.setBrush(Qt::NoBrush);
    brushApplied_ = false;
    painter_.drawPath(path);
}

void DrawSurface::drawRectangle(int left, int top, int right, int bottom) {
    if (thinSolidPen() && (clearBrush() || solidBrush())) {
        if (right < left) {
            std::swap(left, right);
        }
        if (bottom < top) {
            std::swap(top, bottom);
        }
        if (solidBrush()) {
            writer_.fill(left + 1, top + 1, right - 1, bottom - 1, rgbOf(brushColor_));
        }
        writer_.boxOutline(left, top, right, bottom, rgbOf(penColor_));
        return;
    }
    flush();
    applyPen();
    applyBrush();
    painter_.drawRect(outlineBox(left, top, right, bottom));
}

void DrawSurface::drawRoundRect(int left, int top, int right, int bottom, int cornerW, int cornerH) {
    flush();
    applyPen();
    applyBrush();
    // Corner sizes are ellipse diameters.
    painter_.drawRoundedRect(outlineBox(left, top, right, bottom), cornerW / 2.0, cornerH / 2.0,
                             Qt::AbsoluteSize);
}

void DrawSurface::drawEllipse(int left, int top, int right, int bottom) {
    if (right < left) {
        std::swap(left, right);
    }
    if (bottom < top) {
        std::swap(top, bottom);
    }
    const int w = right - left;
    const int h = bottom - top;
    const bool stamped = w >= 1 && h >= 1 && w <= maxStampedEllipse && h <= maxStampedEllipse;
    if (stamped && penStyle_ == penstyle::Clear && solidBrush() && writable()) {
        // No rim: the fill alone, as the painter fills without a pen.
        const PixelMask& mask = ellipseMask(w, h, true);
        writer_.stamp(mask, left, top, rgbOf(brushColor_), rgbOf(brushColor_), true);
        return;
    }
    if (stamped && thinSolidPen() && (clearBrush() || solidBrush())) {
        const PixelMask& mask = ellipseMask(w, h, solidBrush());
        writer_.stamp(mask, left, top, rgbOf(penColor_), rgbOf(brushColor_), solidBrush());
        return;
    }
    flush();
    applyPen();
    applyBrush();
    painter_.drawEllipse(outlineBox(left, top, right, bottom));
}

void DrawSurface::fillRect(int left, int top, int right, int bottom, TColor color) {
    if (right < left) {
        std::swap(left, right);
    }
    if (bottom < top) {
        std::swap(top, bottom);
    }
    if (!writable()) {
        flush();
        painter_.fillRect(QRect(left, top, right - left, bottom - top), toQColor(color));
        return;
    }
    writer_.fill(left, top, right, bottom, rgbOf(color));
}

void DrawSurface::setPixel(int x, int y, TColor color) {
    if (!writable()) {
        flush();
        painter_.save();
        painter_.setPen(QPen(toQColor(color), 1));
        painter_.drawPoint(x, y);
        painter_.restore();
        return;
    }
    writer_.pixel(x, y, rgbOf(color));
}

const PixelMask& DrawSurface::ellipseMask(int width, int height, bool filled) {
    const std::uint64_t key = (static_cast<std::uint64_t>(width) << 32) |
                              (static_cast<std::uint64_t>(height) << 1) | (filled ? 1u : 0u);
    auto found = ellipseMasks_.find(key);
    if (found != ellipseMasks_.end()) {
        return found->second;
    }
    // Rendered by the painter itself with the pen applyPen() makes, a margin around the box, so a
    // stamped ellipse has the painter's own pixels.
    constexpr int margin = 2;
    QImage scratch(width + 2 * margin, height + 2 * margin, QImage::Format_RGB32);
    scratch.fill(Qt::black);
    {
        QPainter p(&scratch);
        QPen rim(Qt::red, 1);
        rim.setCapStyle(Qt::FlatCap);
        rim.setJoinStyle(Qt::MiterJoin);
        p.setPen(rim);
        p.setBrush(filled ? QBrush(Qt::green) : QBrush(Qt::NoBrush));
        p.drawEllipse(outlineBox(margin, margin, margin + width, margin + height));
    }
    PixelMask mask;
    mask.width = scratch.width();
    mask.height = scratch.height();
    mask.originX = -margin;
    mask.originY = -margin;
    mask.cells.resize(static_cast<std::size_t>(mask.width * mask.height));
    for (int y = 0; y < mask.height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        for (int x = 0; x < mask.width; ++x) {
            const std::uint8_t cell = qRed(line[x]) != 0 ? 2 : qGreen(line[x]) != 0 ? 1 : 0;
            mask.cells[static_cast<std::size_t>(y * mask.width + x)] = cell;
        }
    }
    return ellipseMasks_.emplace(key, std::move(mask)).first->second;
}

void DrawSurface::fillDisc(int left, int top, int right, int bottom, TColor color) {
    setPen(color, 1, penstyle::Solid);
    setBrush(color, brushstyle::Solid);
    drawEllipse(left, top, right, bottom);
}

void DrawSurface::setFont(const QString& family, int sizePt, bool bold, bool italic) {
    if (fontSet_ && sizePt == fontSizePt_ && bold == fontBold_ && italic == fontItalic_ &&
        family == fontFamily_) {
        return;
    }
    fontFamily_ = family;
    fontSizePt_ = sizePt;
    fontBold_ = bold;
    fontItalic_ = italic;
    fontSet_ = true;
    fontApplied_ = false;
}

bool DrawSurface::rasterText() const {
    return textRaster_ != nullptr && writable();
}

void DrawSurface::applyFont() {
    if (!fontSet_) {
        setFont(QStringLiteral("Arial"), 8, false, false);
    }
    if (fontApplied_) {
        return;
    }
    flush();
    const QFont font = surfaceFont(fontFamily_, fontSizePt_, fontBold_, fontItalic_);
    painter_.setFont(font);
    metrics_.emplace(font, painter_.device());
    fontApplied_ = true;
}

void DrawSurface::setTextColor(TColor color) {
    textColor_ = color;
}

QSize DrawSurface::textExtent(const QString& text) {
    if (!fontSet_) {
        setFont(QStringLiteral("Arial"), 8, false, false);
    }
    if (rasterText()) {
        const TextMetrics m = textRaster_->metrics({fontFamily_, fontSizePt_, fontBold_, fontItalic_}, text);
        return QSize(m.width, m.height);
    }
    applyFont();
    return QSize(metrics_->horizontalAdvance(text), metrics_->height());
}

void DrawSurface::textOut(int x, int y, const QString& text, double angleDeg) {
    if (!fontSet_) {
        setFont(QStringLiteral("Arial"), 8, false, false);
    }
    flush();
    if (rasterText()) {
        const int angleTenths = static_cast<int>(std::lround(angleDeg * 10.0));
        const auto mask =
            textRaster_->mask({fontFamily_, fontSizePt_, fontBold_, fontItalic_}, text, angleTenths);
        writer_.blend(mask->coverage.data(), mask->width, mask->height, x + mask->left, y + mask->top,
                      rgbOf(textColor_));
        return;
    }
    applyFont();
    painter_.setPen(toQColor(textColor_));
    penApplied_ = false;
    const int ascent = metrics_->ascent();
    if (angleDeg == 0.0) {
        painter_.drawText(x, y + ascent, text);
        return;
    }
    painter_.save();
    painter_.translate(x, y);
    painter_.rotate(-angleDeg); // the painter turns clockwise on screen; our angles turn counter-clockwise
    painter_.drawText(0, ascent, text);
    painter_.restore();
}

} // namespace selvir
