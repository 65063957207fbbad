#pragma once
// The survey file: one comma-separated row per echosounder depth, in the day's log folder. It is opened
// and closed for every row, so it can be copied or viewed during the survey. Rows are never lost: a
// locked file gives way to numbered alternatives ("… Coordinates_1.csv" … "_99"), missing folders are
// created, and when nothing can be written (a full or read-only disk) the rows are kept in memory and
// written whole and in order when the file can be written again; the state is shown meanwhile.

#include "core/DataFolders.h"
#include "core/DateTime.h"

#include <cstdint>
#include <deque>
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
    // A depth without a position is still written: its Lat and Lon fields stay empty (and the fix
    // column then says 0), and Easting and Northing stay empty when the fix cannot be projected.
    bool positionKnown = true;
    bool gridKnown = true;
    double gpsLatitude = 0;  // degrees, WGS-84, the fix in force when the depth arrived
    double gpsLongitude = 0; // degrees, WGS-84
    double easting = 0;      // metres, grid projection of that same fix
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

// The row's text without line break, always 18 fields: elevations are manual tide minus depth;
// positions in general format, metres with 2 decimals, raw depths in general format; an unknown
// position leaves its fields empty.
std::string formatSurveyRow(const SurveyRow& row);

// What the surveyor must see while rows cannot be written (shown for as long as it lasts).
struct SurveyFileState {
    bool writing = true;           // false: rows are being kept in memory
    std::size_t keptRows = 0;      // rows waiting to be written
    std::string reason;            // why they cannot be written now
    std::filesystem::path file;    // where they will go
    std::uint64_t droppedRows = 0; // rows lost because the memory bound was passed (oldest first)
};

class SurveyFile {
public:
    enum class Outcome {
        RowWritten, // the row is on disk (in file())
        HeaderOnly, // no row was asked for; the file exists with its header
        RowKept,    // the row could not be written now: it is kept and written, in order, later
        Failed,     // no row was asked for and the file could not be made
    };
    // Receives the text of a problem or of its end (for the message window and the events log).
    using ProblemReporter = std::function<void(const std::string&)>;
    using StateListener = std::function<void(const SurveyFileState&)>;

    // Rows kept in memory at most: more than a day of soundings at 5 Hz. Past it the oldest go.
    static constexpr std::size_t kMaxKeptRows = 500'000;

    // `file` empty: the day's survey file; otherwise a file of the same columns (a line's own file).
    SurveyFile(DataFolders folders, const Clock& clock, ProblemReporter report,
               std::filesystem::path file = {});

    // Appends the row, or with `row` null only makes sure the file exists with its header (a message
    // whose raw high-frequency depth is 0 writes no row). Rows kept from earlier go first. A row is
    // written whole or not at all.
    Outcome append(const SurveyRow* row);
    // Writes the rows kept in memory when the file can be written again (called on every map tick).
    // True when nothing is kept any more.
    bool writeKeptRows();
    std::size_t keptRows() const { return kept_.size(); }
    // Told of every change of the state (each row kept, the end of the outage).
    void setStateListener(StateListener listener) { listener_ = std::move(listener); }
    const SurveyFileState& state() const { return state_; }

    // The file the last write went to (the survey file itself or a numbered alternative).
    const std::filesystem::path& file() const { return lastFile_; }
    // Rows written since construction.
    std::uint64_t rowsWritten() const { return rowsWritten_; }

private:
    // Tries the file and, when it cannot be opened (locked by another program), the numbered
    // alternatives, for `text`. Sets the reason of a failure.
    bool write(const std::string& text, std::string& reason);
    void keep(std::string line, const std::string& reason);
    void publish();
    void reportThrottled(const std::string& text);

    DataFolders folders_;
    std::filesystem::path file_;
    const Clock& clock_;
    ProblemReporter report_;
    StateListener listener_;
    SurveyFileState state_;
    std::deque<std::string> kept_; // formatted rows with their line breaks, oldest first
    std::filesystem::path lastFile_;
    std::uint64_t rowsWritten_ = 0;
    std::int64_t lastReportMs_ = 0;
    bool reported_ = false;
};

} // namespace selvir
