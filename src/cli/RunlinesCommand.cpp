// selvirhs-tool runlines: the runline generator without the program: the lines it would generate
// along a route, printed one per line as "x y x y ..." (metres, 6 decimals), and optionally a layout
// with the route and the lines the program opens.
#include "canvas/CanvasCore.h"
#include "cli/Commands.h"
#include "core/DateTime.h"
#include "core/NumberFormat.h"
#include "layoutfiles/NativeLayout.h"
#include "tools/RunlineGenerator.h"

#include <optional>
#include <ostream>

namespace selvir::cli {
namespace {

constexpr const char* kName = "selvirhs-tool runlines: ";
constexpr const char* kUsage =
    "Usage: selvirhs-tool runlines --route X1,Y1 X2,Y2 ... [--spacing S] [--length L] [--parallel]\n"
    "                              [--gvx FILE]\n"
    "  --route X,Y ...   the route's points, grid metres (two or more)\n"
    "  --spacing S       metres between lines (10)\n"
    "  --length L        perpendicular: half the length of a cross line; parallel: how far out the\n"
    "                    lines go on each side (100)\n"
    "  --parallel        lines parallel to the route on both sides (default: cross lines)\n"
    "  --gvx FILE        also write a layout with the route and the lines, for File > Open\n"
    "Spacing and length follow the generator's rules: not a number, 0 or less give 10 and 100.\n";

struct RunlineArguments {
    PolylinePoints route;
    std::string spacing = "10";
    std::string length = "100";
    bool parallel = false;
    std::string layout;
};

std::optional<std::pair<double, double>> routePoint(const std::string& text) {
    const auto comma = text.find(',');
    if (comma == std::string::npos) {
        return std::nullopt;
    }
    const auto x = parseFiniteDouble(std::string_view(text).substr(0, comma));
    const auto y = parseFiniteDouble(std::string_view(text).substr(comma + 1));
    if (!x || !y) {
        return std::nullopt;
    }
    return std::make_pair(*x, *y);
}

std::optional<RunlineArguments> parseArguments(CommandArgs args, std::ostream& err) {
    RunlineArguments out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--route") {
            while (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0) {
                const auto point = routePoint(args[++i]);
                if (!point) {
                    err << kName << "a route point is X,Y in metres, not \"" << args[i] << "\"\n";
                    return std::nullopt;
                }
                out.route.push_back(*point);
            }
        } else if (arg == "--spacing" && hasValue) {
            out.spacing = args[++i];
        } else if (arg == "--length" && hasValue) {
            out.length = args[++i];
        } else if (arg == "--parallel") {
            out.parallel = true;
        } else if (arg == "--gvx" && hasValue) {
            out.layout = args[++i];
        } else {
            err << kName << "unknown argument or missing value \"" << arg << "\"\n" << kUsage;
            return std::nullopt;
        }
    }
    if (out.route.size() < 2) {
        err << kName << "the route needs at least 2 points\n" << kUsage;
        return std::nullopt;
    }
    return out;
}

void warnIfNotANumber(const char* field, const std::string& text, double used, std::ostream& err) {
    if (!parseFiniteDouble(text)) {
        err << kName << field << " \"" << text << "\" is not a number: " << formatGeneral(used)
            << " is used\n";
    }
}

} // namespace

int runRunlinesCommand(CommandArgs args, CommandStreams streams) {
    const auto parsed = parseArguments(args, streams.err);
    if (!parsed) {
        return 2;
    }
    const RunlineArguments& a = *parsed;
    const RunlineParameters parameters = runlineParameters(a.spacing, a.length, !a.parallel);
    warnIfNotANumber("spacing", a.spacing, parameters.spacingM, streams.err);
    warnIfNotANumber("length", a.length, parameters.lengthM, streams.err);
    const std::size_t count = runlineCount(a.route, parameters);
    if (count > kMostRunlines) {
        streams.err << kName << count << " lines are too many (at most " << kMostRunlines
                    << "): raise the spacing\n";
        return 1;
    }
    const std::vector<PolylinePoints> lines = generateRunlines(a.route, parameters);
    for (const PolylinePoints& line : lines) {
        std::string text;
        for (const auto& [x, y] : line) {
            text += (text.empty() ? "" : " ") + formatFixed(x, 6) + " " + formatFixed(y, 6);
        }
        streams.out << text << '\n';
    }
    if (!a.layout.empty()) {
        CanvasCore drawing;
        drawing.DrawPolyline(a.route, drawing.LayerOpen(routeLayerName), false);
        drawRunlines(drawing, drawing.LayerOpen(runlineLayerName), a.route, lines);
        drawing.WorldExtents();
        const LayoutFileResult saved = CadSave(drawing, drawing.View(), a.layout, SystemClock());
        if (!saved.ok) {
            streams.err << kName << saved.error << '\n';
            return 1;
        }
    }
    return 0;
}

} // namespace selvir::cli
