#pragma once
// Texts for the off-screen image, laid out once and kept: their measures, and their letters as
// coverage masks (one byte of ink per pixel) that the surface blends in the text's colour.
//
// Why not the painter's own text drawing: its glyph caches make a text drawn for the first time in a
// process (or a thread) differ at the edges of its letters from the same text drawn later, so a part
// of the image redrawn later, or a band drawn on another thread, would not match the rest. A mask is
// filled from the letters' outlines, which gives the same pixels every time, on any thread; and a
// kept mask makes a label that is drawn again (every redraw of a depth label, every pan) a plain blend.
//
// Thread-safe: the bands of a threaded rebuild share one cache. Masks are handed out shared, so
// trimming the cache never pulls one from under a drawing.

#include <QHash>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace selvir {

struct TextFont {
    QString family;
    int sizePt = 8; // at 96 pixels per inch
    bool bold = false;
    bool italic = false;
};

struct TextMetrics {
    int width = 0;  // advance of the text, pixels
    int height = 0; // line height
    int ascent = 0;
};

// The ink of a text whose top-left corner before the turn is at (0, 0): mask cell (0, 0) lies at
// (left, top) from there.
struct TextMask {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> coverage; // 0 none .. 255 full, row by row
};

class TextRaster {
public:
    // Masks beyond this many bytes in all make the cache start over.
    static constexpr std::size_t maxBytes = 48u << 20;

    TextMetrics metrics(const TextFont& font, const QString& text);
    // The text turned `angleTenths` tenths of a degree counter-clockwise about its top-left corner.
    std::shared_ptr<const TextMask> mask(const TextFont& font, const QString& text, int angleTenths);
    std::size_t bytes() const;

private:
    static QString keyOf(const TextFont& font, const QString& text, int angleTenths);

    mutable std::mutex mutex_;
    QHash<QString, TextMetrics> metrics_;
    QHash<QString, std::shared_ptr<const TextMask>> masks_;
    std::size_t bytes_ = 0;
};

} // namespace selvir
