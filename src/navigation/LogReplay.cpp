#include "navigation/LogReplay.h"

#include "core/DataFolders.h"
#include "navigation/DataFolderLock.h"
#include "navigation/SurveySession.h"
#include "serial/MemorySerialDevice.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <system_error>

namespace selvir {
namespace {

constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kWatchdogMs = TSelvirSerialGPS::kDefaultWatchdogMs;
constexpr std::uint64_t kProgressEveryLines = 4096;

// The main window's map timer, running on log time: started and stopped by the GNSS handlers and the
// realtime switch exactly as the window's timer is.
class LogTimeMapTimer final : public MapTimerControl {
public:
    LogTimeMapTimer(std::int64_t intervalMs, const std::int64_t& nowMs)
        : intervalMs_(intervalMs), now_(nowMs) {}
    void startMapTimer() override { dueMs_ = now_ + intervalMs_; }
    void stopMapTimer() override { dueMs_ = kNever; }
    std::int64_t dueMs() const { return dueMs_; }
    void fired() { dueMs_ += intervalMs_; }

private:
    std::int64_t intervalMs_;
    const std::int64_t& now_;
    std::int64_t dueMs_ = kNever;
};

class ForwardedMessages final : public MessageSink {
public:
    explicit ForwardedMessages(const std::function<void(const std::string&)>& forward) : forward_(forward) {}
    void showMessageWindow() override {}
    void appendMessage(const std::string& text) override {
        if (forward_) {
            forward_(text);
        }
    }

private:
    const std::function<void(const std::string&)>& forward_;
};

// One run: the merged inputs, the clock and the session they drive.
class ReplayRun {
public:
    ReplayRun(ProfileStore& settings, const LogReplayOptions& options, LogReplayReport& report)
        : settings_(settings), options_(options), report_(report), messages_(options.message),
          mapTimer_(options.mapIntervalMs, nowMs_) {}

    bool openInputs(std::string& error);
    bool prepareRoot(const std::filesystem::path& root, std::string& error);
    void replay();
    bool finish(std::string& error);

private:
    enum class Next { None, Switch, Gnss, Sbes };
    Next nextInput();
    void moveClockTo(const LocalDateTime& time, std::int64_t timeMs);
    void runTimersBefore(std::int64_t timeMs);
    void switchRealtime(bool on);
    void feed(TSelvirSerialGPS& reader, MemorySerialDevice& device, const TimedLine& line);
    void depthLine(const std::string& line);
    void reportProgress();

    ProfileStore& settings_;
    const LogReplayOptions& options_;
    LogReplayReport& report_;
    TimedLogReader gnssLog_;
    TimedLogReader sbesLog_;
    bool hasSbes_ = false;
    std::vector<RealtimeSwitch> switches_;
    std::size_t nextSwitch_ = 0;

