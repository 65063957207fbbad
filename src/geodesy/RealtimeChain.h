#pragma once
// The conversion the realtime map update makes for every GNSS fix: WGS-84 latitude, longitude and
// height to local grid easting, northing and grid convergence, through the datum chain and the chosen
// projection. The map update and `selvirhs-tool geo` both use this class, so they give the same numbers.
//
// Use:
//     const RealtimeChainSetup setup = RealtimeChain::create(GeodeticParameters::read(store));
//     if (!setup.ok()) { report setup.error.text(); try again at the next tick; }
//     const FixConversion fix = setup.chain->convert(latDeg, lonDeg, heightM);
//     if (!fix.ok()) { abandon this tick silently; the previous grid position stays }
//     vesselHeadingDeg = headingDeg + fix.convergenceDeg;
//
// Create the chain once per run (changed settings act from the next start); convert() is const, keeps
// no state, does not allocate and never throws; a RealtimeChain may be shared between threads.
//
// What convert() computes:
// - Transverse Mercator (cbUseLCCProjection unticked): the fix with its height replaced by 0 is carried
//   from WGS-84 to the local datum (DatumShift.h) and projected (TransverseMercator.h) with the TM
//   parameters on the local ellipsoid. The convergence is tmGridConvergenceDeg() of the fix's WGS-84
//   latitude and longitude on the local ellipsoid. local holds the latitude and longitude that were
//   projected and, as height, the local height of the height-0 point plus the fix's height (the two
//   ellipsoid normals differ by seconds of arc, so this is the fix's local height to within 1e-9·h).
// - Lambert (cbUseLCCProjection ticked): the fix with its height is carried to the local datum and
//   projected with the one-parallel form (cLambert1 ticked: central parallel, central meridian, scale
//   factor, false easting and northing) or the two-parallel form (standard parallels 1 and 2, central
//   parallel as latitude of origin, central meridian, false easting and northing) on the local
//   ellipsoid. The convergence is −n·(local longitude − central meridian), degrees, with the difference
//   taken in [-180°, 180°) and n the cone constant: the same sign convention as for TM, so that adding it
//   to a true heading gives the grid heading in both projections.
// All of it runs in extended precision without the text hand-offs of the GeodesyText.h routines;
// WGSToTM rounds the local latitude and longitude to 8 decimals on the way, so its grid coordinates
// differ from convert()'s by up to 0.8 mm. The local a and f are read once, in extended precision, and
// serve both the datum shift and the projection.
//
// Accuracy: the datum chain agrees with PROJ's cart/helmert/cart pipeline to 1e-12° and 2e-7 m in
// height; Transverse Mercator is within 1 mm of the exact projection up to 4° from the central
// meridian (see TransverseMercator.h); Lambert agrees with PROJ's lcc to 1e-8 m.
//
// Failures: create() refuses settings the chain cannot use, naming the field, including Lambert
// settings the projection's setter rejects (so they never leave its start values silently in force).
// convert() reports a FixFailure for a fix it cannot convert; no fix gives a non-finite result.
//
// Units and signs: degrees (north and east positive), metres. Easting grows east, northing north.
// convergenceDeg is the angle to add to a true heading to obtain the grid heading (negative east of the
// central meridian in the northern hemisphere).

#include "geodesy/DatumShift.h"
#include "geodesy/GeodeticParameters.h"
#include "geodesy/LambertConformalConic.h"
#include "geodesy/TransverseMercator.h"

#include <optional>
#include <string>

namespace selvir {

enum class MapProjection { TransverseMercator, LambertOneParallel, LambertTwoParallel };

// Why a fix could not be converted. The map update abandons the tick on any of them.
enum class FixFailure {
    None,
    NotFinite,           // latitude, longitude or height is NaN or infinite
    LatitudeOutOfRange,  // outside [-90, 90]
    LongitudeOutOfRange, // outside [-180, 360]
    LocalAtPole,         // the local latitude comes out as exactly ±90°
    NotConverged,        // the local geodetic latitude did not converge
    OutsideProjection,   // the Lambert conversion refused the local position (pole on the far side)
    ResultNotFinite,     // the projection gave no finite grid position
};

// A short English text for the reason ("latitude outside -90..90", ...).
const char* describeFixFailure(FixFailure failure);

struct FixConversion {
    FixFailure failure = FixFailure::None;
    long double eastingM = 0; // the fields below are meaningful only when ok()
    long double northingM = 0;
    long double convergenceDeg = 0; // add to a true heading to get the grid heading
    GeodeticCoordinates local;      // latitude, longitude, height on the local datum (see above for TM)
    bool ok() const { return failure == FixFailure::None; }
};

// A settings field the chain cannot use: the field's caption, and the message. A field that is not a
// number gives the conversion message "'<text>' is not a valid floating point value".
struct ChainSetupError {
    std::string group; // group box of the field, e.g. "TM Parameters"
    std::string field; // caption, e.g. "Central Meridian"; empty for checks of the whole group
    std::string message;
    // "TM Parameters, Central Meridian: 'x' is not a valid floating point value"
    std::string text() const { return group + (field.empty() ? "" : ", " + field) + ": " + message; }
};

struct RealtimeChainSetup;

class RealtimeChain {
public:
    // Checks the parameters and prepares the chain. Every number field must read as a finite number
    // (in the order of geodeticNumberFields(), Lambert fields included, whatever the projection); the
    // local ellipsoid must have a > 0 and 0 <= f < 1, the scale 1 + ppm·1e-6 must be positive; for TM
    // the scale factor must be positive; for Lambert the projection's setter must accept the values (its
    // error bits are named in the message).
    static RealtimeChainSetup create(const GeodeticParameters& parameters);

    // One fix: WGS-84 latitude [-90, 90] and longitude [-180, 360] in degrees, height in metres.
    FixConversion convert(long double latitudeDeg, long double longitudeDeg, long double heightM) const;

    MapProjection projection() const { return projection_; }
    // The lines built from the settings (for the session log and for the text routines).
    const std::string& datumParameterLine() const { return datumLine_; }
    const std::string& tmParameterLine() const { return tmLine_; }
    const std::string& tmEllipsoidLine() const { return ellipsoidLine_; }
    const DatumShift& datumShift() const { return datum_; }
    const Ellipsoid& localEllipsoid() const { return datum_.parameters().ellipsoidB; }
    const TransverseMercator& transverseMercator() const { return tm_; }
    const LambertConformalConic& lambert() const { return lambert_; }
    // The Lambert cone constant n (0 for Transverse Mercator).
    long double coneConstant() const { return coneConstant_; }

private:
    RealtimeChain(const DatumShiftParameters& datum, const TransverseMercatorParameters& tm);

    MapProjection projection_ = MapProjection::TransverseMercator;
    std::string datumLine_, tmLine_, ellipsoidLine_;
    DatumShift datum_;
    TransverseMercator tm_;
    LambertConformalConic lambert_;
    long double tmCentralMeridianRad_ = 0;
    long double lambertCentralMeridianDeg_ = 0;
    long double coneConstant_ = 0;
};

struct RealtimeChainSetup {
    std::optional<RealtimeChain> chain; // set when the parameters are usable
    ChainSetupError error;              // otherwise, the first problem found
    bool ok() const { return chain.has_value(); }
};

} // namespace selvir
