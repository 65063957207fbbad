#pragma once
// The datum chain: geodetic coordinates on datum A to geocentric or geodetic coordinates on datum B.
//
//     1. geodetic (A) → geocentric on ellipsoid A
//     2. seven-parameter step of A, forward:  X_C = T_A + s_A·R_A·X_A
//     3. seven-parameter step of B, inverse:  X_B = (s_B·R_B)⁻¹·(X_C − T_B)
//     4. geocentric → geodetic on ellipsoid B
//
// Each side's seven parameters describe that side's transformation into a common frame C. The program
// gives the fix on WGS-84 with seven zeros on side A and the local datum on side B, whose parameters
// are entered as "transformation parameters from WGS-84" with the relation X_WGS84 = T + s·R·X_local;
// the chain applies the exact inverse of that relation.

#include "geodesy/Geocentric.h"
#include "geodesy/SevenParameterTransform.h"

namespace selvir {

struct DatumShiftParameters {
    Ellipsoid ellipsoidA = kWgs84Ellipsoid; // the side the fix is given on
    SevenParameters parametersA;            // A into the common frame, applied forward
    Ellipsoid ellipsoidB = kWgs84Ellipsoid; // the local datum
    SevenParameters parametersB;            // B into the common frame, applied inversely

    // Both ellipsoids and both parameter sets valid.
    bool valid() const {
        return ellipsoidA.valid() && ellipsoidB.valid() && parametersA.valid() && parametersB.valid();
    }
};

class DatumShift {
public:
    explicit DatumShift(const DatumShiftParameters& parameters = {});

    // Steps 1 to 3: geocentric coordinates on datum B, metres. `anglesA`, when given, receives the
    // input's angles (radians, sines, cosines).
    GeocentricCoordinates toGeocentricB(const GeodeticCoordinates& positionA,
                                        GeodeticAngles* anglesA = nullptr) const;
    // Steps 1 to 4: geodetic coordinates on datum B (see Geocentric.h for the failures), with their
    // angles in the result. `anglesA` as above.
    GeodeticResult toGeodeticB(const GeodeticCoordinates& positionA, GeodeticAngles* anglesA = nullptr) const;

    const DatumShiftParameters& parameters() const { return parameters_; }

private:
    DatumShiftParameters parameters_;
    SevenParameterTransform stepA_;
    SevenParameterTransform stepB_;
};

} // namespace selvir
