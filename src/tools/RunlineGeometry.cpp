#include "tools/RunlineGeometry.h"

#include "core/NumberFormat.h"

#include <algorithm>
#include <cmath>

namespace selvir {
namespace {

constexpr double kStationSlackM = 1e-6;

// The unit normal (-dy, dx) / L of the segment a..b; zero for a segment under 1 mm.
std::pair<double, double> unitNormal(const std::pair<double, double>& a, const std::pair<double, double>& b) {
    const double dx = b.first - a.first, dy = b.second - a.second;
    const double length = std::hypot(dx, dy);
    if (length < kShortestRouteSegmentM) {
        return {0, 0};
    }
    return {-dy / length, dx / length};
}

// How many multiples k * spacing (k = 1, 2, ...) lie within `reach`, taking one within a micrometre
// beyond it as on it: a route 100 m long measures 99.99999999999999 m on a diagonal, and 3.3 / 1.1 is
// 2.9999999999999996; neither may lose its last line.
std::size_t multiplesWithin(double reach, double spacingM) {
    const double slackReach = reach + kStationSlackM;
    const double steps = std::floor(slackReach / spacingM);
    std::size_t count = static_cast<std::size_t>(std::clamp(steps, 0.0, 1e12));
    // The quotient may round across a whole number: keep exactly the multiples within reach (k * spacing,
    // not a running sum, so a long series does not drift).
    while (count > 0 && static_cast<double>(count) * spacingM > slackReach) {
        --count;
    }
    if (static_cast<double>(count + 1) * spacingM <= slackReach) {
        ++count;
    }
    return count;
}

// The series of one segment: s = k * spacing while s <= L, s = 0 included.
std::size_t crossLinesOfSegment(double segmentLengthM, double spacingM) {
    if (segmentLengthM < kShortestRouteSegmentM) {
        return 0;
    }
    return multiplesWithin(segmentLengthM, spacingM) + 1;
}

// Offsets t * spacing for t = 1 ... while within the length, with the cross lines' tolerance.
std::size_t parallelPairs(const RunlineParameters& p) {
    return multiplesWithin(p.lengthM, p.spacingM);
}

} // namespace

double runlineFieldValue(std::string_view text, double fallback) {
    return parseFiniteDouble(text).value_or(fallback);
}

RunlineParameters runlineParameters(std::string_view spacingText, std::string_view lengthText,
                                    bool perpendicular) {
    RunlineParameters p;
    p.spacingM = runlineFieldValue(spacingText, kDefaultRunlineSpacingM);
    p.lengthM = runlineFieldValue(lengthText, kDefaultRunlineLengthM);
    if (p.spacingM <= 0) {
        p.spacingM = kDefaultRunlineSpacingM;
    }
    if (p.lengthM <= 0) {
        p.lengthM = kDefaultRunlineLengthM;
    }
    p.perpendicular = perpendicular;
    return p;
}

std::size_t runlineCount(const PolylinePoints& route, const RunlineParameters& parameters) {
    if (route.size() < 2) {
        return 0;
    }
    if (!parameters.perpendicular) {
        return 2 * parallelPairs(parameters);
    }
    std::size_t count = 0;
    for (std::size_t k = 0; k + 1 < route.size(); ++k) {
        const double length =
            std::hypot(route[k + 1].first - route[k].first, route[k + 1].second - route[k].second);
        count += crossLinesOfSegment(length, parameters.spacingM);
    }
    return count;
}

PolylinePoints vertexNormals(const PolylinePoints& route) {
    PolylinePoints normals(route.size(), {0, 0});
    if (route.size() < 2) {
        return normals;
    }
    const std::size_t last = route.size() - 1;
    normals[0] = unitNormal(route[0], route[1]);
    normals[last] = unitNormal(route[last - 1], route[last]);
    for (std::size_t i = 1; i < last; ++i) {
        const auto before = unitNormal(route[i - 1], route[i]);
        const auto after = unitNormal(route[i], route[i + 1]);
        double nx = (before.first + after.first) / 2, ny = (before.second + after.second) / 2;
        const double length = std::hypot(nx, ny);
        if (length >= kShortestRouteSegmentM) {
            nx /= length;
            ny /= length;
        }
        normals[i] = {nx, ny};
    }
    return normals;
}

std::vector<PolylinePoints> generateRunlines(const PolylinePoints& route, const RunlineParameters& p) {
    std::vector<PolylinePoints> lines;
    if (route.size() < 2) {
        return lines;
    }
    if (p.perpendicular) {
        for (std::size_t k = 0; k + 1 < route.size(); ++k) {
            const auto& a = route[k];
            const auto& b = route[k + 1];
            const double dx = b.first - a.first, dy = b.second - a.second;
            const double length = std::hypot(dx, dy);
            const std::size_t count = crossLinesOfSegment(length, p.spacingM);
            const double nx = -dy / length, ny = dx / length;
            for (std::size_t i = 0; i < count; ++i) {
                const double s = static_cast<double>(i) * p.spacingM;
                const double cx = a.first + s / length * dx, cy = a.second + s / length * dy;
                lines.push_back(
                    {{cx + p.lengthM * nx, cy + p.lengthM * ny}, {cx - p.lengthM * nx, cy - p.lengthM * ny}});
            }
        }
        return lines;
    }
    const PolylinePoints normals = vertexNormals(route);
    const std::size_t pairs = parallelPairs(p);
    for (std::size_t t = 1; t <= pairs; ++t) {
        const double offset = static_cast<double>(t) * p.spacingM;
        PolylinePoints left, right;
        left.reserve(route.size());
        right.reserve(route.size());
        for (std::size_t i = 0; i < route.size(); ++i) {
            const auto& [x, y] = route[i];
            const auto& [nx, ny] = normals[i];
            left.emplace_back(x + offset * nx, y + offset * ny);
            right.emplace_back(x - offset * nx, y - offset * ny);
        }
        lines.push_back(std::move(left));
        lines.push_back(std::move(right));
    }
    return lines;
}

} // namespace selvir
