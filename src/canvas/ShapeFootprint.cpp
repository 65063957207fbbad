#include "canvas/ShapeFootprint.h"

#include "canvas/Shapes.h"

#include <algorithm>
#include <cmath>

namespace selvir {
namespace {

// Beyond the pen's half width: the rounding of corners and ends to whole pixels, and the width the
// highlight adds (1 each side).
constexpr int penSlackPx = 3;

const TSPoint* asPoint(const TSShape& shape) {
    return shape.ShapeType == ShapeKind::Point ? static_cast<const TSPoint*>(&shape) : nullptr;
}

// A Catmull-Rom curve leaves the box of its vertices by at most a third of the box's extent (its
// control points lie within a sixth of twice the extent of their neighbours).
bool bulges(const TSShape& shape) {
    return shape.ShapeType == ShapeKind::Spline;
}

} // namespace

WorldBox indexBox(const TSShape& shape) {
    WorldBox box{std::min(shape.MinX, shape.MaxX), std::min(shape.MinY, shape.MaxY),
                 std::max(shape.MinX, shape.MaxX), std::max(shape.MinY, shape.MaxY)};
    if (bulges(shape)) {
        const double bulge = std::max(box.maxX - box.minX, box.maxY - box.minY) / 3.0;
        box = {box.minX - bulge, box.minY - bulge, box.maxX + bulge, box.maxY + bulge};
    }
    return box;
}

int pixelMarginPx(const TSShape& shape) {
    if (const TSPoint* point = asPoint(shape)) {
        return std::max(point->PointSize + point->PenWidth, 2) + 1;
    }
    return std::max(shape.PenWidth, 1) / 2 + penSlackPx;
}

QRect footprintPx(const TSShape& shape, const PixelMap& map) {
    if (!std::isfinite(shape.MinX + shape.MaxX + shape.MinY + shape.MaxY)) {
        return {};
    }
    const int margin = pixelMarginPx(shape);
    if (const TSPoint* point = asPoint(shape)) {
        const int px = map.px(point->X);
        const int py = map.py(point->Y);
        return QRect(QPoint(px - margin, py - margin), QPoint(px + margin, py + margin));
    }
    // Truncation is monotonic, so the bounds' pixels hold every vertex's pixel.
    // A circle of negative radius has its bounds the wrong way round.
    const int left = std::min(map.px(shape.MinX), map.px(shape.MaxX));
    const int right = std::max(map.px(shape.MinX), map.px(shape.MaxX));
    const int top = std::min(map.py(shape.MaxY), map.py(shape.MinY));
    const int bottom = std::max(map.py(shape.MaxY), map.py(shape.MinY));
    int extra = margin;
    if (bulges(shape)) {
        extra += std::max(right - left, bottom - top) / 3 + 1;
    }
    return QRect(QPoint(left - extra, top - extra), QPoint(right + extra, bottom + extra));
}

} // namespace selvir
