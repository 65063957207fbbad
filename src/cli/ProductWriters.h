#pragma once
// The file formats the product commands read and write, one table row per format, chosen by the
// output file's extension. A format is added by adding its row (the GIS formats come with src/gis).

#include "processing/Contours.h"
#include "processing/GridXyz.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace selvir::cli {

struct GridOutputOptions {
    bool elevation = false;   // write elevations (positive up) instead of depths (positive down)
    std::string settingsFile; // the settings whose datum and projection a georeferenced format records
};

struct GridWriter {
    std::string_view extension; // ".xyz", lower case
    std::string_view description;
    bool (*write)(const processing::DepthGrid& grid, const GridOutputOptions& options,
                  const std::filesystem::path& file, std::string& error);
};

struct GridReader {
    std::string_view extension;
    std::string_view description;
    processing::GridReadResult (*read)(const std::filesystem::path& file);
};

struct ContourOutputOptions {
    std::string settingsFile;
};

struct ContourWriter {
    std::string_view extension;
    std::string_view description;
    bool (*write)(const std::vector<processing::ContourLine>& lines, const ContourOutputOptions& options,
                  const std::filesystem::path& file, std::string& error);
};

const std::vector<GridWriter>& gridWriters();
const std::vector<GridReader>& gridReaders();
const std::vector<ContourWriter>& contourWriters();

// The row for a file's extension (compared without regard to case); null when there is none.
template <typename Format>
const Format* formatFor(const std::vector<Format>& table, const std::filesystem::path& file);

// "OUT.xyz" or "OUT.xyz|OUT.tif" ...: the extensions of a table, for usage texts and errors.
template <typename Format>
std::string extensionsOf(const std::vector<Format>& table);

// The DXF layer of a contour depth: "CONTOUR_12", "CONTOUR_12_5", "CONTOUR_-1_5".
std::string contourLayerName(double depthM);

} // namespace selvir::cli
