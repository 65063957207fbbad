#pragma once
// Shared pieces of the layout-file tests: a headless drawing, files in a temporary folder, and
// looking shapes up by class.

#include "canvas/CanvasModel.h"
#include "canvas/ViewWindow.h"
#include "support/MissingOracle.h"
#include "support/TempDir.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace selvir::test {

struct Drawing {
    CanvasModel model;
    ViewWindow view;
};

inline void writeBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary);
    out << bytes;
}

inline std::string readBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Lines of a text split at LF (a last line without LF counts).
inline std::vector<std::string> splitLines(const std::string& text, char separator = '\n') {
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line, separator)) {
        lines.push_back(line);
    }
    return lines;
}

template <class Shape>
const Shape* shapeAt(const CanvasModel& model, std::size_t index) {
    return index < model.Shapes.size() ? dynamic_cast<const Shape*>(model.Shapes[index].get()) : nullptr;
}

inline std::vector<std::string> layerNames(const CanvasModel& model) {
    std::vector<std::string> names;
    for (const auto& layer : model.Layers) {
        names.push_back(std::to_string(layer->Index) + ":" + layer->Name.toStdString());
    }
    return names;
}

inline constexpr const char* kEzdxfMissing = "/usr/bin/python3 with ezdxf (python3-ezdxf) is not available";

// Runs the ezdxf reader (dxf_oracle.py beside these tests) with the system Python, which has the
// python3-ezdxf package. Nothing when that Python or ezdxf is missing; a run that fails is a test
// failure and gives an empty output. Arguments are quoted as they are.
inline std::optional<std::string> runDxfOracle(const std::vector<std::string>& args) {
    const std::string python = "/usr/bin/python3";
    if (!std::filesystem::exists(python) ||
        std::system((python + " -c 'import ezdxf' >/dev/null 2>&1").c_str()) != 0) {
        return std::nullopt;
    }
    std::string command = python + " '" SELVIR_SOURCE_DIR "/tests/layoutfiles/dxf_oracle.py'";
    for (const std::string& arg : args) {
        command += " '" + arg + "'";
    }
    command += " 2>/dev/null";
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        ADD_FAILURE() << "cannot start " << python;
        return std::string();
    }
    std::string out;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        out.append(buffer, got);
    }
    if (pclose(pipe) != 0) {
        ADD_FAILURE() << "dxf_oracle.py " << (args.empty() ? "" : args.front()) << " failed";
        return std::string();
    }
    return out;
}

} // namespace selvir::test
