// Geoid undulations against cs2cs with Debian's EGM96 grid, and a small grid of our own for the edges.
#include "gis/GeoidGrid.h"

#include "GisOracles.h"

#include <filesystem>
#include <gdal.h>
#include <gtest/gtest.h>

namespace selvir {
namespace {

namespace fs = std::filesystem;

TEST(GeoidGrid, Egm96UndulationsAreCs2csOwnToAMillimetre) {
    if (!test::programExists("cs2cs")) {
        SELVIR_ORACLE_MISSING("cs2cs (proj-bin) is not installed");
    }
    const GeoidGridOpen open = GeoidGrid::open("egm96_15.gtx"); // a bare name, from proj-data
    if (!open.ok()) {
        SELVIR_ORACLE_MISSING("egm96_15.gtx (proj-data) is not installed: " + open.error);
    }
    // A world-wide net, the survey area, a pole, the antimeridian and longitudes past 180.
    std::vector<std::pair<double, double>> points;
    for (double lat = -80; lat <= 80; lat += 20) {
        for (double lon = -175; lon < 180; lon += 37) {
            points.emplace_back(lat + 0.123, lon + 0.0456);
        }
    }
    for (const auto& p : std::initializer_list<std::pair<double, double>>{
             {41.0082, 28.9784}, {40.97, 29.06}, {89.9, 10}, {-89.95, -120}, {12.3, 180}, {-33.3, -180}}) {
        points.push_back(p);
    }
    std::string input;
    for (const auto& [lat, lon] : points) {
        input += std::to_string(lat) + " " + std::to_string(lon) + " 0\n";
    }
    // EGM96 heights (EPSG:5773) from ellipsoidal height 0 are −N.
    const auto expected =
        test::numberLines(test::runProgram("cs2cs -f %.6f EPSG:4979 EPSG:4326+5773", input));
    ASSERT_EQ(expected.size(), points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        const GeoidUndulation n = open.grid->undulation(points[i].first, points[i].second);
        ASSERT_TRUE(n.ok()) << n.error;
        EXPECT_NEAR(n.undulationM, -expected[i].at(2), 1e-3) << points[i].first << " " << points[i].second;
    }
    EXPECT_NEAR(open.grid->undulation(41, 389).undulationM, open.grid->undulation(41, 29).undulationM, 1e-6);
}

// A 1° x 1° grid over 40..43° N, 27..31° E holding the plane N = 30 + 0.5·lat − 0.25·lon (bilinear
// interpolation reproduces a plane exactly), written by GDAL's GTX driver.
fs::path writePlaneGrid(const fs::path& folder) {
    GDALAllRegister();
    const fs::path path = folder / "plane_grid.gtx";
    const int cols = 5, rows = 4;
    GDALDatasetH mem = GDALCreate(GDALGetDriverByName("MEM"), "", cols, rows, 1, GDT_Float32, nullptr);
    // Cell centres on whole degrees: the grid's nodes.
    double transform[6] = {26.5, 1, 0, 43.5, 0, -1};
    GDALSetGeoTransform(mem, transform);
    std::vector<float> values;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const double lat = 43 - r, lon = 27 + c;
            values.push_back(static_cast<float>(30 + 0.5 * lat - 0.25 * lon));
        }
    }
    EXPECT_EQ(GDALRasterIO(GDALGetRasterBand(mem, 1), GF_Write, 0, 0, cols, rows, values.data(), cols, rows,
                           GDT_Float32, 0, 0),
              CE_None);
    GDALDatasetH gtx =
        GDALCreateCopy(GDALGetDriverByName("GTX"), path.c_str(), mem, FALSE, nullptr, nullptr, nullptr);
    EXPECT_NE(gtx, nullptr);
    GDALClose(gtx);
    GDALClose(mem);
    return path;
}

TEST(GeoidGrid, APathIsReadAndInterpolatedInsideAndRefusedOutside) {
    test::TempDir dir;
    fs::create_directory(dir / "grids folder");
    const fs::path path = writePlaneGrid(dir / "grids folder");
    const GeoidGridOpen open = GeoidGrid::open(path.string());
    ASSERT_TRUE(open.ok()) << open.error;
    for (const auto& [lat, lon] : std::initializer_list<std::pair<double, double>>{
             {41.25, 29.5}, {40.0, 27.0}, {43.0, 31.0}, {42.999, 28.123}}) {
        const GeoidUndulation n = open.grid->undulation(lat, lon);
        ASSERT_TRUE(n.ok()) << lat << " " << lon << ": " << n.error;
        EXPECT_NEAR(n.undulationM, 30 + 0.5 * lat - 0.25 * lon, 1e-5) << lat << " " << lon;
    }
    for (const auto& [lat, lon] : std::initializer_list<std::pair<double, double>>{
             {39.5, 29}, {41, 32.5}, {41, -150}, {95, 29}, {NAN, 29}}) {
        const GeoidUndulation n = open.grid->undulation(lat, lon);
        EXPECT_FALSE(n.ok()) << lat << " " << lon << " gave " << n.undulationM;
        EXPECT_FALSE(n.error.empty());
    }
}

TEST(GeoidGrid, AMissingGridIsNamedInTheError) {
    for (const std::string name : {"no_such_geoid.gtx", "/nowhere/at/all/geoid.gtx", "", "my geoid.gtx"}) {
        const GeoidGridOpen open = GeoidGrid::open(name);
        EXPECT_FALSE(open.ok()) << name;
        EXPECT_NE(open.error.find(name.empty() ? "no geoid grid" : name), std::string::npos) << open.error;
    }
}

} // namespace
} // namespace selvir
