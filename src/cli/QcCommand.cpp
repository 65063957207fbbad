// selvirhs-tool qc: the crossing analysis of one or more reduction records (flags sidecars honoured)
// against the total vertical uncertainty of an IHO S-44 order, with the verdict as the exit status.
#include "cli/Commands.h"
#include "cli/SoundingInput.h"
#include "core/NumberFormat.h"
#include "processing/Crossings.h"
#include "processing/SoundingFlags.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <ostream>

namespace selvir::cli {
namespace {

using namespace selvir::processing;

constexpr const char* kName = "selvirhs-tool qc: ";
constexpr const char* kUsage =
    "Usage: selvirhs-tool qc [--order exclusive|special|1a|1b|2] SOUNDINGS.csv...\n"
    "  --order ORDER   the IHO S-44 order whose TVU the crossings are held to (1a)\n"
    "Finds every crossing of the track (at least 30 degrees and 60 s apart, both depths interpolated from\n"
    "accepted soundings within 2 m) over all the records, and prints\n"
    "  easting,northing,time_a,time_b,depth_a,depth_b,difference,tvu,within\n"
    "per crossing (a the earlier pass, difference = depth_a - depth_b, tvu at their mean depth), then\n"
    "crossings N, mean_difference M, std_difference S, max_abs_difference X, within_tvu_percent P and\n"
    "\"order O pass\" or \"order O fail\" (pass: at least 95 % within). Rejected soundings (the flags\n"
    "sidecar beside each record) take no part. Exit status: 0 pass, 3 fail, 1 failed, 2 usage.\n";

constexpr int kExitPass = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitOrderFailed = 3;

struct QcArguments {
    std::vector<std::string> files;
    SurveyOrder order = SurveyOrder::Order1a;
};

std::optional<QcArguments> parseArguments(CommandArgs args, std::ostream& err) {
    QcArguments out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--order" && i + 1 < args.size()) {
            const auto order = parseSurveyOrder(args[++i]);
            if (!order) {
                err << kName << "--order needs exclusive, special, 1a, 1b or 2, not \"" << args[i] << "\"\n";
                return std::nullopt;
            }
            out.order = *order;
        } else if (arg.starts_with("--")) {
            err << kName << "unexpected argument \"" << arg << "\"\n" << kUsage;
            return std::nullopt;
        } else {
            out.files.push_back(arg);
        }
    }
    if (out.files.empty()) {
        err << kUsage;
        return std::nullopt;
    }
    return out;
}

std::string metres(double value) {
    return std::isfinite(value) ? formatFixed(value, 3) : "-";
}

// Hundredths rounded down, so a share printed as 95.00 is never below 95 %.
std::string percentDown(std::size_t part, std::size_t whole) {
    if (whole == 0) {
        return "-";
    }
    const std::size_t hundredths = part * 10'000 / whole;
    const std::string fraction = std::to_string(100 + hundredths % 100).substr(1);
    return std::to_string(hundredths / 100) + "." + fraction;
}

} // namespace

int runQcCommand(CommandArgs args, CommandStreams streams) {
    const auto arguments = parseArguments(args, streams.err);
    if (!arguments) {
        return kExitUsage;
    }
    SurveyData data;
    if (!loadSoundingRecords(arguments->files, data, streams.err, kName)) {
        return kExitFailed;
    }
    const DepthReference reference = chooseDepthReference(data.soundings);
    streams.err << depthReferenceNote(reference) << '\n';
    const std::vector<std::uint8_t> accepted = acceptedMask(data);
    const std::vector<TrackSegment> segments = trackSegments(data.soundings, accepted, reference);
    const std::vector<Crossing> crossings = findCrossings(segments);
    streams.err << data.soundings.size() << " sounding(s) in " << data.files.size() << " record(s), "
                << std::count(accepted.begin(), accepted.end(), 0) << " rejected; " << segments.size()
                << " track segment(s)\n";

    const SurveyOrder order = arguments->order;
    streams.out << "easting,northing,time_a,time_b,depth_a,depth_b,difference,tvu,within\n";
    for (const Crossing& c : crossings) {
        streams.out << formatFixed(c.eastingM, 3) << ',' << formatFixed(c.northingM, 3) << ','
                    << formatSoundingKey({c.timeAMs, 0}) << ',' << formatSoundingKey({c.timeBMs, 0}) << ','
                    << formatFixed(c.depthAM, 3) << ',' << formatFixed(c.depthBM, 3) << ','
                    << formatFixed(c.differenceM(), 3) << ',' << formatFixed(tvuM(order, c.meanDepthM()), 3)
                    << ',' << (c.withinTvu(order) ? "yes" : "no") << '\n';
    }
    const CrossingStatistics s = crossingStatistics(crossings, order);
    streams.out << "crossings " << s.count << '\n'
                << "mean_difference " << metres(s.meanM) << '\n'
                << "std_difference " << metres(s.stdM) << '\n'
                << "max_abs_difference " << metres(s.maxAbsM) << '\n'
                << "within_tvu_percent " << percentDown(s.within, s.count) << '\n'
                << "order " << surveyOrderName(order) << (s.pass ? " pass" : " fail") << '\n';
    if (s.count == 0) {
        streams.err
            << "No crossings: the track never crosses itself at 30 degrees or more a minute apart, so "
               "the order cannot be shown. Run cross lines.\n";
    }
    return s.pass ? kExitPass : kExitOrderFailed;
}

} // namespace selvir::cli
