// The main window and its auxiliary windows: the realtime read-out with the full-screen map, the
// acoustic waterfall fed by the echogram timer, the battery read-out and the theme selection.
#include "canvaswidget/TSelvirCanvas.h"
#include "navigation/RealtimeSettings.h"
#include "windows/TFNav.h"
#include "windows/TNavset.h"
#include "windows/TfCanvas.h"
#include "windows/TfJoystick.h"
#include "windows/TfRealtime.h"
#include "windows/TfTheme.h"
#include "windows/WidgetPlacement.h"

#include <QAction>
#include <QDesktopServices>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

namespace selvir {

namespace {

void enableEntry(QAction* entry, bool enabled) {
    if (entry) {
        entry->setEnabled(enabled);
    }
}

} // namespace

// --- The realtime data window and the full-screen map

void TFNav::SetRealtimeWindow(TfRealtime* realtime) {
    realtime_ = realtime;
    enableEntry(Action(QStringLiteral("RealtimeWindow1")), realtime_ != nullptr);
    enableEntry(Action(QStringLiteral("OpenLogFolder1")), realtime_ != nullptr);
    if (!realtime_) {
        return;
    }
    mapOnlyWindows_.push_back(realtime_);
    RealtimeReadout& readout = session_->readout();
    readout.onChange = [this, &readout] { realtime_->showReadout(readout); };
    realtime_->onZoomIn = [this] { ZoomInClick(); };
    realtime_->onZoomOut = [this] { ZoomOutClick(); };
    realtime_->onOpenLogFolder = [this] { OpenLogFolder1Click(); };
    realtime_->onMapOnlyChanged = [this](bool mapOnly) { ShowMapOnly(mapOnly); };
    // The device settings window applies its echosounder choice; without it, the choice as stored.
    realtime_->applyMessageChoice = [this] {
        if (deviceSettings_) {
            deviceSettings_->applyMessageChoiceAtStart();
        } else {
            realtime_->ShowLowFrequencyFrame(deviceSwitches().lowFrequencyFrameVisible());
        }
    };
    wireRealtimeOffsetsButton();
    wireLowFrequencyBox();
}

void TFNav::wireLowFrequencyBox() {
    if (realtime_ && deviceSettings_) {
        deviceSettings_->setLowFrequencyDepthBox(realtime_);
    }
}

DeviceSwitches TFNav::deviceSwitches() {
    return session_->deviceSettings().deviceSwitches();
}

void TFNav::wireRealtimeOffsetsButton() {
    if (realtime_ && offsets_) {
        realtime_->SetShowOffsets([this] { OffsetsandValues1Click(); });
    }
}

void TFNav::RealtimeWindow1Click() {
    showWindow(realtime_);
}

void TFNav::OpenLogFolder1Click() {
    // The folder of the receiver's raw log; the day's log folder before the first realtime start.
    const std::string& logFile = ZGPS1().LogFileName;
    const std::filesystem::path folder =
        logFile.empty() ? folders_.logFolder() : std::filesystem::path(logFile).parent_path();
    const QUrl url = QUrl::fromLocalFile(QString::fromStdString(folder.string()));
    const bool opened = openUrl ? openUrl(url) : QDesktopServices::openUrl(url);
    if (!opened) {
        showError(QStringLiteral("The log folder %1 could not be opened.")
                      .arg(QString::fromStdString(folder.string())));
    }
}

void TFNav::ShowMapOnly(bool mapOnly) {
    if (mapOnly == mapOnly_) {
        return;
    }
    mapOnly_ = mapOnly;
    const QList<QToolBar*> toolbars = findChildren<QToolBar*>(Qt::FindDirectChildrenOnly);
    if (mapOnly) {
        stateBeforeMapOnly_ = windowState();
        for (QToolBar* bar : toolbars) {
            bar->hide();
        }
        statusBar()->hide();
        menuBar()->hide();
        for (QWidget* window : mapOnlyWindows_) {
            window->hide();
        }
        showFullScreen();
        return;
    }
    for (QToolBar* bar : toolbars) {
        bar->show();
    }
    statusBar()->show();
    menuBar()->show();
    setWindowState(stateBeforeMapOnly_ & ~Qt::WindowFullScreen);
    // Leaving the full-screen map brings the realtime read-out, the navigation settings and the waterfall
    // up, whether they were open before or not: the helmsman gets his instruments back in one place.
    for (QWidget* window : mapOnlyWindows_) {
        window->show();
    }
}

void TFNav::statusBoxDoubleClicked(int xPx, int yPx) {
    if (realtime_ && canvas_->IsPointInGGAOverlay(xPx, yPx)) {
        realtime_->btHideClick();
    }
}

void TFNav::showDepthWindows(bool sensorOn) {
    if (realtime_) {
        // The low-frequency frame only for the message formats that read a low-frequency depth: the map's
        // depth box shows that depth only while the frame is shown.
        realtime_->ShowDepthFrames(sensorOn, sensorOn && deviceSwitches().lowFrequencyFrameVisible());
    }
    if (sensorOn && waterfall_) {
        waterfall_->show();
    }
}

// --- The acoustic waterfall

void TFNav::SetWaterfallWindow(TfCanvas* waterfall) {
    waterfall_ = waterfall;
    enableEntry(Action(QStringLiteral("Echogram1")), waterfall_ != nullptr);
    enableEntry(Action(QStringLiteral("mAcousticsWaterfall")), waterfall_ != nullptr);
    if (!waterfall_) {
        return;
    }
    mapOnlyWindows_.push_back(waterfall_);
    waterfall_->setEchogramInterval = [this](int intervalMs) { tEchogram_.setInterval(intervalMs); };
    // The navigation settings' map background: the window's own, or as stored in tests without it.
    waterfall_->mapBackgroundColor = [this] {
        return navset_ ? navset_->displaySettings().backgroundColor
                       : NavigationDisplaySettings::read(settings_).backgroundColor;
    };
}

void TFNav::Echogram1Click() {
    if (!deviceSwitches().sensorEnabled) {
        showInformation(
            QStringLiteral("Sensor is not enabled. Enable sensor in GPS settings to view echogram."));
        return;
    }
    showWindow(waterfall_);
}

void TFNav::mAcousticsWaterfallClick() {
    showWindow(waterfall_);
}

void TFNav::tEchogramTimer() {
    // A depth that arrives while the waterfall is hidden is never drawn.
    WaterfallFeed& feed = session_->waterfall();
    if (waterfall_ && waterfall_->isVisible() && feed.newDepth) {
        waterfall_->DrawWaterfall(feed.latestDepthM, TfCanvas::kDefaultTopM, TfCanvas::kDefaultBottomM,
                                  waterfall_->DataWidth());
    }
    feed.newDepth = false;
}

// --- The battery and the theme windows

void TFNav::SetBatteryWindow(TfJoystick* battery) {
    battery_ = battery;
    if (battery_) {
        battery_->messageChoice = [this] { return deviceSwitches().messageFormat; };
    }
}

void TFNav::showBattery(const std::string& volts) {
    if (battery_) {
        battery_->showBattery(volts);
    }
}

void TFNav::SetThemeWindow(TfTheme* theme) {
    theme_ = theme;
    enableEntry(Action(QStringLiteral("themeSelection1")), theme_ != nullptr);
    if (theme_) {
        theme_->onThemeChanged = [this](const QColor& panel) {
            canvas_->SetBackColor(makeColor(panel.red(), panel.green(), panel.blue()));
            canvas_->Refresh();
        };
    }
}

void TFNav::themeSelection1Click() {
    showWindow(theme_);
}

// --- The close sequence

void TFNav::saveAuxiliaryPlacements() {
    if (realtime_) {
        realtime_->savePlacement();
    }
    if (waterfall_) {
        waterfall_->FormClose();
    }
    if (battery_) {
        battery_->savePlacement();
    }
}

void TFNav::closeAuxiliaryWindows() {
    for (QWidget* window : {static_cast<QWidget*>(realtime_), static_cast<QWidget*>(waterfall_)}) {
        if (window) {
            window->close();
        }
    }
}

} // namespace selvir
