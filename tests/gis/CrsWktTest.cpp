// The settings' chain as WKT: points through our own chain and through GDAL/PROJ with the WKT agree.
#include "gis/CrsWkt.h"

#include "GisOracles.h"
#include "SurveyGrids.h"
#include "gis/EpsgChain.h"
#include "gis/GdalSupport.h"

#include <cmath>
#include <gtest/gtest.h>

namespace selvir {
namespace {

GeodeticParameters ed50() {
    return test::ed50Tm27();
}

GeodeticParameters lambert(bool onePararallel) {
    GeodeticParameters p = ed50();
    p.cbUseLCCProjection = true;
    p.cLambert1 = onePararallel;
    p.eLCCSP1 = "36";
    p.eLCCSP2 = "42";
    p.eLCCCP = "39";
    p.eLCCM = "27.5";
    p.eLCCSF = "0.9996";
    p.eLCCFE = "600000";
    p.eLCCFN = "200000";
    return p;
}

constexpr double kEarthRadiusM = 6.4e6;
constexpr double kArcsecRad = M_PI / 180 / 3600;

// What a reader's small-angle TOWGS84 may differ from our exact rotation by, plus the TM series' own
// bound against the exact projection within 4° of the central meridian (TransverseMercator.h; Lambert
// has no series).
double toleranceM(const GeodeticParameters& p, bool tm) {
    const double rx = std::stod(p.edRX) * kArcsecRad, ry = std::stod(p.edRY) * kArcsecRad,
                 rz = std::stod(p.edRZ) * kArcsecRad;
    return (rx * rx + ry * ry + rz * rz) * kEarthRadiusM + (tm ? 1e-3 : 1e-5);
}

struct Transforms {
    gis::CoordinateTransformationHandle toGrid, toWgs84;
};

Transforms ogrTransforms(const std::string& wkt) {
    std::string error;
    gis::SpatialReferenceHandle grid = gis::spatialReference(wkt, error);
    EXPECT_TRUE(grid) << error;
    gis::SpatialReferenceHandle wgs84 = gis::spatialReference("EPSG:4326", error);
    Transforms t;
    if (grid && wgs84) {
        t.toGrid.reset(OCTNewCoordinateTransformation(wgs84.get(), grid.get()));
        t.toWgs84.reset(OCTNewCoordinateTransformation(grid.get(), wgs84.get()));
    }
    return t;
}

TEST(CrsWkt, GdalPlacesPointsWhereTheSettingsChainDoesBothWays) {
    const struct {
        const char* what;
        GeodeticParameters parameters;
        bool tm;
    } cases[] = {
        {"ED50 / TM 27", ed50(), true},
        {"ED50 / Lambert 2SP", lambert(false), false},
        {"ED50 / Lambert 1SP", lambert(true), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const CrsWktResult wkt = settingsCrsWkt(c.parameters);
        ASSERT_TRUE(wkt.ok()) << wkt.error;
        const RealtimeChainSetup chain = RealtimeChain::create(c.parameters);
        ASSERT_TRUE(chain.ok());
        const Transforms ogr = ogrTransforms(wkt.wkt);
        ASSERT_TRUE(ogr.toGrid && ogr.toWgs84) << wkt.wkt;
        const double tolerance = toleranceM(c.parameters, c.tm);
        ASSERT_LT(tolerance, 2e-3); // millimetre-level
        for (double lat = 39.6; lat <= 42.0; lat += 0.6) {
            for (double lon = 25.9; lon <= 28.3; lon += 0.8) {
                const FixConversion fix = chain.chain->convert(lat, lon, 0);
                ASSERT_TRUE(fix.ok());
                double x = lon, y = lat, z = 0;
                ASSERT_TRUE(OCTTransform(ogr.toGrid.get(), 1, &x, &y, &z));
                EXPECT_NEAR(x, static_cast<double>(fix.eastingM), tolerance) << lat << " " << lon;
                EXPECT_NEAR(y, static_cast<double>(fix.northingM), tolerance) << lat << " " << lon;
                // Back from our grid position through GDAL lands on the fix, given the local height the
                // fix has there (the two ellipsoids' normals differ by seconds of arc, so a height of 0
                // on the local ellipsoid would be another point, 0.5 mm away for 30 m of height).
                x = static_cast<double>(fix.eastingM);
                y = static_cast<double>(fix.northingM);
                z = static_cast<double>(fix.local.heightM);
                ASSERT_TRUE(OCTTransform(ogr.toWgs84.get(), 1, &x, &y, &z));
                EXPECT_NEAR((y - lat) * 111e3, 0, tolerance) << lat << " " << lon;
                EXPECT_NEAR((x - lon) * 111e3 * std::cos(lat * M_PI / 180), 0, tolerance)
                    << lat << " " << lon;
            }
        }
    }
}

TEST(CrsWkt, TheWktCarriesTheSurveyorsNumbersExactlyAndWithPoints) {
    GeodeticParameters p = ed50();
    p.edSX = "-84.0031234567";
    const CrsWktResult plain = settingsCrsWkt(p);
    ASSERT_TRUE(plain.ok());
    std::string error;
    gis::SpatialReferenceHandle srs = gis::spatialReference(plain.wkt, error);
    ASSERT_TRUE(srs) << error;
    double towgs84[7] = {};
    ASSERT_EQ(OSRGetTOWGS84(srs.get(), towgs84, 7), OGRERR_NONE);
    // Shifts as entered, rotations negated (coordinate frame to position vector), scale as entered.
    const double expected[7] = {-84.0031234567, -102.315, -129.879, -1.0859, 0.3056, 0.3147, -1.4};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(towgs84[i], expected[i]) << i;
    }
    EXPECT_DOUBLE_EQ(OSRGetSemiMajor(srs.get(), nullptr), 6378388);
    EXPECT_NEAR(OSRGetInvFlattening(srs.get(), nullptr), 297, 1e-9);
    EXPECT_EQ(OSRGetProjParm(srs.get(), SRS_PP_CENTRAL_MERIDIAN, -1, nullptr), 27);
    EXPECT_EQ(plain.wkt.find("ED50 \"Turkey\""), std::string::npos)
        << "a quote in the name ends the WKT name";

    const test::DecimalCommaLocale comma;
    if (!comma.active()) {
        SELVIR_ORACLE_MISSING(
            "no decimal-comma locale (tr_TR.UTF-8, de_DE.UTF-8): scripts/deps.sh makes them");
    }
    EXPECT_EQ(settingsCrsWkt(p).wkt, plain.wkt);
}

TEST(CrsWkt, UnusableSettingsAreNamed) {
    GeodeticParameters p = ed50();
    p.edCM = "27,5";
    const CrsWktResult wkt = settingsCrsWkt(p);
    EXPECT_FALSE(wkt.ok());
    EXPECT_NE(wkt.error.find("Central Meridian"), std::string::npos) << wkt.error;
}

TEST(CrsWkt, EpsgWktIsTheCodesCrs) {
    for (const int code : {5255, 2154, 32735, 27700}) {
        const CrsWktResult wkt = epsgCrsWkt(code);
        ASSERT_TRUE(wkt.ok()) << wkt.error;
        std::string error;
        gis::SpatialReferenceHandle fromWkt = gis::spatialReference(wkt.wkt, error);
        gis::SpatialReferenceHandle fromCode = gis::spatialReference("EPSG:" + std::to_string(code), error);
        gis::SpatialReferenceHandle wgs84 = gis::spatialReference("EPSG:4326", error);
        ASSERT_TRUE(fromWkt && fromCode && wgs84);
        EXPECT_STREQ(OSRGetAuthorityCode(fromWkt.get(), nullptr), std::to_string(code).c_str());
        // WKT1 carries no axis order of its own: compare positions, easting first in both.
        const Transforms a = ogrTransforms(wkt.wkt);
        gis::CoordinateTransformationHandle b(OCTNewCoordinateTransformation(wgs84.get(), fromCode.get()));
        double areaWest = 0, areaSouth = 0, areaEast = 0, areaNorth = 0;
        ASSERT_TRUE(OSRGetAreaOfUse(fromCode.get(), &areaWest, &areaSouth, &areaEast, &areaNorth, nullptr));
        double x1 = (areaWest + areaEast) / 2, y1 = (areaSouth + areaNorth) / 2, x2 = x1, y2 = y1;
        ASSERT_TRUE(OCTTransform(a.toGrid.get(), 1, &x1, &y1, nullptr));
        ASSERT_TRUE(OCTTransform(b.get(), 1, &x2, &y2, nullptr));
        EXPECT_NEAR(x1, x2, 1e-6) << code;
        EXPECT_NEAR(y1, y2, 1e-6) << code;
        EXPECT_EQ(EpsgChain::create(code).chain->crsWkt(), wkt.wkt);
    }
    EXPECT_FALSE(epsgCrsWkt(999999).ok());
}

} // namespace
} // namespace selvir
