#pragma once
// The offsets dialog's sketch of the geometry: the boat on the water line, the pole with the GNSS
// antenna on top and the transducer below the hull, and the distances A (draft), B (transducer to
// antenna) and C (antenna above the water) the surveyor measures.

#include <QWidget>

namespace selvir {

class OffsetsSketch : public QWidget {
    Q_OBJECT
public:
    explicit OffsetsSketch(QWidget* parent = nullptr);
    QSize sizeHint() const override { return {260, 320}; }

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace selvir
