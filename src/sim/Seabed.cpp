#include "sim/Seabed.h"

#include <cmath>
#include <numbers>

namespace selvir::sim {

double seabedDepthM(double eastM, double northM) {
    constexpr double twoPi = 2.0 * std::numbers::pi;
    // Each term is within [-1, 1] and the weights sum to 1, so `shape` stays within [-1, 1].
    const double shape = 0.5 * std::sin(twoPi * eastM / 700.0 + 0.3) * std::cos(twoPi * northM / 900.0) +
                         0.3 * std::sin(twoPi * (eastM + northM) / 1300.0) +
                         0.2 * std::cos(twoPi * (eastM - 0.5 * northM) / 1100.0 + 1.1);
    const double middle = (kSeabedMinDepthM + kSeabedMaxDepthM) / 2.0;
    const double halfRange = (kSeabedMaxDepthM - kSeabedMinDepthM) / 2.0;
    return middle + halfRange * shape;
}

} // namespace selvir::sim
