#include "windows/MapBudgetIndicator.h"

#include "canvas/ShapeRenderer.h"
#include "canvaswidget/TSelvirCanvas.h"

#include <QStatusBar>

namespace selvir {

MapBudgetIndicator::MapBudgetIndicator(TSelvirCanvas& canvas, QStatusBar& statusBar) : QLabel(&statusBar) {
    setObjectName(QStringLiteral("MapBudgetIndicator"));
    setStyleSheet(QStringLiteral("QLabel { background: #ffb300; color: black; padding: 0 6px; "
                                 "font-weight: bold; }"));
    hide();
    statusBar.addPermanentWidget(this);
    connect(&canvas, &TSelvirCanvas::shapesNotDrawnChanged, this, &MapBudgetIndicator::showShapesNotDrawn);
    showShapesNotDrawn(canvas.ShapesNotDrawn());
}

QString MapBudgetIndicator::textFor(int count) {
    if (count <= 0) {
        return {};
    }
    return QStringLiteral(
               "MAP INCOMPLETE: %1 shape(s) not drawn (at most %2 per picture), zoom in to see them")
        .arg(count)
        .arg(shapeDrawBudget);
}

void MapBudgetIndicator::showShapesNotDrawn(int count) {
    setText(textFor(count));
    setVisible(count > 0);
}

} // namespace selvir
