#pragma once
// A geoid model given as a vertical grid (.gtx, or a GeoTIFF grid of PROJ's kind): the geoid undulation
// N, the height of the geoid above the ellipsoid, at a latitude and longitude.
//
// Use:
//     GeoidGridOpen open = GeoidGrid::open("egm96_15.gtx");
//     if (!open.ok()) { say open.error; }
//     const GeoidUndulation n = open.grid->undulation(latDeg, lonDeg);
//     if (n.ok()) { orthometricM = ellipsoidalM - n.undulationM; }
//
// The grid is given as a path, or as a bare file name that PROJ looks up in its data folders (PROJ_DATA,
// the user's PROJ folder, the system's, e.g. Debian's proj-data with egm96_15.gtx). PROJ reads it and
// interpolates bilinearly (its vgridshift operation with multiplier 1), so the values are PROJ's own.
//
// Units: degrees (north and east positive, the longitude in any turn), metres; N positive where the geoid
// lies above the ellipsoid. A GeoidGrid is movable, not copyable, and not to be used from two threads at
// once; undulation() does not throw.

#include "gis/ProjSupport.h"

#include <memory>
#include <optional>
#include <string>

namespace selvir {

struct GeoidUndulation {
    double undulationM = 0; // meaningful only when ok()
    std::string error;      // why there is no value ("outside the grid ...")
    bool ok() const { return error.empty(); }
};

class GeoidGrid;

struct GeoidGridOpen {
    std::unique_ptr<GeoidGrid> grid; // set when the grid could be opened
    std::string error;               // otherwise: the grid named and the reason
    bool ok() const { return grid != nullptr; }
};

class GeoidGrid {
public:
    // Opens the grid. A missing or unreadable grid gives an error naming it.
    static GeoidGridOpen open(const std::string& pathOrName);

    // N at the point. A point outside the grid, or on cells without data, gives an error.
    GeoidUndulation undulation(double latitudeDeg, double longitudeDeg) const;

    const std::string& name() const { return name_; }         // as given
    const std::string& resolvedPath() const { return path_; } // the file PROJ found (may be empty)
    // Geographic extent of the grid in degrees, when PROJ reports one.
    struct Extent {
        double southDeg, westDeg, northDeg, eastDeg;
    };
    const std::optional<Extent>& extent() const { return extent_; }

private:
    GeoidGrid() = default;

    std::string name_, path_;
    std::optional<Extent> extent_;
    gis::ProjContextHandle context_;
    gis::ProjHandle operation_;
};

} // namespace selvir
