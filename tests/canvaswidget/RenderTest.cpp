// Rendering: pixels of the off-screen image after a rebuild.
#include "canvas/DrawSurface.h"
#include "canvaswidget/TSelvirCanvas.h"

#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace selvir {
namespace {

TColor pixel(const QImage& image, int x, int y) {
    const QRgb rgb = image.pixel(x, y);
    return makeColor(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

int countColor(const QImage& image, TColor color, QRect area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            n += pixel(image, x, y) == color ? 1 : 0;
        }
    }
    return n;
}

// Pixels darker than mid grey: the cores of anti-aliased letters.
int countDark(const QImage& image, QRect area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            n += qGray(image.pixel(x, y)) < 100 ? 1 : 0;
        }
    }
    return n;
}

int countNot(const QImage& image, TColor color, QRect area) {
    return area.width() * area.height() - countColor(image, color, area);
}

// A 200 x 100 canvas showing world 0..200 by 0..100: one world unit per pixel, y = 100 - Y.
class RenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        canvas.SetClientSize(200, 100);
        canvas.WorldSet(0, 100, 200, 0);
    }
    TSPoint& point(ShapeId id) { return *dynamic_cast<TSPoint*>(canvas.FindShape(id)); }
    // Points of a single pixel: size 0 plus pen width 1.
    ShapeId pixelPoint(double x, double y) {
        const ShapeId id = canvas.DrawPoint(x, y, 0);
        point(id).PointSize = 0;
        point(id).UpdateBounds();
        return id;
    }
    TSelvirCanvas canvas;
};

TEST_F(RenderTest, LineLandsOnItsPixelsInTheContrastColour) {
    canvas.SetBackColor(colorBlack);
    canvas.DrawLine(10.5, 50.5, 190.5, 50.5, 0); // black pen on a black background
    const QImage& image = canvas.OffscreenImage();
    ASSERT_EQ(image.size(), QSize(200, 100));
    ASSERT_EQ(image.depth(), 32);
    EXPECT_EQ(countColor(image, colorWhite, QRect(10, 49, 180, 1)), 180) << "row 100 - 50.5 truncates to 49";
    EXPECT_EQ(countColor(image, colorWhite, QRect(0, 0, 200, 100)), 180) << "nothing else is drawn";
    EXPECT_EQ(pixel(image, 9, 49), colorBlack);
    EXPECT_EQ(canvas.GetShapePenFg(1), colorBlack) << "the stored colour is unchanged";
}

TEST_F(RenderTest, VerticalAndDiagonalLinesFollowTheTransform) {
    canvas.DrawLine(20, 90, 20, 10, 0);
    canvas.DrawLine(100, 80, 140, 40, 0);
    const QImage& image = canvas.OffscreenImage();
    EXPECT_EQ(countColor(image, colorBlack, QRect(20, 10, 1, 80)), 80);
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(pixel(image, 100 + i, 20 + i), colorBlack) << i;
    }
}

TEST_F(RenderTest, PointsWithinThreePixelsOfTheLastDrawnPointAreMerged) {
    pixelPoint(10.5, 89.5);  // pixel (10, 10)
    pixelPoint(12.5, 87.5);  // 2 px away both ways: merged
    pixelPoint(40.5, 89.5);  // (40, 10)
    pixelPoint(43.5, 89.5);  // 3 px in x: drawn
    pixelPoint(70.5, 89.5);  // (70, 10)
    pixelPoint(70.5, 86.5);  // 3 px in y: drawn
    pixelPoint(100.5, 89.5); // (100, 10)
    pixelPoint(120.5, 89.5); // (120, 10)
    pixelPoint(101.5, 89.5); // 1 px from an earlier point, but compared with the last drawn one: drawn
    const QImage& image = canvas.OffscreenImage();
    EXPECT_EQ(pixel(image, 10, 10), colorBlack);
    EXPECT_EQ(pixel(image, 12, 12), colorWhite);
    EXPECT_EQ(pixel(image, 43, 10), colorBlack);
    EXPECT_EQ(pixel(image, 70, 13), colorBlack);
    EXPECT_EQ(pixel(image, 101, 10), colorBlack);
    EXPECT_EQ(countColor(image, colorBlack, QRect(0, 0, 200, 100)), 8);
}