    ManualClock clock_;
    std::int64_t nowMs_ = 0;
    ForwardedMessages messages_;
    LogTimeMapTimer mapTimer_;
    std::int64_t watchdogDueMs_ = kNever;
    MemorySerialDevice* gpsDevice_ = nullptr;
    MemorySerialDevice* sensorDevice_ = nullptr;
    std::unique_ptr<DataFolderLock> lock_;
    std::unique_ptr<SurveySession> session_;
    std::uint64_t linesSinceProgress_ = 0;
};

bool ReplayRun::openInputs(std::string& error) {
    if (!gnssLog_.open(options_.gnssLog, &error)) {
        return false;
    }
    hasSbes_ = !options_.sbesLog.empty();
    if (hasSbes_ && !sbesLog_.open(options_.sbesLog, &error)) {
        return false;
    }
    if (!options_.eventsLog.empty()) {
        auto switches = readRealtimeSwitches(options_.eventsLog, &error);
        if (!switches) {
            return false;
        }
        switches_ = std::move(*switches);
    }
    if (!gnssLog_.peek() && !(hasSbes_ && sbesLog_.peek())) {
        error = "no line with a date and time prefix in the logs (were they written with \"Log Time\" on?)";
        return false;
    }
    return true;
}

bool ReplayRun::prepareRoot(const std::filesystem::path& root, std::string& error) {
    const Next first = nextInput();
    const LocalDateTime start = first == Next::Switch ? switches_[nextSwitch_].time
                                : first == Next::Gnss ? gnssLog_.peek()->time
                                                      : sbesLog_.peek()->time;
    clock_.set(start);
    nowMs_ = millisecondsSinceEpoch(start);
    clock_.setMonotonicMs(nowMs_);
    lock_ = std::make_unique<DataFolderLock>(root);
    if (!lock_->owned()) {
        error = lock_->error();
        return false;
    }
    DataFolders folders(root, start.date);
    std::error_code ec;
    if (std::filesystem::exists(folders.surveyFile(), ec)) {
        error = "the survey file \"" + folders.surveyFile().string() +
                "\" already exists; replay into a new data root so no rows are mixed";
        return false;
    }
    std::string why;
    if (!folders.createAll(&why)) {
        error = "cannot create the data folders: " + why;
        return false;
    }

    SurveySessionOutputs outputs;
    outputs.messages = &messages_;
    outputs.mapTimer = &mapTimer_;
    outputs.guidanceLines = options_.guidanceLines;
    session_ = std::make_unique<SurveySession>(settings_, folders, clock_, outputs,
                                               memorySessionDevices(gpsDevice_, sensorDevice_, "replay:COM"));
    session_->setRawLogsEnabled(false);
    session_->overrideNmeaOutput(options_.nmeaOutput.value_or(NmeaOutputSettings{}));
    session_->overrideGuidance(options_.guidance);
    session_->gnssReader().setTimersEnabled(false);
    session_->sensorReader().setTimersEnabled(false);
    session_->sensorReader().OnNewCommand = [this](TSelvirSerialGPS*, const std::string& line) {
        depthLine(line);
    };
    report_.firstTime = start;
    report_.lastTime = start;
    return true;
}

ReplayRun::Next ReplayRun::nextInput() {
    // At equal times a switch comes first (the ports open before they deliver), then the receiver.
    Next next = Next::None;
    std::int64_t best = kNever;
    if (nextSwitch_ < switches_.size()) {
        next = Next::Switch;
        best = switches_[nextSwitch_].timeMs;
    }
    if (const TimedLine* line = gnssLog_.peek(); line && line->timeMs < best) {
        next = Next::Gnss;
        best = line->timeMs;
    }
    if (const TimedLine* line = hasSbes_ ? sbesLog_.peek() : nullptr; line && line->timeMs < best) {
        next = Next::Sbes;
    }
    return next;
}

void ReplayRun::moveClockTo(const LocalDateTime& time, std::int64_t timeMs) {
    clock_.set(time);
    // A log whose clock was set back keeps its order; the monotonic clock never goes back.
    nowMs_ = std::max(nowMs_, timeMs);
    clock_.setMonotonicMs(nowMs_);
    report_.lastTime = time;
}

void ReplayRun::runTimersBefore(std::int64_t timeMs) {
    for (;;) {
        const std::int64_t mapDue = mapTimer_.dueMs();
        const std::int64_t watchdogDue = session_->gnssReader().Active() ? watchdogDueMs_ : kNever;
        const std::int64_t due = std::min(mapDue, watchdogDue);
        // A line logged in the millisecond a timer falls due came first: Qt timers fire late, never early.
        if (due >= timeMs) {
            return;
        }
        moveClockTo(addMilliseconds(clock_.now(), due - nowMs_), due);
        if (mapDue <= watchdogDue) {
            mapTimer_.fired();
            session_->mapTick();
            ++report_.mapTicks;
            if (options_.mapTicked) {
                options_.mapTicked(clock_.now(), session_->guidance().reading());
            }
        } else {
            watchdogDueMs_ += kWatchdogMs;
            session_->gnssReader().WatchdogTick();
        }
    }
}

void ReplayRun::switchRealtime(bool on) {
    if (session_->realtimeOn()) {
        // Stopped, or started again without a stop (the program was restarted).
        session_->stopRealtime();
        mapTimer_.stopMapTimer();
    }
    if (!on) {
        return;
    }
    session_->startRealtime();
    mapTimer_.startMapTimer(); // the switch (re)starts the map timer after opening the ports
    watchdogDueMs_ = nowMs_ + kWatchdogMs;
    ++report_.realtimeStarts;
}

void ReplayRun::feed(TSelvirSerialGPS& reader, MemorySerialDevice& device, const TimedLine& line) {
    if (!session_->realtimeOn()) {
        switchRealtime(true); // lines without a recorded start: the program was running
    }
    if (!reader.Active()) {
        ++report_.linesWhileOff;
        return;
    }
    device.feed(line.text);
    device.feed("\n");
    while (device.pending() > 0) {
        reader.PollTick();
    }
}

void ReplayRun::depthLine(const std::string& line) {
    switch (session_->sensor().handleDepthLine(line)) {
    case SensorHandler::Result::RowWritten:
        ++report_.rowsWritten;
        if (options_.rowWritten) {
            options_.rowWritten(report_.rowsWritten, clock_.now());
        }
        break;
    case SensorHandler::Result::RowKept: // written later, or counted as failed at the end
        break;
    case SensorHandler::Result::NotDecoded:
    case SensorHandler::Result::NoRow:
        break;
    }
}

void ReplayRun::reportProgress() {
    if (++linesSinceProgress_ < kProgressEveryLines || !options_.progress) {
        return;
    }
    linesSinceProgress_ = 0;
    options_.progress(gnssLog_.bytesRead() + sbesLog_.bytesRead(), gnssLog_.size() + sbesLog_.size());
}

void ReplayRun::replay() {
    for (Next next = nextInput(); next != Next::None; next = nextInput()) {
        if (next == Next::Switch) {
            const RealtimeSwitch& s = switches_[nextSwitch_++];
            runTimersBefore(s.timeMs);
            moveClockTo(s.time, s.timeMs);
            switchRealtime(s.on);
            continue;
        }
        TimedLogReader& log = next == Next::Gnss ? gnssLog_ : sbesLog_;
        const TimedLine& line = *log.peek();
        runTimersBefore(line.timeMs);
        moveClockTo(line.time, line.timeMs);
        if (next == Next::Gnss) {
            feed(session_->gnssReader(), *gpsDevice_, line);
            watchdogDueMs_ = nowMs_ + kWatchdogMs; // every read restarts the watchdog
            ++report_.gnssLines;
        } else {
            feed(session_->sensorReader(), *sensorDevice_, line);
            ++report_.sbesLines;
        }
        log.pop();
        reportProgress();
    }
}

bool ReplayRun::finish(std::string& error) {
    report_.skippedLines = gnssLog_.skipped() + sbesLog_.skipped();
    report_.skippedExamples = gnssLog_.skippedExamples();
    const auto& more = sbesLog_.skippedExamples();
    report_.skippedExamples.insert(report_.skippedExamples.end(), more.begin(), more.end());
    SurveyFile& survey = session_->survey();
    survey.writeKeptRows();
    report_.rowsWritten = survey.rowsWritten();
    report_.rowsFailed = survey.keptRows();
    report_.surveyFile = survey.file();
    for (const TimedLogReader* log : {&gnssLog_, &sbesLog_}) {
        if (log->failed()) {
            error = "reading \"" + log->file().string() + "\" failed before its end";
            return false;
        }
    }
    return true;
}

} // namespace

LogReplay::LogReplay(ProfileStore& settings, std::filesystem::path dataRoot, LogReplayOptions options)
    : settings_(settings), root_(std::move(dataRoot)), options_(std::move(options)) {}

bool LogReplay::run(LogReplayReport& report, std::string& error) {
    report = {};
    if (options_.mapIntervalMs < 100 || options_.mapIntervalMs > 5000) {
        error = "the map interval must be 100 to 5000 ms";
        return false;
    }
    ReplayRun run(settings_, options_, report);
    if (!run.openInputs(error) || !run.prepareRoot(root_, error)) {
        return false;
    }
    run.replay();
    return run.finish(error);
}

} // namespace selvir
