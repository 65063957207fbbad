// A survey on a disk that fills up and frees again: on a real small file system (tmpfs, when this
// process may mount one) or, failing that, under a file-size limit that makes writes fail the same way.
#include "core/AtomicFile.h"
#include "navigation/SurveyFile.h"
#include "support/SmallDisk.h"
#include "support/TempDir.h"
#include "support/TextLines.h"

#include <gtest/gtest.h>

namespace selvir {
namespace {

TEST(FullDisk, EveryRowWholeAndInOrderAndNoEmptyFile) {
    test::TempDir dir;
    const auto disk = dir / "disk";
    ManualClock clock(LocalDateTime{{2026, 3, 5}, 13, 45, 0, 0});
    std::vector<std::string> said;
    std::optional<SurveyFileState> state;
    {
        test::SmallDisk small(disk);
        const DataFolders folders(disk / "GVX", LocalDate{2026, 3, 5});
        ASSERT_TRUE(folders.createAll());
        small.fill(4096); // room for about 40 rows
        SurveyFile survey(folders, clock, [&](const std::string& text) { said.push_back(text); });
        survey.setStateListener([&](const SurveyFileState& s) { state = s; });
        SurveyRow row;
        row.messageFormat = "NMEA DPT";
        int kept = 0;
        for (int i = 1; i <= 80; ++i) {
            row.rawHF = i;
            row.time = addMilliseconds(clock.now(), 200 * i);
            kept += survey.append(&row) == SurveyFile::Outcome::RowKept ? 1 : 0;
        }
        ASSERT_GT(kept, 0) << "the disk filled";
        ASSERT_TRUE(state && !state->writing);
        EXPECT_EQ(state->keptRows, static_cast<std::size_t>(kept));
        // While full: the file holds whole rows only, and no numbered file appeared.
        for (const auto& line : test::fileLines(folders.surveyFile())) {
            EXPECT_EQ(test::split(line, ',').size(), 18u) << line;
        }
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folders.logFolder()),
                                std::filesystem::directory_iterator()),
                  1)
            << "only the survey file";

        small.free();
        EXPECT_TRUE(survey.writeKeptRows());
        EXPECT_TRUE(state->writing);
        const auto lines = test::fileLines(folders.surveyFile());
        ASSERT_EQ(lines.size(), 81u);
        EXPECT_EQ(lines[0], kSurveyFileHeader);
        for (int i = 1; i <= 80; ++i) {
            const auto fields = test::split(lines[static_cast<std::size_t>(i)], ',');
            ASSERT_EQ(fields.size(), 18u);
            EXPECT_EQ(fields[9], std::to_string(i)) << "in order";
        }
    }
    ASSERT_GE(said.size(), 2u);
    EXPECT_NE(said.front().find("kept in memory"), std::string::npos);
    EXPECT_NE(said.back().find("row(s) kept in memory are saved"), std::string::npos);
}

// The survey file's first row on a disk already full: no empty file is left behind.
TEST(FullDisk, NoEmptyFileWhenNotEvenTheHeaderFits) {
    test::TempDir dir;
    ManualClock clock;
    test::SmallDisk small(dir / "disk");
    const DataFolders folders(dir / "disk" / "GVX", LocalDate{2026, 3, 5});
    ASSERT_TRUE(folders.createAll());
    small.fill(0);
    SurveyFile survey(folders, clock, {});
    SurveyRow row;
    row.rawHF = 1;
    EXPECT_EQ(survey.append(&row), SurveyFile::Outcome::RowKept);
    EXPECT_FALSE(std::filesystem::exists(folders.surveyFile()));
    small.free();
    EXPECT_TRUE(survey.writeKeptRows());
    EXPECT_EQ(test::fileLines(folders.surveyFile()).size(), 2u);
}

} // namespace
} // namespace selvir