TEST_F(RenderTest, PointSizesGiveAPixelASquareOrADisc) {
    const ShapeId square = canvas.DrawPoint(50.5, 50.5, 0); // size 3 + width 1 = 4: square 8 x 8
    const ShapeId disc = canvas.DrawPoint(150.5, 50.5, 0);
    canvas.SetShapePenWidth(disc, 3); // 6: a disc in a 12 x 12 box
    canvas.SetShapePenFg(disc, colorRed);
    canvas.ShapeSelect(square, true);
    const QImage& image = canvas.OffscreenImage();
    EXPECT_EQ(countColor(image, colorBlack, QRect(46, 45, 8, 8)), 64) << "a selected point looks the same";
    EXPECT_EQ(countColor(image, colorBlack, QRect(0, 0, 100, 100)), 64);
    const int discPixels = countColor(image, colorRed, QRect(140, 40, 20, 20));
    EXPECT_GT(discPixels, 90);
    EXPECT_LT(discPixels, 144) << "round, not the full box";
    EXPECT_EQ(pixel(image, 150, 49), colorRed);
    EXPECT_EQ(pixel(image, 144, 43), colorWhite) << "corner of the box stays empty";
}

TEST_F(RenderTest, ShapesOnMissingOrHiddenLayersAreNotDrawn) {
    const int a = canvas.LayerOpen("A");
    const ShapeId moved = canvas.DrawLine(10, 50, 60, 50, 0);
    canvas.ShapeToLayer(moved, 42);
    canvas.DrawLine(100, 50, 150, 50, a);
    canvas.FindLayer(a)->Visible = false;
    canvas.Refresh();
    const QImage& image = canvas.OffscreenImage();
    EXPECT_EQ(countNot(image, colorWhite, QRect(0, 0, 200, 100)), 0);
    EXPECT_NE(canvas.FindShape(moved), nullptr) << "kept in the list";
}

TEST_F(RenderTest, SubPixelShapesAreSkippedButRectanglesAreNot) {
    canvas.View().WorldSet(0, 1000, 2000, 0); // 10 units per pixel
    canvas.DrawLine(505, 505, 508, 508, 0);
    canvas.DrawRectangle(1505, 505, 1508, 508, 0);
    canvas.DrawLine(805, 505, 806, 515, 0); // long enough one way
    EXPECT_EQ(canvas.RebuildOffscreenImage(), 2) << "the rectangle and the tall line";
}

TEST_F(RenderTest, TextsAreDrawnOverLaterShapes) {
    const int labels = canvas.LayerOpen("labels");
    canvas.SetLayerPenFg(labels, colorRed);
    const ShapeId id = canvas.TextAdd(labels, "WWW", 20, 80, 0);
    dynamic_cast<TSText*>(canvas.FindShape(id))->TextHeight = 40; // 32 px
    const ShapeId cover = canvas.DrawRectangle(0, 0, 200, 100, 0);
    canvas.SetShapePenWidth(cover, 0);
    canvas.SetShapeBrushStyle(cover, brushstyle::Solid);
    canvas.SetShapeBrushFg(cover, 0xFF0000); // blue fill over everything
    const QImage& image = canvas.OffscreenImage();
    EXPECT_GT(countColor(image, colorRed, QRect(20, 20, 100, 50)), 50);
    EXPECT_EQ(pixel(image, 150, 90), 0xFF0000);
}

TEST_F(RenderTest, SmallTextsBecomeAPlaceholderBox) {
    const ShapeId id = canvas.TextAdd(0, "ABCDEFGHIJ", 20.5, 50.5, 0);
    auto& text = *dynamic_cast<TSText*>(canvas.FindShape(id));
    text.TextHeight = 4; // 100 / 100 * 4 * 0.8 = 3 px: too small
    const QImage& image = canvas.OffscreenImage();
    // Box from (20, 49 - 3) to (20 + 24, 49): a = 10 * 4 * 0.6 = 24, b = 4 * 0.8 = 3.
    EXPECT_EQ(countColor(image, colorBlack, QRect(20, 46, 24, 1)), 24);
    EXPECT_EQ(countColor(image, colorBlack, QRect(20, 47, 24, 1)), 2) << "hollow: only the two sides";
    EXPECT_EQ(countColor(image, colorBlack, QRect(0, 0, 200, 100)), 24 * 2 + 2);

    text.TextHeight = 20; // 16 px: real letters
    canvas.Refresh();
    const QImage& letters = canvas.OffscreenImage();
    EXPECT_GT(countNot(letters, colorWhite, QRect(20, 40, 150, 40)), 40);
    EXPECT_LT(countColor(letters, colorBlack, QRect(20, 46, 24, 1)), 24);
}

