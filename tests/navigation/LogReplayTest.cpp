#include "navigation/LogReplay.h"

#include "core/AtomicFile.h"
#include "core/DataFolders.h"
#include "core/NumberFormat.h"
#include "navigation/SurveyFile.h"
#include "support/ProjOracle.h"
#include "support/TempDir.h"
#include "support/TextLines.h"

#include <gtest/gtest.h>
#include <sstream>

namespace selvir {
namespace {

using test::fileLines;
using test::split;

// A log line of 2026-03-05, `ms` after 13:45:00.000 (under a minute).
std::string logged(int ms, const std::string& line) {
    return formatDateTime(addMilliseconds(LocalDateTime{{2026, 3, 5}, 13, 45, 0, 0}, ms)) + " " + line + "\n";
}

std::string gga(double latMinutes, double lonMinutes) {
    return "$GPGGA,134500.00,41" + formatFixed(latMinutes, 4) + ",N,029" + formatFixed(lonMinutes, 4) +
           ",E,4,12,0.8,10.00,M,35.10,M,,";
}

// The default grid is TM on 30 E, k0 1, FE 500000 on WGS-84; PROJ gives the expected position.
std::pair<double, double> grid(double latDeg, double lonDeg) {
    static const test::ProjOperation tm(
        "+proj=tmerc +ellps=WGS84 +lon_0=30 +lat_0=0 +k=1 +x_0=500000 +y_0=0");
    const PJ_COORD c = tm.forward(proj_torad(lonDeg), proj_torad(latDeg));
    return {c.enu.e, c.enu.n};
}

struct LogReplayTest : ::testing::Test {
    test::TempDir dir;
    std::filesystem::path settingsFile = dir / "SelvirHS.INI";
    std::filesystem::path gnssLog = dir / "2026-03-05 SDZ_GNSS_V3.log";
    std::filesystem::path sbesLog = dir / "2026-03-05 SDZ_SBES_V3.log";
    std::filesystem::path root = dir / "GVX";
    DataFolders folders{root, LocalDate{2026, 3, 5}};
    std::unique_ptr<ProfileStore> settings;
    LogReplayOptions options;
    LogReplayReport report;
    std::string error;

    void SetUp() override {
        settings = std::make_unique<ProfileStore>(settingsFile);
        settings->writeString("SENSOR COMUNICATION SETTINGS", "cSBESMessage", "NMEA DPT");
        settings->writeString("SENSOR COMUNICATION SETTINGS", "eSBESFormat", "%*6s,%lf");
        settings->writeString("ECHOSOUNDER_OFFSETS", "Offset A", "0.50");
        settings->writeString("ECHOSOUNDER_OFFSETS", "SV", "1500");
        options.gnssLog = gnssLog;
        options.sbesLog = sbesLog;
    }

    bool replay() {
        LogReplay run(*settings, root, options);
        return run.run(report, error);
    }

