// Saving and loading a large layout (a day of survey lines: 1000 polylines of 1000 vertices, and
// 100 000 other shapes: lines, points, texts, circles and rectangles), each beside its floor: zlib
// alone compressing the same text at level 6, and zlib alone inflating the same stream.
// Targets: save within 1.5 times, load within 2 times of the floor.
#include "core/DateTime.h"
#include "layoutfiles/NativeLayout.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <memory>
#include <string>
#include <zlib.h>

namespace {

using namespace selvir;

constexpr int polylines = 1000;
constexpr int verticesPerPolyline = 1000;
constexpr int otherShapes = 100000;

struct Layout {
    CanvasModel model;
    ViewWindow view;
    std::string text;       // the layout text CadSave compresses
    std::string compressed; // zlib's own stream of it
    std::filesystem::path file;
};

Layout& layout() {
    static const std::unique_ptr<Layout> built = [] {
        auto l = std::make_unique<Layout>();
        CanvasModel& m = l->model;
        const int fix = m.LayerOpen("track_fix");
        const int user = m.LayerOpen("selvir_usershape");
        const int events = m.LayerOpen("event_number");
        for (int p = 0; p < polylines; ++p) {
            std::vector<std::pair<double, double>> points;
            points.reserve(verticesPerPolyline);
            for (int v = 0; v < verticesPerPolyline; ++v) {
                points.emplace_back(450000.0 + v * 4.137 + (p % 7) * 0.25, 4500000.0 + p * 20.0 + (v % 13) * 0.31);
            }
            m.DrawPolyline(points, fix, p % 10 == 0);
        }
        for (int i = 0; i < otherShapes; ++i) {
            const double x = 450000.0 + (i * 7919LL % 40000) * 0.1;
            const double y = 4500000.0 + (i * 104729LL % 200000) * 0.1;
            switch (i % 10) {
            case 0:
                m.TextAdd(events, QString::number(i), x, y, 0);
                break;
            case 1:
            case 2:
                m.DrawPoint(x, y, user);
                break;
            case 3:
                m.DrawCircle(x, y, 2.5, user);
                break;
            case 4:
                m.DrawRectangle(x, y, x + 10.0, y + 5.0, user);
                break;
            default:
                m.SetShapePenFg(m.DrawLine(x, y, x + 3.75, y - 1.25, fix), 0x00A000);
                break;
            }
        }
        l->view.WorldSet(450000, 4520000, 454200, 4500000);
        l->text = buildLayoutText(m, l->view, LocalDateTime{});
        l->compressed.resize(compressBound(l->text.size()));
        uLongf size = l->compressed.size();
        compress2(reinterpret_cast<Bytef*>(l->compressed.data()), &size,
                  reinterpret_cast<const Bytef*>(l->text.data()), l->text.size(), 6);
        l->compressed.resize(size);
        l->file = std::filesystem::temp_directory_path() / "selvirhs-bench-layout.gvx";
        return l;
    }();
    return *built;
}

void reportBytes(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * layout().text.size()));
    state.counters["text_MB"] = static_cast<double>(layout().text.size()) / 1e6;
}

void BM_CadSave(benchmark::State& state) {
    Layout& l = layout();
    const ManualClock clock;
    for (auto _ : state) {
        if (!CadSave(l.model, l.view, l.file, clock)) {
            state.SkipWithError("CadSave failed");
            break;
        }
    }
    reportBytes(state);
}

void BM_ZlibCompressFloor(benchmark::State& state) {
    Layout& l = layout();
    std::string out(compressBound(l.text.size()), '\0');
    for (auto _ : state) {
        uLongf size = out.size();
        compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(l.text.data()),
                  l.text.size(), 6);
        benchmark::DoNotOptimize(size);
    }
    reportBytes(state);
}

void BM_CadLoad(benchmark::State& state) {
    Layout& l = layout();
    if (!CadSave(l.model, l.view, l.file, ManualClock())) {
        state.SkipWithError("CadSave failed");
        return;
    }
    for (auto _ : state) {
        auto model = std::make_unique<CanvasModel>();
        ViewWindow view;
        if (!CadLoad(*model, view, l.file, layoutReplace) || model->ShapeCount() != l.model.ShapeCount()) {
            state.SkipWithError("CadLoad failed");
            break;
        }
        state.PauseTiming();
        model.reset();
        state.ResumeTiming();
    }
    reportBytes(state);
}

void BM_ZlibInflateFloor(benchmark::State& state) {
    Layout& l = layout();
    std::string out(l.text.size(), '\0');
    for (auto _ : state) {
        uLongf size = out.size();
        uncompress(reinterpret_cast<Bytef*>(out.data()), &size,
                   reinterpret_cast<const Bytef*>(l.compressed.data()), l.compressed.size());
        benchmark::DoNotOptimize(size);
    }
    reportBytes(state);
}

// The two halves of the operations without zlib and the file, to show where the time goes.
void BM_BuildLayoutText(benchmark::State& state) {
    Layout& l = layout();
    for (auto _ : state) {
        benchmark::DoNotOptimize(buildLayoutText(l.model, l.view, LocalDateTime{}).size());
    }
    reportBytes(state);
}

void BM_ApplyLayoutText(benchmark::State& state) {
    Layout& l = layout();
    for (auto _ : state) {
        auto model = std::make_unique<CanvasModel>();
        ViewWindow view;
        applyLayoutText(*model, view, l.text, layoutReplace);
        state.PauseTiming();
        model.reset();
        state.ResumeTiming();
    }
    reportBytes(state);
}

BENCHMARK(BM_CadSave)->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(BM_ZlibCompressFloor)->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(BM_CadLoad)->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(BM_ZlibInflateFloor)->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(BM_BuildLayoutText)->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(BM_ApplyLayoutText)->Unit(benchmark::kMillisecond)->Iterations(4);

} // namespace
