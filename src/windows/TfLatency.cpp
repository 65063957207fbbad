#include "windows/TfLatency.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace selvir {

namespace {

QLineEdit* namedField(const char* objectName, bool readOnly) {
    auto* field = new QLineEdit;
    field->setObjectName(QString::fromUtf8(objectName));
    field->setReadOnly(readOnly);
    field->setMaximumWidth(90);
    field->setAlignment(Qt::AlignRight);
    return field;
}

QLabel* namedLabel(const char* objectName, const QString& caption) {
    auto* label = new QLabel(caption);
    label->setObjectName(QString::fromUtf8(objectName));
    return label;
}

constexpr ControlCaption kEnglishCaptions[] = {
    {"fLatency", "Latency"},   {"GroupBox1", "Latency (milisecond)"}, {"lCurrentLatency", "Current"},
    {"lAveraged", "Averaged"}, {"lLatencyTol", "Tolerence"},
};

} // namespace

TfLatency::TfLatency(ProfileStore settings, QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint), settings_(std::move(settings)) {
    setObjectName(QStringLiteral("fLatency"));
    setWindowTitle(QStringLiteral("Latency"));
    group_ = new QGroupBox(QStringLiteral("Latency (milisecond)"));
    group_->setObjectName(QStringLiteral("GroupBox1"));
    current_ = namedField("eCurrentLatency", true);
    averaged_ = namedField("eLatencyAveraged", true);
    tolerance_ = namedField("eLatencyTol", false);
    tolerance_->setValidator(new QIntValidator(0, 999999, tolerance_));
    auto* form = new QFormLayout(group_);
    form->addRow(namedLabel("lCurrentLatency", QStringLiteral("Current")), current_);
    form->addRow(namedLabel("lAveraged", QStringLiteral("Averaged")), averaged_);
    form->addRow(namedLabel("lLatencyTol", QStringLiteral("Tolerence")), tolerance_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group_);

    const int stored = readLatencyTolerance(settings_);
    watch_.setToleranceText(std::to_string(stored));
    tolerance_->setText(QString::number(stored));
    connect(tolerance_, &QLineEdit::textChanged, this, &TfLatency::eLatencyTolChange);
    connect(current_, &QLineEdit::textChanged, this, &TfLatency::eCurrentLatencyChange);
}

std::span<const ControlCaption> TfLatency::englishCaptions() {
    return kEnglishCaptions;
}

void TfLatency::applyEnglishCaptions() {
    applyCaptions(*this, kEnglishCaptions);
}

void TfLatency::showLatency(const std::string& currentMs, const std::string& averageMs) {
    averaged_->setText(QString::fromStdString(averageMs));
    current_->setText(QString::fromStdString(currentMs));
}

void TfLatency::eLatencyTolChange(const QString& text) {
    // A text that is not a whole number (the field emptied to type another) keeps the last tolerance.
    if (watch_.setToleranceText(text.toStdString())) {
        writeLatencyTolerance(settings_, watch_.toleranceMs());
        if (color_) {
            showColor();
        }
    }
}

void TfLatency::eCurrentLatencyChange(const QString& text) {
    if (watch_.setCurrentText(text.toStdString())) {
        showColor();
    }
}

void TfLatency::showColor() {
    color_ = watch_.withinTolerance() ? kColorLime : kColorRed;
    group_->setStyleSheet(*color_ == kColorLime
                              ? QStringLiteral("QGroupBox#GroupBox1 { background: #00ff00; }")
                              : QStringLiteral("QGroupBox#GroupBox1 { background: #ff0000; }"));
}

} // namespace selvir
