#include "processing/Contours.h"

#include <functional>
#include <gtest/gtest.h>
#include <random>

namespace selvir::processing {
namespace {

DepthGrid gridOf(int rows, int cols, double cellM, const std::function<double(double, double)>& depth) {
    DepthGrid g;
    g.westM = 300000;
    g.northM = 4500000;
    g.cellSizeM = cellM;
    g.rows = rows;
    g.cols = cols;
    g.depthM.resize(static_cast<std::size_t>(rows) * cols);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            g.depthM[g.index(r, c)] = static_cast<float>(depth(g.centreEastingM(c), g.centreNorthingM(r)));
        }
    }
    return g;
}

TEST(Contours, ContoursOfAPlaneAreStraightAtTheRightPlaces) {
    // Deepening 0.1 m per metre eastwards from 10 m at E 300000: level L lies on E 300000 + (L - 10) * 10.
    const DepthGrid g = gridOf(40, 60, 2.0, [](double e, double) { return 10.0 + 0.1 * (e - 300000); });
    const ContourResult result = contourGrid(g, 2.0);
    ASSERT_TRUE(result.error.empty());
    EXPECT_EQ(result.levels, (std::vector<double>{12, 14, 16, 18, 20}));
    ASSERT_EQ(result.lines.size(), 5u);
    for (std::size_t k = 0; k < result.lines.size(); ++k) {
        const ContourLine& line = result.lines[k];
        EXPECT_EQ(line.depthM, result.levels[k]);
        EXPECT_FALSE(line.closed);
        EXPECT_EQ(line.points.size(), 40u); // one point on every row of nodes
        const double expectedE = 300000 + (line.depthM - 10) * 10;
        double south = INFINITY, north = -INFINITY;
        for (const ContourPoint& p : line.points) {
            EXPECT_NEAR(p.eastingM, expectedE, 1e-3);
            south = std::min(south, p.northingM);
            north = std::max(north, p.northingM);
        }
        EXPECT_DOUBLE_EQ(north, g.centreNorthingM(0));
        EXPECT_DOUBLE_EQ(south, g.centreNorthingM(g.rows - 1));
    }
}

TEST(Contours, ClosedContoursOfAConeAreClosedRings) {
    // A shoal: 32 m deep far off, rising 0.5 m per metre of distance to 5 m on its top.
    const double ce = 300101, cn = 4499899;
    const DepthGrid g = gridOf(100, 100, 2.0, [&](double e, double n) {
        return std::min(32.0, 5.0 + 0.5 * std::hypot(e - ce, n - cn));
    });
    const ContourResult result = contourGrid(g, 5.0);
    ASSERT_TRUE(result.error.empty());
    std::vector<double> ringLevels;
    for (const ContourLine& line : result.lines) {
        ASSERT_TRUE(line.closed) << line.depthM;
        ASSERT_GE(line.points.size(), 8u);
        ringLevels.push_back(line.depthM);
        // On the circle of the level's radius, to the error of linear interpolation across a cell.
        const double radius = (line.depthM - 5.0) / 0.5;
        for (const ContourPoint& p : line.points) {
            EXPECT_NEAR(std::hypot(p.eastingM - ce, p.northingM - cn), radius, 0.1) << line.depthM;
        }
    }
    EXPECT_EQ(ringLevels, (std::vector<double>{10, 15, 20, 25, 30}));
}

// Whether segments p1-p2 and q1-q2 cross at a point inside both.
bool segmentsCross(const ContourPoint& p1, const ContourPoint& p2, const ContourPoint& q1,
                   const ContourPoint& q2) {
    const auto cross = [](const ContourPoint& o, const ContourPoint& a, const ContourPoint& b) {
        return (a.eastingM - o.eastingM) * (b.northingM - o.northingM) -
               (a.northingM - o.northingM) * (b.eastingM - o.eastingM);
    };
    const double d1 = cross(q1, q2, p1), d2 = cross(q1, q2, p2);
    const double d3 = cross(p1, p2, q1), d4 = cross(p1, p2, q2);
    return ((d1 > 1e-12 && d2 < -1e-12) || (d1 < -1e-12 && d2 > 1e-12)) &&
           ((d3 > 1e-12 && d4 < -1e-12) || (d3 < -1e-12 && d4 > 1e-12));
}

TEST(Contours, SaddlesAreResolvedSoNoContourCrossesAnotherOrItself) {
    // Random seabeds full of saddles, with holes of nodata.
    for (std::uint32_t seed = 1; seed <= 4; ++seed) {
        std::mt19937 random(seed);
        std::uniform_real_distribution<double> depth(5.0, 15.0);
        DepthGrid g = gridOf(14, 14, 1.0, [&](double, double) { return depth(random); });
        for (int k = 0; k < 10; ++k) {
            g.depthM[random() % g.depthM.size()] = NAN;
        }
        const ContourResult result = contourGrid(g, 0.5);
        ASSERT_TRUE(result.error.empty());
        std::vector<std::pair<ContourPoint, ContourPoint>> segments;
        std::vector<std::size_t> owner;
        for (std::size_t l = 0; l < result.lines.size(); ++l) {
            const auto& pts = result.lines[l].points;
            const std::size_t n = result.lines[l].closed ? pts.size() : pts.size() - 1;
            for (std::size_t i = 0; i < n; ++i) {
                segments.push_back({pts[i], pts[(i + 1) % pts.size()]});
                owner.push_back(l);
            }
        }
        ASSERT_GT(segments.size(), 500u);
        int crossings = 0;
        for (std::size_t a = 0; a < segments.size(); ++a) {
            for (std::size_t b = a + 1; b < segments.size(); ++b) {
                crossings += segmentsCross(segments[a].first, segments[a].second, segments[b].first,
                                           segments[b].second)
                                 ? 1
                                 : 0;
            }
        }
        EXPECT_EQ(crossings, 0) << "seed " << seed;
    }
}

TEST(Contours, LevelsOnlyWhereThereIsDataAndABadIntervalIsRefused) {
    DepthGrid g = gridOf(3, 3, 1.0, [](double e, double) { return e < 300001 ? 4.0 : 6.0; });
    EXPECT_EQ(contourGrid(g, 1.0).levels, (std::vector<double>{4, 5, 6}));
    EXPECT_EQ(contourGrid(g, 1.0).lines.size(), 2u); // 5 m between the columns, 6 m on the east ones' edge
    EXPECT_FALSE(contourGrid(g, 0.0).error.empty());
    EXPECT_NE(contourGrid(g, 1e-6).error.find("more than 10000 levels"), std::string::npos);
    for (float& v : g.depthM) {
        v = NAN;
    }
    EXPECT_TRUE(contourGrid(g, 1.0).lines.empty());
}

} // namespace
} // namespace selvir::processing
