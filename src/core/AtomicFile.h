#pragma once
// Writing files that must survive a crash: the data goes to a temporary file beside the target, is
// flushed to disk, and only then renamed over the old file. A failure at any point leaves the old file
// as it was.

#include <filesystem>
#include <string>
#include <string_view>

namespace selvir {

// Replaces `target` with `bytes`. Returns false and describes the failure in `error` (when given).
bool writeFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                         std::string* error = nullptr);

// Reads a whole file. Returns false when it cannot be opened or read.
bool readWholeFile(const std::filesystem::path& file, std::string& bytes);

// Appends bytes to a file (created when missing), flushes and closes it.
bool appendToFile(const std::filesystem::path& file, std::string_view bytes);

} // namespace selvir
