#pragma once
// What the helmsman display and the status bar show of one tick of the line guidance, as texts and
// the position of the bar, apart from the painting.
//
// The bar shows where the boat is relative to the line: the centre is the line, the right half
// starboard, the left half port, full scale at three tolerances either side, with marks at the
// tolerance. Beyond the full scale the bar stays at the end and the number tells the rest.

#include "navigation/LineGuidance.h"

#include <string>

namespace selvir {

inline constexpr double kHelmsmanFullScaleTolerances = 3;

struct HelmsmanReadout {
    bool visible = false;   // a line is active
    bool measured = false;  // the numbers and the bar are of this tick (a position was known)
    std::string title;      // "Line 3 of 21 - on line"
    std::string crossTrack; // "XTE 1.23 m STBD"
    std::string steer;      // "steer to port" beyond the tolerance, else empty
    std::string distances;  // "Along 54.7 m   To go 245.3 m"
    std::string bearing;    // "Line 045.0°   CMG -2.1°"
    std::string timeToEnd;  // "End in 2:35", empty when not closing
    double barFraction = 0; // -1 (full scale to port) .. +1 (to starboard)
    double toleranceFraction = 1 / kHelmsmanFullScaleTolerances;
    double fullScaleM = 6;
    bool offLine = false;
    std::string statusBar; // "Line 3: XTE 1.23 m STBD | to go 245 m | end in 2:35"
};

HelmsmanReadout helmsmanReadout(const GuidanceReading& reading);

// "2:35" or "1:02:35" for a time in seconds (rounded to the second).
std::string minutesAndSeconds(double seconds);

} // namespace selvir
