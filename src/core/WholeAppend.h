#pragma once
// Appending records to a file that people and programs read while it grows (the survey file): each call
// adds its text whole or not at all. A write that fails part way (a full disk) is cut back to where the
// file ended, and a file the call created is removed again, so a failure never leaves a cut record or
// an empty file behind.

#include <filesystem>
#include <string>
#include <string_view>

namespace selvir {

struct WholeAppendResult {
    enum class Kind {
        Written,     // everything is in the file
        OpenFailed,  // the file could not be opened or created (locked, not allowed, no space)
        WriteFailed, // opened, but the text did not fit or could not be written: nothing of it stays
    };
    Kind kind = Kind::Written;
    bool outOfSpace = false; // the disk (or the file system) is full or read-only: no other file would do
    std::string reason;      // the system's words for the failure

    bool written() const { return kind == Kind::Written; }
};

// Appends `text` to `file`, created when missing. Into an empty file `whenEmpty` goes first; after a
// last byte that is not "\n" (a record cut by a power loss) `lineBreak` goes first.
WholeAppendResult appendWhole(const std::filesystem::path& file, std::string_view text,
                              std::string_view whenEmpty, std::string_view lineBreak);

} // namespace selvir
