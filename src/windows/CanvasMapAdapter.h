#pragma once
// The survey engine's view of the main window's canvas: drawing on layers, the view window, the
// background for the shallow-water alert, layer actions and the survey overlays, all forwarded to the
// TSelvirCanvas the window owns.

#include "navigation/MapCanvas.h"
#include "navigation/SensorHandler.h"

namespace selvir {

class TSelvirCanvas;

class CanvasMapAdapter final : public MapCanvas, public MapBackgroundControl, public CanvasLayerControl {
public:
    explicit CanvasMapAdapter(TSelvirCanvas& canvas) : canvas_(canvas) {}

    // MapCanvas
    int layerFindByName(std::string_view name) const override;
    void clearLayer(int layer) override;
    void drawLine(double x1, double y1, double x2, double y2, int layer) override;
    void drawPoint(double x, double y, int layer) override;
    void drawCircle(double cx, double cy, double radiusM, int layer) override;
    void setLayerPenFg(int layer, ColorValue color) override;
    void setLayerPenWidth(int layer, int widthPx) override;
    WorldWindow worldWindow() const override;
    void worldPan(double dx, double dy) override;
    void refresh() override;
    void setStatusText(const std::string& text, int fixQuality) override;
    void setDepthLabelSettings(const DepthLabelStyle& style) override;
    void addDepthLabel(double easting, double northing, double depthM) override;
    void setCurrentDepth(double depthHF, double depthLF, bool valid) override;
    void setCurrentSpeed(double knots, bool valid) override;

    // MapBackgroundControl
    ColorValue backgroundColor() const override;
    void setBackgroundColor(ColorValue color) override;
    void repaintMap() override;

    // CanvasLayerControl
    void setLayerAction(std::string_view layerName, int action) override;

private:
    TSelvirCanvas& canvas_;
};

} // namespace selvir
