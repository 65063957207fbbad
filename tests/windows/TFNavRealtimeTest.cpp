// The realtime switch, the map timer's tick on the window's canvas, event marking and the receiver
// commands of the main window, on memory serial devices.
#include "NavWindowFixture.h"
#include "navigation/LayerNames.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QToolButton>

namespace selvir {
namespace {

struct RealtimeTest : test::NavWindowFixture {
    void SetUp() override {
        settings.writeString("GPS1 COMUNICATION SETTINGS", "Port No", "COM3");
        settings.writeString("SENSOR COMUNICATION SETTINGS", "Port No", "COM4");
    }
    void startShown() {
        make().FormShow();
        window->show();
        window->RealtimeClick();
        window->ZGPS1().setTimersEnabled(false);
    }
};

TEST_F(RealtimeTest, StartOpensBothPortsAndStopClosesThem) {
    startShown();
    EXPECT_EQ(window->Realtime()->text(), QStringLiteral("Stop"));
    EXPECT_TRUE(window->tMap().isActive());
    EXPECT_EQ(window->tMap().interval(), 500);
    EXPECT_TRUE(window->tEchogram().isActive());
    EXPECT_EQ(gps->lastPath(), "/dev/memory3");
    EXPECT_EQ(sensor->lastPath(), "/dev/memory4");
    EXPECT_TRUE(window->Realtime()->isChecked());
    EXPECT_NE(messages.Msg()->toPlainText().indexOf("ZSENSOR Open called on port: COM4"), -1);
    EXPECT_NE(eventsLog().find("\tConnected to GPS on COM3"), std::string::npos);
    EXPECT_NE(eventsLog().find("\tRealtime STARTED"), std::string::npos);

    window->RealtimeClick();
    EXPECT_EQ(window->Realtime()->text(), QStringLiteral("Start"));
    EXPECT_FALSE(window->tMap().isActive());
    EXPECT_FALSE(window->tEchogram().isActive());
    EXPECT_FALSE(gps->isOpen());
    EXPECT_FALSE(sensor->isOpen());
    EXPECT_FALSE(window->Realtime()->isChecked());
    EXPECT_NE(eventsLog().find("\tRealtime STOPPED"), std::string::npos);
}

TEST_F(RealtimeTest, APortThatCannotOpenStillSwitchesRealtimeOn) {
    settings.writeBool("SENSOR COMUNICATION SETTINGS", "Sensor Enabled", false);
    make().FormShow();
    gps->setOpenFails(true);
    window->RealtimeClick();
    EXPECT_EQ(window->Realtime()->text(), QStringLiteral("Stop"));
    EXPECT_TRUE(window->tMap().isActive());
    EXPECT_EQ(eventsLog().find("Connected to GPS"), std::string::npos);
    EXPECT_NE(eventsLog().find("\tGPS Open failed: COM3 (/dev/memory3): the device refused to open"),
              std::string::npos)
        << "the surveyor is told why no position comes";
    EXPECT_FALSE(sensor->isOpen()); // sensor disabled: its port stays closed
    EXPECT_EQ(sensor->openCount(), 0);
}

TEST_F(RealtimeTest, AnEchosounderPortThatCannotOpenSaysWhy) {
    make().FormShow();
    sensor->setOpenFails(true);
    window->RealtimeClick();
    EXPECT_NE(messages.Msg()->toPlainText().indexOf(
                  "ZSENSOR Open failed: COM4 (/dev/memory4): the device refused to open"),
              -1)
        << messages.Msg()->toPlainText().toStdString();
}

// Rows that cannot be written are kept, and the status bar says so until they are on disk.
TEST_F(RealtimeTest, TheStatusBarShowsRowsKeptWhileTheSurveyFileCannotBeWritten) {
    startShown();
    window->ZSENSOR().setTimersEnabled(false);
    ASSERT_TRUE(folders.createAll());
    std::filesystem::create_directory(folders.surveyFile());
    for (int n = 1; n <= 99; ++n) {
        std::filesystem::create_directory(numberedAlternative(folders.surveyFile(), n));
    }
    sensor->feed("$SMT0001,12.34,12.6\r\n$SMT0001,12.40,12.6\r\n");
    window->ZSENSOR().PollTick();
    ASSERT_FALSE(window->SurveyFileWarning()->isHidden());
    EXPECT_TRUE(window->SurveyFileWarning()->text().startsWith(
        QStringLiteral("SURVEY FILE NOT WRITTEN: 2 row(s) kept in memory")))
        << window->SurveyFileWarning()->text().toStdString();
    std::filesystem::remove(folders.surveyFile());
    window->tMapTimer();
    EXPECT_TRUE(window->SurveyFileWarning()->isHidden());
    EXPECT_EQ(window->Session().survey().rowsWritten(), 2u);
}

TEST_F(RealtimeTest, MapTickDrawsTheVesselTheTrackAndTheStatusBar) {
    settings.writeInteger("NAVIGATION_SETTINGS", "TrackInterval", 1);
    startShown();
    gnss("$GPGGA,090500.00,4100.0000,N,02900.0000,E,4,12,0.8,10.00,M,35.10,M,,");
    ASSERT_EQ(window->tMapTimer(), MapUpdate::Tick::Done);
    gnss("$GPGGA,090501.00,4100.0100,N,02900.0100,E,4,12,0.8,10.00,M,35.10,M,,");
    ASSERT_EQ(window->tMapTimer(), MapUpdate::Tick::Done);

    const auto vessel = test::shapesOn(*window->Canvas(), kVesselLayerName);
    ASSERT_EQ(vessel.size(), 7u); // five arrow lines and the two range circles
    EXPECT_EQ(vessel[0]->ShapeType, ShapeKind::Line);
    EXPECT_EQ(vessel[6]->ShapeType, ShapeKind::Circle);
    EXPECT_EQ(test::shapesOn(*window->Canvas(), kTrackFixLayer).size(), 1u);
    EXPECT_EQ(window->StatusPanel(0)->text(), QStringLiteral("Lat: 41.00016667"));
    EXPECT_EQ(window->StatusPanel(1)->text(), QStringLiteral("Lon: 29.00016667"));
    EXPECT_TRUE(window->StatusPanel(2)->text().startsWith(QStringLiteral("E: ")));
}

TEST_F(RealtimeTest, EventsAreNumberedOnTheMapAndResetOnlyWhenConfirmed) {
    make().FormShow();
    window->Session().state().Easting = 512345.674;
    window->Session().state().Northing = 4512345.886;
    window->Action(QStringLiteral("btEventAdd"))->trigger();
    window->Action(QStringLiteral("MarkEvent1"))->trigger();
    EXPECT_EQ(window->Canvas()->Overlays().EventLabels.size(), 2u);
    EXPECT_EQ(window->Canvas()->Overlays().EventLabels.back().Number, 2);
    EXPECT_EQ(settings.readInteger("EVENTS", "Event Number", 0), 2);
    EXPECT_NE(eventsLog().find("Event No:2,Date & Time:2026-03-05 090500000,Easting:512345.67"),
              std::string::npos);

    QString asked;
    window->askYesNo = [&](const QString& question) {
        asked = question;
        return false;
    };
    window->btEventResetClick();
    EXPECT_EQ(asked, QStringLiteral("Event ID will restart from 1 again. Continue?"));
    EXPECT_EQ(settings.readInteger("EVENTS", "Event Number", -1), 2);
    window->askYesNo = [](const QString&) { return true; };
    window->btEventResetClick();
    EXPECT_EQ(settings.readInteger("EVENTS", "Event Number", -1), 0);
    EXPECT_NE(eventsLog().find("\tEvent number was reset."), std::string::npos);
    window->btEventAddClick();
    EXPECT_EQ(window->Canvas()->Overlays().EventLabels.back().Number, 1);
    EXPECT_EQ(window->Canvas()->Overlays().EventLabels.size(), 3u); // earlier labels stay
}

TEST_F(RealtimeTest, ReceiverCommandsGoToTheGnssPortByteForByte) {
    startShown();
    EXPECT_FALSE(window->NmeaCommandsMenu()->menuAction()->isVisible());
    gps->clearWritten();
    window->Action(QStringLiteral("HemisphereGNSS1"))->trigger();
    EXPECT_EQ(gps->written(), "$JASC,GPGGA,5\r\n$JASC,GPVTG,5\r\n$JASC,GPZDA,10\r\n");
    EXPECT_EQ(gps->writeCount(), 3);
    gps->clearWritten();
    window->Action(QStringLiteral("opconNMEAMessages1"))->trigger();
    EXPECT_EQ(
        gps->written(),
        "%%dm\n%%em,/dev/ser/a,nmea/VTG:1\n%%em,/dev/ser/a,nmea/ZDA:30\n%%em,/dev/ser/a,nmea/GGA:0.5\n");
    EXPECT_EQ(test::countOf(eventsLog(), "Command sent to device: "), 7);
    gps->clearWritten();
    window->Action(QStringLiteral("GeosunGNSS1"))->trigger();
    window->Action(QStringLiteral("LeicaGNSS1"))->trigger();
    EXPECT_TRUE(gps->written().empty());
}

TEST_F(RealtimeTest, DrawingPausesTheMapTimer) {
    startShown();
    ASSERT_TRUE(window->tMap().isActive());
    window->Canvas()->OnDrawBegin(window->Canvas(), toolCode(CanvasTool::Polyline), 0, 0);
    EXPECT_FALSE(window->tMap().isActive());
    EXPECT_EQ(window->Canvas()->CurrentLayer(),
              window->Canvas()->LayerFindByName(QString::fromUtf8(kUserShapeLayerName)));
    window->Canvas()->OnDrawEnd(window->Canvas(), toolCode(CanvasTool::Polyline), 0, 0);
    EXPECT_TRUE(window->tMap().isActive());
}

// Escape drops a drawing without a draw-end event: the paused map must run again, and a receiver that
// reconnects meanwhile must not restart it under the open drawing.
TEST_F(RealtimeTest, EscapeFromADrawingResumesTheMap) {
    startShown();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    TSelvirCanvas& canvas = *window->Canvas();
    window->SelectDrawTool(toolCode(CanvasTool::Polyline));
    QTest::mouseClick(&canvas, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    ASSERT_FALSE(window->tMap().isActive());
    window->Session().gnss().receiverConnected(3);
    EXPECT_FALSE(window->tMap().isActive()) << "the drawing's end starts it";
    canvas.setFocus();
    QTest::keyClick(&canvas, Qt::Key_Escape);
    EXPECT_FALSE(canvas.DrawActive);
    EXPECT_TRUE(window->tMap().isActive());
}

// The receiver falls silent and returns: the window's own map timer stops and starts again by itself,
// and from the idle report until the fix is back the status box and the status bar say so.
TEST_F(RealtimeTest, ReceiverDropoutShowsTheOutageAndTheMapResumes) {
    startShown();
    const std::string fix = "$GPGGA,090500.00,4100.0000,N,02900.0000,E,4,12,0.8,10.00,M,35.10,M,,";
    gnss(fix);
    ASSERT_EQ(window->tMapTimer(), MapUpdate::Tick::Done);
    EXPECT_FALSE(window->PositionLostShown());
    TSelvirSerialGPS& reader = window->ZGPS1();
    reader.WatchdogTick();
    reader.WatchdogTick();
    EXPECT_FALSE(window->tMap().isActive());
    EXPECT_TRUE(window->PositionLostShown());
    EXPECT_EQ(window->StatusPanel(0)->text(), QStringLiteral("Lat: -"));
    EXPECT_EQ(window->StatusPanel(3)->text(), QStringLiteral("N: -"));
    const OverlayOwnerState silent = window->Canvas()->GetOverlayOwnerState();
    EXPECT_TRUE(silent.statusText.startsWith(QStringLiteral("GPS is idle! | No position since 09:05:00")))
        << silent.statusText.toStdString();
    EXPECT_EQ(silent.fixQuality, 0) << "drawn in the no-fix colour";

    gnss(fix);
    EXPECT_TRUE(window->tMap().isActive()) << "realtime resumes by itself";
    ASSERT_EQ(window->tMapTimer(), MapUpdate::Tick::Done);
    EXPECT_FALSE(window->PositionLostShown());
    EXPECT_EQ(window->StatusPanel(0)->text(), QStringLiteral("Lat: 41.00000000"));
    EXPECT_TRUE(window->Canvas()->GetOverlayOwnerState().statusText.startsWith(QStringLiteral("RTK Fix |")));
    const std::string log = eventsLog();
    EXPECT_NE(log.find("\tGPS is idle!"), std::string::npos);
    EXPECT_NE(log.find("\tGPS Timeout!"), std::string::npos);
}

} // namespace
} // namespace selvir
