// The survey overlays on the widget: the texts the painter is given (through a recording paint
// engine), their order, fonts and colours, the pixels of the boxes, the corners and the status-box hit
// test, and that an overlay change never rebuilds the shape image.
#include "canvas/DrawSurface.h"
#include "canvas/LabelTextCache.h"
#include "canvaswidget/TSelvirCanvas.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <gtest/gtest.h>
#include <vector>

namespace selvir {
namespace {

struct DrawnText {
    QString text;
    QPointF baseline; // pixels
    QColor color;
    QFont font;
};

// Records every text item a painter hands to its engine; draws nothing.
class RecordingEngine : public QPaintEngine {
public:
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState& state) override {
        if (state.state() & DirtyPen) {
            pen_ = state.pen();
        }
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPath(const QPainterPath&) override {}
    void drawTextItem(const QPointF& p, const QTextItem& item) override {
        texts.push_back({item.text(), p, pen_.color(), item.font()});
    }
    Type type() const override { return QPaintEngine::User; }

    std::vector<DrawnText> texts;

private:
    QPen pen_;
};

class RecordingDevice : public QPaintDevice {
public:
    RecordingDevice(int w, int h) : width_(w), height_(h) {}
    QPaintEngine* paintEngine() const override { return &engine; }
    mutable RecordingEngine engine;

protected:
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
        case PdmWidth:
            return width_;
        case PdmHeight:
            return height_;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
        default:
            return 0;
        }
    }

private:
    int width_, height_;
};

TColor colorOf(const QColor& c) {
    return makeColor(c.red(), c.green(), c.blue());
}

TColor pixel(const QImage& image, int x, int y) {
    const QRgb rgb = image.pixel(x, y);
    return makeColor(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

// 400 x 300 client showing world 0..400 by 0..300: pixel (px, py) is world (px, 300 - py).
class OverlayPaintTest : public ::testing::Test {
protected:
    void SetUp() override {
        canvas.SetClientSize(400, 300);
        canvas.WorldSet(0, 300, 400, 0);
    }
    std::vector<DrawnText> paintedTexts() {
        RecordingDevice device(canvas.width(), canvas.height());
        {
            QPainter painter(&device);
            canvas.PaintOverlays(painter);
        }
        return device.engine.texts;
    }
    std::vector<QString> paintedStrings() {
        std::vector<QString> strings;
        for (const DrawnText& t : paintedTexts()) {
            strings.push_back(t.text);
        }
        return strings;
    }
    QImage shown() { return canvas.grab().toImage().convertToFormat(QImage::Format_RGB32); }
    void setStatus(const QString& text, int quality) {
        OverlayOwnerState state = canvas.GetOverlayOwnerState();
        state.statusText = text;
        state.fixQuality = quality;
        canvas.SetOverlayOwnerState(state);
    }

    TSelvirCanvas canvas;
};

using Strings = std::vector<QString>;

TEST_F(OverlayPaintTest, NothingIsPaintedOnANewCanvas) {
    EXPECT_TRUE(paintedTexts().empty());
    EXPECT_TRUE(canvas.Overlays().ShowDepthLabels);
    EXPECT_EQ(canvas.Overlays().LabelSpacing, 10.0);
    EXPECT_EQ(canvas.Overlays().LabelFontName, "Arial");
    EXPECT_EQ(canvas.Overlays().LabelFontSize, 12);
    EXPECT_EQ(canvas.GetOverlayOwnerState().eventLabelFontSize, 24);
    EXPECT_EQ(canvas.GetOverlayOwnerState().eventLabelColor, colorRed);
}

TEST_F(OverlayPaintTest, DepthAndSpeedBoxTextsOfTheWorkedExamples) {
    canvas.SetCurrentDepth(12.3, 12.5, true);
    canvas.SetCurrentSpeed(4.26, true);
    EXPECT_EQ(paintedStrings(), Strings{"HF: 12.30 m  LF: 12.50 m  4.3 kn"});
    canvas.SetCurrentDepth(0, 12.5, true);
    EXPECT_EQ(paintedStrings(), Strings{"4.3 kn"});
    canvas.SetCurrentSpeed(4.26, false);
    canvas.SetCurrentDepth(0, 5, true);
    EXPECT_TRUE(paintedTexts().empty()) << "HF not positive and no speed: no box";
    canvas.SetCurrentDepth(8, 0, true);
    EXPECT_EQ(paintedStrings(), Strings{"HF: 8.00 m"});
}

TEST_F(OverlayPaintTest, DepthBoxIsWhiteWithALabelColourOutlineInItsCorner) {
    canvas.SetBackColor(colorBlack);
    canvas.SetDepthLabelSettings(true, 10, "Arial", 12, 0x00FF00);
    canvas.SetCurrentSpeed(4.26, true);
    const auto texts = paintedTexts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(colorOf(texts[0].color), 0x00FF00);
    EXPECT_TRUE(texts[0].font.bold());
    EXPECT_EQ(texts[0].font.pixelSize(), 21) << "label size + 4: 16 pt at 96 dpi";

    // Bottom-left: the text's top is 10 above the bottom less its height; the box reaches 6 beyond.
    QImage image = shown();
    const int boxBottom = canvas.height() - 10 + 6 - 1;
    EXPECT_EQ(pixel(image, 4, boxBottom - 8), 0x00FF00) << "outline at x = 4";
    EXPECT_EQ(pixel(image, 7, boxBottom - 8), colorWhite) << "white inside";
    EXPECT_EQ(pixel(image, 2, boxBottom - 8), colorBlack) << "background outside";
    EXPECT_EQ(pixel(image, 7, 12), colorBlack) << "nothing in the top-left corner";

    canvas.ToggleDepthSpeedDisplayMode();
    canvas.ToggleDepthSpeedDisplayMode();
    canvas.ToggleDepthSpeedDisplayMode(); // 3: top-left
    image = shown();
    EXPECT_EQ(pixel(image, 7, 12), colorWhite);
    EXPECT_EQ(pixel(image, 7, boxBottom - 8), colorBlack);
    canvas.ToggleDepthSpeedDisplayMode();
    EXPECT_EQ(canvas.DepthSpeedDisplayMode(), 0) << "four toggles come back";
}

TEST_F(OverlayPaintTest, StatusBoxColourByFixQualityAndItsText) {
    struct Row {
        int quality;
        TColor box;
        TColor text;
    };
    for (const Row& row :
         {Row{1, colorRed, colorWhite}, Row{2, 0xFFFF00, colorBlack}, Row{4, 0x00FF00, colorBlack},
          Row{7, 0x00FF00, colorBlack}, Row{5, 0x00FFFF, colorBlack}, Row{0, 0x00FFFF, colorBlack}}) {
        setStatus("RTK FIX  Sats 12  HDOP 0.8", row.quality);
        const auto texts = paintedTexts();
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].text, "RTK FIX  Sats 12  HDOP 0.8");
        EXPECT_EQ(colorOf(texts[0].color), row.text) << row.quality;
        EXPECT_TRUE(texts[0].font.bold());
        EXPECT_EQ(texts[0].font.pixelSize(), 16);
        const PixelBox box = canvas.GGAOverlayBox();
        EXPECT_EQ(box.Left, 2);
        EXPECT_EQ(box.Top, 2);
        EXPECT_EQ(pixel(shown(), box.Left + 3, (box.Top + box.Bottom) / 2), row.box) << row.quality;
    }
    setStatus("", 4);
    EXPECT_TRUE(paintedTexts().empty());
}

