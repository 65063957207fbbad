#pragma once
// Contours of a depth grid by marching squares.
//
// The grid's cell centres are the nodes; each square of four neighbouring nodes with values is traced
// at every level (a multiple of the interval) between its smallest and largest value. A node counts as
// "deep" at a level when its value is at or below it in the water (value >= level). The crossing of an
// edge is placed by linear interpolation between its two nodes. In a saddle square (deep corners on one
// diagonal, shallow on the other) the mean of the four corners decides: at or beyond the level, the deep
// corners are joined through the middle, otherwise the shallow ones are, so one contour level never
// crosses itself and neighbouring levels never cross each other. A square with a nodata node is not
// traced: contours end at the edge of the data.
//
// Segments are joined by the grid edges they share (no distance tolerance), into polylines that are
// closed where they come back to their start, each carrying its depth.

#include "processing/Gridding.h"

#include <string>
#include <vector>

namespace selvir::processing {

struct ContourPoint {
    double eastingM = 0;
    double northingM = 0;
};

struct ContourLine {
    double depthM = 0; // the level
    bool closed = false;
    std::vector<ContourPoint> points; // a closed line does not repeat its first point at the end
};

// Levels per grid at most: past it the interval is too fine for the depth range.
inline constexpr std::size_t kMaxContourLevels = 10'000;

struct ContourResult {
    std::vector<ContourLine> lines; // by level, shallow first
    std::vector<double> levels;     // the levels traced
    std::string error;              // a bad interval or too many levels; no lines then
};

ContourResult contourGrid(const DepthGrid& grid, double intervalM);

} // namespace selvir::processing
