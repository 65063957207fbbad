// Lambert Conformal Conic: start values, setters and their error bits, and the forward conversions
// against PROJ's lcc (one and two standard parallels).
#include "support/ProjOracle.h"
#include "geodesy/Angles.h"
#include "geodesy/LambertConformalConic.h"

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

constexpr long double kWgs84Flattening = 1 / 298.257223563L;
long double rad(long double deg) {
    return deg * kPi / 180;
}
double d(long double v) {
    return static_cast<double>(v);
}

TEST(Lambert, StartValues) {
    const LambertConformalConic lcc;
    const auto& one = lcc.oneParallelSet();
    EXPECT_EQ(one.semiMajorAxisM, 6378137.0L);
    EXPECT_NEAR(d(one.flattening), 0.0033528106647474805, 1e-18);
    EXPECT_NEAR(d(one.eccentricity), 0.08181919084262188, 1e-15);
    EXPECT_NEAR(d(one.halfEccentricity), 0.040909595421311, 1e-15);
    EXPECT_NEAR(d(one.coneConstant), 0.70710678118655, 1e-14);
    EXPECT_NEAR(d(one.rho0M), 6388838.2901212, 2e-7);
    EXPECT_NEAR(d(one.rhoOriginM), 6388838.2901211, 2e-7);
    EXPECT_NEAR(d(one.t0), 0.41618115138974, 1e-14);
    EXPECT_NEAR(d(one.originLatitudeRad), d(kPi / 4), 1e-18);
    EXPECT_EQ(one.centralMeridianRad, 0);
    EXPECT_EQ(one.falseEastingM, 0);
    EXPECT_EQ(one.falseNorthingM, 0);
    EXPECT_EQ(one.scaleFactor, 1);
    EXPECT_EQ(one.deltaEastingM, 40000000);
    EXPECT_EQ(one.deltaNorthingM, 40000000);

    const auto& two = lcc.twoParallelSet();
    EXPECT_NEAR(d(two.equivalentOriginLatitudeRad), 0.78669154042193, 1e-14);
    EXPECT_NEAR(d(two.equivalentScaleFactor), 0.99620424745181, 1e-14);
    EXPECT_NEAR(d(two.equivalentFalseNorthingM), 8204.2214438468, 1e-7);
    EXPECT_NEAR(d(two.firstParallelRad), d(rad(40)), 1e-18);
    EXPECT_NEAR(d(two.secondParallelRad), d(rad(50)), 1e-18);
    EXPECT_NEAR(d(two.originLatitudeRad), d(rad(45)), 1e-18);
}

TEST(Lambert, StartValuesProjectTheOriginToZero) {
    const LambertConformalConic lcc;
    const LambertGridResult r = lcc.forwardOneParallel(rad(45), 0);
    ASSERT_TRUE(r.ok());
    EXPECT_NEAR(d(r.eastingM), 0, 1e-3);
    EXPECT_NEAR(d(r.northingM), 0, 1e-3);
}

TEST(Lambert, TwoParallelDerivationWorkedExample) {
    LambertConformalConic lcc;
    const LambertSetResult set =
        lcc.setTwoParallel({6378137.0L, kWgs84Flattening, rad(45), 0, rad(40), rad(50), 0, 0});
    ASSERT_TRUE(set.ok());
    EXPECT_NEAR(d(radiansToDegrees(lcc.twoParallelSet().equivalentOriginLatitudeRad)), 45.0741050448, 1e-10);
    EXPECT_NEAR(d(lcc.twoParallelSet().equivalentScaleFactor), 0.99620424745181, 1e-14);
    EXPECT_NEAR(d(lcc.twoParallelSet().equivalentFalseNorthingM), 8204.2214438468, 1e-7);
    EXPECT_NEAR(d(set.coneConstant), std::sin(0.78669154042193), 1e-14);
    // The working set is now the equivalent one-parallel definition.
    EXPECT_EQ(lcc.oneParallelSet().coneConstant, set.coneConstant);
    EXPECT_EQ(lcc.oneParallelSet().scaleFactor, lcc.twoParallelSet().equivalentScaleFactor);
}

TEST(Lambert, EqualParallelsAreTheOneParallelProjection) {
    LambertConformalConic two;
    ASSERT_TRUE(
        two.setTwoParallel({6378388.0L, 1 / 297.0L, rad(38), rad(27), rad(38), rad(38), 500000, 0}).ok());
    EXPECT_EQ(two.twoParallelSet().equivalentScaleFactor, 1);
    LambertConformalConic one;
    ASSERT_TRUE(one.setOneParallel({6378388.0L, 1 / 297.0L, rad(38), rad(27), 500000, 0, 1}).ok());
    for (double lat : {30.0, 38.0, 45.5}) {
        for (double lon : {20.0, 27.0, 33.3}) {
            const LambertGridResult a = two.forwardTwoParallel(rad(lat), rad(lon));
            const LambertGridResult b = one.forwardOneParallel(rad(lat), rad(lon));
            ASSERT_TRUE(a.ok() && b.ok());
            EXPECT_EQ(a.eastingM, b.eastingM);
            EXPECT_EQ(a.northingM, b.northingM);
        }
    }
}

