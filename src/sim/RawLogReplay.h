#pragma once
// Replay of a raw port log. With "Log Time" on, every line of such a log starts with the local date
// and time it was received ("2026-03-05 134502123 $GPGGA,..."); the replay sends each line again at
// the same pace. Lines without that prefix go out right after the line before them.

#include "core/DateTime.h"
#include "serial/RawNmeaLog.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace selvir::sim {

struct ReplayLine {
    double offsetS = 0; // when to send, from the start of the replay
    std::string text;   // the line without prefix, ended by CR LF
};

// Loads a log; lines are split at LF, a CR before it is dropped, empty lines skipped. Offsets never go
// back (a clock set back sends at once). `speed` > 1 replays faster. Returns false with a message
// when the file cannot be read.
bool loadReplay(const std::filesystem::path& file, double speed, std::vector<ReplayLine>& lines,
                std::string* error = nullptr);
std::vector<ReplayLine> replayFromText(std::string_view text, double speed);

} // namespace selvir::sim
