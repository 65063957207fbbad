#include "sim/Trajectory.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace selvir::sim {
namespace {

constexpr double kMetresPerNauticalMile = 1852.0;
constexpr double kWgs84A = 6378137.0;
constexpr double kWgs84F = 1.0 / 298.257223563;

double degrees(double radians) {
    return radians * 180.0 / std::numbers::pi;
}

double normalisedDeg(double angle) {
    angle = std::fmod(angle, 360.0);
    return angle < 0 ? angle + 360.0 : angle;
}

} // namespace

LawnMowerTrajectory::LawnMowerTrajectory(const TrajectorySettings& settings)
    : settings_(settings), speedMs_(settings.speedKnots * kMetresPerNauticalMile / 3600.0) {
    settings_.lineLengthM = std::max(settings_.lineLengthM, 1.0);
    settings_.lineSpacingM = std::max(settings_.lineSpacingM, 0.5);
    const double e2 = kWgs84F * (2.0 - kWgs84F);
    const double phi = settings_.originLatDeg * std::numbers::pi / 180.0;
    const double w = std::sqrt(1.0 - e2 * std::sin(phi) * std::sin(phi));
    const double meridianRadius = kWgs84A * (1.0 - e2) / (w * w * w);
    const double primeVerticalRadius = kWgs84A / w;
    metresPerDegLat_ = meridianRadius * std::numbers::pi / 180.0;
    metresPerDegLon_ = std::max(primeVerticalRadius * std::cos(phi), 1.0) * std::numbers::pi / 180.0;
}

double LawnMowerTrajectory::cycleLengthM() const {
    return 2.0 * settings_.lineLengthM + std::numbers::pi * settings_.lineSpacingM;
}

void LawnMowerTrajectory::toGeographic(double eastM, double northM, double& latitudeDeg,
                                       double& longitudeDeg) const {
    latitudeDeg = settings_.originLatDeg + northM / metresPerDegLat_;
    longitudeDeg = settings_.originLonDeg + eastM / metresPerDegLon_;
    if (longitudeDeg > 180.0) {
        longitudeDeg -= 360.0;
    } else if (longitudeDeg < -180.0) {
        longitudeDeg += 360.0;
    }
}

VesselPose LawnMowerTrajectory::poseAt(double elapsedS) const {
    return poseAtDistance(std::max(0.0, elapsedS) * speedMs_);
}

VesselPose LawnMowerTrajectory::poseAtDistance(double distanceM) const {
    const double length = settings_.lineLengthM;
    const double spacing = settings_.lineSpacingM;
    const double radius = spacing / 2.0;
    const double turn = std::numbers::pi * radius;
    const double cycle = cycleLengthM();
    const double cycles = std::floor(distanceM / cycle);
    double u = distanceM - cycles * cycle;
    const double baseEast = cycles * 2.0 * spacing;

    VesselPose pose;
    pose.speedKnots = settings_.speedKnots;
    pose.lineNumber = static_cast<int>(cycles) * 2;
    if (u < length) { // northbound line
        pose.eastM = baseEast;
        pose.northM = u - length / 2.0;
        pose.courseDeg = 0.0;
    } else if ((u -= length) < turn) { // clockwise turn at the north end
        const double theta = u / radius;
        pose.eastM = baseEast + radius - radius * std::cos(theta);
        pose.northM = length / 2.0 + radius * std::sin(theta);
        pose.courseDeg = degrees(theta);
        pose.turning = true;
    } else if ((u -= turn) < length) { // southbound line
        pose.eastM = baseEast + spacing;
        pose.northM = length / 2.0 - u;
        pose.courseDeg = 180.0;
        pose.lineNumber += 1;
    } else { // anticlockwise turn at the south end
        u -= length;
        const double phi = std::min(u, turn) / radius;
        pose.eastM = baseEast + spacing + radius - radius * std::cos(phi);
        pose.northM = -length / 2.0 - radius * std::sin(phi);
        pose.courseDeg = 180.0 - degrees(phi);
        pose.lineNumber += 1;
        pose.turning = true;
    }
    pose.courseDeg = normalisedDeg(pose.courseDeg);
    toGeographic(pose.eastM, pose.northM, pose.latitudeDeg, pose.longitudeDeg);
    return pose;
}

} // namespace selvir::sim
