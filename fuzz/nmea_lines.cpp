// Fuzz target: the serial reader's line cutter and sentence decoder, fed through the reader itself in
// reads of varying size (as a port delivers them). The first byte chooses the read sizes. Checked on
// every input: the buffer stays within its bound, decoded values stay finite and positions on the globe.
#include "serial/MemorySerialDevice.h"
#include "serial/NmeaDecoder.h"
#include "serial/NmeaLineCutter.h"
#include "serial/SelvirSerialGPS.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void checkValues(double lat, double lon, double alt) {
    check(std::isfinite(lat) && std::isfinite(lon) && std::isfinite(alt));
    check(std::fabs(lat) <= 90.0 && std::fabs(lon) <= 180.0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const unsigned sizeSeed = data[0];
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

    auto owned = std::make_unique<selvir::MemorySerialDevice>();
    selvir::MemorySerialDevice& device = *owned;
    selvir::TSelvirSerialGPS reader(nullptr, std::move(owned));
    reader.setTimersEnabled(false);
    std::size_t lines = 0;
    reader.OnNewCommand = [&lines](selvir::TSelvirSerialGPS*, const std::string& line) {
        check(!line.empty());
        check(static_cast<unsigned char>(line.front()) > 32 && static_cast<unsigned char>(line.back()) > 32);
        check(line.find('\n') == std::string::npos && line.find('\0') == std::string::npos);
        ++lines;
    };
    reader.OnPosition3DChange = [](selvir::TSelvirSerialGPS*, double lat, double lon, double alt) {
        checkValues(lat, lon, alt);
    };
    reader.OnSpeedChange = [](selvir::TSelvirSerialGPS*, double kmh) { check(std::isfinite(kmh)); };
    reader.Open();
    check(reader.Active());

    // Read sizes from a small generator: 1 byte up to the reader's 1023 per tick.
    std::uint32_t state = sizeSeed * 2654435761u + 1;
    for (std::size_t at = 0; at < bytes.size();) {
        state = state * 1664525u + 1013904223u;
        const std::size_t chunk = std::min<std::size_t>(1 + (state >> 8) % 1400, bytes.size() - at);
        device.feed(bytes.substr(at, chunk));
        at += chunk;
        while (device.pending() > 0) {
            reader.PollTick();
        }
        check(reader.Buffer().size() <= selvir::NmeaLineCutter::kOverflowChars);
        checkValues(reader.Latitude(), reader.Longitude(), reader.Altitude());
        check(std::isfinite(reader.Speed()) && std::isfinite(reader.Course()));
    }
    check(reader.counters().lines == lines);
    check(reader.counters().bytesRead == bytes.size());

    // The decoder on its own, on each line as the whole input cut at line feeds.
    selvir::NmeaDecoder decoder;
    selvir::NmeaNavigationValues values;
    for (std::size_t start = 0; start < bytes.size();) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) {
            end = bytes.size();
        }
        decoder.decode(bytes.substr(start, end - start), values, nullptr);
        checkValues(values.latitude, values.longitude, values.altitude);
        start = end + 1;
    }
    reader.Close();
    check(reader.Latitude() == 0.0 && reader.FixQuality() == 0);
    return 0;
}
