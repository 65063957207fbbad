// Fuzzes the native layout reader: any bytes, compressed behind "GVX1" or plain, load without crash,
// and what loads writes back to a layout that loads to the same shapes.
#include "core/DateTime.h"
#include "layoutfiles/NativeLayout.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// Shapes that CadSave writes (a three-point arc is read but never written).
std::size_t writtenShapes(const selvir::CanvasModel& model) {
    std::size_t n = 0;
    for (const auto& shape : model.Shapes) {
        n += dynamic_cast<const selvir::TSArc*>(shape.get()) == nullptr ? 1 : 0;
    }
    return n;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const auto text = selvir::layoutTextFromBytes(bytes);
    // The same bytes compressed must always decode to themselves.
    const auto packed = selvir::compressLayoutText(bytes);
    if (!packed || selvir::layoutTextFromBytes(*packed) != bytes) {
        std::abort();
    }
    // The file path: streamed and undone on a bad stream, it must agree with the whole-text path.
    for (int mode : {selvir::layoutReplace, selvir::layoutAdd}) {
        selvir::CanvasModel model;
        selvir::ViewWindow view;
        model.LayerOpen("kept");
        model.DrawLine(0, 0, 1, 1, 1);
        model.ShapeSelect(1, false);
        const bool loaded = selvir::loadLayoutBytes(model, view, bytes, mode).ok;
        if (loaded != text.has_value()) {
            std::abort();
        }
        if (!loaded && (model.Shapes.size() != 1 || model.Layers.size() != 2 || model.Selection.size() != 1 ||
                        model.ShapeIdCounter != 2 || !(view == selvir::ViewWindow{}))) {
            std::abort();
        }
        if (loaded) {
            selvir::CanvasModel whole;
            selvir::ViewWindow wholeView;
            whole.LayerOpen("kept");
            whole.DrawLine(0, 0, 1, 1, 1);
            selvir::applyLayoutText(whole, wholeView, *text, mode);
            if (whole.Shapes.size() != model.Shapes.size() || whole.Layers.size() != model.Layers.size() ||
                !(wholeView == view)) {
                std::abort();
            }
        }
    }
    if (!text) {
        return 0;
    }
    for (int mode : {selvir::layoutReplace, selvir::layoutAdd}) {
        selvir::CanvasModel model;
        selvir::ViewWindow view;
        model.LayerOpen("track_fix");
        model.DrawLine(0, 0, 1, 1, 1);
        selvir::applyLayoutText(model, view, *text, mode);
        const std::string again = selvir::buildLayoutText(model, view, selvir::LocalDateTime{});
        selvir::CanvasModel back;
        selvir::ViewWindow backView;
        selvir::applyLayoutText(back, backView, again, selvir::layoutReplace);
        if (back.Shapes.size() != writtenShapes(model) || back.Layers.size() != model.Layers.size()) {
            std::abort();
        }
    }
    return 0;
}
