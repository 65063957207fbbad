#pragma once
// Where serial port n ("COMn") lives on this machine. On Windows it is the device "\\.\COMn". Elsewhere
// the settings section SERIAL_DEVICES maps a port name to a device path (key "COM3", value
// "/dev/ttyUSB0" or "/dev/pts/4"); without a key COMn is "/dev/ttyS<n-1>".

#include "core/ProfileStore.h"

#include <filesystem>
#include <functional>
#include <string>

namespace selvir {

inline constexpr const char* kSerialDevicesSection = "SERIAL_DEVICES";

// The device path used when the settings name none.
std::string defaultSerialDevicePath(int port);

// The mapped path from the store, or the default. Blank values count as missing.
std::string serialDevicePath(const ProfileStore& store, int port);

// Port number -> device path; the reader asks at every open.
using SerialPortResolver = std::function<std::string(int port)>;

// A resolver that reads the settings file at every call, so a mapping written while the program runs
// applies at the next open.
SerialPortResolver profilePortResolver(std::filesystem::path settingsFile);

} // namespace selvir
