// The simulator driven in-process: its schedule stepped by hand, its terminals read from the program's
// side, its truth and mapping files checked.
#include "sim/Simulator.h"

#include "core/AtomicFile.h"
#include "core/ProfileStore.h"
#include "support/TempDir.h"

#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace selvir::sim {
namespace {

class Port {
public:
    explicit Port(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK)) {}
    ~Port() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    bool ok() const { return fd_ >= 0; }
    // The lines waiting, and whether the device has gone.
    std::vector<std::string> lines(bool* gone = nullptr) {
        char chunk[4096];
        ssize_t n = 0;
        while ((n = ::read(fd_, chunk, sizeof chunk)) > 0) {
            pending_.append(chunk, static_cast<std::size_t>(n));
        }
        if (gone) {
            *gone = n == 0 || (n < 0 && errno == EIO);
        }
        std::vector<std::string> out;
        for (std::size_t end; (end = pending_.find("\r\n")) != std::string::npos;) {
            out.push_back(pending_.substr(0, end));
            pending_.erase(0, end + 2);
        }
        return out;
    }

private:
    int fd_;
    std::string pending_;
};

std::vector<std::string> types(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const auto& line : lines) {
        out.push_back(line.substr(3, 3));
    }
    return out;
}

TEST(SimulatorSteps, DepthsFollowTheEpochsByTheOffset) {
    std::string error;
    auto options = parseSimOptions({"--rate", "2", "--sbes-rate", "2", "--sbes-offset", "0.25"}, error);
    ASSERT_TRUE(options) << error;
    Simulator sim(*options);
    ASSERT_TRUE(sim.start(error)) << error;
    Port gnss(sim.gnssPath());
    Port sbes(sim.sbesPath());
    ASSERT_TRUE(gnss.ok() && sbes.ok());
    EXPECT_NEAR(sim.step(0.0), 0.05, 1e-9) << "next look within the 50 ms limit";
    EXPECT_FALSE(gnss.lines().empty());
    EXPECT_TRUE(sbes.lines().empty()) << "no depth at 0 s";
    sim.step(0.24);
    EXPECT_TRUE(sbes.lines().empty());
    EXPECT_NEAR(sim.step(0.25), 0.05, 1e-9);
    EXPECT_EQ(sbes.lines().size(), 1u) << "the first depth at 0.25 s";
    sim.step(0.70);
    EXPECT_TRUE(sbes.lines().empty());
    EXPECT_EQ(gnss.lines().size(), 4u) << "the epoch of 0.5 s";
    sim.step(0.75);
    EXPECT_EQ(sbes.lines().size(), 1u) << "the next at 0.75 s";
    EXPECT_FALSE(parseSimOptions({"--sbes-offset", "-1"}, error));
}

