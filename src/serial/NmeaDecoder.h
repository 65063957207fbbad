#pragma once
// The reader's own decoding of the standard position and speed sentences. The decoder neither checks
// nor keeps the checksum (the reader has already dropped sentences whose checksum does not match, see
// nmeaChecksum); any two-letter talker is accepted ($GPGGA, $GNGGA, $INGGA all are GGA).
//
//   $GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47
//          time   lat      NS lon      EW q sats hdop alt  M sep M
//   $GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A
//          time   st lat       lon          knots course date
//   $GPVTG,054.7,T,034.4,M,005.5,N,010.2,K
//          course   magnetic  knots   km/h
//
// A field that holds something that is not a number stops the sentence at that point: values already
// assigned stay, the rest keep their previous values (a GGA changes nothing at all). A GGA whose
// position falls outside ±90° / ±180° is treated the same way, since line noise is not checked by a
// checksum here.

#include <optional>
#include <string_view>
#include <vector>

namespace selvir {

struct NmeaNavigationValues {
    double latitude = 0;  // decimal degrees, north positive
    double longitude = 0; // decimal degrees, east positive
    double altitude = 0;  // metres, GGA antenna altitude
    double speedKmh = 0;  // km/h over ground
    double courseDeg = 0; // degrees true
    int fixQuality = 0;   // GGA field 6
    int satellites = 0;   // GGA field 7
};

// Told of changes while the sentence is decoded, so it sees the values as they stand at that moment.
class NmeaChangeListener {
public:
    virtual ~NmeaChangeListener() = default;
    virtual void positionChanged(const NmeaNavigationValues& values) = 0;
    virtual void speedChanged(const NmeaNavigationValues& values) = 0;
};

enum class NmeaSentenceOutcome {
    TooShort,     // 5 characters or fewer before "*"
    Ignored,      // a sentence type this decoder does not use
    Recognised,   // ZDA or GSA: known, changes nothing
    TooFewFields, // GGA, RMC or VTG with fewer fields than needed
    Malformed,    // stopped at an unreadable field
    Decoded,      // GGA, RMC or VTG read to the end
};

struct NmeaDecodeResult {
    NmeaSentenceOutcome outcome = NmeaSentenceOutcome::Ignored;
    char type[4] = {}; // three letters after the talker, NUL-terminated (empty when too short)
    bool isGga() const { return type[0] == 'G' && type[1] == 'G' && type[2] == 'A'; }
};

class NmeaDecoder {
public:
    // Decodes one sentence starting with "$" and updates `values`; `listener` may be null.
    NmeaDecodeResult decode(std::string_view sentence, NmeaNavigationValues& values,
                            NmeaChangeListener* listener);

private:
    NmeaSentenceOutcome decodeGga(NmeaNavigationValues& values, NmeaChangeListener* listener) const;
    NmeaSentenceOutcome decodeRmc(NmeaNavigationValues& values, NmeaChangeListener* listener) const;
    NmeaSentenceOutcome decodeVtg(NmeaNavigationValues& values, NmeaChangeListener* listener) const;

    std::vector<std::string_view> fields_; // reused between sentences
};

enum class NmeaChecksum {
    Absent,  // the line does not end in "*" and two hexadecimal digits: nothing to check
    Valid,   // the digits are the XOR of the characters between the leading "$" or "!" and the "*"
    Invalid, // line noise: the sentence must not be used
};
// The checksum of a trimmed line that starts with "$" or "!" (any other line has none).
NmeaChecksum nmeaChecksum(std::string_view line);

// Converts an NMEA coordinate ("4807.038" with "N") to signed decimal degrees. An empty value, a value
// without "." and a value whose first "." is its first or second character give 0. Longitudes ("E",
// "W") have three degree digits, everything else (an empty letter too) two. "S" and "W" negate.
// Nothing when the degrees or minutes are not numbers.
std::optional<double> nmeaCoordinate(std::string_view value, std::string_view hemisphere);

} // namespace selvir
