#pragma once
// NMEA 0183 sentences the simulated receiver sends, each ended by "*hh" and CR LF, with the checksum
// (XOR of every character between "$" and "*") correct unless asked otherwise.

#include "core/DateTime.h"
#include "serial/NmeaSentence.h"

#include <string>
#include <string_view>

namespace selvir::sim {

// The simulator's names for the writers of serial/NmeaSentence.h.
inline std::string nmeaChecksum(std::string_view body) {
    return nmeaChecksumDigits(body);
}
inline std::string finishSentence(std::string_view body) {
    return finishNmeaSentence(body);
}

// A latitude or longitude as NMEA writes it, with the value a reader decodes from it.
struct NmeaCoordinateText {
    std::string value;      // "4100.000000" (degrees and minutes, 6 decimals of minutes)
    std::string hemisphere; // "N", "S", "E", "W"
    double decodedDeg = 0;  // degrees + minutes / 60 of the text, signed
};
NmeaCoordinateText formatLatitude(double latitudeDeg);
NmeaCoordinateText formatLongitude(double longitudeDeg);

// "hhmmss.ss" of a UTC time.
std::string nmeaTime(const LocalDateTime& utc);

struct GnssEpoch {
    LocalDateTime utc;
    double latitudeDeg = 0;
    double longitudeDeg = 0;
    double altitudeM = 0;   // above the geoid
    double separationM = 0; // geoid above the ellipsoid
    int fixQuality = 4;
    int satellites = 14;
    double hdop = 0.8;
    double speedKnots = 0;
    double courseDeg = 0;        // true, over ground
    double headingDeg = 0;       // true, of the bow
    double declinationDeg = 5.5; // magnetic variation, east positive
};

// Each returns the body without "$", "*" and checksum.
std::string ggaBody(const GnssEpoch& epoch, NmeaCoordinateText* latitude = nullptr,
                    NmeaCoordinateText* longitude = nullptr);
std::string rmcBody(const GnssEpoch& epoch);
std::string vtgBody(const GnssEpoch& epoch);
std::string hdtBody(const GnssEpoch& epoch);
std::string zdaBody(const GnssEpoch& epoch);

} // namespace selvir::sim
