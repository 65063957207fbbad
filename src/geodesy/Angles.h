#pragma once
// Angle units and longitude wrapping shared by the geodesy operations.

#include <cmath>
#include <numbers>

namespace selvir {

inline constexpr long double kPi = std::numbers::pi_v<long double>;
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

} // namespace selvir
