#pragma once
// Every layout-file operation: native layout (CadSave, CadLoad), DXF export (DXFSave) and import
// (DXFLoad), XYZ import (XYZLoad). Each takes a file name, returns a LayoutFileResult (a failure says
// why) and lets no exception escape.

#include "layoutfiles/DxfExport.h"
#include "layoutfiles/DxfImport.h"
#include "layoutfiles/NativeLayout.h"
#include "layoutfiles/XyzImport.h"

#include <filesystem>

namespace selvir {

// The client size that headless callers (no widget) fit extents to: that of a new canvas.
inline constexpr ClientSize headlessClientSize{400, 300};

// A layout file's format by its extension, in any case: ".gvx", ".dxf", ".xyz".
enum class LayoutFormat { Unknown, Native, Dxf, Xyz };
LayoutFormat layoutFormatOf(const std::filesystem::path& file);

} // namespace selvir
