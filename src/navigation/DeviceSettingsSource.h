#pragma once
// Where the survey engine reads the device settings: the echosounder and gyro switches, the port
// choices, the display settings and the geodetic parameters. The device settings window provides them
// from its controls, so what is on screen is what the engine uses (an edited message format decodes
// the next line; "Apply Settings" changes labels and grid at once). Headless runs (replay, tests) read
// them from the settings file instead.

#include "core/ProfileStore.h"
#include "geodesy/GeodeticParameters.h"
#include "navigation/DisplaySettings.h"
#include "navigation/PortChoices.h"
#include "navigation/RealtimeSettings.h"

namespace selvir {

enum class SerialPortRole { Gnss, Sensor };

class DeviceSettingsSource {
public:
    virtual ~DeviceSettingsSource() = default;
    // Read on every echosounder message and every map tick.
    virtual DeviceSwitches deviceSwitches() = 0;
    // Read by "GPS Set" / "SBES Set", which the realtime start presses before the ports open.
    virtual PortChoices portChoices(SerialPortRole role) = 0;
    // Read on every map tick and every event mark.
    virtual DisplaySettings displaySettings() = 0;
    // Read at the first map tick of the run (changes act from the next start).
    virtual GeodeticParameters geodeticParameters() = 0;
};

// The device settings as the settings file holds them; the per-tick records are re-read only when the
// file changed.
class SettingsFileDeviceSettings final : public DeviceSettingsSource {
public:
    explicit SettingsFileDeviceSettings(const ProfileStore& store)
        : store_(store), switches_(store), display_(store) {}
    DeviceSwitches deviceSwitches() override { return switches_.get(); }
    PortChoices portChoices(SerialPortRole role) override {
        return PortChoices::read(store_, role == SerialPortRole::Gnss ? kGpsPortSection : kSensorPortSection);
    }
    DisplaySettings displaySettings() override { return display_.get(); }
    GeodeticParameters geodeticParameters() override { return GeodeticParameters::read(store_); }

private:
    const ProfileStore& store_;
    CachedSettings<DeviceSwitches> switches_;
    CachedSettings<DisplaySettings> display_;
};

// Forwards to the source in force: the settings file until the device settings window joins.
class DeviceSettingsRelay final : public DeviceSettingsSource {
public:
    explicit DeviceSettingsRelay(DeviceSettingsSource& source) : source_(&source) {}
    void setSource(DeviceSettingsSource& source) { source_ = &source; }
    DeviceSwitches deviceSwitches() override { return source_->deviceSwitches(); }
    PortChoices portChoices(SerialPortRole role) override { return source_->portChoices(role); }
    DisplaySettings displaySettings() override { return source_->displaySettings(); }
    GeodeticParameters geodeticParameters() override { return source_->geodeticParameters(); }

private:
    DeviceSettingsSource* source_;
};

} // namespace selvir
