// The realtime data window fed by a running survey on memory devices, its depth frames, its toolbar
// and the full-screen map; the battery window's voltage and its hide rule.
#include "AuxWindowsFixture.h"
#include "canvaswidget/TSelvirCanvas.h"
#include "windows/ColorBox.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

namespace selvir {
namespace {

struct RealtimeWindowTest : test::AuxWindowsFixture {
    void useFormat(const char* name) {
        settings.writeString("SENSOR COMUNICATION SETTINGS", "cSBESMessage", name);
    }
};

// The worked examples of the engine, as the surveyor reads them in the window.
TEST_F(RealtimeWindowTest, ReadoutsShowWhatTheEngineHolds) {
    useFormat("NMEA DPT");
    settings.writeFloat("ECHOSOUNDER_OFFSETS", "Offset A", 0.5);
    settings.writeFloat("ECHOSOUNDER_OFFSETS", "Offset C", 2.0);
    startShown();
    for (const char* name : {"Fixed", "Speed", "SatelliteLabel", "LAntennaH", "LTideHt"}) {
        EXPECT_EQ(field(name), QStringLiteral("---")) << name;
    }
    EXPECT_EQ(field("lDepthHi"), QStringLiteral("::::::::::"));

    gnss("$GPGGA,090500.00,4100.0000,N,02900.0000,E,4,12,0.8,12.30,M,35.10,M,,");
    gnss("$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K");
    depth("$SDDPT,12.34,0.5*hh");
    ASSERT_EQ(window->tMapTimer(), MapUpdate::Tick::Done);
    EXPECT_EQ(field("Fixed"), QStringLiteral("4"));
    EXPECT_EQ(field("Speed"), QStringLiteral("5.5")); // 10.2 km/h
    EXPECT_EQ(field("SatelliteLabel"), QStringLiteral("12"));
    EXPECT_EQ(field("LAntennaH"), QStringLiteral("47.40"));
    EXPECT_EQ(field("LTideHt"), QStringLiteral("45.40"));
    EXPECT_EQ(field("lDepthHi"), QStringLiteral("12.84"));
    EXPECT_EQ(field("lDepthLo"), QStringLiteral("0.50")); // no low-frequency depth: the draft alone
    EXPECT_TRUE(realtime->GpsBox()->styleSheet().contains(QStringLiteral("#00ff00"))) << "RTK fixed: lime";
    EXPECT_TRUE(realtime->findChild<QGroupBox*>(QStringLiteral("gbDepthHi"))
                    ->styleSheet()
                    .contains(QStringLiteral("#00ff00")));

    // "English" while realtime runs: both depths read "none" until the next depth, even an equal one.
    window->Action(QStringLiteral("Dilngilizce1"))->trigger();
    EXPECT_EQ(window->Realtime()->text(), QStringLiteral("Stop")) << "the running switch still says so";
    window->tMapTimer();
    EXPECT_EQ(field("lDepthHi"), QStringLiteral("::::::::::"));
    EXPECT_EQ(field("lDepthLo"), QStringLiteral("::::::::::"));
    depth("$SDDPT,12.34,0.5*hh");
    EXPECT_EQ(field("lDepthHi"), QStringLiteral("12.84"));

    gnss("$GPGGA,090501.00,4100.0000,N,02900.0000,E,2,12,0.8,12.30,M,35.10,M,,");
    gnss("$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K"); // the box takes the reader's quality at the next line
    EXPECT_TRUE(realtime->GpsBox()->styleSheet().contains(QStringLiteral("#00ffff"))) << "DGPS: aqua";
}

TEST_F(RealtimeWindowTest, DepthFramesSetTheClientHeight) {
    makeAll();
    realtime->show();
    EXPECT_EQ(realtime->height(), TfRealtime::kClientHeightBothFramesPx);
    realtime->ShowLowFrequencyFrame(false);
    EXPECT_EQ(realtime->height(), 289);
    realtime->ShowLowFrequencyFrame(true);
    EXPECT_EQ(realtime->height(), 387);
    realtime->ShowDepthFrames(false, false);
    EXPECT_EQ(realtime->height(), 191);
    EXPECT_FALSE(realtime->HighFrequencyFrameShown());
}

TEST_F(RealtimeWindowTest, RealtimeStartShowsTheFramesTheEchosounderSwitchAndFormatCall) {
    struct Case {
        bool sensorOn;
        const char* format;
        int heightPx;
        bool waterfallShown;
    };
    for (const Case& c : {Case{false, "Selvir SMT", 191, false}, Case{true, "Selvir SMT", 289, true},
                          Case{true, "Selvir XDR H/L", 387, true}}) {
        SCOPED_TRACE(c.format);
        settings.writeBool("SENSOR COMUNICATION SETTINGS", "Sensor Enabled", c.sensorOn);
        useFormat(c.format);
        makeAll().FormShow();
        window->RealtimeClick();
        EXPECT_EQ(realtime->height(), c.heightPx);
        EXPECT_EQ(waterfall->isVisible(), c.waterfallShown);
        EXPECT_TRUE(window->tEchogram().isActive() || !c.sensorOn);
        TearDown();
    }
}

TEST_F(RealtimeWindowTest, TheMessageChoiceIsAppliedOnceTenSecondsAfterCreation) {
    useFormat("Selvir XDR LO");
    makeAll();
    ASSERT_NE(realtime->Timer1(), nullptr);
    EXPECT_EQ(realtime->Timer1()->interval(), 10000);
    EXPECT_TRUE(realtime->Timer1()->isSingleShot());
    realtime->ShowLowFrequencyFrame(false);
    realtime->Timer1()->setInterval(1); // the same timer, made short for the test
    realtime->Timer1()->start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return realtime->Timer1() == nullptr; }, 2000)) << "gone once fired";
    EXPECT_TRUE(realtime->LowFrequencyFrameShown()) << "a format with a low-frequency depth";
}

