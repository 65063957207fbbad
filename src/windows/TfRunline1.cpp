#include "windows/TfRunline1.h"

#include "canvaswidget/TSelvirCanvas.h"
#include "windows/WidgetPlacement.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace selvir {
namespace {

constexpr std::string_view kFormName = "fRunline1";

constexpr ControlCaption kEnglishCaptions[] = {
    {"fRunline1", "Runline Generator"},
    {"gbRoute", "Step 1: Draw Route"},
    {"bDrawRoute", "Draw Route"},
    {"gbSpacing", "Step 2: Spacing (meters)"},
    {"lSpacing", "Spacing"},
    {"lLength", "Length"},
    {"gbLineType", "Step 3: Line Type"},
    {"rbPerpendicular", "Perpendicular"},
    {"rbParallel", "Parallel"},
    {"gbActions", "Actions"},
    {"bGenerate", "Generate"},
    {"bClear", "Clear"},
    {"bClose", "Close"},
};

QString colorName(ColorValue color) {
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF))
        .name();
}

} // namespace

TfRunline1::TfRunline1(TSelvirCanvas& canvas, ProfileStore& settings, RunlineGenerator::AutoEvent autoEvent,
                       QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint), canvas_(canvas), settings_(settings),
      generator_(canvas, settings, std::move(autoEvent)) {
    setObjectName(QString::fromUtf8(kFormName.data(), static_cast<qsizetype>(kFormName.size())));

    routeGroup_ = new QGroupBox(this);
    routeGroup_->setObjectName(QStringLiteral("gbRoute"));
    lRouteStatus = new QLabel(routeGroup_);
    lRouteStatus->setObjectName(QStringLiteral("lRouteStatus"));
    markAsReadout(*lRouteStatus); // the generator's state, shown in the language in force
    bDrawRoute = new QPushButton(routeGroup_);
    bDrawRoute->setObjectName(QStringLiteral("bDrawRoute"));
    auto* routeLayout = new QVBoxLayout(routeGroup_);
    routeLayout->addWidget(lRouteStatus);
    routeLayout->addWidget(bDrawRoute);

    spacingGroup_ = new QGroupBox(this);
    spacingGroup_->setObjectName(QStringLiteral("gbSpacing"));
    spacingLabel_ = new QLabel(spacingGroup_);
    spacingLabel_->setObjectName(QStringLiteral("lSpacing"));
    lengthLabel_ = new QLabel(spacingGroup_);
    lengthLabel_->setObjectName(QStringLiteral("lLength"));
    eSpacing = new QLineEdit(spacingGroup_);
    eSpacing->setObjectName(QStringLiteral("eSpacing"));
    eLength = new QLineEdit(spacingGroup_);
    eLength->setObjectName(QStringLiteral("eLength"));
    auto* spacingLayout = new QGridLayout(spacingGroup_);
    spacingLayout->addWidget(spacingLabel_, 0, 0);
    spacingLayout->addWidget(eSpacing, 0, 1);
    spacingLayout->addWidget(lengthLabel_, 1, 0);
    spacingLayout->addWidget(eLength, 1, 1);

    typeGroup_ = new QGroupBox(this);
    typeGroup_->setObjectName(QStringLiteral("gbLineType"));
    rbPerpendicular = new QRadioButton(typeGroup_);
    rbPerpendicular->setObjectName(QStringLiteral("rbPerpendicular"));
    rbParallel = new QRadioButton(typeGroup_);
    rbParallel->setObjectName(QStringLiteral("rbParallel"));
    auto* typeLayout = new QHBoxLayout(typeGroup_);
    typeLayout->addWidget(rbPerpendicular);
    typeLayout->addWidget(rbParallel);

    actionsGroup_ = new QGroupBox(this);
    actionsGroup_->setObjectName(QStringLiteral("gbActions"));
    bGenerate = new QPushButton(actionsGroup_);
    bGenerate->setObjectName(QStringLiteral("bGenerate"));
    bClear = new QPushButton(actionsGroup_);
    bClear->setObjectName(QStringLiteral("bClear"));
    bClose = new QPushButton(actionsGroup_);
    bClose->setObjectName(QStringLiteral("bClose"));
    auto* actionsLayout = new QHBoxLayout(actionsGroup_);
    actionsLayout->addWidget(bGenerate);
    actionsLayout->addWidget(bClear);
    actionsLayout->addWidget(bClose);

    auto* layout = new QVBoxLayout(this);
    for (QGroupBox* group : {routeGroup_, spacingGroup_, typeGroup_, actionsGroup_}) {
        layout->addWidget(group);
    }

    ApplyEnglishCaptions();
    showFields();

    connect(bDrawRoute, &QPushButton::clicked, this, [this] { bDrawRouteClick(); });
    connect(bGenerate, &QPushButton::clicked, this, [this] { bGenerateClick(); });
    connect(bClear, &QPushButton::clicked, this, [this] { bClearClick(); });
    connect(bClose, &QPushButton::clicked, this, &QWidget::hide);
    connect(eSpacing, &QLineEdit::textEdited, this, [this] { fieldsChange(); });
    connect(eLength, &QLineEdit::textEdited, this, [this] { fieldsChange(); });
    // Each button's own change: the one turned on regenerates, the one turned off does not again.
    connect(rbPerpendicular, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            fieldsChange();
        }
    });
    connect(rbParallel, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            fieldsChange();
        }
    });
    adjustSize();
}

