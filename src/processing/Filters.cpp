#include "processing/Filters.h"

#include "core/NumberFormat.h"
#include "processing/SurveyLines.h"

#include <algorithm>
#include <cmath>

namespace selvir::processing {
namespace {

constexpr std::size_t kSlopeStartSoundings = 5;

// Indices of a run's soundings that take part: in play with a depth (and, when asked, a position).
std::vector<std::size_t> takingPart(std::span<const Sounding> soundings, std::span<const double> depthM,
                                    std::span<const std::uint8_t> inPlay, IndexRange run, bool needPosition) {
    std::vector<std::size_t> out;
    for (std::size_t i = run.begin; i < run.end; ++i) {
        if (inPlay[i] && std::isfinite(depthM[i]) && (!needPosition || soundings[i].hasPosition())) {
            out.push_back(i);
        }
    }
    return out;
}

double medianOf(std::vector<double>& values) {
    const std::size_t mid = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(mid), values.end());
    const double upper = values[mid];
    if (values.size() % 2 == 1) {
        return upper;
    }
    const double lower = *std::max_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(mid));
    return (lower + upper) / 2;
}

} // namespace

std::string checkCleaningSettings(const CleaningSettings& s) {
    if (s.gate &&
        !(std::isfinite(s.gate->minM) && std::isfinite(s.gate->maxM) && s.gate->minM < s.gate->maxM)) {
        return "the depth gate needs MIN below MAX (metres)";
    }
    if (s.median && s.median->windowSoundings < 3) {
        return "the running median needs a window of at least 3 soundings";
    }
    if (s.median && !(std::isfinite(s.median->thresholdM) && s.median->thresholdM > 0)) {
        return "the running median needs a threshold above 0 metres";
    }
    if (s.maxSlope && !(std::isfinite(*s.maxSlope) && *s.maxSlope > 0)) {
        return "the slope gate needs a slope above 0 (metres per metre)";
    }
    return {};
}

std::vector<std::size_t> depthGateRejections(std::span<const double> depthM,
                                             std::span<const std::uint8_t> inPlay, const DepthGate& gate) {
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i < depthM.size(); ++i) {
        if (inPlay[i] && std::isfinite(depthM[i]) && (depthM[i] < gate.minM || depthM[i] > gate.maxM)) {
            out.push_back(i);
        }
    }
    return out;
}

std::vector<std::size_t> medianRejections(std::span<const Sounding> soundings, std::span<const double> depthM,
                                          std::span<const std::uint8_t> inPlay,
                                          const MedianFilterSettings& settings) {
    std::vector<std::size_t> out;
    const auto window = static_cast<std::size_t>(settings.windowSoundings);
    std::vector<double> values;
    for (const IndexRange run : soundingRuns(soundings)) {
        const std::vector<std::size_t> part = takingPart(soundings, depthM, inPlay, run, false);
        const std::size_t n = part.size();
        const std::size_t width = std::min(window, n);
        for (std::size_t k = 0; k < n; ++k) {
            // Centred on k, shifted inwards at the ends so the window keeps its width.
            const std::size_t first = std::min(k - std::min(k, (width - 1) / 2), n - width);
            values.clear();
            for (std::size_t j = first; j < first + width; ++j) {
                values.push_back(depthM[part[j]]);
            }
            if (std::abs(depthM[part[k]] - medianOf(values)) > settings.thresholdM) {
                out.push_back(part[k]);
            }
        }
    }
    return out;
}

