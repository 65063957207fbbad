#pragma once
// TSelvirCanvas: the CAD canvas widget. It owns the drawing model (CanvasModel), the world window
// (ViewWindow), the grid settings and the off-screen image, and offers the canvas API under its
// classic names, grouped by prefix (Layer..., Shape..., Draw..., World..., Cad...).
//
// Headless use: everything except painting works on a canvas that was never shown. Give it a client
// size with SetClientSize(w, h) (a new canvas is 400 x 300); OffscreenImage() renders without a window.
//
// Paint cycle (paintEvent -> Paint):
//   1. if the model is dirty, the client size changed, or the world window, grid or back colour differ
//      from those of the last rebuild: rebuild the off-screen image (back colour, grid under the
//      shapes, shape pass, grid over the shapes) and clear the dirty flag;
//   2. copy the image to the widget;
//   3. on the widget only: the rubber band, then the survey overlays (PaintOverlays).
// Overlays and the rubber band therefore cost no rebuild: changing them only needs Invalidate().
//
// Repaints: operations that change the drawing set the dirty flag and never paint by themselves;
// Refresh()/Update() mark dirty and request a repaint, Invalidate() requests one. Requests go through
// QWidget::update(), so any number of them gives one paint.

#include "canvas/CanvasModel.h"
#include "canvas/InputCodes.h"
#include "canvas/LabelTextCache.h"
#include "canvas/ShapeRenderer.h"
#include "canvas/SurveyOverlays.h"
#include "canvas/ViewWindow.h"

#include <QImage>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QPainter;

namespace selvir {

struct DxfLoadReport;
struct DxfProgress;

// What the overlays read from the owner rather than from the canvas: the event-label look of the
// display settings and the receiver status of the realtime update. The owner writes it whole with
// SetOverlayOwnerState.
struct OverlayOwnerState {
    QString statusText;          // one line for the position-status box; empty: no box
    int fixQuality = 0;          // 0 no fix, 1 autonomous, 2 differential, 4 RTK fixed, 5 RTK float, 7 manual
    int eventLabelFontSize = 24; // points
    TColor eventLabelColor = colorRed;
};

class TSelvirCanvas : public QWidget {
    Q_OBJECT
public:
    explicit TSelvirCanvas(QWidget* owner = nullptr);
    ~TSelvirCanvas() override;

    // --- Owned state. The owner may read and write these directly (to save and restore the view,
    // to apply its grid settings); the next paint notices such changes by itself.
    CanvasModel& Model() { return model_; }
    const CanvasModel& Model() const { return model_; }
    ViewWindow& View() { return view_; }
    const ViewWindow& View() const { return view_; }
    GridSettings& Grid() { return grid_; }
    const GridSettings& Grid() const { return grid_; }
    TColor BackColor() const { return backColor_; }

    ClientSize clientSize() const { return {width(), height()}; }
    // Sets the client size and applies Resize at once, also on a canvas that is not shown.
    void SetClientSize(int widthPx, int heightPx);

    // --- Lookup
    TSLayer* FindLayer(int index) const { return model_.FindLayer(index); }
    int LayerFindByName(const QString& name) const { return model_.LayerFindByName(name); }
    int LayerOpen(const QString& name) { return model_.LayerOpen(name); }
    TSShape* FindShape(ShapeId id) const { return model_.FindShape(id); }
    // Topmost visible shape within 5 pixels of the world point, or -1.
    ShapeId GetShapeAt(double x, double y) const;
    ShapeId ShapeHitTest(double x, double y) const { return GetShapeAt(x, y); }
    int CurrentLayer() const { return model_.CurrentLayer; }
    void SetCurrentLayer(int layer) { model_.CurrentLayer = layer; }