TEST(SimulatorSteps, SendsEachEpochOnScheduleAndRecordsTheTruth) {
    test::TempDir dir;
    std::string error;
    auto options = parseSimOptions({"--truth", (dir / "truth.csv").string(), "--write-mapping",
                                    (dir / "SelvirHS.INI").string(), "--gnss-com", "3", "--sbes-com", "4",
                                    "--sbes-format", "dpt", "--sbes-rate", "10"},
                                   error);
    ASSERT_TRUE(options) << error;
    Simulator sim(*options);
    ASSERT_TRUE(sim.start(error)) << error;
    const ProfileStore store(dir / "SelvirHS.INI");
    EXPECT_EQ(store.readString("SERIAL_DEVICES", "COM3"), sim.gnssPath());
    EXPECT_EQ(store.readString("SERIAL_DEVICES", "COM4"), sim.sbesPath());
    Port gnss(sim.gnssPath());
    Port sbes(sim.sbesPath());
    ASSERT_TRUE(gnss.ok() && sbes.ok());

    const double wait = sim.step(0.0);
    EXPECT_GT(wait, 0.0);
    EXPECT_LE(wait, 0.05 + 1e-9) << "the loop looks at least every 50 ms";
    EXPECT_EQ(types(gnss.lines()), (std::vector<std::string>{"GGA", "RMC", "VTG", "HDT", "ZDA"}));
    EXPECT_EQ(types(sbes.lines()), (std::vector<std::string>{"DPT"}));
    sim.step(0.1);
    EXPECT_TRUE(gnss.lines().empty());
    EXPECT_EQ(sbes.lines().size(), 1u);
    sim.step(0.2);
    EXPECT_EQ(types(gnss.lines()), (std::vector<std::string>{"GGA", "RMC", "VTG", "HDT"}))
        << "ZDA once a second";
    sim.step(1.0);
    EXPECT_EQ(gnss.lines().size(), 4u * 4u + 1u) << "the epochs of 0.4, 0.6, 0.8 and 1.0 s, ZDA at 1.0";
    // GNSS 5 + 4 + 17, depths at 0, 0.1, 0.2 and eight more up to 1.0 s.
    EXPECT_EQ(sim.messagesSent(), 5u + 4u + 17u + 3u + 8u);

    std::string truth;
    ASSERT_TRUE(readWholeFile(dir / "truth.csv", truth));
    std::istringstream in(truth);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, TruthLog::header());
    std::size_t rows = 0;
    while (std::getline(in, line)) {
        ++rows;
    }
    EXPECT_EQ(rows, sim.messagesSent());
}

TEST(SimulatorSteps, SilencesAndTheClosedDevice) {
    std::string error;
    auto options =
        parseSimOptions({"--silence-every", "1", "--silence-for", "0.5", "--close-after", "3"}, error);
    ASSERT_TRUE(options) << error;
    Simulator sim(*options);
    ASSERT_TRUE(sim.start(error)) << error;
    Port gnss(sim.gnssPath());
    Port sbes(sim.sbesPath());
    sim.step(0.8);
    EXPECT_FALSE(gnss.lines().empty());
    sim.step(1.2); // inside the silence
    EXPECT_TRUE(gnss.lines().empty());
    EXPECT_FALSE(sbes.lines().empty()) << "faults apply to the GNSS stream by default";
    sim.step(1.6);
    EXPECT_FALSE(gnss.lines().empty());
    sim.step(3.0);
    bool gone = false;
    gnss.lines(&gone);
    EXPECT_TRUE(gone) << "the program's side sees the device vanish";
    sim.step(3.2);
    EXPECT_FALSE(sbes.lines().empty());
}

TEST(SimulatorSteps, ReplaySendsTheLoggedLinesAtTheirOffsets) {
    test::TempDir dir;
    ASSERT_TRUE(
        appendToFile(dir / "raw.log", "2026-03-05 120000000 $GPGGA,1\n2026-03-05 120000500 $GPGGA,2\n"));
    std::string error;
    auto options = parseSimOptions({"--replay", (dir / "raw.log").string()}, error);
    ASSERT_TRUE(options) << error;
    Simulator sim(*options);
    ASSERT_TRUE(sim.start(error)) << error;
    Port gnss(sim.gnssPath());
    sim.step(0.0);
    EXPECT_EQ(gnss.lines(), (std::vector<std::string>{"$GPGGA,1"}));
    sim.step(0.4);
    EXPECT_TRUE(gnss.lines().empty());
    sim.step(0.5);
    EXPECT_EQ(gnss.lines(), (std::vector<std::string>{"$GPGGA,2"}));
}

TEST(SimulatorSteps, MissingReplayFileIsAStartError) {
    std::string error;
    auto options = parseSimOptions({"--replay", "/nonexistent/raw.log"}, error);
    ASSERT_TRUE(options);
    Simulator sim(*options);
    EXPECT_FALSE(sim.start(error));
    EXPECT_NE(error.find("replay"), std::string::npos) << error;
}

} // namespace
} // namespace selvir::sim
