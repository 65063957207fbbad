#include "navigation/RealtimeSettings.h"

#include "navigation/DisplaySettings.h"
#include "support/TempDir.h"

#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>

namespace selvir {
namespace {

TEST(RealtimeSettings, ReadDefaultsWithoutTheSections) {
    test::TempDir dir;
    ProfileStore store(dir / "SelvirHS.INI");
    const auto geometry = VesselGeometry::read(store);
    EXPECT_EQ(geometry.circleCount, 2);
    EXPECT_EQ(geometry.circleIntervalM, 10);
    EXPECT_EQ(geometry.firstRadiusM, 10);
    EXPECT_EQ(geometry.arrowLengthM, 100);
    EXPECT_EQ(geometry.arrowHalfWidthM, 0);
    const auto device = DeviceSwitches::read(store);
    EXPECT_TRUE(device.sensorEnabled);
    EXPECT_TRUE(device.gyroEnabled);
    EXPECT_EQ(device.messageFormat, "Selvir SMT");
    EXPECT_EQ(device.messagePattern, "%*8s,%lf,%lf") << "the chosen message's own pattern";
    const auto labels = DisplaySettings::read(store);
    EXPECT_EQ(labels.DepthLabelFontName, "Arial");
    EXPECT_EQ(labels.EventLabelColor, 255u);
    EXPECT_EQ(EchosounderOffsets::read(store).values.soundVelocity, 1500);
}

// A first run has no navigation settings: the map must not be black on black. Missing keys take the
// navigation settings window's own defaults (the toolkit's navy, white, green, yellow and silver);
// keys that are there but hold no number take its read defaults.
TEST(RealtimeSettings, NavigationSettingsMissingOrUnreadable) {
    test::TempDir dir;
    const char* keys[] = {"VesselColor",      "VesselWidth", "BackgroundColor", "ColorTracklines1",
                          "ColorTracklines0", "TrackWidth",  "TrackInterval",   "eUpdateRate",
                          "edDepthAlert",     "GridColor"};
    std::ofstream unreadable(dir / "unreadable.INI");
    unreadable << "[NAVIGATION_SETTINGS]\n";
    for (const char* key : keys) {
        unreadable << key << "=\n";
    }
    unreadable.close();
    struct Expected {
        const char* file;
        ColorValue vessel, background, fixed, floating, grid;
        int vesselWidth, trackWidth, interval, updateRate;
        double alert;
    };
    const Expected expected[] = {
        {"missing.INI", 0x800000, 0xFFFFFF, 0x008000, 0x00FFFF, 0xC0C0C0, 2, 2, 20, 1000, 0.5},
        // An unreadable update rate is the window's 1000 ms, not 20 (below its own 100 ms minimum).
        {"unreadable.INI", 0, 0, 0, 0, 0, 3, 3, 20, 1000, 1},
    };
    for (const Expected& e : expected) {
        const auto nav = NavigationDisplaySettings::read(ProfileStore(dir / e.file));
        EXPECT_EQ(nav.vesselColor, e.vessel) << e.file;
        EXPECT_EQ(nav.backgroundColor, e.background) << e.file;
        EXPECT_EQ(nav.colorTracklines1, e.fixed) << e.file;
        EXPECT_EQ(nav.colorTracklines0, e.floating) << e.file;
        EXPECT_EQ(nav.gridColor, e.grid) << e.file;
        EXPECT_EQ(nav.vesselWidthPx, e.vesselWidth) << e.file;
        EXPECT_EQ(nav.trackWidthPx, e.trackWidth) << e.file;
        EXPECT_EQ(nav.trackIntervalTicks, e.interval) << e.file;
        EXPECT_EQ(nav.updateRateMs, e.updateRate) << e.file;
        EXPECT_EQ(nav.depthAlertM, e.alert) << e.file;
        EXPECT_TRUE(nav.trackAsLine) << e.file;
    }
}

TEST(RealtimeSettings, PaddedKeysAndTypedTexts) {
    test::TempDir dir;
    std::ofstream(dir / "s.INI")
        << "[SENSOR COMUNICATION SETTINGS]\nSensor Enabled     =0\ncSBESMessage=NMEA DPT\n"
           "eSBESFormat=%*6s,%lf\n[GYRO]\nGyro Enabled     =0\n"
           "[ECHOSOUNDER_OFFSETS]\nOffset A     =0.50\nSV           =1480\n"
           "Offset C     =2\nTide Height  =x\n"
           "[NAVIGATION_SETTINGS]\nTrackInterval=abc\nVesselColor=8388608\n"
           "ColorTracklines1=-16777201\n";
    ProfileStore store(dir / "s.INI");
    const auto device = DeviceSwitches::read(store);
    EXPECT_FALSE(device.sensorEnabled);
    EXPECT_FALSE(device.gyroEnabled);
    EXPECT_EQ(device.messagePattern, "%*6s,%lf");
    const auto offsets = EchosounderOffsets::read(store).values;
    EXPECT_EQ(offsets.offsetA, 0.5);
    EXPECT_EQ(offsets.soundVelocity, 1480);
    EXPECT_EQ(offsets.offsetC, 2);
    EXPECT_TRUE(std::isnan(offsets.tideHeight)) << "there but not a number";
    const auto nav = NavigationDisplaySettings::read(store);
    EXPECT_EQ(nav.trackIntervalTicks, 20);
    EXPECT_EQ(nav.vesselColor, 0x800000u);
    EXPECT_EQ(nav.colorTracklines1, 0xFF00000Fu);
}

// Stored whole numbers are kept within the window's fields: a rate of 0 is a divisor and a timer period,
// a million circles would stall every map tick.
TEST(RealtimeSettings, StoredValuesOutsideTheFieldsAreKeptWithinThem) {
    test::TempDir dir;
    std::ofstream(dir / "s.INI") << "[NAVIGATION_SETTINGS]\neUpdateRate=0\nVesselWidth=99\nTrackInterval=-4\n"
                                    "[VESSEL_SHAPE]\nNumber of circles=1000000\n";
    ProfileStore store(dir / "s.INI");
    const auto nav = NavigationDisplaySettings::read(store);
    EXPECT_EQ(nav.updateRateMs, 100);
    EXPECT_EQ(nav.vesselWidthPx, 15);
    EXPECT_EQ(nav.trackIntervalTicks, 0);
    EXPECT_EQ(VesselGeometry::read(store).circleCount, 100);
}

TEST(RealtimeSettings, NavigationSettingsWrittenAreReadBack) {
    test::TempDir dir;
    ProfileStore store(dir / "s.INI");
    NavigationDisplaySettings set;
    set.vesselColor = 0x0000FF;
    set.vesselWidthPx = 4;
    set.backgroundColor = 0x000000;
    set.colorTracklines1 = 0xFF00000F; // a stored system colour keeps its high byte
    set.colorTracklines0 = 0x00A5FF;
    set.trackWidthPx = 0;
    set.trackIntervalTicks = 40;
    set.updateRateMs = 250;
    set.trackAsLine = false;
    set.depthAlertM = 2.75;
    set.gridColor = 0x808080;
    ASSERT_TRUE(set.write(store));
    const auto back = NavigationDisplaySettings::read(store);
    EXPECT_EQ(back.vesselColor, set.vesselColor);
    EXPECT_EQ(back.vesselWidthPx, set.vesselWidthPx);
    EXPECT_EQ(back.backgroundColor, set.backgroundColor);
    EXPECT_EQ(back.colorTracklines1, set.colorTracklines1);
    EXPECT_EQ(back.colorTracklines0, set.colorTracklines0);
    EXPECT_EQ(back.trackWidthPx, set.trackWidthPx);
    EXPECT_EQ(back.trackIntervalTicks, set.trackIntervalTicks);
    EXPECT_EQ(back.updateRateMs, set.updateRateMs);
    EXPECT_EQ(back.trackAsLine, set.trackAsLine);
    EXPECT_EQ(back.depthAlertM, set.depthAlertM);
    EXPECT_EQ(back.gridColor, set.gridColor);
    EXPECT_EQ(store.readString("NAVIGATION_SETTINGS", "ColorTracklines1"), "-16777201");
}

TEST(RealtimeSettings, CacheFollowsTheFile) {
    test::TempDir dir;
    ProfileStore store(dir / "s.INI");
    CachedSettings<NavigationDisplaySettings> cache(store);
    EXPECT_EQ(cache.get().trackIntervalTicks, 20);
    store.writeInteger("NAVIGATION_SETTINGS", "TrackInterval", 7);
    EXPECT_EQ(cache.get().trackIntervalTicks, 7);
    store.writeInteger("NAVIGATION_SETTINGS", "TrackInterval", 8); // same size, later time
    EXPECT_EQ(cache.get().trackIntervalTicks, 8);
}

} // namespace
} // namespace selvir
