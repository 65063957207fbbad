#pragma once
// The survey grid as the map, the survey rows and the control-point check see it: WGS-84 fixes in,
// easting, northing and grid convergence out. Two kinds stand behind it: the settings' own chain
// (seven parameters and TM or Lambert, RealtimeChain.h) and a grid chosen by its EPSG code through
// PROJ (EpsgChain.h). Callers hold a GridChain and never ask which.
//
// Use:
//     GridChainSetup setup = makeSettingsGridChain(GeodeticParameters::read(store));
//     if (!setup.ok()) { report setup.error; }
//     const FixConversion fix = setup.chain->convert(latDeg, lonDeg, heightM);
//
// convert() has the contract of RealtimeChain::convert(): degrees and metres, convergenceDeg is the
// angle to add to a true heading to get the grid heading (negative east of the central meridian in the
// northern hemisphere), a failed fix reports a FixFailure and never throws. Unlike RealtimeChain, a
// GridChain is not to be shared between threads (PROJ objects are not).

#include "geodesy/GeodeticParameters.h"
#include "geodesy/RealtimeChain.h"

#include <memory>
#include <string>

namespace selvir {

class GridChain {
public:
    virtual ~GridChain() = default;

    virtual FixConversion convert(long double latitudeDeg, long double longitudeDeg,
                                  long double heightM) const = 0;
    // One line naming the grid, for the geodesy session log and the products' reports.
    virtual std::string description() const = 0;
    // The grid's coordinate reference system as WKT (WKT1 as GDAL writes it), for the products.
    virtual std::string crsWkt() const = 0;
};

struct GridChainSetup {
    std::unique_ptr<GridChain> chain; // set when the grid can be used
    std::string error;                // otherwise, the reason (naming the field or the code)
    bool ok() const { return chain != nullptr; }
};

// The settings' own chain, exactly RealtimeChain.
GridChainSetup makeSettingsGridChain(const GeodeticParameters& parameters);

} // namespace selvir
