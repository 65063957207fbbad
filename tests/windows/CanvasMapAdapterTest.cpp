#include "windows/CanvasMapAdapter.h"

#include "canvaswidget/TSelvirCanvas.h"

#include <gtest/gtest.h>

namespace selvir {
namespace {

TEST(CanvasMapAdapterTest, ANewLayerPenRecoloursTheLayerAndNewShapesTakeIt) {
    TSelvirCanvas canvas;
    CanvasMapAdapter map(canvas);
    const int track = canvas.LayerOpen(QStringLiteral("track_fix"));
    const int other = canvas.LayerOpen(QStringLiteral("track_float"));
    const ShapeId first = canvas.DrawLine(0, 0, 1, 1, track);
    const ShapeId elsewhere = canvas.DrawLine(0, 0, 1, 1, other);

    map.setLayerPenFg(track, 0x00A000);
    map.setLayerPenWidth(track, 3);
    EXPECT_EQ(canvas.GetShapePenFg(first), 0x00A000);
    EXPECT_EQ(canvas.GetShapePenWidth(first), 3);
    EXPECT_EQ(canvas.GetShapePenFg(elsewhere), colorBlack);

    // The same pen again changes nothing; the next element carries the layer's pen from its creation.
    const ShapeId next = canvas.DrawLine(1, 1, 2, 2, track);
    map.setLayerPenFg(track, 0x00A000);
    map.setLayerPenWidth(track, 3);
    EXPECT_EQ(canvas.GetShapePenFg(next), 0x00A000);
    EXPECT_EQ(canvas.GetShapePenWidth(next), 3);

    // A changed trackline colour recolours the whole layer.
    map.setLayerPenFg(track, 0x0000FF);
    EXPECT_EQ(canvas.GetShapePenFg(first), 0x0000FF);
    EXPECT_EQ(canvas.GetShapePenFg(next), 0x0000FF);
}

TEST(CanvasMapAdapterTest, ClearingAMissingLayerKeepsTheDrawing) {
    TSelvirCanvas canvas;
    CanvasMapAdapter map(canvas);
    canvas.DrawLine(0, 0, 1, 1, canvas.LayerOpen(QStringLiteral("track_fix")));
    map.clearLayer(map.layerFindByName("~~Selvir Vessel"));
    EXPECT_EQ(canvas.Model().ShapeCount(), 1);
    map.setLayerAction("no such layer", 15); // nothing to do, nothing breaks
    map.setLayerAction("track_fix", 15);
    EXPECT_EQ(canvas.GetLayerAction(canvas.LayerFindByName(QStringLiteral("track_fix"))), 15);
}

} // namespace
} // namespace selvir
