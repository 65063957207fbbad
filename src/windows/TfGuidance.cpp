#include "windows/TfGuidance.h"

#include "core/NumberFormat.h"
#include "navigation/NmeaOutput.h"
#include "windows/CaptionSet.h"
#include "windows/WidgetPlacement.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace selvir {
namespace {

constexpr std::string_view kFormName = "fGuidance";
constexpr int kSerialPorts = 16;
constexpr int kBaudRates[] = {4800, 9600, 19200, 38400, 57600, 115200};

constexpr ControlCaption kEnglishCaptions[] = {
    {"fGuidance", "Line Guidance"},
    {"gbGuidance", "Guidance"},
    {"cbAutoAdvance", "Advance to the nearest line not yet run at the end of a line"},
    {"lTolerance", "Off-line tolerance (m)"},
    {"cbLineFiles", "Write a survey file per line (beside the day's survey file)"},
    {"gbNmeaOutput", "NMEA Output (autopilot, chart plotter)"},
    {"cbNmeaOutput", "Send NMEA sentences"},
    {"lNmeaHost", "Address"},
    {"lNmeaPort", "UDP port"},
    {"lNmeaSerial", "Serial port"},
    {"lNmeaBaud", "Baud rate"},
    {"lSentences", "Sentences"},
    {"cbXTE", "XTE (cross-track)"},
    {"cbAPB", "APB (autopilot)"},
    {"cbDPT", "DPT (depth)"},
    {"bSave", "Save"},
    {"bCancel", "Cancel"},
};

// A control with its name, by which the language pass finds its caption.
template <class Control>
Control* named(const char* name, QWidget* parent) {
    auto* control = new Control(parent);
    control->setObjectName(QString::fromUtf8(name));
    return control;
}

} // namespace

