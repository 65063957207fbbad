// Vector backgrounds and S-57 cells through OGR, into the survey grid.
#include "gis/VectorBackground.h"

#include "gis/GdalSupport.h"

#include <cpl_string.h>
#include <cstring>

namespace selvir {
namespace {

namespace fs = std::filesystem;

bool startsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

bool isMetaClass(const std::string& name) {
    return name == "DSID" || startsWith(name, "M_") || startsWith(name, "C_");
}

// What a layer's features become, from their S-57 class (or, elsewhere, their geometry).
struct ClassRule {
    AreaFill fill = AreaFill::Other;
    SymbolKind symbol = SymbolKind::None;
};

ClassRule ruleFor(const std::string& objectClass) {
    ClassRule rule;
    if (objectClass == "DEPARE" || objectClass == "DRGARE") {
        rule.fill = AreaFill::DepthArea;
    } else if (objectClass == "LNDARE") {
        rule.fill = AreaFill::Land;
    }
    if (startsWith(objectClass, "BOY")) {
        rule.symbol = SymbolKind::Buoy;
    } else if (startsWith(objectClass, "BCN")) {
        rule.symbol = SymbolKind::Beacon;
    }
    return rule;
}

double fieldNumber(OGRFeatureH feature, const char* name) {
    const int index = OGR_F_GetFieldIndex(feature, name);
    if (index < 0 || !OGR_F_IsFieldSetAndNotNull(feature, index)) {
        return NAN;
    }
    return OGR_F_GetFieldAsDouble(feature, index);
}

std::string fieldText(OGRFeatureH feature, const char* name) {
    const int index = OGR_F_GetFieldIndex(feature, name);
    if (index < 0 || !OGR_F_IsFieldSetAndNotNull(feature, index)) {
        return {};
    }
    const char* text = OGR_F_GetFieldAsString(feature, index);
    return text ? text : "";
}

std::vector<GridPoint> pointsOf(OGRGeometryH line) {
    std::vector<GridPoint> points;
    const int count = OGR_G_GetPointCount(line);
    points.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        points.push_back({OGR_G_GetX(line, i), OGR_G_GetY(line, i)});
    }
    return points;
}

struct LayerContext {
    std::string objectClass;
    ClassRule rule;
    bool s57 = false;
    int depthField = -1; // a generic layer's depth field
};

// Appends the primitives of one simple (non-collection) geometry.
void addSimple(OGRGeometryH g, OGRFeatureH feature, const LayerContext& layer, VectorBackgroundLoad& out) {
    BackgroundFeature f;
    f.objectClass = layer.objectClass;
    f.name = fieldText(feature, layer.s57 ? "OBJNAM" : "name");
    const OGRwkbGeometryType type = wkbFlatten(OGR_G_GetGeometryType(g));
    if (type == wkbPoint) {
        f.parts.push_back({{OGR_G_GetX(g, 0), OGR_G_GetY(g, 0)}});
        if (layer.objectClass == "SOUNDG") {
            f.kind = BackgroundKind::Sounding;
            f.depthM = fieldNumber(feature, "DEPTH");
            if (!std::isfinite(f.depthM)) {
                f.depthM = OGR_G_GetZ(g, 0);
            }
        } else if (layer.rule.symbol != SymbolKind::None) {
            f.kind = BackgroundKind::Symbol;
            f.symbol = layer.rule.symbol;
        } else if (layer.depthField >= 0 && OGR_F_IsFieldSetAndNotNull(feature, layer.depthField)) {
            f.kind = BackgroundKind::Sounding;
            f.depthM = OGR_F_GetFieldAsDouble(feature, layer.depthField);
        } else {
            f.kind = BackgroundKind::Point;
        }
    } else if (type == wkbLineString) {
        f.kind = BackgroundKind::Line;
        f.parts.push_back(pointsOf(g));
        if (layer.objectClass == "DEPCNT") {
            f.depthM = fieldNumber(feature, "VALDCO");
        }
    } else if (type == wkbPolygon) {
        f.kind = BackgroundKind::Area;
        f.fill = layer.rule.fill;
        for (int i = 0; i < OGR_G_GetGeometryCount(g); ++i) {
            f.parts.push_back(pointsOf(OGR_G_GetGeometryRef(g, i)));
        }
        if (f.fill == AreaFill::DepthArea) {
            f.minDepthM = fieldNumber(feature, "DRVAL1");
            f.maxDepthM = fieldNumber(feature, "DRVAL2");
        }
    } else {
        ++out.skipped;
        return;
    }
    ++out.countByClass[f.objectClass];
    out.features.push_back(std::move(f));
}

void addGeometry(OGRGeometryH g, OGRFeatureH feature, const LayerContext& layer, VectorBackgroundLoad& out) {
    const OGRwkbGeometryType type = wkbFlatten(OGR_G_GetGeometryType(g));
    if (type == wkbMultiPoint || type == wkbMultiLineString || type == wkbMultiPolygon ||
        type == wkbGeometryCollection) {
        for (int i = 0; i < OGR_G_GetGeometryCount(g); ++i) {
            addGeometry(OGR_G_GetGeometryRef(g, i), feature, layer, out);
        }
        return;
    }
    if (OGR_G_HasCurveGeometry(g, TRUE)) {
        OGRGeometryH linear = OGR_G_GetLinearGeometry(g, 0, nullptr);
        addGeometry(linear, feature, layer, out);
        OGR_G_DestroyGeometry(linear);
        return;
    }
    addSimple(g, feature, layer, out);
}

int depthFieldOf(OGRLayerH layer) {
    OGRFeatureDefnH definition = OGR_L_GetLayerDefn(layer);
    for (const char* name : {"depth", "depth_m", "DEPTH"}) {
        const int index = OGR_FD_GetFieldIndex(definition, name);
        if (index >= 0) {
            const OGRFieldType type = OGR_Fld_GetType(OGR_FD_GetFieldDefn(definition, index));
            if (type == OFTReal || type == OFTInteger || type == OFTInteger64) {
                return index;
            }
        }
    }
    return -1;
}

} // namespace

