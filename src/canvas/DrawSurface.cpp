#include "canvas/DrawSurface.h"

#include "canvas/CanvasColor.h"
#include "canvas/ViewWindow.h"

#include <QImage>
#include <QPainterPath>
#include <QPen>
#include <algorithm>

namespace selvir {
namespace {

// Discs up to this box size are stamped from a cached mask; larger ones go through the painter.
constexpr int maxStampedDisc = 64;

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

DrawSurface::DrawSurface(QPainter& painter, QImage* image) : painter_(painter) {
    if (image != nullptr && image->depth() == 32 && !image->isNull()) {
        bits_ = image->bits();
        bytesPerLine_ = image->bytesPerLine();
        width_ = image->width();
        height_ = image->height();
    } else if (painter.device() != nullptr) {
        width_ = painter.device()->width();
        height_ = painter.device()->height();
    }
    pendingLines_.reserve(4096);
}

DrawSurface::~DrawSurface() {
    flush();
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
    if (penApplied_ && color == penColor_ && width == penWidth_ && style == penStyle_) {
        return;
    }
    flush();
    penColor_ = color;
    penWidth_ = width;
    penStyle_ = style;
    penApplied_ = false;
}

void DrawSurface::setBrush(TColor color, int style) {
    if (brushApplied_ && color == brushColor_ && style == brushStyle_) {
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
    pendingLines_.emplace_back(x1, y1, x2, y2);
}

void DrawSurface::drawPolyline(const QPoint* points, int count) {
    flush();
    applyPen();
    painter_.drawPolyline(points, count);
}

void DrawSurface::drawPolygon(const QPoint* points, int count) {
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
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, width_);
    bottom = std::min(bottom, height_);
    if (left >= right || top >= bottom) {
        return;
    }
    flush();
    const QRgb rgb = rgbOf(color);
    for (int y = top; y < bottom; ++y) {
        auto* row = reinterpret_cast<QRgb*>(bits_ + y * bytesPerLine_);
        std::fill(row + left, row + right, rgb);
    }
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
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return;
    }
    flush();
    reinterpret_cast<QRgb*>(bits_ + y * bytesPerLine_)[x] = rgbOf(color);
}

const DrawSurface::DiscMask& DrawSurface::discMask(int size) {
    auto found = discMasks_.find(size);
    if (found != discMasks_.end()) {
        return found->second;
    }
    // Rendered once by the painter itself, so a stamped disc has the painter's own pixels.
    QImage scratch(size + 2, size + 2, QImage::Format_RGB32);
    scratch.fill(Qt::black);
    {
        QPainter p(&scratch);
        p.setPen(QPen(Qt::white, 1));
        p.setBrush(Qt::white);
        p.drawEllipse(outlineBox(0, 0, size, size));
    }
    DiscMask mask;
    for (int y = 0; y < scratch.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        int first = -1, last = -1;
        for (int x = 0; x < scratch.width(); ++x) {
            if (qRed(row[x]) != 0) {
                if (first < 0) {
                    first = x;
                }
                last = x;
            }
        }
        mask.rows.emplace_back(first, last);
    }
    return discMasks_.emplace(size, std::move(mask)).first->second;
}

void DrawSurface::fillDisc(int left, int top, int right, int bottom, TColor color) {
    if (right < left) {
        std::swap(left, right);
    }
    if (bottom < top) {
        std::swap(top, bottom);
    }
    const int size = right - left;
    if (!writable() || size != bottom - top || size > maxStampedDisc || size < 1) {
        setPen(color, 1, penstyle::Solid);
        setBrush(color, brushstyle::Solid);
        drawEllipse(left, top, right, bottom);
        return;
    }
    if (right + 1 < 0 || bottom + 1 < 0 || left >= width_ || top >= height_) {
        return;
    }
    flush();
    const DiscMask& mask = discMask(size);
    const QRgb rgb = rgbOf(color);
    for (int r = 0; r < static_cast<int>(mask.rows.size()); ++r) {
        const int y = top + r;
        const auto [first, last] = mask.rows[r];
        if (first < 0 || y < 0 || y >= height_) {
            continue;
        }
        const int x0 = std::max(left + first, 0);
        const int x1 = std::min(left + last + 1, width_);
        if (x0 < x1) {
            auto* row = reinterpret_cast<QRgb*>(bits_ + y * bytesPerLine_);
            std::fill(row + x0, row + x1, rgb);
        }
    }
}

void DrawSurface::setFont(const QString& family, int sizePt, bool bold, bool italic) {
    if (fontApplied_ && sizePt == fontSizePt_ && bold == fontBold_ && italic == fontItalic_ &&
        family == fontFamily_) {
        return;
    }
    flush();
    fontFamily_ = family;
    fontSizePt_ = sizePt;
    fontBold_ = bold;
    fontItalic_ = italic;
    QFont font(family);
    font.setPixelSize(std::max(1, pointsToPixels(sizePt)));
    font.setBold(bold);
    font.setItalic(italic);
    painter_.setFont(font);
    metrics_.emplace(font, painter_.device());
    fontApplied_ = true;
}

void DrawSurface::setTextColor(TColor color) {
    textColor_ = color;
}

QSize DrawSurface::textExtent(const QString& text) {
    if (!metrics_) {
        setFont(QStringLiteral("Arial"), 8, false, false);
    }
    return QSize(metrics_->horizontalAdvance(text), metrics_->height());
}

void DrawSurface::textOut(int x, int y, const QString& text, double angleDeg) {
    if (!metrics_) {
        setFont(QStringLiteral("Arial"), 8, false, false);
    }
    flush();
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
