#pragma once
// The seam between the serial reader and the operating system: one serial device, opened with its line
// settings, read without blocking, written with a bounded wait. Production uses QSerialPort
// (QtSerialDevice); tests and replays use MemorySerialDevice.

#include <cstddef>
#include <string>

namespace selvir {

enum class SerialParity { None, Odd, Even, Mark, Space };
enum class SerialStopBits { One, OneAndHalf, Two };

struct SerialLineSettings {
    int baudRate = 9600; // bits per second, used as given
    int dataBits = 8;    // 5..8
    SerialParity parity = SerialParity::None;
    SerialStopBits stopBits = SerialStopBits::One;
    bool dtrOn = false; // DTR held on while open
    bool rtsOn = false; // RTS held on while open
};

class SerialDevice {
public:
    virtual ~SerialDevice() = default;

    // Opens the device at `path` for reading and writing, not shared, and applies the line settings.
    // Baud rate, data bits and stop bits must be accepted or the open fails and the device stays closed.
    // Parity and the DTR/RTS lines are applied best effort: pseudo-terminals and some USB adapters refuse
    // them, and that is never an open failure.
    virtual bool open(const std::string& path, const SerialLineSettings& settings) = 0;
    // Why the last open failed, in words the surveyor can act on ("Permission denied", "No such file or
    // directory", "baud rate 0 is not valid"); empty after a successful open.
    virtual std::string openError() const = 0;
    // A line setting the device refused although it opened (a parity the adapter cannot generate), in
    // words for the message window; empty when every setting that matters was taken.
    virtual std::string openWarning() const { return {}; }
    // Closes the device; harmless when closed.
    virtual void close() = 0;
    // True between a successful open and close(), even when the device has failed since (a receiver
    // unplugged while open): reads then fail until the device is closed.
    virtual bool isOpen() const = 0;

    // Bytes waiting to be read, or -1 when the device failed.
    virtual long long queuedBytes() = 0;
    // Reads at most `maxBytes` that are already waiting, never blocks. Returns the count read (0 when
    // none) or -1 on failure.
    virtual long long read(char* data, std::size_t maxBytes) = 0;
    // Writes the bytes, waiting at most `timeoutMs` for them to leave. Returns the count written or -1.
    virtual long long write(const char* data, std::size_t size, int timeoutMs) = 0;
    // Discards everything queued in both directions.
    virtual void purge() = 0;
};

} // namespace selvir
