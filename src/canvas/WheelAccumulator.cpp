#include "canvas/WheelAccumulator.h"

namespace selvir {

int WheelAccumulator::add(int delta) {
    if ((delta > 0 && rest_ < 0) || (delta < 0 && rest_ > 0)) {
        rest_ = 0;
    }
    rest_ += delta;
    const std::int64_t steps = rest_ / notchDelta; // toward zero: the rest keeps the sign of the turn
    rest_ -= steps * notchDelta;
    return static_cast<int>(steps);
}

} // namespace selvir
