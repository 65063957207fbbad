#include "navigation/LineGeometry.h"

#include "geodesy/Angles.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace selvir {
namespace {

constexpr double kEqualDistanceM = 0.001;
constexpr double kSameOffsetM = 0.0001;

double segmentLength(const GridPoint& a, const GridPoint& b) {
    return std::hypot(b.x - a.x, b.y - a.y);
}

} // namespace

double lineLengthM(const GridLine& line) {
    double length = 0;
    for (std::size_t i = 1; i < line.size(); ++i) {
        length += segmentLength(line[i - 1], line[i]);
    }
    return length;
}

LineFix fixOnLine(const GridLine& line, GridPoint p) {
    LineFix fix;
    fix.lengthM = lineLengthM(line);
    // The first and last segments that have a direction: there the line runs on beyond its ends.
    std::size_t first = line.size(), last = line.size();
    for (std::size_t i = 0; i + 1 < line.size(); ++i) {
        if (segmentLength(line[i], line[i + 1]) >= kShortestLineSegmentM) {
            if (first == line.size()) {
                first = i;
            }
            last = i;
        }
    }
    if (first == line.size()) {
        return fix;
    }
    double bestDistance = std::numeric_limits<double>::infinity();
    double before = 0; // length of the segments before segment i
    for (std::size_t i = 0; i + 1 < line.size(); ++i) {
        const GridPoint& a = line[i];
        const GridPoint& b = line[i + 1];
        const double length = segmentLength(a, b);
        if (length >= kShortestLineSegmentM) {
            const double ux = (b.x - a.x) / length, uy = (b.y - a.y) / length;
            const double rx = p.x - a.x, ry = p.y - a.y;
            double t = rx * ux + ry * uy;
            if (i != first) {
                t = std::max(t, 0.0);
            }
            if (i != last) {
                t = std::min(t, length);
            }
            const double dx = rx - t * ux, dy = ry - t * uy;
            const double distance = std::hypot(dx, dy);
            // Later segments win ties, so only a clearly nearer earlier one keeps its place.
            if (distance <= bestDistance + kEqualDistanceM) {
                bestDistance = std::min(distance, bestDistance);
                // The cross product of the direction and the position: negative is to the right of
                // the direction, starboard.
                const double side = ux * ry - uy * rx;
                fix.valid = true;
                fix.segment = i;
                fix.crossTrackM = side < 0 ? distance : -distance;
                fix.alongM = before + t;
                fix.bearingDeg = gridBearingDeg(ux, uy);
            }
        }
        before += length;
    }
    fix.toGoM = fix.lengthM - fix.alongM;
    return fix;
}

double distanceToLineM(const GridLine& line, GridPoint p) {
    if (line.empty()) {
        return std::numeric_limits<double>::infinity();
    }
    double best = std::hypot(p.x - line[0].x, p.y - line[0].y);
    for (std::size_t i = 0; i + 1 < line.size(); ++i) {
        const GridPoint& a = line[i];
        const GridPoint& b = line[i + 1];
        const double dx = b.x - a.x, dy = b.y - a.y;
        const double lengthSquared = dx * dx + dy * dy;
        double t = lengthSquared > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared : 0;
        t = std::clamp(t, 0.0, 1.0);
        best = std::min(best, std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy)));
    }
    return best;
}

GridPoint pointAlongLine(const GridLine& line, double alongM) {
    if (line.empty()) {
        return {};
    }
    double remaining = std::max(alongM, 0.0);
    for (std::size_t i = 0; i + 1 < line.size(); ++i) {
        const double length = segmentLength(line[i], line[i + 1]);
        if (remaining <= length && length > 0) {
            const double f = remaining / length;
            return {line[i].x + f * (line[i + 1].x - line[i].x), line[i].y + f * (line[i + 1].y - line[i].y)};
        }
        remaining -= length;
    }
    return line.back();
}

double angleDifferenceDeg(double aDeg, double bDeg) {
    double d = std::fmod(aDeg - bDeg, 360.0);
    if (d <= -180) {
        d += 360;
    } else if (d > 180) {
        d -= 360;
    }
    return d;
}

std::vector<std::size_t> sailingOrder(const std::vector<GridLine>& lines) {
    std::vector<std::size_t> order(lines.size());
    std::iota(order.begin(), order.end(), 0);
    if (lines.size() < 2) {
        return order;
    }
    struct Key {
        long long offsetSteps = 0; // offsets in steps of 0.1 mm: nearly equal offsets count as one
        double stationM = 0;
    };
    std::vector<Key> keys(lines.size());
    const GridLine& reference = lines[0];
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const GridPoint middle = pointAlongLine(lines[i], lineLengthM(lines[i]) / 2);
        const LineFix fix = fixOnLine(reference, middle);
        if (fix.valid) {
            keys[i] = {std::llround(fix.crossTrackM / kSameOffsetM), fix.alongM};
        }
    }
    std::stable_sort(order.begin(), order.end(), [&keys](std::size_t a, std::size_t b) {
        if (keys[a].offsetSteps != keys[b].offsetSteps) {
            return keys[a].offsetSteps < keys[b].offsetSteps;
        }
        return keys[a].stationM < keys[b].stationM;
    });
    return order;
}

} // namespace selvir
