#include "canvas/ShapeIndex.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numeric>

namespace selvir {
namespace {

constexpr std::size_t nodeSize = 16;
constexpr std::size_t minimumRebuildCount = 256;

// One step of single precision down or up, by the bit pattern (cheaper than nextafter).
float stepDown(float f) {
    if (f == 0.0f) {
        return -std::numeric_limits<float>::denorm_min();
    }
    const auto bits = std::bit_cast<std::uint32_t>(f);
    return std::bit_cast<float>(f > 0.0f ? bits - 1 : bits + 1);
}
float stepUp(float f) {
    return -stepDown(-f);
}

// Single precision, rounded down (low) or up (high) and then one more step out, so that the float box
// always holds the double one.
float lowFloat(double v) {
    float f = static_cast<float>(v);
    if (static_cast<double>(f) > v) {
        f = stepDown(f);
    }
    return std::isfinite(f) ? stepDown(f) : f;
}
float highFloat(double v) {
    float f = static_cast<float>(v);
    if (static_cast<double>(f) < v) {
        f = stepUp(f);
    }
    return std::isfinite(f) ? stepUp(f) : f;
}

// Position of (x, y), each 0..65535, along the Hilbert curve that fills the square (the classic
// iterative form: quadrant by quadrant, turning the remainder into the quadrant's own frame).
std::uint32_t hilbertIndex(std::uint32_t x, std::uint32_t y) {
    constexpr std::uint32_t side = 1u << 16;
    std::uint32_t index = 0;
    for (std::uint32_t half = side / 2; half > 0; half /= 2) {
        const std::uint32_t rx = (x & half) ? 1 : 0;
        const std::uint32_t ry = (y & half) ? 1 : 0;
        index += half * half * ((3 * rx) ^ ry);
        if (ry == 0) {
            if (rx == 1) {
                x = side - 1 - x;
                y = side - 1 - y;
            }
            std::swap(x, y);
        }
    }
    return index;
}

} // namespace

bool WorldBox::finite() const {
    return std::isfinite(minX) && std::isfinite(minY) && std::isfinite(maxX) && std::isfinite(maxY) &&
           minX <= maxX && minY <= maxY;
}

ShapeIndex::Node ShapeIndex::toNode(const WorldBox& box) const {
    return {lowFloat(box.minX - originX_), lowFloat(box.minY - originY_), highFloat(box.maxX - originX_),
            highFloat(box.maxY - originY_)};
}

void ShapeIndex::widenExtent(const WorldBox& box) {
    if (!hasExtent_) {
        extent_ = box;
        hasExtent_ = true;
        return;
    }
    extent_ = {std::min(extent_.minX, box.minX), std::min(extent_.minY, box.minY),
               std::max(extent_.maxX, box.maxX), std::max(extent_.maxY, box.maxY)};
}

void ShapeIndex::clear() {
    leaves_.clear();
    levels_.clear();
    recent_.clear();
    live_ = dead_ = 0;
    extent_ = {};
    hasExtent_ = false;
}

void ShapeIndex::build(const std::vector<Item>& items) {
    clear();
    std::vector<std::size_t> usable;
    usable.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].box.finite()) {
            usable.push_back(i);
            widenExtent(items[i].box);
        }
    }
    if (usable.empty()) {
        return;
    }
    originX_ = (extent_.minX + extent_.maxX) / 2;
    originY_ = (extent_.minY + extent_.maxY) / 2;

    // Hilbert order of the box centres on a 65536 x 65536 grid over the extent.
    const double width = std::max(extent_.maxX - extent_.minX, 1e-9);
    const double height = std::max(extent_.maxY - extent_.minY, 1e-9);
    std::vector<std::pair<std::uint32_t, std::size_t>> keyed;
    keyed.reserve(usable.size());
    for (std::size_t i : usable) {
        const WorldBox& b = items[i].box;
        const double cx = ((b.minX + b.maxX) / 2 - extent_.minX) / width;
        const double cy = ((b.minY + b.maxY) / 2 - extent_.minY) / height;
        const auto gx = static_cast<std::uint32_t>(std::clamp(cx * 65535.0, 0.0, 65535.0));
        const auto gy = static_cast<std::uint32_t>(std::clamp(cy * 65535.0, 0.0, 65535.0));
        keyed.emplace_back(hilbertIndex(gx, gy), i);
    }
    std::sort(keyed.begin(), keyed.end());

    leaves_.reserve(keyed.size());
    for (const auto& [key, i] : keyed) {
        leaves_.push_back({toNode(items[i].box), items[i].shape});
    }
    live_ = leaves_.size();

    // Each level groups 16 entries of the one below; the last level has one node.
    std::vector<Node> below;
    below.reserve(leaves_.size());
    for (const Leaf& leaf : leaves_) {
        below.push_back(leaf.box);
    }
    do {
        std::vector<Node> level;
        level.reserve(below.size() / nodeSize + 1);
        for (std::size_t start = 0; start < below.size(); start += nodeSize) {
            Node node = below[start];
            for (std::size_t j = start + 1; j < std::min(start + nodeSize, below.size()); ++j) {
                node = {std::min(node.minX, below[j].minX), std::min(node.minY, below[j].minY),
                        std::max(node.maxX, below[j].maxX), std::max(node.maxY, below[j].maxY)};
            }
            level.push_back(node);
        }
        levels_.push_back(level);
        below = std::move(level);
    } while (below.size() > 1);
}

