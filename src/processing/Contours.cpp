#include "processing/Contours.h"

#include "core/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace selvir::processing {
namespace {

// Corner bits of a square: top left, top right, bottom right, bottom left (north up).
constexpr int kTL = 8, kTR = 4, kBR = 2, kBL = 1;
enum Side : std::uint8_t { kTop, kRight, kBottom, kLeft, kNone };

struct SidePair {
    Side a, b;
};

// The one or two segments of each case; saddles (5, 10) twice: [0] when the middle is deep.
constexpr SidePair kCases[16][2] = {
    {{kNone, kNone}, {kNone, kNone}},    // 0
    {{kLeft, kBottom}, {kNone, kNone}},  // 1  BL
    {{kBottom, kRight}, {kNone, kNone}}, // 2  BR
    {{kLeft, kRight}, {kNone, kNone}},   // 3  BL BR
    {{kTop, kRight}, {kNone, kNone}},    // 4  TR
    {{kLeft, kTop}, {kBottom, kRight}},  // 5  TR BL, deep middle joins them
    {{kTop, kBottom}, {kNone, kNone}},   // 6  TR BR
    {{kLeft, kTop}, {kNone, kNone}},     // 7  all but TL
    {{kLeft, kTop}, {kNone, kNone}},     // 8  TL
    {{kTop, kBottom}, {kNone, kNone}},   // 9  TL BL
    {{kTop, kRight}, {kLeft, kBottom}},  // 10 TL BR, deep middle joins them
    {{kTop, kRight}, {kNone, kNone}},    // 11 all but TR
    {{kLeft, kRight}, {kNone, kNone}},   // 12 TL TR
    {{kBottom, kRight}, {kNone, kNone}}, // 13 all but BR
    {{kLeft, kBottom}, {kNone, kNone}},  // 14 all but BL
    {{kNone, kNone}, {kNone, kNone}},    // 15
};
// Saddles with a shallow middle: the other diagonal is joined.
constexpr SidePair kShallowSaddle5[2] = {{kTop, kRight}, {kLeft, kBottom}};
constexpr SidePair kShallowSaddle10[2] = {{kLeft, kTop}, {kBottom, kRight}};

// An endpoint: the level and the grid edge it lies on. Edge 2 * node is the edge east of the node,
// 2 * node + 1 the edge south of it.
struct Segment {
    std::uint64_t end[2];
};

class Tracer {
public:
    Tracer(const DepthGrid& grid, const std::vector<double>& levels)
        : grid_(grid), levels_(levels), edges_(2ull * grid.rows * grid.cols) {}

    void traceSquare(int r, int c, std::size_t firstLevel, std::size_t lastLevel) {
        const double tl = value(r, c), tr = value(r, c + 1), br = value(r + 1, c + 1), bl = value(r + 1, c);
        for (std::size_t li = firstLevel; li <= lastLevel; ++li) {
            const double level = levels_[li];
            const int code = (tl >= level ? kTL : 0) | (tr >= level ? kTR : 0) | (br >= level ? kBR : 0) |
                             (bl >= level ? kBL : 0);
            const SidePair* pairs = kCases[code];
            if (code == 5 || code == 10) {
                const bool deepMiddle = (tl + tr + br + bl) / 4 >= level;
                if (!deepMiddle) {
                    pairs = code == 5 ? kShallowSaddle5 : kShallowSaddle10;
                }
            }
            for (int k = 0; k < 2 && pairs[k].a != kNone; ++k) {
                segments_.push_back({{key(li, r, c, pairs[k].a), key(li, r, c, pairs[k].b)}});
            }
        }
    }

    std::vector<ContourLine> join() const {
        // Endpoints sorted by key: the two ends that share an edge of one level meet.
        std::vector<std::pair<std::uint64_t, std::uint32_t>> ends;
        ends.reserve(segments_.size() * 2);
        for (std::size_t s = 0; s < segments_.size(); ++s) {
            ends.emplace_back(segments_[s].end[0], static_cast<std::uint32_t>(2 * s));
            ends.emplace_back(segments_[s].end[1], static_cast<std::uint32_t>(2 * s + 1));
        }
        std::sort(ends.begin(), ends.end());
        constexpr std::uint32_t kOpen = UINT32_MAX;
        std::vector<std::uint32_t> partner(ends.size(), kOpen);
        for (std::size_t i = 0; i + 1 < ends.size(); ++i) {
            if (ends[i].first == ends[i + 1].first) {
                partner[ends[i].second] = ends[i + 1].second;
                partner[ends[i + 1].second] = ends[i].second;
                ++i;
            }
        }
        std::vector<std::uint8_t> used(segments_.size(), 0);
        std::vector<ContourLine> lines;
        const auto walk = [&](std::uint32_t startEnd) {
            ContourLine line;
            line.depthM = levels_[segments_[startEnd / 2].end[0] / edges_];
            line.points.push_back(point(segments_[startEnd / 2].end[startEnd % 2]));
            std::uint32_t at = startEnd;
            while (true) {
                const std::uint32_t segment = at / 2;
                used[segment] = 1;
                const std::uint32_t out = at ^ 1u;
                const std::uint32_t next = partner[out];
                if (next == kOpen) {
                    line.points.push_back(point(segments_[segment].end[out % 2]));
                    break;
                }
                if (used[next / 2]) {
                    line.closed = true; // back at the start
                    break;
                }
                line.points.push_back(point(segments_[segment].end[out % 2]));
                at = next;
            }
            lines.push_back(std::move(line));
        };
        for (std::uint32_t s = 0; s < segments_.size(); ++s) {
            for (std::uint32_t e = 0; e < 2; ++e) {
                if (!used[s] && partner[2 * s + e] == kOpen) {
                    walk(2 * s + e);
                }
            }
        }
        for (std::uint32_t s = 0; s < segments_.size(); ++s) {
            if (!used[s]) {
                walk(2 * s);
            }
        }
        std::stable_sort(lines.begin(), lines.end(),
                         [](const ContourLine& a, const ContourLine& b) { return a.depthM < b.depthM; });
        return lines;
    }

private:
    double value(int r, int c) const { return grid_.depthM[grid_.index(r, c)]; }

