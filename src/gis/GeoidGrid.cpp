// Geoid undulations through PROJ's vertical grid shift.
#include "gis/GeoidGrid.h"

#include "core/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <vector>

namespace selvir {
namespace {

#ifdef _WIN32
constexpr char kSearchPathSeparator = ';';
#else
constexpr char kSearchPathSeparator = ':';
#endif

} // namespace

GeoidGridOpen GeoidGrid::open(const std::string& pathOrName) {
    GeoidGridOpen result;
    if (pathOrName.empty()) {
        result.error = "no geoid grid named";
        return result;
    }
    std::unique_ptr<GeoidGrid> grid(new GeoidGrid());
    grid->name_ = pathOrName;
    grid->context_ = gis::makeProjContext();
    if (!grid->context_) {
        result.error = "geoid grid \"" + pathOrName + "\": PROJ could not start";
        return result;
    }
    // A path is found through the search path of this grid's own context, so that a folder with blanks
    // in its name needs no quoting in the PROJ string (PROJ strings cannot quote).
    const std::filesystem::path given(pathOrName);
    std::string gridName = pathOrName;
    if (given.has_parent_path()) {
        gridName = given.filename().string();
        std::vector<std::string> folders = {given.parent_path().string()};
        const std::string defaults = proj_info().searchpath ? proj_info().searchpath : "";
        for (std::size_t start = 0; start < defaults.size();) {
            const std::size_t end = std::min(defaults.find(kSearchPathSeparator, start), defaults.size());
            if (end > start) {
                folders.push_back(defaults.substr(start, end - start));
            }
            start = end + 1;
        }
        std::vector<const char*> list;
        for (const std::string& folder : folders) {
            list.push_back(folder.c_str());
        }
        proj_context_set_search_paths(grid->context_.get(), static_cast<int>(list.size()), list.data());
    }
    if (gridName.find_first_of(" \t,") != std::string::npos) {
        result.error = "geoid grid \"" + pathOrName + "\": the file name cannot contain blanks or commas";
        return result;
    }
    // Multiplier 1: the forward step adds N to the input height, so a height of 0 gives N itself.
    const std::string definition = "+proj=pipeline +step +proj=unitconvert +xy_in=deg +xy_out=rad "
                                   "+step +proj=vgridshift +multiplier=1 +grids=" +
                                   gridName;
    grid->operation_.reset(proj_create(grid->context_.get(), definition.c_str()));
    if (!grid->operation_) {
        result.error = "geoid grid \"" + pathOrName +
                       "\" cannot be opened: " + gis::projContextError(grid->context_.get()) +
                       " (a bare name is looked up in PROJ's data folders)";
        return result;
    }
    const PJ_GRID_INFO info = proj_grid_info(pathOrName.c_str());
    grid->path_ = info.filename;
    if (info.n_lon > 0 && info.n_lat > 0) {
        // lowerleft and upperright come in radians.
        const double toDeg = 180.0 / M_PI;
        grid->extent_ = Extent{info.lowerleft.phi * toDeg, info.lowerleft.lam * toDeg,
                               info.upperright.phi * toDeg, info.upperright.lam * toDeg};
    }
    result.grid = std::move(grid);
    return result;
}

GeoidUndulation GeoidGrid::undulation(double latitudeDeg, double longitudeDeg) const {
    GeoidUndulation out;
    if (!std::isfinite(latitudeDeg) || !std::isfinite(longitudeDeg) || std::fabs(latitudeDeg) > 90) {
        out.error = "no geoid undulation: latitude or longitude out of range";
        return out;
    }
    PJ_COORD c = proj_coord(longitudeDeg, latitudeDeg, 0, HUGE_VAL);
    c = proj_trans(operation_.get(), PJ_FWD, c);
    if (!std::isfinite(c.xyz.z) || c.xyz.z == HUGE_VAL) {
        out.error = "no geoid undulation at " + formatFixed(latitudeDeg, 6) + " " +
                    formatFixed(longitudeDeg, 6) + " in \"" + name_ +
                    "\": " + gis::takeProjError(operation_.get());
        return out;
    }
    out.undulationM = c.xyz.z;
    return out;
}

} // namespace selvir
