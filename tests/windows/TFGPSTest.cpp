// The Settings window driven as a surveyor drives it, over a main window on memory serial devices: what
// is on screen is what the engine uses, the immediate display changes, the lock and what it writes, the
// port monitor, and the control-point check.
#include "windows/TFGPS.h"

#include "NavWindowFixture.h"
#include "canvaswidget/TSelvirCanvas.h"
#include "geodesy/ControlPointsOracle.h"
#include "windows/ColorBox.h"
#include "windows/ControlPointPanel.h"
#include "windows/MonitorRelay.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <cmath>

namespace selvir {
namespace {

struct RecordingBox final : LowFrequencyDepthBox {
    bool visible = false;
    std::vector<bool> changes;
    bool lowFrequencyBoxVisible() const override { return visible; }
    void setLowFrequencyBoxVisible(bool shown) override {
        visible = shown;
        changes.push_back(shown);
    }
};

struct SettingsWindowTest : test::NavWindowFixture {
    std::unique_ptr<TFGPS> gpsWindow;
    std::vector<QString> errors;
    std::vector<QString> informations;

    TFGPS& makeBoth() {
        make();
        gpsWindow = std::make_unique<TFGPS>(settings, window.get());
        window->SetDeviceSettingsWindow(gpsWindow.get());
        gpsWindow->onError = [this](const QString& text) { errors.push_back(text); };
        gpsWindow->onInformation = [this](const QString& text) { informations.push_back(text); };
        window->FormShow();
        return *gpsWindow;
    }
    void TearDown() override {
        gpsWindow.reset(); // before the main window it reports to
    }

