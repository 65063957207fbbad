#pragma once
// Turning the drawing into pixels: the background grid and the shape pass that fill the canvas's
// off-screen image. Needs only QtGui; texts need a QGuiApplication (fonts), everything else does not.

#include "canvas/CanvasTypes.h"
#include "canvas/Shapes.h"
#include "canvas/ViewWindow.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <cstdint>
#include <vector>

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

// The tests of the shape pass for one view: which shapes it looks at and which it leaves out.
class ShapePassRules {
public:
    ShapePassRules(const CanvasModel& model, const ViewWindow& view, ClientSize client);
    // Visible, on an existing visible layer, bounds meeting the world window.
    bool shown(const TSShape& shape) const;
    // Neither a point, a text nor a rectangle, and smaller than half a pixel both ways.
    bool subPixel(const TSShape& shape) const;
    // The pixel the point decimation compares.
    QPoint pointPixel(const TSPoint& point) const;
    // The mapping of the shapes' Draw.
    const PixelMap& pixelMap() const { return map_; }

private:
    std::vector<char> layerShown_;
    ViewWindow view_;
    double unitsPerPixel_ = 1.0;
    PixelMap map_;
};

// The point decimation: a point within 3 pixels (both ways) of the last point drawn is left out.
struct PointDecimation {
    QPoint last{-9999, -9999};
    // True when a point at `pixel` is drawn (and then becomes the last one).
    bool keep(QPoint pixel);
};

// The shapes one rebuild draws, in drawing order.
struct ShapePassPlan {
    std::vector<const TSShape*> shapes; // first pass, no texts
    std::vector<QRect> footprints;      // of each of `shapes`, client pixels (ShapeFootprint.h)
    std::vector<const TSShape*> texts;  // second pass
    // Order keys of the points the decimation left out, ascending.
    std::vector<std::int64_t> decimatedPoints;
    PointDecimation decimation; // as it stands after the last shape
    int notDrawn = 0;           // shapes the budget left out
    int looked = 0;             // shapes visible on a visible layer in the window
    int drawn() const { return static_cast<int>(shapes.size() + texts.size()); }
};

// The shape pass, chosen. First pass: every visible shape on a visible, existing layer whose bounds
// meet the world window, except texts, points within 3 pixels of the last drawn point, and shapes
// (other than points and rectangles) smaller than half a pixel both ways. Second pass: the texts, so
// they lie over everything else. At most `budget` shapes in all, the rest counted in notDrawn.
ShapePassPlan planShapePass(const CanvasModel& model, const ViewWindow& view, ClientSize client,
                            int budget = shapeDrawBudget);
// The same over `candidates`, which must be in drawing order and hold every shape the pass would look
// at (all shapes whose bounds meet the world window).
ShapePassPlan planShapePass(const std::vector<const TSShape*>& candidates, const CanvasModel& model,
                            const ViewWindow& view, ClientSize client, int budget = shapeDrawBudget);

// How each text of a plan lands on `surface` (TSText::layout), in the plan's order.
std::vector<TextLayout> layoutTexts(DrawSurface& surface, const ShapePassPlan& plan, const ViewWindow& view,
                                    ClientSize client, TColor backColor);

// Draws a plan within the surface's clip (shapes that cannot reach it are passed over). Pen colours go
// through the contrast rule against `backColor`. `textLayouts`, when given, are the plan's texts laid
// out on a surface of the same kind (layoutTexts()), so that bands need not lay them out again.
void drawShapePass(DrawSurface& surface, const ShapePassPlan& plan, const ViewWindow& view, ClientSize client,
                   TColor backColor, const std::vector<TextLayout>* textLayouts = nullptr);

// Plans and draws the shape pass. Returns the number of shapes drawn.
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
