#include "navigation/EventsLog.h"

#include "core/AtomicFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace selvir {
namespace {

TEST(EventsLog, AutomaticEntriesStartOnANewLineWithDateTimeAndTabs) {
    test::TempDir dir;
    const DataFolders folders(dir.path(), {2026, 3, 5});
    ASSERT_TRUE(folders.createAll());
    ManualClock clock(LocalDateTime{{2026, 3, 5}, 13, 45, 2, 123});
    EventsLog log(folders, clock);
    EXPECT_EQ(log.currentFile(), folders.logFolder() / "2026-03-05 Events.log");
    ASSERT_TRUE(log.writeAutoEvent("Connected to GPS on COM3"));
    clock.advanceMs(5);
    ASSERT_TRUE(log.writeAutoEvent("GPS is idle!"));
    std::string text;
    ASSERT_TRUE(readWholeFile(log.currentFile(), text));
    EXPECT_EQ(text, "\nAuto Event:\t2026-03-05 134502123\tConnected to GPS on COM3"
                    "\nAuto Event:\t2026-03-05 134502128\tGPS is idle!");
}

TEST(EventsLog, PastMidnightANewDatedFileInTheStartDaysFolder) {
    test::TempDir dir;
    const DataFolders folders(dir.path(), {2026, 3, 5});
    ASSERT_TRUE(folders.createAll());
    ManualClock clock(LocalDateTime{{2026, 3, 5}, 23, 59, 59, 999});
    EventsLog log(folders, clock);
    ASSERT_TRUE(log.writeAutoEvent("before"));
    clock.advanceMs(1);
    ASSERT_TRUE(log.writeAutoEvent("after"));
    std::string first;
    std::string second;
    ASSERT_TRUE(readWholeFile(folders.logFolder() / "2026-03-05 Events.log", first));
    ASSERT_TRUE(readWholeFile(folders.logFolder() / "2026-03-06 Events.log", second));
    EXPECT_EQ(first, "\nAuto Event:\t2026-03-05 235959999\tbefore");
    EXPECT_EQ(second, "\nAuto Event:\t2026-03-06 000000000\tafter");
    EXPECT_EQ(folders.logFolder(), dir.path() / "2026-03-05" / "LOG");
}

TEST(EventsLog, MissingLogFolderIsMadeRatherThanLosingTheEntry) {
    test::TempDir dir;
    const DataFolders folders(dir.path() / "GVX", {2026, 3, 5});
    ManualClock clock(LocalDateTime{{2026, 3, 5}, 8, 0, 0, 0});
    EventsLog log(folders, clock);
    ASSERT_TRUE(log.writeAutoEvent("Realtime STARTED"));
    ASSERT_TRUE(log.append("\nEvent 1 text of its own layout"));
    std::string text;
    ASSERT_TRUE(readWholeFile(log.currentFile(), text));
    EXPECT_EQ(text, "\nAuto Event:\t2026-03-05 080000000\tRealtime STARTED\nEvent 1 text of its own layout");
}

TEST(EventsLog, UnwritableFolderLosesTheEntryAndSaysSo) {
    test::TempDir dir;
    ASSERT_TRUE(appendToFile(dir / "file", "x"));
    const DataFolders folders(dir / "file", {2026, 3, 5}); // a file where the root folder should be
    ManualClock clock;
    EventsLog log(folders, clock);
    EXPECT_FALSE(log.writeAutoEvent("lost"));
}

} // namespace
} // namespace selvir
