#pragma once
// A folder on a small disk for tests of a disk that fills up: a real tmpfs when this process may mount
// one (root), otherwise a file-size limit, under which writes fail the same way (EFBIG).

#include "core/AtomicFile.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <string>
#include <sys/mount.h>
#include <sys/resource.h>

namespace selvir::test {

// A folder on a small disk: fill() leaves about `freeBytes` (whole pages on tmpfs) for new data, free()
// gives the space back.
class SmallDisk {
public:
    explicit SmallDisk(const std::filesystem::path& folder) : folder_(folder) {
        std::filesystem::create_directories(folder_);
        mounted_ = ::mount("tmpfs", folder_.c_str(), "tmpfs", 0, "size=4m") == 0;
    }
    void fill(std::size_t freeBytes) {
        if (mounted_) {
            const std::string chunk(4096, 'x');
            while (appendToFile(folder_ / "filler", chunk)) {
            }
            const auto size = std::filesystem::file_size(folder_ / "filler");
            std::filesystem::resize_file(folder_ / "filler",
                                         size - std::min<std::uintmax_t>(size, freeBytes));
            return;
        }
        std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails with EFBIG instead of a signal
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limit = saved_;
        limit.rlim_cur = freeBytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        limited_ = true;
    }
    ~SmallDisk() {
        free();
        if (mounted_) {
            ::umount2(folder_.c_str(), MNT_DETACH);
        }
    }
    void free() {
        if (mounted_) {
            std::error_code ec;
            std::filesystem::remove(folder_ / "filler", ec);
        } else if (limited_) {
            ::setrlimit(RLIMIT_FSIZE, &saved_);
            limited_ = false;
        }
    }
    bool mounted() const { return mounted_; }

private:
    std::filesystem::path folder_;
    bool mounted_ = false;
    bool limited_ = false;
    rlimit saved_{};
};

} // namespace selvir::test
