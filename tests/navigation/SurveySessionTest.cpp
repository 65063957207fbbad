#include "navigation/SurveySession.h"

#include "core/AtomicFile.h"
#include "core/SvpTableFiles.h"
#include "serial/MemorySerialDevice.h"
#include "support/ProjOracle.h"
#include "support/TempDir.h"
#include "support/TextLines.h"

#include <gtest/gtest.h>
#include <sstream>

namespace selvir {
namespace {

using test::fileLines;
using test::split;

struct RecordingMapTimer final : MapTimerControl {
    bool running = false;
    int starts = 0;
    void startMapTimer() override {
        running = true;
        ++starts;
    }
    void stopMapTimer() override { running = false; }
};

struct SurveySessionTest : ::testing::Test {
    test::TempDir dir;
    ManualClock clock{LocalDateTime{{2026, 3, 5}, 13, 45, 2, 123}};
    DataFolders folders{dir / "GVX", LocalDate{2026, 3, 5}};
    std::unique_ptr<ProfileStore> settings;
    MemorySerialDevice* gps = nullptr;
    MemorySerialDevice* sensor = nullptr;
    RecordingMapTimer timer; // outlives the session, which reports its close to it
    std::unique_ptr<SurveySession> session;

    void SetUp() override {
        ASSERT_TRUE(folders.createAll());
        settings = std::make_unique<ProfileStore>(dir / "SelvirHS.INI");
        settings->writeString("SENSOR COMUNICATION SETTINGS", "cSBESMessage", "NMEA DPT");
        settings->writeString("SENSOR COMUNICATION SETTINGS", "eSBESFormat", "%*6s,%lf");
        settings->writeString("ECHOSOUNDER_OFFSETS", "Offset A", "0.50");
        settings->writeString("ECHOSOUNDER_OFFSETS", "SV", "1500");
    }

    void makeSession() {
        session = std::make_unique<SurveySession>(*settings, folders, clock, SurveySessionOutputs{},
                                                  memorySessionDevices(gps, sensor, "/dev/test"));
        session->gnssReader().setTimersEnabled(false);
        session->sensorReader().setTimersEnabled(false);
    }

