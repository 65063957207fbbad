#pragma once
// The helmsman display over the map: the active line drawn thick in the direction of travel, and at
// the top of the map a box with the line, a left/right bar of the boat's offset from it (centre the
// line, full scale three tolerances, marks at the tolerance, red beyond it) and the numbers. A
// transparent child of the canvas that takes no input and repaints with it.

#include "navigation/HelmsmanReadout.h"
#include "navigation/LineGeometry.h"

#include <QWidget>

namespace selvir {

class TSelvirCanvas;

class HelmsmanDisplay : public QWidget {
    Q_OBJECT
public:
    explicit HelmsmanDisplay(TSelvirCanvas& canvas);

    // The guidance of the last tick and the active line in the direction of travel.
    void showReading(const GuidanceReading& reading, const GridLine& activeLine);
    const HelmsmanReadout& Readout() const { return readout_; }
    // Where the box is drawn (widget pixels); empty when nothing is shown.
    QRect BoxRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void paintLine(QPainter& painter);
    void paintBox(QPainter& painter);

    TSelvirCanvas& canvas_;
    HelmsmanReadout readout_;
    GridLine line_;
};

} // namespace selvir
