#include "tools/RunlineGenerator.h"

#include "canvas/InputCodes.h"

namespace selvir {
namespace {

constexpr std::string_view kSection = "RUNLINE";

} // namespace

void drawRunlines(CanvasModel& model, int layer, const PolylinePoints& route,
                  const std::vector<PolylinePoints>& lines) {
    model.DrawPolyline(route, layer, false);
    for (const PolylinePoints& line : lines) {
        model.DrawPolyline(line, layer, false);
    }
}

RunlineFields RunlineFields::read(const ProfileStore& store) {
    RunlineFields fields;
    fields.spacingText = store.readString(kSection, "Spacing", "10");
    fields.lengthText = store.readString(kSection, "Length", "100");
    fields.perpendicular = store.readBool(kSection, "Perpendicular", true);
    return fields;
}

void RunlineFields::write(ProfileStore& store) const {
    store.update([this](IniDocument& ini) {
        ini.setValue(kSection, "Spacing", spacingText);
        ini.setValue(kSection, "Length", lengthText);
        ini.setValue(kSection, "Perpendicular", perpendicular ? "1" : "0");
    });
}

RunlineGenerator::RunlineGenerator(CanvasCore& canvas, ProfileStore& settings, AutoEvent autoEvent)
    : canvas_(canvas), settings_(settings), autoEvent_(std::move(autoEvent)),
      fields_(RunlineFields::read(settings)) {
    setStatus("No route drawn", kGrey);
}

void RunlineGenerator::setStatus(std::string text, ColorValue color) {
    status_ = {std::move(text), color};
}

void RunlineGenerator::forgetRoute() {
    if (runlineLayer_ >= 0) {
        canvas_.CadClearShapes(runlineLayer_);
        canvas_.Refresh();
    }
    route_.clear();
    routeReady_ = false;
    generated_ = 0;
}

void RunlineGenerator::drawRoute() {
    forgetRoute();
    int routeLayer = canvas_.LayerFindByName(routeLayerName);
    if (routeLayer < 0) {
        routeLayer = canvas_.LayerOpen(routeLayerName);
    } else {
        canvas_.CadClearShapes(routeLayer);
    }
    canvas_.SetCurrentLayer(routeLayer);
    canvas_.DrawTool = toolCode(CanvasTool::Polyline);
    canvas_.KeepTool = false;
    drawing_ = true;
    setStatus("Drawing... (right-click to finish)", kBlue);
    canvas_.Refresh();
}

void RunlineGenerator::setRoute(const PolylinePoints& points) {
    drawing_ = false;
    route_ = points;
    routeReady_ = route_.size() >= 2;
    if (!routeReady_) {
        setStatus("Need at least 2 points", kRed);
        return;
    }
    setStatus("Route: " + std::to_string(route_.size()) + " points", kGreen);
    runGeneration();
}

bool RunlineGenerator::generate() {
    if (!routeReady_) {
        return false;
    }
    runGeneration();
    fields_.write(settings_);
    return true;
}

void RunlineGenerator::setFields(const RunlineFields& fields) {
    fields_ = fields;
    if (routeReady_) {
        runGeneration();
    }
}

void RunlineGenerator::clear() {
    forgetRoute();
    drawing_ = false;
    setStatus("No route drawn", kGrey);
}

void RunlineGenerator::runGeneration() {
    if (route_.size() < 2) {
        return;
    }
    if (autoEvent_) {
        autoEvent_("Runlines generated - Spacing: " + fields_.spacingText +
                   ", Length: " + fields_.lengthText);
    }
    const RunlineParameters parameters =
        runlineParameters(fields_.spacingText, fields_.lengthText, fields_.perpendicular);
    runlineLayer_ = canvas_.LayerOpen(runlineLayerName);
    canvas_.CadClearShapes(runlineLayer_);
    const std::size_t count = runlineCount(route_, parameters);
    const bool tooMany = count > kMostRunlines;
    drawRunlines(canvas_, runlineLayer_, route_,
                 tooMany ? std::vector<PolylinePoints>{} : generateRunlines(route_, parameters));
    generated_ = tooMany ? 0 : count;
    if (tooMany) {
        setStatus("Too many lines (" + std::to_string(count) + ", at most " + std::to_string(kMostRunlines) +
                      "): raise the spacing",
                  kRed);
    } else {
        setStatus("Route: " + std::to_string(route_.size()) + " points", kGreen);
    }
    canvas_.Refresh();
}

} // namespace selvir
