#pragma once
// The acoustic waterfall's samples and what one frame shows: a ring of the latest accepted depths, the
// depth window fitted to them, one column per sample (newest at the right edge), the bottom profile,
// the depth grid and the newest-depth box, all in client pixels with y down. Free of painting: the
// waterfall window paints a frame as it is laid out here.
//
// Depths are metres, positive down; 0 or less means no depth (an empty column that breaks the
// profile on both sides).

#include <array>
#include <string>
#include <vector>

namespace selvir {

class WaterfallSamples {
public:
    static constexpr int kCapacity = 200;
    static constexpr int kDefaultDataWidth = 50;

    // A sample count the ring can hold: "DataWidth" below 1 or above 200 is brought to the nearest end.
    static int clampSampleCount(int count);

    // Moves samples 1..count-1 one place towards 0 and stores the depth at count-1; the samples past
    // `count` are left as they are (they come back into view when the count grows).
    void push(double depthM, int count);
    double depthAt(int index) const { return depthsM_[static_cast<std::size_t>(index)]; }

private:
    std::array<double, kCapacity> depthsM_{}; // zeros at start: no valid sample
};

// The depths shown from top to bottom of the window.
struct DepthWindow {
    double topM = 0;
    double bottomM = 0;
    double rangeM = 1; // bottom - top, 1 when that is not positive
    int validSamples = 0;
};

// Fitted to the valid samples among the first `count` when there are more than 3 of them and they are
// not all equal: a margin of a tenth of their spread, at least 0.3 m, on both sides, never above the
// water surface. Otherwise the defaults.
DepthWindow fitDepthWindow(const WaterfallSamples& samples, int count, double defaultTopM,
                           double defaultBottomM);

// The grid step for a depth range: a quarter of it brought up to 1, 2, 2.5 or 5 times a power of ten.
double depthGridStepM(double rangeM);
// Decimals of the grid labels for that step: 2 below 0.1 m, 1 below 1 m, none otherwise.
int depthGridDecimals(double stepM);

struct WaterfallColumn {
    int leftPx, rightPx; // [left, right)
    int bottomRowPx;     // the bottom, clamped to the client; water from row 0 down to it
};
struct WaterfallSegment {
    int x1Px, y1Px, x2Px, y2Px;
};
struct WaterfallGridLine {
    int rowPx;
    std::string label; // "12.5m"
};

struct WaterfallRect {
    int leftPx, topPx, rightPx, bottomPx; // [left, right) x [top, bottom)
};

struct WaterfallFrame {
    int widthPx = 0, heightPx = 0;
    DepthWindow window;
    std::vector<WaterfallColumn> columns;  // one per valid sample
    std::vector<WaterfallSegment> profile; // joins consecutive valid samples
    std::vector<WaterfallGridLine> grid;   // from the top down
    // The newest depth, when it is valid: its label in a box at the lower right and, when its bottom
    // lies well inside the window, a pointer from the bottom down to the box.
    bool newestShown = false;
    std::string newestLabel; // "12.3m"
    WaterfallRect newestBox{};
    int newestTextLeftPx = 0, newestTextTopPx = 0;
    bool newestPointerShown = false;
    WaterfallSegment newestPointer{};
};

// The frame for the first `count` samples in a client of `widthPx` x `heightPx`; `newestDepthM` is the
// depth pushed last.
WaterfallFrame layOutWaterfall(const WaterfallSamples& samples, int count, double newestDepthM,
                               double defaultTopM, double defaultBottomM, int widthPx, int heightPx);

} // namespace selvir
