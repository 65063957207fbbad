#include "processing/GridXyz.h"

#include "core/AtomicFile.h"
#include "core/NumberFormat.h"
#include "core/TextTrim.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace selvir::processing {
namespace {

constexpr int kXyzDecimals = 3;
// Positions are written to the millimetre: a point further than that from the lattice is off it.
constexpr double kLatticeToleranceM = 0.002;

struct XyzPoint {
    double e, n, z;
};

} // namespace

std::string formatGridXyz(const DepthGrid& grid, bool elevation) {
    std::string text;
    text.reserve(grid.depthM.size() * 32);
    for (int r = 0; r < grid.rows; ++r) {
        const std::string northing = formatFixed(grid.centreNorthingM(r), kXyzDecimals);
        for (int c = 0; c < grid.cols; ++c) {
            const float depth = grid.depthM[grid.index(r, c)];
            if (std::isnan(depth)) {
                continue;
            }
            text += formatFixed(grid.centreEastingM(c), kXyzDecimals);
            text += ' ';
            text += northing;
            text += ' ';
            text += formatFixed(elevation ? -static_cast<double>(depth) : static_cast<double>(depth),
                                kXyzDecimals);
            text += kLineBreak;
        }
    }
    return text;
}

GridReadResult parseGridXyz(std::string_view text, bool elevation) {
    GridReadResult result;
    std::vector<XyzPoint> points;
    std::size_t lineNumber = 0;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string line(trimmed(text.substr(start, end - start), " \t\r"));
        start = end + 1;
        ++lineNumber;
        if (line.empty() || line.front() == '#') {
            continue;
        }
        std::replace(line.begin(), line.end(), ',', ' ');
        std::replace(line.begin(), line.end(), '\t', ' ');
        double v[3];
        std::size_t at = 0;
        int count = 0;
        bool bad = false;
        while (!bad) {
            at = line.find_first_not_of(' ', at);
            if (at == std::string::npos) {
                break;
            }
            const std::size_t stop = std::min(line.find(' ', at), line.size());
            const auto value = parseFiniteDouble(std::string_view(line).substr(at, stop - at));
            bad = !value || count == 3;
            if (!bad) {
                v[count++] = *value;
            }
            at = stop;
        }
        if (bad || count != 3) {
            result.error = "line " + std::to_string(lineNumber) + ": \"" + line +
                           "\" is not three numbers (easting northing value)";
            return result;
        }
        points.push_back({v[0], v[1], elevation ? -v[2] : v[2]});
    }
    if (points.empty()) {
        result.error = "no points";
        return result;
    }
    // The cell size: the smallest step between distinct eastings or northings.
    std::vector<double> es, ns;
    for (const XyzPoint& p : points) {
        es.push_back(p.e);
        ns.push_back(p.n);
    }
    for (std::vector<double>* values : {&es, &ns}) {
        std::sort(values->begin(), values->end());
        values->erase(std::unique(values->begin(), values->end()), values->end());
    }
    double cell = std::numeric_limits<double>::infinity();
    for (const std::vector<double>* values : {&es, &ns}) {
        for (std::size_t k = 1; k < values->size(); ++k) {
            const double step = (*values)[k] - (*values)[k - 1];
            if (step > kLatticeToleranceM) {
                cell = std::min(cell, step);
            }
        }
    }
    if (!std::isfinite(cell)) {
        result.error = "a grid needs points in at least two columns or rows";
        return result;
    }
    const double west = es.front(), north = ns.back();
    const double cols = std::round((es.back() - west) / cell) + 1;
    const double rows = std::round((north - ns.front()) / cell) + 1;
    if (cols * rows > static_cast<double>(kMaxGridCells)) {
        result.error = "the points span " + formatGeneral(cols) + " x " + formatGeneral(rows) + " cells of " +
                       formatGeneral(cell) + " m, more than " + std::to_string(kMaxGridCells);
        return result;
    }
    DepthGrid grid;
    grid.cellSizeM = cell;
    grid.cols = static_cast<int>(cols);
    grid.rows = static_cast<int>(rows);
    grid.westM = west - cell / 2;
    grid.northM = north + cell / 2;
    grid.depthM.assign(static_cast<std::size_t>(grid.rows) * grid.cols,
                       std::numeric_limits<float>::quiet_NaN());
    grid.counts.assign(grid.depthM.size(), 0);
    grid.stdDevM.assign(grid.depthM.size(), std::numeric_limits<float>::quiet_NaN());
    for (const XyzPoint& p : points) {
        const double c = (p.e - west) / cell;
        const double r = (north - p.n) / cell;
        if (std::abs(c - std::round(c)) * cell > kLatticeToleranceM ||
            std::abs(r - std::round(r)) * cell > kLatticeToleranceM) {
            result.error = "point " + formatFixed(p.e, 3) + " " + formatFixed(p.n, 3) +
                           " is off the lattice of " + formatGeneral(cell) + " m cells";
            return result;
        }
        const std::size_t i = grid.index(static_cast<int>(std::round(r)), static_cast<int>(std::round(c)));
        if (!std::isnan(grid.depthM[i])) {
            result.error = "point " + formatFixed(p.e, 3) + " " + formatFixed(p.n, 3) + " is given twice";
            return result;
        }
        grid.depthM[i] = static_cast<float>(p.z);
        grid.counts[i] = 1;
    }
    result.grid = std::move(grid);
    return result;
}

GridReadResult readGridXyz(const std::filesystem::path& file, bool elevation) {
    std::string bytes;
    if (!readWholeFile(file, bytes)) {
        GridReadResult result;
        result.error = "cannot read " + file.string();
        return result;
    }
    GridReadResult result = parseGridXyz(bytes, elevation);
    if (!result.grid) {
        result.error = file.string() + ": " + result.error;
    }
    return result;
}

} // namespace selvir::processing
