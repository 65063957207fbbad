#pragma once
// The runlines of a drawing as the line guidance sees them: every visible open polyline with at least
// two points on "Selvir_Runlines", numbered 1 ... in sailing order (LineGeometry.h: the route the
// generator draws first is the reference; parallel lines from port to starboard, cross lines along
// the route). The set is built again only when the layer's polylines change.

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

private:
    // A fingerprint of the layer's polylines: ids, kinds, visibility and every vertex.
    std::uint64_t fingerprint(int layer) const;

    const CanvasModel& model_;
    GuidanceLineSet set_;
    std::uint64_t fingerprint_ = 0;
};

// The line the surveyor clicked: the topmost visible open polyline (of two points or more, on any
// layer) within `toleranceM` of (x, y). A runline keeps its number and name from `runlines`; another
// polyline is named after its layer and id ("selvir_usershape 57"). Nothing when no polyline is there.
std::optional<GuidanceLine> clickedLine(const CanvasModel& model, double x, double y, double toleranceM,
                                        const GuidanceLineSet& runlines);

} // namespace selvir
