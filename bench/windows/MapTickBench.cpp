// One realtime map tick on the main window's canvas with 100 000 track elements already on the map:
// position conversion, vessel redraw, a track element, status text, depth label and boxes; then the
// same tick followed by the repaint it asks for, at 1920 x 1080.
//
// The track is a lawnmower survey around the vessel (lines 2 km long, 10 m apart, an element every
// 2 m), all of it in a 2 km view, the worst case for the repaint.
#include "canvas/TSelvirCanvas.h"
#include "core/DataFolders.h"
#include "navigation/LayerNames.h"
#include "navigation/SurveySession.h"
#include "serial/MemorySerialDevice.h"
#include "windows/CanvasMapAdapter.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <memory>
#include <random>

namespace {

using namespace selvir;

constexpr int kWidthPx = 1920;
constexpr int kHeightPx = 1080;
constexpr long kTrackElements = 100000;

struct MapOnCanvas {
    std::filesystem::path folder;
    std::unique_ptr<ProfileStore> settings;
    ManualClock clock{LocalDateTime{{2026, 3, 5}, 9, 0, 0, 0}};
    std::unique_ptr<TSelvirCanvas> canvas;
    std::unique_ptr<CanvasMapAdapter> adapter;
    std::unique_ptr<SurveySession> session;
    double baseE = 0, baseN = 0;

    MapOnCanvas() {
        std::random_device random;
        folder = std::filesystem::temp_directory_path() / ("selvirhs-bench-" + std::to_string(random()));
        std::filesystem::create_directories(folder);
        settings = std::make_unique<ProfileStore>(folder / "SelvirHS.INI");
        settings->writeInteger("NAVIGATION_SETTINGS", "TrackInterval", 1);
        settings->writeColor("NAVIGATION_SETTINGS", "ColorTracklines1", 0x00A000);

        canvas = std::make_unique<TSelvirCanvas>();
        canvas->resize(kWidthPx, kHeightPx);
        canvas->SetClientSize(kWidthPx, kHeightPx);
        for (const char* name : kFixedLayerNames) {
            canvas->LayerOpen(QString::fromUtf8(name));
        }
        adapter = std::make_unique<CanvasMapAdapter>(*canvas);
        SurveySessionOutputs out;
        out.canvas = adapter.get();
        out.canvasLayers = adapter.get();
        out.background = adapter.get();
        SurveySessionDevices devices;
        devices.gps = std::make_unique<MemorySerialDevice>();
        devices.sensor = std::make_unique<MemorySerialDevice>();
        session = std::make_unique<SurveySession>(*settings, DataFolders(folder / "GVX", clock.now().date),
                                                  clock, std::move(out), std::move(devices));
        // The first tick reads the parameters and fixes the grid position of the survey.
        session->state().GpsLatitude = 41.0;
        session->state().GpsLongitude = 29.0;
        session->state().DepthHF = 12.3;
        session->mapTick();
        baseE = session->state().Easting;
        baseN = session->state().Northing;

        const int fix = canvas->LayerFindByName(QString::fromUtf8(kTrackFixLayer));
        const long perRun = 1000;
        double px = baseE - 1000, py = baseN - 1000;
        for (long i = 1; i <= kTrackElements; ++i) {
            const long run = i / perRun;
            const double along = (i % perRun) * 2.0;
            const double x = baseE - 1000 + (run % 2 == 0 ? along : 2000 - along);
            const double y = baseN - 1000 + (run % 200) * 10.0;
            canvas->DrawLine(px, py, x, y, fix);
            px = x;
            py = y;
        }
        canvas->WorldSet(baseE - 1000, baseN + 560, baseE + 1000, baseN - 560);
        canvas->grab(); // the first image
    }
    ~MapOnCanvas() {
        session.reset();
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }

    // The vessel moves a little north-east every tick, as at 5 kn with two ticks a second.
    void step(long tick) {
        session->state().GpsLatitude = 41.0 + (tick % 1000) * 1.1e-5;
        session->state().GpsLongitude = 29.0 + (tick % 1000) * 1.4e-5;
    }
};

void BM_MapTick(benchmark::State& state) {
    MapOnCanvas map;
    long tick = 0;
    for (auto _ : state) {
        map.step(++tick);
        benchmark::DoNotOptimize(map.session->mapTick());
    }
    state.counters["track_shapes"] = static_cast<double>(map.canvas->Model().ShapeCount());
}

void BM_MapTickAndRepaint(benchmark::State& state) {
    MapOnCanvas map;
    long tick = 0;
    for (auto _ : state) {
        map.step(++tick);
        map.session->mapTick();
        // What the repaint that follows does: rebuild of the image, copy, overlays.
        benchmark::DoNotOptimize(map.canvas->grab());
    }
    state.counters["track_shapes"] = static_cast<double>(map.canvas->Model().ShapeCount());
}

BENCHMARK(BM_MapTick)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MapTickAndRepaint)->Unit(benchmark::kMillisecond);

} // namespace
