// The text layer over the numeric geodesy operations.
#include "geodesy/GeodesyText.h"

#include "core/MathConstants.h"
#include "core/NumberFormat.h"
#include "core/ScanPattern.h"
#include "geodesy/Geocentric.h"
#include "geodesy/GridConvergence.h"
#include "geodesy/SevenParameterTransform.h"
#include "geodesy/TransverseMercator.h"

#include <cmath>

namespace selvir {
namespace {

// Patterns are compiled once; scanning is thread-safe (the pattern is read-only).
const ScanPattern& threeNumbers() {
    static const ScanPattern pattern("%lf%lf%lf");
    return pattern;
}
const ScanPattern& tenNumbers() {
    static const ScanPattern pattern("%lf%lf%lf%lf%lf%lf%lf%lf%lf%lf");
    return pattern;
}
const ScanPattern& datumLinePattern() {
    static const ScanPattern pattern("%lf%lf%lf%lf%lf%lf%lf%lf%lf%lf%lf%lf%lf%lf%lf%lf%lf%lf");
    return pattern;
}
const ScanPattern& latitudeLongitude() {
    static const ScanPattern pattern("%Lf %Lf");
    return pattern;
}
const ScanPattern& tmLinePattern() {
    static const ScanPattern pattern("%Lf%Lf%Lf%Lf%Lf");
    return pattern;
}
const ScanPattern& ellipsoidLinePattern() {
    static const ScanPattern pattern("%*20s %*20s %Lf%Lf");
    return pattern;
}

std::string tabbed(long double x, long double y, long double z) {
    std::string text = formatGeneral(x);
    text += '\t';
    text += formatGeneral(y);
    text += '\t';
    text += formatGeneral(z);
    return text;
}

const std::string kUnreadable = "0";

} // namespace

long double ConvertAngle(long double value, char unit) {
    switch (unit) {
    case 'r':
    case 'R':
        return value * kSettingsPi / 180;
    case 'd':
    case 'D':
        return value * 180 / kSettingsPi;
    default:
        return 0;
    }
}

std::string GeodeticToXYZ(long double latitudeDeg, long double longitudeDeg, long double heightM,
                          long double a, long double f) {
    const GeocentricCoordinates point = geodeticToGeocentric({latitudeDeg, longitudeDeg, heightM}, {a, f});
    return tabbed(point.xM, point.yM, point.zM);
}

std::string SevenParameterShift(std::string_view direction, std::string_view numbers) {
    ScanResult read;
    tenNumbers().scan(numbers, read);
    if (read.count < 10) {
        return kUnreadable;
    }
    const auto value = [&read](int i) { return read.values[i].real; };
    const SevenParameters parameters{value(3), value(4), value(5), value(6), value(7), value(8), value(9)};
    if (!(1 + parameters.scalePpm * 1e-6L > 0)) {
        return kUnreadable;
    }
    const SevenParameterTransform transform(parameters);
    const GeocentricCoordinates point{value(0), value(1), value(2)};
    const GeocentricCoordinates shifted =
        direction == "WGS" ? transform.forward(point) : transform.inverse(point);
    return tabbed(shifted.xM, shifted.yM, shifted.zM);
}

std::string XYZToGeodetic(long double xM, long double yM, long double zM, long double a, long double f) {
    const GeodeticResult result = geocentricToGeodetic({xM, yM, zM}, {a, f});
    if (!result.ok()) {
        return {};
    }
    std::string text = formatFixed(result.position.latitudeDeg, 8);
    text += '\t';
    text += formatFixed(result.position.longitudeDeg, 8);
    text += '\t';
    text += formatFixed(result.position.heightM, 2);
    return text;
}

std::string TransformDatum(std::string_view kind, std::string_view position, std::string_view datumLine) {
    ScanResult input;
    threeNumbers().scan(position, input);
    if (input.count < 3) {
        return kUnreadable;
    }
    ScanResult line;
    datumLinePattern().scan(datumLine, line);
    if (line.count < 18) {
        return kUnreadable;
    }
    const auto p = [&line](int i) { return line.values[i].real; };
    // The seven parameters of a side (indices first..first+6) as the tail of a shift's input.
    const auto sevenText = [&line](int first) {
        std::string text;
        for (int i = first; i < first + 7; ++i) {
            text += '\t';
            text += formatGeneral(line.values[i].real);
        }
        return text;
    };

    const std::string xyzA =
        GeodeticToXYZ(input.values[0].real, input.values[1].real, input.values[2].real, p(0), p(1));
    const std::string common = SevenParameterShift("WGS", xyzA + sevenText(2));
    const std::string xyzB = SevenParameterShift("Local", common + sevenText(11));
    if (kind == "XYZ") {
        return xyzB;
    }
    ScanResult geocentric;
    threeNumbers().scan(xyzB, geocentric);
    if (geocentric.count < 3) {
        return kUnreadable;
    }
    return XYZToGeodetic(geocentric.values[0].real, geocentric.values[1].real, geocentric.values[2].real,
                         p(9), p(10));
}

std::string TMForward(std::string_view position, std::string_view tmLine, std::string_view ellipsoidLine) {
    ScanResult input;
    latitudeLongitude().scan(position, input);
    if (input.count < 2) {
        return kUnreadable;
    }
    ScanResult tm;
    tmLinePattern().scan(tmLine, tm);
    ScanResult ellipsoid;
    ellipsoidLinePattern().scan(ellipsoidLine, ellipsoid);
    if (tm.count < 5 || ellipsoid.count < 2) {
        return kUnreadable;
    }
    const TransverseMercatorParameters parameters{tm.values[0].real, tm.values[1].real, tm.values[2].real,
                                                  tm.values[3].real, tm.values[4].real};
    const TransverseMercator projection({ellipsoid.values[0].real, ellipsoid.values[1].real}, parameters);
    const GridCoordinates grid = projection.forward(input.values[0].real, input.values[1].real);
    if (!std::isfinite(grid.eastingM) || !std::isfinite(grid.northingM)) {
        return kUnreadable;
    }
    return formatGeneral(grid.eastingM) + ' ' + formatGeneral(grid.northingM);
}

std::string WGSToTM(std::string_view position, std::string_view datumLine, std::string_view tmLine,
                    std::string_view ellipsoidLine) {
    std::string withHeight(position);
    withHeight += " 0";
    const std::string local = TransformDatum("BLH", withHeight, datumLine);
    ScanResult read;
    latitudeLongitude().scan(local, read);
    if (read.count < 2) {
        return kUnreadable;
    }
    return TMForward(formatGeneral(read.values[0].real) + ' ' + formatGeneral(read.values[1].real), tmLine,
                     ellipsoidLine);
}

long double TMGridConvergence(std::string_view selector, long double a, long double f,
                              long double latitudeDeg, long double longitudeDeg,
                              long double centralMeridianDeg, long double, long double, long double,
                              long double) {
    if (selector != "GrdConv") {
        return 0;
    }
    return tmGridConvergenceDeg({a, f}, latitudeDeg, longitudeDeg, centralMeridianDeg);
}

} // namespace selvir
