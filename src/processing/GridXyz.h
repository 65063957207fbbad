#pragma once
// A depth grid as XYZ text: one "easting northing value" line per cell with data (cell centres, metres
// with 3 decimals, "." as decimal point), rows from north to south and west to east in each, nodata
// cells left out. The value is the depth (positive down) or, asked for, the elevation (its negative).
// GDAL's XYZ driver, GMT's xyz2grd and the program's own XYZ import read it.

#include "processing/Gridding.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace selvir::processing {

std::string formatGridXyz(const DepthGrid& grid, bool elevation);

// Reads an XYZ text of cell centres on a square lattice back into a grid (depths positive down; with
// `elevation` the values are elevations and are negated). Lines: blanks or commas between three numbers,
// "#" comments and empty lines skipped. Fails, naming the line, on a line that is not three numbers, on
// points off one square lattice, or on a cell given twice. The file holds no counts nor deviations:
// each cell with a value counts 1, its deviation is NaN.
struct GridReadResult {
    std::optional<DepthGrid> grid;
    std::string error;
};
GridReadResult parseGridXyz(std::string_view text, bool elevation);
GridReadResult readGridXyz(const std::filesystem::path& file, bool elevation);

} // namespace selvir::processing
