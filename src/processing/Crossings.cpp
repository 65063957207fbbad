#include "processing/Crossings.h"

#include "processing/CrossingCells.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace selvir::processing {
namespace {

constexpr double kMaxSegmentM = 2 * kMaxNeighbourDistanceM;

// Twice the signed area of (a, b, c): positive when c lies to the left of a -> b.
double orientation(const TrackPoint& a, const TrackPoint& b, const TrackPoint& c) {
    return (b.eastingM - a.eastingM) * (c.northingM - a.northingM) -
           (b.northingM - a.northingM) * (c.eastingM - a.eastingM);
}

// A point exactly on the other segment's line counts as lying to its right. Each point is classified
// the same way for both segments that share it, so a track passing through a vertex of another track
// crosses once, never twice or not at all.
bool leftOf(double orientationValue) {
    return orientationValue > 0;
}

double interpolate(double a, double b, double t) {
    return a + t * (b - a);
}

// The greatest time apart the two segments can be at any of their points.
std::int64_t mostApartMs(const TrackSegment& a, const TrackSegment& b) {
    const std::int64_t a0 = std::min(a.from.timeMs, a.to.timeMs);
    const std::int64_t a1 = std::max(a.from.timeMs, a.to.timeMs);
    const std::int64_t b0 = std::min(b.from.timeMs, b.to.timeMs);
    const std::int64_t b1 = std::max(b.from.timeMs, b.to.timeMs);
    return std::max(a1 - b0, b1 - a0);
}

// The one cell that reports a pair: the cell of the crossing point, held inside the cells both segments
// touch (a rounded crossing point may fall a hair outside a segment's box).
std::uint64_t homeCell(const TrackSegment& a, const TrackSegment& b, const Crossing& c) {
    const CellRange ra = cellsOf(a);
    const CellRange rb = cellsOf(b);
    const std::int64_t x =
        std::clamp(crossingCellIndex(c.eastingM), std::max(ra.x0, rb.x0), std::min(ra.x1, rb.x1));
    const std::int64_t y =
        std::clamp(crossingCellIndex(c.northingM), std::max(ra.y0, rb.y0), std::min(ra.y1, rb.y1));
    return crossingCellKey(x, y);
}

bool newerFirst(const Crossing& a, const Crossing& b) {
    return a.newerSegment != b.newerSegment ? a.newerSegment < b.newerSegment
                                            : a.olderSegment < b.olderSegment;
}

} // namespace

std::optional<TrackSegment> TrackSegmentBuilder::add(const Sounding& s, std::size_t index, bool accepted) {
    const double depth = depthOn(s, reference_);
    if (!accepted || !s.hasPosition() || !std::isfinite(depth)) {
        return std::nullopt;
    }
    const TrackPoint point{s.eastingM, s.northingM, depth, s.key.timeMs, index};
    std::optional<TrackSegment> segment;
    if (last_ && lastTrack_ == s.file) {
        const double length =
            std::hypot(point.eastingM - last_->eastingM, point.northingM - last_->northingM);
        if (length > 0 && length <= kMaxSegmentM) {
            segment = TrackSegment{*last_, point, s.file};
        }
    }
    last_ = point;
    lastTrack_ = s.file;
    return segment;
}

bool Crossing::withinTvu(SurveyOrder order) const {
    return std::abs(differenceM()) <= tvuM(order, meanDepthM());
}

std::optional<Crossing> crossingOf(const TrackSegment& older, std::size_t olderIndex,
                                   const TrackSegment& newer, std::size_t newerIndex) {
    const TrackSegment& p = older;
    const TrackSegment& q = newer;
    if (p.track == q.track && (p.from.sounding == q.from.sounding || p.from.sounding == q.to.sounding ||
                               p.to.sounding == q.from.sounding || p.to.sounding == q.to.sounding)) {
        return std::nullopt;
    }
    if (mostApartMs(p, q) < kMinCrossingApartMs) {
        return std::nullopt;
    }
    const double q0 = orientation(p.from, p.to, q.from);
    const double q1 = orientation(p.from, p.to, q.to);
    if (leftOf(q0) == leftOf(q1)) {
        return std::nullopt;
    }
    const double p0 = orientation(q.from, q.to, p.from);
    const double p1 = orientation(q.from, q.to, p.to);
    if (leftOf(p0) == leftOf(p1)) {
        return std::nullopt;
    }
    const double t = p0 / (p0 - p1); // along p
    const double u = q0 / (q0 - q1); // along q
    Crossing c;
    c.eastingM = interpolate(p.from.eastingM, p.to.eastingM, t);
    c.northingM = interpolate(p.from.northingM, p.to.northingM, t);
    const auto near = [&](const TrackPoint& end) {
        return std::hypot(end.eastingM - c.eastingM, end.northingM - c.northingM) <= kMaxNeighbourDistanceM;
    };
    if (!near(p.from) || !near(p.to) || !near(q.from) || !near(q.to)) {
        return std::nullopt;
    }
    const double pe = p.to.eastingM - p.from.eastingM;
    const double pn = p.to.northingM - p.from.northingM;
    const double qe = q.to.eastingM - q.from.eastingM;
    const double qn = q.to.northingM - q.from.northingM;
    c.angleDeg =
        std::atan2(std::abs(pe * qn - pn * qe), std::abs(pe * qe + pn * qn)) * 180.0 / std::numbers::pi;
    if (c.angleDeg < kMinCrossingAngleDeg) {
        return std::nullopt;
    }
    const auto timeP = static_cast<std::int64_t>(
        std::llround(interpolate(static_cast<double>(p.from.timeMs), static_cast<double>(p.to.timeMs), t)));
    const auto timeQ = static_cast<std::int64_t>(
        std::llround(interpolate(static_cast<double>(q.from.timeMs), static_cast<double>(q.to.timeMs), u)));
    if (std::llabs(timeP - timeQ) < kMinCrossingApartMs) {
        return std::nullopt;
    }
    const double depthP = interpolate(p.from.depthM, p.to.depthM, t);
    const double depthQ = interpolate(q.from.depthM, q.to.depthM, u);
    const bool pFirst = timeP <= timeQ;
    c.timeAMs = pFirst ? timeP : timeQ;
    c.timeBMs = pFirst ? timeQ : timeP;
    c.depthAM = pFirst ? depthP : depthQ;
    c.depthBM = pFirst ? depthQ : depthP;
    c.soundingA = pFirst ? p.from.sounding : q.from.sounding;
    c.soundingB = pFirst ? q.from.sounding : p.from.sounding;
    c.olderSegment = olderIndex;
    c.newerSegment = newerIndex;
    return c;
}

