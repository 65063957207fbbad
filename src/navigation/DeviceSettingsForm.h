#pragma once
// Everything the device settings window keeps in the settings file, as its controls hold it: both port
// settings, the echosounder message and its format, the gyro switch, the geodetic parameters, the lock
// and the "Global Setting" tab. Read once when the window is created; written by "Save and lock
// settings" in the order the window has always written it.

#include "core/ProfileStore.h"
#include "geodesy/GeodeticParameters.h"
#include "navigation/DisplaySettings.h"
#include "navigation/PortChoices.h"
#include "navigation/RealtimeSettings.h"

#include <optional>
#include <string>
#include <vector>

namespace selvir {

inline constexpr std::string_view kGyroSection = "GYRO";
inline constexpr std::string_view kLockSection = "LOCK SETTINGS";
inline constexpr std::string_view kLockKey = "Lock Settings";
// Never written by the program: a surveyor may set it by hand to lock or unlock the tabs.
inline constexpr std::string_view kSettingsLockedKey = "Settings Locked (true/false)";

struct DeviceSettingsForm {
    PortChoices gps;    // "GPS1 COMUNICATION SETTINGS"
    PortChoices sensor; // "SENSOR COMUNICATION SETTINGS"
    DeviceSwitches switches;
    GeodeticParameters geodetic;
    bool lockSettings = false; // "Save and lock settings"
    // The hand-edited lock: "true" or "false" (any case, or "1"/"0"); nothing for any other text.
    std::optional<bool> settingsLocked;
    DisplaySettingsFields display;

    static DeviceSettingsForm read(const ProfileStore& store);
    static DeviceSettingsForm read(const IniDocument& doc);

    // The device and geodetic keys and "Lock Settings", in the window's order: GPS port, echosounder
    // port with "Sensor Enabled", "cSBESMessage" and "eSBESFormat", "Gyro Enabled", the geodetic
    // parameters, the lock. One write; false (and the file unchanged) when it could not be written.
    bool writeDeviceAndGeodetic(ProfileStore& store) const;
    // The grid and label keys. One write.
    bool writeDisplay(ProfileStore& store) const;

    // The seven automatic events "Save and lock settings" writes between the two parts above.
    std::vector<std::string> savedEvents() const;
};

std::optional<bool> settingsLockedValue(std::string_view text);

} // namespace selvir
