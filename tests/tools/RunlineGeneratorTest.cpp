// The runline generator's work on a headless canvas: route drawing, generation on the runlines layer,
// the settings keys and event records, and the runlines as the line guidance numbers and picks them.
#include "tools/RunlineGenerator.h"

#include "core/AtomicFile.h"
#include "support/TempDir.h"
#include "tools/RunlineLayer.h"

#include <gtest/gtest.h>

namespace selvir {
namespace {

struct RunlineGeneratorTest : ::testing::Test {
    test::TempDir dir;
    ProfileStore settings{dir / "SelvirHS.INI"};
    CanvasCore canvas;
    std::vector<std::string> events;
    RunlineGenerator generator{canvas, settings, [this](const std::string& text) { events.push_back(text); }};

    std::vector<const TSPolyline*> polylinesOn(const QString& layerName) const {
        std::vector<const TSPolyline*> out;
        const int layer = canvas.LayerFindByName(layerName);
        for (const auto& shape : canvas.Shapes) {
            if (layer >= 0 && shape->Layer == layer) {
                out.push_back(dynamic_cast<const TSPolyline*>(shape.get()));
            }
        }
        return out;
    }
};

TEST_F(RunlineGeneratorTest, DrawRouteThenTheRouteGeneratesAtOnce) {
    EXPECT_EQ(generator.status().text, "No route drawn");
    generator.drawRoute();
    EXPECT_EQ(generator.status().text, "Drawing... (right-click to finish)");
    EXPECT_EQ(canvas.CurrentLayer(), canvas.LayerFindByName(routeLayerName));
    EXPECT_EQ(canvas.DrawTool, 5);
    EXPECT_FALSE(canvas.KeepTool);

    generator.setRoute({{0, 0}});
    EXPECT_EQ(generator.status().text, "Need at least 2 points");
    EXPECT_EQ(generator.status().color, RunlineGenerator::kRed);
    EXPECT_TRUE(events.empty());

    generator.setRoute({{0, 0}, {0, 100}});
    EXPECT_EQ(generator.status().text, "Route: 2 points");
    const auto lines = polylinesOn(runlineLayerName);
    ASSERT_EQ(lines.size(), 12u) << "the route and 11 cross lines";
    EXPECT_EQ(lines[0]->Points.size(), 2u);
    EXPECT_EQ(lines[0]->Points[1].Y, 100) << "the route first";
    EXPECT_FALSE(lines[5]->Closed);
    EXPECT_EQ(events, std::vector<std::string>{"Runlines generated - Spacing: 10, Length: 100"});
    EXPECT_FALSE(settings.sectionExists("RUNLINE")) << "only the Generate button stores the fields";
}

TEST_F(RunlineGeneratorTest, FieldChangesRegenerateWithTheirTextsInTheEventRecord) {
    generator.setFields({"0", "100", false});
    EXPECT_TRUE(events.empty()) << "nothing to generate without a route";
    generator.setRoute({{0, 0}, {100, 0}});
    generator.setFields({"abc", "100", false});
    generator.setFields({"30", "100", false});
    EXPECT_EQ(events, (std::vector<std::string>{"Runlines generated - Spacing: 0, Length: 100",
                                                "Runlines generated - Spacing: abc, Length: 100",
                                                "Runlines generated - Spacing: 30, Length: 100"}));
    EXPECT_EQ(polylinesOn(runlineLayerName).size(), 7u) << "the route and 3 lines per side";
    generator.setFields({"abc", "100", false});
    EXPECT_EQ(polylinesOn(runlineLayerName).size(), 21u) << "letters give spacing 10";
}

TEST_F(RunlineGeneratorTest, GenerateStoresTheFieldsOnlyWithARoute) {
    generator.setFields({"12.5", "60", false});
    EXPECT_FALSE(generator.generate());
    EXPECT_FALSE(settings.sectionExists("RUNLINE"));
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(canvas.ShapeCount(), 0);

    generator.setRoute({{0, 0}, {100, 0}});
    ASSERT_TRUE(generator.generate());
    EXPECT_EQ(settings.readString("RUNLINE", "Spacing"), "12.5");
    EXPECT_EQ(settings.readString("RUNLINE", "Length"), "60");
    EXPECT_FALSE(settings.readBool("RUNLINE", "Perpendicular", true));
    const RunlineGenerator again(canvas, settings, {});
    EXPECT_EQ(again.fields().spacingText, "12.5");
    EXPECT_FALSE(again.fields().perpendicular);
}

TEST_F(RunlineGeneratorTest, ClearKeepsTheRouteDrawingUntilTheNextDrawRoute) {
    generator.drawRoute();
    canvas.DrawPolyline({{0, 0}, {50, 0}}, canvas.CurrentLayer(), false); // what the surveyor clicked
    generator.setRoute(canvas.GetLastPolylinePoints());
    generator.clear();
    EXPECT_EQ(generator.status().text, "No route drawn");
    EXPECT_FALSE(generator.routeReady());
    EXPECT_TRUE(polylinesOn(runlineLayerName).empty());
    EXPECT_EQ(polylinesOn(routeLayerName).size(), 1u);
    generator.drawRoute();
    EXPECT_TRUE(polylinesOn(routeLayerName).empty());
}

TEST_F(RunlineGeneratorTest, TooManyLinesAreRefusedWithTheRouteKept) {
    generator.setFields({"0.001", "100", true});
    generator.setRoute({{0, 0}, {1000, 0}});
    EXPECT_EQ(generator.status().color, RunlineGenerator::kRed);
    EXPECT_NE(generator.status().text.find("1000001"), std::string::npos);
    EXPECT_EQ(polylinesOn(runlineLayerName).size(), 1u) << "only the route";
    generator.setFields({"1", "100", true});
    EXPECT_EQ(generator.status().text, "Route: 2 points");
    EXPECT_EQ(polylinesOn(runlineLayerName).size(), 1002u);
}

// The route orders the lines and is not one of them. Worked by hand: a route heading east has its
// port side north, so with spacing 10 and length 30 the lines by number lie at y = 5030, 5020, 5010
// (port) and 4990, 4980, 4970 (starboard); cross lines every 50 m along 200 m stand at x = 1000, 1050,
// 1100, 1150, 1200.
TEST_F(RunlineGeneratorTest, RunlinesAreNumberedInSailingOrderWithoutTheRoute) {
    generator.setFields({"10", "30", false});
    generator.setRoute({{1000, 5000}, {1200, 5000}});
    RunlineLayerSource source(canvas);
    const GuidanceLineSet& parallel = source.currentLines();
    const std::vector<double> northings{5030, 5020, 5010, 4990, 4980, 4970};
    ASSERT_EQ(parallel.lines.size(), northings.size());
    for (std::size_t i = 0; i < parallel.lines.size(); ++i) {
        EXPECT_EQ(parallel.lines[i].number, static_cast<int>(i) + 1);
        EXPECT_EQ(parallel.lines[i].points[0].y, northings[i]) << i;
    }
    const std::uint64_t revision = parallel.revision;
    EXPECT_EQ(source.currentLines().revision, revision) << "unchanged lines, same set";

    generator.setFields({"50", "30", true});
    const GuidanceLineSet& cross = source.currentLines();
    EXPECT_NE(cross.revision, revision);
    ASSERT_EQ(cross.lines.size(), 5u);
    for (std::size_t i = 0; i < cross.lines.size(); ++i) {
        EXPECT_EQ(cross.lines[i].points[0].x, 1000 + 50.0 * static_cast<double>(i)) << "along the route";
    }

    // An edit of one vertex is a new set.
    const std::uint64_t crossRevision = cross.revision;
    canvas.ShapePointSet(cross.lines[3].id, 0, 1100, 5031);
    EXPECT_NE(source.currentLines().revision, crossRevision);
}

// The boat sitting on the route at its first fix is given a runline, not the route: with lines 10 m
// either side, both nearest at 10 m, the first in sailing order (port, y = 10) wins.
TEST_F(RunlineGeneratorTest, AutoAdvanceNeverSendsTheBoatDownTheRoute) {
    generator.setFields({"10", "20", false});
    generator.setRoute({{0, 0}, {100, 0}});
    RunlineLayerSource source(canvas);
    LineGuidance guidance(&source, [] { return GuidanceSettings{}; }, {});
    GuidanceInput in;
    in.positionKnown = true;
    in.position = {50, 0};
    const GuidanceReading& reading = guidance.tick(in);
    ASSERT_TRUE(reading.active);
    EXPECT_EQ(reading.lineCount, 4);
    EXPECT_EQ(reading.lineNumber, 2);
    EXPECT_EQ(guidance.activeLine().front().y, 10);
}

// The set is asked for on every map tick; a survey adding trackline and redrawing the vessel on other
// layers of a large drawing never makes it look at the drawing again, a change of the runlines does.
TEST_F(RunlineGeneratorTest, TheRunlineSetIsBuiltAgainOnlyWhenTheRunlinesChange) {
    const int background = canvas.LayerOpen(QStringLiteral("chart"));
    for (int i = 0; i < 1000; ++i) {
        canvas.DrawLine(i, 0, i, 10, background);
    }
    const int track = canvas.LayerOpen(QStringLiteral("track_fix"));
    const int vessel = canvas.LayerOpen(QStringLiteral("~~Selvir Vessel"));
    generator.setRoute({{0, 0}, {0, 100}});
    RunlineLayerSource source(canvas);
    source.currentLines();
    const std::uint64_t built = source.rebuilds();
    for (int tick = 0; tick < 50; ++tick) {
        canvas.DrawLine(tick, 0, tick + 1, 1, track);
        canvas.CadClearShapes(vessel);
        canvas.DrawCircle(tick, 0, 10, vessel);
        source.currentLines();
    }
    EXPECT_EQ(source.rebuilds(), built);
    const std::uint64_t revision = source.currentLines().revision;
    canvas.DrawPolyline({{30, 0}, {30, 100}}, canvas.LayerFindByName(runlineLayerName), false);
    EXPECT_EQ(source.currentLines().lines.size(), 12u) << "11 cross lines and the one drawn";
    EXPECT_NE(source.currentLines().revision, revision);
    EXPECT_EQ(source.rebuilds(), built + 1);
}

TEST_F(RunlineGeneratorTest, AClickPicksTheTopmostOpenPolylineOnAnyLayer) {
    generator.setRoute({{0, 0}, {100, 0}});
    RunlineLayerSource source(canvas);
    const int user = canvas.LayerOpen(QStringLiteral("selvir_usershape"));
    const ShapeId other = canvas.DrawPolyline({{40, -50}, {40, 50}}, user, false);
    canvas.DrawPolyline({{495, 495}, {505, 495}, {505, 505}}, user, true); // a polygon is no line

    const auto runline = clickedLine(canvas, 20.5, 0.4, 1, source.currentLines());
    ASSERT_TRUE(runline);
    EXPECT_GT(runline->number, 0);
    EXPECT_EQ(runline->name, std::to_string(runline->number));
    const auto drawn = clickedLine(canvas, 40, 0.2, 1, source.currentLines());
    ASSERT_TRUE(drawn);
    EXPECT_EQ(drawn->id, other);
    EXPECT_EQ(drawn->number, 0);
    EXPECT_EQ(drawn->name, "selvir_usershape " + std::to_string(other));
    EXPECT_FALSE(clickedLine(canvas, 500, 495, 1, source.currentLines())) << "on the polygon's edge only";
}

} // namespace
} // namespace selvir
