#pragma once
// A product written by a library that creates its own files (GDAL): it is written under a temporary
// name beside the target and renamed over the target only once it is complete, so a failure or a
// crash never leaves a half file under the target's name. Formats of several files (a Shapefile's
// .shp, .shx, .dbf, .prj, .cpg; GDAL's .aux.xml) are renamed file by file, the main file last.
//
// Use:
//     AtomicOutput out(target);
//     write everything to out.temporaryPath();          // same folder, same extension
//     if (!out.commit(error)) { report error; }         // without commit the temporary files go away

#include <filesystem>
#include <string>
#include <vector>

namespace selvir::gis {

class AtomicOutput {
public:
    explicit AtomicOutput(std::filesystem::path target);
    ~AtomicOutput();
    AtomicOutput(const AtomicOutput&) = delete;
    AtomicOutput& operator=(const AtomicOutput&) = delete;

    const std::filesystem::path& temporaryPath() const { return temporary_; }
    const std::filesystem::path& target() const { return target_; }

    // Flushes the written files to disk and renames them over the target's. False with `error` set
    // when a rename fails (the temporary files are then removed).
    bool commit(std::string& error);

private:
    // The temporary files: the main one and those beside it that share its stem.
    std::vector<std::filesystem::path> writtenFiles() const;

    std::filesystem::path target_, temporary_;
    bool committed_ = false;
};

} // namespace selvir::gis