TEST_F(OverlayPaintTest, StatusBoxHitTestFollowsItsCorner) {
    EXPECT_FALSE(canvas.IsPointInGGAOverlay(10, 10)) << "no status text, no box";
    setStatus("GPS  Sats 9", 1);
    const PixelBox topLeft = canvas.GGAOverlayBox();
    EXPECT_TRUE(canvas.IsPointInGGAOverlay(10, 10));
    EXPECT_TRUE(canvas.IsPointInGGAOverlay(topLeft.Right, topLeft.Bottom));
    EXPECT_FALSE(canvas.IsPointInGGAOverlay(topLeft.Right + 1, 10));

    canvas.ToggleGGAOverlayPosition();
    canvas.ToggleGGAOverlayPosition(); // 2: bottom-right
    const PixelBox bottomRight = canvas.GGAOverlayBox();
    EXPECT_EQ(bottomRight.Right, canvas.width() - 2);
    EXPECT_EQ(bottomRight.Bottom, canvas.height() - 4);
    EXPECT_FALSE(canvas.IsPointInGGAOverlay(10, 10)) << "the top-left area is empty now";
    EXPECT_TRUE(canvas.IsPointInGGAOverlay(canvas.width() - 10, canvas.height() - 10));
    const QImage image = shown();
    EXPECT_EQ(pixel(image, canvas.width() - 5, canvas.height() - 12), colorRed);
    EXPECT_EQ(pixel(image, 5, 12), colorWhite);

    canvas.ToggleGGAOverlayPosition();
    canvas.ToggleGGAOverlayPosition();
    EXPECT_EQ(canvas.GGAOverlayPosition(), 0);
    EXPECT_EQ(canvas.GGAOverlayBox(), topLeft);
    canvas.SetGGAOverlayPosition(3);
    EXPECT_EQ(canvas.GGAOverlayBox().Left, 2);
    EXPECT_EQ(canvas.GGAOverlayBox().Bottom, canvas.height() - 4);
}

