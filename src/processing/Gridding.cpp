#include "processing/Gridding.h"

#include "core/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace selvir::processing {
namespace {

constexpr std::string_view kStatisticNames[] = {"mean", "median", "shoalest"};

struct Binned {
    std::size_t cell;
    double depthM;
    bool operator<(const Binned& o) const { return cell != o.cell ? cell < o.cell : depthM < o.depthM; }
};

} // namespace

std::string_view gridStatisticName(GridStatistic statistic) {
    return kStatisticNames[static_cast<int>(statistic)];
}

std::optional<GridStatistic> parseGridStatistic(std::string_view name) {
    for (int i = 0; i < 3; ++i) {
        if (kStatisticNames[i] == name) {
            return static_cast<GridStatistic>(i);
        }
    }
    return std::nullopt;
}

GriddingResult gridSoundings(std::span<const Sounding> soundings, std::span<const std::uint8_t> accepted,
                             double cellSizeM, GridStatistic statistic) {
    GriddingResult result;
    if (!(std::isfinite(cellSizeM) && cellSizeM > 0)) {
        result.error = "the cell size must be a number of metres above 0";
        return result;
    }
    const DepthReference reference = chooseDepthReference(soundings);
    // Cell columns and rows as whole multiples of the size: floor(easting / size).
    std::int64_t minX = INT64_MAX, maxX = INT64_MIN, minY = INT64_MAX, maxY = INT64_MIN;
    std::vector<std::size_t> usable;
    usable.reserve(soundings.size());
    for (std::size_t i = 0; i < soundings.size(); ++i) {
        const Sounding& s = soundings[i];
        if (!accepted.empty() && !accepted[i]) {
            ++result.rejected;
            continue;
        }
        if (!s.hasPosition() || !std::isfinite(depthOn(s, reference))) {
            ++result.withoutDepth;
            continue;
        }
        const double cx = std::floor(s.eastingM / cellSizeM);
        const double cy = std::floor(s.northingM / cellSizeM);
        if (std::abs(cx) > 1e15 || std::abs(cy) > 1e15) {
            result.error = "a position lies too far out for cells of " + formatGeneral(cellSizeM) + " m";
            return result;
        }
        minX = std::min(minX, static_cast<std::int64_t>(cx));
        maxX = std::max(maxX, static_cast<std::int64_t>(cx));
        minY = std::min(minY, static_cast<std::int64_t>(cy));
        maxY = std::max(maxY, static_cast<std::int64_t>(cy));
        usable.push_back(i);
    }
    if (usable.empty()) {
        result.error = "no accepted sounding with a position and a depth to grid";
        return result;
    }
    const double cols = static_cast<double>(maxX - minX + 1);
    const double rows = static_cast<double>(maxY - minY + 1);
    if (cols * rows > static_cast<double>(kMaxGridCells)) {
        const double widthM = cols * cellSizeM;
        const double heightM = rows * cellSizeM;
        const double enough = std::ceil(std::sqrt(widthM * heightM / static_cast<double>(kMaxGridCells)));
        result.error = "a grid of " + formatGeneral(cols) + " x " + formatGeneral(rows) + " cells of " +
                       formatGeneral(cellSizeM) + " m is too large (at most " +
                       std::to_string(kMaxGridCells) + " cells); a cell of " + formatGeneral(enough) +
                       " m or more would do";
        return result;
    }
    DepthGrid grid;
    grid.cellSizeM = cellSizeM;
    grid.cols = static_cast<int>(cols);
    grid.rows = static_cast<int>(rows);
    grid.westM = static_cast<double>(minX) * cellSizeM;
    grid.northM = static_cast<double>(maxY + 1) * cellSizeM;
    grid.reference = reference;
    grid.statistic = statistic;
    const std::size_t cells = static_cast<std::size_t>(grid.rows) * static_cast<std::size_t>(grid.cols);
    grid.depthM.assign(cells, std::numeric_limits<float>::quiet_NaN());
    grid.stdDevM.assign(cells, std::numeric_limits<float>::quiet_NaN());
    grid.counts.assign(cells, 0);

    std::vector<Binned> binned;
    binned.reserve(usable.size());
    for (const std::size_t i : usable) {
        const Sounding& s = soundings[i];
        const auto col =
            static_cast<int>(static_cast<std::int64_t>(std::floor(s.eastingM / cellSizeM)) - minX);
        const auto row =
            static_cast<int>(maxY - static_cast<std::int64_t>(std::floor(s.northingM / cellSizeM)));
        binned.push_back({grid.index(row, col), depthOn(s, reference)});
    }
    // Sorted by cell and depth: each cell's soundings together, in depth order, for the median.
    std::sort(binned.begin(), binned.end());
    for (std::size_t begin = 0; begin < binned.size();) {
        std::size_t end = begin + 1;
        while (end < binned.size() && binned[end].cell == binned[begin].cell) {
            ++end;
        }
        const std::size_t n = end - begin;
        double mean = 0;
        for (std::size_t k = begin; k < end; ++k) {
            mean += (binned[k].depthM - mean) / static_cast<double>(k - begin + 1);
        }
        double squares = 0;
        for (std::size_t k = begin; k < end; ++k) {
            squares += (binned[k].depthM - mean) * (binned[k].depthM - mean);
        }
        double value = mean;
        if (statistic == GridStatistic::Shoalest) {
            value = binned[begin].depthM;
        } else if (statistic == GridStatistic::Median) {
            const std::size_t mid = begin + n / 2;
            value = n % 2 == 1 ? binned[mid].depthM : (binned[mid - 1].depthM + binned[mid].depthM) / 2;
        }
        const std::size_t cell = binned[begin].cell;
        grid.depthM[cell] = static_cast<float>(value);
        grid.stdDevM[cell] = static_cast<float>(std::sqrt(squares / static_cast<double>(n)));
        grid.counts[cell] = static_cast<std::uint32_t>(n);
        begin = end;
    }
    result.used = usable.size();
    result.grid = std::move(grid);
    return result;
}

} // namespace selvir::processing
