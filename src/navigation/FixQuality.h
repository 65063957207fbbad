#pragma once
// GGA fix quality codes (field 6): their names in the status text and the colours of the realtime
// window's GPS box.

#include "core/Colors.h"

#include <string>

namespace selvir {

// 0 "No Fix", 1 "GPS", 2 "DGPS", 4 "RTK Fix", 5 "RTK Float", any other n "Fix:" + n ("Fix:3").
std::string fixQualityName(int fixQuality);
// 0 and 1 red, 2 aqua, 4 lime, 5 and any other yellow.
ColorValue fixQualityColor(int fixQuality);

// True when the receiver reports a position: GGA quality 0 means "invalid", and a GGA without
// position fields decodes to latitude and longitude 0, which no survey ever sails at.
bool positionReported(int fixQuality, double latitudeDeg, double longitudeDeg);

} // namespace selvir