    void gnss(const std::string& line) {
        gps->feed(line + "\r\n");
        session->gnssReader().PollTick();
    }
    void depth(const std::string& line) {
        sensor->feed(line + "\r\n");
        session->sensorReader().PollTick();
    }
};

TEST_F(SurveySessionTest, StartWritesSessionLogOpensBothPortsAndLogsTheSwitch) {
    settings->writeString("GPS1 COMUNICATION SETTINGS", "Port No", "COM3");
    settings->writeString("SENSOR COMUNICATION SETTINGS", "Port No", "COM4");
    makeSession();
    session->startRealtime();
    EXPECT_TRUE(session->realtimeOn());
    EXPECT_TRUE(session->gnssReader().Active());
    EXPECT_TRUE(session->sensorReader().Active());
    EXPECT_EQ(gps->lastPath(), "/dev/test3");
    EXPECT_EQ(sensor->lastPath(), "/dev/test4");
    EXPECT_EQ(session->gnssReader().LogFileName, folders.gnssRawLog(clock.now().date).string());
    EXPECT_EQ(session->sensorReader().LogFileName, folders.sbesRawLog(clock.now().date).string());
    EXPECT_TRUE(std::filesystem::exists(folders.geodesyLog(clock.now().date)));

    // A restart logs the parameters the device settings hold now, saved or not: those the chain uses.
    session->stopRealtime();
    struct OnScreen final : DeviceSettingsSource {
        SettingsFileDeviceSettings file;
        explicit OnScreen(const ProfileStore& store) : file(store) {}
        DeviceSwitches deviceSwitches() override { return file.deviceSwitches(); }
        PortChoices portChoices(SerialPortRole role) override { return file.portChoices(role); }
        DisplaySettings displaySettings() override { return file.displaySettings(); }
        GeodeticParameters geodeticParameters() override {
            GeodeticParameters typed = file.geodeticParameters();
            typed.edCM = "33";
            return typed;
        }
    } onScreen(*settings);
    session->setDeviceSettings(&onScreen);
    session->startRealtime();
    std::string geodesy;
    readWholeFile(folders.geodesyLog(clock.now().date), geodesy);
    EXPECT_NE(geodesy.find("CM: 30, Ref Lat"), std::string::npos);
    EXPECT_NE(geodesy.find("CM: 33, Ref Lat"), std::string::npos) << geodesy;
    session->setDeviceSettings(nullptr); // the source goes before the session

    session->stopRealtime();
    EXPECT_FALSE(session->gnssReader().Active());
    EXPECT_FALSE(session->sensorReader().Active());
    std::string log;
    readWholeFile(folders.eventsLog(clock.now().date), log);
    EXPECT_NE(log.find("Realtime STARTED"), std::string::npos);
    EXPECT_NE(log.find("Connected to GPS on COM3"), std::string::npos);
    EXPECT_NE(log.find("Realtime STOPPED"), std::string::npos);
}

TEST_F(SurveySessionTest, SensorDisabledLeavesTheEchosounderPortClosed) {
    settings->writeBool("SENSOR COMUNICATION SETTINGS", "Sensor Enabled", false);
    makeSession();
    session->startRealtime();
    EXPECT_TRUE(session->gnssReader().Active());
    EXPECT_FALSE(session->sensorReader().Active());
    EXPECT_FALSE(session->sensorOpenedAtStart());
}

// The default grid is TM on 30 E, k0 1, FE 500000 on WGS-84: PROJ gives the expected grid position.
std::pair<double, double> defaultGrid(double latDeg, double lonDeg) {
    static const test::ProjOperation tm(
        "+proj=tmerc +ellps=WGS84 +lon_0=30 +lat_0=0 +k=1 +x_0=500000 +y_0=0");
    const PJ_COORD grid = tm.forward(proj_torad(lonDeg), proj_torad(latDeg));
    return {grid.enu.e, grid.enu.n};
}

// Every row carries its own fix and that fix's projection, whether a map tick ran or not; a depth
// before the first fix is kept, without a position.
TEST_F(SurveySessionTest, EachRowCarriesTheProjectionOfItsOwnFix) {
    makeSession();
    session->startRealtime();
    depth("$SDDPT,10.00,0.5"); // no fix yet
    gnss("$GPGGA,134502.00,4100.0000,N,02930.0000,E,4,12,0.8,10.00,M,35.10,M,,");
    depth("$SDDPT,12.34,0.5"); // before any map tick
    ASSERT_EQ(session->mapTick(), MapUpdate::Tick::Done);
    gnss("$GPGGA,134503.00,4100.0300,N,02930.0400,E,5,12,0.8,10.00,M,35.10,M,,");
    depth("$SDDPT,12.50,0.5"); // the tick saw the previous fix

    const auto rows = fileLines(folders.surveyFile());
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], kSurveyFileHeader);
    const auto none = split(rows[1], ',');
    ASSERT_EQ(none.size(), 18u);
    EXPECT_EQ(none[1] + none[2] + none[3] + none[4], "");
    EXPECT_EQ(none[14], "0");
    EXPECT_EQ(none[7], "10.50");
    struct Expected {
        double lat, lon;
        const char* fix;
    };
    const Expected expected[] = {{41.0, 29.5, "4"}, {41 + 0.03 / 60, 29.5 + 0.04 / 60, "5"}};
    for (std::size_t i = 0; i < 2; ++i) {
        const auto fields = split(rows[i + 2], ',');
        ASSERT_EQ(fields.size(), 18u);
        const auto [e, n] = defaultGrid(expected[i].lat, expected[i].lon);
        EXPECT_NEAR(std::stod(fields[1]), expected[i].lat, 1e-12);
        EXPECT_NEAR(std::stod(fields[3]), e, 0.0051) << rows[i + 2];
        EXPECT_NEAR(std::stod(fields[4]), n, 0.0051) << rows[i + 2];
        EXPECT_EQ(fields[14], expected[i].fix);
    }
    EXPECT_EQ(session->survey().rowsWritten(), 3u);
}

