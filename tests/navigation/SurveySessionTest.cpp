#include "navigation/SurveySession.h"

#include "core/AtomicFile.h"
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

struct SurveySessionTest : ::testing::Test {
    test::TempDir dir;
    ManualClock clock{LocalDateTime{{2026, 3, 5}, 13, 45, 2, 123}};
    DataFolders folders{dir / "GVX", LocalDate{2026, 3, 5}};
    std::unique_ptr<ProfileStore> settings;
    MemorySerialDevice* gps = nullptr;
    MemorySerialDevice* sensor = nullptr;
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
        session->ZGPS1().setTimersEnabled(false);
        session->ZSENSOR().setTimersEnabled(false);
    }

    void gnss(const std::string& line) {
        gps->feed(line + "\r\n");
        session->ZGPS1().PollTick();
    }
    void depth(const std::string& line) {
        sensor->feed(line + "\r\n");
        session->ZSENSOR().PollTick();
    }
};

TEST_F(SurveySessionTest, StartWritesSessionLogOpensBothPortsAndLogsTheSwitch) {
    settings->writeString("GPS1 COMUNICATION SETTINGS", "Port No", "COM3");
    settings->writeString("SENSOR COMUNICATION SETTINGS", "Port No", "COM4");
    makeSession();
    session->startRealtime();
    EXPECT_TRUE(session->realtimeOn());
    EXPECT_TRUE(session->ZGPS1().Active());
    EXPECT_TRUE(session->ZSENSOR().Active());
    EXPECT_EQ(gps->lastPath(), "/dev/test3");
    EXPECT_EQ(sensor->lastPath(), "/dev/test4");
    EXPECT_EQ(session->ZGPS1().LogFileName, folders.gnssRawLog(clock.now().date).string());
    EXPECT_EQ(session->ZSENSOR().LogFileName, folders.sbesRawLog(clock.now().date).string());
    EXPECT_TRUE(std::filesystem::exists(folders.geodesyLog(clock.now().date)));

    session->stopRealtime();
    EXPECT_FALSE(session->ZGPS1().Active());
    EXPECT_FALSE(session->ZSENSOR().Active());
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
    EXPECT_TRUE(session->ZGPS1().Active());
    EXPECT_FALSE(session->ZSENSOR().Active());
    EXPECT_FALSE(session->sensorOpenedAtStart());
}

TEST_F(SurveySessionTest, DepthAfterAMapTickIsWrittenAtTheTickGridPosition) {
    makeSession();
    session->startRealtime();
    gnss("$GPGGA,134502.00,4100.0000,N,02930.0000,E,4,12,0.8,10.00,M,35.10,M,,");
    ASSERT_EQ(session->mapTick(), MapUpdate::Tick::Done);
    depth("$SDDPT,12.34,0.5");

    // Independent check of the grid position: the default grid is TM on 30 E, k0 1, FE 500000.
    const test::ProjOperation tm("+proj=tmerc +ellps=WGS84 +lon_0=30 +lat_0=0 +k=1 +x_0=500000 +y_0=0");
    const PJ_COORD grid = tm.forward(proj_torad(29.5), proj_torad(41.0));
    const double e = grid.enu.e, n = grid.enu.n;
    const auto rows = fileLines(folders.surveyFile());
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], kSurveyFileHeader);
    std::vector<std::string> fields;
    std::istringstream row(rows[1]);
    for (std::string f; std::getline(row, f, ',');) {
        fields.push_back(f);
    }
    ASSERT_EQ(fields.size(), 18u);
    EXPECT_NEAR(std::stod(fields[3]), e, 0.006);
    EXPECT_NEAR(std::stod(fields[4]), n, 0.006);
    EXPECT_EQ(fields[7], "12.84");
    EXPECT_EQ(fields[11], "NMEA DPT");
    EXPECT_EQ(session->survey().rowsWritten(), 1u);
}

TEST_F(SurveySessionTest, TableFormatsDecodeWithTheTablePatternOtherWithTheUsersOwn) {
    // The field's start text "%*8s,%lf" stored: it reads one value where "Selvir SMT" needs two; the
    // running program has the table's pattern in the field by then.
    settings->writeString("SENSOR COMUNICATION SETTINGS", "cSBESMessage", "Selvir SMT");
    settings->writeString("SENSOR COMUNICATION SETTINGS", "eSBESFormat", "%*8s,%lf");
    makeSession();
    session->startRealtime();
    depth("$SMT0001,12.34,12.6");
    EXPECT_EQ(session->survey().rowsWritten(), 1u);
    EXPECT_EQ(session->readout().lDepthHi, "12.84");

    settings->writeString("SENSOR COMUNICATION SETTINGS", "cSBESMessage", "OTHER");
    settings->writeString("SENSOR COMUNICATION SETTINGS", "eSBESFormat", "DEPTH=%lf");
    depth("DEPTH=7.5");
    EXPECT_EQ(session->survey().rowsWritten(), 2u);
    EXPECT_EQ(session->readout().lDepthHi, "8.00");
}

TEST_F(SurveySessionTest, ProfileTickedUsesTodaysSavedColumnAndFallsBackWithoutOne) {
    settings->writeBool("SVP", "cUseSVP", true);
    makeSession();
    session->startRealtime();
    depth("$SDDPT,12.60,0.5");
    EXPECT_EQ(session->sensor().lastSoundVelocity(), 1500); // no column saved: the single value
    session->stopRealtime();

    std::string column;
    for (int metre = 0; metre < 20; ++metre) {
        column += (metre == 13 ? "1480.00" : "1500.00") + std::string("\r\n");
    }
    ASSERT_TRUE(writeFileAtomically(folders.svpFolder() / "2026-03-05 mSVPColumn.ini", column));
    session->startRealtime();
    depth("$SDDPT,12.60,0.5");
    EXPECT_EQ(session->sensor().lastSoundVelocity(), 1480);
    EXPECT_EQ(session->readout().lDepthHi, "12.93"); // 12.6 * 1480 / 1500 + 0.5
}

TEST_F(SurveySessionTest, EventMarkUsesTheLastTickPositionAndTheReadout) {
    makeSession();
    session->state().Easting = 512345.674;
    session->state().Northing = 4512345.886;
    session->readout().lDepthHi = "12.84";
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
