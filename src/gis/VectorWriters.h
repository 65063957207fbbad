#pragma once
// Vector products through GDAL/OGR: GeoPackage (any number of named layers in one file) and
// Shapefile (one layer), every layer with the CRS given.
//
// Use:
//     std::vector<VectorLayerData> layers = {contourLayer(contours), ...};
//     WriteResult r = writeVectorLayers(layers, "survey.gpkg", VectorFormat::GeoPackage, wkt);
//
// The file is written under a temporary name and renamed over the target when complete (a
// Shapefile's files one by one, the .shp last); a failure leaves the target as it was and says why.
// GeoPackage layers are written in one transaction each, so 400 000 soundings take seconds. Shapefile
// field names longer than 10 characters are shortened by GDAL. A Shapefile's .prj is OGC WKT1, not
// ESRI's dialect, which cannot hold the TOWGS84 of a local datum. Blocking.

#include "gis/ProductInputs.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace selvir {

enum class VectorFormat { GeoPackage, Shapefile };

// By extension (.gpkg, .shp; case ignored); nothing for others.
std::optional<VectorFormat> vectorFormatForPath(const std::filesystem::path& path);

WriteResult writeVectorLayers(const std::vector<VectorLayerData>& layers, const std::filesystem::path& target,
                              VectorFormat format, const std::string& crsWkt,
                              const WriteProgress& progress = {});

// Contour lines as a line layer with the fields "depth_m" (real, positive down) and "closed" (0 or 1);
// a closed line ends on its first point.
VectorLayerData contourLayer(const std::vector<DepthPolyline>& lines, const std::string& name = "contours");

} // namespace selvir
