#include "navigation/SensorHandler.h"

#include "core/AtomicFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sstream>

namespace selvir {
namespace {

struct Messages final : MessageSink {
    std::vector<std::string> lines;
    void showMessageWindow() override {}
    void appendMessage(const std::string& text) override { lines.push_back(text); }
};

struct Background final : MapBackgroundControl {
    ColorValue color = 0xFFFFFF;
    int sets = 0;
    ColorValue backgroundColor() const override { return color; }
    void setBackgroundColor(ColorValue c) override {
        color = c;
        ++sets;
    }
    void repaintMap() override {}
};

struct SensorHandlerTest : ::testing::Test {
    test::TempDir dir;
    ManualClock clock{LocalDateTime{{2026, 3, 5}, 13, 45, 2, 123}};
    DataFolders folders{dir / "GVX", LocalDate{2026, 3, 5}};
    EventsLog events{folders, clock};
    SurveyFile survey{folders, clock, {}};
    NavigationState state;
    RealtimeReadout readout;
    WaterfallFeed waterfall;
    Messages messages;
    Background background;
    std::string battery;
    SensorInputs inputs{"NMEA DPT", "%*6s,%lf", 0.50, 1500, 2.0, 0xFFFFFF, nullptr};
    bool realtime = true;
    RecordPosition position{true, 4, 41.0, 29.0, GridPosition{500000.0, 4538776.0}};
    SensorHandler handler{state,
                          survey,
                          clock,
                          [this] { return inputs; },
                          [this] { return position; },
                          [this] { return realtime; },
                          SensorHandlerOutputs{&readout, &waterfall, nullptr, &background, &messages, &events,
                                               [this](const std::string& text) { battery = text; }}};

    void SetUp() override { state.SoundVelocity = 1500; }
    std::vector<std::string> surveyLines() {
        std::string text;
        readWholeFile(folders.surveyFile(), text);
        std::vector<std::string> out;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) {
            out.push_back(line);
        }
        return out;
    }
};

TEST_F(SensorHandlerTest, DptReducedShownFedAndWritten) {
    EXPECT_EQ(handler.handleDepthLine("$SDDPT,12.34,0.5*hh"), SensorHandler::Result::RowWritten);
    EXPECT_NEAR(state.DepthHF, 12.84, 1e-12);
    EXPECT_NEAR(state.DepthLF, 0.50, 1e-12);
    EXPECT_EQ(readoutDepthText(readout.depthHfM), "12.84");
    EXPECT_EQ(readoutDepthText(readout.depthLfM), "0.50");
    EXPECT_EQ(readout.depthFramesColor, kColorLime);
    EXPECT_TRUE(waterfall.newDepth);
    EXPECT_NEAR(waterfall.latestDepthM, 12.84, 1e-12);
    const auto lines = surveyLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[1].find(",12.84,0.50,12.34,0,NMEA DPT,1500.00,0.50,4,"), std::string::npos) << lines[1];
}

TEST_F(SensorHandlerTest, SoundVelocityFromTheNavigationState) {
    state.SoundVelocity = 1480;
    handler.handleDepthLine("$SDDPT,12.34,0.5*hh");
    EXPECT_NEAR(state.DepthHF, 12.6755, 1e-4);
    EXPECT_EQ(handler.lastSoundVelocity(), 1480);
    state.SoundVelocity = 0; // no GNSS line has brought the offsets yet
    inputs.soundVelocity = 1490;
    handler.handleDepthLine("$SDDPT,15.0,0.5");
    EXPECT_NEAR(state.DepthHF, 15.0 * 1490 / 1500 + 0.5, 1e-12);
}

TEST_F(SensorHandlerTest, WrongFormatDecodesNothingAndWritesNothing) {
    handler.handleDepthLine("$SDDPT,12.34,0.5");
    const double before = state.DepthHF;
    EXPECT_EQ(handler.handleDepthLine("$SDDBT,40.5,f,12.3,M,6.7,F"), SensorHandler::Result::NotDecoded);
    EXPECT_EQ(state.DepthHF, before);
    EXPECT_EQ(surveyLines().size(), 2u);
    EXPECT_TRUE(messages.lines.empty());
}

