// Editing operations of the drawing model: hit tests, the polygon test, selections, deletion,
// transforms, vertex editing and the font table.
#include "canvas/CanvasModel.h"

#include <gtest/gtest.h>
#include <vector>

namespace selvir {
namespace {

const std::vector<TPointF> square10{{0, 0}, {10, 0}, {10, 10}, {0, 10}};

TEST(HitTest, LineUsesTheDistanceToTheSegmentWithClampedEnds) {
    TSLine line;
    line.X1 = 0, line.Y1 = 0, line.X2 = 10, line.Y2 = 0;
    EXPECT_TRUE(line.HitTest(5, 2, 2));
    EXPECT_FALSE(line.HitTest(5, 2.01, 2));
    EXPECT_TRUE(line.HitTest(12, 0, 2)) << "beyond the end: distance to the end point";
    EXPECT_FALSE(line.HitTest(12, 1.5, 2)) << "hypot(2, 1.5) = 2.5";
    TSLine dot;
    dot.X1 = dot.X2 = 3, dot.Y1 = dot.Y2 = 4;
    EXPECT_TRUE(dot.HitTest(3, 5, 1));
    EXPECT_FALSE(dot.HitTest(3, 5.5, 1));
}

TEST(HitTest, PolygonIsHitOnItsDrawnEdgesOnly) {
    TSPolyline polygon;
    polygon.ShapeType = ShapeKind::Polygon;
    polygon.Closed = true;
    for (const TPointF& p : square10) {
        polygon.AddPoint(p.X, p.Y);
    }
    EXPECT_TRUE(polygon.HitTest(5, 0.5, 1)) << "first edge";
    EXPECT_TRUE(polygon.HitTest(9.5, 5, 1));
    EXPECT_FALSE(polygon.HitTest(5, 5, 1)) << "the interior is not a hit";
    EXPECT_FALSE(polygon.HitTest(0.5, 5, 0.6)) << "nor is the closing edge";
    TSPolyline stuck;
    stuck.AddPoint(1, 1);
    stuck.AddPoint(1, 1);
    EXPECT_FALSE(stuck.HitTest(1, 1, 5)) << "zero-length segments are skipped";
}

TEST(HitTest, CircleIsHitNearItsCircumferenceOnly) {
    TSCircle circle;
    circle.CenterX = 0, circle.CenterY = 0, circle.Radius = 10;
    EXPECT_TRUE(circle.HitTest(10.5, 0, 1));
    EXPECT_TRUE(circle.HitTest(0, -9, 1));
    EXPECT_FALSE(circle.HitTest(0, 0, 1));
    EXPECT_FALSE(circle.HitTest(7, 0, 1));
}

TEST(HitTest, EllipseUsesTheNormalisedRadius) {
    TSEllipse ellipse;
    ellipse.X1 = -20, ellipse.Y1 = -10, ellipse.X2 = 20, ellipse.Y2 = 10; // a = 20, b = 10
    EXPECT_TRUE(ellipse.HitTest(20, 0, 1));
    EXPECT_TRUE(ellipse.HitTest(0, 10.4, 1)) << "|1.0816 - 1| <= 0.1";
    EXPECT_FALSE(ellipse.HitTest(0, 11, 1)) << "|1.21 - 1| > 0.1";
    EXPECT_FALSE(ellipse.HitTest(0, 0, 1));
    TSEllipse flat;
    flat.X1 = 0, flat.X2 = 10, flat.Y1 = flat.Y2 = 5;
    EXPECT_FALSE(flat.HitTest(5, 5, 100));
}

TEST(HitTest, BoxesCountTheirInterior) {
    TSRectangle rect;
    rect.X1 = 10, rect.Y1 = 10, rect.X2 = 0, rect.Y2 = 0;
    EXPECT_TRUE(rect.HitTest(5, 5, 0));
    EXPECT_TRUE(rect.HitTest(11, -1, 1));
    EXPECT_FALSE(rect.HitTest(11.5, 5, 1));
    TSText text;
    text.X = 0, text.Y = 0, text.Caption = "AB";
    text.UpdateBounds(); // 0..20 by -10..10
    EXPECT_TRUE(text.HitTest(19, 9, 0));
    EXPECT_FALSE(text.HitTest(22, 0, 1));
    TSArc arc;
    arc.X1 = 0, arc.Y1 = 0, arc.X2 = 5, arc.Y2 = 5, arc.X3 = 10, arc.Y3 = 0;
    arc.UpdateBounds();
    EXPECT_TRUE(arc.HitTest(2, 4, 0)) << "the bounds of the three points count";
    TSPoint point;
    point.X = 1, point.Y = 1;
    EXPECT_TRUE(point.HitTest(4, 5, 5));
    EXPECT_FALSE(point.HitTest(4, 5.1, 5));
}

TEST(PointInPolygon, HalfOpenEdgesOfASquare) {
    EXPECT_TRUE(PointInPolygon(5, 5, square10));
    EXPECT_TRUE(PointInPolygon(0, 5, square10)) << "left edge";
    EXPECT_TRUE(PointInPolygon(5, 0, square10)) << "bottom edge";
    EXPECT_FALSE(PointInPolygon(10, 5, square10)) << "right edge";
    EXPECT_FALSE(PointInPolygon(5, 10, square10)) << "top edge";
    EXPECT_FALSE(PointInPolygon(-1, 5, square10));
    EXPECT_FALSE(PointInPolygon(5, 5, {}));
}

TEST(PointInPolygon, GridCoordinatesCountToTheMillimetre) {
    // A 10 mm square at grid coordinates in the millions: rounded to half metres it would vanish.
    const std::vector<TPointF> square{{512000.000, 4512345.678},
                                      {512000.010, 4512345.678},
                                      {512000.010, 4512345.688},
                                      {512000.000, 4512345.688}};
    EXPECT_TRUE(PointInPolygon(512000.005, 4512345.683, square));
    EXPECT_FALSE(PointInPolygon(512000.005, 4512345.690, square));
}

TEST(PointInPolygon, EvenOddRuleForSelfOverlap) {
    // A bow tie crossing at (5, 5): both lobes inside, the gap above the crossing outside.
    const std::vector<TPointF> bowTie{{0, 0}, {10, 10}, {10, 0}, {0, 10}};
    EXPECT_TRUE(PointInPolygon(2, 5, bowTie));
    EXPECT_TRUE(PointInPolygon(8, 5, bowTie));
    EXPECT_FALSE(PointInPolygon(5, 8, bowTie));
}

TEST(Selection, ListKeepsDuplicatesButTheCountIsOfShapes) {
    CanvasModel model;
    for (int i = 0; i < 5; ++i) {
        model.DrawPoint(i, i, 0);
    }
    model.ShapeSelect(5, true);
    model.ShapeSelect(5, true);
    EXPECT_EQ(model.GetShapeSelectNumbers(), (std::vector<ShapeId>{5, 5}));
    EXPECT_EQ(model.SelectedShapeCount(), 1);
    model.ShapeDeselect(5);
    EXPECT_TRUE(model.GetShapeSelectNumbers().empty());
    EXPECT_FALSE(model.GetShapeIsSelected(5));

    model.ShapeSelect(2, false);
    model.CadSelectShapes();
    EXPECT_EQ(model.GetShapeSelectNumbers(), (std::vector<ShapeId>{2, 1, 2, 3, 4, 5}));
    model.ShapeSelect(3, false);
    EXPECT_EQ(model.GetShapeSelectNumbers(), (std::vector<ShapeId>{3}));
    EXPECT_EQ(model.SelectedShapeCount(), 1);
    model.ShapeSelect(99, false);
    EXPECT_TRUE(model.GetShapeSelectNumbers().empty()) << "an unknown id still clears first";
}

TEST(Selection, ByLayer) {
    CanvasModel model;
    const int a = model.LayerOpen("A");
    const ShapeId a1 = model.DrawPoint(0, 0, a);
    const ShapeId d1 = model.DrawPoint(0, 0, 0);
    const ShapeId a2 = model.DrawPoint(0, 0, a);
    model.FindShape(a2)->Visible = false;
    model.ShapeSelect(d1, false);
    model.LayerSelectShapes(a, true);
    EXPECT_EQ(model.GetShapeSelectNumbers(), (std::vector<ShapeId>{d1, a1, a2})) << "hidden shapes too";
    model.LayerDeselectShapes(a);
    EXPECT_EQ(model.GetShapeSelectNumbers(), (std::vector<ShapeId>{d1}));
    model.SelectShapesOnLayers({a, 42});
    EXPECT_EQ(model.GetShapeSelectNumbers(), (std::vector<ShapeId>{a1, a2}));
    EXPECT_FALSE(model.GetShapeIsSelected(d1));
}

TEST(Selection, PolygonInLayersUsesEndsVerticesAndBoxCentres) {
    CanvasModel model;
    const int a = model.LayerOpen("A");
    const ShapeId farEndInside = model.DrawLine(-20, 5, 5, 5, a);
    const ShapeId straddlingCircle = model.DrawCircle(12, 5, 4, a); // centre outside
    const ShapeId innerCircle = model.DrawCircle(8, 5, 4, a);
    const ShapeId cornerRect = model.DrawRectangle(8, 8, 30, 30, a); // one corner inside, centre outside
    const ShapeId vertexInside = model.DrawPolyline({{-5, -5}, {3, 3}, {-5, 20}}, a, false);
    const ShapeId otherLayer = model.DrawPoint(5, 5, 0);

    model.SelectShapesInPolygon(square10, {a});
    EXPECT_EQ(model.GetShapeSelectNumbers(), (std::vector<ShapeId>{farEndInside, innerCircle, vertexInside}));
    EXPECT_FALSE(model.GetShapeIsSelected(straddlingCircle));
    EXPECT_FALSE(model.GetShapeIsSelected(cornerRect));
    EXPECT_FALSE(model.GetShapeIsSelected(otherLayer));

    model.SelectShapesInPolygon({{0, 0}, {10, 0}}, {a});
    EXPECT_TRUE(model.GetShapeSelectNumbers().empty()) << "two vertices select nothing";
    EXPECT_EQ(model.SelectedShapeCount(), 0);
    model.ShapeSelect(otherLayer, false);
    model.SelectShapesInPolygon(square10, {});
    EXPECT_EQ(model.SelectedShapeCount(), 0) << "an empty layer list clears and stops";
}

TEST(Selection, PolygonOverAllLayersUsesEachClassesPointsAndSkipsTheSelectionPolygon) {
    CanvasModel model;
    const int poly = model.LayerOpen("Selvir_SelectPoly");
    const ShapeId outline = model.DrawPolyline({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, poly, true);
    const ShapeId cornerRect = model.DrawRectangle(8, 8, 30, 30, 0);
    const ShapeId text = model.TextAdd(0, "a long caption", 9, 9, 0); // box centre far right
    const ShapeId arc = model.DrawThreePointArc(-5, -5, 5, 5, 15, -5, 0);
    const ShapeId ellipseOut = model.DrawTwoPointEllipse(8, 8, 30, 30, 0);

    model.SelectAllShapesInPolygon(square10);
    EXPECT_EQ(model.GetShapeSelectNumbers(), (std::vector<ShapeId>{cornerRect, text, arc}));
    EXPECT_FALSE(model.GetShapeIsSelected(outline));
    EXPECT_FALSE(model.GetShapeIsSelected(ellipseOut));

    model.SelectShapesInPolygon(square10, {0});
    EXPECT_FALSE(model.GetShapeIsSelected(cornerRect)) << "the layer selection takes the box centre";
    EXPECT_FALSE(model.GetShapeIsSelected(text));
}

TEST(Deletion, SelectedShapesGoAndTheOthersKeepTheirOrder) {
    CanvasModel model;
    for (int i = 0; i < 6; ++i) {
        model.DrawPoint(i, i, 0);
    }
    model.ShapeSelect(2, true);
    model.ShapeSelect(5, true);
    model.ShapeSelectDelete();
    std::vector<ShapeId> left;
    for (const auto& s : model.Shapes) {
        left.push_back(s->Id);
    }
    EXPECT_EQ(left, (std::vector<ShapeId>{1, 3, 4, 6}));
    EXPECT_TRUE(model.Selection.empty());
    EXPECT_EQ(model.ShapeCount(), 4);

    model.ShapeSelect(3, true);
    model.ShapeSelect(3, true);
    model.ShapeDelete(3);
    EXPECT_TRUE(model.Selection.empty());
    model.Selection.push_back(77);
    model.ShapeDelete(77);
    EXPECT_TRUE(model.Selection.empty()) << "an unknown id is still cleaned from the list";
}

TEST(Transforms, ReflectMirrorsPointsAndKeepsACirclesRadius) {
    CanvasModel model;
    const ShapeId line = model.DrawLine(12, 3, 15, 4, 0);
    const ShapeId circle = model.DrawCircle(12, 0, 2, 0);
    model.ShapeReflect(line, 0, 10, 0);
    model.ShapeReflect(circle, 0, 10, 0);
    const auto* l = dynamic_cast<const TSLine*>(model.FindShape(line));
    EXPECT_DOUBLE_EQ(l->X1, 8);
    EXPECT_DOUBLE_EQ(l->Y1, 3);
    EXPECT_DOUBLE_EQ(l->X2, 5);
    EXPECT_DOUBLE_EQ(l->Y2, 4);
    EXPECT_DOUBLE_EQ(l->MinX, 5);
    const auto* c = dynamic_cast<const TSCircle*>(model.FindShape(circle));
    EXPECT_DOUBLE_EQ(c->CenterX, 8);
    EXPECT_DOUBLE_EQ(c->Radius, 2);
    EXPECT_DOUBLE_EQ(c->MinX, 6);

    model.ShapeReflect(line, 1, 0, 1);
    EXPECT_DOUBLE_EQ(l->Y1, -1);
    EXPECT_DOUBLE_EQ(l->Y2, -2);
    model.ShapeReflect(line, 2, 0, 0);
    EXPECT_DOUBLE_EQ(l->X1, 8) << "other axes change nothing";
}

TEST(Transforms, ScaleAveragesTheFactorsForACircle) {
    CanvasModel model;
    const ShapeId circle = model.DrawCircle(1, 1, 2, 0);
    model.ShapeScale(circle, 2, 4, 0, 0);
    const auto* c = dynamic_cast<const TSCircle*>(model.FindShape(circle));
    EXPECT_DOUBLE_EQ(c->Radius, 6);
    EXPECT_DOUBLE_EQ(c->CenterX, 2);
    EXPECT_DOUBLE_EQ(c->CenterY, 4);
    EXPECT_DOUBLE_EQ(c->MaxY, 10);

    const ShapeId text = model.TextAdd(0, "t", 10, 10, 0);
    model.ShapeScale(text, 3, 3, 0, 0);
    const auto* t = dynamic_cast<const TSText*>(model.FindShape(text));
    EXPECT_DOUBLE_EQ(t->X, 30);
    EXPECT_DOUBLE_EQ(t->TextHeight, 10) << "text height is not scaled";
}

TEST(Transforms, RotationTurnsPointsButNotBoxesAndTextsKeepTheirAnchor) {
    CanvasModel model;
    const ShapeId line = model.DrawLine(1, 0, 2, 0, 0);
    model.ShapeRotate(line, 90, 0, 0);
    const auto* l = dynamic_cast<const TSLine*>(model.FindShape(line));
    EXPECT_NEAR(l->X1, 0, 1e-12);
    EXPECT_NEAR(l->Y1, 1, 1e-12);
    EXPECT_NEAR(l->Y2, 2, 1e-12);

    const ShapeId rect = model.DrawRectangle(0, 0, 10, 5, 0);
    model.ShapeRotate(rect, 45, 100, 100);
    const auto* r = dynamic_cast<const TSRectangle*>(model.FindShape(rect));
    EXPECT_EQ(r->X2, 10);
    EXPECT_EQ(r->Y2, 5);

    const ShapeId text = model.TextAdd(0, "t", 10, 20, 0);
    model.ShapeRotate(text, 45, 0, 0);
    model.ShapeRotate(text, 45, 0, 0);
    const auto* t = dynamic_cast<const TSText*>(model.FindShape(text));
    EXPECT_EQ(t->X, 10);
    EXPECT_EQ(t->Y, 20);
    EXPECT_EQ(t->Rotation, 90);

    const ShapeId poly = model.DrawPolyline({{10, 0}, {20, 0}}, 0, false);
    model.ShapeRotate(poly, 180, 0, 0);
    EXPECT_NEAR(model.ShapePointGetX(poly, 1), -20, 1e-5);
}

TEST(Transforms, MoveDeltaTranslatesTheSelectedShapes) {
    CanvasModel model;
    const ShapeId moved = model.DrawPoint(1, 1, 0);
    const ShapeId kept = model.DrawPoint(1, 1, 0);
    model.ShapeSelect(moved, false);
    model.ShapeSelectMoveDelta(5, -2);
    EXPECT_EQ(dynamic_cast<const TSPoint*>(model.FindShape(moved))->X, 6);
    EXPECT_EQ(dynamic_cast<const TSPoint*>(model.FindShape(moved))->MinY, -4);
    EXPECT_EQ(dynamic_cast<const TSPoint*>(model.FindShape(kept))->X, 1);
}

TEST(VertexEditing, IndicesOutsideTheListDoNothing) {
    CanvasModel model;
    const ShapeId id = model.DrawPolyline({{0, 0}, {10, 10}}, 0, false);
    model.ShapePointInsert(id, 2, 20, 5);
    EXPECT_EQ(model.ShapePointCount(id), 3);
    EXPECT_EQ(model.ShapePointGetX(id, 2), 20);
    model.ShapePointInsert(id, 4, 30, 5);
    model.ShapePointInsert(id, -1, 30, 5);
    EXPECT_EQ(model.ShapePointCount(id), 3);
    model.ShapePointInsert(id, 0, -5, -5);
    EXPECT_EQ(model.ShapePointGetX(id, 0), -5);
    EXPECT_EQ(model.FindShape(id)->MinX, -5);
    EXPECT_EQ(model.ShapePointGetX(id, -1), 0);
    EXPECT_EQ(model.ShapePointGetY(id, 4), 0);

    model.Dirty = false;
    model.ShapePointSet(id, 9, 1, 1);
    EXPECT_TRUE(model.Dirty) << "a polyline is marked dirty even for a bad index";
    model.ShapePointSet(id, 3, 50, 60);
    EXPECT_EQ(model.FindShape(id)->MaxY, 60);

    model.ShapePointDelete(id, 4);
    EXPECT_EQ(model.ShapePointCount(id), 4);
    for (int i = 0; i < 3; ++i) {
        model.ShapePointDelete(id, 0);
    }
    EXPECT_EQ(model.ShapePointCount(id), 1) << "kept with a single vertex";

    const ShapeId line = model.DrawLine(0, 0, 1, 1, 0);
    EXPECT_EQ(model.ShapePointCount(line), 0);
    model.ShapePointInsert(line, 0, 5, 5);
    EXPECT_EQ(model.ShapePointGetX(line, 0), 0);
}

struct FontCase {
    const char* description;
    const char* name;
    int height;
    bool bold;
    bool italic;
};

TEST(Fonts, FontOpenParsesNameHeightAndStyle) {
    const FontCase cases[] = {
        {"Courier New", "Courier New", 10, false, false},
        {"Arial,12,bi", "Arial", 12, true, true},
        {"txt,8", "Arial", 8, false, false},
        {"TXT", "Arial", 10, false, false},
        {"Times,x", "Times", 10, false, false},
        {"Times,,b", "Times", 10, true, false},
        {"Verdana,14,I", "Verdana", 14, false, true},
        {"Tahoma,99999999999,B", "Tahoma", 10, true, false},
    };
    CanvasModel model;
    int expectedIndex = 1;
    for (const FontCase& c : cases) {
        SCOPED_TRACE(c.description);
        EXPECT_EQ(model.FontOpen(c.description, 0), expectedIndex);
        EXPECT_EQ(model.CurrentFont, expectedIndex);
        const TSFont& font = model.Fonts.back();
        EXPECT_EQ(font.FontName, c.name);
        EXPECT_EQ(font.Height, c.height);
        EXPECT_EQ(font.Bold, c.bold);
        EXPECT_EQ(font.Italic, c.italic);
        ++expectedIndex;
    }
    EXPECT_EQ(model.FontOpen("Arial,12,bi"), expectedIndex) << "the same font is appended again";
}

TEST(Fonts, BehaviourResetRestoresTextPlacement) {
    CanvasModel model;
    model.TextHAlign = 2;
    model.TextVAlign = 1;
    model.TextScale = 3.0;
    model.CadFontBehaviorReset();
    EXPECT_EQ(model.TextHAlign, 0);
    EXPECT_EQ(model.TextVAlign, 0);
    EXPECT_EQ(model.TextScale, 1.0);
}

} // namespace
} // namespace selvir
