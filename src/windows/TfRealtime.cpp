#include "windows/TfRealtime.h"

#include "canvas/CanvasColor.h"
#include "core/NumberFormat.h"
#include "core/ProfileStore.h"
#include "windows/ToolbarIcons.h"
#include "windows/WidgetPlacement.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace selvir {

namespace {

constexpr std::string_view kWindowName = "fRealtime";
constexpr int kToolbarHeightPx = 36;
constexpr int kDepthFrameHeightPx =
    TfRealtime::kClientHeightBothFramesPx - TfRealtime::kClientHeightOneFramePx;
constexpr int kGpsBoxHeightPx = TfRealtime::kClientHeightNoFramePx - kToolbarHeightPx;
constexpr int kWidthPx = 250;
constexpr int kDepthFontPt = 24;
constexpr int kFieldFontPt = 11;
constexpr int kIconPx = 22;
constexpr int kBelowBatteryPx = 100;
const QString kNothingYet = QStringLiteral("---");
const QString kNoDepth = QStringLiteral("::::::::::");

constexpr ControlCaption kEnglishCaptions[] = {
    {"fRealtime", "Realtime Data"},
    {"gbGPS", "GPS"},
    {"lFix", "Fix"},
    {"lSpeed", "Speed"},
    {"lTideHt", "Tide Ht."},
    {"lAntH", "Ant. Ht."},
    {"lSatellite", "Satellite"},
    {"gbDepthHi", "True Depth HF"},
    {"gbDepthLo", "True Depth LF"},
    {"btHide", "Hide Window"},
    {"btZoomIn", "Zoom In"},
    {"btZoomOut", "Zoom Out"},
    {"btShowOffsets", "Show Offsets"},
    {"btOpenLogFolder", "Open Log Folder"},
};

// The GPS box's rows: caption label, design caption, read-out field.
struct GpsRow {
    const char* captionName;
    const char* caption;
    const char* fieldName;
};
constexpr GpsRow kGpsRows[] = {
    {"lFix", "Fix", "Fixed"},
    {"lSpeed", "Speed", "Speed"},
    {"lSatellite", "Satellite", "SatelliteLabel"},
    {"lAntH", "Ant. Ht.", "LAntennaH"},
    {"lTideHt", "Tide Ht.", "LTideHt"},
};

QString text(const std::string& value) {
    return QString::fromStdString(value);
}

template <typename T, typename Format>
QString orNothing(const std::optional<T>& value, Format format) {
    return value ? text(format(*value)) : kNothingYet;
}

} // namespace

