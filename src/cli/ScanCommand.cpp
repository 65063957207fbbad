// selvirhs-tool scan PATTERN: try an echosounder format or a search string on sample lines.
#include "cli/Commands.h"
#include "core/NumberFormat.h"
#include "core/ScanPattern.h"

#include <istream>
#include <ostream>
#include <string>

namespace selvir::cli {
namespace {

std::string valueText(const ScanValue& value) {
    switch (value.kind) {
    case ScanValue::Kind::Integer:
        return std::to_string(value.integer);
    case ScanValue::Kind::Float:
        return formatShortest(static_cast<float>(value.real));
    case ScanValue::Kind::Double:
        return formatShortest(static_cast<double>(value.real));
    case ScanValue::Kind::LongDouble:
        return formatShortest(value.real);
    case ScanValue::Kind::Text:
        return value.text;
    }
    return {};
}

} // namespace

int runScanCommand(CommandArgs args, CommandStreams streams) {
    if (args.size() != 1) {
        streams.err << "Usage: selvirhs-tool scan PATTERN  (lines to read come on standard input)\n";
        return 2;
    }
    const ScanPattern pattern(args[0]);
    if (!pattern.valid()) {
        streams.err << "Invalid pattern \"" << args[0] << "\": " << pattern.error() << '\n';
        return 2;
    }
    std::string line;
    ScanResult result;
    while (std::getline(streams.in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        pattern.scan(line, result);
        streams.out << result.count;
        for (const ScanValue& value : result.values) {
            streams.out << '\t' << valueText(value);
        }
        streams.out << '\n';
    }
    return 0;
}

} // namespace selvir::cli
