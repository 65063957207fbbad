#pragma once
// The offsets essential for post processing: the values a surveyor confirms before logging (draft,
// antenna offsets, sound velocity, tide, who surveyed where with which boat), their checks in the order
// the dialog applies them, the record appended to the day's offsets log and the keys of section
// "ECHOSOUNDER_OFFSETS". Texts come in English and Turkish; the interface language flag chooses.
//
// Every field is kept as typed. A number field is taken only when its whole text is a finite number
// with "." as decimal point: "2,5" or "1.5m" is refused, never read as 2 or 1.5.

#include "core/DataFolders.h"
#include "core/ProfileStore.h"
#include "navigation/GnssSinks.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace selvir {

inline constexpr std::string_view kOffsetsSection = "ECHOSOUNDER_OFFSETS";

// Largest |A + C − B| the geometry check accepts, metres.
inline constexpr double kOffsetsGeometryToleranceM = 0.025;

// The dialog's fields, UTF-8, as typed.
struct OffsetsEntry {
    std::string offsetA;  // `OffsetA`, transducer draft below the water line, m
    std::string offsetB;  // `OffsetB`, transducer to GNSS antenna, m
    std::string offsetC;  // `OffsetC`, antenna height above the water line, m
    std::string sv;       // `SV`, single sound velocity, m/s
    std::string tide;     // `TideHt`, tide height, m
    std::string location; // `Location`
    std::string boat;     // `SurveyBoat`
    std::string surveyor; // `Surveyor`
    std::string time;     // `time`, the date and time of the confirmation
};

enum class OffsetsField { OffsetA, OffsetB, OffsetC, SV, Tide, Location, Boat, Surveyor };

struct OffsetsCheckFailure {
    OffsetsField field; // the field that takes the focus
    std::string message;
};

// The number of a field: its whole text (blanks around allowed) as a finite number, or nothing.
std::optional<double> offsetsNumber(std::string_view text);

// The message shown when a number field is left holding something that is not a number.
std::string notANumberMessage(std::string_view text);

// The checks of a confirmation, in order: the five numbers, the three names, the geometry
// |A + C − B| ≤ 0.025 m, the sound velocity within 1300 … 1700 m/s. The first failure, or nothing.
std::optional<OffsetsCheckFailure> checkOffsets(const OffsetsEntry& entry, bool turkish);

// A time text with ":" does not have the program's layout ("YYYY-MM-DD HHmmssfff"): the warning to show
// (processing continues), or nothing when the layout fits.
std::optional<std::string> timeFormatWarning(std::string_view timeText, bool turkish);

// The record appended per confirmation, UTF-8. With the profile in use the sound velocity line says so
// instead of giving the single value.
std::string offsetsRecord(const OffsetsEntry& entry, bool turkish, bool profileUsed);

// Appends the record, encoded in Windows-1254, to the offsets log of `date` in the log folder. The
// record goes in whole or not at all; false with the reason in `error` when it could not be written.
bool appendOffsetsRecord(const DataFolders& folders, const LocalDate& date, const OffsetsEntry& entry,
                         bool turkish, bool profileUsed, std::string* error = nullptr);

// The eight stored fields (empty when missing); `time` is not read back.
OffsetsEntry readOffsetsKeys(const ProfileStore& store);
// Writes the nine keys, `time` under "Time", in one write of the file.
bool writeOffsetsKeys(ProfileStore& store, const OffsetsEntry& entry);

// The four values the depth reduction takes; NaN for a field that is not a number.
OffsetsValues offsetsValues(const OffsetsEntry& entry);

// The caption of the dialog's sound velocity profile button for the state of "Use Sound Velocity
// Profile".
std::string profileButtonCaption(bool profileUsed, bool turkish);

} // namespace selvir
