#pragma once
// The coordinate reference system of the settings' chain as WKT, so that GDAL, QGIS and every GIS place
// a product where the program's own chain puts it: the local ellipsoid, the seven parameters as a
// TOWGS84 clause, and the projection (Transverse Mercator, Lambert 1SP or 2SP).
//
// The convention, derived: the settings' parameters enter the chain through the relation
//     X_WGS84 = T + s·R_cf(rx, ry, rz)·X_local          (RealtimeChain, DatumShift.h)
// with R_cf the coordinate-frame rotation (EPSG method 9607; small angles [1 rz −ry; −rz 1 rx; ry −rx 1]).
// The chain applies its inverse to get local coordinates from WGS-84, but the relation itself already
// maps local to WGS-84, the direction of TOWGS84: nothing to invert. TOWGS84 is read in the
// position-vector convention (EPSG 9606; small angles [1 −rz ry; rz 1 −rx; −ry rx 1]), which is the
// coordinate-frame matrix of the negated angles. So
//     TOWGS84[dx, dy, dz, −rx, −ry, −rz, ppm].
// Readers apply TOWGS84 with the small-angle matrix while our chain uses the exact rotation; the two
// differ by the second-order terms of the rotation, at most |θ|²·r with |θ|² = rx² + ry² + rz² in
// radians and r ≈ 6.4e6 m: 0.45 mm for 1″ about each axis, 11 mm for 5″ about each.
//
// Numbers are written with "." and as many digits as read back to the same double.

#include "geodesy/GeodeticParameters.h"
#include "geodesy/RealtimeChain.h"
#include "geodesy/SevenParameterTransform.h"

#include <string>

namespace selvir {

// The TOWGS84 clause's seven numbers, in its order: shifts (m), rotations (″), scale (ppm).
struct ToWgs84Parameters {
    double dxM = 0, dyM = 0, dzM = 0;
    double rxArcsec = 0, ryArcsec = 0, rzArcsec = 0;
    double scalePpm = 0;
};

// The settings' parameters (X_WGS84 = T + s·R_cf·X_local) in TOWGS84 form.
ToWgs84Parameters toWgs84FromSettings(const SevenParameters& settings);

struct CrsWktResult {
    std::string wkt;   // WKT1 (OGC 01-009 as GDAL writes it), one line
    std::string error; // the settings field that cannot be used, when wkt is empty
    bool ok() const { return !wkt.empty(); }
};

// The CRS of the settings' chain. The settings are checked as RealtimeChain::create() checks them.
CrsWktResult settingsCrsWkt(const GeodeticParameters& parameters);

// The WKT of a CRS from PROJ's EPSG database (WKT1 where it has a WKT1 form, WKT2 otherwise).
CrsWktResult epsgCrsWkt(int epsgCode);

} // namespace selvir
