// selvirhs-tool convert IN OUT: reads a layout (.gvx), DXF drawing (.dxf) or XYZ points (.xyz) into an
// empty drawing with the program's own readers and writes it as a layout (.gvx) or DXF (.dxf).
#include "cli/Commands.h"
#include "cli/DrawingInput.h"
#include "core/DateTime.h"
#include "layoutfiles/LayoutFiles.h"

#include <ostream>

namespace selvir::cli {

int runConvertCommand(CommandArgs args, CommandStreams streams) {
    if (args.size() != 2) {
        streams.err << "Usage: selvirhs-tool convert IN OUT  (IN: .gvx, .dxf or .xyz; OUT: .gvx or .dxf)\n";
        return 2;
    }
    const std::string& in = args[0];
    const std::string& out = args[1];
    const LayoutFormat inFormat = layoutFormatOf(in);
    const LayoutFormat outFormat = layoutFormatOf(out);
    if (inFormat == LayoutFormat::Unknown) {
        streams.err << "Cannot read " << in << ": the name must end in .gvx, .dxf or .xyz\n";
        return 2;
    }
    if (outFormat != LayoutFormat::Native && outFormat != LayoutFormat::Dxf) {
        streams.err << "Cannot write " << out << ": the name must end in .gvx or .dxf\n";
        return 2;
    }

    CanvasModel model;
    ViewWindow view;
    if (!readDrawing(in, model, view, streams.out, streams.err)) {
        return 1;
    }
    const bool saved = outFormat == LayoutFormat::Native ? CadSave(model, view, out, SystemClock()).ok
                                                         : DXFSave(model, view, out).ok;
    if (!saved) {
        streams.err << "Cannot write " << out << '\n';
        return 1;
    }
    streams.out << "shapes " << model.ShapeCount() << '\n';
    return 0;
}

} // namespace selvir::cli