TEST_F(RenderTest, TextAnchoredFarOutsideIsSkippedAndPaleTextsTurnBlack) {
    const int pale = canvas.LayerOpen("pale");
    canvas.SetLayerPenFg(pale, colorWhite);
    // Its nominal box (10 units a letter) reaches into view, and so would its 80-pixel letters.
    const ShapeId far = canvas.TextAdd(pale, QString(70, u'W'), -600, 80, 0);
    dynamic_cast<TSText*>(canvas.FindShape(far))->TextHeight = 100;
    const QImage& skipped = canvas.OffscreenImage();
    EXPECT_EQ(countNot(skipped, colorWhite, QRect(0, 0, 200, 100)), 0);

    canvas.ShapeTranslate(far, 610, 0);
    const QImage& drawn = canvas.OffscreenImage();
    EXPECT_GT(countColor(drawn, colorBlack, QRect(0, 0, 200, 100)), 100) << "white on white is drawn black";
}

TEST_F(RenderTest, TextAlignmentAndRotationPlaceTheLetters) {
    const ShapeId id = canvas.TextAdd(0, "WWWW", 100.5, 50.5, 0); // anchor pixel (100, 49)
    auto& text = *dynamic_cast<TSText*>(canvas.FindShape(id));
    text.TextHeight = 20;
    const QImage& left = canvas.OffscreenImage();
    EXPECT_EQ(countDark(left, QRect(0, 0, 100, 100)), 0) << "left-aligned: all right of the anchor";
    EXPECT_EQ(countDark(left, QRect(0, 0, 200, 49)), 0) << "top-aligned: all below the anchor";

    text.HAlign = 1;
    text.VAlign = 2;
    canvas.Refresh();
    const QImage& centred = canvas.OffscreenImage();
    const int leftInk = countDark(centred, QRect(0, 0, 100, 100));
    const int rightInk = countDark(centred, QRect(100, 0, 100, 100));
    EXPECT_GT(leftInk, 20);
    EXPECT_NEAR(leftInk, rightInk, (leftInk + rightInk) / 5);
    EXPECT_EQ(countDark(centred, QRect(0, 50, 200, 50)), 0) << "bottom-aligned: all above the anchor";

    text.HAlign = 0;
    text.VAlign = 0;
    text.Rotation = 90; // counter-clockwise: the letters run upwards from the anchor
    canvas.Refresh();
    const QImage& turned = canvas.OffscreenImage();
    EXPECT_GT(countDark(turned, QRect(100, 0, 40, 49)), 20);
    EXPECT_EQ(countDark(turned, QRect(0, 52, 200, 48)), 0);
    EXPECT_EQ(countDark(turned, QRect(0, 0, 99, 100)), 0);
}

TEST_F(RenderTest, SelectedCircleIsRedAndTwoPixelsWider) {
    const ShapeId circle = canvas.DrawCircle(100, 50, 40, 0);
    const QImage& plain = canvas.OffscreenImage();
    EXPECT_EQ(countColor(plain, colorBlack, QRect(50, 50, 30, 1)), 1) << "left rim on the centre row";
    EXPECT_EQ(countColor(plain, colorRed, QRect(0, 0, 200, 100)), 0);

    canvas.ShapeSelect(circle, false);
    const QImage& selected = canvas.OffscreenImage();
    EXPECT_EQ(countColor(selected, colorRed, QRect(50, 50, 30, 1)), 3);
    EXPECT_EQ(countColor(selected, colorBlack, QRect(0, 0, 200, 100)), 0);
    EXPECT_EQ(canvas.GetShapePenWidth(circle), 1);
}

