#pragma once
// Sine and cosine in extended precision, about three times faster than the C library's sincosl on x87,
// for the arguments the geodesy operations use (angles of a few turns at most).
//
// Accuracy: within 1.5 units in the last place of long double (64-bit mantissa) for |x| <= 1e6, where a
// three-part π/2 keeps the argument reduction exact; larger or non-finite arguments go to the C library.
// The polynomials are the Taylor series of sin and cos on [-π/4, π/4] up to x¹⁹ and x²⁰, whose first
// dropped term is below 2⁻⁶⁴ there, evaluated in Estrin's scheme for instruction-level parallelism.

namespace selvir {

void extendedSinCos(long double x, long double& sine, long double& cosine);

// asin(u) for |u| < 1e-3 by its series to u⁵ (the next term is below 5e-23): the small correction of
// an angle known to be close to a given one, from the sine of the difference.
inline long double smallAngleAsin(long double u) {
    const long double u2 = u * u;
    return u * (1 + u2 * (1.0L / 6 + u2 * (3.0L / 40)));
}

} // namespace selvir
