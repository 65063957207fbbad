// Throughput of the serial reader's line cutting and decoding, and the cost of one poll tick at the
// data rate of a 115200-baud port.
//
// A 115200-baud line carries at most 11520 bytes/s (10 bits a byte). With the 5 ms poll period the
// settings window preselects, a tick sees about 58 bytes; with the default 50 ms, about 576. The
// "core_percent" counter is the share of one core the reader takes at that rate: tick time x ticks/s.
#include "core/AtomicFile.h"
#include "navigation/GnssHandlers.h"
#include "serial/MemorySerialDevice.h"
#include "serial/SelvirSerialGPS.h"
#include "sim/EchosounderMessages.h"
#include "sim/NmeaSentences.h"
#include "sim/Trajectory.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <filesystem>
#include <memory>
#include <pty.h>
#include <string>
#include <sys/resource.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace selvir {
namespace {

constexpr double kBytesPerSecondAt115200 = 115200.0 / 10.0;

// Ten minutes of the simulated receiver at 5 Hz (GGA, RMC, VTG, HDT, ZDA) with a depth message per epoch:
// what a survey port carries.
const std::string& simulatedStream() {
    static const std::string stream = [] {
        std::string out;
        const sim::LawnMowerTrajectory trajectory({});
        for (int epoch = 0; epoch < 5 * 600; ++epoch) {
            const double t = epoch / 5.0;
            const sim::VesselPose pose = trajectory.poseAt(t);
            sim::GnssEpoch e;
            e.utc = addMilliseconds(LocalDateTime{{2026, 3, 5}, 9, 0, 0, 0}, epoch * 200);
            e.latitudeDeg = pose.latitudeDeg;
            e.longitudeDeg = pose.longitudeDeg;
            e.altitudeM = 2.0;
            e.separationM = 36.5;
            e.speedKnots = pose.speedKnots;
            e.courseDeg = pose.courseDeg;
            e.headingDeg = pose.courseDeg + 1.5;
            out += sim::finishSentence(sim::ggaBody(e));
            out += sim::finishSentence(sim::rmcBody(e));
            out += sim::finishSentence(sim::vtgBody(e));
            out += sim::finishSentence(sim::hdtBody(e));
            if (epoch % 5 == 0) {
                out += sim::finishSentence(sim::zdaBody(e));
            }
            sim::DepthSounding s;
            s.rawHighM = 12.0 + 0.01 * (epoch % 300);
            out += sim::echosounderLine(sim::EchosounderFormat::SelvirSmt, s);
        }
        return out;
    }();
    return stream;
}

// Every real capture of the test data, back to back (binary frames and noise included).
const std::string& realStream() {
    static const std::string stream = [] {
        std::string out;
        const std::filesystem::path folder = std::filesystem::path(SELVIR_TEST_DATA_DIR) / "nmea";
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
            std::string bytes;
            if (readWholeFile(entry.path(), bytes)) {
                out += bytes;
            }
        }
        return out;
    }();
    return stream;
}

struct Reader {
    explicit Reader(bool withHandlers) : handlers(state, {}) {
        auto owned = std::make_unique<MemorySerialDevice>();
        device = owned.get();
        reader = std::make_unique<TSelvirSerialGPS>(nullptr, std::move(owned));
        reader->setTimersEnabled(false);
        if (withHandlers) {
            wireGnssReader(*reader, handlers);
        } else {
            reader->OnNewCommand = [this](TSelvirSerialGPS*, const std::string& line) {
                lastSize = line.size();
            };
        }
        reader->Open();
    }
    NavigationState state;
    GnssHandlers handlers;
    MemorySerialDevice* device = nullptr;
    std::unique_ptr<TSelvirSerialGPS> reader;
    std::size_t lastSize = 0;
};

void feedWhole(benchmark::State& st, const std::string& stream, bool withHandlers) {
    if (stream.empty()) {
        st.SkipWithError("no input stream (test data missing?)");
        return;
    }
    Reader r(withHandlers);
    std::uint64_t lines = 0;
    for (auto _ : st) {
        r.device->feed(stream);
        const std::uint64_t before = r.reader->counters().lines;
        while (r.device->pending() > 0) {
            r.reader->PollTick();
        }
        lines += r.reader->counters().lines - before;
        benchmark::DoNotOptimize(r.reader->Latitude());
    }
    st.SetBytesProcessed(static_cast<std::int64_t>(st.iterations() * stream.size()));
    st.counters["lines_per_s"] = benchmark::Counter(static_cast<double>(lines), benchmark::Counter::kIsRate);
}

void BM_CutAndDecode_SimulatedSurveyStream(benchmark::State& st) {
    feedWhole(st, simulatedStream(), false);
}
void BM_CutAndDecode_RealCaptures(benchmark::State& st) {
    feedWhole(st, realStream(), false);
}
void BM_CutDecodeAndGnssHandlers_SimulatedSurveyStream(benchmark::State& st) {
    feedWhole(st, simulatedStream(), true);
}

