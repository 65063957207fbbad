// How each shape class draws itself on a DrawSurface. World to pixel: px = trunc((x - left) * sx),
// py = trunc((top - y) * sy) with sx = W / (right - left) and sy = H / (top - bottom).
#include "canvas/DrawSurface.h"
#include "canvas/Shapes.h"

#include <QPainterPath>
#include <QPoint>
#include <algorithm>
#include <vector>

namespace selvir {
namespace {

struct PixelMap {
    double left;
    double top;
    double sx;
    double sy;
    PixelMap(double l, double r, double t, double b, int width, int height) : left(l), top(t) {
        const double dx = r - l;
        const double dy = t - b;
        sx = width / (dx == 0.0 ? 1.0 : dx);
        sy = height / (dy == 0.0 ? 1.0 : dy);
    }
    int px(double x) const { return truncToPixel((x - left) * sx); }
    int py(double y) const { return truncToPixel((top - y) * sy); }
    QPoint at(double x, double y) const { return QPoint(px(x), py(y)); }
};

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

void TSLine::Draw(DrawSurface& surface, double left, double right, double top, double bottom, int width,
                  int height) const {
    if (!Visible) {
        return;
    }
    const PixelMap map(left, right, top, bottom, width, height);
    useOutlinePen(surface, *this);
    surface.drawLine(map.px(X1), map.py(Y1), map.px(X2), map.py(Y2));
}

void TSCircle::Draw(DrawSurface& surface, double left, double right, double top, double bottom, int width,
                    int height) const {
    if (!Visible) {
        return;
    }
    const PixelMap map(left, right, top, bottom, width, height);
    const int pcx = map.px(CenterX);
    const int pcy = map.py(CenterY);
    const int rx = truncToPixel(Radius * map.sx);
    const int ry = truncToPixel(Radius * map.sy);
    useOutlinePen(surface, *this);
    useShapeBrush(surface, *this);
    surface.drawEllipse(pcx - rx, pcy - ry, pcx + rx, pcy + ry);
}

void TSEllipse::Draw(DrawSurface& surface, double left, double right, double top, double bottom, int width,
                     int height) const {
    if (!Visible) {
        return;
    }
    const PixelMap map(left, right, top, bottom, width, height);
    useOutlinePen(surface, *this);
    useShapeBrush(surface, *this);
    surface.drawEllipse(map.px(X1), map.py(Y1), map.px(X2), map.py(Y2));
}

void TSRectangle::Draw(DrawSurface& surface, double left, double right, double top, double bottom, int width,
                       int height) const {
    if (!Visible) {
        return;
    }
    const PixelMap map(left, right, top, bottom, width, height);
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

void TSArc::Draw(DrawSurface& surface, double left, double right, double top, double bottom, int width,
                 int height) const {
    if (!Visible) {
        return;
    }
    const PixelMap map(left, right, top, bottom, width, height);
    const QPoint points[3] = {map.at(X1, Y1), map.at(X2, Y2), map.at(X3, Y3)};
    useOutlinePen(surface, *this);
    surface.drawPolyline(points, 3);
}

void TSPoint::Draw(DrawSurface& surface, double left, double right, double top, double bottom, int width,
                   int height) const {
    if (!Visible) {
        return;
    }
    const PixelMap map(left, right, top, bottom, width, height);
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

void TSPolyline::Draw(DrawSurface& surface, double left, double right, double top, double bottom, int width,
                      int height) const {
    if (!Visible || Points.size() < 2) {
        return;
    }
    const PixelMap map(left, right, top, bottom, width, height);
    std::vector<QPoint> pixels;
    pixels.reserve(Points.size());
    for (const TPointF& p : Points) {
        pixels.push_back(map.at(p.X, p.Y));
    }
    useOutlinePen(surface, *this);
    useShapeBrush(surface, *this);
    const int count = static_cast<int>(pixels.size());
    if (ShapeType == shapetype::Spline) {
        surface.drawPath(splinePath(pixels)); // a closed spline is drawn open
    } else if (ShapeType == shapetype::Curve && count == 3) {
        surface.drawPath(curvePath(pixels));
    } else if (Closed && count > 2) {
        surface.drawPolygon(pixels.data(), count);
    } else {
        surface.drawPolyline(pixels.data(), count);
    }
}

void TSText::Draw(DrawSurface& surface, double left, double right, double top, double bottom, int width,
                  int height) const {
    // Texts whose anchor is this far outside are skipped even if their letters would reach in.
    constexpr int marginXPx = 500;
    constexpr int marginYPx = 100;
    if (!Visible || Caption.isEmpty()) {
        return;
    }
    const PixelMap map(left, right, top, bottom, width, height);
    const int px = map.px(X);
    const int py = map.py(Y);
    if (px < -marginXPx || px > width + marginXPx || py < -marginYPx || py > height + marginYPx) {
        return;
    }
    const double worldHeight = top - bottom;
    const int hp = truncToPixel(height / (worldHeight == 0.0 ? 1.0 : worldHeight) * TextHeight * 0.8);

    TColor color = surface.shapeColor(PenFg);
    if ((colorRedOf(color) + colorGreenOf(color) + colorBlueOf(color)) / 3 > 200) {
        color = colorBlack; // too pale to read
    }

    if (hp < 4) {
        // Too small to read: a placeholder box where the text would be.
        const int a = std::clamp(truncToPixel(map.sx * Caption.size() * TextHeight * 0.6), 4, 100);
        const int b = std::clamp(truncToPixel(map.sy * TextHeight * 0.8), 2, 20);
        surface.setPen(color, 1, penstyle::Solid);
        surface.setBrush(colorWhite, brushstyle::Clear);
        surface.drawRectangle(px, py - b, px + a, py);
        return;
    }

    surface.setFont(FontName, std::clamp(hp, 4, 200), Bold, Italic);
    surface.setTextColor(color);
    const QSize extent = surface.textExtent(Caption);
    const int tw = extent.width();
    const int th = extent.height();
    const int ox = HAlign == 1 ? -tw / 2 : HAlign == 2 ? -tw : 0;
    const int oy = VAlign == 1 ? -th / 2 : VAlign == 2 ? -th : 0;
    // The font orientation is kept in whole tenths of a degree.
    const double angleDeg = truncToPixel(Rotation * 10.0) / 10.0;
    surface.textOut(px + ox, py + oy, Caption, angleDeg);
}

} // namespace selvir
