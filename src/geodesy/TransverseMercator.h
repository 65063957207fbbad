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
// Accuracy against the exact projection (GeographicLib's TransverseMercatorExact, WGS-84): at most
// 0.96 mm within 4° of the central meridian, nearly all of it from the meridian arc truncated after e⁶
// (largest near latitude ±70.5°; twice that with an origin latitude of the opposite sign); 11.5 mm at 6°
// and 0.4 m at 10° from the central meridian, where the dropped A⁷ terms take over.
//
// Units: angles in decimal degrees, lengths in metres. Easting grows east, northing grows north. The
// longitude difference λ − λ0 is taken in [-180°, 180°), so a zone straddling the antimeridian works.

#include "geodesy/Ellipsoid.h"
#include "geodesy/Geocentric.h"

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
    // The same from the angles of a conversion that came before (radians, with sin φ and cos φ).
    GridCoordinates forward(const GeodeticAngles& angles) const;
    // The same from a geodetic result computed on this projection's own ellipsoid (same a and f): its
    // tan φ and N are used as they are. Do not pass a result from another ellipsoid.
    GridCoordinates forwardOnOwnEllipsoid(const GeodeticResult& local) const;
    // The same from the latitude in radians with its sine and cosine, and the longitude difference
    // λ − λ0 in radians (already within [-π, π)).
    GridCoordinates forwardRadians(long double phi, long double sinPhi, long double cosPhi,
                                   long double deltaLambda) const;

    const Ellipsoid& ellipsoid() const { return ellipsoid_; }
    const TransverseMercatorParameters& parameters() const { return parameters_; }

private:
    GridCoordinates series(long double phi, long double sinPhi, long double cosPhi, long double tanPhi,
                           long double n, long double deltaLambda) const;
    // Meridian arc from the equator, metres, from φ with sin 2φ and cos 2φ.
    long double meridianArc(long double phi, long double sin2Phi, long double cos2Phi) const;

    Ellipsoid ellipsoid_;
    TransverseMercatorParameters parameters_;
    long double e2_ = 0;
    long double ep2_ = 0;
    long double arc0_ = 0, arc2_ = 0, arc4_ = 0, arc6_ = 0; // a times the series coefficients of M
    long double arcOrigin_ = 0;                             // M(φ0)
    long double centralMeridianRad_ = 0;
};

} // namespace selvir