    // --- Layer properties
    int GetLayerAction(int layer) const { return model_.GetLayerAction(layer); }
    void SetLayerAction(int layer, int value) { model_.SetLayerAction(layer, value); }
    TColor GetLayerPenFg(int layer) const { return model_.GetLayerPenFg(layer); }
    void SetLayerPenFg(int layer, TColor value) { model_.SetLayerPenFg(layer, value); }
    int GetLayerPenWidth(int layer) const { return model_.GetLayerPenWidth(layer); }
    void SetLayerPenWidth(int layer, int value) { model_.SetLayerPenWidth(layer, value); }
    int GetLayerPenStyle(int layer) const { return model_.GetLayerPenStyle(layer); }
    void SetLayerPenStyle(int layer, int value) { model_.SetLayerPenStyle(layer, value); }
    TColor GetLayerBrushFg(int layer) const { return model_.GetLayerBrushFg(layer); }
    void SetLayerBrushFg(int layer, TColor value) { model_.SetLayerBrushFg(layer, value); }
    TColor GetLayerBrushBg(int layer) const { return model_.GetLayerBrushBg(layer); }
    void SetLayerBrushBg(int layer, TColor value) { model_.SetLayerBrushBg(layer, value); }
    std::uint8_t GetLayerBrushStyle(int layer) const { return model_.GetLayerBrushStyle(layer); }
    void SetLayerBrushStyle(int layer, std::uint8_t value) { model_.SetLayerBrushStyle(layer, value); }
    int GetLayerBrushMode(int layer) const { return model_.GetLayerBrushMode(layer); }
    void SetLayerBrushMode(int layer, int value) { model_.SetLayerBrushMode(layer, value); }
    void LayerCopy(int fromLayer, int toLayer, int mode) { model_.LayerCopy(fromLayer, toLayer, mode); }

    // --- Shape properties
    std::int16_t GetShapeType(ShapeId id) const { return model_.GetShapeType(id); }
    int GetShapePenWidth(ShapeId id) const { return model_.GetShapePenWidth(id); }
    void SetShapePenWidth(ShapeId id, int value) { model_.SetShapePenWidth(id, value); }
    TColor GetShapePenFg(ShapeId id) const { return model_.GetShapePenFg(id); }
    void SetShapePenFg(ShapeId id, TColor value) { model_.SetShapePenFg(id, value); }
    int GetShapePenStyle(ShapeId id) const { return model_.GetShapePenStyle(id); }
    void SetShapePenStyle(ShapeId id, int value) { model_.SetShapePenStyle(id, value); }
    TColor GetShapeBrushFg(ShapeId id) const { return model_.GetShapeBrushFg(id); }
    void SetShapeBrushFg(ShapeId id, TColor value) { model_.SetShapeBrushFg(id, value); }
    std::uint8_t GetShapeBrushStyle(ShapeId id) const { return model_.GetShapeBrushStyle(id); }
    void SetShapeBrushStyle(ShapeId id, std::uint8_t value) { model_.SetShapeBrushStyle(id, value); }
    int GetShapeBrushMode(ShapeId id) const { return model_.GetShapeBrushMode(id); }
    void SetShapeBrushMode(ShapeId id, int value) { model_.SetShapeBrushMode(id, value); }
    int GetShapeOnLayer(ShapeId id) const { return model_.GetShapeOnLayer(id); }
    bool GetShapeIsSelected(ShapeId id) const { return model_.GetShapeIsSelected(id); }
    QString GetShapeText(ShapeId id) const { return model_.GetShapeText(id); }
    void SetShapeText(ShapeId id, const QString& value) { model_.SetShapeText(id, value); }
    QString GetShapeNotes(ShapeId id) const { return model_.GetShapeNotes(id); }
    void SetShapeNotes(ShapeId id, const QString& value) { model_.SetShapeNotes(id, value); }
    int GetShapeZOrder(ShapeId id) const { return model_.GetShapeZOrder(id); }
    void SetShapeZOrder(ShapeId id, int value) { model_.SetShapeZOrder(id, value); }
    void ShapeToLayer(ShapeId id, int layer) { model_.ShapeToLayer(id, layer); }

