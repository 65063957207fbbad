#include "navigation/WaterfallProfile.h"

#include "core/NumberFormat.h"

#include <algorithm>
#include <cmath>

namespace selvir {

namespace {

constexpr int kMinFittedSamples = 4;    // more than 3 valid samples fit the window to them
constexpr double kMarginShare = 0.1;    // of the spread, above and below
constexpr double kMinMarginM = 0.3;     // a margin never smaller than this
constexpr int kGridDivisions = 4;       // about four grid steps over the range
constexpr int kMaxGridLines = 12;       // the step rounds up, so at most about five lines are found
constexpr int kPointerTopPx = 5;        // the newest bottom's pointer only when its row lies between
constexpr int kPointerBottomGapPx = 30; // 5 and H - 30
constexpr int kPointerEndGapPx = 28;    // the pointer ends at H - 28, above the box
constexpr int kPointerFromRightPx = 40; // at W - 40
// The newest depth's box, (W - 78, H - 26) to (W - 2, H - 2), and its text at (W - 75, H - 24).
constexpr int kBoxFromRightPx = 78, kBoxFromBottomPx = 26, kBoxRightGapPx = 2, kBoxBottomGapPx = 2;
constexpr int kTextFromRightPx = 75, kTextFromBottomPx = 24;

// Pixel coordinates stay far inside int whatever the depth: QPainter clips what lies beyond.
constexpr double kFarPx = 1 << 24;

int roundPx(double value) {
    return static_cast<int>(std::lround(std::clamp(value, -kFarPx, kFarPx)));
}

} // namespace

int WaterfallSamples::clampSampleCount(int count) {
    return std::clamp(count, 1, kCapacity);
}

void WaterfallSamples::push(double depthM, int count) {
    const int n = clampSampleCount(count);
    if (!std::isfinite(depthM)) {
        depthM = 0; // no depth, rather than a window scaled to infinity
    }
    std::copy(depthsM_.begin() + 1, depthsM_.begin() + n, depthsM_.begin());
    depthsM_[static_cast<std::size_t>(n - 1)] = depthM;
}

DepthWindow fitDepthWindow(const WaterfallSamples& samples, int count, double defaultTopM,
                           double defaultBottomM) {
    const int n = WaterfallSamples::clampSampleCount(count);
    double smallest = 1e30, largest = -1e30;
    DepthWindow window;
    for (int i = 0; i < n; ++i) {
        const double depth = samples.depthAt(i);
        if (depth > 0) {
            smallest = std::min(smallest, depth);
            largest = std::max(largest, depth);
            ++window.validSamples;
        }
    }
    if (window.validSamples >= kMinFittedSamples && smallest < largest) {
        const double margin = std::max(kMarginShare * (largest - smallest), kMinMarginM);
        window.topM = std::max(smallest - margin, 0.0);
        window.bottomM = largest + margin;
    } else {
        window.topM = defaultTopM;
        window.bottomM = defaultBottomM;
    }
    window.rangeM = window.bottomM - window.topM;
    if (!(window.rangeM > 0)) {
        window.rangeM = 1.0;
    }
    return window;
}

double depthGridStepM(double rangeM) {
    const double rawStep = rangeM / kGridDivisions;
    const double magnitude = std::pow(10.0, std::floor(std::log10(rawStep)));
    const double normalised = rawStep / magnitude;
    for (const double nice : {1.0, 2.0, 2.5, 5.0}) {
        if (nice >= normalised) {
            return magnitude * nice;
        }
    }
    return magnitude * 10;
}

int depthGridDecimals(double stepM) {
    return stepM < 0.1 ? 2 : stepM < 1 ? 1 : 0;
}

WaterfallFrame layOutWaterfall(const WaterfallSamples& samples, int count, double newestDepthM,
                               double defaultTopM, double defaultBottomM, int widthPx, int heightPx) {
    const int n = WaterfallSamples::clampSampleCount(count);
    WaterfallFrame frame;
    frame.widthPx = widthPx;
    frame.heightPx = heightPx;
    frame.window = fitDepthWindow(samples, n, defaultTopM, defaultBottomM);
    const DepthWindow& w = frame.window;

    std::vector<int> rows(static_cast<std::size_t>(n), 0);
    for (int i = 0; i < n; ++i) {
        const double depth = samples.depthAt(i);
        rows[static_cast<std::size_t>(i)] = depth > 0 ? roundPx((depth - w.topM) * heightPx / w.rangeM) : 0;
    }

    // A window narrower than the sample count still gives every sample a pixel; they run off the edge.
    const double columnPx = std::max(static_cast<double>(widthPx) / n, 1.0);
    for (int j = 0; j < n; ++j) {
        if (samples.depthAt(j) > 0) {
            frame.columns.push_back({roundPx(j * columnPx), roundPx((j + 1) * columnPx),
                                     std::clamp(rows[static_cast<std::size_t>(j)], 0, heightPx)});
        }
    }
    for (int k = 1; k < n; ++k) {
        if (samples.depthAt(k - 1) > 0 && samples.depthAt(k) > 0) {
            frame.profile.push_back({roundPx((k - 0.5) * columnPx), rows[static_cast<std::size_t>(k - 1)],
                                     roundPx((k + 0.5) * columnPx), rows[static_cast<std::size_t>(k)]});
        }
    }

    const double step = depthGridStepM(w.rangeM);
    const int decimals = depthGridDecimals(step);
    // Counted in whole steps, so a long run of additions cannot drift past the last line.
    const double first = std::ceil(w.topM / step);
    for (int k = 0; k <= kMaxGridLines; ++k) {
        const double value = (first + k) * step;
        if (!(value <= w.bottomM)) {
            break;
        }
        const double row = (value - w.topM) * heightPx / w.rangeM;
        if (row >= 0 && row <= heightPx) {
            frame.grid.push_back({roundPx(row), formatFixed(value, decimals) + "m"});
        }
    }

    if (newestDepthM > 0) {
        frame.newestShown = true;
        frame.newestLabel = formatFixed(newestDepthM, 1) + "m";
        frame.newestBox = {widthPx - kBoxFromRightPx, heightPx - kBoxFromBottomPx, widthPx - kBoxRightGapPx,
                           heightPx - kBoxBottomGapPx};
        frame.newestTextLeftPx = widthPx - kTextFromRightPx;
        frame.newestTextTopPx = heightPx - kTextFromBottomPx;
        const int row = rows[static_cast<std::size_t>(n - 1)];
        frame.newestPointerShown = row > kPointerTopPx && row < heightPx - kPointerBottomGapPx;
        frame.newestPointer = {widthPx - kPointerFromRightPx, row, widthPx - kPointerFromRightPx,
                               heightPx - kPointerEndGapPx};
    }
    return frame;
}

} // namespace selvir
