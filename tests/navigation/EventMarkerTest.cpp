#include "navigation/EventMarker.h"

#include "core/AtomicFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace selvir {
namespace {

struct EventMarkerTest : ::testing::Test {
    test::TempDir dir;
    ProfileStore settings{dir / "SelvirHS.INI"};
    DataFolders folders{dir / "GVX", LocalDate{2026, 3, 5}};
    ManualClock clock{LocalDateTime{{2026, 3, 5}, 13, 45, 2, 123}};
    EventsLog events{folders, clock};
    std::vector<std::tuple<double, double, int>> labels;
    EventMarker::AddLabel addLabel = [this](double e, double n, int k) { labels.emplace_back(e, n, k); };
    EventMarkValues values{512345.671, 4512345.889, "12.84", "0.50", 271.534};

    void SetUp() override { ASSERT_TRUE(folders.createAll()); }
    std::string eventsLog() {
        std::string text;
        readWholeFile(folders.eventsLog(clock.now().date), text);
        return text;
    }
};

TEST_F(EventMarkerTest, FirstMarkIsOneAndCreatesTheSection) {
    EXPECT_FALSE(settings.sectionExists("EVENTS"));
    EventMarker marker(settings, events, clock);
    EXPECT_EQ(marker.mark(values, addLabel), 1);
    EXPECT_EQ(settings.readString("EVENTS", "Event Number"), "1");
    EXPECT_EQ(eventsLog(),
              std::string(kLineBreak) +
                  "Event No:1,Date & Time:2026-03-05 134502123,Easting:512345.67,Northing:4512345.89,"
                  "True Depth:12.84,True Depth:0.50,Heading:271.53");
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(labels[0], std::make_tuple(512345.671, 4512345.889, 1));
}

TEST_F(EventMarkerTest, NumbersContinueAcrossRunsUntilReset) {
    settings.writeInteger("EVENTS", "Event Number", 11);
    {
        EventMarker marker(settings, events, clock);
        EXPECT_EQ(marker.mark(values, addLabel), 12);
        EXPECT_EQ(marker.mark(values, addLabel), 13); // same tick: same position, next number
    }
    EventMarker again(settings, events, clock);
    EXPECT_EQ(again.lastNumber(), 13);
    EXPECT_TRUE(again.reset());
    EXPECT_EQ(again.mark(values, addLabel), 1);
    EXPECT_EQ(labels.size(), 3u);
    EXPECT_EQ(std::get<0>(labels[0]), std::get<0>(labels[1]));
}

TEST_F(EventMarkerTest, MidnightShowsTheDateOnly) {
    const LocalDateTime midnight{{2026, 3, 6}, 0, 0, 0, 0};
    EXPECT_EQ(formatEventEntry(3, midnight, values, "\n").substr(0, 37),
              "\nEvent No:3,Date & Time:2026-03-06,Ea");
}

TEST_F(EventMarkerTest, UnwritableLogStillAdvancesTheCounter) {
    std::filesystem::create_directory(folders.eventsLog(clock.now().date)); // cannot be opened as a file
    EventMarker marker(settings, events, clock);
    EXPECT_EQ(marker.mark(values, addLabel), 1);
    EXPECT_EQ(marker.mark(values, addLabel), 2);
    EXPECT_EQ(labels.size(), 2u);
}

} // namespace
} // namespace selvir
