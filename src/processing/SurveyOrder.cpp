#include "processing/SurveyOrder.h"

#include <cmath>

namespace selvir::processing {
namespace {

struct OrderRow {
    SurveyOrder order;
    std::string_view name;
    TvuCoefficients tvu;
};

// S-44 Ed. 6.0, Table 1: a (metres) and b of the depth-dependent term.
constexpr OrderRow kOrders[] = {
    {SurveyOrder::Exclusive, "exclusive", {0.15, 0.0075}},
    {SurveyOrder::Special, "special", {0.25, 0.0075}},
    {SurveyOrder::Order1a, "1a", {0.5, 0.013}},
    {SurveyOrder::Order1b, "1b", {0.5, 0.013}},
    {SurveyOrder::Order2, "2", {1.0, 0.023}},
};

const OrderRow& rowOf(SurveyOrder order) {
    return kOrders[static_cast<int>(order)];
}

} // namespace

TvuCoefficients tvuCoefficients(SurveyOrder order) {
    return rowOf(order).tvu;
}

double tvuM(SurveyOrder order, double depthM) {
    const TvuCoefficients c = tvuCoefficients(order);
    return std::hypot(c.aM, c.b * std::abs(depthM));
}

std::string_view surveyOrderName(SurveyOrder order) {
    return rowOf(order).name;
}

std::optional<SurveyOrder> parseSurveyOrder(std::string_view name) {
    for (const OrderRow& row : kOrders) {
        if (row.name == name) {
            return row.order;
        }
    }
    return std::nullopt;
}

} // namespace selvir::processing
