#pragma once
// The real sound velocity casts of the test data, read as the window reads a file.

#include "core/AtomicFile.h"
#include "tools/ProbeFile.h"

#include <string>
#include <vector>

namespace selvir::test {

inline std::string castPath(const std::string& name) {
    return std::string(SELVIR_TEST_DATA_DIR) + "/svp/" + name;
}

// The file's lines; empty when it cannot be read.
inline std::vector<std::string> castLines(const std::string& name) {
    std::string bytes;
    if (!readWholeFile(castPath(name), bytes)) {
        return {};
    }
    return probeFileLines(bytes);
}

} // namespace selvir::test
