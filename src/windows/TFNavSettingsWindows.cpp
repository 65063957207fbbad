// The main window and the settings windows of the survey set-up: the offsets dialog, the navigation
// settings, the vessel geometry and the latency watch. The engine reads their controls from the moment
// they are given; the main window shows them and takes what they change at once.
#include "windows/CanvasMapAdapter.h"
#include "windows/TFNav.h"
#include "windows/TFShape.h"
#include "windows/TNavset.h"
#include "windows/TOffsets.h"
#include "windows/TfLatency.h"

#include <QAction>
#include <QToolButton>

namespace selvir {

void TFNav::SetOffsetsWindow(TOffsets* offsets) {
    offsets_ = offsets;
    if (!offsets_) {
        return;
    }
    offsets_->saveLayout = [this] { Save(); };
    offsets_->realtimeRunning = [this] { return RealtimeOn(); };
    offsets_->pressRealtime = [this] { realtimeButton_->click(); };
    offsets_->languageTurkish = [this] { return LanguageTurkish(); };
    // Until the sound velocity window says otherwise: what a realtime start would use now.
    offsets_->setSoundVelocityProfileUsed(soundVelocityProfileReady(settings_, folders_));
    session_->setOffsetsSource(*offsets_);
    wireRealtimeOffsetsButton();
    for (const QString& name : {QStringLiteral("OffsetsandValues1"), QStringLiteral("OffsetsEssential1")}) {
        if (QAction* entry = Action(name)) {
            entry->setEnabled(true);
        }
    }
    connectOffsetsToSoundVelocity();
}

void TFNav::SetNavigationSettingsWindow(TNavset* navset) {
    navset_ = navset;
    if (!navset_) {
        return;
    }
    mapOnlyWindows_.push_back(navset_); // closed for the full-screen map, shown again after it
    session_->settingsSources().navigationWindow = [this] { return navset_->displaySettings(); };
    tMap_.setInterval(navset_->displaySettings().updateRateMs);
    connect(navset_, &TNavset::updateRateChanged, this, [this](int rateMs) { tMap_.setInterval(rateMs); });
    connect(navset_, &TNavset::backgroundColorChanged, this, [this](ColorValue color) {
        map_->setBackgroundColor(color);
        map_->repaintMap();
    });
    if (QAction* entry = Action(QStringLiteral("NavigationSettings1"))) {
        entry->setEnabled(true);
    }
}

void TFNav::SetVesselShapeWindow(TFShape* shape) {
    shape_ = shape;
    if (!shape_) {
        return;
    }
    session_->settingsSources().vesselGeometryWindow = [this] { return shape_->vesselGeometry(); };
    if (QAction* entry = Action(QStringLiteral("VesselShape1"))) {
        entry->setEnabled(true);
    }
}

void TFNav::SetLatencyWindow(TfLatency* latency) {
    latency_ = latency;
    if (QAction* entry = Action(QStringLiteral("LatencyWatchSet1"))) {
        entry->setEnabled(latency_ != nullptr);
    }
}

void TFNav::showWindow(QWidget* window) {
    if (window) {
        window->show();
        window->raise();
        window->activateWindow();
    }
}

void TFNav::OffsetsandValues1Click() {
    showWindow(offsets_);
}
void TFNav::NavigationSettings1Click() {
    showWindow(navset_);
}
void TFNav::VesselShape1Click() {
    showWindow(shape_);
}
void TFNav::LatencyWatchSet1Click() {
    showWindow(latency_);
}

bool TFNav::latencyWindowVisible() const {
    return latency_ && latency_->latencyWindowVisible();
}

void TFNav::showLatency(const std::string& currentMs, const std::string& averageMs) {
    if (latency_) {
        latency_->showLatency(currentMs, averageMs);
    }
}

} // namespace selvir
