// DXF export: the R12 structure line for line, each shape kind's entity, what is left out, and a
// reading of the file by ezdxf.
#include "layoutfiles/DxfExport.h"

#include "LayoutTestSupport.h"

#include <gtest/gtest.h>

namespace selvir {
namespace {

using test::Drawing;
using test::splitLines;

// The file's lines without their CR LF ends (checking that every line has one).
std::vector<std::string> dxfLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "every line ends with CR LF";
        if (end == std::string::npos) {
            break;
        }
        lines.push_back(text.substr(start, end - start));
        EXPECT_EQ(lines.back().find('\n'), std::string::npos);
        start = end + 2;
    }
    return lines;
}

// The lines of the entities section (between "ENTITIES" and the closing "0", "ENDSEC").
std::vector<std::string> entityLines(const Drawing& d) {
    const auto lines = dxfLines(buildDxfText(d.model, d.view));
    const auto begin = std::find(lines.begin(), lines.end(), "ENTITIES");
    EXPECT_NE(begin, lines.end());
    EXPECT_GE(lines.size(), 4u);
    return std::vector<std::string>(begin + 1, lines.end() - 4);
}

TEST(DxfExport, EmptyDrawingIsTheWholeR12StructureLineForLine) {
    const Drawing d;
    const std::vector<std::string> expected = {
        "0", "SECTION",  "2",  "HEADER",                                                           //
        "9", "$ACADVER", "1",  "AC1009",                                                           //
        "9", "$INSBASE", "10", "0.0",         "20", "0.0",         "30", "0.0",                    //
        "9", "$EXTMIN",  "10", "0.000000",    "20", "0.000000",    "30", "0.0",                    //
        "9", "$EXTMAX",  "10", "1000.000000", "20", "1000.000000", "30", "0.0",                    //
        "0", "ENDSEC",                                                                             //
        "0", "SECTION",  "2",  "TABLES",                                                           //
        "0", "TABLE",    "2",  "LAYER",       "70", "1",                                           //
        "0", "LAYER",    "2",  "Default",     "70", "0",           "62", "7",   "6", "CONTINUOUS", //
        "0", "ENDTAB",   "0",  "ENDSEC",                                                           //
        "0", "SECTION",  "2",  "ENTITIES",                                                         //
        "0", "ENDSEC",   "0",  "EOF"};
    EXPECT_EQ(dxfLines(buildDxfText(d.model, d.view)), expected);
}

TEST(DxfExport, ExtentsAreTheViewNotTheShapes) {
    Drawing d;
    d.model.DrawLine(0, 0, 10, 10, 0);
    d.view.WorldPan(452000.5, 4500000.25);
    const auto lines = dxfLines(buildDxfText(d.model, d.view));
    const std::vector<std::string> extents(lines.begin() + 16, lines.begin() + 32);
    EXPECT_EQ(extents, (std::vector<std::string>{"9", "$EXTMIN", "10", "452000.500000", "20",
                                                 "4500000.250000", "30", "0.0", "9", "$EXTMAX", "10",
                                                 "453000.500000", "20", "4501000.250000", "30", "0.0"}));
}

TEST(DxfExport, EachShapeKindAsItsEntity) {
    Drawing d;
    const int survey = d.model.LayerOpen("survey");
    d.model.DrawLine(1.5, 2.25, -3, 4, survey);
    d.model.DrawCircle(10, 20, 5.5, survey);
    d.model.DrawPoint(7, 8, 0);
    d.model.DrawRectangle(2, 3, 0, 0, survey);
    d.model.DrawTwoPointEllipse(0, 0, 10, 4, survey);
    d.model.DrawPolyline({{0, 0}, {4512345.678, 1}}, survey, false);
    d.model.DrawPolyline({{0, 0}, {1, 0}, {1, 1}}, survey, true);
    const std::vector<std::string> expected = {
        "0",        "LINE",      "8",  "survey",   "10", "1.500000",
        "20",       "2.250000",  "30", "0.0",                   //
        "11",       "-3.000000", "21", "4.000000", "31", "0.0", //
        "0",        "CIRCLE",    "8",  "survey",   "10", "10.000000",
        "20",       "20.000000", "30", "0.0",      "40", //
        "5.500000",                                      //
        "0",        "POINT",     "8",  "Default",  "10", "7.000000",
        "20",       "8.000000",  "30", "0.0", //
        "0",        "POLYLINE",  "8",  "survey",   "66", "1",
        "70",       "1", //
        "0",        "VERTEX",    "8",  "survey",   "10", "2.000000",
        "20",       "3.000000",  "30", "0.0", //
        "0",        "VERTEX",    "8",  "survey",   "10", "0.000000",
        "20",       "3.000000",  "30", "0.0", //
        "0",        "VERTEX",    "8",  "survey",   "10", "0.000000",
        "20",       "0.000000",  "30", "0.0", //
        "0",        "VERTEX",    "8",  "survey",   "10", "2.000000",
        "20",       "0.000000",  "30", "0.0",    //
        "0",        "SEQEND",    "8",  "survey", //
        "0",        "CIRCLE",    "8",  "survey",   "10", "5.000000",
        "20",       "2.000000",  "30", "0.0",      "40", //
        "3.500000",                                      //
        "0",        "POLYLINE",  "8",  "survey",   "66", "1",
        "70",       "0", //
        "0",        "VERTEX",    "8",  "survey",   "10", "0.000000",
        "20",       "0.000000",  "30", "0.0", //
        "0",        "VERTEX",    "8",  "survey",   "10", "4512345.678000",
        "20",       "1.000000",  "30", "0.0",    //
        "0",        "SEQEND",    "8",  "survey", //
        "0",        "POLYLINE",  "8",  "survey",   "66", "1",
        "70",       "1", //
        "0",        "VERTEX",    "8",  "survey",   "10", "0.000000",
        "20",       "0.000000",  "30", "0.0", //
        "0",        "VERTEX",    "8",  "survey",   "10", "1.000000",
        "20",       "0.000000",  "30", "0.0", //
        "0",        "VERTEX",    "8",  "survey",   "10", "1.000000",
        "20",       "1.000000",  "30", "0.0", //
        "0",        "SEQEND",    "8",  "survey"};
    EXPECT_EQ(entityLines(d), expected);
}

