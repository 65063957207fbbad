// Backgrounds: a geographic GeoTIFF warped into a TM grid lands where PROJ puts it; world-file images,
// overviews; S-57 cells with their update and a GeoPackage made by GDAL's own drivers.
#include "GisOracles.h"
#include "gis/CrsWkt.h"
#include "gis/RasterBackground.h"
#include "gis/VectorBackground.h"

#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>

namespace selvir {
namespace {

namespace fs = std::filesystem;

// The program's default grid: TM, central meridian 30° E, on WGS-84. cs2cs knows it independently.
std::string surveyWkt() {
    return settingsCrsWkt(GeodeticParameters{}).wkt;
}
RasterBackgroundOptions inSurveyGrid() {
    RasterBackgroundOptions options;
    options.surveyCrsWkt = surveyWkt();
    return options;
}
constexpr const char* kSurveyProj = "+proj=tmerc +lon_0=30 +lat_0=0 +k=1 +x_0=500000 +y_0=0 +ellps=WGS84";

constexpr std::uint32_t kRed = 0xFFFF0000, kWhite = 0xFFFFFFFF;

// An RGB image of size x size pixels, white with a red square; the square's pixel rows and columns are
// given as [first, last).
void writeImage(const fs::path& path, const char* driver, int size, const double transform[6],
                const char* crs, int squareFirst, int squareLast, const char* const* options = nullptr) {
    gis::ensureGdal();
    gis::DatasetHandle mem(GDALCreate(GDALGetDriverByName("MEM"), "", size, size, 3, GDT_Byte, nullptr));
    double gt[6];
    std::copy(transform, transform + 6, gt);
    GDALSetGeoTransform(mem.get(), gt);
    if (crs) {
        std::string error;
        GDALSetSpatialRef(mem.get(), gis::spatialReference(crs, error).get());
    }
    std::vector<std::uint8_t> plane(static_cast<std::size_t>(size * size));
    for (int band = 1; band <= 3; ++band) {
        for (int r = 0; r < size; ++r) {
            for (int c = 0; c < size; ++c) {
                const bool square = r >= squareFirst && r < squareLast && c >= squareFirst && c < squareLast;
                plane[static_cast<std::size_t>(r * size + c)] = band == 1 || !square ? 255 : 0;
            }
        }
        ASSERT_EQ(GDALRasterIO(GDALGetRasterBand(mem.get(), band), GF_Write, 0, 0, size, size, plane.data(),
                               size, size, GDT_Byte, 0, 0),
                  CE_None);
    }
    gis::DatasetHandle file(GDALCreateCopy(GDALGetDriverByName(driver), path.c_str(), mem.get(), FALSE,
                                           const_cast<char**>(options), nullptr, nullptr));
    ASSERT_TRUE(file);
}

struct Pixel {
    double x, y;
};

Pixel toPixel(const GridView& view, double e, double n) {
    return {(e - view.minXM) / (view.maxXM - view.minXM) * view.widthPx,
            (view.maxYM - n) / (view.maxYM - view.minYM) * view.heightPx};
}

// The square's corners in the view (as given, grid metres), checked from both sides: 3 pixels in
// towards the square's middle red, 3 pixels out white.
void expectSquare(const RgbaImage& image, const GridView& view,
                  const std::vector<std::pair<double, double>>& corners) {
    std::vector<Pixel> px;
    Pixel middle{0, 0};
    for (const auto& [e, n] : corners) {
        px.push_back(toPixel(view, e, n));
        middle.x += px.back().x / 4;
        middle.y += px.back().y / 4;
    }
    EXPECT_EQ(image.pixel(static_cast<int>(middle.x), static_cast<int>(middle.y)), kRed);
    for (const Pixel& p : px) {
        const double dx = middle.x - p.x, dy = middle.y - p.y, d = std::hypot(dx, dy);
        const auto at = [&](double along) {
            return image.pixel(static_cast<int>(std::lround(p.x + along * dx / d)),
                               static_cast<int>(std::lround(p.y + along * dy / d)));
        };
        EXPECT_EQ(at(3), kRed) << "inside the corner at pixel " << p.x << "," << p.y;
        EXPECT_EQ(at(-3), kWhite) << "outside the corner at pixel " << p.x << "," << p.y;
    }
}

TEST(RasterBackground, AGeographicImageLandsWhereProjPutsItBeforeAndAfterOverviews) {
    if (!test::programExists("cs2cs")) {
        SELVIR_ORACLE_MISSING("cs2cs (proj-bin) is not installed");
    }
    test::TempDir dir;
    const fs::path path = dir / "ortho.tif";
    // 1024 pixels over 28.9..29.1° E, 40.95..41.15° N; the red square covers pixels 320..832.
    const int size = 1024;
    const double step = 0.2 / size;
    const double transform[6] = {28.9, step, 0, 41.15, 0, -step};
    writeImage(path, "GTiff", size, transform, "EPSG:4326", 320, 832);
    const double west = 28.9 + 320 * step, east = 28.9 + 832 * step;
    const double north = 41.15 - 320 * step, south = 41.15 - 832 * step;
    std::string input;
    for (const auto& [lon, lat] :
         {std::pair{west, north}, std::pair{east, north}, std::pair{east, south}, std::pair{west, south}}) {
        input += std::to_string(lon) + " " + std::to_string(lat) + "\n";
    }
    const auto grid = test::numberLines(
        test::runProgram(std::string("cs2cs -f %.4f +proj=longlat +ellps=WGS84 +to ") + kSurveyProj, input));
    ASSERT_EQ(grid.size(), 4u);
    std::vector<std::pair<double, double>> corners;
    for (const auto& g : grid) {
        corners.emplace_back(g.at(0), g.at(1));
    }

    for (const bool withOverviews : {false, true}) {
        SCOPED_TRACE(withOverviews ? "with overviews" : "without overviews");
        if (withOverviews) {
            ASSERT_TRUE(RasterBackground::buildOverviews(path).ok());
        }
        RasterBackgroundOpen open = RasterBackground::open(path, inSurveyGrid());
        ASSERT_TRUE(open.ok()) << open.error;
        EXPECT_EQ(open.background->overviewCount(), withOverviews ? 2 : 0);
        ASSERT_TRUE(open.background->surveyExtent());
        const GridExtent extent = *open.background->surveyExtent();
        // A view a little larger than the image: beyond the image it is transparent.
        const GridView view{
            extent.minXM - 500, extent.minYM - 500, extent.maxXM + 500, extent.maxYM + 500, 320, 300};
        const RgbaRender render = open.background->render(view);
        ASSERT_TRUE(render.ok()) << render.error;
        ASSERT_EQ(render.image.width, 320);
        ASSERT_EQ(render.image.height, 300);
        expectSquare(render.image, view, corners);
        EXPECT_EQ(render.image.pixel(2, 2) >> 24, 0u);
        EXPECT_EQ(render.image.toQImage().pixel(2, 2) >> 24, 0u);
    }
}

TEST(RasterBackground, AWorldFileImageWithoutCrsIsTakenInTheSurveyGrid) {
    test::TempDir dir;
    const fs::path path = dir / "plan.png";
    // 200 pixels of 5 m from 500000, 4541000 (north-west corner); the square covers pixels 50..150.
    const double transform[6] = {500000, 5, 0, 4541000, 0, -5};
    const char* const options[] = {"WORLDFILE=YES", nullptr};
    writeImage(path, "PNG", 200, transform, nullptr, 50, 150, options);
    fs::remove(dir / "plan.png.aux.xml");
    ASSERT_TRUE(fs::exists(dir / "plan.wld"));
    RasterBackgroundOpen open = RasterBackground::open(path, inSurveyGrid());
    ASSERT_TRUE(open.ok()) << open.error;
    const GridView view{500000, 4540000, 501000, 4541000, 250, 250};
    const RgbaRender render = open.background->render(view);
    ASSERT_TRUE(render.ok()) << render.error;
    expectSquare(render.image, view,
                 {{500250, 4540750}, {500750, 4540750}, {500750, 4540250}, {500250, 4540250}});
}

TEST(RasterBackground, UnreadableOrUnplacedImagesAreRefused) {
    test::TempDir dir;
    const double transform[6] = {0, 1, 0, 0, 0, -1};
    writeImage(dir / "bare.png", "PNG", 16, transform, nullptr, 0, 0);
    fs::remove(dir / "bare.png.aux.xml");
    std::ofstream(dir / "junk.tif") << "not an image";
    const std::pair<const char*, const char*> cases[] = {
        {"bare.png", "world file"}, {"junk.tif", "cannot be opened"}, {"missing.tif", "cannot be opened"}};
    for (const auto& [file, said] : cases) {
        const RasterBackgroundOpen open = RasterBackground::open(dir / file, inSurveyGrid());
        EXPECT_FALSE(open.ok()) << file;
        EXPECT_NE(open.error.find(said), std::string::npos) << open.error;
        EXPECT_NE(open.error.find(file), std::string::npos) << open.error;
    }
}

class VectorBackgroundTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!test::gdalPythonExists()) {
            SELVIR_ORACLE_MISSING("GDAL's Python bindings (python3-gdal) are not installed");
        }
        const std::string script = std::string(SELVIR_SOURCE_DIR) + "/tests/gis/make_backgrounds.py";
        int status = -1;
        test::runProgram(std::string(test::kGdalPython) + " '" + script + "' '" + dir_.path().string() + "'",
                         "", &status);
        ASSERT_EQ(status, 0) << "make_backgrounds.py failed";
    }
    test::TempDir dir_;
};

