#include "tools/LatencyWatch.h"

#include "core/NumberFormat.h"

namespace selvir {

namespace {
constexpr std::string_view kLatencySection = "LATENCY";
constexpr std::string_view kToleranceKey = "eLatencyTol";

bool takeInteger(std::string_view text, int& value) {
    const std::optional<int> read = parseInt(text);
    if (read) {
        value = *read;
    }
    return read.has_value();
}
} // namespace

int readLatencyTolerance(const ProfileStore& store) {
    return store.readInteger(kLatencySection, kToleranceKey, kDefaultLatencyToleranceMs);
}

bool writeLatencyTolerance(ProfileStore& store, int toleranceMs) {
    return store.writeInteger(kLatencySection, kToleranceKey, toleranceMs);
}

bool LatencyWatch::setToleranceText(std::string_view text) {
    return takeInteger(text, toleranceMs_);
}

bool LatencyWatch::setCurrentText(std::string_view text) {
    return takeInteger(text, currentMs_);
}

} // namespace selvir
