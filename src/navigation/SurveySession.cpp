#include "navigation/SurveySession.h"

#include "core/AtomicFile.h"
#include "navigation/EchosounderFormats.h"
#include "navigation/GeodesySessionLog.h"
#include "navigation/PortChoices.h"

#include <sstream>

namespace selvir {

namespace {

// The sound velocity window's "Use Sound Velocity Profile" box, as stored ("SVP", "cUseSVP").
bool profileTicked(const ProfileStore& settings) {
    return settings.readBool("SVP", "cUseSVP", true);
}

// The SV column the sound velocity window saved today, one velocity per metre; nothing when missing or
// unreadable, and the single sound velocity is used.
std::optional<SoundVelocityProfile> savedProfile(const DataFolders& folders, const LocalDate& today) {
    std::string text;
    if (!readWholeFile(folders.svpFolder() / (formatDate(today) + " mSVPColumn.ini"), text)) {
        return std::nullopt;
    }
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) {
            line.pop_back();
        }
        lines.push_back(line);
    }
    auto profile = SoundVelocityProfile::fromLines(lines);
    if (!profile || profile->empty()) {
        return std::nullopt;
    }
    return profile;
}

} // namespace

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
      marker_(settings_, events_, clock_), offsets_(settings_), mapSettings_(settings_), devices_(settings_),
      display_(settings_), echosounderOffsets_(settings_) {
    gps_ = std::make_unique<TSelvirSerialGPS>(nullptr, std::move(devices.gps), &clock_, devices.resolver);
    sensor_ =
        std::make_unique<TSelvirSerialGPS>(nullptr, std::move(devices.sensor), &clock_, devices.resolver);

    GnssHandlerOutputs gnssOut;
    gnssOut.messages = out_.messages;
    gnssOut.events = &events_;
    gnssOut.readout = &readout_;
    gnssOut.monitor = out_.gpsMonitor;
    gnssOut.mapTimer = out_.mapTimer;
    gnssOut.realtimeButton = out_.realtimeButton;
    gnssOut.canvas = out_.canvasLayers;
    gnssOut.offsets = &offsets_;
    gnss_ = std::make_unique<GnssHandlers>(state_, gnssOut);
    wireGnssReader(*gps_, *gnss_);

    MapUpdateOutputs mapOut;
    mapOut.canvas = out_.canvas;
    mapOut.statusBar = out_.statusBar;
    mapOut.latency = out_.latency;
    mapOut.reportProblem = [this](const std::string& text) { report(text); };
    map_ = std::make_unique<MapUpdate>(state_, readout_, mapSettings_, mapOut, clock_);

    SensorHandlerOutputs sensorOut;
    sensorOut.readout = &readout_;
    sensorOut.waterfall = &waterfall_;
    sensorOut.monitor = out_.sensorMonitor;
    sensorOut.background = out_.background;
    sensorOut.messages = out_.messages;
    sensorOut.events = &events_;
    sensorOut.showBattery = out_.showBattery;
    sensorHandler_ = std::make_unique<SensorHandler>(
        state_, survey_, clock_, [this] { return sensorInputs(); }, [this] { return gps_->FixQuality(); },
        [this] { return realtime_; }, sensorOut);
    sensor_->OnNewCommand = [this](TSelvirSerialGPS*, const std::string& line) {
        sensorHandler_->ZSENSORNewCommand(line);
    };
}

SurveySession::~SurveySession() {
    // The readers' close events reach the handlers, so close them while everything still stands.
    gps_->Close();
    sensor_->Close();
}

SensorInputs SurveySession::sensorInputs() {
    const DeviceSwitches& device = devices_.get();
    SensorInputs in;
    in.formatName = device.messageFormat;
    in.formatPattern = device.messagePattern;
    // The realtime window puts the chosen row's pattern into the format field 10 s after start, so a
    // running program decodes a table format with the table's pattern whatever the field held before;
    // only "OTHER" keeps the user's own.
    if (const EchosounderFormat* row = findEchosounderFormat(device.messageFormat);
        row && !row->pattern.empty()) {
        in.formatPattern = row->pattern;
    }
    const OffsetsValues offsets = echosounderOffsets_.get().values;
    in.draftM = offsets.offsetA;
    in.soundVelocity = offsets.soundVelocity;
    const NavigationDisplaySettings& display = display_.get();
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

void SurveySession::applyPorts() {
    const LocalDate today = clock_.now().date;
    std::string problem = applyPortChoices(PortChoices::read(settings_, kGpsPortSection),
                                           folders_.gnssRawLog(today).string(), *gps_);
    if (!problem.empty()) {
        report(problem);
    }
    problem = applyPortChoices(PortChoices::read(settings_, kSensorPortSection),
                               folders_.sbesRawLog(today).string(), *sensor_);
    if (!problem.empty()) {
        report(problem);
    }
    if (!rawLogs_) {
        gps_->NMEALog = false;
        sensor_->NMEALog = false;
    }
}

void SurveySession::startRealtime() {
    if (realtime_) {
        return;
    }
    std::string error;
    if (!writeGeodesySession(folders_, settings_, clock_, &error)) {
        report(error);
    }
    applyPorts();
    profile_.reset();
    if (profileTicked(settings_)) {
        profile_ = savedProfile(folders_, clock_.now().date);
    }
    gps_->Open();
    sensorStarted_ = devices_.get().sensorEnabled;
    if (sensorStarted_) {
        sensor_->Open();
        const std::string opened =
            "ZSENSOR Open called on port: " + TSelvirSerialGPS::PortName(sensor_->Port);
        if (out_.messages) {
            out_.messages->appendMessage(opened);
        }
        if (!sensor_->Active() && out_.messages) {
            out_.messages->appendMessage("ZSENSOR Open failed with unknown error");
        }
    }
    realtime_ = true;
    events_.writeAutoEvent("Realtime STARTED");
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

MapUpdate::Tick SurveySession::mapTick() {
    ReaderValues reader;
    reader.fixQuality = gps_->FixQuality();
    reader.satellites = gps_->Satellites();
    reader.courseDeg = gps_->Course();
    return map_->tMapTimer(reader);
}

int SurveySession::markEvent(const EventMarker::AddLabel& addLabel) {
    EventMarkValues values;
    values.easting = state_.Easting;
    values.northing = state_.Northing;
    values.depthHiText = readout_.lDepthHi;
    values.depthLoText = readout_.lDepthLo;
    values.vesselHeading = state_.VesselHeading;
    return marker_.mark(values, addLabel);
}

} // namespace selvir
