// A survey end to end: selvirhs-sim on two pseudo-terminals, a SurveySession reading them through
// QSerialPort with the port mapping the simulator wrote, the map updated by a 500 ms timer as the main
// window does. The rows are checked against the simulator's truth and PROJ; then the raw logs of the
// run are replayed and must give the same survey file.
#include "cli/Commands.h"
#include "core/AtomicFile.h"
#include "core/NumberFormat.h"
#include "navigation/PortChoices.h"
#include "navigation/SurveySession.h"
#include "serial/SerialPortMapping.h"
#include "support/EventLoop.h"
#include "support/ProjOracle.h"
#include "support/SimulatorProcess.h"
#include "support/TempDir.h"
#include "support/TextLines.h"

#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <set>
#include <sstream>

namespace selvir {
namespace {

using test::fileLines;
using test::split;

constexpr double kDraftM = 0.75;
constexpr double kSoundVelocity = 1480;
constexpr int kMapIntervalMs = 500;
// GNSS epochs every 500 ms, depths 250 ms after them; the map ticks 125 ms after either, so a late
// timer or a slow poll never changes which line came first.
constexpr int kEpochPeriodMs = 500;
constexpr int kTickPhaseMs = 125;
constexpr int kSurveyMs = 4300;

class QtMapTimer final : public MapTimerControl {
public:
    explicit QtMapTimer(QTimer& timer) : timer_(timer) {}
    void startMapTimer() override { timer_.start(); }
    void stopMapTimer() override { timer_.stop(); }

private:
    QTimer& timer_;
};

// What one map tick used and gave.
struct TickRecord {
    double latitudeDeg, longitudeDeg; // the fix in the navigation state
    double easting, northing;         // the grid position it computed
};

struct LiveSurvey {
    test::TempDir dir;
    std::filesystem::path settingsFile = dir / "SelvirHS.INI";
    std::filesystem::path truthFile = dir / "truth.csv";
    std::filesystem::path root = dir / "GVX";
    LocalDate day;
    std::vector<test::TruthRow> truth;
    std::vector<TickRecord> ticks;
    std::string failure;

