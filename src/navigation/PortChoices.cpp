#include "navigation/PortChoices.h"

#include "core/NumberFormat.h"
#include "serial/SelvirSerialGPS.h"

#include <array>
#include <cstdint>

namespace selvir {
namespace {

// Position of the text in the list (from 0), or -1.
template <std::size_t N>
int positionIn(const std::array<std::string_view, N>& list, std::string_view text) {
    for (std::size_t i = 0; i < N; ++i) {
        if (list[i] == text) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

constexpr std::array<std::string_view, 4> kDataWidths = {"5", "6", "7", "8"};
constexpr std::array<std::string_view, 3> kStopBits = {"1", "1.5", "2"};
constexpr std::array<std::string_view, 5> kParities = {"Even", "Mark", "None", "Odd", "Space"};
// Alphabetical, as the list shows them: Higher is 1 ... TimeCritical is 7.
constexpr std::array<std::string_view, 7> kPriorities = {"Higher", "Highest", "Idle",        "Lower",
                                                         "Lowest", "Normal",  "TimeCritical"};
constexpr std::array<std::string_view, 2> kBooleans = {"True", "False"};
constexpr std::array<std::string_view, 15> kBaudRates = {"110",   "300",   "600",    "1200",   "2400",
                                                         "4800",  "9600",  "14400",  "19200",  "38400",
                                                         "56000", "57600", "115200", "128000", "256000"};

void readListed(const IniDocument& doc, std::string_view section, std::string_view key, std::string& value,
                auto const& list) {
    const auto text = doc.value(section, key);
    if (text && positionIn(list, *text) >= 0) {
        value = *text;
    }
}

} // namespace

PortChoices PortChoices::read(const ProfileStore& store, std::string_view section) {
    const IniDocument doc = store.load();
    PortChoices out;
    if (const auto port = doc.value(section, "Port No"); port && !port->empty()) {
        out.port = *port;
    }
    readListed(doc, section, "Baud Rate", out.baudRate, kBaudRates);
    readListed(doc, section, "Data Width", out.dataWidth, kDataWidths);
    readListed(doc, section, "Stop Bits", out.stopBits, kStopBits);
    readListed(doc, section, "Parity", out.parity, kParities);
    readListed(doc, section, "Priority", out.priority, kPriorities);
    if (const auto delay = doc.value(section, "Delay"); delay && !delay->empty()) {
        out.delay = *delay;
    }
    readListed(doc, section, "NMEA LOG", out.nmeaLog, kBooleans);
    readListed(doc, section, "Log Time", out.logTime, kBooleans);
    readListed(doc, section, "Enable DTR", out.enableDTR, kBooleans);
    readListed(doc, section, "Enable RTS", out.enableRTS, kBooleans);
    return out;
}

std::string applyPortChoices(const PortChoices& choices, const std::string& logFile,
                             TSelvirSerialGPS& reader) {
    reader.Port = TSelvirSerialGPS::PortFromName(choices.port);
    reader.BaudRate =
        TSelvirSerialGPS::ValidBaudRate(static_cast<int>(parseInteger(choices.baudRate).value_or(0)));
    reader.DataWidth = positionIn(kDataWidths, choices.dataWidth) + 1;
    reader.StopBits = positionIn(kStopBits, choices.stopBits) + 1;
    reader.Parity = 0;
    reader.Priority = positionIn(kPriorities, choices.priority) + 1;
    const auto delay = parseInteger(choices.delay);
    if (!delay || *delay < INT32_MIN || *delay > INT32_MAX) {
        return "'" + choices.delay + "' is not a valid integer value";
    }
    reader.Delay = static_cast<int>(*delay);
    reader.NMEALog = choices.nmeaLog == "True";
    reader.LogTime = choices.logTime == "True";
    reader.EnableDTR = choices.enableDTR == "True";
    reader.EnableRTS = choices.enableRTS == "True";
    reader.LogFileName = logFile;
    return {};
}

} // namespace selvir
