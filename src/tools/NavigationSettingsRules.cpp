#include "tools/NavigationSettingsRules.h"

#include "core/NumberFormat.h"
#include "navigation/RealtimeSettings.h"

namespace selvir {

namespace {
// A track element every 10 s whatever the update rate.
constexpr int kTrackPeriodMs = 10000;
} // namespace

std::optional<int> updateRateFromText(std::string_view text) {
    if (text.empty()) {
        return kDefaultUpdateRateMs;
    }
    const std::optional<int> rate = parseInt(text);
    if (!rate || *rate < kMinUpdateRateMs || *rate > kMaxUpdateRateMs) {
        return std::nullopt;
    }
    return rate;
}

int trackIntervalForRate(int rateMs) {
    return rateMs > 0 ? kTrackPeriodMs / rateMs : kNavigationDefaults.trackIntervalTicks;
}

std::optional<double> depthAlertFromText(std::string_view text) {
    return parseFiniteDouble(text);
}

std::string depthAlertRefusedText(std::string_view typed, double inForceM) {
    std::string text = "\"" + std::string(typed) + "\" is not a depth";
    if (typed.find(',') != std::string_view::npos) {
        text += " (the decimal point is \".\")";
    }
    return text + ": the alert stays at " + formatGeneral(inForceM) + " m";
}

std::string_view refillText(RefilledField field) {
    switch (field) {
    case RefilledField::TrackInterval:
        return "0";
    case RefilledField::TrackWidth:
    case RefilledField::VesselWidth:
        return "2";
    case RefilledField::DepthAlert:
        return "0";
    case RefilledField::UpdateRate:
        return "1000";
    }
    return "0";
}

} // namespace selvir
