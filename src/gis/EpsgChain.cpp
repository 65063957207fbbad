// WGS-84 to a projected CRS named by its EPSG code, through PROJ.
#include "gis/EpsgChain.h"

#include "core/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace selvir {
namespace {

using gis::ProjHandle;

// Half the baseline of the convergence: 1e-4° is 11 m, long enough that the rounding of grid
// coordinates (1e-9 m) moves the bearing by less than 1e-8°, short enough that the meridian is straight.
constexpr double kConvergenceStepDeg = 1e-4;

std::string codeText(int code) {
    return "EPSG:" + std::to_string(code);
}

std::string typeName(PJ_TYPE type) {
    switch (type) {
    case PJ_TYPE_GEOGRAPHIC_2D_CRS:
    case PJ_TYPE_GEOGRAPHIC_3D_CRS:
    case PJ_TYPE_GEOGRAPHIC_CRS:
        return "a geographic CRS";
    case PJ_TYPE_GEOCENTRIC_CRS:
        return "a geocentric CRS";
    case PJ_TYPE_VERTICAL_CRS:
        return "a vertical CRS";
    case PJ_TYPE_ENGINEERING_CRS:
        return "an engineering CRS";
    case PJ_TYPE_BOUND_CRS:
        return "a bound CRS";
    default:
        return "not a projected CRS";
    }
}

// Checks that the CRS has an east and a north axis in metres. Empty when it has.
std::string axisProblem(PJ_CONTEXT* context, const PJ* crs) {
    ProjHandle cs(proj_crs_get_coordinate_system(context, crs));
    if (!cs) {
        return "its coordinate system cannot be read";
    }
    const int count = proj_cs_get_axis_count(context, cs.get());
    bool east = false, north = false;
    for (int i = 0; i < count; ++i) {
        const char* direction = nullptr;
        const char* unitName = nullptr;
        double toMetre = 0;
        if (!proj_cs_get_axis_info(context, cs.get(), i, nullptr, nullptr, &direction, &toMetre, &unitName,
                                   nullptr, nullptr)) {
            return "its axes cannot be read";
        }
        const std::string dir = direction ? direction : "";
        if (std::fabs(toMetre - 1.0) > 1e-12) {
            return std::string("its unit is ") + (unitName ? unitName : "not the metre") +
                   ", and survey grids are in metres";
        }
        east = east || dir == "east";
        north = north || dir == "north";
    }
    if (!east || !north) {
        return "its axes do not point east and north";
    }
    return {};
}

// The steps that put easting first are PROJ's bookkeeping, not part of the geodesy the log records.
std::string withoutAxisSwaps(std::string name) {
    for (const std::string step : {"axis order change (2D) + ", " + axis order change (2D)"}) {
        for (std::size_t at; (at = name.find(step)) != std::string::npos;) {
            name.erase(at, step.size());
        }
    }
    return name;
}

} // namespace

