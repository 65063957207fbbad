// One echosounder line to the row on disk, and the pieces of that road: the format's pattern read, the
// row's text, the append (open, write, flush, close per row, as the survey file is never held open).
// items_per_second is lines (or rows) per second; the time per iteration is the cost of one row.
// A 5 Hz echosounder needs 5 rows a second; the replay must get through a day of logs in seconds.
#include "core/ProfileStore.h"
#include "core/ScanPattern.h"
#include "navigation/LogReplay.h"
#include "navigation/SensorHandler.h"
#include "navigation/SurveyFile.h"
#include "navigation/SurveySession.h"
#include "serial/MemorySerialDevice.h"
#include "support/SimulatedRawLogs.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

namespace selvir {
namespace {

const std::string kSmtLine = "$SMT0001,12.34,12.6";
const LocalDateTime kStart{{2026, 3, 5}, 13, 45, 2, 123};

// A scratch data root, removed when the benchmark ends.
class ScratchRoot {
public:
    explicit ScratchRoot(const std::string& name)
        : path_(std::filesystem::temp_directory_path() /
                ("selvirhs-bench-" + name + "-" + std::to_string(::getpid()))) {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchRoot() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

SurveyRow sampleRow() {
    SurveyRow row;
    row.time = kStart;
    row.gpsLatitude = 41.0123456789012;
    row.gpsLongitude = 29.0123456789012;
    row.easting = 417365.123;
    row.northing = 4541055.456;
    row.depthHF = 12.84;
    row.depthLF = 13.34;
    row.rawHF = 12.34;
    row.rawLF = 12.84;
    row.messageFormat = "Selvir SMT";
    row.soundVelocity = 1500;
    row.offsetA = 0.5;
    row.fixQuality = 4;
    row.rtkHeight = 38.5;
    row.manualTide = 0.2;
    row.rtkTide = 38.5;
    return row;
}

void BM_PatternRead(benchmark::State& state) {
    const ScanPattern pattern("%*8s,%lf,%lf");
    ScanResult result;
    for (auto _ : state) {
        pattern.scan(kSmtLine, result);
        benchmark::DoNotOptimize(result.count);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PatternRead);

void BM_SurveyRowText(benchmark::State& state) {
    const SurveyRow row = sampleRow();
    for (auto _ : state) {
        benchmark::DoNotOptimize(formatSurveyRow(row));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SurveyRowText);

void BM_SurveyRowAppend(benchmark::State& state) {
    ScratchRoot root("append");
    ManualClock clock(kStart);
    SurveyFile survey(DataFolders(root.path(), kStart.date), clock, {});
    const SurveyRow row = sampleRow();
    for (auto _ : state) {
        benchmark::DoNotOptimize(survey.append(&row));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SurveyRowAppend);

// The echosounder handler alone: decode, reduce, read-out, row on disk.
void BM_EchosounderLineToRow(benchmark::State& state) {
    ScratchRoot root("handler");
    ManualClock clock(kStart);
    NavigationState nav;
    nav.SoundVelocity = 1500;
    SurveyFile survey(DataFolders(root.path(), kStart.date), clock, {});
    RealtimeReadout readout;
    WaterfallFeed waterfall;
    SensorHandlerOutputs outputs;
    outputs.readout = &readout;
    outputs.waterfall = &waterfall;
    SensorInputs inputs;
    inputs.formatName = "Selvir SMT";
    inputs.formatPattern = "%*8s,%lf,%lf";
    inputs.draftM = 0.5;
    inputs.soundVelocity = 1500;
    SensorHandler handler(
        nav, survey, clock, [&] { return inputs; },
        [] {
            return RecordPosition{true, 4, 41.0, 29.0, GridPosition{500000.0, 4538776.0}};
        },
        [] { return true; }, outputs);
    for (auto _ : state) {
        if (handler.handleDepthLine(kSmtLine) != SensorHandler::Result::RowWritten) {
            state.SkipWithError("no row written");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EchosounderLineToRow);

// A session on memory ports, realtime on, with an RTK fix in force (so every row is projected).
struct BenchSession {
    explicit BenchSession(const std::string& name) : root(name), settings(root.path() / "SelvirHS.INI") {
        settings.writeString("ECHOSOUNDER_OFFSETS", "Offset A", "0.5");
        session = std::make_unique<SurveySession>(settings, DataFolders(root.path(), kStart.date), clock,
                                                  SurveySessionOutputs{},
                                                  memorySessionDevices(gps, sensor, "bench"));
        session->gnssReader().setTimersEnabled(false);
        session->sensorReader().setTimersEnabled(false);
        session->startRealtime();
        gps->feed("$GPGGA,134502.00,4100.0000,N,02900.0000,E,4,12,0.8,10.00,M,35.10,M,,\r\n");
        session->gnssReader().PollTick();
    }
    ScratchRoot root;
    ProfileStore settings;
    ManualClock clock{kStart};
    MemorySerialDevice* gps = nullptr;
    MemorySerialDevice* sensor = nullptr;
    std::unique_ptr<SurveySession> session;
};

// The whole road in a survey session: bytes from the port, line cutting, the settings read through
// their cache, the handler, the fix projected for the row, the row on disk.
void BM_EchosounderLineThroughSession(benchmark::State& state) {
    BenchSession bench("session");
    const std::string bytes = kSmtLine + "\r\n";
    for (auto _ : state) {
        bench.sensor->feed(bytes);
        bench.session->sensorReader().PollTick();
    }
    if (bench.session->survey().rowsWritten() != static_cast<std::uint64_t>(state.iterations())) {
        state.SkipWithError("not every line gave a row");
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EchosounderLineThroughSession);

// What a row adds for its own grid position: the fix in force carried through the run's chain.
void BM_RowPositionOfTheFix(benchmark::State& state) {
    BenchSession bench("position");
    for (auto _ : state) {
        const RecordPosition position = bench.session->positionNow();
        if (!position.grid) {
            state.SkipWithError("no grid position");
            break;
        }
        benchmark::DoNotOptimize(position);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RowPositionOfTheFix);

// selvirhs-tool replay's engine on ten minutes of simulated 5 Hz logs (four GNSS lines and one depth
// per epoch); items are log lines.
void BM_ReplayTenMinutes(benchmark::State& state) {
    ScratchRoot scratch("replay");
    const auto gnss = scratch.path() / "gnss.log";
    const auto sbes = scratch.path() / "sbes.log";
    const test::SimulatedLogs logs = test::writeSimulatedRawLogs(gnss, sbes, kStart, 600, 5, 0.5);
    ProfileStore settings(scratch.path() / "SelvirHS.INI");
    settings.writeString("SENSOR COMUNICATION SETTINGS", "cSBESMessage", "NMEA DPT");
    settings.writeString("SENSOR COMUNICATION SETTINGS", "eSBESFormat", "%*6s,%lf");
    int run = 0;
    for (auto _ : state) {
        LogReplayOptions options;
        options.gnssLog = gnss;
        options.sbesLog = sbes;
        LogReplay replay(settings, scratch.path() / ("root" + std::to_string(run++)), options);
        LogReplayReport report;
        std::string error;
        if (!replay.run(report, error) || report.rowsWritten != logs.depths) {
            state.SkipWithError(error.empty() ? "rows missing" : error.c_str());
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(logs.epochs * 4 + logs.depths));
}
BENCHMARK(BM_ReplayTenMinutes)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace selvir
