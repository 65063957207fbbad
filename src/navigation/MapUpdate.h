#pragma once
// The realtime map update (the main window's tMapTimer): every tick turns the navigation state into what
// the surveyor sees — grid position and convergence, the vessel symbol, the trackline by fix quality,
// the status bar, the realtime read-out, the status text, depth labels and the depth and speed boxes.
//
// The geodetic chain and the vessel geometry are read once, at the first tick of the run (changes act
// from the next start); the navigation settings, device switches and label settings on every tick. A
// position that cannot be converted abandons the tick silently; the next tick starts again.

#include "core/DateTime.h"
#include "geodesy/GeodeticParameters.h"
#include "geodesy/RealtimeChain.h"
#include "navigation/LayerNames.h"
#include "navigation/MapCanvas.h"
#include "navigation/NavigationState.h"
#include "navigation/RealtimeReadout.h"
#include "navigation/RealtimeSettings.h"

#include <functional>
#include <optional>
#include <string>

namespace selvir {

// Where the tick reads the settings windows' values. The windows implement it later; the settings file
// implementation below stands in for them.
class MapUpdateSettings {
public:
    virtual ~MapUpdateSettings() = default;
    virtual NavigationDisplaySettings navigationSettings() = 0; // every tick
    virtual DeviceSwitches deviceSwitches() = 0;                // every tick
    virtual LabelSettings labelSettings() = 0;                  // every tick
    virtual bool offsetsWindowOpen() = 0;                       // every tick
    virtual GeodeticParameters geodeticParameters() = 0;        // first tick
    virtual VesselGeometry vesselGeometry() = 0;                // first tick
};

class SettingsFileMapUpdateSettings final : public MapUpdateSettings {
public:
    explicit SettingsFileMapUpdateSettings(const ProfileStore& store)
        : store_(store), navigation_(store), device_(store), labels_(store) {}
    NavigationDisplaySettings navigationSettings() override { return navigation_.get(); }
    DeviceSwitches deviceSwitches() override { return device_.get(); }
    LabelSettings labelSettings() override { return labels_.get(); }
    bool offsetsWindowOpen() override { return false; }
    GeodeticParameters geodeticParameters() override { return GeodeticParameters::read(store_); }
    VesselGeometry vesselGeometry() override { return VesselGeometry::read(store_); }

private:
    const ProfileStore& store_;
    CachedSettings<NavigationDisplaySettings> navigation_;
    CachedSettings<DeviceSwitches> device_;
    CachedSettings<LabelSettings> labels_;
};

// The main window's status bar.
class StatusBarSink {
public:
    virtual ~StatusBarSink() = default;
    virtual int panelCount() const = 0;
    virtual void setPanelText(int panel, const std::string& text) = 0; // panel from 0
};

// The latency window's fields.
class LatencySink {
public:
    virtual ~LatencySink() = default;
    virtual bool latencyWindowVisible() const = 0;
    virtual void showLatency(const std::string& currentMs, const std::string& averageMs) = 0;
};

struct MapUpdateOutputs {
    MapCanvas* canvas = nullptr; // null: no drawing (headless replay)
    StatusBarSink* statusBar = nullptr;
    LatencySink* latency = nullptr;
    // A set-up problem (a geodetic field that is not a number), reported once per distinct text.
    std::function<void(const std::string&)> reportProblem;
};

// The reader's own decoded values at the moment of the tick.
struct ReaderValues {
    int fixQuality = 0;
    int satellites = 0;
    double courseDeg = 0;
};

class MapUpdate {
public:
    enum class Tick {
        Done,
        SetupFailed, // parameters not readable: reported, tried again next tick
        Abandoned,   // the position could not be converted
    };

    // Every reference must outlive the engine.
    MapUpdate(NavigationState& state, RealtimeReadout& readout, MapUpdateSettings& settings,
              MapUpdateOutputs outputs, const Clock& clock);

    Tick tMapTimer(const ReaderValues& reader);

    bool FollowVessel = false; // pan the view so the vessel stays at its centre
    const std::string& StatusText() const { return statusText_; }
    // The chain in use once the first tick has read the parameters.
    const RealtimeChain* chain() const { return chain_ ? &*chain_ : nullptr; }
    const VesselGeometry& vesselGeometry() const { return geometry_; }
    int measuredTicks() const { return latencyCount_; }
    double averageLatencyMs() const { return latencyAverageMs_; }

private:
    bool readParametersOnce();
    void drawVessel(const NavigationDisplaySettings& display);
    void layTrack(const ReaderValues& reader, const NavigationDisplaySettings& display);
    void reportOnce(const std::string& text);

    NavigationState& state_;
    RealtimeReadout& readout_;
    MapUpdateSettings& settings_;
    MapUpdateOutputs out_;
    const Clock& clock_;

    std::optional<RealtimeChain> chain_;
    VesselGeometry geometry_;
    std::string lastProblem_;
    std::string statusText_;
    bool firstTickPassed_ = false;
    double previousTrackE_ = 0, previousTrackN_ = 0;
    int tickCounter_ = 0;
    int latencyCount_ = 0;
    double latencyAverageMs_ = 0;
};

// The status text: "GPS | Spd: 5.4 kn | SV: 12 | Ant: 47.40 m | Tide: 45.40 m" and, when given, the
// depth part " | Depth: 12.84 m".
std::string formatStatusText(int fixQuality, double speedKnots, int satellites, double rtkHeightM,
                             const std::string& tideText, std::optional<double> depthM);

} // namespace selvir
