// selvirhs-tool svp: a sound velocity cast through the sound velocity window's three steps, printed as
// the SV column ("depth,sv" per metre), with what was detected on standard error.
#include "cli/Commands.h"
#include "core/DataFolders.h"
#include "core/NumberFormat.h"
#include "core/SvpTableFiles.h"
#include "tools/ProbeFile.h"
#include "tools/SvpAutoDetect.h"
#include "tools/SvpSteps.h"
#include "tools/SvpTexts.h"

#include <cmath>
#include <optional>
#include <ostream>
#include <string>

namespace selvir::cli {
namespace {

constexpr const char* kName = "selvirhs-tool svp: ";
constexpr const char* kUsage =
    "Usage: selvirhs-tool svp [--search PATTERN [--sv-first|--depth-first]] [--max-depth N]\n"
    "                         [--latitude D] [--whole-cast] FILE\n"
    "  --search PATTERN   read every line with this scanf-style pattern (two numbers), as the window's\n"
    "                     \"Format Identifier for SV & P\"; without it the probe file is recognised by\n"
    "                     its header (Sea-Bird .cnv, Valeport .vp2 and RapidSVT, CastAway CSV, MK21 EDF),\n"
    "                     or else a search string is built from its header line\n"
    "  --sv-first         the pattern's first number is the sound velocity (the default)\n"
    "  --depth-first      the pattern's first number is the depth\n"
    "  --max-depth N      metres of the SV column (200)\n"
    "  --latitude D       degrees, north positive, for pressure to depth when the file has none (45)\n"
    "  --whole-cast       keep the samples after the deepest point (the up cast) too\n"
    "  --save-to ROOT     also write the four tables into today's SVP folder under the data root ROOT\n"
    "                     (as the window's \"Save & Close\"), where the program finds them\n"
    "Prints \"depth,sv\" for every metre from 0 to N-1. Samples outside 1350 ... 1600 m/s are skipped and\n"
    "counted. Exit status: 0 done, 1 failed, 2 usage.\n";

constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

struct SvpArguments {
    std::string file;
    std::optional<std::string> search;
    bool velocityFirst = true;
    int maxDepth = 200;
    std::optional<double> latitudeDeg;
    bool wholeCast = false;
    std::optional<std::string> saveToRoot;
};

std::optional<SvpArguments> parseArguments(CommandArgs args, std::ostream& err) {
    SvpArguments out;
    std::optional<bool> order;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--sv-first" || arg == "--depth-first") {
            order = arg == "--sv-first";
        } else if (arg == "--whole-cast") {
            out.wholeCast = true;
        } else if (arg == "--save-to" && hasValue) {
            out.saveToRoot = args[++i];
        } else if (arg == "--search" && hasValue) {
            out.search = args[++i];
        } else if (arg == "--max-depth" && hasValue) {
            const auto depth = parseMaxDepth(args[++i]);
            if (!depth) {
                err << kName << svptext::maxDepthInvalid(false) << " (\"" << args[i] << "\")\n";
                return std::nullopt;
            }
            out.maxDepth = *depth;
        } else if (arg == "--latitude" && hasValue) {
            out.latitudeDeg = parseFiniteDouble(args[++i]);
            if (!out.latitudeDeg || std::abs(*out.latitudeDeg) > 90) {
                err << kName << "--latitude needs degrees from -90 to 90, not \"" << args[i] << "\"\n";
                return std::nullopt;
            }
        } else if (arg.starts_with("--") || !out.file.empty()) {
            err << kName << "unexpected argument \"" << arg << "\"\n" << kUsage;
            return std::nullopt;
        } else {
            out.file = arg;
        }
    }
    if (out.file.empty() || (order && !out.search)) {
        err << kUsage;
        return std::nullopt;
    }
    out.velocityFirst = order.value_or(true);
    return out;
}

