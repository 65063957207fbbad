#pragma once
// The control-point check of the geodetic settings: points whose local grid position is known (from
// the survey's control network) are carried through the realtime chain with the parameters as they
// stand, and what the chain misses is shown per point and as one RMS. The same is done with the three
// rotations negated: a rotation sign convention mixed up (position vector entered where the program
// takes coordinate frame, or the reverse) moves every fix by metres, and the negated set then fits far
// better. The settings window and `selvirhs-tool geo --check` both use it.
//
// Units: degrees (WGS-84, north and east positive), metres. A residual is known minus computed:
// dE = known easting - chain easting, dN = known northing - chain northing. The RMS is the horizontal
// one, sqrt(sum(dE² + dN²) / n) over the n points the chain converted.

#include "geodesy/GeodeticParameters.h"
#include "geodesy/RealtimeChain.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace selvir {

struct ControlPoint {
    std::string name;
    double latitudeDeg = 0;  // WGS-84
    double longitudeDeg = 0; // WGS-84
    double heightM = 0;      // WGS-84 ellipsoidal height
    double eastingM = 0;     // known local grid position
    double northingM = 0;
};

struct ControlPointResidual {
    std::string name;
    FixFailure failure = FixFailure::None; // why the chain could not convert the point
    double dEastM = 0;                     // known - computed, meaningful only when ok()
    double dNorthM = 0;
    bool ok() const { return failure == FixFailure::None; }
};

struct ControlPointCheck {
    // Set when the parameters cannot build a chain; nothing else is then meaningful.
    std::optional<ChainSetupError> setupError;
    std::vector<ControlPointResidual> residuals;        // one per point, in the order given
    std::vector<ControlPointResidual> residualsNegated; // the same with the rotations negated
    int converted = 0;                                  // points that entered the RMS
    double rmsM = 0;                                    // NaN when no point was converted
    double rmsRotationsNegatedM = 0;                    // NaN when no point was converted
    // The negated rotations fit clearly better: their RMS is below half the RMS as entered.
    bool rotationsNegatedFitBetter() const { return rmsRotationsNegatedM < rmsM / 2; }
    // One sentence for the surveyor on what the check found.
    std::string verdict() const;
};

// Checks the points with the parameters (and with their rotations negated).
ControlPointCheck checkControlPoints(const GeodeticParameters& parameters,
                                     const std::vector<ControlPoint>& points);

// The parameters with X, Y and Z Rotation negated, as text ("1.5" -> "-1.5", "-0.3" -> "0.3").
GeodeticParameters withRotationsNegated(GeodeticParameters parameters);

// Control points from text: one point a line, "name,latitude,longitude,height,easting,northing"; blanks
// around fields, empty lines and CR line ends are allowed. A first line whose numeric fields are not
// numbers is a header and is skipped. Any other line that does not read is a problem, named by its
// line number (from 1); no points are returned then.
struct ControlPointsText {
    std::vector<ControlPoint> points;
    std::string problem; // empty when every line was read
};
ControlPointsText readControlPoints(std::string_view text);

} // namespace selvir
