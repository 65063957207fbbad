// DXF import: the four passes, each entity kind with its groups and defaults, colour rules, blocks and
// INSERT transforms, MTEXT codes, the report, bad input, and every real drawing of the test data
// against ezdxf's count.
#include "layoutfiles/DxfImport.h"

#include "LayoutTestSupport.h"
#include "layoutfiles/LayoutFiles.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <map>

namespace selvir {
namespace {

using test::Drawing;
using test::shapeAt;

using Pairs = std::vector<std::pair<std::string, std::string>>;

std::string text(const Pairs& pairs, const char* lineEnd = "\n") {
    std::string out;
    for (const auto& [code, value] : pairs) {
        out += code + lineEnd + value + lineEnd;
    }
    return out;
}

Pairs section(const std::string& name, const Pairs& body) {
    Pairs out = {{"0", "SECTION"}, {"2", name}};
    out.insert(out.end(), body.begin(), body.end());
    out.push_back({"0", "ENDSEC"});
    return out;
}

std::string entities(const Pairs& body) {
    return text(section("ENTITIES", body)) + "0\nEOF\n";
}

bool import(Drawing& d, const std::string& bytes, DxfLoadReport* report = nullptr) {
    MemoryByteSource source(bytes);
    return importDxf(d.model, d.view, headlessClientSize, source, report).ok;
}

const TSPolyline& onlyPolyline(const Drawing& d) {
    EXPECT_EQ(d.model.Shapes.size(), 1u);
    static const TSPolyline none;
    const auto* p = shapeAt<TSPolyline>(d.model, 0);
    return p ? *p : none;
}

constexpr double pi = 3.141592653589793;

TEST(DxfImport, FileWithoutEntitiesChangesNothing) {
    Drawing d;
    d.model.DrawLine(0, 0, 1, 1, 0);
    d.view.WorldSet(1, 2, 3, 0);
    const ViewWindow view = d.view;
    DxfLoadReport report;
    const std::string headerOnly =
        text(section("HEADER", {{"9", "$ACADVER"}, {"1", "AC1009"}})) +
        text(section("TABLES",
                     {{"0", "TABLE"}, {"2", "LAYER"}, {"0", "LAYER"}, {"2", "NEW"}, {"0", "ENDTAB"}})) +
        "0\nEOF\n";
    MemoryByteSource source(headerOnly);
    EXPECT_EQ(importDxf(d.model, d.view, headlessClientSize, source, &report).error,
              "ENTITIES section not found");
    EXPECT_EQ(report.lines, std::vector<std::string>{"DXF load failed: ENTITIES section not found"});
    EXPECT_EQ(d.model.Shapes.size(), 1u);
    EXPECT_EQ(d.model.Layers.size(), 1u) << "the layer table is not read";
    EXPECT_EQ(d.view, view);
}

TEST(DxfImport, ArcsBecomeOpenPolylinesOf21Points) {
    Drawing d;
    ASSERT_TRUE(import(
        d, entities({{"0", "ARC"}, {"10", "100"}, {"20", "50"}, {"40", "10"}, {"50", "350"}, {"51", "10"}})));
    const TSPolyline& p = onlyPolyline(d);
    EXPECT_EQ(p.ShapeType, ShapeKind::Polyline);
    EXPECT_FALSE(p.Closed);
    ASSERT_EQ(p.Points.size(), 21u);
    EXPECT_NEAR(p.Points[0].X, 100 + 10 * std::cos(350 * pi / 180), 1e-4);
    EXPECT_NEAR(p.Points[0].Y, 50 + 10 * std::sin(350 * pi / 180), 1e-4);
    EXPECT_NEAR(p.Points[10].X, 110, 1e-4) << "the sweep of 20 degrees passes through 0";
    EXPECT_NEAR(p.Points[10].Y, 50, 1e-4);
    EXPECT_NEAR(p.Points[20].Y, 50 + 10 * std::sin(10 * pi / 180), 1e-4);

    Drawing full;
    ASSERT_TRUE(import(full, entities({{"0", "ARC"}, {"40", "2"}})));
    const TSPolyline& circle = onlyPolyline(full);
    ASSERT_EQ(circle.Points.size(), 21u);
    EXPECT_NEAR(circle.Points[0].X, circle.Points[20].X, 1e-5) << "no group 51: a full turn";
    EXPECT_NEAR(circle.Points[0].Y, circle.Points[20].Y, 1e-5);
    EXPECT_NEAR(circle.Points[5].Y, 2, 1e-5);
}

TEST(DxfImport, EllipsesBecomePolylinesOf37Points) {
    Drawing d;
    // Centre (10, 20), major axis end 5 up from it, minor axis half as long.
    ASSERT_TRUE(import(d, entities({{"0", "ELLIPSE"},
                                    {"10", "10"},
                                    {"20", "20"},
                                    {"11", "0"},
                                    {"21", "5"},
                                    {"40", "0.5"},
                                    {"41", "0"},
                                    {"42", "6.283185307179586"}})));
    const TSPolyline& p = onlyPolyline(d);
    EXPECT_EQ(p.ShapeType, ShapeKind::Polygon);
    EXPECT_TRUE(p.Closed);
    ASSERT_EQ(p.Points.size(), 37u);
    EXPECT_NEAR(p.Points[0].X, 10, 1e-5);
    EXPECT_NEAR(p.Points[0].Y, 25, 1e-5);
    EXPECT_NEAR(p.Points[9].X, 7.5, 1e-5) << "a quarter on: the minor axis end";
    EXPECT_NEAR(p.Points[9].Y, 20, 1e-5);

    Drawing half;
    ASSERT_TRUE(
        import(half, entities({{"0", "ELLIPSE"}, {"11", "4"}, {"21", "0"}, {"42", "3.141592653589793"}})));
    const TSPolyline& h = onlyPolyline(half);
    EXPECT_EQ(h.ShapeType, ShapeKind::Polyline);
    ASSERT_EQ(h.Points.size(), 37u);
    EXPECT_NEAR(h.Points[36].X, -4, 1e-5) << "ratio 1 by default";
    EXPECT_NEAR(h.Points[18].Y, 4, 1e-5);
}

TEST(DxfImport, SolidsAreClosedPolylinesInCornerOrder124Then3) {
    Drawing d;
    const Pairs triangle = {{"0", "SOLID"}, {"10", "0"}, {"20", "0"}, {"11", "4"}, {"21", "0"},
                            {"12", "2"},    {"22", "3"}, {"13", "2"}, {"23", "3"}};
    const Pairs quad = {{"0", "TRACE"}, {"10", "0"}, {"20", "0"}, {"11", "4"}, {"21", "0"},
                        {"12", "0"},    {"22", "3"}, {"13", "4"}, {"23", "3"}};
    Pairs both = triangle;
    both.insert(both.end(), quad.begin(), quad.end());
    ASSERT_TRUE(import(d, entities(both)));
    ASSERT_EQ(d.model.Shapes.size(), 2u);
    const auto* t = shapeAt<TSPolyline>(d.model, 0);
    const auto* q = shapeAt<TSPolyline>(d.model, 1);
    ASSERT_TRUE(t && q);
    EXPECT_TRUE(t->Closed);
    ASSERT_EQ(t->Points.size(), 3u);
    ASSERT_EQ(q->Points.size(), 4u);
    EXPECT_EQ(q->Points[2].X, 4.0f) << "corner 4 before corner 3";
    EXPECT_EQ(q->Points[3].X, 0.0f);
    EXPECT_EQ(q->Points[3].Y, 3.0f);
}

TEST(DxfImport, PolylinesNeedTwoVertices) {
    Drawing d;
    ASSERT_TRUE(import(d, entities({
                              {"0", "LWPOLYLINE"}, {"10", "1"},     {"20", "2"}, // one vertex
                              {"0", "LWPOLYLINE"}, {"70", "1"},     {"10", "1"},     {"20", "2"}, //
                              {"42", "0.5"},       {"10", "3"},     {"20", "4"},     {"10", "5"}, //
                              {"20", "6"},                                                        //
                              {"0", "SPLINE"},     {"10", "1"},     {"20", "1"},                  // one point
                              {"0", "SPLINE"},     {"70", "8"},     {"10", "0"},     {"20", "0"}, //
                              {"11", "9"},         {"21", "9"},     {"10", "1"},     {"20", "1"}, //
                              {"0", "POLYLINE"},   {"66", "1"},     {"70", "1"},     {"10", "0"}, //
                              {"20", "0"},         {"0", "VERTEX"}, {"10", "7"},     {"20", "8"}, //
                              {"0", "VERTEX"},     {"20", "9"},     {"0", "VERTEX"}, {"10", "1"}, //
                              {"20", "1"},         {"0", "SEQEND"},                               //
                              {"0", "POLYLINE"},   {"0", "VERTEX"}, {"0", "SEQEND"}, // one vertex
                          })));
    ASSERT_EQ(d.model.Shapes.size(), 3u);
    const auto* lw = shapeAt<TSPolyline>(d.model, 0);
    ASSERT_NE(lw, nullptr);
    EXPECT_EQ(lw->ShapeType, ShapeKind::Polygon) << "bit 1 of group 70";
    ASSERT_EQ(lw->Points.size(), 3u) << "bulges are ignored";
    EXPECT_EQ(lw->Points[2].Y, 6.0f);
    const auto* spline = shapeAt<TSPolyline>(d.model, 1);
    ASSERT_NE(spline, nullptr);
    EXPECT_EQ(spline->ShapeType, ShapeKind::Polyline) << "flag 8 is not closed; never type 8";
    ASSERT_EQ(spline->Points.size(), 2u) << "fit points (11, 21) are not vertices";
    const auto* poly = shapeAt<TSPolyline>(d.model, 2);
    ASSERT_NE(poly, nullptr);
    EXPECT_TRUE(poly->Closed);
    ASSERT_EQ(poly->Points.size(), 3u) << "the POLYLINE's own point is not a vertex";
    EXPECT_EQ(poly->Points[0].X, 7.0f);
    EXPECT_EQ(poly->Points[1].X, 0.0f) << "a missing coordinate is 0";
    EXPECT_EQ(poly->Points[1].Y, 9.0f);
}

TEST(DxfImport, LayersColoursAndPens) {
    Drawing d;
    const int existing = d.model.LayerOpen("thick");
    d.model.FindLayer(existing)->PenWidth = 3;
    const std::string file =
        text(section("TABLES", {{"0", "TABLE"},
                                {"2", "LAYER"},
                                {"70", "3"},
                                {"0", "LAYER"},
                                {"2", "red"},
                                {"70", "0"},
                                {"62", "1"},
                                {"0", "LAYER"},
                                {"2", "plain"},
                                {"0", "LAYER"},
                                {"2", "off"},
                                {"62", "-5"},
                                {"0", "LAYER"},
                                {"2", ""},
                                {"62", "3"},
                                {"0", "ENDTAB"}})) +
        entities({{"0", "LINE"},     {"8", "red"},        {"62", "256"},  {"0", "LINE"},  {"8", "red"},
                  {"62", "3"},       {"0", "CIRCLE"},     {"8", "plain"}, {"40", "1"},    {"0", "LINE"},
                  {"8", "off"},      {"62", "0"},         {"0", "LINE"},  {"62", "100"},  {"0", "POINT"},
                  {"8", "red"},      {"62", "5"},         {"0", "TEXT"},  {"8", "red"},   {"62", "5"},
                  {"1", "T"},        {"0", "LWPOLYLINE"}, {"8", "thick"}, {"10", "0"},    {"20", "0"},
                  {"10", "1"},       {"20", "1"},         {"0", "LINE"},  {"8", "thick"}, {"0", "LINE"},
                  {"8", "new layer"}});
    ASSERT_TRUE(import(d, file));
    EXPECT_EQ(test::layerNames(d.model), (std::vector<std::string>{"0:Default", "1:thick", "2:red", "3:plain",
                                                                   "4:off", "5:0", "6:new layer"}))
        << "table layers first, then the entities' layers as met; an empty name makes none";
    EXPECT_EQ(d.model.CurrentLayer(), 6);
    EXPECT_EQ(d.model.FindLayer(2)->PenFg, 0x0000FF);
    EXPECT_EQ(d.model.FindLayer(3)->PenFg, 0xFFFFFF) << "no group 62: white";
    EXPECT_EQ(d.model.FindLayer(4)->PenFg, 0) << "a negative index maps to no colour";
    const auto pen = [&](std::size_t i) { return d.model.Shapes[i]->PenFg; };
    EXPECT_EQ(pen(0), 0x0000FF) << "by layer: the red layer";
    EXPECT_EQ(pen(1), 0x00FF00) << "index 3 is green";
    EXPECT_EQ(pen(2), 0xFFFFFF);
    EXPECT_EQ(pen(3), 0) << "by block: the layer's pen";
    EXPECT_EQ(pen(4), makeColor(1700 % 256, 3700 % 256, 5300 % 256));
    EXPECT_EQ(pen(5), 0x0000FF) << "a point takes its layer's pen, group 62 is not read";
    EXPECT_EQ(pen(6), 0x0000FF) << "so does a text";
    EXPECT_EQ(d.model.Shapes[7]->PenWidth, 1) << "polylines keep width 1";
    EXPECT_EQ(d.model.Shapes[8]->PenWidth, 3) << "lines take the layer's width";
    EXPECT_EQ(d.model.Shapes[3]->Layer, 4);
}

TEST(DxfImport, ColourIndexMap) {
    EXPECT_FALSE(dxfColor(0));
    EXPECT_FALSE(dxfColor(256));
    EXPECT_FALSE(dxfColor(-1));
    EXPECT_FALSE(dxfColor(257));
    const std::map<int, TColor> named = {{1, 0x0000FF}, {2, 0x00FFFF}, {3, 0x00FF00},
                                         {4, 0xFFFF00}, {5, 0xFF0000}, {6, 0xFF00FF},
                                         {7, 0xFFFFFF}, {8, 0x808080}, {9, 0xC0C0C0}};
    for (const auto& [index, color] : named) {
        EXPECT_EQ(dxfColor(index), color) << index;
    }
    EXPECT_EQ(dxfColor(10), makeColor(170, 114, 18));
    EXPECT_EQ(dxfColor(255), makeColor(255 * 17 % 256, 255 * 37 % 256, 255 * 53 % 256));
}

TEST(DxfImport, TextsAndMtextFormatting) {
    Drawing d;
    ASSERT_TRUE(import(d, entities({
                              {"0", "TEXT"},
                              {"10", "5"},
                              {"20", "6"},
                              {"40", "0.05"},
                              {"50", "30"},
                              {"1", "first"},
                              {"1", "\\fArial|b1;Hello"}, //
                              {"0", "MTEXT"},
                              {"40", "3.5"},
                              {"1", "a\\\\b \\%%c {x}"}, //
                              {"0", "MTEXT"},
                              {"1", "\\A1;\\H2.5x;Big\\Pnext line"}, //
                              {"0", "TEXT"},
                              {"1", "\xC3\x98 5 m"}, //
                              {"0", "TEXT"},
                              {"1", "\xDE"
                                    "amand\xFD"
                                    "ra"}, //
                              {"0", "TEXT"},
                              {"1", ""}, //
                              {"0", "MTEXT"},
                              {"3", "continued"}, //
                          })));
    ASSERT_EQ(d.model.Shapes.size(), 5u) << "texts without group 1 make nothing";
    const auto* t = shapeAt<TSText>(d.model, 0);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->Caption, "Hello") << "the last group 1 counts";
    EXPECT_EQ(t->Text, "Hello");
    EXPECT_EQ(t->X, 5);
    EXPECT_EQ(t->Y, 6);
    EXPECT_EQ(t->TextHeight, 2.5);
    EXPECT_EQ(t->Rotation, 30);
    EXPECT_EQ(t->FontIndex, -1);
    EXPECT_EQ(t->FontName, "Arial");
    EXPECT_EQ(t->HAlign, 0);
    EXPECT_EQ(t->VAlign, 2);
    EXPECT_FALSE(t->Bold);
    EXPECT_EQ(shapeAt<TSText>(d.model, 1)->Caption, "a\\b \\%%c {x}");
    EXPECT_EQ(shapeAt<TSText>(d.model, 1)->TextHeight, 3.5);
    EXPECT_EQ(shapeAt<TSText>(d.model, 2)->Caption, "Big next line") << "a paragraph break is a blank";
    EXPECT_EQ(shapeAt<TSText>(d.model, 3)->Caption, "Ø 5 m");
    EXPECT_EQ(shapeAt<TSText>(d.model, 4)->Caption, "Şamandıra") << "not UTF-8: the 8-bit code page";
}

TEST(DxfImport, MtextCodes) {
    const std::pair<const char*, const char*> cases[] = {
        {"\\fArial|b1;Hello", "Hello"},
        {"C:\\\\data", "C:\\data"},
        {"50\\%", "50\\%"},
        {"{\\C1;red} rest", "{red} rest"},
        {"\\S1/2 half", "half"}, // up to the blank
        {"tail\\W0.8", "tail"},  // a code running to the end
        {"end\\", "end\\"},
        {"\\U+00B0", "\\U+00B0"},
        // Paragraph breaks become blanks: captions are one line.
        {"First line\\PSecond line", "First line Second line"},
        {"a\\P\\Pb\\P", "a  b "},
        {"\\A1;DOOR\\PW/ HINGES", "DOOR W/ HINGES"},
        // Underline, overline and strike-through toggles take no argument.
        {"\\Lunder\\l line", "under line"},
        {"\\Oover\\o and \\Kstruck\\k out", "over and struck out"},
        {"\\L\\C3;green", "green"},
    };
    for (const auto& [raw, plain] : cases) {
        EXPECT_EQ(stripMtextFormatting(raw), plain) << raw;
    }
}

// Multi-line MTEXT of real drawings reads as ezdxf's plain text with every line break a blank.
TEST(DxfImport, SharedMtextParagraphsMatchEzdxfPlainText) {
    for (const char* name : {"bjnortier_floorplan.dxf", "bjnortier_Ceco.NET-Architecture-Tm-53.dxf"}) {
        const std::string file = std::string(SELVIR_TEST_DATA_DIR "/dxf/") + name;
        ASSERT_TRUE(std::filesystem::exists(file)) << "test data missing: " << file;
        const auto oracle = test::runDxfOracle({"paragraphs", file});
        if (!oracle) {
            SELVIR_ORACLE_MISSING(test::kEzdxfMissing);
        }
        const std::vector<std::string> expected = test::splitLines(*oracle);
        ASSERT_FALSE(expected.empty()) << name << " has multi-line texts";
        Drawing d;
        ASSERT_TRUE(DXFLoad(d.model, d.view, headlessClientSize, file)) << name;
        std::vector<std::string> captions;
        for (const auto& shape : d.model.Shapes) {
            if (const auto* label = dynamic_cast<const TSText*>(shape.get())) {
                captions.push_back(label->Caption.toStdString());
            }
        }
        for (const std::string& plain : expected) {
            EXPECT_NE(std::find(captions.begin(), captions.end(), plain), captions.end())
                << name << ": " << plain;
        }
    }
}

Pairs blockSection() {
    return section("BLOCKS",
                   {{"0", "BLOCK"},  {"8", "0"},      {"2", "TICK"},   {"10", "0"},   {"20", "0"},
                    {"0", "LINE"},   {"10", "0"},     {"20", "0"},     {"11", "1"},   {"21", "0"},
                    {"0", "CIRCLE"}, {"40", "1"},     {"0", "INSERT"}, {"2", "TICK"}, {"0", "ENDBLK"},
                    {"0", "BLOCK"},  {"2", "OFFSET"}, {"10", "5"},     {"20", "5"},   {"0", "LINE"},
                    {"10", "5"},     {"20", "5"},     {"11", "6"},     {"21", "5"},   {"0", "LINE"},
                    {"10", "5"},     {"20", "5"},     {"11", "5"},     {"21", "6"},   {"0", "ENDBLK"}});
}

TEST(DxfImport, InsertsCopyTheBlockLinesScaledRotatedAndMoved) {
    Drawing d;
    const std::string file = text(blockSection()) + entities({{"0", "INSERT"},
                                                              {"2", "TICK"},
                                                              {"8", "marks"},
                                                              {"10", "10"},
                                                              {"20", "10"},
                                                              {"41", "2"},
                                                              {"42", "2"},
                                                              {"50", "90"},
                                                              {"0", "INSERT"},
                                                              {"2", "OFFSET"},
                                                              {"10", "100"},
                                                              {"20", "0"},
                                                              {"62", "1"},
                                                              {"42", "3"},
                                                              {"0", "INSERT"},
                                                              {"2", "tick"}});
    DxfLoadReport report;
    ASSERT_TRUE(import(d, file, &report));
    ASSERT_EQ(d.model.Blocks.size(), 2u);
    EXPECT_EQ(d.model.Blocks[0]->Shapes.size(), 1u) << "only lines are kept in blocks";
    ASSERT_EQ(d.model.Shapes.size(), 3u) << "block names match case-sensitively";
    EXPECT_EQ(report.entities, 3);
    const auto* tick = shapeAt<TSLine>(d.model, 0);
    ASSERT_NE(tick, nullptr);
    EXPECT_NEAR(tick->X1, 10, 1e-12);
    EXPECT_NEAR(tick->Y1, 10, 1e-12);
    EXPECT_NEAR(tick->X2, 10, 1e-12);
    EXPECT_NEAR(tick->Y2, 12, 1e-12);
    EXPECT_EQ(tick->PenFg, 0) << "the block line's own colour";
    EXPECT_EQ(tick->PenWidth, 1);
    EXPECT_EQ(d.model.FindLayer(tick->Layer)->Name, "marks");
    const auto* across = shapeAt<TSLine>(d.model, 1);
    const auto* up = shapeAt<TSLine>(d.model, 2);
    ASSERT_TRUE(across && up);
    EXPECT_EQ(across->PenFg, 0x0000FF);
    EXPECT_EQ(across->X1, 100) << "relative to the base point";
    EXPECT_EQ(across->X2, 101) << "sx stays 1 when only 42 is given";
    EXPECT_EQ(up->Y2, 3);
}

TEST(DxfImport, ImportingTwiceDoublesShapesAndBlocks) {
    Drawing d;
    const std::string file =
        text(blockSection()) + entities({{"0", "INSERT"}, {"2", "OFFSET"}, {"0", "LINE"}});
    DxfLoadReport report;
    ASSERT_TRUE(import(d, file, &report));
    EXPECT_EQ(report.lines[2], "Blocks: 2");
    ASSERT_TRUE(import(d, file, &report));
    EXPECT_EQ(d.model.Shapes.size(), 6u);
    EXPECT_EQ(report.lines[0], "DXF loaded: 3 entities");
    EXPECT_EQ(report.lines[2], "Blocks: 4");
}

TEST(DxfImport, ReportCountsTheWholeDrawing) {
    Drawing d;
    d.model.DrawLine(0, 0, 1, 1, 0);
    d.model.DrawPolyline({{0, 0}, {1, 1}}, 0, true);
    d.model.DrawPoint(3, 3, 0);
    DxfLoadReport report;
    ASSERT_TRUE(import(d,
                       entities({{"0", "LINE"},
                                 {"11", "1000"},
                                 {"21", "500"},
                                 {"0", "CIRCLE"},
                                 {"40", "2"},
                                 {"0", "ARC"},
                                 {"40", "1"},
                                 {"0", "MTEXT"},
                                 {"40", "3.25"},
                                 {"1", "Pier 4"},
                                 {"0", "TEXT"},
                                 {"1", "second"},
                                 {"0", "POINT"},
                                 {"0", "HATCH"},
                                 {"0", "DIMENSION"}}),
                       &report));
    EXPECT_EQ(report.entities, 6);
    EXPECT_EQ(report.lines, (std::vector<std::string>{"DXF loaded: 6 entities",
                                                      "Lines: 2, Circles: 1, Texts: 2, Polylines: 2",
                                                      "Blocks: 0", "First text: 'Pier 4' FontSize=3.25"}));
    EXPECT_EQ(report.message(), "DXF loaded: 6 entities\nLines: 2, Circles: 1, Texts: 2, Polylines: 2\n"
                                "Blocks: 0\nFirst text: 'Pier 4' FontSize=3.25");
    EXPECT_LE(d.view.WorldLeft, 0.0) << "zoomed to the extents of the whole drawing";
    EXPECT_GE(d.view.WorldRight, 1000.0);
    EXPECT_NEAR((d.view.WorldRight - d.view.WorldLeft) / (d.view.WorldTop - d.view.WorldBottom),
                400.0 / 300.0, 1e-9);
}

TEST(DxfImport, NoShapesIsAFailureThatKeepsLayersAndBlocks) {
    Drawing d;
    d.model.DrawLine(10, 10, 20, 30, 0);
    DxfLoadReport report;
    const std::string file =
        text(section("TABLES", {{"0", "LAYER"}, {"2", "kept"}})) + text(blockSection()) +
        entities(
            {{"0", "LWPOLYLINE"}, {"10", "1"}, {"20", "1"}, {"0", "INSERT"}, {"2", "NONE"}, {"0", "TEXT"}});
    EXPECT_FALSE(import(d, file, &report));
    EXPECT_EQ(report.lines, std::vector<std::string>{"DXF load failed: No entities found"});
    EXPECT_EQ(report.entities, 0);
    EXPECT_EQ(d.model.LayerFindByName("kept"), 1);
    EXPECT_EQ(d.model.Blocks.size(), 2u);
    EXPECT_LT(d.view.WorldLeft, 10.0) << "the view is still zoomed to the extents";
    EXPECT_GT(d.view.WorldTop, 30.0);
}

TEST(DxfImport, CodeAndValueLinesAreTrimmed) {
    Drawing d;
    const std::string file = "  0\r\nSECTION  \r\n  2\r\nENTITIES\t\r\n  0\r\n LINE \r\n  8\r\n survey \r\n"
                             " 10\r\n1.5 \r\n 20\r\n2.5mm\r\n11\r\nabc\r\n21\r\n-.5e1\r\n  0\r\nENDSEC\r\n"
                             "  0\r\nEOF\r\n";
    ASSERT_TRUE(import(d, file));
    const auto* line = shapeAt<TSLine>(d.model, 0);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->X1, 1.5);
    EXPECT_EQ(line->Y1, 2.5) << "text after the number is ignored";
    EXPECT_EQ(line->X2, 0.0) << "no number: 0";
    EXPECT_EQ(line->Y2, -5.0);
    EXPECT_EQ(d.model.FindLayer(line->Layer)->Name, "survey");
}

