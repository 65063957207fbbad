#pragma once
// What a replay reads: raw port logs written with "Log Time" on ("2026-03-05 134502123 $GPGGA,..."),
// read line by line so a day's log never has to fit in memory, and the realtime switches of the
// events log ("Realtime STARTED", "Realtime STOPPED"), which fix when the map timer ran.

#include "core/DateTime.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace selvir {

// One logged line: the local time of its prefix and the line as the port delivered it.
struct TimedLine {
    LocalDateTime time;
    std::int64_t timeMs = 0; // millisecondsSinceEpoch(time)
    std::string text;
    std::uint64_t lineNumber = 0; // from 1
};

// A raw log read forward. Lines without a valid date-and-time prefix cannot be placed in time: they
// are skipped and counted, and the first few are kept for the report.
class TimedLogReader {
public:
    static constexpr std::size_t kSkippedExamples = 5;

    // Opens the file; false with the reason in `error` when it cannot be read.
    bool open(const std::filesystem::path& file, std::string* error);
    // The next line with a prefix, or nothing at the end of the file (or on a read error, see failed()).
    const TimedLine* peek();
    // Moves past the line peek() returned.
    void pop() { ahead_ = false; }

    const std::filesystem::path& file() const { return file_; }
    std::uint64_t skipped() const { return skipped_; }
    // "FILE:LINE: text" of the first skipped lines.
    const std::vector<std::string>& skippedExamples() const { return examples_; }
    // The stream failed before its end (a disk error, not the end of the file).
    bool failed() const { return failed_; }
    std::uint64_t bytesRead() const { return bytesRead_; }
    std::uint64_t size() const { return size_; }

private:
    std::filesystem::path file_;
    std::ifstream in_;
    TimedLine line_;
    std::string raw_;
    std::uint64_t nextNumber_ = 1;
    std::uint64_t skipped_ = 0;
    std::vector<std::string> examples_;
    std::uint64_t bytesRead_ = 0;
    std::uint64_t size_ = 0;
    bool ahead_ = false;
    bool failed_ = false;
};

struct RealtimeSwitch {
    LocalDateTime time;
    std::int64_t timeMs = 0;
    bool on = false; // "Realtime STARTED" (true) or "Realtime STOPPED"
};

// The realtime switches of an events log, in file order. Nothing (with `error` set) when the file
// cannot be read; entries that are not switches are ignored.
std::optional<std::vector<RealtimeSwitch>> readRealtimeSwitches(const std::filesystem::path& eventsLog,
                                                                std::string* error);

} // namespace selvir