TfGuidance::TfGuidance(ProfileStore& settings, QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint), settings_(settings) {
    setObjectName(QStringLiteral("fGuidance"));

    auto* guidance = named<QGroupBox>("gbGuidance", this);
    cbAutoAdvance = named<QCheckBox>("cbAutoAdvance", guidance);
    eTolerance = named<QLineEdit>("eTolerance", guidance);
    cbLineFiles = named<QCheckBox>("cbLineFiles", guidance);
    auto* guidanceForm = new QFormLayout(guidance);
    guidanceForm->addRow(cbAutoAdvance);
    guidanceForm->addRow(named<QLabel>("lTolerance", guidance), eTolerance);
    guidanceForm->addRow(cbLineFiles);

    auto* nmea = named<QGroupBox>("gbNmeaOutput", this);
    cbNmeaOutput = named<QCheckBox>("cbNmeaOutput", nmea);
    eNmeaHost = named<QLineEdit>("eNmeaHost", nmea);
    eNmeaPort = named<QLineEdit>("eNmeaPort", nmea);
    cNmeaSerial = named<QComboBox>("cNmeaSerial", nmea);
    cNmeaSerial->addItem(QString()); // "None", captioned with the rest
    for (int port = 1; port <= kSerialPorts; ++port) {
        cNmeaSerial->addItem(QStringLiteral("COM%1").arg(port));
    }
    cNmeaBaud = named<QComboBox>("cNmeaBaud", nmea);
    for (const int baud : kBaudRates) {
        cNmeaBaud->addItem(QString::number(baud));
    }
    cbXTE = named<QCheckBox>("cbXTE", nmea);
    cbAPB = named<QCheckBox>("cbAPB", nmea);
    cbDPT = named<QCheckBox>("cbDPT", nmea);
    auto* sentences = new QHBoxLayout;
    sentences->addWidget(cbXTE);
    sentences->addWidget(cbAPB);
    sentences->addWidget(cbDPT);
    auto* nmeaForm = new QFormLayout(nmea);
    nmeaForm->addRow(cbNmeaOutput);
    nmeaForm->addRow(named<QLabel>("lNmeaHost", nmea), eNmeaHost);
    nmeaForm->addRow(named<QLabel>("lNmeaPort", nmea), eNmeaPort);
    nmeaForm->addRow(named<QLabel>("lNmeaSerial", nmea), cNmeaSerial);
    nmeaForm->addRow(named<QLabel>("lNmeaBaud", nmea), cNmeaBaud);
    nmeaForm->addRow(named<QLabel>("lSentences", nmea), sentences);

    bSave = named<QPushButton>("bSave", this);
    bCancel = named<QPushButton>("bCancel", this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bSave);
    buttons->addWidget(bCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(guidance);
    layout->addWidget(nmea);
    layout->addLayout(buttons);

    connect(bSave, &QPushButton::clicked, this, [this] {
        if (bSaveClick()) {
            hide();
        }
    });
    connect(bCancel, &QPushButton::clicked, this, &QWidget::hide);
    ApplyEnglishCaptions();
    FormShow();
    adjustSize();
}

std::span<const ControlCaption> TfGuidance::englishCaptions() {
    return kEnglishCaptions;
}

void TfGuidance::ApplyEnglishCaptions() {
    applyCaptions(*this, kEnglishCaptions);
    cNmeaSerial->setItemText(0, translatedCaption(*this, "None")); // the port list's first entry
}

void TfGuidance::FormShow() {
    const GuidanceSettings guidance = GuidanceSettings::read(settings_);
    const NmeaOutputSettings nmea = NmeaOutputSettings::read(settings_);
    cbAutoAdvance->setChecked(guidance.autoAdvance);
    eTolerance->setText(QString::fromStdString(formatGeneral(guidance.toleranceM)));
    cbLineFiles->setChecked(guidance.lineFiles);
    cbNmeaOutput->setChecked(nmea.enabled);
    eNmeaHost->setText(QString::fromStdString(nmea.host));
    eNmeaPort->setText(QString::number(nmea.port));
    cNmeaSerial->setCurrentIndex(nmea.serialPort >= 0 && nmea.serialPort <= kSerialPorts ? nmea.serialPort
                                                                                         : 0);
    const int baud = cNmeaBaud->findText(QString::number(nmea.baudRate));
    cNmeaBaud->setCurrentIndex(baud >= 0 ? baud : 0);
    cbXTE->setChecked(nmea.xte);
    cbAPB->setChecked(nmea.apb);
    cbDPT->setChecked(nmea.dpt);
}

void TfGuidance::showEvent(QShowEvent* event) {
    if (!placed_) {
        placed_ = true;
        placeToolWindow(settings_, kFormName, *this);
    }
    QWidget::showEvent(event);
}

void TfGuidance::hideEvent(QHideEvent* event) {
    saveWidgetPlacement(settings_, kFormName, *this);
    QWidget::hideEvent(event);
}

bool TfGuidance::bSaveClick() {
    GuidanceSettings guidance;
    NmeaOutputSettings nmea;
    const std::string problem = readGuidanceFields(
        {eTolerance->text().toStdString(), eNmeaHost->text().toStdString(), eNmeaPort->text().toStdString()},
        guidance, nmea);
    if (!problem.empty()) {
        if (onError) {
            onError(QString::fromStdString(problem));
        } else {
            QMessageBox::warning(this, windowTitle(), QString::fromStdString(problem));
        }
        return false;
    }
    guidance.autoAdvance = cbAutoAdvance->isChecked();
    guidance.lineFiles = cbLineFiles->isChecked();
    nmea.enabled = cbNmeaOutput->isChecked();
    nmea.serialPort = cNmeaSerial->currentIndex();
    nmea.baudRate = cNmeaBaud->currentText().toInt();
    nmea.xte = cbXTE->isChecked();
    nmea.apb = cbAPB->isChecked();
    nmea.dpt = cbDPT->isChecked();
    guidance.write(settings_);
    nmea.write(settings_);
    return true;
}

} // namespace selvir