    template <class T>
    T* control(const char* name) const {
        T* found = gpsWindow->findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    // The surveyor picks an entry of a list.
    void choose(const char* comboName, const QString& entry) {
        QComboBox* combo = control<QComboBox>(comboName);
        int index = combo->findData(entry);
        index = index >= 0 ? index : combo->findText(entry);
        ASSERT_GE(index, 0) << entry.toStdString();
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    void type(const char* editName, const QString& text) {
        QLineEdit* edit = control<QLineEdit>(editName);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    void click(const char* name) { control<QAbstractButton>(name)->click(); }
    std::string settingsText() {
        std::string text;
        readWholeFile(settingsFile, text);
        return text;
    }
    const GridSettings& canvasGrid() { return window->Canvas()->Grid(); }
};

TEST_F(SettingsWindowTest, CreationReadsPaddedKeysAndTheCanvasShowsItsGrid) {
    ASSERT_TRUE(writeFileAtomically(settingsFile,
                                    "[GPS1 COMUNICATION SETTINGS]\r\n"
                                    "Port No        =COM3\r\n"
                                    "Baud Rate      =4800\r\n"
                                    "Parity         =Even\r\n"
                                    "[SENSOR COMUNICATION SETTINGS]\r\n"
                                    "Port No         =COM4\r\n"
                                    "Sensor Enabled     =0\r\n"
                                    "[GRID_SETTINGS]\r\n"
                                    "GridSpacingX=250\r\nGridSpacingY=abc\r\nGridColor=255\r\n"));
    makeBoth();
    EXPECT_EQ(control<QComboBox>("Port")->currentData().toString(), QStringLiteral("COM3"));
    EXPECT_EQ(control<QComboBox>("BaudRate")->currentText(), QStringLiteral("4800"));
    EXPECT_EQ(control<QComboBox>("Parity")->currentText(), QStringLiteral("Even"));
    EXPECT_EQ(control<QComboBox>("SPort")->currentData().toString(), QStringLiteral("COM4"));
    EXPECT_FALSE(control<QCheckBox>("SensorEnabled")->isChecked());
    // The grid is on the canvas after the main window restored its view (whose own automatic flag must
    // not hide a manual spacing).
    EXPECT_TRUE(canvasGrid().GridVisible);
    EXPECT_FALSE(canvasGrid().GridAuto);
    EXPECT_EQ(canvasGrid().GridSpacingX, 250);
    EXPECT_EQ(canvasGrid().GridSpacingY, 100) << "not a number: the default";
    EXPECT_EQ(canvasGrid().GridColor, 255);
}

TEST_F(SettingsWindowTest, MessageChoiceSetsTheFormatAndShowsOrHidesTheLowFrequencyBox) {
    makeBoth();
    RecordingBox box;
    gpsWindow->setLowFrequencyDepthBox(&box);
    QLineEdit* format = control<QLineEdit>("eSBESFormat");
    choose("cSBESMessage", "Selvir XDR LO");
    EXPECT_EQ(format->text(), QStringLiteral("%*8s,%*lf,%*8s,%lf"));
    choose("cSBESMessage", "NMEA DPT");
    EXPECT_EQ(format->text(), QStringLiteral("%*6s,%lf"));
    choose("cSBESMessage", "Selvir SMT"); // already hidden: left alone
    choose("cSBESMessage", "Selvir XDR H/L");
    choose("cSBESMessage", "OTHER");
    EXPECT_EQ(format->text(), QString()) << "the surveyor types the format";
    EXPECT_EQ(box.changes, (std::vector<bool>{true, false, true})) << "OTHER leaves the box as it was";
    EXPECT_FALSE(gpsWindow->FormatHint()->text().isEmpty());
    type("eSBESFormat", "DEPTH=%lf");
    EXPECT_TRUE(gpsWindow->FormatHint()->text().isEmpty()) << gpsWindow->FormatHint()->text().toStdString();
}

// The realtime window applies the choice once after start: the box follows it, a saved edited format
// stays, an emptied one takes the choice's pattern.
TEST_F(SettingsWindowTest, TheChoiceAppliedAfterStartKeepsAnEditedFormat) {
    settings.writeString("SENSOR COMUNICATION SETTINGS", "cSBESMessage", "Selvir XDR LO");
    settings.writeString("SENSOR COMUNICATION SETTINGS", "eSBESFormat", "%*8s,%*lf,%*9s,%lf");
    makeBoth();
    RecordingBox box;
    gpsWindow->setLowFrequencyDepthBox(&box);
    QLineEdit* format = control<QLineEdit>("eSBESFormat");
    gpsWindow->applyMessageChoiceAtStart();
    EXPECT_EQ(format->text(), QStringLiteral("%*8s,%*lf,%*9s,%lf"));
    EXPECT_EQ(box.changes, std::vector<bool>{true});
    format->clear();
    gpsWindow->applyMessageChoiceAtStart();
    EXPECT_EQ(format->text(), QStringLiteral("%*8s,%*lf,%*8s,%lf"));
}

TEST_F(SettingsWindowTest, WhatIsOnScreenIsWhatTheEngineUsesWithoutSaving) {
    makeBoth();
    choose("Port", "COM3");
    choose("Parity", "Even");
    choose("SPort", "COM4");
    choose("cSBESMessage", "OTHER");
    type("eSBESFormat", "DEPTH=%lf");
    window->RealtimeClick(); // presses "GPS Set" and "SBES Set" before the ports open
    EXPECT_EQ(gps->lastPath(), "/dev/memory3");
    EXPECT_EQ(gps->lastSettings().parity, SerialParity::Even);
    EXPECT_EQ(sensor->lastPath(), "/dev/memory4");
    sensor->feed("DEPTH=7.5\r\n");
    window->ZSENSOR().PollTick();
    EXPECT_EQ(window->Session().survey().rowsWritten(), 1u);
    EXPECT_EQ(settingsText().find("DEPTH"), std::string::npos) << "nothing was saved";

    // "GPS Set" alone copies the choice into the reader, to take effect at its next open.
    choose("BaudRate", "38400");
    click("GPSSet");
    EXPECT_EQ(window->ZGPS1().BaudRate, 38400);
}

TEST_F(SettingsWindowTest, ChoicesThePortCannotHonourAreRefusedWhereTheyAreMade) {
    makeBoth();
    choose("Port", "COM25");
    choose("BaudRate", "56000");
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("COM25 cannot be opened"))) << errors[0].toStdString();
    EXPECT_TRUE(errors[1].startsWith(QStringLiteral("56000 baud cannot be set"))) << errors[1].toStdString();
    EXPECT_EQ(control<QComboBox>("Port")->currentData().toString(), QStringLiteral("COM1"));
    EXPECT_EQ(control<QComboBox>("BaudRate")->currentText(), QStringLiteral("9600"));
}

TEST_F(SettingsWindowTest, GridBoxesChangeTheCanvasAtOnce) {
    makeBoth();
    click("cbAutoGrid");
    EXPECT_EQ(canvasGrid().GridSpacingX, 0);
    EXPECT_EQ(canvasGrid().GridSpacingY, 0);
    EXPECT_FALSE(control<QLineEdit>("edGridSpacingX")->isEnabled());
    EXPECT_FALSE(control<QLineEdit>("edGridSpacingY")->isEnabled());
    EXPECT_TRUE(window->Session().deviceSettings().displaySettings().AutoGrid);

    click("cbAutoGrid");
    type("edGridSpacingX", "50");
    EXPECT_EQ(canvasGrid().GridSpacingX, 100) << "a typed spacing waits for Apply";
    click("cbAutoGrid");
    click("cbAutoGrid");
    EXPECT_EQ(canvasGrid().GridSpacingX, 50);
    EXPECT_TRUE(control<QLineEdit>("edGridSpacingX")->isEnabled());

    gpsWindow->setColorChooser([](ColorValue) { return std::optional<ColorValue>(0x123456); });
    auto* gridColor = control<ColorBox>("cbGridColor");
    emit gridColor->activated(gridColor->findText(QStringLiteral("Custom..."))); // the colour dialog's entry
    EXPECT_EQ(canvasGrid().GridColor, 0x123456);
    click("cbGridVisible");
    EXPECT_FALSE(canvasGrid().GridVisible);
}

TEST_F(SettingsWindowTest, ApplyCopiesTheDisplaySettingsWritesNothingAndSaysSo) {
    makeBoth();
    const std::string before = settingsText();
    type("edDepthLabelSpacing", "25");
    type("edDepthLabelFontSize", "9");
    EXPECT_EQ(window->Session().deviceSettings().displaySettings().DepthLabelSpacing, 10);
    click("btnApplySettings");
    const DisplaySettings applied = window->Session().deviceSettings().displaySettings();
    EXPECT_EQ(applied.DepthLabelSpacing, 25);
    EXPECT_EQ(applied.DepthLabelFontSize, 9);
    EXPECT_EQ(window->Canvas()->Overlays().LabelFontSize, 9) << "labels change at once";
    ASSERT_EQ(informations.size(), 1u);
    EXPECT_EQ(informations[0],
              QStringLiteral("Settings applied! Use 'Save and Lock Settings' to save to INI."));
    EXPECT_EQ(settingsText(), before);

    // The event label boxes act at once, without Apply.
    type("edEventLabelFontSize", "30");
    EXPECT_EQ(window->Canvas()->GetOverlayOwnerState().eventLabelFontSize, 30);
}

// Label font sizes stay within the fields' range, typed or stored: a size in the millions would stall
// every repaint, and an int past it overflows.
TEST_F(SettingsWindowTest, LabelFontSizesStayWithinTheFieldsRange) {
    settings.writeString("DEPTH_LABEL_SETTINGS", "FontSize", "22000000");
    makeBoth();
    EXPECT_EQ(window->Session().deviceSettings().displaySettings().DepthLabelFontSize,
              kLargestLabelFontSizePt)
        << "a hand-edited size is held to the largest";
    type("edEventLabelFontSize", "999999999");
    EXPECT_LE(control<QLineEdit>("edEventLabelFontSize")->text().toInt(), kLargestLabelFontSizePt);
    EXPECT_LE(window->Canvas()->GetOverlayOwnerState().eventLabelFontSize, kLargestLabelFontSizePt);
    EXPECT_GE(window->Canvas()->GetOverlayOwnerState().eventLabelFontSize, kSmallestLabelFontSizePt);
    for (const char* text : {"0", "-5", "abc"}) {
        EXPECT_EQ(parseFontSize(text, 24), 24) << text;
    }
    EXPECT_EQ(parseFontSize("2147483648", 24), 24) << "past an int: no size";
    EXPECT_EQ(parseFontSize("250", 24), kLargestLabelFontSizePt);
}

TEST_F(SettingsWindowTest, ExactlyOneProjectionIsTickedAndLambertOneNeedsNoParallels) {
    makeBoth();
    QCheckBox* tm = control<QCheckBox>("cbUseTMProjection");
    QCheckBox* lcc = control<QCheckBox>("cbUseLCCProjection");
    for (const char* box : {"cbUseLCCProjection", "cbUseLCCProjection", "cbUseTMProjection",
                            "cbUseTMProjection", "cbUseLCCProjection"}) {
        click(box);
        EXPECT_NE(tm->isChecked(), lcc->isChecked()) << "after " << box;
    }
    EXPECT_TRUE(window->Session().deviceSettings().geodeticParameters().cbUseLCCProjection);
    click("cLambert1");
    EXPECT_FALSE(control<QLineEdit>("eLCCSP1")->isEnabled());
    EXPECT_FALSE(control<QLineEdit>("eLCCSP2")->isEnabled());
    click("cLambert1");
    EXPECT_TRUE(control<QLineEdit>("eLCCSP1")->isEnabled());
}

TEST_F(SettingsWindowTest, SaveAndLockWritesEveryKeyLogsTheSaveAndUnlockWritesOnlyTheLock) {
    makeBoth();
    choose("Port", "COM3");
    choose("BaudRate", "4800");
    click("SensorEnabled");
    type("edNameOfDatum", "ED50");
    type("edCM", "27");
    type("edGridSpacingY", "40");
    click("LockStateCheck1");
    EXPECT_TRUE(errors.empty()) << errors.front().toStdString();
    for (TFGPS::Tab tab :
         {TFGPS::GPSTabSheet, TFGPS::SensorTabSheet, TFGPS::ParametersTabSheet, TFGPS::tGlobalSetting}) {
        EXPECT_FALSE(gpsWindow->TabContent(tab)->isEnabled()) << tab;
    }
    EXPECT_TRUE(gpsWindow->ControlPoints()->isEnabled()) << "the check works on locked settings";

    const DeviceSettingsForm saved = DeviceSettingsForm::read(settings);
    const DeviceSettingsForm shown = gpsWindow->formValues();
    EXPECT_EQ(saved.gps, shown.gps);
    EXPECT_EQ(saved.sensor, shown.sensor);
    EXPECT_EQ(saved.switches, shown.switches);
    EXPECT_EQ(saved.geodetic, shown.geodetic);
    EXPECT_EQ(saved.display, shown.display);
    EXPECT_TRUE(saved.lockSettings);

    const std::string log = eventsLog();
    std::size_t at = 0;
    for (const char* line :
         {"=== SETTINGS SAVED ===", "GPS: Port=COM3, Baud=4800", "Sensor: Port=COM1, Baud=9600, Enabled=No",
          "Datum: ED50, DTP=Yes", "TM: CM=27, RefLat=0, SF=1, FE=500000, FN=0",
          "LCC: Disabled, SP1=40, SP2=50", "======================"}) {
        at = log.find(std::string("\t") + line, at);
        ASSERT_NE(at, std::string::npos) << line << "\n" << log;
    }

    std::string locked = settingsText();
    click("LockStateCheck1");
    const std::size_t key = locked.find("Lock Settings=1");
    ASSERT_NE(key, std::string::npos);
    locked.replace(key, 15, "Lock Settings=0");
    EXPECT_EQ(settingsText(), locked) << "unlocking writes the lock alone";
    EXPECT_TRUE(gpsWindow->TabContent(TFGPS::GPSTabSheet)->isEnabled());
}

TEST_F(SettingsWindowTest, AGeodeticFieldThatCannotBeUsedIsNamedAndNothingIsWritten) {
    makeBoth();
    const std::string before = settingsText();
    type("edIF", "298.257223563"); // the inverse typed for the flattening
    click("LockStateCheck1");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].indexOf(QStringLiteral("Flattening")), -1) << errors[0].toStdString();
    EXPECT_FALSE(control<QCheckBox>("LockStateCheck1")->isChecked());
    EXPECT_TRUE(gpsWindow->TabContent(TFGPS::ParametersTabSheet)->isEnabled());
    EXPECT_EQ(settingsText(), before);
    EXPECT_EQ(eventsLog().find("SETTINGS SAVED"), std::string::npos);

