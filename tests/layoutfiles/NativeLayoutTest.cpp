// Native layout file: the text format, compression behind "GVX1", record-to-shape rules, replace and
// add modes, the text quirks, and what bad files do to the drawing.
#include "layoutfiles/NativeLayout.h"

#include "LayoutTestSupport.h"
#include "core/NumberFormat.h"
#include "layoutfiles/TextNumbers.h"
#include "layoutfiles/ZlibStream.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <csignal>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <sys/resource.h>
#include <zlib.h>

namespace selvir {
namespace {

using test::Drawing;
using test::readBytes;
using test::shapeAt;
using test::splitLines;
using test::TempDir;
using test::writeBytes;

const LocalDateTime savedAt{{2025, 3, 7}, 9, 5, 3, 427};

// The text of a file as zlib itself inflates it, after checking the magic.
std::string inflatedWithZlib(const std::string& bytes) {
    EXPECT_EQ(bytes.substr(0, 4), "GVX1");
    std::string text(64 << 20, '\0');
    uLongf size = text.size();
    const auto* source = reinterpret_cast<const Bytef*>(bytes.data() + 4);
    EXPECT_EQ(uncompress(reinterpret_cast<Bytef*>(text.data()), &size, source, bytes.size() - 4), Z_OK);
    text.resize(size);
    return text;
}

std::string compressedWithZlib(const std::string& text) {
    std::string out(compressBound(text.size()), '\0');
    uLongf size = out.size();
    compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(text.data()),
              text.size(), 6);
    out.resize(size);
    return "GVX1" + out;
}

// Loads a text given as the plain file content.
bool loadText(Drawing& d, const std::string& text, int mode = layoutReplace) {
    TempDir dir;
    writeBytes(dir / "plain.gvx", text);
    return CadLoad(d.model, d.view, dir / "plain.gvx", mode).ok;
}

TEST(NativeLayout, EmptyDrawingIsHeaderWorldAndDefaultLayerBehindTheMagic) {
    TempDir dir;
    Drawing d;
    const ManualClock clock(savedAt);
    ASSERT_TRUE(CadSave(d.model, d.view, dir / "empty.gvx", clock));
    const std::string bytes = readBytes(dir / "empty.gvx");
    const std::string text = inflatedWithZlib(bytes);
    EXPECT_EQ(bytes, compressedWithZlib(text)) << "one zlib stream at level 6 right after the magic";
    const auto lines = splitLines(text);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "# Selvir Rotaplan - GVX");
    EXPECT_EQ(lines[1].substr(0, 2), "# ");
    EXPECT_EQ(lines[2], "# Created on: 2025-03-07 09:05:03.42");
    EXPECT_EQ(lines[3], "#");
    EXPECT_EQ(lines[4], "WORLD 0.000000 1000.000000 0.000000 1000.000000");
    EXPECT_EQ(lines[5], "LAYER Default");
    EXPECT_EQ(text.back(), '\n');
    EXPECT_EQ(text.find('\r'), std::string::npos);
}

TEST(NativeLayout, AViewThatIsNotFiniteIsSavedAsTheDefaultWindow) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const ViewWindow broken[] = {{nan, nan, nan, nan},
                                 {0, inf, 1000, 0},
                                 {0, 1000, 1000, -inf},
                                 {-1e308, 1e308, 1000, 0}}; // the last one's width overflows
    for (const ViewWindow& view : broken) {
        Drawing d;
        d.view = view;
        const auto lines = splitLines(buildLayoutText(d.model, d.view, savedAt));
        ASSERT_GT(lines.size(), 4u);
        EXPECT_EQ(lines[4], "WORLD 0.000000 1000.000000 0.000000 1000.000000")
            << view.WorldLeft << " " << view.WorldRight << " " << view.WorldBottom << " " << view.WorldTop;
    }
}

TEST(NativeLayout, CreatedOnLinePadsAndTruncatesTheHundredths) {
    const CanvasModel model;
    const ViewWindow view;
    const auto line = [&](const LocalDateTime& t) { return splitLines(buildLayoutText(model, view, t))[2]; };
    EXPECT_EQ(line({{2026, 12, 31}, 23, 59, 59, 987}), "# Created on: 2026-12-31 23:59:59.98");
    EXPECT_EQ(line({{2026, 1, 2}, 0, 7, 0, 9}), "# Created on: 2026-01-02 00:07:00.00");
    EXPECT_EQ(line({{987, 1, 2}, 0, 0, 0, 0}), "# Created on: 987-01-02 00:00:00.00") << "year not padded";
}

// The drawing of the format's example: a red line of width 2 and a closed polygon on "Default".

Drawing exampleDrawing() {
    Drawing d;
    d.view.WorldLeft = 450000, d.view.WorldRight = 451000;
    d.view.WorldBottom = 4500000, d.view.WorldTop = 4500800;
    const ShapeId line = d.model.DrawLine(450100, 4500100, 450300, 4500200, 0);
    d.model.SetShapePenFg(line, 255);
    d.model.SetShapePenWidth(line, 2);
    d.model.DrawPolyline({{450000, 4500000}, {450100, 4500000}, {450100, 4500100}}, 0, true);
    return d;
}

const std::vector<std::string> exampleRecords = {
    "WORLD 450000.000000 451000.000000 4500000.000000 4500800.000000",
    "LAYER Default",
    "LINE 450100.000000 4500100.000000 450300.000000 4500200.000000 0 255 2",
    "POLYGON 0 3 0 1",
    "450000.000000 4500000.000000",
    "450100.000000 4500000.000000",
    "450100.000000 4500100.000000",
};

