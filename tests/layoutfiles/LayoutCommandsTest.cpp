// selvirhs-tool dxfinfo and convert.
#include "LayoutTestSupport.h"
#include "cli/Commands.h"
#include "layoutfiles/LayoutFiles.h"

#include <gtest/gtest.h>
#include <sstream>

namespace selvir::cli {
namespace {

struct ToolRun {
    int status;
    std::string out, err;
};

ToolRun run(const std::vector<std::string>& args) {
    std::istringstream in;
    std::ostringstream out, err;
    const int status = runTool(args, {in, out, err});
    return {status, out.str(), err.str()};
}

const char* plan = "0\nSECTION\n2\nTABLES\n0\nLAYER\n2\nempty\n0\nENDSEC\n"
                   "0\nSECTION\n2\nENTITIES\n"
                   "0\nLINE\n8\nroads\n11\n10\n21\n10\n"
                   "0\nCIRCLE\n8\nroads\n40\n2\n"
                   "0\nTEXT\n8\nnames\n40\n1.5\n1\nQuay\n"
                   "0\nLINE\n8\nnames\n11\n5\n"
                   "0\nENDSEC\n0\nEOF\n";

TEST(DxfInfoCommand, PrintsTheReportThenShapesPerTypeAndLayer) {
    test::TempDir dir;
    test::writeBytes(dir / "plan.dxf", plan);
    const ToolRun r = run({"dxfinfo", (dir / "plan.dxf").string()});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "DXF loaded: 4 entities\n"
                     "Lines: 2, Circles: 1, Texts: 1, Polylines: 0\n"
                     "Blocks: 0\n"
                     "First text: 'Quay' FontSize=1.5\n"
                     "shapes 4\n"
                     "type 3 2\n"
                     "type 11 1\n"
                     "type 19 1\n"
                     "layer Default 0\n"
                     "layer empty 0\n"
                     "layer roads 2\n"
                     "layer names 2\n");
}

TEST(DxfInfoCommand, FailedImportsAreStatusOne) {
    test::TempDir dir;
    test::writeBytes(dir / "header.dxf", "0\nSECTION\n2\nHEADER\n0\nENDSEC\n0\nEOF\n");
    const ToolRun noEntities = run({"dxfinfo", (dir / "header.dxf").string()});
    EXPECT_EQ(noEntities.status, 1);
    EXPECT_EQ(noEntities.out, "DXF load failed: ENTITIES section not found\nshapes 0\nlayer Default 0\n");
    const ToolRun missing = run({"dxfinfo", (dir / "none.dxf").string()});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("none.dxf"), std::string::npos);
    EXPECT_EQ(run({"dxfinfo"}).status, 2);
}

TEST(ConvertCommand, DxfToLayoutToDxfKeepsTheDrawing) {
    test::TempDir dir;
    test::writeBytes(dir / "plan.dxf", plan);
    const ToolRun toLayout = run({"convert", (dir / "plan.dxf").string(), (dir / "plan.GVX").string()});
    ASSERT_EQ(toLayout.status, 0) << toLayout.err;
    EXPECT_EQ(test::readBytes(dir / "plan.GVX").substr(0, 4), "GVX1");
    const ToolRun toDxf = run({"convert", (dir / "plan.GVX").string(), (dir / "again.dxf").string()});
    ASSERT_EQ(toDxf.status, 0) << toDxf.err;
    EXPECT_EQ(toDxf.out, "shapes 4\n");
    const ToolRun info = run({"dxfinfo", (dir / "again.dxf").string()});
    EXPECT_EQ(info.status, 0);
    EXPECT_NE(info.out.find("shapes 4\ntype 3 2\ntype 11 1\ntype 19 1\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("layer roads 2\nlayer names 2\n"), std::string::npos) << info.out;
}

TEST(ConvertCommand, XyzInAndBadArguments) {
    test::TempDir dir;
    test::writeBytes(dir / "soundings.xyz", "450000,4500000,12.5\n450010,4500000,13.5\n");
    const ToolRun ok = run({"convert", (dir / "soundings.xyz").string(), (dir / "soundings.gvx").string()});
    EXPECT_EQ(ok.status, 0);
    EXPECT_EQ(ok.out, "shapes 2\n");
    CanvasModel model;
    ViewWindow view;
    ASSERT_TRUE(CadLoad(model, view, dir / "soundings.gvx", layoutReplace));
    ASSERT_EQ(model.ShapeCount(), 2);
    EXPECT_EQ(static_cast<const TSPoint&>(*model.Shapes[1]).Value, 13.5);

    EXPECT_EQ(run({"convert", (dir / "soundings.xyz").string(), (dir / "out.xyz").string()}).status, 2);
    EXPECT_EQ(run({"convert", (dir / "soundings.txt").string(), (dir / "out.gvx").string()}).status, 2);
    EXPECT_EQ(run({"convert", (dir / "missing.gvx").string(), (dir / "out.gvx").string()}).status, 1);
    EXPECT_EQ(run({"convert", (dir / "soundings.xyz").string(), (dir / "no" / "out.dxf").string()}).status,
              1);
    EXPECT_EQ(run({"convert", "one"}).status, 2);
}

} // namespace
} // namespace selvir::cli
