#pragma once
// Gridding: accepted soundings binned into square cells whose edges lie on multiples of the cell size
// in grid coordinates (a 5 m grid has cells 500000..500005 E, never 500002.3..500007.3), so grids of
// different days and surveys line up cell for cell.
//
// Per cell: the mean, the median (of an even count, the mean of the middle two) or the shoalest
// (smallest) depth, the number of soundings and their standard deviation (population; 0 for one
// sounding). Depths are below the vertical datum when the record has that term; a record without any
// water level is gridded below the water line instead, and DepthGrid::reference says so. Cells without
// a sounding hold NaN (nodata).

#include "processing/Sounding.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace selvir::processing {

enum class GridStatistic { Mean, Median, Shoalest };

std::string_view gridStatisticName(GridStatistic statistic); // "mean", "median", "shoalest"
std::optional<GridStatistic> parseGridStatistic(std::string_view name);

// A north-up raster in grid coordinates, as GeoTIFF lays one out: row 0 is the northmost, columns run
// west to east; cell (row, col) covers easting westM + col * cellSizeM .. + cellSizeM and northing
// northM - (row + 1) * cellSizeM .. northM - row * cellSizeM.
struct DepthGrid {
    double westM = 0;  // easting of the west edge of column 0
    double northM = 0; // northing of the north edge of row 0
    double cellSizeM = 0;
    int rows = 0;
    int cols = 0;
    std::vector<float> depthM;         // rows * cols, row after row; positive down; NaN = nodata
    std::vector<std::uint32_t> counts; // soundings per cell
    std::vector<float> stdDevM;        // NaN = nodata
    DepthReference reference = DepthReference::Datum;
    GridStatistic statistic = GridStatistic::Mean;

    std::size_t index(int row, int col) const { return static_cast<std::size_t>(row) * cols + col; }
    double centreEastingM(int col) const { return westM + (col + 0.5) * cellSizeM; }
    double centreNorthingM(int row) const { return northM - (row + 0.5) * cellSizeM; }
};

// Cells of one grid at most (three layers of four bytes each: 300 MB).
inline constexpr std::size_t kMaxGridCells = 25'000'000;

struct GriddingResult {
    std::optional<DepthGrid> grid; // nothing when the grid cannot be made
    std::string error;             // why not
    std::size_t used = 0;          // soundings in the grid
    std::size_t rejected = 0;      // left out by their flags
    std::size_t withoutDepth = 0;  // left out: no position or no depth on the reference
};

// `accepted` per sounding (empty: all accepted). Fails for a cell size that is not above 0, for no
// usable sounding, and for a grid past kMaxGridCells (the message gives the size and a cell size that
// would do).
GriddingResult gridSoundings(std::span<const Sounding> soundings, std::span<const std::uint8_t> accepted,
                             double cellSizeM, GridStatistic statistic);

} // namespace selvir::processing
