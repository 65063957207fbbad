#pragma once
// Text split into its parts, and a file read back as its lines, for tests that compare written files.

#include "core/AtomicFile.h"

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace selvir::test {

inline std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);) {
        out.push_back(part);
    }
    return out;
}

// The file's lines without their line feeds (empty when the file cannot be read).
inline std::vector<std::string> fileLines(const std::filesystem::path& file) {
    std::string text;
    readWholeFile(file, text);
    return split(text, '\n');
}

} // namespace selvir::test
