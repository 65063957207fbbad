// The acoustic waterfall window: the pixels it paints, its settings, and the echogram timer that feeds
// it from the echosounder.
#include "AuxWindowsFixture.h"

#include <QAction>
#include <QColor>
#include <QImage>

namespace selvir {
namespace {

QString colourAt(const QImage& image, int x, int y) {
    return QColor(image.pixel(x, y)).name();
}

TEST(WaterfallWindowTest, PixelsAtKnownPlaces) {
    test::TempDir dir;
    ProfileStore settings(dir / "SelvirHS.INI");
    TfCanvas window(settings);
    window.resize(400, 260);
    // 10.25 m and 12.25 m twice: 9.95 .. 12.55 m over 260 px (100 px a metre), 8 px columns.
    for (double depth : {10.25, 12.25, 10.25, 12.25}) {
        window.DrawWaterfall(depth, 0, 50, 50);
    }
    const QImage image = window.grab().toImage();
    ASSERT_EQ(image.size(), QSize(400, 260));
    EXPECT_EQ(colourAt(image, 10, 150), QStringLiteral("#f0f8ff")) << "background";
    EXPECT_EQ(colourAt(image, 200, 150), QStringLiteral("#f0f8ff")) << "no sample there yet";
    EXPECT_EQ(colourAt(image, 372, 20), QStringLiteral("#64b4ff")) << "water above the 10.25 m bottom";
    EXPECT_EQ(colourAt(image, 369, 30), QStringLiteral("#ff0000")) << "the bottom at row 30";
    EXPECT_EQ(colourAt(image, 369, 100), QStringLiteral("#f0f8ff")) << "below the bottom";
    EXPECT_EQ(colourAt(image, 378, 50), QStringLiteral("#64b4ff")) << "the 12.25 m column";
    EXPECT_EQ(colourAt(image, 377, 230), QStringLiteral("#ff0000")) << "its bottom at row 230";
    EXPECT_EQ(colourAt(image, 376, 130), QStringLiteral("#000000")) << "the profile joining them";
    EXPECT_EQ(colourAt(image, 395, 255), QStringLiteral("#ffff00")) << "the newest depth's box";
    EXPECT_EQ(colourAt(image, 320, 255), QStringLiteral("#f0f8ff")) << "left of the box";
    // The 11 m grid line at row 105: dotted grey across the empty part.
    int grey = 0;
    for (int x = 100; x < 200; ++x) {
        grey += colourAt(image, x, 105) == QStringLiteral("#808080") ? 1 : 0;
    }
    EXPECT_GT(grey, 20);
    EXPECT_LT(grey, 100) << "dotted, not solid";
    // Its label "11m" in black just below the line at the left edge.
    int black = 0;
    for (int y = 107; y < 122; ++y) {
        for (int x = 3; x < 30; ++x) {
            black += colourAt(image, x, y) == QStringLiteral("#000000") ? 1 : 0;
        }
    }
    EXPECT_GT(black, 10);
}

using WaterfallFeedTest = test::AuxWindowsFixture;

TEST_F(WaterfallFeedTest, TheEchogramTimerDrawsOnlyWhileTheWindowIsShownAndAlwaysClearsTheFlag) {
    settings.writeString("SENSOR COMUNICATION SETTINGS", "cSBESMessage", "NMEA DPT");
    startShown(); // the echosounder is on: realtime start shows the waterfall
    ASSERT_TRUE(waterfall->isVisible());
    window->tEchogram().stop(); // ticked by hand
    const auto tick = [&] { window->tEchogramTimer(); };

    waterfall->hide();
    depth("$SDDPT,5.00,0.0");
    EXPECT_TRUE(window->Session().waterfall().newDepth);
    tick();
    EXPECT_FALSE(window->Session().waterfall().newDepth);
    waterfall->show();
    tick(); // no new depth since: nothing is added
    EXPECT_TRUE(waterfall->Frame().columns.empty()) << "a depth that came while hidden is never drawn";

    for (const char* line : {"$SDDPT,6.00,0.0", "$SDDPT,7.00,0.0"}) {
        depth(line);
        tick();
    }
    tick(); // the same depth is not drawn twice
    const WaterfallFrame frame = waterfall->Frame();
    ASSERT_EQ(frame.columns.size(), 2u);
    EXPECT_EQ(frame.newestLabel, "7.0m");
    EXPECT_EQ(frame.columns.back().rightPx, waterfall->width()) << "the newest at the right edge";
}

TEST_F(WaterfallFeedTest, ShowReadsTheSettingsAndTheMenuEntriesOpenIt) {
    settings.writeInteger("ECHOGRAM", "DataWidth", 500);
    settings.writeInteger("ECHOGRAM", "Interval", 250);
    settings.writeColor("NAVIGATION_SETTINGS", "BackgroundColor", 0x00FFFF);
    makeAll().FormShow();
    EXPECT_EQ(window->tEchogram().interval(), 200) << "as designed until the window is shown";
    window->Action(QStringLiteral("mAcousticsWaterfall"))->trigger();
    ASSERT_TRUE(waterfall->isVisible());
    EXPECT_EQ(waterfall->DataWidth(), 200) << "the ring holds no more";
    EXPECT_EQ(window->tEchogram().interval(), 250);
    EXPECT_EQ(waterfall->palette().color(QPalette::Window).name(), QStringLiteral("#ffff00"));

    settings.writeInteger("ECHOGRAM", "DataWidth", 0);
    waterfall->hide();
    waterfall->show();
    EXPECT_EQ(waterfall->DataWidth(), 1) << "read at every show";
    waterfall->close();
    EXPECT_EQ(settings.readInteger("ECHOGRAM", "DataWidth", -1), 1);
    EXPECT_EQ(settings.readInteger("ECHOGRAM", "Interval", -1), 250);

    // "Echogram..." asks for the echosounder.
    std::vector<QString> told;
    window->onInformation = [&](const QString& message) { told.push_back(message); };
    settings.writeBool("SENSOR COMUNICATION SETTINGS", "Sensor Enabled", false);
    window->Action(QStringLiteral("Echogram1"))->trigger();
    EXPECT_FALSE(waterfall->isVisible());
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0],
              QStringLiteral("Sensor is not enabled. Enable sensor in GPS settings to view echogram."));
    settings.writeBool("SENSOR COMUNICATION SETTINGS", "Sensor Enabled", true);
    window->Action(QStringLiteral("Echogram1"))->trigger();
    EXPECT_TRUE(waterfall->isVisible());
    EXPECT_EQ(told.size(), 1u);
}

} // namespace
} // namespace selvir
