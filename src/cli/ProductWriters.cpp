#include "cli/ProductWriters.h"

#include "canvas/CanvasModel.h"
#include "core/AtomicFile.h"
#include "core/NumberFormat.h"
#include "layoutfiles/DxfExport.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace selvir::cli {
namespace {

bool writeXyzGrid(const processing::DepthGrid& grid, const GridOutputOptions& options,
                  const std::filesystem::path& file, std::string& error) {
    return writeFileAtomically(file, processing::formatGridXyz(grid, options.elevation), &error);
}

processing::GridReadResult readXyzGrid(const std::filesystem::path& file) {
    return processing::readGridXyz(file, false);
}

// One layer per depth, each contour a polyline (closed where it closes), in the DXF R12 of DXF export.
bool writeDxfContours(const std::vector<processing::ContourLine>& lines, const ContourOutputOptions&,
                      const std::filesystem::path& file, std::string& error) {
    CanvasModel model;
    ViewWindow view;
    double west = INFINITY, east = -INFINITY, south = INFINITY, north = -INFINITY;
    for (const processing::ContourLine& line : lines) {
        const int layer = model.LayerOpen(QString::fromStdString(contourLayerName(line.depthM)));
        std::vector<std::pair<double, double>> points;
        points.reserve(line.points.size());
        for (const processing::ContourPoint& p : line.points) {
            points.emplace_back(p.eastingM, p.northingM);
            west = std::min(west, p.eastingM);
            east = std::max(east, p.eastingM);
            south = std::min(south, p.northingM);
            north = std::max(north, p.northingM);
        }
        model.DrawPolyline(points, layer, line.closed);
    }
    if (west <= east) {
        view = ViewWindow{west, east, north, south};
    }
    const LayoutFileResult result = DXFSave(model, view, file);
    if (!result.ok) {
        error = result.error;
    }
    return result.ok;
}

std::string lowerExtension(const std::filesystem::path& file) {
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

} // namespace

const std::vector<GridWriter>& gridWriters() {
    static const std::vector<GridWriter> table = {
        {".xyz", "XYZ text of cell centres, north to south", writeXyzGrid},
    };
    return table;
}

const std::vector<GridReader>& gridReaders() {
    static const std::vector<GridReader> table = {
        {".xyz", "XYZ text of cell centres on a square lattice (as grid writes it)", readXyzGrid},
    };
    return table;
}

const std::vector<ContourWriter>& contourWriters() {
    static const std::vector<ContourWriter> table = {
        {".dxf", "DXF R12 polylines, one layer per depth", writeDxfContours},
    };
    return table;
}

template <typename Format>
const Format* formatFor(const std::vector<Format>& table, const std::filesystem::path& file) {
    const std::string extension = lowerExtension(file);
    for (const Format& format : table) {
        if (format.extension == extension) {
            return &format;
        }
    }
    return nullptr;
}

template <typename Format>
std::string extensionsOf(const std::vector<Format>& table) {
    std::string text;
    for (const Format& format : table) {
        text += (text.empty() ? "" : "|") + std::string(format.extension);
    }
    return text;
}

template const GridWriter* formatFor(const std::vector<GridWriter>&, const std::filesystem::path&);
template const GridReader* formatFor(const std::vector<GridReader>&, const std::filesystem::path&);
template const ContourWriter* formatFor(const std::vector<ContourWriter>&, const std::filesystem::path&);
template std::string extensionsOf(const std::vector<GridWriter>&);
template std::string extensionsOf(const std::vector<GridReader>&);
template std::string extensionsOf(const std::vector<ContourWriter>&);

std::string contourLayerName(double depthM) {
    std::string depth = formatGeneral(depthM);
    std::replace(depth.begin(), depth.end(), '.', '_');
    return "CONTOUR_" + depth;
}

} // namespace selvir::cli
