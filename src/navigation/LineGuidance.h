#pragma once
// Line guidance: the boat steered along a survey line. One line at a time is active: a runline (any
// line of the runlines layer, numbered in sailing order) or any other open polyline the surveyor
// picked. Every map tick measures the vessel against it (LineGeometry.h): cross-track (+ starboard),
// along, to go, the line's grid bearing, the course made good against it and the time to the end.
//
// A line is run in one direction, chosen when it becomes active: a line the surveyor chose while the
// vessel is abeam of it and making way is run the way the vessel is going; otherwise from the end
// nearer to the vessel (so after each line the next is entered from the near end, as a lawn-mower
// pattern turns). reverse() turns it round.
//
// Phases: approaching -> running (the vessel is between the line's ends and within five times the
// tolerance of it: "Line 3 start") -> ended (past the end: "Line 3 end"). Starts and ends are written
// to the events log as automatic events and marked as numbered events with a label on the map; with
// per-line files on, the depth rows of a running line also go to its own survey file. With auto-advance
// on, the nearest line not yet run becomes active at the end of a line, and at the first position when
// none is active; until the boat starts it, a line chosen so gives way to whichever line not yet run
// is nearest on every tick (the boat turning to port or starboard at the end of a line picks the line
// on that side) and is entered from its nearer end.

#include "core/DateTime.h"
#include "core/ProfileStore.h"
#include "navigation/EventsLog.h"
#include "navigation/LineGeometry.h"
#include "navigation/SurveyFile.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace selvir {

// "LINE_GUIDANCE" of the settings file.
struct GuidanceSettings {
    bool autoAdvance = true;
    double toleranceM = 2;  // cross-track beyond which the display turns to its warning colour
    bool lineFiles = false; // a survey file per line beside the day's
    static GuidanceSettings read(const ProfileStore& store);
    void write(ProfileStore& store) const;
};
// Tolerances below this are taken as this (metres).
inline constexpr double kSmallestToleranceM = 0.1;
// A line starts when the vessel is abeam of it within this many tolerances.
inline constexpr double kStartCorridorTolerances = 5;
// A surveyor's choice is run the way the vessel goes from this speed on (knots).
inline constexpr double kMakingWayKnots = 1;

struct GuidanceLine {
    std::int32_t id = 0; // the polyline's shape id
    int number = 0;      // 1 ... in sailing order for runlines; 0 for another polyline
    std::string name;    // "3" for runline 3; "<layer> <id>" for another polyline
    GridLine points;     // as drawn
    friend bool operator==(const GuidanceLine&, const GuidanceLine&) = default;
};

// The lines guidance may use, with a revision number that changes whenever they do.
struct GuidanceLineSet {
    std::vector<GuidanceLine> lines; // sailing order
    std::uint64_t revision = 0;      // 0 only for a set that never had lines
};

class GuidanceLineSource {
public:
    virtual ~GuidanceLineSource() = default;
    // The lines as they stand now (cheap when nothing changed).
    virtual const GuidanceLineSet& currentLines() = 0;
};

// One map tick's values.
struct GuidanceInput {
    bool positionKnown = false;
    GridPoint position;        // grid metres of the tick
    double courseGridDeg = 0;  // course made good over ground, grid degrees
    double speedKnots = 0;     // speed over ground
    double convergenceDeg = 0; // grid convergence: grid bearing = true bearing + convergence
};

enum class LinePhase { Approaching, Running, Ended };

struct GuidanceReading {
    bool active = false;        // a line is active
    bool positionKnown = false; // the values below are of this tick
    int lineNumber = 0;
    std::string lineName;
    int lineCount = 0; // runlines there are
    LinePhase phase = LinePhase::Approaching;
    LineFix fix;
    double courseDifferenceDeg = 0;   // course made good minus the line's bearing, (-180, 180]
    std::optional<double> timeToEndS; // at the speed made good along the line; none when not closing
    double toleranceM = 2;
    bool offLine = false; // |cross-track| beyond the tolerance
    bool allRun = false;  // auto-advance found no line left
};

struct LineGuidanceOutputs {
    EventsLog* events = nullptr; // "Line 3 start", "Line 3 end"
    // Marks a numbered event with its label at the grid position.
    std::function<void(double eastingM, double northingM)> markEvent;
    // The survey file of a line ("… Coordinates Line 3.csv"); null: per-line files are not offered.
    std::function<std::unique_ptr<SurveyFile>(const std::string& lineName)> openLineFile;
};

class LineGuidance {
public:
    using SettingsSource = std::function<GuidanceSettings()>;

    // `source` must outlive the guidance (null: no runlines, only lines picked with selectOther).
    LineGuidance(GuidanceLineSource* source, SettingsSource settings, LineGuidanceOutputs outputs);
    ~LineGuidance();

    // One map tick.
    const GuidanceReading& tick(const GuidanceInput& input);
    const GuidanceReading& reading() const { return reading_; }

    // --- The surveyor's commands (between ticks). Each returns whether a line is active afterwards.
    // The runline with this shape id.
    bool selectLine(std::int32_t id);
    // Another polyline; its points are copied.
    bool selectOther(GuidanceLine line);
    // The runline after or before the active one in sailing order (the first or last when none is).
    bool next();
    bool previous();
    // Runs the active line the other way; it approaches again.
    void reverse();
    // No active line; auto-advance waits for the next choice.
    void stop();
    // Forgets which lines were run, so auto-advance offers them again.
    void forgetRunLines();

    // The active line's points in the direction of travel; empty when none is active.
    const GridLine& activeLine() const { return travel_; }
    std::int32_t activeId() const { return active_ ? active_->id : 0; }
    // A depth row: written to the running line's own file when per-line files are on.
    void rowWritten(const SurveyRow& row);

private:
    // The source's lines, taken again (commands) or as the tick took them (the tick's own steps).
    const GuidanceLineSet& lines();
    const GuidanceLineSet& tickLines() const { return tickLines_ ? *tickLines_ : noLines_; }
    void activate(const GuidanceLine& line, bool surveyorsChoice);
    void chooseDirection(bool surveyorsChoice);
    void advance();
    const GuidanceLine* nearestLineNotRun();
    void lineEvent(const char* what);
    void closeLineFile();
    bool stepBy(int step);
    void measure();

    GuidanceLineSource* source_;
    SettingsSource settingsSource_;
    LineGuidanceOutputs out_;
    GuidanceSettings settings_;
    GuidanceLineSet noLines_;
    std::uint64_t seenRevision_ = 0; // sources count revisions from 1
    const GuidanceLineSet* tickLines_ = nullptr;
    int runlineCount_ = 0;
    std::optional<GuidanceLine> active_;
    GridLine travel_;
    bool directionPending_ = false; // chosen at the first position
    bool pendingChoiceBySurveyor_ = false;
    bool autoChosen_ = false;    // chosen by auto-advance: gives way to a nearer line until started
    bool waitForChoice_ = false; // stop(): auto-advance picks nothing until the next choice
    std::set<std::int32_t> runIds_;
    GuidanceInput last_;
    GuidanceReading reading_;
    std::unique_ptr<SurveyFile> lineFile_;
};

} // namespace selvir