TEST_F(RealtimeWindowTest, ToolbarZoomsOpensTheLogFolderAndTheOffsetsOnceGiven) {
    makeAll().FormShow();
    const double width = window->Canvas()->View().WorldRight - window->Canvas()->View().WorldLeft;
    realtime->Button(QStringLiteral("btZoomIn"))->trigger();
    EXPECT_LT(window->Canvas()->View().WorldRight - window->Canvas()->View().WorldLeft, width);
    realtime->Button(QStringLiteral("btZoomOut"))->trigger();
    EXPECT_NEAR(window->Canvas()->View().WorldRight - window->Canvas()->View().WorldLeft, width,
                width * 0.05);

    std::vector<QUrl> opened;
    window->openUrl = [&](const QUrl& url) {
        opened.push_back(url);
        return true;
    };
    realtime->Button(QStringLiteral("btOpenLogFolder"))->trigger();
    window->Action(QStringLiteral("OpenLogFolder1"))->trigger();
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0].toLocalFile().toStdString(), folders.logFolder().string());
    // After a start, the folder of the receiver's raw log.
    window->RealtimeClick();
    realtime->Button(QStringLiteral("btOpenLogFolder"))->trigger();
    EXPECT_EQ(opened.back().toLocalFile().toStdString(),
              folders.gnssRawLog(clock.now().date).parent_path().string());

    std::vector<QString> errors;
    window->onError = [&](const QString& message) { errors.push_back(message); };
    window->openUrl = [](const QUrl&) { return false; };
    window->OpenLogFolder1Click();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].contains(QString::fromStdString(folders.logFolder().string())));

    QAction* offsets = realtime->Button(QStringLiteral("btShowOffsets"));
    EXPECT_FALSE(offsets->isEnabled()) << "nothing to show yet";
    int shown = 0;
    realtime->SetShowOffsets([&] { ++shown; });
    EXPECT_TRUE(offsets->isEnabled());
    offsets->trigger();
    EXPECT_EQ(shown, 1);
}

TEST_F(RealtimeWindowTest, TheFullScreenMapHidesEverythingButTheMapAndEscapeBringsItBack) {
    startShown();
    realtime->show();
    waterfall->hide(); // closed by the surveyor: leaving the map brings it back all the same
    const auto toolbars = window->findChildren<QToolBar*>(Qt::FindDirectChildrenOnly);
    ASSERT_GE(toolbars.size(), 3);

    realtime->Button(QStringLiteral("btHide"))->trigger();
    EXPECT_TRUE(window->isFullScreen());
    EXPECT_TRUE(realtime->MapOnlyShown());
    for (const QToolBar* bar : toolbars) {
        EXPECT_TRUE(bar->isHidden()) << bar->objectName().toStdString();
    }
    EXPECT_TRUE(window->statusBar()->isHidden());
    EXPECT_TRUE(window->menuBar()->isHidden());
    EXPECT_FALSE(realtime->isVisible());

    QTest::keyClick(window->Canvas(), Qt::Key_Escape);
    EXPECT_FALSE(window->isFullScreen());
    EXPECT_FALSE(realtime->MapOnlyShown());
    for (const QToolBar* bar : toolbars) {
        EXPECT_FALSE(bar->isHidden()) << bar->objectName().toStdString();
    }
    EXPECT_FALSE(window->statusBar()->isHidden());
    EXPECT_FALSE(window->menuBar()->isHidden());
    EXPECT_TRUE(realtime->isVisible());
    EXPECT_TRUE(waterfall->isVisible());
    // Escape without the full-screen map leaves it off.
    QTest::keyClick(window->Canvas(), Qt::Key_Escape);
    EXPECT_FALSE(window->isFullScreen());
}

