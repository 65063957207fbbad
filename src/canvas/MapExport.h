#pragma once
// A map for a report: a window of the drawing in a framed map with its grid and coordinates along the
// frame, a scale bar, a grid-north arrow, survey soundings coloured by depth with their legend, and a
// title block (title, date, location, vessel, surveyor, datum, projection, scale). Written as a PNG
// picture of a chosen pixel size or as a PDF page whose map is vector: lines, outlines and texts stay
// sharp at any zoom and the texts can be searched.
//
// The map is drawn by the canvas's own shape pass (ShapeRenderer.h), so the export shows what the
// screen shows: culling, contrast colours, highlight, texts over shapes. The world window is widened in
// one direction to the frame's proportions, so a metre is as long east as north.
//
// Sizes: a PNG is `sizePx` pixels; a PDF page is `sizePx` at 96 to the inch (A4 landscape when the
// size is left empty). QtGui only; texts need a QGuiApplication (any platform, offscreen included).

#include "canvas/CanvasTypes.h"
#include "canvas/ViewWindow.h"

#include <QRectF>
#include <QSize>
#include <QString>
#include <optional>
#include <vector>

namespace selvir {

class CanvasModel;

// The fields of the title block; empty ones are left out.
struct MapTitle {
    QString title;
    QString date;
    QString location;
    QString vessel;
    QString surveyor;
    QString datum;
    QString projection;
};

// A survey depth at a grid position (metres).
struct Sounding {
    double easting = 0.0;
    double northing = 0.0;
    double depthM = 0.0;
};

// The picture sizes an export takes, each side in pixels, and a PNG's size when none is given.
constexpr int kMapSmallestSidePx = 200;
constexpr int kMapLargestSidePx = 20000;
constexpr QSize kMapDefaultPngSizePx(1920, 1080);

struct MapExportRequest {
    ViewWindow window; // world window to show
    QSize sizePx;      // PNG pixels; PDF page at 96 per inch (empty: A4 landscape)
    TColor backColor = colorWhite;
    MapTitle title;
    std::vector<Sounding> soundings;
};

enum class MapFormat { Png, Pdf };
// By the file name's extension, in any case: ".png" or ".pdf".
std::optional<MapFormat> mapFormatOf(const QString& fileName);

// Where things go on the page, in page units (pixels of a PNG, 1/96 inch of a PDF).
struct MapLayout {
    QRectF page;
    QRectF frame;      // the map
    QRectF titleBlock; // below it
    ViewWindow window; // the world window, widened to the frame's proportions
    double gridStepM = 0.0;
    double scaleBarM = 0.0;
};
MapLayout layoutMap(const MapExportRequest& request, QSize pageSize);

// The page size `request` gives in `format`: sizePx, or A4 landscape for a PDF without one.
QSize pageSizeOf(const MapExportRequest& request, MapFormat format);

// Writes the map to `fileName` (the format by its extension). False, and why in `error`, when the
// name has neither extension, the window has no area, or the file cannot be written.
bool ExportMap(const CanvasModel& model, const MapExportRequest& request, const QString& fileName,
               QString& error);

// The soundings' colour for a depth between the shallowest and the deepest shown: red over yellow,
// green and cyan to blue.
TColor soundingColor(double depthM, double shallowestM, double deepestM);

} // namespace selvir
