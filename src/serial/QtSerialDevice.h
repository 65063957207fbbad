#pragma once
// SerialDevice on QSerialPort. Lives on the thread that uses it (the user-interface thread); Qt's
// event loop moves the bytes from the operating system into the port's buffer, and the reader's poll
// tick takes them from there without blocking.

#include "serial/SerialDevice.h"

#include <memory>

class QSerialPort;

namespace selvir {

class QtSerialDevice final : public SerialDevice {
public:
    QtSerialDevice();
    ~QtSerialDevice() override;
    QtSerialDevice(const QtSerialDevice&) = delete;
    QtSerialDevice& operator=(const QtSerialDevice&) = delete;

    bool open(const std::string& path, const SerialLineSettings& settings) override;
    void close() override;
    bool isOpen() const override { return port_ != nullptr; }
    std::string openError() const override { return openError_; }
    std::string openWarning() const override { return openWarning_; }
    long long queuedBytes() override;
    long long read(char* data, std::size_t maxBytes) override;
    long long write(const char* data, std::size_t size, int timeoutMs) override;
    void purge() override;

    // True once the device failed while open (unplugged, hung up); cleared by close().
    bool failed() const { return failed_; }

    // Bytes Qt may hold for us between two poll ticks; beyond that the operating system's queue fills
    // and drops data, as a real port does when nobody reads it.
    static constexpr long long kReadBufferBytes = 256 * 1024;

private:
    void markFailed();

    std::unique_ptr<QSerialPort> port_;
    bool failed_ = false;
    std::string openError_;
    std::string openWarning_;
};

} // namespace selvir
