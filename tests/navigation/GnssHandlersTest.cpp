#include "navigation/GnssHandlers.h"

#include "core/AtomicFile.h"
#include "core/NumberFormat.h"
#include "navigation/FixQuality.h"
#include "serial/MemorySerialDevice.h"
#include "serial/SelvirSerialGPS.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace selvir {
namespace {

std::string colorName(ColorValue color) {
    switch (color) {
    case kColorRed:
        return "red";
    case kColorLime:
        return "lime";
    case kColorAqua:
        return "aqua";
    case kColorYellow:
        return "yellow";
    default:
        return std::to_string(color);
    }
}

// Records every window effect, in order, as a short text.
struct Windows : MessageSink,
                 RealtimeReadoutSink,
                 GpsMonitorSink,
                 MapTimerControl,
                 RealtimeButtonControl,
                 CanvasLayerControl,
                 OffsetsSource {
    std::vector<std::string> effects;
    bool monitorOn = true;
    bool offsetsOpen = false;
    OffsetsValues offsetFields{0.5, 1500.0, 2.0, 1.2};

    void showMessageWindow() override { effects.push_back("show"); }
    void appendMessage(const std::string& text) override { effects.push_back("message:" + text); }
    void setSpeedText(const std::string& text) override { effects.push_back("speed:" + text); }
    void setGpsBoxColor(ColorValue color) override { effects.push_back("gpsbox:" + colorName(color)); }
    bool monitorAcceptsLines() const override { return monitorOn; }
    void appendMonitorLine(const std::string& line) override { effects.push_back("monitor:" + line); }
    void setMonitorColor(ColorValue color) override { effects.push_back("monitorcolor:" + colorName(color)); }
    void startMapTimer() override { effects.push_back("map:start"); }
    void stopMapTimer() override { effects.push_back("map:stop"); }
    void setRealtimeButtonDown(bool down) override {
        effects.push_back(down ? "realtime:down" : "realtime:up");
    }
    void setLayerAction(std::string_view layer, int action) override {
        effects.push_back("layer:" + std::string(layer) + "=" + std::to_string(action));
    }
    bool offsetsWindowOpen() const override { return offsetsOpen; }
    OffsetsValues offsets() const override { return offsetFields; }
};

using Effects = std::vector<std::string>;

class GnssHandlersTest : public ::testing::Test {
protected:
    GnssHandlersTest()
        : folders(dir.path(), {2026, 3, 5}), clock(LocalDateTime{{2026, 3, 5}, 9, 30, 0, 5}),
          events(folders, clock),
          handlers(state, {&windows, &events, &windows, &windows, &windows, &windows, &windows, &windows}) {}

    std::string eventsLogText() const {
        std::string text;
        readWholeFile(events.currentFile(), text);
        return text;
    }

    // Only the effects of one kind, in order.
    Effects only(const std::string& prefix) const {
        Effects out;
        for (const auto& e : windows.effects) {
            if (e.rfind(prefix, 0) == 0) {
                out.push_back(e);
            }
        }
        return out;
    }

