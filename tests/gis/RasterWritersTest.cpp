// Grids written as GeoTIFF, BAG, GeoPackage and XYZ, read back through GDAL itself.
#include "gis/RasterWriters.h"

#include "GisOracles.h"
#include "SurveyGrids.h"
#include "core/AtomicFile.h"
#include "gis/CrsWkt.h"
#include "gis/GdalSupport.h"

#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>

namespace selvir {
namespace {

namespace fs = std::filesystem;

// A planar seabed, 10 m + 0.01·x′ + 0.02·y′ below datum over 2 m cells, with two empty cells; given
// south row first, as a gridder may.
GridRaster planarGrid(GridRaster::RowOrder order) {
    GridRaster grid;
    grid.originXM = 500100;
    grid.cellSizeM = 2;
    grid.rows = 6;
    grid.columns = 7;
    grid.rowOrder = order;
    grid.originYM = order == GridRaster::RowOrder::NorthFirst ? 4540212 : 4540200;
    for (int r = 0; r < grid.rows; ++r) {
        for (int c = 0; c < grid.columns; ++c) {
            grid.depthM.push_back(static_cast<float>(10 + 0.01 * (grid.centreXM(c) - 500100) +
                                                     0.02 * (grid.centreYM(r) - 4540200)));
            grid.uncertaintyM.push_back(static_cast<float>(0.1 + 0.01 * c));
        }
    }
    grid.depthM[static_cast<std::size_t>(1 * grid.columns + 2)] = NAN;
    grid.depthM[static_cast<std::size_t>(4 * grid.columns + 6)] = NAN;
    return grid;
}

double planeDepth(double x, double y) {
    return 10 + 0.01 * (x - 500100) + 0.02 * (y - 4540200);
}

std::string surveyWkt() {
    return test::ed50Wkt();
}

struct ReadBack {
    int bands = 0;
    double transform[6] = {};
    std::vector<std::vector<float>> values; // per band, north row first
    std::vector<double> nodata;
    std::vector<std::string> descriptions;
    std::string wkt;
    int width = 0, height = 0;
};

ReadBack readWithGdal(const fs::path& path) {
    gis::ensureGdal();
    ReadBack back;
    gis::DatasetHandle ds(GDALOpen(path.c_str(), GA_ReadOnly));
    if (!ds) {
        return back;
    }
    back.bands = GDALGetRasterCount(ds.get());
    back.width = GDALGetRasterXSize(ds.get());
    back.height = GDALGetRasterYSize(ds.get());
    GDALGetGeoTransform(ds.get(), back.transform);
    if (OGRSpatialReferenceH srs = GDALGetSpatialRef(ds.get())) {
        char* text = nullptr;
        OSRExportToWkt(srs, &text);
        back.wkt = text;
        CPLFree(text);
    }
    for (int b = 1; b <= back.bands; ++b) {
        GDALRasterBandH band = GDALGetRasterBand(ds.get(), b);
        std::vector<float> values(static_cast<std::size_t>(back.width * back.height));
        EXPECT_EQ(GDALRasterIO(band, GF_Read, 0, 0, back.width, back.height, values.data(), back.width,
                               back.height, GDT_Float32, 0, 0),
                  CE_None);
        back.values.push_back(values);
        back.nodata.push_back(GDALGetRasterNoDataValue(band, nullptr));
        back.descriptions.push_back(GDALGetDescription(band));
    }
    return back;
}

// The same horizontal CRS, TOWGS84 included (BAG adds an unknown vertical CRS of its own).
bool sameCrs(const std::string& a, const std::string& b) {
    std::string error;
    gis::SpatialReferenceHandle x = gis::spatialReference(a, error), y = gis::spatialReference(b, error);
    if (!x || !y) {
        return false;
    }
    OSRStripVertical(x.get());
    OSRStripVertical(y.get());
    double tx[7] = {}, ty[7] = {};
    const bool towgs84 = OSRGetTOWGS84(x.get(), tx, 7) == OSRGetTOWGS84(y.get(), ty, 7) &&
                         std::equal(std::begin(tx), std::end(tx), std::begin(ty),
                                    [](double u, double v) { return std::fabs(u - v) <= 1e-9; });
    return towgs84 && OSRIsSame(x.get(), y.get());
}

TEST(RasterWriters, EveryFormatHoldsThePlaneItsNodataAndItsCrs) {
    const struct {
        const char* file;
        bool elevation;
        int bands;
        double sign; // band 1 = sign·depth
    } cases[] = {
        {"depth.tif", false, 2, 1}, {"height.tif", true, 2, -1}, {"grid.bag", false, 2, -1},
        {"grid.bag", true, 2, -1},  {"grid.gpkg", false, 1, 1},
    };
    test::TempDir dir;
    for (const GridRaster::RowOrder order :
         {GridRaster::RowOrder::NorthFirst, GridRaster::RowOrder::SouthFirst}) {
        const GridRaster grid = planarGrid(order);
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.file) + (c.elevation ? " --elevation" : "") +
                         (order == GridRaster::RowOrder::SouthFirst ? ", south row first" : ""));
            const fs::path path = dir / c.file;
            RasterWriteOptions options;
            options.crsWkt = surveyWkt();
            options.elevation = c.elevation;
            const WriteResult written = writeRaster(grid, path, *rasterFormatForPath(path), options);
            ASSERT_TRUE(written.ok()) << written.error;
            const ReadBack back = readWithGdal(path);
            ASSERT_EQ(back.bands, c.bands);
            ASSERT_EQ(back.width, 7);
            ASSERT_EQ(back.height, 6);
            EXPECT_DOUBLE_EQ(back.transform[0], 500100);
            EXPECT_DOUBLE_EQ(back.transform[3], 4540212);
            EXPECT_DOUBLE_EQ(back.transform[1], 2);
            EXPECT_DOUBLE_EQ(back.transform[5], -2);
            EXPECT_TRUE(sameCrs(back.wkt, options.crsWkt)) << back.wkt;
            EXPECT_EQ(back.nodata[0], kRasterNodata);
            int empty = 0;
            for (int r = 0; r < 6; ++r) {
                for (int col = 0; col < 7; ++col) {
                    const float v = back.values[0][static_cast<std::size_t>(r * 7 + col)];
                    const double x = back.transform[0] + (col + 0.5) * 2,
                                 y = back.transform[3] - (r + 0.5) * 2;
                    if (v == kRasterNodata) {
                        ++empty;
                        continue;
                    }
                    EXPECT_NEAR(v, c.sign * planeDepth(x, y), 1e-4) << r << "," << col;
                }
            }
            EXPECT_EQ(empty, 2);
            if (c.bands == 2) {
                EXPECT_NEAR(back.values[1][3], 0.13, 1e-6); // column 3 of the north row
            }
        }
    }
}