TEST(NativeLayout, FormatExampleIsWrittenLineForLine) {
    const Drawing d = exampleDrawing();
    const auto lines = splitLines(buildLayoutText(d.model, d.view, savedAt));
    ASSERT_EQ(lines.size(), 4 + exampleRecords.size());
    EXPECT_EQ(lines[2], "# Created on: 2025-03-07 09:05:03.42");
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 4, lines.end()), exampleRecords);
}

TEST(NativeLayout, FormatExampleReadsBackPlainAndCompressedAlike) {
    std::string text = "# Selvir Rotaplan - GVX\n# Created on: 2025-03-07 09:05:03.42\n#\n";
    for (const auto& record : exampleRecords) {
        text += record + "\n";
    }
    for (const std::string& bytes : {text, compressedWithZlib(text)}) {
        TempDir dir;
        writeBytes(dir / "example.gvx", bytes);
        Drawing d;
        d.model.LayerOpen("survey");
        d.model.DrawPoint(1, 1, 1);
        ASSERT_TRUE(CadLoad(d.model, d.view, dir / "example.gvx", layoutReplace));
        EXPECT_EQ(d.view.WorldLeft, 450000);
        EXPECT_EQ(d.view.WorldRight, 451000);
        EXPECT_EQ(d.view.WorldBottom, 4500000);
        EXPECT_EQ(d.view.WorldTop, 4500800);
        EXPECT_EQ(test::layerNames(d.model), std::vector<std::string>{"0:Default"});
        ASSERT_EQ(d.model.Shapes.size(), 2u);
        const auto* line = shapeAt<TSLine>(d.model, 0);
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(line->Id, 1) << "ids restart with the cleared drawing";
        EXPECT_EQ(line->X2, 450300);
        EXPECT_EQ(line->PenFg, 255);
        EXPECT_EQ(line->PenWidth, 2);
        const auto* polygon = shapeAt<TSPolyline>(d.model, 1);
        ASSERT_NE(polygon, nullptr);
        EXPECT_EQ(polygon->ShapeType, ShapeKind::Polygon);
        EXPECT_TRUE(polygon->Closed);
        ASSERT_EQ(polygon->Points.size(), 3u);
        EXPECT_EQ(polygon->Points[2].Y, 4500100.0f);
        EXPECT_EQ(polygon->MaxX, 450100.0);
    }
}

// The polyline kinds everyKind() makes, in drawing order.
constexpr ShapeKind polylineKinds[] = {ShapeKind::Polyline, ShapeKind::Polygon, ShapeKind::Spline,
                                       ShapeKind::Curve};

// A drawing with one shape of every written kind, every kept field away from its default.
Drawing everyKind() {
    Drawing d;
    d.view.WorldSet(-120.5, 77.25, 940.125, -3.5);
    const int survey = d.model.LayerOpen("survey lines");
    d.model.SetLayerPenFg(survey, 0x00FF00);
    d.model.SetLayerPenWidth(survey, 3);

    auto line = std::make_unique<TSLine>();
    line->X1 = 452317.25, line->Y1 = 4501234.5, line->X2 = -12.125, line->Y2 = 0.0625;
    line->PenFg = 0x123456, line->PenWidth = 4;
    auto circle = std::make_unique<TSCircle>();
    circle->CenterX = 10.5, circle->CenterY = -20.25, circle->Radius = 7.75, circle->PenFg = 0xFF0000;
    circle->PenWidth = 2;
    auto point = std::make_unique<TSPoint>();
    point->X = 3.5, point->Y = 4.5, point->Value = -12.345678, point->PenFg = 0, point->PenWidth = 5;
    auto text = std::make_unique<TSText>();
    text->X = 100.5, text->Y = 200.25, text->Caption = "Depth 12.5 m", text->FontIndex = 0;
    text->PenFg = 0x0000FF, text->TextHeight = 3.25, text->Rotation = 45.5, text->Bold = true;
    text->Italic = true, text->FontName = "Courier";
    auto rectangle = std::make_unique<TSRectangle>();
    rectangle->X1 = 1, rectangle->Y1 = 2, rectangle->X2 = 3.5, rectangle->Y2 = 4.5, rectangle->PenFg = 77;
    rectangle->PenWidth = 6, rectangle->BrushFg = 0xABCDEF, rectangle->BrushStyle = brushstyle::Cross;
    rectangle->Value = 9.5;
    auto ellipse = std::make_unique<TSEllipse>();
    ellipse->X1 = -1, ellipse->Y1 = -2, ellipse->X2 = 5, ellipse->Y2 = 6, ellipse->PenFg = 0x00FFFF;
    ellipse->PenWidth = 2;
    auto oldEllipse = std::make_unique<TSEllipse>();
    oldEllipse->ShapeType = ShapeKind::Ellipse4;
    oldEllipse->X2 = 1, oldEllipse->Y2 = 1;
    std::vector<std::unique_ptr<TSShape>> shapes;
    shapes.push_back(std::move(line));
    shapes.push_back(std::move(circle));
    shapes.push_back(std::move(point));
    shapes.push_back(std::move(text));
    shapes.push_back(std::move(rectangle));
    shapes.push_back(std::move(ellipse));
    shapes.push_back(std::move(oldEllipse));
    for (ShapeKind type : polylineKinds) {
        auto p = std::make_unique<TSPolyline>();
        p->ShapeType = type;
        p->Closed = type == ShapeKind::Polygon;
        p->PenFg = 0x010203 * shapeCode(type);
        p->PenWidth = shapeCode(type);
        p->AddPoint(4512345.678, 4500000.25);
        p->AddPoint(4512400.0, 4500100.5);
        p->AddPoint(4512500.0, -4500100.5);
        shapes.push_back(std::move(p));
    }
    for (auto& shape : shapes) {
        shape->Layer = survey;
        shape->UpdateBounds();
        shape->Id = d.model.TakeNextId() + 100; // ids are not kept
        shape->Visible = false;                 // not kept
        shape->PenStyle = penstyle::Dot;        // not kept
        shape->Notes = "note";                  // not kept
        d.model.AppendShape(std::move(shape));
    }
    d.model.DrawThreePointArc(0, 0, 1, 1, 2, 0, survey); // a TSArc: not written
    return d;
}

