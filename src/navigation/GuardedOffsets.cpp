#include "navigation/GuardedOffsets.h"

#include "core/NumberFormat.h"

#include <cmath>

namespace selvir {

GuardedOffsets::GuardedOffsets(const OffsetsSource& source, Reporter report)
    : source_(&source), report_(std::move(report)) {}

void GuardedOffsets::refuse(const std::string& problem) const {
    if (problem == lastProblem_) {
        return; // asked on every line: said once
    }
    lastProblem_ = problem;
    if (report_) {
        report_(problem);
    }
}

OffsetsValues GuardedOffsets::offsets() const {
    const OffsetsValues given = source_->offsets();
    std::string problems;
    const auto take = [&](double value, double& good, const char* name) {
        if (std::isfinite(value)) {
            good = value;
        } else {
            problems += std::string(problems.empty() ? "" : " ") + name +
                        " is not a number: " + formatFixed(good, 2) + " stays in force.";
        }
    };
    take(given.offsetA, good_.offsetA, "The transducer draft (Offset A)");
    take(given.offsetC, good_.offsetC, "Offset C");
    take(given.tideHeight, good_.tideHeight, "The tide height");
    const double sv = given.soundVelocity;
    if (std::isfinite(sv) && sv >= kMinSoundVelocity && sv <= kMaxSoundVelocity) {
        good_.soundVelocity = sv;
    } else {
        problems += std::string(problems.empty() ? "" : " ") + "The sound velocity " +
                    (std::isfinite(sv) ? formatGeneral(sv) + " m/s is outside 1300 to 1700 m/s"
                                       : std::string("is not a number")) +
                    ": " + formatFixed(good_.soundVelocity, 2) + " m/s stays in force.";
    }
    if (problems.empty()) {
        lastProblem_.clear(); // a later problem is news again
    } else {
        refuse(problems);
    }
    return good_;
}

} // namespace selvir
