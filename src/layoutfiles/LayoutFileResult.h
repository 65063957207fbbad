#pragma once
// The outcome of a layout-file operation: done, or why not. A reason starts with the file the caller
// named, then what failed, with the system's or zlib's own words where they have some:
//   "plan.gvx: No such file or directory"
//   "plan.gvx: Cannot create plan.gvx.tmp812-1: Permission denied"
//   "plan.gvx: after line 1204: compressed data corrupt (zlib: invalid distance too far back)"
// The operations over bytes in memory give the reason without a file. UTF-8.

#include <exception>
#include <filesystem>
#include <new>
#include <string>
#include <utility>

namespace selvir {

struct LayoutFileResult {
    bool ok = false;
    std::string error; // empty when ok

    explicit operator bool() const { return ok; }
    static LayoutFileResult success() { return {true, {}}; }
    static LayoutFileResult failure(std::string reason) { return {false, std::move(reason)}; }
};

// A file name as the reasons show it.
inline std::string displayPath(const std::filesystem::path& file) {
    const std::u8string name = file.u8string();
    return std::string(name.begin(), name.end());
}

// Runs `operation` (which returns a LayoutFileResult) and turns what it throws into a failure; with a
// non-empty `file`, a failure gets "<file>: " in front. Never throws.
template <class Operation>
LayoutFileResult runLayoutFileOperation(const std::filesystem::path& file, Operation&& operation) noexcept {
    try {
        LayoutFileResult result;
        try {
            result = operation();
        } catch (const std::bad_alloc&) {
            result = LayoutFileResult::failure("not enough memory");
        } catch (const std::exception& e) {
            result = LayoutFileResult::failure(e.what());
        } catch (...) {
            result = LayoutFileResult::failure("an exception of unknown type");
        }
        if (!result.ok && !file.empty()) {
            result.error = displayPath(file) + ": " + result.error;
        }
        return result;
    } catch (...) {
        return {}; // no memory left even for the reason
    }
}

} // namespace selvir
