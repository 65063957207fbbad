#pragma once
// The drawing model of the canvas: layers, shapes, fonts, blocks, the id and layer counters and the
// selection list. Free of widgets so that the layout files, the survey engine and tests can drive it
// without a window; TSelvirCanvas owns one and adds the view and the painting.
//
// Rules kept throughout: unknown ids and layer indices are never errors (getters return their
// defaults, setters and movers do nothing, creators fall back to the "Default" layer); shape ids come
// from a counter that only clearing the whole drawing resets, so deleted ids are not reused; the order
// of the shape list is the drawing order, last on top. Every change sets Dirty, which tells the painter
// to rebuild its image; nothing here paints. Appending shapes and removing them (the operations a map
// tick repeats) record what they did in Dirty instead, so the painter redraws only there (DirtyFlag.h).

#include "canvas/CanvasTypes.h"
#include "canvas/DirtyFlag.h"
#include "canvas/Shapes.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

namespace selvir {

inline const QString defaultLayerName = QStringLiteral("Default");
inline const QString routeLayerName = QStringLiteral("Selvir_Route");
inline const QString selectPolyLayerName = QStringLiteral("Selvir_SelectPoly");

class CanvasModel {
public:
    // A new drawing: layer 0 "Default" (current), font 0 "Arial" height 10, no shapes, first id 1.
    CanvasModel();
    CanvasModel(const CanvasModel&) = delete;
    CanvasModel& operator=(const CanvasModel&) = delete;
    CanvasModel(CanvasModel&&) = default;
    CanvasModel& operator=(CanvasModel&&) = default;
    ~CanvasModel();

    // --- State (read freely; write through the operations unless noted)
    std::vector<std::unique_ptr<TSLayer>> Layers; // creation order
    int LayerCounter = 0;                         // next layer index
    std::vector<std::unique_ptr<TSShape>> Shapes; // drawing order
    ShapeId ShapeIdCounter = 1;                   // next shape id
    std::vector<ShapeId> Selection;               // ids in selection order; may hold an id twice
    std::vector<TSFont> Fonts;
    int CurrentFont = 0;
    int TextHAlign = 0; // alignment given to new texts
    int TextVAlign = 0;
    double TextScale = 1.0; // stored only
    std::vector<std::unique_ptr<TSBlock>> Blocks;
    DirtyFlag Dirty;

    int ShapeCount() const { return static_cast<int>(Shapes.size()); }
    void SetDirty() { Dirty = true; }
    // The layer the interactive tools draw on; LayerOpen makes its layer current, the owner may set any.
    int CurrentLayer() const { return currentLayer_; }
    void SetCurrentLayer(int layer) { currentLayer_ = layer; }

    // --- Lookup
    TSLayer* FindLayer(int index) const;
    int LayerFindByName(const QString& name) const; // -1 when absent; exact, case-sensitive
    // Returns the layer of that name, creating it with the next index when absent; either way it
    // becomes CurrentLayer.
    int LayerOpen(const QString& name);
    TSShape* FindShape(ShapeId id) const;
    // Topmost visible shape within `toleranceWorld` of (x, y), or -1. Layer visibility is not looked at.
    ShapeId GetShapeAt(double x, double y, double toleranceWorld) const;

    // --- Layer properties (getters give the default for an unknown layer; setters ignore it)
    int GetLayerAction(int layer) const;
    void SetLayerAction(int layer, int value);
    TColor GetLayerPenFg(int layer) const;
    void SetLayerPenFg(int layer, TColor value); // also recolours the layer's shapes
    int GetLayerPenWidth(int layer) const;
    void SetLayerPenWidth(int layer, int value); // also changes the layer's shapes
    int GetLayerPenStyle(int layer) const;
    void SetLayerPenStyle(int layer, int value);
    TColor GetLayerBrushFg(int layer) const;
    void SetLayerBrushFg(int layer, TColor value);
    TColor GetLayerBrushBg(int layer) const;
    void SetLayerBrushBg(int layer, TColor value);
    std::uint8_t GetLayerBrushStyle(int layer) const;
    void SetLayerBrushStyle(int layer, std::uint8_t value);
    int GetLayerBrushMode(int layer) const;
    void SetLayerBrushMode(int layer, int value);
    // Mode 1 moves every shape of `fromLayer` to `toLayer`; other modes change nothing.
    void LayerCopy(int fromLayer, int toLayer, int mode);

