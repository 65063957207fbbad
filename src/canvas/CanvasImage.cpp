#include "canvas/CanvasImage.h"

#include "canvas/CanvasColor.h"
#include "canvas/CanvasModel.h"
#include "canvas/DrawSurface.h"
#include "canvas/ShapeFootprint.h"
#include "canvas/Shapes.h"

#include <QPainter>
#include <algorithm>
#include <thread>

namespace selvir {
namespace {

// A view showing less than this share of the drawing's extent is drawn from the shapes the index
// finds there; a wider one walks the whole list, which is then cheaper than sorting what was found.
constexpr double indexedViewShare = 0.25;
// Below this many shapes a whole walk is cheap enough that a zoomed-in view does not build the index.
constexpr std::size_t indexWorthShapes = 20000;
// Below this many shapes to draw, one thread does it all.
constexpr int shapesPerThread = 4000;
// Bands narrower than this are not worth a thread.
constexpr int minimumBandHeightPx = 64;
constexpr int maximumThreads = 4;
// Redrawn rectangles closer than this are merged into one.
constexpr int mergeDistancePx = 8;
// Past this many rectangles, or this share of the image, one rebuild is cheaper.
constexpr std::size_t maximumRegions = 16;
constexpr double maximumRedrawShare = 0.5;

bool byOrder(const TSShape* a, const TSShape* b) {
    return a->OrderKey < b->OrderKey;
}

// Merges rectangles that overlap or nearly touch until none do.
std::vector<QRect> mergedRegions(std::vector<QRect> regions) {
    bool merged = true;
    while (merged) {
        merged = false;
        for (std::size_t i = 0; i < regions.size() && !merged; ++i) {
            const QRect grown =
                regions[i].adjusted(-mergeDistancePx, -mergeDistancePx, mergeDistancePx, mergeDistancePx);
            for (std::size_t j = i + 1; j < regions.size(); ++j) {
                if (grown.intersects(regions[j])) {
                    regions[i] = regions[i].united(regions[j]);
                    regions.erase(regions.begin() + static_cast<std::ptrdiff_t>(j));
                    merged = true;
                    break;
                }
            }
        }
    }
    return regions;
}

bool meetsAny(const QRect& box, const std::vector<QRect>& regions) {
    return std::any_of(regions.begin(), regions.end(), [&](const QRect& r) { return r.intersects(box); });
}

// Fills the background and draws the grid and the shape pass, all within the surface's clip.
void drawFrame(DrawSurface& surface, const ShapePassPlan& plan, const ViewWindow& view,
               const GridSettings& grid, TColor backColor, ClientSize client,
               const std::vector<TextLayout>* textLayouts) {
    const QRect clip = surface.clip();
    surface.fillRect(clip.left(), clip.top(), clip.right() + 1, clip.bottom() + 1, backColor);
    if (grid.GridOrder == 0) {
        DrawGrid(surface, grid, view, client);
    }
    drawShapePass(surface, plan, view, client, backColor, textLayouts);
    if (grid.GridOrder == 1) {
        DrawGrid(surface, grid, view, client);
    }
    surface.flush();
}

constexpr int textCellPx = 16;

} // namespace

void CanvasImage::TextCover::reset(QSize size) {
    columns_ = (size.width() + textCellPx - 1) / textCellPx;
    rows_ = (size.height() + textCellPx - 1) / textCellPx;
    counts_.assign(static_cast<std::size_t>(columns_) * rows_, 0);
}

template <class Visit>
void CanvasImage::TextCover::eachCell(const QRect& box, Visit&& visit) const {
    if (box.isEmpty()) {
        return;
    }
    const int firstColumn = std::max(box.left() / textCellPx, 0);
    const int lastColumn = std::min(box.right() / textCellPx, columns_ - 1);
    const int firstRow = std::max(box.top() / textCellPx, 0);
    const int lastRow = std::min(box.bottom() / textCellPx, rows_ - 1);
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            if (visit(static_cast<std::size_t>(row) * columns_ + column)) {
                return;
            }
        }
    }
}

