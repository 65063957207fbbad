#pragma once
// Vector backgrounds through OGR: Shapefile, GeoPackage, GeoJSON, KML and S-57 chart cells (.000, with
// their updates .001, .002 ... applied), read once and carried into the survey grid as plain primitives
// the canvas can hold: lines, areas with a fill class, points, soundings with their depth, and symbols
// for buoys and beacons.
//
// Use:
//     VectorBackgroundLoad chart = loadVectorBackground("TR40001.000", surveyWkt);
//     if (!chart.ok()) { say chart.error; }
//     for (const BackgroundFeature& f : chart.features) { ... f.objectClass, f.kind, f.parts ... }
//
// S-57: each feature keeps its object class (the OGR layer: "DEPARE", "SOUNDG" ...). Depth areas
// (DEPARE, DRGARE) carry DRVAL1/DRVAL2 as the area's depth range, depth contours (DEPCNT) VALDCO as
// their depth, soundings (SOUNDG) one feature per sounding with its depth; coastline (COALNE) and land
// (LNDARE) are lines and land areas; BOY* are buoys, BCN* beacons. Meta and collection objects (M_*,
// C_*, DSID) are left out. Other formats: points with a numeric field "depth", "depth_m" or "DEPTH"
// are soundings; everything else keeps its geometry's kind. Layers without a CRS are taken as WGS-84
// (S-57, GeoJSON, KML are defined on it) or, for other formats, as the survey grid itself.
//
// Multi-part geometries become one feature per part; curves are approximated by lines. A feature that
// cannot be carried into the survey grid is counted in `skipped`, never fatal. Units: metres of the
// survey grid; depths positive down, metres.

#include "gis/ProductInputs.h"

#include <cmath>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace selvir {

enum class BackgroundKind { Line, Area, Point, Sounding, Symbol };
enum class AreaFill { None, DepthArea, Land, Other };
enum class SymbolKind { None, Buoy, Beacon };

struct BackgroundFeature {
    std::string objectClass; // the layer's name: the S-57 object class for chart cells
    BackgroundKind kind = BackgroundKind::Point;
    // Line: one part. Area: the outer ring then the holes. Point, Sounding, Symbol: one part of one point.
    std::vector<std::vector<GridPoint>> parts;
    AreaFill fill = AreaFill::None;
    SymbolKind symbol = SymbolKind::None;
    double depthM = NAN;    // soundings and depth contours
    double minDepthM = NAN; // depth areas: DRVAL1
    double maxDepthM = NAN; // depth areas: DRVAL2
    std::string name;       // OBJNAM or "name" when the feature has one
};

struct VectorBackgroundLoad {
    std::vector<BackgroundFeature> features;
    std::map<std::string, int> countByClass; // primitives made per layer / object class
    int skipped = 0;                         // features without geometry or outside the grid's reach
    std::string error;                       // the file could not be read at all
    bool ok() const { return error.empty(); }
};

VectorBackgroundLoad loadVectorBackground(const std::filesystem::path& path, const std::string& surveyCrsWkt);

} // namespace selvir
