#pragma once
// XYZ import: a text file of points with a value each (easting, northing and a depth or height),
// shown coloured by the value on a ramp from red (low) through yellow, green and cyan to blue (high):
// as points, or as solid cells covering the grid when the points lie on a regular grid.
//
// Lines: empty lines and lines starting with "#" or ";" are ignored; commas count as blanks; the first
// three numbers (decimal point ".") are X, Y, Z and the rest of the line is ignored; a line without
// three finite numbers is ignored. Lines end at LF, CR LF or a lone CR.

#include "canvas/CanvasModel.h"
#include "canvas/ViewWindow.h"
#include "layoutfiles/LayoutFileResult.h"
#include "layoutfiles/LineReader.h"

#include <filesystem>

namespace selvir {

// Reads the points of `file` and appends one shape per point on `layer` (taken as it is, not
// checked). `low` and `high` are the values at the two ends of the ramp; when both are exactly 0 they
// are the smallest and largest Z read. Then zooms to the extents of the whole drawing for a client of
// `client` pixels. Succeeds when at least one shape was made; fails, with nothing changed, when the
// file cannot be opened (the system's words) or holds no usable point. Never throws.
LayoutFileResult XYZLoad(CanvasModel& model, ViewWindow& view, ClientSize client,
                         const std::filesystem::path& file, int layer, double low, double high);

// The same over any rewindable byte source (tests, fuzzing).
LayoutFileResult importXyz(CanvasModel& model, ViewWindow& view, ClientSize client, ByteSource& source,
                           int layer, double low, double high);

// The ramp colour of `z` between `low` and `high` (a range that is 0 or negative counts as 1).
TColor xyzRampColor(double z, double low, double high);

// Grid spacing found in the first points, when they form a regular grid.
struct XyzGrid {
    bool regular = false;
    double spacingX = 0.0;
    double spacingY = 0.0;
};
// The grid test over the first (at most 1000) points; only with more than 10 points.
XyzGrid detectXyzGrid(const std::vector<double>& xs, const std::vector<double>& ys);

} // namespace selvir
