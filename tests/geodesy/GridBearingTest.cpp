#include "geodesy/Angles.h"

#include <gtest/gtest.h>

namespace selvir {
namespace {

// The distance measure's bearing: clockwise from grid north, each quadrant and the axes.
TEST(GridBearing, ClockwiseFromGridNorthInEveryQuadrant) {
    struct Row {
        double dx, dy, bearingDeg;
    };
    const Row rows[] = {{0, 5, 0},     {5, 5, 45},    {10, 0, 90},  {5, -5, 135}, {0, -5, 180},
                        {-5, -5, 225}, {-10, 0, 270}, {-5, 5, 315}, {0, 0, 0},    {1, std::sqrt(3.0), 30}};
    for (const Row& row : rows) {
        EXPECT_NEAR(gridBearingDeg(row.dx, row.dy), row.bearingDeg, 1e-9) << row.dx << ", " << row.dy;
    }
}

} // namespace
} // namespace selvir
