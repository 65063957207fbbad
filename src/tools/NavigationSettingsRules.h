#pragma once
// What the navigation settings window does with typed values: the map update rate, the trackline
// interval that follows it, and the texts that refill a field the surveyor empties.

#include <optional>
#include <string>
#include <string_view>

namespace selvir {

// The update rate a typed text sets, milliseconds: an empty text gives the default 1000; a whole number
// within 100 … 5000 gives itself. Anything else (0, a rate being typed such as "25", letters) sets
// nothing and the rate in force stays: the rate is a timer period and a divisor.
std::optional<int> updateRateFromText(std::string_view text);

// The trackline interval, in map ticks, that keeps a track element every 10 s at this update rate
// (integer division: 1000 ms gives 10, 500 ms gives 20, 250 ms gives 40).
int trackIntervalForRate(int rateMs);

// The shallow-water alert depth of a typed text, metres; nothing when it is not a number.
std::optional<double> depthAlertFromText(std::string_view text);
// What the window says of a typed alert depth it does not take, with the depth still in force (metres).
std::string depthAlertRefusedText(std::string_view typed, double inForceM);

// The fields that are refilled at once when emptied, and what they are refilled with.
enum class RefilledField { TrackInterval, TrackWidth, VesselWidth, DepthAlert, UpdateRate };
std::string_view refillText(RefilledField field);

} // namespace selvir
