#include "tools/OffsetsEssential.h"

#include "core/CodePage.h"
#include "core/NumberFormat.h"
#include "core/WholeAppend.h"
#include "navigation/GuardedOffsets.h"

#include <cmath>
#include <limits>

namespace selvir {

namespace {

// English and Turkish of one text.
struct Bilingual {
    const char* english;
    const char* turkish;
    std::string in(bool turkishTexts) const { return turkishTexts ? turkish : english; }
};

// The record's labels, in record order. Each is followed directly by its field's text.
constexpr Bilingual kTimeLabel{
    "\n\nSelvir Dalgaroz - offsets essential for post processing\nTime..............................\t=",
    "\n\nSelvir Dalgaroz - veri işleme için gerekli "
    "değerler\nZaman.......................................\t="};
constexpr Bilingual kLocationLabel{"\nSurvey Location...................\t=",
                                   "\nYer.........................................\t="};
constexpr Bilingual kBoatLabel{"\nSurvey Boat.......................\t=",
                               "\nÖlçme botu..................................\t="};
constexpr Bilingual kOffsetALabel{"\nTransducer Draft (A)..............\t=",
                                  "\nTransduser su kesimi (A)....................\t="};
constexpr Bilingual kOffsetBLabel{"\nTransducer - Antenna Offset (B)...\t=",
                                  "\nTransduser ile GPS anteni arası mesafe (B)..\t="};
constexpr Bilingual kOffsetCLabel{"\nAntenna Height Above Water (C)....\t=",
                                  "\nSudan antene olan mesafe (C)................\t="};
constexpr Bilingual kSoundVelocityLabel{"\nSound Velocity....................\t=",
                                        "\nSes hızı....................................\t="};
constexpr Bilingual kTideLabel{"\nTide Height.......................\t=",
                               "\nSu kotu.....................................\t="};
constexpr Bilingual kSurveyorLabel{"\nSurveyor..........................\t=",
                                   "\nÖlçen.......................................\t="};
constexpr Bilingual kProfileUsed{"Sound velocity profile used", "Ses hızı profili kullanıldı"};

constexpr Bilingual kTimeFormat{
    "Time format does not fit requirements. The date and time fromat must be YYYY-DD-MM HHmmssfff",
    "Tarih ve saat formatı gereksinimleri karşılamıyor. Bilgisayar tarih ve zaman formatının YYYY-DD-MM "
    "HHmmssfff olduguna emin olunuz."};
constexpr Bilingual kGeometryFailed{"Measurements contains error: A + C must be close enough to B.",
                                    "Ölçümlerde hata var: A + C toplamı B değerine yakın olması gerekir"};
constexpr Bilingual kSoundVelocityFailed{"Error in Sound Velocity (SV) value", "SV/SE değerinde hata var"};

// Number fields in the order they are checked, with their failure texts.
struct NumberCheck {
    OffsetsField field;
    std::string OffsetsEntry::*text;
    Bilingual failed;
};
const NumberCheck kNumberChecks[] = {
    {OffsetsField::OffsetA,
     &OffsetsEntry::offsetA,
     {"Failed! Recheck offset A", "Başarısız! A değerini yeniden kontrol ediniz."}},
    {OffsetsField::OffsetB,
     &OffsetsEntry::offsetB,
     {"Failed! Recheck offset B", "Başarısız! B değerini yeniden kontrol ediniz."}},
    {OffsetsField::OffsetC,
     &OffsetsEntry::offsetC,
     {"Failed! Recheck offset C", "Başarısız! C değerini yeniden kontrol ediniz."}},
    {OffsetsField::SV,
     &OffsetsEntry::sv,
     {"Failed! Recheck SV value", "Başarısız! SV/SH değerini yeniden kontrol ediniz."}},
    {OffsetsField::Tide,
     &OffsetsEntry::tide,
     {"Failed! Recheck tide height", "Başarısız! Su kotunu kontrol ediniz."}},
};

// Name fields in the order they are checked.
const NumberCheck kNameChecks[] = {
    {OffsetsField::Location,
     &OffsetsEntry::location,
     {"Failed! Location cannot be missing", "Başarısız! Yer adı boş olamaz"}},
    {OffsetsField::Boat,
     &OffsetsEntry::boat,
     {"Failed! Name/type of survey boat cannot be missing", "Başarısız! Ölçme aracının adı boş olamaz"}},
    {OffsetsField::Surveyor,
     &OffsetsEntry::surveyor,
     {"Failed! Name of surveyor cannot be missing", "Başarısız! Öçen kişinin adı boş olamaz"}},
};

// The keys as written (padded, as stored files have them) and the field each holds; read unpadded.
struct OffsetsKey {
    const char* written;
    std::string OffsetsEntry::*field;
};
const OffsetsKey kOffsetsKeys[] = {
    {"Offset A     ", &OffsetsEntry::offsetA},   {"Offset B     ", &OffsetsEntry::offsetB},
    {"Offset C     ", &OffsetsEntry::offsetC},   {"SV           ", &OffsetsEntry::sv},
    {"Tide Height  ", &OffsetsEntry::tide},      {"Time         ", &OffsetsEntry::time},
    {"Surveyor     ", &OffsetsEntry::surveyor},  {"SurveyBoat   ", &OffsetsEntry::boat},
    {"SurveyLocation", &OffsetsEntry::location},
};

double numberOrNaN(std::string_view text) {
    return offsetsNumber(text).value_or(std::numeric_limits<double>::quiet_NaN());
}

} // namespace

std::optional<double> offsetsNumber(std::string_view text) {
    return parseFiniteDouble(text);
}

std::string notANumberMessage(std::string_view text) {
    return "'" + std::string(text) + "' is not a valid floating point value";
}

std::optional<OffsetsCheckFailure> checkOffsets(const OffsetsEntry& entry, bool turkish) {
    for (const NumberCheck& check : kNumberChecks) {
        if (!offsetsNumber(entry.*check.text)) {
            return OffsetsCheckFailure{check.field, check.failed.in(turkish)};
        }
    }
    for (const NumberCheck& check : kNameChecks) {
        if (trimProfileBlanks(entry.*check.text).empty()) {
            return OffsetsCheckFailure{check.field, check.failed.in(turkish)};
        }
    }
    const double a = *offsetsNumber(entry.offsetA);
    const double b = *offsetsNumber(entry.offsetB);
    const double c = *offsetsNumber(entry.offsetC);
    if (std::abs(a + c - b) > kOffsetsGeometryToleranceM) {
        return OffsetsCheckFailure{OffsetsField::OffsetA, kGeometryFailed.in(turkish)};
    }
    const double sv = *offsetsNumber(entry.sv);
    if (sv > kMaxSoundVelocity || sv < kMinSoundVelocity) {
        return OffsetsCheckFailure{OffsetsField::SV, kSoundVelocityFailed.in(turkish)};
    }
    return std::nullopt;
}

std::optional<std::string> timeFormatWarning(std::string_view timeText, bool turkish) {
    if (timeText.find(':') == std::string_view::npos) {
        return std::nullopt;
    }
    return kTimeFormat.in(turkish);
}

std::string offsetsRecord(const OffsetsEntry& entry, bool turkish, bool profileUsed) {
    std::string record;
    record += kTimeLabel.in(turkish) + entry.time;
    record += kLocationLabel.in(turkish) + entry.location;
    record += kBoatLabel.in(turkish) + entry.boat;
    record += kOffsetALabel.in(turkish) + entry.offsetA;
    record += kOffsetBLabel.in(turkish) + entry.offsetB;
    record += kOffsetCLabel.in(turkish) + entry.offsetC;
    record += kSoundVelocityLabel.in(turkish) + (profileUsed ? kProfileUsed.in(turkish) : entry.sv);
    record += kTideLabel.in(turkish) + entry.tide;
    record += kSurveyorLabel.in(turkish) + entry.surveyor;
    return record;
}

bool appendOffsetsRecord(const DataFolders& folders, const LocalDate& date, const OffsetsEntry& entry,
                         bool turkish, bool profileUsed, std::string* error) {
    const std::filesystem::path file = folders.offsetsLog(date);
    // Every record starts with its own line breaks: nothing goes before it, whatever the file ends with.
    const WholeAppendResult result = appendWhole(
        file, fromUtf8(offsetsRecord(entry, turkish, profileUsed), CodePage::Windows1254), "", "");
    if (!result.written() && error) {
        *error = file.string() + ": " + result.reason;
    }
    return result.written();
}

OffsetsEntry readOffsetsKeys(const ProfileStore& store) {
    const IniDocument doc = store.load();
    OffsetsEntry entry;
    for (const OffsetsKey& key : kOffsetsKeys) {
        if (key.field != &OffsetsEntry::time) { // not read back
            entry.*key.field = doc.value(kOffsetsSection, key.written).value_or("");
        }
    }
    return entry;
}

bool writeOffsetsKeys(ProfileStore& store, const OffsetsEntry& entry) {
    return store.update([&entry](IniDocument& doc) {
        for (const OffsetsKey& key : kOffsetsKeys) {
            doc.setValue(kOffsetsSection, key.written, entry.*key.field);
        }
    });
}

OffsetsValues offsetsValues(const OffsetsEntry& entry) {
    return OffsetsValues{numberOrNaN(entry.offsetA), numberOrNaN(entry.sv), numberOrNaN(entry.offsetC),
                         numberOrNaN(entry.tide)};
}

std::string profileButtonCaption(bool profileUsed, bool turkish) {
    return profileUsed ? Bilingual{"SVP Profile Used", "Ses Hızı Profili Devrede"}.in(turkish)
                       : Bilingual{"Single SV Used", "Tek Ses Hızı Değeri"}.in(turkish);
}

} // namespace selvir
