#include "navigation/MapUpdate.h"

#include <cmath>
#include <gtest/gtest.h>
#include <map>

namespace selvir {
namespace {

struct Shape {
    char kind; // 'L' line, 'P' point, 'C' circle
    double a, b, c, d;
    int layer;
};

// Records what the engine asks of the canvas.
class RecordingCanvas final : public MapCanvas {
public:
    std::map<std::string, int> layers{
        {kVesselLayerName, 7}, {kTrackFixLayer, 1}, {kTrackNoFixLayer, 2}, {kTrackFloatLayer, 3}};
    std::vector<Shape> shapes;
    std::map<int, ColorValue> penColor;
    std::map<int, int> penWidth;
    WorldWindow window{0, 1000, 1000, 0};
    std::vector<std::pair<double, double>> pans;
    std::string statusText;
    int statusFix = -1;
    std::vector<std::tuple<double, double, double>> depthLabels;
    std::optional<std::tuple<double, double, bool>> currentDepth;
    std::optional<double> currentSpeed;
    int refreshes = 0;

    int layerFindByName(std::string_view name) const override {
        auto it = layers.find(std::string(name));
        return it == layers.end() ? -1 : it->second;
    }
    void clearLayer(int layer) override {
        std::erase_if(shapes, [&](const Shape& s) { return s.layer == layer; });
    }
    void drawLine(double x1, double y1, double x2, double y2, int layer) override {
        shapes.push_back({'L', x1, y1, x2, y2, layer});
    }
    void drawPoint(double x, double y, int layer) override { shapes.push_back({'P', x, y, 0, 0, layer}); }
    void drawCircle(double cx, double cy, double r, int layer) override {
        shapes.push_back({'C', cx, cy, r, 0, layer});
    }
    void setLayerPenFg(int layer, ColorValue color) override { penColor[layer] = color; }
    void setLayerPenWidth(int layer, int width) override { penWidth[layer] = width; }
    WorldWindow worldWindow() const override { return window; }
    void worldPan(double dx, double dy) override {
        pans.emplace_back(dx, dy);
        window.left += dx, window.right += dx, window.top += dy, window.bottom += dy;
    }
    void refresh() override { ++refreshes; }
    void setStatusText(const std::string& text, int fix) override { statusText = text, statusFix = fix; }
    void setDepthLabelSettings(const DepthLabelStyle&) override {}
    void addDepthLabel(double e, double n, double depth) override { depthLabels.emplace_back(e, n, depth); }
    void setCurrentDepth(double hf, double lf, bool valid) override { currentDepth = {hf, lf, valid}; }
    void setCurrentSpeed(double knots, bool) override { currentSpeed = knots; }

    std::vector<Shape> on(int layer) const {
        std::vector<Shape> out;
        for (const Shape& s : shapes) {
            if (s.layer == layer) {
                out.push_back(s);
            }
        }
        return out;
    }
};

class FakeSettings final : public MapUpdateSettings {
public:
    NavigationDisplaySettings navigation;
    DeviceSwitches device;
    DisplaySettings labels;
    bool offsetsOpen = false;
    GeodeticParameters geodetic;
    VesselGeometry geometry;
    int geodeticReads = 0, geometryReads = 0;

    NavigationDisplaySettings navigationSettings() override { return navigation; }
    DeviceSwitches deviceSwitches() override { return device; }
    DisplaySettings displaySettings() override { return labels; }
    bool offsetsWindowOpen() override { return offsetsOpen; }
    GeodeticParameters geodeticParameters() override {
        ++geodeticReads;
        return geodetic;
    }
    VesselGeometry vesselGeometry() override {
        ++geometryReads;
        return geometry;
    }
};

class RecordingStatusBar final : public StatusBarSink {
public:
    std::vector<std::string> panels = std::vector<std::string>(6);
    std::optional<bool> positionLost;
    int panelCount() const override { return static_cast<int>(panels.size()); }
    void setPanelText(int panel, const std::string& text) override {
        panels[static_cast<std::size_t>(panel)] = text;
    }
    void setPositionLost(bool lost) override { positionLost = lost; }
};

struct MapUpdateTest : ::testing::Test {
    NavigationState state;
    RealtimeReadout readout;
    FakeSettings settings;
    RecordingCanvas canvas;
    RecordingStatusBar statusBar;
    ManualClock clock{LocalDateTime{{2026, 3, 5}, 10, 15, 2, 250}};
    std::vector<std::string> problems;
    MapUpdate engine{state, readout, settings,
                     MapUpdateOutputs{&canvas, &statusBar, nullptr,
                                      [this](const std::string& text) { problems.push_back(text); }},
                     clock};

