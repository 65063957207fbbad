#include "cli/DrawingInput.h"

#include <ostream>

namespace selvir::cli {

bool readDrawing(const std::string& file, CanvasModel& model, ViewWindow& view, std::ostream& report,
                 std::ostream& err) {
    bool loaded = false;
    switch (layoutFormatOf(file)) {
    case LayoutFormat::Native:
        loaded = CadLoad(model, view, file, layoutReplace).ok;
        break;
    case LayoutFormat::Dxf: {
        DxfLoadReport lines;
        loaded = DXFLoad(model, view, headlessClientSize, file, &lines).ok;
        for (const std::string& line : lines.lines) {
            (loaded ? report : err) << line << '\n';
        }
        break;
    }
    case LayoutFormat::Xyz:
        loaded = XYZLoad(model, view, headlessClientSize, file, 0, 0.0, 0.0).ok;
        break;
    case LayoutFormat::Unknown:
        err << "Cannot read " << file << ": the name must end in .gvx, .dxf or .xyz\n";
        return false;
    }
    if (!loaded) {
        err << "Cannot read " << file << '\n';
    }
    return loaded;
}

} // namespace selvir::cli
