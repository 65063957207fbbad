#pragma once
// Where a position stands relative to a survey line: the line guidance's geometry. Grid metres, x east
// and y north; bearings in degrees clockwise from grid north, [0, 360). Plain C++, no state.
//
// A line is a polyline in the direction of travel. Its nearest segment to a position is chosen so:
//   - segments shorter than 1 mm have no direction and are passed over;
//   - on each segment the position is projected; the projection is held to the segment's ends, except
//     before the start of the first segment and beyond the end of the last, where the line runs on
//     (so the run-in and the run-out read as on the extended line, with along < 0 or to go < 0);
//   - the segment whose (held) projection is nearest wins; at equal distances (within 1 mm) the later
//     segment wins, so outside a bend the helmsman is already guided along the next leg.
// Cross-track is the distance to that projection, positive when the position lies to starboard of the
// segment's direction (to the right of the line as sailed), negative to port. Along is the length of
// the segments before it plus the distance along it; to go is the line's length minus along.

#include <cstddef>
#include <vector>

namespace selvir {

struct GridPoint {
    double x = 0; // easting, metres
    double y = 0; // northing, metres
    friend bool operator==(const GridPoint&, const GridPoint&) = default;
};
using GridLine = std::vector<GridPoint>;

// Segments shorter than this (metres) are passed over.
inline constexpr double kShortestLineSegmentM = 0.001;

struct LineFix {
    bool valid = false;      // false for a line without a segment of 1 mm or more
    std::size_t segment = 0; // the nearest segment: from point `segment` to `segment + 1`
    double crossTrackM = 0;  // + starboard, - port of the line as sailed
    double alongM = 0;       // from the start along the line; < 0 before it
    double toGoM = 0;        // to the end; < 0 beyond it
    double lengthM = 0;      // of the whole line
    double bearingDeg = 0;   // grid bearing of the nearest segment
};

LineFix fixOnLine(const GridLine& line, GridPoint position);

// The line's length (metres), segments under 1 mm included.
double lineLengthM(const GridLine& line);
// The shortest distance from the position to the line's segments (ends held: no run-on), metres. A
// line of one point gives the distance to it; an empty line infinity.
double distanceToLineM(const GridLine& line, GridPoint position);
// The point `alongM` metres from the start along the line, held to its ends.
GridPoint pointAlongLine(const GridLine& line, double alongM);
// a - b brought into (-180, 180] degrees.
double angleDifferenceDeg(double aDeg, double bDeg);

// The order in which a family of lines is sailed, as indexes into `lines`: the first line is the
// reference (the route, which the generator draws first); every line is placed by the offset of its
// middle point from the reference (port side first, lines within 0.1 mm of one offset together), then
// by how far along the reference that point lies; the reference itself counts as offset 0 at its start.
// So parallel lines run from the port-most to the starboard-most with the route among them, and cross
// lines run along the route after it. Lines with equal keys keep their order.
std::vector<std::size_t> sailingOrder(const std::vector<GridLine>& lines);

} // namespace selvir
