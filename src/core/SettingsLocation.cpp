#include "core/SettingsLocation.h"

#include <cstdio>
#include <string>
#include <system_error>
#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

namespace selvir {

bool folderIsWritable(const std::filesystem::path& folder) {
#ifdef _WIN32
    const int pid = _getpid();
#else
    const int pid = static_cast<int>(getpid());
#endif
    const std::filesystem::path probe = folder / (".selvirhs-write-probe-" + std::to_string(pid));
#ifdef _WIN32
    std::FILE* file = _wfopen(probe.c_str(), L"wb");
#else
    std::FILE* file = std::fopen(probe.c_str(), "wb");
#endif
    if (!file) {
        return false;
    }
    std::fclose(file);
    std::error_code ec;
    std::filesystem::remove(probe, ec);
    return true;
}

std::filesystem::path settingsFilePath(const std::filesystem::path& executable,
                                       const std::filesystem::path& perUserFolder) {
    std::filesystem::path name = executable.stem();
    name += ".INI";
    const std::filesystem::path beside = executable.parent_path() / name;
    if (folderIsWritable(executable.parent_path())) {
        return beside;
    }
    std::error_code ec;
    std::filesystem::create_directories(perUserFolder, ec);
    const std::filesystem::path perUser = perUserFolder / name;
    if (!std::filesystem::exists(perUser, ec) && std::filesystem::exists(beside, ec)) {
        std::filesystem::copy_file(beside, perUser, ec);
    }
    return perUser;
}

} // namespace selvir
