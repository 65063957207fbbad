#include "navigation/DeviceSettingsForm.h"

#include <algorithm>
#include <cctype>

namespace selvir {
namespace {

std::string lowered(std::string_view text) {
    std::string out(trimProfileBlanks(text));
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

std::string yesNo(bool value) {
    return value ? "Yes" : "No";
}

} // namespace

std::optional<bool> settingsLockedValue(std::string_view text) {
    const std::string value = lowered(text);
    if (value == "true" || value == "1") {
        return true;
    }
    if (value == "false" || value == "0") {
        return false;
    }
    return std::nullopt;
}

DeviceSettingsForm DeviceSettingsForm::read(const ProfileStore& store) {
    return read(store.load());
}

DeviceSettingsForm DeviceSettingsForm::read(const IniDocument& doc) {
    DeviceSettingsForm form;
    form.gps = PortChoices::read(doc, kGpsPortSection);
    form.sensor = PortChoices::read(doc, kSensorPortSection);
    form.switches = DeviceSwitches::read(doc);
    form.geodetic = GeodeticParameters::read(doc);
    form.lockSettings = profileBool(doc, kLockSection, kLockKey, false);
    if (const auto locked = doc.value(kLockSection, kSettingsLockedKey)) {
        form.settingsLocked = settingsLockedValue(*locked);
    }
    form.display = DisplaySettingsFields::read(doc);
    return form;
}

bool DeviceSettingsForm::writeDeviceAndGeodetic(ProfileStore& store) const {
    return store.update([this](IniDocument& doc) {
        gps.write(doc, kGpsPortSection);
        sensor.write(doc, kSensorPortSection);
        doc.setValue(kSensorPortSection, "Sensor Enabled     ", switches.sensorEnabled ? "1" : "0");
        doc.setValue(kSensorPortSection, "cSBESMessage", switches.messageFormat);
        doc.setValue(kSensorPortSection, "eSBESFormat", switches.messagePattern);
        doc.setValue(kGyroSection, "Gyro Enabled     ", switches.gyroEnabled ? "1" : "0");
        geodetic.write(doc);
        doc.setValue(kLockSection, kLockKey, lockSettings ? "1" : "0");
    });
}

bool DeviceSettingsForm::writeDisplay(ProfileStore& store) const {
    return store.update([this](IniDocument& doc) { display.write(doc); });
}

std::vector<std::string> DeviceSettingsForm::savedEvents() const {
    const GeodeticParameters& g = geodetic;
    return {
        "=== SETTINGS SAVED ===",
        "GPS: Port=" + gps.port + ", Baud=" + gps.baudRate,
        "Sensor: Port=" + sensor.port + ", Baud=" + sensor.baudRate +
            ", Enabled=" + yesNo(switches.sensorEnabled),
        "Datum: " + g.edNameOfDatum + ", DTP=" + yesNo(g.cbUseDTP),
        "TM: CM=" + g.edCM + ", RefLat=" + g.edRL + ", SF=" + g.edSF + ", FE=" + g.edFE + ", FN=" + g.edFN,
        "LCC: " + std::string(g.cbUseLCCProjection ? "Enabled" : "Disabled") + ", SP1=" + g.eLCCSP1 +
            ", SP2=" + g.eLCCSP2,
        "======================",
    };
}

} // namespace selvir
