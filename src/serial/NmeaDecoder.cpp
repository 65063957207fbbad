#include "serial/NmeaDecoder.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace selvir {
namespace {

constexpr double kKmhPerKnot = 1.852;

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

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

std::optional<double> readNmeaNumber(std::string_view text) {
    text = trimBlanks(text);
    if (text.empty()) {
        return std::nullopt;
    }
    if (text.front() == '+') {
        text.remove_prefix(1);
    }
    // from_chars would also take "inf", "nan" and hexadecimal digits after "0x" in some forms.
    for (char c : text) {
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E')) {
            return std::nullopt;
        }
    }
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<int> readNmeaInteger(std::string_view text) {
    text = trimBlanks(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    int value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
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
    const auto degrees = readNmeaNumber(value.substr(0, degreeDigits));
    const auto minutes = readNmeaNumber(value.substr(std::min(degreeDigits, value.size())));
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
        const auto read = readNmeaInteger(fields_[6]);
        if (!read) {
            return NmeaSentenceOutcome::Malformed;
        }
        fixQuality = *read;
    }
    int satellites = values.satellites;
    if (!fields_[7].empty()) {
        const auto read = readNmeaInteger(fields_[7]);
        if (!read) {
            return NmeaSentenceOutcome::Malformed;
        }
        satellites = *read;
    }
    double altitude = values.altitude;
    if (!fields_[9].empty()) {
        const auto read = readNmeaNumber(fields_[9]);
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
        const auto knots = readNmeaNumber(fields_[7]);
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
        const auto read = readNmeaNumber(course);
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
        const auto read = readNmeaNumber(fields_[1]);
        if (!read) {
            return NmeaSentenceOutcome::Malformed;
        }
        values.courseDeg = *read;
    }
    if (!fields_[7].empty()) {
        const auto speedKmh = readNmeaNumber(fields_[7]);
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
