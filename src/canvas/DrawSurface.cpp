#include "canvas/DrawSurface.h"

#include "canvas/CanvasColor.h"
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

QFont surfaceFont(const QString& family, int sizePt, bool bold, bool italic) {
    QFont font(family);
    font.setPixelSize(std::max(1, pointsToPixels(sizePt)));
    font.setBold(bold);
    font.setItalic(italic);
    return font;
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
    // Wide pens are always solid; the painter's general stroker is slow for them (tracklines are
    // 2 or 3 pixels wide), so they are filled here as round-capped strokes.
    if (penWidth_ > 1 && writable()) {
        flush();
        fillCapsule(x1, y1, x2, y2, penWidth_, penColor_);
        return;
    }
    pendingLines_.emplace_back(x1, y1, x2, y2);
}

// Fills the pixels whose centres lie within widthPx / 2 of the segment: the stroke of a line with
// round caps, sampled as the painter samples aliased fills. Row by row, the stroke's slice is an
// interval, the union of the slices of the two end discs and of the band between them. Sample points
// sit a hair left of and above the centres, which matches the painter best, so a centre on the edge
// counts on the bottom and right edges only: a 3-pixel line covers 3 rows, not 4.
void DrawSurface::fillCapsule(int x1, int y1, int x2, int y2, int widthPx, TColor color) {
    const double r = widthPx / 2.0;
    const double ax = x1, ay = y1, bx = x2, by = y2;
    const double length = std::hypot(bx - ax, by - ay);
    double nx = 0.0, ny = 0.0; // unit normal times r
    if (length > 0.0) {
        nx = -(by - ay) / length * r;
        ny = (bx - ax) / length * r;
    }
    const double band[4][2] = {
        {ax + nx, ay + ny}, {bx + nx, by + ny}, {bx - nx, by - ny}, {ax - nx, ay - ny}};

    constexpr double bias = -1.0 / 1024.0;
    const int rowFirst = std::max(0, static_cast<int>(std::ceil(std::min(ay, by) - r - 0.5 - bias)));
    const int rowLast =
        std::min(height_ - 1, static_cast<int>(std::floor(std::max(ay, by) + r - 0.5 - bias)));
    const QRgb rgb = rgbOf(color);
    for (int row = rowFirst; row <= rowLast; ++row) {
        const double yc = row + 0.5 + bias;
        double left = std::numeric_limits<double>::infinity();
        double right = -left;
        for (const auto& [cx, cy] : {std::pair{ax, ay}, std::pair{bx, by}}) {
            const double dy = yc - cy;
            if (dy * dy <= r * r) {
                const double half = std::sqrt(r * r - dy * dy);
                left = std::min(left, cx - half);
                right = std::max(right, cx + half);
            }
        }
        if (length > 0.0) {
            for (int e = 0; e < 4; ++e) {
                const double* p = band[e];
                const double* q = band[(e + 1) % 4];
                if ((p[1] - yc) * (q[1] - yc) > 0.0) {
                    continue;
                }
                if (p[1] == q[1]) {
                    left = std::min({left, p[0], q[0]});
                    right = std::max({right, p[0], q[0]});
                } else {
                    const double x = p[0] + (yc - p[1]) * (q[0] - p[0]) / (q[1] - p[1]);
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        }
        if (!(left <= right)) {
            continue;
        }
        const double firstX = std::max(std::ceil(left - 0.5 - bias), 0.0);
        const double lastX = std::min(std::floor(right - 0.5 - bias), static_cast<double>(width_ - 1));
        if (firstX <= lastX) {
            auto* line = reinterpret_cast<QRgb*>(bits_ + row * bytesPerLine_);
            std::fill(line + static_cast<int>(firstX), line + static_cast<int>(lastX) + 1, rgb);
        }
    }
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
    const QFont font = surfaceFont(family, sizePt, bold, italic);
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