// Poll ticks each taking what a 115200-baud port delivers in one poll period (argument: the period in
// ms); the device hands over at most that much per read, as the real port would.
void BM_PollTickAt115200Baud(benchmark::State& st) {
    constexpr int kTicksPerBatch = 1000;
    const int periodMs = static_cast<int>(st.range(0));
    const bool withHandlers = st.range(1) != 0;
    const auto bytesPerTick = static_cast<std::size_t>(kBytesPerSecondAt115200 * periodMs / 1000.0 + 0.5);
    const double ticksPerSecond = 1000.0 / periodMs;
    const std::string& stream = simulatedStream();
    const std::size_t batchBytes = bytesPerTick * kTicksPerBatch;
    Reader r(withHandlers);
    r.device->setReadLimit(bytesPerTick);
    std::size_t at = 0;
    for (auto _ : st) {
        st.PauseTiming();
        if (at + batchBytes > stream.size()) {
            at = 0;
        }
        r.device->feed(std::string_view(stream).substr(at, batchBytes));
        at += batchBytes;
        st.ResumeTiming();
        for (int i = 0; i < kTicksPerBatch; ++i) {
            r.reader->PollTick();
        }
    }
    const double ticks = static_cast<double>(st.iterations()) * kTicksPerBatch;
    st.counters["bytes_per_tick"] = static_cast<double>(bytesPerTick);
    st.counters["ticks_per_s"] = ticksPerSecond;
    st.counters["ns_per_tick"] =
        benchmark::Counter(ticks / 1e9, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    // Share of one core at the port's rate: seconds per tick x ticks per second x 100.
    st.counters["core_percent"] = benchmark::Counter(
        ticks / (ticksPerSecond * 100.0), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

double threadCpuSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_THREAD, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The whole path as the program runs it: a pseudo-terminal fed at 115200 baud by another thread,
// QSerialPort, Qt's event loop, the reader's own poll and watchdog timers. Measured: the CPU time of
// the user-interface thread over a few seconds of wall time.
void BM_ReaderOnAPtyAt115200Baud(benchmark::State& st) {
    static int argc = 1;
    static char name[] = "serial_bench";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* application =
        QCoreApplication::instance() ? QCoreApplication::instance() : new QCoreApplication(argc, argv);
    (void)application;
    constexpr int kWallMs = 3000;
    constexpr int kWriteEveryMs = 5;
    const int periodMs = static_cast<int>(st.range(0));
    int master = -1;
    int slave = -1;
    char path[256] = {};
    termios raw{};
    cfmakeraw(&raw);
    if (::openpty(&master, &slave, path, &raw, nullptr) != 0) {
        st.SkipWithError("no pseudo-terminal");
        return;
    }
    TSelvirSerialGPS reader(nullptr, nullptr, nullptr, [&path](int) { return std::string(path); });
    reader.Delay = periodMs;
    reader.Open();
    if (!reader.Active()) {
        st.SkipWithError("cannot open the pseudo-terminal");
        return;
    }
    const std::string& stream = simulatedStream();
    const auto bytesPerWrite =
        static_cast<std::size_t>(kBytesPerSecondAt115200 * kWriteEveryMs / 1000.0 + 0.5);
    double cpuPercent = 0;
    for (auto _ : st) {
        std::atomic<bool> stop{false};
        std::thread writer([&] {
            std::size_t at = 0;
            auto next = std::chrono::steady_clock::now();
            while (!stop.load()) {
                if (at + bytesPerWrite > stream.size()) {
                    at = 0;
                }
                if (::write(master, stream.data() + at, bytesPerWrite) < 0) {
                    break;
                }
                at += bytesPerWrite;
                next += std::chrono::milliseconds(kWriteEveryMs);
                std::this_thread::sleep_until(next);
            }
        });
        const std::uint64_t linesBefore = reader.counters().lines;
        const double cpuBefore = threadCpuSeconds();
        QEventLoop loop;
        QTimer::singleShot(kWallMs, &loop, &QEventLoop::quit);
        loop.exec();
        const double cpu = threadCpuSeconds() - cpuBefore;
        stop.store(true);
        writer.join();
        cpuPercent = cpu / (kWallMs / 1000.0) * 100.0;
        st.counters["lines_per_s"] =
            static_cast<double>(reader.counters().lines - linesBefore) / (kWallMs / 1000.0);
    }
    reader.Close();
    ::close(slave);
    ::close(master);
    st.counters["core_percent"] = cpuPercent;
}

BENCHMARK(BM_CutAndDecode_SimulatedSurveyStream)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CutAndDecode_RealCaptures)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CutDecodeAndGnssHandlers_SimulatedSurveyStream)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PollTickAt115200Baud)
    ->ArgsProduct({{1, 5, 50}, {0, 1}})
    ->ArgNames({"period_ms", "handlers"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReaderOnAPtyAt115200Baud)
    ->Arg(5)
    ->Arg(50)
    ->ArgName("period_ms")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace selvir
