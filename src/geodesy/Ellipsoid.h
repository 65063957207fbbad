#pragma once
// A reference ellipsoid of revolution, given as the program stores it: the semi-major axis and the
// flattening itself (not its inverse).

#include <cmath>

namespace selvir {

struct Ellipsoid {
    long double semiMajorAxisM = 6378137.0L;      // a, metres
    long double flattening = 0.0033528106647474L; // f = (a - b) / a

    // e² = f·(2 − f)
    long double eccentricitySquared() const { return flattening * (2 - flattening); }
    // e′² = e² / (1 − e²)
    long double secondEccentricitySquared() const {
        const long double e2 = eccentricitySquared();
        return e2 / (1 - e2);
    }
    // Semi-minor axis b = a·(1 − f), metres.
    long double semiMinorAxisM() const { return semiMajorAxisM * (1 - flattening); }

    // a finite and positive, 0 <= f < 1. Written so that NaN fails.
    bool valid() const {
        return std::isfinite(semiMajorAxisM) && semiMajorAxisM > 0 && flattening >= 0 && flattening < 1;
    }
};

// WGS-84 with the flattening as the program stores it ("0.0033528106647474").
inline constexpr Ellipsoid kWgs84Ellipsoid{6378137.0L, 0.0033528106647474L};

} // namespace selvir
