#include "tools/SvpSteps.h"

#include "core/NumberFormat.h"
#include "core/ScanPattern.h"
#include "navigation/DepthReduction.h"

#include <cmath>
#include <map>

namespace selvir {

namespace {

bool sampleInRange(double velocity) {
    return velocity >= kMinSampleVelocity && velocity <= kMaxSampleVelocity;
}

bool columnValueInRange(double velocity) {
    return velocity > kMinColumnVelocity && velocity < kMaxColumnVelocity;
}

// Collects accepted samples and puts the out-of-range ones to the question.
class RawCollector {
public:
    explicit RawCollector(const OutOfRangeQuestion& ask) : ask_(ask) {}

    // False once the step must stop.
    bool add(double depthM, double velocity, int line) {
        if (sampleInRange(velocity)) {
            result_.lines.push_back(rawValueLine(depthM, velocity));
            return true;
        }
        ++result_.refused;
        if (!ask_ || skipAll_) {
            return true;
        }
        switch (ask_(velocity, line)) {
        case OutOfRangeAnswer::Skip:
            return true;
        case OutOfRangeAnswer::SkipAll:
            skipAll_ = true;
            return true;
        case OutOfRangeAnswer::Stop:
            result_.stopped = true;
            return false;
        }
        return true;
    }

    RawExtraction take() { return std::move(result_); }
    RawExtraction& result() { return result_; }

private:
    const OutOfRangeQuestion& ask_;
    RawExtraction result_;
    bool skipAll_ = false;
};

} // namespace

std::optional<int> parseMaxDepth(std::string_view text) {
    const auto value = parseInt(text);
    if (!value || *value < 1 || *value > kMaxDepthLimit) {
        return std::nullopt;
    }
    return value;
}

std::string rawValueLine(double depthM, double velocity) {
    // The metre the depth reduction looks the depth up in, not the printer's rounding (halves to even).
    return formatFixed(profileMetreOf(depthM), 0) + "," + formatFixed(velocity, 3);
}

RawExtraction extractRawValues(const std::vector<std::string>& sourceLines, std::string_view searchString,
                               bool velocityFirst, const OutOfRangeQuestion& ask) {
    RawCollector collector(ask);
    const ScanPattern pattern(searchString);
    if (!pattern.valid()) {
        collector.result().patternError = pattern.error();
        return collector.take();
    }
    ScanResult scanned;
    for (std::size_t i = 0; i < sourceLines.size(); ++i) {
        pattern.scan(sourceLines[i], scanned);
        const std::vector<double> numbers = scanned.numbers();
        if (scanned.count < 2 || numbers.size() < 2 || !std::isfinite(numbers[0]) ||
            !std::isfinite(numbers[1])) {
            continue;
        }
        const double velocity = velocityFirst ? numbers[0] : numbers[1];
        const double depth = velocityFirst ? numbers[1] : numbers[0];
        if (!collector.add(depth, velocity, static_cast<int>(i + 1))) {
            break;
        }
    }
    return collector.take();
}

RawExtraction extractRawValues(const std::vector<ProbeSample>& samples, const OutOfRangeQuestion& ask) {
    RawCollector collector(ask);
    for (const ProbeSample& sample : samples) {
        if (!collector.add(sample.depthM, sample.soundVelocityMs, sample.line)) {
            break;
        }
    }
    return collector.take();
}

Averaging averageIntoBins(const std::vector<std::string>& rawLines, int maxDepth) {
    Averaging out;
    struct Bin {
        double sum = 0;
        int count = 0;
    };
    std::vector<Bin> bins(static_cast<std::size_t>(std::max(maxDepth, 0)));
    const ScanPattern pattern("%d,%lf");
    ScanResult scanned;
    for (const std::string& line : rawLines) {
        pattern.scan(line, scanned);
        if (scanned.count != 2 || !std::isfinite(scanned.values[1].toDouble())) {
            out.droppedSamples += line.empty() ? 0 : 1;
            continue;
        }
        const long long depth = scanned.values[0].integer;
        if (depth < 0 || depth >= maxDepth) {
            ++out.droppedSamples;
            continue;
        }
        Bin& bin = bins[static_cast<std::size_t>(depth)];
        bin.sum += scanned.values[1].toDouble();
        ++bin.count;
        out.deepestBin = std::max(out.deepestBin, static_cast<int>(depth));
    }
    out.lines.resize(bins.size());
    for (std::size_t k = 0; k < bins.size(); ++k) {
        if (bins[k].count > 0) {
            out.lines[k] = std::to_string(k) + "," + formatFixed(bins[k].sum / bins[k].count, 2) + "," +
                           std::to_string(bins[k].count);
            ++out.binsWithSamples;
        }
    }
    if (out.deepestBin >= 0) {
        const Bin& deepest = bins[static_cast<std::size_t>(out.deepestBin)];
        const std::string velocity = formatFixed(deepest.sum / deepest.count, 2);
        for (std::size_t k = static_cast<std::size_t>(out.deepestBin) + 1; k < bins.size(); ++k) {
            out.lines[k] = std::to_string(k) + "," + velocity + ",0";
        }
    }
    return out;
}

std::optional<AveragedLine> parseAveragedLine(const std::string& line) {
    const ScanResult scanned = scanText(line, "%d,%lf,%d");
    if (scanned.count < 2 || !std::isfinite(scanned.values[1].toDouble())) {
        return std::nullopt;
    }
    AveragedLine out{scanned.values[0].integer, scanned.values[1].toDouble(), std::nullopt};
    if (scanned.count >= 3) {
        out.count = static_cast<int>(scanned.values[2].integer);
    }
    return out;
}

SvColumn buildSvColumn(const std::vector<std::string>& averagedLines, int maxDepth) {
    SvColumn out;
    // Depth → velocity as the lines state them; a later line for the same depth wins.
    std::map<int, double> filled;
    for (const std::string& line : averagedLines) {
        const auto bin = parseAveragedLine(line);
        if (bin && bin->depthM >= 0 && bin->depthM < maxDepth) {
            filled[static_cast<int>(bin->depthM)] = bin->velocity;
        }
    }
    if (!filled.contains(0)) {
        out.fault = SvColumn::Fault::SurfaceBinEmpty;
        return out;
    }
    double runningMean = 0;
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(maxDepth));
    for (int k = 0; k < maxDepth; ++k) {
        double velocity = 0;
        const auto next = filled.lower_bound(k);
        if (next != filled.end() && next->first == k) {
            velocity = next->second;
        } else {
            const auto previous = std::prev(next);
            if (next == filled.end()) {
                velocity = previous->second; // below the deepest bin
            } else {
                const double along = double(k - previous->first) / double(next->first - previous->first);
                velocity = previous->second + along * (next->second - previous->second);
                ++out.interpolatedBins;
            }
        }
        runningMean = (k * runningMean + velocity) / (k + 1);
        if (!columnValueInRange(runningMean) || !columnValueInRange(velocity)) {
            out.fault = SvColumn::Fault::OutOfRange;
            out.faultBin = k;
            return out;
        }
        lines.push_back(formatFixed(runningMean, 2));
    }
    out.lines = std::move(lines);
    return out;
}

std::vector<std::string> depthVelocityLines(const std::vector<std::string>& columnLines) {
    std::vector<std::string> out;
    out.reserve(columnLines.size());
    for (std::size_t k = 0; k < columnLines.size(); ++k) {
        out.push_back(std::to_string(k) + "," + columnLines[k]);
    }
    return out;
}

} // namespace selvir
