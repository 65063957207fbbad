// Selection, deletion, transforms, vertex editing and the font table of the drawing model.
#include "canvas/CanvasModel.h"
#include "core/NumberFormat.h"

#include <algorithm>
#include <climits>
#include <unordered_set>

namespace selvir {
namespace {

bool onLayers(const TSShape& shape, const std::vector<long>& layers) {
    return std::find(layers.begin(), layers.end(), static_cast<long>(shape.Layer)) != layers.end();
}

TSPolyline* asPolyline(TSShape* shape) {
    return dynamic_cast<TSPolyline*>(shape);
}

bool anyVertexInside(const TSPolyline& polyline, const std::vector<TPointF>& polygon) {
    return std::any_of(polyline.Points.begin(), polyline.Points.end(),
                       [&](const TPointF& p) { return PointInPolygon(p.X, p.Y, polygon); });
}

bool boxCentreInside(const TSShape& shape, const std::vector<TPointF>& polygon) {
    return PointInPolygon((shape.MinX + shape.MaxX) / 2.0, (shape.MinY + shape.MaxY) / 2.0, polygon);
}

// The rule of the selection in given layers: lines by an end, polylines by a vertex, points by their
// position, every other class by the centre of its bounds.
bool insideForLayerSelection(const TSShape& shape, const std::vector<TPointF>& polygon) {
    if (const auto* line = dynamic_cast<const TSLine*>(&shape)) {
        return PointInPolygon(line->X1, line->Y1, polygon) || PointInPolygon(line->X2, line->Y2, polygon);
    }
    if (const auto* polyline = dynamic_cast<const TSPolyline*>(&shape)) {
        return anyVertexInside(*polyline, polygon);
    }
    if (const auto* point = dynamic_cast<const TSPoint*>(&shape)) {
        return PointInPolygon(point->X, point->Y, polygon);
    }
    return boxCentreInside(shape, polygon);
}

// The rule of the selection over all layers: each class by its own defining points.
bool insideForFullSelection(const TSShape& shape, const std::vector<TPointF>& polygon) {
    if (const auto* point = dynamic_cast<const TSPoint*>(&shape)) {
        return PointInPolygon(point->X, point->Y, polygon);
    }
    if (const auto* line = dynamic_cast<const TSLine*>(&shape)) {
        return PointInPolygon(line->X1, line->Y1, polygon) || PointInPolygon(line->X2, line->Y2, polygon);
    }
    if (const auto* polyline = dynamic_cast<const TSPolyline*>(&shape)) {
        return anyVertexInside(*polyline, polygon);
    }
    if (const auto* r = dynamic_cast<const TSRectangle*>(&shape)) {
        return PointInPolygon(r->X1, r->Y1, polygon) || PointInPolygon(r->X2, r->Y1, polygon) ||
               PointInPolygon(r->X2, r->Y2, polygon) || PointInPolygon(r->X1, r->Y2, polygon) ||
               PointInPolygon((r->X1 + r->X2) / 2.0, (r->Y1 + r->Y2) / 2.0, polygon);
    }
    if (const auto* circle = dynamic_cast<const TSCircle*>(&shape)) {
        return PointInPolygon(circle->CenterX, circle->CenterY, polygon);
    }
    if (const auto* ellipse = dynamic_cast<const TSEllipse*>(&shape)) {
        return PointInPolygon((ellipse->X1 + ellipse->X2) / 2.0, (ellipse->Y1 + ellipse->Y2) / 2.0, polygon);
    }
    if (const auto* text = dynamic_cast<const TSText*>(&shape)) {
        return PointInPolygon(text->X, text->Y, polygon);
    }
    if (const auto* arc = dynamic_cast<const TSArc*>(&shape)) {
        return PointInPolygon(arc->X1, arc->Y1, polygon) || PointInPolygon(arc->X2, arc->Y2, polygon) ||
               PointInPolygon(arc->X3, arc->Y3, polygon);
    }
    return boxCentreInside(shape, polygon);
}

} // namespace

bool PointInPolygon(double x, double y, const std::vector<TPointF>& polygon) {
    bool inside = false;
    const std::size_t n = polygon.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const double xi = polygon[i].X, yi = polygon[i].Y;
        const double xj = polygon[j].X, yj = polygon[j].Y;
        if ((yi > y) != (yj > y) && x < xi + (xj - xi) * (y - yi) / (yj - yi)) {
            inside = !inside;
        }
    }
    return inside;
}

// --- Selection

void CanvasModel::selectShape(TSShape& shape) {
    shape.Selected = true;
    Selection.push_back(shape.Id);
}

void CanvasModel::removeFromSelection(ShapeId id) {
    std::erase(Selection, id);
}

void CanvasModel::ClearSelection() {
    for (const auto& shape : Shapes) {
        shape->Selected = false;
    }
    Selection.clear();
}

