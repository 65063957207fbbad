#include "navigation/SoundingRecord.h"

#include "core/NumberFormat.h"

#include <array>
#include <charconv>
#include <cmath>
#include <fstream>
#include <istream>

namespace selvir {
namespace {

enum Column : int {
    kTime,
    kLatitude,
    kLongitude,
    kEasting,
    kNorthing,
    kHeading,
    kFixQuality,
    kRawDepth,
    kSoundVelocity,
    kSvSource,
    kDraft,
    kDepth,
    kWaterLevel,
    kWaterLevelSource,
    kEllipsoidalHeight,
    kGeoidUndulation,
    kLatency,
    kDepthBelowDatum,
    kFlags,
    kColumnCount
};

constexpr std::array<std::string_view, kColumnCount> kColumnNames = {"time",
                                                                     "latitude",
                                                                     "longitude",
                                                                     "easting",
                                                                     "northing",
                                                                     "heading_deg",
                                                                     "fix_quality",
                                                                     "raw_depth_m",
                                                                     "sound_velocity_mps",
                                                                     "sv_source",
                                                                     "draft_m",
                                                                     "depth_m",
                                                                     "water_level_m",
                                                                     "water_level_source",
                                                                     "ellipsoidal_height_m",
                                                                     "geoid_undulation_m",
                                                                     "latency_ms",
                                                                     "depth_below_datum_m",
                                                                     "flags"};

constexpr int kDegreeDecimals = 9;
constexpr int kMetreDecimals = 3;
constexpr int kHeadingDecimals = 2;
constexpr int kVelocityDecimals = 2;

// Splits at every comma; the fields view into `line`.
void splitFields(std::string_view line, std::vector<std::string_view>& fields) {
    fields.clear();
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = line.find(',', start);
        if (comma == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return;
        }
        fields.push_back(line.substr(start, comma - start));
        start = comma + 1;
    }
}

void appendNumber(std::string& row, const std::optional<double>& value, int decimals) {
    if (value) {
        row += formatFixed(*value, decimals);
    }
}

void appendInteger(std::string& row, const std::optional<int>& value) {
    if (value) {
        row += std::to_string(*value);
    }
}

void appendText(std::string& row, std::string_view text) {
    for (const char c : text) {
        row += (c == ',' || c == '"' || c == '\r' || c == '\n') ? '_' : c;
    }
}

void appendTwoDigits(std::string& out, int value) {
    out += static_cast<char>('0' + value / 10 % 10);
    out += static_cast<char>('0' + value % 10);
}

std::optional<int> digits(std::string_view text) {
    int value = 0;
    if (text.empty()) {
        return std::nullopt;
    }
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

struct SoundingRowParser {
    static bool parse(std::string_view line, const SoundingColumns& columns, SoundingRecord& out,
                      SoundingRowError& error);
};

std::string formatSoundingTime(const LocalDateTime& time) {
    std::string text = formatDate(time.date);
    text += 'T';
    appendTwoDigits(text, time.hour);
    text += ':';
    appendTwoDigits(text, time.minute);
    text += ':';
    appendTwoDigits(text, time.second);
    text += '.';
    text += static_cast<char>('0' + time.millisecond / 100 % 10);
    appendTwoDigits(text, time.millisecond % 100);
    return text;
}

std::optional<LocalDateTime> parseSoundingTime(std::string_view text) {
    // 2026-04-07T10:00:00[.150]
    if (text.size() < 19 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' ||
        text[16] != ':') {
        return std::nullopt;
    }
    const auto year = digits(text.substr(0, 4));
    const auto month = digits(text.substr(5, 2));
    const auto day = digits(text.substr(8, 2));
    const auto hour = digits(text.substr(11, 2));
    const auto minute = digits(text.substr(14, 2));
    const auto second = digits(text.substr(17, 2));
    if (!year || !month || !day || !hour || !minute || !second || *month < 1 || *month > 12 || *day < 1 ||
        *day > daysInMonth(*year, *month) || *hour > 23 || *minute > 59 || *second > 59) {
        return std::nullopt;
    }
    int millisecond = 0;
    if (text.size() > 19) {
        const std::string_view fraction = text.substr(20);
        const auto value = digits(fraction);
        if (text[19] != '.' || !value || fraction.size() > 3) {
            return std::nullopt;
        }
        millisecond = *value * (fraction.size() == 1 ? 100 : fraction.size() == 2 ? 10 : 1);
    }
    return LocalDateTime{{*year, *month, *day}, *hour, *minute, *second, millisecond};
}

std::string formatSoundingRow(const SoundingRecord& r) {
    std::string row;
    row.reserve(200);
    row += formatSoundingTime(r.time);
    row += ',';
    appendNumber(row, r.latitudeDeg, kDegreeDecimals);
    row += ',';
    appendNumber(row, r.longitudeDeg, kDegreeDecimals);
    row += ',';
    appendNumber(row, r.eastingM, kMetreDecimals);
    row += ',';
    appendNumber(row, r.northingM, kMetreDecimals);
    row += ',';
    appendNumber(row, r.headingDeg, kHeadingDecimals);
    row += ',';
    appendInteger(row, r.fixQuality);
    row += ',';
    appendNumber(row, r.rawDepthM, kMetreDecimals);
    row += ',';
    appendNumber(row, r.soundVelocityMps, kVelocityDecimals);
    row += ',';
    appendText(row, r.svSource);
    row += ',';
    appendNumber(row, r.draftM, kMetreDecimals);
    row += ',';
    appendNumber(row, r.depthM, kMetreDecimals);
    row += ',';
    appendNumber(row, r.waterLevelM, kMetreDecimals);
    row += ',';
    appendText(row, r.waterLevelSource);
    row += ',';
    appendNumber(row, r.ellipsoidalHeightM, kMetreDecimals);
    row += ',';
    appendNumber(row, r.geoidUndulationM, kMetreDecimals);
    row += ',';
    appendInteger(row, r.latencyMs);
    row += ',';
    appendNumber(row, r.depthBelowDatumM, kMetreDecimals);
    row += ',';
    appendText(row, r.flags);
    return row;
}

std::optional<int> surveyLineOf(std::string_view flags) {
    std::size_t start = 0;
    while (start < flags.size()) {
        const std::size_t end = std::min(flags.find(' ', start), flags.size());
        const std::string_view word = flags.substr(start, end - start);
        if (word.starts_with("line=")) {
            const auto line = digits(word.substr(5));
            if (line && *line > 0 && word.size() <= 5 + 9) {
                return line;
            }
        }
        start = end + 1;
    }
    return std::nullopt;
}

std::string withSurveyLine(std::string_view flags, int line) {
    std::string out;
    std::size_t start = 0;
    while (start < flags.size()) {
        const std::size_t end = std::min(flags.find(' ', start), flags.size());
        const std::string_view word = flags.substr(start, end - start);
        if (!word.empty() && !word.starts_with("line=")) {
            out += out.empty() ? "" : " ";
            out += word;
        }
        start = end + 1;
    }
    out += out.empty() ? "" : " ";
    out += "line=" + std::to_string(line);
    return out;
}

bool hasFlagWord(std::string_view flags, std::string_view word) {
    std::size_t start = 0;
    while (start <= flags.size()) {
        const std::size_t end = std::min(flags.find(' ', start), flags.size());
        if (flags.substr(start, end - start) == word) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

SoundingColumns SoundingColumns::standard() {
    SoundingColumns columns;
    columns.fieldOfColumn_.resize(kColumnCount);
    for (int i = 0; i < kColumnCount; ++i) {
        columns.fieldOfColumn_[i] = i;
    }
    columns.fieldCount_ = kColumnCount;
    return columns;
}

std::optional<SoundingColumns> SoundingColumns::fromHeader(std::string_view header, std::string& error) {
    if (header.starts_with("\xEF\xBB\xBF")) {
        header.remove_prefix(3); // a byte order mark left by a spreadsheet
    }
    if (!header.empty() && header.back() == '\r') {
        header.remove_suffix(1);
    }
    std::vector<std::string_view> fields;
    splitFields(header, fields);
    SoundingColumns columns;
    columns.fieldOfColumn_.assign(kColumnCount, -1);
    columns.fieldCount_ = fields.size();
    for (std::size_t f = 0; f < fields.size(); ++f) {
        const std::string_view name = fields[f];
        int* slot = nullptr;
        if (name == "line") {
            slot = &columns.lineField_;
        }
        for (int c = 0; c < kColumnCount && !slot; ++c) {
            if (name == kColumnNames[c]) {
                slot = &columns.fieldOfColumn_[c];
            }
        }
        if (slot && *slot >= 0) {
            error = "column " + std::string(name) + " appears twice in the header";
            return std::nullopt;
        }
        if (slot) {
            *slot = static_cast<int>(f);
        }
    }
    std::string missing;
    for (int c = 0; c < kColumnCount; ++c) {
        if (columns.fieldOfColumn_[c] < 0) {
            missing += (missing.empty() ? "" : ", ") + std::string(kColumnNames[c]);
        }
    }
    if (!missing.empty()) {
        error = "not a soundings header: missing column(s) " + missing;
        return std::nullopt;
    }
    return columns;
}

std::string SoundingRowError::message() const {
    std::string text = "line " + std::to_string(lineNumber);
    if (!field.empty()) {
        text += ", field " + field;
    }
    return text + ": " + reason;
}

bool SoundingRowParser::parse(std::string_view line, const SoundingColumns& columns, SoundingRecord& out,
                              SoundingRowError& error) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    thread_local std::vector<std::string_view> fields;
    splitFields(line, fields);
    if (fields.size() != columns.fieldCount_) {
        error.field.clear();
        error.reason = std::to_string(fields.size()) + " field(s), the header has " +
                       std::to_string(columns.fieldCount_);
        return false;
    }
    const auto field = [&](int column) { return fields[columns.fieldOfColumn_[column]]; };
    const auto fail = [&](int column, std::string_view what) {
        error.field = std::string(kColumnNames[column]);
        error.reason = "\"" + std::string(field(column)) + "\" " + std::string(what);
        return false;
    };
    const auto number = [&](int column, std::optional<double>& value) {
        const std::string_view text = field(column);
        if (text.empty()) {
            value.reset();
            return true;
        }
        double parsed = 0;
        const auto result = std::from_chars(text.data(), text.data() + text.size(), parsed);
        if (result.ec != std::errc() || result.ptr != text.data() + text.size() || !std::isfinite(parsed)) {
            return fail(column, "is not a number");
        }
        value = parsed;
        return true;
    };
    const auto integer = [&](int column, std::optional<int>& value) {
        const std::string_view text = field(column);
        if (text.empty()) {
            value.reset();
            return true;
        }
        value = parseInt(text);
        return value ? true : fail(column, "is not a whole number");
    };
    const auto parsedTime = parseSoundingTime(field(kTime));
    if (!parsedTime) {
        return fail(kTime, "is not a time like 2026-04-07T10:00:00.150");
    }
    out.time = *parsedTime;
    if (!number(kLatitude, out.latitudeDeg) || !number(kLongitude, out.longitudeDeg) ||
        !number(kEasting, out.eastingM) || !number(kNorthing, out.northingM) ||
        !number(kHeading, out.headingDeg) || !integer(kFixQuality, out.fixQuality) ||
        !number(kRawDepth, out.rawDepthM) || !number(kSoundVelocity, out.soundVelocityMps) ||
        !number(kDraft, out.draftM) || !number(kDepth, out.depthM) || !number(kWaterLevel, out.waterLevelM) ||
        !number(kEllipsoidalHeight, out.ellipsoidalHeightM) ||
        !number(kGeoidUndulation, out.geoidUndulationM) || !integer(kLatency, out.latencyMs) ||
        !number(kDepthBelowDatum, out.depthBelowDatumM)) {
        return false;
    }
    if (out.latitudeDeg && std::abs(*out.latitudeDeg) > 90) {
        return fail(kLatitude, "is beyond 90 degrees");
    }
    if (out.longitudeDeg && std::abs(*out.longitudeDeg) > 360) {
        return fail(kLongitude, "is beyond 360 degrees");
    }
    out.svSource = field(kSvSource);
    out.waterLevelSource = field(kWaterLevelSource);
    out.flags = field(kFlags);
    if (columns.lineField_ >= 0) {
        const std::string_view lineText = fields[columns.lineField_];
        if (!lineText.empty() && !surveyLineOf(out.flags)) {
            const auto number = digits(lineText);
            if (!number || *number <= 0) {
                error.field = "line";
                error.reason = "\"" + std::string(lineText) + "\" is not a line number";
                return false;
            }
            out.flags = withSurveyLine(out.flags, *number);
        }
    }
    return true;
}

bool parseSoundingRow(std::string_view line, const SoundingColumns& columns, SoundingRecord& out,
                      SoundingRowError& error) {
    return SoundingRowParser::parse(line, columns, out, error);
}

SoundingFileReport readSoundingRecord(std::istream& in, const SoundingRowHandler& row) {
    SoundingFileReport report;
    std::string line;
    std::size_t lineNumber = 0;
    std::optional<SoundingColumns> columns;
    while (!columns && std::getline(in, line)) {
        ++lineNumber;
        if (line.empty() || line == "\r") {
            continue;
        }
        columns = SoundingColumns::fromHeader(line, report.error);
        if (!columns) {
            report.error = "line " + std::to_string(lineNumber) + ": " + report.error;
            return report;
        }
    }
    if (!columns) {
        report.error = "the file is empty: no soundings header";
        return report;
    }
    report.opened = true;
    SoundingRecord record;
    SoundingRowError error;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (line.empty() || line == "\r") {
            continue;
        }
        if (!parseSoundingRow(line, *columns, record, error)) {
            ++report.badRows;
            if (report.errors.size() < SoundingFileReport::kMaxListedErrors) {
                error.lineNumber = lineNumber;
                report.errors.push_back(error);
            }
            continue;
        }
        ++report.rows;
        row(record, lineNumber);
    }
    return report;
}

SoundingFileReport readSoundingRecord(const std::filesystem::path& file, const SoundingRowHandler& row) {
    // A large buffer, set before the file opens (libstdc++ ignores it afterwards).
    std::vector<char> buffer(1 << 20);
    std::ifstream in;
    in.rdbuf()->pubsetbuf(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    in.open(file, std::ios::binary);
    if (!in) {
        SoundingFileReport report;
        report.error = "cannot open " + file.string();
        return report;
    }
    SoundingFileReport report = readSoundingRecord(static_cast<std::istream&>(in), row);
    if (in.bad()) {
        report.opened = false;
        report.error = "reading " + file.string() + " failed";
    }
    return report;
}

} // namespace selvir
