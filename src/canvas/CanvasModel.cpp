// Layers, lookups, property accessors, creators, z-order and clearing of the drawing model.
#include "canvas/CanvasModel.h"

#include <algorithm>
#include <unordered_set>

namespace selvir {

CanvasModel::CanvasModel() {
    LayerOpen(defaultLayerName);
    Fonts.push_back(TSFont{QStringLiteral("Arial"), 10, false, false});
}

CanvasModel::~CanvasModel() = default;

// --- Lookup

TSLayer* CanvasModel::FindLayer(int index) const {
    for (const auto& layer : Layers) {
        if (layer->Index == index) {
            return layer.get();
        }
    }
    return nullptr;
}

int CanvasModel::LayerFindByName(const QString& name) const {
    for (const auto& layer : Layers) {
        if (layer->Name == name) {
            return layer->Index;
        }
    }
    return -1;
}

int CanvasModel::LayerOpen(const QString& name) {
    int index = LayerFindByName(name);
    if (index < 0) {
        auto layer = std::make_unique<TSLayer>();
        layer->Index = LayerCounter++;
        layer->Name = name;
        index = layer->Index;
        Layers.push_back(std::move(layer));
        Dirty = true;
    }
    CurrentLayer = index;
    return index;
}

// Ids are unique, so the search may start anywhere; it starts at the end because the shape asked for
// is most often the one just made (a file reader setting the pen of the shape it created), which keeps
// reading a large layout linear.
TSShape* CanvasModel::FindShape(ShapeId id) const {
    for (auto it = Shapes.rbegin(); it != Shapes.rend(); ++it) {
        if ((*it)->Id == id) {
            return it->get();
        }
    }
    return nullptr;
}

ShapeId CanvasModel::GetShapeAt(double x, double y, double toleranceWorld) const {
    for (auto it = Shapes.rbegin(); it != Shapes.rend(); ++it) {
        const TSShape& shape = **it;
        if (shape.Visible && shape.HitTest(x, y, toleranceWorld)) {
            return shape.Id;
        }
    }
    return noShape;
}

// --- Layer properties

namespace {

template <class Value, class Field>
Value layerValue(const TSLayer* layer, Field field, Value fallback) {
    return layer ? layer->*field : fallback;
}

} // namespace

int CanvasModel::GetLayerAction(int layer) const {
    return layerValue(FindLayer(layer), &TSLayer::Action, 0);
}
void CanvasModel::SetLayerAction(int layer, int value) {
    if (TSLayer* l = FindLayer(layer)) {
        l->Action = value;
        Dirty = true;
    }
}
TColor CanvasModel::GetLayerPenFg(int layer) const {
    return layerValue(FindLayer(layer), &TSLayer::PenFg, colorBlack);
}
void CanvasModel::SetLayerPenFg(int layer, TColor value) {
    if (TSLayer* l = FindLayer(layer)) {
        l->PenFg = value;
        for (const auto& shape : Shapes) {
            if (shape->Layer == layer) {
                shape->PenFg = value;
            }
        }
        Dirty = true;
    }
}
int CanvasModel::GetLayerPenWidth(int layer) const {
    return layerValue(FindLayer(layer), &TSLayer::PenWidth, 1);
}
void CanvasModel::SetLayerPenWidth(int layer, int value) {
    if (TSLayer* l = FindLayer(layer)) {
        l->PenWidth = value;
        for (const auto& shape : Shapes) {
            if (shape->Layer == layer) {
                shape->PenWidth = value;
            }
        }
        Dirty = true;
    }
}
int CanvasModel::GetLayerPenStyle(int layer) const {
    return layerValue(FindLayer(layer), &TSLayer::PenStyle, 0);
}
void CanvasModel::SetLayerPenStyle(int layer, int value) {
    if (TSLayer* l = FindLayer(layer)) {
        l->PenStyle = value;
        Dirty = true;
    }
}
TColor CanvasModel::GetLayerBrushFg(int layer) const {
    return layerValue(FindLayer(layer), &TSLayer::BrushFg, colorWhite);
}
void CanvasModel::SetLayerBrushFg(int layer, TColor value) {
    if (TSLayer* l = FindLayer(layer)) {
        l->BrushFg = value;
        Dirty = true;
    }
}
TColor CanvasModel::GetLayerBrushBg(int layer) const {
    return layerValue(FindLayer(layer), &TSLayer::BrushBg, colorWhite);
}
void CanvasModel::SetLayerBrushBg(int layer, TColor value) {
    if (TSLayer* l = FindLayer(layer)) {
        l->BrushBg = value;
        Dirty = true;
    }
}
std::uint8_t CanvasModel::GetLayerBrushStyle(int layer) const {
    return layerValue(FindLayer(layer), &TSLayer::BrushStyle, brushstyle::Clear);
}
void CanvasModel::SetLayerBrushStyle(int layer, std::uint8_t value) {
    if (TSLayer* l = FindLayer(layer)) {
        l->BrushStyle = value;
        Dirty = true;
    }
}
int CanvasModel::GetLayerBrushMode(int layer) const {
    return layerValue(FindLayer(layer), &TSLayer::BrushMode, 0);
}
void CanvasModel::SetLayerBrushMode(int layer, int value) {
    if (TSLayer* l = FindLayer(layer)) {
        l->BrushMode = value;
        Dirty = true;
    }
}

void CanvasModel::LayerCopy(int fromLayer, int toLayer, int mode) {
    if (mode == 1) {
        for (const auto& shape : Shapes) {
            if (shape->Layer == fromLayer) {
                shape->Layer = toLayer;
            }
        }
    }
    Dirty = true;
}

// --- Shape properties

namespace {

template <class Value, class Field>
Value shapeValue(const TSShape* shape, Field field, Value fallback) {
    return shape ? shape->*field : fallback;
}

} // namespace

std::int16_t CanvasModel::GetShapeType(ShapeId id) const {
    const TSShape* shape = FindShape(id);
    return shape ? static_cast<std::int16_t>(shape->ShapeType) : std::int16_t{0};
}

namespace {

// Stores a field of an existing shape; false for an unknown id.
template <class Field, class Value>
bool assignShapeField(TSShape* shape, Field field, const Value& value) {
    if (shape == nullptr) {
        return false;
    }
    shape->*field = value;
    return true;
}

} // namespace

void CanvasModel::SetShapePenWidth(ShapeId id, int value) {
    if (assignShapeField(FindShape(id), &TSShape::PenWidth, value)) {
        Dirty = true;
    }
}
void CanvasModel::SetShapePenFg(ShapeId id, TColor value) {
    if (assignShapeField(FindShape(id), &TSShape::PenFg, value)) {
        Dirty = true;
    }
}
void CanvasModel::SetShapePenStyle(ShapeId id, int value) {
    if (assignShapeField(FindShape(id), &TSShape::PenStyle, value)) {
        Dirty = true;
    }
}
void CanvasModel::SetShapeBrushFg(ShapeId id, TColor value) {
    if (assignShapeField(FindShape(id), &TSShape::BrushFg, value)) {
        Dirty = true;
    }
}
void CanvasModel::SetShapeBrushStyle(ShapeId id, std::uint8_t value) {
    if (assignShapeField(FindShape(id), &TSShape::BrushStyle, value)) {
        Dirty = true;
    }
}
void CanvasModel::SetShapeBrushMode(ShapeId id, int value) {
    if (assignShapeField(FindShape(id), &TSShape::BrushMode, value)) {
        Dirty = true;
    }
}
void CanvasModel::SetShapeText(ShapeId id, const QString& value) {
    if (assignShapeField(FindShape(id), &TSShape::Text, value)) {
        Dirty = true;
    }
}
void CanvasModel::SetShapeNotes(ShapeId id, const QString& value) {
    assignShapeField(FindShape(id), &TSShape::Notes, value);
}
void CanvasModel::SetShapeZOrder(ShapeId id, int value) {
    if (assignShapeField(FindShape(id), &TSShape::ZOrder, value)) {
        Dirty = true;
    }
}
void CanvasModel::ShapeToLayer(ShapeId id, int layer) {
    if (assignShapeField(FindShape(id), &TSShape::Layer, layer)) {
        Dirty = true;
    }
}

int CanvasModel::GetShapePenWidth(ShapeId id) const {
    return shapeValue(FindShape(id), &TSShape::PenWidth, 1);
}
TColor CanvasModel::GetShapePenFg(ShapeId id) const {
    return shapeValue(FindShape(id), &TSShape::PenFg, colorBlack);
}
int CanvasModel::GetShapePenStyle(ShapeId id) const {
    return shapeValue(FindShape(id), &TSShape::PenStyle, 0);
}
TColor CanvasModel::GetShapeBrushFg(ShapeId id) const {
    return shapeValue(FindShape(id), &TSShape::BrushFg, colorWhite);
}
std::uint8_t CanvasModel::GetShapeBrushStyle(ShapeId id) const {
    return shapeValue(FindShape(id), &TSShape::BrushStyle, std::uint8_t{0});
}
int CanvasModel::GetShapeBrushMode(ShapeId id) const {
    return shapeValue(FindShape(id), &TSShape::BrushMode, 0);
}
int CanvasModel::GetShapeOnLayer(ShapeId id) const {
    return shapeValue(FindShape(id), &TSShape::Layer, -1);
}
bool CanvasModel::GetShapeIsSelected(ShapeId id) const {
    return shapeValue(FindShape(id), &TSShape::Selected, false);
}
QString CanvasModel::GetShapeText(ShapeId id) const {
    return shapeValue(FindShape(id), &TSShape::Text, QString());
}
QString CanvasModel::GetShapeNotes(ShapeId id) const {
    return shapeValue(FindShape(id), &TSShape::Notes, QString());
}
int CanvasModel::GetShapeZOrder(ShapeId id) const {
    return shapeValue(FindShape(id), &TSShape::ZOrder, 0);
}

// --- Creators

template <class Shape>
Shape* CanvasModel::addCreated(std::unique_ptr<Shape> shape, int layer, bool copyPenWidth) {
    const TSLayer* target = FindLayer(layer);
    if (target == nullptr) {
        target = FindLayer(LayerOpen(defaultLayerName));
    }
    shape->Layer = target->Index;
    shape->UpdateBounds();
    shape->Id = TakeNextId();
    shape->PenFg = target->PenFg;
    if (copyPenWidth) {
        shape->PenWidth = target->PenWidth;
    }
    Shape* raw = shape.get();
    AppendShape(std::move(shape));
    return raw;
}

TSShape* CanvasModel::AppendShape(std::unique_ptr<TSShape> shape) {
    TSShape* raw = shape.get();
    Shapes.push_back(std::move(shape));
    Dirty = true;
    return raw;
}

ShapeId CanvasModel::DrawLine(double x1, double y1, double x2, double y2, int layer) {
    auto line = std::make_unique<TSLine>();
    line->X1 = x1, line->Y1 = y1, line->X2 = x2, line->Y2 = y2;
    return addCreated(std::move(line), layer)->Id;
}

ShapeId CanvasModel::DrawCircle(double cx, double cy, double radius, int layer) {
    auto circle = std::make_unique<TSCircle>();
    circle->CenterX = cx, circle->CenterY = cy, circle->Radius = radius;
    return addCreated(std::move(circle), layer)->Id;
}

ShapeId CanvasModel::DrawRectangle(double x1, double y1, double x2, double y2, int layer) {
    auto rectangle = std::make_unique<TSRectangle>();
    rectangle->X1 = x1, rectangle->Y1 = y1, rectangle->X2 = x2, rectangle->Y2 = y2;
    return addCreated(std::move(rectangle), layer)->Id;
}

ShapeId CanvasModel::DrawPoint(double x, double y, int layer) {
    auto point = std::make_unique<TSPoint>();
    point->X = x, point->Y = y;
    return addCreated(std::move(point), layer)->Id;
}

ShapeId CanvasModel::DrawTwoPointEllipse(double x1, double y1, double x2, double y2, int layer) {
    auto ellipse = std::make_unique<TSEllipse>();
    ellipse->X1 = x1, ellipse->Y1 = y1, ellipse->X2 = x2, ellipse->Y2 = y2;
    return addCreated(std::move(ellipse), layer)->Id;
}

ShapeId CanvasModel::DrawThreePointArc(double x1, double y1, double x2, double y2, double x3, double y3,
                                       int layer) {
    auto arc = std::make_unique<TSArc>();
    arc->X1 = x1, arc->Y1 = y1, arc->X2 = x2, arc->Y2 = y2, arc->X3 = x3, arc->Y3 = y3;
    return addCreated(std::move(arc), layer)->Id;
}

ShapeId CanvasModel::TextAdd(int layer, const QString& text, double x, double y, int fontIndex) {
    auto label = std::make_unique<TSText>();
    label->X = x, label->Y = y;
    label->Caption = text;
    label->Text = text;
    label->FontIndex = fontIndex;
    label->HAlign = TextHAlign;
    label->VAlign = TextVAlign;
    if (fontIndex >= 0 && fontIndex < static_cast<int>(Fonts.size())) {
        const TSFont& font = Fonts[static_cast<std::size_t>(fontIndex)];
        label->FontName = font.FontName;
        label->TextHeight = font.Height;
        label->Bold = font.Bold;
        label->Italic = font.Italic;
    }
    return addCreated(std::move(label), layer, false)->Id;
}

ShapeId CanvasModel::DrawPolyline(const std::vector<std::pair<double, double>>& points, int layer,
                                  bool closed) {
    if (points.size() < 2) {
        return noShape;
    }
    const TSLayer* target = FindLayer(layer);
    if (target == nullptr) {
        target = FindLayer(LayerOpen(defaultLayerName));
    }
    auto polyline = std::make_unique<TSPolyline>();
    polyline->ShapeType = closed ? shapetype::Polygon : shapetype::Polyline;
    polyline->Closed = closed;
    polyline->Layer = target->Index;
    polyline->Id = TakeNextId();
    polyline->PenFg = target->PenFg;
    polyline->PenWidth = target->PenWidth;
    polyline->PenStyle = target->PenStyle;
    polyline->BrushFg = target->BrushFg;
    polyline->BrushStyle = target->BrushStyle;
    polyline->Points.reserve(points.size());
    for (const auto& [x, y] : points) {
        polyline->AddPoint(x, y);
    }
    return AppendShape(std::move(polyline))->Id;
}

// --- Z-order

void CanvasModel::ShapeToFront(ShapeId id) {
    auto it = std::find_if(Shapes.begin(), Shapes.end(), [id](const auto& s) { return s->Id == id; });
    if (it != Shapes.end()) {
        std::rotate(it, it + 1, Shapes.end());
    }
    Dirty = true;
}

void CanvasModel::ShapeToBack(ShapeId id) {
    auto it = std::find_if(Shapes.begin(), Shapes.end(), [id](const auto& s) { return s->Id == id; });
    if (it != Shapes.end()) {
        std::rotate(Shapes.begin(), it, it + 1);
    }
    Dirty = true;
}

void CanvasModel::ShapeZOrderJump(ShapeId id, long steps) {
    if (steps > 0) {
        ShapeToFront(id);
    } else if (steps < 0) {
        ShapeToBack(id);
    }
}

// --- Clearing

void CanvasModel::eraseShapesIf(auto predicate) {
    std::unordered_set<ShapeId> erased;
    std::erase_if(Shapes, [&](const std::unique_ptr<TSShape>& shape) {
        if (!predicate(*shape)) {
            return false;
        }
        erased.insert(shape->Id);
        return true;
    });
    if (!erased.empty()) {
        std::erase_if(Selection, [&](ShapeId id) { return erased.count(id) != 0; });
    }
    Dirty = true;
}

void CanvasModel::CadClearShapes(int layer) {
    if (layer == -1) {
        Shapes.clear();
        Selection.clear();
        ShapeIdCounter = 1;
        Dirty = true;
        return;
    }
    eraseShapesIf([layer](const TSShape& shape) { return shape.Layer == layer; });
}

void CanvasModel::ResetDrawing() {
    CadClearShapes(-1);
    Layers.clear();
    LayerCounter = 0;
    LayerOpen(defaultLayerName);
    Dirty = true;
}

TSBlock* CanvasModel::FindBlock(const QString& name) const {
    for (const auto& block : Blocks) {
        if (block->Name == name) {
            return block.get();
        }
    }
    return nullptr;
}

} // namespace selvir
