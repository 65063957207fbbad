#pragma once
// One or more reduction records loaded for processing, each with the flags of its sidecar.

#include "navigation/SoundingRecord.h"
#include "processing/Sounding.h"
#include "processing/SoundingFlags.h"

#include <filesystem>
#include <string>
#include <vector>

namespace selvir::processing {

struct SurveyFileData {
    std::filesystem::path record;
    std::filesystem::path sidecar;
    SoundingFileReport report; // rows read, rows refused and why
    FlagSet flags;
    FlagsReadResult sidecarRead;   // whether a sidecar was found, lines skipped (its flags are in `flags`)
    std::size_t firstSounding = 0; // index of its first sounding in SurveyData::soundings
    std::size_t soundingCount = 0;
};

struct SurveyData {
    std::vector<SurveyFileData> files;
    std::vector<Sounding> soundings; // file after file, each in the order of its rows

    std::span<const Sounding> soundingsOf(std::size_t file) const {
        return std::span<const Sounding>(soundings).subspan(files[file].firstSounding,
                                                            files[file].soundingCount);
    }
};

// The compact sounding of a record row: grid position, both depths, survey line, and its key (the
// occurrence must be filled by the caller, who sees the other rows).
Sounding soundingOf(const SoundingRecord& record, std::uint32_t file);

// Reads a record and its sidecar and appends them. False, with the reason, when the record cannot be
// read or has no soundings header (the data is then unchanged). Bad rows and unreadable sidecar lines
// are not failures: they are in the file's report and sidecarRead. A sidecar that exists but cannot be
// read is a failure: processing on without it would bring rejected soundings back.
bool loadSurveyFile(const std::filesystem::path& record, SurveyData& data, std::string& error);

// Per sounding: 1 when no flag rejects it.
std::vector<std::uint8_t> acceptedMask(const SurveyData& data);

} // namespace selvir::processing
