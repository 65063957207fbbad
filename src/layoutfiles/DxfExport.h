#pragma once
// DXF export: the drawing as a minimal ASCII DXF of release 12 ("AC1009") for CAD programs. A header
// with the world window as the extents, a layer table with every layer (colour 7, CONTINUOUS), and the
// visible shapes as plain 2D entities on their layer's name ("0" when the layer does not exist). No
// entity carries a colour, line type or width. CR LF line ends; reals fixed with 6 decimals and ".";
// names and captions in 8-bit Windows-1254.
//
// Exported: lines, circles, points, texts (height 2.5 when not positive), rectangles and polylines
// (types 5 and 6, at least one vertex) as POLYLINE with VERTEX and SEQEND, ellipses of type 20 as the
// circle whose radius is the mean of the half-axes. Not exported: invisible shapes, type-4 ellipses,
// splines, three-point curves and arcs, polylines without vertices, shapes whose class does not match
// their type code.

#include "canvas/CanvasModel.h"
#include "canvas/ViewWindow.h"
#include "layoutfiles/LayoutFileResult.h"

#include <filesystem>
#include <string>

namespace selvir {

// Writes the drawing to `file` (through a temporary file renamed over an older one only when
// complete). Fails, with the system's words, when the file cannot be written; never throws. The
// drawing is not changed.
LayoutFileResult DXFSave(const CanvasModel& model, const ViewWindow& view, const std::filesystem::path& file);

// The DXF text DXFSave writes.
std::string buildDxfText(const CanvasModel& model, const ViewWindow& view);

} // namespace selvir
