#include "layoutfiles/XyzImport.h"

#include "layoutfiles/TextNumbers.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

namespace selvir {
namespace {

constexpr std::size_t gridTestPoints = 1000;
constexpr std::size_t spacingNeighbours = 50;
constexpr std::size_t regularityNeighbours = 10;
constexpr int regularityChecks = 99; // no new point once more checks were made
constexpr int regularPercent = 80;
constexpr double tinyStep = 1e-9;
constexpr double noSpacing = 1e30;
constexpr double maxSpacing = 1e20;

struct Points {
    std::vector<double> x, y, z;
    std::uint64_t lines = 0; // read, points or not
};

// X, Y, Z from one line; false when the line does not start with three finite numbers.
bool readPoint(std::string_view line, std::string& work, double& x, double& y, double& z) {
    work.assign(line);
    std::replace(work.begin(), work.end(), ',', ' ');
    std::string_view rest(work);
    for (double* target : {&x, &y, &z}) {
        const std::size_t used = textnum::leadingReal(rest, *target);
        if (used == 0) {
            return false;
        }
        rest.remove_prefix(used);
    }
    return true;
}

Points readPoints(ByteSource& source) {
    Points points;
    LineReader lines(source, true);
    std::string_view line;
    std::string work;
    while (lines.next(line)) {
        ++points.lines;
        if (line.empty() || line.front() == '#' || line.front() == ';') {
            continue;
        }
        double x = 0, y = 0, z = 0;
        if (readPoint(line, work, x, y, z)) {
            points.x.push_back(x);
            points.y.push_back(y);
            points.z.push_back(z);
        }
    }
    return points;
}

bool nearWhole(double ratio) {
    return std::abs(ratio - std::round(ratio)) < 0.1;
}

} // namespace

TColor xyzRampColor(double z, double low, double high) {
    double range = high - low;
    if (!(range > 0.0)) {
        range = 1.0;
    }
    const double t = std::clamp((z - low) / range, 0.0, 1.0);
    int red = 0, green = 0, blue = 0;
    if (t < 0.25) {
        red = 255;
        green = static_cast<int>(255.0 * t / 0.25);
    } else if (t < 0.5) {
        red = static_cast<int>(255.0 * (1.0 - (t - 0.25) / 0.25));
        green = 255;
    } else if (t < 0.75) {
        green = 255;
        blue = static_cast<int>(255.0 * (t - 0.5) / 0.25);
    } else {
        green = static_cast<int>(255.0 * (1.0 - (t - 0.75) / 0.25));
        blue = 255;
    }
    return makeColor(red, green, blue);
}

XyzGrid detectXyzGrid(const std::vector<double>& xs, const std::vector<double>& ys) {
    XyzGrid grid;
    if (xs.size() <= 10) {
        return grid;
    }
    const std::size_t m = std::min(xs.size(), gridTestPoints);
    double gx = noSpacing, gy = noSpacing;
    for (std::size_t j = 0; j < m; ++j) {
        for (std::size_t k = j + 1; k < m && k < j + spacingNeighbours; ++k) {
            const double dx = std::abs(xs[k] - xs[j]);
            const double dy = std::abs(ys[k] - ys[j]);
            if (dx > tinyStep && dx < gx) {
                gx = dx;
            }
            if (dy > tinyStep && dy < gy) {
                gy = dy;
            }
        }
    }
    if (!(gx > 0.0 && gx < maxSpacing && gy > 0.0 && gy < maxSpacing)) {
        return grid;
    }
    int checks = 0, hits = 0;
    for (std::size_t j = 0; j < m && checks <= regularityChecks; ++j) {
        for (std::size_t k = j + 1; k < m && k < j + regularityNeighbours; ++k) {
            const double dx = std::abs(xs[k] - xs[j]);
            const double dy = std::abs(ys[k] - ys[j]);
            if (dx > tinyStep) {
                ++checks;
                hits += nearWhole(dx / gx) ? 1 : 0;
            }
            if (dy > tinyStep) {
                ++checks;
                hits += nearWhole(dy / gy) ? 1 : 0;
            }
        }
    }
    grid.regular = checks > 0 && hits * 100 / checks >= regularPercent;
    grid.spacingX = gx;
    grid.spacingY = gy;
    return grid;
}

LayoutFileResult importXyz(CanvasModel& model, ViewWindow& view, ClientSize client, ByteSource& source,
                           int layer, double low, double high) {
    return runLayoutFileOperation({}, [&] {
        const Points points = readPoints(source);
        if (points.x.empty()) {
            return LayoutFileResult::failure("none of its " + std::to_string(points.lines) +
                                             " lines holds a point");
        }
        if (low == 0.0 && high == 0.0) {
            const auto [lo, hi] = std::minmax_element(points.z.begin(), points.z.end());
            low = *lo;
            high = *hi;
        }
        const XyzGrid grid = detectXyzGrid(points.x, points.y);
        for (std::size_t i = 0; i < points.x.size(); ++i) {
            const double x = points.x[i], y = points.y[i], z = points.z[i];
            const TColor color = xyzRampColor(z, low, high);
            std::unique_ptr<TSShape> shape;
            if (grid.regular) {
                auto cell = std::make_unique<TSRectangle>();
                cell->X1 = x - grid.spacingX / 2.0;
                cell->Y1 = y - grid.spacingY / 2.0;
                cell->X2 = x + grid.spacingX / 2.0;
                cell->Y2 = y + grid.spacingY / 2.0;
                cell->BrushFg = color;
                cell->BrushStyle = brushstyle::Solid;
                cell->Rounded = false;
                cell->CornerRadius = 10.0;
                cell->Value = z;
                shape = std::move(cell);
            } else {
                auto point = std::make_unique<TSPoint>();
                point->X = x;
                point->Y = y;
                point->PointSize = 1;
                point->Value = z;
                shape = std::move(point);
            }
            shape->PenFg = color;
            shape->PenWidth = 0;
            shape->Layer = layer;
            shape->UpdateBounds();
            shape->Id = model.TakeNextId();
            model.AppendShape(std::move(shape));
        }
        model.SetDirty();
        view.WorldExtents(model, client);
        return LayoutFileResult::success();
    });
}

LayoutFileResult XYZLoad(CanvasModel& model, ViewWindow& view, ClientSize client,
                         const std::filesystem::path& file, int layer, double low, double high) {
    return runLayoutFileOperation(file, [&] {
        FileByteSource source(file);
        if (!source.isOpen()) {
            return LayoutFileResult::failure(source.openError());
        }
        return importXyz(model, view, client, source, layer, low, high);
    });
}

} // namespace selvir
