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
    currentLayer_ = index;
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

// Stores a field of an existing layer or shape; false for an unknown one.
template <class Record, class Field, class Value>
bool assignField(Record* record, Field field, const Value& value) {
    if (record == nullptr) {
        return false;
    }
    record->*field = value;
    return true;
}

// Stores a pen field of an existing layer and the same field of every shape on it.
template <class Value>
bool assignLayerPen(TSLayer* layer, Value TSLayer::*layerField, Value TSShape::*shapeField,
                    const std::vector<std::unique_ptr<TSShape>>& shapes, const Value& value) {
    if (!assignField(layer, layerField, value)) {
        return false;
    }
    for (const auto& shape : shapes) {
        if (shape->Layer == layer->Index) {
            (*shape).*shapeField = value;
        }
    }
    return true;
}

} // namespace

int CanvasModel::GetLayerAction(int layer) const {
    return layerValue(FindLayer(layer), &TSLayer::Action, 0);
}
void CanvasModel::SetLayerAction(int layer, int value) {
    Dirty |= assignField(FindLayer(layer), &TSLayer::Action, value);
}
TColor CanvasModel::GetLayerPenFg(int layer) const {
    return layerValue(FindLayer(layer), &TSLayer::PenFg, colorBlack);
}
void CanvasModel::SetLayerPenFg(int layer, TColor value) {
    Dirty |= assignLayerPen(FindLayer(layer), &TSLayer::PenFg, &TSShape::PenFg, Shapes, value);
}
int CanvasModel::GetLayerPenWidth(int layer) const {
    return layerValue(FindLayer(layer), &TSLayer::PenWidth, 1);
}
void CanvasModel::SetLayerPenWidth(int layer, int value) {
    Dirty |= assignLayerPen(FindLayer(layer), &TSLayer::PenWidth, &TSShape::PenWidth, Shapes, value);
}
int CanvasModel::GetLayerPenStyle(int layer) const {
    return layerValue(FindLayer(layer), &TSLayer::PenStyle, 0);
}
void CanvasModel::SetLayerPenStyle(int layer, int value) {
    Dirty |= assignField(FindLayer(layer), &TSLayer::PenStyle, value);
}
TColor CanvasModel::GetLayerBrushFg(int layer) const {
    return layerValue(FindLayer(layer), &TSLayer::BrushFg, colorWhite);
}
void CanvasModel::SetLayerBrushFg(int layer, TColor value) {
    Dirty |= assignField(FindLayer(layer), &TSLayer::BrushFg, value);
}
TColor CanvasModel::GetLayerBrushBg(int layer) const {
    return layerValue(FindLayer(layer), &TSLayer::BrushBg, colorWhite);
}
void CanvasModel::SetLayerBrushBg(int layer, TColor value) {
    Dirty |= assignField(FindLayer(layer), &TSLayer::BrushBg, value);
}
std::uint8_t CanvasModel::GetLayerBrushStyle(int layer) const {
    return layerValue(FindLayer(layer), &TSLayer::BrushStyle, brushstyle::Clear);
}
void CanvasModel::SetLayerBrushStyle(int layer, std::uint8_t value) {
    Dirty |= assignField(FindLayer(layer), &TSLayer::BrushStyle, value);
}
int CanvasModel::GetLayerBrushMode(int layer) const {
    return layerValue(FindLayer(layer), &TSLayer::BrushMode, 0);
}
void CanvasModel::SetLayerBrushMode(int layer, int value) {
    Dirty |= assignField(FindLayer(layer), &TSLayer::BrushMode, value);
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
    return shape ? shapeCode(shape->ShapeType) : std::int16_t{0};
}

