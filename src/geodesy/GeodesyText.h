#pragma once
// The geodesy operations under the names and with the text results the rest of the program exchanges.
//
// Inputs and results are lines of decimal numbers separated by blanks or tabs, written with "." as the
// decimal point. Text inputs are read with scanf-style patterns (by the program's safe reader) exactly
// as named below; numbers are written in the general format (up to 15 significant digits) unless a
// fixed count of decimals is stated. A routine that cannot read its input returns the text "0"; no
// routine throws or shows a message. Computation is in extended precision (see the numeric classes:
// Geocentric.h, SevenParameterTransform.h, DatumShift.h, TransverseMercator.h, GridConvergence.h).
//
// The numeric classes do the same work without the text hand-offs; use them where speed or the last
// decimals matter (RealtimeChain.h does for the map update).

#include <string>
#include <string_view>

namespace selvir {

// Degrees to radians for unit 'r' or 'R' (value·π/180), radians to degrees for 'd' or 'D'
// (value·180/π), with π = 3.141592653589793; 0 for any other letter.
long double ConvertAngle(long double value, char unit);

// Geodetic (degrees, degrees, metres) on the ellipsoid (a metres, flattening f) to "X\tY\tZ" in metres.
std::string GeodeticToXYZ(long double latitudeDeg, long double longitudeDeg, long double heightM,
                          long double a, long double f);

// `numbers` holds X, Y, Z, ppm, rx, ry, rz (arc-seconds), dx, dy, dz (metres), read with ten "%lf".
// Direction "WGS": X′ = T + s·R·X; any other word (the chain passes "Local"): X′ = (s·R)⁻¹·(X − T).
// Result "X′\tY′\tZ′", or "0" when fewer than ten numbers can be read or the scale 1 + ppm·1e-6 is not
// positive.
std::string SevenParameterShift(std::string_view direction, std::string_view numbers);

// Geocentric (metres) to "latitude\tlongitude\theight" with 8, 8 and 2 decimals (degrees, degrees,
// metres). The empty text when the latitude comes out as exactly ±90°, when the iteration does not
// converge within 50 passes, or for a point without a latitude (the centre, non-finite input).
// The longitude covers (-180°, 180°].
std::string XYZToGeodetic(long double xM, long double yM, long double zM, long double a, long double f);

// `position` is latitude, longitude, height on datum A read with "%lf%lf%lf"; `datumLine` the eighteen
// numbers of the datum parameter line (a, f and the seven parameters of A, then of B), read with
// eighteen "%lf". Kind "XYZ": the geocentric result on datum B as "X\tY\tZ"; any other kind (the
// program passes "BLH"): XYZToGeodetic of it on ellipsoid B. "0" when either text cannot be read.
// The steps hand their numbers on as text in the general format.
std::string TransformDatum(std::string_view kind, std::string_view position, std::string_view datumLine);

// `position` is latitude and longitude in degrees read with "%Lf %Lf"; `tmLine` central meridian,
// latitude of origin, k0, false easting, false northing read with "%Lf%Lf%Lf%Lf%Lf"; `ellipsoidLine`
// four words of which the last two, a and f, are used (read with "%*20s %*20s %Lf%Lf").
// Result "easting northing" (one blank), or "0" when a text cannot be read or the result is not finite.
std::string TMForward(std::string_view position, std::string_view tmLine, std::string_view ellipsoidLine);

// WGS-84 latitude and longitude (degrees) to easting and northing: appends a height of 0, applies
// TransformDatum("BLH", ..., datumLine), reads the local latitude and longitude back with "%Lf %Lf" and
// returns TMForward of them. "0" when any step cannot be read.
std::string WGSToTM(std::string_view position, std::string_view datumLine, std::string_view tmLine,
                    std::string_view ellipsoidLine);

// Selector "GrdConv": the Transverse Mercator grid convergence in degrees (see GridConvergence.h),
// computed from a, f, latitude, longitude and the central meridian; the last four parameters are not
// used. Any other selector: 0.
long double TMGridConvergence(std::string_view selector, long double a, long double f,
                              long double latitudeDeg, long double longitudeDeg,
                              long double centralMeridianDeg, long double latitudeOfOriginDeg,
                              long double scaleFactor, long double falseEastingM, long double falseNorthingM);

} // namespace selvir
