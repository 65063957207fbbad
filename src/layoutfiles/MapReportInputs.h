#pragma once
// What a map for a report (canvas/MapExport.h) takes from the survey: the title block's fields from the
// settings file (the offsets' location, vessel and surveyor, the datum's name and the projection in
// force) and the soundings of a survey file.

#include "canvas/MapExport.h"
#include "core/DateTime.h"
#include "core/ProfileStore.h"
#include "geodesy/GeodeticParameters.h"

#include <filesystem>
#include <string>

namespace selvir {

// The title block for `date` from the settings; the title is left for the caller.
MapTitle readMapTitle(const ProfileStore& settings, const LocalDate& date);

// "Transverse Mercator, CM 33, k0 0.9996, FE 500000, FN 0" or the Lambert form in force, with the
// settings' own texts.
QString describeProjection(const GeodeticParameters& parameters);

struct SurveySoundings {
    std::vector<Sounding> soundings; // rows with a grid position and a depth, in file order
    int rowsWithoutPosition = 0;     // rows written while the fix could not be projected
    int unreadableRows = 0;          // rows whose fields are not the survey file's
    std::string error;               // why the file could not be read; empty when it was
    bool ok() const { return error.empty(); }
};

// The soundings of a survey file (" Coordinates.csv"): Easting, Northing and True Depth (Hi) of each row.
SurveySoundings readSurveySoundings(const std::filesystem::path& file);

} // namespace selvir
