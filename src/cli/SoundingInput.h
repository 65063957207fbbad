#pragma once
// Reduction records read for the after-survey commands, with what went wrong said on standard error.

#include "processing/SurveyData.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace selvir::cli {

// Loads every record with its flags sidecar. Bad rows and unreadable sidecar lines are counted and the
// first few named on `err`, prefixed with `name`; false (with the reason on `err`) when a record cannot
// be read at all.
bool loadSoundingRecords(const std::vector<std::string>& files, processing::SurveyData& data,
                         std::ostream& err, const char* name);

// A line saying which depth the results are on, for standard error ("depths below the datum" or the
// water line with the reason).
std::string depthReferenceNote(processing::DepthReference reference);

} // namespace selvir::cli