void CanvasModel::SetShapePenWidth(ShapeId id, int value) {
    Dirty |= assignField(FindShape(id), &TSShape::PenWidth, value);
}
void CanvasModel::SetShapePenFg(ShapeId id, TColor value) {
    Dirty |= assignField(FindShape(id), &TSShape::PenFg, value);
}
void CanvasModel::SetShapePenStyle(ShapeId id, int value) {
    Dirty |= assignField(FindShape(id), &TSShape::PenStyle, value);
}
void CanvasModel::SetShapeBrushFg(ShapeId id, TColor value) {
    Dirty |= assignField(FindShape(id), &TSShape::BrushFg, value);
}
void CanvasModel::SetShapeBrushStyle(ShapeId id, std::uint8_t value) {
    Dirty |= assignField(FindShape(id), &TSShape::BrushStyle, value);
}
void CanvasModel::SetShapeBrushMode(ShapeId id, int value) {
    Dirty |= assignField(FindShape(id), &TSShape::BrushMode, value);
}
void CanvasModel::SetShapeText(ShapeId id, const QString& value) {
    Dirty |= assignField(FindShape(id), &TSShape::Text, value);
}
void CanvasModel::SetShapeNotes(ShapeId id, const QString& value) {
    assignField(FindShape(id), &TSShape::Notes, value);
}
void CanvasModel::SetShapeZOrder(ShapeId id, int value) {
    Dirty |= assignField(FindShape(id), &TSShape::ZOrder, value);
}
void CanvasModel::ShapeToLayer(ShapeId id, int layer) {
    Dirty |= assignField(FindShape(id), &TSShape::Layer, layer);
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
    raw->OrderKey = nextOrderKey_++;
    Shapes.push_back(std::move(shape));
    Dirty.shapeAppended(raw);
    ++layerChanges_[raw->Layer];
    if (layerCountsValid()) {
        ++shapesOnLayer_[raw->Layer];
    }
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
    polyline->ShapeType = closed ? ShapeKind::Polygon : ShapeKind::Polyline;
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
        (*it)->OrderKey = nextOrderKey_++;
        std::rotate(it, it + 1, Shapes.end());
    }
    Dirty = true;
}

void CanvasModel::ShapeToBack(ShapeId id) {
    auto it = std::find_if(Shapes.begin(), Shapes.end(), [id](const auto& s) { return s->Id == id; });
    if (it != Shapes.end()) {
        (*it)->OrderKey = --firstOrderKey_;
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

// Takes the shapes from position `first` on that `taken` picks off the list, keeping the others in
// order (each handed to `kept`). The taken shapes go to the dirty record, which keeps them until the
// painter has redrawn where they were.
template <class Taken, class Kept>
void CanvasModel::takeShapes(std::size_t first, Taken taken, Kept kept) {
    std::unordered_set<ShapeId> erased;
    auto out = Shapes.begin() + static_cast<std::ptrdiff_t>(first);
    for (auto it = out; it != Shapes.end(); ++it) {
        if (!taken(**it)) {
            kept(**it);
            if (out != it) {
                *out = std::move(*it);
            }
            ++out;
            continue;
        }
        erased.insert((*it)->Id);
        ++layerChanges_[(*it)->Layer];
        Dirty.shapeRemoved(std::move(*it));
    }
    Shapes.erase(out, Shapes.end());
    if (!erased.empty()) {
        std::erase_if(Selection, [&](ShapeId id) { return erased.count(id) != 0; });
    }
}

// The walk over the whole list also counts the shapes of every layer.
void CanvasModel::eraseShapesIf(auto predicate) {
    std::unordered_map<int, int> counts;
    takeShapes(0, predicate, [&counts](const TSShape& shape) { ++counts[shape.Layer]; });
    shapesOnLayer_ = std::move(counts);
    shapesOnLayerCountedAt_ = Dirty.wholeChanges();
}

// With the count known, only the end of the list that holds the layer's shapes is walked: the vessel
// and the newest track are drawn last.
void CanvasModel::clearLayerFromTheEnd(int layer, int count) {
    std::size_t first = Shapes.size();
    for (int found = 0; found < count && first > 0;) {
        --first;
        found += Shapes[first]->Layer == layer ? 1 : 0;
    }
    takeShapes(
        first, [layer](const TSShape& shape) { return shape.Layer == layer; }, [](const TSShape&) {});
    shapesOnLayer_.erase(layer);
}

void CanvasModel::CadClearShapes(int layer) {
    if (layer == -1) {
        Shapes.clear();
        Selection.clear();
        ShapeIdCounter = 1;
        Dirty = true;
        return;
    }
    if (layerCountsValid()) {
        const auto count = shapesOnLayer_.find(layer);
        clearLayerFromTheEnd(layer, count == shapesOnLayer_.end() ? 0 : count->second);
        return;
    }
    eraseShapesIf([layer](const TSShape& shape) { return shape.Layer == layer; });
}

std::uint64_t CanvasModel::LayerChangeCount(int layer) const {
    // Both parts only grow, so their sum changes whenever either does.
    const auto found = layerChanges_.find(layer);
    return Dirty.wholeChanges() + (found == layerChanges_.end() ? 0 : found->second);
}

void CanvasModel::ResetDrawing() {
    ClearDrawing();
    LayerOpen(defaultLayerName);
}

void CanvasModel::ClearDrawing() {
    CadClearShapes(-1);
    Layers.clear();
    LayerCounter = 0;
    currentLayer_ = 0;
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
