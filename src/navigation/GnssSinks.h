#pragma once
// What the GNSS handlers do to windows, as small interfaces the main window implements. Each one is a
// visible effect the surveyor relies on; the engine never touches a widget itself. Tests use recording
// fakes; headless replays leave the ones they do not need unset.

#include "navigation/FixQuality.h"

#include <string>
#include <string_view>

namespace selvir {

// The message window (FMsg).
class MessageSink {
public:
    virtual ~MessageSink() = default;
    // Brings the message window up (it hides itself again a few seconds later).
    virtual void showMessageWindow() = 0;
    // Appends one line of text.
    virtual void appendMessage(const std::string& text) = 0;
};

// The realtime data window (fRealtime).
class RealtimeReadoutSink {
public:
    virtual ~RealtimeReadoutSink() = default;
    // The speed over ground, knots.
    virtual void setSpeedKnots(double knots) = 0;
    // The GPS box's colour.
    virtual void setGpsBoxColor(ColorValue color) = 0;
};

// The device settings window's GPS monitor memo (MemoGPS).
class GpsMonitorSink {
public:
    virtual ~GpsMonitorSink() = default;
    // True when the device settings window is visible and its monitor is not paused (a mouse button
    // held down on a monitor memo pauses it).
    virtual bool monitorAcceptsLines() const = 0;
    virtual void appendMonitorLine(const std::string& line) = 0;
    virtual void setMonitorColor(ColorValue color) = 0;
};

// The main window's realtime map timer (tMap).
class MapTimerControl {
public:
    virtual ~MapTimerControl() = default;
    virtual void startMapTimer() = 0;
    virtual void stopMapTimer() = 0;
};

// Where the realtime switch is shown on or off (the main window's toggle button): a receiver that
// connects or disconnects turns it without a click.
class RealtimeSwitchDisplay {
public:
    virtual ~RealtimeSwitchDisplay() = default;
    virtual void showRealtimeRunning(bool running) = 0;
};

// Canvas layer operations the handlers need.
class CanvasLayerControl {
public:
    virtual ~CanvasLayerControl() = default;
    // Looks the layer up by name and sets its layer action; an unknown name does nothing.
    virtual void setLayerAction(std::string_view layerName, int action) = 0;
};

// The four offsets window fields (Offsets, the offsets essential window).
struct OffsetsValues {
    double offsetA = 0;       // `OffsetA`, transducer draft, metres
    double soundVelocity = 0; // `SV`, m/s
    double offsetC = 0;       // `OffsetC`, metres
    double tideHeight = 0;    // `TideHt`, metres
};

class OffsetsSource {
public:
    virtual ~OffsetsSource() = default;
    // True while the offsets window is shown: its edits are then not taken yet.
    virtual bool offsetsWindowOpen() const = 0;
    // The four fields read as numbers.
    virtual OffsetsValues offsets() const = 0;
};

} // namespace selvir
