#pragma once
// The simulated vessel: a lawn-mower survey pattern around an origin. Survey lines run north and
// south, `lineLengthM` long and centred on the origin's latitude, `lineSpacingM` apart, joined by
// half-circle turns of radius spacing / 2, stepping east line after line, at a constant speed.
// Positions are computed on a local tangent plane (east, north in metres) and carried to WGS-84
// latitude and longitude with the radii of curvature at the origin: over a few kilometres the error
// stays in millimetres, and the course is the plane's direction of travel.

namespace selvir::sim {

struct TrajectorySettings {
    double originLatDeg = 41.0;
    double originLonDeg = 29.0;
    double speedKnots = 5.0;
    double lineLengthM = 400.0;
    double lineSpacingM = 25.0;
};

struct VesselPose {
    double eastM = 0;  // from the origin
    double northM = 0; // from the origin
    double latitudeDeg = 0;
    double longitudeDeg = 0;
    double courseDeg = 0; // true, clockwise from north, 0..360
    double speedKnots = 0;
    int lineNumber = 0; // survey line 0, 1, 2 ... (turns count with the line before them)
    bool turning = false;
};

class LawnMowerTrajectory {
public:
    explicit LawnMowerTrajectory(const TrajectorySettings& settings);

    // The pose `elapsedS` seconds after the start (at the south end of the first line).
    VesselPose poseAt(double elapsedS) const;
    // The same along the path, `distanceM` from the start.
    VesselPose poseAtDistance(double distanceM) const;

    const TrajectorySettings& settings() const { return settings_; }
    double speedMs() const { return speedMs_; }
    // Path length of one line out and back with both turns.
    double cycleLengthM() const;

    // Local plane to WGS-84 around the origin.
    void toGeographic(double eastM, double northM, double& latitudeDeg, double& longitudeDeg) const;

private:
    TrajectorySettings settings_;
    double speedMs_;
    double metresPerDegLat_;
    double metresPerDegLon_;
};

} // namespace selvir::sim