    // --- Creators (world coordinates; an unknown layer falls back to "Default"); they return the id
    ShapeId DrawLine(double x1, double y1, double x2, double y2, int layer) {
        return model_.DrawLine(x1, y1, x2, y2, layer);
    }
    ShapeId DrawCircle(double cx, double cy, double radius, int layer) {
        return model_.DrawCircle(cx, cy, radius, layer);
    }
    ShapeId DrawRectangle(double x1, double y1, double x2, double y2, int layer) {
        return model_.DrawRectangle(x1, y1, x2, y2, layer);
    }
    ShapeId DrawPoint(double x, double y, int layer) { return model_.DrawPoint(x, y, layer); }
    ShapeId DrawTwoPointEllipse(double x1, double y1, double x2, double y2, int layer) {
        return model_.DrawTwoPointEllipse(x1, y1, x2, y2, layer);
    }
    ShapeId DrawThreePointArc(double x1, double y1, double x2, double y2, double x3, double y3, int layer) {
        return model_.DrawThreePointArc(x1, y1, x2, y2, x3, y3, layer);
    }
    ShapeId TextAdd(int layer, const QString& text, double x, double y, int fontIndex) {
        return model_.TextAdd(layer, text, x, y, fontIndex);
    }
    ShapeId DrawPolyline(const std::vector<std::pair<double, double>>& points, int layer, bool closed) {
        return model_.DrawPolyline(points, layer, closed);
    }
    ShapeId ShapeAdd(int a, int b) { return model_.ShapeAdd(a, b); }

    // --- Z-order
    void ShapeToFront(ShapeId id) { model_.ShapeToFront(id); }
    void ShapeToBack(ShapeId id) { model_.ShapeToBack(id); }
    void ShapeZOrderJump(ShapeId id, long steps) { model_.ShapeZOrderJump(id, steps); }

    // -1: every shape (ids restart at 1); else the shapes of that layer. Requests a repaint.
    void CadClearShapes(int layer);

    // --- Selection
    void ShapeSelect(ShapeId id, bool add) { model_.ShapeSelect(id, add); }
    void ShapeDeselect(ShapeId id) { model_.ShapeDeselect(id); }
    void CadSelectShapes() { model_.CadSelectShapes(); }
    void CadDeselectShapes() { model_.CadDeselectShapes(); }
    void LayerSelectShapes(int layer, bool add) { model_.LayerSelectShapes(layer, add); }
    void LayerDeselectShapes(int layer) { model_.LayerDeselectShapes(layer); }
    // The next three request a repaint but leave the image as it is: the highlight shows with the next
    // rebuild.
    void SelectShapesOnLayers(const std::vector<long>& layers);
    void SelectShapesInPolygon(const std::vector<TPointF>& polygon, const std::vector<long>& layers);
    void SelectAllShapesInPolygon(const std::vector<TPointF>& polygon);
    void ClearSelection() { model_.ClearSelection(); }
    int SelectedShapeCount() const { return model_.SelectedShapeCount(); }
    // The selection list in order (an id may appear twice).
    std::vector<ShapeId> GetShapeSelectNumbers() const { return model_.GetShapeSelectNumbers(); }
    static bool PointInPolygon(double x, double y, const std::vector<TPointF>& polygon) {
        return selvir::PointInPolygon(x, y, polygon);
    }

    // --- Deletion
    void ShapeDelete(ShapeId id) { model_.ShapeDelete(id); }
    void ShapeSelectDelete();
    void DeleteSelectedShapes();
    void CadClearSelectedShapes();

    // --- Transforms (angles in degrees, counter-clockwise)
    void ShapeTranslate(ShapeId id, double dx, double dy) { model_.ShapeTranslate(id, dx, dy); }
    void ShapeScale(ShapeId id, double sx, double sy, double cx, double cy) {
        model_.ShapeScale(id, sx, sy, cx, cy);
    }
    void ShapeRotate(ShapeId id, double angleDeg, double cx, double cy) {
        model_.ShapeRotate(id, angleDeg, cx, cy);
    }
    void ShapeReflect(ShapeId id, int axis, double cx, double cy) { model_.ShapeReflect(id, axis, cx, cy); }
    void ShapeSelectMoveDelta(double dx, double dy) { model_.ShapeSelectMoveDelta(dx, dy); }