TEST(Lambert, OneParallelSetterErrorBits) {
    using E = LambertOneParallelError;
    const LambertOneParallelDefinition good{6378137.0L, kWgs84Flattening, rad(40), rad(30), 500000,
                                            0,          0.9996L};
    struct Case {
        const char* what;
        LambertOneParallelDefinition definition;
        unsigned bits;
    };
    auto with = [&good](auto change) {
        LambertOneParallelDefinition d = good;
        change(d);
        return d;
    };
    const Case cases[] = {
        {"good", good, 0},
        {"a zero", with([](auto& d) { d.semiMajorAxisM = 0; }), E::kSemiMajorAxis},
        {"a negative", with([](auto& d) { d.semiMajorAxisM = -1; }), E::kSemiMajorAxis},
        {"a NaN", with([](auto& d) { d.semiMajorAxisM = NAN; }), E::kSemiMajorAxis},
        {"1/f 249", with([](auto& d) { d.flattening = 1 / 249.0L; }), E::kFlattening},
        {"1/f 351", with([](auto& d) { d.flattening = 1 / 351.0L; }), E::kFlattening},
        {"1/f 250", with([](auto& d) { d.flattening = 1 / 250.0L; }), 0},
        {"f zero", with([](auto& d) { d.flattening = 0; }), E::kFlattening},
        {"origin 0", with([](auto& d) { d.originLatitudeRad = 0; }), E::kOriginLatitude},
        {"origin at the pole", with([](auto& d) { d.originLatitudeRad = kPi / 2; }), E::kOriginLatitude},
        {"origin at the limit", with([](auto& d) { d.originLatitudeRad = -1.5707914786580854L; }), 0},
        {"origin past the limit", with([](auto& d) { d.originLatitudeRad = 1.5707914786581L; }),
         E::kOriginLatitude},
        {"meridian -π", with([](auto& d) { d.centralMeridianRad = -kPi; }), 0},
        {"meridian below -π", with([](auto& d) { d.centralMeridianRad = -3.15L; }), E::kCentralMeridian},
        {"meridian 2π", with([](auto& d) { d.centralMeridianRad = 2 * kPi; }), 0},
        {"meridian beyond 2π", with([](auto& d) { d.centralMeridianRad = 6.3L; }), E::kCentralMeridian},
        {"scale 0.29", with([](auto& d) { d.scaleFactor = 0.29L; }), E::kScaleFactor},
        {"scale 3.01", with([](auto& d) { d.scaleFactor = 3.01L; }), E::kScaleFactor},
        {"scale 3", with([](auto& d) { d.scaleFactor = 3; }), 0},
        {"everything",
         {0, 0.5L, 0, 7, 0, 0, 0},
         E::kSemiMajorAxis | E::kFlattening | E::kOriginLatitude | E::kCentralMeridian | E::kScaleFactor},
    };
    for (const Case& c : cases) {
        LambertConformalConic lcc;
        const LambertSetResult set = lcc.setOneParallel(c.definition);
        EXPECT_EQ(set.errors, c.bits) << c.what;
        if (c.bits != 0) {
            // Nothing stored: the start values remain, and their cone constant is returned.
            EXPECT_NEAR(d(lcc.oneParallelSet().originLatitudeRad), d(kPi / 4), 1e-18) << c.what;
            EXPECT_EQ(lcc.oneParallelSet().rho0M, LambertConformalConic().oneParallelSet().rho0M) << c.what;
            EXPECT_EQ(set.coneConstant, LambertConformalConic().oneParallelSet().coneConstant) << c.what;
        }
    }
}

