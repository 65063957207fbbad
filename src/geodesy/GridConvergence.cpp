// Transverse Mercator grid convergence (Redfearn's series).
#include "geodesy/GridConvergence.h"

#include "geodesy/Angles.h"
#include "geodesy/ExtendedMath.h"

#include <cmath>

namespace selvir {

long double tmGridConvergenceDeg(const Ellipsoid& ellipsoid, long double latitudeDeg,
                                 long double longitudeDeg, long double centralMeridianDeg) {
    long double sinPhi, cosPhi;
    extendedSinCos(degreesToRadians(latitudeDeg), sinPhi, cosPhi);
    return tmGridConvergenceFromTrigDeg(
        ellipsoid, sinPhi, cosPhi,
        degreesToRadians(wrapLongitudeDifferenceDeg(longitudeDeg - centralMeridianDeg)));
}

long double tmGridConvergenceFromTrigDeg(const Ellipsoid& ellipsoid, long double sinPhi, long double cosPhi,
                                         long double omega) {
    const long double e2 = ellipsoid.eccentricitySquared();
    const long double s2 = sinPhi * sinPhi;
    const long double c2 = cosPhi * cosPhi;
    const long double c4 = c2 * c2;
    const long double s2c2 = s2 * c2;
    // ψ = ν/ρ = [a / sqrt(w)] / [a (1 − e²) / w^(3/2)] = w / (1 − e²),  w = 1 − e²·sin²φ
    const long double psi = (1 - e2 * s2) / (1 - e2);
    const long double psi2 = psi * psi;
    const long double omega2 = omega * omega;
    const long double omega3 = omega2 * omega;
    const long double omega5 = omega3 * omega2;
    const long double omega7 = omega5 * omega2;
    constexpr long double k1_3 = 1.0L / 3, k1_15 = 1.0L / 15, k1_315 = 1.0L / 315;

    // The powers of cos φ are multiplied into the brackets, so that t = tan φ appears only as
    // cos²φ·t² = sin²φ: no division, and no trouble at the poles.
    const long double gamma = -omega * sinPhi - omega3 * k1_3 * sinPhi * c2 * (2 * psi2 - psi) -
                              omega5 * k1_15 * sinPhi *
                                  (psi2 * psi2 * (11 * c4 - 24 * s2c2) - psi2 * psi * (11 * c4 - 36 * s2c2) +
                                   2 * psi2 * (c4 - 7 * s2c2) + psi * s2c2) -
                              omega7 * k1_315 * sinPhi * (17 * c4 * c2 - 26 * s2 * c4 + 2 * s2 * s2c2);
    return radiansToDegrees(gamma);
}

} // namespace selvir
