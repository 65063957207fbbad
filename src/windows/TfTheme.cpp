#include "windows/TfTheme.h"

#include "core/ProfileStore.h"
#include "windows/Themes.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace selvir {

namespace {

constexpr ControlCaption kEnglishCaptions[] = {
    {"gbThemes", "Select Theme"},  {"lHint", "Select a theme to preview. Click Save to apply permanently."},
    {"bSaveExit", "Save && Exit"}, {"bCancel", "Cancel"},
    {"fTheme", "Theme Selection"},
};

} // namespace

TfTheme::TfTheme(ProfileStore settings, QWidget* owner)
    : QWidget(owner, Qt::Dialog), settings_(std::move(settings)), list_(new QListWidget(this)),
      info_(new QLabel(this)) {
    setObjectName(QStringLiteral("fTheme"));
    setWindowTitle(QStringLiteral("Theme Selection"));
    setAttribute(Qt::WA_QuitOnClose, false); // the main window alone ends the program
    auto* group = new QGroupBox(QStringLiteral("Select Theme"), this);
    group->setObjectName(QStringLiteral("gbThemes"));
    auto* hint =
        new QLabel(QStringLiteral("Select a theme to preview. Click Save to apply permanently."), group);
    hint->setObjectName(QStringLiteral("lHint"));
    hint->setWordWrap(true);
    list_->setObjectName(QStringLiteral("lbThemeList"));
    info_->setObjectName(QStringLiteral("lInfo"));
    markAsReadout(*info_); // a count the window writes
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(hint);
    groupLayout->addWidget(list_, 1);
    groupLayout->addWidget(info_);

    auto* save = new QPushButton(QStringLiteral("Save && Exit"), this);
    save->setObjectName(QStringLiteral("bSaveExit"));
    save->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("bCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group, 1);
    layout->addLayout(buttons);
    resize(340, 420);

    // A click previews; so does moving through the list with the arrow keys.
    connect(list_, &QListWidget::currentRowChanged, this, [this] { lbThemeListClick(); });
    connect(save, &QPushButton::clicked, this, [this] { bSaveExitClick(); });
    connect(cancel, &QPushButton::clicked, this, [this] { bCancelClick(); });
}

std::span<const ControlCaption> TfTheme::englishCaptions() {
    return kEnglishCaptions;
}

void TfTheme::applyEnglishCaptions() {
    applyCaptions(*this, kEnglishCaptions);
}

void TfTheme::showEvent(QShowEvent* event) {
    if (!placed_) {
        placed_ = true;
        if (const QScreen* screen = this->screen()) {
            // In the middle of the screen, over the map rather than over the menus.
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    FormShow();
    QWidget::showEvent(event);
}

void TfTheme::FormShow() {
    closingDone_ = false;
    remembered_ = activeThemeName();
    const QSignalBlocker quiet(list_); // filling and selecting is no preview
    list_->clear();
    const QStringList names = themeNames();
    list_->addItems(names);
    info_->setText(translatedCaption(*this, "Available themes: %1. Select to preview.").arg(names.size()));
    const int at = static_cast<int>(names.indexOf(remembered_));
    list_->setCurrentRow(at >= 0 ? at : 0);
}

void TfTheme::activate(const QString& name) {
    const bool done = activateTheme(name, [this](const QString& message) {
        if (onError) {
            onError(message);
        } else {
            QMessageBox::warning(this, windowTitle(), message);
        }
    });
    if (done && onThemeChanged) {
        onThemeChanged(activePanelColor());
    }
}

void TfTheme::lbThemeListClick() {
    if (const QListWidgetItem* item = list_->currentItem(); item && item->isSelected()) {
        activate(item->text());
    }
}

void TfTheme::bSaveExitClick() {
    if (const QListWidgetItem* item = list_->currentItem(); item && item->isSelected()) {
        settings_.writeString(kThemeSection, kThemeKey, item->text().toStdString());
    }
    closingDone_ = true;
    close();
}

void TfTheme::bCancelClick() {
    activate(remembered_);
    closingDone_ = true;
    close();
}

void TfTheme::closeEvent(QCloseEvent* event) {
    // Closing the window is no choice: the preview is undone as by "Cancel".
    if (!closingDone_) {
        activate(remembered_);
        closingDone_ = true;
    }
    event->accept();
}

} // namespace selvir
