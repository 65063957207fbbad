#pragma once
// Control points made by PROJ: WGS-84 positions around a survey area and their local grid positions
// through a Helmert step in either rotation convention, so the check is tested against an independent
// implementation of both conventions.

#include "geodesy/ControlPointCheck.h"
#include "support/ProjOracle.h"

#include <random>
#include <string>
#include <vector>

namespace selvir::test {

// A Pulkovo-like local datum on the Krassowsky ellipsoid, entered as the settings window takes it, with
// a Transverse Mercator (or, with `lambert`, two-parallel Lambert) grid.
inline GeodeticParameters controlPointParameters(bool lambert) {
    GeodeticParameters p;
    p.edSMA = "6378245";
    p.edIF = "0.00335232986925913";
    p.edPPM = "-0.12";
    p.edRX = "-0.35";
    p.edRY = "-0.66";
    p.edRZ = "0.82";
    p.edSX = "23.57";
    p.edSY = "-140.95";
    p.edSZ = "-79.8";
    p.edCM = "30";
    p.edRL = "0";
    p.edSF = "0.9996";
    p.edFE = "500000";
    p.edFN = "0";
    p.eLCCSP1 = "40";
    p.eLCCSP2 = "42";
    p.eLCCCP = "41";
    p.eLCCM = "29";
    p.eLCCFE = "600000";
    p.eLCCFN = "200000";
    p.cbUseLCCProjection = lambert;
    return p;
}

// The PROJ pipeline from WGS-84 degrees to the local grid for those parameters, the Helmert step read in
// `convention` ("coordinate_frame" or "position_vector"), exact rotations.
inline std::string controlPointPipeline(const GeodeticParameters& p, const std::string& convention) {
    const std::string ellipsoid = "+a=" + p.edSMA + " +f=" + p.edIF;
    const std::string projection = p.cbUseLCCProjection
                                       ? "+proj=lcc +lat_1=" + p.eLCCSP1 + " +lat_2=" + p.eLCCSP2 +
                                             " +lat_0=" + p.eLCCCP + " +lon_0=" + p.eLCCM +
                                             " +x_0=" + p.eLCCFE + " +y_0=" + p.eLCCFN
                                       : "+proj=tmerc +lat_0=" + p.edRL + " +lon_0=" + p.edCM +
                                             " +k=" + p.edSF + " +x_0=" + p.edFE + " +y_0=" + p.edFN;
    return "+proj=pipeline +step +proj=unitconvert +xy_in=deg +xy_out=rad +step +proj=cart +a=6378137 "
           "+f=0.0033528106647474 +step +inv +proj=helmert +x=" +
           p.edSX + " +y=" + p.edSY + " +z=" + p.edSZ + " +rx=" + p.edRX + " +ry=" + p.edRY +
           " +rz=" + p.edRZ + " +s=" + p.edPPM + " +convention=" + convention +
           " +exact +step +inv +proj=cart " + ellipsoid + " +step " + projection + " " + ellipsoid;
}

// `count` points within about 60 km of 41 N 29.5 E, heights up to 300 m, with PROJ's grid positions.
// The program projects Transverse Mercator fixes at height 0 (the map update's rule), so PROJ is given
// height 0 there; Lambert takes the fix's height.
inline std::vector<ControlPoint> projControlPoints(const GeodeticParameters& p, const std::string& convention,
                                                   int count, unsigned seed) {
    const ProjOperation pipeline(controlPointPipeline(p, convention));
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> lat(40.5, 41.5), lon(28.8, 30.2), h(-20, 300);
    std::vector<ControlPoint> points;
    for (int i = 0; i < count; ++i) {
        ControlPoint point;
        point.name = "CP" + std::to_string(i + 1);
        point.latitudeDeg = lat(random);
        point.longitudeDeg = lon(random);
        point.heightM = h(random);
        const PJ_COORD grid = pipeline.forward(point.longitudeDeg, point.latitudeDeg,
                                               p.cbUseLCCProjection ? point.heightM : 0.0);
        point.eastingM = grid.xy.x;
        point.northingM = grid.xy.y;
        points.push_back(point);
    }
    return points;
}

// The points as a control-point file, with a header line.
inline std::string controlPointsCsv(const std::vector<ControlPoint>& points) {
    std::string text = "name,latitude,longitude,height,easting,northing\n";
    for (const ControlPoint& point : points) {
        text += point.name + "," + projNumber(point.latitudeDeg) + "," + projNumber(point.longitudeDeg) +
                "," + projNumber(point.heightM) + "," + projNumber(point.eastingM) + "," +
                projNumber(point.northingM) + "\n";
    }
    return text;
}

} // namespace selvir::test
