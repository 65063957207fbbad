#pragma once
// The "Line Guidance" window: how the program guides along the lines (advance to the next line, the
// off-line tolerance, a survey file per line) and the NMEA output for an autopilot and a chart plotter
// (address, UDP port, serial port, sentences). Save checks the fields, stores them and hides the
// window; the guidance reads them at the next tick. Created once at start; closing only hides it.

#include "core/ProfileStore.h"
#include "windows/CaptionSet.h"

#include <QWidget>
#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace selvir {

class TfGuidance : public QWidget {
    Q_OBJECT
public:
    explicit TfGuidance(ProfileStore& settings, QWidget* owner = nullptr);

    // Shows the stored values.
    void FormShow();
    // This window's part of the English caption set.
    void ApplyEnglishCaptions();
    static std::span<const ControlCaption> englishCaptions();
    // Checks and stores the fields; false (reported through onError) when one is wrong.
    bool bSaveClick();
    // Failures to the surveyor; a message box when unset.
    std::function<void(const QString& message)> onError;

    QCheckBox* cbAutoAdvance = nullptr;
    QLineEdit* eTolerance = nullptr;
    QCheckBox* cbLineFiles = nullptr;
    QCheckBox* cbNmeaOutput = nullptr;
    QLineEdit* eNmeaHost = nullptr;
    QLineEdit* eNmeaPort = nullptr;
    QComboBox* cNmeaSerial = nullptr; // "None", "COM1" ... "COM16"
    QComboBox* cNmeaBaud = nullptr;
    QCheckBox* cbXTE = nullptr;
    QCheckBox* cbAPB = nullptr;
    QCheckBox* cbDPT = nullptr;
    QPushButton* bSave = nullptr;
    QPushButton* bCancel = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    ProfileStore& settings_;
    bool placed_ = false;
};

} // namespace selvir
