#pragma once
// TNavset ("Navigation Settings"): vessel symbol colour and width, map background, trackline colours,
// width, interval and style, map update rate, shallow-water alert and grid colour. The realtime update
// reads these controls on every tick; the background and the update rate act at once through the
// signals below. Values are kept in "NAVIGATION_SETTINGS": read at creation and on every showing that
// finds no change of the surveyor's still unsaved (a window only hidden keeps what it shows), written
// when the window is closed.

#include "core/ProfileStore.h"
#include "navigation/RealtimeSettings.h"
#include "windows/CaptionSet.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace selvir {

class ColorBox;

class TNavset : public QWidget {
    Q_OBJECT
public:
    explicit TNavset(ProfileStore settings, QWidget* owner = nullptr);

    // What the controls hold now. A shallow-water alert that does not read as a number gives the last
    // one that did (and the window says so under the field).
    NavigationDisplaySettings displaySettings() const;

    // The close query: writes the eleven keys and the window placement.
    void FormCloseQuery();
    // Writes the window placement, once the window has been shown.
    void savePlacement();
    // The window's part of the English caption set.
    void applyEnglishCaptions();
    static std::span<const ControlCaption> englishCaptions();

    ColorBox* VesselColor() const { return vesselColor_; }
    QSpinBox* VesselWidth() const { return vesselWidth_; }
    ColorBox* fcadColor() const { return background_; }
    ColorBox* ColorTracklines1() const { return fixedColor_; }
    ColorBox* ColorTracklines0() const { return floatColor_; }
    QSpinBox* TrackWidth() const { return trackWidth_; }
    QSpinBox* TrackInterval() const { return trackInterval_; }
    QSpinBox* eUpdateRate() const { return updateRate_; }
    QCheckBox* cLineOrDot() const { return lineOrDot_; }
    QLineEdit* edDepthAlert1() const { return depthAlert_; }
    QLabel* DepthAlertNote() const { return depthAlertNote_; }
    ColorBox* GridColor() const { return gridColor_; }

signals:
    // The surveyor chose another map background: the canvas takes it at once.
    void backgroundColorChanged(ColorValue color);
    // A new update rate is in force: the map timer's period, milliseconds.
    void updateRateChanged(int rateMs);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void readKeys();
    void eUpdateRateChange(const QString& text);
    void edDepthAlert1Change(const QString& text);
    // Puts the refill text back at once when the surveyor empties the field.
    void refillWhenEmptied(QSpinBox* field, int refill);

    ProfileStore settings_;
    ColorBox* vesselColor_ = nullptr;
    QSpinBox* vesselWidth_ = nullptr;
    ColorBox* background_ = nullptr;
    ColorBox* fixedColor_ = nullptr;
    ColorBox* floatColor_ = nullptr;
    QSpinBox* trackWidth_ = nullptr;
    QSpinBox* trackInterval_ = nullptr;
    QSpinBox* updateRate_ = nullptr;
    QCheckBox* lineOrDot_ = nullptr;
    QLineEdit* depthAlert_ = nullptr;
    ColorBox* gridColor_ = nullptr;
    QLabel* depthAlertNote_ = nullptr; // says why a typed alert depth is not taken
    double depthAlertM_ = 0.5;         // the last alert depth that read as a number
    bool loading_ = false;             // stored values are being put in: no effects of a surveyor's change
    bool unsaved_ = false;             // changed on screen since the keys were read or written
    bool shown_ = false;
};

} // namespace selvir
