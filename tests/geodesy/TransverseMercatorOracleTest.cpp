// Transverse Mercator and its grid convergence against GeographicLib's exact projection and PROJ.
#include "support/ProjOracle.h"
#include "geodesy/GridConvergence.h"
#include "geodesy/TransverseMercator.h"

#include <GeographicLib/TransverseMercatorExact.hpp>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace selvir {
namespace {

using test::projEllipsoid;
using test::projNumber;
using test::ProjOperation;

const Ellipsoid kInternational1924{6378388.0L, 1 / 297.0L};

// A longitude brought into (-180, 180], as a receiver reports it.
double normalLongitude(double lon) {
    while (lon > 180) {
        lon -= 360;
    }
    while (lon <= -180) {
        lon += 360;
    }
    return lon;
}

double distance(const GridCoordinates& got, double e, double n) {
    return std::hypot(static_cast<double>(got.eastingM) - e, static_cast<double>(got.northingM) - n);
}

const double kCentralMeridians[] = {-177, -93, -3, 0, 27, 33, 117, 177};

// Largest position error against the exact projection, for random points within `halfWidthDeg` of each
// central meridian, latitudes -84..84 (both hemispheres), on WGS-84 and International 1924.
double worstAgainstExact(double halfWidthDeg, double k0, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> lat(-84, 84), offset(-halfWidthDeg, halfWidthDeg);
    double worst = 0;
    for (const Ellipsoid& e : {kWgs84Ellipsoid, kInternational1924}) {
        const GeographicLib::TransverseMercatorExact exact(static_cast<double>(e.semiMajorAxisM),
                                                           static_cast<double>(e.flattening), k0);
        for (double cm : kCentralMeridians) {
            const TransverseMercator tm(e, {cm, 0, k0, 500000, 0});
            for (int i = 0; i < 300; ++i) {
                const double phi = lat(random);
                const double lon = normalLongitude(cm + offset(random));
                double x, y, gamma, k;
                exact.Forward(cm, phi, lon, x, y, gamma, k);
                worst = std::max(worst, distance(tm.forward(phi, lon), 500000 + x, y));
            }
        }
    }
    return worst;
}

TEST(TransverseMercatorOracle, WithinThreeDegreesOfTheCentralMeridianIsMillimetreExact) {
    // The meridian arc truncated after e⁶ alone accounts for up to 0.96 mm near latitude ±70°.
    EXPECT_LT(worstAgainstExact(3, 1.0, 41), 1.2e-3);
    EXPECT_LT(worstAgainstExact(3, 0.9996, 42), 1.2e-3);
}

TEST(TransverseMercatorOracle, SixDegreesFromTheCentralMeridian) {
    EXPECT_LT(worstAgainstExact(6, 0.9996, 43), 0.015);
}

TEST(TransverseMercatorOracle, ErrorByDistanceFromTheCentralMeridian) {
    // The table of largest errors at fixed offsets, latitudes -89.9..89.9 in 0.1° steps, WGS-84.
    const GeographicLib::TransverseMercatorExact exact(6378137.0, 0.0033528106647474, 1.0);
    const TransverseMercator tm(kWgs84Ellipsoid, {0, 0, 1, 0, 0});
    const double offsets[] = {1, 2, 3, 6};
    const double limits[] = {1.2e-3, 1.2e-3, 1.2e-3, 0.015};
    for (int i = 0; i < 4; ++i) {
        double worst = 0, worstLat = 0, worstGammaDeg = 0;
        for (int step = -899; step <= 899; ++step) {
            const double phi = step / 10.0;
            for (double lon : {offsets[i], -offsets[i]}) {
                double x, y, gamma, k;
                exact.Forward(0, phi, lon, x, y, gamma, k);
                const double error = distance(tm.forward(phi, lon), x, y);
                if (error > worst) {
                    worst = error;
                    worstLat = phi;
                }
                const double convergence =
                    static_cast<double>(tmGridConvergenceDeg(kWgs84Ellipsoid, phi, lon, 0));
                worstGammaDeg = std::max(worstGammaDeg, std::fabs(convergence + gamma));
            }
        }
        std::printf("TM vs exact, %g deg from the central meridian: largest error %.4f mm (latitude %.1f); "
                    "convergence %.2e deg\n",
                    offsets[i], worst * 1000, worstLat, worstGammaDeg);
        EXPECT_LT(worst, limits[i]) << offsets[i];
    }
}

TEST(TransverseMercatorOracle, MatchesProjWithOriginLatitudeScaleAndFalseOrigin) {
    struct Case {
        TransverseMercatorParameters tm;
        Ellipsoid ellipsoid;
    };
    const Case cases[] = {
        {{30, 0, 1, 500000, 0}, kWgs84Ellipsoid},
        {{-3, 49, 0.9996012717, 400000, -100000}, {6377563.396L, 1 / 299.3249646L}}, // British grid
        {{173, 0, 0.9996, 1600000, 10000000}, {6378137.0L, 1 / 298.257222101L}},     // NZTM
        {{-117, 0, 0.9996, 500000, 10000000}, kWgs84Ellipsoid},                      // UTM 11S
        {{24, -30, 1.0, 0, 0}, kInternational1924},
    };
    std::mt19937 random(44);
    std::uniform_real_distribution<double> offset(-3, 3), lat(-80, 80);
    for (const Case& c : cases) {
        const std::string common = " +lat_0=" + projNumber(static_cast<double>(c.tm.latitudeOfOriginDeg)) +
                                   " +lon_0=" + projNumber(static_cast<double>(c.tm.centralMeridianDeg)) +
                                   " +k_0=" + projNumber(static_cast<double>(c.tm.scaleFactor)) +
                                   " +x_0=" + projNumber(static_cast<double>(c.tm.falseEastingM)) +
                                   " +y_0=" + projNumber(static_cast<double>(c.tm.falseNorthingM)) + " " +
                                   projEllipsoid(static_cast<double>(c.ellipsoid.semiMajorAxisM),
                                                 static_cast<double>(c.ellipsoid.flattening));
        const ProjOperation exact("+proj=tmerc" + common);
        const ProjOperation approximate("+proj=tmerc +approx" + common);
        const TransverseMercator tm(c.ellipsoid, c.tm);
        double worstExact = 0, worstApprox = 0;
        for (int i = 0; i < 1000; ++i) {
            const double phi = lat(random);
            const double lon = normalLongitude(static_cast<double>(c.tm.centralMeridianDeg) + offset(random));
            const GridCoordinates got = tm.forward(phi, lon);
            const PJ_COORD e = exact.forward(proj_torad(lon), proj_torad(phi));
            const PJ_COORD a = approximate.forward(proj_torad(lon), proj_torad(phi));
            worstExact = std::max(worstExact, distance(got, e.xy.x, e.xy.y));
            worstApprox = std::max(worstApprox, distance(got, a.xy.x, a.xy.y));
        }
        std::printf("TM vs PROJ (lon_0 %g, lat_0 %g): largest difference %.4f mm to exact tmerc, %.4f mm to "
                    "tmerc +approx\n",
                    static_cast<double>(c.tm.centralMeridianDeg),
                    static_cast<double>(c.tm.latitudeOfOriginDeg), worstExact * 1000, worstApprox * 1000);
        // With an origin latitude the truncated arc enters twice, M(φ) − M(φ0): up to twice 0.96 mm.
        EXPECT_LT(worstExact, 2e-3) << c.tm.centralMeridianDeg;
        EXPECT_LT(worstApprox, 2e-3) << c.tm.centralMeridianDeg;
    }
}

TEST(TransverseMercatorOracle, ZoneAcrossTheAntimeridian) {
    const GeographicLib::TransverseMercatorExact exact(6378137.0, 0.0033528106647474, 0.9996);
    const TransverseMercator tm(kWgs84Ellipsoid, {177, 0, 0.9996, 500000, 10000000});
    for (double lon : {-179.0, -177.5, 179.9, 180.0, 174.0}) {
        double x, y, gamma, k;
        exact.Forward(177, -17.5, lon, x, y, gamma, k);
        // -179° is 4° from the central meridian: the series is good to 1.2 mm there.
        EXPECT_LT(distance(tm.forward(-17.5, lon), 500000 + x, 10000000 + y), 1.5e-3) << lon;
        // A longitude written as 0..360 is the same meridian.
        if (lon < 0) {
            EXPECT_LT(distance(tm.forward(-17.5, lon + 360), 500000 + x, 10000000 + y), 1.5e-3) << lon;
        }
    }
}

TEST(GridConvergenceOracle, MatchesExactMeridianConvergence) {
    std::mt19937 random(45);
    std::uniform_real_distribution<double> lat(-84, 84), offset(-3, 3);
    for (const Ellipsoid& e : {kWgs84Ellipsoid, kInternational1924}) {
        const GeographicLib::TransverseMercatorExact exact(static_cast<double>(e.semiMajorAxisM),
                                                           static_cast<double>(e.flattening), 1.0);
        double worst = 0;
        for (double cm : kCentralMeridians) {
            for (int i = 0; i < 200; ++i) {
                const double phi = lat(random);
                const double lon = normalLongitude(cm + offset(random));
                double x, y, gamma, k;
                exact.Forward(cm, phi, lon, x, y, gamma, k);
                // GeographicLib gives the bearing of grid north from true north: the opposite sign.
                worst = std::max(
                    worst, std::fabs(static_cast<double>(tmGridConvergenceDeg(e, phi, lon, cm)) + gamma));
            }
        }
        EXPECT_LT(worst, 1e-9);
    }
}

TEST(GridConvergenceOracle, SignAndSymmetry) {
    EXPECT_LT(tmGridConvergenceDeg(kWgs84Ellipsoid, 41, 31, 30), 0);  // east, north
    EXPECT_GT(tmGridConvergenceDeg(kWgs84Ellipsoid, 41, 29, 30), 0);  // west, north
    EXPECT_GT(tmGridConvergenceDeg(kWgs84Ellipsoid, -41, 31, 30), 0); // east, south
    EXPECT_EQ(tmGridConvergenceDeg(kWgs84Ellipsoid, 41, 30, 30), 0);
    EXPECT_EQ(tmGridConvergenceDeg(kWgs84Ellipsoid, 0, 32, 30), 0);
}

} // namespace
} // namespace selvir
