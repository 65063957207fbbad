// selvirhs-tool geo beside PROJ's cct, each a process converting the same 500 000 WGS-84 positions
// through the same chain (datum shift, then Transverse Mercator) from a file to /dev/null. Wall time per
// run; the processes' own CPU time as counters. Target: geo at most 1.0 times cct.
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;

constexpr int kPositions = 500000;

// The chain of GeodesyBench.cpp's settings, for cct.
const char* const kCctPipeline =
    "+proj=pipeline +step +proj=unitconvert +xy_in=deg +xy_out=rad +step +proj=cart +a=6378137 "
    "+f=0.0033528106647474 +step +inv +proj=helmert +x=-84.003 +y=-102.315 +z=-129.879 +rx=1.0859 "
    "+ry=-0.3056 +rz=-0.3147 +s=-1.4 +convention=coordinate_frame +exact +step +inv +proj=cart +a=6378388 "
    "+f=0.00336700336700337 +step +proj=tmerc +lon_0=33 +k_0=0.9996 +x_0=500000 +a=6378388 "
    "+f=0.00336700336700337";

const char* const kSettings = "[GEODETIC_PARAMETERS]\n"
                              "SemiMajorAxis=6378388\nInverseFlattening=0.00336700336700337\n"
                              "Scale_PPM=-1.4\nX_Rotation=1.0859\nY_Rotation=-0.3056\nZ_Rotation=-0.3147\n"
                              "X_Shift=-84.003\nY_Shift=-102.315\nZ_Shift=-129.879\n"
                              "Central_Meridian=33\nReference_Latitude=0\nScale_Factor=0.9996\n"
                              "False_Easting=500000\nFalse_Northing=0\n";

// The positions in both orders (geo reads latitude first, cct longitude first), written once.
struct Inputs {
    fs::path folder, geo, cct, settings;
    Inputs() {
        folder = fs::temp_directory_path() / ("selvirhs-geo-bench-" + std::to_string(std::random_device()()));
        fs::create_directories(folder);
        geo = folder / "geo.txt";
        cct = folder / "cct.txt";
        settings = folder / "SelvirHS.INI";
        std::ofstream(settings) << kSettings;
        std::ofstream geoOut(geo), cctOut(cct);
        std::mt19937 random(7);
        std::uniform_real_distribution<double> lat(35, 43), lon(30, 36), h(-20, 60);
        char line[96];
        for (int i = 0; i < kPositions; ++i) {
            const double a = lat(random), o = lon(random), z = h(random);
            std::snprintf(line, sizeof line, "%.9f %.9f %.3f\n", a, o, z);
            geoOut << line;
            std::snprintf(line, sizeof line, "%.9f %.9f %.3f\n", o, a, z);
            cctOut << line;
        }
    }
    ~Inputs() {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
};

const Inputs& inputs() {
    static const Inputs files;
    return files;
}

double childCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void runCommand(benchmark::State& state, const std::string& command) {
    double cpu = 0;
    for (auto _ : state) {
        const double cpuBefore = childCpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        const int status = std::system(command.c_str());
        const auto stop = std::chrono::steady_clock::now();
        if (status != 0) {
            state.SkipWithError(("failed: " + command).c_str());
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
        cpu += childCpuSeconds() - cpuBefore;
    }
    state.counters["cpu_s"] = cpu / static_cast<double>(state.iterations());
    state.counters["positions"] = kPositions;
}

void BM_GeoCommand500k(benchmark::State& state) {
    const Inputs& files = inputs();
    runCommand(state, std::string(SELVIR_BIN_DIR) + "/selvirhs-tool geo --settings " +
                          files.settings.string() + " < " + files.geo.string() + " > /dev/null");
}
BENCHMARK(BM_GeoCommand500k)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_Cct500k(benchmark::State& state) {
    if (std::system("command -v cct > /dev/null") != 0) {
        state.SkipWithError("cct (proj-bin) is not installed");
        return;
    }
    runCommand(state, std::string("cct ") + kCctPipeline + " " + inputs().cct.string() + " > /dev/null");
}
BENCHMARK(BM_Cct500k)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
