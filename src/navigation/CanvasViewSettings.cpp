#include "navigation/CanvasViewSettings.h"

#include "core/NumberFormat.h"

#include <cmath>

namespace selvir {
namespace {

constexpr std::string_view kSection = "CANVAS";

} // namespace

bool CanvasViewSettings::viewIsFinite() const {
    return std::isfinite(worldLeft) && std::isfinite(worldRight) && std::isfinite(worldTop) &&
           std::isfinite(worldBottom) && std::isfinite(worldRight - worldLeft) &&
           std::isfinite(worldTop - worldBottom);
}

CanvasViewSettings CanvasViewSettings::read(const ProfileStore& store) {
    const IniDocument doc = store.load();
    const CanvasViewSettings defaults;
    // An edge that is stored but is no finite number ("nan" edited by hand) spoils the whole window.
    const auto edge = [&doc](std::string_view key, double missing) {
        return doc.value(kSection, key) ? profileFloat(doc, kSection, key, std::nan("")) : missing;
    };
    CanvasViewSettings out;
    out.worldLeft = edge("PlanWorldLeft", defaults.worldLeft);
    out.worldRight = edge("PlanWorldRight", defaults.worldRight);
    out.worldTop = edge("PlanWorldTop", defaults.worldTop);
    out.worldBottom = edge("PlanWorldBottom", defaults.worldBottom);
    if (!out.viewIsFinite()) {
        out.worldLeft = defaults.worldLeft;
        out.worldRight = defaults.worldRight;
        out.worldTop = defaults.worldTop;
        out.worldBottom = defaults.worldBottom;
    }
    out.gridAutoScale = profileBool(doc, kSection, "GridAutoScale", defaults.gridAutoScale);
    out.depthSpeedDisplayMode = profileInteger(doc, kSection, "DepthSpeedDisplayMode", 0);
    out.ggaOverlayPosition = profileInteger(doc, kSection, "GGAOverlayPosition", 0);
    return out;
}

bool CanvasViewSettings::write(ProfileStore& store) const {
    return store.update([this](IniDocument& doc) {
        if (viewIsFinite()) {
            doc.setValue(kSection, "PlanWorldLeft", formatGeneral(worldLeft));
            doc.setValue(kSection, "PlanWorldRight", formatGeneral(worldRight));
            doc.setValue(kSection, "PlanWorldTop", formatGeneral(worldTop));
            doc.setValue(kSection, "PlanWorldBottom", formatGeneral(worldBottom));
        }
        doc.setValue(kSection, "GridAutoScale", gridAutoScale ? "1" : "0");
        doc.setValue(kSection, "DepthSpeedDisplayMode", std::to_string(depthSpeedDisplayMode));
        doc.setValue(kSection, "GGAOverlayPosition", std::to_string(ggaOverlayPosition));
    });
}

} // namespace selvir
