#pragma once
// The echosounder message formats. The device settings choose a format by name and hold an editable
// scanf-style pattern (filled from the table when the format is chosen). A line is decoded when the
// chosen format's tags are in it and the pattern reads exactly the values the format needs.

#include "core/ScanPattern.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace selvir {

struct EchosounderFormat {
    std::string_view name;
    std::string_view pattern;           // put into the format field when the format is chosen
    std::vector<std::string_view> tags; // all must occur in the line (case-sensitive)
    int valueCount;                     // values the pattern must read
    enum class Reads { HighAndBattery, High, Low, HighAndLow } reads;
};

// Every format in table order; "OTHER" (empty pattern, no tags, one value) is last.
const std::vector<EchosounderFormat>& echosounderFormats();
// The row of that name, or null.
const EchosounderFormat* findEchosounderFormat(std::string_view name);
// True for the formats that read a low-frequency depth (the realtime window then shows its box for it).
inline bool readsLowFrequency(const EchosounderFormat& format) {
    return format.reads == EchosounderFormat::Reads::Low ||
           format.reads == EchosounderFormat::Reads::HighAndLow;
}
inline constexpr std::string_view kOtherEchosounderFormat = "OTHER";

// Why a format field cannot decode the chosen message, in words for the settings window: a pattern the
// reader rejects, or one that reads another number of values than the message needs. Empty when it can.
std::string echosounderPatternProblem(std::string_view formatName, std::string_view pattern);

inline constexpr std::string_view kDefaultEchosounderFormat = "Selvir SMT";

struct RawDepths {
    double rawHF = 0; // metres at the echosounder's nominal 1500 m/s; 0 when the format has none
    double rawLF = 0;
    std::optional<double> battery; // "Selvir SMT" only
};

// Decodes lines of one chosen format with the pattern of the format field. The pattern is compiled
// when it changes, not per line.
class EchosounderDecoder {
public:
    // Returns the raw depths when the line is a message of the format `formatName` and `pattern`
    // reads the values it needs; nothing otherwise (other sentences, wrong format, short match).
    std::optional<RawDepths> decode(std::string_view line, std::string_view formatName,
                                    std::string_view pattern);

    // The error of the last pattern when it was rejected (empty otherwise).
    const std::string& patternError() const { return patternError_; }
    // True once per rejected pattern text: the caller reports it then, and not on every line.
    bool takeNewPatternError();

private:
    std::optional<ScanPattern> compiled_;
    std::string patternError_;
    bool errorPending_ = false;
    ScanResult result_;
};

} // namespace selvir