    // --- Shape properties (getters give the default for an unknown id; setters ignore it)
    std::int16_t GetShapeType(ShapeId id) const; // 0 for no such shape
    int GetShapePenWidth(ShapeId id) const;
    void SetShapePenWidth(ShapeId id, int value);
    TColor GetShapePenFg(ShapeId id) const;
    void SetShapePenFg(ShapeId id, TColor value);
    int GetShapePenStyle(ShapeId id) const;
    void SetShapePenStyle(ShapeId id, int value);
    TColor GetShapeBrushFg(ShapeId id) const;
    void SetShapeBrushFg(ShapeId id, TColor value);
    std::uint8_t GetShapeBrushStyle(ShapeId id) const;
    void SetShapeBrushStyle(ShapeId id, std::uint8_t value);
    int GetShapeBrushMode(ShapeId id) const;
    void SetShapeBrushMode(ShapeId id, int value);
    int GetShapeOnLayer(ShapeId id) const; // -1 for no such shape
    bool GetShapeIsSelected(ShapeId id) const;
    QString GetShapeText(ShapeId id) const;
    void SetShapeText(ShapeId id, const QString& value); // not the caption of a text
    QString GetShapeNotes(ShapeId id) const;
    void SetShapeNotes(ShapeId id, const QString& value); // does not set Dirty
    int GetShapeZOrder(ShapeId id) const;
    void SetShapeZOrder(ShapeId id, int value);
    // No check that the layer exists: a shape on a never-created layer is kept but not drawn.
    void ShapeToLayer(ShapeId id, int layer);

    // --- Creators: world coordinates, a layer index (unknown: "Default"); they return the new id
    ShapeId DrawLine(double x1, double y1, double x2, double y2, int layer);
    ShapeId DrawCircle(double cx, double cy, double radius, int layer);
    ShapeId DrawRectangle(double x1, double y1, double x2, double y2, int layer);
    ShapeId DrawPoint(double x, double y, int layer);
    ShapeId DrawTwoPointEllipse(double x1, double y1, double x2, double y2, int layer);
    ShapeId DrawThreePointArc(double x1, double y1, double x2, double y2, double x3, double y3, int layer);
    ShapeId TextAdd(int layer, const QString& text, double x, double y, int fontIndex);
    // -1 and nothing made for fewer than 2 points.
    ShapeId DrawPolyline(const std::vector<std::pair<double, double>>& points, int layer, bool closed);
    ShapeId ShapeAdd(int, int) { return noShape; } // kept for compatibility: makes nothing

    // Hands out the next id (the interactive tools take one when a polyline starts).
    ShapeId TakeNextId() { return ShapeIdCounter++; }
    // Appends a shape made elsewhere (file readers, interactive tools) on top, as it is: its Id, Layer
    // and bounds must already be set. Records the append in Dirty. Returns the shape. A shape changed
    // after it was appended needs SetDirty().
    TSShape* AppendShape(std::unique_ptr<TSShape> shape);

    // --- Z-order (unknown id: nothing moves)
    void ShapeToFront(ShapeId id);
    void ShapeToBack(ShapeId id);
    // steps > 0: to the front; < 0: to the back; 0: nothing. Never by a number of places.
    void ShapeZOrderJump(ShapeId id, long steps);

    // -1 clears everything and restarts ids at 1; a layer index clears that layer, ids continue.
    // Layers stay.
    void CadClearShapes(int layer);
    // Destroys every shape and layer and restarts both counters; then opens "Default" again.
    void ResetDrawing();
    // The same without any layer left (a layout read that replaces the drawing makes its own).
    void ClearDrawing();

