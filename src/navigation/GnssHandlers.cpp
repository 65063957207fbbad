#include "navigation/GnssHandlers.h"

#include "core/NumberFormat.h"
#include "serial/SelvirSerialGPS.h"

#include <cmath>

namespace selvir {
namespace {

constexpr double kKmhPerKnot = 1.852;
constexpr int kRtkFixed = 4;
constexpr int kVesselLayerAction = 1;
// LastFixQuality while the GPS box shows the receiver silent: no quality equals it, so the box takes
// the colour of the first fix that follows, whatever it was before.
constexpr int kSilentFixQuality = -1;

// Heading after the address and its comma ($HEHDT,123.4,T).
constexpr const char* kHdtPattern = "%*7s %lf";
// Address, time, status, latitude and letter, longitude and letter, then speed in knots.
constexpr const char* kRmcPattern = "%*6s,%*lf,%*1s,%*lf,%*1s,%*lf,%*1s,%lf";
// Address, true course and "T", magnetic course and "M", then speed in knots.
constexpr const char* kVtgPattern = "%*6s,%*lf,%*1s,%*lf,%*1s,%lf";
// Time, fix quality, altitude and geoid separation (position, satellites and HDOP skipped).
constexpr const char* kGgaPattern = "%*6s,%lf,%*lf,%*1s,%*lf,%*1s,%d,%*d,%*lf,%lf,%*1s,%lf";

bool contains(const std::string& line, const char* tag) {
    return line.find(tag) != std::string::npos;
}

} // namespace

GnssHandlers::GnssHandlers(NavigationState& state, GnssHandlerOutputs outputs)
    : state_(state), outputs_(outputs), hdtPattern_(kHdtPattern), rmcPattern_(kRmcPattern),
      vtgPattern_(kVtgPattern), ggaPattern_(kGgaPattern) {}

void GnssHandlers::reportStatus(const std::string& message) {
    if (outputs_.messages) {
        outputs_.messages->showMessageWindow();
        outputs_.messages->appendMessage(message);
    }
    if (outputs_.events) {
        outputs_.events->writeAutoEvent(message);
    }
}

void GnssHandlers::receiverConnected(int port) {
    receiverSilent_ = false;
    receiverLost_ = false;
    reportStatus("Connected to GPS on " + TSelvirSerialGPS::PortName(port));
    if (outputs_.realtimeSwitch) {
        outputs_.realtimeSwitch->showRealtimeRunning(true);
    }
    if (outputs_.canvas) {
        outputs_.canvas->setLayerAction(kVesselLayerName, kVesselLayerAction);
    }
    if (outputs_.mapTimer) {
        outputs_.mapTimer->startMapTimer();
    }
}

void GnssHandlers::receiverLost(int port) {
    if (outputs_.mapTimer) {
        outputs_.mapTimer->stopMapTimer();
    }
    state_.GpsLatitude = 0;
    state_.GpsLongitude = 0;
    reportStatus("Disconnected from GPS on " + TSelvirSerialGPS::PortName(port));
    if (outputs_.readout) {
        outputs_.readout->setGpsBoxColor(kColorRed);
    }
    state_.LastFixQuality = kSilentFixQuality;
    receiverSilent_ = true;
    receiverLost_ = true;
}

void GnssHandlers::receiverDisconnected(int port) {
    receiverSilent_ = false;
    receiverLost_ = false;
    if (outputs_.mapTimer) {
        outputs_.mapTimer->stopMapTimer();
    }
    reportStatus("Disconnected from GPS on " + TSelvirSerialGPS::PortName(port));
    if (outputs_.realtimeSwitch) {
        outputs_.realtimeSwitch->showRealtimeRunning(false);
    }
}

void GnssHandlers::receiverIdle() {
    if (outputs_.mapTimer) {
        outputs_.mapTimer->stopMapTimer();
    }
    // A zero position makes the map update stop drawing the vessel.
    state_.GpsLatitude = 0;
    state_.GpsLongitude = 0;
    reportStatus("GPS is idle!");
    if (outputs_.readout) {
        outputs_.readout->setGpsBoxColor(kColorRed);
    }
    state_.LastFixQuality = kSilentFixQuality;
    receiverSilent_ = true;
}

void GnssHandlers::receiverTimedOut() {
    reportStatus("GPS Timeout!");
    if (outputs_.monitor) {
        outputs_.monitor->setMonitorColor(kColorRed);
    }
}

void GnssHandlers::commandSent(const std::string& text) {
    reportStatus("Command sent to device: " + text);
}

void GnssHandlers::positionChanged(double latitude, double longitude, double altitude) {
    state_.GpsLatitude = latitude;
    state_.GpsLongitude = longitude;
    state_.GpsAltitude = altitude;
}

void GnssHandlers::speedChanged(double speedKmh) {
    if (outputs_.readout) {
        outputs_.readout->setSpeedKnots(speedKmh / kKmhPerKnot);
    }
}

void GnssHandlers::handleGnssLine(const std::string& line, int readerFixQuality) {
    if (receiverSilent_) {
        // The receiver is back: the map update stopped at the idle report resumes by itself.
        receiverSilent_ = false;
        if (outputs_.mapTimer) {
            outputs_.mapTimer->startMapTimer();
        }
    }
    if (outputs_.monitor && outputs_.monitor->monitorAcceptsLines()) {
        outputs_.monitor->appendMonitorLine(line);
    }
    // Types are found anywhere in the line, so one line may pass several of these tests.
    if (contains(line, "HDT")) {
        readHeading(line);
    }
    if (contains(line, "RMC")) {
        readSpeed(line, rmcPattern_);
    }
    if (contains(line, "VTG")) {
        readSpeed(line, vtgPattern_);
    }
    refreshOffsets();
    if (contains(line, "GGA")) {
        readRtkHeights(line);
    }
    colourFix(readerFixQuality);
}

void GnssHandlers::readHeading(const std::string& line) {
    hdtPattern_.scan(line, scan_);
    if (scan_.count >= 1) {
        const double heading = scan_.values[0].toDouble();
        if (std::isfinite(heading)) {
            state_.GyroHeading = heading;
        }
    }
}

void GnssHandlers::readSpeed(const std::string& line, const ScanPattern& pattern) {
    // A sentence that stops matching before the speed field gives 0 (an empty magnetic course in VTG,
    // an RMC without a position).
    double knots = 0;
    pattern.scan(line, scan_);
    if (scan_.count >= 1) {
        knots = scan_.values[0].toDouble();
    }
    if (std::isfinite(knots) && knots >= 0) {
        state_.SpeedKnots = knots;
    }
}

void GnssHandlers::refreshOffsets() {
    if (!outputs_.offsets || outputs_.offsets->offsetsWindowOpen()) {
        return; // edits in an open offsets window apply once it is closed
    }
    const OffsetsValues values = outputs_.offsets->offsets();
    state_.OffsetA = values.offsetA;
    state_.SoundVelocity = values.soundVelocity;
    state_.OffsetC = values.offsetC;
    state_.ManualTide = values.tideHeight;
}

void GnssHandlers::readRtkHeights(const std::string& line) {
    ggaPattern_.scan(line, scan_);
    // Values read, in order: time, fix quality, altitude, geoid separation.
    if (scan_.count < 3 || scan_.values[1].integer != kRtkFixed) {
        return;
    }
    const double altitude = scan_.values[2].toDouble();
    const double separation = scan_.count >= 4 ? scan_.values[3].toDouble() : 0.0;
    const double height = altitude + separation;
    if (!std::isfinite(height)) {
        return;
    }
    state_.RtkHeight = height;
    state_.RtkTide = state_.RtkHeight - state_.OffsetC;
}

void GnssHandlers::colourFix(int fixQuality) {
    if (fixQuality == state_.LastFixQuality) {
        return;
    }
    if (outputs_.readout) {
        outputs_.readout->setGpsBoxColor(fixQualityColor(fixQuality));
    }
    state_.LastFixQuality = fixQuality;
}

void wireGnssReader(TSelvirSerialGPS& reader, GnssHandlers& handlers) {
    reader.OnConnect = [&handlers](TSelvirSerialGPS*, int port) { handlers.receiverConnected(port); };
    reader.OnDisconnect = [&handlers](TSelvirSerialGPS* sender, int port) {
        if (sender->Reopening()) {
            handlers.receiverLost(port);
        } else {
            handlers.receiverDisconnected(port);
        }
    };
    reader.OnIdle = [&handlers](TSelvirSerialGPS* sender) {
        handlers.receiverIdle();
        sender->ForgetFix();
    };
    reader.OnTimeout = [&handlers](TSelvirSerialGPS*) { handlers.receiverTimedOut(); };
    reader.OnSend = [&handlers](TSelvirSerialGPS*, const std::string& text) { handlers.commandSent(text); };
    reader.OnPosition3DChange = [&handlers](TSelvirSerialGPS* sender, double latitude, double longitude,
                                            double altitude) {
        handlers.positionChanged(latitude, longitude, altitude);
        handlers.colourFix(sender->FixQuality());
    };
    reader.OnSpeedChange = [&handlers](TSelvirSerialGPS*, double speedKmh) {
        handlers.speedChanged(speedKmh);
    };
    reader.OnNewCommand = [&handlers](TSelvirSerialGPS* sender, const std::string& line) {
        handlers.handleGnssLine(line, sender->FixQuality());
    };
}

} // namespace selvir