    DataFolders folders() const { return DataFolders(root, day); }
};

LiveSurvey* live = nullptr;

int countGgaRows(const std::filesystem::path& truth) {
    std::string text;
    readWholeFile(truth, text);
    int count = 0;
    for (std::size_t at = text.find(",GGA,"); at != std::string::npos; at = text.find(",GGA,", at + 1)) {
        ++count;
    }
    return count;
}

void writeSurveySettings(const std::filesystem::path& file) {
    ProfileStore settings(file);
    for (const auto section : {kGpsPortSection, kSensorPortSection}) {
        settings.writeString(section, "Delay", "5");
        settings.writeString(section, "NMEA LOG", "True");
        settings.writeString(section, "Log Time", "True");
    }
    settings.writeString(kGpsPortSection, "Port No", "COM3");
    settings.writeString(kSensorPortSection, "Port No", "COM4");
    settings.writeString(kSensorPortSection, "cSBESMessage", "NMEA DPT");
    settings.writeString(kSensorPortSection, "eSBESFormat", "%*6s,%lf");
    settings.writeString("ECHOSOUNDER_OFFSETS", "Offset A", formatGeneral(kDraftM));
    settings.writeString("ECHOSOUNDER_OFFSETS", "SV", formatGeneral(kSoundVelocity));
    settings.writeString("GEODETIC_PARAMETERS", "Central_Meridian", "27");
    settings.writeString("GEODETIC_PARAMETERS", "Scale_Factor", "0.9996");
}

void runLiveSurvey(LiveSurvey& s) {
    writeSurveySettings(s.settingsFile);
    test::Simulator sim({"--write-mapping",  QString::fromStdString(s.settingsFile.string()),
                         "--gnss-com",       "3",
                         "--sbes-com",       "4",
                         "--rate",           "2",
                         "--sbes-rate",      "2",
                         "--sbes-offset",    "0.25",
                         "--sbes-format",    "dpt",
                         "--draft",          QString::number(kDraftM),
                         "--sound-velocity", QString::number(kSoundVelocity),
                         "--truth",          QString::fromStdString(s.truthFile.string()),
                         "--duration",       "30"});
    if (!sim.started()) {
        s.failure = "the simulator did not start";
        return;
    }
    // Find the simulator's epoch phase from its truth file, then start realtime a tick phase after one.
    QElapsedTimer clock;
    clock.start();
    const int before = countGgaRows(s.truthFile);
    if (!test::runEventsUntil([&] { return countGgaRows(s.truthFile) > before; }, 3000)) {
        s.failure = "no GNSS epoch in the truth file";
        return;
    }
    const qint64 startAt = clock.elapsed() + kEpochPeriodMs + kTickPhaseMs;
    while (clock.elapsed() < startAt) {
        QThread::usleep(200);
    }

    SystemClock systemClock;
    s.day = systemClock.now().date;
    QTimer mapTimer;
    mapTimer.setTimerType(Qt::PreciseTimer);
    mapTimer.setInterval(kMapIntervalMs);
    QtMapTimer mapTimerControl(mapTimer);
    SurveySessionOutputs outputs;
    outputs.mapTimer = &mapTimerControl;
    SurveySessionDevices devices;
    devices.resolver = profilePortResolver(s.settingsFile);
    ProfileStore settings(s.settingsFile);
    SurveySession session(settings, s.folders(), systemClock, outputs, std::move(devices));
    QObject::connect(&mapTimer, &QTimer::timeout, [&] {
        session.mapTick();
        const NavigationState& state = session.state();
        s.ticks.push_back({state.GpsLatitude, state.GpsLongitude, state.Easting, state.Northing});
    });
    session.startRealtime();
    mapTimer.start(); // as the realtime switch does after opening the ports
    if (!session.gnssReader().Active() || !session.sensorReader().Active()) {
        s.failure = "the session did not open the mapped ports";
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(kSurveyMs, &loop, &QEventLoop::quit);
    loop.exec();
    session.stopRealtime();
    mapTimer.stop();
    if (sim.terminate() != 0) {
        s.failure = "the simulator did not end cleanly";
    }
    s.truth = test::readTruth(s.truthFile);
}

struct SurveyEndToEnd : ::testing::Test {
    static void SetUpTestSuite() {
        live = new LiveSurvey;
        runLiveSurvey(*live);
    }
    static void TearDownTestSuite() {
        delete live;
        live = nullptr;
    }
    void SetUp() override { ASSERT_EQ(live->failure, ""); }
};

TEST_F(SurveyEndToEnd, RowsCarryTheTrueDepthAndTheGridPositionOfTheirOwnFix) {
    const auto lines = fileLines(live->folders().surveyFile());
    ASSERT_GE(lines.size(), 7u) << "a header and at least six rows in four seconds";
    EXPECT_EQ(lines[0], kSurveyFileHeader);
    ASSERT_GE(live->ticks.size(), 7u);

    std::vector<const test::TruthRow*> soundings;
    std::set<std::pair<double, double>> fixesSent;
    for (const test::TruthRow& row : live->truth) {
        if (row.fields.at("stream") == "sbes") {
            soundings.push_back(&row);
        } else if (row.fields.at("message") == "GGA") {
            fixesSent.insert({row.number("lat"), row.number("lon")});
        }
    }
    // The rows follow the simulator's messages one for one from the first the port delivered.
    const auto firstRaw = parseDouble(split(lines[1], ',')[9]);
    ASSERT_TRUE(firstRaw);
    std::size_t first = 0;
    while (first < soundings.size() && soundings[first]->number("raw_hf_m") != *firstRaw) {
        ++first;
    }
    ASSERT_LT(first + lines.size() - 1, soundings.size() + 1) << "every row is a message the simulator sent";

    const test::ProjOperation tm("+proj=tmerc +ellps=WGS84 +lon_0=27 +lat_0=0 +k=0.9996 +x_0=500000 +y_0=0");
    for (std::size_t i = 1; i < lines.size(); ++i) {
        SCOPED_TRACE(lines[i]);
        const auto fields = split(lines[i], ',');
        ASSERT_EQ(fields.size(), 18u);
        const test::TruthRow& sent = *soundings[first + i - 1];
        EXPECT_EQ(parseDouble(fields[9]), sent.number("raw_hf_m")) << "no message lost or repeated";
        EXPECT_NEAR(std::stod(fields[7]), sent.number("depth_m"), 0.01) << "true depth";
        EXPECT_EQ(fields[12], formatFixed(kSoundVelocity, 2));
        EXPECT_EQ(fields[13], formatFixed(kDraftM, 2));

        if (fields[1].empty()) {
            // A depth before the first fix of the run: kept, with no position and no fix.
            EXPECT_EQ(fields[3] + fields[4], "");
            EXPECT_EQ(fields[14], "0");
            continue;
        }
        const double lat = std::stod(fields[1]), lon = std::stod(fields[2]);
        // Written with 15 significant digits: within 1e-12 degrees of a fix sent.
        const bool wasSent = std::any_of(fixesSent.begin(), fixesSent.end(), [&](const auto& f) {
            return std::abs(f.first - lat) < 1e-12 && std::abs(f.second - lon) < 1e-12;
        });
        EXPECT_TRUE(wasSent) << "the row's position is a fix sent";
        const PJ_COORD grid = tm.forward(proj_torad(lon), proj_torad(lat));
        EXPECT_NEAR(std::stod(fields[3]), grid.enu.e, 0.0051) << "the projection of the row's own fix";
        EXPECT_NEAR(std::stod(fields[4]), grid.enu.n, 0.0051);
    }
    for (const TickRecord& tick : live->ticks) {
        if (tick.latitudeDeg == 0) {
            continue;
        }
        EXPECT_TRUE(fixesSent.count({tick.latitudeDeg, tick.longitudeDeg})) << "the tick used a fix sent";
        const PJ_COORD grid = tm.forward(proj_torad(tick.longitudeDeg), proj_torad(tick.latitudeDeg));
        EXPECT_NEAR(tick.easting, grid.enu.e, 0.001);
        EXPECT_NEAR(tick.northing, grid.enu.n, 0.001);
    }
}

TEST_F(SurveyEndToEnd, ReplayOfTheRawLogsGivesTheSameSurveyFile) {
    const DataFolders folders = live->folders();
    const auto replayRoot = live->dir / "replayed";
    std::istringstream in;
    std::ostringstream out, err;
    const int status =
        cli::runTool({"replay", "--settings", live->settingsFile.string(), "--root", replayRoot.string(),
                      "--events", folders.eventsLog(live->day).string(),
                      folders.gnssRawLog(live->day).string(), folders.sbesRawLog(live->day).string()},
                     {in, out, err});
    ASSERT_EQ(status, 0) << err.str();
    const auto original = fileLines(folders.surveyFile());
    const auto replayed = fileLines(DataFolders(replayRoot, live->day).surveyFile());
    ASSERT_EQ(replayed.size(), original.size()) << out.str();
    ASSERT_GE(original.size(), 2u);
    EXPECT_EQ(replayed[0], original[0]);
    for (std::size_t i = 1; i < original.size(); ++i) {
        const auto a = split(original[i], ',');
        const auto b = split(replayed[i], ',');
        ASSERT_EQ(a.size(), b.size());
        EXPECT_EQ(std::vector<std::string>(a.begin() + 1, a.end()),
                  std::vector<std::string>(b.begin() + 1, b.end()))
            << "row " << i << "\n"
            << original[i] << "\n"
            << replayed[i];
    }
}

} // namespace
} // namespace selvir
