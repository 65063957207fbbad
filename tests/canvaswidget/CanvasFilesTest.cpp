// The layout-file operations as the canvas widget offers them: they act on its drawing and view, fit
// extents to its own client size, save on the clock they are given and request a repaint.
#include "canvaswidget/TSelvirCanvas.h"
#include "layoutfiles/LayoutFiles.h"
#include "layoutfiles/LayoutTestSupport.h"

#include <gtest/gtest.h>

namespace selvir {
namespace {

QString name(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

TEST(CanvasFiles, OperationsRunOnTheWidgetsDrawingAndView) {
    test::TempDir dir;
    TSelvirCanvas canvas;
    canvas.SetClientSize(800, 200);
    test::writeBytes(dir / "plan.dxf",
                     "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\nplan\n10\n0\n20\n0\n11\n100\n21\n100\n"
                     "0\nENDSEC\n0\nEOF\n");
    DxfLoadReport report;
    int calls = 0;
    ASSERT_TRUE(canvas.DXFLoad(name(dir / "plan.dxf"), &report, [&](const DxfProgress&) { ++calls; }));
    EXPECT_EQ(report.lines.front(), "DXF loaded: 1 entities");
    EXPECT_EQ(calls, 4);
    EXPECT_NEAR(canvas.GetWorldWidth() / canvas.GetWorldHeight(), 4.0, 1e-9) << "the widget's own aspect";

    const ViewWindow view = canvas.View();
    const ManualClock clock({{2026, 5, 9}, 14, 30, 0, 0});
    canvas.SetClock(&clock);
    ASSERT_TRUE(canvas.CadSave(name(dir / "Şantiye 0905.gvx"), -1));
    const auto text = layoutTextFromBytes(test::readBytes(dir / "Şantiye 0905.gvx"));
    ASSERT_TRUE(text);
    EXPECT_NE(text->find("\n# Created on: 2026-05-09 14:30:00.00\n"), std::string::npos) << "the given clock";
    ASSERT_TRUE(canvas.DXFSave(name(dir / "export.dxf")));
    canvas.WorldPan(50, 50);
    ASSERT_TRUE(canvas.CadLoad(name(dir / "Şantiye 0905.gvx"), -1, -1, 0));
    EXPECT_EQ(canvas.View(), view);
    ASSERT_EQ(canvas.Model().Shapes.size(), 1u);
    EXPECT_EQ(canvas.LayerFindByName("plan"), 1);
    EXPECT_TRUE(canvas.LastFileError().empty());
    EXPECT_FALSE(canvas.CadLoad(name(dir / "missing.gvx"), -1, -1, 0));
    EXPECT_EQ(canvas.LastFileError(), (dir / "missing.gvx").string() + ": No such file or directory");
    EXPECT_EQ(canvas.Model().Shapes.size(), 1u);

    test::writeBytes(dir / "points.xyz", "10 10 1\n20 30 2\n");
    ASSERT_TRUE(canvas.XYZLoad(name(dir / "points.xyz"), 1, 0, 0));
    EXPECT_EQ(canvas.Model().Shapes.size(), 3u);
    ASSERT_TRUE(canvas.DXFLoad(name(dir / "export.dxf")));
    EXPECT_EQ(canvas.Model().Shapes.size(), 4u);
    EXPECT_TRUE(canvas.Model().Dirty);
}

// Runline and route vertices at grid coordinates in the millions keep their millimetres through the
// layout file and the DXF drawing.
TEST(CanvasFiles, GridVerticesSurviveLayoutAndDxfToTheMillimetre) {
    test::TempDir dir;
    TSelvirCanvas source;
    source.DrawPolyline({{512345.123, 4512345.678}, {512445.987, 4512445.001}}, 0, false);
    ASSERT_TRUE(source.CadSave(name(dir / "grid.gvx"), -1));
    ASSERT_TRUE(source.DXFSave(name(dir / "grid.dxf")));
    for (const char* file : {"grid.gvx", "grid.dxf"}) {
        TSelvirCanvas canvas;
        const bool loaded = std::string(file).ends_with(".gvx") ? canvas.CadLoad(name(dir / file), -1, -1, 0)
                                                                : canvas.DXFLoad(name(dir / file));
        ASSERT_TRUE(loaded) << file;
        const ShapeId id = canvas.Model().Shapes.back()->Id;
        EXPECT_NEAR(canvas.ShapePointGetX(id, 0), 512345.123, 1e-6) << file;
        EXPECT_NEAR(canvas.ShapePointGetY(id, 0), 4512345.678, 1e-6) << file;
        EXPECT_NEAR(canvas.ShapePointGetY(id, 1), 4512445.001, 1e-6) << file;
    }
}

} // namespace
} // namespace selvir
