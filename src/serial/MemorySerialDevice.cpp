#include "serial/MemorySerialDevice.h"

#include <algorithm>

namespace selvir {

bool MemorySerialDevice::open(const std::string& path, const SerialLineSettings& settings) {
    if (open_ || openFails_) {
        openError_ = open_ ? "the device is already open" : "the device refused to open";
        return false;
    }
    openError_.clear();
    lastPath_ = path;
    lastSettings_ = settings;
    open_ = true;
    unplugged_ = false;
    ++openCount_;
    return true;
}

void MemorySerialDevice::close() {
    open_ = false;
    unplugged_ = false;
}

long long MemorySerialDevice::queuedBytes() {
    if (!open_ || unplugged_) {
        return -1;
    }
    return static_cast<long long>(incoming_.size());
}

long long MemorySerialDevice::read(char* data, std::size_t maxBytes) {
    if (!open_ || unplugged_) {
        return -1;
    }
    const std::size_t count = std::min({maxBytes, incoming_.size(), readLimit_});
    std::copy_n(incoming_.begin(), count, data);
    incoming_.erase(incoming_.begin(), incoming_.begin() + static_cast<std::ptrdiff_t>(count));
    return static_cast<long long>(count);
}

long long MemorySerialDevice::write(const char* data, std::size_t size, int timeoutMs) {
    ++writeCount_;
    lastWriteTimeoutMs_ = timeoutMs;
    if (!open_ || unplugged_) {
        return -1;
    }
    written_.append(data, size);
    return static_cast<long long>(size);
}

void MemorySerialDevice::purge() {
    ++purgeCount_;
    incoming_.clear();
}

void MemorySerialDevice::feed(std::string_view bytes) {
    incoming_.insert(incoming_.end(), bytes.begin(), bytes.end());
}

} // namespace selvir
