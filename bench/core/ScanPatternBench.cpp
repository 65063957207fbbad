// The pattern reader against glibc sscanf on the echosounder formats, each with a matching line.
// The reader compiles a pattern once (as the program does when the format changes) and scans per line.
#include "core/ScanPattern.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Format {
    const char* name;
    const char* pattern;
    const char* line;
};

const std::vector<Format> kFormats = {
    {"Selvir SMT", "%*8s,%lf,%lf", "$SMT0001,12.34,12.60"},
    {"NMEA DPT", "%*6s,%lf", "$SDDPT,12.34,0.50*5B"},
    {"NMEA DBT", "%*6s,%*lf,%*1s,%lf", "$SDDBT,40.49,f,12.34,M,6.75,F*3B"},
    {"Selvir XDR HI", "%*8s,%lf", "$PSXDHI1,12.34,M"},
    {"Selvir XDR LO", "%*8s,%*lf,%*8s,%lf", "$PSXDHI1,12.34,$PSXDLO1,13.10"},
    {"Selvir XDR H/L", "%*8s,%lf,%*8s,%lf", "$PSXDHI1,12.34,$PSXDLO1,13.10"},
    {"ODC HI", "%*42s,%lf", "20260305 134502 000123 SV1500 DFT0.50 DHI,B,12.34,M"},
    {"OTHER", "%*[^,],%lf", "$DEPTH,12.34,M"},
};

void OursCompiledOnce(benchmark::State& state) {
    const Format& format = kFormats[static_cast<std::size_t>(state.range(0))];
    const selvir::ScanPattern pattern(format.pattern);
    selvir::ScanResult result;
    for (auto _ : state) {
        pattern.scan(format.line, result);
        benchmark::DoNotOptimize(result.values.data());
    }
    state.SetLabel(format.name);
}

void Glibc(benchmark::State& state) {
    const Format& format = kFormats[static_cast<std::size_t>(state.range(0))];
    double a = 0, b = 0;
    for (auto _ : state) {
        int n = std::sscanf(format.line, format.pattern, &a, &b);
        benchmark::DoNotOptimize(n);
        benchmark::DoNotOptimize(a);
    }
    state.SetLabel(format.name);
}

void OursScanTextCached(benchmark::State& state) {
    const Format& format = kFormats[static_cast<std::size_t>(state.range(0))];
    for (auto _ : state) {
        auto result = selvir::scanText(format.line, format.pattern);
        benchmark::DoNotOptimize(result.count);
    }
    state.SetLabel(format.name);
}

} // namespace

BENCHMARK(OursCompiledOnce)->DenseRange(0, 7);
BENCHMARK(Glibc)->DenseRange(0, 7);
BENCHMARK(OursScanTextCached)->DenseRange(0, 7);
