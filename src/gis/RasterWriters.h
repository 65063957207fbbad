#pragma once
// Grids to the raster formats a client takes, each with its coordinate reference system:
// - GeoTIFF (.tif, .tiff): float32, band 1 the depth (positive down) or, with `elevation`, the height
//   (positive up); band 2 the uncertainty when the grid has one; nodata set; deflate-compressed tiles.
// - BAG (.bag): the hydrographic offices' grid, with BAG's own convention: band 1 elevation positive
//   up, band 2 uncertainty (nodata 1000000 where the grid gives none), whatever `elevation` says.
// - GeoPackage raster (.gpkg): float32 tiles of one band (depth or elevation; GeoPackage's gridded
//   coverage holds one band, so no uncertainty).
// - XYZ text (.xyz): "x y z" per cell centre with data, north to south and west to east, metres with
//   three decimals; z as band 1. The CRS goes to a .prj beside it (OGC WKT1 with its TOWGS84).
//
// Every file is written under a temporary name and renamed over the target when complete; a failure
// leaves the target as it was and says why. Numbers are written with "." whatever the locale.
// Blocking; call from a worker or with `progress` to keep a window alive.

#include "gis/ProductInputs.h"

#include <filesystem>
#include <optional>
#include <string>

namespace selvir {

enum class RasterFormat { GeoTiff, Bag, GeoPackage, Xyz };

// The format a file name asks for by its extension (case ignored); nothing for other extensions.
std::optional<RasterFormat> rasterFormatForPath(const std::filesystem::path& path);

inline constexpr double kRasterNodata = 1000000; // BAG's own nodata value, used for every format

struct RasterWriteOptions {
    std::string crsWkt;              // required: WKT (or "EPSG:n") of the grid's CRS
    bool elevation = false;          // band 1 as elevation (−depth) instead of depth
    std::string layerName = "depth"; // GeoPackage table name
    WriteProgress progress;          // optional
};

WriteResult writeRaster(const GridRaster& grid, const std::filesystem::path& target, RasterFormat format,
                        const RasterWriteOptions& options);

} // namespace selvir
