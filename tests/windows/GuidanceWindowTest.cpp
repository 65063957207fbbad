// Line guidance in the main window during a survey on memory ports: the runlines generated around
// the boat, the line chosen and shown in the helmsman display and the status bar, a line picked with
// a click, and the line guidance window's settings.
#include "NavWindowFixture.h"
#include "navigation/NmeaOutput.h"
#include "windows/HelmsmanDisplay.h"
#include "windows/TfGuidance.h"
#include "windows/TfRunline1.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <cmath>
#include <numbers>

namespace selvir {
namespace {

constexpr double kLatitude = 41.0, kLongitude = 29.0;
// Metres per degree of longitude at 41 degrees north, near enough for a few metres.
const double kMetresPerDegreeLon = 111320 * std::cos(kLatitude * std::numbers::pi / 180);

struct GuidanceWindowTest : test::NavWindowFixture {
    std::unique_ptr<TfRunline1> runlines;
    double e0 = 0, n0 = 0; // grid position of the first fix

    void SetUp() override {
        settings.writeString("GPS1 COMUNICATION SETTINGS", "Port No", "COM3");
        settings.writeString("SENSOR COMUNICATION SETTINGS", "Port No", "COM4");
        make();
        runlines = std::make_unique<TfRunline1>(*window->Canvas(), window->Session().settings(), nullptr);
        window->SetRunlineWindow(runlines.get());
        window->FormShow();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->RealtimeClick();
        window->ZGPS1().setTimersEnabled(false);
        ASSERT_EQ(fixEastOfStart(0), MapUpdate::Tick::Done);
        e0 = window->Session().state().Easting;
        n0 = window->Session().state().Northing;
        window->Canvas()->WorldSet(e0 - 100, n0 + 120, e0 + 100, n0 - 80);
    }
    void TearDown() override { window->SetRunlineWindow(nullptr); }

    // An RTK fix `eastM` metres east of the first one, and the map tick after it.
    MapUpdate::Tick fixEastOfStart(double eastM) {
        const double longitude = kLongitude + eastM / kMetresPerDegreeLon;
        const double minutes = (longitude - 29) * 60;
        char line[160];
        std::snprintf(line, sizeof line, "$GPGGA,090500.00,4100.0000,N,0290%.7f,E,4,12,0.8,10.00,M,35.10,M,,",
                      minutes);
        gps->feed(std::string(line) + "\r\n");
        window->ZGPS1().PollTick();
        return window->tMapTimer();
    }
    // Parallel lines 20 m apart, 200 m long, running north from 10 m south of the boat, either side of a
    // route 20 m west of it. The route is no line, so from west (port) to east they are lines 1 to 4 at
    // 60 and 40 m west of the boat, through it, and 20 m east of it.
    void generate() {
        runlines->Generator().setFields({"20", "40", false});
        runlines->SetRoute({{e0 - 20, n0 - 10}, {e0 - 20, n0 + 190}});
    }
    void click(double x, double y) {
        int px = 0, py = 0;
        window->Canvas()->WorldToScreen(x, y, px, py);
        QTest::mouseClick(window->Canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(px, py));
    }
};

TEST_F(GuidanceWindowTest, TheNearestRunlineGuidesTheHelmsmanAndItsStartIsAnEvent) {
    EXPECT_FALSE(window->Helmsman()->isVisible()) << "no runlines, no guidance";
    generate();
    fixEastOfStart(0);
    const HelmsmanReadout& readout = window->Helmsman()->Readout();
    ASSERT_TRUE(window->Helmsman()->isVisible());
    EXPECT_EQ(readout.title, "Line 3 of 4 - on line") << "the line through the boat";
    EXPECT_EQ(window->GuidanceStatus()->text().left(14), QStringLiteral("Line 3: XTE 0."));
    EXPECT_NE(eventsLog().find("\tLine 3 start"), std::string::npos);
    ASSERT_EQ(window->Canvas()->Overlays().EventLabels.size(), 1u) << "a numbered mark where it started";
    EXPECT_NEAR(window->Canvas()->Overlays().EventLabels[0].X, e0, 0.01);

    fixEastOfStart(5);
    EXPECT_TRUE(readout.offLine);
    EXPECT_EQ(readout.steer, "steer to port");
    EXPECT_NEAR(window->Session().guidance().reading().fix.crossTrackM, 5, 0.1);
    EXPECT_GT(readout.barFraction, 0.8) << "5 m of a 6 m full scale, to starboard";
    EXPECT_TRUE(window->GuidanceStatus()->styleSheet().contains(QStringLiteral("#c62828")));
    const QImage shown = window->grab().toImage();
    const QRect box =
        window->Helmsman()->BoxRect().translated(window->Canvas()->mapTo(window.get(), QPoint()));
    EXPECT_EQ(shown.pixelColor(box.center().x(), box.top()).rgb(), QColor(198, 40, 40).rgb())
        << "the box is outlined in the warning colour";
}

TEST_F(GuidanceWindowTest, ALineIsPickedWithAClickAndTheKeysStepThroughThem) {
    generate();
    window->SelectLineClick();
    EXPECT_TRUE(window->SelectingLine());
    click(e0 + 20.3, n0 + 60);
    EXPECT_FALSE(window->SelectingLine());
    EXPECT_EQ(window->Session().guidance().reading().lineNumber, 4) << "the starboard-most line";
    fixEastOfStart(0);
    EXPECT_EQ(window->Session().guidance().reading().lineNumber, 4) << "the surveyor's choice holds";
    EXPECT_NEAR(window->Session().guidance().reading().fix.crossTrackM, -20, 0.1);

    window->PreviousLineClick();
    EXPECT_EQ(window->Session().guidance().reading().lineNumber, 3);
    window->StopGuidanceClick();
    EXPECT_FALSE(window->GuidanceStatus()->isVisible());
    window->SelectLineClick();
    QTest::keyClick(window->Canvas(), Qt::Key_Escape);
    EXPECT_FALSE(window->SelectingLine());
    EXPECT_EQ(window->Canvas()->DrawTool, 0);
    window->SelectLineClick();
    window->SelectDrawTool(3);
    EXPECT_FALSE(window->SelectingLine()) << "a drawing tool ends the choice";
}

TEST_F(GuidanceWindowTest, TheGuidanceWindowStoresOnlyFieldsThatMakeSense) {
    TfGuidance guidance(window->Session().settings());
    std::vector<QString> errors;
    guidance.onError = [&](const QString& text) { errors.push_back(text); };
    guidance.FormShow();
    EXPECT_EQ(guidance.eTolerance->text(), QStringLiteral("2"));
    EXPECT_FALSE(guidance.cbNmeaOutput->isChecked()) << "off by default";
    guidance.eNmeaPort->setText(QStringLiteral("99999"));
    EXPECT_FALSE(guidance.bSaveClick());
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("UDP port")));
    EXPECT_FALSE(settings.sectionExists("NMEA_OUTPUT"));

    guidance.eNmeaPort->setText(QStringLiteral("2000"));
    guidance.eTolerance->setText(QStringLiteral("0.5"));
    guidance.cbNmeaOutput->setChecked(true);
    guidance.cbLineFiles->setChecked(true);
    ASSERT_TRUE(guidance.bSaveClick());
    const NmeaOutputSettings nmea = NmeaOutputSettings::read(settings);
    EXPECT_TRUE(nmea.enabled);
    EXPECT_EQ(nmea.port, 2000);
    EXPECT_EQ(GuidanceSettings::read(settings).toleranceM, 0.5);
    EXPECT_TRUE(GuidanceSettings::read(settings).lineFiles);
}

} // namespace
} // namespace selvir
