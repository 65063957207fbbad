#pragma once
// Accepted and rejected soundings, kept beside the reduction record and never in it.
//
// The sidecar "<date> Soundings.flags" (the record's name with ".flags" for ".csv") is UTF-8 text,
// one flagged sounding per line; a sounding without a line is accepted:
//
//     # SelvirHS sounding flags 1
//     2026-04-07T10:00:00.150 rejected median
//     2026-04-07T10:00:00.150#1 rejected gate
//     2026-04-07T10:02:13.400 accepted manual
//
// Fields are separated by blanks: TIME (the record's `time` field, with "#N" for the N+1-th row that
// carries the same time stamp), STATE (`accepted` or `rejected`), REASON (`median`, `gate`, `slope` or
// `manual`). Lines starting with "#" and empty lines are ignored; a line that cannot be read is reported
// with its number and skipped; a sounding named twice takes its last line. The file is written sorted
// by time, through a temporary file renamed over the old one.
//
// An `accepted manual` line records that the surveyor kept a sounding: the automatic filters leave it
// alone, as they leave a manual rejection.

#include "processing/Sounding.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace selvir::processing {

enum class FlagState { Accepted, Rejected };
enum class FlagReason { Median, Gate, Slope, Manual };

struct SoundingFlag {
    FlagState state = FlagState::Rejected;
    FlagReason reason = FlagReason::Manual;
    bool operator==(const SoundingFlag&) const = default;
};

std::string_view flagStateName(FlagState state);    // "accepted", "rejected"
std::string_view flagReasonName(FlagReason reason); // "median", "gate", "slope", "manual"

// One undoable change: the flags some soundings get (nothing = the flag is removed).
struct FlagEdit {
    std::string description; // "median filter", "reject 12 soundings", ...
    std::vector<std::pair<SoundingKey, std::optional<SoundingFlag>>> changes;
};

// The flags of one record, with undo and redo of every edit.
class FlagSet {
public:
    const SoundingFlag* find(const SoundingKey& key) const;
    bool isRejected(const SoundingKey& key) const;
    const std::map<SoundingKey, SoundingFlag>& entries() const { return flags_; }
    std::size_t size() const { return flags_.size(); }

    // Applies an edit and makes it the one undo takes back; clears the redo list. Changes that leave a
    // flag as it was are dropped; an edit that changes nothing is not recorded. Returns the number of
    // soundings whose flag changed.
    std::size_t apply(FlagEdit edit);
    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    // What undo and redo would take back or do again ("" when nothing).
    std::string undoDescription() const;
    std::string redoDescription() const;
    bool undo();
    bool redo();

    // Replaces every flag without an undo step (reading a sidecar); clears undo and redo.
    void reset(std::map<SoundingKey, SoundingFlag> flags);

private:
    // Applies the changes and returns their inverse.
    FlagEdit exchange(const FlagEdit& edit);

    std::map<SoundingKey, SoundingFlag> flags_;
    std::vector<FlagEdit> undo_; // inverses, newest last
    std::vector<FlagEdit> redo_;
};

// Edits for a set of soundings: reject with a reason, accept by the surveyor, or forget their flags.
FlagEdit rejectEdit(std::span<const SoundingKey> keys, FlagReason reason, std::string description);
FlagEdit acceptEdit(std::span<const SoundingKey> keys, std::string description);
FlagEdit clearEdit(std::span<const SoundingKey> keys, std::string description);

// "2026-04-07T10:00:00.150" or "2026-04-07T10:00:00.150#1".
std::string formatSoundingKey(const SoundingKey& key);
std::optional<SoundingKey> parseSoundingKey(std::string_view text);

// The sidecar's name for a record: "<date> Soundings.csv" -> "<date> Soundings.flags".
std::filesystem::path flagsSidecarPath(const std::filesystem::path& record);

std::string formatFlagsSidecar(const FlagSet& flags);

struct FlagsReadResult {
    bool found = false; // false: no sidecar (every sounding accepted) or it could not be read
    std::string error;  // why a sidecar that exists could not be read
    std::map<SoundingKey, SoundingFlag> flags;
    std::vector<std::string> badLines; // "line 4: ..." for each line skipped
};
FlagsReadResult parseFlagsSidecar(std::string_view text);
// A missing sidecar is no error: `found` is false and there are no flags.
FlagsReadResult readFlagsSidecar(const std::filesystem::path& sidecar);
bool writeFlagsSidecar(const std::filesystem::path& sidecar, const FlagSet& flags, std::string& error);

} // namespace selvir::processing
