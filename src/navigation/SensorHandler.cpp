#include "navigation/SensorHandler.h"

#include "core/NumberFormat.h"

namespace selvir {

SensorHandler::SensorHandler(NavigationState& state, SurveyFile& survey, const Clock& clock,
                             InputsSource inputs, PositionSource position, RealtimeOn realtimeOn,
                             SensorHandlerOutputs outputs)
    : state_(state), survey_(survey), clock_(clock), inputs_(std::move(inputs)),
      position_(std::move(position)), realtimeOn_(std::move(realtimeOn)), out_(std::move(outputs)) {}

void SensorHandler::report(const std::string& message) {
    if (out_.messages) {
        out_.messages->showMessageWindow();
        out_.messages->appendMessage(message);
    }
    if (out_.events) {
        out_.events->writeAutoEvent(message);
    }
}

SensorHandler::Result SensorHandler::handleDepthLine(const std::string& line) {
    // 1. Monitor.
    if (out_.monitor && out_.monitor->monitorAcceptsLines()) {
        out_.monitor->appendMonitorLine(line);
    }
    // 2. Data received.
    if (out_.readout) {
        out_.readout->depthFramesColor = kColorLime;
        out_.readout->depthFramesColored = true;
        out_.readout->changed();
    }
    // 3, 4. Decode by the chosen format.
    const SensorInputs in = inputs_ ? inputs_() : SensorInputs{};
    const auto decoded = decoder_.decode(line, in.formatName, in.formatPattern);
    if (decoder_.takeNewPatternError()) {
        report("Echosounder format \"" + in.formatPattern + "\" cannot be used: " + decoder_.patternError());
    }
    if (!decoded) {
        if (!findEchosounderFormat(in.formatName) && in.formatName != unknownFormatReported_) {
            // A choice the table does not know decodes nothing: that must not pass unnoticed.
            unknownFormatReported_ = in.formatName;
            report("The echosounder message \"" + in.formatName +
                   "\" is not one the program knows: no depth is read and no row is written.");
        }
        return Result::NotDecoded;
    }
    raw_ = *decoded;
    formatName_ = in.formatName;
    if (raw_.battery && out_.showBattery) {
        out_.showBattery(formatFixed(*raw_.battery, 2));
    }
    // 5. Reduction.
    const ReducedDepths reduced =
        in.profile && !in.profile->empty()
            ? reduceDepths(raw_.rawHF, raw_.rawLF, in.draftM, *in.profile)
            : reduceDepths(raw_.rawHF, raw_.rawLF, in.draftM,
                           state_.SoundVelocity > 0 ? state_.SoundVelocity : in.soundVelocity);
    if (reduced.profileExtended && extendedReported_ != in.profile) {
        extendedReported_ = in.profile;
        report("Depth beyond the sound velocity profile: its deepest value is used.");
    }
    state_.DepthHF = reduced.depthHF;
    state_.DepthLF = reduced.depthLF;
    state_.DepthStale = false;
    soundVelocity_ = reduced.soundVelocity;
    // 6. Read-out and waterfall.
    if (out_.readout) {
        out_.readout->depthHfM = state_.DepthHF;
        out_.readout->depthLfM = state_.DepthLF;
        ++out_.readout->depthCount;
        out_.readout->changed();
    }
    if (out_.waterfall) {
        out_.waterfall->latestDepthM = state_.DepthHF;
        out_.waterfall->newDepth = true;
    }
    // 7. Shallow-water alert, only while realtime runs.
    if (out_.background && realtimeOn_ && realtimeOn_()) {
        const ColorValue wanted = state_.DepthHF <= in.alertDepthM ? kColorRed : in.mapBackground;
        if (out_.background->backgroundColor() != wanted) {
            out_.background->setBackgroundColor(wanted);
        }
        out_.background->repaintMap();
    }
    // 8. Survey row.
    if (raw_.rawHF == 0) {
        survey_.append(nullptr);
        return Result::NoRow;
    }
    // The row's position is the fix in force now, projected on its own: never the last map tick's.
    const RecordPosition position = position_ ? position_() : RecordPosition{};
    SurveyRow row;
    row.time = clock_.now();
    row.positionKnown = position.reported;
    row.gridKnown = position.grid.has_value();
    row.gpsLatitude = position.latitudeDeg;
    row.gpsLongitude = position.longitudeDeg;
    if (position.grid) {
        row.easting = position.grid->eastingM;
        row.northing = position.grid->northingM;
    }
    row.depthHF = state_.DepthHF;
    row.depthLF = state_.DepthLF;
    row.rawHF = raw_.rawHF;
    row.rawLF = raw_.rawLF;
    row.messageFormat = in.formatName;
    row.soundVelocity = soundVelocity_;
    row.offsetA = in.draftM;
    row.fixQuality = position.fixQuality;
    row.rtkHeight = state_.RtkHeight;
    row.manualTide = state_.ManualTide;
    row.rtkTide = state_.RtkTide;
    const SurveyFile::Outcome outcome = survey_.append(&row);
    if (rowListener_) {
        rowListener_(row);
    }
    return outcome == SurveyFile::Outcome::RowWritten ? Result::RowWritten : Result::RowKept;
}

} // namespace selvir
