// The probe file formats: each reader recognises its format by the header and cuts the data lines into
// the columns the header names.
#include "core/AtomicFile.h"
#include "core/CodePage.h"
#include "core/NumberFormat.h"
#include "core/SvpTableFiles.h"
#include "core/TextTrim.h"
#include "tools/ProbeFile.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace selvir {

namespace {

constexpr double kFeetToMetres = 0.3048;
constexpr double kPsiToDecibar = 0.6894757;

std::string lowerCase(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && lowerCase(text.substr(0, prefix.size())) == lowerCase(prefix);
}

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

std::vector<std::string_view> splitAtBlanks(std::string_view text) {
    std::vector<std::string_view> out;
    std::size_t at = 0;
    while (true) {
        at = text.find_first_not_of(" \t\r", at);
        if (at == std::string_view::npos) {
            return out;
        }
        const std::size_t end = std::min(text.find_first_of(" \t\r", at), text.size());
        out.push_back(text.substr(at, end - at));
        at = end;
    }
}

std::vector<std::string_view> splitAt(std::string_view text, char separator) {
    std::vector<std::string_view> out;
    while (true) {
        const std::size_t end = text.find(separator);
        out.push_back(trimmed(text.substr(0, end), " \t\r"));
        if (end == std::string_view::npos) {
            return out;
        }
        text.remove_prefix(end + 1);
    }
}

bool hasDigit(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
}

// "Key : value", "Key=value", "Key: value" header lines: the value after the first separator.
std::optional<std::string> headerValue(std::string_view line, std::string_view key, char separator) {
    if (!startsWithNoCase(line, key)) {
        return std::nullopt;
    }
    std::string_view rest = trimmed(line.substr(key.size()), " \t\r");
    if (rest.empty() || rest.front() != separator) {
        return std::nullopt;
    }
    return std::string(trimmed(rest.substr(1), " \t\r"));
}

// Column names written for people: "Depth (m)", "Sound velocity (Meters per Second)", "Pressure" with
// the unit "dBar" beside it.
ProbeColumn columnNamed(std::string_view name, std::string_view unit = {}) {
    ProbeColumn column;
    column.name = std::string(trimmed(name, " \t\r"));
    const std::string text = lowerCase(column.name) + " " + lowerCase(unit);
    const bool feet = contains(text, "(ft") || contains(text, " ft") || contains(text, "feet");
    if (contains(text, "velocity") || contains(text, "sound speed") || column.name == "SV") {
        column.quantity = ProbeQuantity::SoundVelocity;
        column.toSiScale = feet ? kFeetToMetres : 1;
    } else if (contains(text, "depth")) {
        column.quantity = ProbeQuantity::Depth;
        column.toSiScale = feet ? kFeetToMetres : 1;
    } else if (contains(text, "pressure")) {
        column.quantity = ProbeQuantity::Pressure;
        column.toSiScale = contains(text, "psi") ? kPsiToDecibar : 1;
    } else if (contains(text, "salinity")) {
        column.quantity = ProbeQuantity::Salinity;
    } else if (contains(text, "temperature") || startsWithNoCase(column.name, "temp")) {
        column.quantity = ProbeQuantity::Temperature;
    }
    return column;
}

// Sea-Bird short names: depSM / depFM (metres) and depSF (feet), prDM / prdM (decibar) and prDE (psi),
// svCM / svDM / svWM (m/s), sal00, t090C / t068C / tv290C / t190C (°C; "68" marks IPTS-68).
ProbeColumn seaBirdColumn(std::string_view shortName, std::string_view description) {
    ProbeColumn column;
    column.name = std::string(shortName);
    const std::string lowerDescription = lowerCase(description);
    const bool inFeet = !shortName.empty() && shortName.back() == 'F';
    if (shortName.starts_with("dep")) {
        column.quantity = ProbeQuantity::Depth;
        column.toSiScale = inFeet ? kFeetToMetres : 1;
    } else if (shortName.starts_with("pr")) {
        column.quantity = ProbeQuantity::Pressure;
        column.toSiScale = contains(lowerDescription, "psi") ? kPsiToDecibar : 1;
    } else if (shortName.starts_with("sv")) {
        column.quantity = ProbeQuantity::SoundVelocity;
        column.toSiScale = inFeet ? kFeetToMetres : 1;
    } else if (shortName.starts_with("sal")) {
        column.quantity = ProbeQuantity::Salinity;
    } else if (shortName.size() >= 4 && shortName.front() == 't' && shortName.back() == 'C' &&
               std::all_of(shortName.begin() + 1, shortName.end() - 1,
                           [](unsigned char c) { return std::isdigit(c) || c == 'v'; })) {
        column.quantity = ProbeQuantity::Temperature;
        column.its68 = contains(shortName, "68") || contains(lowerDescription, "its-68");
    }
    return column;
}

std::optional<double> numberOrNothing(std::string_view token, std::optional<double> badFlag) {
    const auto value = parseFiniteDouble(token);
    if (value && badFlag && *value == *badFlag) {
        return std::nullopt;
    }
    return value;
}

// Cuts a data line into the table's columns: at blanks (or at `separator`), or, when the numbers run
// together, at the fixed width the line's length gives. False when neither fits.
bool addRow(ProbeTable& table, std::string_view line, int lineNumber, char separator = 0,
            std::optional<double> badFlag = std::nullopt) {
    while (!line.empty() && (line.back() == '\r' || (separator != 0 && line.back() == separator))) {
        line.remove_suffix(1);
    }
    const std::size_t count = table.columns.size();
    std::vector<std::string_view> fields = separator ? splitAt(line, separator) : splitAtBlanks(line);
    if (fields.size() != count && separator == 0 && count > 0 && line.size() % count == 0) {
        const std::size_t width = line.size() / count;
        fields.clear();
        for (std::size_t at = 0; at < line.size(); at += width) {
            fields.push_back(trimmed(line.substr(at, width), " \t"));
        }
    }
    if (fields.size() != count) {
        return false;
    }
    ProbeTable::Row row;
    row.line = lineNumber;
    bool anyNumber = false;
    for (std::string_view field : fields) {
        row.values.push_back(numberOrNothing(field, badFlag));
        anyNumber = anyNumber || row.values.back().has_value();
    }
    if (anyNumber) { // a row of units or names is no data
        table.rows.push_back(std::move(row));
    }
    return true;
}

// Data lines from `first` on; lines without digits (titles, unit rows, blanks) are passed over.
void addRows(ProbeTable& table, const std::vector<std::string>& lines, std::size_t first, char separator = 0,
             std::optional<double> badFlag = std::nullopt) {
    for (std::size_t i = first; i < lines.size(); ++i) {
        if (!hasDigit(lines[i])) {
            continue;
        }
        if (!addRow(table, lines[i], static_cast<int>(i + 1), separator, badFlag)) {
            ++table.unreadableRows;
        }
    }
}

std::optional<std::size_t> lineStarting(const std::vector<std::string>& lines, std::string_view prefix,
                                        std::size_t from = 0) {
    for (std::size_t i = from; i < lines.size(); ++i) {
        if (startsWithNoCase(trimmed(lines[i], " \t\r"), prefix)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<ProbeTable> readSeaBird(const std::vector<std::string>& lines) {
    const auto end = lineStarting(lines, "*END*");
    if (!end || !lineStarting(lines, "# name ")) {
        return std::nullopt;
    }
    ProbeTable table;
    table.format = ProbeFormat::SeaBirdCnv;
    std::optional<double> badFlag;
    std::optional<double> depthColumnLatitude;
    for (std::size_t i = 0; i < *end; ++i) {
        const std::string_view line = trimmed(lines[i], " \t\r");
        if (line.starts_with("# name ")) {
            // "# name 3 = t090C: Temperature [ITS-90, deg C]"
            const std::size_t equals = line.find('=');
            const auto index =
                parseInt(trimmed(line.substr(7, equals == std::string_view::npos ? 0 : equals - 7)));
            if (!index || *index < 0 || *index > 1000) {
                continue;
            }
            const std::string_view rest = trimmed(line.substr(equals + 1), " \t");
            const std::size_t colon = rest.find(':');
            const std::string_view shortName = trimmed(rest.substr(0, colon), " \t");
            const std::string_view description =
                colon == std::string_view::npos ? "" : rest.substr(colon + 1);
            if (table.columns.size() <= static_cast<std::size_t>(*index)) {
                table.columns.resize(static_cast<std::size_t>(*index) + 1);
            }
            table.columns[static_cast<std::size_t>(*index)] = seaBirdColumn(shortName, description);
            // Sea-Bird names the latitude its depth column was computed with: "…, lat = 51.5702".
            const std::size_t lat = description.find("lat =");
            if (lat != std::string_view::npos) {
                depthColumnLatitude = parseLatitudeText(std::string(trimmed(description.substr(lat + 5))));
            }
        } else if (auto flag = headerValue(line, "# bad_flag", '=')) {
            badFlag = parseFiniteDouble(*flag);
        } else if (auto latitude = headerValue(line, "* NMEA Latitude", '=')) {
            table.latitudeDeg = parseLatitudeText(*latitude);
        }
    }
    if (!table.latitudeDeg) {
        table.latitudeDeg = depthColumnLatitude;
    }
    addRows(table, lines, *end + 1, 0, badFlag);
    return table;
}

std::optional<ProbeTable> readValeportVp2(const std::vector<std::string>& lines) {
    const auto columns = lineStarting(lines, "[COLUMNS]");
    const auto data = lineStarting(lines, "[DATA]");
    if (!lineStarting(lines, "[HEADER]") || !columns || !data || *data < *columns) {
        return std::nullopt;
    }
    ProbeTable table;
    table.format = ProbeFormat::ValeportVp2;
    for (std::size_t i = 0; i < *columns; ++i) {
        if (auto latitude = headerValue(lines[i], "Latitude", '=')) {
            table.latitudeDeg = parseLatitudeText(*latitude);
        }
    }
    // "Sound Velocity=Float;Ms-1;": name, then type and unit.
    for (std::size_t i = *columns + 1; i < *data; ++i) {
        const std::string_view line = trimmed(lines[i], " \t\r");
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            continue;
        }
        const std::vector<std::string_view> parts = splitAt(line.substr(equals + 1), ';');
        table.columns.push_back(columnNamed(line.substr(0, equals), parts.size() > 1 ? parts[1] : ""));
    }
    addRows(table, lines, *data + 1, '\t');
    return table;
}

std::optional<ProbeTable> readValeportRapidSvt(const std::vector<std::string>& lines) {
    const auto units = lineStarting(lines, "Pressure units:");
    if (!units || *units > 40) {
        return std::nullopt;
    }
    ProbeTable table;
    table.format = ProbeFormat::ValeportRapidSvt;
    for (std::size_t i = 0; i < *units; ++i) {
        if (auto latitude = headerValue(lines[i], "Latitude", ':')) {
            table.latitudeDeg = parseLatitudeText(*latitude);
        }
    }
    // Pressure in decibar, or depth when the probe was set to metres.
    const std::string unit = lowerCase(*headerValue(trimmed(lines[*units], " \t\r"), "Pressure units", ':'));
    if (unit == "m" || unit == "metres" || unit == "meters") {
        table.columns.push_back(columnNamed("Depth", unit));
    } else if (unit == "dbar" || unit == "psi") {
        table.columns.push_back(columnNamed("Pressure", unit));
    } else {
        return std::nullopt;
    }
    table.columns.push_back(columnNamed("Temperature"));
    table.columns.push_back(columnNamed("Sound Velocity"));
    addRows(table, lines, *units + 1);
    return table;
}

std::optional<ProbeTable> readCastAway(const std::vector<std::string>& lines) {
    if (lines.empty() || !startsWithNoCase(lines.front(), "% Device")) {
        return std::nullopt;
    }
    std::size_t header = 0;
    ProbeTable table;
    table.format = ProbeFormat::CastAwayCsv;
    for (; header < lines.size() && lines[header].starts_with("%"); ++header) {
        if (auto latitude = headerValue(std::string_view(lines[header]).substr(1), " Start latitude", ',')) {
            table.latitudeDeg = parseLatitudeText(*latitude);
        }
    }
    if (header == lines.size()) {
        return std::nullopt;
    }
    for (std::string_view name : splitAt(lines[header], ',')) {
        table.columns.push_back(columnNamed(name));
    }
    addRows(table, lines, header + 1, ',');
    return table;
}

std::optional<ProbeTable> readMk21Edf(const std::vector<std::string>& lines) {
    if (!lineStarting(lines, "// MK21 EXPORT DATA FILE")) {
        return std::nullopt;
    }
    const auto data = lineStarting(lines, "// Data", lineStarting(lines, "// Data Fields").value_or(0) + 1);
    if (!data) {
        return std::nullopt;
    }
    ProbeTable table;
    table.format = ProbeFormat::Mk21Edf;
    for (std::size_t i = 0; i < *data; ++i) {
        const std::string_view line = trimmed(lines[i], " \t\r");
        if (auto latitude = headerValue(line, "Latitude", ':')) {
            table.latitudeDeg = parseLatitudeText(*latitude);
        } else if (line.starts_with("Field") && line.size() > 5 &&
                   std::isdigit(static_cast<unsigned char>(line[5]))) {
            const std::size_t colon = line.find(':');
            if (colon != std::string_view::npos) {
                table.columns.push_back(columnNamed(line.substr(colon + 1)));
            }
        }
    }
    addRows(table, lines, *data + 1);
    return table;
}

} // namespace

const char* probeFormatName(ProbeFormat format) {
    switch (format) {
    case ProbeFormat::SeaBirdCnv:
        return "Sea-Bird .cnv";
    case ProbeFormat::ValeportVp2:
        return "Valeport .vp2";
    case ProbeFormat::ValeportRapidSvt:
        return "Valeport RapidSVT";
    case ProbeFormat::CastAwayCsv:
        return "SonTek CastAway CSV";
    case ProbeFormat::Mk21Edf:
        return "Sippican/Lockheed MK21 EDF";
    }
    return "";
}

std::vector<std::string> probeFileLines(std::string_view bytes) {
    return splitTextLines(isValidUtf8(bytes) ? std::string(bytes) : toUtf8(bytes, CodePage::Windows1254));
}

SoundVelocityFileRead readSoundVelocityFile(const std::filesystem::path& file,
                                            std::vector<std::string>& lines) {
    lines.clear();
    std::string bytes;
    bool tooLarge = false;
    if (!readWholeFileUpTo(file, kMaxSoundVelocityFileBytes, bytes, tooLarge)) {
        return tooLarge ? SoundVelocityFileRead::TooLarge : SoundVelocityFileRead::Unreadable;
    }
    lines = probeFileLines(bytes);
    return SoundVelocityFileRead::Read;
}

std::optional<ProbeTable> readProbeTable(const std::vector<std::string>& lines) {
    for (auto reader : {readSeaBird, readValeportVp2, readMk21Edf, readCastAway, readValeportRapidSvt}) {
        if (auto table = reader(lines)) {
            return table;
        }
    }
    return std::nullopt;
}

std::optional<double> parseLatitudeText(const std::string& text) {
    std::string_view rest = trimmed(text, " \t\r");
    double sign = 1;
    if (!rest.empty() &&
        (rest.back() == 'N' || rest.back() == 'S' || rest.back() == 'n' || rest.back() == 's')) {
        sign = (rest.back() == 'S' || rest.back() == 's') ? -1 : 1;
        rest = trimmed(rest.substr(0, rest.size() - 1));
    }
    const std::vector<std::string_view> parts = splitAtBlanks(rest);
    std::optional<double> degrees;
    if (parts.size() == 1) {
        degrees = parseFiniteDouble(parts[0]);
    } else if (parts.size() == 2) {
        const auto whole = parseFiniteDouble(parts[0]);
        const auto minutes = parseFiniteDouble(parts[1]);
        if (whole && minutes && *minutes >= 0 && *minutes < 60) {
            degrees = std::abs(*whole) + *minutes / 60.0;
            if (*whole < 0 || parts[0].starts_with("-")) {
                degrees = -*degrees;
            }
        }
    }
    if (!degrees || std::abs(*degrees) > 90) {
        return std::nullopt;
    }
    return sign * *degrees;
}

} // namespace selvir
