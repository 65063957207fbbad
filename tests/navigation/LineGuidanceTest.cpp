// Line guidance: the boat's place on a line against hand-worked cases, and the engine steering a boat
// through a lawn-mower pattern: line choice, direction, start and end events, per-line files.
#include "navigation/LineGuidance.h"

#include "core/AtomicFile.h"
#include "navigation/HelmsmanReadout.h"
#include "support/TempDir.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace selvir {
namespace {

TEST(LineFix, HandWorkedPositionsOnStraightAndBentLines) {
    const GridLine north{{0, 0}, {0, 100}};
    const GridLine eastThenNorth{{0, 0}, {100, 0}, {100, 100}};
    const GridLine backwards{{100, 100}, {100, 0}, {0, 0}};
    struct Case {
        const char* what;
        const GridLine& line;
        GridPoint position;
        double crossTrackM, alongM, toGoM, bearingDeg;
    };
    const Case cases[] = {
        {"east of a line sailed north is starboard", north, {3, 40}, 3, 40, 60, 0},
        {"west of it is port", north, {-2.5, 99}, -2.5, 99, 1, 0},
        {"before the start the line runs on", north, {1, -10}, 1, -10, 110, 0},
        {"beyond the end too", north, {-2, 120}, -2, 120, -20, 0},
        {"south of the eastward leg is starboard", eastThenNorth, {50, -5}, 5, 50, 150, 90},
        {"east of the northward leg is starboard", eastThenNorth, {105, 50}, 5, 150, 50, 0},
        {"outside the bend the next leg guides (3-4-5 from the corner)",
         eastThenNorth,
         {103, -4},
         5,
         100,
         100,
         0},
        {"inside the bend the nearer leg", eastThenNorth, {95, 3}, -3, 95, 105, 90},
        {"the same line sailed back", backwards, {95, 3}, 3, 105, 95, 270},
        {"far off the start of the first leg", eastThenNorth, {-30, -40}, 40, -30, 230, 90},
    };
    for (const Case& c : cases) {
        const LineFix fix = fixOnLine(c.line, c.position);
        ASSERT_TRUE(fix.valid) << c.what;
        EXPECT_NEAR(fix.crossTrackM, c.crossTrackM, 1e-9) << c.what;
        EXPECT_NEAR(fix.alongM, c.alongM, 1e-9) << c.what;
        EXPECT_NEAR(fix.toGoM, c.toGoM, 1e-9) << c.what;
        EXPECT_NEAR(fix.bearingDeg, c.bearingDeg, 1e-9) << c.what;
    }
    EXPECT_FALSE(fixOnLine({{5, 5}, {5, 5.0004}}, {0, 0}).valid) << "no segment of a millimetre";
    EXPECT_NEAR(angleDifferenceDeg(10, 350), 20, 1e-12);
    EXPECT_NEAR(angleDifferenceDeg(350, 10), -20, 1e-12);
    EXPECT_NEAR(angleDifferenceDeg(0, 180), 180, 1e-12);
}

// Lines held by the test; it bumps the revision when it changes them.
struct TestLines final : GuidanceLineSource {
    GuidanceLineSet set{{}, 1};
    const GuidanceLineSet& currentLines() override { return set; }
};

// Three survey lines running north from y = 0 to 200 at x = 0, 25, 50.
GuidanceLineSet threeLines() {
    GuidanceLineSet set;
    set.revision = 1;
    for (int i = 0; i < 3; ++i) {
        const double x = 25.0 * i;
        set.lines.push_back({100 + i, i + 1, std::to_string(i + 1), {{x, 0}, {x, 200}}});
    }
    return set;
}

struct LineGuidanceTest : ::testing::Test {
    test::TempDir dir;
    DataFolders folders{dir.path(), {2026, 3, 5}};
    ManualClock clock{LocalDateTime{{2026, 3, 5}, 9, 0, 0, 0}};
    EventsLog events{folders, clock};
    TestLines source;
    GuidanceSettings settings;
    std::vector<GridPoint> marks;
    std::unique_ptr<LineGuidance> guidance;

    void SetUp() override {
        ASSERT_TRUE(folders.createAll());
        source.set = threeLines();
        LineGuidanceOutputs out;
        out.events = &events;
        out.markEvent = [this](double e, double n) { marks.push_back({e, n}); };
        out.openLineFile = [this](const std::string& name) {
            return std::make_unique<SurveyFile>(folders, clock, nullptr,
                                                folders.logFolder() /
                                                    ("2026-03-05 Coordinates Line " + name + ".csv"));
        };
        guidance = std::make_unique<LineGuidance>(
            &source, [this] { return settings; }, std::move(out));
    }

    const GuidanceReading& at(double x, double y, double courseDeg, double knots = 5) {
        clock.advanceMs(500);
        GuidanceInput in;
        in.positionKnown = true;
        in.position = {x, y};
        in.courseGridDeg = courseDeg;
        in.speedKnots = knots;
        return guidance->tick(in);
    }

