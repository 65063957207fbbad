#include "navigation/GeodesySessionLog.h"

#include "core/AtomicFile.h"

#include <system_error>

namespace selvir {

std::string geodesySessionBlock(const GeodeticParameters& p, const LocalDateTime& now,
                                std::string_view lineBreak) {
    const auto yesNo = [](bool on) { return std::string(on ? "Yes" : "No"); };
    const std::string lines[] = {
        "=== SESSION START: " + formatTime(now) + " ===",
        "",
        "--- ELLIPSOID ---",
        "Semi-Major Axis: " + p.edSMA,
        "Inverse Flattening: " + p.edIF,
        "",
        "--- DATUM TRANSFORMATION ---",
        "Name of Datum: " + p.edNameOfDatum,
        "Use DTP: " + yesNo(p.cbUseDTP),
        "X/Y/Z Rotation: " + p.edRX + ", " + p.edRY + ", " + p.edRZ,
        "X/Y/Z Shift: " + p.edSX + ", " + p.edSY + ", " + p.edSZ,
        "Scale PPM: " + p.edPPM,
        "",
        "--- TRANSVERSE MERCATOR ---",
        "Use TM: " + yesNo(p.cbUseTMProjection),
        "CM: " + p.edCM + ", Ref Lat: " + p.edRL + ", SF: " + p.edSF,
        "FE: " + p.edFE + ", FN: " + p.edFN,
        "",
        "--- LAMBERT CONFORMAL CONIC ---",
        "Use LCC: " + yesNo(p.cbUseLCCProjection),
        "SP1: " + p.eLCCSP1 + ", SP2: " + p.eLCCSP2,
        "CP: " + p.eLCCCP + ", CM: " + p.eLCCM,
        "FE: " + p.eLCCFE + ", FN: " + p.eLCCFN,
        "",
        std::string(40, '-'),
        "",
    };
    std::string out;
    for (const std::string& line : lines) {
        out += line;
        out += lineBreak;
    }
    return out;
}

bool writeGeodesySession(const DataFolders& folders, const GeodeticParameters& parameters, const Clock& clock,
                         std::string* error) {
    const LocalDateTime now = clock.now();
    const std::filesystem::path file = folders.geodesyLog(now.date);
    std::error_code ec;
    if (!std::filesystem::is_directory(file.parent_path(), ec) && !folders.createAll(error)) {
        return false;
    }
    std::string text;
    if (!readWholeFile(file, text) || text.empty()) {
        text = "GEODETIC PARAMETERS LOG - " + formatDate(now.date);
        text += kLineBreak;
        text += std::string(40, '=');
        text += kLineBreak;
        text += kLineBreak;
    }
    text += geodesySessionBlock(parameters, now, kLineBreak);
    return writeFileAtomically(file, text, error);
}

} // namespace selvir