TEST_F(VectorBackgroundTest, AnS57CellLoadsWithItsUpdateAndItsClasses) {
    const VectorBackgroundLoad chart = loadVectorBackground(dir_ / "TR000001.000", surveyWkt());
    ASSERT_TRUE(chart.ok()) << chart.error;
    const std::map<std::string, int> expected = {{"BCNLAT", 1}, {"BOYLAT", 1}, {"COALNE", 1}, {"DEPARE", 1},
                                                 {"DEPCNT", 1}, {"LNDARE", 1}, {"SOUNDG", 2}};
    EXPECT_EQ(chart.countByClass, expected);
    EXPECT_EQ(chart.features.size(), 8u);
    std::vector<double> soundings;
    for (const BackgroundFeature& f : chart.features) {
        SCOPED_TRACE(f.objectClass);
        if (f.objectClass == "DEPARE") {
            EXPECT_EQ(f.kind, BackgroundKind::Area);
            EXPECT_EQ(f.fill, AreaFill::DepthArea);
            EXPECT_EQ(f.minDepthM, 0);
            EXPECT_EQ(f.maxDepthM, 5);
        } else if (f.objectClass == "LNDARE") {
            EXPECT_EQ(f.fill, AreaFill::Land);
        } else if (f.objectClass == "DEPCNT") {
            EXPECT_EQ(f.kind, BackgroundKind::Line);
            EXPECT_EQ(f.depthM, 5);
        } else if (f.objectClass == "SOUNDG") {
            EXPECT_EQ(f.kind, BackgroundKind::Sounding);
            soundings.push_back(f.depthM);
            if (f.depthM == 3.4) {
                // 41.002° N 29.002° E in the survey grid, as cs2cs puts it.
                const auto grid = test::numberLines(test::runProgram(
                    std::string("cs2cs -f %.4f +proj=longlat +ellps=WGS84 +to ") + kSurveyProj,
                    "29.002 41.002\n"));
                ASSERT_EQ(grid.size(), 1u);
                EXPECT_NEAR(f.parts.at(0).at(0).xM, grid[0].at(0), 0.01);
                EXPECT_NEAR(f.parts.at(0).at(0).yM, grid[0].at(1), 0.01);
            }
        } else if (f.objectClass == "BOYLAT") {
            EXPECT_EQ(f.kind, BackgroundKind::Symbol);
            EXPECT_EQ(f.symbol, SymbolKind::Buoy);
            EXPECT_EQ(f.name, "Giris");
        } else if (f.objectClass == "BCNLAT") {
            EXPECT_EQ(f.symbol, SymbolKind::Beacon);
        }
    }
    EXPECT_EQ(soundings, (std::vector<double>{3.4, 4.5}));
}

