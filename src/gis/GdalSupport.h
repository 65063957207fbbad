#pragma once
// GDAL set-up and error capture for src/gis. Internal to src/gis.
//
// ensureGdal() registers the drivers once per process (thread-safe). GdalErrors collects the messages
// GDAL raises on this thread while it lives, instead of printing them, so an operation can return
// GDAL's own reason ("... is not a valid TIFF file") in its error text.

#include <cpl_conv.h>
#include <gdal.h>
#include <memory>
#include <ogr_api.h>
#include <ogr_srs_api.h>
#include <string>

namespace selvir::gis {

void ensureGdal();

class GdalErrors {
public:
    GdalErrors();
    ~GdalErrors();
    GdalErrors(const GdalErrors&) = delete;
    GdalErrors& operator=(const GdalErrors&) = delete;

    // The last failure's message, or `fallback` when GDAL raised none.
    std::string last(const std::string& fallback = "unknown GDAL error") const;
    // GDAL reported a failure since this object was made.
    bool failed() const { return failures_ > 0; }

private:
    static void CPL_STDCALL collect(CPLErr level, CPLErrorNum number, const char* message);
    std::string last_;
    int failures_ = 0;
    GdalErrors* previous_ = nullptr;
};

struct DatasetCloser {
    void operator()(GDALDatasetH dataset) const {
        if (dataset) {
            GDALClose(dataset);
        }
    }
};
using DatasetHandle = std::unique_ptr<std::remove_pointer_t<GDALDatasetH>, DatasetCloser>;

struct SpatialReferenceRelease {
    void operator()(OGRSpatialReferenceH srs) const { OSRRelease(srs); }
};
using SpatialReferenceHandle =
    std::unique_ptr<std::remove_pointer_t<OGRSpatialReferenceH>, SpatialReferenceRelease>;

struct CoordinateTransformationDestroy {
    void operator()(OGRCoordinateTransformationH t) const { OCTDestroyCoordinateTransformation(t); }
};
using CoordinateTransformationHandle =
    std::unique_ptr<std::remove_pointer_t<OGRCoordinateTransformationH>, CoordinateTransformationDestroy>;

// A spatial reference from WKT, a PROJ string or "EPSG:n", with x = easting/longitude and
// y = northing/latitude whatever the authority's axis order. Null with `error` set when it cannot be
// read.
SpatialReferenceHandle spatialReference(const std::string& definition, std::string& error);

// The CRS as OGC WKT1 (GDAL's form, TOWGS84 kept), one line.
std::string wkt1(OGRSpatialReferenceH srs);

} // namespace selvir::gis
