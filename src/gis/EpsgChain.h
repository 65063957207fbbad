#pragma once
// A survey grid chosen by its EPSG code: WGS-84 fixes carried to the projected CRS by PROJ's best
// transformation (proj_create_crs_to_crs, which picks per position among the candidate operations
// whose grids are installed, by area of use and accuracy), with the axes in easting, northing order.
//
// Use:
//     EpsgChainSetup setup = EpsgChain::create(5255);
//     if (!setup.ok()) { say setup.error; }
//     const FixConversion fix = setup.chain->convert(latDeg, lonDeg, heightM);
//     log(setup.chain->operationAt(latDeg, lonDeg).pipeline);
//
// Accepted: projected CRSs (or compound CRSs whose horizontal part is projected) with east and north
// axes in metres. Refused with a message naming the code: unknown codes, geographic, geocentric and
// vertical CRSs, grids in feet or with west/south axes (the map and the survey file are in metres, east
// and north).
//
// convert() follows the GridChain contract. The input height goes through the transformation as it is
// (a 3-D datum shift uses it, as cs2cs does). The convergence is the grid bearing of true north: the
// direction from a point 1e-4° south to a point 1e-4° north of the fix, both through the same chain,
// so it includes what the datum shift turns; added to a true heading it gives the grid heading
// (negative east of the central meridian in the northern hemisphere, as the settings' chain). Its
// numerical error is below 1e-8°. With EpsgChainOptions::withLocalPosition, `local` holds the fix on
// the CRS's own geographic datum (through PROJ again); otherwise its fields are NaN.
//
// Not copyable; not to be used from two threads at once (PROJ objects keep state).

#include "gis/GridChain.h"
#include "gis/ProjSupport.h"

#include <optional>
#include <string>

namespace selvir {

struct EpsgChainOptions {
    bool withLocalPosition = false;
    // The survey's area in WGS-84 degrees, when known: PROJ then considers only the operations valid
    // there.
    struct Area {
        double westDeg, southDeg, eastDeg, northDeg;
    };
    std::optional<Area> area;
};

// The operation PROJ uses at one position.
struct EpsgOperation {
    std::string description; // PROJ's name of the operation, e.g. "Inverse of NZGD49 to WGS 84 (3) + ..."
    std::string pipeline;    // the PROJ string of the pipeline
    double accuracyM = -1;   // as the EPSG dataset states it; -1 when unknown
    std::string error;       // set when no operation converts the position
    bool ok() const { return error.empty(); }
};

class EpsgChain;

struct EpsgChainSetup {
    std::unique_ptr<EpsgChain> chain;
    std::string error; // "EPSG:4326 (WGS 84) is not a projected CRS: ..."
    bool ok() const { return chain != nullptr; }
};

class EpsgChain : public GridChain {
public:
    static EpsgChainSetup create(int epsgCode, const EpsgChainOptions& options = {});

    FixConversion convert(long double latitudeDeg, long double longitudeDeg,
                          long double heightM) const override;
    // "EPSG:5255 TUREF / TM33: Inverse of ... (accuracy 1 m)" at the centre of the CRS's area of use.
    std::string description() const override;
    std::string crsWkt() const override { return wkt_; }

    // The operation PROJ takes at a position (WGS-84 degrees).
    EpsgOperation operationAt(double latitudeDeg, double longitudeDeg) const;
    // PROJ's reason for the last fix convert() refused (empty after a success).
    const std::string& lastError() const { return lastError_; }

    int code() const { return code_; }
    const std::string& crsName() const { return name_; }
    // The centre of the CRS's area of use, WGS-84 degrees (latitude, longitude).
    double areaCentreLatitudeDeg() const { return centreLatDeg_; }
    double areaCentreLongitudeDeg() const { return centreLonDeg_; }

private:
    EpsgChain() = default;

    int code_ = 0;
    std::string name_, wkt_;
    double centreLatDeg_ = 0, centreLonDeg_ = 0;
    gis::ProjContextHandle context_;
    gis::ProjHandle toGrid_;  // WGS-84 longitude, latitude -> easting, northing
    gis::ProjHandle toLocal_; // WGS-84 -> the CRS's geographic datum, longitude, latitude (optional)
    mutable std::string lastError_;
};

} // namespace selvir