TEST(DxfImport, OnlyTheExactCodeZeroStartsAnEntity) {
    Drawing d;
    ASSERT_TRUE(
        import(d, entities({{"0", "LINE"}, {"00", "LINE"}, {"0x", "CIRCLE"}, {"10", "4"}, {"0", "POINT"}})));
    ASSERT_EQ(d.model.Shapes.size(), 2u);
    EXPECT_EQ(shapeAt<TSLine>(d.model, 0)->X1, 4.0);
}

TEST(DxfImport, ByteOrderMarkIsSkippedInEveryPass) {
    Drawing d;
    DxfLoadReport report;
    ASSERT_TRUE(import(d, "\xEF\xBB\xBF" + entities({{"0", "LINE"}, {"11", "1"}}), &report));
    EXPECT_EQ(report.entities, 1) << "an ENTITIES section at the very start of the file is found";
}

TEST(DxfImport, TruncatedFilesEndThePassWhereTheyEnd) {
    const std::string full = entities({{"0", "LINE"},
                                       {"11", "1"},
                                       {"0", "LWPOLYLINE"},
                                       {"10", "0"},
                                       {"20", "0"},
                                       {"10", "5"},
                                       {"20", "5"},
                                       {"0", "LINE"},
                                       {"11", "2"}});
    std::vector<std::size_t> counts;
    for (std::size_t cut = 0; cut <= full.size(); ++cut) {
        Drawing d;
        import(d, full.substr(0, cut));
        counts.push_back(d.model.Shapes.size());
    }
    EXPECT_EQ(counts.front(), 0u);
    EXPECT_EQ(counts.back(), 3u);
    EXPECT_TRUE(std::is_sorted(counts.begin(), counts.end())) << "cutting later never loses a shape";
}

