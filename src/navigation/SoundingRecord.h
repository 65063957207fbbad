#pragma once
// The reduction record "<date> Soundings.csv": one row per depth with every term of its reduction, so
// the depths can be recomputed and processed after the survey. A term that could not be had is an
// empty field, never a made-up number.
//
// Columns (header line, in this order):
//   time                  local date and time of the depth, milliseconds: 2026-04-07T10:00:00.150
//   latitude, longitude   WGS-84 degrees, north and east positive, 9 decimals
//   easting, northing     grid metres, 3 decimals
//   heading_deg           degrees clockwise from grid north, 2 decimals
//   fix_quality           the GGA quality of the position (integer)
//   raw_depth_m           the depth as the echosounder reported it, metres below the transducer
//   sound_velocity_mps    m/s used for the depth, 2 decimals; sv_source says where it came from
//   draft_m               transducer draft, metres
//   depth_m               depth below the water line, metres, positive down
//   water_level_m         water level above the vertical datum, metres; water_level_source its source
//   ellipsoidal_height_m  antenna height above the ellipsoid (RTK), metres
//   geoid_undulation_m    geoid above the ellipsoid at the position, metres
//   latency_ms            echosounder latency taken off the time stamp (integer)
//   depth_below_datum_m   depth_m - water_level_m, metres, positive down
//   flags                 words separated by blanks: no_position, no_water_level, line=3, ...
// Every number is written with "." as decimal point whatever the locale. Readers also accept further
// columns after these (ignored), and a `line` column as another source of the survey line number.

#include "core/DateTime.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace selvir {

inline constexpr std::string_view kSoundingRecordHeader =
    "time,latitude,longitude,easting,northing,heading_deg,fix_quality,raw_depth_m,sound_velocity_mps,"
    "sv_source,draft_m,depth_m,water_level_m,water_level_source,ellipsoidal_height_m,geoid_undulation_m,"
    "latency_ms,depth_below_datum_m,flags";

struct SoundingRecord {
    LocalDateTime time;
    std::optional<double> latitudeDeg;
    std::optional<double> longitudeDeg;
    std::optional<double> eastingM;
    std::optional<double> northingM;
    std::optional<double> headingDeg;
    std::optional<int> fixQuality;
    std::optional<double> rawDepthM;
    std::optional<double> soundVelocityMps;
    std::string svSource; // "manual", "profile", ... (empty when unknown)
    std::optional<double> draftM;
    std::optional<double> depthM; // below the water line, positive down
    std::optional<double> waterLevelM;
    std::string waterLevelSource; // "manual", "tide" or "rtk"
    std::optional<double> ellipsoidalHeightM;
    std::optional<double> geoidUndulationM;
    std::optional<int> latencyMs;
    std::optional<double> depthBelowDatumM; // positive down
    std::string flags;                      // blank-separated words

    bool operator==(const SoundingRecord&) const = default;
};

// The row's text without line break. Text fields lose any comma, quote or line break (each becomes
// "_"), so every row reads back with the same columns.
std::string formatSoundingRow(const SoundingRecord& record);

// The time field's text: "2026-04-07T10:00:00.150".
std::string formatSoundingTime(const LocalDateTime& time);
// Reads "YYYY-MM-DDThh:mm:ss" with an optional fraction of 1 to 3 digits; nothing when the text is
// not such a time or names a day or hour that does not exist.
std::optional<LocalDateTime> parseSoundingTime(std::string_view text);

// The survey line of a sounding: the `line=N` word of its flags (N a positive integer).
std::optional<int> surveyLineOf(std::string_view flags);
// The flags with the `line=N` word set to `line` (replacing an earlier one).
std::string withSurveyLine(std::string_view flags, int line);
// Whether the flags hold `word` as a whole word.
bool hasFlagWord(std::string_view flags, std::string_view word);

// Where each column stands in a file, read from its header.
class SoundingColumns {
public:
    // The columns of kSoundingRecordHeader, in order.
    static SoundingColumns standard();
    // The columns of a header line; nothing, with the reason in `error` (naming the columns that are
    // missing), when a column of kSoundingRecordHeader is absent or one appears twice.
    static std::optional<SoundingColumns> fromHeader(std::string_view header, std::string& error);

    std::size_t fieldCount() const { return fieldCount_; }

private:
    friend struct SoundingRowParser;
    std::vector<int> fieldOfColumn_; // standard column -> field index
    int lineField_ = -1;             // the optional `line` column
    std::size_t fieldCount_ = 0;
};

// Why a row was refused, naming its line of the file and the field.
struct SoundingRowError {
    std::size_t lineNumber = 0; // 1 = the header line
    std::string field;          // column name; empty when the row as a whole is at fault
    std::string reason;
    std::string message() const; // "line 12, field depth_m: \"1.2.3\" is not a number"
};

// Reads one row (without its line break; a trailing CR is dropped). False, with `error` filled except
// for its line number, when the row cannot be read; `out` is then unspecified.
bool parseSoundingRow(std::string_view line, const SoundingColumns& columns, SoundingRecord& out,
                      SoundingRowError& error);

// What a whole file gave.
struct SoundingFileReport {
    bool opened = false;                  // false: the file could not be read or has no valid header
    std::string error;                    // why not
    std::size_t rows = 0;                 // rows read
    std::size_t badRows = 0;              // rows refused
    std::vector<SoundingRowError> errors; // the first kMaxListedErrors of them
    static constexpr std::size_t kMaxListedErrors = 100;
};

// Reads a record row by row, handing each good row to `row` with its line number; a bad row is
// counted, listed and skipped, and the reading goes on. Empty lines are skipped.
using SoundingRowHandler = std::function<void(const SoundingRecord& record, std::size_t lineNumber)>;
SoundingFileReport readSoundingRecord(std::istream& in, const SoundingRowHandler& row);
SoundingFileReport readSoundingRecord(const std::filesystem::path& file, const SoundingRowHandler& row);

} // namespace selvir
