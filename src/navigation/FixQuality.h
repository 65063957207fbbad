#pragma once
// GGA fix quality codes (field 6): their names in the status text and the colours of the realtime
// window's GPS box.

#include <cstdint>
#include <string>

namespace selvir {

// A colour value with red in the low byte, green in the second and blue in the third (255 is red).
using ColorValue = std::uint32_t;

inline constexpr ColorValue kColorRed = 0x0000FF;
inline constexpr ColorValue kColorLime = 0x00FF00;
inline constexpr ColorValue kColorAqua = 0xFFFF00;
inline constexpr ColorValue kColorYellow = 0x00FFFF;

// 0 "No Fix", 1 "GPS", 2 "DGPS", 4 "RTK Fix", 5 "RTK Float", any other n "Fix:" + n ("Fix:3").
std::string fixQualityName(int fixQuality);
// 0 and 1 red, 2 aqua, 4 lime, 5 and any other yellow.
ColorValue fixQualityColor(int fixQuality);

} // namespace selvir