TEST(DxfImport, HostileBytesNeverCrashAndStayBounded) {
    Drawing d;
    std::string noise;
    for (int i = 0; i < 200000; ++i) {
        noise += static_cast<char>((i * 2654435761u) >> 24);
    }
    DxfLoadReport report;
    EXPECT_FALSE(import(d, noise, &report));
    EXPECT_EQ(report.lines.size(), 1u);
    const std::string huge(3 << 20, 'x'); // a value line of 3 MB
    EXPECT_TRUE(
        import(d, entities({{"0", "TEXT"}, {"1", huge}, {"10", "1e999"}, {"20", "nan"}, {"40", "inf"}})));
    const auto* t = shapeAt<TSText>(d.model, 0);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->Caption.size(), 1 << 20) << "an overlong line keeps its first MiB";
    EXPECT_EQ(t->X, 0.0) << "overflow reads as 0";
    EXPECT_EQ(t->Y, 0.0);
    EXPECT_EQ(t->TextHeight, 2.5);
}

TEST(DxfImport, CoordinatesNearTheLargestDoubleLeaveTheViewAsItWas) {
    Drawing d;
    d.view.WorldSet(450000, 4500800, 451000, 4500000);
    const ViewWindow before = d.view;
    ASSERT_TRUE(import(
        d, entities({{"0", "LINE"}, {"10", "-1e308"}, {"20", "-1e308"}, {"11", "1e308"}, {"21", "1e308"}})));
    EXPECT_EQ(d.view, before) << "the extents overflow: no window fits them";
}

