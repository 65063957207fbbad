// The runline geometry against the worked examples: cross lines along a straight route, parallel lines
// on both sides, the bisector at a bend, and the generator's number rules.
#include "tools/RunlineGeometry.h"

#include <cmath>
#include <gtest/gtest.h>

namespace selvir {
namespace {

// Signed distance of (x, y) from the infinite line through a and b, positive to the left of a->b.
double leftOffset(std::pair<double, double> a, std::pair<double, double> b, double x, double y) {
    const double dx = b.first - a.first, dy = b.second - a.second;
    return (dx * (y - a.second) - dy * (x - a.first)) / std::hypot(dx, dy);
}

TEST(RunlineGeometry, WorkedExamplesOfAStraightRoute) {
    // A 100 m route heading north-east, so neither axis hides a swapped coordinate.
    const double d = 100 / std::sqrt(2.0);
    const PolylinePoints route{{500000, 4500000}, {500000 + d, 4500000 + d}};
    struct Case {
        const char* spacing;
        const char* length;
        bool perpendicular;
        std::vector<double> stationsOrOffsets; // metres along the route, or offsets per side
    };
    const Case cases[] = {
        {"10", "100", true, {0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100}},
        {"10", "100", false, {10, 20, 30, 40, 50, 60, 70, 80, 90, 100}},
        {"30", "100", false, {30, 60, 90}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.spacing) + " " + c.length +
                     (c.perpendicular ? " perpendicular" : " parallel"));
        const RunlineParameters p = runlineParameters(c.spacing, c.length, c.perpendicular);
        const auto lines = generateRunlines(route, p);
        ASSERT_EQ(runlineCount(route, p), lines.size());
        if (c.perpendicular) {
            ASSERT_EQ(lines.size(), c.stationsOrOffsets.size());
            for (std::size_t i = 0; i < lines.size(); ++i) {
                const auto& [a, b] = std::pair(lines[i][0], lines[i][1]);
                ASSERT_EQ(lines[i].size(), 2u);
                EXPECT_NEAR(std::hypot(b.first - a.first, b.second - a.second), 200, 1e-6) << i;
                // The middle on the route at the station, the start 100 m to the left of it.
                const double mx = (a.first + b.first) / 2, my = (a.second + b.second) / 2;
                EXPECT_NEAR(std::hypot(mx - route[0].first, my - route[0].second), c.stationsOrOffsets[i],
                            1e-6);
                EXPECT_NEAR(leftOffset(route[0], route[1], mx, my), 0, 1e-6);
                EXPECT_NEAR(leftOffset(route[0], route[1], a.first, a.second), 100, 1e-6);
            }
            continue;
        }
        ASSERT_EQ(lines.size(), 2 * c.stationsOrOffsets.size());
        for (std::size_t t = 0; t < c.stationsOrOffsets.size(); ++t) {
            for (int side = 0; side < 2; ++side) {
                const PolylinePoints& line = lines[2 * t + side];
                ASSERT_EQ(line.size(), 2u);
                const double expected = side == 0 ? c.stationsOrOffsets[t] : -c.stationsOrOffsets[t];
                for (const auto& [x, y] : line) {
                    EXPECT_NEAR(leftOffset(route[0], route[1], x, y), expected, 1e-6) << t << " " << side;
                }
            }
        }
    }
}

// Decimal spacings whose quotient falls a hair short of a whole number (3.3 / 1.1 is
// 2.9999999999999996 in binary) keep their last line in both modes. Worked by hand on a route 3.3 m due
// north from (0, 0): its unit normal (-dy, dx) / L is (-1, 0), so "left" is west. Parallel, length 3.3:
// offsets 1.1, 2.2 and 3.3 m, each a line west then east, x = -1.1, +1.1, -2.2, +2.2, -3.3, +3.3 from
// y = 0 to 3.3. Perpendicular, length 5: stations s = 0, 1.1, 2.2, 3.3 along it, each line from
// (-5, s) to (5, s).
TEST(RunlineGeometry, DecimalSpacingsKeepTheirLastLine) {
    const PolylinePoints route{{0, 0}, {0, 3.3}};
    struct Case {
        const char* spacing;
        const char* length;
        bool perpendicular;
        std::vector<PolylinePoints> expected;
    };
    const Case cases[] = {
        {"1.1",
         "3.3",
         false,
         {{{-1.1, 0}, {-1.1, 3.3}},
          {{1.1, 0}, {1.1, 3.3}},
          {{-2.2, 0}, {-2.2, 3.3}},
          {{2.2, 0}, {2.2, 3.3}},
          {{-3.3, 0}, {-3.3, 3.3}},
          {{3.3, 0}, {3.3, 3.3}}}},
        {"1.1",
         "5",
         true,
         {{{-5, 0}, {5, 0}}, {{-5, 1.1}, {5, 1.1}}, {{-5, 2.2}, {5, 2.2}}, {{-5, 3.3}, {5, 3.3}}}},
        // 0.3 / 0.1 is 2.9999999999999996 too: three pairs at 0.1, 0.2 and 0.3 m.
        {"0.1",
         "0.3",
         false,
         {{{-0.1, 0}, {-0.1, 3.3}},
          {{0.1, 0}, {0.1, 3.3}},
          {{-0.2, 0}, {-0.2, 3.3}},
          {{0.2, 0}, {0.2, 3.3}},
          {{-0.3, 0}, {-0.3, 3.3}},
          {{0.3, 0}, {0.3, 3.3}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.spacing) + " " + c.length +
                     (c.perpendicular ? " perpendicular" : " parallel"));
        const RunlineParameters p = runlineParameters(c.spacing, c.length, c.perpendicular);
        const auto lines = generateRunlines(route, p);
        EXPECT_EQ(runlineCount(route, p), lines.size());
        ASSERT_EQ(lines.size(), c.expected.size());
        for (std::size_t i = 0; i < lines.size(); ++i) {
            ASSERT_EQ(lines[i].size(), c.expected[i].size()) << i;
            for (std::size_t k = 0; k < lines[i].size(); ++k) {
                EXPECT_NEAR(lines[i][k].first, c.expected[i][k].first, 1e-9) << i << " " << k;
                EXPECT_NEAR(lines[i][k].second, c.expected[i][k].second, 1e-9) << i << " " << k;
            }
        }
    }
}

TEST(RunlineGeometry, ParallelLinesBendOnTheBisectorOfAnLShapedRoute) {
    // East 100 m, then north 100 m: the corner's normal points to the north-west.
    const PolylinePoints route{{0, 0}, {100, 0}, {100, 100}};
    const auto lines = generateRunlines(route, runlineParameters("25", "50", false));
    ASSERT_EQ(lines.size(), 4u);
    const double h = 1 / std::sqrt(2.0);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const double o = (i < 2 ? 25 : 50) * (i % 2 == 0 ? 1 : -1);
        ASSERT_EQ(lines[i].size(), 3u);
        EXPECT_NEAR(lines[i][1].first, 100 - o * h, 1e-9) << i;
        EXPECT_NEAR(lines[i][1].second, o * h, 1e-9) << i;
        // The ends keep their own segment's normal.
        EXPECT_NEAR(lines[i][0].second, o, 1e-9);
        EXPECT_NEAR(lines[i][2].first, 100 - o, 1e-9);
    }
}

TEST(RunlineGeometry, SeriesStartAgainAtEveryVertexAndSkipShortSegments) {
    // 20 m east, a 0.5 mm step, 25 m north; spacing 10: stations 0, 10, 20 and 0, 10, 20.
    const PolylinePoints route{{0, 0}, {20, 0}, {20, 0.0005}, {20, 25.0005}};
    const auto lines = generateRunlines(route, runlineParameters("10", "5", true));
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_NEAR(lines[2][0].first, 20, 1e-9) << "the shared vertex gets the first segment's last line";
    EXPECT_NEAR(lines[3][0].second, 0.0005, 1e-9) << "and the third segment's first";
    EXPECT_NEAR(lines[3][0].first, 15, 1e-9) << "5 m to the left of north is west";
}

TEST(RunlineGeometry, FieldsThatAreNoLengthGiveTheDefaults) {
    struct Case {
        const char* spacing;
        const char* length;
        double spacingM, lengthM;
    };
    for (const Case& c : {Case{"0", "-3", 10, 100}, Case{"abc", "", 10, 100}, Case{" 2.5 ", "40", 2.5, 40},
                          Case{"2,5", "nan", 10, 100}, Case{"1e400", "inf", 10, 100}}) {
        const RunlineParameters p = runlineParameters(c.spacing, c.length, true);
        EXPECT_EQ(p.spacingM, c.spacingM) << c.spacing;
        EXPECT_EQ(p.lengthM, c.lengthM) << c.length;
    }
}

TEST(RunlineGeometry, CountsWithoutMakingTheLines) {
    const PolylinePoints route{{0, 0}, {1000, 0}};
    EXPECT_EQ(runlineCount(route, runlineParameters("0.001", "100", true)), 1000001u);
    EXPECT_EQ(runlineCount(route, runlineParameters("0.001", "1e9", false)), 2000000000000u);
    EXPECT_EQ(runlineCount({{0, 0}}, runlineParameters("10", "100", true)), 0u);
    EXPECT_TRUE(generateRunlines({{0, 0}}, runlineParameters("10", "100", false)).empty());
}

} // namespace
} // namespace selvir
