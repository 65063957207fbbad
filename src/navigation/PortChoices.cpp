#include "navigation/PortChoices.h"

#include "core/NumberFormat.h"
#include "serial/SelvirSerialGPS.h"

#include <array>
#include <cstdint>

namespace selvir {
namespace {

// Position of the text in the list (from 0), or -1.
int positionIn(std::span<const std::string_view> list, std::string_view text) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i] == text) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

constexpr int kPortCount = 256;

// "COM1" ... "COM256".
const std::array<std::string_view, kPortCount>& portNames() {
    static const std::array<std::string, kPortCount> texts = [] {
        std::array<std::string, kPortCount> out;
        for (int i = 0; i < kPortCount; ++i) {
            out[static_cast<std::size_t>(i)] = TSelvirSerialGPS::PortName(i + 1);
        }
        return out;
    }();
    static const std::array<std::string_view, kPortCount> names = [] {
        std::array<std::string_view, kPortCount> out;
        for (std::size_t i = 0; i < out.size(); ++i) {
            out[i] = texts[i];
        }
        return out;
    }();
    return names;
}

constexpr std::array<std::string_view, 15> kBaudRates = {"110",   "300",   "600",    "1200",   "2400",
                                                         "4800",  "9600",  "14400",  "19200",  "38400",
                                                         "56000", "57600", "115200", "128000", "256000"};
constexpr std::array<std::string_view, 4> kDataWidths = {"5", "6", "7", "8"};
constexpr std::array<std::string_view, 3> kStopBits = {"1", "1.5", "2"};
constexpr std::array<std::string_view, 5> kParities = {"Even", "Mark", "None", "Odd", "Space"};
constexpr std::array<std::string_view, 7> kPriorities = {"Higher", "Highest", "Idle",        "Lower",
                                                         "Lowest", "Normal",  "TimeCritical"};
constexpr std::array<std::string_view, 7> kDelays = {"1", "5", "10", "100", "1000", "10000", "100000"};
constexpr std::array<std::string_view, 2> kBooleans = {"True", "False"};

// The reader's parity codes: 0 none, 1 odd, 2 even, 3 mark, 4 space.
int parityCode(std::string_view parity) {
    constexpr std::array<std::string_view, 5> byCode = {"None", "Odd", "Even", "Mark", "Space"};
    const int code = positionIn(byCode, parity);
    return code < 0 ? 0 : code;
}

void readListed(const IniDocument& doc, std::string_view section, std::string_view key, std::string& value,
                std::span<const std::string_view> list) {
    const auto text = doc.value(section, key);
    if (text && positionIn(list, *text) >= 0) {
        value = *text;
    }
}

constexpr int kHighestPort = 20;

} // namespace

const PortChoiceLists& portChoiceLists() {
    static const PortChoiceLists lists{portNames(), kBaudRates,  kDataWidths, kStopBits,
                                       kParities,   kPriorities, kDelays,     kBooleans};
    return lists;
}

PortChoices PortChoices::read(const ProfileStore& store, std::string_view section) {
    return read(store.load(), section);
}

PortChoices PortChoices::read(const IniDocument& doc, std::string_view section) {
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

void PortChoices::write(IniDocument& doc, std::string_view section) const {
    // The echosounder's port key has always been one blank longer; the store trims both.
    doc.setValue(section, section == kSensorPortSection ? "Port No         " : "Port No        ", port);
    doc.setValue(section, "Baud Rate      ", baudRate);
    doc.setValue(section, "Data Width     ", dataWidth);
    doc.setValue(section, "Stop Bits      ", stopBits);
    doc.setValue(section, "Parity         ", parity);
    doc.setValue(section, "Priority       ", priority);
    doc.setValue(section, "Delay          ", delay);
    doc.setValue(section, "NMEA LOG       ", nmeaLog);
    doc.setValue(section, "Log Time       ", logTime);
    doc.setValue(section, "Enable DTR     ", enableDTR);
    doc.setValue(section, "Enable RTS     ", enableRTS);
}

std::string unsupportedPortChoice(std::string_view port) {
    std::string_view number = port;
    if (number.substr(0, 3) == "COM" || number.substr(0, 3) == "com") {
        number.remove_prefix(3);
    }
    const std::optional<int> n = parseInt(number);
    if (n && *n > kHighestPort) {
        return std::string(port) + " cannot be opened: the program opens COM1 to COM20 only";
    }
    return {};
}

std::string unsupportedBaudRateChoice(std::string_view baudRate) {
    const int rate = parseInt(baudRate).value_or(0);
    if (TSelvirSerialGPS::ValidBaudRate(rate) != rate) {
        return std::string(baudRate) +
               " baud cannot be set: the program sets 110 to 38400, 57600, 115200 or 230400 baud only";
    }
    return {};
}

std::string applyPortChoices(const PortChoices& choices, const std::string& logFile,
                             TSelvirSerialGPS& reader) {
    std::string problems;
    const auto note = [&problems](const std::string& problem) {
        if (!problem.empty()) {
            problems += (problems.empty() ? "" : "; ") + problem;
        }
        return problem.empty();
    };
    if (note(unsupportedPortChoice(choices.port))) {
        reader.Port = TSelvirSerialGPS::PortFromName(choices.port);
    }
    if (note(unsupportedBaudRateChoice(choices.baudRate))) {
        reader.BaudRate = parseInt(choices.baudRate).value_or(0);
    }
    reader.DataWidth = positionIn(kDataWidths, choices.dataWidth) + 1;
    reader.StopBits = positionIn(kStopBits, choices.stopBits) + 1;
    reader.Parity = parityCode(choices.parity);
    reader.Priority = positionIn(kPriorities, choices.priority) + 1;
    const auto delay = parseInteger(choices.delay);
    if (!delay || *delay < INT32_MIN || *delay > INT32_MAX) {
        note("'" + choices.delay + "' is not a valid integer value");
        return problems;
    }
    reader.Delay = static_cast<int>(*delay);
    reader.NMEALog = choices.nmeaLog == "True";
    reader.LogTime = choices.logTime == "True";
    reader.EnableDTR = choices.enableDTR == "True";
    reader.EnableRTS = choices.enableRTS == "True";
    reader.LogFileName = logFile;
    return problems;
}

} // namespace selvir
