// Reading the geodetic settings and building the parameter lines of the datum chain.
#include "geodesy/GeodeticParameters.h"

namespace selvir {

const std::vector<GeodeticTextField>& geodeticNumberFields() {
    using P = GeodeticParameters;
    static const std::vector<GeodeticTextField> fields = {
        {"SemiMajorAxis", "Ellipsoid", "Semi Major Axis", &P::edSMA, "edSMA"},
        {"InverseFlattening", "Ellipsoid", "Flattening", &P::edIF, "edIF"},
        {"Scale_PPM", "Transformation Parameters from WGS-84", "Scale (ppm)", &P::edPPM, "edPPM"},
        {"X_Rotation", "Transformation Parameters from WGS-84", "X Rotation", &P::edRX, "edRX"},
        {"Y_Rotation", "Transformation Parameters from WGS-84", "Y Rotation", &P::edRY, "edRY"},
        {"Z_Rotation", "Transformation Parameters from WGS-84", "Z Rotation", &P::edRZ, "edRZ"},
        {"X_Shift", "Transformation Parameters from WGS-84", "X Shift", &P::edSX, "edSX"},
        {"Y_Shift", "Transformation Parameters from WGS-84", "Y Shift", &P::edSY, "edSY"},
        {"Z_Shift", "Transformation Parameters from WGS-84", "Z Shift", &P::edSZ, "edSZ"},
        {"Central_Meridian", "TM Parameters", "Central Meridian", &P::edCM, "edCM"},
        {"Reference_Latitude", "TM Parameters", "Reference Latitude", &P::edRL, "edRL"},
        {"Scale_Factor", "TM Parameters", "Scale Factor", &P::edSF, "edSF"},
        {"False_Easting", "TM Parameters", "False Easting", &P::edFE, "edFE"},
        {"False_Northing", "TM Parameters", "False Northing", &P::edFN, "edFN"},
        {"eLCCSP1", "LCC Parameters", "Standard Parallel 1", &P::eLCCSP1, "eLCCSP1"},
        {"eLCCSP2", "LCC Parameters", "Standard Parallel 2", &P::eLCCSP2, "eLCCSP2"},
        {"eLCCSF", "LCC Parameters", "Scale Factor", &P::eLCCSF, "eLCCSF"},
        {"eLCCCP", "LCC Parameters", "Central Parallel", &P::eLCCCP, "eLCCCP"},
        {"eLCCM", "LCC Parameters", "Central Meridian", &P::eLCCM, "eLCCM"},
        {"eLCCFE", "LCC Parameters", "False Easting", &P::eLCCFE, "eLCCFE"},
        {"eLCCFN", "LCC Parameters", "False Norhing", &P::eLCCFN, "eLCCFN"},
    };
    return fields;
}

GeodeticParameters GeodeticParameters::read(const ProfileStore& store) {
    return read(store.load());
}

GeodeticParameters GeodeticParameters::read(const IniDocument& doc) {
    GeodeticParameters parameters;
    const std::string_view section = kGeodeticParametersSection;
    for (const GeodeticTextField& field : geodeticNumberFields()) {
        std::string& text = parameters.*field.member;
        text = doc.value(section, field.key).value_or(text);
    }
    parameters.cbUseTMProjection = profileBool(doc, section, "Use Projection", parameters.cbUseTMProjection);
    parameters.cbUseDTP = profileBool(doc, section, "Use DTP", parameters.cbUseDTP);
    parameters.edNameOfDatum = doc.value(section, "Name of Datum").value_or(parameters.edNameOfDatum);
    parameters.cbUseLCCProjection =
        profileBool(doc, section, "cbUseLCCProjection", parameters.cbUseLCCProjection);
    parameters.cLambert1 = profileBool(doc, section, "cLambert1", parameters.cLambert1);
    return parameters;
}

void GeodeticParameters::write(IniDocument& doc) const {
    const std::string_view section = kGeodeticParametersSection;
    const auto text = [&doc, section](std::string_view key, const std::string& value) {
        doc.setValue(section, key, value);
    };
    const auto flag = [&doc, section](std::string_view key, bool value) {
        doc.setValue(section, key, value ? "1" : "0");
    };
    text("SemiMajorAxis", edSMA);
    text("InverseFlattening", edIF);
    text("X_Rotation", edRX);
    text("Y_Rotation", edRY);
    text("Z_Rotation", edRZ);
    text("X_Shift", edSX);
    text("Y_Shift", edSY);
    text("Z_Shift", edSZ);
    text("Scale_PPM", edPPM);
    text("Central_Meridian", edCM);
    text("Reference_Latitude", edRL);
    text("Scale_Factor", edSF);
    text("False_Easting", edFE);
    text("False_Northing", edFN);
    flag("Use Projection", cbUseTMProjection);
    flag("Use DTP", cbUseDTP);
    text("Name of Datum", edNameOfDatum);
    text("eLCCSP1", eLCCSP1);
    text("eLCCSP2", eLCCSP2);
    text("eLCCSF", eLCCSF);
    text("eLCCCP", eLCCCP);
    text("eLCCM", eLCCM);
    text("eLCCFE", eLCCFE);
    text("eLCCFN", eLCCFN);
    flag("cbUseLCCProjection", cbUseLCCProjection);
    flag("cLambert1", cLambert1);
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
