#include "navigation/GeodesySessionLog.h"

#include "core/AtomicFile.h"

#include <system_error>

namespace selvir {
namespace {

constexpr std::string_view kSection = "GEODETIC_PARAMETERS";

} // namespace

std::string geodesySessionBlock(const ProfileStore& settings, const LocalDateTime& now,
                                std::string_view lineBreak) {
    const IniDocument doc = settings.load();
    auto text = [&](std::string_view key) { return doc.value(kSection, key).value_or(""); };
    auto yesNo = [&](std::string_view key) {
        const auto value = doc.value(kSection, key);
        if (!value) {
            return std::string("No");
        }
        try {
            return std::stoll(*value) != 0 ? std::string("Yes") : std::string("No");
        } catch (...) {
            return std::string("No");
        }
    };
    const std::string lines[] = {
        "=== SESSION START: " + formatTime(now) + " ===",
        "",
        "--- ELLIPSOID ---",
        "Semi-Major Axis: " + text("SemiMajorAxis"),
        "Inverse Flattening: " + text("InverseFlattening"),
        "",
        "--- DATUM TRANSFORMATION ---",
        "Name of Datum: " + text("Name of Datum"),
        "Use DTP: " + yesNo("Use DTP"),
        "X/Y/Z Rotation: " + text("X_Rotation") + ", " + text("Y_Rotation") + ", " + text("Z_Rotation"),
        "X/Y/Z Shift: " + text("X_Shift") + ", " + text("Y_Shift") + ", " + text("Z_Shift"),
        "Scale PPM: " + text("Scale_PPM"),
        "",
        "--- TRANSVERSE MERCATOR ---",
        "Use TM: " + yesNo("Use Projection"),
        "CM: " + text("Central_Meridian") + ", Ref Lat: " + text("Reference_Latitude") +
            ", SF: " + text("Scale_Factor"),
        "FE: " + text("False_Easting") + ", FN: " + text("False_Northing"),
        "",
        "--- LAMBERT CONFORMAL CONIC ---",
        "Use LCC: " + yesNo("cbUseLCCProjection"),
        "SP1: " + text("eLCCSP1") + ", SP2: " + text("eLCCSP2"),
        "CP: " + text("eLCCCP") + ", CM: " + text("eLCCM"),
        "FE: " + text("eLCCFE") + ", FN: " + text("eLCCFN"),
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

bool writeGeodesySession(const DataFolders& folders, const ProfileStore& settings, const Clock& clock,
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
    text += geodesySessionBlock(settings, now, kLineBreak);
    return writeFileAtomically(file, text, error);
}

} // namespace selvir
