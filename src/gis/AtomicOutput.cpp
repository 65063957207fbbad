// Temporary names and the final renames of GDAL's outputs.
#include "gis/AtomicOutput.h"

#include <atomic>
#include <fcntl.h>
#include <unistd.h>

namespace selvir::gis {
namespace {

namespace fs = std::filesystem;

// Files that may sit beside a target from an earlier write and would be read with the new one.
constexpr const char* kStaleSidecars[] = {".shx", ".dbf", ".prj", ".cpg", ".qix", ".sbn", ".sbx"};

std::atomic<unsigned> counter{0};

void flushToDisk(const fs::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

AtomicOutput::AtomicOutput(fs::path target) : target_(std::move(target)) {
    const std::string stem = "." + target_.stem().string() + ".partial-" + std::to_string(::getpid()) + "-" +
                             std::to_string(counter++);
    temporary_ = target_.parent_path() / (stem + target_.extension().string());
}

AtomicOutput::~AtomicOutput() {
    if (!committed_) {
        std::error_code ignored;
        for (const fs::path& file : writtenFiles()) {
            fs::remove(file, ignored);
        }
    }
}

std::vector<fs::path> AtomicOutput::writtenFiles() const {
    std::vector<fs::path> files;
    const std::string prefix = temporary_.stem().string() + ".";
    std::error_code error;
    const fs::path folder = temporary_.parent_path().empty() ? fs::path(".") : temporary_.parent_path();
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(prefix, 0) == 0 && entry.path() != temporary_) {
            files.push_back(entry.path());
        }
    }
    if (fs::exists(temporary_, error)) {
        files.push_back(temporary_); // last: the main file appears when everything beside it is there
    }
    return files;
}

bool AtomicOutput::commit(std::string& error) {
    const std::vector<fs::path> files = writtenFiles();
    if (files.empty() || files.back() != temporary_) {
        error = "nothing was written to " + target_.string();
        return false;
    }
    const std::string tempStem = temporary_.stem().string();
    const std::string targetStem = target_.stem().string();
    std::vector<std::string> suffixes;
    for (const fs::path& file : files) {
        flushToDisk(file);
        suffixes.push_back(file.filename().string().substr(tempStem.size()));
    }
    std::error_code ec;
    std::vector<std::string> stale(std::begin(kStaleSidecars), std::end(kStaleSidecars));
    stale.push_back(target_.extension().string() + ".aux.xml");
    for (const std::string& sidecar : stale) {
        bool replaced = false;
        for (const std::string& suffix : suffixes) {
            replaced = replaced || suffix == sidecar;
        }
        const fs::path old = target_.parent_path() / (targetStem + sidecar);
        if (!replaced && old != target_) {
            fs::remove(old, ec);
        }
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        const fs::path destination = target_.parent_path() / (targetStem + suffixes[i]);
        fs::rename(files[i], destination, ec);
        if (ec) {
            error = "cannot rename the written file to " + destination.string() + ": " + ec.message();
            return false;
        }
    }
    committed_ = true;
    return true;
}

} // namespace selvir::gis
