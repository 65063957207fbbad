#pragma once
// The values the realtime update and the echosounder handling read from the settings windows (device
// settings, navigation settings, vessel geometry, offsets), taken from the sections of the settings file
// that those windows keep, with the read defaults of each window. The device settings window provides
// its records from its controls (DeviceSettingsSource.h); the others, and headless replays, use these
// readers.

#include "core/ProfileStore.h"
#include "navigation/FixQuality.h"
#include "navigation/GnssSinks.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace selvir {

// The ranges of the navigation settings window's whole-number fields; stored values are kept within them.
inline constexpr int kMaxPenWidthPx = 15;          // "VesselWidth", "TrackWidth": 0 … 15
inline constexpr int kMaxTrackIntervalTicks = 500; // "TrackInterval": 0 … 500
inline constexpr int kMinUpdateRateMs = 100; // "eUpdateRate": 100 … 5000, a divisor and a timer period
inline constexpr int kMaxUpdateRateMs = 5000;
inline constexpr int kDefaultUpdateRateMs = 1000;

// "NAVIGATION_SETTINGS": vessel symbol, background, tracklines, update rate, shallow-water alert.
// The member defaults are the navigation settings window's own: navy vessel, white background, green
// fixed and yellow float tracks, silver grid.
struct NavigationDisplaySettings {
    ColorValue vesselColor = kColorNavy;
    int vesselWidthPx = 2;
    ColorValue backgroundColor = kColorWhite;
    ColorValue colorTracklines1 = kColorGreen;  // fixed
    ColorValue colorTracklines0 = kColorYellow; // float
    int trackWidthPx = 2;
    int trackIntervalTicks = 20;
    int updateRateMs = kDefaultUpdateRateMs;
    bool trackAsLine = true; // "cLineOrDot"
    double depthAlertM = 0.5;
    ColorValue gridColor = kColorSilver;

    // Missing keys give the defaults above, keys that are present but unreadable the read defaults
    // (colours 0, widths 3, interval 20, alert 1); "cLineOrDot" reads true either way. An update rate
    // that is missing or unreadable is the window's 1000 ms. Whole numbers are kept within the fields'
    // ranges: a rate of 0 must never reach the timer or the track interval's division.
    static NavigationDisplaySettings read(const ProfileStore& store);
    // Writes the eleven keys: colours as decimal numbers, the check box as "1" or "0".
    bool write(ProfileStore& store) const;
    friend bool operator==(const NavigationDisplaySettings&, const NavigationDisplaySettings&) = default;
};
inline constexpr NavigationDisplaySettings kNavigationDefaults{};

// "VESSEL_SHAPE": range circles and heading arrow, metres. Keys in field order, with their read defaults.
inline constexpr std::string_view kVesselShapeSection = "VESSEL_SHAPE";
struct VesselShapeKey {
    std::string_view key;
    double readDefault;
};
inline constexpr VesselShapeKey kVesselShapeKeys[] = {
    {"Number of circles", 2},     {"Cirecle offset interval", 10},   {"Radious of first circle", 10},
    {"Arrow length to bow", 100}, {"Left right offset of arrow", 0},
};
// More circles than this would stall the map tick that draws them all.
inline constexpr int kMaxVesselCircles = 100;

struct VesselGeometry {
    int circleCount = 2;         // "Number of circles"
    double circleIntervalM = 10; // "Cirecle offset interval"
    double firstRadiusM = 10;    // "Radious of first circle"
    double arrowLengthM = 100;   // "Arrow length to bow"
    double arrowHalfWidthM = 0;  // "Left right offset of arrow"

    // A key that is missing or not a number gives its read default; the count is kept within
    // 0 … kMaxVesselCircles.
    static VesselGeometry read(const ProfileStore& store);
};

// The device settings the handlers read: "SENSOR COMUNICATION SETTINGS" and "GYRO".
struct DeviceSwitches {
    bool sensorEnabled = true;
    bool gyroEnabled = true;
    std::string messageFormat = "Selvir SMT";    // "cSBESMessage"
    std::string messagePattern = "%*8s,%lf,%lf"; // "eSBESFormat": what decodes, as the surveyor left it
    // The realtime window shows its low-frequency depth frame for the two formats that read one.
    bool lowFrequencyFrameVisible() const;

    // A missing "eSBESFormat" is the chosen message's own pattern (empty for "OTHER"): the field's
    // start text "%*8s,%lf" reads one value where "Selvir SMT" needs two and would decode nothing.
    static DeviceSwitches read(const ProfileStore& store);
    static DeviceSwitches read(const IniDocument& doc);
    friend bool operator==(const DeviceSwitches&, const DeviceSwitches&) = default;
};

// "ECHOSOUNDER_OFFSETS". A key that is missing gives its start value: draft and offsets 0, the sound
// velocity the echosounder's nominal 1500 m/s, so a first survey without offsets still reduces depths
// sensibly. A key that holds no number gives NaN: GuardedOffsets keeps the last good value instead.
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
