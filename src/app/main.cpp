// The desktop program: reads the visual style, starts the toolkit, creates the windows with the main
// window first, and runs until the main window closes.
#include "core/ProfileStore.h"
#include "navigation/DataFolderLock.h"
#include "windows/AppContext.h"
#include "windows/TExportMap.h"
#include "windows/TFGPS.h"
#include "windows/TFMsg.h"
#include "windows/TFNav.h"
#include "windows/TFShape.h"
#include "windows/TNavset.h"
#include "windows/TOffsets.h"
#include "windows/TfCanvas.h"
#include "windows/TfGuidance.h"
#include "windows/TfJoystick.h"
#include "windows/TfLatency.h"
#include "windows/TfRealtime.h"
#include "windows/TfRunline1.h"
#include "windows/TfSVP.h"
#include "windows/TfTheme.h"
#include "windows/Themes.h"

#include <QApplication>
#include <QMessageBox>
#include <exception>
#include <filesystem>
#include <memory>
#include <system_error>

namespace {

std::filesystem::path executablePath(const char* argv0) {
    std::error_code ec;
    auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec && !self.empty()) {
        return self;
    }
    return std::filesystem::absolute(argv0, ec);
}

} // namespace

int main(int argc, char* argv[]) {
    selvir::nameApplication();
    selvir::AppContext context = selvir::desktopAppContext(executablePath(argv[0]));

    // 1. The visual style, read before any window exists.
    std::string theme;
    {
        const selvir::ProfileStore settings(context.settingsFile);
        theme = settings.readString(selvir::kThemeSection, selvir::kThemeKey, selvir::kDefaultThemeName);
    }

    // 2. The toolkit and the style.
    QApplication app(argc, argv);
    selvir::useDotDecimalPointEverywhere(); // after the toolkit, which takes the user's locale
    selvir::applyStartupTheme(QString::fromStdString(theme), [](const QString& message) {
        QMessageBox::warning(nullptr, QString::fromUtf8(selvir::kApplicationTitle), message);
    });

    // One program per data folder: a second one would mix its rows into this one's survey file.
    const selvir::DataFolderLock dataFolder(context.dataRoot);
    if (!dataFolder.owned()) {
        QMessageBox::critical(nullptr, QString::fromUtf8(selvir::kApplicationTitle),
                              QString::fromStdString(dataFolder.error()));
        return 1;
    }

    try {
        // 3. The windows, main window first; closing it ends the program.
        selvir::TFMsg messages;
        // Declared before the main window, so they outlive it: it reads them until it is gone.
        std::unique_ptr<selvir::TNavset> navset;
        std::unique_ptr<selvir::TFShape> shape;
        std::unique_ptr<selvir::TFGPS> deviceSettings;
        std::unique_ptr<selvir::TfRealtime> realtime;
        std::unique_ptr<selvir::TOffsets> offsets;
        std::unique_ptr<selvir::TfSVP> soundVelocity;
        std::unique_ptr<selvir::TfRunline1> runlines;
        std::unique_ptr<selvir::TfGuidance> guidance;
        std::unique_ptr<selvir::TfLatency> latency;
        std::unique_ptr<selvir::TfCanvas> waterfall;
        std::unique_ptr<selvir::TfTheme> themeWindow;
        std::unique_ptr<selvir::TfJoystick> battery;
        selvir::TFNav window(context, &messages);
        const selvir::ProfileStore settings(context.settingsFile);
        navset = std::make_unique<selvir::TNavset>(settings);
        window.SetNavigationSettingsWindow(navset.get());
        shape = std::make_unique<selvir::TFShape>(settings);
        window.SetVesselShapeWindow(shape.get());
        deviceSettings = std::make_unique<selvir::TFGPS>(window.Session().settings(), &window);
        window.SetDeviceSettingsWindow(deviceSettings.get());
        realtime = std::make_unique<selvir::TfRealtime>(settings);
        window.SetRealtimeWindow(realtime.get());
        offsets = std::make_unique<selvir::TOffsets>(settings, window.Session().folders(),
                                                     window.Session().clock());
        window.SetOffsetsWindow(offsets.get());
        soundVelocity = std::make_unique<selvir::TfSVP>(window.Settings(), window.Folders());
        window.SetSoundVelocityWindow(soundVelocity.get());
        runlines = std::make_unique<selvir::TfRunline1>(
            *window.Canvas(), window.Session().settings(),
            [&window](const std::string& text) { window.Session().events().writeAutoEvent(text); });
        window.SetRunlineWindow(runlines.get());
        guidance = std::make_unique<selvir::TfGuidance>(window.Session().settings());
        window.SetGuidanceWindow(guidance.get());
        latency = std::make_unique<selvir::TfLatency>(settings);
        window.SetLatencyWindow(latency.get());
        waterfall = std::make_unique<selvir::TfCanvas>(settings);
        window.SetWaterfallWindow(waterfall.get());
        themeWindow = std::make_unique<selvir::TfTheme>(settings);
        window.SetThemeWindow(themeWindow.get());
        battery = std::make_unique<selvir::TfJoystick>(settings);
        window.SetBatteryWindow(battery.get());
        selvir::TExportMap exportMap(*window.Canvas(), context.settingsFile, context.dataRoot,
                                     window.Session().clock(), &window);
        window.SetExportMapWindow(&exportMap);
        window.FormShow();
        window.show();
        battery->raise(); // shown by FormShow, before the main window: keep it in sight
        // 4. The message loop.
        return app.exec();
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QString::fromUtf8(selvir::kApplicationTitle),
                              QString::fromUtf8(error.what()));
        return 1;
    }
}
