// The navigation settings, vessel geometry and latency windows in the main window: what the surveyor
// sets there reaches the map timer, the canvas and the realtime update.
#include "SetupWindowsFixture.h"
#include "canvaswidget/TSelvirCanvas.h"
#include "navigation/LayerNames.h"
#include "windows/ColorBox.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace selvir {
namespace {

struct SettingsWindowsTest : test::SetupWindowsFixture {
    void SetUp() override {
        settings.writeString("GPS1 COMUNICATION SETTINGS", "Port No", "COM3");
        settings.writeBool("SENSOR COMUNICATION SETTINGS", "Sensor Enabled", false);
    }
    void sail() {
        window->RealtimeClick();
        window->ZGPS1().setTimersEnabled(false);
        for (const char* fix : {"$GPGGA,090500.00,4100.0000,N,02900.0000,E,4,12,0.8,10.00,M,35.10,M,,",
                                "$GPGGA,090501.00,4100.0100,N,02900.0100,E,4,12,0.8,10.00,M,35.10,M,,"}) {
            gps->feed(std::string(fix) + "\r\n");
            window->ZGPS1().PollTick();
            ASSERT_EQ(window->tMapTimer(), MapUpdate::Tick::Done);
        }
    }
};

TEST_F(SettingsWindowsTest, TheUpdateRateSetsTheMapTimerAndTheTrackInterval) {
    settings.writeInteger("NAVIGATION_SETTINGS", "eUpdateRate", 2000);
    settings.writeInteger("NAVIGATION_SETTINGS", "TrackInterval", 7);
    makeWithWindows().FormShow();
    EXPECT_EQ(window->tMap().interval(), 2000) << "the stored rate from the start";
    EXPECT_EQ(navset->TrackInterval()->value(), 7) << "a stored interval is not overwritten by the rate";

    retype(navset->eUpdateRate(), QStringLiteral("250"));
    EXPECT_EQ(window->tMap().interval(), 250);
    EXPECT_EQ(navset->TrackInterval()->value(), 40);

    retype(navset->eUpdateRate(), QString());
    EXPECT_EQ(navset->eUpdateRate()->text(), QStringLiteral("1000"));
    EXPECT_EQ(window->tMap().interval(), 1000);
    EXPECT_EQ(navset->TrackInterval()->value(), 10);

    navset->eUpdateRate()->stepUp(); // the arrows
    EXPECT_EQ(window->tMap().interval(), 1100);
    EXPECT_EQ(navset->TrackInterval()->value(), 9);

    retype(navset->eUpdateRate(), QStringLiteral("0")); // a divisor: never taken
    EXPECT_EQ(window->tMap().interval(), 1100);
    EXPECT_EQ(navset->TrackInterval()->value(), 9);
    EXPECT_EQ(navset->displaySettings().updateRateMs, 1100);

    retype(navset->TrackWidth(), QString());
    EXPECT_EQ(navset->TrackWidth()->text(), QStringLiteral("2")) << "an emptied field is refilled at once";
    retype(navset->edDepthAlert1(), QString());
    EXPECT_EQ(navset->edDepthAlert1()->text(), QStringLiteral("0"));

    // Closing the program stores what the window holds, though it was never shown.
    window->close();
    EXPECT_EQ(settings.readInteger("NAVIGATION_SETTINGS", "eUpdateRate", 0), 1100);
    EXPECT_EQ(settings.readFloat("NAVIGATION_SETTINGS", "edDepthAlert", -1), 0);
}

TEST_F(SettingsWindowsTest, WhatIsSetReachesTheMapAndIsKeptWhenTheWindowCloses) {
    makeWithWindows().FormShow();
    window->NavigationSettings1Click();
    ASSERT_TRUE(navset->isVisible());
    navset->fcadColor()->setColor(kColorAqua);
    EXPECT_EQ(window->Canvas()->BackColor(), static_cast<TColor>(kColorAqua)) << "at once";
    navset->ColorTracklines1()->setColor(kColorRed);
    navset->VesselColor()->setColor(kColorLime);
    retype(navset->TrackInterval(), QStringLiteral("1"));
    retype(navset->VesselWidth(), QStringLiteral("5"));
    retype(navset->edDepthAlert1(), QStringLiteral("x")); // not a number: the last alert depth stays
    EXPECT_EQ(navset->displaySettings().depthAlertM, 0.5);
    sail();
    TSelvirCanvas& canvas = *window->Canvas();
    const int track = canvas.LayerFindByName(QString::fromUtf8(kTrackFixLayer));
    const int vessel = canvas.LayerFindByName(QString::fromUtf8(kVesselLayerName));
    EXPECT_EQ(test::shapesOn(canvas, kTrackFixLayer).size(), 1u);
    EXPECT_EQ(canvas.Model().GetLayerPenFg(track), static_cast<TColor>(kColorRed));
    EXPECT_EQ(canvas.Model().GetLayerPenFg(vessel), static_cast<TColor>(kColorLime));
    EXPECT_EQ(canvas.Model().GetLayerPenWidth(vessel), 5);

    navset->close();
    EXPECT_FALSE(navset->isVisible());
    EXPECT_EQ(settings.readColor("NAVIGATION_SETTINGS", "ColorTracklines1", 0), kColorRed);
    EXPECT_EQ(settings.readInteger("NAVIGATION_SETTINGS", "TrackInterval", 0), 1);
    EXPECT_TRUE(settings.valueExists("Navset", "Left")) << "its placement too";
    // Showing reads the keys again.
    settings.writeInteger("NAVIGATION_SETTINGS", "VesselWidth", 9);
    window->NavigationSettings1Click();
    EXPECT_EQ(navset->VesselWidth()->value(), 9);
}

// A shallow-water depth the field cannot take is said under it, with the depth still in force.
TEST_F(SettingsWindowsTest, AnAlertDepthThatIsNoNumberIsSaidWithTheDepthInForce) {
    makeWithWindows().FormShow();
    window->NavigationSettings1Click();
    retype(navset->edDepthAlert1(), QStringLiteral("1.5"));
    EXPECT_TRUE(navset->DepthAlertNote()->isHidden());
    retype(navset->edDepthAlert1(), QStringLiteral("2,5"));
    EXPECT_EQ(navset->displaySettings().depthAlertM, 2) << "the 2 typed first was a depth";
    ASSERT_FALSE(navset->DepthAlertNote()->isHidden());
    const QString said = navset->DepthAlertNote()->text();
    EXPECT_TRUE(said.contains(QStringLiteral("\"2,5\""))) << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("stays at 2 m"))) << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("\".\""))) << "a decimal comma is named";
    retype(navset->edDepthAlert1(), QStringLiteral("2.5"));
    EXPECT_TRUE(navset->DepthAlertNote()->isHidden());
    EXPECT_EQ(navset->displaySettings().depthAlertM, 2.5);
}