TEST_F(RenderTest, FilledRectangleWithoutPenCoversItsBox) {
    const ShapeId cell = canvas.DrawRectangle(10, 90, 30, 70, 0);
    canvas.SetShapePenWidth(cell, 0);
    canvas.SetShapeBrushStyle(cell, brushstyle::Solid);
    canvas.SetShapeBrushFg(cell, 0x00FF00);
    const QImage& image = canvas.OffscreenImage();
    EXPECT_EQ(countColor(image, 0x00FF00, QRect(0, 0, 200, 100)), 400)
        << "20 x 20, right and bottom edges excluded";
    EXPECT_EQ(countColor(image, 0x00FF00, QRect(10, 10, 20, 20)), 400);
}

TEST_F(RenderTest, PolygonFillsWithItsBrushAndPolylinesDoNot) {
    const int zone = canvas.LayerOpen("zone");
    canvas.SetLayerBrushStyle(zone, brushstyle::Solid);
    canvas.SetLayerBrushFg(zone, 0x00FF00);
    canvas.DrawPolyline({{10, 90}, {90, 90}, {90, 10}, {10, 10}}, zone, true);
    canvas.DrawPolyline({{110, 90}, {190, 90}, {190, 10}, {110, 10}}, zone, false);
    const QImage& image = canvas.OffscreenImage();
    EXPECT_EQ(pixel(image, 50, 50), 0x00FF00);
    EXPECT_EQ(pixel(image, 150, 50), colorWhite);
    EXPECT_EQ(pixel(image, 190, 50), colorBlack);
    EXPECT_EQ(pixel(image, 150, 90), colorBlack) << "the open polyline's last segment";
    EXPECT_EQ(pixel(image, 110, 50), colorWhite) << "and no closing edge";
}

TEST_F(RenderTest, CurvesPassThroughTheirEndPoints) {
    const ShapeId spline = canvas.DrawPolyline({{10, 10}, {50, 90}, {90, 10}}, 0, false);
    canvas.FindShape(spline)->ShapeType = ShapeKind::Spline;
    const QImage& image = canvas.OffscreenImage();
    EXPECT_EQ(pixel(image, 50, 10), colorBlack) << "the spline goes through its middle point";
    EXPECT_EQ(pixel(image, 30, 50), colorWhite) << "and is not the straight polyline";
    EXPECT_GT(countColor(image, colorBlack, QRect(28, 38, 5, 5)), 0) << "it bulges out to about (30, 40)";

    canvas.CadClearShapes(-1);
    const ShapeId curve = canvas.DrawPolyline({{10, 10}, {50, 90}, {90, 10}}, 0, false);
    canvas.FindShape(curve)->ShapeType = ShapeKind::Curve;
    const QImage& bezier = canvas.OffscreenImage();
    EXPECT_GT(countColor(bezier, colorBlack, QRect(48, 48, 4, 4)), 0)
        << "a quadratic curve peaks halfway to its control point";
    EXPECT_EQ(pixel(bezier, 50, 10), colorWhite);
}

TEST_F(RenderTest, DrawBudgetStopsInListOrder) {
    for (int i = 0; i < 5; ++i) {
        canvas.DrawLine(10 + 20 * i, 90, 10 + 20 * i, 10, 0);
    }
    QImage image(200, 100, QImage::Format_RGB32);
    EXPECT_EQ(RenderCanvasImage(image, canvas.Model(), canvas.View(), canvas.Grid(), colorWhite, 3), 3);
    EXPECT_EQ(pixel(image, 50, 50), colorBlack);
    EXPECT_EQ(pixel(image, 70, 50), colorWhite);
    EXPECT_EQ(RenderCanvasImage(image, canvas.Model(), canvas.View(), canvas.Grid(), colorWhite), 5);
}

