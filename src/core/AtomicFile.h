#pragma once
// Writing files that must survive a crash: the data goes to a temporary file beside the target, is
// flushed to disk, and only then renamed over the old file. A failure at any point leaves the old file
// as it was.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace selvir {

// Line break of the text files people read (logs, survey file): the platform's own convention.
#ifdef _WIN32
inline constexpr std::string_view kLineBreak = "\r\n";
#else
inline constexpr std::string_view kLineBreak = "\n";
#endif

// Replaces `target` with `bytes`. Returns false and describes the failure in `error` (when given).
bool writeFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                         std::string* error = nullptr);

// Reads a whole file. Returns false when it cannot be opened or read.
bool readWholeFile(const std::filesystem::path& file, std::string& bytes);

// Reads a whole file of at most `maxBytes` bytes. Returns false when it cannot be opened or read, and
// also when it is larger (then `tooLarge` is set and `bytes` is empty: no more than the bound is ever
// held in memory).
bool readWholeFileUpTo(const std::filesystem::path& file, std::uintmax_t maxBytes, std::string& bytes,
                       bool& tooLarge);

// Appends bytes to a file (created when missing), flushes and closes it.
bool appendToFile(const std::filesystem::path& file, std::string_view bytes);

} // namespace selvir