    // --- Vertex editing
    int ShapePointCount(ShapeId id) const { return model_.ShapePointCount(id); }
    double ShapePointGetX(ShapeId id, int index) const { return model_.ShapePointGetX(id, index); }
    double ShapePointGetY(ShapeId id, int index) const { return model_.ShapePointGetY(id, index); }
    void ShapePointSet(ShapeId id, int index, double x, double y) { model_.ShapePointSet(id, index, x, y); }
    void ShapePointInsert(ShapeId id, int index, double x, double y) {
        model_.ShapePointInsert(id, index, x, y);
    }
    void ShapePointDelete(ShapeId id, int index) { model_.ShapePointDelete(id, index); }

    // --- Fonts
    int FontOpen(const QString& description, int unused = 0) { return model_.FontOpen(description, unused); }
    void CadFontBehaviorReset() { model_.CadFontBehaviorReset(); }
    void LayerFontBehaviorReset(int layer) { model_.LayerFontBehaviorReset(layer); }
    void ShapeFontBehaviorReset(ShapeId id) { model_.ShapeFontBehaviorReset(id); }

    // --- Layout files (formats in layoutfiles/: NativeLayout.h, DxfExport.h, DxfImport.h, XyzImport.h).
    // Each returns false on failure, shows no message and lets no exception escape; loads request a
    // repaint. The integer of CadSave and the first two of CadLoad have no effect (the owner passes -1);
    // CadLoad's mode 0 replaces the drawing, any other value adds to it. DXFLoad hands its report
    // lines to the caller and its progress to `progress` (for a progress dialog).
    bool CadSave(const QString& fileName, int unused = -1);
    bool CadLoad(const QString& fileName, int unused1, int unused2, int mode);
    bool DXFSave(const QString& fileName);
    bool DXFLoad(const QString& fileName, DxfLoadReport* report = nullptr,
                 const std::function<void(const DxfProgress&)>& progress = {});
    bool XYZLoad(const QString& fileName, int layer, double low, double high);
    // The first block read from a DXF drawing with that name, or null.
    TSBlock* FindBlock(const QString& name) const { return model_.FindBlock(name); }

    // --- View (formulas in ViewWindow.h; the client size is the widget size)
    void WorldToScreen(double x, double y, int& px, int& py) const {
        view_.WorldToScreen(x, y, clientSize(), px, py);
    }
    void ScreenToWorld(int px, int py, double& x, double& y) const {
        view_.ScreenToWorld(px, py, clientSize(), x, y);
    }
    int WorldToAbsX(double x) const { return view_.WorldToAbsX(x, clientSize()); }
    int WorldToAbsY(double y) const { return view_.WorldToAbsY(y, clientSize()); }
    double GetWorldWidth() const { return view_.GetWorldWidth(); }
    double GetWorldHeight() const { return view_.GetWorldHeight(); }
    // `mode` is ignored. A positive factor zooms in about (x, y).
    void WorldZoom(int mode, double factor, double x, double y);
    void WorldPan(double dx, double dy);
    void WorldSet(double left, double top, double right, double bottom);
    void WorldExtents();
    // The resize handler: keeps world units square on the new client size.
    void Resize();
    void SetBackColor(TColor color);
    TColor GetContrastColor(TColor color) const { return selvir::GetContrastColor(color, backColor_); }

