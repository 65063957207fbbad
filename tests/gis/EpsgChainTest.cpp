// Grids by EPSG code against cs2cs, their convergence against GeographicLib, and the codes refused.
#include "gis/EpsgChain.h"

#include "GisOracles.h"
#include "support/ToolRun.h"

#include <cmath>
#include <gtest/gtest.h>

namespace selvir {
namespace {

struct GridCase {
    int code;
    double latDeg, lonDeg; // a position inside the CRS's area of use
    bool northingFirst;    // the CRS's own axis order, as cs2cs prints it
    const char* what;
};

// UTM north and south, Turkish TM grids on TUREF, Lambert, stereographic, oblique Mercator, LAEA, and
// national grids whose shift from WGS 84 goes through a grid of proj-data (NZGD49, DHDN).
const GridCase kGrids[] = {
    {32635, 41.0, 28.9, false, "UTM 35N"},
    {32735, -25.0, 27.5, false, "UTM 35S"},
    {32618, 40.7, -74.0, false, "UTM 18N"},
    {32756, -33.8, 151.2, false, "UTM 56S"},
    {5253, 38.4, 27.1, true, "TUREF / TM27"},
    {5254, 40.2, 29.0, true, "TUREF / TM30"},
    {5255, 41.2, 32.6, true, "TUREF / TM33"},
    {5256, 39.9, 36.0, true, "TUREF / TM36"},
    {5257, 38.5, 39.2, true, "TUREF / TM39"},
    {5258, 40.9, 41.4, true, "TUREF / TM42"},
    {5259, 39.0, 44.0, true, "TUREF / TM45"},
    {2154, 47.2, -1.55, false, "RGF93 / Lambert-93"},
    {27700, 51.5, -1.2, false, "OSGB36 / British National Grid"},
    {27200, -41.3, 174.8, false, "NZGD49 / NZMG, NTv2 grid"},
    {31467, 50.1, 8.7, true, "DHDN / GK zone 3, BeTA2007 grid"},
    {3035, 48.0, 11.0, true, "ETRS89 / LAEA Europe"},
    {28992, 52.1, 5.1, false, "Amersfoort / RD New, stereographic"},
    {2100, 38.0, 23.7, false, "GGRS87 / Greek Grid"},
    {2056, 46.9, 7.4, false, "CH1903+ / LV95, oblique Mercator"},
    {3347, 50.0, -97.0, false, "NAD83 / Statistics Canada Lambert"},
    {26718, 40.7, -74.0, false, "NAD27 / UTM 18N"},
};

// Offsets (degrees) and heights (m) that make three positions of each case.
const double kOffsets[][3] = {{0, 0, 0}, {0.21, 0.33, 48.5}, {-0.17, -0.26, -20}};

std::string cs2csInput(const GridCase& c) {
    std::string input;
    for (const auto& o : kOffsets) {
        char line[96];
        std::snprintf(line, sizeof line, "%.9f %.9f %.3f\n", c.latDeg + o[0], c.lonDeg + o[1], o[2]);
        input += line;
    }
    return input;
}

TEST(EpsgChain, AgreesWithCs2csWithinAMillimetre) {
    if (!test::programExists("cs2cs")) {
        SELVIR_ORACLE_MISSING("cs2cs (proj-bin) is not installed");
    }
    for (const GridCase& c : kGrids) {
        SCOPED_TRACE(std::string(c.what) + ", EPSG:" + std::to_string(c.code));
        const EpsgChainSetup setup = EpsgChain::create(c.code);
        ASSERT_TRUE(setup.ok()) << setup.error;
        const auto expected = test::numberLines(
            test::runProgram("cs2cs -f %.6f EPSG:4326 EPSG:" + std::to_string(c.code), cs2csInput(c)));
        ASSERT_EQ(expected.size(), std::size(kOffsets));
        for (std::size_t i = 0; i < std::size(kOffsets); ++i) {
            ASSERT_GE(expected[i].size(), 2u);
            const double e = c.northingFirst ? expected[i][1] : expected[i][0];
            const double n = c.northingFirst ? expected[i][0] : expected[i][1];
            const FixConversion fix =
                setup.chain->convert(c.latDeg + kOffsets[i][0], c.lonDeg + kOffsets[i][1], kOffsets[i][2]);
            ASSERT_TRUE(fix.ok()) << describeFixFailure(fix.failure) << ": " << setup.chain->lastError();
            EXPECT_NEAR(static_cast<double>(fix.eastingM), e, 1e-3) << "point " << i;
            EXPECT_NEAR(static_cast<double>(fix.northingM), n, 1e-3) << "point " << i;
        }
    }
}

// GeographicLib's meridian convergence is the bearing of grid north from true north; ours is the angle
// that turns a true heading into a grid heading, its negative.
TEST(EpsgChain, ConvergenceIsGeographicLibsWithTheSignOfTheSettingsChain) {
    if (!test::programExists("GeoConvert") || !test::programExists("TransverseMercatorProj")) {
        SELVIR_ORACLE_MISSING(
            "GeoConvert and TransverseMercatorProj (geographiclib-tools) are not installed");
    }
    for (const GridCase& c : kGrids) {
        const bool utm = c.code / 100 == 326 || c.code / 100 == 327;
        const bool turef = c.code >= 5253 && c.code <= 5259;
        if (!utm && !turef) {
            continue;
        }
        SCOPED_TRACE(c.what);
        const EpsgChainSetup setup = EpsgChain::create(c.code);
        ASSERT_TRUE(setup.ok()) << setup.error;
        std::string input; // latitude and longitude only
        for (const auto& o : kOffsets) {
            input += std::to_string(c.latDeg + o[0]) + " " + std::to_string(c.lonDeg + o[1]) + "\n";
        }
        // UTM on WGS 84: GeoConvert -c prints "gamma k"; TUREF's TM zones on GRS80 with k0 = 1.
        const std::string command = utm ? "GeoConvert -c -p 9 -z " + std::to_string(c.code % 100)
                                        : "TransverseMercatorProj -p 9 -k 1 -e 6378137 1/298.257222101 -l " +
                                              std::to_string(27 + 3 * (c.code - 5253));
        const auto oracle = test::numberLines(test::runProgram(command, input));
        ASSERT_EQ(oracle.size(), std::size(kOffsets));
        for (std::size_t i = 0; i < std::size(kOffsets); ++i) {
            const double gamma = utm ? oracle[i].at(0) : oracle[i].at(2);
            const FixConversion fix =
                setup.chain->convert(c.latDeg + kOffsets[i][0], c.lonDeg + kOffsets[i][1], kOffsets[i][2]);
            ASSERT_TRUE(fix.ok());
            EXPECT_NEAR(static_cast<double>(fix.convergenceDeg), -gamma, 2e-7) << "point " << i;
        }
    }
}

TEST(EpsgChain, TheGridShiftOfProjDataIsTheOperationUsed) {
    for (const int code : {27200, 31467}) {
        const EpsgChainSetup setup = EpsgChain::create(code);
        ASSERT_TRUE(setup.ok()) << setup.error;
        const GridCase& c = *std::find_if(std::begin(kGrids), std::end(kGrids),
                                          [code](const GridCase& g) { return g.code == code; });
        const EpsgOperation op = setup.chain->operationAt(c.latDeg, c.lonDeg);
        ASSERT_TRUE(op.ok()) << op.error;
        EXPECT_NE(op.pipeline.find("hgridshift"), std::string::npos) << op.pipeline;
        EXPECT_FALSE(op.description.empty());
        EXPECT_NE(setup.chain->description().find("EPSG:" + std::to_string(code)), std::string::npos);
    }
}

TEST(EpsgChain, RefusesWhatCannotBeASurveyGrid) {
    const struct {
        int code;
        const char* said;
    } refused[] = {
        {4326, "geographic"}, {4978, "geocentric"},
        {5773, "vertical"},   {999999, "not a coordinate reference system"},
        {2229, "metres"},     {3031, "east and north"},
    };
    for (const auto& r : refused) {
        const EpsgChainSetup setup = EpsgChain::create(r.code);
        EXPECT_FALSE(setup.ok()) << r.code;
        EXPECT_NE(setup.error.find("EPSG:" + std::to_string(r.code)), std::string::npos) << setup.error;
        EXPECT_NE(setup.error.find(r.said), std::string::npos) << setup.error;
    }
}

TEST(EpsgChain, BadFixesFailLikeTheSettingsChain) {
    const EpsgChainSetup setup = EpsgChain::create(32635);
    ASSERT_TRUE(setup.ok());
    EXPECT_EQ(setup.chain->convert(NAN, 29, 0).failure, FixFailure::NotFinite);
    EXPECT_EQ(setup.chain->convert(90.5, 29, 0).failure, FixFailure::LatitudeOutOfRange);
    EXPECT_EQ(setup.chain->convert(41, 361, 0).failure, FixFailure::LongitudeOutOfRange);
    // East longitudes past 180 are the same meridians (UTM 60N has its central meridian at 177° E).
    const EpsgChainSetup zone60 = EpsgChain::create(32660);
    ASSERT_TRUE(zone60.ok());
    const FixConversion east = zone60.chain->convert(41, 181, 0);
    const FixConversion west = zone60.chain->convert(41, -179, 0);
    ASSERT_TRUE(east.ok() && west.ok());
    EXPECT_NEAR(static_cast<double>(east.eastingM), static_cast<double>(west.eastingM), 1e-6);
    EXPECT_NEAR(static_cast<double>(east.northingM), static_cast<double>(west.northingM), 1e-6);
}

TEST(EpsgChain, LocalPositionIsOnTheGridsOwnDatum) {
    if (!test::programExists("cs2cs")) {
        SELVIR_ORACLE_MISSING("cs2cs (proj-bin) is not installed");
    }
    EpsgChainOptions options;
    options.withLocalPosition = true;
    const EpsgChainSetup setup = EpsgChain::create(27700, options);
    ASSERT_TRUE(setup.ok()) << setup.error;
    const FixConversion fix = setup.chain->convert(51.5, -1.2, 0);
    ASSERT_TRUE(fix.ok());
    // EPSG:4277 is OSGB36 itself, latitude first.
    const auto expected =
        test::numberLines(test::runProgram("cs2cs -f %.10f EPSG:4326 EPSG:4277", "51.5 -1.2 0\n"));
    ASSERT_EQ(expected.size(), 1u);
    EXPECT_NEAR(static_cast<double>(fix.local.latitudeDeg), expected[0].at(0), 1e-9);
    EXPECT_NEAR(static_cast<double>(fix.local.longitudeDeg), expected[0].at(1), 1e-9);
    EXPECT_TRUE(std::isnan(
        static_cast<double>(EpsgChain::create(27700).chain->convert(51.5, -1.2, 0).local.latitudeDeg)));
}

TEST(GeoEpsgCommand, PrintsEastingNorthingAndConvergenceAsGeoDoes) {
    if (!test::programExists("cs2cs")) {
        SELVIR_ORACLE_MISSING("cs2cs (proj-bin) is not installed");
    }
    const test::ToolRun run = test::runToolCommand("geo", {"--epsg", "5255"}, "41.2 32.6 0\n95 32 0\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("EPSG:5255"), std::string::npos) << run.err; // the operation, on standard error
    const auto out = test::numberLines(run.out);
    ASSERT_EQ(out.size(), 2u) << run.out;
    const auto expected =
        test::numberLines(test::runProgram("cs2cs -f %.6f EPSG:4326 EPSG:5255", "41.2 32.6 0\n"));
    ASSERT_EQ(out[0].size(), 3u);
    EXPECT_NEAR(out[0][0], expected.at(0).at(1), 1e-3); // TUREF's axes are northing first
    EXPECT_NEAR(out[0][1], expected.at(0).at(0), 1e-3);
    EXPECT_GT(out[0][2], 0); // west of the central meridian 33° E in the north
    EXPECT_NE(run.out.find("ERR latitude outside -90..90"), std::string::npos);
}

TEST(GeoEpsgCommand, UnusableCodesAndCombinationsAreRefused) {
    const test::ToolRun geographic = test::runToolCommand("geo", {"--epsg", "4326"}, "41 29 0\n");
    EXPECT_EQ(geographic.status, 1);
    EXPECT_NE(geographic.err.find("EPSG:4326 (WGS 84) is a geographic CRS"), std::string::npos)
        << geographic.err;
    EXPECT_EQ(test::runToolCommand("geo", {"--epsg", "32635", "--settings", "x.INI"}, "").status, 2);
    EXPECT_EQ(test::runToolCommand("geo", {"--epsg", "32635", "--check", "points.csv"}, "").status, 2);
    EXPECT_EQ(test::runToolCommand("geo", {"--epsg", "utm"}, "").status, 2);
}

} // namespace
} // namespace selvir
