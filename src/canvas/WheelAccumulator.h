#pragma once
// Turns mouse-wheel deltas into whole zoom steps. The toolkit reports a turn in eighths of a degree
// and a standard notch is 120; high-resolution wheels and touchpads send parts of a notch (15, 8, ...),
// which must add up to one step instead of each making one. Plain value type, no Qt.

#include <cstdint>

namespace selvir {

class WheelAccumulator {
public:
    static constexpr int notchDelta = 120; // eighths of a degree per standard notch

    // Adds a delta (positive: turned away from the user) and returns the whole notches completed,
    // signed; the rest is kept for the next delta. A delta against the direction of the rest drops it
    // first, so a turn back is never eaten by what was left of the turn forward.
    int add(int delta);

private:
    std::int64_t rest_ = 0; // |rest_| < notchDelta; wide so that no delta can overflow the sum
};

} // namespace selvir
