// Extended-precision sine and cosine: argument reduction to a multiple of π/32 plus a remainder of at
// most π/64, a table of sin(jπ/32), short Taylor polynomials for the remainder, and the angle-sum
// formulas.
#include "geodesy/ExtendedMath.h"

#include <array>
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

constexpr long double powerOfTwo(int exponent) {
    long double result = 1;
    for (int i = 0; i < exponent; ++i) {
        result *= 2;
    }
    return result;
}

// π/32 = kStepA + kStepB + kStepC, the first two with 32 significant bits so that k·kStepA and k·kStepB
// are exact for |k| < 2³².
constexpr long double kStepA = 0x1.921fb544p-4L;
constexpr long double kStepB = 0x1.0b4611a6p-38L;
constexpr long double kStepC = 0x1.3198a2e03707344ap-73L;
constexpr long double kStep = kStepA + kStepB + kStepC;
constexpr long double kStepsPerRadian = 0x1.45f306dc9c882a54p+3L; // 32/π
constexpr long double kReductionLimit = 1e6L;

// Taylor series at compile time for |x| <= π/4, summed from the small terms up.
constexpr long double taylorSin(long double x) {
    long double sum = 0;
    for (int n = 29; n >= 1; n -= 2) {
        long double term = 1;
        for (int i = 0; i < n; ++i) {
            term *= x;
        }
        sum += ((n / 2) % 2 == 0 ? term : -term) / factorial(n);
    }
    return sum;
}
constexpr long double taylorCos(long double x) {
    long double sum = 0;
    for (int n = 30; n >= 0; n -= 2) {
        long double term = 1;
        for (int i = 0; i < n; ++i) {
            term *= x;
        }
        sum += ((n / 2) % 2 == 0 ? term : -term) / factorial(n);
    }
    return sum;
}

// sin(jπ/32) for j = 0..16; cos(jπ/32) is entry 16 − j. Each entry from the series at an angle of at
// most π/4, where it is accurate to the last place.
constexpr std::array<long double, 17> makeSineTable() {
    std::array<long double, 17> table{};
    for (int j = 0; j <= 16; ++j) {
        table[j] = j <= 8 ? taylorSin(j * kStep) : taylorCos((16 - j) * kStep);
    }
    return table;
}
constexpr std::array<long double, 17> kSineTable = makeSineTable();

// Nearest integer of |x| < 2^(p−2), without the C library's nearbyintl, whose saving and restoring of
// the floating-point environment costs more than the whole evaluation: adding and removing 1.5·2^(p−1)
// rounds the fraction away in round-to-nearest. (Floating-point addition is not reassociated without
// -ffast-math, which this file must not be built with.)
long double nearestInteger(long double x) {
    constexpr long double shifter = 1.5L * powerOfTwo(std::numeric_limits<long double>::digits - 1);
    return (x + shifter) - shifter;
}

} // namespace

void extendedSinCos(long double x, long double& sine, long double& cosine) {
    if (!(std::fabs(x) <= kReductionLimit)) {
        sine = std::sin(x);
        cosine = std::cos(x);
        return;
    }
    const long double k = nearestInteger(x * kStepsPerRadian);
    const long double r = ((x - k * kStepA) - k * kStepB) - k * kStepC; // |r| <= π/64
    const long double z = r * r;
    // For |r| <= π/64 the first dropped terms (r¹¹/11!, r¹²/12!) are below 2⁻⁶⁴ relative.
    constexpr long double s3 = -1 / factorial(3), s5 = 1 / factorial(5), s7 = -1 / factorial(7),
                          s9 = 1 / factorial(9);
    constexpr long double c2 = -1 / factorial(2), c4 = 1 / factorial(4), c6 = -1 / factorial(6),
                          c8 = 1 / factorial(8), c10 = -1 / factorial(10);
    const long double sinR = r + r * z * (s3 + z * (s5 + z * (s7 + z * s9)));
    const long double cosRMinus1 = z * (c2 + z * (c4 + z * (c6 + z * (c8 + z * c10))));

    const int m = static_cast<int>(static_cast<long long>(k) & 63); // k·π/32 within one turn
    const int j = m & 15;
    const long double sj = kSineTable[j];
    const long double cj = kSineTable[16 - j];
    long double sinA, cosA; // of the table angle m·π/32
    switch (m >> 4) {
    case 0:
        sinA = sj;
        cosA = cj;
        break;
    case 1:
        sinA = cj;
        cosA = -sj;
        break;
    case 2:
        sinA = -sj;
        cosA = -cj;
        break;
    default:
        sinA = -cj;
        cosA = sj;
        break;
    }
    // sin(A + r) = sin A + (sin A·(cos r − 1) + cos A·sin r), and likewise for the cosine.
    sine = sinA + (sinA * cosRMinus1 + cosA * sinR);
    cosine = cosA + (cosA * cosRMinus1 - sinA * sinR);
}

} // namespace selvir
