#include "processing/LiveCrossings.h"

#include "processing/CrossingCells.h"

#include <algorithm>

namespace selvir::processing {

// Buckets for a day's cells from the start, so no sounding pays for rehashing them all.
constexpr std::size_t kExpectedCells = 1 << 17;

LiveCrossingDetector::LiveCrossingDetector(DepthReference reference) : builder_(reference) {
    cells_.reserve(kExpectedCells);
}

std::span<const Crossing> LiveCrossingDetector::add(const Sounding& sounding, bool accepted) {
    const std::size_t firstNew = crossings_.size();
    const std::optional<TrackSegment> segment = builder_.add(sounding, fed_++, accepted);
    if (!segment) {
        return {};
    }
    const auto index = static_cast<std::uint32_t>(segments_.size());
    segments_.push_back(*segment);
    seenStamp_.push_back(0);
    // Every earlier segment sharing a cell with the new one, once each, oldest first.
    candidates_.clear();
    eachCellOf(*segment, [&](std::uint64_t cell) {
        auto& members = cells_[cell];
        for (const std::uint32_t older : members) {
            if (seenStamp_[older] != index + 1ull) {
                seenStamp_[older] = index + 1ull;
                candidates_.push_back(older);
            }
        }
        members.push_back(index);
    });
    std::sort(candidates_.begin(), candidates_.end());
    for (const std::uint32_t older : candidates_) {
        if (auto c = crossingOf(segments_[older], older, segments_[index], index)) {
            crossings_.push_back(*c);
            tally_.add(*c);
        }
    }
    return std::span<const Crossing>(crossings_).subspan(firstNew);
}

} // namespace selvir::processing
