#pragma once
// One survey run without any window: the two serial readers, the navigation state, the GNSS and
// echosounder handlers, the realtime map update, the survey file, the events log and the event marker,
// wired together as the main window wires them. The main window hosts one and passes its widgets in as
// sinks; the replay and the tests host one with memory devices or pseudo-terminals and no sinks.
//
// Values the settings windows own are read from their sections of the settings file, with the read
// defaults of those windows, until the windows exist to provide them. The device settings window joins
// through setDeviceSettings().

#include "core/DataFolders.h"
#include "core/DateTime.h"
#include "core/ProfileStore.h"
#include "navigation/DeviceSettingsSource.h"
#include "navigation/EventMarker.h"
#include "navigation/EventsLog.h"
#include "navigation/GnssHandlers.h"
#include "navigation/GuardedOffsets.h"
#include "navigation/LineGuidance.h"
#include "navigation/MapUpdate.h"
#include "navigation/NavigationState.h"
#include "navigation/NmeaOutput.h"
#include "navigation/RealtimeReadout.h"
#include "navigation/RealtimeSettings.h"
#include "navigation/SensorHandler.h"
#include "navigation/SettingsSources.h"
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
    RealtimeSwitchDisplay* realtimeSwitch = nullptr;
    CanvasLayerControl* canvasLayers = nullptr;
    MapCanvas* canvas = nullptr;
    MapBackgroundControl* background = nullptr;
    StatusBarSink* statusBar = nullptr;
    LatencySink* latency = nullptr;
    std::function<void(const std::string&)> showBattery;
    // The survey file's state, on every change: shown for as long as rows cannot be written.
    std::function<void(const SurveyFileState&)> surveyState;
    // The runlines the line guidance offers (none when null) and the event labels of its line events
    // (without them line starts and ends are not marked as numbered events).
    GuidanceLineSource* guidanceLines = nullptr;
    std::function<void(double eastingM, double northingM, int number)> addEventLabel;
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

// True when a realtime start now would reduce depths with a sound velocity profile: "Use Sound Velocity
// Profile" ticked and the day folder's SV column saved.
bool soundVelocityProfileReady(const ProfileStore& settings, const DataFolders& folders);

class SurveySession {
public:
    static constexpr int kDefaultReopenIntervalMs = 3000;

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
    // Reads "Use Sound Velocity Profile" and the saved SV column again (each start does): the sound
    // velocity window calls it after saving, so a new profile applies from the next depth.
    void reloadSoundVelocityProfile();
    bool realtimeOn() const { return realtime_; }
    // Off: the ports keep no raw logs whatever the port settings say (a replay reads them instead).
    void setRawLogsEnabled(bool enabled) { rawLogs_ = enabled; }
    // How often a missing port is tried again while realtime runs (3 s; tests shorten it). From the
    // next start.
    void setReopenIntervalMs(int ms) { reopenIntervalMs_ = ms; }
    // The sensor switch as the last start found it.
    bool sensorOpenedAtStart() const { return sensorStarted_; }

    // Where the device settings come from from now on: `source` (which must stay until it is replaced),
    // or the settings file when null.
    void setDeviceSettings(DeviceSettingsSource* source) {
        devices_.setSource(source ? *source : fileDevices_);
    }
    DeviceSettingsSource& deviceSettings() { return devices_; }
    // "GPS Set" / "SBES Set": copies the port choices in force into that reader, with its raw log name;
    // a choice it cannot take is reported. The realtime start does both before the ports open.
    void applyPorts(SerialPortRole role);

    // One realtime map update with the GNSS reader's current values; rows kept in memory while the
    // survey file could not be written are tried again first. Then the line guidance of the tick and
    // its sentences for the autopilot.
    MapUpdate::Tick mapTick();
    // The fix in force now, with its own grid projection: what a survey row made now carries.
    RecordPosition positionNow();
    // Marks the next event at the grid position of the last map tick.
    int markEvent(const EventMarker::AddLabel& addLabel);

    TSelvirSerialGPS& gnssReader() { return *gps_; }
    TSelvirSerialGPS& sensorReader() { return *sensor_; }
    NavigationState& state() { return state_; }
    RealtimeReadout& readout() { return readout_; }
    EventsLog& events() { return events_; }
    SurveyFile& survey() { return survey_; }
    MapUpdate& map() { return *map_; }
    GnssHandlers& gnss() { return *gnss_; }
    SensorHandler& sensor() { return *sensorHandler_; }
    EventMarker& eventMarker() { return marker_; }
    WaterfallFeed& waterfall() { return waterfall_; }
    LineGuidance& guidance() { return *guidance_; }
    NmeaOutput& nmeaOutput() { return *nmea_; }
    // Settings of the NMEA output in place of the settings file's (the replay's --nmea-out); nothing
    // goes back to the settings file.
    void overrideNmeaOutput(std::optional<NmeaOutputSettings> settings) {
        nmeaOverride_ = std::move(settings);
    }
    // The same for the line guidance's settings.
    void overrideGuidance(std::optional<GuidanceSettings> settings) {
        guidanceOverride_ = std::move(settings);
    }
    const DataFolders& folders() const { return folders_; }
    ProfileStore& settings() { return settings_; }
    const Clock& clock() const { return clock_; }
    // What the settings windows hold, each from its window once given, from the settings file until then.
    SettingsSources& settingsSources() { return mapSettings_; }
    // The offsets window's fields replace the settings file's offsets; `source` must outlive the session.
    void setOffsetsSource(const OffsetsSource& source) { guardedOffsets_.setSource(source); }

    // Shown in the message window and written to the events log.
    void report(const std::string& message);

private:
    SensorInputs sensorInputs();
    void wireSensorOutages();
    ReaderValues readerValues() const;
    // A setting the device refused at open (a parity) is said, not passed over.
    void reportOpenWarning(const TSelvirSerialGPS& reader, const char* device);
    void makeGuidance(SerialPortResolver resolver);

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
    GuardedOffsets guardedOffsets_; // what the reduction uses, whatever the settings file holds
    SettingsFileDeviceSettings fileDevices_;
    DeviceSettingsRelay devices_; // the device settings window, once it joined; the file until then
    SettingsSources mapSettings_;
    CachedSettings<GuidanceSettings> guidanceSettings_;
    CachedSettings<NmeaOutputSettings> nmeaSettings_;
    std::optional<NmeaOutputSettings> nmeaOverride_;
    std::optional<GuidanceSettings> guidanceOverride_;

    std::unique_ptr<TSelvirSerialGPS> gps_;
    std::unique_ptr<TSelvirSerialGPS> sensor_;
    std::unique_ptr<GnssHandlers> gnss_;
    std::unique_ptr<MapUpdate> map_;
    std::unique_ptr<SensorHandler> sensorHandler_;
    std::unique_ptr<LineGuidance> guidance_;
    std::unique_ptr<NmeaOutput> nmea_;
    std::optional<SoundVelocityProfile> profile_; // the SV column in force since the last start
    bool realtime_ = false;
    bool sensorStarted_ = false;
    bool rawLogs_ = true;
    int reopenIntervalMs_ = kDefaultReopenIntervalMs;
    bool sensorLost_ = false; // the echosounder's device went away; its reader is reopening it
};

} // namespace selvir
