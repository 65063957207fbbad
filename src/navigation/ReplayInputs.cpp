#include "navigation/ReplayInputs.h"

#include "serial/RawNmeaLog.h"

#include <string_view>
#include <system_error>

namespace selvir {
namespace {

constexpr std::string_view kAutoEvent = "Auto Event:\t";
constexpr std::string_view kRealtimeStarted = "Realtime STARTED";
constexpr std::string_view kRealtimeStopped = "Realtime STOPPED";

// Logs written through text-mode files on Windows end their lines with CR LF.
void dropCarriageReturn(std::string& line) {
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
}

std::string cannotRead(const std::filesystem::path& file, const std::error_code& ec) {
    std::string text = "cannot read \"" + file.string() + "\"";
    if (ec) {
        text += ": " + ec.message();
    }
    return text;
}

} // namespace

bool TimedLogReader::open(const std::filesystem::path& file, std::string* error) {
    file_ = file;
    std::error_code ec;
    if (std::filesystem::is_directory(file, ec)) {
        if (error) {
            *error = "\"" + file.string() + "\" is a folder, not a log file";
        }
        return false;
    }
    const auto size = std::filesystem::file_size(file, ec);
    in_.open(file, std::ios::binary);
    if (ec || !in_.is_open()) {
        if (error) {
            *error = cannotRead(file, ec);
        }
        return false;
    }
    size_ = size;
    return true;
}

const TimedLine* TimedLogReader::peek() {
    while (!ahead_) {
        if (!std::getline(in_, raw_)) {
            failed_ = in_.bad();
            return nullptr;
        }
        bytesRead_ += raw_.size() + 1;
        const std::uint64_t number = nextNumber_++;
        dropCarriageReturn(raw_);
        if (raw_.empty()) {
            continue;
        }
        std::string_view rest;
        const auto time = parseLogTimePrefix(raw_, &rest);
        if (!time || rest.empty()) {
            ++skipped_;
            if (examples_.size() < kSkippedExamples) {
                constexpr std::size_t kShownChars = 60;
                examples_.push_back(file_.string() + ":" + std::to_string(number) + ": " +
                                    raw_.substr(0, kShownChars));
            }
            continue;
        }
        line_.time = *time;
        line_.timeMs = millisecondsSinceEpoch(*time);
        line_.text.assign(rest);
        line_.lineNumber = number;
        ahead_ = true;
    }
    return &line_;
}

std::optional<std::vector<RealtimeSwitch>> readRealtimeSwitches(const std::filesystem::path& eventsLog,
                                                                std::string* error) {
    std::ifstream in(eventsLog, std::ios::binary);
    if (!in.is_open()) {
        if (error) {
            *error = cannotRead(eventsLog, {});
        }
        return std::nullopt;
    }
    std::vector<RealtimeSwitch> switches;
    for (std::string line; std::getline(in, line);) {
        dropCarriageReturn(line);
        if (line.rfind(kAutoEvent, 0) != 0) {
            continue;
        }
        // "Auto Event:<tab>2026-03-05 134502123<tab>Realtime STARTED": the date and time have the layout
        // of the raw log prefix, with a tab after them instead of a blank.
        std::string stamp = line.substr(kAutoEvent.size(), kLogTimePrefixLength);
        if (stamp.size() != kLogTimePrefixLength || stamp.back() != '\t') {
            continue;
        }
        stamp.back() = ' ';
        const auto time = parseLogTimePrefix(stamp);
        const std::string_view message =
            std::string_view(line).substr(kAutoEvent.size() + kLogTimePrefixLength);
        if (!time || (message != kRealtimeStarted && message != kRealtimeStopped)) {
            continue;
        }
        switches.push_back({*time, millisecondsSinceEpoch(*time), message == kRealtimeStarted});
    }
    if (in.bad()) {
        if (error) {
            *error = cannotRead(eventsLog, {});
        }
        return std::nullopt;
    }
    return switches;
}

} // namespace selvir
