#pragma once
// TSelvirSerialGPS: one serial port, polled on the user-interface thread. It cuts the byte stream into
// lines, hands each line to its owner (OnNewCommand), keeps the last position, speed and course of the
// standard sentences, copies lines into a raw log, and writes commands. There is no reading thread:
// two timers owned by the reader drive everything, and every event is raised synchronously from inside
// a timer tick.
//
// Settings are plain fields, set before Open(); changes while open apply at the next open. Events are
// std::function members; an unassigned event is skipped.
//
// Polling: every `Delay` ms at most 1023 bytes are taken, never blocking. Watchdog: every 5000 ms, and
// restarted by every read, a tick with no data since the previous one raises OnIdle then OnTimeout.
// So the first pair comes 10 s after data stops, then one pair every 5 s (5 s after open when nothing
// ever arrives).

#include "core/DateTime.h"
#include "serial/NmeaDecoder.h"
#include "serial/NmeaLineCutter.h"
#include "serial/RawNmeaLog.h"
#include "serial/SerialDevice.h"
#include "serial/SerialPortMapping.h"

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace selvir {

// What the reader has seen since it was made, for status displays, replays and checks.
struct SerialReaderCounters {
    std::uint64_t bytesRead = 0;
    std::uint64_t readFailures = 0; // ticks whose query or read failed (device gone)
    std::uint64_t lines = 0;        // non-empty lines handed to OnNewCommand
    std::uint64_t ggaDecoded = 0;   // GGA read to the end (position, fix, satellites stored)
    std::uint64_t rmcDecoded = 0;
    std::uint64_t vtgDecoded = 0;
    std::uint64_t rejected = 0;        // GGA, RMC or VTG with too few fields or an unreadable field
    std::uint64_t bufferOverflows = 0; // times the buffer passed 4096 characters without a line feed
    std::uint64_t badChecksums = 0;    // sentences dropped because their checksum did not match
};

class TSelvirSerialGPS : public QObject, private NmeaChangeListener {
public:
    static constexpr int kDefaultDelayMs = 50;
    static constexpr int kDefaultWatchdogMs = 5000;
    static constexpr std::size_t kMaxReadBytes = 1023;
    static constexpr int kWriteTimeoutMs = 1000;

    // `device`: the port layer (QtSerialDevice when null). `clock`: local time of the raw log prefix
    // (the system clock when null; must outlive the reader). `resolver`: port number -> device path
    // (defaultSerialDevicePath when empty).
    explicit TSelvirSerialGPS(QObject* owner = nullptr, std::unique_ptr<SerialDevice> device = nullptr,
                              const Clock* clock = nullptr, SerialPortResolver resolver = {});
    // Closes the port as Close() does, OnDisconnect included.
    ~TSelvirSerialGPS() override;
    TSelvirSerialGPS(const TSelvirSerialGPS&) = delete;
    TSelvirSerialGPS& operator=(const TSelvirSerialGPS&) = delete;

    // --- Settings ---
    int Port = 1;                               // port number n ("COMn")
    int BaudRate = 9600;                        // bits per second, used as given
    int DataWidth = 4;                          // data bits = code + 4 (1..4)
    int StopBits = 1;                           // 1 one, 2 one and a half, 3 two; anything else one
    int Parity = 0;                             // 0 none, 1 odd, 2 even, 3 mark, 4 space
    int Priority = 3;                           // kept with the settings; no effect on reading
    int Delay = kDefaultDelayMs;                // poll period in ms; below 1 means 50
    bool NMEALog = false;                       // copy every received line into LogFileName
    bool LogTime = false;                       // prefix logged lines with the local date and time
    bool EnableDTR = false;                     // DTR held on while open
    bool EnableRTS = false;                     // RTS held on while open
    std::string LogFileName;                    // UTF-8 path of the raw log
    std::string TimeFormat{kDefaultTimeLayout}; // layout of the prefix time ("hhnnsszzz")
    std::string DateFormat{kDefaultDateLayout}; // layout of the prefix date ("yyyy-mm-dd")
    // Above 0: a device that fails while open (a USB adapter pulled out) is closed at once, with
    // OnDisconnect and Reopening() true, and opened again every this many ms until it answers
    // (OnConnect). 0: a failing device stays open and its ticks are skipped. Close() ends the reopening.
    int ReopenIntervalMs = 0;

    // --- Events ---
    std::function<void(TSelvirSerialGPS* sender, int port)> OnConnect;
    std::function<void(TSelvirSerialGPS* sender, int port)> OnDisconnect;
    std::function<void(TSelvirSerialGPS* sender)> OnIdle;
    std::function<void(TSelvirSerialGPS* sender)> OnTimeout;
    // Every non-empty received line, trimmed, before the built-in decoding.
    std::function<void(TSelvirSerialGPS* sender, const std::string& line)> OnNewCommand;
    // A sentence whose checksum does not match: line noise, logged raw and counted but not handed on.
    std::function<void(TSelvirSerialGPS* sender, const std::string& line)> OnBadChecksum;
    // After every write to an open port, with the text written.
    std::function<void(TSelvirSerialGPS* sender, const std::string& text)> OnSend;
    // A GGA changed latitude, longitude or altitude (degrees, degrees, metres).
    std::function<void(TSelvirSerialGPS* sender, double latitude, double longitude, double altitude)>
        OnPosition3DChange;
    // An RMC or VTG changed the speed (km/h).
    std::function<void(TSelvirSerialGPS* sender, double speedKmh)> OnSpeedChange;

    // --- Operations ---
    // Opens and configures the port. Reports nothing on failure: success shows only through OnConnect
    // and Active(), and OpenError() says why it failed. A no-op when already active.
    void Open();
    // Why the last Open() failed: the port, its device path and the system's reason; empty after a
    // successful open.
    const std::string& OpenError() const { return openError_; }
    // A line setting the device refused at the last successful open (a parity), with the port and its
    // device path; empty when it took them all.
    const std::string& OpenWarning() const { return openWarning_; }
    // Stops the timers, closes the port and the raw log, zeroes the decoded values and raises
    // OnDisconnect. A no-op without event when not active. Also ends a reopening in progress.
    void Close();
    // True from the loss of the device until it is open again or Close() is called.
    bool Reopening() const { return reopening_; }
    // After an Open() that failed, with ReopenIntervalMs above 0: keep trying every period until the
    // device answers (a receiver plugged in after realtime was started). Nothing when active.
    void StartReopening();
    // Writes the text as it is (no terminator added) in one write, ignoring the result, then raises
    // OnSend. Does nothing when not open.
    void Send(std::string_view text);
    // Zeroes the decoded position, altitude, fix quality and satellites (speed and course stay), so a
    // receiver that fell silent is not taken for one with a fix, and its next GGA raises
    // OnPosition3DChange even at the position it last reported.
    void ForgetFix();

    // "com7" -> 7; "COM" alone or a non-number -> 1; limited to 1..20.
    static int PortFromName(std::string_view name);
    // 3 -> "COM3".
    static std::string PortName(int port);
    // The rate when it is a standard one (110 .. 230400), else 9600.
    static int ValidBaudRate(int rate);

    // --- State ---
    bool Active() const { return active_; }
    double Latitude() const { return values_.latitude; }
    double Longitude() const { return values_.longitude; }
    double Altitude() const { return values_.altitude; }
    double Speed() const { return values_.speedKmh; }
    double Course() const { return values_.courseDeg; }
    int FixQuality() const { return values_.fixQuality; }
    int Satellites() const { return values_.satellites; }
    // Received characters not yet cut into lines.
    std::string_view Buffer() const { return cutter_.buffer(); }
    // Set by every read, cleared by the watchdog.
    bool Received() const { return received_; }
    bool LogFileOpen() const { return log_.isOpen(); }
    const SerialReaderCounters& counters() const { return counters_; }
    // The port number of the current (or last) open.
    int OpenedPort() const { return openedPort_; }

    // --- The timer steps; public so tests and replays can drive them ---
    void PollTick();
    void WatchdogTick();
    void ReopenTick();

    // Off: Open() starts no timers and the caller drives the two steps (replays, fuzzing, tests
    // without an event loop). On by default.
    void setTimersEnabled(bool enabled) { timersEnabled_ = enabled; }
    bool timersEnabled() const { return timersEnabled_; }
    // The watchdog period (5000 ms by default); integration tests shorten it. Applies at the next open.
    void setWatchdogIntervalMs(int ms) { watchdogIntervalMs_ = ms > 0 ? ms : kDefaultWatchdogMs; }
    int watchdogIntervalMs() const { return watchdogIntervalMs_; }

    const QTimer& PollTimer() const { return pollTimer_; }
    const QTimer& WatchdogTimer() const { return watchdogTimer_; }
    const QTimer& ReopenTimer() const { return reopenTimer_; }
    SerialDevice& device() { return *device_; }

private:
    void positionChanged(const NmeaNavigationValues& values) override;
    void speedChanged(const NmeaNavigationValues& values) override;
    void cutLines();
    void count(const NmeaDecodeResult& result);
    void logLine(const std::string& line);
    void restartWatchdog();
    void closePort();
    // A query or read failed: the device has gone.
    void deviceFailed();

    std::unique_ptr<SerialDevice> device_;
    const Clock* clock_;
    SerialPortResolver resolver_;
    QTimer pollTimer_;
    QTimer watchdogTimer_;
    QTimer reopenTimer_;
    NmeaLineCutter cutter_;
    NmeaDecoder decoder_;
    NmeaNavigationValues values_;
    SerialReaderCounters counters_;
    RawNmeaLog log_;
    std::string line_;       // reused for each cut line
    std::string logPrefix_;  // reused for each logged line
    std::string readBuffer_; // reused for each read
    bool logTime_ = false;   // LogTime as it was at open
    std::string timeFormat_; // layouts as they were at open
    std::string dateFormat_;
    int openedPort_ = 1;
    std::string openError_;
    std::string openWarning_;
    int watchdogIntervalMs_ = kDefaultWatchdogMs;
    bool active_ = false;
    bool reopening_ = false;
    bool received_ = false;
    bool timersEnabled_ = true;
};

} // namespace selvir
