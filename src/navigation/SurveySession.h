#pragma once
// One survey run without any window: the two serial readers, the navigation state, the GNSS and
// echosounder handlers, the realtime map update, the survey file, the events log and the event marker,
// wired together as the main window wires them. The main window hosts one and passes its widgets in as
// sinks; the replay and the tests host one with memory devices or pseudo-terminals and no sinks.
//
// Values the settings windows own are read from their sections of the settings file, with the read
// defaults of those windows, until the windows exist to provide them.

#include "core/DataFolders.h"
#include "core/DateTime.h"
#include "core/ProfileStore.h"
#include "navigation/EventMarker.h"
#include "navigation/EventsLog.h"
#include "navigation/GnssHandlers.h"
#include "navigation/MapUpdate.h"
#include "navigation/NavigationState.h"
#include "navigation/RealtimeReadout.h"
#include "navigation/RealtimeSettings.h"
#include "navigation/SensorHandler.h"
#include "navigation/SurveyFile.h"
#include "serial/MemorySerialDevice.h"
#include "serial/SelvirSerialGPS.h"

#include <memory>
#include <optional>
#include <string>

namespace selvir {

struct SurveySessionOutputs {
    MessageSink* messages = nullptr;
    GpsMonitorSink* gpsMonitor = nullptr;
    SensorMonitorSink* sensorMonitor = nullptr;
    MapTimerControl* mapTimer = nullptr;
    RealtimeButtonControl* realtimeButton = nullptr;
    CanvasLayerControl* canvasLayers = nullptr;
    MapCanvas* canvas = nullptr;
    MapBackgroundControl* background = nullptr;
    StatusBarSink* statusBar = nullptr;
    LatencySink* latency = nullptr;
    std::function<void(const std::string&)> showBattery;
};

// The port layers of the two readers (Qt serial ports when null) and the port-number resolver.
struct SurveySessionDevices {
    std::unique_ptr<SerialDevice> gps;
    std::unique_ptr<SerialDevice> sensor;
    SerialPortResolver resolver;
};

// Two memory devices for a session without ports (replays, tests, benchmarks); `gps` and `sensor` are
// set to them. Port n resolves to `pathPrefix` + n.
SurveySessionDevices memorySessionDevices(MemorySerialDevice*& gps, MemorySerialDevice*& sensor,
                                          const std::string& pathPrefix);

class SurveySession {
public:
    // `settings` and `clock` must outlive the session.
    SurveySession(ProfileStore& settings, DataFolders folders, const Clock& clock,
                  SurveySessionOutputs outputs = {}, SurveySessionDevices devices = {});
    ~SurveySession();
    SurveySession(const SurveySession&) = delete;
    SurveySession& operator=(const SurveySession&) = delete;

    // The realtime switch. Start: geodesy session log, the device settings applied to both readers
    // (raw logs in the log folder), the GNSS port opened and, when the sensor is enabled, the
    // echosounder port. Messages of the start go to the message window and the events log.
    void startRealtime();
    // Closes both ports.
    void stopRealtime();
    bool realtimeOn() const { return realtime_; }
    // Off: the ports keep no raw logs whatever the port settings say (a replay reads them instead).
    void setRawLogsEnabled(bool enabled) { rawLogs_ = enabled; }
    // The sensor switch as the last start found it.
    bool sensorOpenedAtStart() const { return sensorStarted_; }

    // One realtime map update with the GNSS reader's current values.
    MapUpdate::Tick mapTick();
    // Marks the next event at the grid position of the last map tick.
    int markEvent(const EventMarker::AddLabel& addLabel);

    TSelvirSerialGPS& ZGPS1() { return *gps_; }
    TSelvirSerialGPS& ZSENSOR() { return *sensor_; }
    NavigationState& state() { return state_; }
    RealtimeReadout& readout() { return readout_; }
    EventsLog& events() { return events_; }
    SurveyFile& survey() { return survey_; }
    MapUpdate& map() { return *map_; }
    GnssHandlers& gnss() { return *gnss_; }
    SensorHandler& sensor() { return *sensorHandler_; }
    EventMarker& eventMarker() { return marker_; }
    WaterfallFeed& waterfall() { return waterfall_; }
    const DataFolders& folders() const { return folders_; }
    ProfileStore& settings() { return settings_; }
    const Clock& clock() const { return clock_; }

    // Shown in the message window and written to the events log.
    void report(const std::string& message);

private:
    SensorInputs sensorInputs();
    void applyPorts();

    ProfileStore& settings_;
    DataFolders folders_;
    const Clock& clock_;
    SurveySessionOutputs out_;

    NavigationState state_;
    RealtimeReadout readout_;
    WaterfallFeed waterfall_;
    EventsLog events_;
    SurveyFile survey_;
    EventMarker marker_;
    SettingsFileOffsets offsets_;
    SettingsFileMapUpdateSettings mapSettings_;
    CachedSettings<DeviceSwitches> devices_;
    CachedSettings<NavigationDisplaySettings> display_;
    CachedSettings<EchosounderOffsets> echosounderOffsets_;

    std::unique_ptr<TSelvirSerialGPS> gps_;
    std::unique_ptr<TSelvirSerialGPS> sensor_;
    std::unique_ptr<GnssHandlers> gnss_;
    std::unique_ptr<MapUpdate> map_;
    std::unique_ptr<SensorHandler> sensorHandler_;
    std::optional<SoundVelocityProfile> profile_; // the SV column in force since the last start
    bool realtime_ = false;
    bool sensorStarted_ = false;
    bool rawLogs_ = true;
};

} // namespace selvir
