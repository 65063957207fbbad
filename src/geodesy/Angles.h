#pragma once
// Angle units and longitude wrapping shared by the geodesy operations.

#include "core/MathConstants.h"

#include <cmath>
#include <numbers>

namespace selvir {

inline constexpr long double kDegreesToRadians = kPi / 180;
inline constexpr long double kRadiansToDegrees = 180 / kPi;
// One arc-second in radians.
inline constexpr long double kArcsecondsToRadians = kDegreesToRadians / 3600;

inline long double degreesToRadians(long double degrees) {
    return degrees * kDegreesToRadians;
}
inline long double radiansToDegrees(long double radians) {
    return radians * kRadiansToDegrees;
}

// A longitude difference brought into [-180, 180) degrees. Differences of longitudes that are each
// within ±360° need at most one turn, but any finite value is handled.
inline long double wrapLongitudeDifferenceDeg(long double deltaDeg) {
    if (deltaDeg >= -180 && deltaDeg < 180) {
        return deltaDeg;
    }
    long double wrapped = std::fmod(deltaDeg + 180, 360.0L);
    if (wrapped < 0) {
        wrapped += 360;
    }
    return wrapped - 180;
}

// The same in radians: [-π, π).
inline long double wrapLongitudeDifferenceRad(long double deltaRad) {
    if (deltaRad >= -kPi && deltaRad < kPi) {
        return deltaRad;
    }
    long double wrapped = std::fmod(deltaRad + kPi, 2 * kPi);
    if (wrapped < 0) {
        wrapped += 2 * kPi;
    }
    return wrapped - kPi;
}

// Grid bearing of the step (dx, dy) on the grid, degrees clockwise from grid north in [0, 360), as
// the distance measure shows it: the arc tangent of dx / dy with dy = 0 taken as 1e-16 (so a step due
// east or west reads 90 or 270, and no step reads 0).
inline double gridBearingDeg(double dxM, double dyM) {
    const double quotient = dxM / (dyM == 0 ? 1e-16 : dyM);
    double bearing = std::atan(quotient) * 180.0 / std::numbers::pi;
    if (dyM < 0) {
        bearing += 180;
    } else if (quotient < 0) {
        bearing += 360;
    }
    return bearing;
}

} // namespace selvir
