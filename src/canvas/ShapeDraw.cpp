// How each shape class paints itself on a DrawSurface, through the pixel mapping of Shapes.h.
#include "canvas/DrawSurface.h"
#include "canvas/Shapes.h"

#include <QPainterPath>
#include <QPoint>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace selvir {
namespace {

QPoint pixelAt(const PixelMap& map, double x, double y) {
    return QPoint(map.px(x), map.py(y));
}

constexpr int selectionWidenPx = 2;

// The outline pen: red and two pixels wider when selected.
void useOutlinePen(DrawSurface& surface, const TSShape& shape) {
    if (shape.Selected) {
        surface.setPen(colorRed, shape.PenWidth + selectionWidenPx, shape.PenStyle);
    } else {
        surface.setPen(surface.shapeColor(shape.PenFg), shape.PenWidth, shape.PenStyle);
    }
}

void useShapeBrush(DrawSurface& surface, const TSShape& shape) {
    surface.setBrush(shape.BrushFg, shape.BrushStyle);
}

QPoint truncated(double x, double y) {
    return QPoint(truncToPixel(x), truncToPixel(y));
}

// Catmull-Rom curve through every point as one cubic Bezier per segment, with mirrored end points.
QPainterPath splinePath(const std::vector<QPoint>& p) {
    const int n = static_cast<int>(p.size());
    auto at = [&](int i) -> QPointF {
        if (i < 0) {
            return QPointF(2 * p[0] - p[1]);
        }
        if (i >= n) {
            return QPointF(2 * p[n - 1] - p[n - 2]);
        }
        return QPointF(p[i]);
    };
    QPainterPath path{QPointF(p[0])};
    for (int i = 0; i + 1 < n; ++i) {
        const QPointF c1 = at(i) + (at(i + 1) - at(i - 1)) / 6.0;
        const QPointF c2 = at(i + 1) - (at(i + 2) - at(i)) / 6.0;
        path.cubicTo(truncated(c1.x(), c1.y()), truncated(c2.x(), c2.y()), at(i + 1));
    }
    return path;
}

// The quadratic curve with P1 as control point, written as a cubic.
QPainterPath curvePath(const std::vector<QPoint>& p) {
    const QPointF p0(p[0]), p1(p[1]), p2(p[2]);
    const QPointF c1 = p0 + (p1 - p0) * 2.0 / 3.0;
    const QPointF c2 = p2 + (p1 - p2) * 2.0 / 3.0;
    QPainterPath path(p0);
    path.cubicTo(truncated(c1.x(), c1.y()), truncated(c2.x(), c2.y()), p2);
    return path;
}

} // namespace

void TSLine::paint(DrawSurface& surface, const PixelMap& map) const {
    useOutlinePen(surface, *this);
    surface.drawLine(map.px(X1), map.py(Y1), map.px(X2), map.py(Y2));
}

void TSCircle::paint(DrawSurface& surface, const PixelMap& map) const {
    const int pcx = map.px(CenterX);
    const int pcy = map.py(CenterY);
    const int rx = truncToPixel(Radius * map.sx);
    const int ry = truncToPixel(Radius * map.sy);
    useOutlinePen(surface, *this);
    useShapeBrush(surface, *this);
    surface.drawEllipse(pcx - rx, pcy - ry, pcx + rx, pcy + ry);
}

void TSEllipse::paint(DrawSurface& surface, const PixelMap& map) const {
    useOutlinePen(surface, *this);
    useShapeBrush(surface, *this);
    surface.drawEllipse(map.px(X1), map.py(Y1), map.px(X2), map.py(Y2));
}

void TSRectangle::paint(DrawSurface& surface, const PixelMap& map) const {
    const int x1 = map.px(X1), y1 = map.py(Y1), x2 = map.px(X2), y2 = map.py(Y2);
    const int l = std::min(x1, x2), t = std::min(y1, y2), r = std::max(x1, x2), b = std::max(y1, y2);
    // A width-0 solid box is a plain fill: the cells of an imported grid.
    if (PenWidth == 0 && BrushStyle == brushstyle::Solid && !Selected && !Rounded) {
        surface.fillRect(l, t, r, b, BrushFg);
        return;
    }
    useOutlinePen(surface, *this);
    useShapeBrush(surface, *this);
    if (Rounded) {
        const int c = truncToPixel(CornerRadius * std::min(map.sx, map.sy));
        surface.drawRoundRect(l, t, r, b, c, c);
    } else {
        surface.drawRectangle(l, t, r, b);
    }
}

void TSArc::paint(DrawSurface& surface, const PixelMap& map) const {
    const QPoint points[3] = {pixelAt(map, X1, Y1), pixelAt(map, X2, Y2), pixelAt(map, X3, Y3)};
    useOutlinePen(surface, *this);
    surface.drawPolyline(points, 3);
}

void TSPoint::paint(DrawSurface& surface, const PixelMap& map) const {
    const int px = map.px(X);
    const int py = map.py(Y);
    const int s = PointSize + PenWidth;
    const TColor color = surface.shapeColor(PenFg); // points are not highlighted when selected
    if (s <= 2) {
        surface.setPixel(px, py, color);
        if (s == 2) {
            surface.setPixel(px + 1, py, color);
            surface.setPixel(px, py + 1, color);
            surface.setPixel(px + 1, py + 1, color);
        }
    } else if (s <= 4) {
        surface.fillRect(px - s, py - s, px + s, py + s, color);
    } else {
        surface.fillDisc(px - s, py - s, px + s, py + s, color);
    }
}