TEST(NativeLayout, RoundTripKeepsEveryWrittenFieldAndLosesTheRest) {
    TempDir dir;
    const Drawing saved = everyKind();
    ASSERT_TRUE(CadSave(saved.model, saved.view, dir / "all.gvx", ManualClock(savedAt)));
    Drawing d;
    ASSERT_TRUE(CadLoad(d.model, d.view, dir / "all.gvx", layoutReplace));

    EXPECT_EQ(d.view, saved.view);
    EXPECT_EQ(test::layerNames(d.model), (std::vector<std::string>{"0:Default", "1:survey lines"}));
    EXPECT_EQ(d.model.FindLayer(1)->PenFg, 0) << "layer properties other than the name are not kept";
    ASSERT_EQ(d.model.Shapes.size(), saved.model.Shapes.size() - 1) << "the arc is not written";
    for (std::size_t i = 0; i < d.model.Shapes.size(); ++i) {
        const TSShape& back = *d.model.Shapes[i];
        const TSShape& before = *saved.model.Shapes[i];
        EXPECT_EQ(back.Id, static_cast<ShapeId>(i + 1)) << "new ids are given on reading";
        EXPECT_EQ(back.Layer, 1);
        EXPECT_EQ(back.PenFg, before.PenFg) << "shape " << i;
        EXPECT_EQ(back.PenWidth,
                  before.PenFg == 0 && before.ShapeType != ShapeKind::Point ? 1 : before.PenWidth)
            << "shape " << i;
        EXPECT_TRUE(back.Visible);
        EXPECT_EQ(back.PenStyle, penstyle::Solid);
        EXPECT_TRUE(back.Notes.isEmpty());
        EXPECT_EQ(back.MinX, before.MinX) << "shape " << i;
        EXPECT_EQ(back.MaxY, before.MaxY) << "shape " << i;
    }
    const auto* line = shapeAt<TSLine>(d.model, 0);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->X1, 452317.25);
    EXPECT_EQ(line->Y2, 0.0625);
    const auto* circle = shapeAt<TSCircle>(d.model, 1);
    ASSERT_NE(circle, nullptr);
    EXPECT_EQ(circle->Radius, 7.75);
    const auto* point = shapeAt<TSPoint>(d.model, 2);
    ASSERT_NE(point, nullptr);
    EXPECT_EQ(point->Value, -12.345678);
    EXPECT_EQ(point->PointSize, 3);
    const auto* text = shapeAt<TSText>(d.model, 3);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->Caption, "Depth 12.5 m");
    EXPECT_EQ(text->Text, "Depth 12.5 m") << "the caption is also the shape's text";
    EXPECT_EQ(text->TextHeight, 3.25);
    EXPECT_EQ(text->Rotation, 45.5);
    EXPECT_TRUE(text->Bold);
    EXPECT_TRUE(text->Italic);
    EXPECT_EQ(text->FontName, "Courier");
    EXPECT_EQ(text->FontIndex, 0);
    const auto* rectangle = shapeAt<TSRectangle>(d.model, 4);
    ASSERT_NE(rectangle, nullptr);
    EXPECT_EQ(rectangle->BrushFg, 0xABCDEF);
    EXPECT_EQ(rectangle->BrushStyle, brushstyle::Cross);
    EXPECT_EQ(rectangle->Value, 9.5);
    EXPECT_FALSE(rectangle->Rounded);
    for (std::size_t i : {5u, 6u}) {
        const auto* ellipse = shapeAt<TSEllipse>(d.model, i);
        ASSERT_NE(ellipse, nullptr);
        EXPECT_EQ(ellipse->ShapeType, ShapeKind::Ellipse) << "type 4 comes back as 20";
        EXPECT_EQ(ellipse->BrushStyle, brushstyle::Clear) << "only rectangles keep their brush";
    }
    for (std::size_t k = 0; k < 4; ++k) {
        const auto* p = shapeAt<TSPolyline>(d.model, 7 + k);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->ShapeType, polylineKinds[k]);
        EXPECT_EQ(p->Closed, polylineKinds[k] == ShapeKind::Polygon);
        ASSERT_EQ(p->Points.size(), 3u);
        EXPECT_EQ(p->Points[0].X, 4512345.678) << "to the millimetre and beyond";
        EXPECT_EQ(p->Points[2].Y, -4500100.5);
    }
}