void TfRunline1::showFields() {
    const RunlineFields& fields = generator_.fields();
    const QSignalBlocker blockPerpendicular(rbPerpendicular);
    const QSignalBlocker blockParallel(rbParallel);
    eSpacing->setText(QString::fromStdString(fields.spacingText));
    eLength->setText(QString::fromStdString(fields.lengthText));
    rbPerpendicular->setChecked(fields.perpendicular);
    rbParallel->setChecked(!fields.perpendicular);
}

void TfRunline1::showStatus() {
    const RunlineStatus& status = generator_.status();
    QString text = translatedCaption(*this, status.caption.c_str());
    for (const long long number : status.numbers) {
        text = text.arg(number);
    }
    lRouteStatus->setText(text);
    lRouteStatus->setStyleSheet(
        QStringLiteral("QLabel { color: %1; font-weight: bold; }").arg(colorName(status.color)));
}

RunlineFields TfRunline1::fieldsOnScreen() const {
    RunlineFields fields;
    fields.spacingText = eSpacing->text().toStdString();
    fields.lengthText = eLength->text().toStdString();
    fields.perpendicular = rbPerpendicular->isChecked();
    return fields;
}

void TfRunline1::fieldsChange() {
    generator_.setFields(fieldsOnScreen());
    showStatus();
}

void TfRunline1::bDrawRouteClick() {
    generator_.drawRoute();
    showStatus();
    // The clicks go to the map.
    canvas_.activateWindow();
    canvas_.setFocus();
}

void TfRunline1::bGenerateClick() {
    // One generation and one event record: the fields go in with it, not through a change of their own.
    if (!generator_.generate(fieldsOnScreen())) {
        const QString message = translatedCaption(*this, "Please draw a route first.");
        if (onMessage) {
            onMessage(message);
        } else {
            QMessageBox::information(this, windowTitle(), message);
        }
    }
    showStatus();
}

void TfRunline1::bClearClick() {
    generator_.clear();
    showStatus();
}

void TfRunline1::CancelRouteDrawing() {
    if (generator_.drawingRoute()) {
        generator_.cancelRouteDrawing();
        showStatus();
    }
}

void TfRunline1::SetRoute(const PolylinePoints& points) {
    generator_.setRoute(points);
    showStatus();
}

std::span<const ControlCaption> TfRunline1::englishCaptions() {
    return kEnglishCaptions;
}

void TfRunline1::ApplyEnglishCaptions() {
    applyCaptions(*this, kEnglishCaptions);
    showStatus();
}

void TfRunline1::showEvent(QShowEvent* event) {
    if (!placed_) {
        placed_ = true;
        placeToolWindow(settings_, kFormName, *this);
    }
    QWidget::showEvent(event);
}

void TfRunline1::SavePlacement() {
    if (placed_) { // a window never shown has no place of its own to keep
        saveWidgetPlacement(settings_, kFormName, *this);
    }
}

void TfRunline1::hideEvent(QHideEvent* event) {
    SavePlacement();
    QWidget::hideEvent(event);
}

} // namespace selvir