    // --- Painting
    // Marks the drawing dirty and requests a repaint.
    void Refresh();
    void Update();
    // Requests a repaint without a rebuild (overlays, rubber band).
    void Invalidate();
    // The off-screen image, rebuilt first when needed (paint step 1). Works on a hidden canvas.
    const QImage& OffscreenImage();
    // Rebuilds the off-screen image now, whatever the dirty flag says. Returns the shapes drawn.
    int RebuildOffscreenImage();
    // Shape pass and grid on the off-screen image as it stands (the rebuild calls them in order).
    int DrawAllShapes();
    void DrawGrid();
    // The rubber band of the drawing tool in use, drawn with XOR on `surface`; nothing unless a
    // drawing has placed its first point.
    void DrawRubberBand(QPainter* surface) const;
    // Kept for compatibility: they do nothing.
    int MetafileSave(const QString&) { return 0; }
    int MetafileToClipboard() { return 0; }
    int ViewDialogShow(int, long) { return 0; }
    void PrintView(int, const QString&) {}

    static QString AboutText();
    void AboutBox();

    // --- Survey overlays (TSelvirCanvasOverlays.cpp). Each change only requests a repaint: the
    // overlays are painted on the widget over the shape image, which they never touch.
    const SurveyOverlayState& Overlays() const { return overlays_; }
    // Adds a depth label unless one lies closer than the label spacing; past 10000 labels the oldest
    // 1000 go. Requests a repaint only when the label was added.
    void AddDepthLabel(double x, double y, double depthM);
    void ClearDepthLabels();
    // Spacing in world units (metres), applied to labels added from now on; size in points.
    void SetDepthLabelSettings(bool show, double spacing, const QString& fontName, int fontSize,
                               TColor color);
    void AddEventLabel(double x, double y, int number);
    void ClearEventLabels();
    void SetCurrentDepth(double depthHF, double depthLF, bool valid); // metres
    void SetCurrentSpeed(double knots, bool valid);
    // Corners 0..3; the owner keeps them in its settings under these names.
    int DepthSpeedDisplayMode() const { return overlays_.DepthSpeedDisplayMode; }
    void SetDepthSpeedDisplayMode(int mode);
    void ToggleDepthSpeedDisplayMode();
    int GGAOverlayPosition() const { return overlays_.GGAOverlayPosition; }
    void SetGGAOverlayPosition(int position);
    void ToggleGGAOverlayPosition();
    // True when the client pixel lies on the position-status box where it is drawn now; false while
    // there is no status text.
    bool IsPointInGGAOverlay(int x, int y) const;
    // The position-status box as drawn (client pixels); an empty box when there is no status text.
    PixelBox GGAOverlayBox() const;
    // The distance measure; Update is ignored before Start. Distance in metres, azimuth in degrees, as
    // the owner computed them.
    void StartDistanceMeasure(double x, double y);
    void UpdateDistanceMeasure(double x, double y, double distanceM, double azimuthDeg);
    void EndDistanceMeasure();
    const OverlayOwnerState& GetOverlayOwnerState() const { return owner_; }
    void SetOverlayOwnerState(const OverlayOwnerState& state);
    // The points of the last route ("Selvir_Route" or "Selvir_SelectPoly"; any layer when neither
    // exists), in single precision widened back to double; empty when there is none.
    std::vector<std::pair<double, double>> GetLastPolylinePoints() const {
        return model_.GetLastPolylinePoints();
    }
    // Paint step 3 after the rubber band, on `surface` (the widget while painting): distance measure,
    // depth labels, event labels, depth and speed box, position status.
    void PaintOverlays(QPainter& surface);
    void DrawDistanceOverlay(QPainter* surface);
    void DrawDepthLabelsOverlay(QPainter* surface);
    void DrawEventLabelsOverlay(QPainter* surface);
    void DrawCurrentDepthOverlay(QPainter* surface);
    void DrawCurrentSpeedOverlay(QPainter*) {} // the speed is part of the depth box
    void DrawGGAOverlay(QPainter* surface);

    // --- Pointer and keyboard input (TSelvirCanvasInput.cpp). The Qt event handlers translate their
    // events and call these; x, y are client pixels. Nothing that goes wrong inside escapes.
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    void MouseMove(TShiftState shift, int x, int y);
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    // At the last move position: finishes an open drawing, else centres the view there.
    void DblClick();
    void KeyDown(unsigned short& key, TShiftState shift);
    // Zooms a tenth in (delta > 0) or out (delta < 0) about the client pixel; returns 1 (handled).
    int WMMouseWheel(int wheelDelta, int x, int y);
    // Forgets an open drawing without an event (after the owner has taken over what was drawn).
    void ClearDrawingState();

