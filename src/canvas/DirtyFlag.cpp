#include "canvas/DirtyFlag.h"

#include "canvas/Shapes.h"

#include <algorithm>

namespace selvir {

DirtyFlag::DirtyFlag(DirtyFlag&&) noexcept = default;
DirtyFlag& DirtyFlag::operator=(DirtyFlag&&) noexcept = default;
DirtyFlag::~DirtyFlag() = default;

void DirtyFlag::dropRecord() {
    if (!appended_.empty() || !removed_.empty()) {
        ++epoch_;
    }
    appended_.clear();
    removed_.clear();
}

DirtyFlag& DirtyFlag::operator=(bool dirty) {
    if (dirty) {
        ++wholeChanges_;
        if (!whole_) {
            ++epoch_;
        }
        whole_ = true;
        dropRecord();
    } else {
        dropRecord();
        whole_ = false;
        view_ = false;
    }
    return *this;
}

void DirtyFlag::recordApplied() {
    appended_.clear();
    removed_.clear();
}

void DirtyFlag::shapeAppended(const TSShape* shape) {
    if (whole_) {
        return;
    }
    if (appended_.size() >= maxRecordedShapes) {
        *this = true;
        return;
    }
    appended_.push_back(shape);
}

void DirtyFlag::shapeRemoved(std::unique_ptr<TSShape> shape) {
    if (whole_) {
        return; // the painter redraws everything: nothing to remember
    }
    // A shape appended since the last paint was never drawn: it only leaves the record.
    const auto found = std::find(appended_.rbegin(), appended_.rend(), shape.get());
    if (found != appended_.rend()) {
        appended_.erase(std::next(found).base());
        return;
    }
    if (removed_.size() >= maxRecordedShapes) {
        *this = true;
        return;
    }
    removed_.push_back(std::move(shape));
}

} // namespace selvir