TEST_F(RenderTest, OnlyTheFirstHalfMillionShapesAreDrawn) {
    const int total = 600000;
    canvas.Model().Shapes.reserve(total + 1);
    for (int i = 0; i < shapeDrawBudget; ++i) {
        canvas.DrawLine(10, 90, 190, 90, 0);
    }
    for (int i = shapeDrawBudget; i < total; ++i) {
        canvas.DrawLine(10, 50, 190, 50, 0);
    }
    canvas.TextAdd(0, "late", 100, 20, 0); // texts come second: past the budget as well
    QSignalSpy told(&canvas, &TSelvirCanvas::shapesNotDrawnChanged);
    EXPECT_EQ(canvas.RebuildOffscreenImage(), shapeDrawBudget);
    const QImage& image = canvas.OffscreenImage();
    EXPECT_EQ(pixel(image, 100, 10), colorBlack);
    EXPECT_EQ(pixel(image, 100, 50), colorWhite);
    EXPECT_EQ(countNot(image, colorWhite, QRect(0, 60, 200, 40)), 0);
    // The cut is said, not silent: how many shapes were left out.
    EXPECT_EQ(canvas.ShapesNotDrawn(), total - shapeDrawBudget + 1);
    ASSERT_EQ(told.size(), 1);
    EXPECT_EQ(told.at(0).at(0).toInt(), total - shapeDrawBudget + 1);
    // And a later shape is not drawn on top of a cut picture: the cut moves with it.
    canvas.DrawLine(10, 30, 190, 30, 0);
    EXPECT_EQ(pixel(canvas.OffscreenImage(), 100, 30), colorWhite);
    EXPECT_EQ(canvas.ShapesNotDrawn(), total - shapeDrawBudget + 2);
    canvas.CadClearShapes(-1);
    EXPECT_EQ(countNot(canvas.OffscreenImage(), colorWhite, QRect(0, 0, 200, 100)), 0);
    EXPECT_EQ(told.last().at(0).toInt(), 0) << "a whole picture again";
}

TEST_F(RenderTest, ShapesWithInvalidCoordinatesAreNotDrawn) {
    canvas.DrawLine(std::nan(""), 50, 150, 50, 0);
    canvas.DrawPolyline({{10, 10}, {std::numeric_limits<double>::infinity(), 90}}, 0, false);
    EXPECT_EQ(canvas.RebuildOffscreenImage(), 0);
    EXPECT_EQ(countNot(canvas.OffscreenImage(), colorWhite, QRect(0, 0, 200, 100)), 0);
}

TEST_F(RenderTest, GridLinesLabelsAndAxes) {
    canvas.WorldSet(-100, 50, 100, -50); // origin at pixel (100, 50)
    canvas.Grid().GridVisible = true;
    canvas.Grid().GridAuto = false;
    canvas.Grid().GridSpacingX = 50;
    canvas.Grid().GridSpacingY = 50;
    const QImage& image = canvas.OffscreenImage();
    EXPECT_EQ(countColor(image, colorRed, QRect(0, 50, 200, 1)), 200) << "x axis";
    EXPECT_EQ(countColor(image, colorRed, QRect(100, 0, 1, 100)), 100) << "y axis";
    EXPECT_GT(countColor(image, colorSilver, QRect(150, 0, 1, 60)), 10) << "dotted line at X = 50";
    EXPECT_LT(countColor(image, colorSilver, QRect(150, 0, 1, 60)), 60);
    EXPECT_GT(countDark(image, QRect(40, 80, 20, 20)), 5) << "label of X = -50 at the bottom";
    EXPECT_EQ(countDark(image, QRect(0, 80, 35, 20)), 0) << "no label left of px 5";

    canvas.WorldSet(10, 50, 210, -50);
    const QImage& moved = canvas.OffscreenImage();
    EXPECT_EQ(countColor(moved, colorRed, QRect(0, 0, 200, 100)), 0) << "no axes without the origin in view";

    canvas.Grid().GridOrder = 2;
    const QImage& none = canvas.OffscreenImage();
    EXPECT_EQ(countColor(none, colorSilver, QRect(0, 0, 200, 100)), 0);
}

