#include "windows/OffsetsSketch.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace selvir {

namespace {

constexpr int kArrowHeadPx = 6;

// A vertical dimension line from y1 to y2 with arrow heads at both ends and its letter beside it.
void dimension(QPainter& painter, double x, double y1, double y2, const QString& letter) {
    painter.drawLine(QPointF(x, y1), QPointF(x, y2));
    for (const auto& [tip, direction] :
         {std::pair{y1, y1 < y2 ? 1.0 : -1.0}, std::pair{y2, y2 < y1 ? 1.0 : -1.0}}) {
        QPainterPath head;
        head.moveTo(x, tip);
        head.lineTo(x - kArrowHeadPx / 2.0, tip + direction * kArrowHeadPx);
        head.lineTo(x + kArrowHeadPx / 2.0, tip + direction * kArrowHeadPx);
        head.closeSubpath();
        painter.fillPath(head, painter.pen().color());
    }
    // Extension ticks, so the ends read against the boat.
    painter.drawLine(QPointF(x - 5, y1), QPointF(x + 5, y1));
    painter.drawLine(QPointF(x - 5, y2), QPointF(x + 5, y2));
    QFont font = painter.font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    painter.save();
    painter.setFont(font);
    painter.drawText(QRectF(x + 6, (y1 + y2) / 2 - 10, 20, 20), Qt::AlignLeft | Qt::AlignVCenter, letter);
    painter.restore();
}

} // namespace

OffsetsSketch::OffsetsSketch(QWidget* parent) : QWidget(parent) {
    setMinimumSize(220, 280);
}

void OffsetsSketch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double w = width(), h = height();
    const double waterY = h * 0.58;
    const double cx = w * 0.45; // right of centre: the water line's name stands on the left

    // Sky and water.
    painter.fillRect(QRectF(0, 0, w, waterY), QColor(0xEE, 0xF5, 0xFB));
    QLinearGradient sea(0, waterY, 0, h);
    sea.setColorAt(0, QColor(0x6F, 0xA8, 0xDC));
    sea.setColorAt(1, QColor(0x1F, 0x4E, 0x79));
    painter.fillRect(QRectF(0, waterY, w, h - waterY), sea);

    // The hull, sitting in the water, and its cabin.
    const double hullHalf = w * 0.22, deckY = waterY - h * 0.08, keelY = waterY + h * 0.07;
    QPainterPath hull;
    hull.moveTo(cx - hullHalf, deckY);
    hull.lineTo(cx + hullHalf, deckY);
    hull.lineTo(cx + hullHalf * 0.75, keelY);
    hull.lineTo(cx - hullHalf * 0.75, keelY);
    hull.closeSubpath();
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(QColor(0xE8, 0xE8, 0xE8));
    painter.drawPath(hull);
    painter.setBrush(QColor(0xC8, 0xD3, 0xDC));
    painter.drawRect(QRectF(cx - hullHalf * 0.7, deckY - h * 0.07, hullHalf * 0.8, h * 0.07));

    // The pole: transducer below the hull, antenna on top.
    const double poleX = cx + hullHalf * 0.45;
    const double antennaY = h * 0.12, transducerY = keelY + h * 0.08;
    painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 3));
    painter.drawLine(QPointF(poleX, antennaY), QPointF(poleX, transducerY));
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(QColor(0xFF, 0xD9, 0x66));
    painter.drawChord(QRectF(poleX - 14, antennaY - 10, 28, 20), 0, 180 * 16);
    painter.drawLine(QPointF(poleX - 14, antennaY), QPointF(poleX + 14, antennaY));
    painter.setBrush(QColor(0xFF, 0x8C, 0x00));
    painter.drawRect(QRectF(poleX - 8, transducerY - 8, 16, 8));

    // The water line.
    painter.setPen(QPen(QColor(0x00, 0x33, 0x66), 1.5, Qt::DashLine));
    painter.drawLine(QPointF(0, waterY), QPointF(w, waterY));

    painter.setPen(Qt::black);
    painter.drawText(QRectF(4, waterY - 18, w * 0.5, 16), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Water line"));
    painter.drawText(QRectF(poleX - 60, antennaY - 28, 120, 16), Qt::AlignCenter,
                     QStringLiteral("GNSS antenna"));
    painter.setPen(Qt::white);
    painter.drawText(QRectF(poleX - 60, transducerY + 2, 120, 16), Qt::AlignCenter,
                     QStringLiteral("Transducer"));

    // A: water line down to the transducer face; C: water line up to the antenna; B: the whole pole.
    painter.setPen(QPen(QColor(0xB0, 0x00, 0x00), 1.5));
    const double near = poleX + w * 0.15, far = poleX + w * 0.29;
    dimension(painter, near, waterY, transducerY, QStringLiteral("A"));
    dimension(painter, near, antennaY, waterY, QStringLiteral("C"));
    painter.setPen(QPen(QColor(0x00, 0x60, 0x00), 1.5));
    dimension(painter, far, antennaY, transducerY, QStringLiteral("B"));

    painter.setPen(Qt::white);
    painter.drawText(QRectF(0, h - 22, w, 18), Qt::AlignCenter, QStringLiteral("A + C = B"));
}

} // namespace selvir
