// The gis pieces at survey rates: geoid lookups, an EPSG chain beside the settings' own chain per fix,
// and a 1920 x 1080 view of a 10 000 x 10 000 pixel GeoTIFF background.
#include "gis/CrsWkt.h"
#include "gis/EpsgChain.h"
#include "gis/GdalSupport.h"
#include "gis/GeoidGrid.h"
#include "gis/GridChain.h"
#include "gis/RasterBackground.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <random>

namespace selvir {
namespace {

namespace fs = std::filesystem;

// A day of fixes in the survey area: positions 0.1° around 41° N 29° E.
std::vector<std::pair<double, double>> positions() {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> spread(-0.1, 0.1);
    std::vector<std::pair<double, double>> p(4096);
    for (auto& [lat, lon] : p) {
        lat = 41 + spread(random);
        lon = 29 + spread(random);
    }
    return p;
}

void BM_GeoidUndulation(benchmark::State& state) {
    const GeoidGridOpen open = GeoidGrid::open("egm96_15.gtx");
    if (!open.ok()) {
        state.SkipWithError(open.error.c_str());
        return;
    }
    const auto p = positions();
    std::size_t i = 0;
    for (auto _ : state) {
        const auto& [lat, lon] = p[i++ % p.size()];
        benchmark::DoNotOptimize(open.grid->undulation(lat, lon).undulationM);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GeoidUndulation);

void convertFixes(benchmark::State& state, const GridChain& chain) {
    const auto p = positions();
    std::size_t i = 0;
    for (auto _ : state) {
        const auto& [lat, lon] = p[i++ % p.size()];
        benchmark::DoNotOptimize(chain.convert(lat, lon, 35).eastingM);
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_SettingsChainFix(benchmark::State& state) {
    GeodeticParameters ed50;
    ed50.edSMA = "6378388";
    ed50.edIF = "0.00336700336700337";
    ed50.edSX = "-84.003";
    ed50.edSY = "-102.315";
    ed50.edSZ = "-129.879";
    ed50.edRX = "1.0859";
    ed50.edCM = "30";
    const GridChainSetup setup = makeSettingsGridChain(ed50);
    convertFixes(state, *setup.chain);
}
BENCHMARK(BM_SettingsChainFix);

// With the convergence: three positions through PROJ per fix.
void BM_EpsgChainFix(benchmark::State& state) {
    const EpsgChainSetup setup = EpsgChain::create(static_cast<int>(state.range(0)));
    if (!setup.ok()) {
        state.SkipWithError(setup.error.c_str());
        return;
    }
    convertFixes(state, *setup.chain);
}
BENCHMARK(BM_EpsgChainFix)->Arg(5254)->Arg(32635)->Arg(31467);

// A 10 000 x 10 000 RGB orthophoto on UTM 35N (deflate tiles, overviews in an .ovr), made once.
class Orthophoto {
public:
    Orthophoto() {
        gis::ensureGdal();
        folder_ = fs::temp_directory_path() / ("selvirhs-bench-" + std::to_string(std::random_device()()));
        fs::create_directories(folder_);
        path_ = folder_ / "ortho.tif";
        const int size = 10000;
        const char* const options[] = {"TILED=YES", "COMPRESS=DEFLATE", nullptr};
        GDALDatasetH ds = GDALCreate(GDALGetDriverByName("GTiff"), path_.c_str(), size, size, 3, GDT_Byte,
                                     const_cast<char**>(options));
        double gt[6] = {660000, 0.5, 0, 4545000, 0, -0.5}; // 5 km square of 0.5 m pixels
        GDALSetGeoTransform(ds, gt);
        std::string error;
        GDALSetSpatialRef(ds, gis::spatialReference("EPSG:32635", error).get());
        std::vector<std::uint8_t> rows(static_cast<std::size_t>(size) * 256);
        for (int band = 1; band <= 3; ++band) {
            for (int y0 = 0; y0 < size; y0 += 256) {
                const int n = std::min(256, size - y0);
                for (int y = 0; y < n; ++y) {
                    for (int x = 0; x < size; ++x) {
                        rows[static_cast<std::size_t>(y) * size + x] = static_cast<std::uint8_t>(
                            ((x / 64 + (y0 + y) / 64) % 2) * 128 + band * 30 + (x % 64));
                    }
                }
                if (GDALRasterIO(GDALGetRasterBand(ds, band), GF_Write, 0, y0, size, n, rows.data(), size, n,
                                 GDT_Byte, 0, 0) != CE_None) {
                    std::abort(); // the bench would measure nothing
                }
            }
        }
        GDALClose(ds);
        RasterBackground::buildOverviews(path_);
    }
    ~Orthophoto() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path folder_, path_;
};

const Orthophoto& orthophoto() {
    static const Orthophoto image;
    return image;
}

// range(0): metres per screen pixel. 2.6 m shows the whole image; 0.5 m is full resolution.
void BM_WarpBackgroundView(benchmark::State& state) {
    const std::string survey = settingsCrsWkt(GeodeticParameters{}).wkt; // TM 30 on WGS-84
    RasterBackgroundOptions options;
    options.surveyCrsWkt = survey;
    RasterBackgroundOpen open = RasterBackground::open(orthophoto().path(), options);
    if (!open.ok()) {
        state.SkipWithError(open.error.c_str());
        return;
    }
    const GridExtent e = *open.background->surveyExtent();
    const double metresPerPixel = static_cast<double>(state.range(0)) / 10;
    const double cx = (e.minXM + e.maxXM) / 2, cy = (e.minYM + e.maxYM) / 2;
    double panM = 0;
    for (auto _ : state) {
        // Each frame pans by 40 pixels, as a drag does.
        const double x = cx + panM - 960 * metresPerPixel, y = cy - 540 * metresPerPixel;
        const RgbaRender render =
            open.background->render({x, y, x + 1920 * metresPerPixel, y + 1080 * metresPerPixel, 1920, 1080});
        benchmark::DoNotOptimize(render.image.rgba.data());
        panM = panM > 200 * metresPerPixel ? 0 : panM + 40 * metresPerPixel;
    }
    state.counters["overviews"] = open.background->overviewCount();
}
BENCHMARK(BM_WarpBackgroundView)->Arg(26)->Arg(5)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace selvir
