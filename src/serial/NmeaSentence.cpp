#include "serial/NmeaSentence.h"

#include <cstdint>

namespace selvir {

std::string nmeaChecksumDigits(std::string_view body) {
    std::uint8_t sum = 0;
    for (char c : body) {
        sum ^= static_cast<std::uint8_t>(c);
    }
    static constexpr char kHex[] = "0123456789ABCDEF";
    return {kHex[sum >> 4], kHex[sum & 0xF]};
}

std::string finishNmeaSentence(std::string_view body) {
    std::string sentence = "$";
    sentence += body;
    sentence += '*';
    sentence += nmeaChecksumDigits(body);
    sentence += "\r\n";
    return sentence;
}

} // namespace selvir
