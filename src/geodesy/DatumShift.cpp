// The datum chain composed of the geocentric conversion and two seven-parameter steps.
#include "geodesy/DatumShift.h"

namespace selvir {

DatumShift::DatumShift(const DatumShiftParameters& parameters)
    : parameters_(parameters), stepA_(parameters.parametersA), stepB_(parameters.parametersB) {}

GeocentricCoordinates DatumShift::toGeocentricB(const GeodeticCoordinates& positionA) const {
    GeocentricCoordinates point = geodeticToGeocentric(positionA, parameters_.ellipsoidA);
    // An all-zero step is the identity exactly (s = 1, R = I, T = 0); skipping it only saves time.
    if (!stepA_.identity()) {
        point = stepA_.forward(point);
    }
    if (!stepB_.identity()) {
        point = stepB_.inverse(point);
    }
    return point;
}

GeodeticResult DatumShift::toGeodeticB(const GeodeticCoordinates& positionA) const {
    return geocentricToGeodetic(toGeocentricB(positionA), parameters_.ellipsoidB);
}

} // namespace selvir
