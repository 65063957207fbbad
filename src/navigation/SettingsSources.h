#pragma once
// Where the realtime update reads the settings windows' values: from each window once the program has
// given it, from the window's section of the settings file until then. The device settings (switches,
// display settings, geodetic parameters) come from the device settings source, which is the settings
// window once it joined. Headless replays and tests without windows read the settings file throughout.

#include "navigation/MapUpdate.h"

#include <functional>

namespace selvir {

class SettingsSources final : public MapUpdateSettings {
public:
    // `store` and `device` must outlive the sources.
    SettingsSources(const ProfileStore& store, DeviceSettingsSource& device) : file_(store, device) {}

    // Each one, when set, replaces the settings file for its record. They are called on the map tick
    // and on every echosounder message, so they must be cheap.
    std::function<NavigationDisplaySettings()> navigationWindow;
    std::function<bool()> offsetsWindowShown;
    std::function<VesselGeometry()> vesselGeometryWindow;

    NavigationDisplaySettings navigationSettings() override {
        return navigationWindow ? navigationWindow() : file_.navigationSettings();
    }
    DeviceSwitches deviceSwitches() override { return file_.deviceSwitches(); }
    DisplaySettings displaySettings() override { return file_.displaySettings(); }
    bool offsetsWindowOpen() override { return offsetsWindowShown ? offsetsWindowShown() : false; }
    GeodeticParameters geodeticParameters() override { return file_.geodeticParameters(); }
    VesselGeometry vesselGeometry() override {
        return vesselGeometryWindow ? vesselGeometryWindow() : file_.vesselGeometry();
    }

private:
    SettingsFileMapUpdateSettings file_;
};

} // namespace selvir
