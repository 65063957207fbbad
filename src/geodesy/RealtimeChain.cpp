// The per-fix conversion of the realtime map update, set up once from the geodetic settings.
#include "geodesy/RealtimeChain.h"

#include "core/NumberFormat.h"
#include "core/ScanPattern.h"
#include "geodesy/Angles.h"
#include "geodesy/GridConvergence.h"

#include <cmath>

namespace selvir {
namespace {

// The map update converts the Lambert angles with this value of π.

long double settingsDegreesToRadians(long double degrees) {
    return degrees * kSettingsPi / 180;
}

ChainSetupError notANumber(const GeodeticTextField& field, const std::string& text) {
    return {field.group, field.caption, "'" + text + "' is not a valid floating point value"};
}

// Reads a line that is known to hold only numbers; false if it does not give `count` values.
bool scanLine(std::string_view pattern, const std::string& line, int count, ScanResult& result) {
    ScanPattern(pattern).scan(line, result);
    return result.count == count;
}

FixFailure failureOf(GeodeticStatus status) {
    switch (status) {
    case GeodeticStatus::Ok:
        return FixFailure::None;
    case GeodeticStatus::AtPole:
        return FixFailure::LocalAtPole;
    case GeodeticStatus::NotConverged:
    case GeodeticStatus::InvalidInput:
        return FixFailure::NotConverged;
    }
    return FixFailure::NotConverged;
}

} // namespace

const char* describeFixFailure(FixFailure failure) {
    switch (failure) {
    case FixFailure::None:
        return "converted";
    case FixFailure::NotFinite:
        return "latitude, longitude or height is not a number";
    case FixFailure::LatitudeOutOfRange:
        return "latitude outside -90..90";
    case FixFailure::LongitudeOutOfRange:
        return "longitude outside -180..360";
    case FixFailure::LocalAtPole:
        return "local latitude at the pole";
    case FixFailure::NotConverged:
        return "local latitude did not converge";
    case FixFailure::OutsideProjection:
        return "position outside the Lambert projection";
    case FixFailure::ResultNotFinite:
        return "projection gave no finite grid position";
    }
    return "unknown failure";
}

RealtimeChain::RealtimeChain(const DatumShiftParameters& datum, const TransverseMercatorParameters& tm)
    : datum_(datum), tm_(datum.ellipsoidB, tm) {}

RealtimeChainSetup RealtimeChain::create(const GeodeticParameters& parameters) {
    RealtimeChainSetup setup;
    for (const GeodeticTextField& field : geodeticNumberFields()) {
        const std::string& text = parameters.*field.member;
        const std::optional<double> value = parseDouble(text);
        if (!value || !std::isfinite(*value)) {
            setup.error = notANumber(field, text);
            return setup;
        }
    }

    // The numbers are taken from the lines exactly as the text routines read them.
    const std::string datumLine = parameters.datumParameterLine();
    const std::string tmLine = parameters.tmParameterLine();
    const std::string ellipsoidLine = parameters.tmEllipsoidLine();
    ScanResult datumValues, tmValues, ellipsoidValues;
    if (!scanLine("%lf%lf%lf%lf%lf%lf%lf%lf%lf%lf%lf%lf%lf%lf%lf%lf%lf%lf", datumLine, 18, datumValues) ||
        !scanLine("%Lf%Lf%Lf%Lf%Lf", tmLine, 5, tmValues) ||
        !scanLine("%*20s %*20s %Lf%Lf", ellipsoidLine, 2, ellipsoidValues)) {
        setup.error = {"Godetic Parameters", "", "the parameter lines cannot be read"};
        return setup;
    }
    const auto d = [&datumValues](int i) { return datumValues.values[i].real; };

    // The TM ellipsoid line repeats edSMA and edIF; it is read in extended precision ("%Lf"), the datum
    // line in double ("%lf"). Both steps use the extended values, so that the projection works on exactly
    // the ellipsoid the datum shift ended on (the two readings differ by 1e-17 at most).
    const Ellipsoid localEllipsoid{ellipsoidValues.values[0].real, ellipsoidValues.values[1].real};

    DatumShiftParameters datum;
    datum.ellipsoidA = {d(0), d(1)};
    datum.parametersA = {d(2), d(3), d(4), d(5), d(6), d(7), d(8)};
    datum.ellipsoidB = localEllipsoid;
    datum.parametersB = {d(11), d(12), d(13), d(14), d(15), d(16), d(17)};
    if (!(datum.ellipsoidB.semiMajorAxisM > 0)) {
        setup.error = {"Ellipsoid", "Semi Major Axis", "must be greater than 0"};
        return setup;
    }
    if (!datum.ellipsoidB.valid()) {
        setup.error = {"Ellipsoid", "Flattening", "must be at least 0 and less than 1"};
        return setup;
    }
    if (!datum.parametersB.valid()) {
        setup.error = {"Transformation Parameters from WGS-84", "Scale (ppm)",
                       "must be greater than -1000000"};
        return setup;
    }

    const auto t = [&tmValues](int i) { return tmValues.values[i].real; };
    const TransverseMercatorParameters tm{t(0), t(1), t(2), t(3), t(4)};

    RealtimeChain chain(datum, tm);
    chain.tmCentralMeridianRad_ = degreesToRadians(tm.centralMeridianDeg);
    chain.datumLine_ = datumLine;
    chain.tmLine_ = tmLine;
    chain.ellipsoidLine_ = ellipsoidLine;

    if (!parameters.cbUseLCCProjection) {
        if (!(tm.scaleFactor > 0)) {
            setup.error = {"TM Parameters", "Scale Factor", "must be greater than 0"};
            return setup;
        }
        chain.projection_ = MapProjection::TransverseMercator;
        setup.chain = std::move(chain);
        return setup;
    }

    const auto number = [](const std::string& text) {
        ScanResult read;
        ScanPattern("%Lf").scan(text, read);
        return read.count == 1 ? read.values[0].real : 0.0L;
    };
    const long double a = localEllipsoid.semiMajorAxisM;
    const long double f = localEllipsoid.flattening;
    const long double centralMeridianDeg = number(parameters.eLCCM);
    LambertSetResult set;
    if (parameters.cLambert1) {
        chain.projection_ = MapProjection::LambertOneParallel;
        set = chain.lambert_.setOneParallel({a, f, settingsDegreesToRadians(number(parameters.eLCCCP)),
                                             settingsDegreesToRadians(centralMeridianDeg),
                                             number(parameters.eLCCFE), number(parameters.eLCCFN),
                                             number(parameters.eLCCSF)});
        if (!set.ok()) {
            setup.error = {"LCC Parameters", "", describeLambertOneParallelErrors(set.errors)};
            return setup;
        }
    } else {
        chain.projection_ = MapProjection::LambertTwoParallel;
        set = chain.lambert_.setTwoParallel({a, f, settingsDegreesToRadians(number(parameters.eLCCCP)),
                                             settingsDegreesToRadians(centralMeridianDeg),
                                             settingsDegreesToRadians(number(parameters.eLCCSP1)),
                                             settingsDegreesToRadians(number(parameters.eLCCSP2)),
                                             number(parameters.eLCCFE), number(parameters.eLCCFN)});
        if (!set.ok()) {
            setup.error = {"LCC Parameters", "", describeLambertTwoParallelErrors(set.errors)};
            return setup;
        }
    }
    chain.coneConstant_ = set.coneConstant;
    chain.lambertCentralMeridianDeg_ = centralMeridianDeg;
    setup.chain = std::move(chain);
    return setup;
}

FixConversion RealtimeChain::convert(long double latitudeDeg, long double longitudeDeg,
                                     long double heightM) const {
    FixConversion out;
    if (!std::isfinite(latitudeDeg) || !std::isfinite(longitudeDeg) || !std::isfinite(heightM)) {
        out.failure = FixFailure::NotFinite;
        return out;
    }
    if (!(std::fabs(latitudeDeg) <= 90)) {
        out.failure = FixFailure::LatitudeOutOfRange;
        return out;
    }
    if (!(longitudeDeg >= -180 && longitudeDeg <= 360)) {
        out.failure = FixFailure::LongitudeOutOfRange;
        return out;
    }

    if (projection_ == MapProjection::TransverseMercator) {
        GeodeticAngles wgs84;
        const GeodeticResult local = datum_.toGeodeticB({latitudeDeg, longitudeDeg, 0}, &wgs84);
        if (!local.ok()) {
            out.failure = failureOf(local.status);
            return out;
        }
        const GridCoordinates grid = tm_.forwardOnOwnEllipsoid(local);
        out.eastingM = grid.eastingM;
        out.northingM = grid.northingM;
        // From the fix's own WGS-84 latitude and longitude, on the local ellipsoid.
        out.convergenceDeg = tmGridConvergenceFromTrigDeg(
            tm_.ellipsoid(), wgs84.sinLatitude, wgs84.cosLatitude,
            wrapLongitudeDifferenceRad(wgs84.longitudeRad - tmCentralMeridianRad_));
        out.local = local.position;
        out.local.heightM += heightM;
    } else {
        const GeodeticResult local = datum_.toGeodeticB({latitudeDeg, longitudeDeg, heightM});
        if (!local.ok()) {
            out.failure = failureOf(local.status);
            return out;
        }
        const LambertGridResult grid =
            lambert_.forwardOneParallel(settingsDegreesToRadians(local.position.latitudeDeg),
                                        settingsDegreesToRadians(local.position.longitudeDeg));
        if (!grid.ok()) {
            out.failure = FixFailure::OutsideProjection;
            return out;
        }
        out.eastingM = grid.eastingM;
        out.northingM = grid.northingM;
        // Grid north lies n·Δλ clockwise from true north; a true heading turns the other way.
        out.convergenceDeg = -coneConstant_ * wrapLongitudeDifferenceDeg(local.position.longitudeDeg -
                                                                         lambertCentralMeridianDeg_);
        out.local = local.position;
    }
    if (!std::isfinite(out.eastingM) || !std::isfinite(out.northingM) || !std::isfinite(out.convergenceDeg)) {
        out = FixConversion{};
        out.failure = FixFailure::ResultNotFinite;
    }
    return out;
}

} // namespace selvir
