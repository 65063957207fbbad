#pragma once
// TSelvirCanvas: the CAD canvas widget. A thin QWidget over CanvasCore, which holds the drawing, the
// view, the grid, the overlays and the tools and declares the canvas API once (see CanvasCore.h); the
// widget inherits all of it and adds only:
//   - the translation of Qt's mouse, key and wheel events into the tools' handlers, one call each,
//     inside the tools' fault guard;
//   - the paint cycle with its off-screen image, the rubber band and the overlay painting;
//   - the layout-file operations under their classic names (formats in layoutfiles/);
//   - its own widget size as the client size, QWidget::update() for repaint requests, Qt cursors for
//     the tools' pointer shapes.
//
// Headless use: everything except painting works on a canvas that was never shown. Give it a client
// size with SetClientSize(w, h) (a new canvas is 400 x 300); OffscreenImage() renders without a window.
//
// Paint cycle (paintEvent -> Paint):
//   1. bring the off-screen image up to date (CanvasImage.h): a whole rebuild (back colour, grid under
//      the shapes, shape pass, grid over the shapes) when the client size, the world window, grid or
//      back colour changed or the drawing changed as a whole, otherwise only what the dirty record
//      names (shapes appended and removed); the dirty flag is cleared;
//   2. copy the image to the widget;
//   3. on the widget only: the rubber band, then the survey overlays (PaintOverlays).
// Overlays and the rubber band therefore cost no rebuild: changing them only needs Invalidate().
// Repaint requests go through QWidget::update(), so any number of them gives one paint.

#include "canvas/CanvasCore.h"
#include "canvas/CanvasImage.h"
#include "canvas/LabelTextCache.h"
#include "core/DateTime.h"
#include "layoutfiles/LayoutFileResult.h"

#include <QImage>
#include <QString>
#include <QWidget>
#include <functional>
#include <string>

class QPainter;

namespace selvir {

struct DxfLoadReport;
struct DxfProgress;

class TSelvirCanvas : public QWidget, public CanvasCore {
    Q_OBJECT
public:
    explicit TSelvirCanvas(QWidget* owner = nullptr);
    ~TSelvirCanvas() override;

    ClientSize clientSize() const override { return {width(), height()}; }

    // --- Layout files (formats in layoutfiles/: NativeLayout.h, DxfExport.h, DxfImport.h, XyzImport.h).
    // Each returns false on failure, keeps why for LastFileError, shows no message and lets no
    // exception escape; loads request a repaint. The integer of CadSave and the first two of CadLoad have no
    // effect (the owner passes -1); CadLoad's mode 0 replaces the drawing, any other value adds to it.
    // DXFLoad hands its report lines to the caller and its progress to `progress` (for a progress dialog).
    bool CadSave(const QString& fileName, int unused = -1);
    bool CadLoad(const QString& fileName, int unused1, int unused2, int mode);
    bool DXFSave(const QString& fileName);
    bool DXFLoad(const QString& fileName, DxfLoadReport* report = nullptr,
                 const std::function<void(const DxfProgress&)>& progress = {});
    bool XYZLoad(const QString& fileName, int layer, double low, double high);
    // The clock of the "Created on" line CadSave writes; null (the default) is the system clock. The
    // clock must outlive the canvas.
    void SetClock(const Clock* clock) { clock_ = clock; }
    // Why the last layout-file operation failed: the file, then what failed ("plan.gvx: No such file
    // or directory"); empty after a success.
    const std::string& LastFileError() const { return lastFileError_; }

    // --- Painting
    // The off-screen image, brought up to date first (paint step 1). Works on a hidden canvas.
    const QImage& OffscreenImage();
    // Rebuilds the whole off-screen image now, whatever the dirty flag says. Returns the shapes drawn.
    int RebuildOffscreenImage();
    // What bringing the image up to date last did, and how many shapes the drawing budget left out of
    // it (the status bar says so: a map must not lose part of its drawing silently).
    const CanvasImage::UpdateReport& LastImageUpdate() const { return image_.lastReport(); }
    int ShapesNotDrawn() const { return image_.shapesNotDrawn(); }
    // Threads for whole rebuilds (CanvasImage::setThreads).
    void SetRenderThreads(int threads) { image_.setThreads(threads); }
    // Shape pass and grid on the off-screen image as it stands (the rebuild calls them in order).
    int DrawAllShapes();
    void DrawGrid();
    // The rubber band of the drawing tool in use, drawn with XOR on `surface`; nothing unless a
    // drawing has placed its first point.
    void DrawRubberBand(QPainter* surface) const;
    void AboutBox();

    // --- Survey overlays as painted (TSelvirCanvasOverlays.cpp)
    // True when the client pixel lies on the position-status box where it is drawn now; false while
    // there is no status text.
    bool IsPointInGGAOverlay(int x, int y) const;
    // The position-status box as drawn (client pixels); an empty box when there is no status text.
    PixelBox GGAOverlayBox() const;
    // Paint step 3 after the rubber band, on `surface` (the widget while painting): distance measure,
    // depth labels, event labels, depth and speed box, position status.
    void PaintOverlays(QPainter& surface);
    void DrawDistanceOverlay(QPainter* surface);
    void DrawDepthLabelsOverlay(QPainter* surface);
    void DrawEventLabelsOverlay(QPainter* surface);
    void DrawCurrentDepthOverlay(QPainter* surface);
    void DrawCurrentSpeedOverlay(QPainter*) {} // the speed is part of the depth box
    void DrawGGAOverlay(QPainter* surface);

signals:
    // The number of shapes the drawing budget leaves out of the image changed (0: all are drawn).
    void shapesNotDrawnChanged(int count);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    // Paint steps; called from paintEvent only.
    void Paint();

    void requestRepaint() override { update(); }
    void applyClientSize(int widthPx, int heightPx) override { resize(widthPx, heightPx); }
    void showPointer(PointerShape shape) override;

private:
    // Hands a press, release or double-click of a button the tools know to `handler`, guarded.
    using ButtonHandler = void (CanvasTools::*)(TMouseButton, TShiftState, int, int);
    void forwardButton(QMouseEvent* event, ButtonHandler handler);
    void noteShapesNotDrawn();
    bool keepOutcome(LayoutFileResult result);
    // Labels centred on their anchors, those within the view's slack only.
    template <class Label, class TextOf>
    void drawLabels(QPainter& painter, LabelTextCache& texts, const QFont& font, TColor color,
                    const std::vector<Label>& labels, TextOf textOf);
    // Text size of the position-status line in its font; (0, 0) without status text.
    TextSize ggaTextSize() const;

    const Clock* clock_ = nullptr;
    SystemClock systemClock_;
    std::string lastFileError_;
    LabelTextCache depthLabelTexts_;
    LabelTextCache eventLabelTexts_;

    CanvasImage image_;
    int reportedNotDrawn_ = 0;
};

} // namespace selvir
