#pragma once
// The native layout file (".gvx"): the world window, the layer names and the shapes of a drawing as
// a line-oriented text, stored as the four bytes "GVX1" followed by one zlib stream (level 6) of the
// text. Reading also takes the text uncompressed (files of earlier versions, hand-written files) and
// records that lack their trailing fields.
//
// Kept: the world window; layer names in layer-list order; shapes in drawing order with geometry,
// layer index, pen colour and width, the fill of rectangles and the attributes of texts. Not kept:
// ids, selection, visibility, pen style, notes, shape texts, z-order, other brushes, text alignment,
// layer properties other than the name. Three-point arcs (TSArc) and ellipses of type 4 written as 20
// show what a round trip changes. Names and captions are 8-bit Windows-1254 text in the file.
//
// Text layout: LF line ends; fields separated by one blank; reals fixed with 6 decimals and "."; colours
// as signed decimal 32-bit values; "#" starts a comment line. Records:
//   WORLD left right bottom top
//   LAYER name                     (the rest of the line)
//   LINE x1 y1 x2 y2 layer pen width
//   CIRCLE cx cy r layer pen width
//   POINT x y layer pen width value
//   TEXT x y layer font pen height rotation bold italic fontname caption
//   POLYLINE|POLYGON|SPLINE|ARC3P layer n pen width, then n lines "x y"
//   RECTANGLE x1 y1 x2 y2 layer pen width brushfg brushstyle value
//   ELLIPSE x1 y1 x2 y2 layer pen width
//   ARC x1 y1 x2 y2 x3 y3 layer pen width   (read only)

#include "canvas/CanvasModel.h"
#include "canvas/ViewWindow.h"
#include "core/DateTime.h"
#include "layoutfiles/LayoutFileResult.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace selvir {

inline constexpr std::string_view layoutMagic = "GVX1";
inline constexpr int layoutCompressionLevel = 6;
// CadLoad refuses layouts whose text is larger: far beyond any survey layout (a million polyline
// vertices take about 30 MB), it keeps a small hostile file from taking the memory.
inline constexpr std::size_t maxLayoutTextBytes = std::size_t{1} << 30;

// CadLoad modes: 0 replaces the drawing; any other value adds to it (the program opens files with 2).
inline constexpr int layoutReplace = 0;
inline constexpr int layoutAdd = 2;

// Writes the drawing and the world window to `file`. The file is written whole to a temporary file
// beside it and renamed over the old one only when complete, so a failure (disk full, no rights)
// leaves the previous layout as it was. `clock` gives the "Created on" line. A failure says why (the
// system's words for the file that could not be written, zlib's for the compressor); never throws.
// The drawing is not changed.
LayoutFileResult CadSave(const CanvasModel& model, const ViewWindow& view, const std::filesystem::path& file,
                         const Clock& clock);

// Reads a layout into the drawing (mode: layoutReplace or any other value to add). The file is
// decompressed as it is read, and what was built is undone when the stream proves bad, so the text is
// never held whole. A missing, unreadable, corrupt, truncated or oversized file fails with the drawing
// and the view as they were, saying why: the system's words, or the line after which the text broke
// off with zlib's words. In replace mode the drawing is cleared and the file's LAYER records make
// layers 0, 1, ... in file order, so shapes come back on the layers their layer fields name ("Default"
// is added after them when the file has none); in add mode layers are merged by name and shapes land
// on the layer of their saved layer's name. Succeeds when the whole text was read; never throws. Sets
// the model's dirty flag.
LayoutFileResult CadLoad(CanvasModel& model, ViewWindow& view, const std::filesystem::path& file, int mode);

// --- The two halves of the operations, for tests and fuzzing

// The layout text CadSave compresses; `now` is the local time of saving.
std::string buildLayoutText(const CanvasModel& model, const ViewWindow& view, const LocalDateTime& now);
// "GVX1" and the zlib stream of `text`; nothing on a compressor failure.
std::optional<std::string> compressLayoutText(std::string_view text);
// The layout text of a file's bytes: inflated when they start with "GVX1", else the bytes themselves.
// Nothing when the stream is corrupt or truncated, or the text exceeds maxLayoutTextBytes.
std::optional<std::string> layoutTextFromBytes(std::string bytes);
// CadLoad over a file's bytes held in memory.
LayoutFileResult loadLayoutBytes(CanvasModel& model, ViewWindow& view, std::string_view bytes, int mode);
// Clears the drawing (replace mode) and turns the text's records into layers and shapes. Unknown
// keywords, comments, empty lines and records whose leading fields are missing or not finite numbers
// are skipped. A text that would build more than the load limits (LoadJournal.h) changes nothing. May
// throw std::bad_alloc.
void applyLayoutText(CanvasModel& model, ViewWindow& view, std::string_view text, int mode);

} // namespace selvir
