#pragma once
// Survey grids the gis tests share.

#include "geodesy/GeodeticParameters.h"
#include "gis/CrsWkt.h"

namespace selvir::test {

// ED50 in Turkey as surveyors enter it (from WGS-84, coordinate frame, rotations of about 1″), TM 27.
inline GeodeticParameters ed50Tm27() {
    GeodeticParameters p;
    p.edNameOfDatum = "ED50 \"Turkey\"";
    p.edSMA = "6378388";
    p.edIF = "0.00336700336700337";
    p.edSX = "-84.003";
    p.edSY = "-102.315";
    p.edSZ = "-129.879";
    p.edRX = "1.0859";
    p.edRY = "-0.3056";
    p.edRZ = "-0.3147";
    p.edPPM = "-1.4";
    p.edCM = "27";
    p.edSF = "1";
    p.edFE = "500000";
    p.edFN = "0";
    return p;
}

// The products' CRS of that grid: every writer must keep its TOWGS84.
inline std::string ed50Wkt() {
    return settingsCrsWkt(ed50Tm27()).wkt;
}

} // namespace selvir::test
