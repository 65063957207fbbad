#pragma once
// The survey orders of IHO S-44 (Edition 6.0, 2020) and their total vertical uncertainty at a depth:
// TVU(d) = sqrt(a^2 + (b * d)^2), metres at 95 % confidence, d the depth in metres.

#include <optional>
#include <string_view>

namespace selvir::processing {

enum class SurveyOrder { Exclusive, Special, Order1a, Order1b, Order2 };
inline constexpr int kSurveyOrderCount = 5;

struct TvuCoefficients {
    double aM = 0; // metres
    double b = 0;  // per metre of depth
};

TvuCoefficients tvuCoefficients(SurveyOrder order);
// The allowed uncertainty at depth `depthM` (its absolute value is taken), metres.
double tvuM(SurveyOrder order, double depthM);

// "exclusive", "special", "1a", "1b", "2" (as the command line names them).
std::string_view surveyOrderName(SurveyOrder order);
std::optional<SurveyOrder> parseSurveyOrder(std::string_view name);

} // namespace selvir::processing
