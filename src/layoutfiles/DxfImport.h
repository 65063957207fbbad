#pragma once
// DXF import: adds the 2D geometry of an ASCII DXF drawing (release 12 and later) to the drawing.
// Layers come with their table colours, block definitions made of lines are kept in the model's
// Blocks, and the entities LINE, CIRCLE, ARC, ELLIPSE, SOLID, TRACE, POINT, SPLINE, TEXT, MTEXT,
// LWPOLYLINE, POLYLINE (with VERTEX and SEQEND) and INSERT become shapes; curves become polylines
// (ARC 21 points, ELLIPSE 37), texts canvas texts. The import never clears the drawing.
//
// The file is read in four sequential passes (check for ENTITIES, layer table, blocks, entities) and
// never held in memory whole. Lines are trimmed of blanks, tabs and CR; a code line "0" starts a
// section, entity or table entry; reals are read as the C conversion reads them (malformed: 0); Z
// values and the HEADER section are not read. A UTF-8 byte-order mark is skipped. Binary DXF is
// refused. Texts are decoded as UTF-8 (as Windows-1254 when they are not valid UTF-8).

#include "canvas/CanvasModel.h"
#include "canvas/ViewWindow.h"
#include "layoutfiles/LayoutFileResult.h"
#include "layoutfiles/LineReader.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace selvir {

// Why an import made nothing; the report line is the reason after "DXF load failed: ".
inline constexpr std::string_view dxfLoadFailed = "DXF load failed: ";
inline constexpr std::string_view dxfNoEntitiesSection = "ENTITIES section not found";
inline constexpr std::string_view dxfNoEntities = "No entities found";
inline constexpr std::string_view dxfBinaryRefused = "binary DXF files are not supported";
inline constexpr std::string_view dxfOutOfMemory = "not enough memory";

// What an import reports for the owner to show (the canvas shows no message itself).
struct DxfLoadReport {
    // The message, one entry per line (UTF-8): on success "DXF loaded: N entities", the counts of
    // lines, circles, texts and polylines of the whole drawing, the number of blocks and, when the
    // drawing holds a text, the first text; otherwise one failure text. Empty when the file could not
    // be opened (nothing is shown then).
    std::vector<std::string> lines;
    int entities = 0; // shapes made from the file's entities (each copied line of an INSERT counts)

    // The lines joined with LF, as a message box shows them.
    std::string message() const;
};

// Progress of an import: pass 1..4 over the file, bytes read in that pass.
struct DxfProgress {
    int pass = 1;
    std::uint64_t bytesRead = 0;
    std::uint64_t totalBytes = 0;
    // 0..1 over the four passes (each pass counted as one whole file).
    double fraction() const;
};
using DxfProgressCallback = std::function<void(const DxfProgress&)>;

// Imports `file` into the drawing. Succeeds when at least one shape was made, else says why (the
// system's words for a file that cannot be opened, or the reason of the report). On success, and
// when no entity made a shape, the view is zoomed to the extents of the whole drawing for a client of
// `client` pixels. A missing or unreadable file, a binary DXF and a file without an ENTITIES section
// change nothing. `progress` (optional) is called at the start of each pass and about every MiB read.
// Never throws; sets the model's dirty flag.
LayoutFileResult DXFLoad(CanvasModel& model, ViewWindow& view, ClientSize client,
                         const std::filesystem::path& file, DxfLoadReport* report = nullptr,
                         const DxfProgressCallback& progress = {});

// The same over any rewindable byte source (tests, fuzzing).
LayoutFileResult importDxf(CanvasModel& model, ViewWindow& view, ClientSize client, ByteSource& source,
                           DxfLoadReport* report = nullptr, const DxfProgressCallback& progress = {});

// The colour value of a DXF colour index (group 62); nothing for 0 (by block), 256 (by layer), negative
// and larger indexes.
std::optional<TColor> dxfColor(std::int64_t index);

// Removes MTEXT formatting: a backslash and one of A C F H Q S T W f p start a code that is dropped up
// to and including the next ";" or blank; the toggles \L \l \O \o \K \k are dropped alone; a
// paragraph break \P becomes a blank; two backslashes give one; a backslash before any other
// character is kept; braces are kept.
std::string stripMtextFormatting(std::string_view text);

} // namespace selvir
