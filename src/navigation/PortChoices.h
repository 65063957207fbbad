#pragma once
// The serial port choices of the device settings ("GPS Set" and "SBES Set"), as the device settings
// window shows them and the settings file keeps them, and their copy into a reader before it opens. A
// missing or unlisted value is the control's default ("COM1", "9600", "8", "1", "None", "Normal", "5",
// "False", "False", "True", "True"), as the window shows it.

#include "core/ProfileStore.h"

#include <span>
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
    std::string parity = "None"; // Even, Mark, None, Odd, Space
    std::string priority = "Normal";
    std::string delay = "5"; // poll period, ms
    std::string nmeaLog = "False";
    std::string logTime = "False";
    std::string enableDTR = "True";
    std::string enableRTS = "True";

    static PortChoices read(const ProfileStore& store, std::string_view section);
    static PortChoices read(const IniDocument& doc, std::string_view section);
    // The eleven keys in the window's order, with the padded names the settings file has always had.
    void write(IniDocument& doc, std::string_view section) const;
    friend bool operator==(const PortChoices&, const PortChoices&) = default;
};

// The lists the window's port controls offer, in their order.
struct PortChoiceLists {
    std::span<const std::string_view> ports; // "COM1" ... "COM256"
    std::span<const std::string_view> baudRates;
    std::span<const std::string_view> dataWidths;
    std::span<const std::string_view> stopBits;
    std::span<const std::string_view> parities;
    std::span<const std::string_view> priorities; // alphabetical: Higher is 1 ... TimeCritical is 7
    std::span<const std::string_view> delays;
    std::span<const std::string_view> booleans; // "True", "False"
};
const PortChoiceLists& portChoiceLists();

// Why a listed choice cannot be honoured by the serial reader, which opens COM1 to COM20 and takes the
// standard baud rates of 110 to 230400 only: "COM25 cannot be opened: ..." or "56000 baud cannot be
// set: ...". Empty when it can.
std::string unsupportedPortChoice(std::string_view port);
std::string unsupportedBaudRateChoice(std::string_view baudRate);

// Copies the choices into the reader as "GPS Set" does (parity included); `logFile` becomes its raw log
// name. A port or baud rate the reader cannot honour is not copied: the reader keeps its value and the
// reason is returned. A delay that is not a number stops the copy there, leaving the rest as they were.
// Returns the reasons, "; " between them (empty when everything was applied).
std::string applyPortChoices(const PortChoices& choices, const std::string& logFile,
                             TSelvirSerialGPS& reader);

} // namespace selvir
