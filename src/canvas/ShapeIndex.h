#pragma once
// A spatial index over the shapes of a drawing: which shapes may touch a world rectangle, without
// looking at the others, so that a zoomed-in view or a small redraw touches only what lies there.
//
// A packed Hilbert R-tree (nodes of 16 entries) over the shapes present when it was built, plus a short
// unsorted list of shapes inserted since; erased shapes are marked dead in place. When the list or the
// dead grow past a share of the tree, needsRebuild() says so. Boxes are kept in single precision
// relative to the centre of the drawing, rounded outwards, so a query may return a few shapes more
// than it must, never fewer. Shapes without a finite box are not indexed.
//
// Not thread-safe for writing; concurrent queries are fine.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace selvir {

class TSShape;

// A box in world units (metres), edges included.
struct WorldBox {
    double minX = 0.0, minY = 0.0, maxX = 0.0, maxY = 0.0;
    bool finite() const;
    bool meets(const WorldBox& other) const {
        return minX <= other.maxX && other.minX <= maxX && minY <= other.maxY && other.minY <= maxY;
    }
};

class ShapeIndex {
public:
    struct Item {
        const TSShape* shape;
        WorldBox box;
    };

    // Replaces the contents with `items`.
    void build(const std::vector<Item>& items);
    void clear();
    // Adds one shape; false (and nothing indexed) for a box that is not finite.
    bool insert(const TSShape* shape, const WorldBox& box);
    // Takes out the shape indexed under `box` (the box it was indexed with); false when absent.
    bool erase(const TSShape* shape, const WorldBox& box);
    // The shapes whose boxes meet `box`, in no particular order, appended to `out`.
    void query(const WorldBox& box, std::vector<const TSShape*>& out) const;

    std::size_t size() const { return live_; }
    bool empty() const { return live_ == 0; }
    // The box of everything ever indexed since the last build (dead shapes may still widen it).
    const WorldBox& extent() const { return extent_; }
    // Many shapes were inserted or erased since the last build: a rebuild would make queries faster.
    bool needsRebuild() const;

private:
    struct Node {
        float minX, minY, maxX, maxY;
    };
    struct Leaf {
        Node box;
        const TSShape* shape; // null when erased
    };
    Node toNode(const WorldBox& box) const;
    static bool meets(const Node& a, const Node& b) {
        return a.minX <= b.maxX && b.minX <= a.maxX && a.minY <= b.maxY && b.minY <= a.maxY;
    }
    void widenExtent(const WorldBox& box);
    template <class Self, class Visit>
    static void forEachLeafMeeting(Self& self, const Node& target, Visit&& visit);

    double originX_ = 0.0, originY_ = 0.0;
    std::vector<Leaf> leaves_;              // the tree's entries, in Hilbert order
    std::vector<std::vector<Node>> levels_; // levels_[0] groups 16 leaves each, the last is the root
    std::vector<Leaf> recent_;              // inserted since the build
    std::size_t live_ = 0;
    std::size_t dead_ = 0; // erased leaves of the tree
    WorldBox extent_;
    bool hasExtent_ = false;
};

} // namespace selvir
