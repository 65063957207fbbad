#include "serial/SelvirSerialGPS.h"

#include "core/NumberFormat.h"
#include "serial/QtSerialDevice.h"

#include <QtGlobal>
#include <algorithm>
#include <cctype>
#include <exception>

namespace selvir {
namespace {

const SystemClock& systemClock() {
    static const SystemClock clock;
    return clock;
}

std::filesystem::path pathFromUtf8(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

// Runs a timer step so that nothing escapes into Qt's event loop: an owner's handler that throws
// loses its own line, not the port.
template <typename Step>
void guarded(const char* what, Step step) {
    try {
        step();
    } catch (const std::exception& error) {
        qWarning("serial reader: %s: %s", what, error.what());
    } catch (...) {
        qWarning("serial reader: %s: unknown error", what);
    }
}

} // namespace

TSelvirSerialGPS::TSelvirSerialGPS(QObject* owner, std::unique_ptr<SerialDevice> device, const Clock* clock,
                                   SerialPortResolver resolver)
    : QObject(owner), device_(device ? std::move(device) : std::make_unique<QtSerialDevice>()),
      clock_(clock ? clock : &systemClock()),
      resolver_(resolver ? std::move(resolver) : SerialPortResolver(defaultSerialDevicePath)) {
    // Precise: a coarse 5 s watchdog may fire up to 250 ms off, and restarting it would not always move it.
    pollTimer_.setTimerType(Qt::PreciseTimer);
    watchdogTimer_.setTimerType(Qt::PreciseTimer);
    pollTimer_.setInterval(kDefaultDelayMs);
    watchdogTimer_.setInterval(kDefaultWatchdogMs);
    QObject::connect(&pollTimer_, &QTimer::timeout, this,
                     [this] { guarded("poll", [this] { PollTick(); }); });
    QObject::connect(&watchdogTimer_, &QTimer::timeout, this,
                     [this] { guarded("watchdog", [this] { WatchdogTick(); }); });
    QObject::connect(&reopenTimer_, &QTimer::timeout, this,
                     [this] { guarded("reopen", [this] { ReopenTick(); }); });
    readBuffer_.resize(kMaxReadBytes);
}

TSelvirSerialGPS::~TSelvirSerialGPS() {
    guarded("close", [this] { Close(); });
}

void TSelvirSerialGPS::Open() {
    if (active_) {
        return;
    }
    openError_.clear();
    openWarning_.clear();
    if (DataWidth < 1 || DataWidth > 4 || Parity < 0 || Parity > 4) {
        // Settings the port cannot take: the open fails as a refused configuration would.
        openError_ = PortName(Port) + ": data width " + std::to_string(DataWidth) + " or parity " +
                     std::to_string(Parity) + " is not a setting of the port";
        return;
    }
    SerialLineSettings settings;
    settings.baudRate = BaudRate;
    settings.dataBits = DataWidth + 4;
    settings.parity = static_cast<SerialParity>(Parity);
    settings.stopBits = StopBits == 2   ? SerialStopBits::OneAndHalf
                        : StopBits == 3 ? SerialStopBits::Two
                                        : SerialStopBits::One;
    settings.dtrOn = EnableDTR;
    settings.rtsOn = EnableRTS;
    const std::string path = resolver_(Port);
    if (!device_->open(path, settings)) {
        openError_ = PortName(Port) + " (" + path + "): " + device_->openError();
        return;
    }
    const std::string warning = device_->openWarning();
    openWarning_ = warning.empty() ? std::string() : PortName(Port) + " (" + path + "): " + warning;
    device_->purge();
    active_ = true;
    reopening_ = false;
    reopenTimer_.stop();
    openedPort_ = Port;
    cutter_.clear();
    received_ = false;
    logTime_ = LogTime;
    timeFormat_ = TimeFormat;
    dateFormat_ = DateFormat;
    if (NMEALog && !LogFileName.empty()) {
        log_.open(pathFromUtf8(LogFileName));
    }
    pollTimer_.setInterval(Delay < 1 ? kDefaultDelayMs : Delay);
    watchdogTimer_.setInterval(watchdogIntervalMs_);
    if (timersEnabled_) {
        pollTimer_.start();
        watchdogTimer_.start();
    }
    if (OnConnect) {
        OnConnect(this, openedPort_);
    }
}

void TSelvirSerialGPS::Close() {
    reopening_ = false;
    reopenTimer_.stop();
    closePort();
}

void TSelvirSerialGPS::closePort() {
    if (!active_) {
        return;
    }
    pollTimer_.stop();
    watchdogTimer_.stop();
    device_->close();
    log_.close();
    active_ = false;
    values_ = NmeaNavigationValues{};
    if (OnDisconnect) {
        OnDisconnect(this, openedPort_);
    }
}

void TSelvirSerialGPS::deviceFailed() {
    ++counters_.readFailures;
    if (ReopenIntervalMs <= 0) {
        return; // the next tick tries again
    }
    reopening_ = true;
    closePort();
    if (reopening_) { // the disconnect handler may have ended it
        StartReopening();
    }
}

void TSelvirSerialGPS::StartReopening() {
    if (active_ || ReopenIntervalMs <= 0) {
        return;
    }
    reopening_ = true;
    reopenTimer_.setInterval(ReopenIntervalMs);
    if (timersEnabled_) {
        reopenTimer_.start();
    }
}

void TSelvirSerialGPS::ReopenTick() {
    if (!reopening_ || active_) {
        return;
    }
    Open();
}

void TSelvirSerialGPS::ForgetFix() {
    values_.latitude = 0;
    values_.longitude = 0;
    values_.altitude = 0;
    values_.fixQuality = 0;
    values_.satellites = 0;
}

void TSelvirSerialGPS::Send(std::string_view text) {
    if (!active_ || !device_->isOpen()) {
        return;
    }
    device_->write(text.data(), text.size(), kWriteTimeoutMs);
    if (OnSend) {
        OnSend(this, std::string(text));
    }
}

int TSelvirSerialGPS::PortFromName(std::string_view name) {
    std::string upper(name);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    std::string_view rest(upper);
    if (rest.substr(0, 3) == "COM") {
        rest.remove_prefix(3);
    }
    const auto number = parseInt(rest);
    const int port = number ? *number : 1;
    return std::clamp(port, 1, 20);
}

std::string TSelvirSerialGPS::PortName(int port) {
    return "COM" + std::to_string(port);
}

int TSelvirSerialGPS::ValidBaudRate(int rate) {
    static constexpr int kRates[] = {110,   300,   600,   1200,  2400,   4800,  9600,
                                     14400, 19200, 38400, 57600, 115200, 230400};
    return std::find(std::begin(kRates), std::end(kRates), rate) != std::end(kRates) ? rate : 9600;
}

void TSelvirSerialGPS::PollTick() {
    if (!active_ || !device_->isOpen()) {
        return;
    }
    const long long queued = device_->queuedBytes();
    if (queued < 0) {
        deviceFailed();
        return;
    }
    if (queued == 0) {
        return;
    }
    const std::size_t wanted = std::min<std::size_t>(static_cast<std::size_t>(queued), kMaxReadBytes);
    const long long got = device_->read(readBuffer_.data(), wanted);
    if (got < 0) {
        deviceFailed();
        return;
    }
    if (got == 0) {
        return;
    }
    counters_.bytesRead += static_cast<std::uint64_t>(got);
    cutter_.append(std::string_view(readBuffer_.data(), static_cast<std::size_t>(got)));
    received_ = true;
    restartWatchdog();
    cutLines();
}

void TSelvirSerialGPS::restartWatchdog() {
    if (timersEnabled_ && watchdogTimer_.isActive()) {
        watchdogTimer_.start(); // restarting begins a full period again
    }
}

void TSelvirSerialGPS::cutLines() {
    while (active_ && cutter_.nextLine(line_)) {
        if (line_.empty()) {
            continue;
        }
        logLine(line_);
        if (nmeaChecksum(line_) == NmeaChecksum::Invalid) {
            ++counters_.badChecksums;
            if (OnBadChecksum) {
                OnBadChecksum(this, line_);
            }
            continue;
        }
        ++counters_.lines;
        if (OnNewCommand) {
            OnNewCommand(this, line_);
        }
        if (line_.front() == '$') {
            count(decoder_.decode(line_, values_, this));
        }
    }
    counters_.bufferOverflows = cutter_.overflowCount();
}

void TSelvirSerialGPS::count(const NmeaDecodeResult& result) {
    const std::string_view type(result.type);
    if (result.outcome == NmeaSentenceOutcome::Decoded) {
        if (type == "GGA") {
            ++counters_.ggaDecoded;
        } else if (type == "RMC") {
            ++counters_.rmcDecoded;
        } else {
            ++counters_.vtgDecoded;
        }
    } else if (result.outcome == NmeaSentenceOutcome::Malformed ||
               result.outcome == NmeaSentenceOutcome::TooFewFields) {
        ++counters_.rejected;
    }
}

void TSelvirSerialGPS::logLine(const std::string& line) {
    if (!log_.isOpen()) {
        return;
    }
    logPrefix_.clear();
    if (logTime_) {
        const LocalDateTime now = clock_->now();
        logPrefix_ = formatWithLayout(dateFormat_, now);
        logPrefix_ += ' ';
        logPrefix_ += formatWithLayout(timeFormat_, now);
        logPrefix_ += ' ';
    }
    log_.writeLine(logPrefix_, line);
}

void TSelvirSerialGPS::WatchdogTick() {
    if (!active_) {
        return;
    }
    if (received_) {
        received_ = false;
        return;
    }
    if (OnIdle) {
        OnIdle(this);
    }
    if (OnTimeout) {
        OnTimeout(this);
    }
    received_ = false;
}

void TSelvirSerialGPS::positionChanged(const NmeaNavigationValues& values) {
    if (OnPosition3DChange) {
        OnPosition3DChange(this, values.latitude, values.longitude, values.altitude);
    }
}

void TSelvirSerialGPS::speedChanged(const NmeaNavigationValues& values) {
    if (OnSpeedChange) {
        OnSpeedChange(this, values.speedKmh);
    }
}

} // namespace selvir
