#pragma once
// The canvas layers the program keeps for itself, found by name or created when missing.

#include <array>

namespace selvir {

inline constexpr const char* kGridLayerName = "Selvir Grid";
inline constexpr const char* kTrackFixLayer = "track_fix";
inline constexpr const char* kTrackNoFixLayer = "track_nofix";
inline constexpr const char* kTrackFloatLayer = "track_float";
inline constexpr const char* kTempShapeLayerName = "selvir_tempshape";
inline constexpr const char* kUserShapeLayerName = "selvir_usershape";
inline constexpr const char* kEventNumberLayerName = "event_number";
inline constexpr const char* kVesselLayerName = "~~Selvir Vessel";

// In the order they are made at start.
inline constexpr std::array<const char*, 8> kFixedLayerNames = {
    kGridLayerName,      kTrackFixLayer,      kTrackNoFixLayer,      kTrackFloatLayer,
    kTempShapeLayerName, kUserShapeLayerName, kEventNumberLayerName, kVesselLayerName};

} // namespace selvir