TEST(NativeLayout, PenZeroKeepsTheLayerPenForLinesButNotForPoints) {
    Drawing d;
    ASSERT_TRUE(loadText(d, "LAYER Default\nLAYER red\n"));
    d.model.FindLayer(1)->PenFg = 0x0000FF;
    d.model.FindLayer(1)->PenWidth = 4;
    ASSERT_TRUE(loadText(d,
                         "LINE 0 0 10 10 1 0 3\n"
                         "CIRCLE 5 5 2 1 0 3\n"
                         "POINT 1 1 1 0 3\n"
                         "ELLIPSE 0 0 4 2 1 0 3\n"
                         "ARC 0 0 1 1 2 0 1 0 3\n"
                         "POLYLINE 1 0 0 3\n"
                         "LINE 0 0 10 10 1 255 3\n",
                         layoutAdd));
    ASSERT_EQ(d.model.Shapes.size(), 7u);
    const auto pen = [&](std::size_t i) {
        return std::pair(d.model.Shapes[i]->PenFg, d.model.Shapes[i]->PenWidth);
    };
    EXPECT_EQ(pen(0), std::pair(0x0000FF, 4)) << "the line keeps the red layer pen and its width";
    EXPECT_EQ(pen(1), std::pair(0x0000FF, 4));
    EXPECT_EQ(pen(2), std::pair(0, 3)) << "a point takes the record's pen even when it is 0";
    EXPECT_EQ(pen(3), std::pair(0, 1)) << "ellipse: base pen";
    EXPECT_EQ(pen(4), std::pair(0, 1));
    EXPECT_EQ(pen(5), std::pair(0, 1));
    EXPECT_EQ(pen(6), std::pair(255, 3));
    EXPECT_NE(shapeAt<TSArc>(d.model, 4), nullptr);
    EXPECT_EQ(d.model.Shapes[4]->ShapeType, ShapeKind::Curve);
}

TEST(NativeLayout, MissingTrailingFieldsTakeTheirDefaults) {
    Drawing d;
    ASSERT_TRUE(loadText(d, "LAYER Default\n"
                            "LINE 0 0 10 10 0\n"
                            "RECTANGLE 0 0 5 5 3 255 2\n"
                            "POINT 1 2 4\n"
                            "TEXT 1 2 0 0\n"
                            "TEXT 1 2 0 0 255 7.5\n"
                            "LINE 0 0 10 10 0 255 x 9\n"));
    ASSERT_EQ(d.model.Shapes.size(), 6u);
    EXPECT_EQ(d.model.Shapes[0]->PenFg, 0);
    EXPECT_EQ(d.model.Shapes[0]->PenWidth, 1);
    const auto* rectangle = shapeAt<TSRectangle>(d.model, 1);
    ASSERT_NE(rectangle, nullptr);
    EXPECT_EQ(rectangle->Layer, 3) << "built directly: the layer is not checked";
    EXPECT_EQ(rectangle->BrushFg, 0) << "solid black";
    EXPECT_EQ(rectangle->BrushStyle, brushstyle::Solid);
    EXPECT_EQ(rectangle->Value, 0.0);
    const auto* point = shapeAt<TSPoint>(d.model, 2);
    ASSERT_NE(point, nullptr);
    EXPECT_EQ(point->PenFg, 0);
    EXPECT_EQ(point->PenWidth, 1);
    EXPECT_EQ(point->Value, 0.0);
    const auto* bare = shapeAt<TSText>(d.model, 3);
    ASSERT_NE(bare, nullptr);
    EXPECT_EQ(bare->TextHeight, 10.0);
    EXPECT_EQ(bare->Rotation, 0.0);
    EXPECT_FALSE(bare->Bold);
    EXPECT_EQ(bare->FontName, "Arial") << "from font 0 through TextAdd";
    EXPECT_TRUE(bare->Caption.isEmpty());
    const auto* partial = shapeAt<TSText>(d.model, 4);
    ASSERT_NE(partial, nullptr);
    EXPECT_EQ(partial->PenFg, 255);
    EXPECT_EQ(partial->TextHeight, 7.5);
    EXPECT_EQ(d.model.Shapes[5]->PenFg, 255);
    EXPECT_EQ(d.model.Shapes[5]->PenWidth, 1) << "an unreadable field and all after it take defaults";
}

TEST(NativeLayout, UnreadableLeadingFieldsSkipTheRecord) {
    Drawing d;
    ASSERT_TRUE(loadText(d, "LINE 0 0 10\n"
                            "LINE nan 0 10 10 0\n"
                            "LINE 0 0 10 10 zero\n"
                            "CIRCLE inf 0 1 0\n"
                            "WORLD nan 1 2 3\n"
                            "TEXT 1 2 0\n"
                            "POLYGON 0\n"
                            "line 0 0 1 1 0\n"
                            "LINES 0 0 1 1 0\n"
                            "  LINE 0 0 1 1 0\n"));
    ASSERT_EQ(d.model.Shapes.size(), 1u) << "only the indented LINE is a record";
    EXPECT_EQ(d.view, ViewWindow{}) << "the unreadable WORLD is skipped";
}

