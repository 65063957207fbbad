// The line guidance of one map tick against a layout of 1000 runlines at grid coordinates in the
// millions, alone (argument 0), with a day of trackline on the map besides (20 000 segments) and over a
// background of a million shapes: the runline set is asked for (nothing is walked while the runlines
// layer is unchanged), the boat measured against the active line, and while an auto-chosen line is
// approached every line not yet run is measured to find the nearest. The target is under 0.1 ms per
// tick whatever the background (the map ticks every 500 ms).
#include "canvas/CanvasModel.h"
#include "navigation/LineGuidance.h"
#include "tools/RunlineGenerator.h"
#include "tools/RunlineLayer.h"

#include <benchmark/benchmark.h>

namespace selvir {
namespace {

constexpr double kEast = 512000, kNorth = 4512000;

// A route 1000 m north with 500 lines 1 m apart on either side (1000 runlines of 2 vertices, the route
// not counted), after `trackSegments` lines of trackline.
void drawLayout(CanvasModel& model, int trackSegments) {
    const int track = model.LayerOpen(QStringLiteral("track_fix"));
    for (int i = 0; i < trackSegments; ++i) {
        model.DrawLine(kEast + i * 0.05, kNorth, kEast + (i + 1) * 0.05, kNorth + 1, track);
    }
    const PolylinePoints route{{kEast, kNorth}, {kEast, kNorth + 1000}};
    drawRunlines(model, model.LayerOpen(runlineLayerName), route,
                 generateRunlines(route, runlineParameters("1", "500", false)));
}

GuidanceInput inputAt(double east, double north) {
    GuidanceInput in;
    in.positionKnown = true;
    in.position = {east, north};
    in.courseGridDeg = 0;
    in.speedKnots = 5;
    return in;
}

// The boat sailing up a line it has started, as on most ticks of a survey.
void BM_GuidanceTickOnALine(benchmark::State& state) {
    CanvasModel model;
    drawLayout(model, static_cast<int>(state.range(0)));
    RunlineLayerSource source(model);
    GuidanceSettings settings;
    LineGuidance guidance(&source, [&] { return settings; }, {});
    guidance.tick(inputAt(kEast + 0.2, kNorth + 10));
    if (guidance.reading().phase != LinePhase::Running || source.currentLines().lines.size() != 1000) {
        state.SkipWithError("the boat is not on a runline");
        return;
    }
    double north = kNorth + 10;
    for (auto _ : state) {
        north = north > kNorth + 900 ? kNorth + 10 : north + 0.01;
        benchmark::DoNotOptimize(guidance.tick(inputAt(kEast + 0.2, north)));
    }
    state.counters["lines"] = static_cast<double>(source.currentLines().lines.size());
}
BENCHMARK(BM_GuidanceTickOnALine)->Arg(0)->Arg(20000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

// The boat turning towards the next line: auto-advance measures every line not yet run.
void BM_GuidanceTickChoosingTheNearestLine(benchmark::State& state) {
    CanvasModel model;
    drawLayout(model, static_cast<int>(state.range(0)));
    RunlineLayerSource source(model);
    GuidanceSettings settings;
    LineGuidance guidance(&source, [&] { return settings; }, {});
    double east = kEast - 600;
    for (auto _ : state) {
        east = east > kEast + 600 ? kEast - 600 : east + 0.5;
        benchmark::DoNotOptimize(guidance.tick(inputAt(east, kNorth + 1100))); // beyond the lines' ends
    }
    state.counters["lines"] = static_cast<double>(source.currentLines().lines.size());
}
BENCHMARK(BM_GuidanceTickChoosingTheNearestLine)->Arg(0)->Arg(20000)->Unit(benchmark::kMicrosecond);

// The set built again after the lines changed (a generation, an edit): once per change, not per tick.
// Over a million-shape background it is the walk every tick once made to see whether anything changed.
void BM_RunlineSetRebuilt(benchmark::State& state) {
    CanvasModel model;
    drawLayout(model, static_cast<int>(state.range(0)));
    const ShapeId last = model.Shapes.back()->Id;
    for (auto _ : state) {
        RunlineLayerSource source(model);
        benchmark::DoNotOptimize(source.currentLines());
    }
    benchmark::DoNotOptimize(last);
}
BENCHMARK(BM_RunlineSetRebuilt)->Arg(0)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace selvir
