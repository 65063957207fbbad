// GDAL driver registration, error capture and spatial references.
#include "gis/GdalSupport.h"

#include <cpl_error.h>
#include <mutex>

namespace selvir::gis {

void ensureGdal() {
    static std::once_flag once;
    std::call_once(once, [] { GDALAllRegister(); });
}

namespace {
thread_local GdalErrors* current = nullptr;
}

GdalErrors::GdalErrors() {
    CPLPushErrorHandler(&GdalErrors::collect);
    previous_ = current;
    current = this;
}

GdalErrors::~GdalErrors() {
    current = previous_;
    CPLPopErrorHandler();
}

void CPL_STDCALL GdalErrors::collect(CPLErr level, CPLErrorNum, const char* message) {
    if (current && (level == CE_Failure || level == CE_Fatal) && message) {
        current->last_ = message;
        ++current->failures_;
    }
}

std::string GdalErrors::last(const std::string& fallback) const {
    return last_.empty() ? fallback : last_;
}

SpatialReferenceHandle spatialReference(const std::string& definition, std::string& error) {
    ensureGdal();
    GdalErrors errors;
    SpatialReferenceHandle srs(OSRNewSpatialReference(nullptr));
    if (definition.empty() || OSRSetFromUserInput(srs.get(), definition.c_str()) != OGRERR_NONE) {
        error = "the coordinate reference system cannot be read: " + errors.last("not a CRS definition");
        return nullptr;
    }
    OSRSetAxisMappingStrategy(srs.get(), OAMS_TRADITIONAL_GIS_ORDER);
    return srs;
}

std::string wkt1(OGRSpatialReferenceH srs) {
    char* text = nullptr;
    const char* const options[] = {"FORMAT=WKT1_GDAL", nullptr};
    OSRExportToWktEx(srs, &text, options);
    std::string wkt = text ? text : "";
    CPLFree(text);
    return wkt;
}

} // namespace selvir::gis
