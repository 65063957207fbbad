#include "cli/SoundingInput.h"

#include <algorithm>
#include <ostream>

namespace selvir::cli {
namespace {

constexpr std::size_t kListedProblems = 5;

} // namespace

bool loadSoundingRecords(const std::vector<std::string>& files, processing::SurveyData& data,
                         std::ostream& err, const char* name) {
    for (const std::string& file : files) {
        std::string error;
        if (!processing::loadSurveyFile(file, data, error)) {
            err << name << error << '\n';
            return false;
        }
        const processing::SurveyFileData& loaded = data.files.back();
        if (loaded.report.badRows > 0) {
            err << name << file << ": " << loaded.report.badRows
                << " row(s) could not be read and are left out\n";
            for (std::size_t k = 0; k < std::min(kListedProblems, loaded.report.errors.size()); ++k) {
                err << "  " << loaded.report.errors[k].message() << '\n';
            }
        }
        const auto& skipped = loaded.sidecarRead.badLines;
        if (!skipped.empty()) {
            err << name << loaded.sidecar.string() << ": " << skipped.size()
                << " line(s) could not be read\n";
            for (std::size_t k = 0; k < std::min(kListedProblems, skipped.size()); ++k) {
                err << "  " << skipped[k] << '\n';
            }
        }
    }
    return true;
}

std::string depthReferenceNote(processing::DepthReference reference) {
    return reference == processing::DepthReference::Datum
               ? "Depths: below the vertical datum (depth_below_datum_m)"
               : "Depths: below the water line (depth_m): the record has no water level, so no depth below "
                 "the "
                 "datum";
}

} // namespace selvir::cli