void TSPolyline::paint(DrawSurface& surface, const PixelMap& map) const {
    if (Points.size() < 2) {
        return;
    }
    // Reused: a rebuild paints tens of thousands of polylines, one allocation each would show.
    thread_local std::vector<QPoint> pixels;
    pixels.clear();
    for (const TPointF& p : Points) {
        pixels.push_back(pixelAt(map, p.X, p.Y));
    }
    useOutlinePen(surface, *this);
    useShapeBrush(surface, *this);
    const int count = static_cast<int>(pixels.size());
    if (ShapeType == ShapeKind::Spline) {
        surface.drawPath(splinePath(pixels)); // a closed spline is drawn open
    } else if (ShapeType == ShapeKind::Curve && count == 3) {
        surface.drawPath(curvePath(pixels));
    } else if (Closed && count > 2) {
        surface.drawPolygon(pixels.data(), count);
    } else {
        surface.drawPolyline(pixels.data(), count);
    }
}

TextLayout TSText::layout(DrawSurface& surface, const PixelMap& map) const {
    // Texts whose anchor is this far outside are skipped even if their letters would reach in.
    constexpr int marginXPx = 500;
    constexpr int marginYPx = 100;
    TextLayout out;
    if (Caption.isEmpty()) {
        return out;
    }
    const int px = map.px(X);
    const int py = map.py(Y);
    if (px < -marginXPx || px > map.widthPx + marginXPx || py < -marginYPx || py > map.heightPx + marginYPx) {
        return out;
    }
    out.drawn = true;
    const int hp = truncToPixel(map.sy * TextHeight * 0.8);

    out.color = surface.shapeColor(PenFg);
    if ((colorRedOf(out.color) + colorGreenOf(out.color) + colorBlueOf(out.color)) / 3 > 200) {
        out.color = colorBlack; // too pale to read
    }

    if (hp < 4) {
        // Too small to read: a placeholder box where the text would be.
        out.placeholder = true;
        const int a = std::clamp(truncToPixel(map.sx * Caption.size() * TextHeight * 0.6), 4, 100);
        const int b = std::clamp(truncToPixel(map.sy * TextHeight * 0.8), 2, 20);
        out.box = QRect(QPoint(px, py - b), QPoint(px + a, py));
        return out;
    }

    out.fontSizePt = std::clamp(hp, 4, 200);
    surface.setFont(FontName, out.fontSizePt, Bold, Italic);
    const QSize extent = surface.textExtent(Caption);
    const int tw = extent.width();
    const int th = extent.height();
    const int ox = HAlign == 1 ? -tw / 2 : HAlign == 2 ? -tw : 0;
    const int oy = VAlign == 1 ? -th / 2 : VAlign == 2 ? -th : 0;
    out.x = px + ox;
    out.y = py + oy;
    // The font orientation is kept in whole tenths of a degree.
    out.angleDeg = truncToPixel(Rotation * 10.0) / 10.0;

    // Letters may reach past their advance box (slanted letters, accents, smoothing): a margin of the
    // font's pixel size all round, then the box turned about its corner as textOut turns it.
    const double margin = pointsToPixels(out.fontSizePt) + 2.0;
    const double radians = -out.angleDeg * std::numbers::pi / 180.0; // the screen turns clockwise
    const double c = std::cos(radians), s = std::sin(radians);
    double minX = 1e18, minY = 1e18, maxX = -1e18, maxY = -1e18;
    for (const double cx : {-margin, tw + margin}) {
        for (const double cy : {-margin, th + margin}) {
            const double x = out.x + cx * c - cy * s;
            const double y = out.y + cx * s + cy * c;
            minX = std::min(minX, x), maxX = std::max(maxX, x);
            minY = std::min(minY, y), maxY = std::max(maxY, y);
        }
    }
    out.box = QRect(QPoint(truncToPixel(std::floor(minX)) - 1, truncToPixel(std::floor(minY)) - 1),
                    QPoint(truncToPixel(std::ceil(maxX)) + 1, truncToPixel(std::ceil(maxY)) + 1));
    return out;
}

void TSText::paintLayout(DrawSurface& surface, const TextLayout& layout) const {
    if (!layout.drawn) {
        return;
    }
    if (layout.placeholder) {
        surface.setPen(layout.color, 1, penstyle::Solid);
        surface.setBrush(colorWhite, brushstyle::Clear);
        surface.drawRectangle(layout.box.left(), layout.box.top(), layout.box.right(), layout.box.bottom());
        return;
    }
    surface.setFont(FontName, layout.fontSizePt, Bold, Italic);
    surface.setTextColor(layout.color);
    surface.textOut(layout.x, layout.y, Caption, layout.angleDeg);
}

void TSText::paint(DrawSurface& surface, const PixelMap& map) const {
    paintLayout(surface, layout(surface, map));
}

} // namespace selvir