    std::vector<std::vector<std::string>> rows() {
        std::vector<std::vector<std::string>> out;
        const auto lines = fileLines(folders.surveyFile());
        EXPECT_FALSE(lines.empty());
        if (!lines.empty()) {
            EXPECT_EQ(lines[0], kSurveyFileHeader);
        }
        for (std::size_t i = 1; i < lines.size(); ++i) {
            out.push_back(split(lines[i], ','));
            EXPECT_EQ(out.back().size(), 18u) << lines[i];
        }
        return out;
    }
};

// Every row's easting and northing are PROJ's projection of that row's own latitude and longitude.
void expectOwnGridPosition(const std::vector<std::string>& row) {
    ASSERT_FALSE(row[1].empty()) << "a position";
    const auto [e, n] = grid(std::stod(row[1]), std::stod(row[2]));
    EXPECT_NEAR(std::stod(row[3]), e, 0.0051) << row[0];
    EXPECT_NEAR(std::stod(row[4]), n, 0.0051) << row[0];
}

// A depth without a position: empty position fields and fix 0, the depth itself kept.
void expectNoPosition(const std::vector<std::string>& row) {
    for (int column : {1, 2, 3, 4}) {
        EXPECT_EQ(row[static_cast<std::size_t>(column)], "") << row[0] << " column " << column;
    }
    EXPECT_EQ(row[14], "0") << row[0];
    EXPECT_FALSE(row[7].empty()) << row[0];
}

TEST_F(LogReplayTest, MergedLogsGiveRowsOnTheLogClockAtTheirOwnFix) {
    // Fixes every 200 ms from 13:45:00.000, depths between them. Realtime starts with the first line, so
    // the map ticks at .500 and 1.000; the rows do not wait for a tick.
    std::string g, s;
    for (int i = 0; i < 6; ++i) {
        g += logged(i * 200, gga(i, 30 + i));
    }
    ASSERT_TRUE(writeFileAtomically(gnssLog, g));
    s += logged(100, "$SDDPT,10.00,0.5");
    s += logged(700, "$SDDPT,11.00,0.5");
    s += logged(1100, "$SDDPT,12.34,0.5");
    ASSERT_TRUE(writeFileAtomically(sbesLog, s));

    ASSERT_TRUE(replay()) << error;
    EXPECT_EQ(report.gnssLines, 6u);
    EXPECT_EQ(report.sbesLines, 3u);
    EXPECT_EQ(report.rowsWritten, 3u);
    EXPECT_EQ(report.mapTicks, 2u);
    const auto r = rows();
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[0][0], "2026-03-05 134500100");
    EXPECT_EQ(r[0][7], "10.50");
    const double latitudes[] = {41.0, 41 + 3 / 60.0, 41 + 5 / 60.0}; // the fixes of .000, .600, 1.000
    for (std::size_t i = 0; i < r.size(); ++i) {
        EXPECT_EQ(r[i][1], formatGeneral(latitudes[i]));
        expectOwnGridPosition(r[i]);
        EXPECT_EQ(r[i][14], "4");
    }
}

TEST_F(LogReplayTest, DropoutStopsTheMapAndRecoveryResumesItByItself) {
    // Fixes until 13:45:01.000; 10 s after the last read the watchdog reports the receiver idle, which
    // stops the map timer and zeroes the position; depths keep coming. Fixes return at 15.000.
    std::string g;
    for (int i = 0; i <= 5; ++i) {
        g += logged(i * 200, gga(i, 30 + i));
    }
    for (int i = 0; i <= 5; ++i) {
        g += logged(15000 + i * 200, gga(10 + i, 40 + i));
    }
    ASSERT_TRUE(writeFileAtomically(gnssLog, g));
    ASSERT_TRUE(writeFileAtomically(
        sbesLog, logged(10900, "$SDDPT,10.00,0.5") + logged(11100, "$SDDPT,11.00,0.5") +
                     logged(15100, "$SDDPT,12.00,0.5") + logged(16100, "$SDDPT,13.00,0.5")));
    std::vector<std::string> messages;
    options.message = [&](const std::string& text) { messages.push_back(text); };
    ASSERT_TRUE(replay()) << error;
    EXPECT_EQ(report.mapTicks, 24u) << "0.5 s .. 11.0 s, none while silent, again at 15.5 and 16.0";
    const auto r = rows();
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(r[0][1], formatGeneral(41 + 5 / 60.0));
    expectOwnGridPosition(r[0]);
    expectNoPosition(r[1]); // idle at 13:45:11.000: no fix 4 at latitude 0
    EXPECT_EQ(r[2][1], formatGeneral(41 + 10 / 60.0)) << "the first fix after the silence";
    expectOwnGridPosition(r[2]);
    EXPECT_EQ(r[3][1], formatGeneral(41 + 15 / 60.0));
    expectOwnGridPosition(r[3]);
    EXPECT_EQ(r[3][14], "4");
    EXPECT_NE(std::find(messages.begin(), messages.end(), "GPS is idle!"), messages.end());
    std::string events;
    readWholeFile(folders.eventsLog(LocalDate{2026, 3, 5}), events);
    EXPECT_NE(events.find("Auto Event:\t2026-03-05 134511000\tGPS is idle!"), std::string::npos) << events;
    EXPECT_NE(events.find("Auto Event:\t2026-03-05 134511000\tGPS Timeout!"), std::string::npos) << events;
    EXPECT_NE(events.find("Auto Event:\t2026-03-05 134500000\tRealtime STARTED"), std::string::npos);
}

TEST_F(LogReplayTest, EventsLogFixesTheMapTimerPhaseAndTheSessions) {
    // Realtime started at 12:59:59.700 (CR LF lines, as on Windows): ticks at .200 and .700, not .500.
    // Stopped at 1.800 and started again at 2.050: ticks at 2.550.
    const auto eventsFile = dir / "events.log";
    ASSERT_TRUE(writeFileAtomically(eventsFile, "\r\nAuto Event:\t2026-03-05 134459700\tRealtime STARTED"
                                                "\r\nEvent No:1,Date & Time:2026-03-05 134500000,Easting:0.00"
                                                "\r\nAuto Event:\t2026-03-05 134501800\tRealtime STOPPED"
                                                "\r\nAuto Event:\t2026-03-05 134502050\tRealtime STARTED"));
    options.eventsLog = eventsFile;
    std::string g;
    for (int i = 0; i < 8; ++i) {
        if (i * 300 < 1800 || i * 300 > 2050) {
            g += logged(i * 300, gga(i, 30 + i));
        }
    }
    ASSERT_TRUE(writeFileAtomically(gnssLog, g));
    ASSERT_TRUE(writeFileAtomically(sbesLog,
                                    logged(250, "$SDDPT,10.00,0.5") + logged(1000, "$SDDPT,11.00,0.5") +
                                        logged(2080, "$SDDPT,12.00,0.5") + logged(2600, "$SDDPT,13.00,0.5")));
    ASSERT_TRUE(replay()) << error;
    EXPECT_EQ(report.realtimeStarts, 2u);
    EXPECT_EQ(report.mapTicks, 5u) << "0.200, 0.700, 1.200, 1.700, then 2.550";
    const auto r = rows();
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(r[0][1], formatGeneral(41.0)) << "the fix of 0.000";
    expectOwnGridPosition(r[0]);
    EXPECT_EQ(r[1][1], formatGeneral(41 + 3 / 60.0)) << "the fix of 0.900";
    expectOwnGridPosition(r[1]);
    // After the new start the reopened port has brought no fix yet: the previous run's position must
    // not be written as this one's.
    expectNoPosition(r[2]);
    EXPECT_EQ(r[3][1], formatGeneral(41 + 7 / 60.0)) << "the fix of 2.100";
    expectOwnGridPosition(r[3]);
    EXPECT_EQ(r[3][14], "4");
}

TEST_F(LogReplayTest, LinesWithoutTimesAreSkippedAndCounted) {
    ASSERT_TRUE(writeFileAtomically(gnssLog, logged(0, gga(0, 30)) + "$GPGGA,no time\n\n" +
                                                 "2026-13-05 134500000 $GPGGA,bad month\n" +
                                                 logged(100, "")));
    ASSERT_TRUE(writeFileAtomically(sbesLog, "$SDDPT,10.00,0.5\n" + logged(300, "$SDDPT,10.00,0.5")));
    ASSERT_TRUE(replay()) << error;
    EXPECT_EQ(report.skippedLines, 4u);
    ASSERT_EQ(report.skippedExamples.size(), 4u);
    EXPECT_EQ(report.skippedExamples[0], gnssLog.string() + ":2: $GPGGA,no time");
    EXPECT_EQ(report.skippedExamples[1].substr(gnssLog.string().size()),
              ":4: 2026-13-05 134500000 $GPGGA,bad month");
    EXPECT_EQ(report.skippedExamples[3], sbesLog.string() + ":1: $SDDPT,10.00,0.5");
    EXPECT_EQ(report.rowsWritten, 1u);
}

TEST_F(LogReplayTest, UnusableInputsAreRefusedWithTheReason) {
    ASSERT_TRUE(writeFileAtomically(sbesLog, logged(0, "$SDDPT,10.00,0.5")));
    EXPECT_FALSE(replay());
    EXPECT_NE(error.find("cannot read \"" + gnssLog.string() + "\""), std::string::npos) << error;

    ASSERT_TRUE(writeFileAtomically(gnssLog, "$GPGGA,1\n$GPGGA,2\n"));
    options.sbesLog.clear();
    EXPECT_FALSE(replay());
    EXPECT_NE(error.find("\"Log Time\""), std::string::npos) << error;
    EXPECT_EQ(report.skippedLines, 0u) << "nothing ran";

    options.sbesLog = sbesLog;
    options.eventsLog = dir / "missing events.log";
    EXPECT_FALSE(replay());
    EXPECT_NE(error.find("missing events.log"), std::string::npos) << error;

    // A survey file already in the root: the replay would mix its rows with those there.
    options.eventsLog.clear();
    ASSERT_TRUE(folders.createAll());
    ASSERT_TRUE(writeFileAtomically(folders.surveyFile(), std::string(kSurveyFileHeader) + "\n"));
    EXPECT_FALSE(replay());
    EXPECT_NE(error.find("already exists"), std::string::npos) << error;
    EXPECT_EQ(fileLines(folders.surveyFile()).size(), 1u);

    options.mapIntervalMs = 0;
    EXPECT_FALSE(replay());
    EXPECT_NE(error.find("map interval"), std::string::npos) << error;
}

TEST_F(LogReplayTest, DisabledSensorLeavesItsLogUnreplayedAndSaysSo) {
    settings->writeBool("SENSOR COMUNICATION SETTINGS", "Sensor Enabled", false);
    ASSERT_TRUE(writeFileAtomically(gnssLog, logged(0, gga(0, 30))));
    ASSERT_TRUE(
        writeFileAtomically(sbesLog, logged(100, "$SDDPT,10.00,0.5") + logged(200, "$SDDPT,11.00,0.5")));
    ASSERT_TRUE(replay()) << error;
    EXPECT_EQ(report.linesWhileOff, 2u);
    EXPECT_EQ(report.rowsWritten, 0u);
}

TEST_F(LogReplayTest, RowsAreReportedOnceOnDiskAndRawLoggingStaysOff) {
    settings->writeString("GPS1 COMUNICATION SETTINGS", "NMEA LOG", "True");
    settings->writeString("SENSOR COMUNICATION SETTINGS", "NMEA LOG", "True");
    ASSERT_TRUE(writeFileAtomically(gnssLog, logged(0, gga(0, 30))));
    ASSERT_TRUE(writeFileAtomically(sbesLog, logged(100, "$SDDPT,10.00,0.5") + logged(200, "$SDDPT,0,0.5") +
                                                 logged(300, "$SDDPT,11.00,0.5")));
    std::vector<std::pair<std::uint64_t, std::size_t>> reported; // row number, rows on disk then
    options.rowWritten = [&](std::uint64_t row, const LocalDateTime& time) {
        reported.emplace_back(row, fileLines(folders.surveyFile()).size() - 1);
        EXPECT_EQ(time.millisecond, row == 1 ? 100 : 300);
    };
    ASSERT_TRUE(replay()) << error;
    EXPECT_EQ(reported, (std::vector<std::pair<std::uint64_t, std::size_t>>{{1, 1}, {2, 2}}));
    EXPECT_FALSE(std::filesystem::exists(folders.gnssRawLog(LocalDate{2026, 3, 5})));
    EXPECT_FALSE(std::filesystem::exists(folders.sbesRawLog(LocalDate{2026, 3, 5})));
    EXPECT_EQ(report.surveyFile, folders.surveyFile());
}

} // namespace
} // namespace selvir