TEST(DxfImport, MissingFileFailsWithTheSystemsWordsAndNoMessage) {
    Drawing d;
    DxfLoadReport report;
    report.lines = {"stale"};
    EXPECT_EQ(DXFLoad(d.model, d.view, headlessClientSize, "/nonexistent/drawing.dxf", &report).error,
              "/nonexistent/drawing.dxf: No such file or directory");
    EXPECT_TRUE(report.lines.empty());
}

TEST(DxfImport, ProgressCoversTheFourPasses) {
    test::TempDir dir;
    Pairs body;
    for (int i = 0; i < 60000; ++i) {
        body.insert(body.end(), {{"0", "LINE"}, {"8", "L"}, {"10", std::to_string(i)}, {"11", "1"}});
    }
    test::writeBytes(dir / "big.dxf", entities(body));
    std::vector<DxfProgress> seen;
    Drawing d;
    DxfLoadReport report;
    ASSERT_TRUE(DXFLoad(d.model, d.view, headlessClientSize, dir / "big.dxf", &report,
                        [&](const DxfProgress& p) { seen.push_back(p); }));
    EXPECT_EQ(report.entities, 60000);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front().pass, 1);
    EXPECT_EQ(seen.back().pass, 4);
    EXPECT_GT(seen.size(), 4u) << "more than the pass starts for a file of several MiB";
    for (std::size_t i = 1; i < seen.size(); ++i) {
        EXPECT_GE(seen[i].fraction(), seen[i - 1].fraction());
        EXPECT_EQ(seen[i].totalBytes, std::filesystem::file_size(dir / "big.dxf"));
    }
    EXPECT_GT(seen.back().fraction(), 0.9);
}

