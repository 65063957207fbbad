#include "windows/TOffsets.h"

#include "windows/CaptionSet.h"
#include "windows/OffsetsSketch.h"
#include "windows/WidgetPlacement.h"

#include <QApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace selvir {

namespace {

constexpr std::string_view kWindowName = "Offsets";
const QString kTitle = QStringLiteral("Offsets Essential for Post Processing / Recovery");

constexpr ControlCaption kEnglishCaptions[] = {
    {"Offsets", "Offsets Essential for Post Processing / Recovery"},
    {"gbTime", "Time"},
    {"lSV", "SV"},
    {"lTideHt", "Tide Ht"},
    {"lLocation", "Location"},
    {"lSurveyBoat", "Boat"},
    {"lSurveyor", "Surveyor"},
    {"lTime", "Date and Time (UTC)"},
    {"BitBtn1", "Save && Go realtime"},
    {"BitBtn3", "Cancel"},
    {"bSVP", "Sound Velocity Profile"},
    // Beyond the set: their design captions, carried into the other languages.
    {"lOffsetA", "A"},
    {"lOffsetB", "B"},
    {"lOffsetC", "C"},
};

QLineEdit* namedEdit(const char* objectName, int maxWidth = 0) {
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromUtf8(objectName));
    if (maxWidth > 0) {
        edit->setMaximumWidth(maxWidth);
    }
    return edit;
}

QLabel* namedLabel(const char* objectName, const QString& caption) {
    auto* label = new QLabel(caption);
    label->setObjectName(QString::fromUtf8(objectName));
    return label;
}

// A number field with its unit after it.
QHBoxLayout* withUnit(QWidget* field, const QString& unit, QWidget* extra = nullptr) {
    auto* row = new QHBoxLayout;
    row->addWidget(field);
    row->addWidget(new QLabel(unit));
    if (extra) {
        row->addWidget(extra);
    }
    row->addStretch();
    return row;
}

} // namespace

TOffsets::TOffsets(ProfileStore settings, DataFolders folders, const Clock& clock, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowStaysOnTopHint), settings_(std::move(settings)),
      folders_(std::move(folders)), clock_(clock) {
    setObjectName(QStringLiteral("Offsets"));
    setWindowTitle(kTitle);
    setModal(false);
    buildControls();
    loadKeys();
    shownEntry_ = entry();
    inForce_ = offsetsValues(shownEntry_);
    timer_.setInterval(kTimeIntervalMs);
    connect(&timer_, &QTimer::timeout, this, [this] { Timer1Timer(); });
}

