#pragma once
// Codes of the canvas's pointer and keyboard input: the buttons and modifier keys its handlers take
// and its events report, the key codes it reacts to, and the tool values of `DrawTool` that are not
// shape types (the drawing tools are the shape type codes of CanvasTypes.h).

#include <cstdint>

namespace selvir {

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// Modifier keys held during an input event, as the bit mask the events report.
using TShiftState = std::uint16_t;
namespace shiftmask {
constexpr TShiftState Shift = 1;
constexpr TShiftState Ctrl = 2;
constexpr TShiftState Alt = 4;
} // namespace shiftmask

// Button codes of OnWorldMouseDown.
namespace buttoncode {
constexpr std::int16_t Left = 1;
constexpr std::int16_t Right = 2;
constexpr std::int16_t Middle = 4;
} // namespace buttoncode

constexpr std::int16_t buttonCode(TMouseButton button) {
    switch (button) {
    case TMouseButton::mbLeft:
        return buttoncode::Left;
    case TMouseButton::mbRight:
        return buttoncode::Right;
    case TMouseButton::mbMiddle:
        return buttoncode::Middle;
    }
    return 0;
}

// Key codes of KeyDown.
namespace keycode {
constexpr unsigned short Escape = 27;
constexpr unsigned short Delete = 46;
} // namespace keycode

// Tools that draw nothing; 0 is "none" (a click selects).
namespace drawtool {
constexpr int None = 0;
constexpr int Select = -1;
constexpr int Pan = -2;
constexpr int ZoomWindow = -3;
constexpr int DynamicZoom = -4;
} // namespace drawtool

} // namespace selvir
