#include "tools/SvpGraphModel.h"

#include "core/NumberFormat.h"
#include "tools/SvpSteps.h"

#include <algorithm>
#include <cmath>

namespace selvir {

namespace {

// Grid lines drawn at most, whatever the zoom: the step grows tenfold past it.
constexpr int kMaxGridLines = 200;
// How far outside the paint box a point is drawn at most, pixels.
constexpr double kFarPx = 1e6;

double gridStep(double span, double step) {
    while (span / step > kMaxGridLines) {
        step *= 10;
    }
    return step;
}

} // namespace

bool insidePolygon(const std::vector<GraphPixel>& polygon, GraphPixel pixel) {
    if (polygon.size() < 3) {
        return false;
    }
    bool inside = false;
    for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const GraphPixel& a = polygon[i];
        const GraphPixel& b = polygon[j];
        if ((a.y > pixel.y) != (b.y > pixel.y)) {
            // x of the edge at the pixel's row, compared without rounding: a cross-multiplication in
            // whole numbers, the sign turned with the edge's direction.
            const long long lhs = static_cast<long long>(pixel.x - a.x) * (b.y - a.y);
            const long long rhs = static_cast<long long>(b.x - a.x) * (pixel.y - a.y);
            if ((b.y > a.y) ? lhs < rhs : lhs > rhs) {
                inside = !inside;
            }
        }
    }
    return inside;
}

void SvpGraphModel::load(const std::vector<std::string>& averagedLines) {
    points_.clear();
    for (const std::string& line : averagedLines) {
        if (const auto bin = parseAveragedLine(line)) {
            points_.push_back({static_cast<int>(bin->depthM), bin->velocity, bin->count.value_or(1), false});
        }
    }
    changed_ = false;
    lasso_.clear();
    lassoActive_ = false;
    draggedIndex_ = -1;
    deleteEnabled_ = false;
    lassoSelected_ = 0;
    cursor_ = Cursor::Arrow;
    status_ = kIdleStatus;
    fitView();
    refillTable();
}

std::vector<std::string> SvpGraphModel::averagedLines() const {
    std::vector<std::string> lines;
    lines.reserve(points_.size());
    for (const SvpPoint& point : points_) {
        lines.push_back(std::to_string(point.depthM) + "," + formatFixed(point.velocity, 2) + "," +
                        std::to_string(point.hits));
    }
    return lines;
}

void SvpGraphModel::setSize(int widthPx, int heightPx) {
    width_ = widthPx;
    height_ = heightPx;
}

double SvpGraphModel::xOf(double velocity) const {
    if (view_.vmax == view_.vmin) {
        return kMarginLeft;
    }
    return kMarginLeft +
           (velocity - view_.vmin) / (view_.vmax - view_.vmin) * (width_ - kMarginLeft - kMarginRight);
}

double SvpGraphModel::yOf(double depthM) const {
    if (view_.dmax == view_.dmin) {
        return kMarginTop;
    }
    return kMarginTop +
           (depthM - view_.dmin) / (view_.dmax - view_.dmin) * (height_ - kMarginTop - kMarginBottom);
}

GraphPixel SvpGraphModel::pixelOf(const SvpPoint& point) const {
    // Far outside the plot a point only gives its line's direction: held a million pixels out, the
    // visible part of the line stays where it is and the painter never meets coordinates past an int.
    const auto held = [](double px) {
        return static_cast<int>(std::lround(std::isfinite(px) ? std::clamp(px, -kFarPx, kFarPx) : kFarPx));
    };
    return {held(xOf(point.velocity)), held(yOf(point.depthM))};
}

double SvpGraphModel::velocityAt(int x) const {
    const int plotWidth = width_ - kMarginLeft - kMarginRight;
    if (plotWidth <= 0) {
        return view_.vmin;
    }
    return view_.vmin + double(x - kMarginLeft) / plotWidth * (view_.vmax - view_.vmin);
}

double SvpGraphModel::depthAt(int y) const {
    const int plotHeight = height_ - kMarginTop - kMarginBottom;
    if (plotHeight <= 0) {
        return view_.dmin;
    }
    return view_.dmin + double(y - kMarginTop) / plotHeight * (view_.dmax - view_.dmin);
}

