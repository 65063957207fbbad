// selvirhs-tool nmea FILE...: raw port logs through the serial reader's own line cutting and decoding,
// one CSV row per position change ("pos") and speed change ("speed"), for post-processing and checks.
#include "cli/Commands.h"
#include "core/AtomicFile.h"
#include "core/NumberFormat.h"
#include "serial/MemorySerialDevice.h"
#include "serial/RawNmeaLog.h"
#include "serial/SelvirSerialGPS.h"

#include <memory>
#include <ostream>
#include <string>
#include <string_view>

namespace selvir::cli {
namespace {

constexpr const char* kHeader = "time,event,lat,lon,alt,fix,sats,speed_kmh,course";

void writeRow(std::ostream& out, std::string_view time, const char* event, const TSelvirSerialGPS& reader) {
    std::string row(time);
    row += ',';
    row += event;
    for (double value : {reader.Latitude(), reader.Longitude(), reader.Altitude()}) {
        row += ',';
        row += formatShortest(value);
    }
    row += ',' + std::to_string(reader.FixQuality()) + ',' + std::to_string(reader.Satellites());
    row += ',' + formatShortest(reader.Speed()) + ',' + formatShortest(reader.Course());
    row += '\n';
    out << row;
}

} // namespace

int runNmeaCommand(CommandArgs args, CommandStreams streams) {
    if (args.empty()) {
        streams.err << "Usage: selvirhs-tool nmea FILE...  (raw port logs, with or without date and time)\n";
        return 2;
    }
    auto ownedDevice = std::make_unique<MemorySerialDevice>();
    MemorySerialDevice& device = *ownedDevice;
    TSelvirSerialGPS reader(nullptr, std::move(ownedDevice));
    reader.setTimersEnabled(false); // driven here, line by line
    std::string_view time;
    reader.OnPosition3DChange = [&](TSelvirSerialGPS* sender, double, double, double) {
        writeRow(streams.out, time, "pos", *sender);
    };
    reader.OnSpeedChange = [&](TSelvirSerialGPS* sender, double) {
        writeRow(streams.out, time, "speed", *sender);
    };

    streams.out << kHeader << '\n';
    int status = 0;
    for (const std::string& name : args) {
        std::string bytes;
        if (!readWholeFile(name, bytes)) {
            streams.err << "selvirhs-tool nmea: cannot read \"" << name << "\"\n";
            status = 1;
            continue;
        }
        // Each file is one session: the reader starts from zero, as after opening the port.
        reader.Open();
        std::string chunk;
        std::size_t start = 0;
        while (start < bytes.size()) {
            std::size_t end = bytes.find('\n', start);
            if (end == std::string::npos) {
                end = bytes.size(); // a last line without its line feed still counts
            }
            std::string_view line(bytes.data() + start, end - start);
            start = end + 1;
            std::string_view payload = line;
            time = parseLogTimePrefix(line, &payload) ? line.substr(0, kLogTimePrefixLength - 1)
                                                      : std::string_view();
            chunk.assign(payload);
            chunk += '\n';
            device.feed(chunk);
            while (device.pending() > 0) {
                reader.PollTick();
            }
        }
        time = {};
        reader.Close();
    }
    return status;
}

} // namespace selvir::cli
