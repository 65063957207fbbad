#include "processing/SoundingFlags.h"

#include "core/AtomicFile.h"
#include "core/DateTime.h"
#include "core/NumberFormat.h"
#include "core/TextTrim.h"
#include "navigation/SoundingRecord.h"

#include <algorithm>
#include <system_error>

namespace selvir::processing {
namespace {

constexpr std::string_view kSidecarTitle = "# SelvirHS sounding flags 1";
constexpr int kMaxOccurrence = 1'000'000;

const LocalDateTime kEpoch{{1970, 1, 1}, 0, 0, 0, 0};

template <typename Enum, std::size_t N>
std::optional<Enum> byName(std::string_view name, const std::string_view (&names)[N]) {
    for (std::size_t i = 0; i < N; ++i) {
        if (names[i] == name) {
            return static_cast<Enum>(i);
        }
    }
    return std::nullopt;
}

constexpr std::string_view kStateNames[] = {"accepted", "rejected"};
constexpr std::string_view kReasonNames[] = {"median", "gate", "slope", "manual"};

// The blank-separated words of a line.
std::vector<std::string_view> words(std::string_view line) {
    std::vector<std::string_view> out;
    std::size_t start = 0;
    while (true) {
        start = line.find_first_not_of(kBlanks, start);
        if (start == std::string_view::npos) {
            return out;
        }
        const std::size_t end = std::min(line.find_first_of(kBlanks, start), line.size());
        out.push_back(line.substr(start, end - start));
        start = end;
    }
}

FlagEdit editOf(std::span<const SoundingKey> keys, std::optional<SoundingFlag> flag,
                std::string description) {
    FlagEdit edit{std::move(description), {}};
    edit.changes.reserve(keys.size());
    for (const SoundingKey& key : keys) {
        edit.changes.emplace_back(key, flag);
    }
    return edit;
}

} // namespace

std::string_view flagStateName(FlagState state) {
    return kStateNames[static_cast<int>(state)];
}

std::string_view flagReasonName(FlagReason reason) {
    return kReasonNames[static_cast<int>(reason)];
}

const SoundingFlag* FlagSet::find(const SoundingKey& key) const {
    const auto it = flags_.find(key);
    return it == flags_.end() ? nullptr : &it->second;
}

bool FlagSet::isRejected(const SoundingKey& key) const {
    const SoundingFlag* flag = find(key);
    return flag && flag->state == FlagState::Rejected;
}

FlagEdit FlagSet::exchange(const FlagEdit& edit) {
    FlagEdit inverse{edit.description, {}};
    inverse.changes.reserve(edit.changes.size());
    for (const auto& [key, flag] : edit.changes) {
        const auto it = flags_.find(key);
        std::optional<SoundingFlag> before;
        if (it != flags_.end()) {
            before = it->second;
        }
        if (before == flag) {
            continue;
        }
        inverse.changes.emplace_back(key, before);
        if (flag) {
            flags_[key] = *flag;
        } else {
            flags_.erase(it);
        }
    }
    // Undone in the opposite order, so a key changed twice in one edit ends where it started.
    std::reverse(inverse.changes.begin(), inverse.changes.end());
    return inverse;
}

std::size_t FlagSet::apply(FlagEdit edit) {
    FlagEdit inverse = exchange(edit);
    const std::size_t changed = inverse.changes.size();
    if (changed > 0) {
        undo_.push_back(std::move(inverse));
        redo_.clear();
    }
    return changed;
}

std::string FlagSet::undoDescription() const {
    return undo_.empty() ? std::string() : undo_.back().description;
}

std::string FlagSet::redoDescription() const {
    return redo_.empty() ? std::string() : redo_.back().description;
}

bool FlagSet::undo() {
    if (undo_.empty()) {
        return false;
    }
    FlagEdit inverse = std::move(undo_.back());
    undo_.pop_back();
    redo_.push_back(exchange(inverse));
    return true;
}

bool FlagSet::redo() {
    if (redo_.empty()) {
        return false;
    }
    FlagEdit edit = std::move(redo_.back());
    redo_.pop_back();
    undo_.push_back(exchange(edit));
    return true;
}

void FlagSet::reset(std::map<SoundingKey, SoundingFlag> flags) {
    flags_ = std::move(flags);
    undo_.clear();
    redo_.clear();
}

FlagEdit rejectEdit(std::span<const SoundingKey> keys, FlagReason reason, std::string description) {
    return editOf(keys, SoundingFlag{FlagState::Rejected, reason}, std::move(description));
}

FlagEdit acceptEdit(std::span<const SoundingKey> keys, std::string description) {
    return editOf(keys, SoundingFlag{FlagState::Accepted, FlagReason::Manual}, std::move(description));
}

FlagEdit clearEdit(std::span<const SoundingKey> keys, std::string description) {
    return editOf(keys, std::nullopt, std::move(description));
}

std::string formatSoundingKey(const SoundingKey& key) {
    std::string text = formatSoundingTime(addMilliseconds(kEpoch, key.timeMs));
    if (key.occurrence > 0) {
        text += '#' + std::to_string(key.occurrence);
    }
    return text;
}

std::optional<SoundingKey> parseSoundingKey(std::string_view text) {
    SoundingKey key;
    if (const std::size_t hash = text.find('#'); hash != std::string_view::npos) {
        const auto occurrence = parseInt(text.substr(hash + 1));
        if (!occurrence || *occurrence < 1 || *occurrence > kMaxOccurrence || text[hash + 1] == '+') {
            return std::nullopt;
        }
        key.occurrence = *occurrence;
        text = text.substr(0, hash);
    }
    const auto time = parseSoundingTime(text);
    if (!time) {
        return std::nullopt;
    }
    key.timeMs = millisecondsSinceEpoch(*time);
    return key;
}

std::filesystem::path flagsSidecarPath(const std::filesystem::path& record) {
    std::filesystem::path sidecar = record;
    sidecar.replace_extension(".flags");
    return sidecar;
}

std::string formatFlagsSidecar(const FlagSet& flags) {
    std::string text(kSidecarTitle);
    text += kLineBreak;
    for (const auto& [key, flag] : flags.entries()) {
        text += formatSoundingKey(key);
        text += ' ';
        text += flagStateName(flag.state);
        text += ' ';
        text += flagReasonName(flag.reason);
        text += kLineBreak;
    }
    return text;
}

FlagsReadResult parseFlagsSidecar(std::string_view text) {
    FlagsReadResult result;
    result.found = true;
    std::size_t lineNumber = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = trimmed(text.substr(start, end - start), " \t\r");
        start = end + 1;
        ++lineNumber;
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const auto bad = [&](const std::string& why) {
            result.badLines.push_back("line " + std::to_string(lineNumber) + ": " + why);
        };
        const std::vector<std::string_view> fields = words(line);
        if (fields.size() != 3) {
            bad("needs TIME STATE REASON, found " + std::to_string(fields.size()) + " field(s)");
            continue;
        }
        const auto key = parseSoundingKey(fields[0]);
        const auto state = byName<FlagState>(fields[1], kStateNames);
        const auto reason = byName<FlagReason>(fields[2], kReasonNames);
        if (!key) {
            bad("\"" + std::string(fields[0]) + "\" is not a sounding time like 2026-04-07T10:00:00.150");
        } else if (!state) {
            bad("\"" + std::string(fields[1]) + "\" is not accepted or rejected");
        } else if (!reason) {
            bad("\"" + std::string(fields[2]) + "\" is not median, gate, slope or manual");
        } else {
            result.flags[*key] = {*state, *reason};
        }
    }
    return result;
}

FlagsReadResult readFlagsSidecar(const std::filesystem::path& sidecar) {
    std::error_code ec;
    if (!std::filesystem::exists(sidecar, ec)) {
        return {};
    }
    std::string bytes;
    if (!readWholeFile(sidecar, bytes)) {
        FlagsReadResult result;
        result.error = "cannot read " + sidecar.string();
        return result;
    }
    return parseFlagsSidecar(bytes);
}

bool writeFlagsSidecar(const std::filesystem::path& sidecar, const FlagSet& flags, std::string& error) {
    return writeFileAtomically(sidecar, formatFlagsSidecar(flags), &error);
}

} // namespace selvir::processing
