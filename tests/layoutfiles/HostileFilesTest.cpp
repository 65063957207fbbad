// Files built to take all memory: a small layout that inflates to millions of records, and a small DXF
// whose block is inserted tens of thousands of times. Both are refused, naming the file and the limit,
// and the drawing stays as it was.
#include "LayoutTestSupport.h"
#include "layoutfiles/DxfImport.h"
#include "layoutfiles/LoadJournal.h"
#include "layoutfiles/NativeLayout.h"
#include "layoutfiles/ZlibStream.h"

namespace selvir {
namespace {

// A drawing the surveyor already has: one line on "Coast".
void existingDrawing(test::Drawing& d) {
    d.model.ResetDrawing();
    d.model.DrawLine(0, 0, 10, 10, d.model.LayerOpen(QStringLiteral("Coast")));
    d.view.WorldSet(0, 100, 100, 0);
}

void expectUnchanged(const test::Drawing& d) {
    ASSERT_EQ(d.model.Shapes.size(), 1u);
    EXPECT_EQ(test::layerNames(d.model), (std::vector<std::string>{"0:Default", "1:Coast"}));
    EXPECT_TRUE(d.model.Blocks.empty());
    EXPECT_EQ(d.view.WorldRight, 100);
}

TEST(HostileFiles, AnInflatingLayoutIsRefusedAndTheDrawingKept) {
    test::TempDir dir;
    std::string stream;
    {
        ZlibDeflater deflater(9, stream);
        ASSERT_TRUE(deflater.write("LAYER Default\n"));
        const std::string line = "LINE 0 0 1 1 0\n";
        std::string block;
        for (int i = 0; i < 10'000; ++i) {
            block += line;
        }
        for (std::uint64_t written = 0; written <= maxShapesPerLoad; written += 10'000) {
            ASSERT_TRUE(deflater.write(block));
        }
        ASSERT_TRUE(deflater.finish());
    }
    const auto file = dir / "plan.gvx";
    test::writeBytes(file, "GVX1" + stream);
    ASSERT_LT(std::filesystem::file_size(file), 512 * 1024u) << "a small file";
    for (int mode : {layoutReplace, 2}) {
        test::Drawing d;
        existingDrawing(d);
        const LayoutFileResult result = CadLoad(d.model, d.view, file, mode);
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.error.find(displayPath(file)), std::string::npos) << result.error;
        EXPECT_NE(result.error.find("more than 2000000 shapes"), std::string::npos) << result.error;
        expectUnchanged(d);
    }
}

TEST(HostileFiles, ABlockInsertedTensOfThousandsOfTimesIsRefused) {
    test::TempDir dir;
    std::string dxf = "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nB\n10\n0\n20\n0\n";
    for (int i = 0; i < 101; ++i) {
        dxf += "0\nLINE\n8\n0\n10\n" + std::to_string(i) + "\n20\n0\n11\n" + std::to_string(i) + "\n21\n1\n";
    }
    dxf += "0\nENDBLK\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n";
    for (int i = 0; i < 20'000; ++i) {
        dxf += "0\nINSERT\n8\nSite\n2\nB\n10\n" + std::to_string(i) + "\n20\n0\n";
    }
    dxf += "0\nENDSEC\n0\nEOF\n";
    const auto file = dir / "site.dxf";
    test::writeBytes(file, dxf);
    test::Drawing d;
    existingDrawing(d);
    DxfLoadReport report;
    const LayoutFileResult result = DXFLoad(d.model, d.view, ClientSize{800, 600}, file, &report);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find(displayPath(file)), std::string::npos) << result.error;
    EXPECT_NE(result.error.find("more than 2000000 shapes"), std::string::npos) << result.error;
    ASSERT_EQ(report.lines.size(), 1u);
    EXPECT_EQ(report.lines[0].rfind("DXF load failed: more than", 0), 0u) << report.lines[0];
    expectUnchanged(d);
}

} // namespace
} // namespace selvir