    void SetUp() override {
        // On the central meridian (30 E) the grid convergence is zero.
        state.GpsLatitude = 41.0;
        state.GpsLongitude = 30.0;
    }
    ReaderValues reader(int fix = 4) { return ReaderValues{fix, 12, 45.0}; }
};

TEST_F(MapUpdateTest, VesselArrowAndCirclesAroundThePosition) {
    settings.geometry = VesselGeometry{2, 10, 10, 100, 10};
    state.GyroHeading = 90;
    ASSERT_EQ(engine.tick(reader()), MapUpdate::Tick::Done);
    EXPECT_NEAR(state.Convergence, 0, 1e-12);
    EXPECT_NEAR(state.VesselHeading, 90, 1e-12);
    const auto vessel = canvas.on(7);
    ASSERT_EQ(vessel.size(), 7u);
    const double px = state.Easting, py = state.Northing;
    EXPECT_NEAR(px, 500000, 1e-6);
    auto expectLine = [&](const Shape& s, double x1, double y1, double x2, double y2) {
        EXPECT_EQ(s.kind, 'L');
        EXPECT_NEAR(s.a - px, x1, 1e-9);
        EXPECT_NEAR(s.b - py, y1, 1e-9);
        EXPECT_NEAR(s.c - px, x2, 1e-9);
        EXPECT_NEAR(s.d - py, y2, 1e-9);
    };
    // Tip 100 m east, right point 10 m south, left 10 m north: P-T, P-R, P-L, T-R, T-L.
    expectLine(vessel[0], 0, 0, 100, 0);
    expectLine(vessel[1], 0, 0, 0, -10);
    expectLine(vessel[2], 0, 0, 0, 10);
    expectLine(vessel[3], 100, 0, 0, -10);
    expectLine(vessel[4], 100, 0, 0, 10);
    EXPECT_EQ(vessel[5].kind, 'C');
    EXPECT_EQ(vessel[5].c, 10);
    EXPECT_EQ(vessel[6].c, 20);
    // Redrawn, not accumulated.
    engine.tick(reader());
    EXPECT_EQ(canvas.on(7).size(), 7u);
}

TEST_F(MapUpdateTest, HeadingFromCourseWhenTheGyroIsOff) {
    settings.device.gyroEnabled = false;
    state.GyroHeading = 90;
    state.GpsLongitude = 31.0; // east of the central meridian: convergence is negative
    engine.tick(reader());
    EXPECT_LT(state.Convergence, 0);
    EXPECT_NEAR(state.VesselHeading, 45.0 + state.Convergence, 1e-12);
}

std::vector<int> ticksWithTrack(MapUpdateTest& t, int interval, int ticks) {
    t.settings.navigation.trackIntervalTicks = interval;
    std::vector<int> drawn;
    for (int tick = 1; tick <= ticks; ++tick) {
        const auto before = t.canvas.on(1).size();
        t.state.GpsLatitude += 0.0001;
        t.engine.tick(t.reader(4));
        if (t.canvas.on(1).size() > before) {
            drawn.push_back(tick);
        }
    }
    return drawn;
}

TEST_F(MapUpdateTest, TrackIntervalOne) {
    EXPECT_EQ(ticksWithTrack(*this, 1, 5), (std::vector<int>{2, 3, 4, 5}));
}

TEST_F(MapUpdateTest, TrackIntervalThree) {
    EXPECT_EQ(ticksWithTrack(*this, 3, 11), (std::vector<int>{4, 7, 10}));
}

TEST_F(MapUpdateTest, TrackLayerAndColourByFixQuality) {
    settings.navigation.trackIntervalTicks = 1;
    settings.navigation.colorTracklines1 = 0x008000;
    settings.navigation.colorTracklines0 = 0x00FFFF;
    settings.navigation.gridColor = 0xC0C0C0;
    settings.navigation.trackWidthPx = 2;
    engine.tick(reader(4));
    const std::pair<int, int> expectations[] = {{4, 1}, {5, 3}, {2, 3}, {3, 3}, {1, 2}, {6, 2}};
    for (const auto& [fix, layer] : expectations) {
        const auto before = canvas.on(layer).size();
        state.GpsLatitude += 0.0001;
        engine.tick(reader(fix));
        EXPECT_EQ(canvas.on(layer).size(), before + 1) << "fix " << fix;
    }
    EXPECT_EQ(canvas.penColor[1], 0x008000u);
    EXPECT_EQ(canvas.penColor[3], 0x00FFFFu);
    EXPECT_EQ(canvas.penColor[2], 0xC0C0C0u);
    EXPECT_EQ(canvas.penWidth[2], 2);
}

// Before the first fix, with a fix quality of 0, with the 0, 0 of an empty GGA or of a silent receiver:
// nothing may be drawn or projected, and the first track segment starts at the first real fix.
TEST_F(MapUpdateTest, NothingIsDrawnAtAPositionTheReceiverNeverReported) {
    struct Case {
        const char* what;
        int fix;
        double lat, lon;
        bool silent;
    };
    const Case cases[] = {{"no GGA yet", 0, 0, 0, false},
                          {"quality 0 with a position", 0, 41.0, 30.0, false},
                          {"a fix quality with the empty position", 4, 0, 0, false},
                          {"receiver silent", 4, 41.0, 30.0, true}};
    settings.navigation.trackIntervalTicks = 1;
    state.DepthHF = 12.5;
    for (const Case& c : cases) {
        state.GpsLatitude = c.lat;
        state.GpsLongitude = c.lon;
        ReaderValues values = reader(c.fix);
        values.receiverSilent = c.silent;
        for (int tick = 0; tick < 3; ++tick) {
            EXPECT_EQ(engine.tick(values), MapUpdate::Tick::NoPosition) << c.what;
        }
        EXPECT_TRUE(canvas.shapes.empty()) << c.what;
        EXPECT_TRUE(canvas.depthLabels.empty()) << c.what;
        EXPECT_EQ(state.Easting, 0) << c.what;
        EXPECT_EQ(statusBar.panels[0], "Lat: -") << c.what;
        EXPECT_EQ(statusBar.panels[2], "E: -") << c.what;
        EXPECT_EQ(statusBar.positionLost, true) << c.what;
        ASSERT_TRUE(canvas.currentSpeed) << "the boxes still show: " << c.what;
    }
    state.GpsLatitude = 41.0;
    state.GpsLongitude = 30.0;
    EXPECT_EQ(engine.tick(reader(4)), MapUpdate::Tick::Done);
    EXPECT_EQ(statusBar.positionLost, false);
    EXPECT_EQ(statusBar.panels[2], "E: 500000.00");
    state.GpsLatitude += 0.0001;
    engine.tick(reader(4));
    const auto track = canvas.on(1);
    ASSERT_EQ(track.size(), 1u);
    EXPECT_NEAR(track[0].a, 500000, 1e-6) << "the first segment starts at the first fix";
    EXPECT_GT(track[0].b, 4.5e6);
}

TEST_F(MapUpdateTest, SilentReceiverShowsTheOutageUntilFixesReturn) {
    engine.tick(reader(4));
    const std::size_t vesselShapes = canvas.on(7).size();
    clock.advanceMs(10'000);
    engine.showReceiverSilent(reader(4));
    EXPECT_EQ(canvas.statusText, "GPS is idle! | No position since 10:15:02");
    EXPECT_EQ(canvas.statusFix, 0) << "the outage colour, not the last fix's";
    EXPECT_EQ(statusBar.positionLost, true);
    EXPECT_EQ(statusBar.panels[1], "Lon: -");
    EXPECT_EQ(canvas.on(7).size(), vesselShapes) << "the vessel stays where it was last seen";
    engine.tick(reader(4));
    EXPECT_EQ(canvas.statusText, "RTK Fix | Spd: 0.0 kn | SV: 12 | Ant: 0.00 m | Tide: 0.00 m");
    EXPECT_EQ(statusBar.positionLost, false);
    EXPECT_EQ(formatSilentStatusText(std::nullopt), "GPS is idle! | No position");
}

TEST_F(MapUpdateTest, GridPositionOfAFixUsesTheRunsChain) {
    // No tick yet: the chain is read on first use, once.
    const auto grid = engine.gridPositionOf(41.0, 30.0, 10.0);
    ASSERT_TRUE(grid);
    EXPECT_NEAR(grid->eastingM, 500000, 1e-6);
    EXPECT_FALSE(engine.gridPositionOf(95.0, 30.0, 0));
    engine.tick(reader(4));
    EXPECT_EQ(settings.geodeticReads, 1);
    EXPECT_NEAR(state.Northing, grid->northingM, 1e-9);
}

TEST_F(MapUpdateTest, LinesJoinConsecutiveTrackPointsOrDotsWhenAsked) {
    settings.navigation.trackIntervalTicks = 1;
    engine.tick(reader());
    const double e1 = state.Easting, n1 = state.Northing;
    state.GpsLatitude += 0.001;
    engine.tick(reader());
    const auto lines = canvas.on(1);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].a, e1);
    EXPECT_EQ(lines[0].b, n1);
    EXPECT_EQ(lines[0].d, state.Northing);
    settings.navigation.trackAsLine = false;
    engine.tick(reader());
    EXPECT_EQ(canvas.on(1).back().kind, 'P');
}

TEST_F(MapUpdateTest, FollowKeepsTheVesselInTheMiddle) {
    engine.FollowVessel = true;
    engine.tick(reader());
    ASSERT_EQ(canvas.pans.size(), 1u);
    EXPECT_NEAR(canvas.pans[0].first, state.Easting - 500, 1e-9);
    EXPECT_NEAR(canvas.pans[0].second, state.Northing - 500, 1e-9);
    EXPECT_NEAR((canvas.window.left + canvas.window.right) / 2, state.Easting, 1e-6);
    engine.FollowVessel = false;
    engine.tick(reader());
    EXPECT_EQ(canvas.pans.size(), 1u);
    EXPECT_GE(canvas.refreshes, 1);
}

TEST_F(MapUpdateTest, StatusTextWithAndWithoutDepthAndTide) {
    state.RtkHeight = 47.4;
    state.RtkTide = 45.4;
    readout.speedKnots = 5.4;
    engine.tick(reader(4));
    EXPECT_EQ(engine.StatusText(), "RTK Fix | Spd: 5.4 kn | SV: 12 | Ant: 47.40 m | Tide: 45.40 m");
    EXPECT_EQ(canvas.statusText, engine.StatusText());
    EXPECT_EQ(canvas.statusFix, 4);
    state.DepthHF = 12.844;
    engine.tick(reader(3));
    EXPECT_EQ(engine.StatusText(),
              "Fix:3 | Spd: 5.4 kn | SV: 12 | Ant: 47.40 m | Tide: 45.40 m | Depth: 12.84 m");
    settings.offsetsOpen = true;
    settings.device.sensorEnabled = false;
    readout.speedKnots.reset();
    engine.tick(reader(1));
    EXPECT_EQ(engine.StatusText(), "GPS | Spd: 0.0 kn | SV: 12 | Ant: 47.40 m | Tide: - m");
    EXPECT_FALSE(readout.tideM) << "being edited";
    EXPECT_EQ(readout.fixQuality, 1);
    EXPECT_EQ(readout.satellites, 12);
    EXPECT_EQ(readout.antennaHeightM, 47.4);
}

TEST_F(MapUpdateTest, UnconvertiblePositionAbandonsTheTickSilently) {
    engine.tick(reader());
    const double easting = state.Easting;
    const auto shapes = canvas.shapes.size();
    state.GpsLatitude = 95; // line noise
    EXPECT_EQ(engine.tick(reader()), MapUpdate::Tick::Abandoned);
    EXPECT_EQ(state.Easting, easting);
    EXPECT_EQ(canvas.shapes.size(), shapes);
    EXPECT_TRUE(problems.empty());
}

TEST_F(MapUpdateTest, ParametersAreReadOnceAndRetriedOnlyWhileUnreadable) {
    settings.geodetic.edCM = "3O"; // a typing mistake
    EXPECT_EQ(engine.tick(reader()), MapUpdate::Tick::SetupFailed);
    EXPECT_EQ(engine.tick(reader()), MapUpdate::Tick::SetupFailed);
    ASSERT_EQ(problems.size(), 1u); // reported once, not on every tick
    EXPECT_NE(problems[0].find("Central Meridian"), std::string::npos);
    settings.geodetic.edCM = "30";
    EXPECT_EQ(engine.tick(reader()), MapUpdate::Tick::Done);
    settings.geodetic.edCM = "27"; // changes act from the next start
    settings.geometry.circleCount = 5;
    engine.tick(reader());
    EXPECT_EQ(settings.geodeticReads, 3);
    EXPECT_EQ(settings.geometryReads, 1);
    EXPECT_NEAR(state.Easting, 500000, 1e-6);
    EXPECT_EQ(canvas.on(7).size(), 5u + 2u);
}

TEST_F(MapUpdateTest, NoVesselAndNoDepthLabelAtTheGridOrigin) {
    settings.geodetic.edFE = "0";
    settings.geodetic.edRL = "0";
    state.GpsLatitude = 0;
    state.DepthHF = 10;
    engine.tick(reader());
    EXPECT_EQ(state.Easting, 0);
    EXPECT_EQ(state.Northing, 0);
    EXPECT_TRUE(canvas.on(7).empty());
    EXPECT_TRUE(canvas.depthLabels.empty());
}

// The echosounder went silent: its last depth is neither labelled nor shown as current.
TEST_F(MapUpdateTest, StaleDepthIsNotLabelledOrShownAsCurrent) {
    state.DepthHF = 12.84;
    state.DepthStale = true;
    engine.tick(reader());
    EXPECT_TRUE(canvas.depthLabels.empty());
    ASSERT_TRUE(canvas.currentDepth);
    EXPECT_FALSE(std::get<2>(*canvas.currentDepth)) << "not valid";
    EXPECT_EQ(engine.StatusText().find(" | Depth:"), std::string::npos);
    EXPECT_NE(engine.StatusText().find(" | No depth"), std::string::npos) << engine.StatusText();
}

TEST_F(MapUpdateTest, DepthLabelsAndBoxes) {
    state.DepthHF = 12.84;
    state.DepthLF = 13.1;
    state.SpeedKnots = 4.2;
    engine.tick(reader());
    ASSERT_EQ(canvas.depthLabels.size(), 1u);
    EXPECT_EQ(std::get<2>(canvas.depthLabels[0]), 12.84);
    ASSERT_TRUE(canvas.currentDepth);
    EXPECT_EQ(std::get<1>(*canvas.currentDepth), 0); // low-frequency frame hidden
    EXPECT_EQ(canvas.currentSpeed.value_or(0), 4.2);
    settings.device.messageFormat = "Selvir XDR H/L";
    settings.labels.ShowDepthLabels = false;
    engine.tick(reader());
    EXPECT_EQ(std::get<1>(*canvas.currentDepth), 13.1);
    EXPECT_EQ(canvas.depthLabels.size(), 1u);
}

class RecordingLatency final : public LatencySink {
public:
    bool visible = true;
    std::vector<std::pair<std::string, std::string>> shown;
    bool latencyWindowVisible() const override { return visible; }
    void showLatency(const std::string& current, const std::string& average) override {
        shown.emplace_back(current, average);
    }
};

// A clock whose monotonic time moves on every reading, like a tick that takes time.
class SteppingClock final : public Clock {
public:
    mutable std::int64_t ms = 59'990; // near a minute boundary of the time of day
    std::int64_t step = 15;
    LocalDateTime now() const override {
        return addMilliseconds(LocalDateTime{{2026, 3, 5}, 13, 59, 59, 990}, ms);
    }
    std::int64_t monotonicMs() const override {
        ms += step;
        return ms;
    }
};

TEST(MapUpdateLatency, MeasuredOnTheMonotonicClockAcrossMinuteBoundaries) {
    NavigationState state;
    state.GpsLatitude = 41;
    state.GpsLongitude = 30;
    RealtimeReadout readout;
    FakeSettings settings;
    RecordingLatency latency;
    SteppingClock clock;
    MapUpdate engine(state, readout, settings, MapUpdateOutputs{nullptr, nullptr, &latency, {}}, clock);
    engine.tick({});
    clock.step = 25;
    engine.tick({});
    ASSERT_EQ(latency.shown.size(), 2u);
    EXPECT_EQ(latency.shown[0], (std::pair<std::string, std::string>{"15", "15.0"}));
    EXPECT_EQ(latency.shown[1], (std::pair<std::string, std::string>{"25", "20.0"}));
    latency.visible = false;
    engine.tick({});
    EXPECT_EQ(latency.shown.size(), 2u);
}

TEST(StatusText, Layout) {
    EXPECT_EQ(formatStatusText(2, 10.25, 9, 0, "0.00", std::nullopt),
              "DGPS | Spd: 10.2 kn | SV: 9 | Ant: 0.00 m | Tide: 0.00 m");
    EXPECT_EQ(formatStatusText(0, 0, 0, 0, "-", 1.005),
              "No Fix | Spd: 0.0 kn | SV: 0 | Ant: 0.00 m | Tide: - m | Depth: 1.00 m");
}

} // namespace
} // namespace selvir
