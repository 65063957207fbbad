#pragma once
// Transverse Mercator projection, forward, by the series of the USGS map-projection manual (Snyder,
// "Map Projections: A Working Manual", 1987, equations 8-9, 8-10 and 3-21), in extended precision.
//
// Easting  = FE + k0·N·[A + (1 − T + C)·A³/6 + (5 − 18T + T² + 72C − 58e′²)·A⁵/120]
// Northing = FN + k0·[M(φ) − M(φ0) + N·tan φ·(A²/2 + (5 − T + 9C + 4C²)·A⁴/24
//                                              + (61 − 58T + T² + 600C − 330e′²)·A⁶/720)]
// with N = a / sqrt(1 − e²·sin²φ), T = tan²φ, C = e′²·cos²φ, A = (λ − λ0)·cos φ and M the meridian arc
// truncated after the e⁶ terms.
//
// Accuracy against the exact projection (GeographicLib's TransverseMercatorExact, WGS-84, latitudes to
// ±84°): better than 0.1 mm within 1° of the central meridian, about 1 mm at 2°, 6 mm at 3° and 0.5 m at
// 6° (the A⁷ terms the series drops grow quickly). Use it for zones up to 3° wide on either side.
//
// Units: angles in decimal degrees, lengths in metres. Easting grows east, northing grows north. The
// longitude difference λ − λ0 is taken in [-180°, 180°), so a zone straddling the antimeridian works.

#include "geodesy/Ellipsoid.h"

namespace selvir {

struct TransverseMercatorParameters {
    long double centralMeridianDeg = 0;  // λ0
    long double latitudeOfOriginDeg = 0; // φ0, where the northing is FN on the central meridian
    long double scaleFactor = 1;         // k0 on the central meridian, > 0
    long double falseEastingM = 0;       // FE
    long double falseNorthingM = 0;      // FN

    // Every value finite and the scale factor positive. Written so that NaN fails.
    bool valid() const;
};

struct GridCoordinates {
    long double eastingM = 0;
    long double northingM = 0;
};

class TransverseMercator {
public:
    TransverseMercator(const Ellipsoid& ellipsoid, const TransverseMercatorParameters& parameters);

    // Latitude in [-90, 90] degrees, longitude in degrees (any value).
    GridCoordinates forward(long double latitudeDeg, long double longitudeDeg) const;
    // The same from the latitude in radians with its sine and cosine, and the longitude difference
    // λ − λ0 in radians (already within [-π, π)): for callers that have them at hand.
    GridCoordinates forwardRadians(long double phi, long double sinPhi, long double cosPhi,
                                   long double deltaLambda) const;

    const Ellipsoid& ellipsoid() const { return ellipsoid_; }
    const TransverseMercatorParameters& parameters() const { return parameters_; }

private:
    // Meridian arc from the equator, metres, from φ with sin 2φ and cos 2φ.
    long double meridianArc(long double phi, long double sin2Phi, long double cos2Phi) const;

    Ellipsoid ellipsoid_;
    TransverseMercatorParameters parameters_;
    long double e2_ = 0;
    long double ep2_ = 0;
    long double arc0_ = 0, arc2_ = 0, arc4_ = 0, arc6_ = 0; // a times the series coefficients of M
    long double arcOrigin_ = 0;                             // M(φ0)
};

} // namespace selvir
