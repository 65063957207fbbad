#include "serial/SerialPortMapping.h"

#include <utility>

namespace selvir {

std::string defaultSerialDevicePath(int port) {
#ifdef _WIN32
    return "\\\\.\\COM" + std::to_string(port);
#else
    return "/dev/ttyS" + std::to_string(port - 1);
#endif
}

std::string serialDevicePath(const ProfileStore& store, int port) {
#ifdef _WIN32
    (void)store;
    return defaultSerialDevicePath(port);
#else
    const std::string mapped = store.readString(kSerialDevicesSection, "COM" + std::to_string(port));
    if (mapped.find_first_not_of(" \t") == std::string::npos) {
        return defaultSerialDevicePath(port);
    }
    return mapped;
#endif
}

SerialPortResolver profilePortResolver(std::filesystem::path settingsFile) {
    return [file = std::move(settingsFile)](int port) { return serialDevicePath(ProfileStore(file), port); };
}

} // namespace selvir
