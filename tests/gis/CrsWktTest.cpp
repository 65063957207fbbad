// The settings' chain as WKT: points through our own chain and through GDAL/PROJ with the WKT agree.
#include "GisOracles.h"
#include "gis/CrsWkt.h"
#include "gis/EpsgChain.h"
#include "gis/GdalSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace selvir {
namespace {

// ED50 in Turkey as surveyors enter it (from WGS-84, coordinate frame), rotations of about 1″.
GeodeticParameters ed50() {
    GeodeticParameters p;
    p.edNameOfDatum = "ED50 \"Turkey\"";
    p.edSMA = "6378388";
    p.edIF = "0.00336700336700337";
    p.edSX = "-84.003";
    p.edSY = "-102.315";
    p.edSZ = "-129.879";
    p.edRX = "1.0859";
    p.edRY = "-0.3056";
    p.edRZ = "-0.3147";
    p.edPPM = "-1.4";
    p.edCM = "27";
    p.edSF = "1";
    p.edFE = "500000";
    p.edFN = "0";
    return p;
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
                // Back from our grid position through GDAL lands on the fix.
                x = static_cast<double>(fix.eastingM);
                y = static_cast<double>(fix.northingM);
                z = 0;
                ASSERT_TRUE(OCTTransform(ogr.toWgs84.get(), 1, &x, &y, &z));
                EXPECT_NEAR((y - lat) * 111e3, 0, tolerance) << lat << " " << lon;
                EXPECT_NEAR((x - lon) * 111e3 * std::cos(lat * M_PI / 180), 0, tolerance) << lat << " " << lon;
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
    EXPECT_EQ(plain.wkt.find("ED50 \"Turkey\""), std::string::npos) << "a quote in the name ends the WKT name";

    const test::DecimalCommaLocale comma;
    if (!comma.active()) {
        SELVIR_ORACLE_MISSING("no decimal-comma locale (tr_TR.UTF-8, de_DE.UTF-8): scripts/deps.sh makes them");
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

TEST(CrsWkt, EpsgWktIsTheSameCrsAsTheCode) {
    for (const int code : {5255, 2154, 32735, 27700}) {
        const CrsWktResult wkt = epsgCrsWkt(code);
        ASSERT_TRUE(wkt.ok()) << wkt.error;
        std::string error;
        gis::SpatialReferenceHandle fromWkt = gis::spatialReference(wkt.wkt, error);
        gis::SpatialReferenceHandle fromCode = gis::spatialReference("EPSG:" + std::to_string(code), error);
        ASSERT_TRUE(fromWkt && fromCode);
        EXPECT_TRUE(OSRIsSame(fromWkt.get(), fromCode.get())) << code << ": " << wkt.wkt;
        EXPECT_EQ(EpsgChain::create(code).chain->crsWkt(), wkt.wkt);
    }
    EXPECT_FALSE(epsgCrsWkt(999999).ok());
}

} // namespace
} // namespace selvir
