// The layout-file operations of the canvas under their classic names: thin calls of the formats in
// layoutfiles/ on the canvas's model, view and client size, keeping why the last one failed.
#include "canvaswidget/TSelvirCanvas.h"
#include "layoutfiles/LayoutFiles.h"

#include <filesystem>

namespace selvir {
namespace {

std::filesystem::path pathOf(const QString& fileName) {
    return std::filesystem::path(fileName.toStdU16String());
}

} // namespace

bool TSelvirCanvas::keepOutcome(LayoutFileResult result) {
    lastFileError_ = std::move(result.error);
    return result.ok;
}

bool TSelvirCanvas::CadSave(const QString& fileName, int) {
    return keepOutcome(selvir::CadSave(Model(), View(), pathOf(fileName), clock_ ? *clock_ : systemClock_));
}

bool TSelvirCanvas::CadLoad(const QString& fileName, int, int, int mode) {
    const bool loaded = keepOutcome(selvir::CadLoad(Model(), View(), pathOf(fileName), mode));
    Refresh();
    return loaded;
}

bool TSelvirCanvas::DXFSave(const QString& fileName) {
    return keepOutcome(selvir::DXFSave(Model(), View(), pathOf(fileName)));
}

bool TSelvirCanvas::DXFLoad(const QString& fileName, DxfLoadReport* report,
                            const std::function<void(const DxfProgress&)>& progress) {
    const bool loaded =
        keepOutcome(selvir::DXFLoad(Model(), View(), clientSize(), pathOf(fileName), report, progress));
    Refresh();
    return loaded;
}

bool TSelvirCanvas::XYZLoad(const QString& fileName, int layer, double low, double high) {
    const bool loaded =
        keepOutcome(selvir::XYZLoad(Model(), View(), clientSize(), pathOf(fileName), layer, low, high));
    Refresh();
    return loaded;
}

} // namespace selvir
