// The layout-file operations as the canvas widget offers them: they act on its drawing and view, fit
// extents to its own client size and request a repaint.
#include "LayoutTestSupport.h"
#include "canvas/TSelvirCanvas.h"
#include "layoutfiles/LayoutFiles.h"

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
    ASSERT_TRUE(canvas.CadSave(name(dir / "Şantiye 0905.gvx"), -1));
    ASSERT_TRUE(canvas.DXFSave(name(dir / "export.dxf")));
    canvas.WorldPan(50, 50);
    ASSERT_TRUE(canvas.CadLoad(name(dir / "Şantiye 0905.gvx"), -1, -1, 0));
    EXPECT_EQ(canvas.View(), view);
    ASSERT_EQ(canvas.Model().Shapes.size(), 1u);
    EXPECT_EQ(canvas.LayerFindByName("plan"), 1);
    EXPECT_FALSE(canvas.CadLoad(name(dir / "missing.gvx"), -1, -1, 0));
    EXPECT_EQ(canvas.Model().Shapes.size(), 1u);

    test::writeBytes(dir / "points.xyz", "10 10 1\n20 30 2\n");
    ASSERT_TRUE(canvas.XYZLoad(name(dir / "points.xyz"), 1, 0, 0));
    EXPECT_EQ(canvas.Model().Shapes.size(), 3u);
    ASSERT_TRUE(canvas.DXFLoad(name(dir / "export.dxf")));
    EXPECT_EQ(canvas.Model().Shapes.size(), 4u);
    EXPECT_TRUE(canvas.Model().Dirty);
}

} // namespace
} // namespace selvir
