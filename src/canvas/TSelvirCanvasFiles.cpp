// The layout-file operations of the canvas under their classic names: thin calls of the formats in
// layoutfiles/ on the canvas's model, view and client size.
#include "canvas/TSelvirCanvas.h"
#include "core/DateTime.h"
#include "layoutfiles/LayoutFiles.h"

#include <filesystem>

namespace selvir {
namespace {

std::filesystem::path pathOf(const QString& fileName) {
    return std::filesystem::path(fileName.toStdU16String());
}

} // namespace

bool TSelvirCanvas::CadSave(const QString& fileName, int) {
    return selvir::CadSave(model_, view_, pathOf(fileName), SystemClock());
}

bool TSelvirCanvas::CadLoad(const QString& fileName, int, int, int mode) {
    const bool loaded = selvir::CadLoad(model_, view_, pathOf(fileName), mode);
    markDirtyAndInvalidate();
    return loaded;
}

bool TSelvirCanvas::DXFSave(const QString& fileName) {
    return selvir::DXFSave(model_, view_, pathOf(fileName));
}

bool TSelvirCanvas::DXFLoad(const QString& fileName, DxfLoadReport* report,
                            const std::function<void(const DxfProgress&)>& progress) {
    const bool loaded = selvir::DXFLoad(model_, view_, clientSize(), pathOf(fileName), report, progress);
    markDirtyAndInvalidate();
    return loaded;
}

bool TSelvirCanvas::XYZLoad(const QString& fileName, int layer, double low, double high) {
    const bool loaded = selvir::XYZLoad(model_, view_, clientSize(), pathOf(fileName), layer, low, high);
    markDirtyAndInvalidate();
    return loaded;
}

} // namespace selvir
