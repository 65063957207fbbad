// The settings window's behaviour: creation from the settings file, the port and message choices, the
// projection boxes, the display settings and the lock.
#include "windows/TFGPS.h"

#include "canvaswidget/TSelvirCanvas.h"
#include "geodesy/GeodeticParametersCheck.h"
#include "navigation/EchosounderFormats.h"
#include "windows/ControlPointPanel.h"
#include "windows/TFNav.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>

namespace selvir {
namespace {

const char* const kAcceptedIndex = "acceptedIndex";

std::string textOf(const QLineEdit* edit) {
    return edit->text().toStdString();
}

// The value a combo box stands for: its item's data when it has some (ports), else its text.
std::string valueOf(const QComboBox* combo) {
    const QVariant data = combo->currentData();
    return (data.isValid() ? data.toString() : combo->currentText()).toStdString();
}

// Shows the value; a value the list does not hold is added, so what is stored is what is shown.
void select(QComboBox* combo, const std::string& value) {
    const QString text = QString::fromStdString(value);
    int index = combo->findData(text);
    if (index < 0) {
        index = combo->findText(text);
    }
    if (index < 0 && combo->isEditable()) {
        combo->setEditText(text);
        return;
    }
    if (index < 0) {
        combo->addItem(text, text);
        index = combo->count() - 1;
    }
    combo->setCurrentIndex(index);
    combo->setProperty(kAcceptedIndex, index);
}

void setChecked(QCheckBox* box, bool checked) {
    const QSignalBlocker block(box);
    box->setChecked(checked);
}

// Reading the settings shows a colour without acting on it.
void setColorQuietly(ColorBox* box, ColorValue color) {
    const QSignalBlocker quiet(box);
    box->setColor(color);
}

} // namespace

TFGPS::TFGPS(ProfileStore& settings, TFNav* main, QWidget* owner)
    : QWidget(owner, Qt::Window), settings_(settings), main_(main) {
    setObjectName(QStringLiteral("FGPS"));
    setWindowTitle(QStringLiteral("Settings"));
    buildForm();

    connect(gps_.set, &QPushButton::clicked, this, &TFGPS::GPSSetClick);
    connect(sensor_.set, &QPushButton::clicked, this, &TFGPS::SensorSetClick);
    connect(sbesMessage_, &QComboBox::activated, this, &TFGPS::cSBESMessageChange);
    connect(sbesFormat_, &QLineEdit::textChanged, this, &TFGPS::showFormatHint);
    connect(useTM_, &QCheckBox::clicked, this, &TFGPS::cbUseTMProjectionClick);
    connect(useLCC_, &QCheckBox::clicked, this, &TFGPS::cbUseLCCProjectionClick);
    connect(lambert1_, &QCheckBox::clicked, this, &TFGPS::cLambert1Click);
    connect(gridVisible_, &QCheckBox::clicked, this, &TFGPS::cbGridVisibleClick);
    connect(autoGrid_, &QCheckBox::clicked, this, &TFGPS::cbAutoGridClick);
    connect(gridColor_, &ColorBox::colorChanged, this, &TFGPS::cbGridColorChange);
    connect(showDepthLabels_, &QCheckBox::clicked, this, &TFGPS::cbShowDepthLabelsClick);
    connect(eventLabelFontSize_, &QLineEdit::textEdited, this, &TFGPS::edEventLabelFontSizeChange);
    connect(eventLabelColor_, &ColorBox::colorChanged, this, &TFGPS::cbEventLabelColorChange);
    connect(applySettings_, &QPushButton::clicked, this, &TFGPS::btnApplySettingsClick);
    connect(lockBox_, &QCheckBox::clicked, this, &TFGPS::LockStateCheck1Click);
    connect(checkPanel_, &ControlPointPanel::negateRotationsRequested, this, [this] {
        const GeodeticParameters negated = withRotationsNegated(geodeticParameters());
        for (std::size_t i = 0; i < geodeticNumberFields().size(); ++i) {
            geodeticEdits_[i]->setText(QString::fromStdString(negated.*geodeticNumberFields()[i].member));
        }
    });
    for (QPlainTextEdit* memo : {memoGps_, memoSensor_}) {
        memo->viewport()->installEventFilter(this);
        connect(memo, &QPlainTextEdit::textChanged, this, [memo] {
            // A monitor is a glimpse of the port, not a log: past 100 lines it starts again.
            if (memo->blockCount() > kMonitorMaxLines) {
                memo->clear();
            }
        });
    }
    setMonitorColor(memoGps_, kColorBlack);
    setMonitorColor(memoSensor_, kColorBlack);
    memoGps_->setPlainText(QString::fromUtf8(kGpsMonitorCaption));
    memoSensor_->setPlainText(QString::fromUtf8(kSensorMonitorCaption));

    // 1. Every key into its control.
    const DeviceSettingsForm form = DeviceSettingsForm::read(settings_);
    loadForm(form);
    // 2. The lock survives restarts; a hand-edited "Settings Locked (true/false)" overrides it.
    setTabsLocked(form.settingsLocked.value_or(form.lockSettings));
    // 3. The display settings record from the controls.
    display_ = displayFields().parse();
    gridSpacingX_->setEnabled(!display_.AutoGrid);
    gridSpacingY_->setEnabled(!display_.AutoGrid);
    // 4. The grid onto the canvas.
    pushGridToCanvas();
}

TFGPS::~TFGPS() {
    // The engine must not read a window that is gone.
    if (main_ && main_->DeviceSettingsWindow() == this) {
        main_->SetDeviceSettingsWindow(nullptr);
    }
}

void TFGPS::loadForm(const DeviceSettingsForm& form) {
    setChoices(gps_, form.gps);
    setChoices(sensor_, form.sensor);
    setChecked(sensorEnabled_, form.switches.sensorEnabled);
    select(sbesMessage_, form.switches.messageFormat);
    sbesFormat_->setText(QString::fromStdString(form.switches.messagePattern));
    setChecked(gyroEnabled_, form.switches.gyroEnabled);

    const GeodeticParameters& g = form.geodetic;
    for (std::size_t i = 0; i < geodeticNumberFields().size(); ++i) {
        geodeticEdits_[i]->setText(QString::fromStdString(g.*geodeticNumberFields()[i].member));
    }
    nameOfDatum_->setText(QString::fromStdString(g.edNameOfDatum));
    setChecked(useDTP_, g.cbUseDTP);
    setChecked(useLCC_, g.cbUseLCCProjection);
    // The map update projects with Lambert exactly when its box is ticked: the TM box says the same.
    setChecked(useTM_, !g.cbUseLCCProjection);
    setChecked(lambert1_, g.cLambert1);
    cLambert1Click();
    setChecked(lockBox_, form.lockSettings);

    const DisplaySettingsFields& d = form.display;
    setChecked(gridVisible_, d.cbGridVisible);
    setChecked(autoGrid_, d.cbAutoGrid);
    gridSpacingX_->setText(QString::fromStdString(d.edGridSpacingX));
    gridSpacingY_->setText(QString::fromStdString(d.edGridSpacingY));
    setColorQuietly(gridColor_, d.cbGridColor);
    setChecked(showDepthLabels_, d.cbShowDepthLabels);
    depthLabelSpacing_->setText(QString::fromStdString(d.edDepthLabelSpacing));
    depthLabelFontName_->setText(QString::fromStdString(d.edDepthLabelFontName));
    depthLabelFontSize_->setText(QString::fromStdString(d.edDepthLabelFontSize));
    setColorQuietly(textColor_, d.cbTextColor);
    eventLabelFontSize_->setText(QString::fromStdString(d.edEventLabelFontSize));
    setColorQuietly(eventLabelColor_, d.cbEventLabelColor);
    showFormatHint();
}

void TFGPS::setChoices(const PortControls& c, const PortChoices& choices) {
    select(c.port, choices.port);
    select(c.baudRate, choices.baudRate);
    select(c.dataWidth, choices.dataWidth);
    select(c.stopBits, choices.stopBits);
    select(c.parity, choices.parity);
    select(c.priority, choices.priority);
    select(c.delay, choices.delay);
    select(c.nmeaLog, choices.nmeaLog);
    select(c.logTime, choices.logTime);
    select(c.enableDTR, choices.enableDTR);
    select(c.enableRTS, choices.enableRTS);
}

PortChoices TFGPS::choicesOf(const PortControls& c) const {
    return {valueOf(c.port),    valueOf(c.baudRate),  valueOf(c.dataWidth), valueOf(c.stopBits),
            valueOf(c.parity),  valueOf(c.priority),  valueOf(c.delay),     valueOf(c.nmeaLog),
            valueOf(c.logTime), valueOf(c.enableDTR), valueOf(c.enableRTS)};
}

void TFGPS::refuseUnsupported(QComboBox* combo, std::string (*problemOf)(std::string_view)) {
    combo->setProperty(kAcceptedIndex, 0);
    // A choice the reader cannot honour is said where it is made and not taken.
    connect(combo, &QComboBox::activated, this, [this, combo, problemOf](int index) {
        const std::string problem = problemOf(valueOf(combo));
        if (problem.empty()) {
            combo->setProperty(kAcceptedIndex, index);
            return;
        }
        {
            const QSignalBlocker block(combo);
            combo->setCurrentIndex(combo->property(kAcceptedIndex).toInt());
        }
        showError(QString::fromStdString(problem) + ".");
    });
}

DisplaySettingsFields TFGPS::displayFields() const {
    DisplaySettingsFields d;
    d.cbGridVisible = gridVisible_->isChecked();
    d.cbAutoGrid = autoGrid_->isChecked();
    d.edGridSpacingX = textOf(gridSpacingX_);
    d.edGridSpacingY = textOf(gridSpacingY_);
    d.cbGridColor = gridColor_->color();
    d.cbShowDepthLabels = showDepthLabels_->isChecked();
    d.edDepthLabelSpacing = textOf(depthLabelSpacing_);
    d.edDepthLabelFontName = textOf(depthLabelFontName_);
    d.edDepthLabelFontSize = textOf(depthLabelFontSize_);
    d.cbTextColor = textColor_->color();
    d.edEventLabelFontSize = textOf(eventLabelFontSize_);
    d.cbEventLabelColor = eventLabelColor_->color();
    return d;
}

// --- DeviceSettingsSource

DeviceSwitches TFGPS::deviceSwitches() {
    return switchesOnScreen();
}

PortChoices TFGPS::portChoices(SerialPortRole role) {
    return choicesOf(role == SerialPortRole::Gnss ? gps_ : sensor_);
}

GeodeticParameters TFGPS::geodeticParameters() {
    return geodeticOnScreen();
}

DeviceSwitches TFGPS::switchesOnScreen() const {
    return {sensorEnabled_->isChecked(), gyroEnabled_->isChecked(), sbesMessage_->currentText().toStdString(),
            textOf(sbesFormat_)};
}

GeodeticParameters TFGPS::geodeticOnScreen() const {
    GeodeticParameters g;
    for (std::size_t i = 0; i < geodeticNumberFields().size(); ++i) {
        g.*geodeticNumberFields()[i].member = textOf(geodeticEdits_[i]);
    }
    g.edNameOfDatum = textOf(nameOfDatum_);
    g.cbUseTMProjection = useTM_->isChecked();
    g.cbUseDTP = useDTP_->isChecked();
    g.cbUseLCCProjection = useLCC_->isChecked();
    g.cLambert1 = lambert1_->isChecked();
    return g;
}

DeviceSettingsForm TFGPS::formValues() const {
    DeviceSettingsForm form;
    form.gps = choicesOf(gps_);
    form.sensor = choicesOf(sensor_);
    form.switches = switchesOnScreen();
    form.geodetic = geodeticOnScreen();
    form.lockSettings = lockBox_->isChecked();
    form.display = displayFields();
    return form;
}

// --- Ports and message

void TFGPS::GPSSetClick() {
    if (main_) {
        main_->Session().applyPorts(SerialPortRole::Gnss);
    }
}

void TFGPS::SensorSetClick() {
    if (main_) {
        main_->Session().applyPorts(SerialPortRole::Sensor);
    }
}

void TFGPS::cSBESMessageChange() {
    applyMessageChoice(true);
}

void TFGPS::applyMessageChoiceAtStart() {
    applyMessageChoice(sbesFormat_->text().isEmpty());
}

void TFGPS::applyMessageChoice(bool setFormat) {
    const std::string name = sbesMessage_->currentText().toStdString();
    const EchosounderFormat* format = findEchosounderFormat(name);
    if (!format) {
        return;
    }
    if (setFormat) {
        // "OTHER" empties the field for the surveyor's own format and leaves the box as it is.
        sbesFormat_->setText(
            QString::fromUtf8(format->pattern.data(), static_cast<qsizetype>(format->pattern.size())));
    }
    showFormatHint();
    if (name == kOtherEchosounderFormat || !lowFrequencyBox_) {
        return;
    }
    const bool shown = readsLowFrequency(*format);
    if (lowFrequencyBox_->lowFrequencyBoxVisible() != shown) {
        lowFrequencyBox_->setLowFrequencyBoxVisible(shown);
    }
}

void TFGPS::showFormatHint() {
    const std::string problem =
        echosounderPatternProblem(sbesMessage_->currentText().toStdString(), textOf(sbesFormat_));
    formatHint_->setText(problem.empty() ? QString() : QString::fromStdString(problem) + ".");
    formatHint_->setStyleSheet(QStringLiteral("QLabel { color: #b00020; }"));
}

// --- Projections

void TFGPS::cbUseTMProjectionClick() {
    setChecked(useLCC_, !useTM_->isChecked());
}

void TFGPS::cbUseLCCProjectionClick() {
    setChecked(useTM_, !useLCC_->isChecked());
}

void TFGPS::cLambert1Click() {
    // One standard parallel (the central one): the two parallels do not apply.
    for (std::size_t i = 0; i < geodeticNumberFields().size(); ++i) {
        const std::string_view control = geodeticNumberFields()[i].control;
        if (control == "eLCCSP1" || control == "eLCCSP2") {
            geodeticEdits_[i]->setEnabled(!lambert1_->isChecked());
        }
    }
}

bool TFGPS::geodeticFieldsUsable() {
    const std::optional<ChainSetupError> problem = checkGeodeticParameters(geodeticParameters());
    if (problem) {
        tabs_->setCurrentIndex(ParametersTabSheet);
        showError(QString::fromStdString(problem->text()) + QStringLiteral("."));
        return false;
    }
    return true;
}

// --- Display settings

TSelvirCanvas* TFGPS::canvas() const {
    return main_ ? main_->Canvas() : nullptr;
}

void TFGPS::pushGridToCanvas() {
    TSelvirCanvas* target = canvas();
    if (!target) {
        return;
    }
    GridSettings& grid = target->Grid();
    grid.GridVisible = display_.GridVisible;
    // The canvas's own automatic flag follows the box, so a manual spacing is drawn as typed.
    grid.GridAuto = display_.AutoGrid;
    grid.GridSpacingX = display_.canvasSpacingX();
    grid.GridSpacingY = display_.canvasSpacingY();
    grid.GridColor = static_cast<TColor>(display_.GridColor);
    target->Refresh();
}

void TFGPS::pushLabelsToCanvas() {
    if (TSelvirCanvas* target = canvas()) {
        const DepthLabelStyle depth = display_.depthLabelStyle();
        target->SetDepthLabelSettings(depth.on, depth.spacingM, QString::fromStdString(depth.fontName),
                                      depth.fontSize, static_cast<TColor>(depth.color));
        main_->ApplyEventLabelLook();
        target->Invalidate();
    }
}

void TFGPS::cbGridVisibleClick() {
    display_.GridVisible = gridVisible_->isChecked();
    pushGridToCanvas();
}

void TFGPS::cbGridColorChange() {
    display_.GridColor = gridColor_->color();
    pushGridToCanvas();
}

void TFGPS::cbAutoGridClick() {
    display_.AutoGrid = autoGrid_->isChecked();
    gridSpacingX_->setEnabled(!display_.AutoGrid);
    gridSpacingY_->setEnabled(!display_.AutoGrid);
    if (!display_.AutoGrid) {
        const DisplaySettings typed = displayFields().parse();
        display_.GridSpacingX = typed.GridSpacingX;
        display_.GridSpacingY = typed.GridSpacingY;
    }
    pushGridToCanvas();
}

void TFGPS::cbShowDepthLabelsClick() {
    display_.ShowDepthLabels = showDepthLabels_->isChecked();
}

void TFGPS::edEventLabelFontSizeChange() {
    display_.EventLabelFontSize = parseFontSize(textOf(eventLabelFontSize_), 24);
    pushLabelsToCanvas();
}

void TFGPS::cbEventLabelColorChange() {
    display_.EventLabelColor = eventLabelColor_->color();
    pushLabelsToCanvas();
}

void TFGPS::btnApplySettingsClick() {
    if (!geodeticFieldsUsable()) {
        return;
    }
    display_ = displayFields().parse();
    pushGridToCanvas();
    pushLabelsToCanvas();
    showInformation(QStringLiteral("Settings applied! Use 'Save and Lock Settings' to save to INI."));
}

// --- Lock

void TFGPS::setTabsLocked(bool locked) {
    for (Tab tab : {GPSTabSheet, SensorTabSheet, ParametersTabSheet, tGlobalSetting}) {
        TabContent(tab)->setEnabled(!locked);
    }
}

void TFGPS::LockStateCheck1Click() {
    const bool locking = lockBox_->isChecked();
    if (!locking) {
        settings_.writeBool(kLockSection, kLockKey, false);
        setTabsLocked(false);
        return;
    }
    // Nothing is written while a geodetic field cannot be used.
    if (!geodeticFieldsUsable()) {
        setChecked(lockBox_, false);
        return;
    }
    const DeviceSettingsForm form = formValues();
    bool written =
        settings_.writeBool(kLockSection, kLockKey, true) && form.writeDeviceAndGeodetic(settings_);
    if (written && main_) {
        for (const std::string& event : form.savedEvents()) {
            main_->Session().events().writeAutoEvent(event);
        }
    }
    written = written && form.writeDisplay(settings_);
    if (!written) {
        setChecked(lockBox_, false);
        showError(QStringLiteral("The settings file %1 could not be written: the settings are not saved.")
                      .arg(QString::fromStdString(settings_.file().string())));
        return;
    }
    setTabsLocked(true);
}

// --- Showing and closing

void TFGPS::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    const std::optional<bool> locked =
        settingsLockedValue(settings_.readString(kLockSection, kSettingsLockedKey, ""));
    setChecked(lockBox_, locked.value_or(lockBox_->isChecked()));
    TabContent(tGlobalSetting)->setEnabled(!lockBox_->isChecked());
    pushGridToCanvas();
}

void TFGPS::closeEvent(QCloseEvent* event) {
    memoGps_->clear();
    memoSensor_->clear();
    event->accept(); // only hidden: the window lives as long as the program
}

void TFGPS::showError(const QString& message) {
    if (onError) {
        onError(message);
    } else {
        QMessageBox::warning(this, windowTitle(), message);
    }
}

void TFGPS::showInformation(const QString& message) {
    if (onInformation) {
        onInformation(message);
    } else {
        QMessageBox::information(this, windowTitle(), message);
    }
}

void TFGPS::setColorChooser(const std::function<std::optional<ColorValue>(ColorValue current)>& chooser) {
    for (ColorBox* box : {gridColor_, textColor_, eventLabelColor_}) {
        box->chooseCustomColor = chooser;
    }
}

} // namespace selvir
