#include "serial/NmeaDecoder.h"

#include "core/NumberFormat.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace selvir {
namespace {

constexpr double kKmhPerKnot = 1.852;

void splitFields(std::string_view text, std::vector<std::string_view>& fields) {
    fields.clear();
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        if (comma == std::string_view::npos) {
            fields.push_back(text.substr(start));
            return;
        }
        fields.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
}

// Field i, or empty when the sentence has fewer fields.
std::string_view field(const std::vector<std::string_view>& fields, std::size_t i) {
    return i < fields.size() ? fields[i] : std::string_view();
}

} // namespace

NmeaChecksum nmeaChecksum(std::string_view line) {
    const auto hexValue = [](char c) -> int {
        if (c >= '0' && c <= '9') {
            return c - '0';
        }
        if (c >= 'A' && c <= 'F') {
            return c - 'A' + 10;
        }
        if (c >= 'a' && c <= 'f') {
            return c - 'a' + 10;
        }
        return -1;
    };
    if (line.size() < 4 || (line.front() != '$' && line.front() != '!') || line[line.size() - 3] != '*') {
        return NmeaChecksum::Absent;
    }
    const int high = hexValue(line[line.size() - 2]);
    const int low = hexValue(line[line.size() - 1]);
    if (high < 0 || low < 0) {
        return NmeaChecksum::Absent; // "*hh" and the like: a placeholder, not a checksum
    }
    unsigned sum = 0;
    for (char c : line.substr(1, line.size() - 4)) {
        sum ^= static_cast<unsigned char>(c);
    }
    return sum == static_cast<unsigned>(high * 16 + low) ? NmeaChecksum::Valid : NmeaChecksum::Invalid;
}

std::optional<double> nmeaCoordinate(std::string_view value, std::string_view hemisphere) {
    if (value.empty()) {
        return 0.0;
    }
    const std::size_t dot = value.find('.');
    if (dot == std::string_view::npos || dot < 2) {
        return 0.0;
    }
    const std::size_t degreeDigits = (hemisphere == "E" || hemisphere == "W") ? 3 : 2;
    const auto degrees = parseFiniteDouble(value.substr(0, degreeDigits));
    const auto minutes = parseFiniteDouble(value.substr(std::min(degreeDigits, value.size())));
    if (!degrees || !minutes) {
        return std::nullopt;
    }
    const double result = *degrees + *minutes / 60.0;
    return (hemisphere == "S" || hemisphere == "W") ? -result : result;
}

NmeaDecodeResult NmeaDecoder::decode(std::string_view sentence, NmeaNavigationValues& values,
                                     NmeaChangeListener* listener) {
    NmeaDecodeResult result;
    const std::size_t star = sentence.find('*');
    if (star != std::string_view::npos) {
        sentence = sentence.substr(0, star);
    }
    if (sentence.size() <= 5) {
        result.outcome = NmeaSentenceOutcome::TooShort;
        return result;
    }
    std::memcpy(result.type, sentence.data() + 3, 3);
    const std::string_view type(result.type, 3);
    splitFields(sentence, fields_);
    if (type == "GGA") {
        result.outcome = decodeGga(values, listener);
    } else if (type == "RMC") {
        result.outcome = decodeRmc(values, listener);
    } else if (type == "VTG") {
        result.outcome = decodeVtg(values, listener);
    } else if (type == "ZDA" || type == "GSA") {
        result.outcome = NmeaSentenceOutcome::Recognised;
    } else {
        result.outcome = NmeaSentenceOutcome::Ignored;
    }
    return result;
}

NmeaSentenceOutcome NmeaDecoder::decodeGga(NmeaNavigationValues& values, NmeaChangeListener* listener) const {
    if (fields_.size() < 10) {
        return NmeaSentenceOutcome::TooFewFields;
    }
    const auto latitude = nmeaCoordinate(fields_[2], fields_[3]);
    const auto longitude = nmeaCoordinate(fields_[4], fields_[5]);
    if (!latitude || !longitude || std::fabs(*latitude) > 90.0 || std::fabs(*longitude) > 180.0) {
        return NmeaSentenceOutcome::Malformed;
    }
    // Everything is read before anything is assigned: an unreadable field leaves the GGA unused.
    int fixQuality = values.fixQuality;
    if (!fields_[6].empty()) {
        const auto read = parseInt(fields_[6]);
        if (!read) {
            return NmeaSentenceOutcome::Malformed;
        }
        fixQuality = *read;
    }
    int satellites = values.satellites;
    if (!fields_[7].empty()) {
        const auto read = parseInt(fields_[7]);
        if (!read) {
            return NmeaSentenceOutcome::Malformed;
        }
        satellites = *read;
    }
    double altitude = values.altitude;
    if (!fields_[9].empty()) {
        const auto read = parseFiniteDouble(fields_[9]);
        if (!read) {
            return NmeaSentenceOutcome::Malformed;
        }
        altitude = *read;
    }
    values.fixQuality = fixQuality;
    values.satellites = satellites;
    if (*latitude != values.latitude || *longitude != values.longitude || altitude != values.altitude) {
        values.latitude = *latitude;
        values.longitude = *longitude;
        values.altitude = altitude;
        if (listener) {
            listener->positionChanged(values);
        }
    }
    return NmeaSentenceOutcome::Decoded;
}

NmeaSentenceOutcome NmeaDecoder::decodeRmc(NmeaNavigationValues& values, NmeaChangeListener* listener) const {
    if (fields_.size() < 8) {
        return NmeaSentenceOutcome::TooFewFields;
    }
    if (!fields_[7].empty()) {
        const auto knots = parseFiniteDouble(fields_[7]);
        if (!knots) {
            return NmeaSentenceOutcome::Malformed;
        }
        const double speedKmh = *knots * kKmhPerKnot;
        if (speedKmh != values.speedKmh) {
            values.speedKmh = speedKmh;
            if (listener) {
                listener->speedChanged(values);
            }
        }
    }
    const std::string_view course = field(fields_, 8);
    if (!course.empty()) {
        const auto read = parseFiniteDouble(course);
        if (!read) {
            return NmeaSentenceOutcome::Malformed;
        }
        values.courseDeg = *read;
    }
    return NmeaSentenceOutcome::Decoded;
}

NmeaSentenceOutcome NmeaDecoder::decodeVtg(NmeaNavigationValues& values, NmeaChangeListener* listener) const {
    if (fields_.size() < 8) {
        return NmeaSentenceOutcome::TooFewFields;
    }
    if (!fields_[1].empty()) {
        const auto read = parseFiniteDouble(fields_[1]);
        if (!read) {
            return NmeaSentenceOutcome::Malformed;
        }
        values.courseDeg = *read;
    }
    if (!fields_[7].empty()) {
        const auto speedKmh = parseFiniteDouble(fields_[7]);
        if (!speedKmh) {
            return NmeaSentenceOutcome::Malformed;
        }
        if (*speedKmh != values.speedKmh) {
            values.speedKmh = *speedKmh;
            if (listener) {
                listener->speedChanged(values);
            }
        }
    }
    return NmeaSentenceOutcome::Decoded;
}

} // namespace selvir
