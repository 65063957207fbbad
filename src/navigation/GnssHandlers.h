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
    RealtimeButtonControl* realtimeButton = nullptr;
    CanvasLayerControl* canvas = nullptr;
    OffsetsSource* offsets = nullptr;
};

class GnssHandlers {
public:
    // `state` and every sink must outlive the handlers.
    GnssHandlers(NavigationState& state, GnssHandlerOutputs outputs);

    void ZGPS1Connect(int port);
    void ZGPS1Disconnect(int port);
    void ZGPS1Idle();
    void ZGPS1Timeout();
    void ZGPS1Send(const std::string& text);
    void ZGPS1Position3DChange(double latitude, double longitude, double altitude);
    void ZGPS1SpeedChange(double speedKmh);
    // One line from the receiver. `readerFixQuality` is the reader's FixQuality() at this moment (its
    // own decoding of this line comes after this handler).
    void ZGPS1NewCommand(const std::string& line, int readerFixQuality);

    // A status message: message window shown, the text appended, and an automatic events log entry.
    void reportStatus(const std::string& message);

    NavigationState& state() { return state_; }
    const GnssHandlerOutputs& outputs() const { return outputs_; }

private:
    void readHeading(const std::string& line);
    void readSpeed(const std::string& line, const ScanPattern& pattern);
    void refreshOffsets();
    void readRtkHeights(const std::string& line);
    void colourFix(int fixQuality);

    NavigationState& state_;
    GnssHandlerOutputs outputs_;
    ScanPattern hdtPattern_;
    ScanPattern rmcPattern_;
    ScanPattern vtgPattern_;
    ScanPattern ggaPattern_;
    ScanResult scan_; // reused for every line
};

// Assigns all eight events of the receiver's reader to the handlers. Both must outlive the wiring.
void wireGnssReader(TSelvirSerialGPS& reader, GnssHandlers& handlers);

} // namespace selvir
