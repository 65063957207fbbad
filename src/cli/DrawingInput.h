#pragma once
// Reading a drawing for a command: a layout (.gvx), a DXF drawing (.dxf) or XYZ points (.xyz) into an
// empty drawing with the program's own readers.

#include "layoutfiles/LayoutFiles.h"

#include <iosfwd>
#include <string>

namespace selvir::cli {

// True when `file` was read into `model` and `view`. The DXF reader's report goes to `report`; why a file
// cannot be read goes to `err`.
bool readDrawing(const std::string& file, CanvasModel& model, ViewWindow& view, std::ostream& report,
                 std::ostream& err);

} // namespace selvir::cli