    // The lawn-mower: north up x = 0, a half circle east, south down x = 25, and so on, from 10 m
    // before the first line's start; a position every 2 m.
    std::vector<std::string> sail(int lines) {
        std::vector<std::string> seen;
        auto note = [&](const GuidanceReading& r) {
            const std::string what = !r.active && r.allRun
                                         ? "all run"
                                         : r.lineName + (r.phase == LinePhase::Running ? " running"
                                                         : r.phase == LinePhase::Ended ? " ended"
                                                                                       : " approaching");
            if (seen.empty() || seen.back() != what) {
                seen.push_back(what);
            }
        };
        for (int k = 0; k < lines; ++k) {
            const double x = 25.0 * k;
            const bool up = k % 2 == 0;
            for (double s = -10; s <= 210; s += 2) {
                note(at(x, up ? s : 200 - s, up ? 0 : 180));
            }
            for (double a = 0; a <= 180; a += 10) { // the turn, centred 12.5 m further east
                const double t = a * std::numbers::pi / 180;
                const double y = up ? 210 + 12.5 * std::sin(t) : -10 - 12.5 * std::sin(t);
                note(at(x + 12.5 - 12.5 * std::cos(t), y, up ? 90 - a : 90 + a));
            }
        }
        return seen;
    }

    std::string eventsText() {
        std::string text;
        readWholeFile(events.currentFile(), text);
        return text;
    }
};

TEST_F(LineGuidanceTest, AutoAdvanceRunsTheLinesOfALawnMowerInTurn) {
    const auto seen = sail(3);
    // Past the end of the last line guidance ends: nothing steers the boat back to that end.
    EXPECT_EQ(seen, (std::vector<std::string>{"1 approaching", "1 running", "2 approaching", "2 running",
                                              "3 approaching", "3 running", "all run"}));
    const std::string log = eventsText();
    std::vector<std::string> lineEvents;
    for (std::size_t at = log.find("\tLine "); at != std::string::npos; at = log.find("\tLine ", at + 1)) {
        lineEvents.push_back(log.substr(at + 1, log.find('\n', at) - at - 1));
    }
    EXPECT_EQ(lineEvents, (std::vector<std::string>{"Line 1 start", "Line 1 end", "Line 2 start",
                                                    "Line 2 end", "Line 3 start", "Line 3 end"}));
    ASSERT_EQ(marks.size(), 6u);
    EXPECT_NEAR(marks[0].y, 0, 2.0) << "line 1 starts at its south end";
    EXPECT_NEAR(marks[2].y, 200, 2.0) << "line 2 is entered from its north end";
    EXPECT_NEAR(marks[3].y, 0, 2.0);
    EXPECT_TRUE(guidance->reading().allRun);
    EXPECT_FALSE(guidance->reading().active);
    EXPECT_TRUE(guidance->activeLine().empty());
    EXPECT_EQ(helmsmanReadout(at(60, 230, 90)).title, "All lines run") << "and so it stays";
}

TEST_F(LineGuidanceTest, ValuesOfATickOnALineSailedSouth) {
    at(25, 230, 180); // nearest line 2, entered from the north
    const GuidanceReading& r = at(26.5, 150, 170);
    ASSERT_TRUE(r.active);
    EXPECT_EQ(r.lineNumber, 2);
    EXPECT_EQ(r.lineCount, 3);
    EXPECT_EQ(r.phase, LinePhase::Running);
    EXPECT_NEAR(r.fix.bearingDeg, 180, 1e-9);
    EXPECT_NEAR(r.fix.crossTrackM, -1.5, 1e-9) << "east of a line sailed south is port";
    EXPECT_NEAR(r.fix.alongM, 50, 1e-9);
    EXPECT_NEAR(r.fix.toGoM, 150, 1e-9);
    EXPECT_NEAR(r.courseDifferenceDeg, -10, 1e-9);
    ASSERT_TRUE(r.timeToEndS);
    EXPECT_NEAR(*r.timeToEndS, 150 / (5 * 1852.0 / 3600 * std::cos(10 * std::numbers::pi / 180)), 1e-9);
    EXPECT_FALSE(r.offLine);
    EXPECT_FALSE(at(23, 140, 180).offLine) << "at the 2 m tolerance";
    EXPECT_TRUE(at(22.9, 139, 180).offLine) << "beyond it";
    EXPECT_FALSE(at(25, 130, 0).timeToEndS) << "sailing away from the end";
    EXPECT_FALSE(at(25, 120, 180, 0).timeToEndS) << "not moving";
}

TEST_F(LineGuidanceTest, SurveyorsChoicesNextPreviousReverseAndStop) {
    settings.autoAdvance = false;
    EXPECT_FALSE(at(30, 100, 0).active) << "without auto-advance nothing is chosen for the surveyor";
    // Abeam of line 3 and making way south: it is run southwards though its south end is as near.
    at(48, 100, 180);
    ASSERT_TRUE(guidance->selectLine(102));
    EXPECT_EQ(guidance->activeLine().front(), (GridPoint{50, 200}));
    EXPECT_TRUE(guidance->next()) << "the last line stays the last";
    EXPECT_EQ(guidance->activeId(), 102);
    EXPECT_TRUE(guidance->previous());
    EXPECT_EQ(guidance->activeId(), 101);
    guidance->reverse();
    EXPECT_EQ(guidance->activeLine().front(), (GridPoint{25, 0}))
        << "chosen southwards as the boat went, now north";
    EXPECT_EQ(guidance->reading().phase, LinePhase::Approaching);

    GuidanceLine picked{7, 0, "selvir_usershape 7", {{0, 300}, {100, 300}}};
    ASSERT_TRUE(guidance->selectOther(picked));
    EXPECT_EQ(at(40, 301, 90).lineName, "selvir_usershape 7");
    EXPECT_NEAR(guidance->reading().fix.crossTrackM, -1, 1e-9);

    guidance->stop();
    settings.autoAdvance = true;
    EXPECT_FALSE(at(0, 10, 0).active) << "after stop auto-advance waits for a choice";
    EXPECT_TRUE(guidance->next());
    EXPECT_EQ(guidance->activeId(), 100) << "next with nothing active is the first line";
}

TEST_F(LineGuidanceTest, LinesGeneratedAnewDropTheActiveLine) {
    at(0, -5, 0);
    ASSERT_EQ(guidance->activeId(), 100);
    source.set.lines.erase(source.set.lines.begin());
    ++source.set.revision;
    settings.autoAdvance = false;
    EXPECT_FALSE(at(0, -4, 0).active);
    settings.autoAdvance = true;
    EXPECT_EQ(at(0, -3, 0).lineNumber, 2) << "auto-advance chooses among the lines there are";
}

TEST_F(LineGuidanceTest, RowsOfARunningLineGoToItsOwnFileToo) {
    settings.lineFiles = true;
    SurveyRow row;
    row.time = clock.now();
    row.depthHF = 12.5;
    at(0, -5, 0);
    guidance->rowWritten(row); // approaching: not yet the line's
    at(0, 5, 0);
    guidance->rowWritten(row);
    guidance->rowWritten(row);
    for (double y = 10; y <= 210; y += 10) {
        at(0, y, 0);
    }
    guidance->rowWritten(row); // ended
    std::string text;
    ASSERT_TRUE(readWholeFile(folders.logFolder() / "2026-03-05 Coordinates Line 1.csv", text));
    EXPECT_EQ(text.substr(0, 5), "Date,") << "the survey file's header";
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3) << "the header and two rows";
    EXPECT_FALSE(std::filesystem::exists(folders.logFolder() / "2026-03-05 Coordinates Line 2.csv"));
}