TEST(NativeLayout, TextCaptionsAndFontNamesFollowTheWordRules) {
    Drawing d;
    const int layer = 0;
    const auto addText = [&](const char* caption, const char* font) {
        const ShapeId id = d.model.TextAdd(layer, caption, 1, 2, 0);
        static_cast<TSText*>(d.model.FindShape(id))->FontName = font;
    };
    addText("  two blanks", "Arial");
    addText("Line 7", "Times New Roman");
    addText("North arrow", "");
    addText("Depth 3.5 m", "0");
    const std::string text = buildLayoutText(d.model, d.view, savedAt);
    EXPECT_NE(text.find(" 0 0 Arial   two blanks\n"), std::string::npos);
    EXPECT_NE(text.find(" 0 0  North arrow\n"), std::string::npos) << "an empty font name: two blanks";

    Drawing back;
    ASSERT_TRUE(loadText(back, text));
    ASSERT_EQ(back.model.Shapes.size(), 4u);
    const auto caption = [&](std::size_t i) { return shapeAt<TSText>(back.model, i)->Caption.toStdString(); };
    const auto font = [&](std::size_t i) { return shapeAt<TSText>(back.model, i)->FontName.toStdString(); };
    EXPECT_EQ(caption(0), "  two blanks");
    EXPECT_EQ(font(0), "Arial");
    EXPECT_EQ(font(1), "Times");
    EXPECT_EQ(caption(1), "New Roman Line 7");
    EXPECT_EQ(font(2), "North");
    EXPECT_EQ(caption(2), "arrow");
    EXPECT_EQ(font(3), "Arial") << "the word 0 keeps the name TextAdd set";
    EXPECT_EQ(caption(3), "Depth 3.5 m");
}

TEST(NativeLayout, NamesAndCaptionsAreEightBitWindows1254) {
    Drawing d;
    d.model.LayerOpen("İskele ğ");
    d.model.TextAdd(0, "Şamandıra €", 0, 0, 0);
    d.model.TextAdd(0, "日本", 0, 0, 0);
    const std::string text = buildLayoutText(d.model, d.view, savedAt);
    EXPECT_NE(text.find("LAYER \xDD"
                        "skele \xF0\n"),
              std::string::npos);
    EXPECT_NE(text.find(" \xDE"
                        "amand\xFD"
                        "ra \x80\n"),
              std::string::npos);
    EXPECT_NE(text.find(" ??\n"), std::string::npos) << "characters the code page lacks are replaced";
    Drawing back;
    ASSERT_TRUE(loadText(back, text));
    EXPECT_EQ(back.model.FindLayer(1)->Name, "İskele ğ");
    EXPECT_EQ(shapeAt<TSText>(back.model, 0)->Caption, "Şamandıra €");
}

TEST(NativeLayout, LineBreaksInsideCaptionsCannotForgeRecords) {
    Drawing d;
    d.model.TextAdd(0, "first\nLINE 0 0 1000000 1000000 0", 0, 0, 0);
    d.model.LayerOpen("a\r\nb");
    Drawing back;
    ASSERT_TRUE(loadText(back, buildLayoutText(d.model, d.view, savedAt)));
    ASSERT_EQ(back.model.Shapes.size(), 1u);
    EXPECT_EQ(shapeAt<TSText>(back.model, 0)->Caption, "first LINE 0 0 1000000 1000000 0");
    EXPECT_EQ(back.model.FindLayer(1)->Name, "a  b");
}

TEST(NativeLayout, ReplaceModeRestoresLayerIndexesIncludingTheVesselLayer) {
    TempDir dir;
    Drawing saved;
    const int vessel = saved.model.LayerOpen("~~Selvir Vessel");
    const int fix = saved.model.LayerOpen("track_fix");
    saved.model.DrawPoint(5, 5, vessel);
    saved.model.DrawLine(0, 0, 1, 1, fix);
    ASSERT_TRUE(CadSave(saved.model, saved.view, dir / "day.gvx", ManualClock(savedAt)));

    Drawing d; // a drawing whose layers were made in another order
    d.model.LayerOpen("track_fix");
    d.model.LayerOpen("Selvir Grid");
    d.model.LayerOpen("~~Selvir Vessel");
    d.model.DrawLine(0, 0, 5, 5, 1);
    ASSERT_TRUE(CadLoad(d.model, d.view, dir / "day.gvx", layoutReplace));
    EXPECT_EQ(test::layerNames(d.model),
              (std::vector<std::string>{"0:Default", "1:~~Selvir Vessel", "2:track_fix"}));
    ASSERT_EQ(d.model.Shapes.size(), 2u);
    EXPECT_EQ(d.model.Shapes[0]->Layer, 1);
    EXPECT_EQ(d.model.Shapes[1]->Layer, 2);
    EXPECT_EQ(d.model.CurrentLayer(), 2) << "the last LAYER record is current";
    EXPECT_EQ(d.model.LayerCounter, 3);
}

struct HandWrittenLayersCase {
    const char* text;
    std::vector<std::string> layers; // index:name after the load
    std::vector<int> shapeLayers;    // in drawing order
    int current;
};

