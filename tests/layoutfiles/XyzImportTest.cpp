// XYZ import: line rules, the colour ramp, the grid test, cells or points.
#include "LayoutTestSupport.h"
#include "layoutfiles/LayoutFiles.h"

#include <gtest/gtest.h>

namespace selvir {
namespace {

using test::Drawing;
using test::shapeAt;

bool load(Drawing& d, const std::string& bytes, int layer = 0, double low = 0, double high = 0) {
    MemoryByteSource source(bytes);
    return importXyz(d.model, d.view, headlessClientSize, source, layer, low, high).ok;
}

// Points on a regular grid of 2 m by 2 m, row by row.
std::string gridPoints(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += std::to_string(450000 + 2 * (i % 4)) + "," + std::to_string(4500000 + 2 * (i / 4)) + "," +
                std::to_string(10 + i) + "\n";
    }
    return text;
}

TEST(XyzImport, TwoPointsFromRedToBlue) {
    Drawing d;
    ASSERT_TRUE(load(d, "100,200,5\n101,200,6\n", 7));
    ASSERT_EQ(d.model.Shapes.size(), 2u);
    const auto* low = shapeAt<TSPoint>(d.model, 0);
    const auto* high = shapeAt<TSPoint>(d.model, 1);
    ASSERT_TRUE(low && high);
    EXPECT_EQ(low->PenFg, 0x0000FF) << "the minimum is red";
    EXPECT_EQ(high->PenFg, 0xFF0000) << "the maximum is blue";
    EXPECT_EQ(low->X, 100);
    EXPECT_EQ(low->Y, 200);
    EXPECT_EQ(low->Value, 5);
    EXPECT_EQ(low->PointSize, 1);
    EXPECT_EQ(low->PenWidth, 0);
    EXPECT_EQ(low->Layer, 7) << "the layer is taken as given, not created";
    EXPECT_EQ(d.model.Layers.size(), 1u);
    EXPECT_LE(d.view.WorldLeft, 100.0) << "zoomed to the drawing";
    EXPECT_GE(d.view.WorldRight, 101.0);
}

TEST(XyzImport, RampPassesYellowGreenAndCyan) {
    EXPECT_EQ(xyzRampColor(0, 0, 4), makeColor(255, 0, 0));
    EXPECT_EQ(xyzRampColor(0.5, 0, 4), makeColor(255, 127, 0));
    EXPECT_EQ(xyzRampColor(1, 0, 4), makeColor(255, 255, 0));
    EXPECT_EQ(xyzRampColor(1.5, 0, 4), makeColor(127, 255, 0));
    EXPECT_EQ(xyzRampColor(2, 0, 4), makeColor(0, 255, 0));
    EXPECT_EQ(xyzRampColor(3, 0, 4), makeColor(0, 255, 255));
    EXPECT_EQ(xyzRampColor(3.5, 0, 4), makeColor(0, 127, 255));
    EXPECT_EQ(xyzRampColor(4, 0, 4), makeColor(0, 0, 255));
    EXPECT_EQ(xyzRampColor(-100, 0, 4), makeColor(255, 0, 0)) << "clamped";
    EXPECT_EQ(xyzRampColor(100, 0, 4), makeColor(0, 0, 255));
}

TEST(XyzImport, EmptyOrNegativeRangeCountsAsOne) {
    Drawing same;
    ASSERT_TRUE(load(same, "1 1 7\n2 5 7\n3 9 7\n"));
    for (const auto& shape : same.model.Shapes) {
        EXPECT_EQ(shape->PenFg, 0x0000FF) << "all equal: every point red";
    }
    Drawing given;
    ASSERT_TRUE(load(given, "1 1 9.5\n2 2 10\n3 3 10.5\n4 4 11\n5 5 12\n", 0, 10, 0));
    const auto pen = [&](std::size_t i) { return given.model.Shapes[i]->PenFg; };
    EXPECT_EQ(pen(0), 0x0000FF);
    EXPECT_EQ(pen(1), 0x0000FF);
    EXPECT_EQ(pen(2), 0x00FF00);
    EXPECT_EQ(pen(3), 0xFF0000);
    EXPECT_EQ(pen(4), 0xFF0000);
}

TEST(XyzImport, ElevenPointsOnAGridBecomeCells) {
    Drawing d;
    ASSERT_TRUE(load(d, gridPoints(11)));
    ASSERT_EQ(d.model.Shapes.size(), 11u);
    const auto* cell = shapeAt<TSRectangle>(d.model, 5); // 450002, 4500002
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->X1, 450001);
    EXPECT_EQ(cell->X2, 450003);
    EXPECT_EQ(cell->Y1, 4500001);
    EXPECT_EQ(cell->Y2, 4500003);
    EXPECT_EQ(cell->BrushStyle, brushstyle::Solid);
    EXPECT_EQ(cell->BrushFg, cell->PenFg);
    EXPECT_EQ(cell->PenWidth, 0);
    EXPECT_EQ(cell->Value, 15);
    EXPECT_FALSE(cell->Rounded);
    EXPECT_EQ(cell->CornerRadius, 10.0);

