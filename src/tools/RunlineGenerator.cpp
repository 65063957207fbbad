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

void RunlineGenerator::setStatus(std::string caption, ColorValue color, std::vector<long long> numbers) {
    std::string text = caption;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const std::string mark = "%" + std::to_string(i + 1);
        if (const auto at = text.find(mark); at != std::string::npos) {
            text.replace(at, mark.size(), std::to_string(numbers[i]));
        }
    }
    status_ = {std::move(text), color, std::move(caption), std::move(numbers)};
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
    if (!drawing_) {
        layerBeforeRoute_ = canvas_.CurrentLayer(); // opening the route layer below makes it current
    }
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
    setStatus("Route: %1 points", kGreen, {static_cast<long long>(route_.size())});
    runGeneration();
}

bool RunlineGenerator::generate(const RunlineFields& fields) {
    fields_ = fields;
    return generate();
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

void RunlineGenerator::cancelRouteDrawing() {
    if (!drawing_) {
        return;
    }
    drawing_ = false;
    if (canvas_.CurrentLayer() == canvas_.LayerFindByName(routeLayerName)) {
        canvas_.SetCurrentLayer(layerBeforeRoute_);
    }
    canvas_.ClearDrawingState();
    canvas_.DrawTool = toolCode(CanvasTool::None);
    setStatus("No route drawn", kGrey);
    canvas_.Refresh();
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
        setStatus("Too many lines (%1, at most %2): raise the spacing", kRed,
                  {static_cast<long long>(count), static_cast<long long>(kMostRunlines)});
    } else {
        setStatus("Route: %1 points", kGreen, {static_cast<long long>(route_.size())});
    }
    canvas_.Refresh();
}

} // namespace selvir
