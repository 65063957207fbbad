// The text routines: worked examples, result formats, and the "0" / empty results on bad input.
#include "geodesy/GeodesyText.h"

#include "core/ScanPattern.h"

#include <chrono>
#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace selvir {
namespace {

const std::string kWgs84Datum = "6378137.0  0.0033528106647474  0.0  0.0  0.0  0.0  0.0  0.0  0.0 "
                                "6378137.0 0.0033528106647474 0 0 0 0 0 0 0";
const std::string kTm30 = "30 0 1 500000 0";
const std::string kWgs84TmEllipsoid = "6378137.0 0.0033528106647474 6378137.0 0.0033528106647474";

std::vector<double> numbers(const std::string& text, const char* pattern) {
    return scanText(text, pattern).numbers();
}

TEST(GeodesyText, ConvertAngleByUnitLetter) {
    EXPECT_DOUBLE_EQ(static_cast<double>(ConvertAngle(180, 'r')), 3.141592653589793);
    EXPECT_DOUBLE_EQ(static_cast<double>(ConvertAngle(90, 'R')), 3.141592653589793 / 2);
    EXPECT_DOUBLE_EQ(static_cast<double>(ConvertAngle(3.141592653589793L, 'd')), 180);
    EXPECT_DOUBLE_EQ(static_cast<double>(ConvertAngle(1, 'D')), 180 / 3.141592653589793);
    EXPECT_EQ(ConvertAngle(45, 'x'), 0);
    EXPECT_EQ(ConvertAngle(45, ' '), 0);
}

TEST(GeodesyText, GeodeticToXYZWorkedExamples) {
    EXPECT_EQ(GeodeticToXYZ(0, 0, 0, 6378137.0L, 0.0033528106647474L), "6378137\t0\t0");
    const std::vector<double> xyz =
        numbers(GeodeticToXYZ(41, 29, 0, 6378137.0L, 0.0033528106647474L), "%lf\t%lf\t%lf");
    ASSERT_EQ(xyz.size(), 3u);
    EXPECT_NEAR(xyz[0], 4216183.902, 1e-3);
    EXPECT_NEAR(xyz[1], 2337068.900, 1e-3);
    EXPECT_NEAR(xyz[2], 4162423.201, 1e-3);
}

TEST(GeodesyText, TransformDatumIdentityKeepsThePosition) {
    const std::string blh = TransformDatum("BLH", "41.123456789 29.5 0", kWgs84Datum);
    EXPECT_EQ(blh, "41.12345679\t29.50000000\t0.00");
    // Southern and western hemispheres and a height.
    EXPECT_EQ(TransformDatum("BLH", "-33.8675 -70.65 512.25", kWgs84Datum),
              "-33.86750000\t-70.65000000\t512.25");
}

TEST(GeodesyText, TransformDatumKeepsLongitudesBeyondNinetyDegrees) {
    // Beyond ±90° a principal-value arctangent would fold the longitude by 180°.
    EXPECT_EQ(TransformDatum("BLH", "-45.8756 170.5001 14.2", kWgs84Datum),
              "-45.87560000\t170.50010000\t14.20");
    EXPECT_EQ(TransformDatum("BLH", "44.0690 -121.3141 1147.2", kWgs84Datum),
              "44.06900000\t-121.31410000\t1147.20");
    EXPECT_EQ(TransformDatum("BLH", "10 180 0", kWgs84Datum), "10.00000000\t180.00000000\t0.00");
    EXPECT_EQ(TransformDatum("BLH", "10 -179.99999999 0", kWgs84Datum), "10.00000000\t-179.99999999\t0.00");
    EXPECT_EQ(TransformDatum("BLH", "10 90 0", kWgs84Datum), "10.00000000\t90.00000000\t0.00");
    EXPECT_EQ(TransformDatum("BLH", "10 -90 0", kWgs84Datum), "10.00000000\t-90.00000000\t0.00");
}

TEST(GeodesyText, TransformDatumXYZGivesTheGeocentricResult) {
    const std::vector<double> xyz = numbers(TransformDatum("XYZ", "41 29 0", kWgs84Datum), "%lf\t%lf\t%lf");
    ASSERT_EQ(xyz.size(), 3u);
    EXPECT_NEAR(xyz[0], 4216183.902, 1e-3);
    EXPECT_NEAR(xyz[2], 4162423.201, 1e-3);
}

TEST(GeodesyText, SevenParameterShiftRoundTrip) {
    const std::string parameters = "\t-5.5\t1.2\t-0.8\t2.3\t-84.1\t-97.3\t-117.9";
    const std::string start = "4216183.90229258\t2337068.89963023\t4162423.2006859";
    const std::string shifted = SevenParameterShift("WGS", start + parameters);
    const std::string back = SevenParameterShift("Local", shifted + parameters);
    const std::vector<double> a = numbers(start, "%lf%lf%lf");
    const std::vector<double> s = numbers(shifted, "%lf%lf%lf");
    const std::vector<double> b = numbers(back, "%lf%lf%lf");
    ASSERT_EQ(b.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_GT(std::fabs(s[i] - a[i]), 50); // the shift did something
        EXPECT_NEAR(b[i], a[i], 2e-8);         // only the 15-digit hand-off is lost
    }
    // Results are tab-separated.
    EXPECT_EQ(std::count(shifted.begin(), shifted.end(), '\t'), 2);
}

TEST(GeodesyText, SevenParameterShiftNeedsTenNumbers) {
    EXPECT_EQ(SevenParameterShift("WGS", "1 2 3 0 0 0 0 0 0"), "0");
    EXPECT_EQ(SevenParameterShift("WGS", ""), "0");
    EXPECT_EQ(SevenParameterShift("Local", "1 2 3 0 0 0 0 0 0 x"), "0");
    // A scale of zero cannot be inverted.
    EXPECT_EQ(SevenParameterShift("Local", "1 2 3 -1000000 0 0 0 0 0 0"), "0");
    EXPECT_EQ(SevenParameterShift("WGS", "1 2 3 0 0 0 0 10 20 30"), "11\t22\t33");
    EXPECT_EQ(SevenParameterShift("Local", "11 22 33 0 0 0 0 10 20 30"), "1\t2\t3");
}

TEST(GeodesyText, XYZToGeodeticFormatAndPole) {
    EXPECT_EQ(XYZToGeodetic(6378137, 0, 0, 6378137.0L, 0.0033528106647474L), "0.00000000\t0.00000000\t0.00");
    EXPECT_EQ(XYZToGeodetic(-6378137, 0, 0, 6378137.0L, 0.0033528106647474L),
              "0.00000000\t180.00000000\t0.00");
    EXPECT_EQ(XYZToGeodetic(0, -6378137, 0, 6378137.0L, 0.0033528106647474L),
              "0.00000000\t-90.00000000\t0.00");
    // On the polar axis the latitude is exactly ±90°.
    EXPECT_EQ(XYZToGeodetic(0, 0, 6356752.314, 6378137.0L, 0.0033528106647474L), "");
    EXPECT_EQ(XYZToGeodetic(0, 0, -6356752.314, 6378137.0L, 0.0033528106647474L), "");
    EXPECT_EQ(XYZToGeodetic(0, 0, 0, 6378137.0L, 0.0033528106647474L), "");
    EXPECT_EQ(XYZToGeodetic(NAN, 0, 0, 6378137.0L, 0.0033528106647474L), "");
}

TEST(GeodesyText, XYZToGeodeticIsBoundedDeepInsideTheEarth) {
    // Far below the ellipsoid the fixed-point iteration does not settle; it must stop and say so.
    int empty = 0;
    const auto start = std::chrono::steady_clock::now();
    for (double x = 1; x < 6.0e6; x *= 1.7) {
        for (double z = 1; z < 6.0e6; z *= 1.9) {
            const std::string text = XYZToGeodetic(x, 0.5 * x, z, 6378137.0L, 0.0033528106647474L);
            if (text.empty()) {
                ++empty;
            } else {
                EXPECT_EQ(numbers(text, "%lf%lf%lf").size(), 3u) << text;
            }
        }
    }
    EXPECT_GT(empty, 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(GeodesyText, TMForwardWorkedExamples) {
    const std::string onMeridian = TMForward("41 30", kTm30, kWgs84TmEllipsoid);
    const std::vector<double> a = numbers(onMeridian, "%lf %lf");
    ASSERT_EQ(a.size(), 2u);
    EXPECT_EQ(a[0], 500000);
    EXPECT_NEAR(a[1], 4540573.291, 1e-3);
    const std::vector<double> b = numbers(TMForward("41 31", kTm30, kWgs84TmEllipsoid), "%lf %lf");
    ASSERT_EQ(b.size(), 2u);
    EXPECT_NEAR(b[0], 584135.789, 1e-3);
    EXPECT_NEAR(b[1], 4541055.012, 1e-3);
    // One blank between the two numbers.
    EXPECT_EQ(onMeridian.find('\t'), std::string::npos);
    EXPECT_EQ(std::count(onMeridian.begin(), onMeridian.end(), ' '), 1);
}

TEST(GeodesyText, TMForwardUnreadableInputs) {
    EXPECT_EQ(TMForward("41", kTm30, kWgs84TmEllipsoid), "0");
    EXPECT_EQ(TMForward("north 30", kTm30, kWgs84TmEllipsoid), "0");
    EXPECT_EQ(TMForward("41 30", "30 0 1 500000", kWgs84TmEllipsoid), "0");
    EXPECT_EQ(TMForward("41 30", kTm30, "6378137.0 0.0033528106647474 6378137.0"), "0");
    // A degenerate ellipsoid gives no finite result, and no "NAN" text that a reader would accept.
    EXPECT_EQ(TMForward("41 30", kTm30, "6378137.0 0.0033528106647474 6378137.0 1"), "0");
}

TEST(GeodesyText, TMGridConvergenceSelectorAndExamples) {
    const long double a = 6378137.0L, f = 0.0033528106647474L;
    EXPECT_EQ(TMGridConvergence("GrdConv", a, f, 41, 30, 30, 0, 1, 500000, 0), 0);
    EXPECT_NEAR(static_cast<double>(TMGridConvergence("GrdConv", a, f, 41, 31, 30, 0, 1, 500000, 0)), -0.656,
                5e-4);
    EXPECT_NEAR(static_cast<double>(TMGridConvergence("GrdConv", a, f, 41, 29, 30, 0, 1, 500000, 0)), 0.656,
                5e-4);
    EXPECT_EQ(TMGridConvergence("grdconv", a, f, 41, 31, 30, 0, 1, 500000, 0), 0);
    EXPECT_EQ(TMGridConvergence("", a, f, 41, 31, 30, 0, 1, 500000, 0), 0);
    // Only a, f, the point and the central meridian count.
    EXPECT_EQ(TMGridConvergence("GrdConv", a, f, 41, 31, 30, 0, 1, 500000, 0),
              TMGridConvergence("GrdConv", a, f, 41, 31, 30, 12, 0.9996, 0, 1e7));
}

TEST(GeodesyText, WGSToTMChainsTheDatumAndTheProjection) {
    EXPECT_EQ(WGSToTM("41 31", kWgs84Datum, kTm30, kWgs84TmEllipsoid),
              TMForward("41 31", kTm30, kWgs84TmEllipsoid));
    EXPECT_EQ(WGSToTM("41", kWgs84Datum, kTm30, kWgs84TmEllipsoid), "0");
    EXPECT_EQ(WGSToTM("41 31", "6378137.0 0.0033528106647474", kTm30, kWgs84TmEllipsoid), "0");
    EXPECT_EQ(WGSToTM("", kWgs84Datum, kTm30, kWgs84TmEllipsoid), "0");
}

TEST(GeodesyText, TransformDatumUnreadableInputs) {
    EXPECT_EQ(TransformDatum("BLH", "41 29", kWgs84Datum), "0");
    EXPECT_EQ(TransformDatum("BLH", "forty-one 29 0", kWgs84Datum), "0");
    EXPECT_EQ(TransformDatum("XYZ", "41 29 0", "6378137.0 0.0033528106647474 0 0 0"), "0");
    EXPECT_EQ(TransformDatum("BLH", "41 29 0", ""), "0");
}

} // namespace
} // namespace selvir
