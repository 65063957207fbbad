// Drawing model: layers, ids, creators, accessors, z-order and clearing.
#include "canvas/CanvasModel.h"

#include <gtest/gtest.h>
#include <vector>

namespace selvir {
namespace {

std::vector<ShapeId> drawingOrder(const CanvasModel& model) {
    std::vector<ShapeId> ids;
    for (const auto& shape : model.Shapes) {
        ids.push_back(shape->Id);
    }
    return ids;
}

TEST(CanvasModel, NewDrawingHasOnlyTheDefaultLayerAndFontZero) {
    CanvasModel model;
    ASSERT_EQ(model.Layers.size(), 1u);
    EXPECT_EQ(model.Layers[0]->Name, "Default");
    EXPECT_EQ(model.Layers[0]->Index, 0);
    EXPECT_EQ(model.CurrentLayer(), 0);
    ASSERT_EQ(model.Fonts.size(), 1u);
    EXPECT_EQ(model.Fonts[0].FontName, "Arial");
    EXPECT_EQ(model.Fonts[0].Height, 10);
    EXPECT_EQ(model.DrawLine(0, 0, 1, 1, 0), 1);
}

TEST(CanvasModel, UnknownLayerFallsBackToDefault) {
    CanvasModel model;
    const int a = model.LayerOpen("A");
    ASSERT_EQ(model.CurrentLayer(), a);
    const ShapeId id = model.DrawLine(0, 0, 10, 10, 99);
    EXPECT_EQ(model.GetShapeOnLayer(id), 0);
    EXPECT_EQ(model.CurrentLayer(), 0) << "the fallback opens Default, which becomes current";
    EXPECT_EQ(model.Layers.size(), 2u) << "no layer 99 is made";
}

TEST(CanvasModel, FallbackRecreatesDefaultWhenItIsGone) {
    CanvasModel model;
    model.Layers.clear(); // a drawing whose layers were all replaced
    const ShapeId id = model.DrawPoint(1, 1, 0);
    ASSERT_NE(model.FindShape(id), nullptr);
    const int layer = model.GetShapeOnLayer(id);
    ASSERT_NE(model.FindLayer(layer), nullptr);
    EXPECT_EQ(model.FindLayer(layer)->Name, "Default");
}

TEST(CanvasModel, LayerOpenReusesNamesAndTheCounterSurvivesClearing) {
    CanvasModel model;
    const int a = model.LayerOpen("A");
    EXPECT_EQ(a, 1);
    EXPECT_EQ(model.LayerOpen("A"), a);
    EXPECT_EQ(model.LayerFindByName("a"), -1) << "names match case-sensitively";
    model.DrawLine(0, 0, 1, 1, a);
    model.CadClearShapes(-1);
    EXPECT_EQ(model.LayerOpen("B"), 2);
    EXPECT_EQ(model.LayerFindByName("A"), 1) << "clearing shapes keeps layers";
}

TEST(CanvasModel, IdsAreNeverReusedExceptAfterClearingEverything) {
    CanvasModel model;
    const int a = model.LayerOpen("A");
    model.DrawLine(0, 0, 1, 1, a);                // 1
    const ShapeId two = model.DrawPoint(2, 2, 0); // 2
    model.DrawCircle(0, 0, 5, a);                 // 3
    model.ShapeDelete(two);
    EXPECT_EQ(model.DrawPoint(0, 0, 0), 4);
    model.CadClearShapes(a);
    EXPECT_EQ(model.ShapeCount(), 1);
    EXPECT_EQ(model.DrawPoint(0, 0, 0), 5);
    model.CadClearShapes(-1);
    EXPECT_EQ(model.ShapeCount(), 0);
    EXPECT_EQ(model.DrawPoint(0, 0, 0), 1);
}

TEST(CanvasModel, ClearingALayerTakesItsShapesOutOfTheSelection) {
    CanvasModel model;
    const int a = model.LayerOpen("A");
    const ShapeId onA = model.DrawLine(0, 0, 1, 1, a);
    const ShapeId onDefault = model.DrawLine(0, 0, 1, 1, 0);
    model.ShapeSelect(onA, true);
    model.ShapeSelect(onDefault, true);
    model.ShapeSelect(onA, true);
    model.CadClearShapes(a);
    EXPECT_EQ(model.Selection, std::vector<ShapeId>{onDefault});
}

TEST(CanvasModel, PolylineNeedsTwoPointsAndCopiesTheLayerPensAndBrush) {
    CanvasModel model;
    const int a = model.LayerOpen("A");
    model.SetLayerPenFg(a, 0x00FF00);
    model.SetLayerPenWidth(a, 3);
    model.SetLayerPenStyle(a, penstyle::Dot);
    model.SetLayerBrushFg(a, 0x123456);
    model.SetLayerBrushStyle(a, brushstyle::Solid);

    EXPECT_EQ(model.DrawPolyline({{1, 2}}, a, false), noShape);
    EXPECT_EQ(model.ShapeCount(), 0);
    EXPECT_EQ(model.ShapeIdCounter, 1) << "a refused polyline takes no id";

    const ShapeId open = model.DrawPolyline({{0, 0}, {10, 5}}, a, false);
    const ShapeId closed = model.DrawPolyline({{0, 0}, {10, 0}, {10, 10}}, a, true);
    EXPECT_EQ(model.GetShapeType(open), shapeCode(ShapeKind::Polyline));
    EXPECT_EQ(model.GetShapeType(closed), shapeCode(ShapeKind::Polygon));
    const auto* polygon = dynamic_cast<const TSPolyline*>(model.FindShape(closed));
    ASSERT_NE(polygon, nullptr);
    EXPECT_TRUE(polygon->Closed);
    EXPECT_EQ(polygon->PenFg, 0x00FF00);
    EXPECT_EQ(polygon->PenWidth, 3);
    EXPECT_EQ(polygon->PenStyle, penstyle::Dot);
    EXPECT_EQ(polygon->BrushFg, 0x123456);
    EXPECT_EQ(polygon->BrushStyle, brushstyle::Solid);
    EXPECT_EQ(polygon->MaxX, 10.0);
    EXPECT_EQ(polygon->MaxY, 10.0);
}

TEST(CanvasModel, PolylineVerticesKeepGridCoordinatesWhole) {
    CanvasModel model;
    const ShapeId id = model.DrawPolyline({{4512345.678, 4100000.3}, {4512400.0, 4100010.0}}, 0, false);
    EXPECT_EQ(model.ShapePointGetX(id, 0), 4512345.678);
    EXPECT_EQ(model.ShapePointGetY(id, 0), 4100000.3);
    EXPECT_EQ(model.FindShape(id)->MinX, 4512345.678);
    model.ShapePointSet(id, 1, 4512400.001, 4100010.002);
    model.ShapeTranslate(id, 0.001, 0);
    EXPECT_EQ(model.ShapePointGetX(id, 1), 4512400.001 + 0.001);
    EXPECT_EQ(model.ShapePointGetY(id, 1), 4100010.002);
}

TEST(CanvasModel, OtherCreatorsCopyOnlyThePenColourAndWidth) {
    CanvasModel model;
    const int a = model.LayerOpen("A");
    model.SetLayerPenFg(a, 0x0000FF);
    model.SetLayerPenWidth(a, 4);
    model.SetLayerPenStyle(a, penstyle::Dash);
    model.SetLayerBrushStyle(a, brushstyle::Solid);
    const ShapeId rect = model.DrawRectangle(0, 0, 10, 10, a);
    const TSShape* shape = model.FindShape(rect);
    EXPECT_EQ(shape->PenFg, 0x0000FF);
    EXPECT_EQ(shape->PenWidth, 4);
    EXPECT_EQ(shape->PenStyle, penstyle::Solid);
    EXPECT_EQ(shape->BrushStyle, brushstyle::Clear);
    const auto* r = dynamic_cast<const TSRectangle*>(shape);
    ASSERT_NE(r, nullptr);
    EXPECT_FALSE(r->Rounded);
    EXPECT_EQ(r->CornerRadius, 10.0);
    const auto* point = dynamic_cast<const TSPoint*>(model.FindShape(model.DrawPoint(5, 5, a)));
    ASSERT_NE(point, nullptr);
    EXPECT_EQ(point->PointSize, 3);
    EXPECT_EQ(point->MinX, 2.0);
    EXPECT_EQ(point->MaxY, 8.0);
}

TEST(CanvasModel, TextAddCopiesAValidFontEntryAndOnlyThePenColour) {
    CanvasModel model;
    const int a = model.LayerOpen("labels");
    model.SetLayerPenFg(a, 0x0000FF);
    model.SetLayerPenWidth(a, 5);
    model.TextHAlign = 1;
    model.TextVAlign = 2;
    const int font = model.FontOpen("Courier New,14,B");

    const auto* copied =
        dynamic_cast<const TSText*>(model.FindShape(model.TextAdd(a, "E12", 100, 200, font)));
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->Caption, "E12");
    EXPECT_EQ(copied->Text, "E12");
    EXPECT_EQ(copied->FontName, "Courier New");
    EXPECT_EQ(copied->TextHeight, 14.0);
    EXPECT_TRUE(copied->Bold);
    EXPECT_FALSE(copied->Italic);
    EXPECT_EQ(copied->HAlign, 1);
    EXPECT_EQ(copied->VAlign, 2);
    EXPECT_EQ(copied->PenFg, 0x0000FF);
    EXPECT_EQ(copied->PenWidth, 1) << "a text does not take the layer's width";
    EXPECT_EQ(copied->MaxX, 130.0) << "ten units per character";

