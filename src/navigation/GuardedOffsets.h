#pragma once
// The offsets the depth reduction may use. Whatever provides them (the offsets window, the settings
// file edited by hand), a value that is not a number, or a sound velocity outside 1300 … 1700 m/s, never
// reaches a survey row: the last good value stays in force and the problem is reported once.

#include "navigation/GnssSinks.h"

#include <functional>
#include <string>

namespace selvir {

inline constexpr double kMinSoundVelocity = 1300; // m/s, the slowest water a survey meets
inline constexpr double kMaxSoundVelocity = 1700; // m/s

class GuardedOffsets final : public OffsetsSource {
public:
    using Reporter = std::function<void(const std::string&)>;
    // `source` must outlive the guard.
    GuardedOffsets(const OffsetsSource& source, Reporter report);
    // From now on the values come from `source` (the offsets window once it exists); the last good
    // values stay in force for whatever it refuses. `source` must outlive the guard.
    void setSource(const OffsetsSource& source) { source_ = &source; }

    bool offsetsWindowOpen() const override { return source_->offsetsWindowOpen(); }
    // The source's values, each refused one replaced by the last good one (draft, C offset and tide
    // start at 0, the sound velocity at the echosounders' nominal 1500 m/s).
    OffsetsValues offsets() const override;

private:
    void refuse(const std::string& problem) const;

    const OffsetsSource* source_;
    Reporter report_;
    mutable OffsetsValues good_{0, 1500, 0, 0};
    mutable std::string lastProblem_;
};

} // namespace selvir
