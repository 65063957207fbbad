#pragma once
// The day's events log (" Events.log" in the log folder, dated by the moment of writing). Every entry
// is appended with the file opened, written, flushed and closed, so the file can be read at any time
// and a crash loses nothing.

#include "core/DataFolders.h"
#include "core/DateTime.h"

#include <filesystem>
#include <string_view>

namespace selvir {

class EventsLog {
public:
    // `clock` must outlive the log.
    EventsLog(DataFolders folders, const Clock& clock);

    // The automatic entry of a status message: a line break, "Auto Event:", a tab, the local date and
    // time ("2026-03-05 134502123"), a tab and the message. So every entry starts on a new line and
    // the file starts with an empty line. Returns false when the entry could not be written.
    bool writeAutoEvent(std::string_view message);

    // Appends text as it is, for entries with their own layout (event marks).
    bool append(std::string_view text);

    // The file an entry written now goes to.
    std::filesystem::path currentFile() const;

    const DataFolders& folders() const { return folders_; }

private:
    DataFolders folders_;
    const Clock& clock_;
};

} // namespace selvir
