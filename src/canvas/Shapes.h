#pragma once
// The shapes of the drawing, in world coordinates (metres of the survey grid, X east, Y north).
// TSShape holds what every shape has; each concrete class adds its geometry and gets the common
// operations from TSShapeOf. The virtual operations come in this order: destructor, Draw, HitTest,
// UpdateBounds, Translate, Scale, Rotate. The geometric ones end by recomputing the bounding box.

#include "canvas/CanvasTypes.h"

#include <QRect>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <memory>
#include <type_traits>
#include <vector>

namespace selvir {

class DrawSurface;

class TSShape {
public:
    virtual ~TSShape();

    // Draws the shape on `surface`, the world window being left..right (X) and bottom..top (Y) over a
    // surface of width x height pixels. Draws nothing when the shape is not Visible.
    virtual void Draw(DrawSurface& surface, double left, double right, double top, double bottom, int width,
                      int height) const = 0;
    // True when the world point (x, y) is within `tolerance` world units of the shape.
    virtual bool HitTest(double x, double y, double tolerance) const = 0;
    // Recomputes MinX..MaxY from the geometry.
    virtual void UpdateBounds() = 0;
    virtual void Translate(double dx, double dy) = 0;
    // Scales about (cx, cy) by sx, sy.
    virtual void Scale(double sx, double sy, double cx, double cy) = 0;
    // Rotates by `angleDeg` degrees counter-clockwise about (cx, cy).
    virtual void Rotate(double angleDeg, double cx, double cy) = 0;

    // A deep copy (same id); used where a shape is duplicated outside the shape list.
    virtual std::unique_ptr<TSShape> Clone() const = 0;

    ShapeId Id = 0;
    int Layer = 0;
    ShapeKind ShapeType{}; // set by each concrete class
    TColor PenFg = colorBlack;
    int PenWidth = 1; // pixels
    int PenStyle = penstyle::Solid;
    TColor BrushFg = colorWhite;
    TColor BrushBg = colorWhite;
    std::uint8_t BrushStyle = brushstyle::Clear;
    int BrushMode = 0;
    bool Selected = false;
    bool Visible = true;
    int ZOrder = 0; // stored only: the drawing order is the position in the shape list
    // Rises along the shape list, so that the painter can put any set of shapes back in drawing order;
    // the model sets it when the shape is appended or moved to the front or the back.
    std::int64_t OrderKey = 0;
    QString Notes;
    QString Text;
    double MinX = 0.0;
    double MinY = 0.0;
    double MaxX = 0.0;
    double MaxY = 0.0;

protected:
    TSShape() = default;
    TSShape(const TSShape&) = default;
    TSShape& operator=(const TSShape&) = default;
    void setBounds(double minX, double minY, double maxX, double maxY);
};

// The world-to-pixel mapping of one Draw call: px = trunc((x - left) * sx), py = trunc((top - y) * sy)
// with sx = W / (right - left) and sy = H / (top - bottom); a span of exactly 0 counts as 1.
struct PixelMap {
    PixelMap(double l, double r, double t, double b, int w, int h)
        : left(l), top(t), sx(w / (r - l == 0.0 ? 1.0 : r - l)), sy(h / (t - b == 0.0 ? 1.0 : t - b)),
          widthPx(w), heightPx(h) {}
    int px(double x) const { return truncToPixel((x - left) * sx); }
    int py(double y) const { return truncToPixel((top - y) * sy); }

    double left, top;
    double sx, sy; // pixels per world unit
    int widthPx, heightPx;
};

// A turn by `angleDeg` degrees counter-clockwise about (cx, cy).
class Rotation2D {
public:
    Rotation2D(double angleDeg, double cx, double cy);
    void apply(double& x, double& y) const {
        const double dx = x - cx_;
        const double dy = y - cy_;
        x = cx_ + cosA_ * dx - sinA_ * dy;
        y = cy_ + sinA_ * dx + cosA_ * dy;
    }

private:
    double cosA_, sinA_, cx_, cy_;
};

inline void scalePoint(double& x, double& y, double sx, double sy, double cx, double cy) {
    x = cx + (x - cx) * sx;
    y = cy + (y - cy) * sy;
}

struct ShapeBox {
    double minX = 0.0, minY = 0.0, maxX = 0.0, maxY = 0.0;
};

// What every concrete shape shares, written once: Draw skips an invisible shape and paints a visible
// one through its pixel mapping; Translate, Scale and Rotate move the shape's defining points and
// recompute the bounds; Clone copies. A shape class supplies
//   - eachPoint(self, visit): calls visit(x, y) on each defining point, as assignable doubles when
//     `self` is not const;
//   - paint(surface, map) and HitTest;
// and declares its own bounds(), scaleAbout() or rotateAbout() where its rule differs from the
// defaults below (the box of the defining points; the points scaled or turned about the centre).
template <class Shape, ShapeKind Kind>
class TSShapeOf : public TSShape {
public:
    void Draw(DrawSurface& surface, double left, double right, double top, double bottom, int width,
              int height) const final {
        if (Visible) {
            self().paint(surface, PixelMap(left, right, top, bottom, width, height));
        }
    }
    void UpdateBounds() final {
        const ShapeBox box = self().bounds();
        setBounds(box.minX, box.minY, box.maxX, box.maxY);
    }
    void Translate(double dx, double dy) final {
        Shape::eachPoint(self(), [&](double& x, double& y) {
            x += dx;
            y += dy;
        });
        UpdateBounds();
    }
    void Scale(double sx, double sy, double cx, double cy) final {
        self().scaleAbout(sx, sy, cx, cy);
        UpdateBounds();
    }
    void Rotate(double angleDeg, double cx, double cy) final {
        self().rotateAbout(angleDeg, cx, cy);
        UpdateBounds();
    }
    std::unique_ptr<TSShape> Clone() const final { return std::make_unique<Shape>(self()); }

protected:
    TSShapeOf() { ShapeType = Kind; }

