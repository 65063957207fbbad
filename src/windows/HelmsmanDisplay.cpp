#include "windows/HelmsmanDisplay.h"

#include "canvaswidget/TSelvirCanvas.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace selvir {
namespace {

constexpr int kBoxWidthPx = 380;
constexpr int kBoxTopPx = 44; // below the position-status box
constexpr int kBarHeightPx = 16;
constexpr int kMarginPx = 10;
constexpr int kLinePenPx = 6;
const QColor kLineColor(255, 120, 0, 170);
const QColor kOnLineColor(46, 125, 50);
const QColor kOffLineColor(198, 40, 40);
const QColor kBoxColor(255, 255, 255, 225);

} // namespace

HelmsmanDisplay::HelmsmanDisplay(TSelvirCanvas& canvas) : QWidget(&canvas), canvas_(canvas) {
    setObjectName(QStringLiteral("HelmsmanDisplay"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(canvas.rect());
    canvas.installEventFilter(this);
    hide();
}

bool HelmsmanDisplay::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &canvas_ && event->type() == QEvent::Resize) {
        setGeometry(canvas_.rect());
    }
    return QWidget::eventFilter(watched, event);
}

void HelmsmanDisplay::showReading(const GuidanceReading& reading, const GridLine& activeLine) {
    readout_ = helmsmanReadout(reading);
    line_ = activeLine;
    setVisible(readout_.visible);
    update();
}

QRect HelmsmanDisplay::BoxRect() const {
    if (!readout_.visible) {
        return {};
    }
    const int lines = readout_.measured ? 5 : 2;
    const int height =
        kMarginPx * 2 + lines * fontMetrics().height() + (readout_.measured ? kBarHeightPx + 8 : 0);
    return {(width() - kBoxWidthPx) / 2, kBoxTopPx, kBoxWidthPx, height};
}

void HelmsmanDisplay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    paintLine(painter);
    paintBox(painter);
}

void HelmsmanDisplay::paintLine(QPainter& painter) {
    if (line_.size() < 2) {
        return;
    }
    QPainterPath path;
    for (std::size_t i = 0; i < line_.size(); ++i) {
        int x = 0, y = 0;
        canvas_.WorldToScreen(line_[i].x, line_[i].y, x, y);
        i == 0 ? path.moveTo(x, y) : path.lineTo(x, y);
    }
    painter.setPen(QPen(kLineColor, kLinePenPx, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    // The start as a ring, the end as an arrow head in the direction of travel.
    int sx = 0, sy = 0, ex = 0, ey = 0, px = 0, py = 0;
    canvas_.WorldToScreen(line_.front().x, line_.front().y, sx, sy);
    canvas_.WorldToScreen(line_.back().x, line_.back().y, ex, ey);
    canvas_.WorldToScreen(line_[line_.size() - 2].x, line_[line_.size() - 2].y, px, py);
    painter.drawEllipse(QPoint(sx, sy), 7, 7);
    const double angle = std::atan2(double(ey - py), double(ex - px));
    constexpr double kHeadPx = 16, kSpread = 0.45;
    QPolygonF head;
    head << QPointF(ex, ey)
         << QPointF(ex - kHeadPx * std::cos(angle - kSpread), ey - kHeadPx * std::sin(angle - kSpread))
         << QPointF(ex - kHeadPx * std::cos(angle + kSpread), ey - kHeadPx * std::sin(angle + kSpread));
    painter.setBrush(kLineColor);
    painter.drawPolygon(head);
}

void HelmsmanDisplay::paintBox(QPainter& painter) {
    const QRect box = BoxRect();
    if (box.isEmpty()) {
        return;
    }
    const QColor state = readout_.offLine ? kOffLineColor : kOnLineColor;
    painter.setPen(QPen(readout_.measured ? state : Qt::gray, 2));
    painter.setBrush(kBoxColor);
    painter.drawRoundedRect(box, 6, 6);
    const int lineHeight = painter.fontMetrics().height();
    int y = box.top() + kMarginPx;
    const QRect inner = box.adjusted(kMarginPx, 0, -kMarginPx, 0);
    QFont bold = painter.font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(Qt::black);
    painter.drawText(QRect(inner.left(), y, inner.width(), lineHeight), Qt::AlignHCenter,
                     QString::fromStdString(readout_.title));
    y += lineHeight;
    if (!readout_.measured) {
        painter.setPen(Qt::darkGray);
        painter.drawText(QRect(inner.left(), y, inner.width(), lineHeight), Qt::AlignHCenter,
                         QString::fromStdString(readout_.crossTrack));
        return;
    }
    // The bar: the line in the middle, port to the left, starboard to the right.
    y += 4;
    const QRect bar(inner.left(), y, inner.width(), kBarHeightPx);
    const int centre = bar.center().x();
    const int half = bar.width() / 2;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(230, 230, 230));
    painter.drawRect(bar);
    const int tolerancePx = static_cast<int>(std::lround(half * readout_.toleranceFraction));
    painter.setBrush(QColor(200, 230, 201));
    painter.drawRect(QRect(centre - tolerancePx, bar.top(), 2 * tolerancePx, bar.height()));
    const int boatPx = centre + static_cast<int>(std::lround(half * readout_.barFraction));
    painter.setBrush(state);
    painter.drawRect(
        QRect(std::min(centre, boatPx), bar.top() + 3, std::abs(boatPx - centre), bar.height() - 6));
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(centre, bar.top() - 3, centre, bar.bottom() + 3);
    painter.setPen(QPen(Qt::darkGray, 1));
    for (const int mark : {centre - tolerancePx, centre + tolerancePx}) {
        painter.drawLine(mark, bar.top(), mark, bar.bottom());
    }
    QPolygon boat;
    boat << QPoint(boatPx, bar.top() - 2) << QPoint(boatPx - 6, bar.bottom() + 4)
         << QPoint(boatPx + 6, bar.bottom() + 4);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(state);
    painter.drawPolygon(boat);
    y = bar.bottom() + 6;

    painter.setFont(bold);
    painter.setPen(state);
    QString xte = QString::fromStdString(readout_.crossTrack);
    if (!readout_.steer.empty()) {
        xte += QStringLiteral(" - ") + QString::fromStdString(readout_.steer);
    }
    painter.drawText(QRect(inner.left(), y, inner.width(), lineHeight), Qt::AlignHCenter, xte);
    y += lineHeight;
    QFont plain = painter.font();
    plain.setBold(false);
    painter.setFont(plain);
    painter.setPen(Qt::black);
    for (const std::string* text : {&readout_.distances, &readout_.bearing, &readout_.timeToEnd}) {
        if (!text->empty()) {
            painter.drawText(QRect(inner.left(), y, inner.width(), lineHeight), Qt::AlignHCenter,
                             QString::fromStdString(*text));
        }
        y += lineHeight;
    }
}

} // namespace selvir
