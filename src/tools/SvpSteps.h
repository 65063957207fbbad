#pragma once
// The three steps of the sound velocity window over its text tables, free of widgets, shared by the
// window and `selvirhs-tool svp`:
//   1. source lines (or a recognised probe cast) to raw values, one accepted sample per line
//      "depth,velocity" (depth rounded to whole metres, velocity with 3 decimals);
//   2. raw values to averaged bins, line k "k,mean,count" for k = 0 … Max Depth − 1 (count 0: filled
//      below the deepest sample; an empty line: a bin without samples);
//   3. averaged bins to the SV column, line k the mean velocity of the water column from the surface
//      down to k metres (2 decimals).

#include "tools/ProbeFile.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace selvir {

// Samples are taken within 1350 … 1600 m/s (inclusive); the SV column must stay strictly within
// 1300 … 1700 m/s.
inline constexpr double kMinSampleVelocity = 1350.0;
inline constexpr double kMaxSampleVelocity = 1600.0;
inline constexpr double kMinColumnVelocity = 1300.0;
inline constexpr double kMaxColumnVelocity = 1700.0;

inline constexpr std::string_view kDefaultSearchString = "%*23s %lf,%lf";
inline constexpr std::string_view kDefaultMaxDepth = "200";
// The deepest Max Depth taken, metres: deeper than any ocean.
inline constexpr int kMaxDepthLimit = 12000;

// Max Depth as typed: a whole number of metres, 1 … kMaxDepthLimit; nothing otherwise.
std::optional<int> parseMaxDepth(std::string_view text);

// What to do with a sample outside 1350 … 1600 m/s: skip it, skip it and every later one without
// asking again, or stop the step (keeping what was taken so far).
enum class OutOfRangeAnswer { Skip, SkipAll, Stop };
// Asked with the velocity (m/s) and the sample's 1-based line in the source.
using OutOfRangeQuestion = std::function<OutOfRangeAnswer(double velocity, int line)>;

struct RawExtraction {
    std::vector<std::string> lines; // the raw table
    int refused = 0;                // samples outside the velocity range, skipped
    bool stopped = false;           // the question was answered with Stop
    std::string patternError;       // the search string is no valid pattern (nothing was read)
};

// Step 1 with a scanf-style search string: every source line that yields two numbers is a sample,
// the velocity first with `velocityFirst`, the depth first otherwise; other lines are skipped. Without
// a question, out-of-range samples are skipped and counted. An invalid pattern reads nothing.
RawExtraction extractRawValues(const std::vector<std::string>& sourceLines, std::string_view searchString,
                               bool velocityFirst, const OutOfRangeQuestion& ask = {});
// Step 1 from a recognised probe cast.
RawExtraction extractRawValues(const std::vector<ProbeSample>& samples, const OutOfRangeQuestion& ask = {});

// "depth,velocity": the depth as its whole metre (profileMetreOf: 12.5 m is 13), the velocity with 3
// decimals.
std::string rawValueLine(double depthM, double velocity);

struct Averaging {
    std::vector<std::string> lines; // the averaged table, maxDepth lines
    int binsWithSamples = 0;
    int deepestBin = -1;    // -1 when no sample fell into a bin
    int droppedSamples = 0; // deeper than Max Depth − 1, shallower than 0, or unreadable lines
};

// Step 2. Each bin's mean is exact (not re-rounded sample by sample) and written with 2 decimals; the
// bins below the deepest filled one repeat its velocity with count 0.
Averaging averageIntoBins(const std::vector<std::string>& rawLines, int maxDepth);

// One line of the averaged table, "depth,velocity[,count]"; nothing when it does not start with two
// numbers.
struct AveragedLine {
    long long depthM = 0;
    double velocity = 0;
    std::optional<int> count;
};
std::optional<AveragedLine> parseAveragedLine(const std::string& line);

struct SvColumn {
    enum class Fault { None, SurfaceBinEmpty, OutOfRange };
    Fault fault = Fault::None;
    int faultBin = -1;              // the bin of an OutOfRange fault
    std::vector<std::string> lines; // maxDepth lines when there is no fault, empty otherwise
    int interpolatedBins = 0;       // empty bins between filled ones, given interpolated velocities
};

// Step 3. Bins are taken by the depth written on each line, so a table edited in the graph (where a
// deleted point leaves no line) still gives every metre its own velocity. An empty bin between two
// filled ones counts as one more metre at the velocity interpolated linearly in depth between them;
// below the deepest bin its velocity holds. Bin 0 must be filled.
SvColumn buildSvColumn(const std::vector<std::string>& averagedLines, int maxDepth);

// The "depth,sv" lines of `selvirhs-tool svp`: line k of the column as "k,velocity".
std::vector<std::string> depthVelocityLines(const std::vector<std::string>& columnLines);

} // namespace selvir
