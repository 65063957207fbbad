// Geometry of the shapes: bounds, hit tests and the affine transforms. Drawing is in ShapeDraw.cpp.
#include "canvas/Shapes.h"

#include <algorithm>
#include <cmath>

namespace selvir {
namespace {

constexpr double pi = 3.141592653589793;

struct Rotation2D {
    double cosA;
    double sinA;
    double cx;
    double cy;
    explicit Rotation2D(double angleDeg, double centreX, double centreY)
        : cosA(std::cos(angleDeg * pi / 180.0)), sinA(std::sin(angleDeg * pi / 180.0)), cx(centreX),
          cy(centreY) {}
    void apply(double& x, double& y) const {
        const double dx = x - cx;
        const double dy = y - cy;
        x = cx + cosA * dx - sinA * dy;
        y = cy + sinA * dx + cosA * dy;
    }
};

void scalePoint(double& x, double& y, double sx, double sy, double cx, double cy) {
    x = cx + (x - cx) * sx;
    y = cy + (y - cy) * sy;
}

// Rectangles and ellipses keep two opposite corners (X1, Y1) and (X2, Y2).
template <typename TwoCorners>
void translateCorners(TwoCorners& shape, double dx, double dy) {
    shape.X1 += dx, shape.Y1 += dy, shape.X2 += dx, shape.Y2 += dy;
    shape.UpdateBounds();
}
template <typename TwoCorners>
void scaleCorners(TwoCorners& shape, double sx, double sy, double cx, double cy) {
    scalePoint(shape.X1, shape.Y1, sx, sy, cx, cy);
    scalePoint(shape.X2, shape.Y2, sx, sy, cx, cy);
    shape.UpdateBounds();
}

bool insideGrownBox(double x, double y, double minX, double minY, double maxX, double maxY, double t) {
    return x >= minX - t && x <= maxX + t && y >= minY - t && y <= maxY + t;
}

} // namespace

int truncToPixel(double value) {
    constexpr double limit = 1e9;
    if (!(value == value)) {
        return 0;
    }
    return static_cast<int>(std::clamp(value, -limit, limit));
}

double distanceToSegment(double x, double y, double x1, double y1, double x2, double y2) {
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    const double lengthSquared = dx * dx + dy * dy;
    if (lengthSquared == 0.0) {
        return std::hypot(x - x1, y - y1);
    }
    const double t = std::clamp(((x - x1) * dx + (y - y1) * dy) / lengthSquared, 0.0, 1.0);
    return std::hypot(x - (x1 + t * dx), y - (y1 + t * dy));
}

TSShape::~TSShape() = default;

void TSShape::setBounds(double minX, double minY, double maxX, double maxY) {
    MinX = minX;
    MinY = minY;
    MaxX = maxX;
    MaxY = maxY;
}

// --- TSRectangle

bool TSRectangle::HitTest(double x, double y, double tolerance) const {
    return insideGrownBox(x, y, std::min(X1, X2), std::min(Y1, Y2), std::max(X1, X2), std::max(Y1, Y2),
                          tolerance);
}
void TSRectangle::UpdateBounds() {
    setBounds(std::min(X1, X2), std::min(Y1, Y2), std::max(X1, X2), std::max(Y1, Y2));
}
void TSRectangle::Translate(double dx, double dy) {
    translateCorners(*this, dx, dy);
}
void TSRectangle::Scale(double sx, double sy, double cx, double cy) {
    scaleCorners(*this, sx, sy, cx, cy);
}
// An axis-aligned box has no rotated form here; only the bounds are refreshed.
void TSRectangle::Rotate(double, double, double) {
    UpdateBounds();
}

// --- TSLine

bool TSLine::HitTest(double x, double y, double tolerance) const {
    return distanceToSegment(x, y, X1, Y1, X2, Y2) <= tolerance;
}
void TSLine::UpdateBounds() {
    setBounds(std::min(X1, X2), std::min(Y1, Y2), std::max(X1, X2), std::max(Y1, Y2));
}
void TSLine::Translate(double dx, double dy) {
    X1 += dx, Y1 += dy, X2 += dx, Y2 += dy;
    UpdateBounds();
}
void TSLine::Scale(double sx, double sy, double cx, double cy) {
    scalePoint(X1, Y1, sx, sy, cx, cy);
    scalePoint(X2, Y2, sx, sy, cx, cy);
    UpdateBounds();
}
void TSLine::Rotate(double angleDeg, double cx, double cy) {
    const Rotation2D r(angleDeg, cx, cy);
    r.apply(X1, Y1);
    r.apply(X2, Y2);
    UpdateBounds();
}

// --- TSPolyline

void TSPolyline::AddPoint(double x, double y) {
    const TPointF p{static_cast<float>(x), static_cast<float>(y)};
    Points.push_back(p);
    if (Points.size() == 1) {
        setBounds(p.X, p.Y, p.X, p.Y);
    } else {
        setBounds(std::min<double>(MinX, p.X), std::min<double>(MinY, p.Y), std::max<double>(MaxX, p.X),
                  std::max<double>(MaxY, p.Y));
    }
}

// Only the segments between consecutive vertices count: the closing edge and the interior of a polygon
// are not hit.
bool TSPolyline::HitTest(double x, double y, double tolerance) const {
    for (std::size_t i = 1; i < Points.size(); ++i) {
        const TPointF& a = Points[i - 1];
        const TPointF& b = Points[i];
        if (a.X == b.X && a.Y == b.Y) {
            continue;
        }
        if (distanceToSegment(x, y, a.X, a.Y, b.X, b.Y) <= tolerance) {
            return true;
        }
    }
    return false;
}
void TSPolyline::UpdateBounds() {
    if (Points.empty()) {
        setBounds(0.0, 0.0, 0.0, 0.0);
        return;
    }
    double minX = Points[0].X, minY = Points[0].Y, maxX = minX, maxY = minY;
    for (const TPointF& p : Points) {
        minX = std::min<double>(minX, p.X);
        minY = std::min<double>(minY, p.Y);
        maxX = std::max<double>(maxX, p.X);
        maxY = std::max<double>(maxY, p.Y);
    }
    setBounds(minX, minY, maxX, maxY);
}
void TSPolyline::Translate(double dx, double dy) {
    for (TPointF& p : Points) {
        p = {static_cast<float>(p.X + dx), static_cast<float>(p.Y + dy)};
    }
    UpdateBounds();
}
void TSPolyline::Scale(double sx, double sy, double cx, double cy) {
    for (TPointF& p : Points) {
        double x = p.X, y = p.Y;
        scalePoint(x, y, sx, sy, cx, cy);
        p = {static_cast<float>(x), static_cast<float>(y)};
    }
    UpdateBounds();
}
void TSPolyline::Rotate(double angleDeg, double cx, double cy) {
    const Rotation2D r(angleDeg, cx, cy);
    for (TPointF& p : Points) {
        double x = p.X, y = p.Y;
        r.apply(x, y);
        p = {static_cast<float>(x), static_cast<float>(y)};
    }
    UpdateBounds();
}

// --- TSArc

bool TSArc::HitTest(double x, double y, double tolerance) const {
    return insideGrownBox(x, y, MinX, MinY, MaxX, MaxY, tolerance);
}
void TSArc::UpdateBounds() {
    setBounds(std::min({X1, X2, X3}), std::min({Y1, Y2, Y3}), std::max({X1, X2, X3}), std::max({Y1, Y2, Y3}));
}
void TSArc::Translate(double dx, double dy) {
    X1 += dx, Y1 += dy, X2 += dx, Y2 += dy, X3 += dx, Y3 += dy;
    UpdateBounds();
}
void TSArc::Scale(double sx, double sy, double cx, double cy) {
    scalePoint(X1, Y1, sx, sy, cx, cy);
    scalePoint(X2, Y2, sx, sy, cx, cy);
    scalePoint(X3, Y3, sx, sy, cx, cy);
    UpdateBounds();
}
void TSArc::Rotate(double angleDeg, double cx, double cy) {
    const Rotation2D r(angleDeg, cx, cy);
    r.apply(X1, Y1);
    r.apply(X2, Y2);
    r.apply(X3, Y3);
    UpdateBounds();
}

// --- TSText

bool TSText::HitTest(double x, double y, double tolerance) const {
    return insideGrownBox(x, y, MinX, MinY, MaxX, MaxY, tolerance);
}
// A nominal box: ten world units per character to the right, ten above and below the anchor.
void TSText::UpdateBounds() {
    setBounds(X, Y - 10.0, X + 10.0 * Caption.size(), Y + 10.0);
}
void TSText::Translate(double dx, double dy) {
    X += dx, Y += dy;
    UpdateBounds();
}
void TSText::Scale(double sx, double sy, double cx, double cy) {
    scalePoint(X, Y, sx, sy, cx, cy);
    UpdateBounds();
}
// A text turns about its own anchor, whatever the centre asked for.
void TSText::Rotate(double angleDeg, double, double) {
    Rotation += angleDeg;
    UpdateBounds();
}

// --- TSPoint

bool TSPoint::HitTest(double x, double y, double tolerance) const {
    return std::hypot(x - X, y - Y) <= tolerance;
}
void TSPoint::UpdateBounds() {
    setBounds(X - PointSize, Y - PointSize, X + PointSize, Y + PointSize);
}
void TSPoint::Translate(double dx, double dy) {
    X += dx, Y += dy;
    UpdateBounds();
}
void TSPoint::Scale(double sx, double sy, double cx, double cy) {
    scalePoint(X, Y, sx, sy, cx, cy);
    UpdateBounds();
}
void TSPoint::Rotate(double angleDeg, double cx, double cy) {
    Rotation2D(angleDeg, cx, cy).apply(X, Y);
    UpdateBounds();
}

// --- TSCircle

// Near the circumference only: the disc inside is not a hit.
bool TSCircle::HitTest(double x, double y, double tolerance) const {
    return std::fabs(std::hypot(x - CenterX, y - CenterY) - Radius) <= tolerance;
}
void TSCircle::UpdateBounds() {
    setBounds(CenterX - Radius, CenterY - Radius, CenterX + Radius, CenterY + Radius);
}
void TSCircle::Translate(double dx, double dy) {
    CenterX += dx, CenterY += dy;
    UpdateBounds();
}
// The radius takes the mean of the two factors; a negative mean (a scale through the centre) keeps the
// radius positive so the circle keeps valid bounds.
void TSCircle::Scale(double sx, double sy, double cx, double cy) {
    scalePoint(CenterX, CenterY, sx, sy, cx, cy);
    Radius = std::fabs(Radius * (sx + sy) / 2.0);
    UpdateBounds();
}
void TSCircle::Rotate(double angleDeg, double cx, double cy) {
    Rotation2D(angleDeg, cx, cy).apply(CenterX, CenterY);
    UpdateBounds();
}

// --- TSEllipse

bool TSEllipse::HitTest(double x, double y, double tolerance) const {
    const double a = std::fabs(X2 - X1) / 2.0;
    const double b = std::fabs(Y2 - Y1) / 2.0;
    if (a == 0.0 || b == 0.0) {
        return false;
    }
    const double u = (x - (X1 + X2) / 2.0) / a;
    const double v = (y - (Y1 + Y2) / 2.0) / b;
    return std::fabs(u * u + v * v - 1.0) <= tolerance / std::min(a, b);
}
void TSEllipse::UpdateBounds() {
    setBounds(std::min(X1, X2), std::min(Y1, Y2), std::max(X1, X2), std::max(Y1, Y2));
}
void TSEllipse::Translate(double dx, double dy) {
    translateCorners(*this, dx, dy);
}
void TSEllipse::Scale(double sx, double sy, double cx, double cy) {
    scaleCorners(*this, sx, sy, cx, cy);
}
// Kept axis-aligned: a rotation only refreshes the bounds.
void TSEllipse::Rotate(double, double, double) {
    UpdateBounds();
}

} // namespace selvir
