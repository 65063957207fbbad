// Geodetic <-> geocentric conversion (the "cart" operation of the chain).
#include "geodesy/Geocentric.h"

#include "geodesy/Angles.h"
#include "geodesy/ExtendedMath.h"

#include <cmath>

namespace selvir {

GeocentricCoordinates geodeticToGeocentric(const GeodeticCoordinates& position, const Ellipsoid& ellipsoid,
                                           GeodeticAngles* angles) {
    const long double e2 = ellipsoid.eccentricitySquared();
    const long double phi = degreesToRadians(position.latitudeDeg);
    const long double lambda = degreesToRadians(position.longitudeDeg);
    long double sinPhi, cosPhi, sinLambda, cosLambda;
    extendedSinCos(phi, sinPhi, cosPhi);
    extendedSinCos(lambda, sinLambda, cosLambda);
    if (angles != nullptr) {
        *angles = {phi, sinPhi, cosPhi, lambda, sinLambda, cosLambda};
    }
    const long double n = ellipsoid.semiMajorAxisM / std::sqrt(1 - e2 * sinPhi * sinPhi);
    const long double r = (n + position.heightM) * cosPhi;
    return {r * cosLambda, r * sinLambda, (n * (1 - e2) + position.heightM) * sinPhi};
}

namespace {

// Below this, asin(u) is its short series (see smallAngleAsin).
constexpr long double kSmallCorrection = 1e-3L;
// Beyond this tan φ the latitude is taken with atan itself, so that "exactly ±90°" means what it says.
constexpr long double kSteepTangent = 1e15L;

} // namespace

GeodeticResult geocentricToGeodetic(const GeocentricCoordinates& point, const Ellipsoid& ellipsoid,
                                    const GeodeticAngles* near) {
    // Failures return a result with only the status set; the full result is built once at the end, so
    // that no field is stored twice (80-bit stores are slow).
    const auto failure = [](GeodeticStatus status, int passes = 0) {
        GeodeticResult result;
        result.status = status;
        result.passes = passes;
        return result;
    };
    const long double x = point.xM;
    const long double y = point.yM;
    const long double z = point.zM;
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z) || !ellipsoid.valid()) {
        return failure(GeodeticStatus::InvalidInput);
    }
    const long double a = ellipsoid.semiMajorAxisM;
    const long double e2 = ellipsoid.eccentricitySquared();
    const long double oneMinusE2 = 1 - e2;
    const long double p = std::sqrt(x * x + y * y);
    if (p == 0) {
        // On the polar axis the latitude is ±90° exactly, which the callers cannot use; the centre
        // has no latitude at all.
        return failure(z == 0 ? GeodeticStatus::InvalidInput : GeodeticStatus::AtPole);
    }

    // The iteration φ ← atan( (Z/p) / (1 − e²·N/(N + h)) ), h = p / cos φ − N, runs on t = tan φ.
    // Since N + h = p / cos φ and N·cos φ = a / sqrt(1 + (1 − e²)·t²), one pass is
    //     t ← Z·w / (p·w − e²·a),   w = sqrt(1 + (1 − e²)·t²),
    // with neither trigonometric calls nor more than one division. Successive latitudes are compared
    // through tan(φ − φprev) = (t − tprev) / (1 + t·tprev).
    //
    // It starts from Bowring's estimate, exact to far below the tolerance for points near the
    // ellipsoid, so that one pass confirms it instead of the six or so needed from φ = 0, h = 0.
    long double t;
    {
        const long double b = ellipsoid.semiMinorAxisM();
        const long double za = z * a;
        const long double pb = p * b;
        const long double r = std::sqrt(za * za + pb * pb); // sin u = za / r, cos u = pb / r
        const long double r3 = r * r * r;
        // (Z + e′²·b·sin³u) / (p − e²·a·cos³u) with e′² = e² / (1 − e²), multiplied through by
        // r³·(1 − e²) so that one division remains.
        const long double numerator = z * r3 * oneMinusE2 + e2 * b * za * za * za;
        const long double denominator = (p * r3 - e2 * a * pb * pb * pb) * oneMinusE2;
        const long double bowring = numerator / denominator;
        // Deep inside the earth the estimate can fail; then start from the latitude for h = 0.
        t = denominator > 0 && std::isfinite(bowring) ? bowring : z / (oneMinusE2 * p);
    }

    bool converged = false;
    int passes = 0;
    while (passes < kGeodeticMaxPasses) {
        ++passes;
        const long double previous = t;
        const long double w = std::sqrt(1 + oneMinusE2 * previous * previous);
        t = z * w / (p * w - e2 * a);
        if (!std::isfinite(t)) {
            break;
        }
        const long double denominator = 1 + t * previous;
        if (denominator > 0 && std::fabs(t - previous) <= kGeodeticToleranceRad * denominator) {
            converged = true;
            break;
        }
    }
    if (!converged) {
        return failure(GeodeticStatus::NotConverged, passes);
    }
    // sec φ = sqrt(1 + t²); with D = 1 / (sec φ·w): cos φ = w·D and N = a·sec φ / w = a·sec²φ·D. One
    // division gives both D and 1/p.
    const long double w = std::sqrt(1 + oneMinusE2 * t * t);
    const long double secant = std::sqrt(1 + t * t);
    const long double reciprocal = 1 / (p * secant * w);
    const long double d = p * reciprocal;
    const long double inverseP = secant * w * reciprocal;
    const long double cosPhi = w * d;
    const long double sinPhi = t * cosPhi;
    const long double n = a * secant * secant * d;
    const long double h = p * secant - n;
    if (!std::isfinite(h)) {
        return failure(GeodeticStatus::NotConverged, passes);
    }
    // The angles themselves: near a known position as small corrections sin(φ − φ0), sin(λ − λ0), which
    // need no division; otherwise with atan and atan2.
    long double phi;
    long double sinDeltaPhi = 0;
    bool phiNear = false;
    if (near != nullptr && std::fabs(t) < kSteepTangent) {
        sinDeltaPhi = sinPhi * near->cosLatitude - cosPhi * near->sinLatitude;
        const long double cosDeltaPhi = cosPhi * near->cosLatitude + sinPhi * near->sinLatitude;
        phiNear = cosDeltaPhi > 0 && std::fabs(sinDeltaPhi) < kSmallCorrection;
    }
    phi = phiNear ? near->latitudeRad + smallAngleAsin(sinDeltaPhi) : std::atan(t);
    if (std::fabs(phi) == kPi / 2) {
        return failure(GeodeticStatus::AtPole, passes);
    }

    const long double sinLambda = y * inverseP;
    const long double cosLambda = x * inverseP;
    long double lambda;
    bool lambdaNear = false;
    long double sinDeltaLambda = 0;
    if (near != nullptr) {
        sinDeltaLambda = sinLambda * near->cosLongitude - cosLambda * near->sinLongitude;
        const long double cosDeltaLambda = cosLambda * near->cosLongitude + sinLambda * near->sinLongitude;
        lambdaNear = cosDeltaLambda > 0 && std::fabs(sinDeltaLambda) < kSmallCorrection;
    }
    if (lambdaNear) {
        lambda = near->longitudeRad + smallAngleAsin(sinDeltaLambda);
        // The known longitude may be given in 0..360°.
        while (lambda > kPi) {
            lambda -= 2 * kPi;
        }
        while (lambda <= -kPi) {
            lambda += 2 * kPi;
        }
    } else {
        lambda = std::atan2(y, x);
        // -180° and 180° are one meridian; give it one name.
        if (lambda == -kPi) {
            lambda = kPi;
        }
    }

    return GeodeticResult{GeodeticStatus::Ok,
                          {radiansToDegrees(phi), radiansToDegrees(lambda), h},
                          {phi, sinPhi, cosPhi, lambda, sinLambda, cosLambda},
                          t,
                          n,
                          passes};
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