// A line picked on a layer whose name holds a path separator still gets its own survey file, named
// safely, with the rows of the time it ran.
TEST_F(SurveySessionTest, APickedLineNamedWithASlashGetsItsOwnFile) {
    makeSession();
    GuidanceSettings lineFiles;
    lineFiles.lineFiles = true;
    session->overrideGuidance(lineFiles);
    session->startRealtime();
    const std::string fix = "$GPGGA,134502.00,4100.0000,N,02930.0000,E,4,12,0.8,10.00,M,35.10,M,,";
    gnss(fix);
    ASSERT_EQ(session->mapTick(), MapUpdate::Tick::Done);
    const double e = session->state().Easting, n = session->state().Northing;
    ASSERT_TRUE(session->guidance().selectOther({7, 0, "Harbour/East 7", {{e, n - 50}, {e, n + 150}}}));
    gnss(fix);
    ASSERT_EQ(session->mapTick(), MapUpdate::Tick::Done);
    ASSERT_EQ(session->guidance().reading().phase, LinePhase::Running);
    depth("$SDDPT,12.34,0.5");
    session->guidance().stop(); // the line's file is closed, its rows written
    const auto rows = fileLines(folders.logFolder() / "2026-03-05 Coordinates Line Harbour_East 7.csv");
    ASSERT_EQ(rows.size(), 2u) << "the header and the row";
    EXPECT_EQ(rows[0], kSurveyFileHeader);
    EXPECT_EQ(fileNamePart("a/b\\c:d*e?f\"g<h>i|j\tk. "), "a_b_c_d_e_f_g_h_i_j_k");
}

// The receiver falls silent and comes back at the same position: the map timer starts again by
// itself, the rows during the silence carry no position, the rows after it their own.
TEST_F(SurveySessionTest, ReceiverDropoutAndRecoveryLive) {
    SurveySessionOutputs outputs;
    outputs.mapTimer = &timer;
    session = std::make_unique<SurveySession>(*settings, folders, clock, outputs,
                                              memorySessionDevices(gps, sensor, "/dev/test"));
    session->gnssReader().setTimersEnabled(false);
    session->sensorReader().setTimersEnabled(false);
    session->startRealtime();
    ASSERT_TRUE(timer.running) << "started by the connect";
    const std::string fix = "$GPGGA,134502.00,4100.0000,N,02930.0000,E,4,12,0.8,10.00,M,35.10,M,,";
    gnss(fix);
    ASSERT_EQ(session->mapTick(), MapUpdate::Tick::Done);
    session->gnssReader().WatchdogTick();
    session->gnssReader().WatchdogTick(); // nothing since the last watchdog tick: idle and time-out
    EXPECT_FALSE(timer.running);
    EXPECT_FALSE(session->positionNow().reported);
    depth("$SDDPT,11.00,0.5");
    EXPECT_EQ(session->mapTick(), MapUpdate::Tick::NoPosition) << "nothing drawn while silent";

    gnss(fix);
    EXPECT_TRUE(timer.running) << "realtime resumes with the fixes";
    EXPECT_EQ(timer.starts, 2);
    ASSERT_EQ(session->mapTick(), MapUpdate::Tick::Done);
    const auto [e, n] = defaultGrid(41.0, 29.5);
    EXPECT_NEAR(session->state().Easting, e, 1e-3);
    depth("$SDDPT,12.00,0.5");

    const auto rows = fileLines(folders.surveyFile());
    ASSERT_EQ(rows.size(), 3u);
    const auto silent = split(rows[1], ',');
    EXPECT_EQ(silent[1] + silent[3], "") << rows[1];
    EXPECT_EQ(silent[14], "0") << "never fix 4 at latitude 0";
    const auto back = split(rows[2], ',');
    EXPECT_NEAR(std::stod(back[3]), e, 0.0051) << rows[2];
    EXPECT_EQ(back[14], "4");
    std::string log;
    readWholeFile(folders.eventsLog(clock.now().date), log);
    EXPECT_NE(log.find("\tGPS is idle!"), std::string::npos);
    EXPECT_NE(log.find("\tGPS Timeout!"), std::string::npos);
}