std::vector<TrackSegment> trackSegments(std::span<const Sounding> soundings,
                                        std::span<const std::uint8_t> accepted, DepthReference reference) {
    std::vector<TrackSegment> segments;
    TrackSegmentBuilder builder(reference);
    for (std::size_t i = 0; i < soundings.size(); ++i) {
        if (auto segment = builder.add(soundings[i], i, accepted[i] != 0)) {
            segments.push_back(*segment);
        }
    }
    return segments;
}

std::vector<Crossing> findCrossings(std::span<const TrackSegment> segments) {
    struct Entry {
        std::uint64_t cell;
        std::uint32_t segment;
        bool operator<(const Entry& o) const { return cell != o.cell ? cell < o.cell : segment < o.segment; }
    };
    std::vector<Entry> entries;
    entries.reserve(segments.size() * 2);
    for (std::size_t i = 0; i < segments.size(); ++i) {
        eachCellOf(segments[i], [&](std::uint64_t cell) {
            entries.push_back({cell, static_cast<std::uint32_t>(i)});
        });
    }
    std::sort(entries.begin(), entries.end());
    std::vector<Crossing> crossings;
    for (std::size_t begin = 0; begin < entries.size();) {
        std::size_t end = begin + 1;
        while (end < entries.size() && entries[end].cell == entries[begin].cell) {
            ++end;
        }
        for (std::size_t a = begin; a + 1 < end; ++a) {
            for (std::size_t b = a + 1; b < end; ++b) {
                const std::uint32_t older = entries[a].segment;
                const std::uint32_t newer = entries[b].segment;
                auto c = crossingOf(segments[older], older, segments[newer], newer);
                if (c && homeCell(segments[older], segments[newer], *c) == entries[begin].cell) {
                    crossings.push_back(*c);
                }
            }
        }
        begin = end;
    }
    std::sort(crossings.begin(), crossings.end(), newerFirst);
    return crossings;
}

std::vector<Crossing> findCrossingsBruteForce(std::span<const TrackSegment> segments) {
    std::vector<Crossing> crossings;
    for (std::size_t newer = 1; newer < segments.size(); ++newer) {
        for (std::size_t older = 0; older < newer; ++older) {
            if (auto c = crossingOf(segments[older], older, segments[newer], newer)) {
                crossings.push_back(*c);
            }
        }
    }
    return crossings;
}

void CrossingTally::add(const Crossing& crossing) {
    const double d = crossing.differenceM();
    ++count_;
    const double delta = d - mean_;
    mean_ += delta / static_cast<double>(count_);
    sumSquares_ += delta * (d - mean_);
    maxAbs_ = std::max(maxAbs_, std::abs(d));
    for (int order = 0; order < kSurveyOrderCount; ++order) {
        within_[order] += crossing.withinTvu(static_cast<SurveyOrder>(order)) ? 1 : 0;
    }
}

CrossingStatistics CrossingTally::statistics(SurveyOrder order) const {
    CrossingStatistics s;
    s.count = count_;
    if (count_ == 0) {
        return s;
    }
    s.meanM = mean_;
    s.stdM = count_ > 1 ? std::sqrt(sumSquares_ / static_cast<double>(count_ - 1)) : 0.0;
    s.maxAbsM = maxAbs_;
    s.within = within_[static_cast<int>(order)];
    s.withinPercent = 100.0 * static_cast<double>(s.within) / static_cast<double>(count_);
    // Whole numbers compared, so 95 % exactly passes whatever the rounding of the percentage.
    s.pass = s.within * 100 >= count_ * static_cast<std::size_t>(kPassPercent);
    return s;
}

CrossingStatistics crossingStatistics(std::span<const Crossing> crossings, SurveyOrder order) {
    CrossingTally tally;
    for (const Crossing& c : crossings) {
        tally.add(c);
    }
    return tally.statistics(order);
}

} // namespace selvir::processing