EpsgChainSetup EpsgChain::create(int epsgCode, const EpsgChainOptions& options) {
    EpsgChainSetup setup;
    std::unique_ptr<EpsgChain> chain(new EpsgChain());
    chain->code_ = epsgCode;
    chain->context_ = gis::makeProjContext();
    PJ_CONTEXT* ctx = chain->context_.get();
    if (!ctx) {
        setup.error = codeText(epsgCode) + ": PROJ could not start";
        return setup;
    }
    ProjHandle crs(proj_create_from_database(ctx, "EPSG", std::to_string(epsgCode).c_str(), PJ_CATEGORY_CRS,
                                             0, nullptr));
    if (!crs) {
        setup.error = codeText(epsgCode) + " is not a coordinate reference system in PROJ's EPSG database";
        return setup;
    }
    const std::string fullName = proj_get_name(crs.get()) ? proj_get_name(crs.get()) : "";
    const std::string named = codeText(epsgCode) + " (" + fullName + ")";
    if (proj_get_type(crs.get()) == PJ_TYPE_COMPOUND_CRS) {
        crs.reset(proj_crs_get_sub_crs(ctx, crs.get(), 0)); // the horizontal part
    }
    if (!crs || proj_get_type(crs.get()) != PJ_TYPE_PROJECTED_CRS) {
        setup.error = named + " is " + (crs ? typeName(proj_get_type(crs.get())) : "not a projected CRS") +
                      "; a survey grid needs a projected CRS";
        return setup;
    }
    if (const std::string problem = axisProblem(ctx, crs.get()); !problem.empty()) {
        setup.error = named + " cannot be a survey grid: " + problem;
        return setup;
    }
    chain->name_ = fullName;

    // Centre of the area of use: where the description is taken when no position is given.
    double west = 0, south = 0, east = 0, north = 0;
    if (proj_get_area_of_use(ctx, crs.get(), &west, &south, &east, &north, nullptr) && west > -1000) {
        if (east < west) {
            east += 360; // the area crosses the antimeridian
        }
        chain->centreLatDeg_ = (south + north) / 2;
        chain->centreLonDeg_ = (west + east) / 2;
        if (chain->centreLonDeg_ > 180) {
            chain->centreLonDeg_ -= 360;
        }
    }

    ProjHandle wgs84(proj_create_from_database(ctx, "EPSG", "4326", PJ_CATEGORY_CRS, 0, nullptr));
    PJ_AREA* area = nullptr;
    if (options.area) {
        area = proj_area_create();
        proj_area_set_bbox(area, options.area->westDeg, options.area->southDeg, options.area->eastDeg,
                           options.area->northDeg);
    }
    ProjHandle raw(wgs84 ? proj_create_crs_to_crs_from_pj(ctx, wgs84.get(), crs.get(), area, nullptr)
                         : nullptr);
    if (raw) {
        chain->toGrid_.reset(proj_normalize_for_visualization(ctx, raw.get()));
    }
    if (!chain->toGrid_) {
        if (area) {
            proj_area_destroy(area);
        }
        setup.error = named + ": PROJ finds no transformation from WGS 84: " + gis::projContextError(ctx);
        return setup;
    }
    if (options.withLocalPosition) {
        ProjHandle geographic(proj_crs_get_geodetic_crs(ctx, crs.get()));
        ProjHandle local(
            geographic ? proj_create_crs_to_crs_from_pj(ctx, wgs84.get(), geographic.get(), area, nullptr)
                       : nullptr);
        if (local) {
            chain->toLocal_.reset(proj_normalize_for_visualization(ctx, local.get()));
        }
        if (!chain->toLocal_) {
            proj_area_destroy(area);
            setup.error = named + ": PROJ finds no transformation from WGS 84 to its geographic datum";
            return setup;
        }
    }
    if (area) {
        proj_area_destroy(area);
    }

    const char* const wktOptions[] = {"MULTILINE=NO", nullptr};
    const char* wkt = proj_as_wkt(ctx, crs.get(), PJ_WKT1_GDAL, wktOptions);
    if (!wkt) {
        wkt = proj_as_wkt(ctx, crs.get(), PJ_WKT2_2019, wktOptions); // no WKT1 form for every method
    }
    chain->wkt_ = wkt ? wkt : "";
    setup.chain = std::move(chain);
    return setup;
}

