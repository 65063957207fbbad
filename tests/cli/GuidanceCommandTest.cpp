// The runline and guidance commands on a simulated survey: runlines laid 1.5 m west of the simulator's
// lawn-mower lines, the boat's log replayed against them, the line guidance per map tick checked
// against where the simulator truly sailed; and the replay's NMEA output read back by an independent
// parser.
#include "cli/Commands.h"
#include "core/AtomicFile.h"
#include "support/MissingOracle.h"
#include "support/SimulatedRawLogs.h"
#include "support/TempDir.h"

#include <QUdpSocket>
#include <cstdio>
#include <gtest/gtest.h>
#include <sstream>

namespace selvir::cli {
namespace {

struct ToolRun {
    int status;
    std::string out, err;
};

ToolRun tool(std::vector<std::string> args, const std::string& input = {}) {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = runTool(args, {in, out, err});
    return {status, out.str(), err.str()};
}

std::vector<std::string> splitCsv(const std::string& line) {
    std::vector<std::string> fields;
    std::stringstream in(line);
    for (std::string field; std::getline(in, field, ',');) {
        fields.push_back(field);
    }
    if (!line.empty() && line.back() == ',') {
        fields.emplace_back();
    }
    return fields;
}

struct GuidanceCommandTest : ::testing::Test {
    test::TempDir dir;
    std::string settings = (dir / "SelvirHS.INI").string();
    std::string gnss = (dir / "gnss.log").string();
    std::string sbes = (dir / "sbes.log").string();
    std::string lines = (dir / "lines.gvx").string();
    const sim::LawnMowerTrajectory trajectory{sim::TrajectorySettings{}};
    const LocalDateTime start{{2026, 3, 5}, 9, 0, 0, 0};
    static constexpr double kShiftWestM = 1.5;
    // The route lies one spacing west of the first runline, which is the route's not: the route orders
    // the lines and is no line to survey.
    static constexpr double kRouteWestM = 25 + kShiftWestM;

