// Transverse Mercator grid convergence (Redfearn's series).
#include "geodesy/GridConvergence.h"

#include "geodesy/Angles.h"

#include <cmath>

namespace selvir {

long double tmGridConvergenceDeg(const Ellipsoid& ellipsoid, long double latitudeDeg,
                                 long double longitudeDeg, long double centralMeridianDeg) {
    const long double phi = degreesToRadians(latitudeDeg);
    const long double omega = degreesToRadians(wrapLongitudeDifferenceDeg(longitudeDeg - centralMeridianDeg));
    const long double sinPhi = std::sin(phi);
    const long double cosPhi = std::cos(phi);
    const long double t = sinPhi / cosPhi;
    const long double t2 = t * t;
    const long double e2 = ellipsoid.eccentricitySquared();
    const long double w = 1 - e2 * sinPhi * sinPhi;
    // ψ = ν/ρ = [a / sqrt(w)] / [a (1 − e²) / w^(3/2)] = w / (1 − e²)
    const long double psi = w / (1 - e2);
    const long double psi2 = psi * psi;
    const long double cos2 = cosPhi * cosPhi;
    const long double omega2 = omega * omega;
    const long double omega3 = omega2 * omega;
    const long double omega5 = omega3 * omega2;
    const long double omega7 = omega5 * omega2;

    const long double gamma = -omega * sinPhi - (omega3 / 3) * sinPhi * cos2 * (2 * psi2 - psi) -
                              (omega5 / 15) * sinPhi * cos2 * cos2 *
                                  (psi2 * psi2 * (11 - 24 * t2) - psi2 * psi * (11 - 36 * t2) +
                                   2 * psi2 * (1 - 7 * t2) + psi * t2) -
                              (omega7 / 315) * sinPhi * cos2 * cos2 * cos2 * (17 - 26 * t2 + 2 * t2 * t2);
    return radiansToDegrees(gamma);
}

} // namespace selvir
