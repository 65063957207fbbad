#include "cli/Commands.h"
#include "core/AtomicFile.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <regex>
#include <set>
#include <sstream>
#include <sys/wait.h>

namespace selvir::cli {
namespace {

struct Run {
    int status;
    std::string out, err;
};

Run runWith(const std::vector<std::string>& args, const std::string& input) {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = runTool(args, {in, out, err});
    return {status, out.str(), err.str()};
}

TEST(ScanCommand, PrintsCountAndValuesPerLine) {
    const auto run =
        runWith({"scan", "%*8s,%lf,%lf"}, "$SMT0001,12.34,12.6\r\n$SMT0001,7\nnothing here\nnothing\n\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "2\t12.34\t12.6\n1\t7\n0\n-1\n-1\n");
}

TEST(ScanCommand, NumbersInShortestFormByKind) {
    const auto run = runWith({"scan", "%f %lf %Lf %d %s"}, "0.1 0.1 0.1 -7 word\n");
    EXPECT_EQ(run.out, "5\t0.1\t0.1\t0.1\t-7\tword\n");
}

TEST(ScanCommand, InvalidPatternIsStatusTwoWithTheReason) {
    const auto run = runWith({"scan", "%lf%n"}, "1.5\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("%n"), std::string::npos);
    EXPECT_EQ(runWith({"scan"}, "").status, 2);
}

// The README is the surveyor's list of subcommands: every one it names must run, and every one the
// tool has must be in it and in the help text.
TEST(Tool, TheReadmeAndTheToolNameTheSameSubcommands) {
    std::string readme;
    ASSERT_TRUE(readWholeFile(std::filesystem::path(SELVIR_SOURCE_DIR) / "README.md", readme));
    std::set<std::string> documented;
    const std::regex mention("selvirhs-tool ([a-z][a-z-]*)");
    for (auto it = std::sregex_iterator(readme.begin(), readme.end(), mention); it != std::sregex_iterator();
         ++it) {
        documented.insert((*it)[1]);
    }
    documented.erase("help");
    ASSERT_GE(documented.size(), 5U);
    const auto help = runWith({"--help"}, "");
    EXPECT_EQ(help.status, 0);
    for (const std::string& name : documented) {
        const auto run = runWith({name}, "");
        EXPECT_EQ(run.err.find("unknown command"), std::string::npos) << name << " is in the README only";
        EXPECT_NE(help.out.find("  " + name + " "), std::string::npos) << name << " is missing from --help";
    }
    for (const Command& command : commands()) {
        EXPECT_TRUE(documented.count(command.name)) << command.name << " is missing from the README";
    }
    EXPECT_EQ(runWith({"no-such-command"}, "").status, 2);
}

TEST(Tool, TheInstalledBinaryRunsTheSameCode) {
    const std::string command = std::string("printf '$SDDPT,12.34,0.5\\n' | '") + SELVIR_BIN_DIR +
                                "/selvirhs-tool' scan '%*6s,%lf' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char buffer[256] = {};
    const std::size_t got = fread(buffer, 1, sizeof buffer - 1, pipe);
    const int status = pclose(pipe);
    EXPECT_EQ(std::string(buffer, got), "1\t12.34\n");
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

} // namespace
} // namespace selvir::cli