    test::TempDir dir;
    DataFolders folders;
    ManualClock clock;
    EventsLog events;
    Windows windows;
    NavigationState state;
    GnssHandlers handlers;
};

TEST_F(GnssHandlersTest, ConnectShowsLogsPressesRealtimeArmsTheVesselLayerAndStartsTheMap) {
    handlers.ZGPS1Connect(3);
    EXPECT_EQ(windows.effects, (Effects{"show", "message:Connected to GPS on COM3", "realtime:down",
                                        "layer:~~Selvir Vessel=1", "map:start"}));
    EXPECT_EQ(eventsLogText(), "\nAuto Event:\t2026-03-05 093000005\tConnected to GPS on COM3");
}

TEST_F(GnssHandlersTest, DisconnectStopsTheMapFirstAndReleasesRealtime) {
    handlers.ZGPS1Disconnect(12);
    EXPECT_EQ(windows.effects,
              (Effects{"map:stop", "show", "message:Disconnected from GPS on COM12", "realtime:up"}));
    EXPECT_EQ(eventsLogText(), "\nAuto Event:\t2026-03-05 093000005\tDisconnected from GPS on COM12");
}

TEST_F(GnssHandlersTest, IdleStopsTheMapForgetsThePositionAndReddensTheGpsBox) {
    handlers.ZGPS1Position3DChange(41.01, 29.02, 3.5);
    handlers.ZGPS1Idle();
    EXPECT_EQ(windows.effects, (Effects{"map:stop", "show", "message:GPS is idle!", "gpsbox:red"}));
    EXPECT_EQ(state.GpsLatitude, 0.0);
    EXPECT_EQ(state.GpsLongitude, 0.0);
    EXPECT_EQ(state.GpsAltitude, 3.5) << "only the horizontal position is forgotten";
}

TEST_F(GnssHandlersTest, SilentReceiverGivesTwoEventLinesPerWatchdogPair) {
    handlers.ZGPS1Idle();
    handlers.ZGPS1Timeout();
    EXPECT_EQ(only("monitorcolor"), (Effects{"monitorcolor:red"}));
    EXPECT_EQ(eventsLogText(), "\nAuto Event:\t2026-03-05 093000005\tGPS is idle!"
                               "\nAuto Event:\t2026-03-05 093000005\tGPS Timeout!");
}

TEST_F(GnssHandlersTest, SendIsShownAndLoggedWithTheCommand) {
    handlers.ZGPS1Send("$JASC,GPGGA,5\r\n");
    EXPECT_EQ(windows.effects, (Effects{"show", "message:Command sent to device: $JASC,GPGGA,5\r\n"}));
    EXPECT_EQ(eventsLogText(),
              "\nAuto Event:\t2026-03-05 093000005\tCommand sent to device: $JASC,GPGGA,5\r\n");
}

TEST_F(GnssHandlersTest, SpeedIsShownInKnotsWithOneDecimal) {
    handlers.ZGPS1SpeedChange(10.2); // 5.5075... kn
    handlers.ZGPS1SpeedChange(0.0);
    handlers.ZGPS1SpeedChange(41.4848); // 22.4 kn
    handlers.ZGPS1SpeedChange(1.0);     // 0.5399... kn
    EXPECT_EQ(windows.effects, (Effects{"speed:5.5", "speed:0.0", "speed:22.4", "speed:0.5"}));
}

TEST_F(GnssHandlersTest, MonitorGetsEveryLineOnlyWhileAccepting) {
    handlers.ZGPS1NewCommand("$GPZDA,1", 0);
    windows.monitorOn = false;
    handlers.ZGPS1NewCommand("$GPZDA,2", 0);
    EXPECT_EQ(only("monitor:"), (Effects{"monitor:$GPZDA,1"}));
}

TEST_F(GnssHandlersTest, HeadingFromHdt) {
    handlers.ZGPS1NewCommand("$HEHDT,271.5,T", 0);
    EXPECT_DOUBLE_EQ(state.GyroHeading, 271.5);
    handlers.ZGPS1NewCommand("$HEHDT,,T", 0);
    EXPECT_DOUBLE_EQ(state.GyroHeading, 271.5) << "no number: the heading stays";
    handlers.ZGPS1NewCommand("$GNHDT,12.25,T*1F", 0);
    EXPECT_DOUBLE_EQ(state.GyroHeading, 12.25);
}

TEST_F(GnssHandlersTest, SpeedKnotsFromRmcAndVtg) {
    handlers.ZGPS1NewCommand("$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A", 0);
    EXPECT_DOUBLE_EQ(state.SpeedKnots, 22.4);
    handlers.ZGPS1NewCommand("$GPRMC,123520,V,,,,,,,230394,,,N", 0);
    EXPECT_EQ(state.SpeedKnots, 0.0) << "a void RMC stops matching before the speed";
    handlers.ZGPS1NewCommand("$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K", 0);
    EXPECT_DOUBLE_EQ(state.SpeedKnots, 5.5);
    handlers.ZGPS1NewCommand("$GPVTG,054.7,T,,M,005.5,N,010.2,K", 0);
    EXPECT_EQ(state.SpeedKnots, 0.0) << "an empty magnetic course stops the match";
    handlers.ZGPS1NewCommand("$GPVTG,054.7,T,034.4,M,-1.0,N,010.2,K", 0);
    EXPECT_EQ(state.SpeedKnots, 0.0) << "a negative speed is not taken";
}

TEST_F(GnssHandlersTest, RtkHeightAndTideOnlyFromRtkFixedGga) {
    windows.offsetFields.offsetC = 2.0;
    handlers.ZGPS1NewCommand("$GPGGA,123519,4807.038,N,01131.000,E,4,08,0.9,12.30,M,35.10,M,,*47", 0);
    EXPECT_NEAR(state.RtkHeight, 47.40, 1e-9);
    EXPECT_NEAR(state.RtkTide, 45.40, 1e-9);
    handlers.ZGPS1NewCommand("$GPGGA,123520,4807.038,N,01131.000,E,5,08,0.9,20.00,M,35.10,M,,*47", 0);
    EXPECT_NEAR(state.RtkHeight, 47.40, 1e-9) << "RTK float changes neither";
    EXPECT_NEAR(state.RtkTide, 45.40, 1e-9);
    handlers.ZGPS1NewCommand("$GPGGA,123521,4807.038,N,01131.000,E,4,08,0.9,12.30,M,,M,,*47", 0);
    EXPECT_NEAR(state.RtkHeight, 12.30, 1e-9) << "no separation: the altitude alone";
    EXPECT_NEAR(state.RtkTide, 10.30, 1e-9);
    handlers.ZGPS1NewCommand("$GPGGA,123522,,,,,4,08,0.9,12.30,M,35.10,M,,*47", 0);
    EXPECT_NEAR(state.RtkHeight, 12.30, 1e-9) << "an empty position stops the match before the fix";
}

TEST_F(GnssHandlersTest, OffsetsAreCopiedOnEveryLineWhileTheirWindowIsClosed) {
    handlers.ZGPS1NewCommand("$GPZDA,1", 0);
    EXPECT_EQ(state.OffsetA, 0.5);
    EXPECT_EQ(state.SoundVelocity, 1500.0);
    EXPECT_EQ(state.OffsetC, 2.0);
    EXPECT_EQ(state.ManualTide, 1.2);
    windows.offsetsOpen = true;
    windows.offsetFields = {0.7, 1480.0, 3.0, 0.4};
    const std::string rtk = "$GPGGA,123519,4807.038,N,01131.000,E,4,08,0.9,12.30,M,35.10,M,,";
    handlers.ZGPS1NewCommand(rtk, 0);
    EXPECT_EQ(state.OffsetA, 0.5) << "edits in the open window do not count yet";
    EXPECT_NEAR(state.RtkTide, 45.40, 1e-9);
    windows.offsetsOpen = false;
    handlers.ZGPS1NewCommand(rtk, 0);
    EXPECT_EQ(state.OffsetA, 0.7);
    EXPECT_EQ(state.SoundVelocity, 1480.0);
    EXPECT_EQ(state.ManualTide, 0.4);
    EXPECT_NEAR(state.RtkTide, 44.40, 1e-9) << "the refreshed OffsetC applies to the same line's tide";
}

TEST_F(GnssHandlersTest, GpsBoxIsRecolouredOnlyWhenTheFixQualityChanges) {
    for (int fix : {1, 4, 4, 2}) {
        handlers.ZGPS1NewCommand("$GPZDA,1", fix);
    }
    EXPECT_EQ(only("gpsbox"), (Effects{"gpsbox:red", "gpsbox:lime", "gpsbox:aqua"}));
    EXPECT_EQ(state.LastFixQuality, 2);
    handlers.ZGPS1NewCommand("$GPZDA,1", 3);
    handlers.ZGPS1NewCommand("$GPZDA,1", 5);
    handlers.ZGPS1NewCommand("$GPZDA,1", 0);
    EXPECT_EQ(only("gpsbox"), (Effects{"gpsbox:red", "gpsbox:lime", "gpsbox:aqua", "gpsbox:yellow",
                                       "gpsbox:yellow", "gpsbox:red"}));
}

TEST_F(GnssHandlersTest, FirstFixQualityZeroLeavesTheBoxAsDesigned) {
    handlers.ZGPS1NewCommand("$GPGGA,1,,,,,0,00,,,M,,M,,", 0);
    EXPECT_TRUE(only("gpsbox").empty());
}

TEST(FixQuality, NamesAndColours) {
    EXPECT_EQ(fixQualityName(0), "No Fix");
    EXPECT_EQ(fixQualityName(1), "GPS");
    EXPECT_EQ(fixQualityName(2), "DGPS");
    EXPECT_EQ(fixQualityName(3), "Fix:3");
    EXPECT_EQ(fixQualityName(4), "RTK Fix");
    EXPECT_EQ(fixQualityName(5), "RTK Float");
    EXPECT_EQ(fixQualityName(6), "Fix:6");
    EXPECT_EQ(fixQualityName(12), "Fix:12");
    EXPECT_EQ(fixQualityColor(0), 0x0000FFu) << "red is 255: red in the low byte";
    EXPECT_EQ(fixQualityColor(1), 0x0000FFu);
    EXPECT_EQ(fixQualityColor(2), 0xFFFF00u);
    EXPECT_EQ(fixQualityColor(4), 0x00FF00u);
    EXPECT_EQ(fixQualityColor(5), 0x00FFFFu);
    EXPECT_EQ(fixQualityColor(3), 0x00FFFFu);
    EXPECT_EQ(fixQualityColor(8), 0x00FFFFu);
}

TEST(GnssHandlersHeadless, NullSinksAreSkippedAndTheStateStillFills) {
    NavigationState state;
    GnssHandlers handlers(state, {});
    handlers.ZGPS1Connect(1);
    handlers.ZGPS1Idle();
    handlers.ZGPS1Timeout();
    handlers.ZGPS1SpeedChange(3.0);
    handlers.ZGPS1NewCommand("$HEHDT,10.5,T", 4);
    EXPECT_EQ(state.GyroHeading, 10.5);
    EXPECT_EQ(state.LastFixQuality, 4);
}

// The reader and the handlers wired together, as the main window does at start-up.
TEST_F(GnssHandlersTest, WiredReaderFillsTheStateAndTheFixColourFollowsTheReader) {
    auto owned = std::make_unique<MemorySerialDevice>();
    MemorySerialDevice& device = *owned;
    TSelvirSerialGPS reader(nullptr, std::move(owned));
    reader.setTimersEnabled(false);
    reader.Port = 5;
    wireGnssReader(reader, handlers);
    reader.Open();
    device.feed("$GPGGA,123519,4807.038,N,01131.000,E,4,08,0.9,12.30,M,35.10,M,,*47\r\n");
    reader.PollTick();
    EXPECT_NEAR(state.GpsLatitude, 48.1173, 1e-12);
    EXPECT_NEAR(state.GpsLongitude, 11.0 + 31.0 / 60.0, 1e-12);
    EXPECT_DOUBLE_EQ(state.GpsAltitude, 12.30);
    EXPECT_NEAR(state.RtkHeight, 47.40, 1e-9);
    // The line handler runs before the reader decodes the line: the box follows on the next line.
    EXPECT_TRUE(only("gpsbox").empty());
    device.feed("$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K\r\n");
    reader.PollTick();
    EXPECT_EQ(only("gpsbox"), (Effects{"gpsbox:lime"}));
    EXPECT_EQ(only("speed:"), (Effects{"speed:5.5"}));
    EXPECT_DOUBLE_EQ(state.SpeedKnots, 5.5);
    reader.Send("$JASC,GPVTG,5\r\n");
    reader.WatchdogTick();
    reader.WatchdogTick();
    reader.Close();
    const std::string log = eventsLogText();
    const std::string stamp = "\nAuto Event:\t2026-03-05 093000005\t";
    EXPECT_EQ(log, stamp + "Connected to GPS on COM5" + stamp + "Command sent to device: $JASC,GPVTG,5\r\n" +
                       stamp + "GPS is idle!" + stamp + "GPS Timeout!" + stamp +
                       "Disconnected from GPS on COM5");
    EXPECT_EQ(state.GpsLatitude, 0.0) << "the idle receiver's position is forgotten";
}

} // namespace
} // namespace selvir