// A silent echosounder is reported once per silence, and its last depth is stale until the next one.
TEST_F(SurveySessionTest, SilentEchosounderIsReportedOnceAndItsDepthGoesStale) {
    makeSession();
    session->startRealtime();
    depth("$SDDPT,12.34,0.5");
    for (int tick = 0; tick < 6; ++tick) {
        session->sensorReader().WatchdogTick(); // the first only clears, then idle every tick
    }
    EXPECT_TRUE(session->state().DepthStale);
    std::string log;
    readWholeFile(folders.eventsLog(clock.now().date), log);
    const auto first = log.find("\tEchosounder is idle!");
    ASSERT_NE(first, std::string::npos) << log;
    EXPECT_EQ(log.find("Echosounder is idle!", first + 2), std::string::npos) << "once: " << log;
    depth("$SDDPT,12.50,0.5");
    EXPECT_FALSE(session->state().DepthStale);
}

// Impossible reduction values in the settings file never reach a row: the last good value stays, and
// each problem is reported once however many depths arrive.
TEST_F(SurveySessionTest, ImpossibleReductionValuesNeverReachARow) {
    makeSession();
    session->startRealtime();
    gnss("$GPGGA,134502.00,4100.0000,N,02930.0000,E,4,12,0.8,10.00,M,35.10,M,,");
    depth("$SDDPT,18.15,0.5"); // draft 0.50, 1500 m/s: 18.65
    struct Case {
        const char* key;
        const char* value;
        const char* said;
    };
    const Case cases[] = {{"SV", "0", "The sound velocity 0 m/s is outside 1300 to 1700 m/s"},
                          {"SV", "-1500", "The sound velocity -1500 m/s is outside"},
                          {"SV", "1700.1", "The sound velocity 1700.1 m/s is outside"},
                          {"SV", "fast", "The sound velocity is not a number"},
                          {"Offset A", "abc", "The transducer draft (Offset A) is not a number: 0.50"}};
    for (const Case& c : cases) {
        settings->writeString("ECHOSOUNDER_OFFSETS", c.key, c.value);
        for (int i = 0; i < 3; ++i) {
            gnss("$GPGGA,134503.00,4100.0000,N,02930.0000,E,4,12,0.8,10.00,M,35.10,M,,");
            depth("$SDDPT,18.15,0.5");
        }
        const auto rows = fileLines(folders.surveyFile());
        const auto last = split(rows.back(), ',');
        EXPECT_EQ(last[7], "18.65") << c.key << "=" << c.value;
        EXPECT_EQ(last[12], "1500.00") << c.key << "=" << c.value;
        EXPECT_EQ(last[13], "0.50") << c.key << "=" << c.value;
        std::string log;
        readWholeFile(folders.eventsLog(clock.now().date), log);
        const auto at = log.find(c.said);
        EXPECT_NE(at, std::string::npos) << c.said;
        EXPECT_EQ(log.find(c.said, at + 1), std::string::npos) << "once: " << c.said;
        settings->writeString("ECHOSOUNDER_OFFSETS", c.key, std::string(c.key) == "SV" ? "1500" : "0.50");
    }
}

TEST_F(SurveySessionTest, StartSaysWhichPortChoicesAndParitiesTheDevicesDidNotTake) {
    settings->writeString("GPS1 COMUNICATION SETTINGS", "Port No", "COM3");
    settings->writeString("GPS1 COMUNICATION SETTINGS", "Baud Rate", "56000");
    settings->writeString("GPS1 COMUNICATION SETTINGS", "Parity", "Odd");
    settings->writeString("SENSOR COMUNICATION SETTINGS", "Port No", "COM4");
    settings->writeString("SENSOR COMUNICATION SETTINGS", "Parity", "Space");
    makeSession();
    sensor->setRefusesParity(true);
    session->startRealtime();
    ASSERT_TRUE(session->gnssReader().Active());
    ASSERT_TRUE(session->sensorReader().Active());
    EXPECT_EQ(gps->lastSettings().parity, SerialParity::Odd);
    EXPECT_EQ(gps->lastSettings().baudRate, 9600) << "the reader's own rate, said below";
    EXPECT_EQ(sensor->lastSettings().parity, SerialParity::Space);
    std::string log;
    readWholeFile(folders.eventsLog(clock.now().date), log);
    EXPECT_NE(log.find("GPS Set: 56000 baud cannot be set"), std::string::npos) << log;
    EXPECT_NE(log.find("Echosounder port COM4 (/dev/test4): the device refused parity"), std::string::npos)
        << log;
    EXPECT_EQ(log.find("GPS port"), std::string::npos) << "the receiver took its parity";
}

