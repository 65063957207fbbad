#include "sim/NmeaSentences.h"

#include "core/NumberFormat.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace selvir::sim {
namespace {

constexpr double kMicroMinutesPerDegree = 60.0 * 1e6;

std::string padded(long long value, int width) {
    std::string text = std::to_string(value);
    if (static_cast<int>(text.size()) < width) {
        text.insert(0, static_cast<std::size_t>(width) - text.size(), '0');
    }
    return text;
}

NmeaCoordinateText formatCoordinate(double valueDeg, int degreeDigits, const char* positive,
                                    const char* negative) {
    // Work in whole millionths of a minute so the minutes can never round up to 60.
    const auto microMinutes =
        static_cast<long long>(std::llround(std::fabs(valueDeg) * kMicroMinutesPerDegree));
    const long long perDegree = static_cast<long long>(kMicroMinutesPerDegree);
    const long long degrees = microMinutes / perDegree;
    const long long rest = microMinutes % perDegree;
    NmeaCoordinateText text;
    text.value = padded(degrees, degreeDigits) + padded(rest / 1000000, 2) + "." + padded(rest % 1000000, 6);
    const bool south = valueDeg < 0 && microMinutes != 0;
    text.hemisphere = south ? negative : positive;
    const double decoded = static_cast<double>(degrees) + (static_cast<double>(rest) / 1e6) / 60.0;
    text.decodedDeg = south ? -decoded : decoded;
    return text;
}

double normalisedDeg(double angle) {
    angle = std::fmod(angle, 360.0);
    if (angle < 0) {
        angle += 360.0;
    }
    return angle >= 360.0 ? 0.0 : angle;
}

} // namespace

NmeaCoordinateText formatLatitude(double latitudeDeg) {
    return formatCoordinate(latitudeDeg, 2, "N", "S");
}

NmeaCoordinateText formatLongitude(double longitudeDeg) {
    return formatCoordinate(longitudeDeg, 3, "E", "W");
}

std::string nmeaTime(const LocalDateTime& utc) {
    return padded(utc.hour, 2) + padded(utc.minute, 2) + padded(utc.second, 2) + "." +
           padded(utc.millisecond / 10, 2);
}

std::string ggaBody(const GnssEpoch& epoch, NmeaCoordinateText* latitudeOut,
                    NmeaCoordinateText* longitudeOut) {
    const NmeaCoordinateText latitude = formatLatitude(epoch.latitudeDeg);
    const NmeaCoordinateText longitude = formatLongitude(epoch.longitudeDeg);
    if (latitudeOut) {
        *latitudeOut = latitude;
    }
    if (longitudeOut) {
        *longitudeOut = longitude;
    }
    const bool corrected = epoch.fixQuality == 2 || epoch.fixQuality == 4 || epoch.fixQuality == 5;
    std::string body = "GPGGA," + nmeaTime(epoch.utc) + ",";
    if (epoch.fixQuality == 0) {
        body += ",,,,0," + padded(epoch.satellites, 2) + ",,,M,,M,,";
        return body;
    }
    body +=
        latitude.value + "," + latitude.hemisphere + "," + longitude.value + "," + longitude.hemisphere + ",";
    body += std::to_string(epoch.fixQuality) + "," + padded(epoch.satellites, 2) + "," +
            formatFixed(epoch.hdop, 1);
    body += "," + formatFixed(epoch.altitudeM, 3) + ",M," + formatFixed(epoch.separationM, 3) + ",M,";
    body += corrected ? "1.0,0001" : ",";
    return body;
}

std::string rmcBody(const GnssEpoch& epoch) {
    const NmeaCoordinateText latitude = formatLatitude(epoch.latitudeDeg);
    const NmeaCoordinateText longitude = formatLongitude(epoch.longitudeDeg);
    const bool valid = epoch.fixQuality != 0;
    const char* mode = epoch.fixQuality == 4   ? "R"
                       : epoch.fixQuality == 5 ? "F"
                       : epoch.fixQuality == 2 ? "D"
                                               : "A";
    std::string body = "GPRMC," + nmeaTime(epoch.utc) + (valid ? ",A," : ",V,");
    if (valid) {
        body +=
            latitude.value + "," + latitude.hemisphere + "," + longitude.value + "," + longitude.hemisphere;
        body += "," + formatFixed(epoch.speedKnots, 2) + "," + formatFixed(normalisedDeg(epoch.courseDeg), 2);
    } else {
        body += ",,,,,";
    }
    body += "," + padded(epoch.utc.date.day, 2) + padded(epoch.utc.date.month, 2) +
            padded(epoch.utc.date.year % 100, 2);
    const double variation = std::fabs(epoch.declinationDeg);
    body += "," + formatFixed(variation, 1) + (epoch.declinationDeg < 0 ? ",W," : ",E,");
    body += valid ? mode : "N";
    return body;
}

std::string vtgBody(const GnssEpoch& epoch) {
    const double course = normalisedDeg(epoch.courseDeg);
    const double magnetic = normalisedDeg(epoch.courseDeg - epoch.declinationDeg);
    std::string body = "GPVTG," + formatFixed(course, 2) + ",T," + formatFixed(magnetic, 2) + ",M,";
    body += formatFixed(epoch.speedKnots, 2) + ",N," + formatFixed(epoch.speedKnots * 1.852, 2) + ",K,";
    body += epoch.fixQuality == 0 ? "N" : epoch.fixQuality == 2 ? "D" : "A";
    return body;
}

std::string hdtBody(const GnssEpoch& epoch) {
    return "HEHDT," + formatFixed(normalisedDeg(epoch.headingDeg), 2) + ",T";
}

std::string zdaBody(const GnssEpoch& epoch) {
    return "GPZDA," + nmeaTime(epoch.utc) + "," + padded(epoch.utc.date.day, 2) + "," +
           padded(epoch.utc.date.month, 2) + "," + padded(epoch.utc.date.year, 4) + ",00,00";
}

} // namespace selvir::sim