// Depth first down the nodes whose boxes meet `target`; `visit(leaf)` returning true ends the walk.
template <class Self, class Visit>
void ShapeIndex::forEachLeafMeeting(Self& self, const Node& target, Visit&& visit) {
    if (self.levels_.empty() || !meets(self.levels_.back()[0], target)) {
        return;
    }
    struct Step {
        std::size_t level;
        std::size_t node;
    };
    std::vector<Step> stack{{self.levels_.size() - 1, 0}};
    while (!stack.empty()) {
        const Step step = stack.back();
        stack.pop_back();
        const std::size_t first = step.node * nodeSize;
        if (step.level == 0) {
            const std::size_t end = std::min(first + nodeSize, self.leaves_.size());
            for (std::size_t i = first; i < end; ++i) {
                if (visit(self.leaves_[i])) {
                    return;
                }
            }
            continue;
        }
        const std::vector<Node>& children = self.levels_[step.level - 1];
        const std::size_t end = std::min(first + nodeSize, children.size());
        for (std::size_t i = first; i < end; ++i) {
            if (meets(children[i], target)) {
                stack.push_back({step.level - 1, i});
            }
        }
    }
}

bool ShapeIndex::insert(const TSShape* shape, const WorldBox& box) {
    if (!box.finite()) {
        return false;
    }
    if (leaves_.empty() && recent_.empty()) {
        originX_ = (box.minX + box.maxX) / 2;
        originY_ = (box.minY + box.maxY) / 2;
    }
    recent_.push_back({toNode(box), shape});
    widenExtent(box);
    ++live_;
    return true;
}

bool ShapeIndex::erase(const TSShape* shape, const WorldBox& box) {
    if (!box.finite()) {
        return false;
    }
    for (auto it = recent_.rbegin(); it != recent_.rend(); ++it) {
        if (it->shape == shape) {
            *it = recent_.back();
            recent_.pop_back();
            --live_;
            return true;
        }
    }
    bool erased = false;
    forEachLeafMeeting(*this, toNode(box), [&](Leaf& leaf) {
        if (leaf.shape != shape) {
            return false;
        }
        leaf.shape = nullptr;
        --live_;
        ++dead_;
        erased = true;
        return true;
    });
    return erased;
}

void ShapeIndex::query(const WorldBox& box, std::vector<const TSShape*>& out) const {
    if (live_ == 0 || !(box.minX <= box.maxX && box.minY <= box.maxY)) {
        return;
    }
    const Node target = toNode(box);
    for (const Leaf& leaf : recent_) {
        if (meets(leaf.box, target)) {
            out.push_back(leaf.shape);
        }
    }
    forEachLeafMeeting(*this, target, [&](const Leaf& leaf) {
        if (leaf.shape != nullptr && meets(leaf.box, target)) {
            out.push_back(leaf.shape);
        }
        return false;
    });
}

bool ShapeIndex::needsRebuild() const {
    const std::size_t tree = leaves_.size();
    return recent_.size() > minimumRebuildCount + tree / 8 || dead_ > minimumRebuildCount + tree / 4;
}

} // namespace selvir
