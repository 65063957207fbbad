#include "windows/TfCanvas.h"

#include "canvas/CanvasColor.h"
#include "core/ProfileStore.h"
#include "windows/WidgetPlacement.h"

#include <QCloseEvent>
#include <QPainter>
#include <algorithm>

namespace selvir {

namespace {

constexpr std::string_view kWindowName = "fCanvas";
constexpr std::string_view kSection = "ECHOGRAM";
constexpr std::string_view kDataWidthKey = "DataWidth";
constexpr std::string_view kIntervalKey = "Interval";
// A shorter period would keep the interface thread repainting and starve the map.
constexpr int kMinIntervalMs = 10;

// Colour values as the waterfall has always used them (red in the low byte).
constexpr ColorValue kBackground = 0xFFF8F0;
constexpr ColorValue kWater = 0xFFB464;
constexpr ColorValue kGridGrey = 0x808080;
constexpr int kBottomPenPx = 3;
constexpr int kProfilePenPx = 2;
constexpr int kGridFontPt = 9;
constexpr int kNewestFontPt = 12;
constexpr int kGridLabelLeftPx = 3;
constexpr int kGridLabelBelowPx = 2;

constexpr ControlCaption kEnglishCaptions[] = {
    {"fCanvas", "Acoustic Waterfall"},
};

QColor qColor(ColorValue color) {
    return toQColor(canvasColor(color));
}

// Text with its top-left corner at (x, y), as the window has always placed it.
void drawTextAt(QPainter& painter, int x, int y, const QString& text) {
    painter.drawText(QRect(x, y, 1000, 100), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
}

} // namespace

TfCanvas::TfCanvas(ProfileStore settings, QWidget* owner)
    : QWidget(owner, Qt::Window), settings_(std::move(settings)) {
    setObjectName(QString::fromUtf8(kWindowName.data(), static_cast<qsizetype>(kWindowName.size())));
    setWindowTitle(QStringLiteral("Acoustic Waterfall"));
    setAttribute(Qt::WA_OpaquePaintEvent);   // every paint covers the whole client
    setAttribute(Qt::WA_QuitOnClose, false); // the main window alone ends the program
    resize(480, 300);
}

std::span<const ControlCaption> TfCanvas::englishCaptions() {
    return kEnglishCaptions;
}

void TfCanvas::applyEnglishCaptions() {
    applyCaptions(*this, kEnglishCaptions);
}

void TfCanvas::readSettings() {
    dataWidth_ = WaterfallSamples::clampSampleCount(
        settings_.readInteger(kSection, kDataWidthKey, WaterfallSamples::kDefaultDataWidth));
    intervalMs_ = std::max(settings_.readInteger(kSection, kIntervalKey, kDefaultIntervalMs), kMinIntervalMs);
    settingsRead_ = true;
}

void TfCanvas::showEvent(QShowEvent* event) {
    if (!placed_) {
        placed_ = true;
        restoreWidgetPlacementOr(settings_, kWindowName, *this, true, Qt::BottomRightCorner);
    }
    readSettings();
    if (setEchogramInterval) {
        setEchogramInterval(intervalMs_);
    }
    if (mapBackgroundColor) {
        QPalette palette = this->palette();
        palette.setColor(QPalette::Window, qColor(mapBackgroundColor()));
        setPalette(palette);
    }
    QWidget::showEvent(event);
}

void TfCanvas::FormClose() {
    if (!settingsRead_) {
        return;
    }
    settings_.writeInteger(kSection, kDataWidthKey, dataWidth_);
    settings_.writeInteger(kSection, kIntervalKey, intervalMs_);
    saveWidgetPlacement(settings_, kWindowName, *this);
}

void TfCanvas::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void TfCanvas::DrawWaterfall(double depthM, double defaultTopM, double defaultBottomM, int sampleCount) {
    sampleCount_ = WaterfallSamples::clampSampleCount(sampleCount);
    samples_.push(depthM, sampleCount_);
    newestDepthM_ = depthM;
    defaultTopM_ = defaultTopM;
    defaultBottomM_ = defaultBottomM;
    update();
}

WaterfallFrame TfCanvas::Frame() const {
    return layOutWaterfall(samples_, sampleCount_, newestDepthM_, defaultTopM_, defaultBottomM_, width(),
                           height());
}

void TfCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintWaterfall(painter, Frame());
}

void paintWaterfall(QPainter& painter, const WaterfallFrame& frame) {
    const int w = frame.widthPx, h = frame.heightPx;
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(0, 0, w, h), qColor(kBackground));

    // Water from the surface down to each bottom, the bottom in red.
    const QPen bottomPen(Qt::red, kBottomPenPx, Qt::SolidLine, Qt::FlatCap);
    for (const WaterfallColumn& column : frame.columns) {
        painter.fillRect(QRect(column.leftPx, 0, column.rightPx - column.leftPx, column.bottomRowPx),
                         qColor(kWater));
    }
    painter.setPen(bottomPen);
    for (const WaterfallColumn& column : frame.columns) {
        painter.drawLine(column.leftPx, column.bottomRowPx, column.rightPx, column.bottomRowPx);
    }

    painter.setPen(QPen(Qt::black, kProfilePenPx, Qt::SolidLine, Qt::RoundCap));
    for (const WaterfallSegment& s : frame.profile) {
        painter.drawLine(s.x1Px, s.y1Px, s.x2Px, s.y2Px);
    }

    QFont font = painter.font();
    font.setPointSize(kGridFontPt);
    font.setBold(true);
    painter.setFont(font);
    painter.setBrush(Qt::NoBrush);
    for (const WaterfallGridLine& line : frame.grid) {
        painter.setPen(QPen(qColor(kGridGrey), 1, Qt::DotLine));
        painter.drawLine(0, line.rowPx, w, line.rowPx);
        painter.setPen(Qt::black);
        drawTextAt(painter, kGridLabelLeftPx, line.rowPx + kGridLabelBelowPx,
                   QString::fromStdString(line.label));
    }

    if (frame.newestShown) {
        if (frame.newestPointerShown) {
            painter.setPen(QPen(Qt::black, 1));
            const WaterfallSegment& p = frame.newestPointer;
            painter.drawLine(p.x1Px, p.y1Px, p.x2Px, p.y2Px);
        }
        const WaterfallRect& box = frame.newestBox;
        painter.fillRect(QRect(box.leftPx, box.topPx, box.rightPx - box.leftPx, box.bottomPx - box.topPx),
                         Qt::yellow);
        font.setPointSize(kNewestFontPt);
        painter.setFont(font);
        painter.setPen(Qt::black);
        drawTextAt(painter, frame.newestTextLeftPx, frame.newestTextTopPx,
                   QString::fromStdString(frame.newestLabel));
    }
}

} // namespace selvir