    ShapeBox bounds() const {
        ShapeBox box;
        bool first = true;
        Shape::eachPoint(self(), [&](double x, double y) {
            if (first) {
                box = {x, y, x, y};
                first = false;
                return;
            }
            box = {std::min(box.minX, x), std::min(box.minY, y), std::max(box.maxX, x),
                   std::max(box.maxY, y)};
        });
        return box;
    }
    void scaleAbout(double sx, double sy, double cx, double cy) {
        Shape::eachPoint(self(), [&](double& x, double& y) { scalePoint(x, y, sx, sy, cx, cy); });
    }
    void rotateAbout(double angleDeg, double cx, double cy) {
        const Rotation2D turn(angleDeg, cx, cy);
        Shape::eachPoint(self(), [&](double& x, double& y) { turn.apply(x, y); });
    }

private:
    Shape& self() { return static_cast<Shape&>(*this); }
    const Shape& self() const { return static_cast<const Shape&>(*this); }
};

// Shapes defined by two opposite corners: rectangle, line, ellipse.
template <class Shape, ShapeKind Kind>
class TwoCornerShape : public TSShapeOf<Shape, Kind> {
public:
    double X1 = 0.0, Y1 = 0.0, X2 = 0.0, Y2 = 0.0;

    template <class Self, class Visit>
    static void eachPoint(Self& s, Visit&& visit) {
        visit(s.X1, s.Y1);
        visit(s.X2, s.Y2);
    }
};

// Shapes defined by one point: point, text (its anchor).
template <class Shape, ShapeKind Kind>
class OnePointShape : public TSShapeOf<Shape, Kind> {
public:
    double X = 0.0, Y = 0.0;

    template <class Self, class Visit>
    static void eachPoint(Self& s, Visit&& visit) {
        visit(s.X, s.Y);
    }
};

class TSRectangle final : public TwoCornerShape<TSRectangle, ShapeKind::Rectangle> {
public:
    bool HitTest(double x, double y, double tolerance) const override;

    double Value = 0.0; // carried value (the Z of an imported grid cell)
    bool Rounded = false;
    double CornerRadius = 10.0; // world units

private:
    friend TSShapeOf;
    void paint(DrawSurface& surface, const PixelMap& map) const;
    // An axis-aligned box has no rotated form here; only the bounds are refreshed.
    void rotateAbout(double, double, double) {}
};

class TSLine final : public TwoCornerShape<TSLine, ShapeKind::Line> {
public:
    bool HitTest(double x, double y, double tolerance) const override;

private:
    friend TSShapeOf;
    void paint(DrawSurface& surface, const PixelMap& map) const;
};

// Open polyline (5), closed polygon (6), spline (8) or three-point curve (10), its vertices in world
// metres.
class TSPolyline final : public TSShapeOf<TSPolyline, ShapeKind::Polyline> {
public:
    bool HitTest(double x, double y, double tolerance) const override;
    // Appends a vertex and widens the bounds by it.
    void AddPoint(double x, double y);

    std::vector<TPointF> Points;
    bool Closed = false;

private:
    friend TSShapeOf;
    template <class Self, class Visit>
    static void eachPoint(Self& s, Visit&& visit) {
        for (auto& p : s.Points) {
            visit(p.X, p.Y);
        }
    }
    void paint(DrawSurface& surface, const PixelMap& map) const;
};

// Three-point arc: start, middle, end; drawn as the two straight segments joining them.
class TSArc final : public TSShapeOf<TSArc, ShapeKind::Curve> {
public:
    bool HitTest(double x, double y, double tolerance) const override;