void CanvasImage::TextCover::add(const QRect& box, int delta) {
    eachCell(box, [&](std::size_t cell) {
        counts_[cell] += delta;
        return false;
    });
}

bool CanvasImage::TextCover::covers(const QRect& box) const {
    bool covered = false;
    eachCell(box, [&](std::size_t cell) { return covered = counts_[cell] > 0; });
    return covered;
}

bool CanvasImage::sameFrame(const ViewWindow& view, const GridSettings& grid, TColor backColor,
                            QSize size) const {
    return valid_ && frame_.size == size && frame_.view == view && frame_.grid == grid &&
           frame_.backColor == backColor && image_.size() == size;
}

int CanvasImage::threadCount(int shapes) const {
    int threads = threads_ > 0 ? threads_ : static_cast<int>(std::thread::hardware_concurrency());
    threads = std::clamp(threads, 1, maximumThreads);
    threads = std::min(threads, std::max(1, shapes / shapesPerThread));
    return std::min(threads, std::max(1, image_.height() / minimumBandHeightPx));
}

void CanvasImage::ensureIndex(const CanvasModel& model) {
    if (indexValid_ && !index_.needsRebuild()) {
        return;
    }
    std::vector<ShapeIndex::Item> items;
    items.reserve(model.Shapes.size());
    maxMarginPx_ = 0;
    for (const auto& shape : model.Shapes) {
        items.push_back({shape.get(), indexBox(*shape)});
        maxMarginPx_ = std::max(maxMarginPx_, pixelMarginPx(*shape));
    }
    index_.build(items);
    indexValid_ = true;
}

bool CanvasImage::candidatesInView(std::vector<const TSShape*>& out) const {
    if (!indexValid_ || index_.empty()) {
        return false;
    }
    const ViewWindow& view = frame_.view;
    const WorldBox& extent = index_.extent();
    const double extentArea = (extent.maxX - extent.minX) * (extent.maxY - extent.minY);
    const WorldBox window{view.WorldLeft, view.WorldBottom, view.WorldRight, view.WorldTop};
    const double overlapW = std::min(window.maxX, extent.maxX) - std::max(window.minX, extent.minX);
    const double overlapH = std::min(window.maxY, extent.maxY) - std::max(window.minY, extent.minY);
    if (!(extentArea > 0) || !(overlapW * overlapH < indexedViewShare * extentArea)) {
        return false;
    }
    // Every shape whose bounds meet the window: the ones the pass looks at.
    index_.query(window, out);
    std::sort(out.begin(), out.end(), byOrder);
    return true;
}

