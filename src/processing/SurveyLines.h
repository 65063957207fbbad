#pragma once
// Survey lines: the soundings grouped as they were sailed, each with its distance along track for the
// profile.
//
// A run is a stretch of consecutive soundings of one record with the same survey line number (0 when
// the record has none) and no time gap longer than kRunGapMs. A run with a line number (the line
// guidance's `line=N` word) is one survey line. A run without one is split at turns:
//   key points are taken along the track each time the boat has moved windowM / 2 in a straight line
//   from the last key point. At each key point the course over the window behind it (the bearing from
//   the key point two back) is compared with the course over the window ahead (to the key point two
//   on). Where they differ by more than turnDeg the boat is turning; each stretch of such key points is
//   one turn, and the line is split at the key point where the courses differ most (the apex): the
//   soundings before it end one line, it and those after begin the next.
// So the course has to change by more than turnDeg and stay changed over windowM metres: a zigzag of a
// few metres does not split a line, nor does a boat at rest (its GNSS noise moves it nowhere), and a
// line bent gently over hundreds of metres stays one line.

#include "processing/Sounding.h"

#include <cstddef>
#include <vector>

namespace selvir::processing {

inline constexpr std::int64_t kRunGapMs = 30'000;

struct IndexRange {
    std::size_t begin = 0;
    std::size_t end = 0; // one past the last
    std::size_t size() const { return end - begin; }
};

// The runs of a sounding sequence (file after file, each in its own order), in order.
std::vector<IndexRange> soundingRuns(std::span<const Sounding> soundings);

struct TurnSplitting {
    double turnDeg = 30; // course change that makes a turn
    double windowM = 20; // track compared behind and ahead of each sounding
};

struct SurveyLine {
    int number = 0; // the line guidance's number; 0 for a line found by splitting at turns
    int pass = 0;   // for a numbered line: 0 for its first run, 1 for the second (a re-run), ...
    std::uint32_t file = 0;
    IndexRange soundings;       // indices into the sequence given
    std::vector<double> alongM; // per sounding: metres along track from the first with a position;
                                // NaN for a sounding without a position
    double lengthM = 0;
};

std::vector<SurveyLine> surveyLines(std::span<const Sounding> soundings, const TurnSplitting& turns = {});

// Bearing from one grid point to another, degrees clockwise from grid north, 0..360.
double gridBearingDeg(double fromE, double fromN, double toE, double toN);
// The signed difference b - a folded into -180..180 degrees.
double bearingDifferenceDeg(double aDeg, double bDeg);

} // namespace selvir::processing
