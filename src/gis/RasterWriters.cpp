// GeoTIFF, BAG, GeoPackage and XYZ grids through GDAL (XYZ by hand).
#include "gis/RasterWriters.h"

#include "core/AtomicFile.h"
#include "core/NumberFormat.h"
#include "gis/AtomicOutput.h"
#include "gis/GdalSupport.h"

#include <algorithm>
#include <cctype>
#include <cpl_string.h>

namespace selvir {
namespace {

namespace fs = std::filesystem;
using gis::DatasetHandle;

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::string checkGrid(const GridRaster& grid) {
    if (grid.rows <= 0 || grid.columns <= 0) {
        return "the grid has no cells";
    }
    const std::size_t cells = static_cast<std::size_t>(grid.rows) * static_cast<std::size_t>(grid.columns);
    if (grid.depthM.size() != cells) {
        return "the grid holds " + std::to_string(grid.depthM.size()) + " depths for " +
               std::to_string(cells) + " cells";
    }
    if (!grid.uncertaintyM.empty() && grid.uncertaintyM.size() != cells) {
        return "the grid holds " + std::to_string(grid.uncertaintyM.size()) + " uncertainties for " +
               std::to_string(cells) + " cells";
    }
    if (!(std::isfinite(grid.cellSizeM) && grid.cellSizeM > 0)) {
        return "the cell size must be a positive number of metres";
    }
    if (!std::isfinite(grid.originXM) || !std::isfinite(grid.originYM)) {
        return "the grid's origin is not a number";
    }
    return {};
}

// Row `northRow` counted from the north edge.
std::size_t sourceRow(const GridRaster& grid, int northRow) {
    const int row = grid.rowOrder == GridRaster::RowOrder::NorthFirst ? northRow : grid.rows - 1 - northRow;
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(grid.columns);
}

double northEdge(const GridRaster& grid) {
    return grid.rowOrder == GridRaster::RowOrder::NorthFirst ? grid.originYM
                                                             : grid.originYM + grid.rows * grid.cellSizeM;
}

float bandValue(float value, bool negate) {
    if (!std::isfinite(value)) {
        return static_cast<float>(kRasterNodata);
    }
    return negate ? -value : value;
}

struct ProgressRelay {
    const WriteProgress* progress;
    static int CPL_STDCALL call(double complete, const char*, void* self) {
        const WriteProgress& p = *static_cast<ProgressRelay*>(self)->progress;
        return !p || p(complete) ? TRUE : FALSE;
    }
};

// The grid as a north-up dataset in memory: band 1 the depth or elevation, band 2 the uncertainty.
DatasetHandle memoryDataset(const GridRaster& grid, bool elevation, bool withUncertainty,
                            OGRSpatialReferenceH srs, std::string& error) {
    GDALDriverH mem = GDALGetDriverByName("MEM");
    DatasetHandle ds(
        mem ? GDALCreate(mem, "", grid.columns, grid.rows, withUncertainty ? 2 : 1, GDT_Float32, nullptr)
            : nullptr);
    if (!ds) {
        error = "not enough memory for a grid of " + std::to_string(grid.rows) + " x " +
                std::to_string(grid.columns) + " cells";
        return nullptr;
    }
    double transform[6] = {grid.originXM, grid.cellSizeM, 0, northEdge(grid), 0, -grid.cellSizeM};
    GDALSetGeoTransform(ds.get(), transform);
    GDALSetSpatialRef(ds.get(), srs);
    std::vector<float> row(static_cast<std::size_t>(grid.columns));
    for (int band = 1; band <= (withUncertainty ? 2 : 1); ++band) {
        GDALRasterBandH h = GDALGetRasterBand(ds.get(), band);
        GDALSetRasterNoDataValue(h, kRasterNodata);
        GDALSetDescription(h, band == 1 ? (elevation ? "elevation" : "depth") : "uncertainty");
        for (int r = 0; r < grid.rows; ++r) {
            const std::size_t start = sourceRow(grid, r);
            for (int c = 0; c < grid.columns; ++c) {
                const std::size_t i = start + static_cast<std::size_t>(c);
                row[static_cast<std::size_t>(c)] =
                    band == 1 ? bandValue(grid.depthM[i], elevation)
                              : (grid.uncertaintyM.empty() ? static_cast<float>(kRasterNodata)
                                                           : bandValue(grid.uncertaintyM[i], false));
            }
            if (GDALRasterIO(h, GF_Write, 0, r, grid.columns, 1, row.data(), grid.columns, 1, GDT_Float32, 0,
                             0) != CE_None) {
                error = "cannot fill the grid in memory";
                return nullptr;
            }
        }
    }
    return ds;
}

WriteResult writeWithGdal(const GridRaster& grid, const fs::path& target, RasterFormat format,
                          const RasterWriteOptions& options, OGRSpatialReferenceH srs) {
    gis::GdalErrors errors;
    const char* driverName = format == RasterFormat::GeoTiff ? "GTiff"
                             : format == RasterFormat::Bag   ? "BAG"
                                                             : "GPKG";
    GDALDriverH driver = GDALGetDriverByName(driverName);
    if (!driver) {
        return {std::string("this GDAL has no ") + driverName + " driver"};
    }
    const bool bag = format == RasterFormat::Bag;
    const bool uncertaintyBand = bag || (format == RasterFormat::GeoTiff && !grid.uncertaintyM.empty());
    std::string error;
    DatasetHandle source = memoryDataset(grid, bag || options.elevation, uncertaintyBand, srs, error);
    if (!source) {
        return {target.string() + ": " + error};
    }
    CPLStringList creation;
    if (format == RasterFormat::GeoTiff) {
        creation.AddString("TILED=YES");
        creation.AddString("COMPRESS=DEFLATE");
        creation.AddString("PREDICTOR=3");
        creation.AddString("BIGTIFF=IF_SAFER");
    } else if (format == RasterFormat::GeoPackage) {
        creation.SetNameValue("RASTER_TABLE", options.layerName.c_str());
        creation.SetNameValue("TILE_FORMAT", "TIFF"); // lossless float32 tiles
    }
    gis::AtomicOutput output(target);
    ProgressRelay relay{&options.progress};
    DatasetHandle written(GDALCreateCopy(driver, output.temporaryPath().c_str(), source.get(), FALSE,
                                         creation.List(), &ProgressRelay::call, &relay));
    if (!written) {
        return {target.string() + ": " + errors.last("GDAL could not write the grid")};
    }
    written.reset(); // closes and flushes
    if (errors.failed()) {
        return {target.string() + ": " + errors.last()};
    }
    if (!output.commit(error)) {
        return {error};
    }
    return {};
}

WriteResult writeXyz(const GridRaster& grid, const fs::path& target, const RasterWriteOptions& options,
                     OGRSpatialReferenceH srs) {
    std::string text;
    text.reserve(static_cast<std::size_t>(grid.rows) * static_cast<std::size_t>(grid.columns) * 32);
    for (int r = 0; r < grid.rows; ++r) {
        const std::size_t start = sourceRow(grid, r);
        const double y = northEdge(grid) - (r + 0.5) * grid.cellSizeM;
        for (int c = 0; c < grid.columns; ++c) {
            const float depth = grid.depthM[start + static_cast<std::size_t>(c)];
            if (!std::isfinite(depth)) {
                continue;
            }
            text += formatFixed(grid.centreXM(c), 3);
            text += ' ';
            text += formatFixed(y, 3);
            text += ' ';
            text += formatFixed(static_cast<double>(options.elevation ? -depth : depth), 3);
            text += kLineBreak;
        }
        if (options.progress && !options.progress(0.95 * (r + 1) / grid.rows)) {
            return {target.string() + ": cancelled"};
        }
    }
    // OGC WKT1 rather than ESRI's dialect, which has no TOWGS84 for a local datum.
    const std::string prj = gis::wkt1(srs);
    std::string error;
    if (!writeFileAtomically(target, text, &error)) {
        return {target.string() + ": " + error};
    }
    fs::path prjPath = target;
    prjPath.replace_extension(".prj");
    if (!writeFileAtomically(prjPath, prj, &error)) {
        return {prjPath.string() + ": " + error};
    }
    if (options.progress) {
        options.progress(1.0);
    }
    return {};
}

} // namespace

std::optional<RasterFormat> rasterFormatForPath(const fs::path& path) {
    const std::string ext = lower(path.extension().string());
    if (ext == ".tif" || ext == ".tiff") {
        return RasterFormat::GeoTiff;
    }
    if (ext == ".bag") {
        return RasterFormat::Bag;
    }
    if (ext == ".gpkg") {
        return RasterFormat::GeoPackage;
    }
    if (ext == ".xyz") {
        return RasterFormat::Xyz;
    }
    return std::nullopt;
}

WriteResult writeRaster(const GridRaster& grid, const fs::path& target, RasterFormat format,
                        const RasterWriteOptions& options) {
    if (const std::string problem = checkGrid(grid); !problem.empty()) {
        return {target.string() + ": " + problem};
    }
    std::string error;
    gis::SpatialReferenceHandle srs = gis::spatialReference(options.crsWkt, error);
    if (!srs) {
        return {target.string() + ": " + error};
    }
    if (format == RasterFormat::Xyz) {
        return writeXyz(grid, target, options, srs.get());
    }
    return writeWithGdal(grid, target, format, options, srs.get());
}

} // namespace selvir
