// The widget: construction, headless sizing, hit tolerance, repaint requests, coalescing and the
// rubber band.
#include "canvaswidget/TSelvirCanvas.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

namespace selvir {
namespace {

TColor pixel(const QImage& image, int x, int y) {
    const QRgb rgb = image.pixel(x, y);
    return makeColor(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

TEST(TSelvirCanvas, ConstructionDefaults) {
    TSelvirCanvas canvas;
    EXPECT_EQ(canvas.width(), 400);
    EXPECT_EQ(canvas.height(), 300);
    EXPECT_EQ(canvas.View(), ViewWindow{});
    EXPECT_EQ(canvas.BackColor(), colorWhite);
    EXPECT_TRUE(canvas.Model().Dirty);
    EXPECT_EQ(canvas.LayerFindByName("Default"), 0);
    EXPECT_EQ(canvas.CurrentLayer(), 0);
    EXPECT_FALSE(canvas.Grid().GridVisible);
    EXPECT_TRUE(canvas.Grid().GridAuto);
    EXPECT_EQ(canvas.Grid().GridColor, colorSilver);
    EXPECT_EQ(canvas.focusPolicy(), Qt::StrongFocus);
    EXPECT_TRUE(canvas.AboutText().startsWith("Selvir Canvas - Native VCL CAD Component\n"));
    EXPECT_EQ(canvas.MetafileSave("x.wmf"), 0);
    EXPECT_EQ(canvas.ViewDialogShow(1, 2), 0);
}

TEST(TSelvirCanvas, HeadlessClientSizeAppliesTheResizeRule) {
    TSelvirCanvas canvas;
    canvas.SetClientSize(400, 300);
    EXPECT_NEAR(canvas.View().WorldLeft, -166.667, 1e-3);
    EXPECT_NEAR(canvas.View().WorldRight, 1166.667, 1e-3);
    canvas.SetClientSize(400, 300);
    EXPECT_NEAR(canvas.GetWorldWidth(), 1333.333, 1e-3) << "the same size again changes nothing";

    int px = 0, py = 0;
    canvas.WorldToScreen(500, 500, px, py);
    EXPECT_EQ(px, 200);
    EXPECT_EQ(py, 150);
    double x = 0, y = 0;
    canvas.ScreenToWorld(0, 300, x, y);
    EXPECT_NEAR(x, -166.667, 1e-3);
    EXPECT_NEAR(y, 0, 1e-9);
}

TEST(TSelvirCanvas, ShownCanvasKeepsTheWorldUnitsSquareOnResize) {
    TSelvirCanvas canvas;
    canvas.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&canvas));
    canvas.resize(300, 600);
    QApplication::processEvents();
    EXPECT_DOUBLE_EQ(canvas.GetWorldHeight() / canvas.GetWorldWidth(), 2.0);
}

TEST(TSelvirCanvas, HitToleranceIsFivePixels) {
    TSelvirCanvas canvas; // 1000 world units on 400 pixels: 12.5 units
    const ShapeId line = canvas.DrawLine(0, 500, 1000, 500, 0);
    EXPECT_EQ(canvas.GetShapeAt(300, 512), line);
    EXPECT_EQ(canvas.ShapeHitTest(300, 487.5), line);
    EXPECT_EQ(canvas.GetShapeAt(300, 513), noShape);
    canvas.WorldZoom(0, 0.5, 500, 500); // half as wide: 6.25 units
    EXPECT_EQ(canvas.GetShapeAt(300, 507), noShape);
    EXPECT_EQ(canvas.GetShapeAt(300, 506), line);
}

TEST(TSelvirCanvas, ViewOperationsMarkTheDrawingDirty) {
    TSelvirCanvas canvas;
    canvas.SetClientSize(200, 200);
    canvas.OffscreenImage();
    ASSERT_FALSE(canvas.Model().Dirty);
    canvas.WorldPan(10, 0);
    EXPECT_TRUE(canvas.Model().Dirty);
    canvas.OffscreenImage();
    canvas.WorldExtents(); // empty drawing: 0..1000
    EXPECT_TRUE(canvas.Model().Dirty);
    EXPECT_EQ(canvas.View(), ViewWindow{});
    canvas.OffscreenImage();
    canvas.SetBackColor(colorWhite);
    EXPECT_FALSE(canvas.Model().Dirty) << "the same colour changes nothing";
    canvas.SetBackColor(colorBlack);
    EXPECT_TRUE(canvas.Model().Dirty);
    EXPECT_EQ(pixel(canvas.OffscreenImage(), 5, 5), colorBlack);
    EXPECT_EQ(canvas.GetContrastColor(colorBlack), colorWhite);
}

TEST(TSelvirCanvas, SelectionsByPolygonWaitForTheNextRebuild) {
    TSelvirCanvas canvas;
    canvas.SetClientSize(100, 100);
    canvas.WorldSet(0, 100, 100, 0);
    canvas.DrawLine(10, 50, 90, 50, 0);
    canvas.OffscreenImage();
    canvas.SelectAllShapesInPolygon({{0, 0}, {100, 0}, {100, 100}, {0, 100}});
    EXPECT_EQ(canvas.SelectedShapeCount(), 1);
    EXPECT_FALSE(canvas.Model().Dirty);
    EXPECT_EQ(pixel(canvas.OffscreenImage(), 50, 50), colorBlack) << "highlight not yet drawn";
    canvas.Refresh();
    EXPECT_EQ(pixel(canvas.OffscreenImage(), 50, 50), colorRed);
    canvas.CadClearSelectedShapes();
    EXPECT_EQ(canvas.Model().ShapeCount(), 0);
    EXPECT_EQ(pixel(canvas.OffscreenImage(), 50, 50), colorWhite);
}

// Counts the paints of a shown canvas.
class CountingCanvas : public TSelvirCanvas {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent* event) override {
        ++paints;
        TSelvirCanvas::paintEvent(event);
    }
};

TEST(TSelvirCanvas, ManyRepaintRequestsGiveOnePaint) {
    CountingCanvas canvas;
    canvas.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&canvas));
    QApplication::processEvents();
    canvas.paints = 0;
    for (int i = 0; i < 50; ++i) {
        canvas.DrawLine(i, 0, i, 100, 0);
        canvas.Refresh();
        canvas.Invalidate();
    }
    EXPECT_EQ(canvas.paints, 0) << "nothing paints synchronously";
    QApplication::processEvents();
    EXPECT_EQ(canvas.paints, 1);
    EXPECT_FALSE(canvas.Model().Dirty);
}

