// The survey file survives the program being killed: selvirhs-tool replay of a simulated survey is
// killed with SIGKILL at random moments; each time the file must hold one header, only complete rows,
// and every row the tool reported written before it died. scripts/durability.sh runs it on a longer
// survey (SELVIR_DURABILITY_MINUTES, SELVIR_DURABILITY_KILLS, SELVIR_DURABILITY_SEED).
#include "core/AtomicFile.h"
#include "core/DataFolders.h"
#include "core/ProfileStore.h"
#include "navigation/PortChoices.h"
#include "navigation/SurveyFile.h"
#include "support/SimulatedRawLogs.h"
#include "support/TempDir.h"

#include <charconv>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <iostream>
#include <poll.h>
#include <random>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace selvir {
namespace {

using Clock = std::chrono::steady_clock;

double environmentNumber(const char* name, double fallback) {
    const char* text = std::getenv(name);
    return text && *text ? std::atof(text) : fallback;
}

// selvirhs-tool replay --verbose as a child with its standard output on a pipe.
class ReplayProcess {
public:
    explicit ReplayProcess(const std::vector<std::string>& args) {
        int fds[2];
        if (::pipe(fds) != 0) {
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        std::vector<char*> argv;
        const std::string program = std::string(SELVIR_BIN_DIR) + "/selvirhs-tool";
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        ::close(fds[1]);
        out_ = fds[0];
    }
    ~ReplayProcess() {
        kill();
        if (out_ >= 0) {
            ::close(out_);
        }
    }
    bool started() const { return pid_ > 0; }

    // Reads the output until `deadline` or the end of the output.
    void readUntil(Clock::time_point deadline) {
        while (!ended_) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0) {
                return;
            }
            pollfd fd{out_, POLLIN, 0};
            if (::poll(&fd, 1, static_cast<int>(left.count())) > 0) {
                readSome();
            }
        }
    }
    void kill() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            wait();
        }
    }
    // Reads the output to its end (the child would block on a full pipe otherwise), then reaps it.
    int wait() {
        while (!ended_) {
            readSome();
        }
        int status = 0;
        if (pid_ > 0) {
            ::waitpid(pid_, &status, 0);
            pid_ = -1;
            exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        return exitStatus_;
    }
    // The highest row number the tool reported ("row N ...").
    std::uint64_t rowsReported() const {
        std::uint64_t rows = 0;
        std::istringstream in(output_);
        for (std::string line; std::getline(in, line);) {
            if (line.rfind("row ", 0) == 0 && line.find(' ', 4) != std::string::npos) {
                rows = std::max<std::uint64_t>(rows, std::stoull(line.substr(4)));
            }
        }
        return rows;
    }

private:
    void readSome() {
        char buffer[65536];
        const ssize_t n = ::read(out_, buffer, sizeof buffer);
        if (n <= 0) {
            ended_ = true;
            return;
        }
        // Only whole lines count as reported: the tool may die inside a line.
        output_.append(buffer, static_cast<std::size_t>(n));
    }

    pid_t pid_ = -1;
    int out_ = -1;
    int exitStatus_ = -1;
    bool ended_ = false;
    std::string output_;
};