TEST_F(OverlayPaintTest, DepthLabelsInViewWithTheirFontAndColour) {
    canvas.SetDepthLabelSettings(true, 10, "DejaVu Sans", 10, 0x0000C0);
    canvas.AddDepthLabel(100, 150, 12.34);
    canvas.AddDepthLabel(-40, 150, 5.0);  // 40 pixels left of the client: partly visible
    canvas.AddDepthLabel(-60, 150, 6.0);  // 60 pixels left: not drawn
    canvas.AddDepthLabel(200, 325, 7.0);  // 25 pixels above: not drawn
    canvas.AddDepthLabel(105, 150, 99.0); // too close to the first: refused
    const auto texts = paintedTexts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "12.3");
    EXPECT_EQ(texts[1].text, "5.0");
    EXPECT_EQ(colorOf(texts[0].color), 0x0000C0);
    EXPECT_FALSE(texts[0].font.bold());
    EXPECT_EQ(texts[0].font.pixelSize(), 13);
    // Centred on the anchor (100, 150): the baseline is below and the start left of it.
    const QFontMetrics metrics(texts[0].font);
    EXPECT_EQ(texts[0].baseline.x(), 100 - metrics.horizontalAdvance("12.3") / 2);
    // The prepared text keeps the fractional ascent; its pixels are those of the whole-pixel baseline.
    EXPECT_NEAR(texts[0].baseline.y(), 150 - metrics.height() / 2 + metrics.ascent(), 0.5);

    canvas.SetDepthLabelSettings(false, 10, "Arial", 12, 0);
    EXPECT_TRUE(paintedTexts().empty());
    EXPECT_EQ(canvas.Overlays().DepthLabels.size(), 4u) << "hidden labels are kept";
    canvas.SetDepthLabelSettings(true, 10, "Arial", 12, 0);
    canvas.ClearDepthLabels();
    EXPECT_TRUE(paintedTexts().empty());
}

TEST(LabelTextCache, DrawsThePixelsOfPlainTextAndForgetsOnAFontChange) {
    LabelTextCache cache;
    for (int sizePt : {10, 12, 24}) {
        for (bool bold : {false, true}) {
            const QFont font = surfaceFont("DejaVu Sans", sizePt, bold, false);
            const QFontMetrics metrics(font);
            cache.setFont(font);
            for (const QString& text : {QString("12.3"), QString("7"), QString("12.3")}) {
                QImage cached(120, 60, QImage::Format_RGB32), plain(120, 60, QImage::Format_RGB32);
                cached.fill(Qt::white);
                plain.fill(Qt::white);
                {
                    QPainter painter(&cached);
                    painter.setFont(font);
                    cache.drawCentred(painter, 60, 30, text);
                }
                {
                    QPainter painter(&plain);
                    painter.setFont(font);
                    painter.drawText(60 - metrics.horizontalAdvance(text) / 2,
                                     30 - metrics.height() / 2 + metrics.ascent(), text);
                }
                EXPECT_EQ(cached, plain) << text.toStdString() << " " << sizePt << " " << bold;
            }
            EXPECT_EQ(cache.size(), 2) << "one entry per distinct text of this font";
        }
    }
}

TEST_F(OverlayPaintTest, EventLabelsTakeTheOwnersLook) {
    OverlayOwnerState state;
    state.eventLabelFontSize = 18;
    state.eventLabelColor = 0x008000;
    canvas.SetOverlayOwnerState(state);
    canvas.AddEventLabel(50, 50, 7);
    canvas.AddEventLabel(50.5, 50, 8); // no spacing rule for events
    canvas.AddEventLabel(1000, 50, 9);
    const auto texts = paintedTexts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "7");
    EXPECT_EQ(texts[1].text, "8");
    EXPECT_TRUE(texts[0].font.bold());
    EXPECT_EQ(texts[0].font.pixelSize(), 24);
    EXPECT_EQ(colorOf(texts[0].color), 0x008000);
    canvas.ClearEventLabels();
    EXPECT_TRUE(paintedTexts().empty());
}

