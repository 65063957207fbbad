#pragma once
// The canvas's off-screen image, kept up to date with as little drawing as each change needs:
//   - a change of view, grid, colours or size, or a change the model could not say precisely
//     (Dirty written as a bool), rebuilds the whole image: background, grid, shape pass;
//   - shapes appended on top (a track segment, the vessel) are drawn straight onto the image when
//     nothing that must lie over them (a text, the grid drawn over the shapes) is there; otherwise, and
//     where shapes were removed, the image is redrawn inside the few rectangles concerned only, from
//     the shapes a spatial index finds there.
// Either way the image is the one a whole rebuild gives, pixel for pixel: the partial redraws draw the
// same shapes in the same order with the same decisions (culling, contrast, highlight, point
// decimation, texts over shapes), within a clip that leaves the pixels inside it as they would be
// without one. When the drawing budget cut the last rebuild, every change rebuilds.
//
// Whole rebuilds split the image into horizontal bands drawn on separate threads when there is enough
// to draw; each band draws every shape that reaches it, clipped to it, so the result does not depend
// on the number of threads.
//
// Use: update() before showing the image; it applies and empties the model's dirty record.

#include "canvas/ShapeIndex.h"
#include "canvas/ShapeRenderer.h"
#include "canvas/TextRaster.h"
#include "canvas/ViewWindow.h"

#include <QImage>
#include <QSize>
#include <cstdint>
#include <vector>

namespace selvir {

class CanvasModel;
class DrawSurface;
class TSShape;

class CanvasImage {
public:
    // What the last update did.
    struct UpdateReport {
        bool rebuilt = false;     // the whole image was drawn
        int partialRedraws = 0;   // rectangles redrawn
        int shapesDrawnOnTop = 0; // appended shapes drawn straight onto the image
        int shapesNotDrawn = 0;   // left out by the drawing budget (in the image as it stands)
    };

    // Brings the image up to date with `model` (its dirty record) for this view at `size` pixels.
    const UpdateReport& update(CanvasModel& model, const ViewWindow& view, const GridSettings& grid,
                               TColor backColor, QSize size);
    // Rebuilds the whole image now. Returns the number of shapes drawn.
    int rebuild(CanvasModel& model, const ViewWindow& view, const GridSettings& grid, TColor backColor,
                QSize size);

    const QImage& image() const { return image_; }
    QImage& image() { return image_; }
    const UpdateReport& lastReport() const { return report_; }
    // Shapes the drawing budget left out of the image as it stands.
    int shapesNotDrawn() const { return notDrawn_; }

    // The texts' measures and masks, for anything else drawn on the image.
    TextRaster& textRaster() { return textRaster_; }

    // Threads for whole rebuilds: 1 draws on the calling thread only; 0 (the default) uses as many as
    // the machine has cores, at most 4.
    void setThreads(int threads) { threads_ = threads; }

private:
    struct TextRecord {
        std::int64_t orderKey;
        const TSShape* shape;
        QRect box;
    };
    // How many drawn texts cover each cell of 16 x 16 pixels: a shape appended under one must be
    // redrawn beneath it, not drawn on top.
    class TextCover {
    public:
        void reset(QSize size);
        void add(const QRect& box, int delta);
        bool covers(const QRect& box) const;

    private:
        template <class Visit>
        void eachCell(const QRect& box, Visit&& visit) const;
        int columns_ = 0, rows_ = 0;
        std::vector<std::int32_t> counts_;
    };
    struct Frame {
        ViewWindow view;
        GridSettings grid;
        TColor backColor = colorWhite;
        QSize size;
    };

    bool sameFrame(const ViewWindow& view, const GridSettings& grid, TColor backColor, QSize size) const;
    // Keeps the index in step with the dirty record, or drops it when the record lost track.
    void followRecord(CanvasModel& model);
    void recordApplied(CanvasModel& model);
    void rebuildImage(const CanvasModel& model, const ViewWindow& view, const GridSettings& grid,
                      TColor backColor, QSize size);
    void ensureIndex(const CanvasModel& model);
    // The shapes whose bounds may meet the view (in drawing order), or none when walking the whole list
    // is cheaper. False: walk the list.
    bool candidatesInView(std::vector<const TSShape*>& out) const;
    void drawBands(const ShapePassPlan& plan);
    // Applies the dirty record; false when only a rebuild can show the change.
    bool applyRecord(const CanvasModel& model);
    void redrawRegion(DrawSurface& surface, const CanvasModel& model, const QRect& region);
    WorldBox worldBoxOf(const QRect& pixels, int marginPx) const;
    int threadCount(int shapes) const;

    QImage image_;
    Frame frame_;
    bool valid_ = false;
    std::uint64_t epoch_ = 0;

    ShapeIndex index_;
    bool indexValid_ = false;
    int maxMarginPx_ = 0; // the largest pixelMarginPx() of the indexed shapes

    // What the shape pass decided, kept for the partial redraws.
    std::vector<std::int64_t> decimatedPoints_; // ascending order keys
    PointDecimation decimation_;
    std::vector<TextRecord> texts_; // drawn texts, ascending order keys
    TextCover textCover_;
    int drawn_ = 0;
    int notDrawn_ = 0;

    int threads_ = 0;
    UpdateReport report_;
    TextRaster textRaster_;
};

} // namespace selvir
