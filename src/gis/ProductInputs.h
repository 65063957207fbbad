#pragma once
// The plain inputs of the product writers: a raster grid, lines with a depth, and layers of features
// with attributes. Nothing here knows GDAL, so the gridding, the contours and the export fill them
// without including it.
//
// Coordinates are survey grid metres (x easting, y northing) in the CRS the writer is given.

#include <cmath>
#include <cstddef>
#include <functional>
#include <string>
#include <variant>
#include <vector>

namespace selvir {

// A grid of square cells. Cell (row, column) covers x from originXM + column·cellSizeM over one cell
// size and, with NorthFirst rows, y from originYM − row·cellSizeM down one cell size (originYM is the
// north edge); with SouthFirst rows, y from originYM + row·cellSizeM up (originYM is the south edge).
struct GridRaster {
    enum class RowOrder { NorthFirst, SouthFirst };

    double originXM = 0; // west edge of column 0
    double originYM = 0; // north edge of row 0 (NorthFirst) or south edge of row 0 (SouthFirst)
    double cellSizeM = 1;
    int rows = 0;
    int columns = 0;
    RowOrder rowOrder = RowOrder::NorthFirst;
    // rows·columns values, row after row: depth below the vertical datum, metres, positive down; NaN
    // where the cell has no data.
    std::vector<float> depthM;
    // Empty, or rows·columns values: the uncertainty of each depth (one standard deviation), metres.
    std::vector<float> uncertaintyM;

    float depthAt(int row, int column) const {
        return depthM[static_cast<std::size_t>(row) * columns + column];
    }
    // x, y of a cell's centre.
    double centreXM(int column) const { return originXM + (column + 0.5) * cellSizeM; }
    double centreYM(int row) const {
        return rowOrder == RowOrder::NorthFirst ? originYM - (row + 0.5) * cellSizeM
                                                : originYM + (row + 0.5) * cellSizeM;
    }
};

struct GridPoint {
    double xM = 0;
    double yM = 0;
};

// A depth contour or any line that carries a depth.
struct DepthPolyline {
    std::vector<GridPoint> points;
    double depthM = 0;   // positive down
    bool closed = false; // the last point joins the first
};

// A layer of features for the vector writers.
enum class FieldType { Integer, Real, String, DateTime };

struct FieldDefinition {
    std::string name;
    FieldType type = FieldType::String;
};

// No value (null), an integer, a real or a text (DateTime fields take ISO 8601 text).
using FieldValue = std::variant<std::monostate, long long, double, std::string>;

enum class GeometryKind { Point, LineString, Polygon };

struct VectorFeature {
    // Point: one part of one point. LineString: one part. Polygon: the outer ring, then the holes
    // (rings are closed by the writer when they are not).
    std::vector<std::vector<GridPoint>> parts;
    std::vector<FieldValue> values; // one per field of the layer, in the layer's order
};

struct VectorLayerData {
    std::string name;
    GeometryKind kind = GeometryKind::Point;
    std::vector<FieldDefinition> fields;
    std::vector<VectorFeature> features;
};

// What a writer reports.
struct WriteResult {
    std::string error; // empty on success; otherwise names the file and the reason
    bool ok() const { return error.empty(); }
};

// Progress of a long write, 0..1; return false to cancel (the target is then left as it was).
using WriteProgress = std::function<bool(double fraction)>;

} // namespace selvir
