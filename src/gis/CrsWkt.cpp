// WKT of the settings' chain and of EPSG codes.
#include "gis/CrsWkt.h"

#include "core/NumberFormat.h"
#include "gis/ProjSupport.h"

#include <cmath>
#include <optional>

namespace selvir {
namespace {

std::string number(long double value) {
    return formatShortest(static_cast<double>(value));
}

std::string number(const std::string& text) {
    const std::optional<double> value = parseDouble(text);
    return formatShortest(value ? *value : 0.0);
}

// WKT names are quoted; a quote in a name typed by the surveyor would end the name.
std::string wktName(const std::string& name) {
    std::string out;
    for (const char c : name) {
        out += c == '"' ? '\'' : c;
    }
    return out;
}

std::string parameter(const char* name, const std::string& value) {
    return std::string(",PARAMETER[\"") + name + "\"," + value + "]";
}

} // namespace

ToWgs84Parameters toWgs84FromSettings(const SevenParameters& settings) {
    ToWgs84Parameters out;
    out.dxM = static_cast<double>(settings.dxM);
    out.dyM = static_cast<double>(settings.dyM);
    out.dzM = static_cast<double>(settings.dzM);
    // Coordinate frame to position vector: the same matrix with the angles negated.
    out.rxArcsec = static_cast<double>(-settings.rxArcsec);
    out.ryArcsec = static_cast<double>(-settings.ryArcsec);
    out.rzArcsec = static_cast<double>(-settings.rzArcsec);
    out.scalePpm = static_cast<double>(settings.scalePpm);
    return out;
}

CrsWktResult settingsCrsWkt(const GeodeticParameters& parameters) {
    CrsWktResult result;
    const RealtimeChainSetup setup = RealtimeChain::create(parameters);
    if (!setup.ok()) {
        result.error = setup.error.text();
        return result;
    }
    const RealtimeChain& chain = *setup.chain;
    const Ellipsoid& ellipsoid = chain.localEllipsoid();
    const ToWgs84Parameters w = toWgs84FromSettings(chain.datumShift().parameters().parametersB);

    const std::string datumName =
        parameters.edNameOfDatum.empty() ? std::string("Local datum") : wktName(parameters.edNameOfDatum);
    // 0 is WKT1's inverse flattening of a sphere.
    const long double inverseFlattening = ellipsoid.flattening > 0 ? 1 / ellipsoid.flattening : 0;
    const std::string geogcs = "GEOGCS[\"" + datumName + "\",DATUM[\"" + datumName + "\",SPHEROID[\"" +
                               datumName + " ellipsoid\"," + number(ellipsoid.semiMajorAxisM) + "," +
                               number(inverseFlattening) + "],TOWGS84[" + number(w.dxM) + "," +
                               number(w.dyM) + "," + number(w.dzM) + "," + number(w.rxArcsec) + "," +
                               number(w.ryArcsec) + "," + number(w.rzArcsec) + "," + number(w.scalePpm) +
                               "]],PRIMEM[\"Greenwich\",0],UNIT[\"degree\",0.0174532925199433]]";

    std::string name, projection;
    switch (chain.projection()) {
    case MapProjection::TransverseMercator:
        name = datumName + " / Transverse Mercator " + number(parameters.edCM);
        projection = "PROJECTION[\"Transverse_Mercator\"]" +
                     parameter("latitude_of_origin", number(parameters.edRL)) +
                     parameter("central_meridian", number(parameters.edCM)) +
                     parameter("scale_factor", number(parameters.edSF)) +
                     parameter("false_easting", number(parameters.edFE)) +
                     parameter("false_northing", number(parameters.edFN));
        break;
    case MapProjection::LambertOneParallel:
        name = datumName + " / Lambert 1SP " + number(parameters.eLCCCP);
        projection = "PROJECTION[\"Lambert_Conformal_Conic_1SP\"]" +
                     parameter("latitude_of_origin", number(parameters.eLCCCP)) +
                     parameter("central_meridian", number(parameters.eLCCM)) +
                     parameter("scale_factor", number(parameters.eLCCSF)) +
                     parameter("false_easting", number(parameters.eLCCFE)) +
                     parameter("false_northing", number(parameters.eLCCFN));
        break;
    case MapProjection::LambertTwoParallel:
        name = datumName + " / Lambert 2SP " + number(parameters.eLCCSP1) + " " + number(parameters.eLCCSP2);
        projection = "PROJECTION[\"Lambert_Conformal_Conic_2SP\"]" +
                     parameter("standard_parallel_1", number(parameters.eLCCSP1)) +
                     parameter("standard_parallel_2", number(parameters.eLCCSP2)) +
                     parameter("latitude_of_origin", number(parameters.eLCCCP)) +
                     parameter("central_meridian", number(parameters.eLCCM)) +
                     parameter("false_easting", number(parameters.eLCCFE)) +
                     parameter("false_northing", number(parameters.eLCCFN));
        break;
    }
    result.wkt = "PROJCS[\"" + name + "\"," + geogcs + "," + projection +
                 ",UNIT[\"metre\",1],AXIS[\"Easting\",EAST],AXIS[\"Northing\",NORTH]]";
    return result;
}

CrsWktResult epsgCrsWkt(int epsgCode) {
    CrsWktResult result;
    gis::ProjContextHandle context = gis::makeProjContext();
    gis::ProjHandle crs(context ? proj_create_from_database(context.get(), "EPSG",
                                                            std::to_string(epsgCode).c_str(), PJ_CATEGORY_CRS,
                                                            0, nullptr)
                                : nullptr);
    if (!crs) {
        result.error = "EPSG:" + std::to_string(epsgCode) +
                       " is not a coordinate reference system in PROJ's EPSG database";
        return result;
    }
    const char* const options[] = {"MULTILINE=NO", nullptr};
    const char* wkt = proj_as_wkt(context.get(), crs.get(), PJ_WKT1_GDAL, options);
    if (!wkt) {
        wkt = proj_as_wkt(context.get(), crs.get(), PJ_WKT2_2019, options);
    }
    if (!wkt) {
        result.error = "EPSG:" + std::to_string(epsgCode) + " has no WKT form";
        return result;
    }
    result.wkt = wkt;
    return result;
}

} // namespace selvir
