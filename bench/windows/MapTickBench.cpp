// One realtime map tick on the main window's canvas with 100 000 track elements already on the map:
// position conversion, vessel redraw, a track element, status text, depth label and boxes; then the
// same tick followed by the repaint it asks for, at 1920 x 1080.
//
// The track is a lawnmower survey around the vessel (lines 2 km long, 10 m apart, an element every
// 2 m), all of it in a 2 km view, the worst case for the repaint.
//
// Then the same over a harbour site plan of 210 000 DXF entities (bench/canvaswidget/SitePlan.h) shown
// whole, the vessel sailing inside it: the tick with the image brought up to date (target 5 ms), and
// the tick with the whole widget painted (image copy and overlays included).
#include "canvaswidget/SitePlan.h"
#include "canvaswidget/TSelvirCanvas.h"
#include "core/DataFolders.h"
#include "navigation/LayerNames.h"
#include "navigation/SurveySession.h"
#include "serial/MemorySerialDevice.h"
#include "windows/CanvasMapAdapter.h"

#include <benchmark/benchmark.h>
#include <cstdio>
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
    MemorySerialDevice* receiver = nullptr;
    double baseE = 0, baseN = 0;

    // `sitePlanEntities` > 0: a site plan of that many entities around the survey instead of a track.
    explicit MapOnCanvas(long sitePlanEntities = 0) {
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
        auto gps = std::make_unique<MemorySerialDevice>();
        receiver = gps.get();
        devices.gps = std::move(gps);
        devices.sensor = std::make_unique<MemorySerialDevice>();
        session = std::make_unique<SurveySession>(*settings, DataFolders(folder / "GVX", clock.now().date),
                                                  clock, std::move(out), std::move(devices));
        session->startRealtime();
        // The first tick reads the parameters and fixes the grid position of the survey.
        step(0);
        session->state().DepthHF = 12.3;
        session->mapTick();
        baseE = session->state().Easting;
        baseN = session->state().Northing;

        if (sitePlanEntities > 0) {
            // The plan's centre on the survey's start.
            const ViewWindow area = bench::sitePlanArea(sitePlanEntities, 0, 0);
            bench::addSitePlan(canvas->Model(), sitePlanEntities, 20, baseE - area.WorldRight / 2,
                               baseN - area.WorldTop / 2);
            canvas->WorldExtents();
            canvas->grab(); // the first image
            return;
        }
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

    // The vessel moves a little north-east every tick, as at 5 kn with two ticks a second; the receiver
    // reports an RTK fixed position (without one the tick draws nothing).
    void step(long tick) {
        const double latitudeMin = (tick % 1000) * 1.1e-5 * 60.0;
        const double longitudeMin = (tick % 1000) * 1.4e-5 * 60.0;
        char line[128];
        std::snprintf(line, sizeof line,
                      "$GPGGA,090000.00,41%07.4f,N,029%07.4f,E,4,12,0.8,10.00,M,35.10,M,,\r\n", latitudeMin,
                      longitudeMin);
        receiver->feed(line);
        session->gnssReader().PollTick();
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

constexpr long kSitePlanEntities = 210000;

void BM_MapTickOverSitePlan(benchmark::State& state) {
    MapOnCanvas map(kSitePlanEntities);
    long tick = 0;
    int rebuilt = 0;
    for (auto _ : state) {
        map.step(++tick);
        map.session->mapTick();
        benchmark::DoNotOptimize(map.canvas->OffscreenImage().constBits());
        rebuilt += map.canvas->LastImageUpdate().rebuilt ? 1 : 0;
    }
    state.counters["shapes"] = static_cast<double>(map.canvas->Model().ShapeCount());
    state.counters["rebuilds"] = rebuilt;
}

void BM_MapTickOverSitePlanAndPaint(benchmark::State& state) {
    MapOnCanvas map(kSitePlanEntities);
    long tick = 0;
    for (auto _ : state) {
        map.step(++tick);
        map.session->mapTick();
        benchmark::DoNotOptimize(map.canvas->grab());
    }
    state.counters["shapes"] = static_cast<double>(map.canvas->Model().ShapeCount());
}

BENCHMARK(BM_MapTick)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MapTickAndRepaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapTickOverSitePlan)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MapTickOverSitePlanAndPaint)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
