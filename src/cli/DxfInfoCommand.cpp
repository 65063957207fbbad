// selvirhs-tool dxfinfo FILE: what the program's DXF import makes of a drawing, imported into an empty
// drawing: the import's report lines, the number of shapes, the shapes per type code and per layer.
#include "cli/Commands.h"
#include "layoutfiles/LayoutFiles.h"

#include <map>
#include <ostream>

namespace selvir::cli {

int runDxfInfoCommand(CommandArgs args, CommandStreams streams) {
    if (args.size() != 1) {
        streams.err << "Usage: selvirhs-tool dxfinfo FILE\n";
        return 2;
    }
    CanvasModel model;
    ViewWindow view;
    DxfLoadReport report;
    const bool loaded = DXFLoad(model, view, headlessClientSize, args[0], &report).ok;
    if (report.lines.empty()) {
        streams.err << "Cannot open " << args[0] << '\n';
        return 1;
    }
    for (const std::string& line : report.lines) {
        streams.out << line << '\n';
    }
    streams.out << "shapes " << model.ShapeCount() << '\n';
    std::map<int, int> perType;
    std::map<int, int> perLayer;
    for (const auto& shape : model.Shapes) {
        ++perType[shapeCode(shape->ShapeType)];
        ++perLayer[shape->Layer];
    }
    for (const auto& [type, count] : perType) {
        streams.out << "type " << type << ' ' << count << '\n';
    }
    for (const auto& layer : model.Layers) {
        const auto found = perLayer.find(layer->Index);
        streams.out << "layer " << layer->Name.toStdString() << ' '
                    << (found == perLayer.end() ? 0 : found->second) << '\n';
    }
    return loaded ? 0 : 1;
}

} // namespace selvir::cli
