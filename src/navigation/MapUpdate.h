#pragma once
// The realtime map update (the main window's tick): every tick turns the navigation state into what
// the surveyor sees — grid position and convergence, the vessel symbol, the trackline by fix quality,
// the status bar, the realtime read-out, the status text, depth labels and the depth and speed boxes.
//
// The geodetic chain and the vessel geometry are read once, at the first tick of the run (changes act
// from the next start); the navigation settings, device switches and label settings on every tick. A
// position that cannot be converted abandons the tick silently; the next tick starts again.

#include "core/DateTime.h"
#include "geodesy/GeodeticParameters.h"
#include "geodesy/RealtimeChain.h"
#include "navigation/DeviceSettingsSource.h"
#include "navigation/LayerNames.h"
#include "navigation/MapCanvas.h"
#include "navigation/NavigationState.h"
#include "navigation/RealtimeReadout.h"
#include "navigation/RealtimeSettings.h"
#include "navigation/RecordPosition.h"

#include <functional>
#include <optional>
#include <string>

namespace selvir {

// Where the tick reads the settings windows' values. The settings file implementation below stands in
// for the windows that do not provide theirs yet; the device settings come from a DeviceSettingsSource.
class MapUpdateSettings {
public:
    virtual ~MapUpdateSettings() = default;
    virtual NavigationDisplaySettings navigationSettings() = 0; // every tick
    virtual DeviceSwitches deviceSwitches() = 0;                // every tick
    virtual DisplaySettings displaySettings() = 0;              // every tick
    virtual bool offsetsWindowOpen() = 0;                       // every tick
    virtual GeodeticParameters geodeticParameters() = 0;        // first tick
    virtual VesselGeometry vesselGeometry() = 0;                // first tick
};

class SettingsFileMapUpdateSettings final : public MapUpdateSettings {
public:
    // `device` must outlive this object.
    SettingsFileMapUpdateSettings(const ProfileStore& store, DeviceSettingsSource& device)
        : store_(store), navigation_(store), device_(device) {}
    NavigationDisplaySettings navigationSettings() override { return navigation_.get(); }
    DeviceSwitches deviceSwitches() override { return device_.deviceSwitches(); }
    DisplaySettings displaySettings() override { return device_.displaySettings(); }
    bool offsetsWindowOpen() override { return false; }
    GeodeticParameters geodeticParameters() override { return device_.geodeticParameters(); }
    VesselGeometry vesselGeometry() override { return VesselGeometry::read(store_); }

private:
    const ProfileStore& store_;
    CachedSettings<NavigationDisplaySettings> navigation_;
    DeviceSettingsSource& device_;
};

// The main window's status bar.
class StatusBarSink {
public:
    virtual ~StatusBarSink() = default;
    virtual int panelCount() const = 0;
    virtual void setPanelText(int panel, const std::string& text) = 0; // panel from 0
    // Called on every tick: true while the position panels show no position (no fix, or the receiver
    // silent), false while they show one.
    virtual void setPositionLost(bool /*lost*/) {}
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
    bool receiverSilent = false; // idle reported (or the device lost) and nothing received since
    bool receiverLost = false;   // the receiver's device has gone; the reader is reopening it
};

class MapUpdate {
public:
    enum class Tick {
        Done,
        SetupFailed, // parameters not readable: reported, tried again next tick
        Abandoned,   // the position could not be converted
        NoPosition,  // no position reported: status shown, nothing drawn at a position
    };

    // Every reference must outlive the engine.
    MapUpdate(NavigationState& state, RealtimeReadout& readout, MapUpdateSettings& settings,
              MapUpdateOutputs outputs, const Clock& clock);

    // A tick draws at a position only while the receiver reports one (positionReported()); otherwise
    // it shows the status, the boxes and the lost position, and the vessel stays where it was drawn.
    Tick tick(const ReaderValues& reader);
    // What the map shows at once when the receiver falls silent (the map timer stops then): the
    // status box says so and the status bar shows no position.
    void showReceiverSilent(const ReaderValues& reader);
    // The grid position of a fix through the run's chain (read now when no tick has read it yet);
    // nothing when the parameters or the fix cannot be converted.
    std::optional<GridPosition> gridPositionOf(double latitudeDeg, double longitudeDeg, double heightM);

    bool FollowVessel = false; // pan the view so the vessel stays at its centre
    const std::string& StatusText() const { return statusText_; }
    // The chain in use once the first tick has read the parameters.
    const RealtimeChain* chain() const { return chain_ ? &*chain_ : nullptr; }
    const VesselGeometry& vesselGeometry() const { return geometry_; }
    int measuredTicks() const { return latencyCount_; }
    double averageLatencyMs() const { return latencyAverageMs_; }

private:
    bool readParametersOnce();
    DeviceSwitches publishStatus(const ReaderValues& reader);
    void showPositionLost();
    void showBoxes(const DeviceSwitches& device); // canvas set
    void endLatency(bool measuring, std::int64_t startMs);
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
    bool firstTickPassed_ = false; // a tick with a position has passed
    std::optional<LocalDateTime> lastPositionTime_;
    double previousTrackE_ = 0, previousTrackN_ = 0;
    int tickCounter_ = 0;
    int latencyCount_ = 0;
    double latencyAverageMs_ = 0;
};

// The status text: "GPS | Spd: 5.4 kn | SV: 12 | Ant: 47.40 m | Tide: 45.40 m" and, when given, the
// depth part " | Depth: 12.84 m".
std::string formatStatusText(int fixQuality, double speedKnots, int satellites, double rtkHeightM,
                             const std::string& tideText, std::optional<double> depthM);
// The status text while the receiver is silent, "GPS is idle! | No position since 10:15:02", or after
// its device went away, "GPS disconnected! | No position since 10:15:02".
std::string formatSilentStatusText(const std::optional<LocalDateTime>& lastPosition, bool deviceLost = false);

} // namespace selvir
