#pragma once
// What one load of a layout or a drawing may build, and how a load that must not stand is undone.
//
// A damaged or hostile file must not take all memory (a 2 MB layout inflating to 1 GiB of records, a
// DXF block inserted 20 000 times): a load that would make more shapes or vertices than the limits is
// refused, with a reason naming the limit, and the drawing is left as it was before the load. The
// limits are far above any survey drawing (a harbour plan of 210 000 entities loads well inside them).

#include "canvas/CanvasModel.h"
#include "canvas/ViewWindow.h"

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace selvir {

inline constexpr std::uint64_t maxShapesPerLoad = 2'000'000;
inline constexpr std::uint64_t maxPointsPerLoad = 20'000'000;

// Thrown by LoadBudget when a load passes a limit; what() is the reason the user is shown.
class LoadLimitExceeded : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Counts what a load builds (shapes of the drawing and of blocks, with their vertices).
class LoadBudget {
public:
    // One shape of `points` vertices more. Throws LoadLimitExceeded past a limit.
    void add(std::uint64_t points = 1) {
        if (++shapes_ > maxShapesPerLoad) {
            throw LoadLimitExceeded("more than " + std::to_string(maxShapesPerLoad) +
                                    " shapes: refused, the drawing is left as it was");
        }
        vertices(points);
    }
    // Vertices announced before they are read (a polyline record's count), so none is built first.
    void vertices(std::uint64_t points) {
        points_ += points;
        if (points_ > maxPointsPerLoad) {
            throw LoadLimitExceeded("more than " + std::to_string(maxPointsPerLoad) +
                                    " vertices: refused, the drawing is left as it was");
        }
    }

private:
    std::uint64_t shapes_ = 0;
    std::uint64_t points_ = 0;
};

// What a load changed, so that a stream found corrupt at its end can be undone: the drawing is then
// as it was, as if the file had been read whole before the drawing was touched.
class LoadJournal {
public:
    // `replace`: the load replaces the drawing (it is set aside now and given back by undo()); otherwise
    // it adds to it, and undo() drops what was added.
    LoadJournal(CanvasModel& model, ViewWindow& view, bool replace)
        : model_(model), view_(view), replace_(replace), savedView_(view), layerCounter_(model.LayerCounter),
          currentLayer_(model.CurrentLayer()), nextId_(model.ShapeIdCounter), shapes_(model.Shapes.size()),
          layers_(model.Layers.size()), blocks_(model.Blocks.size()) {
        if (replace_) {
            oldShapes_ = std::move(model.Shapes);
            oldLayers_ = std::move(model.Layers);
            oldSelection_ = std::move(model.Selection);
            model.Shapes.clear();
            model.Layers.clear();
            model.Selection.clear();
            model.ClearDrawing();
        }
    }

    void undo() {
        if (replace_) {
            model_.Shapes = std::move(oldShapes_);
            model_.Layers = std::move(oldLayers_);
            model_.Selection = std::move(oldSelection_);
        } else {
            model_.Shapes.resize(shapes_);
            model_.Layers.resize(layers_);
        }
        model_.Blocks.resize(blocks_);
        model_.LayerCounter = layerCounter_;
        model_.SetCurrentLayer(currentLayer_);
        model_.ShapeIdCounter = nextId_;
        view_ = savedView_;
        // The shape list was put back behind the dirty record's back.
        model_.SetDirty();
    }

private:
    CanvasModel& model_;
    ViewWindow& view_;
    bool replace_;
    ViewWindow savedView_;
    int layerCounter_;
    int currentLayer_;
    ShapeId nextId_;
    std::size_t shapes_;
    std::size_t layers_;
    std::size_t blocks_;
    std::vector<std::unique_ptr<TSShape>> oldShapes_;
    std::vector<std::unique_ptr<TSLayer>> oldLayers_;
    std::vector<ShapeId> oldSelection_;
};

} // namespace selvir
