#pragma once
// TfTheme ("fTheme", "Theme Selection"): lists the themes (Themes.h), previews the one clicked at once,
// and either stores it ("Save && Exit": section "APPLICATION", key "ThemeStyle") or returns to the
// theme that was in force when the window opened ("Cancel", or closing the window).

#include "core/ProfileStore.h"
#include "windows/CaptionSet.h"

#include <QColor>
#include <QString>
#include <QWidget>
#include <functional>
#include <span>

class QLabel;
class QListWidget;
class QPushButton;

namespace selvir {

class TfTheme : public QWidget {
    Q_OBJECT
public:
    explicit TfTheme(ProfileStore settings, QWidget* owner = nullptr);

    // The handlers of the window.
    void FormShow();
    void lbThemeListClick();
    void bSaveExitClick();
    void bCancelClick();

    // After every theme change: the map's background follows the new panel colour.
    std::function<void(const QColor& panel)> onThemeChanged;
    // A theme that cannot be activated (a message box when unset).
    std::function<void(const QString& message)> onError;

    void applyEnglishCaptions();
    static std::span<const ControlCaption> englishCaptions();

    QListWidget* lbThemeList() const { return list_; }
    QLabel* lInfo() const { return info_; }
    // The theme in force when the window was shown.
    const QString& RememberedTheme() const { return remembered_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void activate(const QString& name);

    ProfileStore settings_;
    QListWidget* list_;
    QLabel* info_;
    QString remembered_;
    bool placed_ = false;
    bool closingDone_ = false; // saved or cancelled: the close that follows undoes nothing
};

} // namespace selvir
