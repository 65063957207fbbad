#pragma once
// The raw log of one serial port: every received line as a text line, optionally after the local date
// and time ("2026-03-05 134502123 $GPGGA,..."). The file stays open while the port is open and is
// flushed after every line, so a crash loses nothing that was received.

#include "core/DateTime.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string_view>

namespace selvir {

class RawNmeaLog {
public:
    RawNmeaLog() = default;
    ~RawNmeaLog() { close(); }
    RawNmeaLog(const RawNmeaLog&) = delete;
    RawNmeaLog& operator=(const RawNmeaLog&) = delete;

    // Opens the file for appending, creating it when missing. Returns false when it cannot be opened.
    bool open(const std::filesystem::path& file);
    void close();
    bool isOpen() const { return file_ != nullptr; }

    // Writes `prefix` (may be empty), the line and a line feed, then flushes. A failed write is ignored:
    // the port must keep running when the disk is full.
    void writeLine(std::string_view prefix, std::string_view line);

private:
    std::FILE* file_ = nullptr;
};

// Reads the date-and-time prefix of a line logged with the default layouts
// ("2026-03-05 134502123 $GPGGA,..."). Returns the time and sets `rest` to the text after the prefix's
// blank; nothing when the line does not start with a valid prefix.
std::optional<LocalDateTime> parseLogTimePrefix(std::string_view line, std::string_view* rest = nullptr);
// Length of that prefix, its trailing blank included.
inline constexpr std::size_t kLogTimePrefixLength = 21;

} // namespace selvir
