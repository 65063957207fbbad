#include "navigation/DepthReduction.h"

#include "core/NumberFormat.h"

#include <cmath>

namespace selvir {

std::optional<SoundVelocityProfile> SoundVelocityProfile::fromLines(const std::vector<std::string>& lines,
                                                                    int* badLine) {
    std::size_t used = lines.size();
    while (used > 0 && lines[used - 1].find_first_not_of(" \t\r") == std::string::npos) {
        --used;
    }
    std::vector<double> velocities;
    velocities.reserve(used);
    for (std::size_t i = 0; i < used; ++i) {
        const auto value = parseDouble(lines[i]);
        if (!value || !std::isfinite(*value)) {
            if (badLine) {
                *badLine = static_cast<int>(i);
            }
            return std::nullopt;
        }
        velocities.push_back(*value);
    }
    return SoundVelocityProfile(std::move(velocities));
}

double profileMetreOf(double depthM) {
    // Not floor(depth + 0.5): that sum rounds 0.49999999999999994 up to 1.
    const double below = std::floor(depthM);
    return depthM - below >= 0.5 ? below + 1 : below;
}

SoundVelocityProfile::Lookup SoundVelocityProfile::velocityFor(double rawDepthM) const {
    const double rounded = profileMetreOf(rawDepthM);
    if (!(rounded >= 0)) { // negative or NaN
        return {byMetre_.front(), false};
    }
    if (rounded >= static_cast<double>(byMetre_.size())) {
        return {byMetre_.back(), true};
    }
    return {byMetre_[static_cast<std::size_t>(rounded)], false};
}

ReducedDepths reduceDepths(double rawHF, double rawLF, double draftM, double soundVelocity) {
    ReducedDepths out;
    out.soundVelocity = soundVelocity;
    out.depthHF = rawHF * soundVelocity / kNominalSoundVelocity + draftM;
    out.depthLF = soundVelocity * rawLF / kNominalSoundVelocity + draftM;
    return out;
}

ReducedDepths reduceDepths(double rawHF, double rawLF, double draftM, const SoundVelocityProfile& profile) {
    ReducedDepths out;
    const auto low = profile.velocityFor(rawLF);
    out.depthLF = rawLF * low.velocity / kNominalSoundVelocity + draftM;
    const auto high = profile.velocityFor(rawHF);
    out.depthHF = rawHF * high.velocity / kNominalSoundVelocity + draftM;
    out.soundVelocity = high.velocity;
    out.profileExtended = low.extended || high.extended;
    return out;
}

} // namespace selvir
