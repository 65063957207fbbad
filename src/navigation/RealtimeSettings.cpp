#include "navigation/RealtimeSettings.h"

#include "core/NumberFormat.h"
#include "navigation/EchosounderFormats.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace selvir {

namespace {

constexpr std::string_view kNavigationSection = "NAVIGATION_SETTINGS";
constexpr std::string_view kVesselColorKey = "VesselColor";
constexpr std::string_view kVesselWidthKey = "VesselWidth";
constexpr std::string_view kBackgroundColorKey = "BackgroundColor";
constexpr std::string_view kFixedColorKey = "ColorTracklines1";
constexpr std::string_view kFloatColorKey = "ColorTracklines0";
constexpr std::string_view kTrackWidthKey = "TrackWidth";
constexpr std::string_view kTrackIntervalKey = "TrackInterval";
constexpr std::string_view kUpdateRateKey = "eUpdateRate";
constexpr std::string_view kLineOrDotKey = "cLineOrDot";
constexpr std::string_view kDepthAlertKey = "edDepthAlert";
constexpr std::string_view kGridColorKey = "GridColor";

} // namespace

NavigationDisplaySettings NavigationDisplaySettings::read(const ProfileStore& store) {
    constexpr std::string_view s = kNavigationSection;
    const IniDocument doc = store.load();
    // A key that is missing takes the navigation settings window's own default (a first run must not
    // draw black on black); a key that is present but unreadable takes the window's read default.
    const auto has = [&doc, s](std::string_view key) { return doc.value(s, key).has_value(); };
    const auto color = [&](std::string_view key, ColorValue absent) {
        return profileColor(doc, s, key, has(key) ? 0 : absent);
    };
    const auto integer = [&](std::string_view key, int absent, int unreadable, int low, int high) {
        return std::clamp(profileInteger(doc, s, key, has(key) ? unreadable : absent), low, high);
    };
    const NavigationDisplaySettings form;
    NavigationDisplaySettings out;
    out.vesselColor = color(kVesselColorKey, form.vesselColor);
    out.vesselWidthPx = integer(kVesselWidthKey, form.vesselWidthPx, 3, 0, kMaxPenWidthPx);
    out.backgroundColor = color(kBackgroundColorKey, form.backgroundColor);
    out.colorTracklines1 = color(kFixedColorKey, form.colorTracklines1);
    out.colorTracklines0 = color(kFloatColorKey, form.colorTracklines0);
    out.trackWidthPx = integer(kTrackWidthKey, form.trackWidthPx, 3, 0, kMaxPenWidthPx);
    out.trackIntervalTicks =
        integer(kTrackIntervalKey, form.trackIntervalTicks, 20, 0, kMaxTrackIntervalTicks);
    out.updateRateMs =
        integer(kUpdateRateKey, form.updateRateMs, kDefaultUpdateRateMs, kMinUpdateRateMs, kMaxUpdateRateMs);
    out.trackAsLine = profileBool(doc, s, kLineOrDotKey, true);
    out.depthAlertM = profileFloat(doc, s, kDepthAlertKey, has(kDepthAlertKey) ? 1 : form.depthAlertM);
    out.gridColor = color(kGridColorKey, form.gridColor);
    return out;
}

bool NavigationDisplaySettings::write(ProfileStore& store) const {
    return store.update([this](IniDocument& doc) {
        const auto put = [&doc](std::string_view key, const std::string& text) {
            doc.setValue(kNavigationSection, key, text);
        };
        const auto color = [&put](std::string_view key, ColorValue value) {
            // Signed, as the colour boxes store them.
            put(key, std::to_string(static_cast<std::int32_t>(value)));
        };
        color(kVesselColorKey, vesselColor);
        put(kVesselWidthKey, std::to_string(vesselWidthPx));
        color(kBackgroundColorKey, backgroundColor);
        color(kFixedColorKey, colorTracklines1);
        color(kFloatColorKey, colorTracklines0);
        put(kTrackWidthKey, std::to_string(trackWidthPx));
        put(kTrackIntervalKey, std::to_string(trackIntervalTicks));
        put(kUpdateRateKey, std::to_string(updateRateMs));
        put(kLineOrDotKey, trackAsLine ? "1" : "0");
        put(kDepthAlertKey, formatGeneral(depthAlertM));
        color(kGridColorKey, gridColor);
    });
}

VesselGeometry VesselGeometry::read(const ProfileStore& store) {
    const IniDocument doc = store.load();
    const auto value = [&doc](int field) {
        const VesselShapeKey& key = kVesselShapeKeys[field];
        return profileFloat(doc, kVesselShapeSection, key.key, key.readDefault);
    };
    VesselGeometry out;
    out.circleCount = std::clamp(profileInteger(doc, kVesselShapeSection, kVesselShapeKeys[0].key,
                                                static_cast<int>(kVesselShapeKeys[0].readDefault)),
                                 0, kMaxVesselCircles);
    out.circleIntervalM = value(1);
    out.firstRadiusM = value(2);
    out.arrowLengthM = value(3);
    out.arrowHalfWidthM = value(4);
    return out;
}

bool DeviceSwitches::lowFrequencyFrameVisible() const {
    const EchosounderFormat* format = findEchosounderFormat(messageFormat);
    return format && readsLowFrequency(*format);
}

DeviceSwitches DeviceSwitches::read(const ProfileStore& store) {
    return read(store.load());
}

DeviceSwitches DeviceSwitches::read(const IniDocument& doc) {
    DeviceSwitches out;
    constexpr std::string_view sensor = "SENSOR COMUNICATION SETTINGS";
    out.sensorEnabled = profileBool(doc, sensor, "Sensor Enabled", true);
    out.messageFormat = doc.value(sensor, "cSBESMessage").value_or(std::string(kDefaultEchosounderFormat));
    if (const auto pattern = doc.value(sensor, "eSBESFormat")) {
        out.messagePattern = *pattern;
    } else {
        const EchosounderFormat* format = findEchosounderFormat(out.messageFormat);
        out.messagePattern = format ? std::string(format->pattern) : std::string();
    }
    out.gyroEnabled = profileBool(doc, "GYRO", "Gyro Enabled", true);
    return out;
}

EchosounderOffsets EchosounderOffsets::read(const ProfileStore& store) {
    constexpr std::string_view s = "ECHOSOUNDER_OFFSETS";
    const IniDocument doc = store.load();
    EchosounderOffsets out;
    // Missing: the start value. There but not a number: NaN, which the reduction's guard refuses.
    const auto value = [&doc, s](std::string_view key, double missing) {
        return doc.value(s, key) ? profileFloat(doc, s, key, std::nan("")) : missing;
    };
    out.values.offsetA = value("Offset A", out.values.offsetA);
    out.values.offsetC = value("Offset C", out.values.offsetC);
    out.values.soundVelocity = value("SV", out.values.soundVelocity);
    out.values.tideHeight = value("Tide Height", out.values.tideHeight);
    return out;
}

} // namespace selvir
