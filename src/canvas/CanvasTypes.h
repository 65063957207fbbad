#pragma once
// Basic value types of the canvas: colour values, shape ids, type codes, pen and brush style ordinals.

#include <cstdint>

namespace selvir {

// A colour value: red in the low byte, green in the second, blue in the third (255 is red, 0xFFFFFF
// white). Files keep it as a signed decimal integer, so it is a signed 32-bit number.
using TColor = std::int32_t;

constexpr TColor colorBlack = 0x000000;
constexpr TColor colorWhite = 0xFFFFFF;
constexpr TColor colorRed = 0x0000FF;
constexpr TColor colorSilver = 0xC0C0C0;

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

// Shape type codes (also the interactive drawing tools).
namespace shapetype {
constexpr int Rectangle = 1;
constexpr int Line = 3;
constexpr int Ellipse4 = 4; // ellipse code of older drawings; files map it to Ellipse
constexpr int Polyline = 5;
constexpr int Polygon = 6;
constexpr int Spline = 8;
constexpr int Curve = 10; // three-point curve (a polyline) and three-point arc (TSArc)
constexpr int Arc = 10;
constexpr int Text = 11;
constexpr int Point = 17;
constexpr int Circle = 19;
constexpr int Ellipse = 20;
} // namespace shapetype

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

// A vertex kept in single precision (polyline vertices, selection polygons).
struct TPointF {
    float X = 0.0f;
    float Y = 0.0f;
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
};

// Truncation toward zero of a pixel coordinate, safe for any double: NaN gives 0 and values beyond
// +-1e9 pixels are held there, so a far-off vertex can never overflow an int.
int truncToPixel(double value);

} // namespace selvir
