#include "geodesy/ControlPointCheck.h"

#include "core/IniDocument.h"
#include "core/NumberFormat.h"

#include <cmath>
#include <limits>

namespace selvir {
namespace {

// Residuals of every point and the RMS of those converted.
double residualsOf(const RealtimeChain& chain, const std::vector<ControlPoint>& points,
                   std::vector<ControlPointResidual>& out, int& converted) {
    double sumSquaresM2 = 0;
    converted = 0;
    out.clear();
    for (const ControlPoint& point : points) {
        ControlPointResidual residual;
        residual.name = point.name;
        const FixConversion fix = chain.convert(point.latitudeDeg, point.longitudeDeg, point.heightM);
        residual.failure = fix.failure;
        if (fix.ok()) {
            residual.dEastM = point.eastingM - static_cast<double>(fix.eastingM);
            residual.dNorthM = point.northingM - static_cast<double>(fix.northingM);
            sumSquaresM2 += residual.dEastM * residual.dEastM + residual.dNorthM * residual.dNorthM;
            ++converted;
        }
        out.push_back(residual);
    }
    return converted > 0 ? std::sqrt(sumSquaresM2 / converted) : std::numeric_limits<double>::quiet_NaN();
}

std::string negated(const std::string& text) {
    const std::string_view trimmed = trimProfileBlanks(text);
    if (trimmed.empty()) {
        return text;
    }
    if (trimmed.front() == '-') {
        return std::string(trimmed.substr(1));
    }
    if (trimmed.front() == '+') {
        return "-" + std::string(trimmed.substr(1));
    }
    return "-" + std::string(trimmed);
}

// The fields of a line split at commas, blanks around each removed.
std::vector<std::string_view> splitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = line.find(',', start);
        fields.push_back(trimProfileBlanks(line.substr(start, comma - start)));
        if (comma == std::string_view::npos) {
            return fields;
        }
        start = comma + 1;
    }
}

constexpr std::size_t kFieldsPerPoint = 6;

} // namespace

GeodeticParameters withRotationsNegated(GeodeticParameters parameters) {
    for (std::string* rotation : {&parameters.edRX, &parameters.edRY, &parameters.edRZ}) {
        *rotation = negated(*rotation);
    }
    return parameters;
}

ControlPointCheck checkControlPoints(const GeodeticParameters& parameters,
                                     const std::vector<ControlPoint>& points) {
    ControlPointCheck check;
    const RealtimeChainSetup asEntered = RealtimeChain::create(parameters);
    if (!asEntered.ok()) {
        check.setupError = asEntered.error;
        return check;
    }
    const RealtimeChainSetup negatedSet = RealtimeChain::create(withRotationsNegated(parameters));
    if (!negatedSet.ok()) { // the rotations do not enter any check create() makes
        check.setupError = negatedSet.error;
        return check;
    }
    int convertedNegated = 0;
    check.rmsM = residualsOf(*asEntered.chain, points, check.residuals, check.converted);
    check.rmsRotationsNegatedM =
        residualsOf(*negatedSet.chain, points, check.residualsNegated, convertedNegated);
    return check;
}

std::string ControlPointCheck::verdict() const {
    if (setupError) {
        return "The parameters cannot be used: " + setupError->text() + ".";
    }
    if (converted == 0) {
        return "No control point could be converted.";
    }
    if (rotationsNegatedFitBetter()) {
        return "The rotations fit much better with the opposite sign (RMS " +
               formatFixed(rmsRotationsNegatedM, 3) + " m instead of " + formatFixed(rmsM, 3) +
               " m): they were probably given in the position-vector convention. Negate X, Y and Z "
               "Rotation.";
    }
    return "The rotation signs fit the control points (RMS " + formatFixed(rmsM, 3) + " m; " +
           formatFixed(rmsRotationsNegatedM, 3) + " m with the rotations negated).";
}

ControlPointsText readControlPoints(std::string_view text) {
    ControlPointsText out;
    int lineNumber = 0;
    bool firstLine = true;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (trimProfileBlanks(line).empty()) {
            continue;
        }
        const std::vector<std::string_view> fields = splitFields(line);
        std::optional<double> numbers[kFieldsPerPoint - 1];
        bool allNumbers = fields.size() == kFieldsPerPoint;
        bool noNumber = true;
        for (std::size_t i = 1; i < fields.size() && i < kFieldsPerPoint; ++i) {
            numbers[i - 1] = parseFiniteDouble(fields[i]);
            allNumbers = allNumbers && numbers[i - 1].has_value();
            noNumber = noNumber && !numbers[i - 1].has_value();
        }
        const bool header = firstLine && noNumber;
        firstLine = false;
        if (header) {
            continue;
        }
        if (!allNumbers || fields[0].empty()) {
            out.points.clear();
            out.problem = "line " + std::to_string(lineNumber) +
                          ": expected name,latitude,longitude,height,easting,northing";
            return out;
        }
        out.points.push_back(
            {std::string(fields[0]), *numbers[0], *numbers[1], *numbers[2], *numbers[3], *numbers[4]});
    }
    return out;
}

} // namespace selvir
