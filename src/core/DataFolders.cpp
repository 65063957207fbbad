#include "core/DataFolders.h"

#include <cstdlib>
#include <system_error>

namespace selvir {

DataFolders::DataFolders(std::filesystem::path root, LocalDate startDate)
    : root_(std::move(root)), startDate_(startDate) {}

std::filesystem::path DataFolders::dayFolder() const {
    return root_ / formatDate(startDate_);
}
std::filesystem::path DataFolders::layoutFolder() const {
    return dayFolder() / "GVX";
}
std::filesystem::path DataFolders::logFolder() const {
    return dayFolder() / "LOG";
}
std::filesystem::path DataFolders::svpFolder() const {
    return dayFolder() / "SVP";
}
std::filesystem::path DataFolders::jpgFolder() const {
    return dayFolder() / "JPG";
}
std::filesystem::path DataFolders::mp4Folder() const {
    return dayFolder() / "MP4";
}

std::filesystem::path DataFolders::dated(const LocalDate& date, const char* suffix) const {
    return logFolder() / (formatDate(date) + suffix);
}

std::filesystem::path DataFolders::layoutFile(const LocalDateTime& time) const {
    return layoutFolder() / (formatDate(time.date) + " " + formatWithLayout("hhnn", time) + ".gvx");
}

std::filesystem::path DataFolders::surveyFile() const {
    return dated(startDate_, " Coordinates.csv");
}
std::filesystem::path DataFolders::eventsLog(const LocalDate& date) const {
    return dated(date, " Events.log");
}
std::filesystem::path DataFolders::gnssRawLog(const LocalDate& date) const {
    return dated(date, " SDZ_GNSS_V3.log");
}
std::filesystem::path DataFolders::sbesRawLog(const LocalDate& date) const {
    return dated(date, " SDZ_SBES_V3.log");
}
std::filesystem::path DataFolders::geodesyLog(const LocalDate& date) const {
    return dated(date, " Geodesy.txt");
}
std::filesystem::path DataFolders::offsetsLog(const LocalDate& date) const {
    return dated(date, " Offsets.log");
}

bool DataFolders::createAll(std::string* error) const {
    // Every folder is tried: a JPG folder that cannot be made must not keep the log folder from being made.
    std::string failed;
    for (const auto& folder :
         {dayFolder(), layoutFolder(), logFolder(), svpFolder(), jpgFolder(), mp4Folder()}) {
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
        if (ec || !std::filesystem::is_directory(folder, ec)) {
            failed += (failed.empty() ? "" : "; ") + folder.string() + (ec ? ": " + ec.message() : "");
        }
    }
    if (!failed.empty() && error) {
        *error = "Cannot create folder " + failed;
    }
    return failed.empty();
}

std::filesystem::path defaultDataRoot() {
#ifdef _WIN32
    return std::filesystem::path("c:\\GVX\\");
#else
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : ".") / "GVX";
#endif
}

std::string fileNamePart(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool refused =
            byte < 0x20 || byte == 0x7F || std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos;
        out += refused ? '_' : c;
    }
    while (!out.empty() && (out.back() == '.' || out.back() == ' ')) {
        out.pop_back();
    }
    return out;
}

std::filesystem::path numberedAlternative(const std::filesystem::path& file, int n) {
    std::filesystem::path name = file.stem();
    name += "_" + std::to_string(n);
    name += file.extension();
    return file.parent_path() / name;
}

} // namespace selvir
