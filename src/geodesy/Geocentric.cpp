// Geodetic <-> geocentric conversion (the "cart" operation of the chain).
#include "geodesy/Geocentric.h"

#include "geodesy/Angles.h"

#include <cmath>

namespace selvir {

GeocentricCoordinates geodeticToGeocentric(const GeodeticCoordinates& position, const Ellipsoid& ellipsoid) {
    const long double e2 = ellipsoid.eccentricitySquared();
    const long double phi = degreesToRadians(position.latitudeDeg);
    const long double lambda = degreesToRadians(position.longitudeDeg);
    const long double sinPhi = std::sin(phi);
    const long double cosPhi = std::cos(phi);
    const long double n = ellipsoid.semiMajorAxisM / std::sqrt(1 - e2 * sinPhi * sinPhi);
    const long double r = (n + position.heightM) * cosPhi;
    return {r * std::cos(lambda), r * std::sin(lambda), (n * (1 - e2) + position.heightM) * sinPhi};
}

namespace {

// Prime-vertical radius N from tan φ: sin²φ = t² / (1 + t²).
long double primeVerticalFromTan(long double a, long double e2, long double tanPhi) {
    const long double t2 = tanPhi * tanPhi;
    return a / std::sqrt(1 - e2 * t2 / (1 + t2));
}

} // namespace

GeodeticResult geocentricToGeodetic(const GeocentricCoordinates& point, const Ellipsoid& ellipsoid) {
    GeodeticResult result;
    const long double x = point.xM;
    const long double y = point.yM;
    const long double z = point.zM;
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z) || !ellipsoid.valid()) {
        return result;
    }
    const long double a = ellipsoid.semiMajorAxisM;
    const long double e2 = ellipsoid.eccentricitySquared();
    const long double p = std::sqrt(x * x + y * y);
    if (p == 0) {
        // On the polar axis the latitude is ±90° exactly, which the callers cannot use; the centre
        // has no latitude at all.
        result.status = z == 0 ? GeodeticStatus::InvalidInput : GeodeticStatus::AtPole;
        return result;
    }

    // The iteration runs on t = tan φ, which gives sin φ and cos φ without trigonometric calls; the
    // test on successive latitudes uses tan(φ − φprev) = (t − tprev) / (1 + t·tprev).
    const long double q = z / p;
    // Start from Bowring's estimate (exact to far below the tolerance for points near the ellipsoid),
    // so that one or two passes confirm it instead of the six or so needed from φ = 0.
    long double t = q / (1 - e2);
    {
        const long double b = ellipsoid.semiMinorAxisM();
        const long double ep2 = ellipsoid.secondEccentricitySquared();
        const long double tanU = (z * a) / (p * b);
        const long double cosU = 1 / std::sqrt(1 + tanU * tanU);
        const long double sinU = tanU * cosU;
        const long double denominator = p - e2 * a * cosU * cosU * cosU;
        const long double bowring = (z + ep2 * b * sinU * sinU * sinU) / denominator;
        if (denominator > 0 && std::isfinite(bowring)) {
            t = bowring;
        }
    }
    long double h = p * std::sqrt(1 + t * t) - primeVerticalFromTan(a, e2, t);

    bool converged = false;
    int passes = 0;
    while (passes < kGeodeticMaxPasses) {
        ++passes;
        const long double previous = t;
        const long double n = primeVerticalFromTan(a, e2, previous);
        t = q / (1 - e2 * n / (n + h));
        h = p * std::sqrt(1 + t * t) - primeVerticalFromTan(a, e2, t);
        if (!std::isfinite(t) || !std::isfinite(h)) {
            break;
        }
        const long double denominator = 1 + t * previous;
        if (denominator > 0 && std::fabs(t - previous) <= kGeodeticToleranceRad * denominator) {
            converged = true;
            break;
        }
    }
    result.passes = passes;
    if (!converged) {
        result.status = GeodeticStatus::NotConverged;
        return result;
    }
    const long double phi = std::atan(t);
    if (std::fabs(phi) == kPi / 2) {
        result.status = GeodeticStatus::AtPole;
        return result;
    }
    result.status = GeodeticStatus::Ok;
    result.position.latitudeDeg = radiansToDegrees(phi);
    // -180° and 180° are one meridian; give it one name.
    const long double lambda = std::atan2(y, x);
    result.position.longitudeDeg = lambda == -kPi ? 180 : radiansToDegrees(lambda);
    result.position.heightM = h;
    return result;
}

const char* describeGeodeticStatus(GeodeticStatus status) {
    switch (status) {
    case GeodeticStatus::Ok:
        return "converted";
    case GeodeticStatus::AtPole:
        return "the latitude is at the pole";
    case GeodeticStatus::NotConverged:
        return "the geodetic latitude did not converge";
    case GeodeticStatus::InvalidInput:
        return "the geocentric coordinates are not usable";
    }
    return "unknown status";
}

} // namespace selvir
