#pragma once
// Codes of the canvas's pointer and keyboard input: the buttons and modifier keys its handlers take
// and its events report, the pointer shapes and key codes, and the tools of `DrawTool`.

#include "canvas/CanvasTypes.h"

#include <cstdint>

namespace selvir {

// Mouse buttons, valued as the button codes the events report.
enum class TMouseButton : std::int16_t { mbLeft = 1, mbRight = 2, mbMiddle = 4 };
constexpr std::int16_t buttonCode(TMouseButton button) {
    return static_cast<std::int16_t>(button);
}

// Modifier keys held during an input event, as the bit mask the handlers take and the events report.
using TShiftState = std::uint16_t;
enum class ShiftKey : TShiftState { Shift = 1, Ctrl = 2, Alt = 4 };
constexpr TShiftState shiftMask(ShiftKey key) {
    return static_cast<TShiftState>(key);
}
constexpr TShiftState operator|(ShiftKey a, ShiftKey b) {
    return static_cast<TShiftState>(shiftMask(a) | shiftMask(b));
}
constexpr bool isHeld(TShiftState shift, ShiftKey key) {
    return (shift & shiftMask(key)) != 0;
}

// Pointer shapes the tools ask for: the default arrow, a cross while drawing, a four-way arrow while
// panning.
enum class PointerShape { Default, Cross, SizeAll };

// Key codes of KeyDown.
namespace keycode {
constexpr unsigned short Escape = 27;
constexpr unsigned short Delete = 46;
} // namespace keycode

// The values of DrawTool, an int the owner writes: a drawing tool has the code of the shape it
// draws; the others draw nothing, and 0 is "none" (a click selects). Any other value does nothing.
enum class CanvasTool : int {
    None = 0,
    Select = -1,
    Pan = -2,
    ZoomWindow = -3,
    DynamicZoom = -4,
    PickWindow = -5, // two clicks give a world window to the owner (OnWindowPicked); the view stays
    Rectangle = shapeCode(ShapeKind::Rectangle),
    Line = shapeCode(ShapeKind::Line),
    Ellipse4 = shapeCode(ShapeKind::Ellipse4),
    Polyline = shapeCode(ShapeKind::Polyline),
    Polygon = shapeCode(ShapeKind::Polygon),
    Spline = shapeCode(ShapeKind::Spline),
    Curve = shapeCode(ShapeKind::Curve),
    Text = shapeCode(ShapeKind::Text),
    Point = shapeCode(ShapeKind::Point),
    Circle = shapeCode(ShapeKind::Circle),
};
constexpr int toolCode(CanvasTool tool) {
    return static_cast<int>(tool);
}
// The shape a drawing tool draws.
constexpr ShapeKind shapeOf(CanvasTool tool) {
    return static_cast<ShapeKind>(toolCode(tool));
}

} // namespace selvir
