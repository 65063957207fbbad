#include "canvas/TextRaster.h"

#include "canvas/DrawSurface.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <cmath>

namespace selvir {
namespace {

// Beyond the outline's box: the smoothing's reach.
constexpr int maskMarginPx = 1;

// The number of metric entries after which they start over (each is a few dozen bytes).
constexpr int maxMetricEntries = 200000;

} // namespace

QString TextRaster::keyOf(const TextFont& font, const QString& text, int angleTenths) {
    QString key = font.family;
    key += QChar(0x1F);
    key += QString::number(font.sizePt);
    key += font.bold ? QLatin1Char('b') : QLatin1Char('-');
    key += font.italic ? QLatin1Char('i') : QLatin1Char('-');
    key += QString::number(angleTenths);
    key += QChar(0x1F);
    key += text;
    return key;
}

std::size_t TextRaster::bytes() const {
    const std::lock_guard lock(mutex_);
    return bytes_;
}

TextMetrics TextRaster::metrics(const TextFont& font, const QString& text) {
    const QString key = keyOf(font, text, 0);
    {
        const std::lock_guard lock(mutex_);
        const auto found = metrics_.constFind(key);
        if (found != metrics_.constEnd()) {
            return *found;
        }
    }
    const QFontMetrics measure(surfaceFont(font.family, font.sizePt, font.bold, font.italic));
    const TextMetrics result{measure.horizontalAdvance(text), measure.height(), measure.ascent()};
    const std::lock_guard lock(mutex_);
    if (metrics_.size() >= maxMetricEntries) {
        metrics_.clear();
    }
    metrics_.insert(key, result);
    return result;
}

std::shared_ptr<const TextMask> TextRaster::mask(const TextFont& font, const QString& text, int angleTenths) {
    const QString key = keyOf(font, text, angleTenths);
    {
        const std::lock_guard lock(mutex_);
        const auto found = masks_.constFind(key);
        if (found != masks_.constEnd()) {
            return *found;
        }
    }
    // The outline of the letters, baseline at the ascent, turned about the top-left corner as the
    // screen turns (clockwise for positive angles, so the angle goes in negated).
    const QFont qfont = surfaceFont(font.family, font.sizePt, font.bold, font.italic);
    QPainterPath path;
    path.addText(0, metrics(font, text).ascent, qfont, text);
    if (angleTenths != 0) {
        path = QTransform().rotate(-angleTenths / 10.0).map(path);
    }
    auto result = std::make_shared<TextMask>();
    const QRectF bounds = path.boundingRect();
    if (!path.isEmpty() && bounds.isValid()) {
        result->left = static_cast<int>(std::floor(bounds.left())) - maskMarginPx;
        result->top = static_cast<int>(std::floor(bounds.top())) - maskMarginPx;
        result->width = static_cast<int>(std::ceil(bounds.right())) + maskMarginPx - result->left + 1;
        result->height = static_cast<int>(std::ceil(bounds.bottom())) + maskMarginPx - result->top + 1;
        QImage ink(result->width, result->height, QImage::Format_Alpha8);
        ink.fill(0);
        {
            QPainter painter(&ink);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.translate(-result->left, -result->top);
            painter.fillPath(path, Qt::white);
        }
        result->coverage.resize(static_cast<std::size_t>(result->width) * result->height);
        for (int y = 0; y < result->height; ++y) {
            const uchar* line = ink.constScanLine(y);
            std::copy(line, line + result->width,
                      result->coverage.begin() + static_cast<std::ptrdiff_t>(y) * result->width);
        }
    }
    const std::lock_guard lock(mutex_);
    if (bytes_ + result->coverage.size() > maxBytes) {
        masks_.clear();
        bytes_ = 0;
    }
    // Another band may have made the same mask meanwhile: the same pixels, keep the first.
    const auto found = masks_.constFind(key);
    if (found != masks_.constEnd()) {
        return *found;
    }
    masks_.insert(key, result);
    bytes_ += result->coverage.size();
    return result;
}

} // namespace selvir