TEST(SurveyDurability, KilledReplayLeavesOnlyCompleteRowsAndEveryReportedOne) {
    const double minutes = environmentNumber("SELVIR_DURABILITY_MINUTES", 10);
    const int kills = static_cast<int>(environmentNumber("SELVIR_DURABILITY_KILLS", 20));
    std::uint32_t seed = std::random_device{}();
    if (const char* text = std::getenv("SELVIR_DURABILITY_SEED"); text != nullptr && *text != '\0') {
        const char* end = text + std::strlen(text);
        const auto [stop, error] = std::from_chars(text, end, seed);
        ASSERT_TRUE(error == std::errc() && stop == end)
            << "SELVIR_DURABILITY_SEED=" << text << " is not a seed (a whole number from 0 to 4294967295)";
    }
    // Printed before anything can fail, so every run can be repeated.
    std::cout << "[ durability ] seed " << seed << " (SELVIR_DURABILITY_SEED=" << seed << " repeats this run)"
              << std::endl;
    SCOPED_TRACE("SELVIR_DURABILITY_SEED=" + std::to_string(seed));

    test::TempDir dir;
    const auto settingsFile = dir / "SelvirHS.INI";
    ProfileStore settings(settingsFile);
    settings.writeString(kSensorPortSection, "cSBESMessage", "NMEA DPT");
    settings.writeString(kSensorPortSection, "eSBESFormat", "%*6s,%lf");
    settings.writeString("ECHOSOUNDER_OFFSETS", "Offset A", "0.5");
    const LocalDateTime start{{2026, 3, 5}, 10, 0, 0, 0};
    const auto gnssLog = dir / "gnss.log";
    const auto sbesLog = dir / "sbes.log";
    const test::SimulatedLogs logs =
        test::writeSimulatedRawLogs(gnssLog, sbesLog, start, minutes * 60, 5, 0.5);
    ASSERT_GT(logs.depths, 0u);
    auto arguments = [&](const std::filesystem::path& root) {
        return std::vector<std::string>{"replay",      "--settings", settingsFile.string(), "--root",
                                        root.string(), "--verbose",  gnssLog.string(),      sbesLog.string()};
    };
    auto surveyText = [&](const std::filesystem::path& root) {
        std::string text;
        readWholeFile(DataFolders(root, start.date).surveyFile(), text);
        return text;
    };

    // The whole replay once: the rows every killed run must start with, and how long it takes.
    const auto began = Clock::now();
    ReplayProcess whole(arguments(dir / "whole"));
    ASSERT_TRUE(whole.started());
    ASSERT_EQ(whole.wait(), 0);
    const auto runTime = Clock::now() - began;
    const std::string reference = surveyText(dir / "whole");
    ASSERT_EQ(whole.rowsReported(), logs.depths);
    const std::string header = std::string(kSurveyFileHeader) + "\n";
    ASSERT_EQ(reference.rfind(header, 0), 0u);

    std::mt19937 random(seed);
    // Kills at shares of the uninterrupted run's time, so a seed given again kills at about the same points
    // of the replay although one run's time differs from another's.
    std::uniform_real_distribution<double> share(0.0, 1.0);
    std::ostringstream summary;
    for (int k = 0; k < kills; ++k) {
        const auto root = dir / ("killed" + std::to_string(k));
        const auto delay = std::chrono::duration_cast<std::chrono::microseconds>(runTime * share(random));
        ReplayProcess replay(arguments(root));
        ASSERT_TRUE(replay.started());
        replay.readUntil(Clock::now() + delay);
        replay.kill();
        const std::uint64_t reported = replay.rowsReported();
        const std::string text = surveyText(root);
        SCOPED_TRACE("kill " + std::to_string(k) + " after " + std::to_string(delay.count()) + " us");
        if (text.empty()) {
            EXPECT_EQ(reported, 0u) << "rows reported but no survey file";
            summary << " -";
            continue;
        }
        // Every row complete and right: the file is a whole-line beginning of the uninterrupted one.
        EXPECT_EQ(text.back(), '\n') << "a row was cut";
        EXPECT_EQ(reference.compare(0, text.size(), text), 0)
            << "the file differs from the uninterrupted run";
        EXPECT_EQ(text.rfind(header, 0), 0u);
        EXPECT_EQ(text.find("Date,", 1), std::string::npos) << "a second header";
        const auto rows = static_cast<std::uint64_t>(std::count(text.begin(), text.end(), '\n') - 1);
        EXPECT_GE(rows, reported) << "a reported row is missing";
        summary << ' ' << rows << '/' << reported;
    }
    std::cout << "[ durability ] " << logs.depths << " depths, whole replay "
              << std::chrono::duration_cast<std::chrono::milliseconds>(runTime).count() << " ms, seed "
              << seed << "; rows on disk/reported at each kill:" << summary.str() << '\n';
}

} // namespace
} // namespace selvir
