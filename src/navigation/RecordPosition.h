#pragma once
// The position a survey row or an event mark carries: the receiver's fix in force at that moment and
// the grid projection of that same fix, so a record never mixes one fix's latitude with another's
// easting.

#include <optional>

namespace selvir {

// A grid position, metres.
struct GridPosition {
    double eastingM = 0;
    double northingM = 0;
};

struct RecordPosition {
    bool reported = false; // the receiver reports a position now (fix quality above 0, not silent)
    int fixQuality = 0;    // GGA quality of that fix; 0 when none is reported
    double latitudeDeg = 0;
    double longitudeDeg = 0;
    std::optional<GridPosition> grid; // nothing without a position or when it cannot be projected
};

} // namespace selvir
