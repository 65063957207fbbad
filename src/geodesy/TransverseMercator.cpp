// Transverse Mercator forward series (Snyder 1987, 8-9, 8-10, 3-21).
#include "geodesy/TransverseMercator.h"

#include "geodesy/Angles.h"
#include "geodesy/ExtendedMath.h"

#include <cmath>

namespace selvir {

bool TransverseMercatorParameters::valid() const {
    return std::isfinite(centralMeridianDeg) && std::isfinite(latitudeOfOriginDeg) &&
           std::isfinite(scaleFactor) && scaleFactor > 0 && std::isfinite(falseEastingM) &&
           std::isfinite(falseNorthingM);
}

TransverseMercator::TransverseMercator(const Ellipsoid& ellipsoid,
                                       const TransverseMercatorParameters& parameters)
    : ellipsoid_(ellipsoid), parameters_(parameters) {
    e2_ = ellipsoid.eccentricitySquared();
    ep2_ = ellipsoid.secondEccentricitySquared();
    const long double e4 = e2_ * e2_;
    const long double e6 = e4 * e2_;
    const long double a = ellipsoid.semiMajorAxisM;
    arc0_ = a * (1 - e2_ / 4 - 3 * e4 / 64 - 5 * e6 / 256);
    arc2_ = a * (3 * e2_ / 8 + 3 * e4 / 32 + 45 * e6 / 1024);
    arc4_ = a * (15 * e4 / 256 + 45 * e6 / 1024);
    arc6_ = a * (35 * e6 / 3072);
    const long double phi0 = degreesToRadians(parameters.latitudeOfOriginDeg);
    arcOrigin_ = meridianArc(phi0, std::sin(2 * phi0), std::cos(2 * phi0));
    centralMeridianRad_ = degreesToRadians(parameters.centralMeridianDeg);
}

long double TransverseMercator::meridianArc(long double phi, long double sin2Phi, long double cos2Phi) const {
    // sin 4φ and sin 6φ by the double- and triple-angle identities, saving two calls.
    const long double sin4Phi = 2 * sin2Phi * cos2Phi;
    const long double sin6Phi = sin2Phi * (3 - 4 * sin2Phi * sin2Phi);
    return arc0_ * phi - arc2_ * sin2Phi + arc4_ * sin4Phi - arc6_ * sin6Phi;
}

GridCoordinates TransverseMercator::forward(long double latitudeDeg, long double longitudeDeg) const {
    const long double phi = degreesToRadians(latitudeDeg);
    const long double deltaLambda =
        degreesToRadians(wrapLongitudeDifferenceDeg(longitudeDeg - parameters_.centralMeridianDeg));
    long double sinPhi, cosPhi;
    extendedSinCos(phi, sinPhi, cosPhi);
    return forwardRadians(phi, sinPhi, cosPhi, deltaLambda);
}

GridCoordinates TransverseMercator::forward(const GeodeticAngles& angles) const {
    return forwardRadians(angles.latitudeRad, angles.sinLatitude, angles.cosLatitude,
                          wrapLongitudeDifferenceRad(angles.longitudeRad - centralMeridianRad_));
}

GridCoordinates TransverseMercator::forwardOnOwnEllipsoid(const GeodeticResult& local) const {
    const GeodeticAngles& angles = local.angles;
    return series(angles.latitudeRad, angles.sinLatitude, angles.cosLatitude, local.tanLatitude,
                  local.primeVerticalM,
                  wrapLongitudeDifferenceRad(angles.longitudeRad - centralMeridianRad_));
}

GridCoordinates TransverseMercator::forwardRadians(long double phi, long double sinPhi, long double cosPhi,
                                                   long double deltaLambda) const {
    const long double n = ellipsoid_.semiMajorAxisM / std::sqrt(1 - e2_ * sinPhi * sinPhi);
    return series(phi, sinPhi, cosPhi, sinPhi / cosPhi, n, deltaLambda);
}

GridCoordinates TransverseMercator::series(long double phi, long double sinPhi, long double cosPhi,
                                           long double tanPhi, long double n, long double deltaLambda) const {
    // Reciprocals of the series' factorials: multiplying saves four divisions per point.
    constexpr long double k1_6 = 1.0L / 6, k1_24 = 1.0L / 24, k1_120 = 1.0L / 120, k1_720 = 1.0L / 720;
    const long double k0 = parameters_.scaleFactor;
    const long double t = tanPhi * tanPhi;
    const long double c = ep2_ * cosPhi * cosPhi;
    const long double a1 = deltaLambda * cosPhi;
    const long double a2 = a1 * a1;
    const long double a3 = a2 * a1;
    const long double a4 = a2 * a2;
    const long double a5 = a4 * a1;
    const long double a6 = a4 * a2;

    const long double easting =
        parameters_.falseEastingM +
        k0 * n * (a1 + (1 - t + c) * a3 * k1_6 + (5 - 18 * t + t * t + 72 * c - 58 * ep2_) * a5 * k1_120);

    const long double sin2Phi = 2 * sinPhi * cosPhi;
    const long double cos2Phi = (cosPhi - sinPhi) * (cosPhi + sinPhi);
    const long double m = meridianArc(phi, sin2Phi, cos2Phi);
    const long double northing =
        parameters_.falseNorthingM + k0 * (m - arcOrigin_ +
                                           n * tanPhi *
                                               (a2 / 2 + (5 - t + 9 * c + 4 * c * c) * a4 * k1_24 +
                                                (61 - 58 * t + t * t + 600 * c - 330 * ep2_) * a6 * k1_720));
    return {easting, northing};
}

} // namespace selvir
