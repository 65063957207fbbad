#pragma once
// A harbour site plan made in memory, as surveyors load them as DXF backgrounds: quays with bollards
// and fenders, buildings, roads and kerbs, fences, contour lines, spot heights and soundings with their
// texts, labels and block inserts, over about 3 km x 2 km of a national grid. The mix of entities is
// that of a CAD site plan (mostly lines, then texts, polylines, points, circles, arcs and inserts); each
// entity becomes the shapes the DXF import makes of it (an arc a 21-point polyline, an insert the four
// lines of its block), with the import's text conventions.

#include "canvas/CanvasModel.h"
#include "canvas/ViewWindow.h"

#include <cstdint>

namespace selvir::bench {

struct SitePlanCounts {
    long entities = 0;
    long lines = 0, polylines = 0, circles = 0, arcs = 0, texts = 0, points = 0, inserts = 0;
};

// The south-west corner of a plan unless one is given.
constexpr double sitePlanEasting = 451000.0;
constexpr double sitePlanNorthing = 4512000.0;

// Adds `entities` entities (about 1.15 shapes each) to `model`, on 24 layers of their own, the plan's
// south-west corner at (easting, northing); the same seed gives the same drawing. The plan grows with
// the count at the same density.
SitePlanCounts addSitePlan(CanvasModel& model, long entities, std::uint32_t seed = 20,
                           double easting = sitePlanEasting, double northing = sitePlanNorthing);

// The plan's area in world metres (without margin).
ViewWindow sitePlanArea(long entities, double easting = sitePlanEasting, double northing = sitePlanNorthing);

} // namespace selvir::bench