TEST_F(RealtimeWindowTest, WithTheSetUpWindowsTheMapClosesNavigationSettingsAndTheButtonOpensOffsets) {
    makeAll(true).FormShow();
    window->show();
    realtime->btHideClick();
    realtime->btHideClick();
    EXPECT_TRUE(navset->isVisible()) << "shown after the map, though it was not open before";

    // What the surveyor changed and has not stored yet outlives the map's hiding and showing.
    navset->VesselColor()->setColor(kColorRed);
    navset->eUpdateRate()->setValue(700);
    navset->edDepthAlert1()->setText(QStringLiteral("2.5"));
    const NavigationDisplaySettings changed = navset->displaySettings();
    realtime->btHideClick();
    EXPECT_FALSE(navset->isVisible());
    realtime->btHideClick();
    EXPECT_TRUE(navset->isVisible());
    EXPECT_EQ(navset->displaySettings(), changed);
    EXPECT_EQ(window->tMap().interval(), 700) << "the map timer keeps the rate on screen";
    EXPECT_FALSE(settings.sectionExists("NAVIGATION_SETTINGS")) << "nothing was stored meanwhile";

    offsets->hide();
    QAction* button = realtime->Button(QStringLiteral("btShowOffsets"));
    ASSERT_TRUE(button->isEnabled());
    button->trigger();
    EXPECT_TRUE(offsets->isVisible());
}

TEST_F(RealtimeWindowTest, ADoubleClickOnThePositionStatusBoxTogglesTheFullScreenMap) {
    startShown();
    window->tMapTimer(); // the status box: no position yet
    TSelvirCanvas& canvas = *window->Canvas();
    const auto middleOfBox = [&canvas] {
        const PixelBox box = canvas.GGAOverlayBox();
        return QPoint((box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2);
    };
    ASSERT_GT(canvas.GGAOverlayBox().Right, canvas.GGAOverlayBox().Left);
    QTest::mouseDClick(&canvas, Qt::LeftButton, Qt::NoModifier, middleOfBox());
    EXPECT_TRUE(window->MapOnlyShown());
    QTest::mouseDClick(&canvas, Qt::LeftButton, Qt::NoModifier, middleOfBox());
    EXPECT_FALSE(window->MapOnlyShown());
    // Elsewhere on the map a double-click does not switch.
    QTest::mouseDClick(&canvas, Qt::LeftButton, Qt::NoModifier,
                       QPoint(canvas.width() / 2, canvas.height() / 2));
    EXPECT_FALSE(window->MapOnlyShown());
}

TEST_F(RealtimeWindowTest, TheBatteryShowsTheSmtVoltageAndHidesWhileAnotherMessageIsChosen) {
    useFormat("Selvir SMT");
    startShown();
    EXPECT_TRUE(battery->isVisible()) << "shown at the end of the start-up";
    EXPECT_EQ(battery->Timer1().interval(), 1000);
    depth("$SMT0001,12.34,12.6");
    EXPECT_EQ(battery->pBattery()->text(), QStringLiteral("12.60"));

    battery->Timer1Timer();
    EXPECT_TRUE(battery->isVisible());
    useFormat("NMEA DPT");
    battery->Timer1Timer();
    EXPECT_FALSE(battery->isVisible());
    battery->Timer1Timer();
    EXPECT_FALSE(battery->isVisible());
    useFormat("Selvir SMT");
    battery->Timer1Timer();
    EXPECT_TRUE(battery->isVisible()) << "back with its message";
}

TEST_F(RealtimeWindowTest, PlacementsAreSavedWhenTheMainWindowCloses) {
    makeAll().FormShow();
    realtime->show();
    realtime->move(40, 50);
    battery->move(60, 70);
    window->close();
    EXPECT_EQ(settings.readInteger("fRealtime", "Left", -1), 40);
    EXPECT_EQ(settings.readInteger("fRealtime", "Top", -1), 50);
    EXPECT_EQ(settings.readInteger("fJoystick", "Left", -1), 60);
    EXPECT_FALSE(realtime->isVisible()) << "closed with the main window";
    // A waterfall that was never shown writes nothing: its stored settings are kept.
    EXPECT_EQ(settings.readString("ECHOGRAM", "DataWidth", "none"), "none");
}

} // namespace
} // namespace selvir
