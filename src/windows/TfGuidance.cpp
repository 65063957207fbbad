#include "windows/TfGuidance.h"

#include "core/NumberFormat.h"
#include "navigation/NmeaOutput.h"
#include "windows/WidgetPlacement.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace selvir {
namespace {

constexpr std::string_view kFormName = "fGuidance";
constexpr int kSerialPorts = 16;
constexpr int kBaudRates[] = {4800, 9600, 19200, 38400, 57600, 115200};

} // namespace

TfGuidance::TfGuidance(ProfileStore& settings, QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint), settings_(settings) {
    setObjectName(QStringLiteral("fGuidance"));
    setWindowTitle(QStringLiteral("Line Guidance"));

    auto* guidance = new QGroupBox(QStringLiteral("Guidance"), this);
    cbAutoAdvance = new QCheckBox(
        QStringLiteral("Advance to the nearest line not yet run at the end of a line"), guidance);
    cbAutoAdvance->setObjectName(QStringLiteral("cbAutoAdvance"));
    eTolerance = new QLineEdit(guidance);
    eTolerance->setObjectName(QStringLiteral("eTolerance"));
    cbLineFiles = new QCheckBox(QStringLiteral("Write a survey file per line (beside the day's survey file)"),
                                guidance);
    cbLineFiles->setObjectName(QStringLiteral("cbLineFiles"));
    auto* guidanceForm = new QFormLayout(guidance);
    guidanceForm->addRow(cbAutoAdvance);
    guidanceForm->addRow(QStringLiteral("Off-line tolerance (m)"), eTolerance);
    guidanceForm->addRow(cbLineFiles);

    auto* nmea = new QGroupBox(QStringLiteral("NMEA Output (autopilot, chart plotter)"), this);
    cbNmeaOutput = new QCheckBox(QStringLiteral("Send NMEA sentences"), nmea);
    cbNmeaOutput->setObjectName(QStringLiteral("cbNmeaOutput"));
    eNmeaHost = new QLineEdit(nmea);
    eNmeaHost->setObjectName(QStringLiteral("eNmeaHost"));
    eNmeaPort = new QLineEdit(nmea);
    eNmeaPort->setObjectName(QStringLiteral("eNmeaPort"));
    cNmeaSerial = new QComboBox(nmea);
    cNmeaSerial->setObjectName(QStringLiteral("cNmeaSerial"));
    cNmeaSerial->addItem(QStringLiteral("None"));
    for (int port = 1; port <= kSerialPorts; ++port) {
        cNmeaSerial->addItem(QStringLiteral("COM%1").arg(port));
    }
    cNmeaBaud = new QComboBox(nmea);
    cNmeaBaud->setObjectName(QStringLiteral("cNmeaBaud"));
    for (const int baud : kBaudRates) {
        cNmeaBaud->addItem(QString::number(baud));
    }
    cbXTE = new QCheckBox(QStringLiteral("XTE (cross-track)"), nmea);
    cbXTE->setObjectName(QStringLiteral("cbXTE"));
    cbAPB = new QCheckBox(QStringLiteral("APB (autopilot)"), nmea);
    cbAPB->setObjectName(QStringLiteral("cbAPB"));
    cbDPT = new QCheckBox(QStringLiteral("DPT (depth)"), nmea);
    cbDPT->setObjectName(QStringLiteral("cbDPT"));
    auto* sentences = new QHBoxLayout;
    sentences->addWidget(cbXTE);
    sentences->addWidget(cbAPB);
    sentences->addWidget(cbDPT);
    auto* nmeaForm = new QFormLayout(nmea);
    nmeaForm->addRow(cbNmeaOutput);
    nmeaForm->addRow(QStringLiteral("Address"), eNmeaHost);
    nmeaForm->addRow(QStringLiteral("UDP port"), eNmeaPort);
    nmeaForm->addRow(QStringLiteral("Serial port"), cNmeaSerial);
    nmeaForm->addRow(QStringLiteral("Baud rate"), cNmeaBaud);
    nmeaForm->addRow(QStringLiteral("Sentences"), sentences);

    bSave = new QPushButton(QStringLiteral("Save"), this);
    bSave->setObjectName(QStringLiteral("bSave"));
    bCancel = new QPushButton(QStringLiteral("Cancel"), this);
    bCancel->setObjectName(QStringLiteral("bCancel"));
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
    FormShow();
    adjustSize();
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
