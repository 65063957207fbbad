// The simulator sails; its sentences cross real pseudo-terminals into the main window's GNSS reader; the
// map timer draws. The vessel must stand where PROJ puts the simulator's last fix, and the trackline must
// be on the layers and in the picture.
#include "NavWindowFixture.h"
#include "navigation/LayerNames.h"
#include "support/ProjOracle.h"
#include "support/SimulatorProcess.h"

#include <QTest>
#include <cmath>

namespace selvir {
namespace {

struct RealtimeEndToEndTest : test::NavWindowFixture {
    AppContext liveContext() {
        AppContext c = context();
        c.devices = nullptr; // Qt serial ports, resolved through the mapping the simulator writes
        c.clock = nullptr;
        return c;
    }
};

TEST_F(RealtimeEndToEndTest, SimulatedSailingDrawsTheVesselAtTheProjPositionAndTheTrackline) {
    const std::filesystem::path truthFile = dir / "truth.csv";
    test::Simulator sim({"--write-mapping", QString::fromStdString(settingsFile.string()), "--gnss-com", "5",
                         "--sbes-com", "6", "--truth", QString::fromStdString(truthFile.string()), "--rate",
                         "10", "--speed", "12", "--origin", "41.0,29.0"});
    ASSERT_TRUE(sim.started());
    settings.writeString("GPS1 COMUNICATION SETTINGS", "Port No", "COM5");
    settings.writeString("GPS1 COMUNICATION SETTINGS", "Baud Rate", "115200");
    settings.writeBool("SENSOR COMUNICATION SETTINGS", "Sensor Enabled", false);
    settings.writeInteger("NAVIGATION_SETTINGS", "TrackInterval", 1);
    settings.writeInteger("NAVIGATION_SETTINGS", "TrackWidth", 3);
    constexpr std::uint32_t trackColour = 0x0000FF; // red
    settings.writeColor("NAVIGATION_SETTINGS", "ColorTracklines1", trackColour);
    // A view 200 m across, so the few metres sailed span many pixels.
    settings.writeFloat("CANVAS", "PlanWorldLeft", 0);
    settings.writeFloat("CANVAS", "PlanWorldRight", 200);
    settings.writeFloat("CANVAS", "PlanWorldTop", 200);
    settings.writeFloat("CANVAS", "PlanWorldBottom", 0);

    window = std::make_unique<TFNav>(liveContext(), &messages);
    window->resize(900, 700);
    window->FormShow();
    window->show();
    window->SetFollowVessel(true);
    window->tMap().setInterval(100); // more ticks in the few seconds of the test
    window->RealtimeClick();
    TSelvirCanvas& canvas = *window->Canvas();
    const bool sailed =
        QTest::qWaitFor([&] { return test::shapesOn(canvas, kTrackFixLayer).size() >= 20; }, 15000);
    window->tMap().stop();
    ASSERT_TRUE(sailed) << "track elements: " << test::shapesOn(canvas, kTrackFixLayer).size();
    // The last tick with the last fix the reader holds, then the picture as it stands.
    ASSERT_EQ(window->tMapTimer(), MapUpdate::Tick::Done);
    const double latitude = window->Session().state().GpsLatitude;
    const double longitude = window->Session().state().GpsLongitude;
    const QImage image = canvas.OffscreenImage().copy();
    window->RealtimeClick();

    // The fix is one the simulator sent.
    bool sent = false;
    for (const test::TruthRow& row : test::readTruth(truthFile)) {
        sent = sent || (row.fields.at("message") == "GGA" && std::abs(row.number("lat") - latitude) < 1e-9 &&
                        std::abs(row.number("lon") - longitude) < 1e-9);
    }
    EXPECT_TRUE(sent) << latitude << " " << longitude;

    // The vessel: five arrow lines from the position and two circles around it, at PROJ's grid position.
    const test::ProjOperation tm("+proj=tmerc +ellps=WGS84 +lon_0=30 +lat_0=0 +k=1 +x_0=500000 +y_0=0");
    const PJ_COORD grid = tm.forward(proj_torad(longitude), proj_torad(latitude));
    const auto vessel = test::shapesOn(canvas, kVesselLayerName);
    ASSERT_EQ(vessel.size(), 7u);
    for (int i = 5; i < 7; ++i) {
        const auto* circle = dynamic_cast<const TSCircle*>(vessel[static_cast<std::size_t>(i)]);
        ASSERT_NE(circle, nullptr);
        EXPECT_NEAR(circle->CenterX, grid.enu.e, 0.001);
        EXPECT_NEAR(circle->CenterY, grid.enu.n, 0.001);
    }
    const auto* arrow = dynamic_cast<const TSLine*>(vessel[0]);
    ASSERT_NE(arrow, nullptr);
    EXPECT_NEAR(arrow->X1, grid.enu.e, 0.001);
    EXPECT_NEAR(arrow->Y1, grid.enu.n, 0.001);

    // The trackline is in the picture: the track colour under most segment midpoints in view.
    int inView = 0, coloured = 0;
    for (const TSShape* shape : test::shapesOn(canvas, kTrackFixLayer)) {
        const auto* line = dynamic_cast<const TSLine*>(shape);
        ASSERT_NE(line, nullptr);
        int px = 0, py = 0;
        canvas.WorldToScreen((line->X1 + line->X2) / 2, (line->Y1 + line->Y2) / 2, px, py);
        if (px < 2 || py < 2 || px >= image.width() - 2 || py >= image.height() - 2) {
            continue;
        }
        ++inView;
        bool found = false;
        for (int dx = -1; dx <= 1 && !found; ++dx) {
            for (int dy = -1; dy <= 1 && !found; ++dy) {
                found = image.pixelColor(px + dx, py + dy) == QColor(255, 0, 0);
            }
        }
        coloured += found ? 1 : 0;
    }
    EXPECT_GE(inView, 10);
    EXPECT_GE(coloured, inView * 8 / 10) << coloured << " of " << inView;
}

} // namespace
} // namespace selvir