class RubberBandTest : public ::testing::Test {
protected:
    void SetUp() override {
        canvas.SetClientSize(100, 100);
        canvas.WorldSet(0, 100, 100, 0);
    }
    QImage banded() {
        QImage image = canvas.OffscreenImage().copy();
        QPainter painter(&image);
        canvas.DrawRubberBand(&painter);
        return image;
    }
    TSelvirCanvas canvas;
};

TEST_F(RubberBandTest, NothingUntilADrawingHasItsFirstPoint) {
    canvas.DrawTool = toolCode(CanvasTool::Line);
    canvas.CursorX = 90;
    canvas.CursorY = 10;
    EXPECT_EQ(banded(), canvas.OffscreenImage());
    canvas.DrawActive = true;
    EXPECT_EQ(banded(), canvas.OffscreenImage()) << "the sequence is open but no shape is started";
}

TEST_F(RubberBandTest, LineInvertsThePixelsBelow) {
    canvas.SetBackColor(0x404040);
    canvas.DrawTool = toolCode(CanvasTool::Line);
    canvas.DrawActive = canvas.ShapeInProgress = true;
    canvas.AnchorX = 10.5, canvas.AnchorY = 50.5;
    canvas.CursorX = 90.5, canvas.CursorY = 50.5;
    const QImage image = banded();
    EXPECT_EQ(pixel(image, 50, 49), 0xBFBFBF);
    EXPECT_EQ(pixel(image, 50, 60), 0x404040);
}

