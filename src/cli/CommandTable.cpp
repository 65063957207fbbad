#include "cli/Commands.h"

#include <ostream>

namespace selvir::cli {

const std::vector<Command>& commands() {
    static const std::vector<Command> table = {
        {"scan", "PATTERN",
         "read lines on standard input with a scanf-style PATTERN; print the count and the values read",
         runScanCommand},
        {"nmea", "FILE...",
         "decode raw port logs with the serial reader; print CSV of position and speed changes",
         runNmeaCommand},
        {"geo", "[--settings FILE | --epsg N] [--local | --check POINTS.csv]",
         "convert \"latitude longitude height\" lines (WGS-84) to easting, northing and grid convergence, "
         "with the settings' chain or PROJ's best transformation to EPSG:N; with --check, residuals of "
         "control points (name,latitude,longitude,height,easting,northing) "
         "with the rotations as entered and negated (exit 3 when negated fits clearly better)",
         runGeoCommand},
        {"dxfinfo", "FILE",
         "import a DXF drawing into an empty drawing; print the report, shapes per type and layer",
         runDxfInfoCommand},
        {"render",
         "LAYOUT OUT.png|OUT.pdf [--size WxH] [--window L,T,R,B] [--survey SURVEY.csv] [--settings FILE] "
         "[--title TEXT]",
         "draw a layout (or DXF, XYZ) as a report map with grid, scale bar, north arrow, title block and "
         "soundings",
         runRenderCommand},
        {"convert", "IN OUT",
         "convert a layout, DXF or XYZ file (.gvx, .dxf, .xyz) to a layout or DXF (.gvx, .dxf)",
         runConvertCommand},
        {"settings", "[--if-missing] FILE SECTION KEY [VALUE]",
         "print one value of a settings file, or write it (only when missing with --if-missing)",
         runSettingsCommand},
        {"replay",
         "--settings FILE --root DIR [--events FILE] [--map-interval MS] [--verbose] [--lines LAYOUT.gvx]\n"
         "          [--nmea-out HOST:PORT] GNSS_LOG [SBES_LOG]",
         "replay raw port logs written with \"Log Time\" through the survey engine into a new survey file",
         runReplayCommand},
        {"svp",
         "[--search PATTERN --sv-first|--depth-first] [--max-depth N] [--latitude D] [--whole-cast] "
         "[--save-to ROOT] FILE",
         "a sound velocity cast to the per-metre SV column (\"depth,sv\"); what was read on standard error",
         runSvpCommand},
        {"runlines", "--route X1,Y1 X2,Y2 ... [--spacing S] [--length L] [--parallel] [--gvx FILE]",
         "generate runlines along a route as the runline generator does; print each as \"x y x y ...\"",
         runRunlinesCommand},
        {"guidance", "--settings FILE --lines LAYOUT.gvx [--map-interval MS] GNSS_LOG",
         "replay a raw GNSS log against a layout's runlines; print the line guidance of every map tick",
         runGuidanceCommand},
        {"clean", "[--gate MIN,MAX] [--median N,THRESHOLD] [--slope S] [--dry-run] SOUNDINGS.csv",
         "flag spikes of a reduction record with a depth gate, a running median and a slope gate into its "
         "sidecar SOUNDINGS.flags; print accepted N, rejected N and the rejections per reason",
         runCleanCommand},
        {"qc", "[--order exclusive|special|1a|1b|2] SOUNDINGS.csv...",
         "crossing analysis against the TVU of an IHO S-44 order: one CSV row per crossing, the statistics "
         "and the verdict (exit 0 pass, 3 fail)",
         runQcCommand},
        {"grid",
         "--cell M [--stat mean|median|shoalest] [--elevation] [--settings FILE] SOUNDINGS.csv... OUT.xyz",
         "grid the accepted soundings in square cells on multiples of M; per cell the depth, nodata where "
         "none fell",
         runGridCommand},
        {"contour", "--interval M GRID.xyz OUT.dxf",
         "contours of a grid by marching squares, closed where they close, one DXF layer per depth",
         runContourCommand},
    };
    return table;
}

namespace {

void printHelp(std::ostream& out) {
    out << "Usage: selvirhs-tool COMMAND [ARGUMENTS]\n\nCommands:\n";
    for (const Command& command : commands()) {
        out << "  " << command.name << ' ' << command.usage << "\n      " << command.summary << '\n';
    }
    out << "\nselvirhs-tool --help shows this text.\n";
}

} // namespace

int runTool(const std::vector<std::string>& args, CommandStreams streams) {
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        printHelp(args.empty() ? streams.err : streams.out);
        return args.empty() ? 2 : 0;
    }
    for (const Command& command : commands()) {
        if (args[0] == command.name) {
            return command.run(CommandArgs(args).subspan(1), streams);
        }
    }
    streams.err << "selvirhs-tool: unknown command \"" << args[0] << "\"\n";
    printHelp(streams.err);
    return 2;
}

} // namespace selvir::cli