    // A hand-edited file may hold what the edit would not let anyone type.
    control<QLineEdit>("edIF")->setText(QStringLiteral("0.0033528106647474"));
    control<QLineEdit>("edRL")->setText(QStringLiteral("41,5"));
    click("btnApplySettings");
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_NE(errors[1].indexOf(QStringLiteral("Reference Latitude: '41,5'")), -1) << errors[1].toStdString();
    EXPECT_TRUE(informations.empty());
}

TEST_F(SettingsWindowTest, TheLockSurvivesRestartsAndTheHandEditedKeyOverridesIt) {
    struct Case {
        const char* lockSection;
        bool locked;
    };
    for (const Case& c : {Case{"Lock Settings=1\n", true}, Case{"Lock Settings=0\n", false},
                          Case{"Lock Settings=1\nSettings Locked (true/false)=false\n", false},
                          Case{"Settings Locked (true/false)=true\n", true},
                          Case{"Lock Settings=1\nSettings Locked (true/false)=maybe\n", true}}) {
        ASSERT_TRUE(writeFileAtomically(settingsFile, std::string("[LOCK SETTINGS]\n") + c.lockSection));
        gpsWindow.reset();
        window.reset();
        makeBoth();
        EXPECT_EQ(gpsWindow->TabContent(TFGPS::GPSTabSheet)->isEnabled(), !c.locked) << c.lockSection;
        gpsWindow->show();
        EXPECT_EQ(gpsWindow->TabContent(TFGPS::tGlobalSetting)->isEnabled(), !c.locked) << c.lockSection;
        EXPECT_EQ(control<QCheckBox>("LockStateCheck1")->isChecked(), c.locked) << c.lockSection;
    }
}

TEST_F(SettingsWindowTest, MonitorShowsLinesWhileVisibleEmptiesPastAHundredAndPausesUnderTheMouse) {
    makeBoth();
    window->RealtimeClick();
    window->ZGPS1().setTimersEnabled(false);
    QPlainTextEdit* memo = gpsWindow->MemoGPS();
    const auto gnss = [this](const std::string& line) {
        gps->feed(line + "\r\n");
        window->ZGPS1().PollTick();
    };
    gnss("$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K");
    EXPECT_EQ(memo->blockCount(), 1) << "hidden: nothing appended";

    gpsWindow->show();
    for (int i = 0; i < 99; ++i) {
        gnss("$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K");
    }
    EXPECT_EQ(memo->blockCount(), TFGPS::kMonitorMaxLines) << "the caption and 99 lines";
    gnss("$GPHDT,271.5,T");
    EXPECT_TRUE(memo->toPlainText().isEmpty()) << "101 lines: emptied";

    QTest::mousePress(memo->viewport(), Qt::LeftButton);
    EXPECT_FALSE(window->Monitor().monitorFlag);
    gnss("$GPHDT,271.5,T");
    EXPECT_TRUE(memo->toPlainText().isEmpty()) << "paused";
    QTest::mouseRelease(memo->viewport(), Qt::LeftButton);
    gnss("$GPHDT,271.5,T");
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("$GPHDT,271.5,T"));