WorldBox CanvasImage::worldBoxOf(const QRect& pixels, int marginPx) const {
    const ViewWindow& view = frame_.view;
    const double w = std::max(frame_.size.width(), 1);
    const double h = std::max(frame_.size.height(), 1);
    const double unitsX = view.GetWorldWidth() / w;
    const double unitsY = view.GetWorldHeight() / h;
    const double left = view.WorldLeft + (pixels.left() - marginPx) * unitsX;
    const double right = view.WorldLeft + (pixels.right() + 1 + marginPx) * unitsX;
    const double top = view.WorldTop - (pixels.top() - marginPx) * unitsY;
    const double bottom = view.WorldTop - (pixels.bottom() + 1 + marginPx) * unitsY;
    return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

void CanvasImage::drawBands(const ShapePassPlan& plan) {
    const ClientSize client{image_.width(), image_.height()};
    const int threads = threadCount(plan.drawn());
    // Each band paints through its own QImage over the same pixels: a paint device takes one painter
    // at a time, and the bands never write outside their own rows.
    struct Band {
        explicit Band(QImage& image, TextRaster& raster)
            : view(image.bits(), image.width(), image.height(), image.bytesPerLine(), image.format()),
              painter(&view), surface(painter, &view) {
            surface.setTextRaster(&raster);
        }
        QImage view;
        QPainter painter;
        DrawSurface surface;
    };
    Band first(image_, textRaster_);
    // The texts are laid out once, here, for all bands.
    const std::vector<TextLayout> layouts =
        layoutTexts(first.surface, plan, frame_.view, client, frame_.backColor);
    auto drawBand = [&](Band& band, int index) {
        const int top = image_.height() * index / threads;
        const int bottom = image_.height() * (index + 1) / threads;
        band.surface.setClip(QRect(0, top, image_.width(), bottom - top));
        drawFrame(band.surface, plan, frame_.view, frame_.grid, frame_.backColor, client, &layouts);
    };
    std::vector<std::thread> workers;
    for (int index = 1; index < threads; ++index) {
        workers.emplace_back([&, index] {
            Band band(image_, textRaster_);
            drawBand(band, index);
        });
    }
    drawBand(first, 0);
    for (std::thread& worker : workers) {
        worker.join();
    }
    texts_.clear();
    textCover_.reset(image_.size());
    for (std::size_t i = 0; i < layouts.size(); ++i) {
        if (layouts[i].drawn) {
            const QRect box = layouts[i].box.intersected(image_.rect());
            texts_.push_back({plan.texts[i]->OrderKey, plan.texts[i], box});
            textCover_.add(box, 1);
        }
    }
}

void CanvasImage::followRecord(CanvasModel& model) {
    if (model.Dirty.wholeDrawing() || model.Dirty.epoch() != epoch_ || !valid_) {
        indexValid_ = false;
        return;
    }
    if (!indexValid_) {
        return;
    }
    for (const auto& removed : model.Dirty.removedShapes()) {
        index_.erase(removed.get(), indexBox(*removed));
    }
    for (const TSShape* appended : model.Dirty.appendedShapes()) {
        index_.insert(appended, indexBox(*appended));
        maxMarginPx_ = std::max(maxMarginPx_, pixelMarginPx(*appended));
    }
}

void CanvasImage::recordApplied(CanvasModel& model) {
    model.Dirty.recordApplied();
    model.Dirty = false;
    epoch_ = model.Dirty.epoch();
}

int CanvasImage::rebuild(CanvasModel& model, const ViewWindow& view, const GridSettings& grid,
                         TColor backColor, QSize size) {
    followRecord(model);
    rebuildImage(model, view, grid, backColor, size);
    recordApplied(model);
    return drawn_;
}

void CanvasImage::rebuildImage(const CanvasModel& model, const ViewWindow& view, const GridSettings& grid,
                               TColor backColor, QSize size) {
    report_ = {};
    report_.rebuilt = true;
    const QSize client(std::max(size.width(), 1), std::max(size.height(), 1));
    if (image_.size() != client) {
        image_ = QImage(client, QImage::Format_RGB32);
    }
    frame_ = {view, grid, backColor, client};
    valid_ = true;

    // The index is built when it pays: for the partial redraws (applyRecord) and for views that show
    // a small part of a large drawing. A whole rebuild at the extents walks the list without it.
    std::vector<const TSShape*> candidates;
    const ClientSize pixels{client.width(), client.height()};
    const ShapePassPlan plan = candidatesInView(candidates) ? planShapePass(candidates, model, view, pixels)
                                                            : planShapePass(model, view, pixels);
    drawBands(plan);
    if (!indexValid_ && model.Shapes.size() > indexWorthShapes &&
        plan.looked < indexedViewShare * static_cast<double>(model.Shapes.size())) {
        ensureIndex(model);
    }
    decimatedPoints_ = plan.decimatedPoints;
    decimation_ = plan.decimation;
    drawn_ = plan.drawn();
    notDrawn_ = plan.notDrawn;
    report_.shapesNotDrawn = notDrawn_;
}

const CanvasImage::UpdateReport& CanvasImage::update(CanvasModel& model, const ViewWindow& view,
                                                     const GridSettings& grid, TColor backColor, QSize size) {
    const QSize client(std::max(size.width(), 1), std::max(size.height(), 1));
    const bool continuous = valid_ && !model.Dirty.wholeDrawing() && model.Dirty.epoch() == epoch_;
    followRecord(model);
    if (!sameFrame(view, grid, backColor, client) || !continuous) {
        rebuildImage(model, view, grid, backColor, client);
    } else if (model.Dirty) {
        report_ = {};
        if (!applyRecord(model)) {
            rebuildImage(model, view, grid, backColor, client);
        }
    } else {
        report_ = {};
    }
    recordApplied(model);
    report_.shapesNotDrawn = notDrawn_;
    return report_;
}

bool CanvasImage::applyRecord(const CanvasModel& model) {
    // A cut rebuild depends on the order of the whole list: any change moves the cut.
    if (notDrawn_ > 0) {
        return false;
    }
    ensureIndex(model);
    const ViewWindow& view = frame_.view;
    const ClientSize client{image_.width(), image_.height()};
    const ShapePassRules rules(model, view, client);
    const PixelMap map(view.WorldLeft, view.WorldRight, view.WorldTop, view.WorldBottom, client.Width,
                       client.Height);
    const QRect imageRect = image_.rect();
    const bool gridOver = frame_.grid.GridOrder == 1 && frame_.grid.GridVisible;

    std::vector<QRect> damage;
    for (const auto& owned : model.Dirty.removedShapes()) {
        const TSShape& removed = *owned;
        if (removed.ShapeType == ShapeKind::Text) {
            const auto found =
                std::lower_bound(texts_.begin(), texts_.end(), removed.OrderKey,
                                 [](const TextRecord& t, std::int64_t key) { return t.orderKey < key; });
            if (found != texts_.end() && found->orderKey == removed.OrderKey) {
                damage.push_back(found->box);
                textCover_.add(found->box, -1);
                texts_.erase(found);
            }
            continue;
        }
        if (!rules.shown(removed)) {
            continue;
        }
        if (removed.ShapeType == ShapeKind::Point) {
            const auto found =
                std::lower_bound(decimatedPoints_.begin(), decimatedPoints_.end(), removed.OrderKey);
            if (found != decimatedPoints_.end() && *found == removed.OrderKey) {
                decimatedPoints_.erase(found);
                continue;
            }
            return false; // a drawn point: the points after it may be decided otherwise now
        }
        if (!rules.subPixel(removed)) {
            damage.push_back(footprintPx(removed, map).intersected(imageRect));
        }
    }

    QPainter painter(&image_);
    DrawSurface surface(painter, &image_);
    surface.setTextRaster(&textRaster_);
    surface.setShapeColorRule(frame_.backColor);

    struct OnTop {
        const TSShape* shape;
        QRect box;
        TextLayout text;
    };
    std::vector<OnTop> shapesOnTop, textsOnTop;
    for (const TSShape* appended : model.Dirty.appendedShapes()) {
        if (!rules.shown(*appended)) {
            continue;
        }
        if (appended->ShapeType == ShapeKind::Text) {
            const auto& text = static_cast<const TSText&>(*appended);
            const TextLayout layout = text.layout(surface, map);
            if (++drawn_ > shapeDrawBudget) {
                return false;
            }
            if (layout.drawn) {
                const QRect box = layout.box.intersected(imageRect);
                texts_.push_back({text.OrderKey, &text, box});
                textCover_.add(box, 1);
                textsOnTop.push_back({&text, box, layout});
            }
            continue;
        }
        if (appended->ShapeType == ShapeKind::Point) {
            if (!decimation_.keep(rules.pointPixel(static_cast<const TSPoint&>(*appended)))) {
                decimatedPoints_.push_back(appended->OrderKey);
                continue;
            }
        } else if (rules.subPixel(*appended)) {
            continue;
        }
        if (++drawn_ > shapeDrawBudget) {
            return false;
        }
        const QRect box = footprintPx(*appended, map).intersected(imageRect);
        if (box.isEmpty()) {
            continue;
        }
        if (gridOver || textCover_.covers(box)) {
            damage.push_back(box);
        } else {
            shapesOnTop.push_back({appended, box, {}});
        }
    }
    for (OnTop& text : textsOnTop) {
        if (gridOver) {
            damage.push_back(text.box);
            text.shape = nullptr;
        }
    }

    std::erase_if(damage, [](const QRect& r) { return r.isEmpty(); });
    // What is drawn on top must stay clear of what is redrawn, or the order between them would be lost.
    std::vector<QRect> regions;
    for (bool moved = true; moved;) {
        regions = mergedRegions(damage);
        moved = false;
        for (std::vector<OnTop>* list : {&shapesOnTop, &textsOnTop}) {
            for (OnTop& onTop : *list) {
                if (onTop.shape != nullptr && meetsAny(onTop.box, regions)) {
                    damage.push_back(onTop.box);
                    onTop.shape = nullptr;
                    moved = true;
                }
            }
        }
    }
    long redrawnArea = 0;
    for (const QRect& region : regions) {
        redrawnArea += static_cast<long>(region.width()) * region.height();
    }
    if (regions.size() > maximumRegions ||
        redrawnArea > maximumRedrawShare * static_cast<double>(imageRect.width()) * imageRect.height()) {
        return false;
    }

    for (const QRect& region : regions) {
        redrawRegion(surface, model, region);
    }
    surface.setClip(QRect());
    surface.setShapeColorRule(frame_.backColor);
    for (const OnTop& onTop : shapesOnTop) {
        if (onTop.shape != nullptr) {
            onTop.shape->Draw(surface, view.WorldLeft, view.WorldRight, view.WorldTop, view.WorldBottom,
                              client.Width, client.Height);
            ++report_.shapesDrawnOnTop;
        }
    }
    for (const OnTop& onTop : textsOnTop) {
        if (onTop.shape != nullptr) {
            static_cast<const TSText&>(*onTop.shape).paintLayout(surface, onTop.text);
            ++report_.shapesDrawnOnTop;
        }
    }
    surface.flush();
    report_.partialRedraws = static_cast<int>(regions.size());
    if (index_.needsRebuild()) {
        indexValid_ = false; // rebuilt when next needed
    }
    return true;
}

void CanvasImage::redrawRegion(DrawSurface& surface, const CanvasModel& model, const QRect& region) {
    const ViewWindow& view = frame_.view;
    const ClientSize client{image_.width(), image_.height()};
    const ShapePassRules rules(model, view, client);
    const PixelMap map(view.WorldLeft, view.WorldRight, view.WorldTop, view.WorldBottom, client.Width,
                       client.Height);

    // The shapes the whole pass drew that can reach the region, in drawing order.
    std::vector<const TSShape*> found;
    index_.query(worldBoxOf(region, maxMarginPx_), found);
    std::sort(found.begin(), found.end(), byOrder);
    ShapePassPlan plan;
    for (const TSShape* shape : found) {
        if (shape->ShapeType == ShapeKind::Text || !rules.shown(*shape)) {
            continue;
        }
        if (shape->ShapeType == ShapeKind::Point) {
            if (std::binary_search(decimatedPoints_.begin(), decimatedPoints_.end(), shape->OrderKey)) {
                continue;
            }
        } else if (rules.subPixel(*shape)) {
            continue;
        }
        plan.shapes.push_back(shape);
    }
    for (const TextRecord& text : texts_) {
        if (text.box.intersects(region)) {
            plan.texts.push_back(text.shape);
        }
    }
    surface.setClip(region);
    drawFrame(surface, plan, view, frame_.grid, frame_.backColor, client, nullptr);
}

} // namespace selvir
