#include "sim/RawLogReplay.h"

#include "core/AtomicFile.h"

#include <algorithm>

namespace selvir::sim {

std::vector<ReplayLine> replayFromText(std::string_view text, double speed) {
    if (!(speed > 0)) {
        speed = 1.0;
    }
    std::vector<ReplayLine> lines;
    std::optional<std::int64_t> firstMs;
    double lastOffset = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        std::string_view payload = line;
        double offset = lastOffset;
        if (const auto stamp = parseLogTimePrefix(line, &payload)) {
            const std::int64_t ms = millisecondsSinceEpoch(*stamp);
            if (!firstMs) {
                firstMs = ms;
            }
            offset = std::max(lastOffset, static_cast<double>(ms - *firstMs) / 1000.0 / speed);
        }
        if (payload.empty()) {
            continue;
        }
        lastOffset = offset;
        lines.push_back({offset, std::string(payload) + "\r\n"});
    }
    return lines;
}

bool loadReplay(const std::filesystem::path& file, double speed, std::vector<ReplayLine>& lines,
                std::string* error) {
    std::string bytes;
    if (!readWholeFile(file, bytes)) {
        if (error) {
            *error = "cannot read the replay file " + file.string();
        }
        return false;
    }
    lines = replayFromText(bytes, speed);
    return true;
}

} // namespace selvir::sim