    const auto* fallback = dynamic_cast<const TSText*>(model.FindShape(model.TextAdd(a, "x", 0, 0, 7)));
    ASSERT_NE(fallback, nullptr);
    EXPECT_EQ(fallback->FontName, "Arial");
    EXPECT_EQ(fallback->TextHeight, 10.0);
    EXPECT_EQ(fallback->FontIndex, 7);
}

TEST(CanvasModel, SetShapeTextLeavesTheCaption) {
    CanvasModel model;
    const ShapeId id = model.TextAdd(0, "caption", 0, 0, 0);
    model.SetShapeText(id, "note");
    EXPECT_EQ(model.GetShapeText(id), "note");
    EXPECT_EQ(dynamic_cast<const TSText*>(model.FindShape(id))->Caption, "caption");
}

TEST(CanvasModel, ZOrderJumpsToTheEndsNeverByPlaces) {
    CanvasModel model;
    for (int i = 0; i < 5; ++i) {
        model.DrawPoint(i, i, 0);
    }
    model.ShapeZOrderJump(2, 5);
    EXPECT_EQ(drawingOrder(model), (std::vector<ShapeId>{1, 3, 4, 5, 2}));
    model.ShapeZOrderJump(4, -1);
    EXPECT_EQ(drawingOrder(model), (std::vector<ShapeId>{4, 1, 3, 5, 2}));
    model.ShapeZOrderJump(3, 0);
    model.ShapeToFront(99);
    model.ShapeToBack(-1);
    EXPECT_EQ(drawingOrder(model), (std::vector<ShapeId>{4, 1, 3, 5, 2}));
    model.ShapeToBack(2);
    EXPECT_EQ(drawingOrder(model), (std::vector<ShapeId>{2, 4, 1, 3, 5}));
    model.SetShapeZOrder(5, 42);
    EXPECT_EQ(model.GetShapeZOrder(5), 42);
    EXPECT_EQ(drawingOrder(model).back(), 5) << "the stored number does not move the shape";
}

TEST(CanvasModel, LayerPenSettersRecolourTheLayersShapesOnly) {
    CanvasModel model;
    const int track = model.LayerOpen("track_fix");
    const ShapeId onTrack = model.DrawLine(0, 0, 1, 1, track);
    const ShapeId onDefault = model.DrawLine(0, 0, 1, 1, 0);
    model.SetLayerPenFg(track, 0x00FF00);
    model.SetLayerPenWidth(track, 3);
    model.SetLayerBrushFg(track, 0x0000FF);
    EXPECT_EQ(model.GetShapePenFg(onTrack), 0x00FF00);
    EXPECT_EQ(model.GetShapePenWidth(onTrack), 3);
    EXPECT_EQ(model.GetShapeBrushFg(onTrack), colorWhite) << "the brush setter leaves shapes alone";
    EXPECT_EQ(model.GetShapePenFg(onDefault), colorBlack);
    EXPECT_EQ(model.GetShapePenWidth(onDefault), 1);
    EXPECT_EQ(model.GetLayerBrushFg(track), 0x0000FF);
}

TEST(CanvasModel, UnknownIdsAndLayersGiveDefaultsAndChangeNothing) {
    CanvasModel model;
    model.Dirty = false;
    EXPECT_EQ(model.GetShapeType(7), 0);
    EXPECT_EQ(model.GetShapeOnLayer(7), -1);
    EXPECT_EQ(model.GetShapePenWidth(7), 1);
    EXPECT_EQ(model.GetShapePenFg(7), 0);
    EXPECT_EQ(model.GetShapeBrushFg(7), colorWhite);
    EXPECT_EQ(model.GetShapeBrushStyle(7), 0);
    EXPECT_FALSE(model.GetShapeIsSelected(7));
    EXPECT_TRUE(model.GetShapeText(7).isEmpty());
    EXPECT_EQ(model.GetLayerPenWidth(9), 1);
    EXPECT_EQ(model.GetLayerBrushStyle(9), brushstyle::Clear);
    EXPECT_EQ(model.GetLayerBrushBg(9), colorWhite);
    EXPECT_EQ(model.GetLayerAction(9), 0);
    model.SetShapePenFg(7, 255);
    model.SetLayerPenFg(9, 255);
    model.ShapeToLayer(7, 2);
    model.ShapeTranslate(7, 1, 1);
    model.ShapePointSet(7, 0, 1, 1);
    EXPECT_FALSE(model.Dirty);
    EXPECT_EQ(model.FindShape(7), nullptr);
    EXPECT_EQ(model.FindLayer(9), nullptr);
    EXPECT_EQ(model.ShapeAdd(1, 2), noShape);
}

TEST(CanvasModel, SettersMarkTheDrawingDirtyExceptNotes) {
    CanvasModel model;
    const ShapeId id = model.DrawLine(0, 0, 1, 1, 0);
    model.Dirty = false;
    model.SetShapeNotes(id, "checked");
    EXPECT_FALSE(model.Dirty);
    EXPECT_EQ(model.GetShapeNotes(id), "checked");
    model.SetShapeBrushMode(id, 3);
    EXPECT_TRUE(model.Dirty);
    EXPECT_EQ(model.GetShapeBrushMode(id), 3);
}

TEST(CanvasModel, LayerCopyMovesShapesOnlyInModeOne) {
    CanvasModel model;
    const int from = model.LayerOpen("from");
    const int to = model.LayerOpen("to");
    model.SetLayerPenFg(from, 0x0000FF);
    const ShapeId id = model.DrawLine(0, 0, 1, 1, from);
    model.LayerCopy(from, to, 0);
    EXPECT_EQ(model.GetShapeOnLayer(id), from);
    model.LayerCopy(from, to, 1);
    EXPECT_EQ(model.GetShapeOnLayer(id), to);
    EXPECT_EQ(model.GetShapePenFg(id), 0x0000FF) << "moved shapes keep their pen";
}

TEST(CanvasModel, GetShapeAtFindsTheTopmostVisibleShape) {
    CanvasModel model;
    const ShapeId lower = model.DrawLine(0, 0, 100, 0, 0);
    const ShapeId upper = model.DrawLine(0, 1, 100, 1, 0);
    EXPECT_EQ(model.GetShapeAt(50, 0.5, 2.0), upper);
    model.FindShape(upper)->Visible = false;
    EXPECT_EQ(model.GetShapeAt(50, 0.5, 2.0), lower);
    EXPECT_EQ(model.GetShapeAt(50, 10, 2.0), noShape);
}

TEST(CanvasModel, LastPolylinePrefersTheRouteLayers) {
    CanvasModel model;
    EXPECT_TRUE(model.GetLastPolylinePoints().empty());
    const int user = model.LayerOpen("selvir_usershape");
    model.DrawPolyline({{1, 1}, {2, 2}}, user, false);
    EXPECT_EQ(model.GetLastPolylinePoints().size(), 2u) << "no route layer: any polyline";

    const int route = model.LayerOpen("Selvir_Route");
    model.DrawPolyline({{0, 0}, {10, 0}, {10, 10}}, route, false);
    model.DrawPolyline({{5, 5}, {6, 6}}, user, false);
    const auto points = model.GetLastPolylinePoints();
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[2], (std::pair<double, double>{10, 10}));
}

