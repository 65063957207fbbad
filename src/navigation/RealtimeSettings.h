#pragma once
// The values the realtime update and the echosounder handling read from the settings windows (device
// settings, navigation settings, vessel geometry, offsets), taken from the sections of the settings file
// that those windows keep, with the read defaults of each window. The windows will provide the same
// records from their controls; until then, and in headless replays, these readers do.

#include "core/ProfileStore.h"
#include "navigation/FixQuality.h"
#include "navigation/GnssSinks.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace selvir {

// "NAVIGATION_SETTINGS": vessel symbol, background, tracklines, update rate, shallow-water alert.
struct NavigationDisplaySettings {
    ColorValue vesselColor = 0;
    int vesselWidthPx = 3;
    ColorValue backgroundColor = 0;
    ColorValue colorTracklines1 = 0; // fixed
    ColorValue colorTracklines0 = 0; // float
    int trackWidthPx = 3;
    int trackIntervalTicks = 20;
    int updateRateMs = 20;
    bool trackAsLine = true; // "cLineOrDot"
    double depthAlertM = 1;
    ColorValue gridColor = 0;

    static NavigationDisplaySettings read(const ProfileStore& store);
};

// "VESSEL_SHAPE": range circles and heading arrow, metres.
struct VesselGeometry {
    int circleCount = 2;         // "Number of circles"
    double circleIntervalM = 10; // "Cirecle offset interval"
    double firstRadiusM = 10;    // "Radious of first circle"
    double arrowLengthM = 100;   // "Arrow length to bow"
    double arrowHalfWidthM = 0;  // "Left right offset of arrow"

    static VesselGeometry read(const ProfileStore& store);
};

// "DEPTH_LABEL_SETTINGS" and "EVENT_LABEL_SETTINGS".
struct LabelSettings {
    bool showDepthLabels = true;
    double depthLabelSpacingM = 10;
    std::string depthLabelFontName = "Arial";
    int depthLabelFontSize = 12;
    ColorValue depthLabelColor = 0;
    int eventLabelFontSize = 24;
    ColorValue eventLabelColor = 255;

    static LabelSettings read(const ProfileStore& store);
};

// The device settings the handlers read: "SENSOR COMUNICATION SETTINGS" and "GYRO".
struct DeviceSwitches {
    bool sensorEnabled = true;
    bool gyroEnabled = true;
    std::string messageFormat = "Selvir SMT"; // "cSBESMessage"
    std::string messagePattern = "%*8s,%lf";  // "eSBESFormat"
    // The realtime window shows its low-frequency depth frame for the two formats that read one.
    bool lowFrequencyFrameVisible() const;

    static DeviceSwitches read(const ProfileStore& store);
};

// "ECHOSOUNDER_OFFSETS". A key that is missing or not a number gives its start value: draft and offsets
// 0, the sound velocity the echosounder's nominal 1500 m/s, so a first survey without offsets still
// reduces depths sensibly.
struct EchosounderOffsets {
    OffsetsValues values{0, 1500, 0, 0};
    static EchosounderOffsets read(const ProfileStore& store);
};

// Re-reads a settings record only when the settings file changed (size or modification time), so a
// per-tick read costs a stat, not a parse.
template <typename Record>
class CachedSettings {
public:
    explicit CachedSettings(const ProfileStore& store) : store_(store) {}
    const Record& get() {
        std::error_code ec;
        const auto time = std::filesystem::last_write_time(store_.file(), ec);
        const auto size = ec ? 0 : std::filesystem::file_size(store_.file(), ec);
        if (!loaded_ || ec || time != time_ || size != size_) {
            record_ = Record::read(store_);
            time_ = time;
            size_ = size;
            loaded_ = !ec;
        }
        return record_;
    }

private:
    const ProfileStore& store_;
    Record record_{};
    std::filesystem::file_time_type time_{};
    std::uintmax_t size_ = 0;
    bool loaded_ = false;
};

// Offsets taken from the settings file, for use while the offsets window does not exist.
class SettingsFileOffsets final : public OffsetsSource {
public:
    explicit SettingsFileOffsets(const ProfileStore& store) : cache_(store) {}
    bool offsetsWindowOpen() const override { return false; }
    OffsetsValues offsets() const override { return cache_.get().values; }

private:
    mutable CachedSettings<EchosounderOffsets> cache_;
};

} // namespace selvir
