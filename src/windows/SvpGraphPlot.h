#pragma once
// The SVP graph editor's paint box (PaintBox1): paints the model's profile, grid, axes and lasso with
// QPainter and hands the pointer and the wheel to the model. Holds no state of its own.

#include "tools/SvpGraphModel.h"

#include <QWidget>

namespace selvir {

class SvpGraphPlot : public QWidget {
    Q_OBJECT
public:
    SvpGraphPlot(SvpGraphModel& model, QWidget* owner = nullptr);

    // Zoom about a point of the plot (the dialog forwards the wheel turned elsewhere over it).
    void wheelAt(QPoint at, bool forward);

signals:
    // The model changed through the pointer: the dialog refreshes its table and captions.
    void modelChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void showCursor();

    SvpGraphModel& model_;
};

} // namespace selvir