TEST_F(VectorBackgroundTest, AGeoPackageAndAGeoJsonLoadIntoTheSurveyGrid) {
    const VectorBackgroundLoad plan = loadVectorBackground(dir_ / "plan.gpkg", surveyWkt());
    ASSERT_TRUE(plan.ok()) << plan.error;
    EXPECT_EQ(plan.countByClass, (std::map<std::string, int>{{"coast", 2}, {"soundings", 3}, {"zones", 2}}));
    const auto sounding =
        std::find_if(plan.features.begin(), plan.features.end(),
                     [](const BackgroundFeature& f) { return f.objectClass == "soundings"; });
    ASSERT_NE(sounding, plan.features.end());
    EXPECT_EQ(sounding->kind, BackgroundKind::Sounding);
    EXPECT_EQ(sounding->depthM, 7.5);
    const auto grid = test::numberLines(test::runProgram(
        std::string("cs2cs -f %.4f +proj=utm +zone=35 +ellps=WGS84 +to ") + kSurveyProj, "668000 4540000\n"));
    ASSERT_EQ(grid.size(), 1u);
    EXPECT_NEAR(sounding->parts[0][0].xM, grid[0].at(0), 0.01);
    EXPECT_NEAR(sounding->parts[0][0].yM, grid[0].at(1), 0.01);

    std::ofstream(dir_ / "mark.geojson")
        << R"({"type":"FeatureCollection","features":[{"type":"Feature","properties":{"name":"Mark"},)"
        << R"("geometry":{"type":"Point","coordinates":[30.0,41.0]}}]})";
    const VectorBackgroundLoad mark = loadVectorBackground(dir_ / "mark.geojson", surveyWkt());
    ASSERT_TRUE(mark.ok()) << mark.error;
    ASSERT_EQ(mark.features.size(), 1u);
    EXPECT_EQ(mark.features[0].name, "Mark");
    EXPECT_NEAR(mark.features[0].parts[0][0].xM, 500000, 1e-6);
    EXPECT_NEAR(mark.features[0].parts[0][0].yM, 4540573.291, 1e-3); // the TM worked example

    const VectorBackgroundLoad missing = loadVectorBackground(dir_ / "none.shp", surveyWkt());
    EXPECT_FALSE(missing.ok());
    EXPECT_NE(missing.error.find("none.shp"), std::string::npos);
}

} // namespace
} // namespace selvir
