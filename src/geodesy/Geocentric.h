#pragma once
// Conversion between geodetic coordinates on an ellipsoid and geocentric (earth-centred, earth-fixed)
// Cartesian coordinates.
//
// Geodetic: latitude and longitude in decimal degrees (north and east positive), height above the
// ellipsoid in metres. Geocentric: X towards latitude 0 longitude 0, Y towards latitude 0 longitude
// 90° E, Z towards the north pole, all in metres. Computed in extended precision.
//
// The inverse is the fixed-point iteration on the latitude
//     φ ← atan( (Z/p) / (1 − e²·N(φ)/(N(φ) + h)) ),   h ← p / cos φ − N(φ),   p = sqrt(X² + Y²)
// stopped when two successive latitudes differ by at most 1e-12 rad, started from Bowring's estimate so
// that one pass usually confirms it (at most three for heights up to 5 km). It is bounded (50 passes), so no
// input can hang the caller; an input for which it does not settle (points far inside the earth) is
// reported as NotConverged. The longitude is atan2(Y, X), so it covers the whole circle (-180°, 180°].

#include "geodesy/Ellipsoid.h"

namespace selvir {

struct GeodeticCoordinates {
    long double latitudeDeg = 0;  // [-90, 90], north positive
    long double longitudeDeg = 0; // east positive; any value in, (-180, 180] out of the inverse
    long double heightM = 0;      // above the ellipsoid
};

struct GeocentricCoordinates {
    long double xM = 0;
    long double yM = 0;
    long double zM = 0;
};

// The angles of a geodetic position in radians with the sines and cosines a conversion computed: the
// steps that follow (the projection, the grid convergence, the inverse conversion) reuse them instead of
// calling the trigonometric functions again.
struct GeodeticAngles {
    // No default values: the conversions fill every field, and this sits on the per-fix path where
    // storing defaults that are overwritten at once costs time. Value-initialise ({}) to get zeros.
    long double latitudeRad;
    long double sinLatitude;
    long double cosLatitude;
    long double longitudeRad;
    long double sinLongitude;
    long double cosLongitude;
};

// N = a / sqrt(1 − e²·sin²φ); X = (N + h)·cos φ·cos λ; Y = (N + h)·cos φ·sin λ; Z = (N·(1 − e²) + h)·sin φ.
// Non-finite input gives non-finite output. `angles`, when given, receives the input's angles.
GeocentricCoordinates geodeticToGeocentric(const GeodeticCoordinates& position, const Ellipsoid& ellipsoid,
                                           GeodeticAngles* angles = nullptr);

enum class GeodeticStatus {
    Ok,
    AtPole,       // the latitude comes out as exactly ±90° (the point lies on the polar axis)
    NotConverged, // the iteration did not settle within kGeodeticMaxPasses, or left the finite numbers
    InvalidInput, // a coordinate is not finite, or the point is the centre of the ellipsoid
};

struct GeodeticResult {
    GeodeticStatus status = GeodeticStatus::InvalidInput;
    GeodeticCoordinates position;   // meaningful only when ok()
    GeodeticAngles angles;          // the same position in radians (longitude in (-π, π]), when ok()
    long double tanLatitude = 0;    // tan φ, when ok()
    long double primeVerticalM = 0; // N = a / sqrt(1 − e²·sin²φ) on the ellipsoid used, when ok()
    int passes = 0;                 // iteration passes made
    bool ok() const { return status == GeodeticStatus::Ok; }
};

inline constexpr int kGeodeticMaxPasses = 50;
inline constexpr long double kGeodeticToleranceRad = 1e-12L;

// `near`, when given, holds the angles of a position close to the result (the same point on another
// datum): the final latitude and longitude are then found as small corrections to it, without inverse
// trigonometric calls. The result is the same either way, to the last bits.
GeodeticResult geocentricToGeodetic(const GeocentricCoordinates& point, const Ellipsoid& ellipsoid,
                                    const GeodeticAngles* near = nullptr);

// A short English text for a status ("the latitude is at the pole", ...).
const char* describeGeodeticStatus(GeodeticStatus status);

} // namespace selvir
