#pragma once
// A temporary folder for one test, removed with everything in it when the test ends.

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace selvir::test {

class TempDir {
public:
    TempDir() {
        std::random_device device;
        const auto base = std::filesystem::temp_directory_path();
        for (int attempt = 0; attempt < 100; ++attempt) {
            path_ = base / ("selvirhs-test-" + std::to_string(device()));
            std::error_code ec;
            if (std::filesystem::create_directory(path_, ec)) {
                return;
            }
        }
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

} // namespace selvir::test
