#include "geodesy/GeodeticParametersCheck.h"

#include "core/NumberFormat.h"

#include <cmath>
#include <string_view>

namespace selvir {
namespace {

enum class Range { Any, Positive, Flattening, Latitude };

// The range each field must lie in, by its settings key.
Range rangeOf(std::string_view key) {
    if (key == "SemiMajorAxis" || key == "Scale_Factor" || key == "eLCCSF") {
        return Range::Positive;
    }
    if (key == "InverseFlattening") {
        return Range::Flattening;
    }
    if (key == "Reference_Latitude" || key == "eLCCSP1" || key == "eLCCSP2" || key == "eLCCCP") {
        return Range::Latitude;
    }
    return Range::Any;
}

constexpr double kMaxFlattening = 0.01;

} // namespace

std::optional<ChainSetupError> checkGeodeticParameters(const GeodeticParameters& parameters) {
    for (const GeodeticTextField& field : geodeticNumberFields()) {
        const std::string& text = parameters.*field.member;
        const std::optional<double> value = parseDouble(text);
        if (!value || !std::isfinite(*value)) {
            return ChainSetupError{field.group, field.caption,
                                   "'" + text + "' is not a valid floating point value"};
        }
        const double v = *value;
        switch (rangeOf(field.key)) {
        case Range::Positive:
            if (!(v > 0)) {
                return ChainSetupError{field.group, field.caption, "must be greater than 0"};
            }
            break;
        case Range::Flattening:
            if (!(v > 0 && v < kMaxFlattening)) {
                return ChainSetupError{field.group, field.caption,
                                       "must be greater than 0 and less than 0.01 (the flattening itself, "
                                       "for example 0.0033528106647474, not its inverse)"};
            }
            break;
        case Range::Latitude:
            if (!(v >= -90 && v <= 90)) {
                return ChainSetupError{field.group, field.caption, "must lie between -90 and 90 degrees"};
            }
            break;
        case Range::Any:
            break;
        }
    }
    RealtimeChainSetup setup = RealtimeChain::create(parameters);
    if (!setup.ok()) {
        return setup.error;
    }
    return std::nullopt;
}

} // namespace selvir
