#pragma once
// The independent programs the gis tests compare with (cs2cs, GeographicLib's tools, GDAL's Python
// bindings), run as processes on a file of input lines.

#include "support/MissingOracle.h"
#include "support/TempDir.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace selvir::test {

inline bool programExists(const std::string& name) {
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

// Python with GDAL's bindings: Debian's own interpreter, whatever python3 comes first on the PATH.
inline constexpr const char* kGdalPython = "/usr/bin/python3";

inline bool gdalPythonExists() {
    return std::system((std::string(kGdalPython) + " -c 'from osgeo import gdal' >/dev/null 2>&1").c_str()) ==
           0;
}

// Runs `command` with `input` on standard input; its standard output, and its exit status in `status`.
inline std::string runProgram(const std::string& command, const std::string& input, int* status = nullptr) {
    TempDir dir;
    const auto inputFile = dir / "input.txt";
    std::ofstream(inputFile, std::ios::binary) << input;
    FILE* pipe = ::popen((command + " < '" + inputFile.string() + "' 2>/dev/null").c_str(), "r");
    std::string output;
    if (pipe) {
        std::array<char, 4096> buffer;
        for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) {
            output.append(buffer.data(), n);
        }
        const int rc = ::pclose(pipe);
        if (status) {
            *status = rc;
        }
    }
    return output;
}

// The numbers of every line (blank- or tab-separated; other words skipped).
inline std::vector<std::vector<double>> numberLines(const std::string& text) {
    std::vector<std::vector<double>> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::vector<double> numbers;
        for (std::string word; words >> word;) {
            char* end = nullptr;
            const double v = std::strtod(word.c_str(), &end);
            if (end && *end == '\0') {
                numbers.push_back(v);
            }
        }
        lines.push_back(numbers);
    }
    return lines;
}

} // namespace selvir::test

#include <clocale>
#include <cstring>
#include <locale>

namespace selvir::test {

// Puts a decimal-comma locale in force for the process while it lives (tr_TR or de_DE, which
// scripts/deps.sh generates); active() tells whether one could be had.
class DecimalCommaLocale {
public:
    DecimalCommaLocale() {
        for (const char* name : {"tr_TR.UTF-8", "de_DE.UTF-8", "fr_FR.UTF-8"}) {
            if (std::setlocale(LC_ALL, name) && std::strcmp(std::localeconv()->decimal_point, ",") == 0) {
                std::locale::global(std::locale(name));
                active_ = true;
                return;
            }
        }
        std::setlocale(LC_ALL, "C");
    }
    ~DecimalCommaLocale() {
        std::locale::global(std::locale::classic());
        std::setlocale(LC_ALL, "C");
    }
    DecimalCommaLocale(const DecimalCommaLocale&) = delete;
    DecimalCommaLocale& operator=(const DecimalCommaLocale&) = delete;
    bool active() const { return active_; }

private:
    bool active_ = false;
};

} // namespace selvir::test