// Step 1 as the arguments and the file say; what was detected goes to `err`. Nothing on failure.
std::optional<RawExtraction> extract(const SvpArguments& arguments, const std::vector<std::string>& lines,
                                     std::ostream& err) {
    const auto bySearchString = [&](const std::string& pattern,
                                    bool velocityFirst) -> std::optional<RawExtraction> {
        err << "Search string: " << pattern << (velocityFirst ? " (SV first)\n" : " (depth first)\n");
        RawExtraction raw = extractRawValues(lines, pattern, velocityFirst);
        if (!raw.patternError.empty()) {
            err << kName << svptext::searchStringInvalid(raw.patternError, false) << '\n';
            return std::nullopt;
        }
        return raw;
    };
    if (arguments.search) {
        return bySearchString(*arguments.search, arguments.velocityFirst);
    }
    ProbeReadResult probe = readProbeFile(lines, arguments.latitudeDeg);
    if (probe.recognised) {
        if (probe.fault != ProbeReadResult::Fault::None) {
            err << kName << svptext::probeFault(probe.cast.format, probe.fault, false) << '\n';
            return std::nullopt;
        }
        err << "Format: " << describeProbeCast(probe.cast) << '\n';
        if (probe.cast.unusableRows > 0) {
            err << "Rows without usable values: " << probe.cast.unusableRows << '\n';
        }
        if (!arguments.wholeCast) {
            const int dropped = keepDownCast(probe.cast.samples);
            err << "Down cast: " << probe.cast.samples.size() << " samples to the deepest point, " << dropped
                << " after it dropped\n";
        }
        if (const auto from = extendToSurface(probe.cast.samples)) {
            err << "Surface: the velocity of the shallowest sample, at " << formatFixed(*from, 2)
                << " m, taken for 0 m\n";
        }
        return extractRawValues(probe.cast.samples);
    }
    const SearchStringDetection detection = detectSearchString(lines);
    if (!detection.found) {
        err << kName << "not a recognised probe file. " << svptext::autoDetectNoHeader() << '\n';
        return std::nullopt;
    }
    err << "Format: not a recognised probe file; " << svptext::autoDetectReport(detection, false) << '\n';
    return bySearchString(detection.searchString, detection.velocityFirst);
}

} // namespace

int runSvpCommand(CommandArgs args, CommandStreams streams) {
    const auto arguments = parseArguments(args, streams.err);
    if (!arguments) {
        return kExitUsage;
    }
    std::vector<std::string> source;
    switch (readSoundVelocityFile(arguments->file, source)) {
    case SoundVelocityFileRead::Read:
        break;
    case SoundVelocityFileRead::TooLarge:
        streams.err << kName << svptext::fileTooLarge(arguments->file, false) << '\n';
        return kExitFailed;
    case SoundVelocityFileRead::Unreadable:
        streams.err << kName << svptext::fileUnreadable(arguments->file, false) << '\n';
        return kExitFailed;
    }
    const std::optional<RawExtraction> raw = extract(*arguments, source, streams.err);
    if (!raw) {
        return kExitFailed;
    }
    streams.err << "Samples: " << raw->lines.size() << " kept, " << raw->refused
                << " refused (outside 1350 ... 1600 m/s)\n";
    if (raw->lines.empty()) {
        streams.err << kName << svptext::noSamplesRead(false) << '\n';
        return kExitFailed;
    }
    const Averaging averaged = averageIntoBins(raw->lines, arguments->maxDepth);
    streams.err << "Bins: " << averaged.binsWithSamples << " with samples, deepest " << averaged.deepestBin
                << " m";
    if (averaged.droppedSamples > 0) {
        streams.err << ", " << averaged.droppedSamples << " samples outside 0 ... " << arguments->maxDepth - 1
                    << " m dropped";
    }
    streams.err << '\n';
    const SvColumn column = buildSvColumn(averaged.lines, arguments->maxDepth);
    if (column.fault == SvColumn::Fault::SurfaceBinEmpty) {
        streams.err << kName << svptext::surfaceBinEmpty(false) << '\n';
        return kExitFailed;
    }
    if (column.fault == SvColumn::Fault::OutOfRange) {
        streams.err << kName << svptext::columnOutOfRange(column.faultBin, false) << '\n';
        return kExitFailed;
    }
    if (column.interpolatedBins > 0) {
        streams.err << "Empty bins interpolated: " << column.interpolatedBins << '\n';
    }
    for (const std::string& line : depthVelocityLines(column.lines)) {
        streams.out << line << '\n';
    }
    if (arguments->saveToRoot) {
        const DataFolders folders(*arguments->saveToRoot, SystemClock().now().date);
        const std::vector<std::string>* tables[] = {&source, &raw->lines, &averaged.lines, &column.lines};
        std::string error;
        for (std::size_t i = 0; i < kSvpTables.size(); ++i) {
            if (!writeSvpTable(folders, kSvpTables[i], *tables[i], &error)) {
                streams.err << kName << svptext::tablesNotSaved(error, false) << '\n';
                return kExitFailed;
            }
        }
        streams.err << "Tables saved in " << folders.svpFolder().string() << '\n';
    }
    return kExitDone;
}

} // namespace selvir::cli
