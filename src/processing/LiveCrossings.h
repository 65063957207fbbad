#pragma once
// Crossings found while the survey runs: fed one sounding at a time, in the order they are recorded,
// the detector finds each crossing the moment its second pass is sailed, with the same rules and the
// same segments as the analysis after the survey (Crossings.h), and keeps the running statistics.
// Each sounding costs a look into the few grid cells its segment touches, however long the day.

#include "processing/Crossings.h"

#include <deque>
#include <unordered_map>
#include <vector>

namespace selvir::processing {

class LiveCrossingDetector {
public:
    explicit LiveCrossingDetector(DepthReference reference);

    // The next sounding of the survey. `accepted`: false for one rejected as it came (it then joins no
    // segment). Returns the crossings it completes (valid until the next call), ordered as the batch
    // analysis orders them.
    std::span<const Crossing> add(const Sounding& sounding, bool accepted = true);

    const std::vector<Crossing>& crossings() const { return crossings_; }
    const CrossingTally& tally() const { return tally_; }
    CrossingStatistics statistics(SurveyOrder order) const { return tally_.statistics(order); }
    std::size_t soundings() const { return fed_; }

private:
    TrackSegmentBuilder builder_;
    // Deques: a vector's growth would copy a day of segments inside one sounding's time.
    std::deque<TrackSegment> segments_;
    std::deque<std::uint64_t> seenStamp_; // per segment: the last add() that tested it
    std::unordered_map<std::uint64_t, std::vector<std::uint32_t>> cells_;
    std::vector<Crossing> crossings_;
    std::vector<std::uint32_t> candidates_;
    CrossingTally tally_;
    std::size_t fed_ = 0;
};

} // namespace selvir::processing
