// selvirhs-tool guidance: a raw GNSS log through the survey engine against the runlines of a layout,
// as the program would steer with auto-advance on: one CSV row per map tick with the active line and
// the boat's place on it.
#include "cli/Commands.h"
#include "cli/RunlineLayout.h"
#include "core/NumberFormat.h"
#include "navigation/LogReplay.h"
#include "tools/RunlineLayer.h"

#include <QTemporaryDir>
#include <optional>
#include <ostream>

namespace selvir::cli {
namespace {

constexpr const char* kName = "selvirhs-tool guidance: ";
constexpr const char* kUsage =
    "Usage: selvirhs-tool guidance --settings FILE --lines LAYOUT.gvx [--map-interval MS] GNSS_LOG\n"
    "  --settings FILE      the settings file in force (geodesy, tolerance)\n"
    "  --lines LAYOUT.gvx   a layout with runlines (layer Selvir_Runlines)\n"
    "  --map-interval MS    map update period in milliseconds of log time (500)\n"
    "Prints time,line,xte_m,along_m,to_go_m,bearing_deg per map tick (cross-track + starboard); the\n"
    "line and the values are empty while no line is active or there is no position.\n";

struct GuidanceArguments {
    std::string settings;
    std::string lines;
    std::string gnssLog;
    int mapIntervalMs = 500;
};

std::optional<GuidanceArguments> parseArguments(CommandArgs args, std::ostream& err) {
    GuidanceArguments out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--settings" && hasValue) {
            out.settings = args[++i];
        } else if (arg == "--lines" && hasValue) {
            out.lines = args[++i];
        } else if (arg == "--map-interval" && hasValue) {
            const auto ms = parseInteger(args[++i]);
            if (!ms || *ms < 100 || *ms > 5000) {
                err << kName << "--map-interval needs 100 to 5000 milliseconds, not \"" << args[i] << "\"\n";
                return std::nullopt;
            }
            out.mapIntervalMs = static_cast<int>(*ms);
        } else if (arg.rfind("--", 0) == 0 || !out.gnssLog.empty()) {
            err << kName << "unexpected argument \"" << arg << "\"\n" << kUsage;
            return std::nullopt;
        } else {
            out.gnssLog = arg;
        }
    }
    if (out.settings.empty() || out.lines.empty() || out.gnssLog.empty()) {
        err << kUsage;
        return std::nullopt;
    }
    return out;
}

std::string guidanceRow(const LocalDateTime& time, const GuidanceReading& r) {
    std::string row = formatDateTime(time) + ",";
    if (!r.active || !r.positionKnown || !r.fix.valid) {
        return row + (r.active ? r.lineName : std::string()) + ",,,,";
    }
    return row + r.lineName + "," + formatFixed(r.fix.crossTrackM, 3) + "," + formatFixed(r.fix.alongM, 3) +
           "," + formatFixed(r.fix.toGoM, 3) + "," + formatFixed(r.fix.bearingDeg, 3);
}

} // namespace

int runGuidanceCommand(CommandArgs args, CommandStreams streams) {
    const auto parsed = parseArguments(args, streams.err);
    if (!parsed) {
        return 2;
    }
    const GuidanceArguments& a = *parsed;
    CanvasModel drawing;
    if (const std::string problem = readRunlineLayout(a.lines, drawing); !problem.empty()) {
        streams.err << kName << problem << '\n';
        return 1;
    }
    RunlineLayerSource runlines(drawing);
    // The survey files of the replay go to a scratch data root, removed at the end.
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        streams.err << kName << "cannot make a scratch folder: " << scratch.errorString().toStdString()
                    << '\n';
        return 1;
    }
    ProfileStore settings(a.settings);
    LogReplayOptions options;
    options.gnssLog = a.gnssLog;
    options.mapIntervalMs = a.mapIntervalMs;
    options.guidanceLines = &runlines;
    GuidanceSettings guidance = GuidanceSettings::read(settings);
    guidance.autoAdvance = true;
    guidance.lineFiles = false;
    options.guidance = guidance;
    streams.out << "time,line,xte_m,along_m,to_go_m,bearing_deg\n";
    options.mapTicked = [&streams](const LocalDateTime& time, const GuidanceReading& reading) {
        streams.out << guidanceRow(time, reading) << '\n';
    };
    LogReplay replay(settings, scratch.path().toStdString(), options);
    LogReplayReport report;
    std::string error;
    if (!replay.run(report, error)) {
        streams.err << kName << error << '\n';
        return 1;
    }
    return 0;
}

} // namespace selvir::cli
