// GeoPackage and Shapefile layers read back through OGR.
#include "gis/VectorWriters.h"

#include "GisOracles.h"
#include "SurveyGrids.h"
#include "gis/CrsWkt.h"
#include "gis/GdalSupport.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>

namespace selvir {
namespace {

namespace fs = std::filesystem;

std::string surveyWkt() {
    return test::ed50Wkt();
}

// The export's five layers: soundings and events as points with attributes, tracklines and runlines as
// lines, and contours.
std::vector<VectorLayerData> exportLayers() {
    VectorLayerData soundings{"soundings",
                              GeometryKind::Point,
                              {{"time", FieldType::DateTime},
                               {"depth_below_datum_m", FieldType::Real},
                               {"fix_quality", FieldType::Integer},
                               {"flags", FieldType::String}},
                              {}};
    for (int i = 0; i < 250; ++i) {
        soundings.features.push_back(
            {{{{500000.0 + i, 4540000.0 + 0.5 * i}}},
             {std::string("2026-04-07T10:00:") + (i % 60 < 10 ? "0" : "") + std::to_string(i % 60) + ".150",
              12.5 + 0.01 * i, static_cast<long long>(4),
              i % 50 == 0 ? FieldValue{std::string("no_water_level")} : FieldValue{}}});
    }
    VectorLayerData tracklines{
        "tracklines", GeometryKind::LineString, {{"fix_quality", FieldType::Integer}}, {}};
    tracklines.features.push_back({{{{500000, 4540000}, {500100, 4540050}, {500200, 4540060}}}, {4LL}});
    tracklines.features.push_back({{{{500200, 4540060}, {500300, 4540080}}}, {5LL}});
    VectorLayerData events{
        "events", GeometryKind::Point, {{"number", FieldType::Integer}, {"text", FieldType::String}}, {}};
    events.features.push_back({{{{500050, 4540025}}}, {1LL, std::string("Şamandıra 1")}});
    VectorLayerData runlines{"runlines", GeometryKind::LineString, {{"name", FieldType::String}}, {}};
    for (int i = 0; i < 3; ++i) {
        runlines.features.push_back({{{{500000.0, 4540000.0 + 25 * i}, {500400.0, 4540000.0 + 25 * i}}},
                                     {std::string("L") + std::to_string(i + 1)}});
    }
    const std::vector<DepthPolyline> contours = {
        {{{500000, 4540000}, {500100, 4540000}, {500100, 4540100}}, 10, true},
        {{{500000, 4540200}, {500400, 4540200}}, 12.5, false},
    };
    return {soundings, tracklines, events, runlines, contourLayer(contours)};
}

struct LayerRead {
    long long count = 0;
    std::string geometry;
    std::vector<std::map<std::string, std::string>> rows; // first rows' fields as text
    std::vector<std::vector<std::pair<double, double>>> points;
    bool crsSame = false;
};

std::map<std::string, LayerRead> readLayers(const fs::path& path, const std::string& expectedWkt) {
    gis::ensureGdal();
    std::map<std::string, LayerRead> layers;
    gis::DatasetHandle ds(GDALOpenEx(path.c_str(), GDAL_OF_VECTOR, nullptr, nullptr, nullptr));
    if (!ds) {
        return layers;
    }
    std::string error;
    gis::SpatialReferenceHandle expected = gis::spatialReference(expectedWkt, error);
    for (int i = 0; i < GDALDatasetGetLayerCount(ds.get()); ++i) {
        OGRLayerH layer = GDALDatasetGetLayer(ds.get(), i);
        LayerRead& read = layers[OGR_L_GetName(layer)];
        read.count = OGR_L_GetFeatureCount(layer, TRUE);
        read.geometry = OGRGeometryTypeToName(OGR_L_GetGeomType(layer));
        double got[7] = {}, wanted[7] = {};
        read.crsSame = OGR_L_GetSpatialRef(layer) && OSRIsSame(OGR_L_GetSpatialRef(layer), expected.get()) &&
                       OSRGetTOWGS84(OGR_L_GetSpatialRef(layer), got, 7) == OGRERR_NONE &&
                       OSRGetTOWGS84(expected.get(), wanted, 7) == OGRERR_NONE &&
                       std::equal(std::begin(got), std::end(got), std::begin(wanted),
                                  [](double u, double v) { return std::fabs(u - v) <= 1e-9; });
        OGRFeatureDefnH definition = OGR_L_GetLayerDefn(layer);
        for (OGRFeatureH f; (f = OGR_L_GetNextFeature(layer)) != nullptr;) {
            std::map<std::string, std::string> row;
            for (int k = 0; k < OGR_FD_GetFieldCount(definition); ++k) {
                row[OGR_Fld_GetNameRef(OGR_FD_GetFieldDefn(definition, k))] =
                    OGR_F_IsFieldSetAndNotNull(f, k) ? OGR_F_GetFieldAsString(f, k) : "<null>";
            }
            read.rows.push_back(row);
            OGRGeometryH g = OGR_F_GetGeometryRef(f);
            std::vector<std::pair<double, double>> xy;
            for (int k = 0; k < OGR_G_GetPointCount(g); ++k) {
                xy.emplace_back(OGR_G_GetX(g, k), OGR_G_GetY(g, k));
            }
            read.points.push_back(xy);
            OGR_F_Destroy(f);
        }
    }
    return layers;
}

TEST(VectorWriters, TheExportGeoPackageHoldsItsFiveLayers) {
    test::TempDir dir;
    const fs::path path = dir / "survey.gpkg";
    double lastProgress = 0;
    const WriteResult written =
        writeVectorLayers(exportLayers(), path, VectorFormat::GeoPackage, surveyWkt(), [&](double p) {
            EXPECT_GE(p, lastProgress);
            lastProgress = p;
            return true;
        });
    ASSERT_TRUE(written.ok()) << written.error;
    EXPECT_EQ(lastProgress, 1.0);
    auto layers = readLayers(path, surveyWkt());
    const std::map<std::string, std::pair<long long, std::string>> expected = {
        {"soundings", {250, "Point"}},
        {"tracklines", {2, "Line String"}},
        {"events", {1, "Point"}},
        {"runlines", {3, "Line String"}},
        {"contours", {2, "Line String"}}};
    ASSERT_EQ(layers.size(), expected.size());
    for (const auto& [name, countAndType] : expected) {
        SCOPED_TRACE(name);
        EXPECT_EQ(layers[name].count, countAndType.first);
        EXPECT_EQ(layers[name].geometry, countAndType.second);
        EXPECT_TRUE(layers[name].crsSame);
    }
    const auto& first = layers["soundings"].rows.at(0);
    EXPECT_EQ(first.at("time"), "2026/04/07 10:00:00.150");
    EXPECT_EQ(first.at("depth_below_datum_m"), "12.5");
    EXPECT_EQ(first.at("fix_quality"), "4");
    EXPECT_EQ(first.at("flags"), "no_water_level");
    EXPECT_EQ(layers["soundings"].rows.at(1).at("flags"), "<null>");
    EXPECT_EQ(layers["soundings"].points.at(3),
              (std::vector<std::pair<double, double>>{{500003, 4540001.5}}));
    EXPECT_EQ(layers["events"].rows.at(0).at("text"), "Şamandıra 1");
    // A closed contour ends on its first point; an open one does not.
    EXPECT_EQ(layers["contours"].points.at(0),
              (std::vector<std::pair<double, double>>{
                  {500000, 4540000}, {500100, 4540000}, {500100, 4540100}, {500000, 4540000}}));
    EXPECT_EQ(layers["contours"].points.at(1).size(), 2u);
    EXPECT_EQ(layers["contours"].rows.at(0).at("closed"), "1");
    EXPECT_EQ(layers["contours"].rows.at(1).at("depth_m"), "12.5");
}

TEST(VectorWriters, ContoursAsAShapefileWithItsPrj) {
    test::TempDir dir;
    const std::vector<DepthPolyline> contours = {{{{0, 0}, {10, 0}}, 5, false},
                                                 {{{0, 5}, {10, 5}}, 7.5, false}};
    const fs::path path = dir / "contours.shp";
    ASSERT_TRUE(writeVectorLayers({contourLayer(contours)}, path, VectorFormat::Shapefile, surveyWkt()).ok());
    for (const char* ext : {".shp", ".shx", ".dbf", ".prj"}) {
        EXPECT_TRUE(fs::exists(dir / (std::string("contours") + ext))) << ext;
    }
    auto layers = readLayers(path, surveyWkt());
    ASSERT_EQ(layers.size(), 1u);
    EXPECT_EQ(layers.begin()->second.count, 2);
    EXPECT_TRUE(layers.begin()->second.crsSame);
    EXPECT_EQ(std::stod(layers.begin()->second.rows.at(1).at("depth_m")), 7.5);
    int files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir.path())) {
        ++files;
    }
    EXPECT_LE(files, 5); // .shp .shx .dbf .prj and perhaps .cpg: no temporary names left
}

TEST(VectorWriters, BadLayersAreRefusedWithTheirFeatureNamed) {
    test::TempDir dir;
    std::vector<VectorLayerData> layers = exportLayers();
    layers[1].features[1].parts[0].resize(1); // a line of one point
    const WriteResult line = writeVectorLayers(layers, dir / "a.gpkg", VectorFormat::GeoPackage, surveyWkt());
    EXPECT_NE(line.error.find("layer \"tracklines\", feature 2"), std::string::npos) << line.error;
    layers = exportLayers();
    layers[2].features[0].values.pop_back();
    const WriteResult values =
        writeVectorLayers(layers, dir / "a.gpkg", VectorFormat::GeoPackage, surveyWkt());
    EXPECT_NE(values.error.find("1 values for 2 fields"), std::string::npos) << values.error;
    EXPECT_FALSE(writeVectorLayers(exportLayers(), dir / "a.shp", VectorFormat::Shapefile, surveyWkt()).ok());
    EXPECT_FALSE(fs::exists(dir / "a.gpkg"));
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

} // namespace
} // namespace selvir
