#include "processing/SurveyLines.h"

#include <cmath>
#include <cstdlib>
#include <map>
#include <numbers>

namespace selvir::processing {
namespace {

// Cumulative track distance of each sounding of a range (NaN without a position).
std::vector<double> distancesAlong(std::span<const Sounding> soundings, IndexRange range) {
    std::vector<double> along(range.size(), kNoValue);
    double total = 0;
    const Sounding* previous = nullptr;
    for (std::size_t i = range.begin; i < range.end; ++i) {
        const Sounding& s = soundings[i];
        if (!s.hasPosition()) {
            continue;
        }
        if (previous) {
            total += std::hypot(s.eastingM - previous->eastingM, s.northingM - previous->northingM);
        }
        along[i - range.begin] = total;
        previous = &s;
    }
    return along;
}

// Where a run without line numbers turns: the soundings (indices into `soundings`) of the apexes. Key
// points are taken along the track each time the boat has moved half a window in a straight line from
// the last one, so a boat at rest, whose GNSS noise wanders about one spot, makes none.
std::vector<std::size_t> turnApexes(std::span<const Sounding> soundings,
                                    const std::vector<std::size_t>& placed, const TurnSplitting& turns) {
    std::vector<std::size_t> keys;
    for (const std::size_t i : placed) {
        if (keys.empty() ||
            std::hypot(soundings[i].eastingM - soundings[keys.back()].eastingM,
                       soundings[i].northingM - soundings[keys.back()].northingM) >= turns.windowM / 2) {
            keys.push_back(i);
        }
    }
    const auto bearing = [&](std::size_t from, std::size_t to) {
        const Sounding& a = soundings[keys[from]];
        const Sounding& b = soundings[keys[to]];
        return gridBearingDeg(a.eastingM, a.northingM, b.eastingM, b.northingM);
    };
    std::vector<std::size_t> apexes;
    bool inTurn = false;
    double largest = 0;
    std::size_t apex = 0;
    for (std::size_t k = 2; k + 2 < keys.size(); ++k) {
        // The course over the window behind the key point against the course over the window ahead.
        const double change = std::abs(bearingDifferenceDeg(bearing(k - 2, k), bearing(k, k + 2)));
        if (change > turns.turnDeg) {
            if (!inTurn || change > largest) {
                largest = change;
                apex = keys[k];
            }
            inTurn = true;
        } else if (inTurn) {
            apexes.push_back(apex);
            inTurn = false;
        }
    }
    if (inTurn) {
        apexes.push_back(apex);
    }
    return apexes;
}

SurveyLine lineOf(std::span<const Sounding> soundings, IndexRange range, int number, int pass) {
    SurveyLine line;
    line.number = number;
    line.pass = pass;
    line.file = soundings[range.begin].file;
    line.soundings = range;
    line.alongM = distancesAlong(soundings, range);
    for (const double d : line.alongM) {
        if (std::isfinite(d)) {
            line.lengthM = d;
        }
    }
    return line;
}

} // namespace

double gridBearingDeg(double fromE, double fromN, double toE, double toN) {
    double deg = std::atan2(toE - fromE, toN - fromN) * 180.0 / std::numbers::pi;
    return deg < 0 ? deg + 360.0 : deg;
}

double bearingDifferenceDeg(double aDeg, double bDeg) {
    double d = std::fmod(bDeg - aDeg, 360.0);
    if (d > 180.0) {
        d -= 360.0;
    } else if (d < -180.0) {
        d += 360.0;
    }
    return d;
}

std::vector<IndexRange> soundingRuns(std::span<const Sounding> soundings) {
    std::vector<IndexRange> runs;
    std::size_t begin = 0;
    for (std::size_t i = 1; i <= soundings.size(); ++i) {
        const bool split = i == soundings.size() || soundings[i].file != soundings[i - 1].file ||
                           soundings[i].line != soundings[i - 1].line ||
                           std::llabs(soundings[i].key.timeMs - soundings[i - 1].key.timeMs) > kRunGapMs;
        if (split) {
            runs.push_back({begin, i});
            begin = i;
        }
    }
    if (soundings.empty()) {
        runs.clear();
    }
    return runs;
}

std::vector<SurveyLine> surveyLines(std::span<const Sounding> soundings, const TurnSplitting& turns) {
    std::vector<SurveyLine> lines;
    std::map<std::pair<std::uint32_t, int>, int> passes; // (file, number) -> runs seen
    for (const IndexRange run : soundingRuns(soundings)) {
        const int number = soundings[run.begin].line;
        if (number > 0) {
            lines.push_back(lineOf(soundings, run, number, passes[{soundings[run.begin].file, number}]++));
            continue;
        }
        std::vector<std::size_t> placed;
        for (std::size_t i = run.begin; i < run.end; ++i) {
            if (soundings[i].hasPosition()) {
                placed.push_back(i);
            }
        }
        std::size_t begin = run.begin;
        for (const std::size_t split : turnApexes(soundings, placed, turns)) {
            if (split > begin) {
                lines.push_back(lineOf(soundings, {begin, split}, 0, 0));
                begin = split;
            }
        }
        lines.push_back(lineOf(soundings, {begin, run.end}, 0, 0));
    }
    return lines;
}

} // namespace selvir::processing
