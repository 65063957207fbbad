#pragma once
// The latency watch: the processing time of one map tick, milliseconds, against the surveyor's
// tolerance ("LATENCY", "eLatencyTol", 500 ms when missing). A tick is within tolerance when it took
// less than the tolerance.

#include "core/ProfileStore.h"

#include <string_view>

namespace selvir {

inline constexpr int kDefaultLatencyToleranceMs = 500;

int readLatencyTolerance(const ProfileStore& store);
bool writeLatencyTolerance(ProfileStore& store, int toleranceMs);

class LatencyWatch {
public:
    // Texts as typed or shown. A text that is not a whole number changes nothing: the last good value
    // stays in force. True when the text was taken.
    bool setToleranceText(std::string_view text);
    bool setCurrentText(std::string_view text);

    int toleranceMs() const { return toleranceMs_; }
    int currentMs() const { return currentMs_; }
    bool withinTolerance() const { return currentMs_ < toleranceMs_; }

private:
    int toleranceMs_ = kDefaultLatencyToleranceMs;
    int currentMs_ = 0;
};

} // namespace selvir
