#pragma once
// TfJoystick ("fJoystick", "Battery"): a small stay-on-top read-out of the battery voltage that the
// "Selvir SMT" echosounder message reports. It is hidden, once a second, while the echosounder message
// chosen in the device settings is another one, and shown again when "Selvir SMT" is chosen again.

#include "core/ProfileStore.h"
#include "windows/CaptionSet.h"

#include <QTimer>
#include <QWidget>
#include <functional>
#include <span>
#include <string>

class QLabel;

namespace selvir {

class TfJoystick : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCheckIntervalMs = 1000;

    explicit TfJoystick(ProfileStore settings, QWidget* owner = nullptr);

    // The voltage as the echosounder handler writes it ("12.60").
    void showBattery(const std::string& volts);
    // Timer1's tick: hide while the message choice is not "Selvir SMT", show again once it is.
    void Timer1Timer();
    // The device settings' echosounder message choice, given by the main window.
    std::function<std::string()> messageChoice;

    void applyEnglishCaptions();
    static std::span<const ControlCaption> englishCaptions();
    void savePlacement();

    QLabel* pBattery() const { return battery_; }
    QTimer& Timer1() { return timer1_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    ProfileStore settings_;
    QLabel* battery_;
    QTimer timer1_;
    bool hiddenForOtherMessage_ = false;
    bool placed_ = false;
};

} // namespace selvir
