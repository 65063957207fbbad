#pragma once
// Basic value types of the canvas: colour values, shape ids, type codes, pen and brush style ordinals.

#include "core/Colors.h"

#include <cstdint>

namespace selvir {

// A colour value: red in the low byte, green in the second, blue in the third (255 is red, 0xFFFFFF
// white). Files keep it as a signed decimal integer, so it is a signed 32-bit number.
using TColor = std::int32_t;

// The named colours of core/Colors.h as canvas colour values.
constexpr TColor canvasColor(ColorValue c) {
    return static_cast<TColor>(c);
}
constexpr TColor colorBlack = canvasColor(kColorBlack);
constexpr TColor colorWhite = canvasColor(kColorWhite);
constexpr TColor colorRed = canvasColor(kColorRed);
constexpr TColor colorSilver = canvasColor(kColorSilver);
constexpr TColor colorAqua = canvasColor(kColorAqua);
constexpr TColor colorLime = canvasColor(kColorLime);
constexpr TColor colorYellow = canvasColor(kColorYellow);
constexpr TColor colorNavy = canvasColor(kColorNavy);

constexpr int colorRedOf(TColor c) {
    return c & 0xFF;
}
constexpr int colorGreenOf(TColor c) {
    return (c >> 8) & 0xFF;
}
constexpr int colorBlueOf(TColor c) {
    return (c >> 16) & 0xFF;
}
constexpr TColor makeColor(int red, int green, int blue) {
    return static_cast<TColor>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

// Shape ids: 32-bit, from 1; -1 means "no shape".
using ShapeId = std::int32_t;
constexpr ShapeId noShape = -1;

// Shape type codes: the ShapeType of every shape, the number GetShapeType and the events report, and
// the drawing tool of the same number (CanvasTool).
enum class ShapeKind : std::int16_t {
    Rectangle = 1,
    Line = 3,
    Ellipse4 = 4, // ellipse code of older drawings; files map it to Ellipse
    Polyline = 5,
    Polygon = 6,
    Spline = 8,
    Curve = 10, // three points: a polyline drawn with the tool, or a TSArc made by DrawThreePointArc
    Text = 11,
    Point = 17,
    Circle = 19,
    Ellipse = 20,
};
constexpr std::int16_t shapeCode(ShapeKind kind) {
    return static_cast<std::int16_t>(kind);
}

// Pen styles by ordinal.
namespace penstyle {
constexpr int Solid = 0;
constexpr int Dash = 1;
constexpr int Dot = 2;
constexpr int DashDot = 3;
constexpr int DashDotDot = 4;
constexpr int Clear = 5;
constexpr int InsideFrame = 6;
} // namespace penstyle

// Brush styles by ordinal.
namespace brushstyle {
constexpr std::uint8_t Solid = 0;
constexpr std::uint8_t Clear = 1;
constexpr std::uint8_t Horizontal = 2;
constexpr std::uint8_t Vertical = 3;
constexpr std::uint8_t FDiagonal = 4;
constexpr std::uint8_t BDiagonal = 5;
constexpr std::uint8_t Cross = 6;
constexpr std::uint8_t DiagCross = 7;
} // namespace brushstyle

// A polyline vertex or a selection-polygon corner, world metres. Double precision: at grid
// coordinates in the millions of metres single precision would round a vertex to half a metre.
struct TPointF {
    double X = 0.0;
    double Y = 0.0;
};

// A world point in double precision.
struct WorldPoint {
    double X = 0.0;
    double Y = 0.0;
    friend bool operator==(const WorldPoint&, const WorldPoint&) = default;
};

// Client area size in pixels.
struct ClientSize {
    int Width = 0;
    int Height = 0;
    friend bool operator==(const ClientSize&, const ClientSize&) = default;
};

// Truncation toward zero of a pixel coordinate, safe for any double: NaN gives 0 and values beyond
// +-1e9 pixels are held there, so a far-off vertex can never overflow an int.
inline int truncToPixel(double value) {
    constexpr double limit = 1e9;
    if (!(value == value)) {
        return 0;
    }
    return static_cast<int>(value < -limit ? -limit : value > limit ? limit : value);
}

} // namespace selvir
