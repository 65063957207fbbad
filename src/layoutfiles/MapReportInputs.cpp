#include "layoutfiles/MapReportInputs.h"

#include "core/NumberFormat.h"

#include <fstream>
#include <string_view>
#include <vector>

namespace selvir {
namespace {

constexpr std::string_view kOffsetsSection = "ECHOSOUNDER_OFFSETS";
// Columns of a survey row (navigation/SurveyFile.h): 18 fields, the grid position in the 4th and 5th, the
// reduced high-frequency depth in the 8th.
constexpr std::size_t kEastingColumn = 3;
constexpr std::size_t kNorthingColumn = 4;
constexpr std::size_t kTrueDepthHiColumn = 7;
constexpr std::size_t kColumns = 18;

QString text(const std::string& value) {
    return QString::fromStdString(value).trimmed();
}

std::vector<std::string_view> fieldsOf(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (std::size_t comma; (comma = line.find(',', start)) != std::string_view::npos; start = comma + 1) {
        fields.push_back(line.substr(start, comma - start));
    }
    fields.push_back(line.substr(start));
    return fields;
}

} // namespace

QString describeProjection(const GeodeticParameters& p) {
    if (!p.cbUseLCCProjection) {
        return QStringLiteral("Transverse Mercator, CM %1, lat0 %2, k0 %3, FE %4, FN %5")
            .arg(text(p.edCM), text(p.edRL), text(p.edSF), text(p.edFE), text(p.edFN));
    }
    if (p.cLambert1) {
        return QStringLiteral("Lambert conformal conic (one parallel), lat0 %1, CM %2, k0 %3, FE %4, FN %5")
            .arg(text(p.eLCCCP), text(p.eLCCM), text(p.eLCCSF), text(p.eLCCFE), text(p.eLCCFN));
    }
    return QStringLiteral("Lambert conformal conic, SP %1 and %2, lat0 %3, CM %4, FE %5, FN %6")
        .arg(text(p.eLCCSP1), text(p.eLCCSP2), text(p.eLCCCP), text(p.eLCCM), text(p.eLCCFE), text(p.eLCCFN));
}

MapTitle readMapTitle(const ProfileStore& settings, const LocalDate& date) {
    MapTitle title;
    title.date = QString::fromStdString(formatDate(date));
    title.location = text(settings.readString(kOffsetsSection, "SurveyLocation", ""));
    title.vessel = text(settings.readString(kOffsetsSection, "SurveyBoat", ""));
    title.surveyor = text(settings.readString(kOffsetsSection, "Surveyor", ""));
    const GeodeticParameters geodesy = GeodeticParameters::read(settings);
    title.datum = text(geodesy.edNameOfDatum);
    title.projection = describeProjection(geodesy);
    return title;
}

SurveySoundings readSurveySoundings(const std::filesystem::path& file) {
    SurveySoundings out;
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        out.error = file.string() + ": cannot be opened";
        return out;
    }
    std::string line;
    bool first = true;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty()) {
            continue;
        }
        const std::vector<std::string_view> fields = fieldsOf(line);
        // The header: names where the first row has numbers.
        const bool header = first && fields.size() > kEastingColumn &&
                            !parseFiniteDouble(fields[kEastingColumn]) && !fields[kEastingColumn].empty();
        first = false;
        if (header) {
            continue;
        }
        if (fields.size() != kColumns) {
            ++out.unreadableRows;
            continue;
        }
        if (fields[kEastingColumn].empty() || fields[kNorthingColumn].empty()) {
            ++out.rowsWithoutPosition;
            continue;
        }
        const auto easting = parseFiniteDouble(fields[kEastingColumn]);
        const auto northing = parseFiniteDouble(fields[kNorthingColumn]);
        const auto depth = parseFiniteDouble(fields[kTrueDepthHiColumn]);
        if (!easting || !northing || !depth) {
            ++out.unreadableRows;
            continue;
        }
        out.soundings.push_back({*easting, *northing, *depth});
    }
    return out;
}

} // namespace selvir