TEST(CanvasModel, ResetDrawingRestartsLayersAndIds) {
    CanvasModel model;
    model.LayerOpen("A");
    model.LayerOpen("B");
    model.DrawLine(0, 0, 1, 1, 2);
    model.ResetDrawing();
    ASSERT_EQ(model.Layers.size(), 1u);
    EXPECT_EQ(model.LayerOpen("Default"), 0);
    EXPECT_EQ(model.LayerOpen("X"), 1);
    EXPECT_EQ(model.DrawPoint(0, 0, 0), 1);
}

// A layer clear finds the layer's shapes from a count once the list has been walked; a change of the
// whole drawing (a layer written directly) makes it walk again. Either way exactly the layer goes, the
// rest keeps its order, and the selection forgets the removed ids.
TEST(CanvasModel, ClearingALayerRemovesExactlyItsShapesWhetherCountedOrNot) {
    CanvasModel model;
    const int vessel = model.LayerOpen("vessel");
    const int track = model.LayerOpen("track");
    std::vector<ShapeId> tracks;
    for (int i = 0; i < 20; ++i) {
        model.DrawLine(i, 0, i + 1, 0, vessel);
        tracks.push_back(model.DrawLine(i, 1, i + 1, 1, track));
    }
    model.ShapeSelect(model.Shapes.front()->Id, true); // on the vessel layer
    model.CadClearShapes(vessel);                      // walks the list, and counts
    for (int tick = 0; tick < 3; ++tick) {             // the map tick: redraw the vessel, add a segment
        model.DrawLine(0, 5, 1, 5, vessel);
        model.DrawCircle(0, 5, 2, vessel);
        tracks.push_back(model.DrawLine(tick, 1, tick + 1, 1, track));
        model.CadClearShapes(vessel); // from the count
    }
    std::vector<ShapeId> left;
    for (const auto& shape : model.Shapes) {
        left.push_back(shape->Id);
    }
    EXPECT_EQ(left, tracks);
    EXPECT_TRUE(model.Selection.empty());

    model.Shapes[3]->Layer = vessel; // written directly, then said
    model.SetDirty();
    model.CadClearShapes(vessel);
    EXPECT_EQ(model.ShapeCount(), static_cast<int>(tracks.size()) - 1);
    EXPECT_EQ(model.FindShape(tracks[3]), nullptr);
}

