// Lambert Conformal Conic, one- and two-parallel forms reduced to one forward formula.
#include "geodesy/LambertConformalConic.h"

#include "geodesy/Angles.h"

#include <cmath>
#include <utility>
#include <vector>

namespace selvir {
namespace {

// One arc-second short of the pole: the cone degenerates at the poles themselves.
constexpr long double kLatitudeLimitRad = 1.5707914786580854L;
// Below this distance from the pole a latitude counts as the pole itself.
constexpr long double kPoleToleranceRad = 1e-10L;
constexpr long double kParallelsEqualRad = 1e-10L;

bool latitudeInLimit(long double phi) {
    return std::fabs(phi) <= kLatitudeLimitRad;
}
bool longitudeInRange(long double lambda) {
    return lambda >= -kPi && lambda <= 2 * kPi;
}

// Why a position cannot be converted (0 when it can).
unsigned inputErrors(long double latitudeRad, long double longitudeRad) {
    unsigned errors = 0;
    if (!(std::fabs(latitudeRad) <= kPi / 2)) {
        errors |= LambertConversionError::kLatitude;
    }
    if (!longitudeInRange(longitudeRad)) {
        errors |= LambertConversionError::kLongitude;
    }
    return errors;
}

bool flatteningInRange(long double f) {
    const long double inverse = 1 / f;
    return inverse >= 250 && inverse <= 350;
}

// m(φ) = cos φ / sqrt(1 − es²·sin²φ)
long double lccM(long double phi, long double es) {
    const long double esSin = es * std::sin(phi);
    return std::cos(phi) / std::sqrt(1 - esSin * esSin);
}

// t(φ) = tan(π/4 − φ/2) / ((1 − es·sin φ) / (1 + es·sin φ))^(es/2)
long double lccT(long double phi, long double es) {
    const long double esSin = es * std::sin(phi);
    return std::tan(kPi / 4 - phi / 2) / std::pow((1 - esSin) / (1 + esSin), es / 2);
}

std::string joinNames(unsigned errors, const std::vector<std::pair<unsigned, const char*>>& names) {
    std::string text;
    for (const auto& [bit, name] : names) {
        if (errors & bit) {
            if (!text.empty()) {
                text += "; ";
            }
            text += name;
        }
    }
    return text;
}

} // namespace

LambertConformalConic::LambertConformalConic() {
    // Start values: one parallel at 45°, k0 = 1 on WGS-84; two parallels 40° and 50°, origin 45°.
    LambertTwoParallelDefinition two;
    two.originLatitudeRad = kPi / 4;
    two.firstParallelRad = degreesToRadians(40);
    two.secondParallelRad = degreesToRadians(50);
    setTwoParallel(two);
    LambertOneParallelDefinition one;
    one.originLatitudeRad = kPi / 4;
    setOneParallel(one);
    one_.deltaEastingM = 40000000;
    one_.deltaNorthingM = 40000000;
}

LambertSetResult LambertConformalConic::setOneParallel(const LambertOneParallelDefinition& d) {
    unsigned errors = 0;
    if (!(d.semiMajorAxisM > 0)) {
        errors |= LambertOneParallelError::kSemiMajorAxis;
    }
    if (!flatteningInRange(d.flattening)) {
        errors |= LambertOneParallelError::kFlattening;
    }
    if (!latitudeInLimit(d.originLatitudeRad) || d.originLatitudeRad == 0) {
        errors |= LambertOneParallelError::kOriginLatitude;
    }
    if (!longitudeInRange(d.centralMeridianRad)) {
        errors |= LambertOneParallelError::kCentralMeridian;
    }
    if (!(d.scaleFactor >= 0.3L && d.scaleFactor <= 3)) {
        errors |= LambertOneParallelError::kScaleFactor;
    }
    if (errors != 0) {
        return {errors, one_.coneConstant};
    }
    OneParallelSet set = one_;
    set.semiMajorAxisM = d.semiMajorAxisM;
    set.flattening = d.flattening;
    set.originLatitudeRad = d.originLatitudeRad;
    set.centralMeridianRad =
        d.centralMeridianRad > kPi ? d.centralMeridianRad - 2 * kPi : d.centralMeridianRad;
    set.falseEastingM = d.falseEastingM;
    set.falseNorthingM = d.falseNorthingM;
    set.scaleFactor = d.scaleFactor;
    set.eccentricity = std::sqrt(2 * d.flattening - d.flattening * d.flattening);
    set.halfEccentricity = set.eccentricity / 2;
    set.coneConstant = std::sin(d.originLatitudeRad);
    set.t0 = lccT(d.originLatitudeRad, set.eccentricity);
    const long double m0 = lccM(d.originLatitudeRad, set.eccentricity);
    set.rho0M = d.semiMajorAxisM * d.scaleFactor * m0 / set.coneConstant;
    set.rhoOriginM = set.rho0M;
    one_ = set;
    return {0, one_.coneConstant};
}

LambertSetResult LambertConformalConic::setTwoParallel(const LambertTwoParallelDefinition& d) {
    unsigned errors = 0;
    if (!(d.semiMajorAxisM > 0)) {
        errors |= LambertTwoParallelError::kSemiMajorAxis;
    }
    if (!flatteningInRange(d.flattening)) {
        errors |= LambertTwoParallelError::kFlattening;
    }
    if (!latitudeInLimit(d.originLatitudeRad)) {
        errors |= LambertTwoParallelError::kOriginLatitude;
    }
    if (!latitudeInLimit(d.firstParallelRad)) {
        errors |= LambertTwoParallelError::kFirstParallel;
    }
    if (!latitudeInLimit(d.secondParallelRad)) {
        errors |= LambertTwoParallelError::kSecondParallel;
    }
    if (d.firstParallelRad == 0 && d.secondParallelRad == 0) {
        errors |= LambertTwoParallelError::kBothParallelsZero;
    }
    if (d.firstParallelRad == -d.secondParallelRad) {
        errors |= LambertTwoParallelError::kOppositeParallels;
    }
    if (!longitudeInRange(d.centralMeridianRad)) {
        errors |= LambertTwoParallelError::kCentralMeridian;
    }
    if (errors != 0) {
        return {errors, one_.coneConstant};
    }

    TwoParallelSet set{};
    set.semiMajorAxisM = d.semiMajorAxisM;
    set.flattening = d.flattening;
    set.eccentricity = std::sqrt(2 * d.flattening - d.flattening * d.flattening);
    set.halfEccentricity = set.eccentricity / 2;
    set.firstParallelRad = d.firstParallelRad;
    set.secondParallelRad = d.secondParallelRad;
    set.originLatitudeRad = d.originLatitudeRad;
    set.centralMeridianRad =
        d.centralMeridianRad > kPi ? d.centralMeridianRad - 2 * kPi : d.centralMeridianRad;
    set.falseEastingM = d.falseEastingM;
    set.falseNorthingM = d.falseNorthingM;

    const long double es = set.eccentricity;
    if (std::fabs(d.firstParallelRad - d.secondParallelRad) > kParallelsEqualRad) {
        const long double m1 = lccM(d.firstParallelRad, es);
        const long double m2 = lccM(d.secondParallelRad, es);
        const long double t0 = lccT(d.originLatitudeRad, es);
        const long double t1 = lccT(d.firstParallelRad, es);
        const long double t2 = lccT(d.secondParallelRad, es);
        const long double n = std::log(m1 / m2) / std::log(t1 / t2);
        const long double phiC = std::asin(n);
        const long double mC = lccM(phiC, es);
        const long double tC = lccT(phiC, es);
        const long double l = d.semiMajorAxisM * m2 / (n * std::pow(t2, n));
        set.equivalentOriginLatitudeRad = phiC;
        set.equivalentScaleFactor = std::pow(tC / t1, n) * (m1 / mC);
        set.equivalentFalseNorthingM = (std::pow(t0, n) - std::pow(tC, n)) * l + d.falseNorthingM;
    } else {
        set.equivalentOriginLatitudeRad = d.firstParallelRad;
        set.equivalentScaleFactor = 1;
        set.equivalentFalseNorthingM = d.falseNorthingM;
    }

    const LambertOneParallelDefinition equivalent{
        set.semiMajorAxisM,       set.flattening,    set.equivalentOriginLatitudeRad,
        set.centralMeridianRad,   set.falseEastingM, set.equivalentFalseNorthingM,
        set.equivalentScaleFactor};
    if (!setOneParallel(equivalent).ok()) {
        return {LambertTwoParallelError::kEquivalentRejected, one_.coneConstant};
    }
    two_ = set;
    return {0, one_.coneConstant};
}

LambertGridResult LambertConformalConic::forwardOneParallel(long double latitudeRad,
                                                            long double longitudeRad) const {
    LambertGridResult result;
    result.errors = inputErrors(latitudeRad, longitudeRad);
    if (result.errors != 0) {
        return result;
    }
    const long double n = one_.coneConstant;
    long double rho = 0;
    if (std::fabs(std::fabs(latitudeRad) - kPi / 2) > kPoleToleranceRad) {
        rho = one_.rho0M * std::pow(lccT(latitudeRad, one_.eccentricity) / one_.t0, n);
    } else if (latitudeRad * n <= 0) {
        // The pole on the far side of the apex maps to infinity.
        result.errors |= LambertConversionError::kLatitude;
        return result;
    }
    long double dLambda = longitudeRad - one_.centralMeridianRad;
    if (dLambda > kPi) {
        dLambda -= 2 * kPi;
    }
    if (dLambda < -kPi) {
        dLambda += 2 * kPi;
    }
    const long double theta = n * dLambda;
    result.eastingM = rho * std::sin(theta) + one_.falseEastingM;
    result.northingM = one_.rhoOriginM - rho * std::cos(theta) + one_.falseNorthingM;
    return result;
}

LambertGridResult LambertConformalConic::forwardTwoParallel(long double latitudeRad,
                                                            long double longitudeRad) {
    LambertGridResult result;
    result.errors = inputErrors(latitudeRad, longitudeRad);
    if (result.errors != 0) {
        return result;
    }
    const LambertOneParallelDefinition equivalent{
        two_.semiMajorAxisM,       two_.flattening,    two_.equivalentOriginLatitudeRad,
        two_.centralMeridianRad,   two_.falseEastingM, two_.equivalentFalseNorthingM,
        two_.equivalentScaleFactor};
    setOneParallel(equivalent);
    return forwardOneParallel(latitudeRad, longitudeRad);
}

std::string describeLambertOneParallelErrors(unsigned errors) {
    return joinNames(errors,
                     {{LambertOneParallelError::kSemiMajorAxis, "semi-major axis not positive"},
                      {LambertOneParallelError::kFlattening, "inverse flattening outside 250..350"},
                      {LambertOneParallelError::kOriginLatitude, "central parallel out of range or 0"},
                      {LambertOneParallelError::kCentralMeridian, "central meridian outside -180..360"},
                      {LambertOneParallelError::kScaleFactor, "scale factor outside 0.3..3"}});
}

std::string describeLambertTwoParallelErrors(unsigned errors) {
    return joinNames(
        errors, {{LambertTwoParallelError::kSemiMajorAxis, "semi-major axis not positive"},
                 {LambertTwoParallelError::kFlattening, "inverse flattening outside 250..350"},
                 {LambertTwoParallelError::kOriginLatitude, "central parallel out of range"},
                 {LambertTwoParallelError::kFirstParallel, "standard parallel 1 out of range"},
                 {LambertTwoParallelError::kSecondParallel, "standard parallel 2 out of range"},
                 {LambertTwoParallelError::kBothParallelsZero, "both standard parallels are 0"},
                 {LambertTwoParallelError::kOppositeParallels, "standard parallels of opposite latitude"},
                 {LambertTwoParallelError::kCentralMeridian, "central meridian outside -180..360"},
                 {LambertTwoParallelError::kEquivalentRejected, "standard parallels too far apart"}});
}

std::string describeLambertConversionErrors(unsigned errors) {
    return joinNames(errors, {{LambertConversionError::kLatitude, "latitude outside the Lambert projection"},
                              {LambertConversionError::kLongitude, "longitude outside -180..360"}});
}

} // namespace selvir
