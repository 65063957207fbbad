#include "navigation/EventsLog.h"

#include "core/AtomicFile.h"

#include <string>
#include <system_error>

namespace selvir {

EventsLog::EventsLog(DataFolders folders, const Clock& clock) : folders_(std::move(folders)), clock_(clock) {}

std::filesystem::path EventsLog::currentFile() const {
    return folders_.eventsLog(clock_.now().date);
}

bool EventsLog::writeAutoEvent(std::string_view message) {
    const LocalDateTime now = clock_.now();
    std::string entry(kLineBreak);
    entry += "Auto Event:\t";
    entry += formatDateTime(now);
    entry += '\t';
    entry += message;
    return append(entry);
}

bool EventsLog::append(std::string_view text) {
    const std::filesystem::path file = currentFile();
    if (appendToFile(file, text)) {
        return true;
    }
    // The log folder was removed while the program runs (or never made): make it again rather than
    // lose the survey's record.
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    return !error && appendToFile(file, text);
}

} // namespace selvir
