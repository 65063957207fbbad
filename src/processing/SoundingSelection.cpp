#include "processing/SoundingSelection.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace selvir::processing {
namespace {

std::uint64_t cellKey(std::int64_t ix, std::int64_t iy) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(ix)) << 32) |
           static_cast<std::uint32_t>(iy);
}

} // namespace

std::vector<std::size_t> selectShoalestSoundings(std::span<const Sounding> soundings,
                                                 std::span<const std::uint8_t> accepted,
                                                 DepthReference reference, double radiusM) {
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < soundings.size(); ++i) {
        if ((accepted.empty() || accepted[i]) && soundings[i].hasPosition() &&
            std::isfinite(depthOn(soundings[i], reference))) {
            order.push_back(i);
        }
    }
    if (!(radiusM > 0)) {
        return order;
    }
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return depthOn(soundings[a], reference) < depthOn(soundings[b], reference);
    });
    // Kept soundings by cells of the radius: a neighbour within the radius is in the 3 x 3 cells around.
    std::unordered_map<std::uint64_t, std::vector<std::size_t>> kept;
    std::vector<std::size_t> out;
    const double radiusSquared = radiusM * radiusM;
    for (const std::size_t i : order) {
        const Sounding& s = soundings[i];
        const auto cx = static_cast<std::int64_t>(std::floor(s.eastingM / radiusM));
        const auto cy = static_cast<std::int64_t>(std::floor(s.northingM / radiusM));
        bool crowded = false;
        for (std::int64_t x = cx - 1; x <= cx + 1 && !crowded; ++x) {
            for (std::int64_t y = cy - 1; y <= cy + 1 && !crowded; ++y) {
                const auto it = kept.find(cellKey(x, y));
                if (it == kept.end()) {
                    continue;
                }
                for (const std::size_t k : it->second) {
                    const double de = soundings[k].eastingM - s.eastingM;
                    const double dn = soundings[k].northingM - s.northingM;
                    if (de * de + dn * dn <= radiusSquared) {
                        crowded = true;
                        break;
                    }
                }
            }
        }
        if (!crowded) {
            kept[cellKey(cx, cy)].push_back(i);
            out.push_back(i);
        }
    }
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace selvir::processing
