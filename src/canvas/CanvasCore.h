#pragma once
// CanvasCore: the canvas without its widget. It is the drawing model (a CanvasModel, so the model's
// operations are the canvas's under the same names), the tools (a CanvasTools: tool state, input
// handlers, events) and it owns the world window, the grid settings, the back colour, the survey
// overlays and the client size. TSelvirCanvas derives from it and adds only what needs a widget: the
// Qt event translation, the paint cycle and the layout files. So each name of the canvas API is
// declared once, here or in one of the two bases, and the widget inherits it; there are no forwarders.
//
// A model operation that also requests a repaint on the canvas (CadClearShapes, the selections by
// polygon, ShapeSelectDelete) is declared again here under its name; called through a CanvasModel it
// only changes the drawing.
//
// Headless use (tests, tools): a new CanvasCore has a client of 400 x 300 pixels, SetClientSize
// changes it, repaint requests and pointer shapes go nowhere. The widget makes its own widget size the
// client size and turns the requests into QWidget::update().
//
// Repaints: operations that change the drawing set the dirty flag and never paint by themselves;
// Refresh()/Update() mark dirty and request a repaint, Invalidate() requests one.

#include "canvas/CanvasModel.h"
#include "canvas/CanvasTools.h"
#include "canvas/ShapeRenderer.h"
#include "canvas/SurveyOverlays.h"
#include "canvas/ViewWindow.h"

#include <QString>
#include <vector>

namespace selvir {

class CanvasCore : public CanvasModel, public CanvasTools {
public:
    CanvasCore();
    ~CanvasCore() override;

    // --- Owned state. The owner may read and write these directly (to save and restore the view,
    // to apply its grid settings); the next paint notices such changes by itself.
    CanvasModel& Model() { return *this; }
    const CanvasModel& Model() const { return *this; }
    ViewWindow& View() { return view_; }
    const ViewWindow& View() const { return view_; }
    GridSettings& Grid() { return grid_; }
    const GridSettings& Grid() const { return grid_; }
    TColor BackColor() const { return backColor_; }

    virtual ClientSize clientSize() const { return client_; }
    // Sets the client size and applies Resize once per new size.
    void SetClientSize(int widthPx, int heightPx);

    // Topmost visible shape within 5 pixels of the world point, or -1.
    ShapeId GetShapeAt(double x, double y) const;
    ShapeId ShapeHitTest(double x, double y) const { return GetShapeAt(x, y); }

    // -1: every shape (ids restart at 1); else the shapes of that layer. Requests a repaint.
    void CadClearShapes(int layer);
    // The next three request a repaint but leave the image as it is: the highlight shows with the next
    // rebuild.
    void SelectShapesOnLayers(const std::vector<long>& layers);
    void SelectShapesInPolygon(const std::vector<TPointF>& polygon, const std::vector<long>& layers);
    void SelectAllShapesInPolygon(const std::vector<TPointF>& polygon);
    static bool PointInPolygon(double x, double y, const std::vector<TPointF>& polygon) {
        return selvir::PointInPolygon(x, y, polygon);
    }
    // Deleting the selection, under its three names; each requests a repaint.
    void ShapeSelectDelete();
    void DeleteSelectedShapes() { ShapeSelectDelete(); }
    void CadClearSelectedShapes() { ShapeSelectDelete(); }

    // --- View (formulas in ViewWindow.h, on the client size)
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
    // The resize handler: keeps world units square on the client size.
    void Resize();
    void SetBackColor(TColor color);
    TColor GetContrastColor(TColor color) const { return selvir::GetContrastColor(color, backColor_); }

    // --- Repaint requests
    // Marks the whole drawing dirty and requests a repaint: for changes made to shapes directly.
    void Refresh();
    void Update() { Refresh(); }
    // Requests a repaint that redraws what the canvas operations recorded since the last paint (shapes
    // appended and removed, view changes) and nothing else: the map tick's refresh.
    void RepaintChanges();
    // Requests a repaint without a rebuild (overlays, rubber band).
    void Invalidate() { requestRepaint(); }

    // Kept for compatibility: they do nothing.
    int MetafileSave(const QString&) { return 0; }
    int MetafileToClipboard() { return 0; }
    int ViewDialogShow(int, long) { return 0; }
    void PrintView(int, const QString&) {}
    static QString AboutText();

    // --- Survey overlays. Each change only requests a repaint: the overlays are painted over the
    // shape image, which they never touch.
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
    // The distance measure; Update is ignored before Start. Distance in metres, azimuth in degrees, as
    // the owner computed them.
    void StartDistanceMeasure(double x, double y);
    void UpdateDistanceMeasure(double x, double y, double distanceM, double azimuthDeg);
    void EndDistanceMeasure();
    const OverlayOwnerState& GetOverlayOwnerState() const { return owner_; }
    void SetOverlayOwnerState(const OverlayOwnerState& state);

protected:
    // The world window, grid or back colour changed: a new image, the same drawing.
    void viewChanged();
    // Hands a repaint request to the screen; many requests may give one paint.
    virtual void requestRepaint() {}
    // Makes the client `widthPx` x `heightPx`.
    virtual void applyClientSize(int widthPx, int heightPx) { client_ = {widthPx, heightPx}; }
    // Applies Resize when the client size differs from the one it was last applied for.
    void clientResized();

    // Read by the overlay painting of the widget; changed only by the setters above.
    SurveyOverlayState overlays_;
    OverlayOwnerState owner_;

private:
    ViewWindow view_;
    GridSettings grid_;
    TColor backColor_ = colorWhite;
    ClientSize client_{400, 300};
    ClientSize resizedFor_{-1, -1};
};

} // namespace selvir
