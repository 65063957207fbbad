#pragma once
// The vessel geometry window's five fields as texts, in the order of kVesselShapeKeys: number of
// circles, offset to the next circle, radius of the first circle, arrow length ahead, arrow half-width.
// The map reads them once per run, at its first tick.

#include "core/ProfileStore.h"
#include "navigation/RealtimeSettings.h"

#include <array>
#include <optional>
#include <string>

namespace selvir {

using VesselGeometryTexts = std::array<std::string, std::size(kVesselShapeKeys)>;

// The stored geometry (read defaults for what is missing), numbers in general format.
VesselGeometryTexts readVesselGeometryTexts(const ProfileStore& store);
// What the "Default" button puts in the fields.
VesselGeometryTexts defaultVesselGeometryTexts();
// Writes the five texts as they stand, in one write of the file.
bool writeVesselGeometryTexts(ProfileStore& store, const VesselGeometryTexts& texts);

// The first field that cannot be used: the count must be a whole number within 0 … kMaxVesselCircles,
// the distances numbers of 0 or more. Nothing when all five can.
std::optional<std::size_t> firstUnusableGeometryField(const VesselGeometryTexts& texts);
// What the fields say; a field that cannot be used gives its read default.
VesselGeometry vesselGeometryFromTexts(const VesselGeometryTexts& texts);

} // namespace selvir
