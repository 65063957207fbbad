// selvirhs-tool render LAYOUT OUT.png|OUT.pdf [--size WxH] [--window L,T,R,B] [--survey SURVEY.csv]
//                       [--settings FILE] [--title TEXT]
// The report map of the program's "Export Map..." without a window (canvas/MapExport.h): the drawing of
// a layout (or a DXF or XYZ file), the survey file's rows as soundings coloured by depth, the title block
// from a settings file. Runs headless on Qt's offscreen platform.
#include "canvas/ShapeIndex.h"
#include "cli/Commands.h"
#include "cli/DrawingInput.h"
#include "core/DateTime.h"
#include "core/NumberFormat.h"
#include "layoutfiles/MapReportInputs.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <ostream>
#include <vector>

namespace selvir::cli {
namespace {

constexpr const char* kUsage = "Usage: selvirhs-tool render LAYOUT OUT.png|OUT.pdf [--size WxH] [--window "
                               "L,T,R,B] [--survey SURVEY.csv] "
                               "[--settings FILE] [--title TEXT]\n";
constexpr double kExtentMargin = 0.05;

// Fonts need a QGuiApplication; a command run from the shell has none, so it starts one on the
// offscreen platform for the length of the command. Gone before exit, it takes its font caches with
// it rather than leaving them to static destruction.
std::unique_ptr<QGuiApplication> guiApplicationIfNone() {
    if (QCoreApplication::instance() != nullptr) {
        return nullptr;
    }
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    static int argc = 1;
    static char name[] = "selvirhs-tool";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

std::optional<QSize> parseSize(const std::string& text) {
    const auto x = text.find_first_of("xX");
    if (x == std::string::npos) {
        return std::nullopt;
    }
    const auto w = parseInteger(std::string_view(text).substr(0, x));
    const auto h = parseInteger(std::string_view(text).substr(x + 1));
    if (!w || !h || *w <= 0 || *h <= 0 || *w > 100000 || *h > 100000) {
        return std::nullopt;
    }
    return QSize(static_cast<int>(*w), static_cast<int>(*h));
}

// "L,T,R,B": the order of the canvas's WorldSet.
std::optional<ViewWindow> parseWindow(const std::string& text) {
    std::vector<double> values;
    std::size_t start = 0;
    for (;;) {
        const auto comma = text.find(',', start);
        const auto value = parseFiniteDouble(std::string_view(text).substr(start, comma - start));
        if (!value) {
            return std::nullopt;
        }
        values.push_back(*value);
        if (comma == std::string::npos) {
            break;
        }
        start = comma + 1;
    }
    if (values.size() != 4) {
        return std::nullopt;
    }
    ViewWindow window;
    window.WorldSet(values[0], values[1], values[2], values[3]);
    if (!window.isUsable()) {
        return std::nullopt;
    }
    return window;
}

// The visible shapes and the soundings, with a margin; none when they span no area.
std::optional<ViewWindow> extentsOf(const CanvasModel& model, const std::vector<Sounding>& soundings) {
    WorldBox box{1e300, 1e300, -1e300, -1e300};
    auto widen = [&box](double minX, double minY, double maxX, double maxY) {
        if (std::isfinite(minX + minY + maxX + maxY)) {
            box = {std::min(box.minX, minX), std::min(box.minY, minY), std::max(box.maxX, maxX),
                   std::max(box.maxY, maxY)};
        }
    };
    for (const auto& shape : model.Shapes) {
        if (shape->Visible) {
            widen(shape->MinX, shape->MinY, shape->MaxX, shape->MaxY);
        }
    }
    for (const Sounding& s : soundings) {
        widen(s.easting, s.northing, s.easting, s.northing);
    }
    const double w = box.maxX - box.minX;
    const double h = box.maxY - box.minY;
    if (!(w > 0 || h > 0)) {
        return std::nullopt;
    }
    const double margin = std::max(w, h) * kExtentMargin;
    ViewWindow window;
    window.WorldSet(box.minX - margin, box.maxY + margin, box.maxX + margin, box.minY - margin);
    return window;
}

} // namespace

int runRenderCommand(CommandArgs args, CommandStreams streams) {
    std::vector<std::string> files;
    std::optional<QSize> size;
    std::optional<ViewWindow> window;
    std::optional<std::string> survey, settings, title;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--size" && hasValue) {
            size = parseSize(args[++i]);
            if (!size) {
                streams.err << "selvirhs-tool render: --size takes WIDTHxHEIGHT in pixels, not \"" << args[i]
                            << "\"\n";
                return 2;
            }
        } else if (arg == "--window" && hasValue) {
            window = parseWindow(args[++i]);
            if (!window) {
                streams.err << "selvirhs-tool render: --window takes LEFT,TOP,RIGHT,BOTTOM in metres with an "
                               "area, not \""
                            << args[i] << "\"\n";
                return 2;
            }
        } else if (arg == "--survey" && hasValue) {
            survey = args[++i];
        } else if (arg == "--settings" && hasValue) {
            settings = args[++i];
        } else if (arg == "--title" && hasValue) {
            title = args[++i];
        } else if (arg.rfind("--", 0) == 0) {
            streams.err << kUsage;
            return 2;
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 2) {
        streams.err << kUsage;
        return 2;
    }
    const QString out = QString::fromStdString(files[1]);
    if (!mapFormatOf(out)) {
        streams.err << "selvirhs-tool render: cannot write " << files[1]
                    << ": the name must end in .png or .pdf\n";
        return 2;
    }

    const auto application = guiApplicationIfNone();
    CanvasModel model;
    ViewWindow fileView;
    if (!readDrawing(files[0], model, fileView, streams.out, streams.err)) {
        return 1;
    }

    MapExportRequest request;
    if (survey) {
        const SurveySoundings read = readSurveySoundings(*survey);
        if (!read.ok()) {
            streams.err << "selvirhs-tool render: " << read.error << '\n';
            return 1;
        }
        request.soundings = read.soundings;
        if (read.unreadableRows > 0) {
            streams.err << read.unreadableRows << " row(s) of " << *survey
                        << " could not be read and are not shown\n";
        }
    }
    if (settings) {
        std::error_code error;
        if (!std::filesystem::is_regular_file(*settings, error)) {
            streams.err << "selvirhs-tool render: cannot read the settings file \"" << *settings << "\"\n";
            return 1;
        }
        request.title = readMapTitle(ProfileStore(*settings), SystemClock().now().date);
    } else {
        request.title.date = QString::fromStdString(formatDate(SystemClock().now().date));
    }
    request.title.title =
        title ? QString::fromStdString(*title) : QFileInfo(QString::fromStdString(files[0])).baseName();
    if (window) {
        request.window = *window;
    } else if (const auto extents = extentsOf(model, request.soundings)) {
        request.window = *extents;
    } else {
        streams.err << "selvirhs-tool render: nothing to draw in " << files[0] << "; give --window\n";
        return 1;
    }
    if (size) {
        request.sizePx = *size;
    }

    QString error;
    if (!ExportMap(model, request, out, error)) {
        streams.err << "selvirhs-tool render: " << error.toStdString() << '\n';
        return 1;
    }
    const QSize page = pageSizeOf(request, *mapFormatOf(out));
    streams.out << "wrote " << files[1] << " (" << page.width() << " x " << page.height() << ", "
                << model.ShapeCount() << " shapes, " << request.soundings.size() << " soundings)\n";
    return 0;
}

} // namespace selvir::cli
