// Reading the geodetic settings and building the parameter lines of the datum chain.
#include "geodesy/GeodeticParameters.h"

namespace selvir {

const std::vector<GeodeticTextField>& geodeticNumberFields() {
    using P = GeodeticParameters;
    static const std::vector<GeodeticTextField> fields = {
        {"SemiMajorAxis", "Ellipsoid", "Semi Major Axis", &P::edSMA},
        {"InverseFlattening", "Ellipsoid", "Flattening", &P::edIF},
        {"Scale_PPM", "Transformation Parameters from WGS-84", "Scale (ppm)", &P::edPPM},
        {"X_Rotation", "Transformation Parameters from WGS-84", "X Rotation", &P::edRX},
        {"Y_Rotation", "Transformation Parameters from WGS-84", "Y Rotation", &P::edRY},
        {"Z_Rotation", "Transformation Parameters from WGS-84", "Z Rotation", &P::edRZ},
        {"X_Shift", "Transformation Parameters from WGS-84", "X Shift", &P::edSX},
        {"Y_Shift", "Transformation Parameters from WGS-84", "Y Shift", &P::edSY},
        {"Z_Shift", "Transformation Parameters from WGS-84", "Z Shift", &P::edSZ},
        {"Central_Meridian", "TM Parameters", "Central Meridian", &P::edCM},
        {"Reference_Latitude", "TM Parameters", "Reference Latitude", &P::edRL},
        {"Scale_Factor", "TM Parameters", "Scale Factor", &P::edSF},
        {"False_Easting", "TM Parameters", "False Easting", &P::edFE},
        {"False_Northing", "TM Parameters", "False Northing", &P::edFN},
        {"eLCCSP1", "LCC Parameters", "Standard Parallel 1", &P::eLCCSP1},
        {"eLCCSP2", "LCC Parameters", "Standard Parallel 2", &P::eLCCSP2},
        {"eLCCSF", "LCC Parameters", "Scale Factor", &P::eLCCSF},
        {"eLCCCP", "LCC Parameters", "Central Parallel", &P::eLCCCP},
        {"eLCCM", "LCC Parameters", "Central Meridian", &P::eLCCM},
        {"eLCCFE", "LCC Parameters", "False Easting", &P::eLCCFE},
        {"eLCCFN", "LCC Parameters", "False Norhing", &P::eLCCFN},
    };
    return fields;
}

GeodeticParameters GeodeticParameters::read(const ProfileStore& store) {
    GeodeticParameters parameters;
    const std::string_view section = kGeodeticParametersSection;
    for (const GeodeticTextField& field : geodeticNumberFields()) {
        std::string& text = parameters.*field.member;
        text = store.readString(section, field.key, text);
    }
    parameters.cbUseTMProjection = store.readBool(section, "Use Projection", parameters.cbUseTMProjection);
    parameters.cbUseDTP = store.readBool(section, "Use DTP", parameters.cbUseDTP);
    parameters.edNameOfDatum = store.readString(section, "Name of Datum", parameters.edNameOfDatum);
    parameters.cbUseLCCProjection =
        store.readBool(section, "cbUseLCCProjection", parameters.cbUseLCCProjection);
    parameters.cLambert1 = store.readBool(section, "cLambert1", parameters.cLambert1);
    return parameters;
}

std::string GeodeticParameters::datumParameterLine() const {
    std::string line(kDatumLinePrefix);
    const std::string* fields[] = {&edSMA, &edIF, &edPPM, &edRX, &edRY, &edRZ, &edSX, &edSY, &edSZ};
    bool first = true;
    for (const std::string* field : fields) {
        if (!first) {
            line += ' ';
        }
        line += *field;
        first = false;
    }
    return line;
}

std::string GeodeticParameters::tmParameterLine() const {
    return edCM + ' ' + edRL + ' ' + edSF + ' ' + edFE + ' ' + edFN;
}

std::string GeodeticParameters::tmEllipsoidLine() const {
    return std::string(kTmEllipsoidLinePrefix) + edSMA + ' ' + edIF;
}

} // namespace selvir