    double X1 = 0.0, Y1 = 0.0; // start
    double X2 = 0.0, Y2 = 0.0; // middle
    double X3 = 0.0, Y3 = 0.0; // end

private:
    friend TSShapeOf;
    template <class Self, class Visit>
    static void eachPoint(Self& s, Visit&& visit) {
        visit(s.X1, s.Y1);
        visit(s.X2, s.Y2);
        visit(s.X3, s.Y3);
    }
    void paint(DrawSurface& surface, const PixelMap& map) const;
};

// How a text lands on the surface at one pixel mapping.
struct TextLayout {
    bool drawn = false;       // false: nothing is drawn (empty caption, anchor far outside)
    bool placeholder = false; // too small to read: an outline box instead of letters
    QRect box;                // placeholder: its box; letters: every pixel they can touch
    TColor color = colorBlack;
    int fontSizePt = 0;
    int x = 0, y = 0; // top-left corner of the letters before the turn
    double angleDeg = 0.0;
};

class TSText final : public OnePointShape<TSText, ShapeKind::Text> {
public:
    bool HitTest(double x, double y, double tolerance) const override;
    // Where and how the text is drawn at mapping `map`, measured with the surface's fonts.
    TextLayout layout(DrawSurface& surface, const PixelMap& map) const;
    // Draws a layout made by layout() on the same surface.
    void paintLayout(DrawSurface& surface, const TextLayout& layout) const;

    QString Caption; // at the anchor X, Y
    int FontIndex = 0;
    double Rotation = 0.0;    // degrees, counter-clockwise
    int HAlign = 0;           // 0 left, 1 centre, 2 right of the anchor
    int VAlign = 0;           // 0 top, 1 middle, 2 bottom
    double TextHeight = 10.0; // world units
    QString FontName = QStringLiteral("Arial");
    bool Bold = false;
    bool Italic = false;

private:
    friend TSShapeOf;
    void paint(DrawSurface& surface, const PixelMap& map) const;
    ShapeBox bounds() const;
    // A text turns about its own anchor, whatever the centre asked for.
    void rotateAbout(double angleDeg, double, double) { Rotation += angleDeg; }
};

class TSPoint final : public OnePointShape<TSPoint, ShapeKind::Point> {
public:
    bool HitTest(double x, double y, double tolerance) const override;

    double Value = 0.0; // carried value (the Z of an imported point)
    int PointSize = 3;  // pixels; the bounds take it as world units

private:
    friend TSShapeOf;
    void paint(DrawSurface& surface, const PixelMap& map) const;
    ShapeBox bounds() const { return {X - PointSize, Y - PointSize, X + PointSize, Y + PointSize}; }
};

class TSCircle final : public TSShapeOf<TSCircle, ShapeKind::Circle> {
public:
    bool HitTest(double x, double y, double tolerance) const override;

    double CenterX = 0.0, CenterY = 0.0, Radius = 0.0;

private:
    friend TSShapeOf;
    template <class Self, class Visit>
    static void eachPoint(Self& s, Visit&& visit) {
        visit(s.CenterX, s.CenterY);
    }
    void paint(DrawSurface& surface, const PixelMap& map) const;
    ShapeBox bounds() const {
        return {CenterX - Radius, CenterY - Radius, CenterX + Radius, CenterY + Radius};
    }
    void scaleAbout(double sx, double sy, double cx, double cy);
};

// Ellipse given by two opposite corners of its enclosing box.
class TSEllipse final : public TwoCornerShape<TSEllipse, ShapeKind::Ellipse> {
public:
    bool HitTest(double x, double y, double tolerance) const override;

private:
    friend TSShapeOf;
    void paint(DrawSurface& surface, const PixelMap& map) const;
    // Kept axis-aligned: a rotation only refreshes the bounds.
    void rotateAbout(double, double, double) {}
};

// Layer record. Index is the key of every layer operation.
struct TSLayer {
    int Index = 0;
    QString Name;
    bool Visible = true;
    bool Locked = false; // stored only
    int Action = 0;      // stored only
    TColor PenFg = colorBlack;
    int PenWidth = 1;
    int PenStyle = penstyle::Solid;
    TColor BrushFg = colorWhite;
    TColor BrushBg = colorWhite; // stored only
    std::uint8_t BrushStyle = brushstyle::Clear;
    int BrushMode = 0; // stored only
};

// Font table entry; TextAdd copies one into a new text.
struct TSFont {
    QString FontName;
    int Height = 10; // world units of the texts made from it
    bool Bold = false;
    bool Italic = false;
};

// A block definition read from a DXF drawing. Its shapes are not on the shape list.
struct TSBlock {
    QString Name;
    double BaseX = 0.0;
    double BaseY = 0.0;
    std::vector<std::unique_ptr<TSShape>> Shapes;
};

// Distance from (x, y) to the segment (x1, y1)-(x2, y2); a zero-length segment gives the distance to
// its start.
double distanceToSegment(double x, double y, double x1, double y1, double x2, double y2);

} // namespace selvir
