#pragma once
// The runlines of a layout file, for the commands that steer along them (guidance, replay --lines).

#include "canvas/CanvasModel.h"

#include <string>

namespace selvir::cli {

// Reads `file` into `drawing`; the reason when it cannot be read or holds no runlines (open polylines
// on the layer Selvir_Runlines), empty otherwise.
std::string readRunlineLayout(const std::string& file, CanvasModel& drawing);

} // namespace selvir::cli
