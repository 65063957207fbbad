#pragma once
// The texts of the realtime data window (fRealtime) as the handlers write them. The map update reads the
// speed back from here, as it reads the window's field; the window, when shown, displays these texts.

#include "navigation/GnssSinks.h"

#include <functional>
#include <string>

namespace selvir {

struct RealtimeReadout final : RealtimeReadoutSink {
    std::string Fixed = "---";           // fix quality number
    std::string Speed = "---";           // knots, 1 decimal
    std::string SatelliteLabel = "---";  // satellites in use
    std::string LAntennaH = "---";       // RTK antenna height, metres, 2 decimals
    std::string LTideHt = "---";         // RTK tide, metres, 2 decimals, or "-" while the offsets are edited
    std::string lDepthHi = "::::::::::"; // high-frequency depth, metres, 2 decimals
    std::string lDepthLo = "::::::::::"; // low-frequency depth
    ColorValue gpsBoxColor = kColorRed;
    ColorValue depthFramesColor = 0;
    bool depthFramesColored = false;

    // Called after every change, so a window can refresh what it shows.
    std::function<void()> onChange;

    void setSpeedText(const std::string& knotsText) override {
        Speed = knotsText;
        changed();
    }
    void setGpsBoxColor(ColorValue color) override {
        gpsBoxColor = color;
        changed();
    }
    void changed() {
        if (onChange) {
            onChange();
        }
    }
};

} // namespace selvir