    // Events, assigned by the owner; an unassigned one is skipped. The sender comes first; x, y are
    // world coordinates of the pointer.
    // A click in select mode selected this shape.
    std::function<void(TSelvirCanvas* sender, std::int16_t shapeType, ShapeId id)> OnShapeNumberSelected;
    // Every mouse move; distance (world units) and angle (degrees counter-clockwise from east,
    // -180..180) from the last button press to the pointer.
    std::function<void(TSelvirCanvas* sender, std::int16_t shift, double x, double y, double distance,
                       double angleDeg)>
        OnWorldMouseMove;
    // Every button press (codes 1 left, 2 right, 4 middle) except a right-click that finishes a drawing.
    std::function<void(TSelvirCanvas* sender, std::int16_t button, std::int16_t shift, std::int16_t tool,
                       double x, double y)>
        OnWorldMouseDown;
    // The first point of a drawing was placed.
    std::function<void(TSelvirCanvas* sender, std::int16_t tool, double x, double y)> OnDrawBegin;
    // A drawing was finished by right-click or double-click; also after every point of the point tool.
    std::function<void(TSelvirCanvas* sender, std::int16_t tool, double x, double y)> OnDrawEnd;
    // The control's own double-click event, raised before the canvas handles the double-click.
    std::function<void(TSelvirCanvas* sender)> OnDblClick;

    // --- Interaction state (the pointer tools read and write it; the rubber band draws from it)
    int DrawTool = 0; // the tool: a shape type code or one of drawtool::...; written by the owner
    bool KeepTool = false;
    bool DeleteKeyEnabled = false;
    bool FollowVessel = true;
    bool DrawActive = false;
    bool ShapeInProgress = false;
    bool IgnoreNextClick = false;
    double AnchorX = 0.0, AnchorY = 0.0;            // first point or last fixed vertex, world
    double CursorX = 0.0, CursorY = 0.0;            // rubber-band end, world
    std::unique_ptr<TSPolyline> PolylineInProgress; // not yet in the shape list
    bool Panning = false;
    bool DynamicZooming = false;
    double DownX = 0.0, DownY = 0.0; // world position of the last button press

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    // Paint steps; called from paintEvent only.
    void Paint();

private:
    bool needsRebuild() const;
    void markDirtyAndInvalidate();
    // Input steps.
    void finishDrawing(double x, double y);
    void selectClick(double x, double y, TShiftState shift);
    void leftClickTool(double x, double y);
    void startSequence(double x, double y);
    void startPolyline(double x, double y);
    void finishTwoClickShape();
    void zoomWindowTo(double x, double y);
    void startPan(int px, int py, double x, double y);
    void endTool();
    // Labels centred on their anchors, those within the view's slack only.
    template <class Label, class TextOf>
    void drawLabels(QPainter& painter, LabelTextCache& texts, const QFont& font, TColor color,
                    const std::vector<Label>& labels, TextOf textOf);
    // Text size of the position-status line in its font; (0, 0) without status text.
    TextSize ggaTextSize() const;

    QPoint dragReferencePx_; // last pan or dynamic-zoom step
    QPoint lastMovePx_;      // last mouse move (the double-click acts there)

    SurveyOverlayState overlays_;
    OverlayOwnerState owner_;
    LabelTextCache depthLabelTexts_;
    LabelTextCache eventLabelTexts_;

    CanvasModel model_;
    ViewWindow view_;
    GridSettings grid_;
    TColor backColor_ = colorWhite;

    QImage image_;
    // What the image was last built from, so direct writes to the view or grid also rebuild it.
    ViewWindow imageView_;
    GridSettings imageGrid_;
    TColor imageBackColor_ = colorWhite;
    QSize resizeHandledFor_;
};

} // namespace selvir
