#include "tools/SvpGraphModel.h"

#include <cmath>
#include <gtest/gtest.h>

namespace selvir {
namespace {

constexpr int kWidth = 580, kHeight = 460; // a plot of 500 × 400 pixels inside the margins

SvpGraphModel modelOf(std::initializer_list<const char*> lines) {
    SvpGraphModel model;
    model.setSize(kWidth, kHeight);
    model.load({lines.begin(), lines.end()});
    return model;
}

TEST(SvpGraphModel, LoadFitsTheViewToThePoints) {
    SvpGraphModel model = modelOf({"0,1500.00,3", "1,1500.00", "bad line", "", "2,1500.00,0"});
    ASSERT_EQ(model.points().size(), 3u);
    EXPECT_EQ(model.points()[1].hits, 1); // two numbers only
    EXPECT_EQ(model.points()[2].hits, 0);
    // Equal velocities: the span counts as 10 m/s for the 5 % padding.
    EXPECT_DOUBLE_EQ(model.view().vmin, 1499.5);
    EXPECT_DOUBLE_EQ(model.view().vmax, 1500.5);
    EXPECT_EQ(model.view().dmin, 0);
    EXPECT_EQ(model.view().dmax, 2);
    EXPECT_FALSE(model.dataChanged());

    model = modelOf({"0,1480.00,1", "10,1520.00,1"}); // span 40: padded by 2 each side
    EXPECT_DOUBLE_EQ(model.view().vmin, 1478);
    EXPECT_DOUBLE_EQ(model.view().vmax, 1522);
}

TEST(SvpGraphModel, PixelMappingAndItsInverse) {
    const SvpGraphModel model = modelOf({"0,1478.00,1", "100,1522.00,1"}); // 1475.8 … 1524.2 m/s
    const auto& view = model.view();
    EXPECT_DOUBLE_EQ(model.xOf(view.vmin), 60);
    EXPECT_DOUBLE_EQ(model.xOf(view.vmax), kWidth - 20);
    EXPECT_DOUBLE_EQ(model.yOf(0), 20);
    EXPECT_DOUBLE_EQ(model.yOf(100), kHeight - 40);
    EXPECT_DOUBLE_EQ(model.yOf(25), 120); // depth grows downwards
    EXPECT_NEAR(model.velocityAt(310), (view.vmin + view.vmax) / 2, 1e-9);
    EXPECT_NEAR(model.depthAt(220), 50, 1e-9);

    SvpGraphModel flat = modelOf({"5,1500.00,1"}); // one depth only
    EXPECT_DOUBLE_EQ(flat.yOf(5), 20);
    flat.setSize(50, 30); // no room for a plot
    EXPECT_EQ(flat.velocityAt(40), flat.view().vmin);
    EXPECT_EQ(flat.depthAt(25), flat.view().dmin);
}

TEST(SvpGraphModel, DraggingMovesVelocityOnlyAndStaysWithinLimits) {
    SvpGraphModel model = modelOf({"0,1480.00,1", "50,1500.00,1", "100,1520.00,1"});
    const GraphPixel middle = model.pixelOf(model.points()[1]);
    model.press({middle.x + 6, middle.y - 7}); // within 8 px across and down
    ASSERT_TRUE(model.dragging());
    EXPECT_EQ(model.draggedIndex(), 1);
    EXPECT_EQ(model.cursor(), SvpGraphModel::Cursor::SizeAll);

    const int x1510 = static_cast<int>(model.xOf(1510.0));
    model.move({x1510, middle.y + 40});
    EXPECT_NEAR(model.points()[1].velocity, model.velocityAt(x1510), 1e-9);
    EXPECT_EQ(model.points()[1].depthM, 50);
    EXPECT_EQ(model.table()[1][1], model.averagedLines()[1].substr(3, 7)); // the table follows
    EXPECT_TRUE(model.dataChanged());

    // Past 1700 m/s (far right) the point keeps its last velocity inside the range.
    const double before = model.points()[1].velocity;
    model.move({static_cast<int>(model.xOf(1750.0)), middle.y});
    EXPECT_EQ(model.points()[1].velocity, before);
    model.release({0, 0});
    EXPECT_FALSE(model.dragging());
    EXPECT_EQ(model.cursor(), SvpGraphModel::Cursor::Arrow);
    EXPECT_DOUBLE_EQ(model.view().vmax, 1520 + 0.05 * 40); // fitted again

    // A press 9 px away starts a lasso instead.
    const GraphPixel first = model.pixelOf(model.points()[0]);
    model.press({first.x + 9, first.y});
    EXPECT_FALSE(model.dragging());
    EXPECT_TRUE(model.lassoActive());
}

TEST(SvpGraphModel, StatusLineNamesThePlaceUnderThePointer) {
    SvpGraphModel model = modelOf({"0,1478.00,1", "100,1522.00,1"});
    model.move({310, 220});
    EXPECT_EQ(model.statusText(), "SV: 1500.0 m/s  Depth: 50.0 m  (Drag point to edit SV)");
}

TEST(SvpGraphModel, InsidePolygonEvenOdd) {
    // A U open at the top: its notch (x 4 … 6, y 0 … 6) is outside.
    const std::vector<GraphPixel> u = {{0, 0}, {4, 0}, {4, 6}, {6, 6}, {6, 0}, {10, 0}, {10, 10}, {0, 10}};
    const struct {
        GraphPixel pixel;
        bool inside;
    } cases[] = {{{2, 5}, true}, {{8, 5}, true},   {{5, 3}, false},
                 {{5, 8}, true}, {{11, 5}, false}, {{-1, 5}, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(insidePolygon(u, c.pixel), c.inside) << c.pixel.x << "," << c.pixel.y;
    }
    EXPECT_FALSE(insidePolygon({{0, 0}, {10, 10}}, {5, 5}));
}

TEST(SvpGraphModel, LassoSelectsWhatItEncirclesThenDeleteRemovesIt) {
    SvpGraphModel model = modelOf({"0,1480.00,1", "50,1500.00,1", "100,1520.00,1"});
    const GraphPixel a = model.pixelOf(model.points()[0]);
    const GraphPixel b = model.pixelOf(model.points()[1]);

    // Two lasso points select nothing and leave the button as it was.
    model.press({a.x - 20, a.y - 10});
    model.move({a.x + 20, a.y - 10});
    model.move({a.x + 21, a.y - 9}); // within 3 px: not added
    model.release({a.x + 21, a.y - 9});
    EXPECT_EQ(model.lasso().size(), 2u);
    EXPECT_EQ(model.selectedCount(), 0);
    EXPECT_FALSE(model.deleteButtonEnabled());

    // A box around the first two points.
    model.press({a.x - 20, a.y - 10});
    for (GraphPixel corner :
         {GraphPixel{b.x + 20, a.y - 10}, GraphPixel{b.x + 20, b.y + 10}, GraphPixel{a.x - 20, b.y + 10}}) {
        model.move(corner);
    }
    EXPECT_TRUE(model.lassoActive());
    model.release({a.x - 20, b.y + 10});
    EXPECT_FALSE(model.lassoActive());
    EXPECT_EQ(model.lasso().size(), 4u); // stays until the next press
    EXPECT_EQ(model.selectedCount(), 2);
    EXPECT_EQ(model.deleteButtonCount(), 2);
    EXPECT_TRUE(model.deleteButtonEnabled());

    model.deleteSelected();
    EXPECT_EQ(model.averagedLines(), std::vector<std::string>{"100,1520.00,1"});
    EXPECT_EQ(model.table().size(), 1u);
    EXPECT_TRUE(model.lasso().empty());
    EXPECT_EQ(model.deleteButtonCount(), 0);
    EXPECT_FALSE(model.deleteButtonEnabled());
    EXPECT_TRUE(model.dataChanged());

    // Deleting every point leaves an empty table and nothing to draw.
    model.selectRow(0);
    model.deleteSelected();
    EXPECT_TRUE(model.points().empty());
    EXPECT_TRUE(model.table().empty());
    EXPECT_TRUE(model.velocityGridLines().empty());
    EXPECT_TRUE(model.depthGridLines().empty());
}

TEST(SvpGraphModel, WheelZoomsAboutThePointer) {
    SvpGraphModel model = modelOf({"0,1480.00,1", "100,1520.00,1"});
    const GraphPixel at{200, 150};
    const double velocity = model.velocityAt(at.x);
    const double depth = model.depthAt(at.y);
    const double velocitySpan = model.view().vmax - model.view().vmin;
    model.wheel(at, true);
    EXPECT_NEAR(model.view().vmax - model.view().vmin, velocitySpan * 0.9, 1e-9);
    EXPECT_NEAR(model.view().dmax - model.view().dmin, 90, 1e-9);
    EXPECT_NEAR(model.velocityAt(at.x), velocity, 1e-9);
    EXPECT_NEAR(model.depthAt(at.y), depth, 1e-9);
    model.wheel(at, false);
    EXPECT_NEAR(model.view().dmax - model.view().dmin, 99, 1e-9);
    for (int turn = 0; turn < 100; ++turn) {
        model.wheel(at, true);
    }
    EXPECT_DOUBLE_EQ(model.view().vmax - model.view().vmin, 5);
    EXPECT_DOUBLE_EQ(model.view().dmax - model.view().dmin, 5);
    EXPECT_NEAR(model.depthAt(at.y), depth, 1e-6);
}

TEST(SvpGraphModel, GridStepsWithTheDepthSpan) {
    const struct {
        const char* deepest;
        double step;
    } cases[] = {{"200,1500.00,1", 10}, {"201,1500.00,1", 50}, {"500,1500.00,1", 50}, {"501,1500.00,1", 100}};
    for (const auto& c : cases) {
        const SvpGraphModel model = modelOf({"0,1490.00,1", c.deepest});
        const auto lines = model.depthGridLines();
        ASSERT_GE(lines.size(), 2u) << c.deepest;
        EXPECT_EQ(lines[0].label, "0m");
        EXPECT_EQ(lines[1].label, std::to_string(static_cast<int>(c.step)) + "m") << c.deepest;
        EXPECT_EQ(lines[1].pixel, static_cast<int>(std::lround(model.yOf(c.step))));
    }
    // Velocity lines every 10 m/s inside the plot: 1480 … 1520 for 1478 … 1522.
    const SvpGraphModel model = modelOf({"0,1480.00,1", "10,1520.00,1"});
    std::vector<std::string> labels;
    for (const auto& line : model.velocityGridLines()) {
        labels.push_back(line.label);
    }
    EXPECT_EQ(labels, (std::vector<std::string>{"1480", "1490", "1500", "1510", "1520"}));
}

TEST(SvpGraphModel, TableEditsRebuildThePoints) {
    SvpGraphModel model = modelOf({"0,1500.00,2", "1,1501.00,2"});
    model.editCell(1, 1, "1512.346");
    model.editCell(0, 0, "zero"); // not a depth: the row stays in the table, not in the profile
    EXPECT_EQ(model.points().size(), 1u);
    model.editCell(0, 0, "0");
    model.editCell(0, 2, "n/a"); // hits not a number: 1
    model.commitTable();
    EXPECT_EQ(model.averagedLines(), (std::vector<std::string>{"0,1500.00,1", "1,1512.35,2"}));
    EXPECT_TRUE(model.dataChanged());

    model.addRow();
    EXPECT_EQ(model.table().back(), (SvpGraphModel::TableRow{"2", "1512.35", "0"}));
    model.deleteRow(0);
    EXPECT_EQ(model.averagedLines(), (std::vector<std::string>{"1,1512.35,2", "2,1512.35,0"}));

    SvpGraphModel empty = modelOf({});
    empty.addRow();
    EXPECT_EQ(empty.averagedLines(), std::vector<std::string>{"0,1500.00,0"});
}

// The table takes what a drag takes: a typed velocity outside 1300 ... 1700 m/s is refused and the cell
// keeps its value. One of 1e17 would stretch the plot until its grid could not be drawn on zooming.
TEST(SvpGraphModel, TheTableTakesOnlyVelocitiesAGraphDragMayGive) {
    SvpGraphModel model = modelOf({"0,1500.00,2", "1,1501.00,2"});
    model.setSize(600, 400);
    const int revision = model.tableRevision();
    for (const char* typed : {"1e17", "1299.99", "1700.01", "-1500"}) {
        SCOPED_TRACE(typed);
        EXPECT_FALSE(model.editCell(1, 1, typed));
        EXPECT_EQ(model.table()[1][1], "1501.00");
        EXPECT_EQ(model.points()[1].velocity, 1501.00);
        EXPECT_NE(model.statusText().find("1300 ... 1700"), std::string::npos) << model.statusText();
    }
    EXPECT_GT(model.tableRevision(), revision) << "the grid shows the kept value again";
    EXPECT_TRUE(model.editCell(1, 1, "1700"));
    EXPECT_EQ(model.points()[1].velocity, 1700);

    // A profile loaded with such a value (typed into the averaged table) still draws a bounded grid.
    SvpGraphModel wild = modelOf({"0,1500.00,1", "1,1e17,1"});
    wild.setSize(600, 400);
    for (int i = 0; i < 400; ++i) {
        wild.wheel({300, 200}, true);
    }
    EXPECT_LE(wild.velocityGridLines().size(), 202u);
    EXPECT_LE(wild.depthGridLines().size(), 202u);
    for (const SvpPoint& point : wild.points()) {
        const GraphPixel at = wild.pixelOf(point);
        EXPECT_LE(std::abs(at.x), 1000000) << "drawn within a million pixels of the plot";
        EXPECT_LE(std::abs(at.y), 1000000);
    }
}

} // namespace
} // namespace selvir
