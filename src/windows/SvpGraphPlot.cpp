#include "windows/SvpGraphPlot.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>

namespace selvir {

namespace {

constexpr int kVelocityLabelLeftPx = 15; // a velocity label starts this far left of its line
constexpr int kVelocityLabelBelowPx = 5; // and this far below the plot
constexpr int kDepthLabelX = 5;
constexpr int kTitleLeftOfMiddlePx = 30;
constexpr int kTitleAboveBottomPx = 18;

GraphPixel pixel(QPointF at) {
    return {qRound(at.x()), qRound(at.y())};
}

} // namespace

SvpGraphPlot::SvpGraphPlot(SvpGraphModel& model, QWidget* owner) : QWidget(owner), model_(model) {
    setMouseTracking(true);
    setMinimumSize(240, 200);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SvpGraphPlot::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    model_.setSize(width(), height());
    update();
}

void SvpGraphPlot::paintEvent(QPaintEvent*) {
    model_.setSize(width(), height());
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const int left = SvpGraphModel::kMarginLeft;
    const int top = SvpGraphModel::kMarginTop;
    const int right = width() - SvpGraphModel::kMarginRight;
    const int bottom = height() - SvpGraphModel::kMarginBottom;
    const QFontMetrics metrics(font());

    // Grid: silver, dotted, labelled.
    painter.setPen(QPen(QColor(192, 192, 192), 1, Qt::DotLine));
    for (const auto& line : model_.velocityGridLines()) {
        painter.drawLine(line.pixel, top, line.pixel, bottom);
    }
    for (const auto& line : model_.depthGridLines()) {
        painter.drawLine(left, line.pixel, right, line.pixel);
    }
    painter.setPen(Qt::black);
    for (const auto& line : model_.velocityGridLines()) {
        painter.drawText(line.pixel - kVelocityLabelLeftPx, bottom + kVelocityLabelBelowPx + metrics.ascent(),
                         QString::fromStdString(line.label));
    }
    for (const auto& line : model_.depthGridLines()) {
        painter.drawText(kDepthLabelX, line.pixel + metrics.ascent() / 2, QString::fromStdString(line.label));
    }

    // Axes and title.
    painter.setPen(QPen(Qt::black, 1, Qt::SolidLine));
    painter.drawLine(left, top, left, bottom);
    painter.drawLine(left, bottom, right, bottom);
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    const QString title = QStringLiteral("SV (m/s)");
    const QFontMetrics boldMetrics(bold);
    painter.drawText(width() / 2 - kTitleLeftOfMiddlePx - boldMetrics.horizontalAdvance(title) / 2,
                     height() - kTitleAboveBottomPx + boldMetrics.ascent(), title);
    painter.setFont(font());

    // Profile: the line in list order, then the points.
    const auto& points = model_.points();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(Qt::blue, 1));
    for (std::size_t i = 1; i < points.size(); ++i) {
        const GraphPixel a = model_.pixelOf(points[i - 1]);
        const GraphPixel b = model_.pixelOf(points[i]);
        painter.drawLine(a.x, a.y, b.x, b.y);
    }
    const int radius = SvpGraphModel::kPointRadiusPx;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const GraphPixel at = model_.pixelOf(points[i]);
        if (static_cast<int>(i) == model_.draggedIndex()) {
            painter.setPen(QColor(0, 128, 0));
            painter.setBrush(QColor(0, 255, 0));
        } else if (points[i].selected) {
            painter.setPen(QColor(128, 0, 0));
            painter.setBrush(Qt::red);
        } else {
            painter.setPen(QColor(0, 0, 128));
            painter.setBrush(Qt::blue);
        }
        painter.drawEllipse(QPoint(at.x, at.y), radius, radius);
    }

    // Lasso: red, dashed, closed while it is being drawn.
    const auto& lasso = model_.lasso();
    if (lasso.size() >= 2) {
        QPainterPath path(QPointF(lasso.front().x, lasso.front().y));
        for (std::size_t i = 1; i < lasso.size(); ++i) {
            path.lineTo(lasso[i].x, lasso[i].y);
        }
        if (model_.lassoActive()) {
            path.closeSubpath();
        }
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::red, 1, Qt::DashLine));
        painter.drawPath(path);
    }
}

void SvpGraphPlot::showCursor() {
    switch (model_.cursor()) {
    case SvpGraphModel::Cursor::Arrow:
        unsetCursor();
        break;
    case SvpGraphModel::Cursor::PointingHand:
        setCursor(Qt::PointingHandCursor);
        break;
    case SvpGraphModel::Cursor::SizeAll:
        setCursor(Qt::SizeAllCursor);
        break;
    }
}

void SvpGraphPlot::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    model_.press(pixel(event->position()));
    showCursor();
    update();
    emit modelChanged();
}

void SvpGraphPlot::mouseMoveEvent(QMouseEvent* event) {
    model_.move(pixel(event->position()));
    showCursor();
    if (model_.dragging() || model_.lassoActive()) {
        update();
    }
    emit modelChanged();
}

void SvpGraphPlot::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    model_.release(pixel(event->position()));
    showCursor();
    update();
    emit modelChanged();
}

void SvpGraphPlot::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        model_.fitView();
        update();
    }
}

void SvpGraphPlot::wheelAt(QPoint at, bool forward) {
    model_.wheel({at.x(), at.y()}, forward);
    update();
}

void SvpGraphPlot::wheelEvent(QWheelEvent* event) {
    if (event->angleDelta().y() == 0) {
        return;
    }
    wheelAt(event->position().toPoint(), event->angleDelta().y() > 0);
    event->accept();
}

} // namespace selvir
