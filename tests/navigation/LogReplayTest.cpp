#include "navigation/LogReplay.h"

#include "core/AtomicFile.h"
#include "core/DataFolders.h"
#include "core/NumberFormat.h"
#include "navigation/SurveyFile.h"
#include "support/ProjOracle.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sstream>

namespace selvir {
namespace {

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);) {
        out.push_back(part);
    }
    return out;
}

std::vector<std::string> fileLines(const std::filesystem::path& file) {
    std::string text;
    readWholeFile(file, text);
    return split(text, '\n');
}

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

TEST_F(LogReplayTest, MergedLogsGiveRowsOnTheLogClockAtTheLastTickPosition) {
    // Fixes every 200 ms from 13:45:00.000, depths between them. Realtime starts with the first line, so
    // the map ticks at .500 and 1.000: the first depth has no grid position yet.
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
    EXPECT_EQ(r[0][3], "0.00") << "no map tick before the first depth";
    EXPECT_EQ(r[0][1], formatGeneral(41.0)) << "the fix of 13:45:00.000";
    EXPECT_EQ(r[0][7], "10.50");

    // 13:45:00.700: the tick of .500 used the fix of .400 (lat 41 02', lon 29 32').
    EXPECT_EQ(r[1][0], "2026-03-05 134500700");
    auto [e, n] = grid(41 + 2 / 60.0, 29 + 32 / 60.0);
    EXPECT_NEAR(std::stod(r[1][3]), e, 0.0051);
    EXPECT_NEAR(std::stod(r[1][4]), n, 0.0051);
    EXPECT_EQ(r[1][1], formatGeneral(41 + 3 / 60.0)) << "the row's own position is the latest fix (.600)";

    // 13:45:01.100: the tick of 1.000 came after the fix logged at 1.000 (lines first at equal times).
    std::tie(e, n) = grid(41 + 5 / 60.0, 29 + 35 / 60.0);
    EXPECT_NEAR(std::stod(r[2][3]), e, 0.0051);
    EXPECT_NEAR(std::stod(r[2][4]), n, 0.0051);
    EXPECT_EQ(r[2][14], "4");
}

} // namespace
} // namespace selvir
