// One echogram tick of the acoustic waterfall at its widest: a depth pushed into 200 columns, the frame
// laid out and painted, at the window's usual 480 x 300 and at 1920 x 400 across a wide screen. The
// echogram timer does this every 100 ms while the window is shown, on the thread that also runs the map.
#include "navigation/WaterfallProfile.h"
#include "windows/TfCanvas.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cmath>

namespace {

using namespace selvir;

void WaterfallTick(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    constexpr int kColumns = WaterfallSamples::kCapacity;
    WaterfallSamples samples;
    QImage image(width, height, QImage::Format_RGB32);
    double step = 0;
    for (auto _ : state) {
        // A rolling bottom between 18 and 22 m: every column valid, the window refitted each time.
        const double depth = 20 + 2 * std::sin(step += 0.05);
        samples.push(depth, kColumns);
        QPainter painter(&image);
        paintWaterfall(painter, layOutWaterfall(samples, kColumns, depth, TfCanvas::kDefaultTopM,
                                                TfCanvas::kDefaultBottomM, width, height));
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(WaterfallTick)->Args({480, 300})->Args({1920, 400})->Unit(benchmark::kMicrosecond);

} // namespace