TEST_F(RenderTest, GridUnderOrOverTheShapes) {
    canvas.Grid().GridVisible = true;
    canvas.Grid().GridAuto = false;
    canvas.Grid().GridSpacingX = 50;
    canvas.Grid().GridSpacingY = 1000;
    const ShapeId cover = canvas.DrawRectangle(0, 100, 200, 0, 0);
    canvas.SetShapePenWidth(cover, 0);
    canvas.SetShapeBrushStyle(cover, brushstyle::Solid);
    canvas.SetShapeBrushFg(cover, 0xFF0000);
    EXPECT_EQ(countColor(canvas.OffscreenImage(), colorSilver, QRect(100, 0, 1, 70)), 0);
    canvas.Grid().GridOrder = 1;
    EXPECT_GT(countColor(canvas.OffscreenImage(), colorSilver, QRect(100, 0, 1, 70)), 10);
}

TEST_F(RenderTest, ImageIsRebuiltOnlyWhenSomethingChanged) {
    canvas.OffscreenImage();
    EXPECT_FALSE(canvas.Model().Dirty);
    const uchar* before = canvas.OffscreenImage().constBits();
    canvas.DrawLine(0, 50, 200, 50, 0);
    EXPECT_TRUE(canvas.Model().Dirty);
    EXPECT_EQ(pixel(canvas.OffscreenImage(), 100, 50), colorBlack);
    EXPECT_EQ(canvas.OffscreenImage().constBits(), before) << "same size: the image is reused";

    canvas.View().WorldLeft = -200; // a direct write, no dirty flag
    EXPECT_EQ(pixel(canvas.OffscreenImage(), 150, 50), colorBlack);
    EXPECT_EQ(pixel(canvas.OffscreenImage(), 50, 50), colorWhite);

    canvas.SetClientSize(100, 50);
    EXPECT_EQ(canvas.OffscreenImage().size(), QSize(100, 50));
}

} // namespace
} // namespace selvir

namespace selvir {
namespace {

// Wide lines are filled by the surface itself; they must look like the painter's own round-capped
// stroke. Pixels may differ only along the edges of the strokes.
TEST(DrawSurfaceTest, WideLinesMatchThePaintersStroke) {
    std::vector<QLine> lines{{20, 20, 20, 20}, {30, 280, 200, 280}, {250, 30, 250, 200}, {10, 10, 290, 290}};
    unsigned seed = 12345;
    auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>(10 + (seed >> 8) % 281);
    };
    for (int i = 0; i < 40; ++i) {
        lines.emplace_back(next(), next(), next(), next());
    }
    for (int widthPx : {2, 3, 4, 7}) {
        SCOPED_TRACE(widthPx);
        QImage painted(300, 300, QImage::Format_RGB32), filled(300, 300, QImage::Format_RGB32);
        painted.fill(Qt::white);
        filled.fill(Qt::white);
        {
            QPainter painter(&painted);
            painter.setPen(QPen(Qt::black, widthPx, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.drawLines(lines.data(), static_cast<int>(lines.size()));
        }
        {
            QPainter painter(&filled);
            DrawSurface surface(painter, &filled);
            surface.setPen(colorBlack, widthPx);
            for (const QLine& l : lines) {
                surface.drawLine(l.x1(), l.y1(), l.x2(), l.y2());
            }
        }
        int ink = 0, differing = 0;
        for (int y = 0; y < 300; ++y) {
            for (int x = 0; x < 300; ++x) {
                const bool a = painted.pixel(x, y) != QColor(Qt::white).rgb();
                const bool b = filled.pixel(x, y) != QColor(Qt::white).rgb();
                ink += a ? 1 : 0;
                differing += a != b ? 1 : 0;
            }
        }
        EXPECT_GT(ink, 5000);
        EXPECT_LT(differing, ink / 100) << differing << " of " << ink;
    }
}

TEST(DrawSurfaceTest, WideLinesAreClippedToTheImage) {
    QImage image(50, 50, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        DrawSurface surface(painter, &image);
        surface.setPen(colorRed, 3);
        surface.drawLine(-1000000000, 25, 1000000000, 25); // far beyond the image both ways
        surface.drawLine(-5, -5, -20, -40);                // wholly outside
    }
    EXPECT_EQ(image.pixel(0, 25), QColor(Qt::red).rgb());
    EXPECT_EQ(image.pixel(49, 24), QColor(Qt::red).rgb());
    EXPECT_EQ(image.pixel(25, 20), QColor(Qt::white).rgb());
}

} // namespace
} // namespace selvir
