// selvirhs-tool grid and contour: a depth grid of the accepted soundings of reduction records, and the
// contours of a grid, in the formats of the product tables.
#include "cli/Commands.h"
#include "cli/ProductWriters.h"
#include "cli/SoundingInput.h"
#include "core/NumberFormat.h"
#include "processing/Contours.h"
#include "processing/Gridding.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <ostream>

namespace selvir::cli {
namespace {

using namespace selvir::processing;

constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

constexpr const char* kGridName = "selvirhs-tool grid: ";
constexpr const char* kContourName = "selvirhs-tool contour: ";

std::string gridUsage() {
    return "Usage: selvirhs-tool grid --cell M [--stat mean|median|shoalest] [--elevation] [--settings "
           "FILE]\n"
           "                          SOUNDINGS.csv... OUT(" +
           extensionsOf(gridWriters()) +
           ")\n"
           "  --cell M       cell size in metres; cell edges lie on multiples of M in grid coordinates\n"
           "  --stat S       each cell's depth: mean (the default), median or shoalest\n"
           "  --elevation    write elevations (positive up) instead of depths (positive down)\n"
           "  --settings F   the settings file whose datum and projection georeferenced formats record\n"
           "Accepted soundings only (flags sidecars honoured), below the datum (the water line when the\n"
           "records have no water level). Cells without a sounding are nodata (left out of XYZ).\n"
           "Exit status: 0 done, 1 failed, 2 usage.\n";
}

std::string contourUsage() {
    return "Usage: selvirhs-tool contour --interval M GRID(" + extensionsOf(gridReaders()) + ") OUT(" +
           extensionsOf(contourWriters()) +
           ")\n"
           "  --interval M   metres between contours; levels are the multiples of M within the grid's "
           "depths\n"
           "Each contour carries its depth; a DXF has one layer per depth (CONTOUR_5, CONTOUR_7_5, ...).\n"
           "Exit status: 0 done, 1 failed, 2 usage.\n";
}

std::optional<double> positiveMetres(const std::string& text) {
    const auto value = parseFiniteDouble(text);
    return value && *value > 0 ? value : std::nullopt;
}

} // namespace

int runGridCommand(CommandArgs args, CommandStreams streams) {
    std::optional<double> cell;
    GridStatistic statistic = GridStatistic::Mean;
    GridOutputOptions options;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--cell" && hasValue) {
            cell = positiveMetres(args[++i]);
            if (!cell) {
                streams.err << kGridName << "--cell needs metres above 0, not \"" << args[i] << "\"\n";
                return kExitUsage;
            }
        } else if (arg == "--stat" && hasValue) {
            const auto parsed = parseGridStatistic(args[++i]);
            if (!parsed) {
                streams.err << kGridName << "--stat needs mean, median or shoalest, not \"" << args[i]
                            << "\"\n";
                return kExitUsage;
            }
            statistic = *parsed;
        } else if (arg == "--elevation") {
            options.elevation = true;
        } else if (arg == "--settings" && hasValue) {
            options.settingsFile = args[++i];
        } else if (arg.starts_with("--")) {
            streams.err << kGridName << "unexpected argument \"" << arg << "\"\n" << gridUsage();
            return kExitUsage;
        } else {
            files.push_back(arg);
        }
    }
    if (!cell || files.size() < 2) {
        streams.err << gridUsage();
        return kExitUsage;
    }
    const std::string out = files.back();
    files.pop_back();
    const GridWriter* writer = formatFor(gridWriters(), out);
    if (!writer) {
        streams.err << kGridName << "cannot write \"" << out << "\": the grid formats are "
                    << extensionsOf(gridWriters()) << '\n';
        return kExitUsage;
    }
    SurveyData data;
    if (!loadSoundingRecords(files, data, streams.err, kGridName)) {
        return kExitFailed;
    }
    const GriddingResult result = gridSoundings(data.soundings, acceptedMask(data), *cell, statistic);
    if (!result.grid) {
        streams.err << kGridName << result.error << '\n';
        return kExitFailed;
    }
    const DepthGrid& grid = *result.grid;
    streams.err << depthReferenceNote(grid.reference) << '\n';
    std::string error;
    if (!writer->write(grid, options, out, error)) {
        streams.err << kGridName << "cannot write " << out << ": " << error << '\n';
        return kExitFailed;
    }
    const auto withData = static_cast<std::size_t>(
        std::count_if(grid.counts.begin(), grid.counts.end(), [](std::uint32_t n) { return n > 0; }));
    streams.out << "cells " << grid.cols << " x " << grid.rows << " of " << formatGeneral(grid.cellSizeM)
                << " m\n"
                << "west " << formatFixed(grid.westM, 3) << '\n'
                << "north " << formatFixed(grid.northM, 3) << '\n'
                << "statistic " << gridStatisticName(grid.statistic) << '\n'
                << "depth_reference " << depthReferenceName(grid.reference) << '\n'
                << "soundings_used " << result.used << '\n'
                << "soundings_rejected " << result.rejected << '\n'
                << "soundings_without_depth " << result.withoutDepth << '\n'
                << "cells_with_data " << withData << '\n'
                << "cells_nodata " << grid.counts.size() - withData << '\n';
    return kExitDone;
}

int runContourCommand(CommandArgs args, CommandStreams streams) {
    std::optional<double> interval;
    ContourOutputOptions options;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--interval" && i + 1 < args.size()) {
            interval = positiveMetres(args[++i]);
            if (!interval) {
                streams.err << kContourName << "--interval needs metres above 0, not \"" << args[i] << "\"\n";
                return kExitUsage;
            }
        } else if (arg == "--settings" && i + 1 < args.size()) {
            options.settingsFile = args[++i];
        } else if (arg.starts_with("--")) {
            streams.err << kContourName << "unexpected argument \"" << arg << "\"\n" << contourUsage();
            return kExitUsage;
        } else {
            files.push_back(arg);
        }
    }
    if (!interval || files.size() != 2) {
        streams.err << contourUsage();
        return kExitUsage;
    }
    const GridReader* reader = formatFor(gridReaders(), files[0]);
    const ContourWriter* writer = formatFor(contourWriters(), files[1]);
    if (!reader || !writer) {
        streams.err << kContourName << "cannot " << (reader ? "write \"" + files[1] : "read \"" + files[0])
                    << "\": the formats are GRID" << extensionsOf(gridReaders()) << " and OUT"
                    << extensionsOf(contourWriters()) << '\n';
        return kExitUsage;
    }
    const GridReadResult grid = reader->read(files[0]);
    if (!grid.grid) {
        streams.err << kContourName << grid.error << '\n';
        return kExitFailed;
    }
    const ContourResult contours = contourGrid(*grid.grid, *interval);
    if (!contours.error.empty()) {
        streams.err << kContourName << contours.error << '\n';
        return kExitFailed;
    }
    std::string error;
    if (!writer->write(contours.lines, options, files[1], error)) {
        streams.err << kContourName << "cannot write " << files[1] << ": " << error << '\n';
        return kExitFailed;
    }
    std::size_t closed = 0;
    for (const ContourLine& line : contours.lines) {
        closed += line.closed ? 1 : 0;
    }
    streams.out << "levels " << contours.levels.size() << '\n'
                << "contours " << contours.lines.size() << '\n'
                << "closed " << closed << '\n';
    return kExitDone;
}

} // namespace selvir::cli