TEST_F(RubberBandTest, RectangleCircleAndPolygonShapes) {
    canvas.DrawActive = canvas.ShapeInProgress = true;
    canvas.AnchorX = 20, canvas.AnchorY = 80; // pixel (20, 20)
    canvas.CursorX = 60, canvas.CursorY = 40; // pixel (60, 60)

    canvas.DrawTool = -3; // zoom window
    QImage image = banded();
    EXPECT_EQ(pixel(image, 40, 20), colorBlack);
    EXPECT_EQ(pixel(image, 60, 40), colorBlack);
    EXPECT_EQ(pixel(image, 40, 40), colorWhite);

    canvas.DrawTool = toolCode(CanvasTool::Circle); // radius hypot(40, 40) = 56 px
    image = banded();
    EXPECT_EQ(pixel(image, 20, 76), colorBlack);
    EXPECT_EQ(pixel(image, 20, 20), colorWhite);

    canvas.DrawTool = toolCode(CanvasTool::Polygon);
    canvas.PolylineInProgress = std::make_unique<TSPolyline>();
    canvas.PolylineInProgress->AddPoint(20, 80);
    canvas.PolylineInProgress->AddPoint(60, 80); // pixel (60, 20)
    image = banded();
    EXPECT_EQ(pixel(image, 40, 20), colorBlack) << "placed segment";
    EXPECT_EQ(pixel(image, 60, 40), colorBlack) << "segment to the cursor";
    EXPECT_EQ(pixel(image, 40, 40), colorBlack) << "closing segment back to the first vertex";
    canvas.DrawTool = toolCode(CanvasTool::Polyline);
    EXPECT_EQ(pixel(banded(), 40, 40), colorWhite) << "an open polyline has no closing segment";
}

TEST(TSelvirCanvas, PaintCopiesTheImageAndDrawsTheRubberBandOnTheWidgetOnly) {
    TSelvirCanvas canvas;
    canvas.SetClientSize(100, 100);
    canvas.WorldSet(0, 100, 100, 0);
    canvas.DrawLine(10.5, 80.5, 90.5, 80.5, 0);
    canvas.DrawTool = toolCode(CanvasTool::Line);
    canvas.DrawActive = canvas.ShapeInProgress = true;
    canvas.AnchorX = 10.5, canvas.AnchorY = 50.5;
    canvas.CursorX = 90.5, canvas.CursorY = 50.5;

    const QImage shown = canvas.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), QSize(100, 100));
    EXPECT_EQ(pixel(shown, 50, 19), colorBlack) << "the shapes, from the image";
    EXPECT_EQ(pixel(shown, 50, 49), colorBlack) << "the rubber band, inverted white";
    EXPECT_FALSE(canvas.Model().Dirty);
    EXPECT_EQ(pixel(canvas.OffscreenImage(), 50, 49), colorWhite) << "the image holds no rubber band";

    const qint64 imageKey = canvas.OffscreenImage().cacheKey();
    canvas.MouseMove(0, 90, 29); // moving the band needs no rebuild
    const QImage moved = canvas.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_FALSE(canvas.Model().Dirty);
    EXPECT_EQ(canvas.OffscreenImage().cacheKey(), imageKey) << "the image was not rebuilt";
    EXPECT_EQ(pixel(moved, 50, 49), colorWhite);
    EXPECT_EQ(pixel(moved, 50, 39), colorBlack) << "the band follows the pointer to pixel (90, 29)";
    canvas.Refresh();
    canvas.grab();
    EXPECT_NE(canvas.OffscreenImage().cacheKey(), imageKey) << "a rebuild does show in the key";
}

} // namespace
} // namespace selvir
