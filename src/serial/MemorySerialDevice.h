#pragma once
// An in-memory serial device: the test (or a replay) feeds the bytes the "device" sends and reads back
// what was written to it. It records the open path and settings, and can refuse to open or fail while
// open like an unplugged receiver.

#include "serial/SerialDevice.h"

#include <deque>
#include <string>
#include <string_view>

namespace selvir {

class MemorySerialDevice final : public SerialDevice {
public:
    bool open(const std::string& path, const SerialLineSettings& settings) override;
    std::string openError() const override { return openError_; }
    std::string openWarning() const override {
        return refusesParity_ && lastSettings_.parity != SerialParity::None ? "the device refused parity"
                                                                            : "";
    }
    void close() override;
    bool isOpen() const override { return open_; }
    long long queuedBytes() override;
    long long read(char* data, std::size_t maxBytes) override;
    long long write(const char* data, std::size_t size, int timeoutMs) override;
    void purge() override;

    // Bytes the device sends; they wait until read (or purged).
    void feed(std::string_view bytes);
    // Makes the next opens fail (a missing or busy port).
    void setOpenFails(bool fails) { openFails_ = fails; }
    // Opens but refuses any parity (a USB adapter without a parity generator).
    void setRefusesParity(bool refuses) { refusesParity_ = refuses; }
    // The device disappears while open: queries and reads fail until it is closed and opened again.
    void unplug() { unplugged_ = true; }
    // Every later read returns at most this many bytes (default: no limit), to split data across reads.
    void setReadLimit(std::size_t bytes) { readLimit_ = bytes; }

    const std::string& written() const { return written_; }
    void clearWritten() { written_.clear(); }
    std::size_t pending() const { return incoming_.size(); }
    const std::string& lastPath() const { return lastPath_; }
    const SerialLineSettings& lastSettings() const { return lastSettings_; }
    int openCount() const { return openCount_; }
    int purgeCount() const { return purgeCount_; }
    int writeCount() const { return writeCount_; }
    int lastWriteTimeoutMs() const { return lastWriteTimeoutMs_; }

private:
    std::deque<char> incoming_;
    std::string written_;
    std::string lastPath_;
    SerialLineSettings lastSettings_;
    std::size_t readLimit_ = static_cast<std::size_t>(-1);
    int openCount_ = 0;
    int purgeCount_ = 0;
    int writeCount_ = 0;
    int lastWriteTimeoutMs_ = 0;
    bool open_ = false;
    bool openFails_ = false;
    bool refusesParity_ = false;
    std::string openError_;
    bool unplugged_ = false;
};

} // namespace selvir
