// Geometry of the shapes: bounds, hit tests and the transforms that differ from the common ones in
// Shapes.h. Drawing is in ShapeDraw.cpp.
#include "canvas/Shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace selvir {
namespace {

bool insideGrownBox(double x, double y, double minX, double minY, double maxX, double maxY, double t) {
    return x >= minX - t && x <= maxX + t && y >= minY - t && y <= maxY + t;
}

} // namespace

Rotation2D::Rotation2D(double angleDeg, double cx, double cy)
    : cosA_(std::cos(angleDeg * std::numbers::pi / 180.0)),
      sinA_(std::sin(angleDeg * std::numbers::pi / 180.0)), cx_(cx), cy_(cy) {}

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

bool TSRectangle::HitTest(double x, double y, double tolerance) const {
    return insideGrownBox(x, y, std::min(X1, X2), std::min(Y1, Y2), std::max(X1, X2), std::max(Y1, Y2),
                          tolerance);
}

bool TSLine::HitTest(double x, double y, double tolerance) const {
    return distanceToSegment(x, y, X1, Y1, X2, Y2) <= tolerance;
}

void TSPolyline::AddPoint(double x, double y) {
    Points.push_back({x, y});
    if (Points.size() == 1) {
        setBounds(x, y, x, y);
    } else {
        setBounds(std::min(MinX, x), std::min(MinY, y), std::max(MaxX, x), std::max(MaxY, y));
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

bool TSArc::HitTest(double x, double y, double tolerance) const {
    return insideGrownBox(x, y, MinX, MinY, MaxX, MaxY, tolerance);
}

bool TSText::HitTest(double x, double y, double tolerance) const {
    return insideGrownBox(x, y, MinX, MinY, MaxX, MaxY, tolerance);
}

// A nominal box: ten world units per character to the right, ten above and below the anchor.
ShapeBox TSText::bounds() const {
    return {X, Y - 10.0, X + 10.0 * Caption.size(), Y + 10.0};
}

bool TSPoint::HitTest(double x, double y, double tolerance) const {
    return std::hypot(x - X, y - Y) <= tolerance;
}

// Near the circumference only: the disc inside is not a hit.
bool TSCircle::HitTest(double x, double y, double tolerance) const {
    return std::fabs(std::hypot(x - CenterX, y - CenterY) - Radius) <= tolerance;
}

// The radius takes the mean of the two factors; a negative mean (a scale through the centre) keeps the
// radius positive so the circle keeps valid bounds.
void TSCircle::scaleAbout(double sx, double sy, double cx, double cy) {
    TSShapeOf::scaleAbout(sx, sy, cx, cy);
    Radius = std::fabs(Radius * (sx + sy) / 2.0);
}

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

} // namespace selvir
