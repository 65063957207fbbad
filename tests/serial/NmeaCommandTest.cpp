// selvirhs-tool nmea: raw logs through the reader, CSV out.
#include "cli/Commands.h"
#include "core/AtomicFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace selvir::cli {
namespace {

struct CommandRun {
    int status = 0;
    std::string out;
    std::string err;
};

CommandRun runNmea(const std::vector<std::string>& args) {
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    CommandRun run;
    run.status = runNmeaCommand(CommandArgs(args), {in, out, err});
    run.out = out.str();
    run.err = err.str();
    return run;
}

TEST(NmeaCommand, PrintsEveryPositionAndSpeedChangeWithTheLogTime) {
    test::TempDir dir;
    const auto timed = dir / "2026-03-05 SDZ_GNSS_V3.log";
    ASSERT_TRUE(appendToFile(
        timed, "2026-03-05 134502123 $GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n"
               "2026-03-05 134502200 $GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n"
               "2026-03-05 134502323 $GPVTG,054.7,T,034.4,M,005.5,N,010.2,K\r\n"
               "2026-03-05 134502400 @SMT,12.3\r\n"));
    const auto plain = dir / "plain.log";
    ASSERT_TRUE(appendToFile(plain, "$GPRMC,123519,A,4807.038,S,01131.000,W,022.4,084.4,230394,003.1,W*65\n"
                                    "$GNGGA,123519,4807.038,S,01131.000,W,4,12,0.9,-5.5,M,46.9,M,,*75"));
    const CommandRun run = runNmea({timed.string(), plain.string()});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "time,event,lat,lon,alt,fix,sats,speed_kmh,course\n"
                       "2026-03-05 134502123,pos,48.1173,11.516666666666667,545.4,1,8,0,0\n"
                       "2026-03-05 134502323,speed,48.1173,11.516666666666667,545.4,1,8,10.2,54.7\n"
                       ",speed,0,0,0,0,0,41.4848,0\n"
                       ",pos,-48.1173,-11.516666666666667,-5.5,4,12,41.4848,84.4\n");
}

TEST(NmeaCommand, UnreadableFileIsReportedAndTheOthersStillRun) {
    test::TempDir dir;
    const auto good = dir / "good.log";
    ASSERT_TRUE(appendToFile(good, "$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K\n"));
    const CommandRun run = runNmea({(dir / "missing.log").string(), good.string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("missing.log"), std::string::npos);
    EXPECT_EQ(run.out, "time,event,lat,lon,alt,fix,sats,speed_kmh,course\n,speed,0,0,0,0,0,10.2,54.7\n");
    EXPECT_EQ(runNmea({}).status, 2);
}

} // namespace
} // namespace selvir::cli