void TOffsets::buildControls() {
    constexpr int kNumberWidth = 90;
    offsetA_ = namedEdit("OffsetA", kNumberWidth);
    offsetB_ = namedEdit("OffsetB", kNumberWidth);
    offsetC_ = namedEdit("OffsetC", kNumberWidth);
    sv_ = namedEdit("SV", kNumberWidth);
    tide_ = namedEdit("TideHt", kNumberWidth);
    location_ = namedEdit("Location");
    boat_ = namedEdit("SurveyBoat");
    surveyor_ = namedEdit("Surveyor");
    time_ = namedEdit("time");
    time_->setReadOnly(true); // the timer writes it
    svp_ = new QPushButton(QStringLiteral("Sound Velocity Profile"));
    svp_->setObjectName(QStringLiteral("bSVP"));
    svp_->setEnabled(false);
    svp_->setAutoDefault(false);
    connect(svp_, &QPushButton::clicked, this, [this] {
        if (openSoundVelocityWindow_) {
            openSoundVelocityWindow_();
        }
    });

    auto* fields = new QFormLayout;
    fields->addRow(namedLabel("lOffsetA", QStringLiteral("A")), withUnit(offsetA_, QStringLiteral("m")));
    fields->addRow(namedLabel("lOffsetB", QStringLiteral("B")), withUnit(offsetB_, QStringLiteral("m")));
    fields->addRow(namedLabel("lOffsetC", QStringLiteral("C")), withUnit(offsetC_, QStringLiteral("m")));
    fields->addRow(namedLabel("lSV", QStringLiteral("SV")), withUnit(sv_, QStringLiteral("m/s"), svp_));
    fields->addRow(namedLabel("lTideHt", QStringLiteral("Tide Ht")), withUnit(tide_, QStringLiteral("m")));
    fields->addRow(namedLabel("lLocation", QStringLiteral("Location")), location_);
    fields->addRow(namedLabel("lSurveyBoat", QStringLiteral("Vessel")), boat_);
    fields->addRow(namedLabel("lSurveyor", QStringLiteral("Surveyor")), surveyor_);

    auto* timeGroup = new QGroupBox(QStringLiteral("Time"));
    timeGroup->setObjectName(QStringLiteral("gbTime"));
    auto* timeForm = new QFormLayout(timeGroup);
    timeForm->addRow(namedLabel("lTime", QStringLiteral("Date and Time (UTC)")), time_);

    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addWidget(timeGroup);
    left->addStretch();

    sketch_ = new OffsetsSketch;
    sketch_->setObjectName(QStringLiteral("Image1"));

    auto* top = new QHBoxLayout;
    top->addLayout(left, 3);
    top->addWidget(sketch_, 2);

    realtime_ = new QPushButton(QStringLiteral("Realtime"));
    realtime_->setObjectName(QStringLiteral("BitBtn1"));
    realtime_->setDefault(true);
    cancel_ = new QPushButton(QStringLiteral("Cancel"));
    cancel_->setObjectName(QStringLiteral("BitBtn3"));
    cancel_->setAutoDefault(false);
    connect(realtime_, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(cancel_, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(realtime_);
    buttons->addWidget(cancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);

    for (QLineEdit* field : {offsetA_, offsetB_, offsetC_, sv_, tide_}) {
        connect(field, &QLineEdit::editingFinished, this, [this, field] { numberFieldLeft(field); });
    }
    resize(640, kDoubleClickHeightPx);
}

// Closing an open window moves the focus out of a field while QDialog tears down, which would
// check that field against a window already half gone.
TOffsets::~TOffsets() {
    for (QLineEdit* field : {offsetA_, offsetB_, offsetC_, sv_, tide_}) {
        disconnect(field, &QLineEdit::editingFinished, this, nullptr);
    }
}

OffsetsEntry TOffsets::entry() const {
    OffsetsEntry e;
    e.offsetA = offsetA_->text().toStdString();
    e.offsetB = offsetB_->text().toStdString();
    e.offsetC = offsetC_->text().toStdString();
    e.sv = sv_->text().toStdString();
    e.tide = tide_->text().toStdString();
    e.location = location_->text().toStdString();
    e.boat = boat_->text().toStdString();
    e.surveyor = surveyor_->text().toStdString();
    e.time = time_->text().toStdString();
    return e;
}

void TOffsets::putEntry(const OffsetsEntry& e) {
    offsetA_->setText(QString::fromStdString(e.offsetA));
    offsetB_->setText(QString::fromStdString(e.offsetB));
    offsetC_->setText(QString::fromStdString(e.offsetC));
    sv_->setText(QString::fromStdString(e.sv));
    tide_->setText(QString::fromStdString(e.tide));
    location_->setText(QString::fromStdString(e.location));
    boat_->setText(QString::fromStdString(e.boat));
    surveyor_->setText(QString::fromStdString(e.surveyor));
}

QLineEdit* TOffsets::fieldOf(OffsetsField field) const {
    switch (field) {
    case OffsetsField::OffsetA:
        return offsetA_;
    case OffsetsField::OffsetB:
        return offsetB_;
    case OffsetsField::OffsetC:
        return offsetC_;
    case OffsetsField::SV:
        return sv_;
    case OffsetsField::Tide:
        return tide_;
    case OffsetsField::Location:
        return location_;
    case OffsetsField::Boat:
        return boat_;
    case OffsetsField::Surveyor:
        return surveyor_;
    }
    return offsetA_;
}

void TOffsets::loadKeys() {
    putEntry(readOffsetsKeys(settings_));
}

void TOffsets::showError(const QString& message) {
    if (onError) {
        onError(message);
    } else {
        QMessageBox::warning(this, windowTitle(), message);
    }
}

void TOffsets::numberFieldLeft(QLineEdit* field) {
    // Only when the surveyor moves on inside this dialog: "Cancel" and other windows are never held up.
    QWidget* next = QApplication::focusWidget();
    if (!next || next->window() != this || next == cancel_ || !isVisible()) {
        return;
    }
    if (offsetsNumber(field->text().toStdString())) {
        return;
    }
    field->setFocus();
    field->selectAll();
    showError(QString::fromStdString(notANumberMessage(field->text().toStdString())));
}

void TOffsets::Timer1Timer() {
    time_->setText(QString::fromStdString(formatDateTime(clock_.now())));
}

void TOffsets::BitBtn1Click() {
    const bool inTurkish = turkish();
    // 1. The layout first: whatever happens next, the drawing is on disk.
    if (saveLayout) {
        saveLayout();
    }
    const OffsetsEntry e = entry();
    // 2. A time text in another layout is said, and the confirmation goes on.
    if (const std::optional<std::string> warning = timeFormatWarning(e.time, inTurkish)) {
        showError(QString::fromStdString(*warning));
    }
    // 3. The data folders.
    folders_.createAll();
    // 4 to 7. The checks, the first failure ends the confirmation with its field in focus.
    if (const std::optional<OffsetsCheckFailure> failure = checkOffsets(e, inTurkish)) {
        QLineEdit* field = fieldOf(failure->field);
        field->setFocus();
        field->selectAll();
        showError(QString::fromStdString(failure->message));
        return;
    }
    // 8. The record. One that cannot be written is said: the dialog stays, nothing else is done.
    std::string error;
    if (!appendOffsetsRecord(folders_, clock_.now().date, e, inTurkish, profileUsed_, &error)) {
        showError(
            QStringLiteral("The offsets record could not be written: %1").arg(QString::fromStdString(error)));
        return;
    }
    // 9. The keys.
    if (!writeOffsetsKeys(settings_, e)) {
        showError(QStringLiteral("The offsets could not be stored in %1.")
                      .arg(QString::fromStdString(settings_.file().string())));
    }
    // The confirmed values are in force from now, before realtime starts.
    inForce_ = offsetsValues(e);
    shownEntry_ = e;
    // 10. Realtime.
    if (pressRealtime && !(realtimeRunning && realtimeRunning())) {
        pressRealtime();
    }
    // 11.
    savePlacement();
    accept();
}

void TOffsets::BitBtn3Click() {
    reject();
}

void TOffsets::reject() {
    putEntry(shownEntry_); // what is in force stays as it was
    savePlacement();
    QDialog::reject();
}

void TOffsets::savePlacement() {
    if (shown_) {
        saveWidgetPlacement(settings_, kWindowName, *this);
    }
}

void TOffsets::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        loadKeys();
        shownEntry_ = entry();
        restoreWidgetPlacement(settings_, kWindowName, *this, false);
        Timer1Timer();
        timer_.start();
        shown_ = true;
    }
    QDialog::showEvent(event);
}

void TOffsets::hideEvent(QHideEvent* event) {
    if (!event->spontaneous()) {
        timer_.stop();
        // Closed: the fields are what the depth reduction uses from now on.
        inForce_ = offsetsValues(entry());
    }
    QDialog::hideEvent(event);
}

void TOffsets::mouseDoubleClickEvent(QMouseEvent* event) {
    resize(width(), kDoubleClickHeightPx);
    event->accept();
}

void TOffsets::setSoundVelocityProfileUsed(bool used) {
    profileUsed_ = used;
    showProfileState();
}

void TOffsets::showProfileState() {
    sv_->setEnabled(!profileUsed_);
    svp_->setText(QString::fromStdString(profileButtonCaption(profileUsed_, turkish())));
}

void TOffsets::setSoundVelocityWindowOpener(std::function<void()> open) {
    openSoundVelocityWindow_ = std::move(open);
    svp_->setEnabled(static_cast<bool>(openSoundVelocityWindow_));
}

std::span<const ControlCaption> TOffsets::englishCaptions() {
    return kEnglishCaptions;
}

void TOffsets::applyEnglishCaptions() {
    applyCaptions(*this, kEnglishCaptions);
}

} // namespace selvir
