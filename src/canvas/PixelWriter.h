#pragma once
// Direct pixel writes into a 32-bit image, for the few primitives a drawing is mostly made of: thin
// lines, solid boxes, round-capped wide strokes and small stamped masks. They are an order of magnitude
// cheaper than going through the painter for a shape of a few pixels, and their pen changes cost
// nothing. Every write stays inside the clip rectangle, and what lands on a pixel never depends on the
// clip: drawing with any clip gives, inside it, the pixels of drawing without one (the partial redraws
// and the threaded rebuild rely on that).

#include <QRect>
#include <QRgb>
#include <cstdint>
#include <vector>

namespace selvir {

// A small shape rendered once by the painter, kept as cells: 0 empty, 1 fill, 2 rim.
struct PixelMask {
    int width = 0;
    int height = 0;
    int originX = 0; // cell (0, 0) lies at (left + originX, top + originY) of the box it is stamped in
    int originY = 0;
    std::vector<std::uint8_t> cells;
    std::uint8_t at(int x, int y) const { return cells[static_cast<std::size_t>(y * width + x)]; }
};

class PixelWriter {
public:
    PixelWriter() = default;
    // `bits`: the first row of a width x height image of 32-bit pixels, `bytesPerLine` apart.
    PixelWriter(uchar* bits, qsizetype bytesPerLine, int width, int height);

    bool valid() const { return bits_ != nullptr; }
    // Writes go only inside `clip` (cut to the image).
    void setClip(const QRect& clip);
    const QRect& clip() const { return clip_; }

    void pixel(int x, int y, QRgb rgb);
    // The box left..right-1, top..bottom-1.
    void fill(int left, int top, int right, int bottom, QRgb rgb);
    // A 1-pixel line from (x1, y1) towards (x2, y2), its last pixel left out; a line of length 0 sets
    // its one pixel. Each step moves one pixel along the longer axis; the other coordinate is the
    // line's, rounded half up in the direction of travel. Coordinates up to ±2^30.
    void thinLine(int x1, int y1, int x2, int y2, QRgb rgb);
    // The outline of the box left..right-1, top..bottom-1 (1 pixel).
    void boxOutline(int left, int top, int right, int bottom, QRgb rgb);
    // The pixels whose centres lie within widthPx / 2 of the segment: a round-capped wide stroke.
    void capsule(int x1, int y1, int x2, int y2, int widthPx, QRgb rgb);
    // The mask's fill cells in `fill` (unless `withFill` is false) and rim cells in `rim`, the mask's
    // box at (left, top).
    void stamp(const PixelMask& mask, int left, int top, QRgb rim, QRgb fill, bool withFill);
    // Blends `rgb` into the `width` x `height` cells of coverage (0..255, row by row) at (left, top).
    void blend(const std::uint8_t* coverage, int width, int height, int left, int top, QRgb rgb);

private:
    bool inside(int x, int y) const {
        return x >= clipLeft_ && x <= clipRight_ && y >= clipTop_ && y <= clipBottom_;
    }
    void thinLineInside(int x1, int y1, int dx, int dy, int n, QRgb rgb);
    QRgb* row(int y) const { return reinterpret_cast<QRgb*>(bits_ + y * bytesPerLine_); }

    uchar* bits_ = nullptr;
    qsizetype bytesPerLine_ = 0;
    QRect image_;
    QRect clip_;
    // Clip edges, inclusive.
    int clipLeft_ = 0, clipTop_ = 0, clipRight_ = -1, clipBottom_ = -1;
};

} // namespace selvir