TEST(DxfExport, TextHeightRotationAndCaption) {
    Drawing d;
    const auto text = [&](double height, double rotation, const char* caption) {
        auto* t = static_cast<TSText*>(d.model.FindShape(d.model.TextAdd(0, caption, 1, 2, 0)));
        t->TextHeight = height;
        t->Rotation = rotation;
    };
    text(0.0, 0.0, "flat");
    text(3.5, 90.0, "Şile 5 m");
    EXPECT_EQ(entityLines(d), (std::vector<std::string>{
                                  "0",  "TEXT", "8",  "Default",  "10", "1.000000",    "20", "2.000000",
                                  "30", "0.0",  "40", "2.500000", "1",  "flat", //
                                  "0",  "TEXT", "8",  "Default",  "10", "1.000000",    "20", "2.000000",
                                  "30", "0.0",  "40", "3.500000", "1",  "\xDEile 5 m", "50", "90.000000"}));
}

TEST(DxfExport, ShapesThatAreNotExported) {
    Drawing d;
    d.model.SetShapeText(d.model.DrawLine(0, 0, 1, 1, 0), "visible");
    static_cast<TSLine*>(d.model.FindShape(d.model.DrawLine(0, 0, 2, 2, 0)))->Visible = false;
    const ShapeId spline = d.model.DrawPolyline({{0, 0}, {1, 1}}, 0, false);
    d.model.FindShape(spline)->ShapeType = ShapeKind::Spline;
    const ShapeId curve = d.model.DrawPolyline({{0, 0}, {1, 1}}, 0, false);
    d.model.FindShape(curve)->ShapeType = ShapeKind::Curve;
    d.model.DrawThreePointArc(0, 0, 1, 1, 2, 0, 0);
    d.model.FindShape(d.model.DrawTwoPointEllipse(0, 0, 1, 1, 0))->ShapeType = ShapeKind::Ellipse4;
    auto empty = std::make_unique<TSPolyline>();
    empty->Id = d.model.TakeNextId();
    d.model.AppendShape(std::move(empty));
    auto mismatch = std::make_unique<TSPoint>();
    mismatch->ShapeType = ShapeKind::Line; // a point claiming to be a line
    mismatch->Id = d.model.TakeNextId();
    d.model.AppendShape(std::move(mismatch));
    d.model.DrawLine(5, 5, 6, 6, 0);
    d.model.FindShape(d.model.Shapes.back()->Id)->Layer = 42;
    const auto lines = entityLines(d);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "LINE"), 2) << "the visible line and the layerless one";
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "0"), 2 + 1) << "two entities and one layer name 0";
    EXPECT_EQ(lines[lines.size() - 13], "0") << "the missing layer is written as 0";
}

TEST(DxfExport, ASecondReaderSeesTheSameDrawing) {
    Drawing d;
    const int survey = d.model.LayerOpen("survey");
    d.model.DrawLine(452317.25, 4501234.5, 452400, 4501300, survey);
    d.model.DrawCircle(10, 20, 5.5, 0);
    d.model.DrawPoint(7, 8, survey);
    d.model.TextAdd(survey, "Depth 12.5", 1, 2, 0);
    d.model.DrawRectangle(0, 0, 2, 3, survey);
    d.model.DrawPolyline({{0, 0}, {1, 0}, {1, 1}}, survey, true);
    test::TempDir dir;
    ASSERT_TRUE(DXFSave(d.model, d.view, dir / "export.dxf"));
    const auto dump = test::runDxfOracle({"dump", (dir / "export.dxf").string()});
    if (!dump) {
        SELVIR_ORACLE_MISSING(test::kEzdxfMissing);
    }
    const auto lines = splitLines(*dump);
    const auto has = [&](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    EXPECT_TRUE(has("LAYER Default 7"));
    EXPECT_TRUE(has("LAYER survey 7"));
    EXPECT_TRUE(has("LINE survey 452317.25 4501234.5 452400.0 4501300.0"));
    EXPECT_TRUE(has("CIRCLE Default 10.0 20.0 5.5"));
    EXPECT_TRUE(has("POINT survey 7.0 8.0"));
    EXPECT_TRUE(has("TEXT survey 1.0 2.0 10.0 0.0 Depth 12.5"));
    EXPECT_TRUE(has("POLYLINE survey 1 4 0.0 0.0 2.0 0.0 2.0 3.0 0.0 3.0"));
    EXPECT_TRUE(has("POLYLINE survey 1 3 0.0 0.0 1.0 0.0 1.0 1.0"));
    const auto entities = std::count_if(lines.begin(), lines.end(),
                                        [](const std::string& line) { return line.rfind("LAYER ", 0) != 0; });
    EXPECT_EQ(entities, 6) << *dump;
}

TEST(DxfExport, UnwritablePathFails) {
    const Drawing d;
    test::TempDir dir;
    const std::string error = DXFSave(d.model, d.view, dir / "missing" / "x.dxf").error;
    EXPECT_TRUE(error.starts_with((dir / "missing" / "x.dxf").string() + ": Cannot create ")) << error;
    EXPECT_TRUE(error.ends_with(": No such file or directory")) << error;
    EXPECT_FALSE(DXFSave(d.model, d.view, dir.path()));
}

} // namespace
} // namespace selvir
