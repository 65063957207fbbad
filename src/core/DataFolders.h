#pragma once
// The survey's data folders and file names. Everything lives under a data root ("c:\GVX\" on Windows,
// "$HOME/GVX/" elsewhere) in one folder per day, named by the date the program started:
//   root/YYYY-MM-DD/          day folder, with JPG and MP4 subfolders
//   root/YYYY-MM-DD/GVX/      layouts
//   root/YYYY-MM-DD/LOG/      survey file, events, raw, geodesy and offsets logs
//   root/YYYY-MM-DD/SVP/      sound velocity files
// The survey file keeps the start date; the other logs take the date they are written on, but stay in
// the start day's log folder, so a program running past midnight keeps one day folder.

#include "core/DateTime.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace selvir {

class DataFolders {
public:
    DataFolders(std::filesystem::path root, LocalDate startDate);

    const std::filesystem::path& root() const { return root_; }
    const LocalDate& startDate() const { return startDate_; }

    std::filesystem::path dayFolder() const;
    std::filesystem::path layoutFolder() const;
    std::filesystem::path logFolder() const;
    std::filesystem::path svpFolder() const;
    std::filesystem::path jpgFolder() const;
    std::filesystem::path mp4Folder() const;

    // A layout saved at `time`: layout folder + "YYYY-MM-DD HHMM.gvx" (saves within one minute share it).
    std::filesystem::path layoutFile(const LocalDateTime& time) const;
    // log folder + start date + " Coordinates.csv"
    std::filesystem::path surveyFile() const;
    // log folder + date of writing + the file's name
    std::filesystem::path eventsLog(const LocalDate& date) const;  // " Events.log"
    std::filesystem::path gnssRawLog(const LocalDate& date) const; // " SDZ_GNSS_V3.log"
    std::filesystem::path sbesRawLog(const LocalDate& date) const; // " SDZ_SBES_V3.log"
    std::filesystem::path geodesyLog(const LocalDate& date) const; // " Geodesy.txt"
    std::filesystem::path offsetsLog(const LocalDate& date) const; // " Offsets.log"

    // Creates the day, layout, log, SVP, JPG and MP4 folders with all missing parents, each one tried
    // whatever became of the others. Returns false and names every folder that could not be made, with
    // the reason, in `error` (when given): "Cannot create folder A: reason; B: reason".
    bool createAll(std::string* error = nullptr) const;

private:
    std::filesystem::path dated(const LocalDate& date, const char* suffix) const;

    std::filesystem::path root_;
    LocalDate startDate_;
};

// "c:\GVX\" on Windows; "$HOME/GVX/" elsewhere (the current folder's "GVX" when HOME is not set).
std::filesystem::path defaultDataRoot();

// A text made fit to stand in a file name on every system the data folder may be copied to: each
// path separator, character Windows refuses (: * ? " < > |) and control character becomes "_", and
// trailing dots and blanks go ("Harbour/East 57" → "Harbour_East 57"). Empty stays empty.
std::string fileNamePart(std::string_view text);

// The same name with "_n" before the extension: "… Coordinates.csv" → "… Coordinates_3.csv".
std::filesystem::path numberedAlternative(const std::filesystem::path& file, int n);

} // namespace selvir
