#include "tools/Seawater.h"

#include <cmath>

namespace selvir {

double depthFromPressure(double pressureDbar, double latitudeDeg) {
    const double p = pressureDbar;
    // The paper's own degree-to-radian constant, kept so the check value comes out to its digits.
    const double x = std::pow(std::sin(latitudeDeg / 57.29578), 2);
    const double gravity = 9.780318 * (1.0 + (5.2788e-3 + 2.36e-5 * x) * x) + 1.092e-6 * p;
    return (((-1.82e-15 * p + 2.279e-10) * p - 2.2512e-5) * p + 9.72659) * p / gravity;
}

double pressureFromDepth(double depthM, double latitudeDeg) {
    // Depth grows by just under a metre per decibar: start there and let Newton finish.
    double p = depthM / 0.99;
    for (int step = 0; step < 20; ++step) {
        const double h = 1e-3;
        const double slope =
            (depthFromPressure(p + h, latitudeDeg) - depthFromPressure(p - h, latitudeDeg)) / (2 * h);
        const double change = (depthFromPressure(p, latitudeDeg) - depthM) / slope;
        p -= change;
        if (std::abs(change) < 1e-9) {
            break;
        }
    }
    return p;
}

double chenMilleroSoundSpeed(double salinity, double temperature68C, double pressureDbar) {
    const double s = salinity;
    const double t = temperature68C;
    const double p = pressureDbar / 10.0; // the coefficients are for bars
    const double sr = std::sqrt(std::abs(s));
    // S^2 term
    const double d = 1.727e-3 - 7.9836e-6 * p;
    // S^3/2 term
    const double b1 = 7.3637e-5 + 1.7945e-7 * t;
    const double b0 = -1.922e-2 - 4.42e-5 * t;
    const double b = b0 + b1 * p;
    // S^1 term
    const double a3 = (-3.389e-13 * t + 6.649e-12) * t + 1.100e-10;
    const double a2 = ((7.988e-12 * t - 1.6002e-10) * t + 9.1041e-9) * t - 3.9064e-7;
    const double a1 = (((-2.0122e-10 * t + 1.0507e-8) * t - 6.4885e-8) * t - 1.2580e-5) * t + 9.4742e-5;
    const double a0 = (((-3.21e-8 * t + 2.006e-6) * t + 7.164e-5) * t - 1.262e-2) * t + 1.389;
    const double a = ((a3 * p + a2) * p + a1) * p + a0;
    // S^0 term: pure water
    const double c3 = (-2.3643e-12 * t + 3.8504e-10) * t - 9.7729e-9;
    const double c2 = (((1.0405e-12 * t - 2.5335e-10) * t + 2.5974e-8) * t - 1.7107e-6) * t + 3.1260e-5;
    const double c1 = (((-6.1185e-10 * t + 1.3621e-7) * t - 8.1788e-6) * t + 6.8982e-4) * t + 0.153563;
    const double c0 =
        ((((3.1464e-9 * t - 1.47800e-6) * t + 3.3420e-4) * t - 5.80852e-2) * t + 5.03711) * t + 1402.388;
    const double c = ((c3 * p + c2) * p + c1) * p + c0;
    return c + (a + b * sr + d * s) * s;
}

} // namespace selvir