VectorBackgroundLoad loadVectorBackground(const fs::path& path, const std::string& surveyCrsWkt) {
    VectorBackgroundLoad out;
    gis::ensureGdal();
    gis::GdalErrors errors;
    const std::string named = "background \"" + path.string() + "\"";
    std::string error;
    gis::SpatialReferenceHandle survey = gis::spatialReference(surveyCrsWkt, error);
    if (!survey) {
        out.error = named + ": the survey grid's " + error;
        return out;
    }
    // S-57: one feature per sounding with its depth, updates applied, no primitive layers.
    const char* const s57Options[] = {"SPLIT_MULTIPOINT=ON", "ADD_SOUNDG_DEPTH=ON", "UPDATES=APPLY",
                                      "RETURN_PRIMITIVES=OFF", nullptr};
    gis::DatasetHandle ds(
        GDALOpenEx(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr, s57Options, nullptr));
    if (!ds) {
        out.error = named + " cannot be opened: " + errors.last("not a vector file OGR reads");
        return out;
    }
    const std::string driver = GDALGetDriverShortName(GDALGetDatasetDriver(ds.get()));
    const bool s57 = driver == "S57";
    const bool wgs84Format = s57 || driver == "GeoJSON" || driver == "KML" || driver == "LIBKML";
    gis::SpatialReferenceHandle wgs84 = gis::spatialReference("EPSG:4326", error);

    for (int i = 0; i < GDALDatasetGetLayerCount(ds.get()); ++i) {
        OGRLayerH layer = GDALDatasetGetLayer(ds.get(), i);
        LayerContext context;
        context.objectClass = OGR_L_GetName(layer);
        context.s57 = s57;
        if (s57 && isMetaClass(context.objectClass)) {
            continue;
        }
        context.rule = s57 ? ruleFor(context.objectClass) : ClassRule{};
        context.depthField = s57 ? -1 : depthFieldOf(layer);

        OGRSpatialReferenceH own = OGR_L_GetSpatialRef(layer);
        gis::SpatialReferenceHandle layerSrs;
        if (own) {
            layerSrs.reset(OSRClone(own));
            OSRSetAxisMappingStrategy(layerSrs.get(), OAMS_TRADITIONAL_GIS_ORDER);
        } else if (wgs84Format) {
            layerSrs.reset(OSRClone(wgs84.get()));
            OSRSetAxisMappingStrategy(layerSrs.get(), OAMS_TRADITIONAL_GIS_ORDER);
        }
        gis::CoordinateTransformationHandle transform;
        if (layerSrs && !OSRIsSame(layerSrs.get(), survey.get())) {
            transform.reset(OCTNewCoordinateTransformation(layerSrs.get(), survey.get()));
            if (!transform) {
                out.error = named + ", layer " + context.objectClass +
                            ": cannot be carried into the survey grid: " + errors.last();
                return out;
            }
        }
        OGR_L_ResetReading(layer);
        for (OGRFeatureH feature; (feature = OGR_L_GetNextFeature(layer)) != nullptr;) {
            OGRGeometryH geometry = OGR_F_GetGeometryRef(feature);
            if (!geometry || OGR_G_IsEmpty(geometry) ||
                (transform && OGR_G_Transform(geometry, transform.get()) != OGRERR_NONE)) {
                ++out.skipped;
            } else {
                addGeometry(geometry, feature, context, out);
            }
            OGR_F_Destroy(feature);
        }
    }
    return out;
}

} // namespace selvir
