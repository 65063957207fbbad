#include "core/SvpTableFiles.h"

#include "core/AtomicFile.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace selvir {

namespace {

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

std::string_view svpTableName(SvpTable table) {
    switch (table) {
    case SvpTable::RawData:
        return "mRawSVData";
    case SvpTable::RawExtracted:
        return "mRawSVExtracted";
    case SvpTable::SortedAveraged:
        return "mSortedAveragedSV";
    case SvpTable::Column:
        return "mSVPColumn";
    }
    return {};
}

std::filesystem::path svpTableFile(const DataFolders& folders, SvpTable table) {
    return folders.svpFolder() /
           (formatDate(folders.startDate()) + " " + std::string(svpTableName(table)) + ".ini");
}

std::filesystem::path existingSvpTableFile(const DataFolders& folders, SvpTable table) {
    const std::filesystem::path exact = svpTableFile(folders, table);
    std::error_code ec;
    if (std::filesystem::is_regular_file(exact, ec)) {
        return exact;
    }
    const std::string wanted = exact.filename().string();
    for (std::filesystem::directory_iterator it(folders.svpFolder(), ec), end; !ec && it != end;
         it.increment(ec)) {
        if (sameIgnoringCase(it->path().filename().string(), wanted) && it->is_regular_file(ec)) {
            return it->path();
        }
    }
    return {};
}

bool readSvpTable(const DataFolders& folders, SvpTable table, std::vector<std::string>& lines) {
    const std::filesystem::path file = existingSvpTableFile(folders, table);
    std::string text;
    bool tooLarge = false;
    if (file.empty() || !readWholeFileUpTo(file, kMaxSoundVelocityFileBytes, text, tooLarge)) {
        return false;
    }
    lines = splitTextLines(text);
    return true;
}

bool writeSvpTable(const DataFolders& folders, SvpTable table, const std::vector<std::string>& lines,
                   std::string* error) {
    std::error_code ec;
    std::filesystem::create_directories(folders.svpFolder(), ec);
    std::filesystem::path file = existingSvpTableFile(folders, table);
    if (file.empty()) {
        file = svpTableFile(folders, table);
    }
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += kLineBreak;
    }
    return writeFileAtomically(file, text, error);
}

std::vector<std::string> splitTextLines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        lines.emplace_back(text.substr(0, end));
        if (end == std::string_view::npos) {
            break;
        }
        // "\r\n" is one break; a lone "\r" (old Mac software) or "\n" is one too.
        const std::size_t breakLength = text.compare(end, 2, "\r\n") == 0 ? 2 : 1;
        text.remove_prefix(end + breakLength);
    }
    return lines;
}

} // namespace selvir
