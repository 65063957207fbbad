#include "tools/RunlineLayer.h"

#include "tools/RunlineGenerator.h"

#include <bit>

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

// A 64-bit word at a time, mixed by multiplication (it runs on every map tick over every vertex).
struct Fingerprint {
    std::uint64_t value = 14695981039346656037ull;
    void add(std::uint64_t word) {
        value = (value ^ word) * 0x9E3779B97F4A7C15ull;
        value ^= value >> 29;
    }
    void add(double real) { add(std::bit_cast<std::uint64_t>(real)); }
};

} // namespace

std::uint64_t RunlineLayerSource::fingerprint(int layer) const {
    Fingerprint f;
    f.add(static_cast<std::uint64_t>(static_cast<std::int64_t>(layer)));
    if (layer < 0) {
        return f.value;
    }
    for (const auto& shape : model_.Shapes) {
        if (shape->Layer != layer) {
            continue;
        }
        if (const TSPolyline* polyline = openPolyline(*shape)) {
            f.add(static_cast<std::uint64_t>(polyline->Id));
            f.add(static_cast<std::uint64_t>(polyline->Points.size()));
            for (const TPointF& p : polyline->Points) {
                f.add(p.X);
                f.add(p.Y);
            }
        }
    }
    return f.value;
}

const GuidanceLineSet& RunlineLayerSource::currentLines() {
    const int layer = model_.LayerFindByName(runlineLayerName);
    const std::uint64_t now = fingerprint(layer);
    if (set_.revision != 0 && now == fingerprint_) {
        return set_;
    }
    fingerprint_ = now;
    ++set_.revision;
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
    set_.lines.clear();
    int number = 0;
    for (const std::size_t index : sailingOrder(geometry)) {
        GuidanceLine& line = lines[index];
        line.number = ++number;
        line.name = std::to_string(number);
        set_.lines.push_back(std::move(line));
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
