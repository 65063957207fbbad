#pragma once
// The canvas operations the realtime map update uses, so the engine runs without a widget: the main
// window passes an adapter over its TSelvirCanvas, headless replays pass none or a recording one.

#include "navigation/FixQuality.h"

#include <string>
#include <string_view>

namespace selvir {

struct WorldWindow {
    double left = 0, right = 0, top = 0, bottom = 0; // metres
};

struct DepthLabelStyle {
    bool on = true;
    double spacingM = 10;
    std::string fontName = "Arial";
    int fontSize = 12;
    ColorValue color = 0;
};

class MapCanvas {
public:
    virtual ~MapCanvas() = default;
    // Layer index of that name, or -1.
    virtual int layerFindByName(std::string_view name) const = 0;
    virtual void clearLayer(int layer) = 0;
    virtual void drawLine(double x1, double y1, double x2, double y2, int layer) = 0;
    virtual void drawPoint(double x, double y, int layer) = 0;
    virtual void drawCircle(double cx, double cy, double radiusM, int layer) = 0;
    virtual void setLayerPenFg(int layer, ColorValue color) = 0;
    virtual void setLayerPenWidth(int layer, int widthPx) = 0;
    virtual WorldWindow worldWindow() const = 0;
    virtual void worldPan(double dx, double dy) = 0;
    virtual void refresh() = 0;
    // Survey overlays.
    virtual void setStatusText(const std::string& text, int fixQuality) = 0;
    virtual void setDepthLabelSettings(const DepthLabelStyle& style) = 0;
    virtual void addDepthLabel(double easting, double northing, double depthM) = 0;
    virtual void setCurrentDepth(double depthHF, double depthLF, bool valid) = 0;
    virtual void setCurrentSpeed(double knots, bool valid) = 0;
};

} // namespace selvir
