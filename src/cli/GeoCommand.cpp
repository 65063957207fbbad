// selvirhs-tool geo [--settings FILE] [--local]: the realtime map update's conversion on positions read
// from standard input, one "latitude longitude height" line (WGS-84, degrees, metres) each.
// selvirhs-tool geo --epsg N [--local]: the same lines through PROJ's best transformation to the projected
// CRS EPSG:N (EpsgChain.h), with the same output.
// selvirhs-tool geo [--settings FILE] --check POINTS.csv: the control-point check of the settings
// window: one "name dE dN" line per point (known minus computed, metres), then "rms R" and
// "rms_rotations_negated R2"; exit status 3 when R2 < R / 2 (the rotation signs look swapped).
//
// Built for throughput (half a million positions faster than PROJ's cct): the input is read in large
// blocks and the usual line of three plain decimal numbers is read here, each number to the same
// extended-precision value "%Lf" gives; anything else on a line goes to the scan pattern the program
// reads such lines with, so odd lines read exactly as before. The output is collected and written in
// large blocks, its numbers formatted in integers (NumberFormat.h).
#include "cli/Commands.h"
#include "core/AtomicFile.h"
#include "core/NumberFormat.h"
#include "core/ProfileStore.h"
#include "core/ScanPattern.h"
#include "geodesy/ControlPointCheck.h"
#include "geodesy/RealtimeChain.h"
#include "gis/EpsgChain.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace selvir::cli {
namespace {

constexpr const char* kUsage = "Usage: selvirhs-tool geo [--settings FILE | --epsg N] [--local]  "
                               "(lines \"latitude longitude height\" on standard input)\n"
                               "       selvirhs-tool geo [--settings FILE] --check POINTS.csv\n";
constexpr std::size_t kBlockBytes = 1 << 16;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Powers of ten that long double holds exactly (5^27 < 2^64).
constexpr int kExactPowers = 27;
const std::array<long double, kExactPowers + 1>& powersOfTen() {
    static const std::array<long double, kExactPowers + 1> table = [] {
        std::array<long double, kExactPowers + 1> t{};
        t[0] = 1;
        for (int i = 1; i <= kExactPowers; ++i) {
            t[i] = t[i - 1] * 10;
        }
        return t;
    }();
    return table;
}

// A plain decimal number ([+-]digits[.digits][e[+-]digits]) of at most 19 significant digits and a
// decimal exponent within ±27: its digits and the power of ten are exact in long double, so one
// multiplication or division gives the correctly rounded value, as strtold does. Anything else (more
// digits, hexadecimal, "inf") returns null for the scan pattern to read.
const char* readPlainNumber(const char* p, const char* end, long double& value) {
    bool negative = false;
    if (p < end && (*p == '-' || *p == '+')) {
        negative = *p == '-';
        ++p;
    }
    std::uint64_t digits = 0;
    int significant = 0;
    int exponent = 0;
    bool anyDigit = false;
    auto take = [&](char c, bool afterPoint) {
        anyDigit = true;
        if (digits == 0 && c == '0') {
            exponent -= afterPoint ? 1 : 0;
            return true;
        }
        if (++significant > 19) {
            return false;
        }
        digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
        exponent -= afterPoint ? 1 : 0;
        return true;
    };
    for (; p < end && *p >= '0' && *p <= '9'; ++p) {
        if (!take(*p, false)) {
            return nullptr;
        }
    }
    if (p < end && *p == '.') {
        for (++p; p < end && *p >= '0' && *p <= '9'; ++p) {
            if (!take(*p, true)) {
                return nullptr;
            }
        }
    }
    if (!anyDigit) {
        return nullptr;
    }
    if (p < end && (*p == 'e' || *p == 'E')) {
        int written = 0;
        const auto [next, error] =
            std::from_chars(p + 1 + (p + 1 < end && p[1] == '+' ? 1 : 0), end, written);
        if (error != std::errc() || std::abs(written) > 4 * kExactPowers) {
            return nullptr;
        }
        exponent += written;
        p = next;
    }
    if (std::abs(exponent) > kExactPowers && digits != 0) {
        return nullptr;
    }
    const long double whole = static_cast<long double>(digits);
    const long double scale =
        powersOfTen()[static_cast<std::size_t>(std::min(std::abs(exponent), kExactPowers))];
    value = exponent >= 0 ? whole * scale : whole / scale;
    if (negative) {
        value = -value;
    }
    return p;
}

// Three numbers separated and surrounded by blanks and nothing else; false sends the line to the scan
// pattern.
bool readPlainLine(std::string_view line, long double (&values)[3]) {
    const char* p = line.data();
    const char* end = p + line.size();
    for (long double& value : values) {
        while (p < end && isBlank(*p)) {
            ++p;
        }
        const char* next = readPlainNumber(p, end, value);
        if (next == nullptr) {
            return false;
        }
        p = next;
        if (p < end && !isBlank(*p)) {
            return false;
        }
    }
    while (p < end && isBlank(*p)) {
        ++p;
    }
    return p == end;
}

// The pattern the tool has always read lines with: a fourth word makes the line unreadable rather than
// silently cut.
bool readScannedLine(const ScanPattern& pattern, std::string_view line, long double (&values)[3]) {
    ScanResult read;
    pattern.scan(std::string(line), read);
    if (read.count != 3) {
        return false;
    }
    for (int i = 0; i < 3; ++i) {
        values[i] = read.values[i].real;
    }
    return true;
}

void appendFixed(std::string& out, long double value, int decimals) {
    out += formatFixed(value, decimals);
}

// Chain: RealtimeChain, or a GridChain (the EPSG chain); both convert() to a FixConversion.
template <typename Chain>
void convertLine(std::string_view line, const Chain& chain, const ScanPattern& pattern, bool local,
                 std::string& out) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    long double values[3];
    if (!readPlainLine(line, values) && !readScannedLine(pattern, line, values)) {
        out += "ERR unreadable line: expected latitude longitude height\n";
        return;
    }
    const FixConversion fix = chain.convert(values[0], values[1], values[2]);
    if (!fix.ok()) {
        out += "ERR ";
        out += describeFixFailure(fix.failure);
        out += '\n';
        return;
    }
    appendFixed(out, fix.eastingM, 4);
    out += ' ';
    appendFixed(out, fix.northingM, 4);
    out += ' ';
    appendFixed(out, fix.convergenceDeg, 8);
    if (local) {
        out += ' ';
        appendFixed(out, fix.local.latitudeDeg, 8);
        out += ' ';
        appendFixed(out, fix.local.longitudeDeg, 8);
        out += ' ';
        appendFixed(out, fix.local.heightM, 4);
    }
    out += '\n';
}

