#include "navigation/HelmsmanReadout.h"

#include "core/NumberFormat.h"

#include <algorithm>
#include <cmath>

namespace selvir {
namespace {

std::string sideOf(double crossTrackM) {
    return crossTrackM > 0 ? "STBD" : crossTrackM < 0 ? "PORT" : "ON LINE";
}

std::string phaseText(const GuidanceReading& r) {
    if (r.allRun) {
        return "all lines run";
    }
    switch (r.phase) {
    case LinePhase::Approaching:
        return "approaching";
    case LinePhase::Running:
        return "on line";
    case LinePhase::Ended:
        return "ended";
    }
    return {};
}

} // namespace

std::string minutesAndSeconds(double seconds) {
    const long long total = std::llround(std::max(seconds, 0.0));
    const long long h = total / 3600, m = (total / 60) % 60, s = total % 60;
    const std::string ss = (s < 10 ? "0" : "") + std::to_string(s);
    if (h > 0) {
        return std::to_string(h) + ":" + (m < 10 ? "0" : "") + std::to_string(m) + ":" + ss;
    }
    return std::to_string(m) + ":" + ss;
}

HelmsmanReadout helmsmanReadout(const GuidanceReading& r) {
    HelmsmanReadout out;
    if (!r.active) {
        if (r.allRun) {
            out.visible = true;
            out.title = "All lines run";
            out.statusBar = "All lines run";
        }
        return out;
    }
    out.visible = true;
    const std::string line = "Line " + r.lineName;
    out.title = line;
    if (r.lineNumber > 0) {
        out.title += " of " + std::to_string(r.lineCount);
    }
    out.title += " - " + phaseText(r);
    out.fullScaleM = kHelmsmanFullScaleTolerances * r.toleranceM;
    if (!r.positionKnown || !r.fix.valid) {
        out.crossTrack = "No position";
        out.statusBar = line + ": no position";
        return out;
    }
    out.measured = true;
    const double xte = r.fix.crossTrackM;
    out.crossTrack = "XTE " + formatFixed(std::abs(xte), 2) + " m";
    if (std::abs(xte) >= 0.005) {
        out.crossTrack += " " + sideOf(xte);
    }
    out.offLine = r.offLine;
    if (r.offLine) {
        out.steer = xte > 0 ? "steer to port" : "steer to starboard";
    }
    out.distances =
        "Along " + formatFixed(r.fix.alongM, 1) + " m   To go " + formatFixed(r.fix.toGoM, 1) + " m";
    out.bearing = "Line " + formatFixed(r.fix.bearingDeg, 1) + "\u00b0   CMG " +
                  (r.courseDifferenceDeg > 0 ? "+" : "") + formatFixed(r.courseDifferenceDeg, 1) + "\u00b0";
    if (r.timeToEndS) {
        out.timeToEnd = "End in " + minutesAndSeconds(*r.timeToEndS);
    }
    out.barFraction = std::clamp(xte / out.fullScaleM, -1.0, 1.0);
    out.statusBar = line + ": " + out.crossTrack + " | to go " + formatFixed(r.fix.toGoM, 0) + " m";
    if (r.timeToEndS) {
        out.statusBar += " | end in " + minutesAndSeconds(*r.timeToEndS);
    }
    return out;
}

} // namespace selvir
