#include "windows/TNavset.h"

#include "core/NumberFormat.h"
#include "tools/NavigationSettingsRules.h"
#include "windows/CaptionSet.h"
#include "windows/ColorBox.h"
#include "windows/WidgetPlacement.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>
#include <functional>

namespace selvir {

namespace {

constexpr std::string_view kWindowName = "Navset";

constexpr ControlCaption kEnglishCaptions[] = {
    {"Navset", "Navigation Settings"},
    {"lShallow", "Shallow Depth Alert"},
    {"gbTracklines", "Correction (1, 4 or 2/5)"},
    {"lTrackInterval", "Track Interval"},
    {"lTrackWidth", "Tracklines Width"},
    {"cLineOrDot", "Track As Line"},
    {"gbVessel", "Vessel C/W"},
    {"lBackground", "Background color"},
    {"lUpdateRate", "Frequency(ms)"},
    // Beyond the set: their design captions, carried into the other languages.
    {"lVesselColor", "Color"},
    {"lVesselWidth", "Width"},
    {"gbCanvas", " Canvas "},
    {"lFixedColor", "Fixed Color"},
    {"lFloatColor", "Float Color"},
    {"gbAlerts", " Alerts && Grid "},
    {"lGridColor", "Grid Color"},
    {"lShallowUnit", "m"},
};

QLabel* namedLabel(const char* objectName, const char* caption) {
    auto* label = new QLabel(QString::fromUtf8(caption));
    label->setObjectName(QString::fromUtf8(objectName));
    return label;
}

QGroupBox* namedGroup(const char* objectName, const char* title) {
    auto* group = new QGroupBox(QString::fromUtf8(title));
    group->setObjectName(QString::fromUtf8(objectName));
    return group;
}

QSpinBox* digitsField(const char* objectName, int low, int high, int step = 1) {
    auto* field = new QSpinBox;
    field->setObjectName(QString::fromUtf8(objectName));
    field->setRange(low, high);
    field->setSingleStep(step);
    field->setGroupSeparatorShown(false);
    field->setMinimumWidth(80);
    return field;
}

ColorBox* namedColorBox(const char* objectName) {
    auto* box = new ColorBox;
    box->setObjectName(QString::fromUtf8(objectName));
    return box;
}

int refillValue(RefilledField field) {
    return parseInt(refillText(field)).value_or(0);
}

// The spin box does not take a new text while it hands out the change that emptied it: the refill
// follows as soon as that is done, then `refilled`. Typing goes on over the refilled text.
void refillSpinBox(QSpinBox* field, int refill, std::function<void()> refilled = {}) {
    QTimer::singleShot(0, field, [field, refill, refilled = std::move(refilled)] {
        if (field->text().isEmpty()) {
            field->setValue(refill);
            field->selectAll();
            if (refilled) {
                refilled();
            }
        }
    });
}

} // namespace

TNavset::TNavset(ProfileStore settings, QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint), settings_(std::move(settings)) {
    setObjectName(QStringLiteral("Navset"));
    setWindowTitle(QStringLiteral("Navigation Settings"));
    buildControls();
    // The stored values from the start: the map must not run on the form's values until the surveyor
    // happens to open this window.
    readKeys();
}

void TNavset::buildControls() {
    vesselColor_ = namedColorBox("VesselColor");
    vesselWidth_ = digitsField("VesselWidth", 0, kMaxPenWidthPx);
    background_ = namedColorBox("fcadColor");
    fixedColor_ = namedColorBox("ColorTracklines1");
    floatColor_ = namedColorBox("ColorTracklines0");
    trackWidth_ = digitsField("TrackWidth", 0, kMaxPenWidthPx);
    trackInterval_ = digitsField("TrackInterval", 0, kMaxTrackIntervalTicks);
    updateRate_ = digitsField("eUpdateRate", kMinUpdateRateMs, kMaxUpdateRateMs, 100);
    lineOrDot_ = new QCheckBox(QStringLiteral("Draw as Line"));
    lineOrDot_->setObjectName(QStringLiteral("cLineOrDot"));
    depthAlert_ = new QLineEdit;
    depthAlert_->setObjectName(QStringLiteral("edDepthAlert1"));
    depthAlert_->setMaximumWidth(80);
    gridColor_ = namedColorBox("GridColor");

    // The form's own values, for what the settings file does not hold.
    const NavigationDisplaySettings form;
    vesselColor_->setColor(form.vesselColor);
    vesselWidth_->setValue(form.vesselWidthPx);
    background_->setColor(form.backgroundColor);
    fixedColor_->setColor(form.colorTracklines1);
    floatColor_->setColor(form.colorTracklines0);
    trackWidth_->setValue(form.trackWidthPx);
    trackInterval_->setValue(form.trackIntervalTicks);
    updateRate_->setValue(form.updateRateMs);
    lineOrDot_->setChecked(false);
    depthAlert_->setText(QString::fromStdString(formatGeneral(form.depthAlertM)));
    gridColor_->setColor(form.gridColor);

    auto* vessel = namedGroup("gbVessel", " Vessel ");
    auto* vesselForm = new QFormLayout(vessel);
    vesselForm->addRow(namedLabel("lVesselColor", "Color"), vesselColor_);
    vesselForm->addRow(namedLabel("lVesselWidth", "Width"), vesselWidth_);

    auto* canvas = namedGroup("gbCanvas", " Canvas ");
    auto* canvasForm = new QFormLayout(canvas);
    canvasForm->addRow(namedLabel("lBackground", "Background"), background_);
    canvasForm->addRow(namedLabel("lUpdateRate", "Update (ms.)"), updateRate_);

    auto* tracks = namedGroup("gbTracklines", " Tracklines ");
    auto* trackForm = new QFormLayout(tracks);
    trackForm->addRow(namedLabel("lFixedColor", "Fixed Color"), fixedColor_);
    trackForm->addRow(namedLabel("lFloatColor", "Float Color"), floatColor_);
    trackForm->addRow(namedLabel("lTrackWidth", "Width"), trackWidth_);
    trackForm->addRow(namedLabel("lTrackInterval", "Interval"), trackInterval_);
    trackForm->addRow(QString(), lineOrDot_);

    auto* alerts = namedGroup("gbAlerts", " Alerts && Grid ");
    auto* alertForm = new QFormLayout(alerts);
    auto* depthRow = new QHBoxLayout;
    depthRow->addWidget(depthAlert_);
    depthRow->addWidget(namedLabel("lShallowUnit", "m"));
    depthRow->addStretch();
    alertForm->addRow(namedLabel("lShallow", "Shallow Water"), depthRow);
    depthAlertNote_ = new QLabel;
    depthAlertNote_->setObjectName(QStringLiteral("lDepthAlertNote"));
    depthAlertNote_->setStyleSheet(QStringLiteral("QLabel { color: #b00020; }"));
    depthAlertNote_->setWordWrap(true);
    markAsReadout(*depthAlertNote_); // it quotes what was typed
    depthAlertNote_->hide();
    alertForm->addRow(depthAlertNote_);
    alertForm->addRow(namedLabel("lGridColor", "Grid Color"), gridColor_);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(vessel);
    top->addWidget(canvas);
    layout->addLayout(top);
    layout->addWidget(tracks);
    layout->addWidget(alerts);
    layout->addStretch();

    connect(background_, &ColorBox::colorChanged, this, [this](ColorValue color) {
        if (!loading_) {
            emit backgroundColorChanged(color);
        }
    });
    // What the surveyor changes and has not stored yet: a showing must not put the stored keys over it.
    const auto changed = [this] { unsaved_ = unsaved_ || !loading_; };
    for (ColorBox* box : {vesselColor_, background_, fixedColor_, floatColor_, gridColor_}) {
        connect(box, &ColorBox::colorChanged, this, changed);
    }
    for (QSpinBox* field : {vesselWidth_, trackWidth_, trackInterval_, updateRate_}) {
        connect(field, &QSpinBox::valueChanged, this, changed);
    }
    connect(lineOrDot_, &QCheckBox::toggled, this, changed);
    connect(depthAlert_, &QLineEdit::textChanged, this, changed);
    // Typed texts (an empty one and a 0 included) come from the line edit; the arrows' from the box.
    connect(updateRate_->findChild<QLineEdit*>(), &QLineEdit::textChanged, this, &TNavset::eUpdateRateChange);
    connect(updateRate_, &QSpinBox::textChanged, this, &TNavset::eUpdateRateChange);
    connect(depthAlert_, &QLineEdit::textChanged, this, &TNavset::edDepthAlert1Change);
    refillWhenEmptied(trackInterval_, refillValue(RefilledField::TrackInterval));
    refillWhenEmptied(trackWidth_, refillValue(RefilledField::TrackWidth));
    refillWhenEmptied(vesselWidth_, refillValue(RefilledField::VesselWidth));
}

void TNavset::refillWhenEmptied(QSpinBox* field, int refill) {
    // The spin box says nothing of texts that are not values: its own line edit does.
    connect(field->findChild<QLineEdit*>(), &QLineEdit::textChanged, this,
            [field, refill](const QString& text) {
                if (text.isEmpty()) {
                    refillSpinBox(field, refill);
                }
            });
}

void TNavset::eUpdateRateChange(const QString& text) {
    if (text.isEmpty()) {
        refillSpinBox(updateRate_, refillValue(RefilledField::UpdateRate),
                      [this] { eUpdateRateChange(updateRate_->text()); });
        return;
    }
    const std::optional<int> rate = updateRateFromText(text.toStdString());
    if (!rate) {
        return; // not a rate (0, or one being typed): the rate in force stays
    }
    emit updateRateChanged(*rate);
    if (!loading_) {
        // The stored interval stays as stored; a rate the surveyor sets keeps a track element every 10 s.
        trackInterval_->setValue(trackIntervalForRate(*rate));
    }
}

void TNavset::edDepthAlert1Change(const QString& text) {
    if (text.isEmpty()) {
        depthAlert_->setText(QString::fromUtf8(refillText(RefilledField::DepthAlert).data()));
        depthAlert_->selectAll();
        return;
    }
    if (const std::optional<double> depth = depthAlertFromText(text.toStdString())) {
        depthAlertM_ = *depth;
        depthAlertNote_->hide();
        depthAlert_->setStyleSheet(QString());
        return;
    }
    // Said at once, beside the field: a depth typed with a decimal comma is no alert depth, and the
    // one in force is not the one on screen.
    depthAlertNote_->setText(QString::fromStdString(depthAlertRefusedText(text.toStdString(), depthAlertM_)));
    depthAlertNote_->show();
    depthAlert_->setStyleSheet(QStringLiteral("QLineEdit { background: #ffcdd2; }"));
}

NavigationDisplaySettings TNavset::displaySettings() const {
    NavigationDisplaySettings out;
    out.vesselColor = vesselColor_->color();
    out.vesselWidthPx = vesselWidth_->value();
    out.backgroundColor = background_->color();
    out.colorTracklines1 = fixedColor_->color();
    out.colorTracklines0 = floatColor_->color();
    out.trackWidthPx = trackWidth_->value();
    out.trackIntervalTicks = trackInterval_->value();
    out.updateRateMs = updateRate_->value();
    out.trackAsLine = lineOrDot_->isChecked();
    out.depthAlertM = depthAlertM_;
    out.gridColor = gridColor_->color();
    return out;
}

void TNavset::readKeys() {
    const NavigationDisplaySettings stored = NavigationDisplaySettings::read(settings_);
    loading_ = true;
    unsaved_ = false;
    vesselColor_->setColor(stored.vesselColor);
    vesselWidth_->setValue(stored.vesselWidthPx);
    background_->setColor(stored.backgroundColor);
    fixedColor_->setColor(stored.colorTracklines1);
    floatColor_->setColor(stored.colorTracklines0);
    trackWidth_->setValue(stored.trackWidthPx);
    trackInterval_->setValue(stored.trackIntervalTicks);
    updateRate_->setValue(stored.updateRateMs);
    lineOrDot_->setChecked(stored.trackAsLine);
    depthAlert_->setText(QString::fromStdString(formatGeneral(stored.depthAlertM)));
    gridColor_->setColor(stored.gridColor);
    loading_ = false;
}

void TNavset::FormCloseQuery() {
    displaySettings().write(settings_);
    unsaved_ = false;
    savePlacement();
}

void TNavset::savePlacement() {
    if (shown_) {
        saveWidgetPlacement(settings_, kWindowName, *this);
    }
}

std::span<const ControlCaption> TNavset::englishCaptions() {
    return kEnglishCaptions;
}

void TNavset::applyEnglishCaptions() {
    applyCaptions(*this, kEnglishCaptions);
}

void TNavset::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        restoreWidgetPlacement(settings_, kWindowName, *this, false);
        // Hidden without closing (the full-screen map): the values on screen are the ones in force.
        if (!unsaved_) {
            readKeys();
        }
        shown_ = true;
    }
    QWidget::showEvent(event);
}

void TNavset::hideEvent(QHideEvent* event) {
    if (!event->spontaneous()) {
        savePlacement();
    }
    QWidget::hideEvent(event);
}

void TNavset::closeEvent(QCloseEvent* event) {
    FormCloseQuery();
    event->accept(); // closing only hides the window
}

} // namespace selvir
