// Fuzzes the sound velocity probe readers (Sea-Bird, Valeport, CastAway, MK21) and the down-cast and
// surface steps after them: any bytes read without crash; every sample taken is finite, every row
// holds one value per column, and the steps keep the samples they are given in order.
#include "tools/ProbeFile.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = selvir::probeFileLines(bytes);
    for (const std::string& line : lines) {
        check(line.find('\n') == std::string::npos);
    }
    if (const auto table = selvir::readProbeTable(lines)) {
        for (const auto& row : table->rows) {
            check(row.values.size() == table->columns.size());
            check(row.line >= 1 && row.line <= static_cast<int>(lines.size()));
        }
        if (table->latitudeDeg) {
            check(std::fabs(*table->latitudeDeg) <= 90.0);
        }
    }
    selvir::ProbeReadResult result = selvir::readProbeFile(lines, 40.5);
    if (!result.recognised) {
        check(result.cast.samples.empty());
        return 0;
    }
    auto& samples = result.cast.samples;
    for (const auto& sample : samples) {
        check(std::isfinite(sample.depthM) && std::isfinite(sample.soundVelocityMs));
    }
    check(std::fabs(result.cast.latitudeDeg) <= 90.0);
    (void)selvir::describeProbeCast(result.cast);
    const std::size_t before = samples.size();
    const int dropped = selvir::keepDownCast(samples);
    check(dropped >= 0 && samples.size() + static_cast<std::size_t>(dropped) == before);
    const std::size_t kept = samples.size();
    if (const auto from = selvir::extendToSurface(samples)) {
        check(samples.size() == kept + 1 && samples.front().depthM == 0.0 && std::isfinite(*from));
    } else {
        check(samples.size() == kept);
    }
    return 0;
}
