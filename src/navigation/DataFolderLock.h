#pragma once
// One running program per data folder: a second one would interleave another vessel's rows into the
// same survey file. The lock is a file in the data root holding the owner's process id; a lock left
// by a program that crashed is taken over (its process is gone), however old it is.

#include <QLockFile>
#include <filesystem>
#include <memory>
#include <string>

namespace selvir {

class DataFolderLock {
public:
    // Tries to own `root` (created when missing). On failure `error()` says who owns it.
    explicit DataFolderLock(const std::filesystem::path& root);
    bool owned() const { return owned_; }
    const std::string& error() const { return error_; }

    static constexpr const char* kFileName = "SelvirHS.lock";

private:
    std::unique_ptr<QLockFile> lock_;
    bool owned_ = false;
    std::string error_;
};

} // namespace selvir
