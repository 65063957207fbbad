#pragma once
// The runline generator's work, apart from its window: the route drawn on "Selvir_Route", the lines
// generated on "Selvir_Runlines" from it, the "RUNLINE" keys of the settings file and the status the
// window shows. The window (TfRunline1) only turns its controls into these calls.
//
// States: no route -> drawing (after drawRoute, until the main window hands the finished polyline to
// setRoute, or cancelRouteDrawing) -> route ready (regenerates on every parameter change) -> no route
// again by clear or drawRoute.

#include "canvas/CanvasCore.h"
#include "core/Colors.h"
#include "core/ProfileStore.h"
#include "tools/RunlineGeometry.h"

#include <functional>
#include <string>
#include <vector>

namespace selvir {

inline const QString runlineLayerName = QStringLiteral("Selvir_Runlines");

// Draws a generation's polylines on `layer`: the route first, then the lines, all open.
void drawRunlines(CanvasModel& model, int layer, const PolylinePoints& route,
                  const std::vector<PolylinePoints>& lines);

// The three fields of the window as the surveyor typed them.
struct RunlineFields {
    std::string spacingText = "10";
    std::string lengthText = "100";
    bool perpendicular = true;

    // "RUNLINE": "Spacing", "Length" (texts), "Perpendicular" (boolean); missing keys give the defaults.
    static RunlineFields read(const ProfileStore& store);
    void write(ProfileStore& store) const;
};

// The status line of the window: its text and colour. `caption` is the text with "%1", "%2" where
// `numbers` stand, for a window that shows it in another language.
struct RunlineStatus {
    std::string text;
    ColorValue color = 0;
    std::string caption;
    std::vector<long long> numbers;
};

class RunlineGenerator {
public:
    static constexpr ColorValue kGrey = 0x808080;
    static constexpr ColorValue kBlue = 0xFF0000;
    static constexpr ColorValue kRed = kColorRed;
    static constexpr ColorValue kGreen = kColorGreen;

    using AutoEvent = std::function<void(const std::string& message)>;

    // Reads the "RUNLINE" keys; status "No route drawn". `canvas` and `settings` must outlive it.
    RunlineGenerator(CanvasCore& canvas, ProfileStore& settings, AutoEvent autoEvent);

    // Empties the runlines and the route layer and lets the surveyor click the route points with the
    // polyline tool on "Selvir_Route" (finished by right-click or double-click).
    void drawRoute();
    // The finished route: with at least two points it becomes the route and the lines are generated.
    void setRoute(const PolylinePoints& points);
    // The Generate button: false (nothing done) without a route; otherwise generates once and stores the
    // fields in the settings file. The overload takes the fields on screen first, without a generation of
    // their own.
    bool generate();
    bool generate(const RunlineFields& fields);
    // A field changed: regenerates while there is a route, writing nothing to the settings file.
    void setFields(const RunlineFields& fields);
    // Empties the runlines (the route polyline stays until the next drawRoute) and forgets the route.
    void clear();
    // Esc while the route is being drawn: the polyline tool is put away and the route layer stops being
    // the one drawn on, so later shapes land where the surveyor's shapes go. Nothing otherwise.
    void cancelRouteDrawing();

    const RunlineFields& fields() const { return fields_; }
    const RunlineStatus& status() const { return status_; }
    bool routeReady() const { return routeReady_; }
    // True between drawRoute and the route it waits for.
    bool drawingRoute() const { return drawing_; }
    const PolylinePoints& route() const { return route_; }
    // The layer of the generated lines; -1 until the first generation.
    int runlineLayer() const { return runlineLayer_; }
    // Lines drawn by the last generation, the route not counted.
    std::size_t linesGenerated() const { return generated_; }

private:
    void runGeneration();
    // Empties the runlines layer and forgets the route.
    void forgetRoute();
    void setStatus(std::string caption, ColorValue color, std::vector<long long> numbers = {});

    CanvasCore& canvas_;
    ProfileStore& settings_;
    AutoEvent autoEvent_;
    RunlineFields fields_;
    RunlineStatus status_;
    PolylinePoints route_;
    bool routeReady_ = false;
    bool drawing_ = false;
    int runlineLayer_ = -1;
    int layerBeforeRoute_ = 0; // the layer drawn on before drawRoute made the route layer current
    std::size_t generated_ = 0;
};

} // namespace selvir
