// A whole sound velocity cast through the window's work: recognition, the three steps, and a deep
// column. The largest real cast (a Sea-Bird file of 2072 scans) and a synthetic full-ocean cast.
#include "core/AtomicFile.h"
#include "tools/ProbeFile.h"
#include "tools/SvpSteps.h"

#include <benchmark/benchmark.h>
#include <string>

namespace selvir {
namespace {

std::vector<std::string> largestCast() {
    std::string bytes;
    readWholeFile(std::string(SELVIR_TEST_DATA_DIR) + "/svp/seabird_missing_whitespace.cnv", bytes);
    return probeFileLines(bytes);
}

void RecogniseAndProcessSeaBirdCast(benchmark::State& state) {
    const std::vector<std::string> lines = largestCast();
    for (auto _ : state) {
        ProbeReadResult read = readProbeFile(lines);
        keepDownCast(read.cast.samples);
        extendToSurface(read.cast.samples);
        const RawExtraction raw = extractRawValues(read.cast.samples);
        const SvColumn column = buildSvColumn(averageIntoBins(raw.lines, 200).lines, 200);
        benchmark::DoNotOptimize(column.lines.data());
    }
    state.counters["scans"] = static_cast<double>(lines.size());
}
BENCHMARK(RecogniseAndProcessSeaBirdCast)->Unit(benchmark::kMillisecond);

// 110 000 samples down to 11 000 m (ten per metre) into the deepest column the window takes.
void FullOceanColumn(benchmark::State& state) {
    std::vector<std::string> raw;
    for (int i = 0; i < 110000; ++i) {
        raw.push_back(rawValueLine(i / 10.0, 1480.0 + (i % 97) * 0.1));
    }
    for (auto _ : state) {
        const SvColumn column = buildSvColumn(averageIntoBins(raw, kMaxDepthLimit).lines, kMaxDepthLimit);
        benchmark::DoNotOptimize(column.lines.data());
    }
}
BENCHMARK(FullOceanColumn)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace selvir