TfRealtime::TfRealtime(ProfileStore settings, QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint), settings_(std::move(settings)) {
    setObjectName(QString::fromUtf8(kWindowName.data(), static_cast<qsizetype>(kWindowName.size())));
    setWindowTitle(QStringLiteral("Realtime Data"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildToolbar();
    buildGpsBox();
    depthHiFrame_ = buildDepthFrame("gbDepthHi", "lDepthHi", depthHi_);
    depthHiFrame_->setTitle(QStringLiteral(" Depth (High Freq.) "));
    depthLoFrame_ = buildDepthFrame("gbDepthLo", "lDepthLo", depthLo_);
    depthLoFrame_->setTitle(QStringLiteral(" Depth (Low Freq.) "));
    layout->addStretch(1);
    resize(kWidthPx, kClientHeightBothFramesPx);
    fitClientHeight();

    // Once, 10 s after creation; then the timer is gone.
    timer1_ = new QTimer(this);
    timer1_->setSingleShot(true);
    timer1_->setInterval(kApplyMessageChoiceAfterMs);
    connect(timer1_, &QTimer::timeout, this, [this] {
        if (applyMessageChoice) {
            applyMessageChoice();
        }
        timer1_->deleteLater();
        timer1_ = nullptr;
    });
    timer1_->start();
}

TfRealtime::~TfRealtime() = default;

void TfRealtime::buildToolbar() {
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("tRealtimeData"));
    bar->setFixedHeight(kToolbarHeightPx);
    bar->setIconSize(QSize(kIconPx, kIconPx));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    const auto button = [this, bar](const char* name, const char* iconName, const QString& hint,
                                    auto handler) {
        QAction* action = bar->addAction(toolbarIcon(QString::fromUtf8(iconName)), hint);
        action->setObjectName(QString::fromUtf8(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    hideButton_ = button("btHide", "btHide", QStringLiteral("Hide Window"), [this] { btHideClick(); });
    bar->addSeparator();
    // Hints that say what the buttons do (the zoom buttons are not settings windows).
    button("btZoomIn", "Zoomin", QStringLiteral("Zoom In"), [this] {
        if (onZoomIn) {
            onZoomIn();
        }
    });
    button("btZoomOut", "Zoomout", QStringLiteral("Zoom Out"), [this] {
        if (onZoomOut) {
            onZoomOut();
        }
    });
    bar->addSeparator();
    offsetsButton_ = button("btShowOffsets", "Offsets", QStringLiteral("Show Offsets"), [this] {
        if (showOffsets_) {
            showOffsets_();
        }
    });
    offsetsButton_->setEnabled(false);
    button("btOpenLogFolder", "btOpenLogFolder", QStringLiteral("Open Log Folder"), [this] {
        if (onOpenLogFolder) {
            onOpenLogFolder();
        }
    });
    layout()->addWidget(bar);
}

void TfRealtime::buildGpsBox() {
    gpsBox_ = new QGroupBox(QStringLiteral(" GPS Status "), this);
    gpsBox_->setObjectName(QStringLiteral("gbGPS"));
    gpsBox_->setFixedHeight(kGpsBoxHeightPx);
    auto* grid = new QGridLayout(gpsBox_);
    grid->setContentsMargins(8, 4, 8, 4);
    grid->setVerticalSpacing(2);
    QFont valueFont = font();
    valueFont.setPointSize(kFieldFontPt);
    valueFont.setBold(true);
    int row = 0;
    for (const GpsRow& entry : kGpsRows) {
        auto* caption = new QLabel(QString::fromUtf8(entry.caption), gpsBox_);
        caption->setObjectName(QString::fromUtf8(entry.captionName));
        auto* value = new QLabel(kNothingYet, gpsBox_);
        value->setObjectName(QString::fromUtf8(entry.fieldName));
        value->setFont(valueFont);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        markAsReadout(*value);
        grid->addWidget(caption, row, 0);
        grid->addWidget(value, row, 1);
        ++row;
    }
    layout()->addWidget(gpsBox_);
}

QGroupBox* TfRealtime::buildDepthFrame(const char* frameName, const char* valueName, QLabel*& value) {
    auto* frame = new QGroupBox(this);
    frame->setObjectName(QString::fromUtf8(frameName));
    frame->setFixedHeight(kDepthFrameHeightPx);
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->setContentsMargins(6, 2, 6, 4);
    value = new QLabel(kNothingYet, frame);
    value->setObjectName(QString::fromUtf8(valueName));
    QFont depthFont = font();
    depthFont.setPointSize(kDepthFontPt);
    depthFont.setBold(true);
    value->setFont(depthFont);
    value->setAlignment(Qt::AlignCenter);
    markAsReadout(*value);
    frameLayout->addWidget(value);
    layout()->addWidget(frame);
    return frame;
}

std::span<const ControlCaption> TfRealtime::englishCaptions() {
    return kEnglishCaptions;
}

void TfRealtime::applyEnglishCaptions() {
    applyCaptions(*this, kEnglishCaptions);
    // The depths read as "none" until the next one arrives.
    depthHi_->setText(kNoDepth);
    depthLo_->setText(kNoDepth);
}

QAction* TfRealtime::Button(const QString& objectName) const {
    return findChild<QAction*>(objectName);
}

QLabel* TfRealtime::Field(const QString& objectName) const {
    return findChild<QLabel*>(objectName);
}

void TfRealtime::SetShowOffsets(std::function<void()> showOffsets) {
    showOffsets_ = std::move(showOffsets);
    offsetsButton_->setEnabled(static_cast<bool>(showOffsets_));
}

void TfRealtime::showReadout(const RealtimeReadout& readout) {
    Field(QStringLiteral("Fixed"))->setText(orNothing(readout.fixQuality, [](int q) {
        return std::to_string(q);
    }));
    Field(QStringLiteral("Speed"))->setText(orNothing(readout.speedKnots, [](double v) {
        return formatFixed(v, 1);
    }));
    Field(QStringLiteral("SatelliteLabel"))->setText(orNothing(readout.satellites, [](int n) {
        return std::to_string(n);
    }));
    Field(QStringLiteral("LAntennaH"))->setText(orNothing(readout.antennaHeightM, [](double v) {
        return formatFixed(v, 2);
    }));
    // The tide reads "-" while the offsets are being edited, and "---" only before the first tick.
    if (readout.fixQuality) {
        Field(QStringLiteral("LTideHt"))->setText(text(readoutTideText(readout.tideM)));
    }
    colourBox(gpsBox_, readout.gpsBoxColor);
    if (readout.depthFramesColored && !framesColoured_) {
        framesColoured_ = true;
        colourBox(depthHiFrame_, readout.depthFramesColor);
        colourBox(depthLoFrame_, readout.depthFramesColor);
    }
    showDepths(readout);
}

void TfRealtime::showDepths(const RealtimeReadout& readout) {
    // Only a new depth rewrites them: the caption pass's "none" stays until one arrives.
    if (readout.depthCount == depthsShown_) {
        return;
    }
    depthsShown_ = readout.depthCount;
    depthHi_->setText(text(readoutDepthText(readout.depthHfM)));
    depthLo_->setText(text(readoutDepthText(readout.depthLfM)));
}

void TfRealtime::colourBox(QGroupBox* box, ColorValue color) {
    // Black on the signal colours whatever the theme; the title stands above the box, on the window's
    // own colour, so it reads in any theme.
    const QString wanted =
        QStringLiteral("QGroupBox#%1 { background-color: %2; color: black; border: 1px solid "
                       "#404040; border-radius: 3px; margin-top: 1.3em; }"
                       "QGroupBox#%1 QLabel { color: black; }"
                       "QGroupBox#%1::title { subcontrol-origin: margin; left: 8px; "
                       "padding: 0 3px; color: palette(window-text); }")
            .arg(box->objectName(), toQColor(canvasColor(color)).name());
    if (box->styleSheet() != wanted) {
        box->setStyleSheet(wanted);
    }
}

bool TfRealtime::LowFrequencyFrameShown() const {
    return !depthLoFrame_->isHidden();
}

bool TfRealtime::HighFrequencyFrameShown() const {
    return !depthHiFrame_->isHidden();
}

void TfRealtime::ShowLowFrequencyFrame(bool show) {
    depthLoFrame_->setVisible(show);
    fitClientHeight();
}

void TfRealtime::ShowDepthFrames(bool highFrequency, bool lowFrequency) {
    depthHiFrame_->setVisible(highFrequency);
    depthLoFrame_->setVisible(lowFrequency);
    fitClientHeight();
}

void TfRealtime::fitClientHeight() {
    // 191 for the toolbar and the GPS box, 98 more for each depth frame shown: 289 and 387.
    int height = kClientHeightNoFramePx;
    for (const QGroupBox* frame : {depthHiFrame_, depthLoFrame_}) {
        height += frame->isHidden() ? 0 : kDepthFrameHeightPx;
    }
    setFixedHeight(height);
}

void TfRealtime::btHideClick() {
    mapOnly_ = !mapOnly_;
    hideButton_->setIcon(toolbarIcon(mapOnly_ ? QStringLiteral("btHideRestore") : QStringLiteral("btHide")));
    if (onMapOnlyChanged) {
        onMapOnlyChanged(mapOnly_);
    }
}

void TfRealtime::showEvent(QShowEvent* event) {
    // The place of the last session, once: a window the surveyor moved since stays where it is.
    if (!placed_) {
        placed_ = true;
        // Below the battery read-out, which starts in the same corner.
        restoreWidgetPlacementOr(settings_, kWindowName, *this, false, Qt::TopRightCorner, kBelowBatteryPx);
    }
    QWidget::showEvent(event);
}

void TfRealtime::savePlacement() {
    saveWidgetPlacement(settings_, kWindowName, *this);
}

} // namespace selvir