TEST(Lambert, TwoParallelSetterErrorBits) {
    using E = LambertTwoParallelError;
    const LambertTwoParallelDefinition good{6378137.0L, kWgs84Flattening, rad(45), rad(3),
                                            rad(44),    rad(49),          700000,  6600000};
    auto with = [&good](auto change) {
        LambertTwoParallelDefinition d = good;
        change(d);
        return d;
    };
    struct Case {
        const char* what;
        LambertTwoParallelDefinition definition;
        unsigned bits;
    };
    const Case cases[] = {
        {"good", good, 0},
        {"a zero", with([](auto& d) { d.semiMajorAxisM = 0; }), E::kSemiMajorAxis},
        {"1/f 200", with([](auto& d) { d.flattening = 1 / 200.0L; }), E::kFlattening},
        {"origin beyond the limit", with([](auto& d) { d.originLatitudeRad = -1.5708L; }),
         E::kOriginLatitude},
        {"origin 0 is allowed", with([](auto& d) { d.originLatitudeRad = 0; }), 0},
        {"first parallel", with([](auto& d) { d.firstParallelRad = 1.6L; }), E::kFirstParallel},
        {"second parallel", with([](auto& d) { d.secondParallelRad = -1.6L; }), E::kSecondParallel},
        {"opposite parallels", with([](auto& d) { d.secondParallelRad = -d.firstParallelRad; }),
         E::kOppositeParallels},
        {"both zero", with([](auto& d) { d.firstParallelRad = d.secondParallelRad = 0; }),
         E::kBothParallelsZero | E::kOppositeParallels},
        {"meridian", with([](auto& d) { d.centralMeridianRad = -4; }), E::kCentralMeridian},
        {"far apart is still a cone", with([](auto& d) {
             d.firstParallelRad = rad(0.001);
             d.secondParallelRad = rad(89.99);
         }),
         0},
    };
    for (const Case& c : cases) {
        LambertConformalConic lcc;
        const LambertSetResult set = lcc.setTwoParallel(c.definition);
        EXPECT_EQ(set.errors, c.bits) << c.what;
        if (c.bits != 0) {
            EXPECT_NEAR(d(lcc.twoParallelSet().firstParallelRad), d(rad(40)), 1e-18) << c.what;
            EXPECT_NEAR(d(lcc.oneParallelSet().originLatitudeRad), d(kPi / 4), 1e-18) << c.what;
        }
    }
}

TEST(Lambert, ConversionErrorBitsAndPoles) {
    using E = LambertConversionError;
    const LambertConformalConic lcc;
    EXPECT_EQ(lcc.forwardOneParallel(1.6L, 0).errors, E::kLatitude);
    EXPECT_EQ(lcc.forwardOneParallel(0.5L, 6.3L).errors, E::kLongitude);
    EXPECT_EQ(lcc.forwardOneParallel(0.5L, -3.2L).errors, E::kLongitude);
    EXPECT_EQ(lcc.forwardOneParallel(-1.6L, 7).errors, E::kLatitude | E::kLongitude);
    EXPECT_EQ(lcc.forwardOneParallel(NAN, 0).errors, E::kLatitude);
    // The pole on the cone's side is its apex; the other pole lies at infinity.
    const LambertGridResult apex = lcc.forwardOneParallel(kPi / 2, 1);
    ASSERT_TRUE(apex.ok());
    EXPECT_EQ(apex.eastingM, 0);
    EXPECT_NEAR(d(apex.northingM), d(lcc.oneParallelSet().rhoOriginM), 1e-9);
    EXPECT_EQ(lcc.forwardOneParallel(-kPi / 2, 0).errors, E::kLatitude);

    LambertConformalConic south;
    ASSERT_TRUE(south.setOneParallel({6378137.0L, kWgs84Flattening, rad(-35), 0, 0, 0, 1}).ok());
    EXPECT_TRUE(south.forwardOneParallel(-kPi / 2, 0).ok());
    EXPECT_EQ(south.forwardOneParallel(kPi / 2, 0).errors, E::kLatitude);
}

TEST(Lambert, LongitudeBeyondPiIsTakenWest) {
    const LambertConformalConic lcc;
    const LambertGridResult east = lcc.forwardOneParallel(rad(45), 6.11L);
    const LambertGridResult west = lcc.forwardOneParallel(rad(45), 6.11L - 2 * kPi);
    ASSERT_TRUE(east.ok() && west.ok());
    EXPECT_NEAR(d(east.eastingM), d(west.eastingM), 1e-6);
    EXPECT_NEAR(d(east.northingM), d(west.northingM), 1e-6);
    EXPECT_LT(east.eastingM, 0);
    // A central meridian beyond π is stored as its western equivalent.
    LambertConformalConic shifted;
    ASSERT_TRUE(shifted.setOneParallel({6378137.0L, kWgs84Flattening, rad(45), rad(350), 0, 0, 1}).ok());
    EXPECT_NEAR(d(shifted.oneParallelSet().centralMeridianRad), d(rad(-10)), 1e-15);
}

std::string projCommon(long double a, long double f, double lon0, double x0, double y0) {
    return " +lon_0=" + projNumber(lon0) + " +x_0=" + projNumber(x0) + " +y_0=" + projNumber(y0) + " " +
           projEllipsoid(d(a), d(f));
}