void SvpGraphModel::fitView() {
    Ranges r{1600, 1300, 10000, 0};
    for (const SvpPoint& point : points_) {
        r.vmin = std::min(r.vmin, point.velocity);
        r.vmax = std::max(r.vmax, point.velocity);
        r.dmin = std::min(r.dmin, double(point.depthM));
        r.dmax = std::max(r.dmax, double(point.depthM));
    }
    const double span = std::max(r.vmax - r.vmin, 10.0);
    r.vmin -= 0.05 * span;
    r.vmax += 0.05 * span;
    view_ = r;
    full_ = r;
}

std::vector<SvpGraphModel::GridLine> SvpGraphModel::velocityGridLines() const {
    std::vector<GridLine> lines;
    if (!(view_.vmax > view_.vmin)) {
        return lines;
    }
    const double step = gridStep(view_.vmax - view_.vmin, 10);
    const double first = std::floor(view_.vmin / step) * step;
    // Counted, not summed: far from zero a small step added to a large value may not change it.
    for (int i = 0; i <= kMaxGridLines + 1; ++i) {
        const double v = first + i * step;
        if (v > view_.vmax) {
            break;
        }
        const int x = static_cast<int>(std::lround(xOf(v)));
        if (x >= kMarginLeft && x <= width_ - kMarginRight) {
            lines.push_back({x, formatFixed(v, 0)});
        }
    }
    return lines;
}

std::vector<SvpGraphModel::GridLine> SvpGraphModel::depthGridLines() const {
    std::vector<GridLine> lines;
    const double span = view_.dmax - view_.dmin;
    if (!(span > 0)) {
        return lines;
    }
    const double step = gridStep(span, span > 500 ? 100 : span > 200 ? 50 : 10);
    const double first = std::floor(view_.dmin / step) * step;
    for (int i = 0; i <= kMaxGridLines + 1; ++i) {
        const double d = first + i * step;
        if (d > view_.dmax) {
            break;
        }
        const int y = static_cast<int>(std::lround(yOf(d)));
        if (y >= kMarginTop && y <= height_ - kMarginBottom) {
            lines.push_back({y, formatFixed(d, 0) + "m"});
        }
    }
    return lines;
}

