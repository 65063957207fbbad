#pragma once
// Where a shape can leave pixels. The painter redraws parts of its image and splits a rebuild into
// bands, so it must know, for every shape, a box that holds all the pixels the shape's Draw writes:
//   - in client pixels at a given pixel mapping (footprintPx), for shapes other than texts, whose
//     box needs their fonts (TSText::layout);
//   - in world units for the spatial index (indexBox), apart from a margin in pixels
//     (pixelMarginPx: pen widths, point sizes, the highlight).
// The boxes are conservative: larger than the pixels drawn, never smaller.

#include "canvas/ShapeIndex.h"

#include <QRect>

namespace selvir {

class TSShape;
struct PixelMap;

// The world box to index the shape under: its bounds, and for a spline the bulge of its curve beyond
// its vertices. A text is indexed under its bounds (the box the culling tests).
WorldBox indexBox(const TSShape& shape);

// Pixels a shape can reach beyond indexBox() mapped to the client, whatever the zoom.
int pixelMarginPx(const TSShape& shape);

// The client pixels `shape` (not a text) can write at mapping `map`; empty when its bounds are not
// finite. Edges included.
QRect footprintPx(const TSShape& shape, const PixelMap& map);

} // namespace selvir