// Hand-written layouts: a shape's layer field counts the file's own LAYER records in file order,
// whether or not "Default" comes first or at all.
TEST(NativeLayout, ReplaceModeTakesLayerIndexesAsTheFileCountsThem) {
    const HandWrittenLayersCase cases[] = {
        {"LAYER Survey\nLAYER Default\nLAYER Coast\n"
         "LINE 0 0 1 1 0\nPOINT 5 5 2\nPOLYLINE 1 2 0 1\n0 0\n1 1\n",
         {"0:Survey", "1:Default", "2:Coast"},
         {0, 2, 1},
         2},
        {"LAYER Coast\nCIRCLE 0 0 5 0\nTEXT 1 1 0 0 0 10 0 0 0 Arial Pier\n",
         {"0:Coast", "1:Default"},
         {0, 0},
         0},
        {"POINT 1 1 0\n", {"0:Default"}, {0}, 0},
    };
    for (const HandWrittenLayersCase& c : cases) {
        Drawing d;
        d.model.LayerOpen("Coast"); // stale layers of the drawing being replaced
        d.model.LayerOpen("Survey");
        ASSERT_TRUE(loadText(d, c.text)) << c.text;
        EXPECT_EQ(test::layerNames(d.model), c.layers) << c.text;
        std::vector<int> shapeLayers;
        for (const auto& shape : d.model.Shapes) {
            shapeLayers.push_back(shape->Layer);
        }
        EXPECT_EQ(shapeLayers, c.shapeLayers) << c.text;
        EXPECT_EQ(d.model.CurrentLayer(), c.current) << c.text;
        EXPECT_EQ(d.model.LayerCounter, static_cast<int>(c.layers.size())) << c.text;
    }
}

TEST(NativeLayout, AddModeMergesLayersByNameAndKeepsTheDrawing) {
    TempDir dir;
    Drawing file;
    const int x = file.model.LayerOpen("x");
    const int fix = file.model.LayerOpen("track_fix");
    file.model.DrawLine(0, 0, 1, 1, fix);
    file.model.DrawPoint(2, 2, x);
    ASSERT_TRUE(CadSave(file.model, file.view, dir / "open.gvx", ManualClock(savedAt)));

    Drawing d;
    d.model.LayerOpen("track_fix");
    d.model.LayerOpen("other");
    d.model.DrawCircle(0, 0, 1, 2);
    d.view.WorldSet(1, 2, 3, 0);
    ASSERT_TRUE(CadLoad(d.model, d.view, dir / "open.gvx", layoutAdd));
    EXPECT_EQ(test::layerNames(d.model),
              (std::vector<std::string>{"0:Default", "1:track_fix", "2:other", "3:x"}))
        << "track_fix is reused, not made twice";
    ASSERT_EQ(d.model.Shapes.size(), 3u);
    EXPECT_EQ(d.model.Shapes[0]->ShapeType, ShapeKind::Circle);
    EXPECT_EQ(d.model.Shapes[1]->Id, 2) << "ids continue";
    // Each shape lands on the layer of its saved layer's name, whatever index that layer has here.
    EXPECT_EQ(d.model.Shapes[1]->Layer, 1) << "the line of track_fix on this drawing's track_fix";
    EXPECT_EQ(d.model.Shapes[2]->Layer, 3) << "the point of x on the layer x made for it";
    EXPECT_EQ(d.view, file.view) << "the file's world window";
}

TEST(NativeLayout, ArcsAreReadButNeverWritten) {
    Drawing d;
    ASSERT_TRUE(loadText(d, "ARC 0 0 5 5 10 0 0 255 2\n"));
    ASSERT_EQ(d.model.Shapes.size(), 1u);
    const auto* arc = shapeAt<TSArc>(d.model, 0);
    ASSERT_NE(arc, nullptr);
    EXPECT_EQ(arc->X3, 10);
    EXPECT_EQ(arc->PenFg, 255);
    const std::string text = buildLayoutText(d.model, d.view, savedAt);
    EXPECT_EQ(text.find("ARC"), std::string::npos);
}

TEST(NativeLayout, PointLinesAreConsumedWhateverTheyHold) {
    Drawing d;
    ASSERT_TRUE(loadText(d, "POLYLINE 0 4 0 1\n"
                            "1 2\n"
                            "# a comment\n"
                            "\n"
                            "LINE 0 0 1 1 0\n"
                            "LINE 0 0 2 2 0\n"));
    ASSERT_EQ(d.model.Shapes.size(), 2u);
    const auto* p = shapeAt<TSPolyline>(d.model, 0);
    ASSERT_NE(p, nullptr);
    ASSERT_EQ(p->Points.size(), 1u) << "unreadable point lines give no vertex";
    EXPECT_NE(shapeAt<TSLine>(d.model, 1), nullptr);
}

TEST(NativeLayout, PolylineCountsBeyondTheTextTakeTheVerticesThereAre) {
    for (const char* count : {"3", "2147483647", "4294967295", "99999999999999999", "-5"}) {
        Drawing d;
        const std::string header = std::string("POLYGON 0 ") + count + " 255 1\n";
        ASSERT_TRUE(loadText(d, "LINE 0 0 1 1 0\n" + header + "1 2\n3 4\n")) << count;
        const bool negative = count[0] == '-';
        ASSERT_EQ(d.model.Shapes.size(), 2u) << count;
        const auto* p = shapeAt<TSPolyline>(d.model, 1);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->Points.size(), negative ? 0u : 2u) << count;
        EXPECT_LE(p->Points.capacity(), 2u) << "nothing reserved from the count";
    }
}

TEST(NativeLayout, VerticesThatAreNotFiniteNumbersAreDropped) {
    Drawing d;
    ASSERT_TRUE(loadText(d, "POLYLINE 0 3 0 1\n1e308 2\n1 nan\n5 6\nPOINT 1e308 -1e308 0\n"));
    ASSERT_EQ(d.model.Shapes.size(), 2u);
    ASSERT_EQ(shapeAt<TSPolyline>(d.model, 0)->Points.size(), 2u);
    EXPECT_EQ(shapeAt<TSPolyline>(d.model, 0)->Points[0].X, 1e308);
    EXPECT_EQ(shapeAt<TSPoint>(d.model, 1)->X, 1e308) << "finite doubles are kept";
}

