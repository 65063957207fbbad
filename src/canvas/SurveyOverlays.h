#pragma once
// The survey overlays' state and rules, apart from the painting: the depth and event label lists with
// the depth-label spacing and pruning, the current depth and speed, the box corners, the distance
// measure, the texts the overlays show and the geometry of their boxes. CanvasCore keeps one
// SurveyOverlayState; the widget paints it over the shape image (TSelvirCanvasOverlays.cpp).
// No Qt beyond QString.

#include "canvas/CanvasTypes.h"

#include <QString>
#include <vector>

namespace selvir {

struct DepthLabel {
    double X = 0.0; // world
    double Y = 0.0;
    double Depth = 0.0; // metres
};

struct EventLabel {
    double X = 0.0; // world
    double Y = 0.0;
    int Number = 0;
};

// Past this many depth labels the oldest `depthLabelPruneCount` are dropped.
constexpr int depthLabelLimit = 10000;
constexpr int depthLabelPruneCount = 1000;

// The distance-and-bearing line the owner drives from its right-click handling. The canvas shows the
// distance and azimuth it is given; it computes neither.
struct DistanceMeasure {
    bool Measuring = false;
    double MeasureStartX = 0.0, MeasureStartY = 0.0; // world
    double MeasureX = 0.0, MeasureY = 0.0;           // current end, world
    double MeasureDistance = 0.0;                    // metres
    double MeasureAzimuth = 0.0;                     // degrees; kept from the last measure by Start

    void Start(double x, double y);
    // Only while measuring; returns whether anything changed hands.
    bool Update(double x, double y, double distanceM, double azimuthDeg);
    void End() { Measuring = false; }
};

struct SurveyOverlayState {
    std::vector<DepthLabel> DepthLabels; // insertion order
    std::vector<EventLabel> EventLabels; // insertion order

    bool ShowDepthLabels = true;
    double LabelSpacing = 10.0; // minimum distance between depth labels, world units (metres)
    QString LabelFontName = QStringLiteral("Arial");
    int LabelFontSize = 12; // points
    TColor LabelColor = colorBlack;

    double CurrentDepthHF = 0.0; // metres
    double CurrentDepthLF = 0.0; // metres
    bool DepthValid = false;
    double CurrentSpeed = 0.0; // knots
    bool SpeedValid = false;

    int DepthSpeedDisplayMode = 0; // corner of the depth and speed box: 0 bottom-left, 1 bottom-right,
                                   // 2 top-right, 3 top-left
    int GGAOverlayPosition = 0;    // corner of the position-status box: 0 top-left, 1 top-right,
                                   // 2 bottom-right, 3 bottom-left

    DistanceMeasure Measure;

    // Adds the label unless an existing one lies closer than LabelSpacing (any of them, not only the
    // last: sailing back over surveyed ground adds none there); then drops the oldest 1000 when the
    // list holds more than 10000. Returns whether it was added.
    bool AddDepthLabel(double x, double y, double depthM);
};

// What the overlays read from the owner rather than from the canvas: the event-label look of the
// display settings and the receiver status of the realtime update. The owner writes it whole with
// SetOverlayOwnerState.
struct OverlayOwnerState {
    QString statusText;          // one line for the position-status box; empty: no box
    int fixQuality = 0;          // 0 no fix, 1 autonomous, 2 differential, 4 RTK fixed, 5 RTK float, 7 manual
    int eventLabelFontSize = 24; // points
    TColor eventLabelColor = colorRed;
};

// The next corner, (value + 1) mod 4.
int nextOverlayCorner(int corner);

// --- Texts
// A depth label: fixed, 1 decimal ("12.3").
QString depthLabelText(double depthM);
// The depth and speed box line, "HF: 12.30 m  LF: 12.50 m  4.3 kn" or parts of it: the depths only when
// valid and HF is positive (LF only when also positive), the speed only when valid. Empty: no box.
QString depthSpeedText(const SurveyOverlayState& state);
// The distance measure's two lines: "12.35 m" and "45.0°".
QString measureDistanceText(double distanceM);
QString measureAzimuthText(double azimuthDeg);

// --- Geometry, in client pixels
// A box as drawn: left, top, right, bottom with the right column and bottom row outside the outline.
struct PixelBox {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    friend bool operator==(const PixelBox&, const PixelBox&) = default;
};

struct TextSize {
    int Width = 0, Height = 0; // pixels
};

struct PixelPoint {
    int X = 0, Y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// Top-left corner of the depth and speed text for the corner mode (other values as 0).
PixelPoint depthSpeedTextOrigin(int mode, ClientSize client, TextSize text);
// Top-left corner of the position-status text for the corner position (other values as 0).
PixelPoint ggaTextOrigin(int position, ClientSize client, TextSize text);
// The rounded box drawn around a text at `origin`: 6 pixels of margin on every side.
PixelBox overlayBoxAround(PixelPoint origin, TextSize text);
// Inclusive of the right column and bottom row, as the hit test of the top-left box always was.
bool overlayBoxContains(const PixelBox& box, int x, int y);

// Position-status box colour by fix quality: 1 red, 2 aqua, 4 and 7 lime, anything else yellow; the
// text is white on red, else black.
TColor ggaBoxColor(int fixQuality);
TColor ggaTextColor(int fixQuality);

// Labels are drawn while their anchor lies within 50 pixels left and right and 20 above and below the
// client area, so a label cut by the edge still shows its visible part.
bool labelAnchorInView(int px, int py, ClientSize client);

} // namespace selvir
