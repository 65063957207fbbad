// Fuzzes the XYZ import: any bytes load without crash; a failed load changes nothing, a successful
// one makes a shape per point, all cells or all points.
#include "layoutfiles/LayoutFiles.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    selvir::CanvasModel model;
    selvir::ViewWindow view;
    const selvir::ViewWindow before = view;
    selvir::MemoryByteSource source(bytes);
    const bool ok = selvir::importXyz(model, view, selvir::headlessClientSize, source, 3, 0, 0).ok;
    if (!ok) {
        if (!model.Shapes.empty() || !(view == before)) {
            std::abort();
        }
        return 0;
    }
    if (model.Shapes.empty()) {
        std::abort();
    }
    const selvir::ShapeKind type = model.Shapes.front()->ShapeType;
    for (const auto& shape : model.Shapes) {
        if (shape->ShapeType != type || shape->Layer != 3) {
            std::abort();
        }
    }
    return 0;
}
