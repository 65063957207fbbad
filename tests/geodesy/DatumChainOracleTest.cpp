// The geocentric conversion, the seven-parameter step and the whole datum chain against PROJ.
#include "support/ProjOracle.h"
#include "core/ScanPattern.h"
#include "geodesy/DatumShift.h"
#include "geodesy/GeodesyText.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace selvir {
namespace {

using test::projEllipsoid;
using test::projNumber;
using test::ProjOperation;

struct NamedEllipsoid {
    const char* name;
    Ellipsoid ellipsoid;
};

const NamedEllipsoid kEllipsoids[] = {
    {"WGS-84", kWgs84Ellipsoid},
    {"International 1924", {6378388.0L, 1 / 297.0L}},
    {"Clarke 1866", {6378206.4L, 1 / 294.9786982L}},
    {"Krassowsky 1940", {6378245.0L, 1 / 298.3L}},
};

// Local datums with parameters of realistic size and sign, entered as "from WGS-84" (X_WGS84 = T +
// s·R·X_local, coordinate frame), plus one with rotations far beyond the small-angle range.
struct NamedDatum {
    const char* name;
    Ellipsoid ellipsoid;
    SevenParameters parameters; // ppm, rx, ry, rz (arc-seconds), dx, dy, dz (metres)
};

const NamedDatum kDatums[] = {
    {"ED50-like", {6378388.0L, 1 / 297.0L}, {-1.4, 1.0859, -0.3056, -0.3147, -84.003, -102.315, -129.879}},
    {"NZGD49-like", {6378388.0L, 1 / 297.0L}, {-4.5993, 0.0, 0.0, 0.0, 59.47, -5.04, 187.44}},
    {"NAD27-like", {6378206.4L, 1 / 294.9786982L}, {0.2263, 0.1502, 0.2526, 0.3382, -8.0, 160.0, 176.0}},
    {"Pulkovo-like", {6378245.0L, 1 / 298.3L}, {-0.12, -0.35, -0.66, 0.82, 23.57, -140.95, -79.8}},
    {"large rotations", {6378388.0L, 1 / 297.0L}, {25.0, 3600.0, -1800.0, 5400.0, 120.0, -250.0, 300.0}},
};

std::string helmertStep(const SevenParameters& p) {
    return "+proj=helmert +x=" + projNumber(static_cast<double>(p.dxM)) +
           " +y=" + projNumber(static_cast<double>(p.dyM)) + " +z=" + projNumber(static_cast<double>(p.dzM)) +
           " +rx=" + projNumber(static_cast<double>(p.rxArcsec)) +
           " +ry=" + projNumber(static_cast<double>(p.ryArcsec)) +
           " +rz=" + projNumber(static_cast<double>(p.rzArcsec)) +
           " +s=" + projNumber(static_cast<double>(p.scalePpm)) + " +convention=coordinate_frame +exact";
}

std::string projOf(const Ellipsoid& e) {
    return projEllipsoid(static_cast<double>(e.semiMajorAxisM), static_cast<double>(e.flattening));
}

// The chain WGS-84 geodetic (degrees) → local geodetic (degrees) as a PROJ pipeline.
std::string projDatumPipeline(const NamedDatum& datum) {
    return "+proj=pipeline +step +proj=unitconvert +xy_in=deg +xy_out=rad +step +proj=cart " +
           projOf(kWgs84Ellipsoid) + " +step +inv " + helmertStep(datum.parameters) +
           " +step +inv +proj=cart " + projOf(datum.ellipsoid) +
           " +step +proj=unitconvert +xy_in=rad +xy_out=deg";
}

struct GeodeticPoint {
    double lat, lon, h;
};

// Points over the whole globe, both hemispheres, every longitude, survey-like heights.
std::vector<GeodeticPoint> globalPoints(int count, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> lat(-89.5, 89.5), lon(-180, 180), h(-120, 3000);
    std::vector<GeodeticPoint> points;
    for (int i = 0; i < count; ++i) {
        points.push_back({lat(random), lon(random), h(random)});
    }
    return points;
}

TEST(GeocentricOracle, ForwardMatchesProjCart) {
    for (const NamedEllipsoid& e : kEllipsoids) {
        const ProjOperation cart("+proj=cart " + projOf(e.ellipsoid));
        double worst = 0;
        for (const GeodeticPoint& p : globalPoints(2000, 11)) {
            const PJ_COORD expected = cart.forward(proj_torad(p.lon), proj_torad(p.lat), p.h);
            const GeocentricCoordinates got = geodeticToGeocentric({p.lat, p.lon, p.h}, e.ellipsoid);
            worst = std::max({worst, std::fabs(static_cast<double>(got.xM) - expected.xyz.x),
                              std::fabs(static_cast<double>(got.yM) - expected.xyz.y),
                              std::fabs(static_cast<double>(got.zM) - expected.xyz.z)});
        }
        EXPECT_LT(worst, 1e-6) << e.name;
    }
}

TEST(GeocentricOracle, InverseMatchesProjCartOverTheWholeGlobe) {
    for (const NamedEllipsoid& e : kEllipsoids) {
        const ProjOperation cart("+proj=cart " + projOf(e.ellipsoid));
        double worstAngleDeg = 0, worstHeightM = 0;
        int maxPasses = 0;
        for (const GeodeticPoint& p : globalPoints(2000, 12)) {
            const PJ_COORD xyz = cart.forward(proj_torad(p.lon), proj_torad(p.lat), p.h);
            const PJ_COORD expected = cart.inverse(xyz.xyz.x, xyz.xyz.y, xyz.xyz.z);
            const GeodeticResult got = geocentricToGeodetic({xyz.xyz.x, xyz.xyz.y, xyz.xyz.z}, e.ellipsoid);
            ASSERT_TRUE(got.ok()) << p.lat << ' ' << p.lon;
            maxPasses = std::max(maxPasses, got.passes);
            worstAngleDeg = std::max(
                {worstAngleDeg,
                 std::fabs(static_cast<double>(got.position.latitudeDeg) - proj_todeg(expected.lpz.phi)),
                 std::fabs(static_cast<double>(got.position.longitudeDeg) - proj_todeg(expected.lpz.lam))});
            worstHeightM =
                std::max(worstHeightM, std::fabs(static_cast<double>(got.position.heightM) - expected.lpz.z));
        }
        EXPECT_LT(worstAngleDeg, 1e-11) << e.name; // about 1 µm
        EXPECT_LT(worstHeightM, 1e-5) << e.name;
        EXPECT_LE(maxPasses, 3) << e.name;
    }
}

TEST(SevenParameterOracle, ForwardMatchesProjCoordinateFrameHelmert) {
    std::mt19937 random(21);
    std::uniform_real_distribution<double> coordinate(-6.4e6, 6.4e6);
    for (const NamedDatum& datum : kDatums) {
        const ProjOperation helmert(helmertStep(datum.parameters));
        const SevenParameterTransform transform(datum.parameters);
        double worst = 0;
        for (int i = 0; i < 1000; ++i) {
            const double x = coordinate(random), y = coordinate(random), z = coordinate(random);
            const PJ_COORD expected = helmert.forward(x, y, z);
            const GeocentricCoordinates got = transform.forward({x, y, z});
            worst = std::max({worst, std::fabs(static_cast<double>(got.xM) - expected.xyz.x),
                              std::fabs(static_cast<double>(got.yM) - expected.xyz.y),
                              std::fabs(static_cast<double>(got.zM) - expected.xyz.z)});
        }
        EXPECT_LT(worst, 1e-6) << datum.name;
    }
}

TEST(SevenParameterOracle, RotationConventionIsCoordinateFrame) {
    // The same parameters read with the position-vector convention move a point by metres: the test
    // above would notice a transposed rotation.
    const SevenParameters& p = kDatums[0].parameters;
    std::string positionVector = helmertStep(p);
    positionVector.replace(positionVector.find("coordinate_frame"), 16, "position_vector");
    const ProjOperation other(positionVector);
    const PJ_COORD wrong = other.forward(4216183.9, 2337068.9, 4162423.2);
    const GeocentricCoordinates got =
        SevenParameterTransform(p).forward({4216183.9L, 2337068.9L, 4162423.2L});
    EXPECT_GT(
        std::hypot(static_cast<double>(got.xM) - wrong.xyz.x, static_cast<double>(got.yM) - wrong.xyz.y), 5);
}

TEST(SevenParameterOracle, RoundTripsAreExact) {
    std::mt19937 random(22);
    std::uniform_real_distribution<double> coordinate(-6.4e6, 6.4e6), ppm(-30, 30), rotation(-20, 20),
        shift(-500, 500);
    for (int set = 0; set < 50; ++set) {
        const SevenParameters p{ppm(random),   rotation(random), rotation(random), rotation(random),
                                shift(random), shift(random),    shift(random)};
        const SevenParameterTransform transform(p);
        for (int i = 0; i < 40; ++i) {
            const GeocentricCoordinates start{coordinate(random), coordinate(random), coordinate(random)};
            const GeocentricCoordinates there = transform.forward(start);
            const GeocentricCoordinates back = transform.inverse(there);
            EXPECT_NEAR(static_cast<double>(back.xM), static_cast<double>(start.xM), 1e-9);
            EXPECT_NEAR(static_cast<double>(back.yM), static_cast<double>(start.yM), 1e-9);
            EXPECT_NEAR(static_cast<double>(back.zM), static_cast<double>(start.zM), 1e-9);
            const GeocentricCoordinates inverseFirst = transform.forward(transform.inverse(start));
            EXPECT_NEAR(static_cast<double>(inverseFirst.xM), static_cast<double>(start.xM), 1e-9);
        }
    }
}

// The datum parameter line of the program for a local datum: WGS-84 with seven zeros, then the datum.
std::string datumLine(const NamedDatum& d) {
    const auto n = [](long double v) { return projNumber(static_cast<double>(v)); };
    const SevenParameters& p = d.parameters;
    return "6378137.0  0.0033528106647474  0.0  0.0  0.0  0.0  0.0  0.0  0.0 " +
           n(d.ellipsoid.semiMajorAxisM) + " " + n(d.ellipsoid.flattening) + " " + n(p.scalePpm) + " " +
           n(p.rxArcsec) + " " + n(p.ryArcsec) + " " + n(p.rzArcsec) + " " + n(p.dxM) + " " + n(p.dyM) + " " +
           n(p.dzM);
}

TEST(DatumChainOracle, NumericAndTextChainsMatchProjPipeline) {
    for (const NamedDatum& datum : kDatums) {
        const ProjOperation pipeline(projDatumPipeline(datum));
        DatumShiftParameters parameters;
        parameters.ellipsoidB = datum.ellipsoid;
        parameters.parametersB = datum.parameters;
        const DatumShift shift(parameters);
        const std::string line = datumLine(datum);
        double worstDeg = 0, worstHeightM = 0, worstTextDeg = 0, worstTextHeightM = 0;
        for (const GeodeticPoint& p : globalPoints(1500, 31)) {
            const PJ_COORD expected = pipeline.forward(p.lon, p.lat, p.h);
            const GeodeticResult got = shift.toGeodeticB({p.lat, p.lon, p.h});
            ASSERT_TRUE(got.ok());
            double dLon = std::fabs(static_cast<double>(got.position.longitudeDeg) - expected.lpz.lam);
            dLon = std::min(dLon, 360 - dLon);
            worstDeg =
                std::max({worstDeg, dLon,
                          std::fabs(static_cast<double>(got.position.latitudeDeg) - expected.lpz.phi)});
            worstHeightM =
                std::max(worstHeightM, std::fabs(static_cast<double>(got.position.heightM) - expected.lpz.z));

            const std::string position = projNumber(p.lat) + " " + projNumber(p.lon) + " " + projNumber(p.h);
            const std::vector<double> text =
                scanText(TransformDatum("BLH", position, line), "%lf %lf %lf").numbers();
            ASSERT_EQ(text.size(), 3u);
            double dTextLon = std::fabs(text[1] - expected.lpz.lam);
            dTextLon = std::min(dTextLon, 360 - dTextLon);
            worstTextDeg = std::max({worstTextDeg, dTextLon, std::fabs(text[0] - expected.lpz.phi)});
            worstTextHeightM = std::max(worstTextHeightM, std::fabs(text[2] - expected.lpz.z));
        }
        std::printf(
            "datum chain vs PROJ (%s): numeric %.2e deg, %.2e m height; text %.2e deg, %.4f m height\n",
            datum.name, worstDeg, worstHeightM, worstTextDeg, worstTextHeightM);
        EXPECT_LT(worstDeg, 1e-10) << datum.name;
        EXPECT_LT(worstHeightM, 1e-5) << datum.name;
        // The text result has 8 and 2 decimals.
        EXPECT_LE(worstTextDeg, 0.5e-8 + 1e-10) << datum.name;
        EXPECT_LE(worstTextHeightM, 0.005 + 1e-5) << datum.name;
    }
}

TEST(DatumChainOracle, TransformDatumXYZMatchesProjGeocentric) {
    const NamedDatum& datum = kDatums[0];
    const ProjOperation pipeline(
        "+proj=pipeline +step +proj=unitconvert +xy_in=deg +xy_out=rad +step +proj=cart " +
        projOf(kWgs84Ellipsoid) + " +step +inv " + helmertStep(datum.parameters));
    for (const GeodeticPoint& p : globalPoints(200, 32)) {
        const PJ_COORD expected = pipeline.forward(p.lon, p.lat, p.h);
        const std::string position = projNumber(p.lat) + " " + projNumber(p.lon) + " " + projNumber(p.h);
        const std::vector<double> xyz =
            scanText(TransformDatum("XYZ", position, datumLine(datum)), "%lf\t%lf\t%lf").numbers();
        ASSERT_EQ(xyz.size(), 3u);
        EXPECT_NEAR(xyz[0], expected.xyz.x, 1e-5);
        EXPECT_NEAR(xyz[1], expected.xyz.y, 1e-5);
        EXPECT_NEAR(xyz[2], expected.xyz.z, 1e-5);
    }
}

} // namespace
} // namespace selvir