int SvpGraphModel::pointNear(GraphPixel at) const {
    for (std::size_t i = 0; i < points_.size(); ++i) {
        const GraphPixel p = pixelOf(points_[i]);
        if (std::abs(p.x - at.x) <= kPickDistancePx && std::abs(p.y - at.y) <= kPickDistancePx) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void SvpGraphModel::press(GraphPixel at) {
    draggedIndex_ = pointNear(at);
    if (draggedIndex_ >= 0) {
        cursor_ = Cursor::SizeAll;
        return;
    }
    lasso_.assign(1, at);
    lassoActive_ = true;
}

void SvpGraphModel::move(GraphPixel at) {
    const double velocity = velocityAt(at.x);
    if (dragging()) {
        if (velocity >= kMinVelocity && velocity <= kMaxVelocity) {
            points_[static_cast<std::size_t>(draggedIndex_)].velocity = velocity;
        }
        refillTable();
        changed_ = true;
    } else if (lassoActive_) {
        const GraphPixel& last = lasso_.back();
        if (std::abs(at.x - last.x) > kLassoStepPx || std::abs(at.y - last.y) > kLassoStepPx) {
            lasso_.push_back(at);
        }
    } else {
        cursor_ = pointNear(at) >= 0 ? Cursor::PointingHand : Cursor::Arrow;
    }
    status_ = "SV: " + formatFixed(velocity, 1) + " m/s  Depth: " + formatFixed(depthAt(at.y), 1) +
              " m  (Drag point to edit SV)";
}

void SvpGraphModel::release(GraphPixel) {
    if (dragging()) {
        draggedIndex_ = -1;
        cursor_ = Cursor::Arrow;
        fitView();
        return;
    }
    if (!lassoActive_) {
        return;
    }
    lassoActive_ = false;
    if (lasso_.size() <= 2) {
        return;
    }
    for (SvpPoint& point : points_) {
        point.selected = insidePolygon(lasso_, pixelOf(point));
    }
    lassoSelected_ = selectedCount();
    deleteEnabled_ = lassoSelected_ > 0;
}

void SvpGraphModel::wheel(GraphPixel at, bool forward) {
    const double factor = forward ? kZoomIn : kZoomOut;
    const double velocity = velocityAt(at.x);
    const double depth = depthAt(at.y);
    const double velocitySpan = view_.vmax - view_.vmin;
    const double depthSpan = view_.dmax - view_.dmin;
    const double alongX = velocitySpan != 0 ? (velocity - view_.vmin) / velocitySpan : 0;
    const double alongY = depthSpan != 0 ? (depth - view_.dmin) / depthSpan : 0;
    const double newVelocitySpan = std::max(velocitySpan * factor, kMinSpan);
    const double newDepthSpan = std::max(depthSpan * factor, kMinSpan);
    view_.vmin = velocity - alongX * newVelocitySpan;
    view_.vmax = view_.vmin + newVelocitySpan;
    view_.dmin = depth - alongY * newDepthSpan;
    view_.dmax = view_.dmin + newDepthSpan;
}

int SvpGraphModel::selectedCount() const {
    return static_cast<int>(
        std::count_if(points_.begin(), points_.end(), [](const SvpPoint& p) { return p.selected; }));
}

void SvpGraphModel::deleteSelected() {
    std::erase_if(points_, [](const SvpPoint& p) { return p.selected; });
    changed_ = true;
    lasso_.clear();
    deleteEnabled_ = false;
    lassoSelected_ = 0;
    refillTable();
    fitView();
}

void SvpGraphModel::refillTable() {
    table_.clear();
    for (const SvpPoint& point : points_) {
        table_.push_back(
            {std::to_string(point.depthM), formatFixed(point.velocity, 2), std::to_string(point.hits)});
    }
    ++tableRevision_;
}

void SvpGraphModel::rebuildFromTable() {
    points_.clear();
    for (const TableRow& row : table_) {
        const auto depth = parseInt(row[0]);
        const auto velocity = parseFiniteDouble(row[1]);
        if (!depth || !velocity) {
            continue;
        }
        SvpPoint point;
        point.depthM = *depth;
        point.velocity = *velocity;
        point.hits = parseInt(row[2]).value_or(1);
        points_.push_back(point);
    }
    fitView();
    changed_ = true;
}

bool SvpGraphModel::editCell(int row, int column, const std::string& text) {
    if (row < 0 || row >= static_cast<int>(table_.size()) || column < 0 || column > 2) {
        return false;
    }
    if (column == 1) {
        // What a drag may give, the table may too: a velocity beyond it would stretch the plot past what
        // its grid and zoom can span.
        const auto velocity = parseFiniteDouble(text);
        if (velocity && (*velocity < kMinVelocity || *velocity > kMaxVelocity)) {
            status_ = "SV " + text + " m/s refused: the profile takes " + formatFixed(kMinVelocity, 0) +
                      " ... " + formatFixed(kMaxVelocity, 0) + " m/s";
            ++tableRevision_; // the cell shows its value again
            return false;
        }
    }
    table_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = text;
    rebuildFromTable();
    return true;
}

void SvpGraphModel::selectRow(int row) {
    if (row < 0 || row >= static_cast<int>(points_.size())) {
        return;
    }
    for (std::size_t i = 0; i < points_.size(); ++i) {
        points_[i].selected = static_cast<int>(i) == row;
    }
}

void SvpGraphModel::addRow() {
    const SvpPoint last = points_.empty() ? SvpPoint{-1, 1500.0, 0, false} : points_.back();
    table_.push_back({std::to_string(last.depthM + 1), formatFixed(last.velocity, 2), "0"});
    rebuildFromTable();
    ++tableRevision_;
}

void SvpGraphModel::deleteRow(int row) {
    if (row < 0 || row >= static_cast<int>(table_.size())) {
        return;
    }
    table_.erase(table_.begin() + row);
    rebuildFromTable();
    ++tableRevision_;
}

void SvpGraphModel::commitTable() {
    rebuildFromTable();
}

} // namespace selvir