    // --- Selection
    void ShapeSelect(ShapeId id, bool add);
    void ShapeDeselect(ShapeId id);
    void CadSelectShapes();
    void CadDeselectShapes();
    void LayerSelectShapes(int layer, bool add);
    void LayerDeselectShapes(int layer);
    // These three neither set Dirty (the highlight shows with the next rebuild).
    void SelectShapesOnLayers(const std::vector<long>& layers);
    void ClearSelection();
    void SelectShapesInPolygon(const std::vector<TPointF>& polygon, const std::vector<long>& layers);
    void SelectAllShapesInPolygon(const std::vector<TPointF>& polygon);
    int SelectedShapeCount() const; // shapes flagged Selected, not the length of the list
    std::vector<ShapeId> GetShapeSelectNumbers() const { return Selection; }

    // --- Deletion
    void ShapeDelete(ShapeId id);
    void ShapeSelectDelete(); // also DeleteSelectedShapes and CadClearSelectedShapes

    // --- Transforms (unknown id: nothing); angles in degrees counter-clockwise
    void ShapeTranslate(ShapeId id, double dx, double dy);
    void ShapeScale(ShapeId id, double sx, double sy, double cx, double cy);
    void ShapeRotate(ShapeId id, double angleDeg, double cx, double cy);
    // Axis 0 mirrors X about x = cx, axis 1 mirrors Y about y = cy; a circle keeps its radius.
    void ShapeReflect(ShapeId id, int axis, double cx, double cy);
    void ShapeSelectMoveDelta(double dx, double dy);

    // --- Vertex editing (polylines of any type; other shapes: 0 and nothing)
    int ShapePointCount(ShapeId id) const;
    double ShapePointGetX(ShapeId id, int index) const;
    double ShapePointGetY(ShapeId id, int index) const;
    void ShapePointSet(ShapeId id, int index, double x, double y);
    void ShapePointInsert(ShapeId id, int index, double x, double y); // index == count appends
    void ShapePointDelete(ShapeId id, int index);

    // --- Fonts
    // Parses "name[,height[,style]]" (style letters B and I), appends an entry and returns its index,
    // which becomes CurrentFont. The name "TXT" (any case) stands for Arial.
    int FontOpen(const QString& description, int unused = 0);
    void CadFontBehaviorReset();
    void LayerFontBehaviorReset(int) {}
    void ShapeFontBehaviorReset(ShapeId) {}

    // The first block of that name, or null.
    TSBlock* FindBlock(const QString& name) const;

    // A count that changes whenever the shapes of `layer` may have: a shape appended to it or taken off
    // it, or any change of the whole drawing. What is derived from one layer (the runlines the guidance
    // steers on) stays valid while it stays, without looking at the other layers' shapes.
    std::uint64_t LayerChangeCount(int layer) const;

    // The points of the newest polyline with at least 2 points on "Selvir_Route" or
    // "Selvir_SelectPoly" (on any layer when neither exists); empty when none.
    std::vector<std::pair<double, double>> GetLastPolylinePoints() const;

private:
    int currentLayer_ = 0;
    std::int64_t nextOrderKey_ = 0;  // for the next shape appended
    std::int64_t firstOrderKey_ = 0; // below every key in use, for ShapeToBack
    // Shapes per layer index, so that clearing a small layer (the vessel, every map tick) need not
    // look at every shape of a large drawing. Kept by appends and clears; valid while no change of the
    // whole drawing happened since it was counted (Dirty.wholeChanges()).
    std::unordered_map<int, int> shapesOnLayer_;
    // Appends and removals per layer index, for LayerChangeCount.
    std::unordered_map<int, std::uint64_t> layerChanges_;
    std::uint64_t shapesOnLayerCountedAt_ = ~std::uint64_t{0};
    bool layerCountsValid() const { return shapesOnLayerCountedAt_ == Dirty.wholeChanges(); }
    void clearLayerFromTheEnd(int layer, int count);
    // Creator steps: layer fallback, id, layer pen, append.
    template <class Shape>
    Shape* addCreated(std::unique_ptr<Shape> shape, int layer, bool copyPenWidth = true);
    void eraseShapesIf(auto predicate);
    template <class Taken, class Kept>
    void takeShapes(std::size_t first, Taken taken, Kept kept);
    void removeFromSelection(ShapeId id);
    void selectShape(TSShape& shape);
};

// Even-odd rule with the half-open edge convention.
bool PointInPolygon(double x, double y, const std::vector<TPointF>& polygon);

} // namespace selvir
