#pragma once
// The shapes of the drawing, in world coordinates (metres of the survey grid, X east, Y north).
// TSShape holds what every shape has; each subclass adds its geometry. The virtual operations come in
// this order: destructor, Draw, HitTest, UpdateBounds, Translate, Scale, Rotate. The geometric ones end
// by recomputing the bounding box.

#include "canvas/CanvasTypes.h"

#include <QString>
#include <cstdint>
#include <memory>
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
    int ShapeType = 0;
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

class TSRectangle final : public TSShape {
public:
    TSRectangle() { ShapeType = shapetype::Rectangle; }
    void Draw(DrawSurface& surface, double left, double right, double top, double bottom, int width,
              int height) const override;
    bool HitTest(double x, double y, double tolerance) const override;
    void UpdateBounds() override;
    void Translate(double dx, double dy) override;
    void Scale(double sx, double sy, double cx, double cy) override;
    void Rotate(double angleDeg, double cx, double cy) override;
    std::unique_ptr<TSShape> Clone() const override { return std::make_unique<TSRectangle>(*this); }

    double X1 = 0.0, Y1 = 0.0, X2 = 0.0, Y2 = 0.0; // two opposite corners
    double Value = 0.0;                            // carried value (the Z of an imported grid cell)
    bool Rounded = false;
    double CornerRadius = 10.0; // world units
};

class TSLine final : public TSShape {
public:
    TSLine() { ShapeType = shapetype::Line; }
    void Draw(DrawSurface& surface, double left, double right, double top, double bottom, int width,
              int height) const override;
    bool HitTest(double x, double y, double tolerance) const override;
    void UpdateBounds() override;
    void Translate(double dx, double dy) override;
    void Scale(double sx, double sy, double cx, double cy) override;
    void Rotate(double angleDeg, double cx, double cy) override;
    std::unique_ptr<TSShape> Clone() const override { return std::make_unique<TSLine>(*this); }

    double X1 = 0.0, Y1 = 0.0, X2 = 0.0, Y2 = 0.0;
};

// Open polyline (5), closed polygon (6), spline (8) or three-point curve (10). Vertices are kept in
// single precision: grid coordinates in the millions of metres round to about half a metre.
class TSPolyline final : public TSShape {
public:
    TSPolyline() { ShapeType = shapetype::Polyline; }
    void Draw(DrawSurface& surface, double left, double right, double top, double bottom, int width,
              int height) const override;
    bool HitTest(double x, double y, double tolerance) const override;
    void UpdateBounds() override;
    void Translate(double dx, double dy) override;
    void Scale(double sx, double sy, double cx, double cy) override;
    void Rotate(double angleDeg, double cx, double cy) override;
    std::unique_ptr<TSShape> Clone() const override { return std::make_unique<TSPolyline>(*this); }

    // Appends a vertex (converted to single precision) and widens the bounds by it.
    void AddPoint(double x, double y);

    std::vector<TPointF> Points;
    bool Closed = false;
};

// Three-point arc: start, middle, end; drawn as the two straight segments joining them.
class TSArc final : public TSShape {
public:
    TSArc() { ShapeType = shapetype::Arc; }
    void Draw(DrawSurface& surface, double left, double right, double top, double bottom, int width,
              int height) const override;
    bool HitTest(double x, double y, double tolerance) const override;
    void UpdateBounds() override;
    void Translate(double dx, double dy) override;
    void Scale(double sx, double sy, double cx, double cy) override;
    void Rotate(double angleDeg, double cx, double cy) override;
    std::unique_ptr<TSShape> Clone() const override { return std::make_unique<TSArc>(*this); }

    double X1 = 0.0, Y1 = 0.0; // start
    double X2 = 0.0, Y2 = 0.0; // middle
    double X3 = 0.0, Y3 = 0.0; // end
};

class TSText final : public TSShape {
public:
    TSText() { ShapeType = shapetype::Text; }
    void Draw(DrawSurface& surface, double left, double right, double top, double bottom, int width,
              int height) const override;
    bool HitTest(double x, double y, double tolerance) const override;
    void UpdateBounds() override;
    void Translate(double dx, double dy) override;
    void Scale(double sx, double sy, double cx, double cy) override;
    void Rotate(double angleDeg, double cx, double cy) override;
    std::unique_ptr<TSShape> Clone() const override { return std::make_unique<TSText>(*this); }

    double X = 0.0, Y = 0.0; // anchor
    QString Caption;
    int FontIndex = 0;
    double Rotation = 0.0;    // degrees, counter-clockwise
    int HAlign = 0;           // 0 left, 1 centre, 2 right of the anchor
    int VAlign = 0;           // 0 top, 1 middle, 2 bottom
    double TextHeight = 10.0; // world units
    QString FontName = QStringLiteral("Arial");
    bool Bold = false;
    bool Italic = false;
};

class TSPoint final : public TSShape {
public:
    TSPoint() { ShapeType = shapetype::Point; }
    void Draw(DrawSurface& surface, double left, double right, double top, double bottom, int width,
              int height) const override;
    bool HitTest(double x, double y, double tolerance) const override;
    void UpdateBounds() override;
    void Translate(double dx, double dy) override;
    void Scale(double sx, double sy, double cx, double cy) override;
    void Rotate(double angleDeg, double cx, double cy) override;
    std::unique_ptr<TSShape> Clone() const override { return std::make_unique<TSPoint>(*this); }

    double X = 0.0, Y = 0.0;
    double Value = 0.0; // carried value (the Z of an imported point)
    int PointSize = 3;  // pixels; the bounds take it as world units
};

class TSCircle final : public TSShape {
public:
    TSCircle() { ShapeType = shapetype::Circle; }
    void Draw(DrawSurface& surface, double left, double right, double top, double bottom, int width,
              int height) const override;
    bool HitTest(double x, double y, double tolerance) const override;
    void UpdateBounds() override;
    void Translate(double dx, double dy) override;
    void Scale(double sx, double sy, double cx, double cy) override;
    void Rotate(double angleDeg, double cx, double cy) override;
    std::unique_ptr<TSShape> Clone() const override { return std::make_unique<TSCircle>(*this); }

    double CenterX = 0.0, CenterY = 0.0, Radius = 0.0;
};

// Ellipse given by two opposite corners of its enclosing box.
class TSEllipse final : public TSShape {
public:
    TSEllipse() { ShapeType = shapetype::Ellipse; }
    void Draw(DrawSurface& surface, double left, double right, double top, double bottom, int width,
              int height) const override;
    bool HitTest(double x, double y, double tolerance) const override;
    void UpdateBounds() override;
    void Translate(double dx, double dy) override;
    void Scale(double sx, double sy, double cx, double cy) override;
    void Rotate(double angleDeg, double cx, double cy) override;
    std::unique_ptr<TSShape> Clone() const override { return std::make_unique<TSEllipse>(*this); }

    double X1 = 0.0, Y1 = 0.0, X2 = 0.0, Y2 = 0.0;
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
