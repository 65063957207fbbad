#pragma once
// Automatic cleaning: a depth gate, a running median and a slope gate, run in that order over the
// soundings of each run (SurveyLines.h: one record, one line, no gap over 30 s). Each filter sees only
// the soundings the ones before it kept. A sounding the surveyor flagged by hand (accepted or rejected)
// is never assessed: its decision stands.
//
// Depths are taken on chooseDepthReference(): below the datum when the record has that term, else
// below the water line; the preview says which.
//
// - Depth gate: rejects a depth shallower than minM or deeper than maxM.
// - Running median: the median of the windowSoundings soundings centred on each one (shifted inwards at
//   the ends of a run, fewer when the run is shorter); rejects a depth more than thresholdM from it.
//   A run of spikes up to (windowSoundings - 1) / 2 soundings long is caught.
// - Slope gate: walks along the track from a trusted sounding (the median depth of the first five),
//   forwards to the end of the run and backwards to its start, and rejects a sounding whose depth
//   differs from the last kept one by more than maxSlope times the distance along track between them
//   (at least kSlopeMinimumDistanceM, so echo noise of a boat lying still is no slope). The kept sounding
//   stays the reference while soundings are rejected, so a spike is rejected whole and a real step of
//   the seabed is accepted again once the distance makes its slope small enough. Soundings without a
//   position are not assessed.

#include "processing/Sounding.h"
#include "processing/SoundingFlags.h"

#include <optional>
#include <vector>

namespace selvir::processing {

inline constexpr double kSlopeMinimumDistanceM = 1.0;

struct DepthGate {
    double minM = 0;
    double maxM = 0;
};

struct MedianFilterSettings {
    int windowSoundings = 0; // at least 3
    double thresholdM = 0;   // greater than 0
};

struct CleaningSettings {
    std::optional<DepthGate> gate;
    std::optional<MedianFilterSettings> median;
    std::optional<double> maxSlope; // metres of depth per metre along track, greater than 0
};

// An empty text when the settings can be used, else what is wrong with which parameter.
std::string checkCleaningSettings(const CleaningSettings& settings);

struct FilterCounts {
    FlagReason reason = FlagReason::Gate;
    std::size_t assessed = 0; // soundings the filter looked at
    std::size_t rejected = 0;
};

// What the filters would do, before anything changes.
struct CleaningPreview {
    DepthReference reference = DepthReference::WaterLine;
    std::size_t soundings = 0;
    std::size_t withoutDepth = 0;      // soundings without a depth on the reference: not assessed
    std::size_t manualDecisions = 0;   // soundings flagged by hand: left as they are
    std::vector<FilterCounts> filters; // in the order they ran
    std::vector<std::pair<std::size_t, FlagReason>> rejections; // index into the soundings, in order
};

CleaningPreview previewCleaning(std::span<const Sounding> soundings, const FlagSet& flags,
                                const CleaningSettings& settings);

// The edit that makes the flags what the preview says: its rejections, every earlier automatic flag
// that it does not repeat removed, the manual ones kept.
FlagEdit cleaningEdit(std::span<const Sounding> soundings, const FlagSet& flags,
                      const CleaningPreview& preview);

// The filters one at a time, on a depth per sounding (NaN: not assessed) and the soundings still in play.
// Each returns the indices it rejects, in order.
std::vector<std::size_t> depthGateRejections(std::span<const double> depthM,
                                             std::span<const std::uint8_t> inPlay, const DepthGate& gate);
std::vector<std::size_t> medianRejections(std::span<const Sounding> soundings, std::span<const double> depthM,
                                          std::span<const std::uint8_t> inPlay,
                                          const MedianFilterSettings& settings);
std::vector<std::size_t> slopeRejections(std::span<const Sounding> soundings, std::span<const double> depthM,
                                         std::span<const std::uint8_t> inPlay, double maxSlope);

} // namespace selvir::processing