TEST_F(SettingsWindowsTest, VesselGeometryFieldsDefaultsAndTheFirstTick) {
    makeWithWindows().FormShow();
    const std::vector<QString> shown{shape->edAmount()->text(), shape->edInterval()->text(),
                                     shape->edRadious()->text(), shape->edBArrow()->text(),
                                     shape->edLArrow()->text()};
    EXPECT_EQ(shown, (std::vector<QString>{"2", "10", "10", "100", "0"})) << "no VESSEL_SHAPE section";
    EXPECT_EQ(shape->findChild<QLabel*>(QStringLiteral("lRadious"))->text(),
              QStringLiteral("Radius of first circle"))
        << "the English caption set wins after start";

    window->VesselShape1Click();
    shape->DefaultButton()->click();
    EXPECT_EQ(shape->edLArrow()->text(), QStringLiteral("10"));
    retype(shape->edRadious(), QStringLiteral("x"));
    shape->SaveButton()->click();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(shape->isVisible());
    EXPECT_FALSE(settings.sectionExists("VESSEL_SHAPE"));
    retype(shape->edRadious(), QStringLiteral("15"));
    retype(shape->edAmount(), QStringLiteral("3"));
    shape->SaveButton()->click();
    EXPECT_FALSE(shape->isVisible());
    EXPECT_EQ(settings.readFloat("VESSEL_SHAPE", "Radious of first circle", 0), 15);

    // The first tick reads the fields: five arrow lines and three circles.
    sail();
    const auto vessel = test::shapesOn(*window->Canvas(), kVesselLayerName);
    ASSERT_EQ(vessel.size(), 8u);
    const auto* circle = dynamic_cast<const TSCircle*>(vessel.back());
    ASSERT_NE(circle, nullptr);
    EXPECT_EQ(circle->Radius, 15 + 2 * 10);
}

TEST_F(SettingsWindowsTest, LatencyAgainstTheTolerance) {
    makeWithWindows().FormShow();
    EXPECT_EQ(latency->eLatencyTol()->text(), QStringLiteral("500"));
    latency->showLatency("499", "499.0");
    EXPECT_EQ(latency->LatencyColor(), kColorLime);
    latency->showLatency("500", "499.5");
    EXPECT_EQ(latency->LatencyColor(), kColorRed);
    retype(latency->eLatencyTol(), QStringLiteral("800"));
    EXPECT_EQ(settings.readInteger("LATENCY", "eLatencyTol", 0), 800);
    EXPECT_EQ(latency->LatencyColor(), kColorLime);
    retype(latency->eLatencyTol(), QString()); // emptied to type another: the last tolerance holds
    EXPECT_EQ(settings.readInteger("LATENCY", "eLatencyTol", 0), 800);

    // The realtime update fills the window while it is visible.
    latency->eCurrentLatency()->clear();
    sail();
    EXPECT_TRUE(latency->eCurrentLatency()->text().isEmpty()) << "hidden: not measured";
    window->LatencyWatchSet1Click();
    ASSERT_EQ(window->tMapTimer(), MapUpdate::Tick::Done);
    EXPECT_EQ(latency->eCurrentLatency()->text(), QStringLiteral("0")) << "the manual clock stands still";
    EXPECT_EQ(latency->eLatencyAveraged()->text(), QStringLiteral("0.0"));
}

} // namespace
} // namespace selvir
