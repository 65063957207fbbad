#pragma once
// The geometry of runlines: cross lines perpendicular to a route at a fixed spacing, or lines parallel
// to it on both sides. World coordinates are metres of the survey grid (x east, y north); "left" is
// the side to port of the route's direction, the unit normal (-dy, dx) / L of a segment.

#include <cstddef>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace selvir {

using PolylinePoints = std::vector<std::pair<double, double>>;

// Segments shorter than this (metres) have no direction: they give no cross lines and a zero normal.
inline constexpr double kShortestRouteSegmentM = 0.001;
inline constexpr double kDefaultRunlineSpacingM = 10;
inline constexpr double kDefaultRunlineLengthM = 100;
// One generation makes at most this many lines; more is a typing slip (a spacing of 0.001 m), which
// would take the program minutes and the map all its memory.
inline constexpr std::size_t kMostRunlines = 20000;

// A spacing or length field as a number: the whole text (blanks around it allowed, "." as decimal
// point) or `fallback` when it is not a finite number.
double runlineFieldValue(std::string_view text, double fallback);

// The values the generation works with: a spacing or length of 0 or less becomes its default.
struct RunlineParameters {
    double spacingM = kDefaultRunlineSpacingM;
    double lengthM = kDefaultRunlineLengthM;
    bool perpendicular = true;
};
RunlineParameters runlineParameters(std::string_view spacingText, std::string_view lengthText,
                                    bool perpendicular);

// How many lines `generateRunlines` makes for the route (the route itself not counted).
std::size_t runlineCount(const PolylinePoints& route, const RunlineParameters& parameters);

// Perpendicular: for each segment P_k..P_k+1 of length L >= 1 mm, a two-point line from C + length*N to
// C - length*N at C = P_k + (s / L)(P_k+1 - P_k) for s = 0, spacing, 2 spacing ... while s <= L; each
// segment starts its own series. Parallel: for t = 1, 2 ... while t * spacing <= length, the offset
// o = t * spacing, the line P_i + o*N_i (left) then P_i - o*N_i (right), one point per route vertex, with
// N_i the vertex normal of vertexNormals (no miter correction at bends). Both "<=" hold within a
// micrometre, so floating-point rounding loses no line (a diagonal of 100 m measuring 99.99999999999999,
// 3.3 / 1.1 giving 2.9999999999999996). Nothing for fewer than two route points.
std::vector<PolylinePoints> generateRunlines(const PolylinePoints& route,
                                             const RunlineParameters& parameters);

// The normal of each route vertex: the unit normal of the first segment at the first vertex, of the
// last at the last, and at an interior vertex the mean of its two segments' unit normals normalised
// again (a segment under 1 mm contributes zero; a mean under 1 mm is left as it is).
PolylinePoints vertexNormals(const PolylinePoints& route);

} // namespace selvir