TEST(HelmsmanReadout, WhatTheHelmsmanReads) {
    GuidanceReading r;
    EXPECT_FALSE(helmsmanReadout(r).visible);
    r.allRun = true;
    EXPECT_EQ(helmsmanReadout(r).title, "All lines run");

    r = {};
    r.active = true;
    r.lineName = "selvir_usershape 57";
    EXPECT_EQ(helmsmanReadout(r).title, "Line selvir_usershape 57 - approaching");
    EXPECT_EQ(helmsmanReadout(r).statusBar, "Line selvir_usershape 57: no position");
    EXPECT_FALSE(helmsmanReadout(r).measured);

    r.lineName = "3";
    r.lineNumber = 3;
    r.lineCount = 21;
    r.phase = LinePhase::Running;
    r.positionKnown = true;
    r.fix = fixOnLine({{0, 0}, {0, 1000}}, {-7.5, 400});
    r.toleranceM = 2;
    r.offLine = true;
    r.courseDifferenceDeg = 4.25;
    r.timeToEndS = 3754.4;
    const HelmsmanReadout h = helmsmanReadout(r);
    EXPECT_EQ(h.title, "Line 3 of 21 - on line");
    EXPECT_EQ(h.crossTrack, "XTE 7.50 m PORT");
    EXPECT_EQ(h.steer, "steer to starboard");
    EXPECT_EQ(h.barFraction, -1) << "beyond the full scale the bar stays at its end";
    EXPECT_EQ(h.distances, "Along 400.0 m   To go 600.0 m");
    EXPECT_EQ(h.timeToEnd, "End in 1:02:34");
    EXPECT_EQ(h.statusBar, "Line 3: XTE 7.50 m PORT | to go 600 m | end in 1:02:34");
    EXPECT_EQ(minutesAndSeconds(155.4), "2:35");
}

} // namespace
} // namespace selvir
