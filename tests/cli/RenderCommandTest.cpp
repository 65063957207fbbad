// selvirhs-tool render: a layout drawn as a report map, as PNG pixels and as a PDF that poppler renders.
#include "canvas/CanvasModel.h"
#include "core/DateTime.h"
#include "layoutfiles/LayoutFiles.h"
#include "support/MissingOracle.h"
#include "support/TempDir.h"
#include "support/ToolRun.h"

#include <QImage>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace selvir {
namespace {

namespace fs = std::filesystem;

using test::ToolRun;

ToolRun runRender(const std::vector<std::string>& args) {
    return test::runToolCommand("render", args);
}

// The box of the pixels `match` accepts; empty when there are none.
template <class Match>
QRect pixelsWhere(const QImage& image, Match match) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (match(QColor(image.pixel(x, y)))) {
                box = box.united(QRect(x, y, 1, 1));
            }
        }
    }
    return box;
}

// Magenta is none of the soundings' colours (red over green to blue).
bool magenta(const QColor& c) {
    return c.red() > 200 && c.blue() > 200 && c.green() < 60;
}
bool pureBlue(const QColor& c) {
    return c.blue() > 200 && c.red() < 60 && c.green() < 60;
}

// A layout in world 0..1000 both ways: a magenta line along y = 800 from x = 100 to 900, and a solid
// blue square 100 m wide centred on (500, 300).
class RenderCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        CanvasModel model;
        const int lines = model.LayerOpen("lines");
        model.SetLayerPenFg(lines, 0xFF00FF); // magenta (red in the low byte, blue in the third)
        model.DrawLine(100, 800, 900, 800, lines);
        const ShapeId square = model.DrawRectangle(450, 250, 550, 350, model.LayerOpen("square"));
        model.SetShapePenWidth(square, 0);
        model.SetShapeBrushStyle(square, brushstyle::Solid);
        model.SetShapeBrushFg(square, 0xFF0000); // blue
        ViewWindow view;
        ASSERT_TRUE(CadSave(model, view, layout, SystemClock()).ok);
    }

    // The line and the square where a map of `image` shows them, and the pixels per metre.
    void checkGeometry(const QImage& image) {
        const QRect line = pixelsWhere(image, magenta);
        const QRect square = pixelsWhere(image, pureBlue);
        ASSERT_FALSE(line.isEmpty());
        ASSERT_FALSE(square.isEmpty());
        EXPECT_LE(line.height(), 2) << "a horizontal line";
        const double pixelsPerMetre = line.width() / 800.0;
        EXPECT_NEAR(square.width(), 100 * pixelsPerMetre, 2.0);
        EXPECT_NEAR(square.height(), 100 * pixelsPerMetre, 2.0) << "a metre is as long north as east";
        EXPECT_NEAR(square.center().x(), line.center().x(), 1.5) << "both centred on x = 500";
        EXPECT_NEAR(square.center().y() - line.center().y(), 500 * pixelsPerMetre, 2.0) << "500 m south";
    }

    test::TempDir dir;
    std::string layout = (dir / "plan.gvx").string();
};

TEST_F(RenderCommandTest, APictureShowsTheShapesWhereTheyAre) {
    const std::string png = (dir / "map.png").string();
    const ToolRun run = runRender({layout, png, "--size", "1000x800", "--window", "0,1000,1000,0"});
    ASSERT_EQ(run.status, 0) << run.err;
    const QImage image(QString::fromStdString(png));
    ASSERT_EQ(image.size(), QSize(1000, 800));
    checkGeometry(image);
    // Without --window the map shows the drawing's extents: the same shapes, larger.
    const ToolRun extents = runRender({layout, png, "--size", "1000x800"});
    ASSERT_EQ(extents.status, 0) << extents.err;
    const QImage zoomed(QString::fromStdString(png));
    checkGeometry(zoomed);
    EXPECT_GT(pixelsWhere(zoomed, magenta).width(), pixelsWhere(image, magenta).width());
}

