// selvirhs-tool replay: raw port logs written with "Log Time" on, through the survey engine on the logs'
// own clock, into a data root: the survey file the program would have written live.
#include "cli/Commands.h"
#include "cli/RunlineLayout.h"
#include "core/NumberFormat.h"
#include "core/ProfileStore.h"
#include "navigation/LogReplay.h"
#include "tools/RunlineLayer.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <system_error>

namespace selvir::cli {
namespace {

constexpr const char* kName = "selvirhs-tool replay: ";
constexpr const char* kUsage =
    "Usage: selvirhs-tool replay --settings FILE --root DIR [--events FILE] [--map-interval MS] [--verbose]\n"
    "                            [--lines LAYOUT.gvx] [--nmea-out HOST:PORT] GNSS_LOG [SBES_LOG]\n"
    "  --settings FILE      the settings file in force during the survey\n"
    "  --root DIR           data root to write into (a new one: the day's survey file must not exist)\n"
    "  --events FILE        the survey's events log: realtime starts and stops where it says\n"
    "  --map-interval MS    map update period in milliseconds of log time (500)\n"
    "  --verbose            one line per row written (\"row N DATE TIME\") and the status messages\n"
    "  --lines LAYOUT.gvx   steer along the layout's runlines (line events, per-line files as set)\n"
    "  --nmea-out HOST:PORT send XTE, APB and DPT to that UDP address as the replay runs (off without)\n"
    "Exit status: 0 done, 3 done but lines without a date and time were skipped, 1 failed, 2 usage.\n";

constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitSkippedLines = 3;
constexpr auto kProgressInterval = std::chrono::seconds(1);

struct ReplayArguments {
    std::string settings;
    std::string root;
    std::string lines;
    LogReplayOptions options;
    bool verbose = false;
};

// "HOST:PORT" as the NMEA output's address; nothing when it is not one.
std::optional<NmeaOutputSettings> nmeaAddress(const std::string& text) {
    const auto colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0) {
        return std::nullopt;
    }
    const auto port = parseInt(std::string_view(text).substr(colon + 1));
    if (!port || *port < 1 || *port > 65535) {
        return std::nullopt;
    }
    NmeaOutputSettings out;
    out.enabled = true;
    out.host = text.substr(0, colon);
    out.port = *port;
    return out;
}

std::optional<ReplayArguments> parseArguments(CommandArgs args, std::ostream& err) {
    ReplayArguments out;
    std::vector<std::string> logs;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--verbose") {
            out.verbose = true;
        } else if (arg == "--settings" && hasValue) {
            out.settings = args[++i];
        } else if (arg == "--root" && hasValue) {
            out.root = args[++i];
        } else if (arg == "--events" && hasValue) {
            out.options.eventsLog = args[++i];
        } else if (arg == "--lines" && hasValue) {
            out.lines = args[++i];
        } else if (arg == "--nmea-out" && hasValue) {
            out.options.nmeaOutput = nmeaAddress(args[++i]);
            if (!out.options.nmeaOutput) {
                err << kName << "--nmea-out needs HOST:PORT with a port from 1 to 65535, not \"" << args[i]
                    << "\"\n";
                return std::nullopt;
            }
        } else if (arg == "--map-interval" && hasValue) {
            const auto ms = parseInteger(args[++i]);
            if (!ms || *ms < 100 || *ms > 5000) {
                err << kName << "--map-interval needs 100 to 5000 milliseconds, not \"" << args[i] << "\"\n";
                return std::nullopt;
            }
            out.options.mapIntervalMs = static_cast<int>(*ms);
        } else if (arg.rfind("--", 0) == 0) {
            err << kName << "unknown option or missing value \"" << arg << "\"\n";
            return std::nullopt;
        } else {
            logs.push_back(arg);
        }
    }
    if (out.settings.empty() || out.root.empty() || logs.empty() || logs.size() > 2) {
        err << kUsage;
        return std::nullopt;
    }
    out.options.gnssLog = logs[0];
    if (logs.size() == 2) {
        out.options.sbesLog = logs[1];
    }
    return out;
}

void printSkipped(const LogReplayReport& report, std::ostream& err) {
    err << kName << report.skippedLines
        << " line(s) without a date and time prefix were skipped; the first of them:\n";
    for (const std::string& example : report.skippedExamples) {
        err << "  " << example << '\n';
    }
}

} // namespace

int runReplayCommand(CommandArgs args, CommandStreams streams) {
    auto parsed = parseArguments(args, streams.err);
    if (!parsed) {
        return kExitUsage;
    }
    ReplayArguments& a = *parsed;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(a.settings, ec)) {
        streams.err << kName << "cannot read the settings file \"" << a.settings << "\"\n";
        return kExitFailed;
    }

    CanvasModel drawing;
    std::optional<RunlineLayerSource> runlines;
    if (!a.lines.empty()) {
        if (const std::string problem = readRunlineLayout(a.lines, drawing); !problem.empty()) {
            streams.err << kName << problem << '\n';
            return kExitFailed;
        }
        runlines.emplace(drawing);
        a.options.guidanceLines = &*runlines;
    }
    if (a.verbose) {
        // Flushed per row: whoever watches the output knows the row is on disk.
        a.options.rowWritten = [&streams](std::uint64_t row, const LocalDateTime& time) {
            streams.out << "row " << row << ' ' << formatDateTime(time) << std::endl;
        };
        a.options.message = [&streams](const std::string& text) {
            streams.err << "message: " << text << '\n';
        };
    }
    auto lastProgress = std::chrono::steady_clock::now();
    a.options.progress = [&](std::uint64_t done, std::uint64_t total) {
        const auto now = std::chrono::steady_clock::now();
        if (now - lastProgress < kProgressInterval || total == 0) {
            return;
        }
        lastProgress = now;
        streams.err << kName << formatFixed(100.0 * static_cast<double>(done) / static_cast<double>(total), 0)
                    << "% of the logs replayed\n";
    };

    ProfileStore settings(a.settings);
    LogReplay replay(settings, a.root, a.options);
    LogReplayReport report;
    std::string error;
    const bool ok = replay.run(report, error);
    if (report.skippedLines > 0) {
        printSkipped(report, streams.err);
    }
    if (report.linesWhileOff > 0) {
        streams.err << kName << report.linesWhileOff
                    << " line(s) came while their port was closed (is the sensor disabled in the settings?)"
                       " and were not replayed\n";
    }
    if (!ok) {
        streams.err << kName << error << '\n';
        if (report.rowsWritten > 0) {
            streams.err << kName << report.rowsWritten << " row(s) were written to \""
                        << report.surveyFile.string() << "\" before the stop\n";
        }
        return kExitFailed;
    }
    streams.out << "replayed " << report.gnssLines << " GNSS and " << report.sbesLines
                << " echosounder line(s) from " << formatDateTime(report.firstTime) << " to "
                << formatDateTime(report.lastTime) << ", " << report.mapTicks << " map update(s)\n"
                << report.rowsWritten << " row(s) written to \"" << report.surveyFile.string() << "\"\n";
    if (report.rowsFailed > 0) {
        streams.err << kName << report.rowsFailed << " depth(s) could not be written to the survey file\n";
        return kExitFailed;
    }
    return report.skippedLines > 0 ? kExitSkippedLines : kExitDone;
}

} // namespace selvir::cli
