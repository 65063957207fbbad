#include "tools/VesselGeometryFields.h"

#include "core/NumberFormat.h"

namespace selvir {

namespace {

constexpr std::size_t kCountField = 0;

bool usable(std::size_t field, const std::string& text) {
    if (field == kCountField) {
        const std::optional<int> count = parseInt(text);
        return count && *count >= 0 && *count <= kMaxVesselCircles;
    }
    const std::optional<double> distance = parseFiniteDouble(text);
    return distance && *distance >= 0;
}

double valueOr(std::size_t field, const std::string& text) {
    return usable(field, text) ? *parseFiniteDouble(text) : kVesselShapeKeys[field].readDefault;
}

} // namespace

VesselGeometryTexts readVesselGeometryTexts(const ProfileStore& store) {
    const VesselGeometry geometry = VesselGeometry::read(store);
    return {std::to_string(geometry.circleCount), formatGeneral(geometry.circleIntervalM),
            formatGeneral(geometry.firstRadiusM), formatGeneral(geometry.arrowLengthM),
            formatGeneral(geometry.arrowHalfWidthM)};
}

VesselGeometryTexts defaultVesselGeometryTexts() {
    return {"2", "10", "10", "100", "10"};
}

bool writeVesselGeometryTexts(ProfileStore& store, const VesselGeometryTexts& texts) {
    return store.update([&texts](IniDocument& doc) {
        for (std::size_t field = 0; field < texts.size(); ++field) {
            doc.setValue(kVesselShapeSection, kVesselShapeKeys[field].key, texts[field]);
        }
    });
}

std::optional<std::size_t> firstUnusableGeometryField(const VesselGeometryTexts& texts) {
    for (std::size_t field = 0; field < texts.size(); ++field) {
        if (!usable(field, texts[field])) {
            return field;
        }
    }
    return std::nullopt;
}

VesselGeometry vesselGeometryFromTexts(const VesselGeometryTexts& texts) {
    VesselGeometry geometry;
    geometry.circleCount = static_cast<int>(valueOr(0, texts[0]));
    geometry.circleIntervalM = valueOr(1, texts[1]);
    geometry.firstRadiusM = valueOr(2, texts[2]);
    geometry.arrowLengthM = valueOr(3, texts[3]);
    geometry.arrowHalfWidthM = valueOr(4, texts[4]);
    return geometry;
}

} // namespace selvir
