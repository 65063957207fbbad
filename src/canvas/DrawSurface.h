#pragma once
// The drawing surface handed to TSShape::Draw: a QPainter with the pixel conventions of the canvas and
// the state caching that lets one rebuild draw hundreds of thousands of shapes.
//
// Pixel conventions: boxes are given as (left, top) to (right, bottom) with the right column and bottom
// row excluded, as the classic drawing calls do; a 1-pixel outline of such a box covers left..right-1
// and top..bottom-1. Lines leave out their last pixel.
//
// Speed: when the surface has a target image, what most drawings are made of is written straight into
// it (PixelWriter.h): 1-pixel solid lines, polylines and outlines, wide lines, single pixels, solid
// boxes, and small ellipses and discs stamped from masks the painter rendered once. Everything else
// goes through the painter; pen, brush and font changes are applied to it only when they differ from
// the current ones, and dashed lines with the same pen are collected into one drawLines call. Every
// other call first flushes the collected lines, so the drawing order is kept.
//
// Clip: setClip() limits every write, direct or through the painter, to a rectangle; inside it the
// pixels are those of drawing without a clip.

#include "canvas/CanvasTypes.h"
#include "canvas/PixelWriter.h"

#include <QFont>
#include <QFontMetrics>
#include <QLine>
#include <QPainter>
#include <QPoint>
#include <QString>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

class QImage;
class QPainterPath;

namespace selvir {

class TextRaster;

class DrawSurface {
public:
    // `painter` must be active. When `image` is given it must be the painter's device, in a 32-bit
    // format, painted without transform or clipping; pixels are then written to it directly.
    explicit DrawSurface(QPainter& painter, QImage* image = nullptr);
    ~DrawSurface();
    DrawSurface(const DrawSurface&) = delete;
    DrawSurface& operator=(const DrawSurface&) = delete;

    // Limits all drawing to `clip` (client pixels); a null QRect removes the limit.
    void setClip(const QRect& clip);
    // The limit in force: the whole surface when there is none.
    QRect clip() const { return clip_; }

    // The colour rule applied to shape pen colours while drawing (the contrast rule against the
    // background). Without one, colours are used as given.
    void setShapeColorRule(std::optional<TColor> backColor);
    TColor shapeColor(TColor c) const;

    // Pen: width in pixels (0 and 1 both give a 1-pixel pen), style by ordinal (dashes only on
    // 1-pixel pens, as the classic pens do).
    void setPen(TColor color, int width, int style = penstyle::Solid);
    void setBrush(TColor color, int style);

    void drawLine(int x1, int y1, int x2, int y2);
    void drawPolyline(const QPoint* points, int count);
    // Filled with the brush (even-odd rule) and outlined with the pen.
    void drawPolygon(const QPoint* points, int count);
    // Outline only, never filled.
    void drawPath(const QPainterPath& path);
    void drawRectangle(int left, int top, int right, int bottom);
    void drawRoundRect(int left, int top, int right, int bottom, int cornerW, int cornerH);
    void drawEllipse(int left, int top, int right, int bottom);
    // Solid fill, no outline.
    void fillRect(int left, int top, int right, int bottom, TColor color);
    void setPixel(int x, int y, TColor color);
    // A solid disc with a 1-pixel rim of the same colour in the box: as drawEllipse with pen and brush
    // in `color`, stamped from a cached mask for small boxes.
    void fillDisc(int left, int top, int right, int bottom, TColor color);

    // Texts on a target image are measured and drawn through `raster` when one is given (TextRaster.h):
    // the same pixels on every thread and at every redraw. Without one they go through the painter.
    void setTextRaster(TextRaster* raster) { textRaster_ = raster; }

    // Text: font family, size in points (96 pixels per inch), style.
    void setFont(const QString& family, int sizePt, bool bold, bool italic);
    void setTextColor(TColor color);
    // Width and height of the text in the current font, in pixels.
    QSize textExtent(const QString& text);
    // Writes the text with its top-left corner at (x, y), turned `angleDeg` counter-clockwise about
    // that corner.
    void textOut(int x, int y, const QString& text, double angleDeg = 0.0);

    int width() const { return width_; }
    int height() const { return height_; }

    // Draws the collected lines now. Call before using the painter directly.
    void flush();
    QPainter& painter() {
        flush();
        return painter_;
    }

private:
    // The ellipse of the box `width` x `height` as the painter draws it with a 1-pixel pen, with or
    // without a solid fill.
    const PixelMask& ellipseMask(int width, int height, bool filled);
    void applyPen();
    void applyBrush();
    // Gives the painter the font set last (texts drawn through it).
    void applyFont();
    bool rasterText() const;
    bool writable() const { return writer_.valid(); }
    // The pen is 1 pixel wide and solid: lines go straight into the image.
    bool thinSolidPen() const;
    bool clearBrush() const { return brushStyle_ == brushstyle::Clear; }
    bool solidBrush() const { return brushStyle_ == brushstyle::Solid; }

    QPainter& painter_;
    PixelWriter writer_;
    QRect clip_;
    int width_ = 0;
    int height_ = 0;

    std::optional<TColor> backColor_;

    TColor penColor_ = colorBlack;
    int penWidth_ = 1;
    int penStyle_ = penstyle::Solid;
    bool penApplied_ = false;
    TColor brushColor_ = colorWhite;
    int brushStyle_ = brushstyle::Clear;
    bool brushApplied_ = false;

    std::vector<QLine> pendingLines_;

    QString fontFamily_;
    int fontSizePt_ = 0;
    bool fontBold_ = false;
    bool fontItalic_ = false;
    bool fontSet_ = false;
    bool fontApplied_ = false; // the painter has the font set last
    std::optional<QFontMetrics> metrics_;
    TColor textColor_ = colorBlack;
    TextRaster* textRaster_ = nullptr;

    std::unordered_map<std::uint64_t, PixelMask> ellipseMasks_;
};

// Pixel size of a font size in points on a 96-pixel-per-inch surface.
int pointsToPixels(int sizePt);

// The font of setFont: the family at the pixel size of `sizePt`, so texts measure alike on every device.
QFont surfaceFont(const QString& family, int sizePt, bool bold, bool italic);

} // namespace selvir
