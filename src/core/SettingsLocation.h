#pragma once
// Where the settings file lives: beside the executable, named after it with ".INI" (portable, as on
// the survey workstation). When that folder cannot be written, the per-user configuration folder is
// used instead, seeded with a copy of the file beside the executable when there is one.

#include <filesystem>

namespace selvir {

// `executable`: full path of the running program; `perUserFolder`: the fallback folder (created when
// needed). Returns the path of the settings file to use.
std::filesystem::path settingsFilePath(const std::filesystem::path& executable,
                                       const std::filesystem::path& perUserFolder);

// True when a file can be created in `folder` (it is tried, then removed).
bool folderIsWritable(const std::filesystem::path& folder);

} // namespace selvir
