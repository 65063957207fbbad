#include "navigation/SurveySession.h"

#include "core/AtomicFile.h"
#include "core/SvpTableFiles.h"
#include "navigation/GeodesySessionLog.h"
#include "navigation/PortChoices.h"

namespace selvir {

namespace {

// The sound velocity window's "Use Sound Velocity Profile" box, as stored ("SVP", "cUseSVP").
bool profileTicked(const ProfileStore& settings) {
    return settings.readBool("SVP", "cUseSVP", true);
}

// The SV column the sound velocity window saved for this day folder, one velocity per metre; nothing
// when missing or unreadable, and the single sound velocity is used.
std::optional<SoundVelocityProfile> savedProfile(const DataFolders& folders) {
    std::vector<std::string> lines;
    if (!readSvpTable(folders, SvpTable::Column, lines)) {
        return std::nullopt;
    }
    for (std::string& line : lines) {
        while (!line.empty() && line.back() == ' ') {
            line.pop_back();
        }
    }
    auto profile = SoundVelocityProfile::fromLines(lines);
    if (!profile || profile->empty()) {
        return std::nullopt;
    }
    return profile;
}

} // namespace

bool soundVelocityProfileReady(const ProfileStore& settings, const DataFolders& folders) {
    return profileTicked(settings) && savedProfile(folders).has_value();
}

SurveySessionDevices memorySessionDevices(MemorySerialDevice*& gps, MemorySerialDevice*& sensor,
                                          const std::string& pathPrefix) {
    SurveySessionDevices devices;
    auto gpsDevice = std::make_unique<MemorySerialDevice>();
    auto sensorDevice = std::make_unique<MemorySerialDevice>();
    gps = gpsDevice.get();
    sensor = sensorDevice.get();
    devices.gps = std::move(gpsDevice);
    devices.sensor = std::move(sensorDevice);
    devices.resolver = [pathPrefix](int port) { return pathPrefix + std::to_string(port); };
    return devices;
}

SurveySession::SurveySession(ProfileStore& settings, DataFolders folders, const Clock& clock,
                             SurveySessionOutputs outputs, SurveySessionDevices devices)
    : settings_(settings), folders_(std::move(folders)), clock_(clock), out_(std::move(outputs)),
      events_(folders_, clock_), survey_(folders_, clock_, [this](const std::string& text) { report(text); }),
      marker_(settings_, events_, clock_), offsets_(settings_),
      guardedOffsets_(offsets_, [this](const std::string& text) { report(text); }), fileDevices_(settings_),
      devices_(fileDevices_), mapSettings_(settings_, devices_), guidanceSettings_(settings_),
      nmeaSettings_(settings_) {
    mapSettings_.offsetsWindowShown = [this] { return guardedOffsets_.offsetsWindowOpen(); };
    gps_ = std::make_unique<TSelvirSerialGPS>(nullptr, std::move(devices.gps), &clock_, devices.resolver);
    sensor_ =
        std::make_unique<TSelvirSerialGPS>(nullptr, std::move(devices.sensor), &clock_, devices.resolver);

    GnssHandlerOutputs gnssOut;
    gnssOut.messages = out_.messages;
    gnssOut.events = &events_;
    gnssOut.readout = &readout_;
    gnssOut.monitor = out_.gpsMonitor;
    gnssOut.mapTimer = out_.mapTimer;
    gnssOut.realtimeSwitch = out_.realtimeSwitch;
    gnssOut.canvas = out_.canvasLayers;
    gnssOut.offsets = &guardedOffsets_;
    gnss_ = std::make_unique<GnssHandlers>(state_, gnssOut);
    wireGnssReader(*gps_, *gnss_);

    MapUpdateOutputs mapOut;
    mapOut.canvas = out_.canvas;
    mapOut.statusBar = out_.statusBar;
    mapOut.latency = out_.latency;
    mapOut.reportProblem = [this](const std::string& text) { report(text); };
    map_ = std::make_unique<MapUpdate>(state_, readout_, mapSettings_, mapOut, clock_);
    // The map timer stops at an idle report and at the loss of the device: the map says at once that
    // the receiver is silent.
    gps_->OnIdle = [this, idle = std::move(gps_->OnIdle)](TSelvirSerialGPS* sender) {
        idle(sender);
        map_->showReceiverSilent(readerValues());
    };
    gps_->OnDisconnect = [this, disconnect = std::move(gps_->OnDisconnect)](TSelvirSerialGPS* sender,
                                                                            int port) {
        disconnect(sender, port);
        if (sender->Reopening()) {
            map_->showReceiverSilent(readerValues());
        }
    };

    SensorHandlerOutputs sensorOut;
    sensorOut.readout = &readout_;
    sensorOut.waterfall = &waterfall_;
    sensorOut.monitor = out_.sensorMonitor;
    sensorOut.background = out_.background;
    sensorOut.messages = out_.messages;
    sensorOut.events = &events_;
    sensorOut.showBattery = out_.showBattery;
    sensorHandler_ = std::make_unique<SensorHandler>(
        state_, survey_, clock_, [this] { return sensorInputs(); }, [this] { return positionNow(); },
        [this] { return realtime_; }, sensorOut);
    sensor_->OnNewCommand = [this](TSelvirSerialGPS*, const std::string& line) {
        sensorHandler_->handleDepthLine(line);
    };
    wireSensorOutages();
    makeGuidance(devices.resolver);
    sensorHandler_->setRowListener([this](const SurveyRow& row) {
        guidance_->rowWritten(row);
        nmea_->depth(row.depthHF, row.offsetA);
    });
    if (out_.surveyState) {
        survey_.setStateListener(out_.surveyState);
    }
}

void SurveySession::makeGuidance(SerialPortResolver resolver) {
    if (!resolver) {
        resolver = profilePortResolver(settings_.file());
    }
    LineGuidanceOutputs out;
    out.events = &events_;
    // Numbered marks only where there is a map to label: a replay must not move the surveyor's
    // event numbers.
    if (out_.addEventLabel) {
        out.markEvent = [this](double, double) { markEvent(out_.addEventLabel); };
    }
    out.openLineFile = [this](const std::string& lineName) {
        // A picked polyline is named after its layer, which may hold any character ("Harbour/East 57").
        const std::filesystem::path file =
            folders_.logFolder() /
            (formatDate(folders_.startDate()) + " Coordinates Line " + fileNamePart(lineName) + ".csv");
        return std::make_unique<SurveyFile>(
            folders_, clock_, [this](const std::string& text) { report(text); }, file);
    };
    guidance_ = std::make_unique<LineGuidance>(
        out_.guidanceLines,
        [this] { return guidanceOverride_ ? *guidanceOverride_ : guidanceSettings_.get(); }, std::move(out));
    nmea_ =
        std::make_unique<NmeaOutput>([this] { return nmeaOverride_ ? *nmeaOverride_ : nmeaSettings_.get(); },
                                     std::move(resolver), [this](const std::string& text) { report(text); });
}

void SurveySession::wireSensorOutages() {
    // A silent or vanished echosounder is reported as the receiver is, once per outage, and its last
    // depth is not shown or labelled as current from then on.
    sensor_->OnIdle = [this](TSelvirSerialGPS*) {
        if (!state_.DepthStale) {
            state_.DepthStale = true;
            report("Echosounder is idle!");
        }
    };
    sensor_->OnDisconnect = [this](TSelvirSerialGPS* sender, int port) {
        if (sender->Reopening()) {
            sensorLost_ = true;
            state_.DepthStale = true;
            report("Disconnected from echosounder on " + TSelvirSerialGPS::PortName(port));
        }
    };
    sensor_->OnConnect = [this](TSelvirSerialGPS*, int port) {
        if (sensorLost_) {
            sensorLost_ = false;
            report("Connected to echosounder on " + TSelvirSerialGPS::PortName(port));
        }
    };
}

SurveySession::~SurveySession() {
    // The readers' close events reach the handlers, so close them while everything still stands.
    gps_->Close();
    sensor_->Close();
}

SensorInputs SurveySession::sensorInputs() {
    // The format field as it stands decodes: a pattern the surveyor edited takes effect at once.
    const DeviceSwitches device = devices_.deviceSwitches();
    SensorInputs in;
    in.formatName = device.messageFormat;
    in.formatPattern = device.messagePattern;
    const OffsetsValues offsets = guardedOffsets_.offsets();
    in.draftM = offsets.offsetA;
    in.soundVelocity = offsets.soundVelocity;
    const NavigationDisplaySettings display = mapSettings_.navigationSettings();
    in.alertDepthM = display.depthAlertM;
    in.mapBackground = display.backgroundColor;
    in.profile = profile_ && !profile_->empty() ? &*profile_ : nullptr;
    return in;
}

void SurveySession::report(const std::string& message) {
    if (out_.messages) {
        out_.messages->showMessageWindow();
        out_.messages->appendMessage(message);
    }
    events_.writeAutoEvent(message);
}

void SurveySession::applyPorts(SerialPortRole role) {
    const LocalDate today = clock_.now().date;
    const bool gnss = role == SerialPortRole::Gnss;
    TSelvirSerialGPS& reader = gnss ? *gps_ : *sensor_;
    const std::string problem =
        applyPortChoices(devices_.portChoices(role),
                         (gnss ? folders_.gnssRawLog(today) : folders_.sbesRawLog(today)).string(), reader);
    if (!problem.empty()) {
        report((gnss ? "GPS Set: " : "SBES Set: ") + problem);
    }
    if (!rawLogs_) {
        reader.NMEALog = false;
    }
}

void SurveySession::reportOpenWarning(const TSelvirSerialGPS& reader, const char* device) {
    if (reader.Active() && !reader.OpenWarning().empty()) {
        report(std::string(device) + " port " + reader.OpenWarning());
    }
}

void SurveySession::startRealtime() {
    if (realtime_) {
        return;
    }
    std::string error;
    if (!writeGeodesySession(folders_, devices_.geodeticParameters(), clock_, &error)) {
        report(error);
    }
    applyPorts(SerialPortRole::Gnss);
    applyPorts(SerialPortRole::Sensor);
    reloadSoundVelocityProfile();
    // While realtime runs, a port that is not there yet or goes away is opened again and again.
    gps_->ReopenIntervalMs = reopenIntervalMs_;
    sensor_->ReopenIntervalMs = reopenIntervalMs_;
    gps_->Open();
    if (!gps_->Active()) {
        // Realtime still starts; the surveyor must see why no position comes.
        report("GPS Open failed: " + gps_->OpenError());
        gps_->StartReopening();
    }
    reportOpenWarning(*gps_, "GPS");
    sensorStarted_ = devices_.deviceSwitches().sensorEnabled;
    sensorLost_ = false;
    state_.DepthStale = false;
    if (sensorStarted_) {
        sensor_->Open();
        const std::string opened =
            "ZSENSOR Open called on port: " + TSelvirSerialGPS::PortName(sensor_->Port);
        if (out_.messages) {
            out_.messages->appendMessage(opened);
        }
        if (!sensor_->Active()) {
            const std::string& why = sensor_->OpenError();
            report(why.empty() ? "ZSENSOR Open failed with unknown error" : "ZSENSOR Open failed: " + why);
            sensorLost_ = true; // its later connect is news
            sensor_->StartReopening();
        }
        reportOpenWarning(*sensor_, "Echosounder");
    }
    realtime_ = true;
    events_.writeAutoEvent("Realtime STARTED");
}

void SurveySession::reloadSoundVelocityProfile() {
    profile_.reset();
    if (profileTicked(settings_)) {
        profile_ = savedProfile(folders_);
    }
}

void SurveySession::stopRealtime() {
    if (!realtime_) {
        return;
    }
    gps_->Close();
    sensor_->Close();
    realtime_ = false;
    events_.writeAutoEvent("Realtime STOPPED");
}

ReaderValues SurveySession::readerValues() const {
    ReaderValues reader;
    reader.fixQuality = gps_->FixQuality();
    reader.satellites = gps_->Satellites();
    reader.courseDeg = gps_->Course();
    reader.receiverSilent = gnss_->receiverSilent();
    reader.receiverLost = gnss_->receiverLostNow();
    return reader;
}

MapUpdate::Tick SurveySession::mapTick() {
    survey_.writeKeptRows();
    const MapUpdate::Tick result = map_->tick(readerValues());
    GuidanceInput in;
    in.positionKnown = result == MapUpdate::Tick::Done;
    in.position = {state_.Easting, state_.Northing};
    in.courseGridDeg = gps_->Course() + state_.Convergence;
    in.speedKnots = state_.SpeedKnots;
    in.convergenceDeg = state_.Convergence;
    const GuidanceReading& reading = guidance_->tick(in);
    if (in.positionKnown) {
        nmea_->guidance(reading, guidance_->activeLine(), in.position, in.convergenceDeg);
    }
    return result;
}

RecordPosition SurveySession::positionNow() {
    RecordPosition position;
    const int fixQuality = gps_->FixQuality();
    if (gnss_->receiverSilent() || !positionReported(fixQuality, state_.GpsLatitude, state_.GpsLongitude)) {
        return position;
    }
    position.reported = true;
    position.fixQuality = fixQuality;
    position.latitudeDeg = state_.GpsLatitude;
    position.longitudeDeg = state_.GpsLongitude;
    position.grid = map_->gridPositionOf(state_.GpsLatitude, state_.GpsLongitude, state_.GpsAltitude);
    return position;
}

int SurveySession::markEvent(const EventMarker::AddLabel& addLabel) {
    EventMarkValues values;
    values.easting = state_.Easting;
    values.northing = state_.Northing;
    values.depthHiText = readoutDepthText(readout_.depthHfM);
    values.depthLoText = readoutDepthText(readout_.depthLfM);
    values.vesselHeading = state_.VesselHeading;
    return marker_.mark(values, addLabel);
}

} // namespace selvir
