#pragma once
// The dirty flag of the drawing, and the record of changes that lets the painter redraw only what a
// change needs.
//
// Written as a bool (`Dirty = true`, `Dirty |= changed`, SetDirty()) it says "something changed, but
// not what": the painter then redraws the whole drawing. Every operation that does not say precisely
// what it changed writes it so, and so may any owner. The operations a survey repeats on every map
// tick say what they did instead:
//   - shapeAppended(): a shape was put on top of the list;
//   - shapeRemoved(): a shape was taken off the list; the record keeps it alive until the painter has
//     seen where it was drawn;
//   - viewChanged(): the world window, grid or colours changed, the drawing did not.
// Read as a bool it is true after any of them. The painter applies the record, calls recordApplied()
// and writes `Dirty = false`.
//
// epoch() counts the times the record lost track of the drawing (a whole-drawing change, or the record
// dropped before the painter applied it); whatever the painter derived from the shape list (its
// spatial index) is valid only while the epoch stays the one it was built at.
//
// The record is bounded: past maxRecordedShapes changes of one kind it gives way to a whole-drawing
// change (loading a file appends hundreds of thousands of shapes; one rebuild is cheaper then).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace selvir {

class TSShape;

class DirtyFlag {
public:
    static constexpr std::size_t maxRecordedShapes = 4096;

    DirtyFlag() = default; // a new drawing is dirty as a whole
    DirtyFlag(DirtyFlag&&) noexcept;
    DirtyFlag& operator=(DirtyFlag&&) noexcept;
    ~DirtyFlag();

    // true: a change of the whole drawing; false: nothing left to redraw (the record is emptied).
    DirtyFlag& operator=(bool dirty);
    DirtyFlag& operator|=(bool dirty) {
        if (dirty) {
            *this = true;
        }
        return *this;
    }
    operator bool() const { return whole_ || view_ || !appended_.empty() || !removed_.empty(); }

    void shapeAppended(const TSShape* shape);
    void shapeRemoved(std::unique_ptr<TSShape> shape);
    void viewChanged() { view_ = true; }
    // The painter has applied the record: it is emptied without losing track (the epoch stays).
    void recordApplied();

    bool wholeDrawing() const { return whole_; }
    std::uint64_t epoch() const { return epoch_; }
    // Counts every change of the whole drawing (every `Dirty = true`), also one made while the drawing
    // was dirty as a whole already: what the model derives from its shapes is valid while it stays.
    std::uint64_t wholeChanges() const { return wholeChanges_; }
    // Shapes appended since the record was emptied and still in the list, in list order.
    const std::vector<const TSShape*>& appendedShapes() const { return appended_; }
    // Shapes taken off the list since then that were there before it (alive until the record empties).
    const std::vector<std::unique_ptr<TSShape>>& removedShapes() const { return removed_; }

private:
    void dropRecord();

    bool whole_ = true;
    bool view_ = false;
    std::uint64_t epoch_ = 0;
    std::uint64_t wholeChanges_ = 0;
    std::vector<const TSShape*> appended_;
    std::vector<std::unique_ptr<TSShape>> removed_;
};

} // namespace selvir
