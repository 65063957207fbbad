// Fuzzes the DXF import: any bytes import without crash into a drawing that already holds shapes;
// the report and the shape count agree.
#include "layoutfiles/LayoutFiles.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    selvir::CanvasModel model;
    selvir::ViewWindow view;
    model.DrawLine(0, 0, 10, 10, 0);
    selvir::MemoryByteSource source(bytes);
    selvir::DxfLoadReport report;
    const bool ok = selvir::importDxf(model, view, selvir::headlessClientSize, source, &report).ok;
    if (report.lines.empty() || ok != (report.entities > 0) ||
        model.Shapes.size() != static_cast<std::size_t>(report.entities) + 1) {
        std::abort();
    }
    return 0;
}
