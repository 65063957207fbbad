// GeoPackage and Shapefile layers through OGR.
#include "gis/VectorWriters.h"

#include "core/AtomicFile.h"
#include "gis/AtomicOutput.h"
#include "gis/GdalSupport.h"

#include <algorithm>
#include <cctype>

namespace selvir {
namespace {

namespace fs = std::filesystem;

OGRFieldType ogrType(FieldType type) {
    switch (type) {
    case FieldType::Integer:
        return OFTInteger64;
    case FieldType::Real:
        return OFTReal;
    case FieldType::String:
        return OFTString;
    case FieldType::DateTime:
        return OFTDateTime;
    }
    return OFTString;
}

OGRwkbGeometryType ogrGeometry(GeometryKind kind) {
    switch (kind) {
    case GeometryKind::Point:
        return wkbPoint;
    case GeometryKind::LineString:
        return wkbLineString;
    case GeometryKind::Polygon:
        return wkbPolygon;
    }
    return wkbUnknown;
}

OGRGeometryH makeLine(const std::vector<GridPoint>& points, OGRwkbGeometryType type, bool close) {
    OGRGeometryH line = OGR_G_CreateGeometry(type);
    OGR_G_SetPointCount(line, static_cast<int>(points.size()));
    for (std::size_t i = 0; i < points.size(); ++i) {
        OGR_G_SetPoint_2D(line, static_cast<int>(i), points[i].xM, points[i].yM);
    }
    if (close && !points.empty() &&
        (points.front().xM != points.back().xM || points.front().yM != points.back().yM)) {
        OGR_G_AddPoint_2D(line, points.front().xM, points.front().yM);
    }
    return line;
}

// Null when the feature's parts do not make its kind of geometry.
OGRGeometryH makeGeometry(const VectorFeature& feature, GeometryKind kind) {
    switch (kind) {
    case GeometryKind::Point: {
        if (feature.parts.size() != 1 || feature.parts[0].size() != 1) {
            return nullptr;
        }
        OGRGeometryH point = OGR_G_CreateGeometry(wkbPoint);
        OGR_G_SetPoint_2D(point, 0, feature.parts[0][0].xM, feature.parts[0][0].yM);
        return point;
    }
    case GeometryKind::LineString:
        if (feature.parts.size() != 1 || feature.parts[0].size() < 2) {
            return nullptr;
        }
        return makeLine(feature.parts[0], wkbLineString, false);
    case GeometryKind::Polygon: {
        if (feature.parts.empty()) {
            return nullptr;
        }
        OGRGeometryH polygon = OGR_G_CreateGeometry(wkbPolygon);
        for (const std::vector<GridPoint>& ring : feature.parts) {
            if (ring.size() < 3) {
                OGR_G_DestroyGeometry(polygon);
                return nullptr;
            }
            OGR_G_AddGeometryDirectly(polygon, makeLine(ring, wkbLinearRing, true));
        }
        return polygon;
    }
    }
    return nullptr;
}

void setField(OGRFeatureH feature, int index, const FieldValue& value) {
    if (std::holds_alternative<long long>(value)) {
        OGR_F_SetFieldInteger64(feature, index, std::get<long long>(value));
    } else if (std::holds_alternative<double>(value)) {
        const double v = std::get<double>(value);
        if (std::isfinite(v)) {
            OGR_F_SetFieldDouble(feature, index, v);
        } else {
            OGR_F_SetFieldNull(feature, index);
        }
    } else if (std::holds_alternative<std::string>(value)) {
        OGR_F_SetFieldString(feature, index, std::get<std::string>(value).c_str());
    } else {
        OGR_F_SetFieldNull(feature, index);
    }
}

std::string writeLayer(GDALDatasetH ds, const VectorLayerData& data, OGRSpatialReferenceH srs,
                       const gis::GdalErrors& errors, const WriteProgress& progress, double doneBefore,
                       double share) {
    OGRLayerH layer = GDALDatasetCreateLayer(ds, data.name.c_str(), srs, ogrGeometry(data.kind), nullptr);
    if (!layer) {
        return "cannot create the layer \"" + data.name + "\": " + errors.last();
    }
    for (const FieldDefinition& field : data.fields) {
        OGRFieldDefnH definition = OGR_Fld_Create(field.name.c_str(), ogrType(field.type));
        const OGRErr made = OGR_L_CreateField(layer, definition, TRUE);
        OGR_Fld_Destroy(definition);
        if (made != OGRERR_NONE) {
            return "layer \"" + data.name + "\": cannot create the field \"" + field.name +
                   "\": " + errors.last();
        }
    }
    const bool transaction = OGR_L_StartTransaction(layer) == OGRERR_NONE;
    OGRFeatureDefnH definition = OGR_L_GetLayerDefn(layer);
    for (std::size_t n = 0; n < data.features.size(); ++n) {
        const VectorFeature& source = data.features[n];
        if (source.values.size() != data.fields.size()) {
            return "layer \"" + data.name + "\", feature " + std::to_string(n + 1) + ": " +
                   std::to_string(source.values.size()) + " values for " +
                   std::to_string(data.fields.size()) + " fields";
        }
        OGRGeometryH geometry = makeGeometry(source, data.kind);
        if (!geometry) {
            return "layer \"" + data.name + "\", feature " + std::to_string(n + 1) +
                   ": its points do not make its kind of geometry";
        }
        OGRFeatureH feature = OGR_F_Create(definition);
        OGR_F_SetGeometryDirectly(feature, geometry);
        for (std::size_t i = 0; i < source.values.size(); ++i) {
            setField(feature, static_cast<int>(i), source.values[i]);
        }
        const OGRErr made = OGR_L_CreateFeature(layer, feature);
        OGR_F_Destroy(feature);
        if (made != OGRERR_NONE) {
            return "layer \"" + data.name + "\", feature " + std::to_string(n + 1) + ": " + errors.last();
        }
        if (progress && n % 4096 == 0 &&
            !progress(doneBefore +
                      share * static_cast<double>(n) / static_cast<double>(data.features.size()))) {
            return "cancelled";
        }
    }
    if (transaction && OGR_L_CommitTransaction(layer) != OGRERR_NONE) {
        return "layer \"" + data.name + "\": " + errors.last("the layer could not be committed");
    }
    return {};
}

} // namespace

std::optional<VectorFormat> vectorFormatForPath(const fs::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    if (ext == ".gpkg") {
        return VectorFormat::GeoPackage;
    }
    if (ext == ".shp") {
        return VectorFormat::Shapefile;
    }
    return std::nullopt;
}

WriteResult writeVectorLayers(const std::vector<VectorLayerData>& layers, const fs::path& target,
                              VectorFormat format, const std::string& crsWkt, const WriteProgress& progress) {
    if (layers.empty()) {
        return {target.string() + ": no layers to write"};
    }
    if (format == VectorFormat::Shapefile && layers.size() != 1) {
        return {target.string() + ": a Shapefile holds one layer, not " + std::to_string(layers.size())};
    }
    std::string error;
    gis::SpatialReferenceHandle srs = gis::spatialReference(crsWkt, error);
    if (!srs) {
        return {target.string() + ": " + error};
    }
    gis::GdalErrors errors;
    GDALDriverH driver = GDALGetDriverByName(format == VectorFormat::GeoPackage ? "GPKG" : "ESRI Shapefile");
    if (!driver) {
        return {target.string() + ": this GDAL cannot write the format"};
    }
    gis::AtomicOutput output(target);
    gis::DatasetHandle ds(GDALCreate(driver, output.temporaryPath().c_str(), 0, 0, 0, GDT_Unknown, nullptr));
    if (!ds) {
        return {target.string() + ": " + errors.last("cannot create the file")};
    }
    std::size_t total = 0;
    for (const VectorLayerData& layer : layers) {
        total += layer.features.size() + 1;
    }
    std::size_t done = 0;
    for (const VectorLayerData& layer : layers) {
        const double before = static_cast<double>(done) / static_cast<double>(total);
        const double share = static_cast<double>(layer.features.size() + 1) / static_cast<double>(total);
        if (const std::string problem =
                writeLayer(ds.get(), layer, srs.get(), errors, progress, before, share);
            !problem.empty()) {
            return {target.string() + ": " + problem};
        }
        done += layer.features.size() + 1;
    }
    ds.reset();
    if (errors.failed()) {
        return {target.string() + ": " + errors.last()};
    }
    if (format == VectorFormat::Shapefile) {
        // GDAL writes the .prj in ESRI's dialect, which has no TOWGS84: a local datum would lose its
        // shift (or be swapped for a namesake's). OGC WKT1 keeps it, and GDAL and QGIS read it.
        fs::path prj = output.temporaryPath();
        prj.replace_extension(".prj");
        if (!writeFileAtomically(prj, gis::wkt1(srs.get()), &error)) {
            return {target.string() + ": " + error};
        }
    }
    if (!output.commit(error)) {
        return {error};
    }
    if (progress) {
        progress(1.0);
    }
    return {};
}

VectorLayerData contourLayer(const std::vector<DepthPolyline>& lines, const std::string& name) {
    VectorLayerData layer;
    layer.name = name;
    layer.kind = GeometryKind::LineString;
    layer.fields = {{"depth_m", FieldType::Real}, {"closed", FieldType::Integer}};
    layer.features.reserve(lines.size());
    for (const DepthPolyline& line : lines) {
        VectorFeature feature;
        std::vector<GridPoint> points = line.points;
        if (line.closed && points.size() > 1 &&
            (points.front().xM != points.back().xM || points.front().yM != points.back().yM)) {
            points.push_back(points.front());
        }
        feature.parts.push_back(std::move(points));
        feature.values = {line.depthM, static_cast<long long>(line.closed ? 1 : 0)};
        layer.features.push_back(std::move(feature));
    }
    return layer;
}

} // namespace selvir
