#pragma once
// Grid convergence of the Transverse Mercator projection, by the series of Redfearn as given in the
// Geocentric Datum of Australia technical manual:
//
//     γ = −ω·sin φ − (ω³/3)·sin φ·cos²φ·(2ψ² − ψ)
//         − (ω⁵/15)·sin φ·cos⁴φ·[ψ⁴(11 − 24t²) − ψ³(11 − 36t²) + 2ψ²(1 − 7t²) + ψt²]
//         − (ω⁷/315)·sin φ·cos⁶φ·(17 − 26t² + 2t⁴)
//
// with ω = λ − λ0 (taken in [-180°, 180°)), t = tan φ, ψ = ν/ρ (prime-vertical over meridian radius).
//
// Sign: γ is the angle to add to a true bearing to obtain the grid bearing, i.e. the bearing of true
// north measured clockwise from grid north. It is negative east of the central meridian in the northern
// hemisphere. (GeographicLib's "meridian convergence" is the same angle with the opposite sign.)
// Units: degrees in and out. Only the ellipsoid, the point and the central meridian enter.

#include "geodesy/Ellipsoid.h"

namespace selvir {

long double tmGridConvergenceDeg(const Ellipsoid& ellipsoid, long double latitudeDeg,
                                 long double longitudeDeg, long double centralMeridianDeg);
// The same from sin φ, cos φ and ω = λ − λ0 in radians (within [-π, π)); the result is in degrees.
long double tmGridConvergenceFromTrigDeg(const Ellipsoid& ellipsoid, long double sinPhi, long double cosPhi,
                                         long double omegaRad);

} // namespace selvir
