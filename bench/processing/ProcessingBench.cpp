// The after-survey steps over a day of 5 Hz soundings: 400 000 soundings at 2 m/s (0.4 m apart) over
// a 2 km x 1.6 km area, 80 main lines north-south 25 m apart and 16 cross lines east-west 100 m apart,
// with GNSS noise of 2 cm and a seabed of swells and a channel (1280 crossings).
//   - crossing detection over the day, beside testing every pair of segments on a small part of it
//     (4000 soundings) and the grid on that same part;
//   - the live detector's cost per sounding fed, and the slowest single sounding of the day;
//   - reading the day's record back (400 000 rows), cleaning it (median of 7 and slope gate);
//   - gridding the day at 1 m, and contouring a 2000 x 2000 grid at 1 m.
// Targets: crossings well under a few seconds, live well under 1 ms per sounding.
#include "navigation/SoundingRecord.h"
#include "processing/Contours.h"
#include "processing/Crossings.h"
#include "processing/Filters.h"
#include "processing/Gridding.h"
#include "processing/LiveCrossings.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <ctime>
#include <random>
#include <sstream>

namespace selvir::processing {
namespace {

constexpr double kWest = 412000, kSouth = 4540000;
constexpr std::int64_t kDayMs = 1'775'520'000'000; // 2026-04-07

double seabed(double e, double n) {
    const double x = e - kWest, y = n - kSouth;
    return 18.0 + 3.0 * std::sin(x / 150.0) * std::cos(y / 210.0) +
           6.0 * std::exp(-std::pow((x - 900) / 80, 2)) + 0.002 * y;
}

const std::vector<Sounding>& surveyDay() {
    static const std::vector<Sounding> day = [] {
        std::vector<Sounding> out;
        out.reserve(400'000);
        std::mt19937 random(1);
        std::normal_distribution<double> gnss(0.0, 0.02), echo(0.0, 0.03);
        std::int64_t timeMs = kDayMs + 7 * 3'600'000;
        const auto sail = [&](double e0, double n0, double e1, double n1, int line) {
            const double length = std::hypot(e1 - e0, n1 - n0);
            for (double s = 0; s <= length && out.size() < 400'000; s += 0.4) {
                Sounding x;
                x.key.timeMs = timeMs;
                x.eastingM = e0 + (e1 - e0) * s / length + gnss(random);
                x.northingM = n0 + (n1 - n0) * s / length + gnss(random);
                x.depthBelowDatumM = seabed(x.eastingM, x.northingM) + echo(random);
                x.depthM = x.depthBelowDatumM + 0.4;
                x.line = line;
                out.push_back(x);
                timeMs += 200;
            }
            timeMs += 60'000; // the turn
        };
        for (int k = 0; k < 80; ++k) {
            const double e = kWest + 25.0 * k;
            k % 2 ? sail(e, kSouth + 1600, e, kSouth, k + 1) : sail(e, kSouth, e, kSouth + 1600, k + 1);
        }
        for (int k = 0; k < 16 && out.size() < 400'000; ++k) {
            const double n = kSouth + 50 + 100.0 * k;
            k % 2 ? sail(kWest + 2000, n, kWest, n, 101 + k) : sail(kWest, n, kWest + 2000, n, 101 + k);
        }
        return out;
    }();
    return day;
}

std::vector<std::uint8_t> allAccepted(std::size_t n) {
    return std::vector<std::uint8_t>(n, 1);
}

void BM_CrossingsOfTheDay(benchmark::State& state) {
    const auto& day = surveyDay();
    const auto accepted = allAccepted(day.size());
    std::size_t found = 0;
    for (auto _ : state) {
        const auto segments = trackSegments(day, accepted, DepthReference::Datum);
        found = findCrossings(segments).size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["soundings"] = static_cast<double>(day.size());
    state.counters["crossings"] = static_cast<double>(found);
}
BENCHMARK(BM_CrossingsOfTheDay)->Unit(benchmark::kMillisecond);

// A small part of the day: the south ends of the first eight main lines and the three cross lines over
// them (about 7400 soundings, 24 crossings).
std::vector<TrackSegment> smallSet() {
    std::vector<Sounding> part;
    for (const Sounding& s : surveyDay()) {
        if ((s.line <= 8 && s.northingM < kSouth + 300) ||
            (s.line > 100 && s.line <= 103 && s.eastingM < kWest + 185)) {
            part.push_back(s);
        }
    }
    return trackSegments(part, allAccepted(part.size()), DepthReference::Datum);
}

void BM_CrossingsSmallSetEveryPair(benchmark::State& state) {
    const auto segments = smallSet();
    for (auto _ : state) {
        benchmark::DoNotOptimize(findCrossingsBruteForce(segments).size());
    }
    state.counters["segments"] = static_cast<double>(segments.size());
    state.counters["crossings"] = static_cast<double>(findCrossingsBruteForce(segments).size());
}
BENCHMARK(BM_CrossingsSmallSetEveryPair)->Unit(benchmark::kMillisecond);

void BM_CrossingsSmallSetGrid(benchmark::State& state) {
    const auto segments = smallSet();
    for (auto _ : state) {
        benchmark::DoNotOptimize(findCrossings(segments).size());
    }
    state.counters["crossings"] = static_cast<double>(findCrossings(segments).size());
}
BENCHMARK(BM_CrossingsSmallSetGrid)->Unit(benchmark::kMillisecond);

double threadCpuUs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
}

// The mean over the day, and the slowest single sounding in processor time (a machine shared with
// other work preempts the thread now and then, which wall time would count).
void BM_LiveCrossingsPerSounding(benchmark::State& state) {
    const auto& day = surveyDay();
    double slowestUs = 0;
    std::size_t crossings = 0;
    for (auto _ : state) {
        LiveCrossingDetector live(DepthReference::Datum);
        for (const Sounding& s : day) {
            const double start = threadCpuUs();
            benchmark::DoNotOptimize(live.add(s).size());
            slowestUs = std::max(slowestUs, threadCpuUs() - start);
        }
        crossings = live.crossings().size();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(day.size()));
    state.counters["slowest_cpu_us"] = slowestUs;
    state.counters["crossings"] = static_cast<double>(crossings);
}
BENCHMARK(BM_LiveCrossingsPerSounding)->Unit(benchmark::kMillisecond)->Iterations(2);

std::string recordText() {
    std::string text = std::string(kSoundingRecordHeader) + "\n";
    for (const Sounding& s : surveyDay()) {
        SoundingRecord r;
        r.time = addMilliseconds({{1970, 1, 1}, 0, 0, 0, 0}, s.key.timeMs);
        r.latitudeDeg = 41.0 + (s.northingM - kSouth) / 111'000;
        r.longitudeDeg = 29.0 + (s.eastingM - kWest) / 84'000;
        r.eastingM = s.eastingM;
        r.northingM = s.northingM;
        r.headingDeg = 0;
        r.fixQuality = 4;
        r.rawDepthM = s.depthM - 0.5;
        r.soundVelocityMps = 1500;
        r.svSource = "manual";
        r.draftM = 0.5;
        r.depthM = s.depthM;
        r.waterLevelM = -0.4;
        r.waterLevelSource = "tide";
        r.latencyMs = 0;
        r.depthBelowDatumM = s.depthBelowDatumM;
        r.flags = "line=" + std::to_string(s.line);
        text += formatSoundingRow(r) + "\n";
    }
    return text;
}

void BM_ReadRecordOfTheDay(benchmark::State& state) {
    const std::string text = recordText();
    std::size_t rows = 0;
    for (auto _ : state) {
        std::istringstream in(text);
        rows = readSoundingRecord(in, [](const SoundingRecord& r, std::size_t) {
                   benchmark::DoNotOptimize(r);
               }).rows;
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["MB"] = static_cast<double>(text.size()) / 1e6;
}
BENCHMARK(BM_ReadRecordOfTheDay)->Unit(benchmark::kMillisecond);

void BM_CleanTheDay(benchmark::State& state) {
    const auto& day = surveyDay();
    const CleaningSettings settings{DepthGate{1, 60}, MedianFilterSettings{7, 0.5}, 0.5};
    for (auto _ : state) {
        benchmark::DoNotOptimize(previewCleaning(day, FlagSet(), settings).rejections.size());
    }
}
BENCHMARK(BM_CleanTheDay)->Unit(benchmark::kMillisecond);

void BM_GridTheDayAt1m(benchmark::State& state) {
    const auto& day = surveyDay();
    std::size_t cells = 0;
    for (auto _ : state) {
        const GriddingResult result = gridSoundings(day, {}, 1.0, GridStatistic::Mean);
        cells = result.grid->depthM.size();
        benchmark::DoNotOptimize(cells);
    }
    state.counters["cells"] = static_cast<double>(cells);
}
BENCHMARK(BM_GridTheDayAt1m)->Unit(benchmark::kMillisecond);

void BM_Contour2000x2000(benchmark::State& state) {
    DepthGrid grid;
    grid.westM = kWest;
    grid.northM = kSouth + 2000;
    grid.cellSizeM = 1;
    grid.rows = grid.cols = 2000;
    grid.depthM.resize(2000u * 2000u);
    for (int r = 0; r < grid.rows; ++r) {
        for (int c = 0; c < grid.cols; ++c) {
            grid.depthM[grid.index(r, c)] =
                static_cast<float>(seabed(grid.centreEastingM(c), grid.centreNorthingM(r)));
        }
    }
    std::size_t lines = 0, points = 0;
    for (auto _ : state) {
        const ContourResult result = contourGrid(grid, 1.0);
        lines = result.lines.size();
        points = 0;
        for (const ContourLine& line : result.lines) {
            points += line.points.size();
        }
    }
    state.counters["contours"] = static_cast<double>(lines);
    state.counters["points"] = static_cast<double>(points);
}
BENCHMARK(BM_Contour2000x2000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace selvir::processing
