// The datum chain composed of the geocentric conversion and two seven-parameter steps.
#include "geodesy/DatumShift.h"

namespace selvir {

DatumShift::DatumShift(const DatumShiftParameters& parameters)
    : parameters_(parameters), stepA_(parameters.parametersA), stepB_(parameters.parametersB) {}

GeocentricCoordinates DatumShift::toGeocentricB(const GeodeticCoordinates& positionA,
                                                GeodeticAngles* anglesA) const {
    GeocentricCoordinates point = geodeticToGeocentric(positionA, parameters_.ellipsoidA, anglesA);
    // An all-zero step is the identity exactly (s = 1, R = I, T = 0); skipping it only saves time.
    if (!stepA_.identity()) {
        point = stepA_.forward(point);
    }
    if (!stepB_.identity()) {
        point = stepB_.inverse(point);
    }
    return point;
}

GeodeticResult DatumShift::toGeodeticB(const GeodeticCoordinates& positionA, GeodeticAngles* anglesA) const {
    // A datum shift moves a point by seconds of arc: the input's angles are a close start for the
    // output's, which saves the inverse trigonometric calls.
    GeodeticAngles scratch;
    GeodeticAngles* angles = anglesA != nullptr ? anglesA : &scratch;
    const GeocentricCoordinates pointB = toGeocentricB(positionA, angles);
    return geocentricToGeodetic(pointB, parameters_.ellipsoidB, angles);
}

} // namespace selvir
