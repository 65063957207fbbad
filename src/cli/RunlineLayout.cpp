#include "cli/RunlineLayout.h"

#include "layoutfiles/NativeLayout.h"
#include "tools/RunlineLayer.h"

namespace selvir::cli {

std::string readRunlineLayout(const std::string& file, CanvasModel& drawing) {
    ViewWindow view;
    if (const LayoutFileResult loaded = CadLoad(drawing, view, file, layoutReplace); !loaded.ok) {
        return loaded.error;
    }
    RunlineLayerSource runlines(drawing);
    if (runlines.currentLines().lines.empty()) {
        return file + " holds no runlines (open polylines on the layer Selvir_Runlines)";
    }
    return {};
}

} // namespace selvir::cli
