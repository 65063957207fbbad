#pragma once
// Colour values as the settings file and the layout files store them: red in the low byte, green in the
// second, blue in the third (255 is red, 0xFFFFFF white). The named colours are defined once here.

#include <cstdint>

namespace selvir {

using ColorValue = std::uint32_t;

inline constexpr ColorValue kColorBlack = 0x000000;
inline constexpr ColorValue kColorWhite = 0xFFFFFF;
inline constexpr ColorValue kColorRed = 0x0000FF;
inline constexpr ColorValue kColorLime = 0x00FF00;
inline constexpr ColorValue kColorAqua = 0xFFFF00;
inline constexpr ColorValue kColorYellow = 0x00FFFF;
inline constexpr ColorValue kColorSilver = 0xC0C0C0;
inline constexpr ColorValue kColorNavy = 0x800000;
inline constexpr ColorValue kColorGreen = 0x008000;

} // namespace selvir
