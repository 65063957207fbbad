#pragma once
// The serial port choices of the device settings ("GPS Set" and "SBES Set"), read from the sections the
// device settings window keeps, and copied into a reader before it opens. A missing or unlisted value
// is the control's default ("COM1", "9600", "8", "1", "None", "Normal", "5", "False", "False", "True",
// "True"), as the window shows it.

#include "core/ProfileStore.h"

#include <string>
#include <string_view>

namespace selvir {

class TSelvirSerialGPS;

inline constexpr std::string_view kGpsPortSection = "GPS1 COMUNICATION SETTINGS";
inline constexpr std::string_view kSensorPortSection = "SENSOR COMUNICATION SETTINGS";

struct PortChoices {
    std::string port = "COM1";
    std::string baudRate = "9600";
    std::string dataWidth = "8"; // 5, 6, 7, 8
    std::string stopBits = "1";  // 1, 1.5, 2
    std::string parity = "None"; // stored, never applied
    std::string priority = "Normal";
    std::string delay = "5"; // poll period, ms
    std::string nmeaLog = "False";
    std::string logTime = "False";
    std::string enableDTR = "True";
    std::string enableRTS = "True";

    static PortChoices read(const ProfileStore& store, std::string_view section);
};

// Copies the choices into the reader as "GPS Set" does; `logFile` becomes its raw log name. A value that
// cannot be used (a delay that is not a number) stops the copy there, leaving the rest as they were, and
// the reason is returned (empty when everything was applied).
std::string applyPortChoices(const PortChoices& choices, const std::string& logFile,
                             TSelvirSerialGPS& reader);

} // namespace selvir