TEST(RasterWriters, BagOpensWithItsTwoBandsAndUnknownUncertaintyIsNodata) {
    test::TempDir dir;
    GridRaster grid = planarGrid(GridRaster::RowOrder::NorthFirst);
    grid.uncertaintyM.clear();
    RasterWriteOptions options;
    options.crsWkt = surveyWkt();
    ASSERT_TRUE(writeRaster(grid, dir / "survey.bag", RasterFormat::Bag, options).ok());
    const ReadBack back = readWithGdal(dir / "survey.bag");
    ASSERT_EQ(back.bands, 2);
    EXPECT_EQ(back.descriptions[0], "elevation");
    EXPECT_EQ(back.descriptions[1], "uncertainty");
    for (const float u : back.values[1]) {
        EXPECT_EQ(u, kRasterNodata);
    }
    if (test::programExists("gdalinfo")) {
        int status = -1;
        const std::string info =
            test::runProgram("gdalinfo '" + (dir / "survey.bag").string() + "'", "", &status);
        EXPECT_EQ(status, 0);
        EXPECT_NE(info.find("Driver: BAG"), std::string::npos) << info;
    }
}

TEST(RasterWriters, XyzListsCellsWithDataAndAPrjBesideWhateverTheLocale) {
    test::TempDir dir;
    const test::DecimalCommaLocale comma;
    if (!comma.active()) {
        SELVIR_ORACLE_MISSING(
            "no decimal-comma locale (tr_TR.UTF-8, de_DE.UTF-8): scripts/deps.sh makes them");
    }
    const GridRaster grid = planarGrid(GridRaster::RowOrder::SouthFirst);
    RasterWriteOptions options;
    options.crsWkt = surveyWkt();
    ASSERT_TRUE(writeRaster(grid, dir / "grid.xyz", RasterFormat::Xyz, options).ok());
    std::string text;
    ASSERT_TRUE(readWholeFile(dir / "grid.xyz", text));
    std::setlocale(LC_ALL, "C");
    const auto lines = test::numberLines(text);
    ASSERT_EQ(lines.size(), 40u); // 42 cells, 2 empty
    EXPECT_EQ(text.find(','), std::string::npos);
    EXPECT_EQ(text.substr(0, text.find('\n')), "500101.000 4540211.000 10.230");
    for (const auto& line : lines) {
        ASSERT_EQ(line.size(), 3u);
        EXPECT_NEAR(line[2], planeDepth(line[0], line[1]), 6e-4);
    }
    std::string prj;
    ASSERT_TRUE(readWholeFile(dir / "grid.prj", prj));
    EXPECT_TRUE(sameCrs(prj, options.crsWkt)) << prj;
}

TEST(RasterWriters, AFailedWriteLeavesTheOldFileAndNoTemporaryFiles) {
    test::TempDir dir;
    const fs::path target = dir / "depth.tif";
    ASSERT_TRUE(writeFileAtomically(target, "the old product"));
    RasterWriteOptions options;
    options.crsWkt = surveyWkt();
    int calls = 0;
    options.progress = [&calls](double) { return ++calls < 2; }; // cancels mid-way
    const WriteResult cancelled =
        writeRaster(planarGrid(GridRaster::RowOrder::NorthFirst), target, RasterFormat::GeoTiff, options);
    EXPECT_FALSE(cancelled.ok());
    EXPECT_NE(cancelled.error.find(target.string()), std::string::npos) << cancelled.error;

    GridRaster broken = planarGrid(GridRaster::RowOrder::NorthFirst);
    broken.depthM.pop_back();
    options.progress = {};
    const WriteResult mismatch = writeRaster(broken, target, RasterFormat::GeoTiff, options);
    EXPECT_NE(mismatch.error.find("41 depths for 42 cells"), std::string::npos) << mismatch.error;
    options.crsWkt = "not a CRS";
    EXPECT_FALSE(
        writeRaster(planarGrid(GridRaster::RowOrder::NorthFirst), target, RasterFormat::GeoTiff, options)
            .ok());

    std::string kept;
    ASSERT_TRUE(readWholeFile(target, kept));
    EXPECT_EQ(kept, "the old product");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir.path())) {
        ++files;
    }
    EXPECT_EQ(files, 1);
    options.crsWkt = surveyWkt();
    EXPECT_FALSE(writeRaster(planarGrid(GridRaster::RowOrder::NorthFirst), dir / "no folder" / "x.tif",
                             RasterFormat::GeoTiff, options)
                     .ok());
}

} // namespace
} // namespace selvir
