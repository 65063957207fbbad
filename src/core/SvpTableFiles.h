#pragma once
// The four tables of the sound velocity window, stored in the day's SVP folder as
// "<start date> <table>.ini". The sound velocity window, the main window's Save and the depth
// reduction all name them through these functions, so the file one writes is the file the others
// read: dated by the day folder's date (not the clock), so a program running past midnight still finds
// the profile it saved, and matched without regard to case, so files written as ".INI" (as the
// Windows program names them) are the same files on every platform.

#include "core/DataFolders.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace selvir {

enum class SvpTable {
    RawData,        // the probe file as loaded
    RawExtracted,   // one accepted sample per line: "depth,velocity"
    SortedAveraged, // one line per depth bin: "bin,mean,count"
    Column,         // line k: mean sound velocity from the surface down to k metres
};
inline constexpr std::array<SvpTable, 4> kSvpTables = {SvpTable::RawData, SvpTable::RawExtracted,
                                                       SvpTable::SortedAveraged, SvpTable::Column};

// "mRawSVData", "mRawSVExtracted", "mSortedAveragedSV", "mSVPColumn".
std::string_view svpTableName(SvpTable table);

// SVP folder + start date + " " + name + ".ini": the name new files are written under.
std::filesystem::path svpTableFile(const DataFolders& folders, SvpTable table);

// The table's file as it stands in the SVP folder, whatever the case of its name (the exact name
// first); empty when there is none.
std::filesystem::path existingSvpTableFile(const DataFolders& folders, SvpTable table);

// The largest sound velocity file read, cast or table: hours of 24 Hz CTD scans stay far below it; a
// larger file is no cast (a log or a disk image picked by mistake) and would hold the window for minutes.
inline constexpr std::uintmax_t kMaxSoundVelocityFileBytes = 32ull * 1024 * 1024;

// The table's lines (line breaks "\n", "\r\n" or "\r"); false when there is no file, it cannot be read
// or it is larger than kMaxSoundVelocityFileBytes.
bool readSvpTable(const DataFolders& folders, SvpTable table, std::vector<std::string>& lines);

// Replaces the table's file (under the name it already has, so one file stands per table) with one
// line per entry; creates the SVP folder when missing. False with the reason in `error` on failure.
bool writeSvpTable(const DataFolders& folders, SvpTable table, const std::vector<std::string>& lines,
                   std::string* error = nullptr);

// Splits text into lines at "\r\n", "\n" or a lone "\r"; a last line without a break counts.
std::vector<std::string> splitTextLines(std::string_view text);

} // namespace selvir
