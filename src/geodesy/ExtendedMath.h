#pragma once
// Sine and cosine in extended precision, several times faster than the C library's sincosl on x87, for
// the arguments the geodesy operations use (angles of a few turns at most).
//
// Accuracy: within 3e-19 absolute (3 units in the last place of long double at 1) for |x| <= 1e6, where a
// three-part π/32 keeps the argument reduction exact; larger or non-finite arguments go to the C library.
// Method: x = k·π/32 + r with |r| <= π/64; a table of sin(jπ/32) computed at compile time; Taylor
// polynomials of sin r and cos r − 1 whose first dropped terms are below 2⁻⁶⁴; the angle-sum formulas.

namespace selvir {

void extendedSinCos(long double x, long double& sine, long double& cosine);

// asin(u) for |u| < 1e-3 by its series to u⁵ (the next term is below 5e-23): the small correction of
// an angle known to be close to a given one, from the sine of the difference.
inline long double smallAngleAsin(long double u) {
    const long double u2 = u * u;
    return u * (1 + u2 * (1.0L / 6 + u2 * (3.0L / 40)));
}

} // namespace selvir
