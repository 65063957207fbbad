#include "navigation/GnssHandlers.h"

#include "core/NumberFormat.h"
#include "serial/SelvirSerialGPS.h"

#include <cmath>

namespace selvir {
namespace {

constexpr double kKmhPerKnot = 1.852;
constexpr int kRtkFixed = 4;
constexpr int kVesselLayerAction = 1;

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

void GnssHandlers::ZGPS1Connect(int port) {
    reportStatus("Connected to GPS on " + TSelvirSerialGPS::PortName(port));
    if (outputs_.realtimeButton) {
        outputs_.realtimeButton->setRealtimeButtonDown(true);
    }
    if (outputs_.canvas) {
        outputs_.canvas->setLayerAction(kVesselLayerName, kVesselLayerAction);
    }
    if (outputs_.mapTimer) {
        outputs_.mapTimer->startMapTimer();
    }
}

void GnssHandlers::ZGPS1Disconnect(int port) {
    if (outputs_.mapTimer) {
        outputs_.mapTimer->stopMapTimer();
    }
    reportStatus("Disconnected from GPS on " + TSelvirSerialGPS::PortName(port));
    if (outputs_.realtimeButton) {
        outputs_.realtimeButton->setRealtimeButtonDown(false);
    }
}

void GnssHandlers::ZGPS1Idle() {
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
}

void GnssHandlers::ZGPS1Timeout() {
    reportStatus("GPS Timeout!");
    if (outputs_.monitor) {
        outputs_.monitor->setMonitorColor(kColorRed);
    }
}

void GnssHandlers::ZGPS1Send(const std::string& text) {
    reportStatus("Command sent to device: " + text);
}

void GnssHandlers::ZGPS1Position3DChange(double latitude, double longitude, double altitude) {
    state_.GpsLatitude = latitude;
    state_.GpsLongitude = longitude;
    state_.GpsAltitude = altitude;
}

void GnssHandlers::ZGPS1SpeedChange(double speedKmh) {
    if (outputs_.readout) {
        outputs_.readout->setSpeedText(formatFixed(speedKmh / kKmhPerKnot, 1));
    }
}

void GnssHandlers::ZGPS1NewCommand(const std::string& line, int readerFixQuality) {
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
    reader.OnConnect = [&handlers](TSelvirSerialGPS*, int port) { handlers.ZGPS1Connect(port); };
    reader.OnDisconnect = [&handlers](TSelvirSerialGPS*, int port) { handlers.ZGPS1Disconnect(port); };
    reader.OnIdle = [&handlers](TSelvirSerialGPS*) { handlers.ZGPS1Idle(); };
    reader.OnTimeout = [&handlers](TSelvirSerialGPS*) { handlers.ZGPS1Timeout(); };
    reader.OnSend = [&handlers](TSelvirSerialGPS*, const std::string& text) { handlers.ZGPS1Send(text); };
    reader.OnPosition3DChange = [&handlers](TSelvirSerialGPS*, double latitude, double longitude,
                                            double altitude) {
        handlers.ZGPS1Position3DChange(latitude, longitude, altitude);
    };
    reader.OnSpeedChange = [&handlers](TSelvirSerialGPS*, double speedKmh) {
        handlers.ZGPS1SpeedChange(speedKmh);
    };
    reader.OnNewCommand = [&handlers](TSelvirSerialGPS* sender, const std::string& line) {
        handlers.ZGPS1NewCommand(line, sender->FixQuality());
    };
}

} // namespace selvir
