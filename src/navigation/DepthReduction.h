#pragma once
// Reduction of raw echosounder depths to true depths: the echosounder measures at its nominal sound
// velocity of 1500 m/s, so depth = raw × SV / 1500 + draft, with SV a single value or taken per metre
// from a sound velocity profile.

#include <optional>
#include <string>
#include <vector>

namespace selvir {

inline constexpr double kNominalSoundVelocity = 1500.0; // m/s

// The whole metre a depth belongs to in a sound velocity profile: the nearest, a half metre going down
// (12.5 m is metre 13, 12.49 m metre 12). The one rule of the profile's steps and of its lookup.
double profileMetreOf(double depthM);

// A profile: line i holds the sound velocity (m/s) for raw depths rounding to i metres.
class SoundVelocityProfile {
public:
    SoundVelocityProfile() = default;
    explicit SoundVelocityProfile(std::vector<double> velocitiesByMetre)
        : byMetre_(std::move(velocitiesByMetre)) {}
    // Reads one number per line (blank lines at the end ignored). Returns nothing and the 0-based
    // line in `badLine` when a line is not a number.
    static std::optional<SoundVelocityProfile> fromLines(const std::vector<std::string>& lines,
                                                         int* badLine = nullptr);

    bool empty() const { return byMetre_.empty(); }
    int size() const { return static_cast<int>(byMetre_.size()); }

    struct Lookup {
        double velocity = 0;   // m/s
        bool extended = false; // the depth lies beyond the profile: its deepest line was used
    };
    // Line profileMetreOf(rawDepth); below 0 the first line; beyond the last line the last. Must not be
    // called on an empty profile.
    Lookup velocityFor(double rawDepthM) const;

private:
    std::vector<double> byMetre_;
};

struct ReducedDepths {
    double depthHF = 0;       // metres
    double depthLF = 0;       // metres
    double soundVelocity = 0; // m/s used for the high-frequency depth
    bool profileExtended = false;
};

// Single sound velocity.
ReducedDepths reduceDepths(double rawHF, double rawLF, double draftM, double soundVelocity);
// Profile (must not be empty).
ReducedDepths reduceDepths(double rawHF, double rawLF, double draftM, const SoundVelocityProfile& profile);

} // namespace selvir
