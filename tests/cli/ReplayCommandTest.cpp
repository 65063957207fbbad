#include "cli/Commands.h"
#include "core/AtomicFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sstream>

namespace selvir::cli {
namespace {

struct ToolRun {
    int status;
    std::string out, err;
};

ToolRun replay(std::vector<std::string> args) {
    args.insert(args.begin(), "replay");
    std::istringstream in;
    std::ostringstream out, err;
    const int status = runTool(args, {in, out, err});
    return {status, out.str(), err.str()};
}

struct ReplayCommandTest : ::testing::Test {
    test::TempDir dir;
    std::string settings = (dir / "SelvirHS.INI").string();
    std::string gnss = (dir / "gnss.log").string();
    std::string sbes = (dir / "sbes.log").string();
    std::string root = (dir / "GVX").string();

    void SetUp() override {
        ASSERT_TRUE(writeFileAtomically(settings, "[SENSOR COMUNICATION SETTINGS]\ncSBESMessage=NMEA DPT\n"
                                                  "eSBESFormat=%*6s,%lf\n"));
        ASSERT_TRUE(writeFileAtomically(
            gnss,
            "2026-03-05 134500000 $GPGGA,134500.00,4100.0000,N,02930.0000,E,4,12,0.8,10.00,M,35.10,M,,\n"));
    }
};

TEST_F(ReplayCommandTest, VerboseRunListsEveryRowThenTheSummary) {
    ASSERT_TRUE(writeFileAtomically(sbes, "2026-03-05 134500100 $SDDPT,10.00,0.5\n"
                                          "2026-03-05 134500900 $SDDPT,11.00,0.5\n"));
    const ToolRun run = replay({"--settings", settings, "--root", root, "--verbose", gnss, sbes});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, run.out.find("replayed")),
              "row 1 2026-03-05 134500100\nrow 2 2026-03-05 134500900\n");
    EXPECT_NE(run.out.find("replayed 1 GNSS and 2 echosounder line(s) from 2026-03-05 134500000 to "
                           "2026-03-05 134500900, 1 map update(s)\n2 row(s) written to \""),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.err.find("message: Connected to GPS on COM1"), std::string::npos) << run.err;
}

TEST_F(ReplayCommandTest, SkippedLinesAreListedAndGiveStatusThree) {
    ASSERT_TRUE(writeFileAtomically(sbes, "$SDDPT,10.00,0.5\n2026-03-05 134500900 $SDDPT,11.00,0.5\n"));
    const ToolRun run = replay({"--settings", settings, "--root", root, gnss, sbes});
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.err.find("1 line(s) without a date and time prefix were skipped; the first of them:\n  " +
                           sbes + ":1: $SDDPT,10.00,0.5\n"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.out.find("1 row(s) written"), std::string::npos);
}

TEST_F(ReplayCommandTest, BadArgumentsAndMissingFilesAreRefused) {
    EXPECT_EQ(replay({}).status, 2);
    EXPECT_EQ(replay({"--settings", settings, gnss}).status, 2) << "no root";
    EXPECT_EQ(replay({"--settings", settings, "--root", root, gnss, sbes, gnss}).status, 2);
    const ToolRun interval = replay({"--settings", settings, "--root", root, "--map-interval", "50", gnss});
    EXPECT_EQ(interval.status, 2);
    EXPECT_NE(interval.err.find("100 to 5000"), std::string::npos);
    const ToolRun noSettings = replay({"--settings", settings + ".missing", "--root", root, gnss});
    EXPECT_EQ(noSettings.status, 1);
    EXPECT_NE(noSettings.err.find("cannot read the settings file"), std::string::npos);
    const ToolRun noLog = replay({"--settings", settings, "--root", root, gnss, sbes});
    EXPECT_EQ(noLog.status, 1);
    EXPECT_NE(noLog.err.find("cannot read \"" + sbes + "\""), std::string::npos) << noLog.err;
}

} // namespace
} // namespace selvir::cli
