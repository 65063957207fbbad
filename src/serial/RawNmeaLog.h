#pragma once
// The raw log of one serial port: every received line as a text line, optionally after the local date
// and time ("2026-03-05 134502123 $GPGGA,..."). The file stays open while the port is open and is
// flushed after every line, so a crash loses nothing that was received.

#include <cstdio>
#include <filesystem>
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

} // namespace selvir
