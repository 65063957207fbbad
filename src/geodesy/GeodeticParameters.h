#pragma once
// The geodetic settings of the "Godetic Parameters" tab as the realtime map update reads them, and the
// parameter lines it builds from them once per run.
//
// Every field is kept as the text the surveyor typed (the lines are built from the texts as entered);
// RealtimeChain checks that each one is a number. Reading the settings file: section
// "GEODETIC_PARAMETERS", keys matched without regard to case and to blanks around them; a missing file,
// section or key gives that field's default below, which is what the settings window shows when the file
// has no value:
//
//   ellipsoid WGS-84 (a "6378137.0", f "0.0033528106647474"), no datum shift (all seven "0"),
//   Transverse Mercator: central meridian "30", reference latitude "0", scale factor "1",
//   false easting "500000", false northing "0";
//   Lambert: standard parallels "40" and "50", central parallel "45", central meridian "0", scale factor
//   "1", false easting and northing "0" (the projection's own start values);
//   "Use Projection" (TM) and "Use DTP" ticked, "cbUseLCCProjection" and "cLambert1" unticked, no datum
//   name.
//
// Only cbUseLCCProjection and cLambert1 choose the projection: LCC when cbUseLCCProjection is ticked
// (one-parallel with cLambert1, two-parallel without), Transverse Mercator otherwise. cbUseTMProjection
// and cbUseDTP are read and kept but change nothing.

#include "core/ProfileStore.h"

#include <string>
#include <string_view>
#include <vector>

namespace selvir {

inline constexpr std::string_view kGeodeticParametersSection = "GEODETIC_PARAMETERS";

// The datum parameter line starts with WGS-84 and seven zeros: the fix's side of the chain is identity.
inline constexpr std::string_view kDatumLinePrefix =
    "6378137.0  0.0033528106647474  0.0  0.0  0.0  0.0  0.0  0.0  0.0 ";
// The TM ellipsoid line starts with WGS-84; only the local a and f after it are used.
inline constexpr std::string_view kTmEllipsoidLinePrefix = "6378137.0 0.0033528106647474 ";

struct GeodeticParameters {
    // Ellipsoid of the local datum.
    std::string edSMA = "6378137.0";         // semi-major axis, metres
    std::string edIF = "0.0033528106647474"; // the flattening itself (key "InverseFlattening")
    // Transformation parameters from WGS-84: X_WGS84 = T + s·R·X_local (coordinate frame).
    std::string edRX = "0", edRY = "0", edRZ = "0"; // rotations, arc-seconds
    std::string edSX = "0", edSY = "0", edSZ = "0"; // shifts, metres
    std::string edPPM = "0";                        // scale difference, ppm
    // Transverse Mercator.
    std::string edCM = "30";                 // central meridian, degrees
    std::string edRL = "0";                  // reference latitude (latitude of origin), degrees
    std::string edSF = "1";                  // scale factor on the central meridian
    std::string edFE = "500000", edFN = "0"; // false easting and northing, metres
    bool cbUseTMProjection = true;
    bool cbUseDTP = true;
    std::string edNameOfDatum;
    // Lambert Conformal Conic; angles in degrees.
    std::string eLCCSP1 = "40", eLCCSP2 = "50"; // standard parallels
    std::string eLCCSF = "1";                   // scale factor (one-parallel form)
    std::string eLCCCP = "45";                  // central parallel: origin latitude
    std::string eLCCM = "0";                    // central meridian
    std::string eLCCFE = "0", eLCCFN = "0";     // false easting and northing, metres
    bool cbUseLCCProjection = false;
    bool cLambert1 = false;

    // Reads the section; every key that is missing keeps the default above.
    static GeodeticParameters read(const ProfileStore& store);
    static GeodeticParameters read(const IniDocument& doc);
    // Writes every key of the section in the settings window's order: the ellipsoid, the rotations,
    // shifts and scale, TM, "Use Projection", "Use DTP", "Name of Datum", then Lambert. Booleans as "1"/"0".
    void write(IniDocument& doc) const;

    // "6378137.0  0.0033528106647474  0.0 ... 0.0 " followed by edSMA, edIF, edPPM, edRX, edRY, edRZ, edSX,
    // edSY, edSZ joined by single blanks: the eighteen numbers TransformDatum reads.
    std::string datumParameterLine() const;
    // edCM, edRL, edSF, edFE, edFN joined by single blanks.
    std::string tmParameterLine() const;
    // "6378137.0 0.0033528106647474 " + edSMA + " " + edIF.
    std::string tmEllipsoidLine() const;

    friend bool operator==(const GeodeticParameters&, const GeodeticParameters&) = default;
};

// One number field: its settings key, its group box and caption on the tab, the member holding its
// text and the name of its edit on the tab.
struct GeodeticTextField {
    const char* key;
    const char* group;
    const char* caption;
    std::string GeodeticParameters::*member;
    const char* control;
};

// The number fields in the order the map update reads them (ellipsoid and datum, TM, Lambert).
const std::vector<GeodeticTextField>& geodeticNumberFields();

} // namespace selvir