TEST(NativeLayout, BadFilesLeaveTheDrawingAndViewUnchanged) {
    TempDir dir;
    const Drawing saved = exampleDrawing();
    ASSERT_TRUE(CadSave(saved.model, saved.view, dir / "good.gvx", ManualClock(savedAt)));
    const std::string good = readBytes(dir / "good.gvx");
    std::string flipped = good;
    flipped[flipped.size() / 2] ^= 0x55;
    // A wrong checksum is found once the whole text is read: the failure names its last line.
    std::string badTrailer = good;
    badTrailer.back() ^= 0x01;
    const std::string text = *layoutTextFromBytes(good);
    const std::string lastLine = std::to_string(std::count(text.begin(), text.end(), '\n'));
    const std::string corrupt = "compressed data corrupt (zlib: ";
    const std::vector<std::array<std::string, 3>> cases = {
        {"truncated", good.substr(0, good.size() - 10), "compressed data ends early"},
        {"flipped", flipped, corrupt},
        {"adler", badTrailer, "after line " + lastLine + ": " + corrupt + "incorrect data check)"},
        {"magic only", "GVX1", "at its start: compressed data ends early"},
        // " t" passes the header check (0x2074 is a multiple of 31) but names no deflate method.
        {"garbage stream", "GVX1 this is not zlib",
         "at its start: " + corrupt + "unknown compression method)"},
    };
    for (const auto& [name, bytes, reason] : cases) {
        Drawing d;
        d.model.LayerOpen("kept");
        d.model.DrawLine(0, 0, 1, 1, 1);
        d.view.WorldSet(-5, 5, 5, -5);
        const ViewWindow view = d.view;
        writeBytes(dir / "bad.gvx", bytes);
        for (int mode : {layoutReplace, layoutAdd}) {
            const std::string error = CadLoad(d.model, d.view, dir / "bad.gvx", mode).error;
            EXPECT_NE(error.find((dir / "bad.gvx").string() + ": "), std::string::npos) << name;
            EXPECT_NE(error.find(reason), std::string::npos) << name << ": " << error;
            EXPECT_EQ(d.model.Shapes.size(), 1u) << name;
            EXPECT_EQ(d.model.Layers.size(), 2u) << name;
            EXPECT_EQ(d.view, view) << name;
        }
    }
    Drawing d;
    EXPECT_EQ(CadLoad(d.model, d.view, dir / "missing.gvx", layoutReplace).error,
              (dir / "missing.gvx").string() + ": No such file or directory");
    EXPECT_EQ(CadLoad(d.model, d.view, dir.path(), layoutReplace).error,
              dir.path().string() + ": not a regular file");
    EXPECT_EQ(d.model.Layers.size(), 1u);
}

TEST(NativeLayout, ShortFilesAndRandomBytesAreReadAsText) {
    Drawing d;
    EXPECT_TRUE(loadText(d, "")) << "an empty file is an empty plain layout";
    EXPECT_TRUE(loadText(d, "GVX"));
    std::string noise;
    for (int i = 0; i < 20000; ++i) {
        noise += static_cast<char>((i * 7919 + i / 13) & 0xFF);
    }
    EXPECT_TRUE(loadText(d, noise));
    EXPECT_TRUE(loadText(d, "LAYER " + std::string(1 << 20, 'n') + "\nLINE 0 0 1 1 1\n" +
                                std::string(1 << 20, '7') + "\n"));
    EXPECT_EQ(d.model.Shapes.size(), 1u);
}

// Vertices are written by a fast path of their own; it must give formatFixed's text for every value:
// the floats of layouts written in single precision, any double, grid coordinates and near-ties.
TEST(NativeLayout, VertexRealsAreFormatFixedOfEveryValue) {
    std::mt19937_64 random(20260305);
    std::vector<double> values = {0.0,
                                  -0.0,
                                  0.5,
                                  -0.5,
                                  4512345.5,
                                  1e-7,
                                  -4e-7,
                                  5e-7,
                                  1.5e-6,
                                  2.5e-6,
                                  8388607.5,
                                  16777216.0,
                                  3e9,
                                  9.2e12,
                                  1e20,
                                  -3.4e38,
                                  4512345.678,
                                  8796093.0222075,
                                  8796093.0222085,
                                  -0.0000005};
    std::uniform_real_distribution<double> grid(-1e7, 1e7);
    for (int i = 0; i < 100000; ++i) {
        const std::uint32_t floatBits = static_cast<std::uint32_t>(random());
        float f = 0.0f;
        std::memcpy(&f, &floatBits, sizeof f);
        if (std::isfinite(f)) {
            values.push_back(f);
        }
        const std::uint64_t doubleBits = random();
        double d = 0.0;
        std::memcpy(&d, &doubleBits, sizeof d);
        if (std::isfinite(d)) {
            values.push_back(d);
        }
        values.push_back(grid(random));
        values.push_back((static_cast<double>(random() % 10000000000000ull) + 0.5) / 1e6); // decimal ties
    }
    CanvasModel model;
    auto p = std::make_unique<TSPolyline>();
    for (std::size_t i = 0; i + 1 < values.size(); i += 2) {
        p->Points.push_back({values[i], values[i + 1]});
    }
    p->Id = model.TakeNextId();
    model.AppendShape(std::move(p));
    const auto lines = splitLines(buildLayoutText(model, ViewWindow{}, savedAt));
    ASSERT_EQ(lines.size(), 7 + values.size() / 2);
    for (std::size_t i = 0; i + 1 < values.size(); i += 2) {
        const std::string expected = formatFixed(values[i], 6) + " " + formatFixed(values[i + 1], 6);
        ASSERT_EQ(lines[7 + i / 2], expected) << values[i] << " " << values[i + 1];
    }
}

