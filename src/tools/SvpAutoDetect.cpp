#include "tools/SvpAutoDetect.h"

#include "core/TextTrim.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace selvir {

namespace {

std::string upperCase(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return out;
}

bool contains(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

bool namesVelocity(const std::string& upper) {
    return contains(upper, "SV") || contains(upper, "VELOCITY");
}

bool namesDepth(const std::string& upper) {
    return contains(upper, "PRESSURE") || contains(upper, "DEPTH");
}

} // namespace

SearchStringDetection detectSearchString(const std::vector<std::string>& sourceLines) {
    SearchStringDetection out;
    int header = -1;
    for (std::size_t i = 0; i < sourceLines.size(); ++i) {
        const std::string upper = upperCase(sourceLines[i]);
        if (namesVelocity(upper) && namesDepth(upper)) {
            header = static_cast<int>(i);
        }
    }
    if (header < 0) {
        return out;
    }
    const std::string& line = sourceLines[static_cast<std::size_t>(header)];
    for (char candidate : {',', '\t', ';'}) {
        if (line.find(candidate) != std::string::npos) {
            out.delimiter = candidate;
        }
    }
    int velocity = -1, depth = -1, field = 0;
    for (std::string_view rest = line;; ++field) {
        const std::size_t end = rest.find(out.delimiter);
        const std::string upper = upperCase(trimmed(rest.substr(0, end), kWhiteSpace));
        if (namesVelocity(upper)) {
            velocity = field;
        }
        if (namesDepth(upper)) {
            depth = field;
        }
        if (end == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(end + 1);
    }
    if (velocity < 0 || depth < 0 || velocity == depth) {
        return out;
    }
    const std::string delimiter(1, out.delimiter);
    const std::string skip = "%*[^" + delimiter + "]" + delimiter;
    const int first = std::min(velocity, depth);
    const int second = std::max(velocity, depth);
    for (int i = 0; i < first; ++i) {
        out.searchString += skip;
    }
    out.searchString += "%lf" + delimiter;
    for (int i = 0; i < second - first - 1; ++i) {
        out.searchString += skip;
    }
    out.searchString += "%lf";
    out.found = true;
    out.headerLine = header + 1;
    out.velocityColumn = velocity + 1;
    out.depthColumn = depth + 1;
    out.velocityFirst = velocity < depth;
    return out;
}

} // namespace selvir