    void SetUp() override {
        ASSERT_TRUE(writeFileAtomically(settings, "[SENSOR COMUNICATION SETTINGS]\ncSBESMessage=NMEA DPT\n"
                                                  "eSBESFormat=%*6s,%lf\n"));
        // Three lines and their turns: 400 m at 5 kn each, half circles of 12.5 m.
        ASSERT_GT(test::writeSimulatedRawLogs(gnss, sbes, start, 540, 2, 0.5).epochs, 0u);
        // The route: the simulator's first line (east 0, 200 m either side of the origin), shifted west.
        std::string geographic;
        for (const double north : {-200.0, 200.0}) {
            double latitude = 0, longitude = 0;
            trajectory.toGeographic(-kRouteWestM, north, latitude, longitude);
            char text[80];
            std::snprintf(text, sizeof text, "%.10f %.10f 0\n", latitude, longitude);
            geographic += text;
        }
        const ToolRun grid = tool({"geo", "--settings", settings}, geographic);
        ASSERT_EQ(grid.status, 0) << grid.err;
        std::istringstream points(grid.out);
        std::string route[2];
        for (std::string& point : route) {
            std::string easting, northing, convergence;
            points >> easting >> northing >> convergence;
            point = easting + "," + northing;
        }
        const ToolRun made = tool({"runlines", "--route", route[0], route[1], "--spacing", "25", "--length",
                                   "75", "--parallel", "--gvx", lines});
        ASSERT_EQ(made.status, 0) << made.err;
        ASSERT_EQ(std::count(made.out.begin(), made.out.end(), '\n'), 6) << "three lines on each side";
    }
};

TEST_F(GuidanceCommandTest, EveryMapTickAgainstTheLinesTheBoatSailed) {
    const ToolRun run = tool({"guidance", "--settings", settings, "--lines", lines, gnss});
    ASSERT_EQ(run.status, 0) << run.err;
    std::istringstream rows(run.out);
    std::string header;
    std::getline(rows, header);
    EXPECT_EQ(header, "time,line,xte_m,along_m,to_go_m,bearing_deg");

    // Lines in sailing order: 1, 2 and 3 west of the route, 4, 5 and 6 east of it (the route, 26.5 m west
    // of the boat's first line, is none). The boat runs north at east 0, south 25 m east and north 50 m
    // east: lines 4, 5 and 6, each 1.5 m west of the boat; then it sails a fourth line 75 m east, where
    // auto-advance offers the nearest line not yet run, line 3 (126.5 m west).
    std::vector<std::string> sequence;
    int ticks = 0, checked = 0;
    for (std::string row; std::getline(rows, row); ++ticks) {
        const auto f = splitCsv(row);
        ASSERT_EQ(f.size(), 6u) << row;
        ASSERT_EQ(f[0], formatDateTime(addMilliseconds(start, 500 * (ticks + 1)))) << "a row per map tick";
        if (f[1].empty()) {
            continue;
        }
        if (sequence.empty() || sequence.back() != f[1]) {
            sequence.push_back(f[1]);
        }
        const double elapsedS = ticks * 0.5 + 0.5;
        const sim::VesselPose pose = trajectory.poseAt(elapsedS);
        const double along = std::stod(f[3]);
        if (pose.turning || pose.lineNumber > 2 || along < 5 || along > 395) {
            continue;
        }
        ++checked;
        const bool north = pose.courseDeg < 90 || pose.courseDeg > 270;
        EXPECT_NEAR(std::stod(f[2]), north ? kShiftWestM : -kShiftWestM, 0.02) << row;
        EXPECT_NEAR(along, north ? pose.northM + 200 : 200 - pose.northM, 0.5) << row;
        EXPECT_NEAR(along + std::stod(f[4]), 400, 0.1) << "the grid length: 400 m at the grid scale" << row;
    }
    EXPECT_EQ(sequence, (std::vector<std::string>{"4", "5", "6", "3"}));
    EXPECT_GT(ticks, 1000);
    EXPECT_GT(checked, 800);
}

TEST_F(GuidanceCommandTest, BadArgumentsAreUsageErrorsAndALayoutWithoutRunlinesFails) {
    EXPECT_EQ(tool({"guidance", "--settings", settings, gnss}).status, 2);
    EXPECT_EQ(tool({"runlines", "--route", "0,0"}).status, 2);
    EXPECT_EQ(tool({"runlines", "--route", "0,0", "10;10"}).status, 2);
    const ToolRun tooMany = tool({"runlines", "--route", "0,0", "1000,0", "--spacing", "0.01"});
    EXPECT_EQ(tooMany.status, 1);
    EXPECT_NE(tooMany.err.find("100001 lines are too many"), std::string::npos) << tooMany.err;
    const ToolRun letters = tool({"runlines", "--route", "0,0", "10,0", "--spacing", "abc"});
    EXPECT_EQ(letters.status, 0);
    EXPECT_NE(letters.err.find("spacing \"abc\" is not a number: 10 is used"), std::string::npos);
    EXPECT_EQ(std::count(letters.out.begin(), letters.out.end(), '\n'), 2);

    const std::string empty = (dir / "empty.gvx").string();
    ASSERT_TRUE(writeFileAtomically(empty, "LAYER Default\nLINE 0 0 1 1 0\n"));
    const ToolRun none = tool({"guidance", "--settings", settings, "--lines", empty, gnss});
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.err.find("holds no runlines"), std::string::npos);
}

TEST_F(GuidanceCommandTest, TheReplaySendsSentencesTheParserReads) {
    if (std::system("python3 -c 'import sys' >/dev/null 2>&1") != 0) {
        SELVIR_ORACLE_MISSING("python3 is not installed");
    }
    QUdpSocket receiver;
    ASSERT_TRUE(receiver.bind(QHostAddress::LocalHost, 0));
    const std::string address = "127.0.0.1:" + std::to_string(receiver.localPort());
    EXPECT_EQ(tool({"replay", "--settings", settings, "--root", (dir / "bad").string(), "--nmea-out",
                    "nowhere", gnss})
                  .status,
              2);
    const ToolRun run = tool({"replay", "--settings", settings, "--root", (dir / "GVX").string(), "--lines",
                              lines, "--nmea-out", address, gnss, sbes});
    ASSERT_EQ(run.status, 0) << run.err;
    std::string datagrams;
    while (receiver.hasPendingDatagrams() || receiver.waitForReadyRead(200)) {
        QByteArray bytes(static_cast<int>(receiver.pendingDatagramSize()), '\0');
        receiver.readDatagram(bytes.data(), bytes.size());
        datagrams += bytes.toStdString();
    }
    ASSERT_TRUE(writeFileAtomically(dir / "sent.nmea", datagrams));
    const std::string command = "python3 " + std::string(SELVIR_SOURCE_DIR) +
                                "/tests/navigation/nmea_check.py '" + (dir / "sent.nmea").string() + "'";
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    // Datagrams sent faster than this test reads them may be dropped: every one that arrives must be
    // sound, and the boat 1.5 m off the line it sails.
    std::map<std::string, int> counts;
    int offByTheShift = 0;
    char line[512];
    while (std::fgets(line, sizeof line, pipe)) {
        const std::string text(line);
        ++counts[text.substr(0, text.find(' '))];
        if (text.rfind("BAD", 0) == 0) {
            ADD_FAILURE() << text;
        }
        if (const auto at = text.find(" xte_m="); text.rfind("XTE", 0) == 0 && at != std::string::npos) {
            offByTheShift += std::abs(std::abs(std::stod(text.substr(at + 7))) - kShiftWestM) < 0.05 ? 1 : 0;
        }
    }
    ::pclose(pipe);
    EXPECT_GT(counts["DPT"], 10);
    EXPECT_GT(counts["XTE"], 10);
    EXPECT_GT(counts["APB"], 10);
    EXPECT_GT(offByTheShift, counts["XTE"] / 2);
}

} // namespace
} // namespace selvir::cli
