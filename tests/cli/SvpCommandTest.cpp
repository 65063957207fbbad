#include "cli/Commands.h"
#include "core/AtomicFile.h"
#include "core/SvpTableFiles.h"
#include "support/TempDir.h"
#include "support/TextLines.h"
#include "tools/ProbeFile.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace selvir::cli {
namespace {

struct ToolRun {
    int status;
    std::string out, err;
};

ToolRun svp(std::vector<std::string> args) {
    args.insert(args.begin(), "svp");
    std::istringstream in;
    std::ostringstream out, err;
    const int status = runTool(args, {in, out, err});
    return {status, out.str(), err.str()};
}

std::string cast(const char* name) {
    return std::string(SELVIR_TEST_DATA_DIR) + "/svp/" + name;
}

TEST(SvpCommand, ProbeFilePrintsOneLinePerMetreAndSaysWhatItRead) {
    const ToolRun run = svp({"--max-depth", "12", cast("valeport_rapidsvt_V000007.TXT")});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = test::split(run.out, '\n');
    ASSERT_EQ(lines.size(), 12u);
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const auto fields = test::split(lines[k], ',');
        ASSERT_EQ(fields.size(), 2u);
        EXPECT_EQ(fields[0], std::to_string(k));
        EXPECT_EQ(fields[1].size(), 7u); // "1478.11": two decimals
    }
    for (const char* said : {"Valeport RapidSVT", "from pressure Pressure", "latitude 59.3000 N (file)",
                             "after it dropped", "refused"}) {
        EXPECT_NE(run.err.find(said), std::string::npos) << said;
    }
}

TEST(SvpCommand, SearchStringAndAutoDetectReadOtherFiles) {
    test::TempDir dir;
    const auto file = dir / "cast.txt";
    ASSERT_TRUE(
        writeFileAtomically(file, "Depth;Temp;SV\n0.2;12.0;1500.0\n1.4;11.9;1502.0\n2.0;11.8;1700.0\n"));
    // Auto-detected from the header, the 1700 m/s sample refused and counted.
    ToolRun run = svp({"--max-depth", "3", file.string()});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "0,1500.00\n1,1501.00\n2,1501.33\n");
    EXPECT_NE(run.err.find("1 refused"), std::string::npos);
    EXPECT_NE(run.err.find("%lf;%*[^;];%lf"), std::string::npos);
    // The same with the string given: the first number as the velocity reads nothing usable.
    run = svp({"--search", "%lf;%*[^;];%lf", "--sv-first", "--max-depth", "3", file.string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("No sound velocity values were read"), std::string::npos);
}

// Old Mac software ends lines with a lone CR: the cast reads as with LF or CRLF, not as one line.
TEST(SvpCommand, EveryLineEndingReadsTheSameCast) {
    test::TempDir dir;
    const char* lines[] = {"Depth;Temp;SV", "0.2;12.0;1500.0", "1.4;11.9;1502.0", "2.2;11.8;1504.0"};
    for (const char* end : {"\n", "\r\n", "\r"}) {
        SCOPED_TRACE(std::string(end) == "\r" ? "CR" : std::string(end) == "\n" ? "LF" : "CRLF");
        std::string text;
        for (const char* line : lines) {
            text += std::string(line) + end;
        }
        const auto file = dir / "cast.txt";
        ASSERT_TRUE(writeFileAtomically(file, text));
        const ToolRun run = svp({"--max-depth", "3", file.string()});
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, "0,1500.00\n1,1501.00\n2,1502.00\n");
    }
}

// A file far larger than any cast is refused with its name before it is held in memory.
TEST(SvpCommand, AFileLargerThanAnyCastIsRefused) {
    test::TempDir dir;
    const auto file = dir / "disk.img";
    std::ofstream(file).put('x');
    std::filesystem::resize_file(file, kMaxSoundVelocityFileBytes + 1); // sparse: no disk taken
    const ToolRun run = svp({file.string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("too large"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(file.string()), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
}

TEST(SvpCommand, SaveToWritesTheTablesTheProgramReads) {
    test::TempDir root;
    const ToolRun run =
        svp({"--max-depth", "5", "--save-to", root.path().string(), cast("castaway_data.csv")});
    ASSERT_EQ(run.status, 0) << run.err;
    const DataFolders today(root.path(), SystemClock().now().date);
    std::vector<std::string> column, source;
    ASSERT_TRUE(readSvpTable(today, SvpTable::Column, column));
    ASSERT_TRUE(readSvpTable(today, SvpTable::RawData, source));
    std::vector<std::string> printed;
    for (const std::string& line : test::split(run.out, '\n')) {
        printed.push_back(line.substr(line.find(',') + 1));
    }
    EXPECT_EQ(column, printed);
    EXPECT_EQ(source.front(), "% Device,CC1449004");
}

TEST(SvpCommand, FaultsAndUsage) {
    const struct {
        std::vector<std::string> args;
        int status;
        const char* said;
    } cases[] = {
        {{"--max-depth", "12.5", cast("castaway_data.csv")}, 2, "whole number of metres"},
        {{"--sv-first", cast("castaway_data.csv")}, 2, "Usage"},
        {{"--latitude", "91", cast("castaway_data.csv")}, 2, "--latitude"},
        {{cast("no-such-cast.cnv")}, 1, "could not be read"},
        {{"--search", "%lf,%n", cast("castaway_data.csv")}, 1, "cannot be used"},
        {{}, 2, "Usage"},
    };
    for (const auto& c : cases) {
        const ToolRun run = svp(c.args);
        EXPECT_EQ(run.status, c.status) << c.said;
        EXPECT_NE(run.err.find(c.said), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
}

} // namespace
} // namespace selvir::cli
