// The control-point check against points made by PROJ in both rotation conventions, the control-point
// file reader, and the settings window's check of the geodetic fields.
#include "ControlPointsOracle.h"
#include "geodesy/GeodeticParametersCheck.h"

#include <cmath>
#include <gtest/gtest.h>

namespace selvir {
namespace {

TEST(ControlPointCheck, TellsTheRotationConventionOfPointsMadeByProj) {
    struct Case {
        const char* convention;
        bool lambert;
        bool negatedFitsBetter;
    };
    for (const Case& c : {Case{"coordinate_frame", false, false}, Case{"position_vector", false, true},
                          Case{"coordinate_frame", true, false}, Case{"position_vector", true, true}}) {
        SCOPED_TRACE(std::string(c.convention) + (c.lambert ? " Lambert" : " TM"));
        const GeodeticParameters parameters = test::controlPointParameters(c.lambert);
        const std::vector<ControlPoint> points = test::projControlPoints(parameters, c.convention, 8, 7);
        const ControlPointCheck check = checkControlPoints(parameters, points);
        ASSERT_FALSE(check.setupError);
        ASSERT_EQ(check.converted, 8);
        ASSERT_EQ(check.residuals.size(), 8u);
        EXPECT_EQ(check.rotationsNegatedFitBetter(), c.negatedFitsBetter);
        // The fitting set is exact to the millimetre; the other misses by metres.
        const double fitting = c.negatedFitsBetter ? check.rmsRotationsNegatedM : check.rmsM;
        const double missing = c.negatedFitsBetter ? check.rmsM : check.rmsRotationsNegatedM;
        EXPECT_LT(fitting, 2e-3);
        EXPECT_GT(missing, 5.0);
        const auto& fit = c.negatedFitsBetter ? check.residualsNegated : check.residuals;
        for (const ControlPointResidual& point : fit) {
            EXPECT_LT(std::hypot(point.dEastM, point.dNorthM), 2e-3) << point.name;
        }
        const std::string verdict = check.verdict();
        EXPECT_EQ(verdict.find("opposite sign") != std::string::npos, c.negatedFitsBetter) << verdict;
    }
}

TEST(ControlPointCheck, ResidualIsKnownMinusComputedAndUnconvertedPointsStayOutOfTheRms) {
    const GeodeticParameters parameters = test::controlPointParameters(false);
    std::vector<ControlPoint> points = test::projControlPoints(parameters, "coordinate_frame", 4, 3);
    points[1].eastingM += 0.30;  // the surveyor's value lies 30 cm east of what the chain gives
    points[1].northingM -= 0.40; // and 40 cm south
    points.push_back({"off the globe", 95, 29, 0, 0, 0});
    const ControlPointCheck check = checkControlPoints(parameters, points);
    ASSERT_EQ(check.residuals.size(), 5u);
    EXPECT_NEAR(check.residuals[1].dEastM, 0.30, 2e-3);
    EXPECT_NEAR(check.residuals[1].dNorthM, -0.40, 2e-3);
    EXPECT_EQ(check.residuals[4].failure, FixFailure::LatitudeOutOfRange);
    EXPECT_EQ(check.converted, 4);
    EXPECT_NEAR(check.rmsM, std::sqrt(0.25 / 4), 2e-3); // one 0.5 m miss among four points
}

TEST(ControlPointCheck, UnusableParametersAndNoPointsSaySo) {
    GeodeticParameters parameters = test::controlPointParameters(false);
    parameters.edCM = "thirty";
    ControlPointCheck check = checkControlPoints(parameters, {{"A", 41, 29, 0, 0, 0}});
    ASSERT_TRUE(check.setupError);
    EXPECT_NE(check.verdict().find("Central Meridian"), std::string::npos) << check.verdict();

    check = checkControlPoints(test::controlPointParameters(false), {});
    EXPECT_EQ(check.converted, 0);
    EXPECT_TRUE(std::isnan(check.rmsM));
    EXPECT_FALSE(check.rotationsNegatedFitBetter());
}

TEST(ControlPointCheck, NegatingRotationsKeepsTheirDigits) {
    GeodeticParameters parameters;
    parameters.edRX = "1.0859";
    parameters.edRY = " -0.3056 ";
    parameters.edRZ = "+2e-1";
    parameters.edSX = "-84";
    const GeodeticParameters negated = withRotationsNegated(parameters);
    EXPECT_EQ(negated.edRX, "-1.0859");
    EXPECT_EQ(negated.edRY, "0.3056");
    EXPECT_EQ(negated.edRZ, "-2e-1");
    EXPECT_EQ(negated.edSX, "-84"); // shifts are not touched
}

TEST(ControlPointFile, ReadsPointsSkipsAHeaderAndNamesTheFirstBadLine) {
    ControlPointsText read = readControlPoints("name, lat, lon, h, E, N\r\n"
                                               " P1 , 41.5, 29.25, 12.5, 521000.125, 4594000.5\r\n"
                                               "\r\n"
                                               "P2,41,29,0,500000,4540000");
    ASSERT_EQ(read.problem, "");
    ASSERT_EQ(read.points.size(), 2u);
    EXPECT_EQ(read.points[0].name, "P1");
    EXPECT_EQ(read.points[0].longitudeDeg, 29.25);
    EXPECT_EQ(read.points[0].northingM, 4594000.5);
    EXPECT_EQ(read.points[1].heightM, 0);

    // Without a header the first line is a point.
    read = readControlPoints("P1,41,29,0,500000,4540000\n");
    EXPECT_EQ(read.points.size(), 1u);

    for (const char* bad : {"P1,41,29,0,500000\n",           // a field short
                            "P1,41,29,0,500000,4540000,7\n", // one too many
                            "P1,41,29,0,500000,45400OO\n",   // letters in a number
                            ",41,29,0,500000,4540000\n",     // no name
                            "P1,41,29,0,500000,4540000\nP2,41;29;0;500000;4540000\n"}) {
        read = readControlPoints(bad);
        EXPECT_TRUE(read.points.empty()) << bad;
        EXPECT_EQ(read.problem.rfind("line ", 0), 0u) << bad;
    }
    EXPECT_EQ(readControlPoints("P1,41,29,0,500000,4540000\nP2,x\n").problem.substr(0, 7), "line 2:");
}

TEST(GeodeticParametersCheck, NamesTheFieldThatCannotBeUsed) {
    struct Case {
        std::string GeodeticParameters::*field;
        const char* text;
        const char* named; // empty: accepted
    };
    using P = GeodeticParameters;
    const Case cases[] = {
        {&P::edRX, "0.5", ""},
        {&P::edRX, "0,5", "X Rotation"},
        {&P::edIF, "298.257223563", "Flattening"},
        {&P::edIF, "0", "Flattening"},
        {&P::edIF, "0.0099", ""},
        {&P::edSMA, "-6378137", "Semi Major Axis"},
        {&P::edSF, "0", "TM Parameters, Scale Factor"},
        {&P::eLCCSF, "-1", "LCC Parameters, Scale Factor"},
        {&P::edRL, "90", ""},
        {&P::edRL, "90.5", "Reference Latitude"},
        {&P::eLCCSP2, "-91", "Standard Parallel 2"},
        {&P::eLCCCP, "nan", "Central Parallel"},
        {&P::edFN, "", "False Northing"},
    };
    for (const Case& c : cases) {
        GeodeticParameters parameters;
        parameters.*c.field = c.text;
        const std::optional<ChainSetupError> error = checkGeodeticParameters(parameters);
        if (std::string(c.named).empty()) {
            EXPECT_FALSE(error) << c.text << ": " << error->text();
        } else {
            ASSERT_TRUE(error) << c.text;
            EXPECT_NE(error->text().find(c.named), std::string::npos) << error->text();
        }
    }
    // The Lambert form chosen must also be one the projection takes: parallels on either side of the
    // equator at equal distance give no cone.
    GeodeticParameters lambert;
    lambert.cbUseLCCProjection = true;
    lambert.eLCCSP1 = "30";
    lambert.eLCCSP2 = "-30";
    const std::optional<ChainSetupError> error = checkGeodeticParameters(lambert);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->group, "LCC Parameters");
}

} // namespace
} // namespace selvir
