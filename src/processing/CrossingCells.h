#pragma once
// The uniform grid that finds segments near each other, shared by the batch analysis and the live
// detector so both pair exactly the same segments.

#include "processing/Crossings.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace selvir::processing {

inline std::int64_t crossingCellIndex(double metres) {
    return static_cast<std::int64_t>(std::floor(metres / kCrossingCellM));
}

inline std::uint64_t crossingCellKey(std::int64_t ix, std::int64_t iy) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(ix)) << 32) |
           static_cast<std::uint32_t>(iy);
}

struct CellRange {
    std::int64_t x0, x1, y0, y1;
};

// The cells a segment's bounding box touches.
inline CellRange cellsOf(const TrackSegment& s) {
    return {crossingCellIndex(std::min(s.from.eastingM, s.to.eastingM)),
            crossingCellIndex(std::max(s.from.eastingM, s.to.eastingM)),
            crossingCellIndex(std::min(s.from.northingM, s.to.northingM)),
            crossingCellIndex(std::max(s.from.northingM, s.to.northingM))};
}

template <typename Visit>
void eachCellOf(const TrackSegment& s, Visit&& visit) {
    const CellRange r = cellsOf(s);
    for (std::int64_t x = r.x0; x <= r.x1; ++x) {
        for (std::int64_t y = r.y0; y <= r.y1; ++y) {
            visit(crossingCellKey(x, y));
        }
    }
}

} // namespace selvir::processing
