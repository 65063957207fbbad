// One full rebuild of the canvas's off-screen image at 1920 x 1080 with a survey's tracklines, beside
// the floor: a single QPainter::drawLines call over the same segments into the same image. Also the
// heap bytes one line shape and one point shape cost. Wall time: the rebuild uses every core.
//
// The track is a lawnmower survey: lines 4000 m long, 20 m apart, a track element every 5 m (about
// 2.4 pixels at this view), mostly lines with stretches drawn as points, the layer switching between
// fixed and float every 400 elements, and an event label every 100 elements (1 % texts). The view is
// 4000 x 2250 m from the start of the survey, so the larger tracks run partly out of view.
#include "canvaswidget/TSelvirCanvas.h"

#include <QApplication>
#include <QImage>
#include <QLine>
#include <QPainter>
#include <QPen>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <malloc.h>
#include <memory>
#include <vector>

namespace {

using selvir::TSelvirCanvas;

constexpr int imageWidthPx = 1920;
constexpr int imageHeightPx = 1080;
constexpr double elementM = 5.0;
constexpr double runLengthM = 4000.0;
constexpr double runSpacingM = 20.0;
constexpr double viewHeightM = runLengthM * imageHeightPx / imageWidthPx;
constexpr selvir::TColor fixColor = 0x00A000;
constexpr selvir::TColor floatColor = 0x00C0C0;

struct Track {
    std::unique_ptr<TSelvirCanvas> canvas;
    std::vector<QLine> segmentsPx; // the line shapes' segments, in pixels of the view
    int lines = 0;
    int points = 0;
    int texts = 0;
};

// Position of track element i along the lawnmower pattern.
void trackPosition(long i, double& x, double& y) {
    const long perRun = static_cast<long>(runLengthM / elementM);
    const long run = i / perRun;
    const double along = (i % perRun) * elementM;
    x = (run % 2 == 0) ? along : runLengthM - along;
    y = run * runSpacingM;
}

// `wholeSurvey` zooms out to the extents of the drawing instead of the fixed view; `linesOnly` draws
// every element as a line (no points, no event labels).
Track buildTrack(int shapes, int trackWidthPx, bool wholeSurvey = false, bool linesOnly = false) {
    Track track;
    track.canvas = std::make_unique<TSelvirCanvas>();
    TSelvirCanvas& canvas = *track.canvas;
    canvas.SetClientSize(imageWidthPx, imageHeightPx);
    const int fix = canvas.LayerOpen("track_fix");
    const int flt = canvas.LayerOpen("track_float");
    const int events = canvas.LayerOpen("event_number");
    canvas.SetLayerPenFg(fix, fixColor);
    canvas.SetLayerPenFg(flt, floatColor);
    canvas.SetLayerPenWidth(fix, trackWidthPx);
    canvas.SetLayerPenWidth(flt, trackWidthPx);
    canvas.SetLayerPenFg(events, 0x0000FF);
    canvas.WorldSet(-10.0, viewHeightM - 10.0, runLengthM - 10.0, -10.0);

    double px = 0, py = 0;
    trackPosition(0, px, py);
    for (long i = 1; i <= shapes; ++i) {
        double x = 0, y = 0;
        trackPosition(i, x, y);
        const int layer = (i / 400) % 4 == 3 ? flt : fix;
        if (i % 100 == 0 && !linesOnly) {
            canvas.TextAdd(events, QString::number(i / 100), x, y, 0);
            ++track.texts;
        } else if ((i / 1000) % 4 == 3 && !linesOnly) {
            canvas.DrawPoint(x, y, layer); // "Track As Line" off for a while
            ++track.points;
        } else {
            canvas.DrawLine(px, py, x, y, layer);
            int x1, y1, x2, y2;
            canvas.WorldToScreen(px, py, x1, y1);
            canvas.WorldToScreen(x, y, x2, y2);
            track.segmentsPx.emplace_back(x1, y1, x2, y2);
            ++track.lines;
        }
        px = x;
        py = y;
    }
    if (wholeSurvey) {
        canvas.WorldExtents();
        track.segmentsPx.clear();
        for (const auto& shape : canvas.Model().Shapes) {
            if (const auto* line = dynamic_cast<const selvir::TSLine*>(shape.get())) {
                int x1, y1, x2, y2;
                canvas.WorldToScreen(line->X1, line->Y1, x1, y1);
                canvas.WorldToScreen(line->X2, line->Y2, x2, y2);
                track.segmentsPx.emplace_back(x1, y1, x2, y2);
            }
        }
    }
    return track;
}

// Arguments: number of track shapes, trackline width in pixels, whole survey in view (0 or 1), and
// optionally 1 for a track of lines only.
void BM_CanvasRebuild(benchmark::State& state) {
    Track track = buildTrack(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                             state.range(2) != 0, state.range(3) != 0);
    track.canvas->OffscreenImage();
    int drawn = 0;
    for (auto _ : state) {
        drawn = track.canvas->RebuildOffscreenImage();
        benchmark::DoNotOptimize(track.canvas->OffscreenImage().constBits());
    }
    state.counters["drawn"] = drawn;
    state.counters["lines"] = track.lines;
    state.counters["points"] = track.points;
    state.counters["texts"] = track.texts;
}

void BM_FloorDrawLines(benchmark::State& state) {
    const int trackWidthPx = static_cast<int>(state.range(1));
    Track track =
        buildTrack(static_cast<int>(state.range(0)), trackWidthPx, state.range(2) != 0, state.range(3) != 0);
    QImage image(imageWidthPx, imageHeightPx, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPen pen(QColor(0, 0xA0, 0), trackWidthPx, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.setPen(pen);
        painter.drawLines(track.segmentsPx.data(), static_cast<int>(track.segmentsPx.size()));
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["segments"] = static_cast<double>(track.segmentsPx.size());
}

// Heap bytes per shape, shape list slot included.
void BM_MemoryPerShape(benchmark::State& state) {
    constexpr int count = 200000;
    double perLine = 0, perPoint = 0;
    for (auto _ : state) {
        selvir::CanvasModel lines;
        lines.Shapes.reserve(count);
        const std::size_t beforeLines = mallinfo2().uordblks;
        for (int i = 0; i < count; ++i) {
            lines.DrawLine(i, i, i + 1, i + 1, 0);
        }
        perLine = static_cast<double>(mallinfo2().uordblks - beforeLines) / count;

        selvir::CanvasModel points;
        points.Shapes.reserve(count);
        const std::size_t beforePoints = mallinfo2().uordblks;
        for (int i = 0; i < count; ++i) {
            points.DrawPoint(i, i, 0);
        }
        perPoint = static_cast<double>(mallinfo2().uordblks - beforePoints) / count;
    }
    state.counters["bytes_per_line"] = perLine + sizeof(void*); // plus the list's pointer
    state.counters["bytes_per_point"] = perPoint + sizeof(void*);
}

// Width 2 is the trackline default of the display settings; width 1 is the painter's fastest pen.
// The last row of each zooms out over the whole 500k survey, where most elements are below a pixel.
// The "lines" rows are the survey's tracklines alone, 100 000 segments: the rebuild against one
// drawLines of the same segments (target: within 1.5 times).
void trackRows(benchmark::internal::Benchmark* rows) {
    rows->ArgsProduct({{10000, 100000, 500000}, {2, 1}, {0}, {0}})
        ->Args({500000, 2, 1, 0})
        ->Args({100000, 2, 0, 1})
        ->Args({100000, 1, 0, 1})
        ->ArgNames({"shapes", "width", "all", "lines"})
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}
BENCHMARK(BM_CanvasRebuild)->Apply(trackRows);
BENCHMARK(BM_FloorDrawLines)->Apply(trackRows);
BENCHMARK(BM_MemoryPerShape)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
