#pragma once
// The runlines of a drawing as the line guidance sees them: every visible open polyline with at least
// two points on "Selvir_Runlines" but the first, numbered 1 ... in sailing order (LineGeometry.h). The
// first is the route the generator draws before its lines: it orders them (parallel lines from port to
// starboard, cross lines along the route) and is not itself a line to survey. The set is built again
// only when the layer's shapes change (CanvasModel::LayerChangeCount), so a map tick over a large
// background drawing looks at none of its shapes.

#include "canvas/CanvasModel.h"
#include "navigation/LineGuidance.h"

#include <cstdint>
#include <optional>

namespace selvir {

class RunlineLayerSource final : public GuidanceLineSource {
public:
    // `model` must outlive the source.
    explicit RunlineLayerSource(const CanvasModel& model) : model_(model) {}
    const GuidanceLineSet& currentLines() override;

    // How many times the set was built from the drawing.
    std::uint64_t rebuilds() const { return rebuilds_; }

private:
    const CanvasModel& model_;
    GuidanceLineSet set_;
    int layer_ = -1;            // the runlines layer's index when the set was built
    std::uint64_t changes_ = 0; // and its change count then
    std::uint64_t rebuilds_ = 0;
};

// The line the surveyor clicked: the topmost visible open polyline (of two points or more, on any
// layer) within `toleranceM` of (x, y). A runline keeps its number and name from `runlines`; another
// polyline is named after its layer and id ("selvir_usershape 57"). Nothing when no polyline is there.
std::optional<GuidanceLine> clickedLine(const CanvasModel& model, double x, double y, double toleranceM,
                                        const GuidanceLineSet& runlines);

} // namespace selvir
