#pragma once
// Selected soundings for a chart: the shoalest sounding is kept and every other within the radius of a
// kept one is left out, so the labels do not overlap at the chart's scale and no shoal is hidden.
//
// Soundings are taken shoalest first (ties: the earlier first); each is kept unless a kept sounding
// lies within radiusM of it. So no two kept soundings are within the radius of each other, and every
// sounding left out has a kept one within the radius that is at least as shoal.

#include "processing/Sounding.h"

#include <cstdint>
#include <span>
#include <vector>

namespace selvir::processing {

// Indices of the kept soundings, in the order given. `accepted` per sounding (empty: all); soundings
// without a position or a depth on `reference` are never kept. A radius that is not above 0 keeps every
// usable sounding.
std::vector<std::size_t> selectShoalestSoundings(std::span<const Sounding> soundings,
                                                 std::span<const std::uint8_t> accepted,
                                                 DepthReference reference, double radiusM);

} // namespace selvir::processing
