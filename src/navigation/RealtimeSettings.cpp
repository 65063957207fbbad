#include "navigation/RealtimeSettings.h"

#include "core/NumberFormat.h"

#include <climits>
#include <cmath>
#include <cstdint>

namespace selvir {
namespace {

// Integer fields are typed texts: a text that is not a whole number gives the default.
int integerOr(const IniDocument& doc, std::string_view section, std::string_view key, int fallback) {
    const auto text = doc.value(section, key);
    if (!text) {
        return fallback;
    }
    const auto value = parseInteger(*text);
    return value && *value >= INT32_MIN && *value <= INT32_MAX ? static_cast<int>(*value) : fallback;
}

double numberOr(const IniDocument& doc, std::string_view section, std::string_view key, double fallback) {
    const auto text = doc.value(section, key);
    if (!text) {
        return fallback;
    }
    const auto value = parseDouble(*text);
    return value && std::isfinite(*value) ? *value : fallback;
}

bool boolOr(const IniDocument& doc, std::string_view section, std::string_view key, bool fallback) {
    const auto text = doc.value(section, key);
    if (!text) {
        return fallback;
    }
    const auto value = parseInteger(*text);
    return value ? *value != 0 : fallback;
}

ColorValue colorOr(const IniDocument& doc, std::string_view section, std::string_view key,
                   ColorValue fallback) {
    const auto text = doc.value(section, key);
    if (!text) {
        return fallback;
    }
    const auto value = parseInteger(*text);
    return value && *value >= INT32_MIN && *value <= UINT32_MAX ? static_cast<ColorValue>(*value) : fallback;
}

} // namespace

NavigationDisplaySettings NavigationDisplaySettings::read(const ProfileStore& store) {
    constexpr std::string_view s = "NAVIGATION_SETTINGS";
    const IniDocument doc = store.load();
    NavigationDisplaySettings out;
    out.vesselColor = colorOr(doc, s, "VesselColor", 0);
    out.vesselWidthPx = integerOr(doc, s, "VesselWidth", 3);
    out.backgroundColor = colorOr(doc, s, "BackgroundColor", 0);
    out.colorTracklines1 = colorOr(doc, s, "ColorTracklines1", 0);
    out.colorTracklines0 = colorOr(doc, s, "ColorTracklines0", 0);
    out.trackWidthPx = integerOr(doc, s, "TrackWidth", 3);
    out.trackIntervalTicks = integerOr(doc, s, "TrackInterval", 20);
    out.updateRateMs = integerOr(doc, s, "eUpdateRate", 20);
    out.trackAsLine = boolOr(doc, s, "cLineOrDot", true);
    out.depthAlertM = numberOr(doc, s, "edDepthAlert", 1);
    out.gridColor = colorOr(doc, s, "GridColor", 0);
    return out;
}

VesselGeometry VesselGeometry::read(const ProfileStore& store) {
    constexpr std::string_view s = "VESSEL_SHAPE";
    const IniDocument doc = store.load();
    VesselGeometry out;
    out.circleCount = integerOr(doc, s, "Number of circles", 2);
    out.circleIntervalM = numberOr(doc, s, "Cirecle offset interval", 10);
    out.firstRadiusM = numberOr(doc, s, "Radious of first circle", 10);
    out.arrowLengthM = numberOr(doc, s, "Arrow length to bow", 100);
    out.arrowHalfWidthM = numberOr(doc, s, "Left right offset of arrow", 0);
    return out;
}

LabelSettings LabelSettings::read(const ProfileStore& store) {
    const IniDocument doc = store.load();
    LabelSettings out;
    constexpr std::string_view depth = "DEPTH_LABEL_SETTINGS";
    out.showDepthLabels = boolOr(doc, depth, "ShowDepthLabels", true);
    out.depthLabelSpacingM = numberOr(doc, depth, "LabelSpacing", 10);
    out.depthLabelFontName = doc.value(depth, "FontName").value_or("Arial");
    if (out.depthLabelFontName.empty()) {
        out.depthLabelFontName = "Arial";
    }
    out.depthLabelFontSize = integerOr(doc, depth, "FontSize", 12);
    out.depthLabelColor = colorOr(doc, depth, "TextColor", 0);
    constexpr std::string_view event = "EVENT_LABEL_SETTINGS";
    out.eventLabelFontSize = integerOr(doc, event, "FontSize", 24);
    out.eventLabelColor = colorOr(doc, event, "TextColor", 255);
    return out;
}

bool DeviceSwitches::lowFrequencyFrameVisible() const {
    return messageFormat == "Selvir XDR LO" || messageFormat == "Selvir XDR H/L";
}

DeviceSwitches DeviceSwitches::read(const ProfileStore& store) {
    const IniDocument doc = store.load();
    DeviceSwitches out;
    constexpr std::string_view sensor = "SENSOR COMUNICATION SETTINGS";
    out.sensorEnabled = boolOr(doc, sensor, "Sensor Enabled", true);
    out.messageFormat = doc.value(sensor, "cSBESMessage").value_or("Selvir SMT");
    out.messagePattern = doc.value(sensor, "eSBESFormat").value_or("%*8s,%lf");
    out.gyroEnabled = boolOr(doc, "GYRO", "Gyro Enabled", true);
    return out;
}

EchosounderOffsets EchosounderOffsets::read(const ProfileStore& store) {
    constexpr std::string_view s = "ECHOSOUNDER_OFFSETS";
    const IniDocument doc = store.load();
    EchosounderOffsets out;
    out.values.offsetA = numberOr(doc, s, "Offset A", out.values.offsetA);
    out.values.offsetC = numberOr(doc, s, "Offset C", out.values.offsetC);
    out.values.soundVelocity = numberOr(doc, s, "SV", out.values.soundVelocity);
    out.values.tideHeight = numberOr(doc, s, "Tide Height", out.values.tideHeight);
    return out;
}

} // namespace selvir
