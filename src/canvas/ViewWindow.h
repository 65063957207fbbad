#pragma once
// The world window shown on the canvas and the mapping between world coordinates (metres, X east,
// Y north) and client pixels (x to the right, y downwards). The window is not kept in proportion by
// itself: each operation decides whether it fits the client's aspect ratio. Plain value type, no Qt.

#include "canvas/CanvasTypes.h"

namespace selvir {

class CanvasModel;

struct ViewWindow {
    double WorldLeft = 0.0;     // world X at the left edge of the client area
    double WorldRight = 1000.0; // world X at the right edge
    double WorldTop = 1000.0;   // world Y at the top edge
    double WorldBottom = 0.0;   // world Y at the bottom edge

    double GetWorldWidth() const { return WorldRight - WorldLeft; }
    double GetWorldHeight() const { return WorldTop - WorldBottom; }

    // Every edge and both spans are finite numbers (a span past the largest double is not).
    bool isFinite() const;
    // Finite, with a positive width and height. Zoom, pan, extents and resize leave only such a
    // window behind: when theirs would not be one, the view stays as it was.
    bool isUsable() const;

    // px = trunc((x - WorldLeft) * (W / dx)), py = trunc((WorldTop - y) * (H / dy)); a world width or
    // height of exactly 0 counts as 1. Truncation is toward zero.
    void WorldToScreen(double x, double y, ClientSize client, int& px, int& py) const;
    // x = WorldLeft + px * (dx / W), y = WorldTop - py * (dy / H); a client size below 1 counts as 1.
    void ScreenToWorld(int px, int py, ClientSize client, double& x, double& y) const;
    // The px of WorldToScreen(x, 0) and the py of WorldToScreen(0, y).
    int WorldToAbsX(double x, ClientSize client) const;
    int WorldToAbsY(double y, ClientSize client) const;

    // Zooms about the world point (x, y): the scale is 1 - factor held to 0.1..10 (a positive factor
    // zooms in); the width scales, the anchor keeps its place on the screen horizontally, and the
    // height follows the client's aspect ratio.
    void WorldZoom(double factor, double x, double y, ClientSize client);
    // Positive dx moves the view east (the drawing moves left on the screen).
    void WorldPan(double dx, double dy);
    // Stores the four edges as given, no check, no aspect correction.
    void WorldSet(double left, double top, double right, double bottom);
    // Fits the visible shapes with a 5 % margin and the client's aspect ratio (the box alone on a client
    // without width or height); an empty drawing gives 0..1000 both ways. Shapes without geometry (a
    // polyline without vertices) do not count. Returns false and changes nothing when the visible
    // shapes span no area or no usable window fits them.
    bool WorldExtents(const CanvasModel& model, ClientSize client);
    // Makes one world unit the same pixel size in X and Y by growing or shrinking one direction about
    // its centre. Does nothing unless both client sides are positive.
    void Resize(ClientSize client);

    friend bool operator==(const ViewWindow&, const ViewWindow&) = default;
};

// Automatic grid step for a world width split into `divisions`: 1, 2, 5 or 10 times a power of ten.
// A non-positive width or division count gives 1.
double autoGridStep(double worldWidth, int divisions = 8);

// Brightness of a colour value: (299 R + 587 G + 114 B) / 1000, integer division.
int colorBrightness(TColor c);

// The colour a shape of colour `c` is drawn with on background `back`: white for two dark colours,
// black for two bright ones, black or white for two nearly equal ones, else `c`.
TColor GetContrastColor(TColor c, TColor back);

} // namespace selvir
