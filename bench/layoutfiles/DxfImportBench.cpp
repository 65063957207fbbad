// DXF import throughput (MB/s of file) beside dxflib parsing the same file with an adapter that only
// counts what it is given. The file (about 30 MB) is written the way CAD programs write R2000
// drawings: right-aligned group codes, CR LF, a layer table, blocks of lines, and model-space lines,
// lightweight polylines, circles, arcs, texts and block inserts. Target: at least dxflib's speed,
// although the import reads the file four times.
#include "core/NumberFormat.h"
#include "layoutfiles/LayoutFiles.h"

#include <benchmark/benchmark.h>
#include <dxflib/dl_creationadapter.h>
#include <dxflib/dl_dxf.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

using namespace selvir;

constexpr int entityRuns = 45000;

class DxfText {
public:
    void pair(int code, const std::string& value) {
        std::string c = std::to_string(code);
        text_ += std::string(c.size() < 3 ? 3 - c.size() : 0, ' ') + c + "\r\n" + value + "\r\n";
    }
    void real(int code, double value) { pair(code, formatFixed(value, 6)); }
    std::string& text() { return text_; }

private:
    std::string text_;
};

const std::filesystem::path& drawing() {
    static const std::filesystem::path file = [] {
        DxfText d;
        d.pair(0, "SECTION"), d.pair(2, "HEADER"), d.pair(9, "$ACADVER"), d.pair(1, "AC1015"), d.pair(0, "ENDSEC");
        d.pair(0, "SECTION"), d.pair(2, "TABLES"), d.pair(0, "TABLE"), d.pair(2, "LAYER"), d.pair(70, "8");
        for (int i = 0; i < 8; ++i) {
            d.pair(0, "LAYER"), d.pair(2, "SURVEY-" + std::to_string(i)), d.pair(70, "0");
            d.pair(62, std::to_string(i + 1)), d.pair(6, "CONTINUOUS");
        }
        d.pair(0, "ENDTAB"), d.pair(0, "ENDSEC");
        d.pair(0, "SECTION"), d.pair(2, "BLOCKS");
        for (int b = 0; b < 20; ++b) {
            d.pair(0, "BLOCK"), d.pair(8, "0"), d.pair(2, "MARK" + std::to_string(b)), d.pair(70, "0");
            d.real(10, 0), d.real(20, 0), d.real(30, 0);
            for (int k = 0; k < 4; ++k) {
                d.pair(0, "LINE"), d.pair(8, "0"), d.real(10, k), d.real(20, 0), d.real(30, 0);
                d.real(11, 0), d.real(21, k + 1.5), d.real(31, 0);
            }
            d.pair(0, "ENDBLK"), d.pair(8, "0");
        }
        d.pair(0, "ENDSEC");
        d.pair(0, "SECTION"), d.pair(2, "ENTITIES");
        for (int i = 0; i < entityRuns; ++i) {
            const std::string layer = "SURVEY-" + std::to_string(i % 8);
            const double x = 450000.0 + (i * 7919LL % 40000) * 0.1;
            const double y = 4500000.0 + (i * 104729LL % 200000) * 0.1;
            for (int k = 0; k < 3; ++k) {
                d.pair(0, "LINE"), d.pair(5, "1A"), d.pair(100, "AcDbEntity"), d.pair(8, layer);
                d.pair(100, "AcDbLine"), d.real(10, x + k), d.real(20, y), d.real(30, 0);
                d.real(11, x + k + 2.5), d.real(21, y + 1.25), d.real(31, 0);
            }
            d.pair(0, "LWPOLYLINE"), d.pair(8, layer), d.pair(90, "12"), d.pair(70, i % 2 ? "1" : "0");
            for (int v = 0; v < 12; ++v) {
                d.real(10, x + v * 3.1), d.real(20, y + (v % 3) * 1.7);
            }
            if (i % 3 == 0) {
                d.pair(0, "CIRCLE"), d.pair(8, layer), d.real(10, x), d.real(20, y), d.real(30, 0), d.real(40, 2.5);
            }
            if (i % 3 == 1) {
                d.pair(0, "ARC"), d.pair(8, layer), d.real(10, x), d.real(20, y), d.real(30, 0), d.real(40, 4);
                d.real(50, 15), d.real(51, 160);
            }
            if (i % 4 == 0) {
                d.pair(0, "TEXT"), d.pair(8, layer), d.real(10, x), d.real(20, y), d.real(30, 0), d.real(40, 1.8);
                d.pair(1, "DEPTH " + std::to_string(i % 40) + ".5"), d.real(50, 30);
            }
            if (i % 10 == 0) {
                d.pair(0, "INSERT"), d.pair(8, layer), d.pair(2, "MARK" + std::to_string(i % 20));
                d.real(10, x), d.real(20, y), d.real(30, 0), d.real(41, 2), d.real(42, 2), d.real(50, 45);
            }
        }
        d.pair(0, "ENDSEC"), d.pair(0, "EOF");
        const auto path = std::filesystem::temp_directory_path() / "selvirhs-bench-drawing.dxf";
        std::ofstream(path, std::ios::binary) << d.text();
        return path;
    }();
    return file;
}

void reportBytes(benchmark::State& state) {
    const auto bytes = std::filesystem::file_size(drawing());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["file_MB"] = static_cast<double>(bytes) / 1e6;
}

void BM_DXFLoad(benchmark::State& state) {
    const auto& file = drawing();
    int shapes = 0;
    for (auto _ : state) {
        auto model = std::make_unique<CanvasModel>();
        ViewWindow view;
        DxfLoadReport report;
        if (!DXFLoad(*model, view, headlessClientSize, file, &report)) {
            state.SkipWithError("DXFLoad failed");
            break;
        }
        shapes = model->ShapeCount();
        state.PauseTiming();
        model.reset();
        state.ResumeTiming();
    }
    state.counters["shapes"] = shapes;
    reportBytes(state);
}

class CountingAdapter : public DL_CreationAdapter {
public:
    void addLayer(const DL_LayerData&) override { ++count; }
    void addBlock(const DL_BlockData&) override { ++count; }
    void addLine(const DL_LineData&) override { ++count; }
    void addCircle(const DL_CircleData&) override { ++count; }
    void addArc(const DL_ArcData&) override { ++count; }
    void addPolyline(const DL_PolylineData&) override { ++count; }
    void addVertex(const DL_VertexData&) override { ++count; }
    void addText(const DL_TextData&) override { ++count; }
    void addInsert(const DL_InsertData&) override { ++count; }
    long count = 0;
};

void BM_DxflibFloor(benchmark::State& state) {
    const std::string file = drawing().string();
    long count = 0;
    for (auto _ : state) {
        CountingAdapter adapter;
        DL_Dxf dxf;
        if (!dxf.in(file, &adapter)) {
            state.SkipWithError("dxflib could not read the file");
            break;
        }
        count = adapter.count;
    }
    state.counters["callbacks"] = static_cast<double>(count);
    reportBytes(state);
}

BENCHMARK(BM_DXFLoad)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_DxflibFloor)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
