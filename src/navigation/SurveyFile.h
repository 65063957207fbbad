#pragma once
// The survey file: one comma-separated row per echosounder depth, in the day's log folder. It is opened
// and closed for every row, so it can be copied or viewed during the survey. Rows are never lost
// silently: a locked file gives way to numbered alternatives ("… Coordinates_1.csv" … "_99"), missing
// folders are created, and when nothing can be written the problem is reported (at most once a minute).

#include "core/DataFolders.h"
#include "core/DateTime.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace selvir {

// Header line of a new survey file (18 columns; "GPS" and " RTK Antenna Height" are separate columns).
inline constexpr std::string_view kSurveyFileHeader =
    "Date,Lat,Lon,Easting,Northing,Elevation (Hi),Elevation (Lo),True Depth (Hi),True Depth (Lo),"
    "Raw Depth (Hi),Raw Depth (Lo),Message Format,Sound Velocity,Transducer Draft,GPS, RTK Antenna "
    "Height,Manual Tide,RTK Tide";

// Shown when the program's folders cannot be created.
inline constexpr std::string_view kCannotCreateLogFolder =
    "Cannot create log folder C:\\GVX\\log\\. Check if you are authorized create folder at this address.";

// The values of one row, as they stand in the navigation state when the depth arrives.
struct SurveyRow {
    LocalDateTime time;
    double gpsLatitude = 0;  // degrees, WGS-84
    double gpsLongitude = 0; // degrees, WGS-84
    double easting = 0;      // metres, grid position of the last map tick
    double northing = 0;     // metres
    double depthHF = 0;      // metres, reduced high-frequency depth
    double depthLF = 0;      // metres, reduced low-frequency depth
    double rawHF = 0;        // metres, as measured
    double rawLF = 0;        // metres, as measured
    std::string messageFormat;
    double soundVelocity = 0; // m/s used for the high-frequency depth
    double offsetA = 0;       // metres, transducer draft
    int fixQuality = 0;
    double rtkHeight = 0;  // metres
    double manualTide = 0; // metres
    double rtkTide = 0;    // metres
};

// The row's text without line break: elevations are manual tide minus depth; positions in general
// format, metres with 2 decimals, raw depths in general format.
std::string formatSurveyRow(const SurveyRow& row);

class SurveyFile {
public:
    enum class Outcome {
        RowWritten, // the row is on disk (in file())
        HeaderOnly, // no row was asked for; the file exists with its header
        Failed,     // nothing could be written; reported
    };
    // Receives the text of a problem (for the message window and the events log).
    using ProblemReporter = std::function<void(const std::string&)>;

    SurveyFile(DataFolders folders, const Clock& clock, ProblemReporter report);

    // Appends the row, or with `row` null only makes sure the file exists with its header (a message
    // whose raw high-frequency depth is 0 writes no row).
    Outcome append(const SurveyRow* row);

    // The file the last write went to (the survey file itself or a numbered alternative).
    const std::filesystem::path& file() const { return lastFile_; }
    // Rows written since construction.
    std::uint64_t rowsWritten() const { return rowsWritten_; }

private:
    bool writeTo(const std::filesystem::path& file, const SurveyRow* row);
    void reportThrottled(const std::string& text);

    DataFolders folders_;
    const Clock& clock_;
    ProblemReporter report_;
    std::filesystem::path lastFile_;
    std::uint64_t rowsWritten_ = 0;
    std::int64_t lastReportMs_ = 0;
    bool reported_ = false;
};

} // namespace selvir