// Every drawing of the test data: imported into an empty drawing, the number of shapes made equals
// ezdxf's count of the model-space entities the import takes; binary files are refused.
TEST(DxfImport, RealDrawingsMatchEzdxfCounts) {
    const std::filesystem::path folder = SELVIR_TEST_DATA_DIR "/dxf";
    ASSERT_TRUE(std::filesystem::is_directory(folder)) << "test data missing: " << folder;
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    std::vector<std::string> args = {"count"};
    args.insert(args.end(), files.begin(), files.end());
    const auto oracle = test::runDxfOracle(args);
    if (!oracle) {
        SELVIR_ORACLE_MISSING(test::kEzdxfMissing);
    }
    std::map<std::string, std::string> expected;
    for (const std::string& line : test::splitLines(*oracle)) {
        const auto tab = line.find('\t');
        if (tab != std::string::npos) {
            expected[line.substr(0, tab)] = line.substr(tab + 1);
        }
    }
    ASSERT_EQ(expected.size(), files.size()) << *oracle;
    int binaries = 0;
    for (const std::string& file : files) {
        const std::string name = std::filesystem::path(file).filename().string();
        Drawing d;
        DxfLoadReport report;
        const bool ok = DXFLoad(d.model, d.view, headlessClientSize, file, &report).ok;
        if (expected[name] == "binary") {
            ++binaries;
            EXPECT_FALSE(ok) << name;
            EXPECT_EQ(report.lines,
                      std::vector<std::string>{std::string(dxfLoadFailed) + std::string(dxfBinaryRefused)})
                << name;
            EXPECT_TRUE(d.model.Shapes.empty()) << name;
            EXPECT_EQ(d.model.Layers.size(), 1u) << name;
            continue;
        }
        ASSERT_EQ(expected[name].rfind("error", 0), std::string::npos) << name << ": " << expected[name];
        const int count = std::stoi(expected[name]);
        EXPECT_EQ(static_cast<int>(d.model.Shapes.size()), count) << name;
        EXPECT_EQ(report.entities, count) << name;
        EXPECT_EQ(ok, count > 0) << name;
        ASSERT_FALSE(report.lines.empty()) << name;
        EXPECT_EQ(report.lines[0], count > 0 ? "DXF loaded: " + std::to_string(count) + " entities"
                                             : std::string(dxfLoadFailed) + std::string(dxfNoEntities))
            << name;
    }
    EXPECT_GE(binaries, 1);
}

} // namespace
} // namespace selvir