TEST_F(SurveySessionTest, TheFormatFieldAsItStandsDecodesTheNextLine) {
    settings->writeString("SENSOR COMUNICATION SETTINGS", "cSBESMessage", "Selvir SMT");
    settings->writeString("SENSOR COMUNICATION SETTINGS", "eSBESFormat", "%*8s,%lf,%lf");
    makeSession();
    session->startRealtime();
    depth("$SMT0001,12.34,12.6");
    EXPECT_EQ(session->survey().rowsWritten(), 1u);
    EXPECT_EQ(readoutDepthText(session->readout().depthHfM), "12.84");

    // An edit is never overridden by the table: a pattern reading one value where "Selvir SMT" needs
    // two decodes nothing, while the surveyor's own pattern for "OTHER" decodes from the next line on.
    settings->writeString("SENSOR COMUNICATION SETTINGS", "eSBESFormat", "%*8s,%lf");
    depth("$SMT0001,10.00,12.6");
    EXPECT_EQ(session->survey().rowsWritten(), 1u);
    settings->writeString("SENSOR COMUNICATION SETTINGS", "cSBESMessage", "OTHER");
    settings->writeString("SENSOR COMUNICATION SETTINGS", "eSBESFormat", "DEPTH=%lf");
    depth("DEPTH=7.5");
    EXPECT_EQ(session->survey().rowsWritten(), 2u);
    EXPECT_EQ(readoutDepthText(session->readout().depthHfM), "8.00");
}

TEST_F(SurveySessionTest, ProfileTickedUsesTheDaysSavedColumnAndFallsBackWithoutOne) {
    settings->writeBool("SVP", "cUseSVP", true);
    makeSession();
    session->startRealtime();
    depth("$SDDPT,12.60,0.5");
    EXPECT_EQ(session->sensor().lastSoundVelocity(), 1500); // no column saved: the single value
    session->stopRealtime();

    // Saved as the Windows program names it, and the realtime start comes after midnight: still the
    // day folder's profile.
    std::string column;
    for (int metre = 0; metre < 20; ++metre) {
        column += (metre == 13 ? "1480.00" : "1500.00") + std::string("\r\n");
    }
    ASSERT_TRUE(writeFileAtomically(folders.svpFolder() / "2026-03-05 mSVPColumn.INI", column));
    clock.set(LocalDateTime{{2026, 3, 6}, 0, 10, 0, 0});
    session->startRealtime();
    depth("$SDDPT,12.60,0.5");
    EXPECT_EQ(session->sensor().lastSoundVelocity(), 1480);
    EXPECT_EQ(readoutDepthText(session->readout().depthHfM), "12.93"); // 12.6 * 1480 / 1500 + 0.5

    // A new column saved while realtime runs applies once the window asks for it.
    ASSERT_TRUE(writeSvpTable(folders, SvpTable::Column, std::vector<std::string>(20, "1520.00")));
    session->reloadSoundVelocityProfile();
    depth("$SDDPT,12.60,0.5");
    EXPECT_EQ(session->sensor().lastSoundVelocity(), 1520);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folders.svpFolder()), {}), 1);
}

TEST_F(SurveySessionTest, EventMarkUsesTheLastTickPositionAndTheReadout) {
    makeSession();
    session->state().Easting = 512345.674;
    session->state().Northing = 4512345.886;
    session->readout().depthHfM = 12.84;
    std::vector<int> labels;
    EXPECT_EQ(session->markEvent([&](double, double, int n) { labels.push_back(n); }), 1);
    EXPECT_EQ(session->markEvent([&](double, double, int n) { labels.push_back(n); }), 2);
    EXPECT_EQ(labels, (std::vector<int>{1, 2}));
    const auto log = fileLines(folders.eventsLog(clock.now().date));
    ASSERT_GE(log.size(), 2u);
    EXPECT_NE(log.back().find("Event No:2,Date & Time:2026-03-05 134502123,Easting:512345.67,Northing:"
                              "4512345.89,True Depth:12.84,"),
              std::string::npos);
}

} // namespace
} // namespace selvir
