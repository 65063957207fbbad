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
                 RealtimeSwitchDisplay,
                 CanvasLayerControl,
                 OffsetsSource {
    std::vector<std::string> effects;
    bool monitorOn = true;
    bool offsetsOpen = false;
    OffsetsValues offsetFields{0.5, 1500.0, 2.0, 1.2};

    void showMessageWindow() override { effects.push_back("show"); }
    void appendMessage(const std::string& text) override { effects.push_back("message:" + text); }
    void setSpeedKnots(double knots) override { effects.push_back("speed:" + formatFixed(knots, 4)); }
    void setGpsBoxColor(ColorValue color) override { effects.push_back("gpsbox:" + colorName(color)); }
    bool monitorAcceptsLines() const override { return monitorOn; }
    void appendMonitorLine(const std::string& line) override { effects.push_back("monitor:" + line); }
    void setMonitorColor(ColorValue color) override { effects.push_back("monitorcolor:" + colorName(color)); }
    void startMapTimer() override { effects.push_back("map:start"); }
    void stopMapTimer() override { effects.push_back("map:stop"); }
    void showRealtimeRunning(bool down) override {
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
    handlers.receiverConnected(3);
    EXPECT_EQ(windows.effects, (Effects{"show", "message:Connected to GPS on COM3", "realtime:down",
                                        "layer:~~Selvir Vessel=1", "map:start"}));
    EXPECT_EQ(eventsLogText(), "\nAuto Event:\t2026-03-05 093000005\tConnected to GPS on COM3");
}

TEST_F(GnssHandlersTest, DisconnectStopsTheMapFirstAndReleasesRealtime) {
    handlers.receiverDisconnected(12);
    EXPECT_EQ(windows.effects,
              (Effects{"map:stop", "show", "message:Disconnected from GPS on COM12", "realtime:up"}));
    EXPECT_EQ(eventsLogText(), "\nAuto Event:\t2026-03-05 093000005\tDisconnected from GPS on COM12");
}

TEST_F(GnssHandlersTest, IdleStopsTheMapForgetsThePositionAndReddensTheGpsBox) {
    handlers.positionChanged(41.01, 29.02, 3.5);
    handlers.receiverIdle();
    EXPECT_EQ(windows.effects, (Effects{"map:stop", "show", "message:GPS is idle!", "gpsbox:red"}));
    EXPECT_EQ(state.GpsLatitude, 0.0);
    EXPECT_EQ(state.GpsLongitude, 0.0);
    EXPECT_EQ(state.GpsAltitude, 3.5) << "only the horizontal position is forgotten";
    // Data returns with the quality the box showed before the silence: it must be recoloured.
    handlers.handleGnssLine("$GPZDA,1", 4);
    EXPECT_EQ(only("gpsbox"), (Effects{"gpsbox:red", "gpsbox:lime"}));
    EXPECT_EQ(only("map:"), (Effects{"map:stop", "map:start"})) << "the map resumes with the data";
    handlers.handleGnssLine("$GPZDA,2", 4);
    EXPECT_EQ(only("map:"), (Effects{"map:stop", "map:start"})) << "once";
}

TEST_F(GnssHandlersTest, SilentReceiverGivesTwoEventLinesPerWatchdogPair) {
    handlers.receiverIdle();
    handlers.receiverTimedOut();
    EXPECT_EQ(only("monitorcolor"), (Effects{"monitorcolor:red"}));
    EXPECT_EQ(eventsLogText(), "\nAuto Event:\t2026-03-05 093000005\tGPS is idle!"
                               "\nAuto Event:\t2026-03-05 093000005\tGPS Timeout!");
}

TEST_F(GnssHandlersTest, SendIsShownAndLoggedWithTheCommand) {
    handlers.commandSent("$JASC,GPGGA,5\r\n");
    EXPECT_EQ(windows.effects, (Effects{"show", "message:Command sent to device: $JASC,GPGGA,5\r\n"}));
    EXPECT_EQ(eventsLogText(),
              "\nAuto Event:\t2026-03-05 093000005\tCommand sent to device: $JASC,GPGGA,5\r\n");
}

TEST_F(GnssHandlersTest, SpeedIsShownInKnots) {
    handlers.speedChanged(10.2); // 5.5075... kn
    handlers.speedChanged(0.0);
    handlers.speedChanged(41.4848); // 22.4 kn
    handlers.speedChanged(1.0);     // 0.5399... kn
    // 1 knot is 1.852 km/h exactly.
    EXPECT_EQ(windows.effects, (Effects{"speed:5.5076", "speed:0.0000", "speed:22.4000", "speed:0.5400"}));
}

TEST_F(GnssHandlersTest, MonitorGetsEveryLineOnlyWhileAccepting) {
    handlers.handleGnssLine("$GPZDA,1", 0);
    windows.monitorOn = false;
    handlers.handleGnssLine("$GPZDA,2", 0);
    EXPECT_EQ(only("monitor:"), (Effects{"monitor:$GPZDA,1"}));
}

TEST_F(GnssHandlersTest, HeadingFromHdt) {
    handlers.handleGnssLine("$HEHDT,271.5,T", 0);
    EXPECT_DOUBLE_EQ(state.GyroHeading, 271.5);
    handlers.handleGnssLine("$HEHDT,,T", 0);
    EXPECT_DOUBLE_EQ(state.GyroHeading, 271.5) << "no number: the heading stays";
    handlers.handleGnssLine("$GNHDT,12.25,T*2F", 0);
    EXPECT_DOUBLE_EQ(state.GyroHeading, 12.25);
}

TEST_F(GnssHandlersTest, SpeedKnotsFromRmcAndVtg) {
    handlers.handleGnssLine("$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A", 0);
    EXPECT_DOUBLE_EQ(state.SpeedKnots, 22.4);
    handlers.handleGnssLine("$GPRMC,123520,V,,,,,,,230394,,,N", 0);
    EXPECT_EQ(state.SpeedKnots, 0.0) << "a void RMC stops matching before the speed";
    handlers.handleGnssLine("$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K", 0);
    EXPECT_DOUBLE_EQ(state.SpeedKnots, 5.5);
    handlers.handleGnssLine("$GPVTG,054.7,T,,M,005.5,N,010.2,K", 0);
    EXPECT_EQ(state.SpeedKnots, 0.0) << "an empty magnetic course stops the match";
    handlers.handleGnssLine("$GPVTG,054.7,T,034.4,M,-1.0,N,010.2,K", 0);
    EXPECT_EQ(state.SpeedKnots, 0.0) << "a negative speed is not taken";
}

TEST_F(GnssHandlersTest, RtkHeightAndTideOnlyFromRtkFixedGga) {
    windows.offsetFields.offsetC = 2.0;
    handlers.handleGnssLine("$GPGGA,123519,4807.038,N,01131.000,E,4,08,0.9,12.30,M,35.10,M,,*7E", 0);
    EXPECT_NEAR(state.RtkHeight, 47.40, 1e-9);
    EXPECT_NEAR(state.RtkTide, 45.40, 1e-9);
    handlers.handleGnssLine("$GPGGA,123520,4807.038,N,01131.000,E,5,08,0.9,20.00,M,35.10,M,,*77", 0);
    EXPECT_NEAR(state.RtkHeight, 47.40, 1e-9) << "RTK float changes neither";
    EXPECT_NEAR(state.RtkTide, 45.40, 1e-9);
    handlers.handleGnssLine("$GPGGA,123521,4807.038,N,01131.000,E,4,08,0.9,12.30,M,,M,,*5C", 0);
    EXPECT_NEAR(state.RtkHeight, 12.30, 1e-9) << "no separation: the altitude alone";
    EXPECT_NEAR(state.RtkTide, 10.30, 1e-9);
    handlers.handleGnssLine("$GPGGA,123522,,,,,4,08,0.9,12.30,M,35.10,M,,*4F", 0);
    EXPECT_NEAR(state.RtkHeight, 12.30, 1e-9) << "an empty position stops the match before the fix";
}

TEST_F(GnssHandlersTest, OffsetsAreCopiedOnEveryLineWhileTheirWindowIsClosed) {
    handlers.handleGnssLine("$GPZDA,1", 0);
    EXPECT_EQ(state.OffsetA, 0.5);
    EXPECT_EQ(state.SoundVelocity, 1500.0);
    EXPECT_EQ(state.OffsetC, 2.0);
    EXPECT_EQ(state.ManualTide, 1.2);
    windows.offsetsOpen = true;
    windows.offsetFields = {0.7, 1480.0, 3.0, 0.4};
    const std::string rtk = "$GPGGA,123519,4807.038,N,01131.000,E,4,08,0.9,12.30,M,35.10,M,,";
    handlers.handleGnssLine(rtk, 0);
    EXPECT_EQ(state.OffsetA, 0.5) << "edits in the open window do not count yet";
    EXPECT_NEAR(state.RtkTide, 45.40, 1e-9);
    windows.offsetsOpen = false;
    handlers.handleGnssLine(rtk, 0);
    EXPECT_EQ(state.OffsetA, 0.7);
    EXPECT_EQ(state.SoundVelocity, 1480.0);
    EXPECT_EQ(state.ManualTide, 0.4);
    EXPECT_NEAR(state.RtkTide, 44.40, 1e-9) << "the refreshed OffsetC applies to the same line's tide";
}

TEST_F(GnssHandlersTest, GpsBoxIsRecolouredOnlyWhenTheFixQualityChanges) {
    for (int fix : {1, 4, 4, 2}) {
        handlers.handleGnssLine("$GPZDA,1", fix);
    }
    EXPECT_EQ(only("gpsbox"), (Effects{"gpsbox:red", "gpsbox:lime", "gpsbox:aqua"}));
    EXPECT_EQ(state.LastFixQuality, 2);
    handlers.handleGnssLine("$GPZDA,1", 3);
    handlers.handleGnssLine("$GPZDA,1", 5);
    handlers.handleGnssLine("$GPZDA,1", 0);
    EXPECT_EQ(only("gpsbox"), (Effects{"gpsbox:red", "gpsbox:lime", "gpsbox:aqua", "gpsbox:yellow",
                                       "gpsbox:yellow", "gpsbox:red"}));
}

TEST_F(GnssHandlersTest, FirstFixQualityZeroLeavesTheBoxAsDesigned) {
    handlers.handleGnssLine("$GPGGA,1,,,,,0,00,,,M,,M,,", 0);
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
    handlers.receiverConnected(1);
    handlers.receiverIdle();
    handlers.receiverTimedOut();
    handlers.speedChanged(3.0);
    handlers.handleGnssLine("$HEHDT,10.5,T", 4);
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
    device.feed("$GPGGA,123519,4807.038,N,01131.000,E,4,08,0.9,12.30,M,35.10,M,,*7E\r\n");
    reader.PollTick();
    EXPECT_NEAR(state.GpsLatitude, 48.1173, 1e-12);
    EXPECT_NEAR(state.GpsLongitude, 11.0 + 31.0 / 60.0, 1e-12);
    EXPECT_DOUBLE_EQ(state.GpsAltitude, 12.30);
    EXPECT_NEAR(state.RtkHeight, 47.40, 1e-9);
    // The box follows the fix with the position the reader decoded, not one line later.
    EXPECT_EQ(only("gpsbox"), (Effects{"gpsbox:lime"}));
    device.feed("$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K\r\n");
    reader.PollTick();
    EXPECT_EQ(only("gpsbox"), (Effects{"gpsbox:lime"}));
    EXPECT_EQ(only("speed:"), (Effects{"speed:5.5076"}));
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

// A receiver that falls silent and comes back at the very position and quality it had: the map timer
// starts again by itself, the position returns and the GPS box turns from red back to the fix's colour.
TEST_F(GnssHandlersTest, DropoutAndRecoveryAtTheSamePositionResumeTheMap) {
    auto owned = std::make_unique<MemorySerialDevice>();
    MemorySerialDevice& device = *owned;
    TSelvirSerialGPS reader(nullptr, std::move(owned));
    reader.setTimersEnabled(false);
    wireGnssReader(reader, handlers);
    reader.Open();
    const std::string fix = "$GPGGA,123519,4807.038,N,01131.000,E,4,08,0.9,12.30,M,35.10,M,,*7E\r\n";
    device.feed(fix);
    reader.PollTick();
    reader.WatchdogTick(); // data since the last tick
    reader.WatchdogTick(); // none: idle and time-out
    EXPECT_TRUE(handlers.receiverSilent());
    EXPECT_EQ(reader.FixQuality(), 0) << "a silent receiver has no fix";
    EXPECT_EQ(only("map:"), (Effects{"map:start", "map:stop"}));
    EXPECT_EQ(only("gpsbox"), (Effects{"gpsbox:lime", "gpsbox:red"}));

    device.feed(fix);
    reader.PollTick();
    EXPECT_FALSE(handlers.receiverSilent());
    EXPECT_NEAR(state.GpsLatitude, 48.1173, 1e-12) << "the same position is taken again";
    EXPECT_EQ(reader.FixQuality(), 4);
    EXPECT_EQ(only("map:"), (Effects{"map:start", "map:stop", "map:start"}));
    EXPECT_EQ(only("gpsbox"), (Effects{"gpsbox:lime", "gpsbox:red", "gpsbox:red", "gpsbox:lime"}))
        << "the first line after the silence shows no fix yet; the position brings the fix colour";
    const std::string log = eventsLogText();
    EXPECT_NE(log.find("GPS is idle!"), std::string::npos);
    EXPECT_NE(log.find("GPS Timeout!"), std::string::npos);
}

} // namespace
} // namespace selvir
