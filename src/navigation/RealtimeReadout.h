#pragma once
// What the realtime data window shows, as numbers the engine keeps; the window formats them with the
// text helpers below (the event marks write the depths the same way). Nothing is known before the
// first value arrives.

#include "navigation/GnssSinks.h"

#include <functional>
#include <optional>
#include <string>

namespace selvir {

struct RealtimeReadout final : RealtimeReadoutSink {
    std::optional<int> fixQuality;        // GGA quality at the last map tick
    std::optional<double> speedKnots;     // speed over ground from the receiver
    std::optional<int> satellites;        // satellites in use at the last map tick
    std::optional<double> antennaHeightM; // RTK antenna height at the last map tick
    // RTK tide at the last map tick; nothing while the offsets are being edited (they apply once the
    // offsets window closes).
    std::optional<double> tideM;
    std::optional<double> depthHfM; // latest reduced high-frequency depth
    std::optional<double> depthLfM; // latest reduced low-frequency depth
    // Depths accepted so far: a new depth is news to the window even when it equals the last one.
    unsigned long long depthCount = 0;
    ColorValue gpsBoxColor = kColorRed;
    ColorValue depthFramesColor = 0;
    bool depthFramesColored = false;

    // Called after every change, so a window can refresh what it shows.
    std::function<void()> onChange;

    void setSpeedKnots(double knots) override {
        speedKnots = knots;
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

// A depth as the read-out shows it: metres with 2 decimals, "::::::::::" before the first depth.
std::string readoutDepthText(const std::optional<double>& depthM);
// The tide as the read-out and the status text show it: metres with 2 decimals, "-" while the offsets
// are being edited.
std::string readoutTideText(const std::optional<double>& tideM);

} // namespace selvir
