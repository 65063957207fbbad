#pragma once
// Replays the raw port logs of a survey through the survey engine, headless, on the logs' own clock:
// the survey file (and events and session logs) the program would have written live, in a data root
// of the caller's choosing. This is the surveyor's way back to a survey file that was lost.
//
// The two logs are merged by their "Log Time" prefixes; the clock shows each line's time while it is
// handled. The GNSS reader's watchdog and the map timer run on that clock too: the map is updated
// every `mapIntervalMs` of log time from each realtime start (and from each GNSS connect, as live),
// stops when the receiver falls silent and resumes when it sends again. Realtime starts and stops
// where the events log of the survey says it did; without that log it starts with the first line and
// runs to the end.
//
// Values the windows own come from the settings file, as SurveySession reads them. Raw logging is off
// during a replay whatever the port settings say.

#include "core/ProfileStore.h"
#include "navigation/NmeaOutput.h"
#include "navigation/ReplayInputs.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace selvir {

struct LogReplayOptions {
    std::filesystem::path gnssLog;   // required
    std::filesystem::path sbesLog;   // empty: no echosounder log
    std::filesystem::path eventsLog; // empty: realtime on from the first line to the end
    int mapIntervalMs = 500;         // the map timer's period (100 .. 5000)

    // A row is on disk: its number from 1 and the log time of its message.
    std::function<void(std::uint64_t row, const LocalDateTime& time)> rowWritten;
    // The session's status messages (those of the message window).
    std::function<void(const std::string&)> message;
    // Called every few thousand lines: bytes read of both logs and their total size.
    std::function<void(std::uint64_t bytesRead, std::uint64_t bytesTotal)> progress;

    // The runlines the line guidance steers on (none when null; must outlive the replay), and the
    // guidance after every map tick at the tick's log time.
    GuidanceLineSource* guidanceLines = nullptr;
    std::function<void(const LocalDateTime& time, const GuidanceReading& reading)> mapTicked;
    // NMEA output during the replay; off whatever the settings file says when not given.
    std::optional<NmeaOutputSettings> nmeaOutput;
    // The line guidance's settings in place of the settings file's.
    std::optional<GuidanceSettings> guidance;
};

struct LogReplayReport {
    std::uint64_t gnssLines = 0; // lines replayed
    std::uint64_t sbesLines = 0;
    std::uint64_t skippedLines = 0;           // without a date-and-time prefix
    std::vector<std::string> skippedExamples; // "FILE:LINE: text" of the first of them, per log
    std::uint64_t linesWhileOff = 0;          // lines of a port the settings kept closed (sensor disabled)
    std::uint64_t rowsWritten = 0;
    std::uint64_t rowsFailed = 0; // depths whose row could still not be written at the end
    std::uint64_t mapTicks = 0;
    std::uint64_t realtimeStarts = 0;
    std::filesystem::path surveyFile; // where the rows went
    LocalDateTime firstTime;
    LocalDateTime lastTime;
};

class LogReplay {
public:
    // `settings` must outlive the replay.
    LogReplay(ProfileStore& settings, std::filesystem::path dataRoot, LogReplayOptions options);

    // Runs the whole replay. False with the reason in `error` when it cannot run or stops early: an
    // unreadable log, no line with a date and time, a survey file already in the data root, a read
    // error. Rows written before a read error stay on disk.
    bool run(LogReplayReport& report, std::string& error);

private:
    ProfileStore& settings_;
    std::filesystem::path root_;
    LogReplayOptions options_;
};

} // namespace selvir