FixConversion EpsgChain::convert(long double latitudeDeg, long double longitudeDeg,
                                 long double heightM) const {
    FixConversion out;
    lastError_.clear();
    if (!std::isfinite(latitudeDeg) || !std::isfinite(longitudeDeg) || !std::isfinite(heightM)) {
        out.failure = FixFailure::NotFinite;
        return out;
    }
    if (!(std::fabs(latitudeDeg) <= 90)) {
        out.failure = FixFailure::LatitudeOutOfRange;
        return out;
    }
    if (!(longitudeDeg >= -180 && longitudeDeg <= 360)) {
        out.failure = FixFailure::LongitudeOutOfRange;
        return out;
    }
    const double lat = static_cast<double>(latitudeDeg);
    double lon = static_cast<double>(longitudeDeg);
    if (lon > 180) {
        lon -= 360; // PROJ's areas of use are given in -180..180
    }
    const double h = static_cast<double>(heightM);
    const double northLat = std::min(lat + kConvergenceStepDeg, 90.0);
    const double southLat = std::max(lat - kConvergenceStepDeg, -90.0);
    PJ_COORD points[3] = {proj_coord(lon, lat, h, HUGE_VAL), proj_coord(lon, northLat, h, HUGE_VAL),
                          proj_coord(lon, southLat, h, HUGE_VAL)};
    proj_trans_array(toGrid_.get(), PJ_FWD, 3, points);
    const auto bad = [](const PJ_COORD& c) {
        return !std::isfinite(c.xy.x) || !std::isfinite(c.xy.y) || c.xy.x == HUGE_VAL;
    };
    if (bad(points[0])) {
        lastError_ = gis::takeProjError(toGrid_.get());
        out.failure = FixFailure::ResultNotFinite;
        return out;
    }
    out.eastingM = points[0].xy.x;
    out.northingM = points[0].xy.y;
    if (bad(points[1]) || bad(points[2])) {
        lastError_ = gis::takeProjError(toGrid_.get());
        out = FixConversion{};
        out.failure = FixFailure::ResultNotFinite;
        return out;
    }
    const double dE = points[1].xy.x - points[2].xy.x;
    const double dN = points[1].xy.y - points[2].xy.y;
    out.convergenceDeg = std::atan2(dE, dN) * 180 / std::numbers::pi;

    if (toLocal_) {
        PJ_COORD local = proj_trans(toLocal_.get(), PJ_FWD, proj_coord(lon, lat, h, HUGE_VAL));
        if (bad(local)) {
            lastError_ = gis::takeProjError(toLocal_.get());
            out = FixConversion{};
            out.failure = FixFailure::ResultNotFinite;
            return out;
        }
        out.local = {local.xyz.y, local.xyz.x, local.xyz.z};
    } else {
        const long double nan = std::numeric_limits<long double>::quiet_NaN();
        out.local = {nan, nan, nan};
    }
    return out;
}

EpsgOperation EpsgChain::operationAt(double latitudeDeg, double longitudeDeg) const {
    EpsgOperation result;
    const PJ_COORD c = proj_trans(toGrid_.get(), PJ_FWD, proj_coord(longitudeDeg, latitudeDeg, 0, HUGE_VAL));
    if (!std::isfinite(c.xy.x) || c.xy.x == HUGE_VAL) {
        result.error = "no transformation converts " + formatFixed(latitudeDeg, 6) + " " +
                       formatFixed(longitudeDeg, 6) + ": " + gis::takeProjError(toGrid_.get());
        return result;
    }
    ProjHandle used(proj_trans_get_last_used_operation(toGrid_.get()));
    const PJ* op = used ? used.get() : toGrid_.get();
    const char* name = proj_get_name(op);
    result.description = withoutAxisSwaps(name ? name : "");
    const char* const options[] = {"MULTILINE=NO", nullptr};
    const char* pipeline = proj_as_proj_string(context_.get(), op, PJ_PROJ_5, options);
    result.pipeline = pipeline ? pipeline : "";
    result.accuracyM = proj_coordoperation_get_accuracy(context_.get(), op);
    return result;
}

std::string EpsgChain::description() const {
    std::string text = codeText(code_) + " " + name_;
    const EpsgOperation op = operationAt(centreLatDeg_, centreLonDeg_);
    if (op.ok()) {
        text += ": " + op.description;
        if (op.accuracyM >= 0) {
            text += " (accuracy " + formatGeneral(op.accuracyM) + " m)";
        }
    }
    return text;
}

} // namespace selvir