constexpr int kRotationsLookSwapped = 3;

int runCheck(const GeodeticParameters& parameters, const std::string& pointsFile, CommandStreams streams) {
    std::string text;
    if (!readWholeFile(pointsFile, text)) {
        streams.err << "selvirhs-tool geo: cannot read the control points \"" << pointsFile << "\"\n";
        return 1;
    }
    const ControlPointsText read = readControlPoints(text);
    if (!read.problem.empty() || read.points.empty()) {
        streams.err << "selvirhs-tool geo: " << pointsFile << ": "
                    << (read.problem.empty() ? std::string("no control points") : read.problem) << '\n';
        return 1;
    }
    const ControlPointCheck check = checkControlPoints(parameters, read.points);
    for (const ControlPointResidual& point : check.residuals) {
        streams.out << point.name << ' ';
        if (point.ok()) {
            streams.out << formatFixed(point.dEastM, 4) << ' ' << formatFixed(point.dNorthM, 4) << '\n';
        } else {
            streams.out << "ERR " << describeFixFailure(point.failure) << '\n';
        }
    }
    if (check.converted == 0) {
        streams.err << "selvirhs-tool geo: " << check.verdict() << '\n';
        return 1;
    }
    streams.out << "rms " << formatFixed(check.rmsM, 4) << '\n';
    streams.out << "rms_rotations_negated " << formatFixed(check.rmsRotationsNegatedM, 4) << '\n';
    streams.err << check.verdict() << '\n';
    return check.rotationsNegatedFitBetter() ? kRotationsLookSwapped : 0;
}

template <typename Chain>
int convertStream(const Chain& chain, bool local, CommandStreams streams) {
    const ScanPattern pattern("%Lf %Lf %Lf %1s");

    std::string pending; // input not yet cut into lines
    std::string out;
    out.reserve(2 * kBlockBytes);
    std::string block(kBlockBytes, '\0');
    std::streambuf* input = streams.in.rdbuf();
    for (;;) {
        const std::streamsize got =
            input ? input->sgetn(block.data(), static_cast<std::streamsize>(block.size())) : 0;
        if (got <= 0) {
            break;
        }
        pending.append(block.data(), static_cast<std::size_t>(got));
        std::size_t start = 0;
        for (std::size_t end; (end = pending.find('\n', start)) != std::string::npos; start = end + 1) {
            convertLine(std::string_view(pending).substr(start, end - start), chain, pattern, local, out);
        }
        pending.erase(0, start);
        if (out.size() >= kBlockBytes) {
            streams.out.write(out.data(), static_cast<std::streamsize>(out.size()));
            out.clear();
        }
    }
    if (!pending.empty()) {
        convertLine(pending, chain, pattern, local, out);
    }
    streams.out.write(out.data(), static_cast<std::streamsize>(out.size()));
    return 0;
}

} // namespace

int runGeoCommand(CommandArgs args, CommandStreams streams) {
    std::optional<std::string> settingsFile;
    std::optional<std::string> pointsFile;
    std::optional<int> epsgCode;
    bool local = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--local") {
            local = true;
        } else if (args[i] == "--settings" && i + 1 < args.size()) {
            settingsFile = args[++i];
        } else if (args[i] == "--check" && i + 1 < args.size()) {
            pointsFile = args[++i];
        } else if (args[i] == "--epsg" && i + 1 < args.size() && parseInt(args[i + 1])) {
            epsgCode = parseInt(args[++i]);
        } else {
            streams.err << kUsage;
            return 2;
        }
    }
    if ((local && pointsFile) || (epsgCode && (pointsFile || settingsFile))) {
        streams.err << kUsage;
        return 2;
    }
    if (epsgCode) {
        EpsgChainOptions options;
        options.withLocalPosition = local;
        const EpsgChainSetup epsg = EpsgChain::create(*epsgCode, options);
        if (!epsg.ok()) {
            streams.err << "selvirhs-tool geo: " << epsg.error << '\n';
            return 1;
        }
        streams.err << epsg.chain->description() << '\n';
        return convertStream(*epsg.chain, local, streams);
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
    if (setup.ok() && pointsFile) {
        return runCheck(parameters, *pointsFile, streams);
    }
    if (!setup.ok()) {
        streams.err << "selvirhs-tool geo: " << setup.error.text() << '\n';
        return 1;
    }
    return convertStream(*setup.chain, local, streams);
}

} // namespace selvir::cli
