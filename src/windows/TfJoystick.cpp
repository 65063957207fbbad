#include "windows/TfJoystick.h"

#include "core/ProfileStore.h"
#include "windows/WidgetPlacement.h"

#include <QHBoxLayout>
#include <QLabel>

namespace selvir {

namespace {

constexpr std::string_view kWindowName = "fJoystick";
constexpr const char* kBatteryMessage = "Selvir SMT";
constexpr int kVoltsFontPt = 18;

constexpr ControlCaption kEnglishCaptions[] = {
    {"fJoystick", "Battery"},
};

} // namespace

TfJoystick::TfJoystick(ProfileStore settings, QWidget* owner)
    // Stay on top, a title and no border icons: nothing to close, minimise or maximise.
    : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      settings_(std::move(settings)), battery_(new QLabel(QStringLiteral("---"), this)) {
    setObjectName(QString::fromUtf8(kWindowName.data(), static_cast<qsizetype>(kWindowName.size())));
    setWindowTitle(QStringLiteral("Battery"));
    battery_->setObjectName(QStringLiteral("pBattery"));
    QFont voltsFont = battery_->font();
    voltsFont.setPointSize(kVoltsFontPt);
    voltsFont.setBold(true);
    battery_->setFont(voltsFont);
    battery_->setAlignment(Qt::AlignCenter);
    battery_->setFrameShape(QFrame::Panel);
    battery_->setFrameShadow(QFrame::Sunken);
    markAsReadout(*battery_);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(battery_);
    resize(150, 60);

    timer1_.setInterval(kCheckIntervalMs);
    connect(&timer1_, &QTimer::timeout, this, [this] { Timer1Timer(); });
    timer1_.start();
}

std::span<const ControlCaption> TfJoystick::englishCaptions() {
    return kEnglishCaptions;
}

void TfJoystick::applyEnglishCaptions() {
    applyCaptions(*this, kEnglishCaptions);
}

void TfJoystick::showBattery(const std::string& volts) {
    battery_->setText(QString::fromStdString(volts));
}

void TfJoystick::Timer1Timer() {
    if (!messageChoice) {
        return;
    }
    if (messageChoice() != kBatteryMessage) {
        if (isVisible()) {
            hiddenForOtherMessage_ = true;
            hide();
        }
    } else if (hiddenForOtherMessage_) {
        // Hidden by the choice, not by the surveyor: it comes back with "Selvir SMT".
        hiddenForOtherMessage_ = false;
        show();
    }
}

void TfJoystick::showEvent(QShowEvent* event) {
    if (!placed_) {
        placed_ = true;
        restoreWidgetPlacementOr(settings_, kWindowName, *this, false, Qt::TopRightCorner);
    }
    QWidget::showEvent(event);
}

void TfJoystick::savePlacement() {
    saveWidgetPlacement(settings_, kWindowName, *this);
}

} // namespace selvir
