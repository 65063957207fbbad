#include "core/DataFolders.h"

#include "support/TempDir.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

namespace selvir {
namespace {

TEST(DataFolders, NamesFollowTheStartDay) {
    const DataFolders folders("/data/GVX", LocalDate{2026, 3, 5});
    EXPECT_EQ(folders.dayFolder(), std::filesystem::path("/data/GVX/2026-03-05"));
    EXPECT_EQ(folders.layoutFolder(), std::filesystem::path("/data/GVX/2026-03-05/GVX"));
    EXPECT_EQ(folders.svpFolder(), std::filesystem::path("/data/GVX/2026-03-05/SVP"));
    EXPECT_EQ(folders.jpgFolder(), std::filesystem::path("/data/GVX/2026-03-05/JPG"));
    EXPECT_EQ(folders.mp4Folder(), std::filesystem::path("/data/GVX/2026-03-05/MP4"));
    EXPECT_EQ(folders.surveyFile(),
              std::filesystem::path("/data/GVX/2026-03-05/LOG/2026-03-05 Coordinates.csv"));
    // Past midnight: new dated names, still in the start day's log folder.
    const LocalDate next{2026, 3, 6};
    const std::filesystem::path log = "/data/GVX/2026-03-05/LOG";
    EXPECT_EQ(folders.eventsLog(next), log / "2026-03-06 Events.log");
    EXPECT_EQ(folders.gnssRawLog(next), log / "2026-03-06 SDZ_GNSS_V3.log");
    EXPECT_EQ(folders.sbesRawLog(next), log / "2026-03-06 SDZ_SBES_V3.log");
    EXPECT_EQ(folders.geodesyLog(next), log / "2026-03-06 Geodesy.txt");
    EXPECT_EQ(folders.offsetsLog(next), log / "2026-03-06 Offsets.log");
    // Layouts by the minute of saving, zero-padded, past midnight too.
    EXPECT_EQ(folders.layoutFile(LocalDateTime{next, 0, 5, 59, 999}),
              std::filesystem::path("/data/GVX/2026-03-05/GVX/2026-03-06 0005.gvx"));
}

TEST(DataFolders, CreatesEveryFolderWithItsParents) {
    test::TempDir dir;
    const DataFolders folders(dir / "deep" / "GVX", LocalDate{2026, 12, 8});
    std::string error;
    ASSERT_TRUE(folders.createAll(&error)) << error;
    for (const auto& f : {folders.dayFolder(), folders.layoutFolder(), folders.logFolder(),
                          folders.svpFolder(), folders.jpgFolder(), folders.mp4Folder()}) {
        EXPECT_TRUE(std::filesystem::is_directory(f)) << f;
    }
    EXPECT_TRUE(folders.createAll()); // again: nothing to do, still fine
}

TEST(DataFolders, ReportsAFolderThatCannotBeMade) {
    test::TempDir dir;
    std::ofstream(dir / "GVX") << "a file where the root should be";
    const DataFolders folders(dir / "GVX", LocalDate{2026, 12, 8});
    std::string error;
    EXPECT_FALSE(folders.createAll(&error));
    EXPECT_NE(error.find("2026-12-08"), std::string::npos);
}

// One folder that cannot be made keeps none of the others from being made, and each failure is named.
TEST(DataFolders, MakesEveryFolderItCanAndNamesEachOneThatFailed) {
    test::TempDir dir;
    const DataFolders folders(dir / "GVX", LocalDate{2026, 12, 8});
    std::filesystem::create_directories(folders.dayFolder());
    std::ofstream(folders.layoutFolder()) << "a file where a folder should be";
    std::ofstream(folders.svpFolder()) << "and another";
    std::string error;
    EXPECT_FALSE(folders.createAll(&error));
    for (const auto& made : {folders.logFolder(), folders.jpgFolder(), folders.mp4Folder()}) {
        EXPECT_TRUE(std::filesystem::is_directory(made)) << made;
    }
    EXPECT_NE(error.find(folders.layoutFolder().string()), std::string::npos) << error;
    EXPECT_NE(error.find(folders.svpFolder().string()), std::string::npos) << error;
    EXPECT_EQ(error.find(folders.logFolder().string() + ":"), std::string::npos) << error;
}

TEST(DataFolders, NumberedAlternatives) {
    const std::filesystem::path survey = "/x/LOG/2026-03-05 Coordinates.csv";
    EXPECT_EQ(numberedAlternative(survey, 1), std::filesystem::path("/x/LOG/2026-03-05 Coordinates_1.csv"));
    EXPECT_EQ(numberedAlternative(survey, 99), std::filesystem::path("/x/LOG/2026-03-05 Coordinates_99.csv"));
}

TEST(DataFolders, DefaultRootIsUnderHome) {
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        GTEST_SKIP() << "HOME not set";
    }
    EXPECT_EQ(defaultDataRoot(), std::filesystem::path(home) / "GVX");
}

} // namespace
} // namespace selvir
