#pragma once
// The compact form of a sounding that every after-survey step works on: its identity, grid position,
// the two depths and its survey line. Loaded from the reduction record (SurveyData.h).

#include <cmath>
#include <compare>
#include <cstdint>
#include <limits>
#include <span>
#include <string_view>

namespace selvir::processing {

// A sounding's identity within its record: the time stamp and, for rows that share a time stamp,
// which of them (0 for the first row with that time, 1 for the second, ...).
struct SoundingKey {
    std::int64_t timeMs = 0; // local time, milliseconds since 1970-01-01 00:00 of the same calendar
    int occurrence = 0;
    auto operator<=>(const SoundingKey&) const = default;
};

inline constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

struct Sounding {
    SoundingKey key;
    double eastingM = kNoValue; // grid metres; NaN without a position
    double northingM = kNoValue;
    double depthM = kNoValue;           // below the water line, positive down; NaN when missing
    double depthBelowDatumM = kNoValue; // below the vertical datum, positive down; NaN when missing
    int line = 0;                       // survey line from the record's `line=N` word; 0 when none
    std::uint32_t file = 0;             // which record the sounding came from (SurveyData::files)

    bool hasPosition() const { return std::isfinite(eastingM) && std::isfinite(northingM); }
};

// The depth the processing works on. Depth below the vertical datum is what a survey delivers; a record
// without any water level (no datum term at all) can still be cleaned and checked below the water line.
enum class DepthReference { Datum, WaterLine };

std::string_view depthReferenceName(DepthReference reference); // "datum" or "water_line"

// Datum when at least one sounding has a depth below datum, else the water line. With Datum, soundings
// that lack that term (a gap in the tide gauge series) take part in nothing: mixing them in would
// compare depths from two references.
DepthReference chooseDepthReference(std::span<const Sounding> soundings);

// The sounding's depth on that reference (NaN when it has none).
inline double depthOn(const Sounding& s, DepthReference reference) {
    return reference == DepthReference::Datum ? s.depthBelowDatumM : s.depthM;
}

} // namespace selvir::processing
