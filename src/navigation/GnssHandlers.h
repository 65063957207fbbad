#pragma once
// The main window's handlers of the GNSS receiver's reader (ZGPS1): connection messages, the realtime
// switch's visible state, the speed read-out, and the sentence steps done on top of the reader's own
// decoding (heading, speed in knots, RTK heights and tide, offsets refresh, fix colour). The main
// window's handlers of the same names forward here.
//
// Every output is optional: a null sink skips its effect (headless replays need only the state).

#include "core/ScanPattern.h"
#include "navigation/EventsLog.h"
#include "navigation/GnssSinks.h"
#include "navigation/LayerNames.h"
#include "navigation/NavigationState.h"

#include <string>

namespace selvir {

class TSelvirSerialGPS;

struct GnssHandlerOutputs {
    MessageSink* messages = nullptr;
    EventsLog* events = nullptr;
    RealtimeReadoutSink* readout = nullptr;
    GpsMonitorSink* monitor = nullptr;
    MapTimerControl* mapTimer = nullptr;
    RealtimeSwitchDisplay* realtimeSwitch = nullptr;
    CanvasLayerControl* canvas = nullptr;
    OffsetsSource* offsets = nullptr;
};

class GnssHandlers {
public:
    // `state` and every sink must outlive the handlers.
    GnssHandlers(NavigationState& state, GnssHandlerOutputs outputs);

    void receiverConnected(int port);
    void receiverDisconnected(int port);
    // The receiver's device went away while realtime runs (the reader reopens it): the map stops and
    // shows the outage, the realtime switch stays on.
    void receiverLost(int port);
    void receiverIdle();
    void receiverTimedOut();
    void commandSent(const std::string& text);
    void positionChanged(double latitude, double longitude, double altitude);
    void speedChanged(double speedKmh);
    // One line from the receiver. `readerFixQuality` is the reader's FixQuality() at this moment (its
    // own decoding of this line comes after this handler).
    void handleGnssLine(const std::string& line, int readerFixQuality);

    // A status message: message window shown, the text appended, and an automatic events log entry.
    void reportStatus(const std::string& message);
    // Colours the GPS box for this fix quality when the box shows another one.
    void colourFix(int fixQuality);
    // True from an idle report or the loss of the device until the receiver sends again.
    bool receiverSilent() const { return receiverSilent_; }
    // True from the loss of the device until it is connected again.
    bool receiverLostNow() const { return receiverLost_; }

    NavigationState& state() { return state_; }
    const GnssHandlerOutputs& outputs() const { return outputs_; }

private:
    void readHeading(const std::string& line);
    void readSpeed(const std::string& line, const ScanPattern& pattern);
    void refreshOffsets();
    void readRtkHeights(const std::string& line);

    NavigationState& state_;
    GnssHandlerOutputs outputs_;
    ScanPattern hdtPattern_;
    ScanPattern rmcPattern_;
    ScanPattern vtgPattern_;
    ScanPattern ggaPattern_;
    ScanResult scan_; // reused for every line
    bool receiverSilent_ = false;
    bool receiverLost_ = false;
};

// Assigns all eight events of the receiver's reader to the handlers. Both must outlive the wiring.
// An idle report also makes the reader forget its fix, and every new position recolours the GPS box.
void wireGnssReader(TSelvirSerialGPS& reader, GnssHandlers& handlers);

} // namespace selvir
