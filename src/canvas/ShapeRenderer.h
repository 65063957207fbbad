#pragma once
// Turning the drawing into pixels: the background grid and the shape pass that fill the canvas's
// off-screen image. Needs only QtGui; texts need a QGuiApplication (fonts), everything else does not.

#include "canvas/CanvasTypes.h"
#include "canvas/ViewWindow.h"

#include <QString>

class QImage;

namespace selvir {

class CanvasModel;
class DrawSurface;

struct GridSettings {
    bool GridVisible = false;
    bool GridAuto = true;        // spacing follows the zoom
    double GridSpacingX = 100.0; // manual spacing, world units
    double GridSpacingY = 100.0;
    TColor GridColor = colorSilver;
    int GridOrder = 0; // 0 under the shapes, 1 over them, anything else no grid
    friend bool operator==(const GridSettings&, const GridSettings&) = default;
};

// At most this many shapes are drawn per rebuild (both passes together).
constexpr int shapeDrawBudget = 500000;
// Point shapes closer than this to the last drawn point (in both x and y) are not drawn.
constexpr int pointDecimationPx = 3;

// The shape pass. First pass: every visible shape on a visible, existing layer whose bounds meet the
// world window, except texts, points within 3 pixels of the last drawn point, and shapes (other than
// points and rectangles) smaller than half a pixel both ways. Second pass: the texts, so they lie over
// everything else. Pen colours go through the contrast rule against `backColor`. Returns the number of
// shapes drawn; stops at `budget`.
int DrawAllShapes(DrawSurface& surface, const CanvasModel& model, const ViewWindow& view, ClientSize client,
                  TColor backColor, int budget = shapeDrawBudget);

// Grid lines, labels along the bottom and left edges, and the red axes when the world origin is in
// view. Nothing when the grid is off or the world window has no area.
void DrawGrid(DrawSurface& surface, const GridSettings& grid, const ViewWindow& view, ClientSize client);

// The grid spacing used for the current view: the manual spacing, or the automatic step. A manual
// spacing finer than one line per pixel falls back to the automatic step.
struct GridSteps {
    double x;
    double y;
};
GridSteps gridSteps(const GridSettings& grid, const ViewWindow& view, ClientSize client);

// A grid label: at most one decimal for steps of 1 and more, three below, no trailing zeros.
QString gridLabel(double value, double step);

// A full rebuild of `image` (already sized to the client): background, grid under or over the shapes
// by GridOrder, shapes. Returns the number of shapes drawn.
int RenderCanvasImage(QImage& image, const CanvasModel& model, const ViewWindow& view,
                      const GridSettings& grid, TColor backColor, int budget = shapeDrawBudget);

} // namespace selvir
