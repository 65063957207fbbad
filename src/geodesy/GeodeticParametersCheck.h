#pragma once
// The check the settings window makes before it applies or saves the geodetic parameters: every field
// a number, the ellipsoid and the scale factors of a usable size, latitudes on the globe, and a chain
// the realtime map update can build from them. A field that fails is named, so the surveyor can mend it
// before anything is written.

#include "geodesy/GeodeticParameters.h"
#include "geodesy/RealtimeChain.h"

#include <optional>

namespace selvir {

// Limits, checked so that NaN fails:
//   every number field: a finite number ("'x' is not a valid floating point value");
//   Semi Major Axis > 0 m; Flattening strictly between 0 and 0.01 (every real ellipsoid is near
//   0.0034; a value near 1/298 typed as 298 is the common slip);
//   TM Scale Factor and LCC Scale Factor > 0;
//   Reference Latitude, Standard Parallels 1 and 2 and Central Parallel within -90..90 degrees;
// then RealtimeChain::create() must accept the set (the Lambert form chosen included).
// Returns the first problem in the order of geodeticNumberFields(), or nothing when the set is usable.
std::optional<ChainSetupError> checkGeodeticParameters(const GeodeticParameters& parameters);

} // namespace selvir
