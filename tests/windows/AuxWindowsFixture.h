#pragma once
// The main window with every window main() gives it (the set-up windows, the realtime data, waterfall,
// battery and theme windows), on the fixture's temporary folders and memory serial devices.

#include "SetupWindowsFixture.h"
#include "windows/TfCanvas.h"
#include "windows/TfJoystick.h"
#include "windows/TfRealtime.h"
#include "windows/TfTheme.h"

#include <QLabel>
#include <QTest>

namespace selvir::test {

struct AuxWindowsFixture : SetupWindowsFixture {
    std::unique_ptr<TfRealtime> realtime;
    std::unique_ptr<TfCanvas> waterfall;
    std::unique_ptr<TfJoystick> battery;
    std::unique_ptr<TfTheme> theme;

    void SetUp() override {
        settings.writeString("GPS1 COMUNICATION SETTINGS", "Port No", "COM3");
        settings.writeString("SENSOR COMUNICATION SETTINGS", "Port No", "COM4");
    }
    // With the set-up windows too, or without them (the engine then reads the settings file, and no
    // offsets dialog waits to be confirmed).
    TFNav& makeAll(bool withSetupWindows = false) {
        if (withSetupWindows) {
            makeWithWindows();
        } else {
            make();
        }
        realtime = std::make_unique<TfRealtime>(settings);
        window->SetRealtimeWindow(realtime.get());
        waterfall = std::make_unique<TfCanvas>(settings);
        window->SetWaterfallWindow(waterfall.get());
        theme = std::make_unique<TfTheme>(settings);
        window->SetThemeWindow(theme.get());
        battery = std::make_unique<TfJoystick>(settings);
        window->SetBatteryWindow(battery.get());
        return *window;
    }
    // Shown and running, with the readers polled by hand.
    void startShown() {
        makeAll().FormShow();
        window->show();
        window->RealtimeClick();
        window->ZGPS1().setTimersEnabled(false);
        window->ZSENSOR().setTimersEnabled(false);
    }
    QString field(const char* name) const { return realtime->Field(QString::fromUtf8(name))->text(); }
};

} // namespace selvir::test
