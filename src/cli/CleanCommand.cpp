// selvirhs-tool clean: the automatic filters over a reduction record, their flags written to the
// record's sidecar (the record itself is never changed), and the counts printed.
#include "cli/Commands.h"
#include "cli/SoundingInput.h"
#include "core/NumberFormat.h"
#include "processing/Filters.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <ostream>

namespace selvir::cli {
namespace {

using namespace selvir::processing;

constexpr const char* kName = "selvirhs-tool clean: ";
constexpr const char* kUsage =
    "Usage: selvirhs-tool clean [--gate MIN,MAX] [--median N,THRESHOLD] [--slope S] [--dry-run] "
    "SOUNDINGS.csv\n"
    "  --gate MIN,MAX        reject depths shallower than MIN or deeper than MAX metres\n"
    "  --median N,THRESHOLD  reject depths more than THRESHOLD metres from the median of the N soundings\n"
    "                        around them (N at least 3)\n"
    "  --slope S             reject depths that change by more than S metres per metre along track\n"
    "  --dry-run             print the counts the filters would give; write nothing\n"
    "The filters run in that order, each on what the ones before kept, on the depth below the datum (or\n"
    "below the water line when the record has no water level). Flags set by hand are kept; automatic\n"
    "flags of an earlier run are replaced. Flags go to the sidecar SOUNDINGS.flags beside the record.\n"
    "Without a filter, prints the counts of the sidecar as it is. Prints accepted N, rejected N and the\n"
    "rejections per reason. Exit status: 0 done, 1 failed, 2 usage.\n";

struct CleanArguments {
    std::string file;
    CleaningSettings settings;
    bool dryRun = false;
};

// "A,B" as two numbers.
std::optional<std::pair<double, double>> numberPair(const std::string& text) {
    const auto comma = text.find(',');
    if (comma == std::string::npos) {
        return std::nullopt;
    }
    const auto a = parseFiniteDouble(std::string_view(text).substr(0, comma));
    const auto b = parseFiniteDouble(std::string_view(text).substr(comma + 1));
    if (!a || !b) {
        return std::nullopt;
    }
    return std::pair{*a, *b};
}

std::optional<CleanArguments> parseArguments(CommandArgs args, std::ostream& err) {
    CleanArguments out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--dry-run") {
            out.dryRun = true;
        } else if (arg == "--gate" && hasValue) {
            const auto pair = numberPair(args[++i]);
            if (!pair) {
                err << kName << "--gate needs MIN,MAX in metres, not \"" << args[i] << "\"\n";
                return std::nullopt;
            }
            out.settings.gate = DepthGate{pair->first, pair->second};
        } else if (arg == "--median" && hasValue) {
            const auto pair = numberPair(args[++i]);
            if (!pair || pair->first != std::floor(pair->first) || std::abs(pair->first) > 100'000) {
                err << kName << "--median needs N,THRESHOLD (soundings, metres), not \"" << args[i] << "\"\n";
                return std::nullopt;
            }
            out.settings.median = MedianFilterSettings{static_cast<int>(pair->first), pair->second};
        } else if (arg == "--slope" && hasValue) {
            out.settings.maxSlope = parseFiniteDouble(args[++i]);
            if (!out.settings.maxSlope) {
                err << kName << "--slope needs metres per metre, not \"" << args[i] << "\"\n";
                return std::nullopt;
            }
        } else if (arg.starts_with("--") || !out.file.empty()) {
            err << kName << "unexpected argument \"" << arg << "\"\n" << kUsage;
            return std::nullopt;
        } else {
            out.file = arg;
        }
    }
    if (out.file.empty()) {
        err << kUsage;
        return std::nullopt;
    }
    if (const std::string problem = checkCleaningSettings(out.settings); !problem.empty()) {
        err << kName << problem << '\n';
        return std::nullopt;
    }
    return out;
}

void printCounts(std::ostream& out, std::span<const Sounding> soundings, const FlagSet& flags) {
    std::size_t perReason[4] = {};
    std::size_t rejected = 0;
    for (const Sounding& s : soundings) {
        const SoundingFlag* flag = flags.find(s.key);
        if (flag && flag->state == FlagState::Rejected) {
            ++rejected;
            ++perReason[static_cast<int>(flag->reason)];
        }
    }
    out << "accepted " << soundings.size() - rejected << '\n' << "rejected " << rejected << '\n';
    for (const FlagReason reason :
         {FlagReason::Gate, FlagReason::Median, FlagReason::Slope, FlagReason::Manual}) {
        out << "rejected_" << flagReasonName(reason) << ' ' << perReason[static_cast<int>(reason)] << '\n';
    }
}

std::string describe(const FilterCounts& f, const CleaningSettings& s) {
    std::string text;
    switch (f.reason) {
    case FlagReason::Gate:
        text = "gate " + formatGeneral(s.gate->minM) + " ... " + formatGeneral(s.gate->maxM) + " m";
        break;
    case FlagReason::Median:
        text = "median of " + std::to_string(s.median->windowSoundings) + " soundings, threshold " +
               formatGeneral(s.median->thresholdM) + " m";
        break;
    default:
        text = "slope " + formatGeneral(*s.maxSlope) + " m/m";
        break;
    }
    return text + ": " + std::to_string(f.assessed) + " assessed, " + std::to_string(f.rejected) +
           " rejected";
}

} // namespace

int runCleanCommand(CommandArgs args, CommandStreams streams) {
    const auto arguments = parseArguments(args, streams.err);
    if (!arguments) {
        return 2;
    }
    SurveyData data;
    if (!loadSoundingRecords({arguments->file}, data, streams.err, kName)) {
        return 1;
    }
    SurveyFileData& file = data.files.front();
    const std::span<const Sounding> soundings = data.soundingsOf(0);
    const CleaningSettings& settings = arguments->settings;
    if (!settings.gate && !settings.median && !settings.maxSlope) {
        streams.err << "No filter given: the flags as they are in " << file.sidecar.string() << '\n';
        printCounts(streams.out, soundings, file.flags);
        return 0;
    }
    if (!file.sidecarRead.badLines.empty() && !arguments->dryRun) {
        // Writing the sidecar again would drop the lines it could not read, and with them decisions
        // the surveyor made.
        streams.err << kName << file.sidecar.string() << " has line(s) that cannot be read (above): mend or "
                    << "remove them first; nothing written\n";
        return 1;
    }
    const CleaningPreview preview = previewCleaning(soundings, file.flags, settings);
    streams.err << depthReferenceNote(preview.reference) << '\n';
    if (preview.withoutDepth > 0) {
        streams.err << preview.withoutDepth << " sounding(s) without that depth: not assessed\n";
    }
    if (preview.manualDecisions > 0) {
        streams.err << preview.manualDecisions << " sounding(s) flagged by hand: kept as they are\n";
    }
    for (const FilterCounts& f : preview.filters) {
        streams.err << describe(f, settings) << '\n';
    }
    file.flags.apply(cleaningEdit(soundings, file.flags, preview));
    printCounts(streams.out, soundings, file.flags);
    if (arguments->dryRun) {
        streams.err << "Dry run: " << file.sidecar.string() << " not written\n";
        return 0;
    }
    std::string error;
    if (!writeFlagsSidecar(file.sidecar, file.flags, error)) {
        streams.err << kName << "cannot write " << file.sidecar.string() << ": " << error << '\n';
        return 1;
    }
    streams.err << "Flags written to " << file.sidecar.string() << '\n';
    return 0;
}

} // namespace selvir::cli