TEST_F(RenderCommandTest, SoundingsAreColouredByDepthWhereTheSurveyPutsThem) {
    const fs::path survey = dir / "2026-03-05 Coordinates.csv";
    {
        std::ofstream out(survey);
        out << "Date,Lat,Lon,Easting,Northing,Elevation (Hi),Elevation (Lo),True Depth (Hi),True Depth (Lo),"
               "Raw Depth (Hi),Raw Depth (Lo),Message Format,Sound Velocity,Transducer Draft,GPS, RTK "
               "Antenna "
               "Height,Manual Tide,RTK Tide\n";
        out << "2026-03-05 090000000,41,29,200.00,600.00,-5.00,0,5.00,0,5,0,Selvir SMT,1500,0.5,4,10,0,0\n";
        out << "2026-03-05 090001000,,,,,-9.00,0,9.00,0,9,0,Selvir SMT,1500,0.5,0,10,0,0\n"; // no position
        out << "2026-03-05 090002000,41,29,800.00,600.00,-20.00,0,20.00,0,20,0,Selvir "
               "SMT,1500,0.5,4,10,0,0\n";
    }
    const std::string png = (dir / "soundings.png").string();
    const ToolRun run = runRender(
        {layout, png, "--size", "1000x800", "--window", "0,1000,1000,0", "--survey", survey.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("2 soundings"), std::string::npos) << run.out;
    const QImage image(QString::fromStdString(png));
    // The line gives the map's scale and offset: x = 100 at its left end, y = 800 on it.
    const QRect line = pixelsWhere(image, magenta);
    const double pixelsPerMetre = line.width() / 800.0;
    auto at = [&](double e, double n) {
        return QColor(image.pixel(static_cast<int>(line.left() + (e - 100) * pixelsPerMetre),
                                  static_cast<int>(line.center().y() + (800 - n) * pixelsPerMetre)));
    };
    const QColor shallow = at(200, 600);
    const QColor deep = at(800, 600);
    EXPECT_GT(shallow.red(), shallow.blue() + 100) << "the shallowest is red";
    EXPECT_GT(deep.blue(), deep.red() + 100) << "the deepest is blue";
}

TEST_F(RenderCommandTest, APdfPageRendersWithTheSameMap) {
    if (std::system("command -v pdftoppm > /dev/null 2>&1") != 0) {
        SELVIR_ORACLE_MISSING("pdftoppm is not installed (poppler-utils)");
    }
    const std::string pdf = (dir / "map.pdf").string();
    const ToolRun run = runRender({layout, pdf, "--window", "0,1000,1000,0"});
    ASSERT_EQ(run.status, 0) << run.err;
    std::ifstream file(pdf, std::ios::binary);
    std::string head(5, '\0');
    file.read(head.data(), 5);
    EXPECT_EQ(head, "%PDF-");
    const std::string raster = (dir / "page").string();
    ASSERT_EQ(std::system(("pdftoppm -png -r 150 -singlefile '" + pdf + "' '" + raster + "'").c_str()), 0);
    const QImage page(QString::fromStdString(raster + ".png"));
    ASSERT_FALSE(page.isNull());
    EXPECT_NEAR(static_cast<double>(page.width()) / page.height(), 297.0 / 210.0, 0.01) << "A4 landscape";
    checkGeometry(page);
}

TEST_F(RenderCommandTest, BadArgumentsAreRefusedWithAReason) {
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* said;
    };
    const std::string png = (dir / "x.png").string();
    const std::vector<Case> cases = {
        {{layout, (dir / "x.jpg").string()}, 2, "must end in .png or .pdf"},
        {{layout, png, "--size", "800"}, 2, "--size takes"},
        {{layout, png, "--window", "0,1000,1000"}, 2, "--window takes"},
        {{layout, png, "--window", "0,0,1000,0"}, 2, "--window takes"},
        {{(dir / "missing.gvx").string(), png}, 1, "Cannot read"},
        {{layout, png, "--survey", (dir / "missing.csv").string()}, 1, "cannot be opened"},
        {{layout}, 2, "Usage"},
    };
    for (const Case& c : cases) {
        const ToolRun run = runRender(c.args);
        EXPECT_EQ(run.status, c.status) << c.said;
        EXPECT_NE(run.err.find(c.said), std::string::npos) << run.err;
    }
    EXPECT_FALSE(fs::exists(png)) << "nothing written on a refusal";
}

} // namespace
} // namespace selvir
