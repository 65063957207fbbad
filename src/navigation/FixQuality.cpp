#include "navigation/FixQuality.h"

namespace selvir {

std::string fixQualityName(int fixQuality) {
    switch (fixQuality) {
    case 0:
        return "No Fix";
    case 1:
        return "GPS";
    case 2:
        return "DGPS";
    case 4:
        return "RTK Fix";
    case 5:
        return "RTK Float";
    default:
        return "Fix:" + std::to_string(fixQuality);
    }
}

ColorValue fixQualityColor(int fixQuality) {
    switch (fixQuality) {
    case 0:
    case 1:
        return kColorRed;
    case 2:
        return kColorAqua;
    case 4:
        return kColorLime;
    default:
        return kColorYellow;
    }
}

bool positionReported(int fixQuality, double latitudeDeg, double longitudeDeg) {
    return fixQuality > 0 && !(latitudeDeg == 0 && longitudeDeg == 0);
}

} // namespace selvir
