#include "navigation/RealtimeReadout.h"

#include "core/NumberFormat.h"

namespace selvir {

std::string readoutDepthText(const std::optional<double>& depthM) {
    return depthM ? formatFixed(*depthM, 2) : std::string("::::::::::");
}

std::string readoutTideText(const std::optional<double>& tideM) {
    return tideM ? formatFixed(*tideM, 2) : std::string("-");
}

} // namespace selvir