void CanvasModel::ShapeSelect(ShapeId id, bool add) {
    if (!add) {
        ClearSelection();
    }
    if (TSShape* shape = FindShape(id)) {
        selectShape(*shape);
    }
    Dirty = true;
}

void CanvasModel::ShapeDeselect(ShapeId id) {
    if (TSShape* shape = FindShape(id)) {
        shape->Selected = false;
    }
    removeFromSelection(id);
    Dirty = true;
}

void CanvasModel::CadSelectShapes() {
    for (const auto& shape : Shapes) {
        selectShape(*shape);
    }
    Dirty = true;
}

void CanvasModel::CadDeselectShapes() {
    ClearSelection();
    Dirty = true;
}

void CanvasModel::LayerSelectShapes(int layer, bool add) {
    if (!add) {
        ClearSelection();
    }
    for (const auto& shape : Shapes) {
        if (shape->Layer == layer) {
            selectShape(*shape);
        }
    }
    Dirty = true;
}

void CanvasModel::LayerDeselectShapes(int layer) {
    std::unordered_set<ShapeId> onLayer;
    for (const auto& shape : Shapes) {
        if (shape->Layer == layer) {
            shape->Selected = false;
            onLayer.insert(shape->Id);
        }
    }
    std::erase_if(Selection, [&](ShapeId id) { return onLayer.count(id) != 0; });
    Dirty = true;
}

void CanvasModel::SelectShapesOnLayers(const std::vector<long>& layers) {
    ClearSelection();
    for (const auto& shape : Shapes) {
        if (onLayers(*shape, layers)) {
            selectShape(*shape);
        }
    }
}

void CanvasModel::SelectShapesInPolygon(const std::vector<TPointF>& polygon,
                                        const std::vector<long>& layers) {
    ClearSelection();
    if (polygon.size() < 3 || layers.empty()) {
        return;
    }
    for (const auto& shape : Shapes) {
        if (onLayers(*shape, layers) && insideForLayerSelection(*shape, polygon)) {
            selectShape(*shape);
        }
    }
}

void CanvasModel::SelectAllShapesInPolygon(const std::vector<TPointF>& polygon) {
    ClearSelection();
    if (polygon.size() < 3) {
        return;
    }
    // The selection polygon itself lives on this layer and is never picked.
    const int polygonLayer = LayerFindByName(selectPolyLayerName);
    for (const auto& shape : Shapes) {
        if (polygonLayer >= 0 && shape->Layer == polygonLayer) {
            continue;
        }
        if (insideForFullSelection(*shape, polygon)) {
            selectShape(*shape);
        }
    }
}

int CanvasModel::SelectedShapeCount() const {
    return static_cast<int>(
        std::count_if(Shapes.begin(), Shapes.end(), [](const auto& shape) { return shape->Selected; }));
}

// --- Deletion

void CanvasModel::ShapeDelete(ShapeId id) {
    for (auto it = Shapes.end(); it != Shapes.begin();) {
        --it;
        if ((*it)->Id == id) {
            Shapes.erase(it);
            break;
        }
    }
    removeFromSelection(id);
    Dirty = true;
}

void CanvasModel::ShapeSelectDelete() {
    if (Shapes.empty()) {
        return;
    }
    std::erase_if(Shapes, [](const std::unique_ptr<TSShape>& shape) { return shape->Selected; });
    Selection.clear();
    Dirty = true;
}

// --- Transforms

void CanvasModel::ShapeTranslate(ShapeId id, double dx, double dy) {
    if (TSShape* shape = FindShape(id)) {
        shape->Translate(dx, dy);
        Dirty = true;
    }
}

void CanvasModel::ShapeScale(ShapeId id, double sx, double sy, double cx, double cy) {
    if (TSShape* shape = FindShape(id)) {
        shape->Scale(sx, sy, cx, cy);
        Dirty = true;
    }
}

void CanvasModel::ShapeRotate(ShapeId id, double angleDeg, double cx, double cy) {
    if (TSShape* shape = FindShape(id)) {
        shape->Rotate(angleDeg, cx, cy);
        Dirty = true;
    }
}

void CanvasModel::ShapeReflect(ShapeId id, int axis, double cx, double cy) {
    TSShape* shape = FindShape(id);
    if (shape == nullptr || (axis != 0 && axis != 1)) {
        return;
    }
    auto* circle = dynamic_cast<TSCircle*>(shape);
    const double radius = circle ? circle->Radius : 0.0;
    if (axis == 0) {
        shape->Scale(-1.0, 1.0, cx, cy);
    } else {
        shape->Scale(1.0, -1.0, cx, cy);
    }
    // A mirror scales by (-1, 1), whose mean would shrink a circle to nothing.
    if (circle) {
        circle->Radius = radius;
        circle->UpdateBounds();
    }
    Dirty = true;
}

