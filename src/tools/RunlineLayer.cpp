#include "tools/RunlineLayer.h"

#include "tools/RunlineGenerator.h"

namespace selvir {
namespace {

const TSPolyline* openPolyline(const TSShape& shape) {
    if (shape.ShapeType != ShapeKind::Polyline || !shape.Visible) {
        return nullptr;
    }
    const auto* polyline = dynamic_cast<const TSPolyline*>(&shape);
    return polyline && !polyline->Closed && polyline->Points.size() >= 2 ? polyline : nullptr;
}

GridLine gridLineOf(const TSPolyline& polyline) {
    GridLine line;
    line.reserve(polyline.Points.size());
    for (const TPointF& p : polyline.Points) {
        line.push_back({p.X, p.Y});
    }
    return line;
}

} // namespace

const GuidanceLineSet& RunlineLayerSource::currentLines() {
    // Asked on every map tick: nothing is walked while the runlines layer has not changed, however
    // large the background drawing is.
    const int layer = model_.LayerFindByName(runlineLayerName);
    const std::uint64_t changes = model_.LayerChangeCount(layer);
    if (set_.revision != 0 && layer == layer_ && changes == changes_) {
        return set_;
    }
    layer_ = layer;
    changes_ = changes;
    ++rebuilds_;
    std::vector<GuidanceLine> lines;
    if (layer >= 0) {
        for (const auto& shape : model_.Shapes) {
            if (shape->Layer == layer) {
                if (const TSPolyline* polyline = openPolyline(*shape)) {
                    lines.push_back({polyline->Id, 0, {}, gridLineOf(*polyline)});
                }
            }
        }
    }
    std::vector<GridLine> geometry;
    geometry.reserve(lines.size());
    for (const GuidanceLine& line : lines) {
        geometry.push_back(line.points);
    }
    // The first polyline is the route the generator drew first: the reference of the sailing order, and
    // no line to survey (auto-advance must not send the boat down the route as line 1).
    std::vector<GuidanceLine> numbered;
    int number = 0;
    for (const std::size_t index : sailingOrder(geometry)) {
        if (index == 0) {
            continue;
        }
        GuidanceLine& line = lines[index];
        line.number = ++number;
        line.name = std::to_string(number);
        numbered.push_back(std::move(line));
    }
    if (numbered != set_.lines || set_.revision == 0) {
        set_.lines = std::move(numbered);
        ++set_.revision;
    }
    return set_;
}

std::optional<GuidanceLine> clickedLine(const CanvasModel& model, double x, double y, double toleranceM,
                                        const GuidanceLineSet& runlines) {
    for (auto it = model.Shapes.rbegin(); it != model.Shapes.rend(); ++it) {
        const TSPolyline* polyline = openPolyline(**it);
        if (polyline == nullptr || !polyline->HitTest(x, y, toleranceM)) {
            continue;
        }
        for (const GuidanceLine& line : runlines.lines) {
            if (line.id == polyline->Id) {
                return line;
            }
        }
        const TSLayer* layer = model.FindLayer(polyline->Layer);
        const std::string layerName = layer ? layer->Name.toStdString() : std::string("layer");
        return GuidanceLine{polyline->Id, 0, layerName + " " + std::to_string(polyline->Id),
                            gridLineOf(*polyline)};
    }
    return std::nullopt;
}

} // namespace selvir