// What the painter is told: a shape appended and removed before it looked is in neither list; a shape
// drawn before is kept until the record is applied.
TEST(CanvasModel, TheDirtyRecordNamesWhatChangedSinceThePainterLooked) {
    CanvasModel model;
    const int vessel = model.LayerOpen("vessel");
    const ShapeId drawn = model.DrawLine(0, 0, 1, 1, vessel);
    model.Dirty.recordApplied();
    model.Dirty = false; // the painter has looked
    const ShapeId appended = model.DrawLine(0, 0, 2, 2, vessel);
    ASSERT_EQ(model.Dirty.appendedShapes().size(), 1u);
    EXPECT_EQ(model.Dirty.appendedShapes()[0]->Id, appended);
    EXPECT_TRUE(model.Dirty);
    EXPECT_FALSE(model.Dirty.wholeDrawing());
    model.CadClearShapes(vessel);
    EXPECT_TRUE(model.Dirty.appendedShapes().empty());
    ASSERT_EQ(model.Dirty.removedShapes().size(), 1u);
    EXPECT_EQ(model.Dirty.removedShapes()[0]->Id, drawn) << "kept alive for the painter";
    const auto epoch = model.Dirty.epoch();
    model.Dirty = true;
    EXPECT_TRUE(model.Dirty.removedShapes().empty());
    EXPECT_NE(model.Dirty.epoch(), epoch) << "what the painter derived from the list is void";
}

} // namespace
} // namespace selvir