TEST(LambertOracle, OneParallelMatchesProjLcc1SP) {
    struct Case {
        double lat0, lon0, k0, fe, fn;
        long double a, f;
    };
    const Case cases[] = {
        {45, 0, 1, 0, 0, 6378137.0L, kWgs84Flattening},
        {36, 33, 0.99987742, 600000, 2200000, 6378388.0L, 1 / 297.0L},
        {-35, -65, 0.9996, 500000, 1000000, 6378137.0L, kWgs84Flattening},
        {18, -77, 1, 250000, 150000, 6378206.4L, 1 / 294.9786982L},
        {60, 170, 0.9999, 0, 0, 6378245.0L, 1 / 298.3L},
    };
    std::mt19937 random(51);
    std::uniform_real_distribution<double> dLat(-8, 8), dLon(-12, 12);
    double worstAll = 0;
    for (const Case& c : cases) {
        const ProjOperation proj("+proj=lcc +lat_1=" + projNumber(c.lat0) + " +lat_0=" + projNumber(c.lat0) +
                                 " +k_0=" + projNumber(c.k0) + projCommon(c.a, c.f, c.lon0, c.fe, c.fn));
        LambertConformalConic lcc;
        ASSERT_TRUE(lcc.setOneParallel({c.a, c.f, rad(c.lat0), rad(c.lon0), c.fe, c.fn, c.k0}).ok());
        double worst = 0;
        for (int i = 0; i < 600; ++i) {
            const double lat = c.lat0 + dLat(random);
            double lon = c.lon0 + dLon(random);
            lon = lon > 180 ? lon - 360 : lon;
            const PJ_COORD expected = proj.forward(proj_torad(lon), proj_torad(lat));
            const LambertGridResult got = lcc.forwardOneParallel(rad(lat), rad(lon));
            ASSERT_TRUE(got.ok());
            worst = std::max(worst,
                             std::hypot(d(got.eastingM) - expected.xy.x, d(got.northingM) - expected.xy.y));
        }
        EXPECT_LT(worst, 1e-5) << c.lat0;
        worstAll = std::max(worstAll, worst);
    }
    std::printf("LCC 1SP vs PROJ: largest difference %.3g mm\n", worstAll * 1000);
}

TEST(LambertOracle, TwoParallelMatchesProjLcc2SP) {
    struct Case {
        double lat1, lat2, lat0, lon0, fe, fn;
        long double a, f;
    };
    const Case cases[] = {
        {40, 50, 45, 0, 0, 0, 6378137.0L, kWgs84Flattening},
        {44, 49, 46.5, 3, 700000, 6600000, 6378137.0L, 1 / 298.257222101L}, // Lambert-93
        {33, 45, 23, -96, 0, 0, 6378206.4L, 1 / 294.9786982L},              // US conic
        {-30, -40, -35, 140, 1000000, 2000000, 6378388.0L, 1 / 297.0L},
        {60, 30, 0, 105, 0, 0, 6378245.0L, 1 / 298.3L},
    };
    std::mt19937 random(52);
    std::uniform_real_distribution<double> dLat(-10, 10), dLon(-15, 15);
    double worstAll = 0;
    for (const Case& c : cases) {
        const ProjOperation proj("+proj=lcc +lat_1=" + projNumber(c.lat1) + " +lat_2=" + projNumber(c.lat2) +
                                 " +lat_0=" + projNumber(c.lat0) + projCommon(c.a, c.f, c.lon0, c.fe, c.fn));
        LambertConformalConic lcc;
        const LambertSetResult set =
            lcc.setTwoParallel({c.a, c.f, rad(c.lat0), rad(c.lon0), rad(c.lat1), rad(c.lat2), c.fe, c.fn});
        ASSERT_TRUE(set.ok());
        double worst = 0, worstConvergence = 0;
        const double middle = (c.lat1 + c.lat2) / 2;
        for (int i = 0; i < 600; ++i) {
            const double lat = middle + dLat(random);
            const double lon = c.lon0 + dLon(random);
            const PJ_COORD expected = proj.forward(proj_torad(lon), proj_torad(lat));
            const LambertGridResult got = lcc.forwardTwoParallel(rad(lat), rad(lon));
            ASSERT_TRUE(got.ok());
            worst = std::max(worst,
                             std::hypot(d(got.eastingM) - expected.xy.x, d(got.northingM) - expected.xy.y));
            // The cone constant gives PROJ's meridian convergence (grid north from true north).
            const PJ_FACTORS factors =
                proj_factors(proj.get(), proj_coord(proj_torad(lon), proj_torad(lat), 0, 0));
            worstConvergence =
                std::max(worstConvergence, std::fabs(d(set.coneConstant) * (lon - c.lon0) -
                                                     proj_todeg(factors.meridian_convergence)));
        }
        EXPECT_LT(worst, 1e-5) << c.lat1 << ' ' << c.lat2;
        EXPECT_LT(worstConvergence, 1e-7) << c.lat1 << ' ' << c.lat2;
        worstAll = std::max(worstAll, worst);
    }
    std::printf("LCC 2SP vs PROJ: largest difference %.3g mm\n", worstAll * 1000);
}

} // namespace
} // namespace selvir