std::vector<std::size_t> slopeRejections(std::span<const Sounding> soundings, std::span<const double> depthM,
                                         std::span<const std::uint8_t> inPlay, double maxSlope) {
    std::vector<std::size_t> out;
    for (const IndexRange run : soundingRuns(soundings)) {
        const std::vector<std::size_t> part = takingPart(soundings, depthM, inPlay, run, true);
        const std::size_t n = part.size();
        if (n < 2) {
            continue;
        }
        std::vector<double> along(n, 0.0);
        for (std::size_t k = 1; k < n; ++k) {
            const Sounding& a = soundings[part[k - 1]];
            const Sounding& b = soundings[part[k]];
            along[k] = along[k - 1] + std::hypot(b.eastingM - a.eastingM, b.northingM - a.northingM);
        }
        // The trusted start: the sounding of median depth among the first few.
        const std::size_t head = std::min(n, kSlopeStartSoundings);
        std::vector<std::size_t> order(head);
        for (std::size_t k = 0; k < head; ++k) {
            order[k] = k;
        }
        std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return depthM[part[a]] < depthM[part[b]] || (depthM[part[a]] == depthM[part[b]] && a < b);
        });
        const std::size_t start = order[(head - 1) / 2];
        std::vector<std::uint8_t> rejected(n, 0);
        const auto walk = [&](int step) {
            std::size_t reference = start;
            for (auto k = static_cast<std::ptrdiff_t>(start) + step;
                 k >= 0 && k < static_cast<std::ptrdiff_t>(n); k += step) {
                const auto i = static_cast<std::size_t>(k);
                const double distance =
                    std::max(std::abs(along[i] - along[reference]), kSlopeMinimumDistanceM);
                if (std::abs(depthM[part[i]] - depthM[part[reference]]) > maxSlope * distance) {
                    rejected[i] = 1;
                } else {
                    reference = i;
                }
            }
        };
        walk(-1);
        walk(+1);
        for (std::size_t k = 0; k < n; ++k) {
            if (rejected[k]) {
                out.push_back(part[k]);
            }
        }
    }
    std::sort(out.begin(), out.end());
    return out;
}

CleaningPreview previewCleaning(std::span<const Sounding> soundings, const FlagSet& flags,
                                const CleaningSettings& settings) {
    CleaningPreview preview;
    preview.reference = chooseDepthReference(soundings);
    preview.soundings = soundings.size();
    std::vector<double> depth(soundings.size());
    std::vector<std::uint8_t> inPlay(soundings.size(), 1);
    for (std::size_t i = 0; i < soundings.size(); ++i) {
        depth[i] = depthOn(soundings[i], preview.reference);
        if (!std::isfinite(depth[i])) {
            ++preview.withoutDepth;
            inPlay[i] = 0;
        }
        const SoundingFlag* flag = flags.find(soundings[i].key);
        if (flag && flag->reason == FlagReason::Manual) {
            ++preview.manualDecisions;
            inPlay[i] = 0;
        }
    }
    std::vector<FlagReason> reasonOf(soundings.size(), FlagReason::Manual);
    const auto record = [&](FlagReason reason, const std::vector<std::size_t>& rejected) {
        FilterCounts counts{reason, static_cast<std::size_t>(std::count(inPlay.begin(), inPlay.end(), 1)),
                            rejected.size()};
        preview.filters.push_back(counts);
        for (const std::size_t i : rejected) {
            inPlay[i] = 0;
            preview.rejections.emplace_back(i, reason);
        }
    };
    if (settings.gate) {
        record(FlagReason::Gate, depthGateRejections(depth, inPlay, *settings.gate));
    }
    if (settings.median) {
        record(FlagReason::Median, medianRejections(soundings, depth, inPlay, *settings.median));
    }
    if (settings.maxSlope) {
        record(FlagReason::Slope, slopeRejections(soundings, depth, inPlay, *settings.maxSlope));
    }
    std::sort(preview.rejections.begin(), preview.rejections.end());
    return preview;
}

FlagEdit cleaningEdit(std::span<const Sounding> soundings, const FlagSet& flags,
                      const CleaningPreview& preview) {
    FlagEdit edit;
    std::string names;
    for (const FilterCounts& f : preview.filters) {
        names += (names.empty() ? "" : ", ") + std::string(flagReasonName(f.reason));
    }
    edit.description = "filters (" + names + "): " + std::to_string(preview.rejections.size()) + " rejected";
    std::vector<std::uint8_t> rejectedNow(soundings.size(), 0);
    for (const auto& [index, reason] : preview.rejections) {
        rejectedNow[index] = 1;
        edit.changes.emplace_back(soundings[index].key, SoundingFlag{FlagState::Rejected, reason});
    }
    for (std::size_t i = 0; i < soundings.size(); ++i) {
        const SoundingFlag* flag = flags.find(soundings[i].key);
        if (flag && flag->reason != FlagReason::Manual && !rejectedNow[i]) {
            edit.changes.emplace_back(soundings[i].key, std::nullopt);
        }
    }
    return edit;
}

} // namespace selvir::processing