void CanvasModel::ShapeSelectMoveDelta(double dx, double dy) {
    for (const auto& shape : Shapes) {
        if (shape->Selected) {
            shape->Translate(dx, dy);
        }
    }
    Dirty = true;
}

// --- Vertex editing

int CanvasModel::ShapePointCount(ShapeId id) const {
    const TSPolyline* polyline = asPolyline(FindShape(id));
    return polyline ? static_cast<int>(polyline->Points.size()) : 0;
}

double CanvasModel::ShapePointGetX(ShapeId id, int index) const {
    const TSPolyline* polyline = asPolyline(FindShape(id));
    if (polyline == nullptr || index < 0 || index >= static_cast<int>(polyline->Points.size())) {
        return 0.0;
    }
    return polyline->Points[static_cast<std::size_t>(index)].X;
}

double CanvasModel::ShapePointGetY(ShapeId id, int index) const {
    const TSPolyline* polyline = asPolyline(FindShape(id));
    if (polyline == nullptr || index < 0 || index >= static_cast<int>(polyline->Points.size())) {
        return 0.0;
    }
    return polyline->Points[static_cast<std::size_t>(index)].Y;
}

void CanvasModel::ShapePointSet(ShapeId id, int index, double x, double y) {
    TSPolyline* polyline = asPolyline(FindShape(id));
    if (polyline == nullptr) {
        return;
    }
    if (index >= 0 && index < static_cast<int>(polyline->Points.size())) {
        polyline->Points[static_cast<std::size_t>(index)] = {x, y};
        polyline->UpdateBounds();
    }
    Dirty = true;
}

void CanvasModel::ShapePointInsert(ShapeId id, int index, double x, double y) {
    TSPolyline* polyline = asPolyline(FindShape(id));
    if (polyline == nullptr || index < 0 || index > static_cast<int>(polyline->Points.size())) {
        return;
    }
    polyline->Points.insert(polyline->Points.begin() + index, {x, y});
    polyline->UpdateBounds();
    Dirty = true;
}

void CanvasModel::ShapePointDelete(ShapeId id, int index) {
    TSPolyline* polyline = asPolyline(FindShape(id));
    if (polyline == nullptr || index < 0 || index >= static_cast<int>(polyline->Points.size())) {
        return;
    }
    polyline->Points.erase(polyline->Points.begin() + index);
    polyline->UpdateBounds();
    Dirty = true;
}

// --- Fonts

namespace {

constexpr int defaultFontHeight = 10;

int heightOrDefault(const QString& text) {
    const std::optional<long long> value = parseInteger(text.trimmed().toStdString());
    if (!value || *value < INT_MIN || *value > INT_MAX) {
        return defaultFontHeight;
    }
    return static_cast<int>(*value);
}

} // namespace

int CanvasModel::FontOpen(const QString& description, int) {
    TSFont font;
    const qsizetype firstComma = description.indexOf(u',');
    if (firstComma < 0) {
        font.FontName = description;
        font.Height = defaultFontHeight;
    } else {
        font.FontName = description.left(firstComma);
        const QString rest = description.mid(firstComma + 1);
        const qsizetype secondComma = rest.indexOf(u',');
        if (secondComma < 0) {
            font.Height = heightOrDefault(rest);
        } else {
            font.Height = heightOrDefault(rest.left(secondComma));
            const QString style = rest.mid(secondComma + 1).toUpper();
            font.Bold = style.contains(u'B');
            font.Italic = style.contains(u'I');
        }
    }
    if (font.FontName.toUpper() == QStringLiteral("TXT")) {
        font.FontName = QStringLiteral("Arial");
    }
    Fonts.push_back(font);
    CurrentFont = static_cast<int>(Fonts.size()) - 1;
    return CurrentFont;
}

void CanvasModel::CadFontBehaviorReset() {
    TextHAlign = 0;
    TextVAlign = 0;
    TextScale = 1.0;
}

// --- Route read-back

std::vector<std::pair<double, double>> CanvasModel::GetLastPolylinePoints() const {
    const int routeLayer = LayerFindByName(routeLayerName);
    const int polygonLayer = LayerFindByName(selectPolyLayerName);
    const bool anyLayer = routeLayer < 0 && polygonLayer < 0;
    for (auto it = Shapes.rbegin(); it != Shapes.rend(); ++it) {
        const auto* polyline = dynamic_cast<const TSPolyline*>(it->get());
        if (polyline == nullptr || polyline->Points.size() < 2) {
            continue;
        }
        const int layer = polyline->Layer;
        if (anyLayer || (routeLayer >= 0 && layer == routeLayer) ||
            (polygonLayer >= 0 && layer == polygonLayer)) {
            std::vector<std::pair<double, double>> points;
            points.reserve(polyline->Points.size());
            for (const TPointF& p : polyline->Points) {
                points.emplace_back(p.X, p.Y);
            }
            return points;
        }
    }
    return {};
}

} // namespace selvir