// Plain decimals are read by a fast path of their own; it must agree with from_chars.
TEST(NativeLayout, PlainDecimalsReadAsFromChars) {
    std::mt19937_64 random(7);
    for (int i = 0; i < 300000; ++i) {
        const int digits = 1 + static_cast<int>(random() % 15);
        std::string text = random() % 3 == 0 ? "-" : "";
        for (int d = 0; d < digits; ++d) {
            text += static_cast<char>('0' + random() % 10);
        }
        text.insert(text.size() - random() % (digits + 1), ".");
        if (text == "." || text == "-.") {
            continue;
        }
        double fast = 0.0;
        const char* p = text.data();
        ASSERT_TRUE(textnum::plainDecimalPrefix(p, text.data() + text.size(), fast)) << text;
        EXPECT_EQ(p, text.data() + text.size());
        double slow = 0.0;
        std::from_chars(text.data(), text.data() + text.size(), slow);
        ASSERT_EQ(fast, slow) << text;
        ASSERT_EQ(std::signbit(fast), std::signbit(slow)) << text;
    }
    for (const char* other : {"1e5", "1.5E-3", "1234567890123456", "1.2.3", ".", "-", "+", "nan", ""}) {
        double v = 0.0;
        const char* p = other;
        EXPECT_FALSE(textnum::plainDecimalPrefix(p, other + std::strlen(other), v)) << other;
    }
}

TEST(NativeLayout, CorruptStreamUndoesWhatWasBuiltFromIt) {
    // A long layout whose stream breaks near its end: most records were already read.
    Drawing big;
    big.model.LayerOpen("new layer");
    for (int i = 0; i < 3000; ++i) {
        big.model.DrawLine(i, 0, i, 10, 1);
    }
    big.view.WorldSet(-1, 2, 3, -4);
    std::string bytes = *compressLayoutText(buildLayoutText(big.model, big.view, savedAt));
    bytes[bytes.size() - 6] ^= 0x20;
    for (int mode : {layoutReplace, layoutAdd}) {
        Drawing d;
        const int kept = d.model.LayerOpen("kept");
        const ShapeId id = d.model.DrawCircle(1, 1, 1, kept);
        d.model.ShapeSelect(id, false);
        const TSShape* before = d.model.Shapes[0].get();
        EXPECT_TRUE(loadLayoutBytes(d.model, d.view, bytes, mode).error.starts_with("after line "))
            << "bytes in memory name no file";
        ASSERT_EQ(d.model.Shapes.size(), 1u);
        EXPECT_EQ(d.model.Shapes[0].get(), before) << "the very same shape";
        EXPECT_EQ(d.model.Selection, std::vector<ShapeId>{id});
        EXPECT_EQ(test::layerNames(d.model), (std::vector<std::string>{"0:Default", "1:kept"}));
        EXPECT_EQ(d.model.CurrentLayer(), kept);
        EXPECT_EQ(d.model.LayerCounter, 2);
        EXPECT_EQ(d.model.DrawPoint(0, 0, 0), id + 1) << "the id counter is back too";
        EXPECT_EQ(d.view, ViewWindow{});
    }
}

TEST(NativeLayout, InflateStopsAtItsLimit) {
    const std::string zeros(1 << 20, '\0');
    std::string stream;
    ASSERT_TRUE(zlibCompress(zeros, 6, stream));
    std::string out;
    EXPECT_FALSE(zlibInflate(stream, 64 << 10, out)) << "a bomb cannot take the memory";
    EXPECT_TRUE(out.empty());
    ASSERT_TRUE(zlibInflate(stream, 1 << 20, out));
    EXPECT_EQ(out, zeros);
}

// Writing fails part-way, as on a full disk: the file size limit stops the write of the new layout.
TEST(NativeLayout, FailedSaveLeavesThePreviousLayoutIntact) {
    TempDir dir;
    const auto file = dir / "2026-03-05 0905.gvx";
    Drawing small = exampleDrawing();
    ASSERT_TRUE(CadSave(small.model, small.view, file, ManualClock(savedAt)));
    const std::string before = readBytes(file);

    Drawing big;
    std::vector<std::pair<double, double>> track;
    for (int i = 0; i < 20000; ++i) {
        track.emplace_back(450000.0 + i * 0.37, 4500000.0 + (i * 7919 % 1000) * 0.11);
    }
    big.model.DrawPolyline(track, 0, false);

    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = old;
    limited.rlim_cur = before.size() + 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const LayoutFileResult saved = CadSave(big.model, big.view, file, ManualClock(savedAt));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_TRUE(saved.error.starts_with(file.string() + ": Cannot write ")) << saved.error;
    EXPECT_TRUE(saved.error.ends_with(": File too large")) << saved.error;
    EXPECT_EQ(readBytes(file), before);
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        ++files;
    }
    EXPECT_EQ(files, 1u) << "no temporary file is left behind";
    EXPECT_FALSE(CadSave(big.model, big.view, dir / "no such folder" / "x.gvx", ManualClock(savedAt)));
}

} // namespace
} // namespace selvir
