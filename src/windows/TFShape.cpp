#include "windows/TFShape.h"

#include "tools/VesselGeometryFields.h"
#include "windows/CaptionSet.h"

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

// Fields in the order of the keys: object name, label object name, design caption.
struct FieldControl {
    const char* objectName;
    const char* labelName;
    const char* caption;
};
constexpr FieldControl kFieldControls[] = {
    {"edAmount", "lAmount", "Total number of circles"},
    {"edInterval", "lInterval", "Offset to next circle"},
    {"edRadious", "lRadious", "Radious of first circle"},
    {"edBArrow", "lBArrow", "Arrow's longitudal length"},
    {"edLArrow", "lLArrow", "Arrow's sideward length"},
};

constexpr ControlCaption kEnglishCaptions[] = {
    {"FShape", "Vessel Geometry"},
    {"lRestart", "Changes requires restart of program."},
    {"gbPole", "All in one pole"},
    {"lRadious", "Radius of first circle"},
    {"lInterval", "Offset to next circle"},
    {"lBArrow", "Arrow's longitude length"},
    {"lAmount", "Total number of circles"},
    {"lLArrow", "Arrow's sideward length"},
    {"bSave", "Save && Hide"},
    {"bDefault", "Default"},
};

void putTexts(const std::array<QLineEdit*, std::size(kVesselShapeKeys)>& fields,
              const VesselGeometryTexts& texts) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        fields[i]->setText(QString::fromStdString(texts[i]));
    }
}

VesselGeometryTexts takeTexts(const std::array<QLineEdit*, std::size(kVesselShapeKeys)>& fields) {
    VesselGeometryTexts texts;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        texts[i] = fields[i]->text().trimmed().toStdString();
    }
    return texts;
}

} // namespace

TFShape::TFShape(ProfileStore settings, QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint), settings_(std::move(settings)) {
    setObjectName(QStringLiteral("FShape"));
    setWindowTitle(QStringLiteral("Vessel Geometry"));

    auto* pole = new QGroupBox(QStringLiteral("All in one pole"));
    pole->setObjectName(QStringLiteral("gbPole"));
    auto* form = new QFormLayout(pole);
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        const FieldControl& control = kFieldControls[i];
        fields_[i] = new QLineEdit;
        fields_[i]->setObjectName(QString::fromUtf8(control.objectName));
        fields_[i]->setMaximumWidth(90);
        labels_[i] = new QLabel(QString::fromUtf8(control.caption));
        labels_[i]->setObjectName(QString::fromUtf8(control.labelName));
        form->addRow(labels_[i], fields_[i]);
    }
    auto* note = new QLabel(QStringLiteral("Changes requires restart of program."));
    note->setObjectName(QStringLiteral("lRestart"));
    note->setStyleSheet(QStringLiteral("QLabel { color: #a00000; }"));

    save_ = new QPushButton(QStringLiteral("Save && Hide"));
    save_->setObjectName(QStringLiteral("bSave"));
    default_ = new QPushButton(QStringLiteral("Default"));
    default_->setObjectName(QStringLiteral("bDefault"));
    connect(save_, &QPushButton::clicked, this, [this] { bSaveClick(); });
    connect(default_, &QPushButton::clicked, this, [this] { bDefaultClick(); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(default_);
    buttons->addStretch();
    buttons->addWidget(save_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pole);
    layout->addWidget(note);
    layout->addLayout(buttons);

    putTexts(fields_, readVesselGeometryTexts(settings_));
}

VesselGeometry TFShape::vesselGeometry() const {
    return vesselGeometryFromTexts(takeTexts(fields_));
}

void TFShape::bSaveClick() {
    const VesselGeometryTexts texts = takeTexts(fields_);
    if (const std::optional<std::size_t> bad = firstUnusableGeometryField(texts)) {
        const QString name = labels_[*bad]->text();
        const QString message = *bad == 0 ? QStringLiteral("\"%1\" must be a whole number from 0 to %2.")
                                                .arg(name)
                                                .arg(kMaxVesselCircles)
                                          : QStringLiteral("\"%1\" must be a number of 0 or more.").arg(name);
        fields_[*bad]->setFocus();
        fields_[*bad]->selectAll();
        showError(message);
        return;
    }
    if (!writeVesselGeometryTexts(settings_, texts)) {
        showError(QStringLiteral("The vessel geometry could not be written to %1.")
                      .arg(QString::fromStdString(settings_.file().string())));
        return;
    }
    hide();
}

void TFShape::showError(const QString& message) {
    if (onError) {
        onError(message);
    } else {
        QMessageBox::critical(this, windowTitle(), message);
    }
}

void TFShape::bDefaultClick() {
    putTexts(fields_, defaultVesselGeometryTexts());
}

std::span<const ControlCaption> TFShape::englishCaptions() {
    return kEnglishCaptions;
}

void TFShape::applyEnglishCaptions() {
    applyCaptions(*this, kEnglishCaptions);
}

} // namespace selvir
