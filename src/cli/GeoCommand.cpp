// selvirhs-tool geo [--settings FILE] [--local]: the realtime map update's conversion on positions read
// from standard input, one "latitude longitude height" line (WGS-84, degrees, metres) each.
#include "cli/Commands.h"
#include "core/NumberFormat.h"
#include "core/ProfileStore.h"
#include "core/ScanPattern.h"
#include "geodesy/RealtimeChain.h"

#include <filesystem>
#include <istream>
#include <optional>
#include <ostream>
#include <string>

namespace selvir::cli {
namespace {

constexpr const char* kUsage = "Usage: selvirhs-tool geo [--settings FILE] [--local]  "
                               "(lines \"latitude longitude height\" on standard input)\n";

} // namespace

int runGeoCommand(CommandArgs args, CommandStreams streams) {
    std::optional<std::string> settingsFile;
    bool local = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--local") {
            local = true;
        } else if (args[i] == "--settings" && i + 1 < args.size()) {
            settingsFile = args[++i];
        } else {
            streams.err << kUsage;
            return 2;
        }
    }

    GeodeticParameters parameters;
    if (settingsFile) {
        std::error_code error;
        if (!std::filesystem::is_regular_file(*settingsFile, error)) {
            streams.err << "selvirhs-tool geo: cannot read the settings file \"" << *settingsFile << "\"\n";
            return 1;
        }
        parameters = GeodeticParameters::read(ProfileStore(*settingsFile));
    }
    const RealtimeChainSetup setup = RealtimeChain::create(parameters);
    if (!setup.ok()) {
        streams.err << "selvirhs-tool geo: " << setup.error.text() << '\n';
        return 1;
    }
    const RealtimeChain& chain = *setup.chain;

    // A fourth word after the three numbers makes the line unreadable rather than silently cut.
    const ScanPattern pattern("%Lf %Lf %Lf %1s");
    ScanResult read;
    std::string line;
    while (std::getline(streams.in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        pattern.scan(line, read);
        if (read.count != 3) {
            streams.out << "ERR unreadable line: expected latitude longitude height\n";
            continue;
        }
        const FixConversion fix =
            chain.convert(read.values[0].real, read.values[1].real, read.values[2].real);
        if (!fix.ok()) {
            streams.out << "ERR " << describeFixFailure(fix.failure) << '\n';
            continue;
        }
        std::string text = formatFixed(fix.eastingM, 4);
        text += ' ';
        text += formatFixed(fix.northingM, 4);
        text += ' ';
        text += formatFixed(fix.convergenceDeg, 8);
        if (local) {
            text += ' ';
            text += formatFixed(fix.local.latitudeDeg, 8);
            text += ' ';
            text += formatFixed(fix.local.longitudeDeg, 8);
            text += ' ';
            text += formatFixed(fix.local.heightM, 4);
        }
        streams.out << text << '\n';
    }
    return 0;
}

} // namespace selvir::cli
