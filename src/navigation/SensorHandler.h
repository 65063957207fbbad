#pragma once
// The main window's handler of the echosounder reader (handleDepthLine): every line is decoded with
// the chosen message format, reduced with the draft and the sound velocity (single value or profile),
// shown, fed to the waterfall, checked against the shallow-water alert and written to the survey file.

#include "navigation/DepthReduction.h"
#include "navigation/EchosounderFormats.h"
#include "navigation/EventsLog.h"
#include "navigation/GnssSinks.h"
#include "navigation/NavigationState.h"
#include "navigation/RealtimeReadout.h"
#include "navigation/RecordPosition.h"
#include "navigation/SurveyFile.h"

#include <functional>
#include <string>

namespace selvir {

// What the handler reads on every message from the settings windows.
struct SensorInputs {
    std::string formatName;    // device settings' message choice
    std::string formatPattern; // device settings' format field
    double draftM = 0;         // offsets window's OffsetA
    // Offsets window's SV, used only until the first GNSS line has copied it into the navigation state
    // (a depth must never be reduced with a sound velocity of 0).
    double soundVelocity = 1500;
    double alertDepthM = 1;                        // navigation settings' shallow-water alert
    ColorValue mapBackground = 0;                  // navigation settings' map background colour
    const SoundVelocityProfile* profile = nullptr; // set while "Use Sound Velocity Profile" is ticked
};

// The depth waterfall's feed: the latest depth and the flag the echogram timer clears.
struct WaterfallFeed {
    double latestDepthM = 0;
    bool newDepth = false;
};

// The device settings window's sensor monitor memo (MemoSensor).
class SensorMonitorSink {
public:
    virtual ~SensorMonitorSink() = default;
    virtual bool monitorAcceptsLines() const = 0;
    virtual void appendMonitorLine(const std::string& line) = 0;
};

// The canvas background, for the shallow-water alert.
class MapBackgroundControl {
public:
    virtual ~MapBackgroundControl() = default;
    virtual ColorValue backgroundColor() const = 0;
    virtual void setBackgroundColor(ColorValue color) = 0;
    virtual void repaintMap() = 0;
};

struct SensorHandlerOutputs {
    RealtimeReadout* readout = nullptr;
    WaterfallFeed* waterfall = nullptr;
    SensorMonitorSink* monitor = nullptr;
    MapBackgroundControl* background = nullptr;
    MessageSink* messages = nullptr;
    EventsLog* events = nullptr;
    // The battery window's panel text ("12.60").
    std::function<void(const std::string&)> showBattery;
};

class SensorHandler {
public:
    using InputsSource = std::function<SensorInputs()>;
    using PositionSource = std::function<RecordPosition()>;
    using RealtimeOn = std::function<bool()>;

    // Every reference must outlive the handler.
    // `position` gives the fix in force when a depth arrives; without it rows carry no position.
    SensorHandler(NavigationState& state, SurveyFile& survey, const Clock& clock, InputsSource inputs,
                  PositionSource position, RealtimeOn realtimeOn, SensorHandlerOutputs outputs);

    // RowKept: the file cannot be written now; the row is kept and written later (SurveyFile).
    enum class Result { NotDecoded, RowWritten, NoRow, RowKept };
    Result handleDepthLine(const std::string& line);

    // A status message: shown in the message window and written to the events log.
    void report(const std::string& message);
    // Told of every row made, after the survey file took it (or kept it): line files, depth sentences.
    void setRowListener(std::function<void(const SurveyRow&)> listener) {
        rowListener_ = std::move(listener);
    }

    const RawDepths& lastRaw() const { return raw_; }
    const std::string& lastFormatName() const { return formatName_; }
    double lastSoundVelocity() const { return soundVelocity_; }

private:
    NavigationState& state_;
    SurveyFile& survey_;
    const Clock& clock_;
    InputsSource inputs_;
    PositionSource position_;
    RealtimeOn realtimeOn_;
    SensorHandlerOutputs out_;
    std::function<void(const SurveyRow&)> rowListener_;
    EchosounderDecoder decoder_;
    RawDepths raw_;
    std::string formatName_;
    double soundVelocity_ = 0;
    const SoundVelocityProfile* extendedReported_ = nullptr;
    std::string unknownFormatReported_;
};

} // namespace selvir
