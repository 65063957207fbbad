#pragma once
// The pointer and keyboard tools of the canvas: the drawing tools, selection clicks, pan, zoom window,
// dynamic zoom, the wheel, double-click and the keys, with the events that report them to the owner.
// A state machine over client pixels, free of widgets: the canvas widget hands it its Qt events one
// for one, and tests drive it on a CanvasCore of any client size without an application object.
//
// It is a base of CanvasCore, so the owner reads and writes the tool state and assigns the events on
// the canvas itself (canvas->DrawTool = 5, canvas->OnDrawEnd = ...); the tools act on the drawing and
// the view only through the canvas's public operations.

#include "canvas/CanvasTypes.h"
#include "canvas/InputCodes.h"
#include "canvas/Shapes.h"
#include "canvas/WheelAccumulator.h"

#include <QPoint>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>

namespace selvir {

class CanvasCore;

class CanvasTools {
public:
    CanvasTools(const CanvasTools&) = delete;
    CanvasTools& operator=(const CanvasTools&) = delete;

    // --- Input; x, y are client pixels. What an owner's handler throws passes through unless the
    // caller runs the call inside guarded().
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    void MouseMove(TShiftState shift, int x, int y);
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    // The second press of a double-click as toolkits deliver it, in place of its press: a left one is
    // first a double-click (DblClick) and then the press it also is, which the double-click has armed
    // IgnoreNextClick to swallow; other buttons give only the press.
    void MouseDoubleDown(TMouseButton button, TShiftState shift, int x, int y);
    // At the last move position: finishes an open drawing, else centres the view there.
    void DblClick();
    // Escape drops an open drawing, Delete deletes the selection when enabled; nothing escapes.
    void KeyDown(unsigned short& key, TShiftState shift);
    // Zooms a tenth in (delta > 0) or out (delta < 0) about the client pixel once per whole notch
    // (120) the deltas add up to; returns 1 (handled).
    int WMMouseWheel(int wheelDelta, int x, int y);
    // Forgets an open drawing without an event (after the owner has taken over what was drawn).
    void ClearDrawingState();

    // The pointer shape the tool in use asks for.
    PointerShape Pointer() const { return pointer_; }

    // --- Events, assigned by the owner; an unassigned one is skipped. The sender comes first; x, y
    // are world coordinates of the pointer.
    // A click in select mode selected this shape.
    std::function<void(CanvasCore* sender, std::int16_t shapeType, ShapeId id)> OnShapeNumberSelected;
    // Every mouse move; distance (world units) and angle (degrees counter-clockwise from east,
    // -180..180) from the last button press to the pointer.
    std::function<void(CanvasCore* sender, std::int16_t shift, double x, double y, double distance,
                       double angleDeg)>
        OnWorldMouseMove;
    // Every button press (codes 1 left, 2 right, 4 middle) except a right-click that finishes a drawing.
    std::function<void(CanvasCore* sender, std::int16_t button, std::int16_t shift, std::int16_t tool,
                       double x, double y)>
        OnWorldMouseDown;
    // The first point of a drawing was placed.
    std::function<void(CanvasCore* sender, std::int16_t tool, double x, double y)> OnDrawBegin;
    // A drawing was finished by right-click or double-click; also after every point of the point tool.
    std::function<void(CanvasCore* sender, std::int16_t tool, double x, double y)> OnDrawEnd;
    // The control's own double-click event, raised before the canvas handles the double-click.
    std::function<void(CanvasCore* sender)> OnDblClick;
    // The pick-window tool's second click closed a window with an area (world coordinates).
    std::function<void(CanvasCore* sender, double left, double top, double right, double bottom)>
        OnWindowPicked;

    // --- Interaction state (the tools read and write it; the rubber band draws from it)
    int DrawTool = 0; // the tool, a CanvasTool value (InputCodes.h); written by the owner
    bool KeepTool = false;
    bool DeleteKeyEnabled = false;
    bool FollowVessel = true; // kept for the owner only
    bool DrawActive = false;
    bool ShapeInProgress = false;
    bool IgnoreNextClick = false;
    double AnchorX = 0.0, AnchorY = 0.0;            // first point or last fixed vertex, world
    double CursorX = 0.0, CursorY = 0.0;            // rubber-band end, world
    std::unique_ptr<TSPolyline> PolylineInProgress; // not yet in the shape list
    bool Panning = false;
    bool DynamicZooming = false;
    double DownX = 0.0, DownY = 0.0; // world position of the last button press

    // --- Faults of input handling. Handlers run inside the toolkit's event delivery, which must not
    // be left by an exception: guarded() catches what `handler` throws, counts it, keeps its message
    // and tells OnInputFault (the owner logs it).
    template <class Handler>
    void guarded(Handler&& handler) noexcept;
    int InputFaultCount() const { return inputFaults_; }
    const std::string& LastInputFault() const { return lastInputFault_; }
    std::function<void(CanvasCore* sender, const std::string& message)> OnInputFault;

protected:
    explicit CanvasTools(CanvasCore& canvas) : canvas_(canvas) {}
    virtual ~CanvasTools();
    // Shows the pointer shape on a screen; a canvas without one shows nothing.
    virtual void showPointer(PointerShape) {}

private:
    CanvasTool tool() const { return static_cast<CanvasTool>(DrawTool); }
    void finishDrawing(double x, double y);
    void selectClick(double x, double y, TShiftState shift);
    void leftClickTool(double x, double y);
    void startSequence(double x, double y);
    void startPolyline(double x, double y);
    void finishTwoClickShape();
    void zoomWindowTo(double x, double y);
    void pickWindowTo(double x, double y);
    void startPan(int px, int py, double x, double y);
    void endTool();
    void setPointer(PointerShape shape);
    void noteInputFault(const char* message) noexcept;

    CanvasCore& canvas_;
    QPoint dragReferencePx_; // last pan or dynamic-zoom step
    QPoint lastMovePx_;      // last mouse move (the double-click acts there)
    WheelAccumulator wheel_;
    PointerShape pointer_ = PointerShape::Default;
    int inputFaults_ = 0;
    std::string lastInputFault_;
};

template <class Handler>
void CanvasTools::guarded(Handler&& handler) noexcept {
    try {
        handler();
    } catch (const std::exception& e) {
        noteInputFault(e.what());
    } catch (...) {
        noteInputFault("an exception of unknown type");
    }
}

} // namespace selvir
