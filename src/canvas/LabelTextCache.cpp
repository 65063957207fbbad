#include "canvas/LabelTextCache.h"

#include <QPainter>

namespace selvir {
namespace {

// Event numbers and depths give far fewer; the bound only guards against a runaway.
constexpr int maxCachedTexts = 4096;

} // namespace

void LabelTextCache::setFont(const QFont& font) {
    if (metrics_ && font == font_) {
        return;
    }
    font_ = font;
    metrics_.emplace(font);
    entries_.clear();
}

const LabelTextCache::Entry& LabelTextCache::entry(const QString& text) {
    auto it = entries_.constFind(text);
    if (it != entries_.constEnd()) {
        return *it;
    }
    if (entries_.size() >= maxCachedTexts) {
        entries_.clear();
    }
    Entry e;
    e.text = QStaticText(text);
    e.text.setTextFormat(Qt::PlainText);
    e.text.prepare(QTransform(), font_);
    e.widthPx = metrics_->horizontalAdvance(text);
    return *entries_.insert(text, std::move(e));
}

void LabelTextCache::drawCentred(QPainter& painter, int px, int py, const QString& text) {
    if (!metrics_) {
        return;
    }
    const Entry& e = entry(text);
    painter.drawStaticText(px - e.widthPx / 2, py - metrics_->height() / 2, e.text);
}

} // namespace selvir
