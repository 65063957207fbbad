#include "navigation/RealtimeSettings.h"

#include "support/TempDir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <thread>

namespace selvir {
namespace {

TEST(RealtimeSettings, ReadDefaultsWithoutTheSections) {
    test::TempDir dir;
    ProfileStore store(dir / "SelvirHS.INI");
    const auto nav = NavigationDisplaySettings::read(store);
    EXPECT_EQ(nav.vesselWidthPx, 3);
    EXPECT_EQ(nav.trackWidthPx, 3);
    EXPECT_EQ(nav.trackIntervalTicks, 20);
    EXPECT_TRUE(nav.trackAsLine);
    EXPECT_EQ(nav.depthAlertM, 1);
    EXPECT_EQ(nav.vesselColor, 0u);
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
    EXPECT_EQ(device.messagePattern, "%*8s,%lf");
    const auto labels = LabelSettings::read(store);
    EXPECT_EQ(labels.depthLabelFontName, "Arial");
    EXPECT_EQ(labels.eventLabelColor, 255u);
    EXPECT_EQ(EchosounderOffsets::read(store).values.soundVelocity, 1500);
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
    EXPECT_EQ(offsets.tideHeight, 0);
    const auto nav = NavigationDisplaySettings::read(store);
    EXPECT_EQ(nav.trackIntervalTicks, 20);
    EXPECT_EQ(nav.vesselColor, 0x800000u);
    EXPECT_EQ(nav.colorTracklines1, 0xFF00000Fu);
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