TEST_F(OverlayPaintTest, DistanceMeasureIsGuardedAndShowsTheOwnersFigures) {
    canvas.UpdateDistanceMeasure(300, 100, 55, 10);
    EXPECT_FALSE(canvas.Overlays().Measure.Measuring);
    EXPECT_TRUE(paintedTexts().empty()) << "an update before the start shows nothing";

    canvas.StartDistanceMeasure(100, 200);
    canvas.UpdateDistanceMeasure(100, 100, 1234.5678, 180);
    const auto texts = paintedTexts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "1234.57 m");
    EXPECT_EQ(colorOf(texts[0].color), colorBlack);
    EXPECT_EQ(texts[1].text, QString::fromUtf8("180.0\u00B0"));
    EXPECT_EQ(colorOf(texts[1].color), 0x800000);
    EXPECT_TRUE(texts[0].font.bold());

    const QImage image = shown(); // start pixel (100, 100), end (100, 200), middle (100, 150)
    EXPECT_EQ(pixel(image, 97, 100), colorRed) << "the dot on the start";
    EXPECT_EQ(pixel(image, 103, 100), colorRed);
    EXPECT_EQ(pixel(image, 100, 100), 0xFF0000) << "the line is drawn over the dot";
    EXPECT_EQ(pixel(image, 199, 100), colorRed) << "the range ring through the end's distance";
    EXPECT_EQ(pixel(image, 150, 100), colorWhite);
    EXPECT_EQ(pixel(image, 100, 170), 0xFF0000) << "the line to the end";
    EXPECT_EQ(pixel(image, 106, 200), 0xFF0000) << "the cross at the end";
    EXPECT_EQ(pixel(image, 100, 119), 0x00FFFF) << "the yellow box, its text 30 above the middle";
    EXPECT_EQ(pixel(image, 100, 118), colorBlack) << "its outline";

    canvas.EndDistanceMeasure();
    EXPECT_TRUE(paintedTexts().empty());
}

TEST_F(OverlayPaintTest, OverlaysComeInTheirOrder) {
    setStatus("status", 4);
    canvas.SetCurrentSpeed(3, true);
    canvas.AddEventLabel(20, 20, 1);
    canvas.AddDepthLabel(40, 40, 2);
    canvas.StartDistanceMeasure(100, 100);
    EXPECT_EQ(paintedStrings(),
              (Strings{"0.00 m", QString::fromUtf8("0.0\u00B0"), "2.0", "1", "3.0 kn", "status"}));
}

TEST_F(OverlayPaintTest, AnOverlayChangeOnlyRequestsARepaint) {
    canvas.DrawLine(0, 10, 400, 10, 0);
    shown();
    ASSERT_FALSE(canvas.Model().Dirty);
    const qint64 imageKey = canvas.OffscreenImage().cacheKey();
    canvas.AddDepthLabel(100, 100, 3);
    canvas.AddEventLabel(10, 10, 1);
    canvas.SetCurrentDepth(4, 5, true);
    canvas.SetCurrentSpeed(1, true);
    canvas.ToggleDepthSpeedDisplayMode();
    canvas.ToggleGGAOverlayPosition();
    setStatus("x", 2);
    canvas.StartDistanceMeasure(1, 1);
    canvas.UpdateDistanceMeasure(50, 50, 69.3, 45);
    EXPECT_FALSE(canvas.Model().Dirty);
    const QImage image = shown();
    EXPECT_EQ(canvas.OffscreenImage().cacheKey(), imageKey);
    EXPECT_EQ(pixel(canvas.OffscreenImage(), 5, 150), colorWhite) << "the image holds no overlay";
    EXPECT_NE(image, canvas.OffscreenImage());
}

TEST_F(OverlayPaintTest, LastPolylinePrefersTheRouteDrawnWithTheTool) {
    canvas.LayerOpen("Selvir_Route"); // becomes the layer the tools draw on
    canvas.DrawTool = toolCode(CanvasTool::Polyline);
    for (QPoint p : {QPoint(10, 290), QPoint(110, 290), QPoint(110, 190)}) {
        canvas.MouseMove(0, p.x(), p.y());
        canvas.MouseDown(TMouseButton::mbLeft, 0, p.x(), p.y());
    }
    canvas.MouseDown(TMouseButton::mbRight, 0, 110, 190);
    const int user = canvas.LayerOpen("selvir_usershape");
    canvas.DrawPolyline({{1, 1}, {2, 2}}, user, false);
    using Points = std::vector<std::pair<double, double>>;
    EXPECT_EQ(canvas.GetLastPolylinePoints(), (Points{{10, 10}, {110, 10}, {110, 110}}));
    canvas.CadClearShapes(canvas.LayerFindByName("Selvir_Route"));
    EXPECT_TRUE(canvas.GetLastPolylinePoints().empty()) << "a route layer exists: other layers do not count";
}

} // namespace
} // namespace selvir
