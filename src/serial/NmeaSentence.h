#pragma once
// Writing NMEA 0183 sentences: the checksum (the XOR of every character between "$" and "*") and the
// finished sentence, for the simulator and for the program's own output to other equipment.

#include <string>
#include <string_view>

namespace selvir {

// Two upper-case hexadecimal digits of the XOR of `body` (the text between "$" and "*").
std::string nmeaChecksumDigits(std::string_view body);
// "$" + body + "*" + checksum + CR LF.
std::string finishNmeaSentence(std::string_view body);

} // namespace selvir
