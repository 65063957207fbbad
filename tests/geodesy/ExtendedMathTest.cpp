// The extended-precision sine/cosine kernel against the C library, and the "near" shortcut of the
// inverse geocentric conversion against the plain inverse trigonometric path.
#include "geodesy/ExtendedMath.h"

#include "geodesy/Geocentric.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace selvir {
namespace {

constexpr long double kUlp = std::numeric_limits<long double>::epsilon(); // at 1

TEST(ExtendedMath, SinCosMatchTheCLibrary) {
    std::mt19937 random(71);
    std::uniform_real_distribution<double> angle(-8, 8);
    long double worst = 0;
    for (int i = 0; i < 200000; ++i) {
        const long double x = angle(random) + static_cast<long double>(angle(random)) * 1e-17L;
        long double s, c;
        extendedSinCos(x, s, c);
        worst = std::max({worst, std::fabs(s - std::sin(x)), std::fabs(c - std::cos(x))});
    }
    EXPECT_LE(worst, 3 * kUlp);
    // Quadrant boundaries, zero, and exact values.
    for (long double x : {0.0L, -0.0L, 1e-30L, 0.785398163397448309616L, 1.5707963267948966192L,
                          3.1415926535897932385L, -4.7123889803846898577L, 6.2831853071795864769L}) {
        long double s, c;
        extendedSinCos(x, s, c);
        EXPECT_NEAR(static_cast<double>(s), static_cast<double>(std::sin(x)), 2e-19)
            << static_cast<double>(x);
        EXPECT_NEAR(static_cast<double>(c), static_cast<double>(std::cos(x)), 2e-19)
            << static_cast<double>(x);
    }
}

TEST(ExtendedMath, LargeAndNonFiniteArgumentsGoToTheLibrary) {
    long double s, c;
    extendedSinCos(1e7L, s, c);
    EXPECT_EQ(s, std::sin(1e7L));
    EXPECT_EQ(c, std::cos(1e7L));
    extendedSinCos(NAN, s, c);
    EXPECT_TRUE(std::isnan(s) && std::isnan(c));
    extendedSinCos(INFINITY, s, c);
    EXPECT_TRUE(std::isnan(s));
}

TEST(ExtendedMath, SmallAngleAsin) {
    for (long double u : {0.0L, 1e-12L, -3e-7L, 2.5e-5L, -9.99e-4L}) {
        EXPECT_NEAR(static_cast<double>(smallAngleAsin(u)), static_cast<double>(std::asin(u)), 1e-22);
        EXPECT_LE(std::fabs(smallAngleAsin(u) - std::asin(u)), 4 * kUlp * std::fabs(u) + 1e-30L);
    }
}

TEST(GeocentricInverse, NearStartGivesTheSameAngles) {
    // The same point converted with and without the angles of a nearby position.
    std::mt19937 random(72);
    std::uniform_real_distribution<double> lat(-89, 89), lon(-180, 360), offset(-0.01, 0.01), h(-100, 5000);
    const Ellipsoid international{6378388.0L, 1 / 297.0L};
    for (int i = 0; i < 5000; ++i) {
        const GeodeticCoordinates start{lat(random), lon(random), h(random)};
        GeodeticAngles near;
        geodeticToGeocentric({start.latitudeDeg + offset(random), start.longitudeDeg + offset(random), 0},
                             international, &near);
        const GeocentricCoordinates point = geodeticToGeocentric(start, international);
        const GeodeticResult plain = geocentricToGeodetic(point, international);
        const GeodeticResult quick = geocentricToGeodetic(point, international, &near);
        ASSERT_TRUE(plain.ok() && quick.ok());
        // Compared in extended precision: a few units in the last place of long double.
        EXPECT_LE(std::fabs(quick.angles.latitudeRad - plain.angles.latitudeRad), 1e-18L);
        EXPECT_LE(std::fabs(quick.angles.longitudeRad - plain.angles.longitudeRad), 1e-18L);
        EXPECT_EQ(quick.position.heightM, plain.position.heightM);
        // And both are the starting point again.
        const long double lon360 = start.longitudeDeg > 180 ? start.longitudeDeg - 360 : start.longitudeDeg;
        EXPECT_NEAR(static_cast<double>(quick.position.latitudeDeg), static_cast<double>(start.latitudeDeg),
                    1e-13);
        EXPECT_NEAR(static_cast<double>(quick.position.longitudeDeg), static_cast<double>(lon360), 1e-13);
        EXPECT_NEAR(static_cast<double>(quick.position.heightM), static_cast<double>(start.heightM), 1e-8);
    }
}

} // namespace
} // namespace selvir
