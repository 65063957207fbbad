#pragma once
// The status bar's word on a map drawn incompletely: when the drawing budget of the canvas (at most
// 500000 shapes per picture) leaves shapes out, a permanent amber panel says how many, until the
// picture is whole again. A map must never lose part of its drawing silently.

#include <QLabel>

class QStatusBar;

namespace selvir {

class TSelvirCanvas;

class MapBudgetIndicator : public QLabel {
    Q_OBJECT
public:
    // Adds itself to `statusBar` and follows `canvas`.
    MapBudgetIndicator(TSelvirCanvas& canvas, QStatusBar& statusBar);

    // The text for `count` shapes left out ("" for none).
    static QString textFor(int count);

public slots:
    void showShapesNotDrawn(int count);
};

} // namespace selvir
