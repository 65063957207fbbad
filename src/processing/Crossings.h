#pragma once
// Crossing analysis: where the track crosses itself, the depths sailed at two times are compared.
//
// The track is cut into segments joining consecutive usable soundings of one record (accepted, with a
// position and a depth on the reference; unusable ones in between are stepped over). Two segments give
// a crossing when
//   - they intersect properly (the shared sounding of two consecutive segments is no crossing, and
//     segments that share a sounding are never paired);
//   - their directions differ by at least kMinCrossingAngleDeg (the acute angle between them);
//   - the times at the crossing point, interpolated along each segment, are at least
//     kMinCrossingApartMs apart. This is what "a line with itself" means: the stretch of track sailed
//     within a minute of a point never counts against it (a loop, a tight turn, GNSS noise), while the
//     same line run again later, or a cross line, does;
//   - each segment's two soundings lie within kMaxNeighbourDistanceM of the crossing point (so no
//     segment longer than twice that takes part).
// The depth of each pass is interpolated linearly between its two soundings at the crossing point.
// Pass a is the earlier: difference = depth_a - depth_b.
//
// Segments are found through a uniform grid of kCrossingCellM cells (each segment in every cell its
// bounding box touches; a pair counts only in the cell holding its crossing point), so a day of
// soundings takes a fraction of a second, not the hours of testing all pairs.

#include "processing/Sounding.h"
#include "processing/SurveyOrder.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace selvir::processing {

inline constexpr double kMinCrossingAngleDeg = 30.0;
inline constexpr std::int64_t kMinCrossingApartMs = 60'000;
inline constexpr double kMaxNeighbourDistanceM = 2.0;
inline constexpr double kCrossingCellM = 8.0;

struct TrackPoint {
    double eastingM = 0;
    double northingM = 0;
    double depthM = 0; // on the reference, positive down
    std::int64_t timeMs = 0;
    std::size_t sounding = 0; // index of the sounding in the sequence it came from
};

struct TrackSegment {
    TrackPoint from;
    TrackPoint to;
    std::uint32_t track = 0; // the record it belongs to
};

// Cuts a sounding stream into segments as described above; the batch analysis and the live detector
// both build theirs with it, so they see the same segments.
class TrackSegmentBuilder {
public:
    explicit TrackSegmentBuilder(DepthReference reference) : reference_(reference) {}
    // The next sounding of the stream (`index` its place in it). Returns the segment it closes.
    std::optional<TrackSegment> add(const Sounding& sounding, std::size_t index, bool accepted);

private:
    DepthReference reference_;
    std::optional<TrackPoint> last_;
    std::uint32_t lastTrack_ = 0;
};

struct Crossing {
    double eastingM = 0; // the crossing point, grid metres
    double northingM = 0;
    std::int64_t timeAMs = 0; // when pass a (the earlier) went over it
    std::int64_t timeBMs = 0;
    double depthAM = 0; // interpolated depth of each pass, positive down
    double depthBM = 0;
    double angleDeg = 0;       // acute angle between the passes, 30..90
    std::size_t soundingA = 0; // the first sounding of each pass's segment
    std::size_t soundingB = 0;
    std::size_t olderSegment = 0; // segment indices, in the order they were built
    std::size_t newerSegment = 0;

    double differenceM() const { return depthAM - depthBM; }
    double meanDepthM() const { return (depthAM + depthBM) / 2; }
    bool withinTvu(SurveyOrder order) const;
    bool operator==(const Crossing&) const = default;
};

// The crossing of two segments (`older` built first), when the rules above make one.
std::optional<Crossing> crossingOf(const TrackSegment& older, std::size_t olderIndex,
                                   const TrackSegment& newer, std::size_t newerIndex);

// Every segment of a sounding sequence (`accepted` per sounding).
std::vector<TrackSegment> trackSegments(std::span<const Sounding> soundings,
                                        std::span<const std::uint8_t> accepted, DepthReference reference);

// Every crossing, ordered by the newer segment, then the older: the order the live detector finds them.
std::vector<Crossing> findCrossings(std::span<const TrackSegment> segments);
// The same by testing every pair: for checking and measuring only.
std::vector<Crossing> findCrossingsBruteForce(std::span<const TrackSegment> segments);

struct CrossingStatistics {
    std::size_t count = 0;
    double meanM = kNoValue;   // mean difference
    double stdM = kNoValue;    // sample standard deviation of the differences (0 for one crossing)
    double maxAbsM = kNoValue; // largest absolute difference
    std::size_t within = 0;    // crossings whose absolute difference is within the order's TVU
    double withinPercent = kNoValue;
    bool pass = false; // at least 95 % within; never with no crossing at all
};

inline constexpr double kPassPercent = 95.0;

// Running statistics of the crossings added, for every order at once.
class CrossingTally {
public:
    void add(const Crossing& crossing);
    CrossingStatistics statistics(SurveyOrder order) const;
    std::size_t count() const { return count_; }

private:
    std::size_t count_ = 0;
    double mean_ = 0;
    double sumSquares_ = 0; // of deviations from the mean (Welford)
    double maxAbs_ = 0;
    std::size_t within_[kSurveyOrderCount] = {};
};

CrossingStatistics crossingStatistics(std::span<const Crossing> crossings, SurveyOrder order);

} // namespace selvir::processing
