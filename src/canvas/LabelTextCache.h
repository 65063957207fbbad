#pragma once
// Prepared label texts for the overlays. Depth labels repeat a few hundred distinct texts ("12.3")
// over thousands of labels, and laying a text out costs far more than drawing it; so each distinct
// text is laid out once per font and kept with its width. QtGui only.

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QStaticText>
#include <QString>
#include <optional>

class QPainter;

namespace selvir {

class LabelTextCache {
public:
    // Makes `font` the font of the texts; a different font than before empties the cache.
    void setFont(const QFont& font);
    // Height of a text line in the font, pixels.
    int lineHeight() const { return metrics_ ? metrics_->height() : 0; }
    // Draws `text` centred on (px, py) with integer halves of its width and the line height, in the
    // painter's pen colour. The painter's font must be the cache's font.
    void drawCentred(QPainter& painter, int px, int py, const QString& text);
    int size() const { return static_cast<int>(entries_.size()); }

private:
    struct Entry {
        QStaticText text;
        int widthPx = 0;
    };
    const Entry& entry(const QString& text);

    QFont font_;
    std::optional<QFontMetrics> metrics_;
    QHash<QString, Entry> entries_;
};

} // namespace selvir