    Drawing ten;
    ASSERT_TRUE(load(ten, gridPoints(10)));
    EXPECT_NE(shapeAt<TSPoint>(ten.model, 0), nullptr) << "ten points are too few for the grid test";
}

TEST(XyzImport, IrregularPointsStayPoints) {
    std::string text;
    for (int i = 0; i < 40; ++i) {
        text += std::to_string(i * i * 0.37 + (i % 3) * 0.61) + " " +
                std::to_string(i * 1.73 + (i % 5) * 0.29) + " 3\n";
    }
    Drawing d;
    ASSERT_TRUE(load(d, text));
    EXPECT_FALSE(
        detectXyzGrid({0, 1, 2.5, 3.7, 4.1, 5.9, 6.3, 7.7, 8.2, 9.6, 10.05}, std::vector<double>(11, 0.0))
            .regular);
    EXPECT_NE(shapeAt<TSPoint>(d.model, 0), nullptr);
}

TEST(XyzImport, GridTestLooksOnlyAtTheFirstThousandPoints) {
    std::string text = gridPoints(1000);
    for (int i = 0; i < 5000; ++i) {
        text += std::to_string(i * 0.731) + " " + std::to_string(i * 0.377) + " 1\n";
    }
    Drawing d;
    ASSERT_TRUE(load(d, text));
    ASSERT_EQ(d.model.Shapes.size(), 6000u);
    EXPECT_NE(shapeAt<TSRectangle>(d.model, 5999), nullptr) << "the grid found at the start holds for all";
}

TEST(XyzImport, LineRules) {
    Drawing d;
    ASSERT_TRUE(load(d, "# comment\n"
                        "; comment\n"
                        "\n"
                        "1 2\n"
                        "1,2,3,extra words\n"
                        "4\t5\t6\r\n"
                        "7 8 9x\r"
                        "  10 11 12\n"
                        "1 2x 3\n"
                        "nan 1 2\n"
                        "1 2 inf\n"
                        "+1.5e1 -2 .5"));
    ASSERT_EQ(d.model.Shapes.size(), 5u);
    const auto xyz = [&](std::size_t i) {
        const auto* p = shapeAt<TSPoint>(d.model, i);
        return std::vector<double>{p->X, p->Y, p->Value};
    };
    EXPECT_EQ(xyz(0), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(xyz(1), (std::vector<double>{4, 5, 6}));
    EXPECT_EQ(xyz(2), (std::vector<double>{7, 8, 9})) << "a lone CR ends a line too";
    EXPECT_EQ(xyz(3), (std::vector<double>{10, 11, 12}));
    EXPECT_EQ(xyz(4), (std::vector<double>{15, -2, 0.5}));
}

TEST(XyzImport, NoUsablePointChangesNothing) {
    Drawing d;
    d.view.WorldSet(1, 2, 3, 0);
    const ViewWindow view = d.view;
    MemoryByteSource noPoint("# only\n; comments\n1 2\n");
    EXPECT_EQ(importXyz(d.model, d.view, headlessClientSize, noPoint, 0, 0, 0).error,
              "none of its 3 lines holds a point");
    EXPECT_FALSE(load(d, ""));
    EXPECT_EQ(XYZLoad(d.model, d.view, headlessClientSize, "/nonexistent/points.xyz", 0, 0, 0).error,
              "/nonexistent/points.xyz: No such file or directory");
    EXPECT_TRUE(d.model.Shapes.empty());
    EXPECT_EQ(d.view, view);
}

TEST(XyzImport, SharedSoundingFilesWithCarriageReturnLines) {
    const std::filesystem::path file = SELVIR_TEST_DATA_DIR "/xyz/usgs_Garmin_2010_1_13.txt";
    ASSERT_TRUE(std::filesystem::exists(file)) << "test data missing: " << file;
    const std::string bytes = test::readBytes(file);
    // Data lines hold digits; the file ends with lines of tabs only, which hold no point.
    long lines = 0;
    for (const std::string& line : test::splitLines(bytes, '\r')) {
        lines += line.find_first_of("0123456789") != std::string::npos ? 1 : 0;
    }
    Drawing d;
    ASSERT_TRUE(XYZLoad(d.model, d.view, headlessClientSize, file, 0, 0, 0));
    EXPECT_EQ(static_cast<long>(d.model.Shapes.size()), lines) << "one point per CR-ended data line";
    const auto* first = shapeAt<TSPoint>(d.model, 0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->X, 2010) << "the first three columns: year, month, day";
    EXPECT_EQ(first->Value, 13);
}

} // namespace
} // namespace selvir