    std::uint64_t key(std::size_t level, int r, int c, Side side) const {
        std::uint64_t edge = 0;
        switch (side) {
        case kTop:
            edge = 2 * grid_.index(r, c);
            break;
        case kBottom:
            edge = 2 * grid_.index(r + 1, c);
            break;
        case kLeft:
            edge = 2 * grid_.index(r, c) + 1;
            break;
        default:
            edge = 2 * grid_.index(r, c + 1) + 1;
            break;
        }
        return level * edges_ + edge;
    }

    ContourPoint point(std::uint64_t key) const {
        const double level = levels_[key / edges_];
        const std::uint64_t edge = key % edges_;
        const std::size_t node = edge / 2;
        const int r = static_cast<int>(node / grid_.cols);
        const int c = static_cast<int>(node % grid_.cols);
        const int r2 = edge % 2 == 1 ? r + 1 : r;
        const int c2 = edge % 2 == 1 ? c : c + 1;
        const double va = value(r, c);
        const double vb = value(r2, c2);
        const double t = (level - va) / (vb - va);
        const double e = grid_.centreEastingM(c), n = grid_.centreNorthingM(r);
        return {e + t * (grid_.centreEastingM(c2) - e), n + t * (grid_.centreNorthingM(r2) - n)};
    }

    const DepthGrid& grid_;
    const std::vector<double>& levels_;
    std::uint64_t edges_;
    std::vector<Segment> segments_;
};

} // namespace

ContourResult contourGrid(const DepthGrid& grid, double intervalM) {
    ContourResult result;
    if (!(std::isfinite(intervalM) && intervalM > 0)) {
        result.error = "the contour interval must be a number of metres above 0";
        return result;
    }
    double low = INFINITY, high = -INFINITY;
    for (const float v : grid.depthM) {
        if (std::isfinite(v)) {
            low = std::min(low, static_cast<double>(v));
            high = std::max(high, static_cast<double>(v));
        }
    }
    if (!(low <= high) || grid.rows < 2 || grid.cols < 2) {
        return result; // no data, or no square to trace
    }
    const double firstK = std::ceil(low / intervalM);
    const double lastK = std::floor(high / intervalM);
    if (lastK - firstK + 1 > static_cast<double>(kMaxContourLevels)) {
        result.error = "an interval of " + formatGeneral(intervalM) + " m gives more than " +
                       std::to_string(kMaxContourLevels) + " levels between " + formatFixed(low, 2) +
                       " and " + formatFixed(high, 2) + " m";
        return result;
    }
    for (double k = firstK; k <= lastK; ++k) {
        result.levels.push_back(k * intervalM);
    }
    if (result.levels.empty()) {
        return result;
    }
    Tracer tracer(grid, result.levels);
    const auto levelIndex = [&](double depth) { return std::floor(depth / intervalM) - firstK; };
    for (int r = 0; r + 1 < grid.rows; ++r) {
        for (int c = 0; c + 1 < grid.cols; ++c) {
            const double v[4] = {grid.depthM[grid.index(r, c)], grid.depthM[grid.index(r, c + 1)],
                                 grid.depthM[grid.index(r + 1, c + 1)], grid.depthM[grid.index(r + 1, c)]};
            if (!std::isfinite(v[0]) || !std::isfinite(v[1]) || !std::isfinite(v[2]) ||
                !std::isfinite(v[3])) {
                continue;
            }
            const double lo = std::min({v[0], v[1], v[2], v[3]});
            const double hi = std::max({v[0], v[1], v[2], v[3]});
            // The levels between the corners, one more at each end against rounding of the division:
            // a level beyond every corner makes no segment.
            const double first = std::max(0.0, levelIndex(lo));
            const double last = std::min(levelIndex(hi) + 1, static_cast<double>(result.levels.size() - 1));
            if (first <= last) {
                tracer.traceSquare(r, c, static_cast<std::size_t>(first), static_cast<std::size_t>(last));
            }
        }
    }
    result.lines = tracer.join();
    return result;
}

} // namespace selvir::processing
