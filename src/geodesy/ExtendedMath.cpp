// Extended-precision sine and cosine by argument reduction and Taylor polynomials.
#include "geodesy/ExtendedMath.h"

#include <cmath>
#include <limits>

namespace selvir {
namespace {

constexpr long double factorial(int n) {
    long double result = 1;
    for (int i = 2; i <= n; ++i) {
        result *= i;
    }
    return result;
}

constexpr long double kTwoOverPi = 0x1.45f306dc9c882a54p-1L;
// π/2 = kPio2a + kPio2b + kPio2c, the first two with 32 significant bits so that k·kPio2a and k·kPio2b
// are exact for |k| < 2³².
constexpr long double kPio2a = 0x1.921fb544p+0L;
constexpr long double kPio2b = 0x1.0b4611a6p-34L;
constexpr long double kPio2c = 0x1.3198a2e03707344ap-69L;
constexpr long double kReductionLimit = 1e6L;

constexpr long double powerOfTwo(int exponent) {
    long double result = 1;
    for (int i = 0; i < exponent; ++i) {
        result *= 2;
    }
    return result;
}

// Nearest integer of |x| < 2^(p−2), without the C library's nearbyintl, whose saving and restoring of
// the floating-point environment costs more than the whole polynomial: adding and removing 1.5·2^(p−1)
// rounds the fraction away in round-to-nearest. (Floating-point addition is not reassociated without
// -ffast-math, which this file must not be built with.)
long double nearestInteger(long double x) {
    constexpr long double shifter = 1.5L * powerOfTwo(std::numeric_limits<long double>::digits - 1);
    return (x + shifter) - shifter;
}

} // namespace

namespace {

inline bool reducible(long double x) {
    return std::fabs(x) <= kReductionLimit;
}

// sin and cos of x, |x| <= kReductionLimit.
inline void reducedSinCos(long double x, long double& sine, long double& cosine) {
    const long double k = nearestInteger(x * kTwoOverPi);
    const long double r = ((x - k * kPio2a) - k * kPio2b) - k * kPio2c;
    const long double z = r * r;
    const long double z2 = z * z;
    const long double z4 = z2 * z2;

    constexpr long double s3 = -1 / factorial(3), s5 = 1 / factorial(5), s7 = -1 / factorial(7),
                          s9 = 1 / factorial(9), s11 = -1 / factorial(11), s13 = 1 / factorial(13),
                          s15 = -1 / factorial(15), s17 = 1 / factorial(17), s19 = -1 / factorial(19);
    constexpr long double c2 = -1 / factorial(2), c4 = 1 / factorial(4), c6 = -1 / factorial(6),
                          c8 = 1 / factorial(8), c10 = -1 / factorial(10), c12 = 1 / factorial(12),
                          c14 = -1 / factorial(14), c16 = 1 / factorial(16), c18 = -1 / factorial(18),
                          c20 = 1 / factorial(20);
    const long double sinTail =
        (s3 + s5 * z) + z2 * (s7 + s9 * z) + z4 * ((s11 + s13 * z) + z2 * (s15 + s17 * z) + z4 * s19);
    const long double cosTail = (c2 + c4 * z) + z2 * (c6 + c8 * z) +
                                z4 * ((c10 + c12 * z) + z2 * (c14 + c16 * z) + z4 * (c18 + c20 * z));
    const long double s = r + r * z * sinTail;
    const long double c = 1 + z * cosTail;

    switch (static_cast<long long>(k) & 3) {
    case 0:
        sine = s;
        cosine = c;
        break;
    case 1:
        sine = c;
        cosine = -s;
        break;
    case 2:
        sine = -s;
        cosine = -c;
        break;
    default:
        sine = -c;
        cosine = s;
        break;
    }
}

} // namespace

void extendedSinCos(long double x, long double& sine, long double& cosine) {
    if (!reducible(x)) {
        sine = std::sin(x);
        cosine = std::cos(x);
        return;
    }
    reducedSinCos(x, sine, cosine);
}

} // namespace selvir