TEST_F(SensorHandlerTest, AMessageChoiceTheTableDoesNotKnowIsReportedOnce) {
    inputs.formatName = "Selvir SMT2"; // edited by hand
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(handler.handleDepthLine("$SDDPT,12.34,0.5"), SensorHandler::Result::NotDecoded);
    }
    ASSERT_EQ(messages.lines.size(), 1u);
    EXPECT_NE(messages.lines[0].find("\"Selvir SMT2\" is not one the program knows"), std::string::npos)
        << messages.lines[0];
}

TEST_F(SensorHandlerTest, LowFrequencyOnlyFormatCreatesTheFileWithoutRows) {
    inputs.formatName = "Selvir XDR LO";
    inputs.formatPattern = "%*8s,%*lf,%*8s,%lf";
    EXPECT_EQ(handler.handleDepthLine("$PSXDHI1,12.35,$PSXDLO1,13.10"), SensorHandler::Result::NoRow);
    EXPECT_NEAR(state.DepthLF, 13.10 + 0.5, 1e-12);
    EXPECT_NEAR(state.DepthHF, 0.5, 1e-12);
    EXPECT_EQ(surveyLines(), std::vector<std::string>{std::string(kSurveyFileHeader)});
}

TEST_F(SensorHandlerTest, BatteryOfTheSmtMessage) {
    inputs.formatName = "Selvir SMT";
    inputs.formatPattern = "%*8s,%lf,%lf";
    handler.handleDepthLine("$SMT0001,12.34,12.6");
    EXPECT_EQ(battery, "12.60");
}

TEST_F(SensorHandlerTest, ShallowAlertWhileRealtimeRuns) {
    handler.handleDepthLine("$SDDPT,1.45,0"); // 1.95 m with the draft
    EXPECT_EQ(background.color, kColorRed);
    handler.handleDepthLine("$SDDPT,1.40,0");
    EXPECT_EQ(background.sets, 1);            // already red
    handler.handleDepthLine("$SDDPT,1.55,0"); // 2.05 m
    EXPECT_EQ(background.color, 0xFFFFFFu);
    realtime = false;
    handler.handleDepthLine("$SDDPT,1.0,0");
    EXPECT_EQ(background.color, 0xFFFFFFu);
}

TEST_F(SensorHandlerTest, UnusablePatternIsReportedOnceNeverCrashes) {
    inputs.formatName = "OTHER";
    inputs.formatPattern = "%*6s,%lf%n";
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(handler.handleDepthLine("$SDDPT,12.34,0.5"), SensorHandler::Result::NotDecoded);
    }
    ASSERT_EQ(messages.lines.size(), 1u);
    EXPECT_NE(messages.lines[0].find("%n"), std::string::npos);
    std::string log;
    readWholeFile(events.currentFile(), log);
    EXPECT_NE(log.find("Auto Event:\t2026-03-05 134502123\tEchosounder format"), std::string::npos);
}

TEST_F(SensorHandlerTest, ProfileByRoundedDepthAndExtensionReportedOncePerProfile) {
    std::vector<double> byMetre(14, 1500.0);
    byMetre[13] = 1480.0;
    const SoundVelocityProfile profile(byMetre);
    inputs.profile = &profile;
    handler.handleDepthLine("$SDDPT,12.6,0");
    EXPECT_EQ(handler.lastSoundVelocity(), 1480.0);
    EXPECT_NEAR(state.DepthHF, 12.6 * 1480 / 1500 + 0.5, 1e-12);
    handler.handleDepthLine("$SDDPT,30.0,0");
    handler.handleDepthLine("$SDDPT,31.0,0");
    EXPECT_EQ(messages.lines.size(), 1u);
    EXPECT_EQ(handler.lastSoundVelocity(), 1480.0);
    const auto lines = surveyLines();
    EXPECT_EQ(lines.size(), 4u); // the row is kept, with the deepest velocity
}

} // namespace
} // namespace selvir
