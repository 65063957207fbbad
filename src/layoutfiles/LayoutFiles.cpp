#include "layoutfiles/LayoutFiles.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace selvir {

LayoutFormat layoutFormatOf(const std::filesystem::path& file) {
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".gvx") {
        return LayoutFormat::Native;
    }
    if (extension == ".dxf") {
        return LayoutFormat::Dxf;
    }
    if (extension == ".xyz") {
        return LayoutFormat::Xyz;
    }
    return LayoutFormat::Unknown;
}

} // namespace selvir
