// One paint of the survey overlays at 1920 x 1080: the shape image copied, then 10000 depth labels
// (about half of them in view), 100 event labels, the depth and speed box, the position-status box
// and the distance measure, as the widget's paint draws them after every realtime update. Also the
// cost of adding a depth label to a full list (the spacing check runs over every label).
//
// The labels lie along a survey of 25 lines 4000 m long, 20 m apart, one label every 10 m; the view
// shows the first 2000 m of every line.
#include "canvaswidget/TSelvirCanvas.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

using selvir::TSelvirCanvas;

constexpr int imageWidthPx = 1920;
constexpr int imageHeightPx = 1080;
constexpr int surveyLines = 25;
constexpr int labelsPerLine = 400;
constexpr double labelStepM = 10.0;
constexpr double lineSpacingM = 20.0;
constexpr double viewWidthM = 2000.0;
constexpr int eventLabels = 100;

std::unique_ptr<TSelvirCanvas> surveyCanvas(int& labelsInView) {
    auto canvas = std::make_unique<TSelvirCanvas>();
    canvas->SetClientSize(imageWidthPx, imageHeightPx);
    const double viewHeightM = viewWidthM * imageHeightPx / imageWidthPx;
    canvas->WorldSet(-5.0, viewHeightM - 20.0, viewWidthM - 5.0, -20.0);
    for (int line = 0; line < surveyLines; ++line) {
        for (int i = 0; i < labelsPerLine; ++i) {
            const double depthM = 5.0 + (line * 37 + i * 13) % 250 / 10.0;
            canvas->AddDepthLabel(i * labelStepM, line * lineSpacingM, depthM);
        }
    }
    for (int e = 1; e <= eventLabels; ++e) {
        canvas->AddEventLabel((e % 40) * 50.0, (e % 25) * lineSpacingM + 5.0, e);
    }
    canvas->SetCurrentDepth(12.34, 12.56, true);
    canvas->SetCurrentSpeed(4.26, true);
    selvir::OverlayOwnerState owner;
    owner.statusText = QStringLiteral("RTK FIX  Sats: 14  HDOP: 0.7  Age: 1.0 s");
    owner.fixQuality = 4;
    canvas->SetOverlayOwnerState(owner);
    canvas->StartDistanceMeasure(100, 100);
    canvas->UpdateDistanceMeasure(700, 400, 670.82, 26.6);

    labelsInView = 0;
    for (const selvir::DepthLabel& label : canvas->Overlays().DepthLabels) {
        int px = 0, py = 0;
        canvas->WorldToScreen(label.X, label.Y, px, py);
        labelsInView += selvir::labelAnchorInView(px, py, canvas->clientSize()) ? 1 : 0;
    }
    return canvas;
}

// Paint steps 2 and 3: the image copy and the overlays, on an image the size of the widget.
void BM_OverlayPaint(benchmark::State& state) {
    int labelsInView = 0;
    auto canvas = surveyCanvas(labelsInView);
    const QImage& shapes = canvas->OffscreenImage();
    QImage target(imageWidthPx, imageHeightPx, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&target);
        painter.drawImage(0, 0, shapes);
        canvas->PaintOverlays(painter);
        painter.end();
        benchmark::DoNotOptimize(target.constBits());
    }
    state.counters["depth_labels"] = static_cast<double>(canvas->Overlays().DepthLabels.size());
    state.counters["in_view"] = labelsInView;
    state.counters["event_labels"] = eventLabels;
}

// A depth label added to a list of 10000 (it is refused, so the list stays full): the spacing check.
void BM_AddDepthLabelToAFullList(benchmark::State& state) {
    int labelsInView = 0;
    auto canvas = surveyCanvas(labelsInView);
    for (auto _ : state) {
        canvas->AddDepthLabel(3995.0, 485.0, 9.9);
    }
    state.counters["depth_labels"] = static_cast<double>(canvas->Overlays().DepthLabels.size());
}

BENCHMARK(BM_OverlayPaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddDepthLabelToAFullList)->Unit(benchmark::kMicrosecond);

} // namespace
