// The simulated vessel against GeographicLib's geodesics (an independent ellipsoidal computation):
// distances sailed, courses steered and the survey pattern's geometry.
#include "sim/Trajectory.h"

#include "sim/Seabed.h"

#include <GeographicLib/Geodesic.hpp>
#include <cmath>
#include <gtest/gtest.h>

namespace selvir::sim {
namespace {

struct Leg {
    double distanceM;
    double azimuthDeg;
};

Leg geodesic(const VesselPose& a, const VesselPose& b) {
    double distance = 0;
    double azimuth1 = 0;
    double azimuth2 = 0;
    GeographicLib::Geodesic::WGS84().Inverse(a.latitudeDeg, a.longitudeDeg, b.latitudeDeg, b.longitudeDeg,
                                             distance, azimuth1, azimuth2);
    return {distance, azimuth1 < 0 ? azimuth1 + 360.0 : azimuth1};
}

double angleDifferenceDeg(double a, double b) {
    double d = std::fmod(a - b + 540.0, 360.0) - 180.0;
    return std::fabs(d);
}

TEST(LawnMowerTrajectory, StartsAtTheSouthEndOfTheFirstLineHeadingNorth) {
    TrajectorySettings settings; // 41 N, 29 E, 5 kn, 400 m lines, 25 m apart
    const LawnMowerTrajectory trajectory(settings);
    const VesselPose start = trajectory.poseAt(0);
    VesselPose origin;
    origin.latitudeDeg = 41.0;
    origin.longitudeDeg = 29.0;
    const Leg toStart = geodesic(origin, start);
    EXPECT_NEAR(toStart.distanceM, 200.0, 0.01);
    EXPECT_NEAR(toStart.azimuthDeg, 180.0, 1e-6);
    EXPECT_EQ(start.courseDeg, 0.0);
    EXPECT_EQ(start.lineNumber, 0);
    EXPECT_FALSE(start.turning);
    EXPECT_DOUBLE_EQ(trajectory.speedMs(), 5.0 * 1852.0 / 3600.0);
}

TEST(LawnMowerTrajectory, SailsAtItsSpeedAlongItsCourseThroughLinesAndTurns) {
    TrajectorySettings settings;
    settings.originLatDeg = -33.9;
    settings.originLonDeg = 151.2;
    settings.speedKnots = 6.0;
    settings.lineLengthM = 300.0;
    settings.lineSpacingM = 30.0;
    const LawnMowerTrajectory trajectory(settings);
    const double dt = 0.1;
    const double expected = trajectory.speedMs() * dt;
    const double duration = 2.5 * trajectory.cycleLengthM() / trajectory.speedMs();
    int turningSamples = 0;
    for (double t = 0; t < duration; t += dt) {
        const VesselPose a = trajectory.poseAt(t);
        const VesselPose b = trajectory.poseAt(t + dt);
        const VesselPose middle = trajectory.poseAt(t + dt / 2);
        const Leg leg = geodesic(a, b);
        ASSERT_NEAR(leg.distanceM, expected, expected * 2e-3) << "t=" << t;
        // The chord of a circle arc points along the tangent at the arc's middle; a chord across the
        // join of a line and a turn is off by a fraction of the turn's step.
        const double toleranceDeg = a.turning == b.turning ? 0.05 : 0.7;
        ASSERT_LT(angleDifferenceDeg(leg.azimuthDeg, middle.courseDeg), toleranceDeg) << "t=" << t;
        ASSERT_GE(middle.courseDeg, 0.0);
        ASSERT_LT(middle.courseDeg, 360.0);
        turningSamples += middle.turning ? 1 : 0;
    }
    EXPECT_GT(turningSamples, 10);
}

TEST(LawnMowerTrajectory, LinesAreTheirLengthAndSpacingApart) {
    TrajectorySettings settings;
    const LawnMowerTrajectory trajectory(settings);
    const double v = trajectory.speedMs();
    const double turn = M_PI * settings.lineSpacingM / 2.0;
    const VesselPose line0Start = trajectory.poseAtDistance(0);
    const VesselPose line0End = trajectory.poseAtDistance(settings.lineLengthM - 1e-9);
    const VesselPose line1Start = trajectory.poseAtDistance(settings.lineLengthM + turn + 1e-9);
    const VesselPose line1End = trajectory.poseAtDistance(2 * settings.lineLengthM + turn - 1e-9);
    const VesselPose line2Start = trajectory.poseAtDistance(trajectory.cycleLengthM() + 1e-9);
    EXPECT_NEAR(geodesic(line0Start, line0End).distanceM, settings.lineLengthM, 0.01);
    EXPECT_NEAR(geodesic(line0End, line1Start).distanceM, settings.lineSpacingM, 0.01);
    EXPECT_NEAR(geodesic(line0End, line1Start).azimuthDeg, 90.0, 0.01);
    EXPECT_NEAR(geodesic(line0Start, line1End).distanceM, settings.lineSpacingM, 0.01);
    EXPECT_NEAR(geodesic(line0Start, line2Start).distanceM, 2 * settings.lineSpacingM, 0.01);
    EXPECT_EQ(line1Start.courseDeg, 180.0);
    EXPECT_EQ(line1Start.lineNumber, 1);
    EXPECT_EQ(line2Start.lineNumber, 2);
    EXPECT_NEAR(trajectory.poseAt(settings.lineLengthM / v).northM, settings.lineLengthM / 2, 1e-6);
}

TEST(Seabed, StaysBetweenFiveAndFortyMetresAndIsSmooth) {
    double low = 1e9;
    double high = -1e9;
    for (double east = -2000; east <= 4000; east += 10) {
        for (double north = -2000; north <= 2000; north += 10) {
            const double depth = seabedDepthM(east, north);
            ASSERT_GE(depth, kSeabedMinDepthM);
            ASSERT_LE(depth, kSeabedMaxDepthM);
            low = std::min(low, depth);
            high = std::max(high, depth);
            const double slope =
                std::hypot(seabedDepthM(east + 1, north) - depth, seabedDepthM(east, north + 1) - depth);
            ASSERT_LT(slope, 0.15) << "metres per metre";
        }
    }
    EXPECT_LT(low, 12.0);
    EXPECT_GT(high, 33.0);
}

} // namespace
} // namespace selvir::sim