    sensor->feed("$SMT0001,12.34,12.6\r\n");
    window->ZSENSOR().PollTick();
    EXPECT_TRUE(gpsWindow->MemoSensor()->toPlainText().endsWith(QStringLiteral("$SMT0001,12.34,12.6")));
    gpsWindow->close();
    EXPECT_TRUE(memo->toPlainText().isEmpty());
    EXPECT_TRUE(gpsWindow->MemoSensor()->toPlainText().isEmpty());
}

TEST_F(SettingsWindowTest, DeviceSettingsEntryAndSettingsButtonShowTheWindowInEnglish) {
    makeBoth();
    EXPECT_EQ(gpsWindow->Tabs()->tabText(TFGPS::ParametersTabSheet), QStringLiteral("Geodetic Parameters"))
        << "the caption set wins over the form's own \"Godetic Parameters\"";
    QAction* entry = window->Action(QStringLiteral("Parameters1"));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->shortcut(), QKeySequence(Qt::Key_F10));
    entry->trigger();
    EXPECT_TRUE(gpsWindow->isVisible());
    gpsWindow->close();
    window->Action(QStringLiteral("ConnectIcon"))->trigger();
    EXPECT_TRUE(gpsWindow->isVisible());
}

TEST_F(SettingsWindowTest, ControlPointCheckTellsSwappedRotationsAndNegatesThem) {
    makeBoth();
    const GeodeticParameters parameters = test::controlPointParameters(false);
    for (const GeodeticTextField& field : geodeticNumberFields()) {
        control<QLineEdit>(field.control)->setText(QString::fromStdString(parameters.*field.member));
    }
    const test::TempDir points;
    ASSERT_TRUE(writeFileAtomically(points / "points.csv", test::controlPointsCsv(test::projControlPoints(
                                                               parameters, "position_vector", 5, 21))));
    ControlPointPanel* panel = gpsWindow->ControlPoints();
    panel->chooseFile = [&points] { return QString::fromStdString((points / "points.csv").string()); };
    click("btControlPointsLoad");
    EXPECT_EQ(panel->Table()->rowCount(), 5);
    click("btControlPointCheck");
    EXPECT_NE(panel->VerdictLabel()->text().indexOf(QStringLiteral("opposite sign")), -1)
        << panel->VerdictLabel()->text().toStdString();
    EXPECT_GT(std::hypot(panel->Table()->item(0, ControlPointPanel::DEast)->text().toDouble(),
                         panel->Table()->item(0, ControlPointPanel::DNorth)->text().toDouble()),
              5.0);

    click("btNegateRotations");
    EXPECT_EQ(control<QLineEdit>("edRX")->text(), QStringLiteral("0.35"));
    EXPECT_EQ(control<QLineEdit>("edRZ")->text(), QStringLiteral("-0.82"));
    EXPECT_NE(panel->VerdictLabel()->text().indexOf(QStringLiteral("fit the control points")), -1)
        << panel->VerdictLabel()->text().toStdString();
    for (int row = 0; row < 5; ++row) {
        EXPECT_LT(std::abs(panel->Table()->item(row, ControlPointPanel::DEast)->text().toDouble()), 0.002);
        EXPECT_LT(std::abs(panel->Table()->item(row, ControlPointPanel::DNorth)->text().toDouble()), 0.002);
    }
    EXPECT_TRUE(errors.empty());
}

} // namespace
} // namespace selvir
