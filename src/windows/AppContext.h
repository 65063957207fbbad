#pragma once
// Where the program finds its settings, its data and its devices. The desktop program builds one from
// the executable's path; tests build one on temporary folders, a manual clock and memory devices.

#include "core/DateTime.h"
#include "navigation/SurveySession.h"

#include <filesystem>
#include <functional>

namespace selvir {

struct AppContext {
    std::filesystem::path settingsFile;  // "SelvirHS.INI"
    std::filesystem::path dataRoot;      // "c:\GVX\" or "$HOME/GVX/"
    std::filesystem::path executableDir; // "SelvirHS2.ico" and "SelvirUD.exe" stand here
    std::filesystem::path executable;    // started again by the restart button
    const Clock* clock = nullptr;        // the system clock when null
    // The two readers' port layers; Qt serial ports resolved through the settings file when empty.
    std::function<SurveySessionDevices()> devices;
    // The exit button ends the process at once; tests replace that with a callback.
    std::function<void(int code)> exitProcess;
};

// The application title, for the program's own message boxes.
inline constexpr const char* kApplicationTitle = "Selvir HS";

// Names the application for the per-user settings folder. No display name is set: Qt would append it
// to every window title on X11 and Wayland ("Selvir Dalgaroz — Selvir HS").
void nameApplication();

// "." as decimal point in every number the program shows, reads or writes, whatever the user's
// locale: Qt's default locale and the C library's numeric category. Called once, before any window.
void useDotDecimalPointEverywhere();

// The context of the installed program: settings beside the executable (or in the per-user folder),
// data under the default root, the system clock and the Qt serial ports.
AppContext desktopAppContext(const std::filesystem::path& executable);

} // namespace selvir
