#include "canvas/MapExport.h"

#include "canvas/CanvasColor.h"
#include "canvas/CanvasModel.h"
#include "canvas/DrawSurface.h"
#include "canvas/ShapeRenderer.h"
#include "canvas/TextRaster.h"
#include "core/NumberFormat.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>

namespace selvir {
namespace {

// A4 landscape at 96 to the inch.
constexpr QSize a4LandscapePx(1123, 794);
// The PDF's map is drawn at twice the page resolution, so its coordinates keep 1/192 inch.
constexpr int pdfMapScale = 2;
constexpr double pageUnitsPerInch = 96.0;
constexpr double metresPerInch = 0.0254;
const QString fontFamily = QStringLiteral("Arial");

// The largest 1, 2 or 5 times a power of ten not above `length`.
double roundLength(double length) {
    if (!(length > 0)) {
        return 0;
    }
    const double power = std::pow(10.0, std::floor(std::log10(length)));
    for (const double step : {5.0, 2.0, 1.0}) {
        if (step * power <= length) {
            return step * power;
        }
    }
    return power;
}

QString lengthText(double metres) {
    if (metres >= 1000.0) {
        return gridLabel(metres / 1000.0, 1.0) + QStringLiteral(" km");
    }
    return gridLabel(metres, metres >= 1.0 ? 1.0 : 0.001) + QStringLiteral(" m");
}

QFont pageFont(double pixelSize, bool bold = false) {
    QFont font(fontFamily);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixelSize))));
    font.setBold(bold);
    return font;
}

// The map of `layout` on `painter` in page units.
class MapPainter {
public:
    MapPainter(QPainter& painter, const CanvasModel& model, const MapExportRequest& request,
               const MapLayout& layout, MapFormat format)
        : painter_(painter), model_(model), request_(request), layout_(layout), format_(format),
          fontPx_(std::max(9.0, layout.page.height() / 60.0)) {}

    void paint() {
        painter_.fillRect(layout_.page, Qt::white);
        paintShapes();
        painter_.save();
        painter_.setClipRect(layout_.frame);
        paintGridLines();
        paintSoundings();
        paintScaleBar();
        paintNorthArrow();
        painter_.restore();
        paintGridLabels();
        painter_.setPen(QPen(Qt::black, std::max(1.0, fontPx_ / 10.0)));
        painter_.setBrush(Qt::NoBrush);
        painter_.drawRect(layout_.frame);
        paintTitleBlock();
    }

private:
    QPointF toPage(double easting, double northing) const {
        const ViewWindow& w = layout_.window;
        return {layout_.frame.left() + (easting - w.WorldLeft) / w.GetWorldWidth() * layout_.frame.width(),
                layout_.frame.top() + (w.WorldTop - northing) / w.GetWorldHeight() * layout_.frame.height()};
    }

    // The drawing by the canvas's own shape pass: into a picture for a PNG, as vectors for a PDF.
    void paintShapes() {
        const QRect frame = layout_.frame.toAlignedRect();
        if (format_ == MapFormat::Png) {
            QImage map(frame.size(), QImage::Format_RGB32);
            map.fill(toQColor(request_.backColor));
            {
                QPainter mapPainter(&map);
                DrawSurface surface(mapPainter, &map);
                TextRaster texts;
                surface.setTextRaster(&texts);
                const ClientSize client{map.width(), map.height()};
                const ShapePassPlan plan = planShapePass(model_, layout_.window, client);
                drawShapePass(surface, plan, layout_.window, client, request_.backColor);
            }
            painter_.drawImage(frame.topLeft(), map);
            return;
        }
        painter_.save();
        painter_.setClipRect(layout_.frame);
        painter_.fillRect(layout_.frame, toQColor(request_.backColor));
        painter_.translate(layout_.frame.topLeft());
        painter_.scale(1.0 / pdfMapScale, 1.0 / pdfMapScale);
        const ClientSize client{static_cast<int>(layout_.frame.width() * pdfMapScale),
                                static_cast<int>(layout_.frame.height() * pdfMapScale)};
        DrawSurface surface(painter_);
        const ShapePassPlan plan = planShapePass(model_, layout_.window, client);
        drawShapePass(surface, plan, layout_.window, client, request_.backColor);
        surface.flush();
        painter_.restore();
    }

    template <class Visit>
    void eachGridLine(double from, double to, Visit&& visit) const {
        const double step = layout_.gridStepM;
        if (!(step > 0)) {
            return;
        }
        for (long i = static_cast<long>(std::ceil(from / step)); i * step <= to && i < 100000; ++i) {
            visit(i * step);
        }
    }

    void paintGridLines() {
        QPen pen(QColor(175, 175, 175), std::max(0.5, fontPx_ / 18.0), Qt::DotLine);
        painter_.setPen(pen);
        const ViewWindow& w = layout_.window;
        eachGridLine(w.WorldLeft, w.WorldRight, [&](double x) {
            const double px = toPage(x, 0).x();
            painter_.drawLine(QPointF(px, layout_.frame.top()), QPointF(px, layout_.frame.bottom()));
        });
        eachGridLine(w.WorldBottom, w.WorldTop, [&](double y) {
            const double py = toPage(0, y).y();
            painter_.drawLine(QPointF(layout_.frame.left(), py), QPointF(layout_.frame.right(), py));
        });
    }

    // Eastings under the frame, northings left of it; a label that would touch the last one is left out.
    void paintGridLabels() {
        const QFont font = pageFont(fontPx_ * 0.8);
        const QFontMetricsF metrics(font);
        painter_.setFont(font);
        painter_.setPen(Qt::black);
        const ViewWindow& w = layout_.window;
        double lastRight = -1e18;
        eachGridLine(w.WorldLeft, w.WorldRight, [&](double x) {
            const QString text = gridLabel(x, layout_.gridStepM);
            const double width = metrics.horizontalAdvance(text);
            const double left = toPage(x, 0).x() - width / 2;
            if (left < lastRight + metrics.averageCharWidth()) {
                return;
            }
            painter_.drawText(QPointF(left, layout_.frame.bottom() + metrics.ascent() + fontPx_ * 0.25),
                              text);
            lastRight = left + width;
        });
        double lastTop = 1e18;
        eachGridLine(w.WorldBottom, w.WorldTop, [&](double y) {
            const QString text = gridLabel(y, layout_.gridStepM);
            const double baseline = toPage(0, y).y() + metrics.ascent() / 2 - metrics.descent() / 2;
            if (baseline > lastTop - metrics.height() * 0.2) {
                return;
            }
            painter_.drawText(
                QPointF(layout_.frame.left() - fontPx_ * 0.3 - metrics.horizontalAdvance(text), baseline),
                text);
            lastTop = baseline - metrics.ascent();
        });
    }

    void depthRange(double& shallowest, double& deepest) const {
        shallowest = 1e300;
        deepest = -1e300;
        for (const Sounding& s : request_.soundings) {
            if (std::isfinite(s.depthM)) {
                shallowest = std::min(shallowest, s.depthM);
                deepest = std::max(deepest, s.depthM);
            }
        }
    }

    void paintSoundings() {
        if (request_.soundings.empty()) {
            return;
        }
        double shallowest = 0, deepest = 0;
        depthRange(shallowest, deepest);
        const double radius = std::max(1.5, fontPx_ * 0.22);
        painter_.setPen(Qt::NoPen);
        for (const Sounding& s : request_.soundings) {
            if (!std::isfinite(s.easting) || !std::isfinite(s.northing) || !std::isfinite(s.depthM)) {
                continue;
            }
            painter_.setBrush(toQColor(soundingColor(s.depthM, shallowest, deepest)));
            painter_.drawEllipse(toPage(s.easting, s.northing), radius, radius);
        }
    }

    void paintScaleBar() {
        const double lengthPx = layout_.scaleBarM / layout_.window.GetWorldWidth() * layout_.frame.width();
        if (!(lengthPx > 0)) {
            return;
        }
        const QFont font = pageFont(fontPx_ * 0.8);
        const QFontMetricsF metrics(font);
        const double barHeight = fontPx_ * 0.4;
        const QPointF origin(layout_.frame.left() + fontPx_, layout_.frame.bottom() - fontPx_);
        const QString end = lengthText(layout_.scaleBarM);
        // A white ground keeps the bar readable over the drawing.
        const QRectF ground(origin.x() - fontPx_ * 0.5,
                            origin.y() - barHeight - metrics.height() - fontPx_ * 0.4,
                            lengthPx + metrics.horizontalAdvance(end) / 2 + fontPx_,
                            barHeight + metrics.height() + fontPx_ * 0.8);
        painter_.setPen(Qt::NoPen);
        painter_.setBrush(Qt::white);
        painter_.drawRect(ground);
        painter_.setPen(QPen(Qt::black, std::max(0.5, fontPx_ / 14.0)));
        for (int i = 0; i < 4; ++i) {
            painter_.setBrush(i % 2 == 0 ? Qt::black : Qt::white);
            painter_.drawRect(
                QRectF(origin.x() + lengthPx * i / 4, origin.y() - barHeight, lengthPx / 4, barHeight));
        }
        painter_.setFont(font);
        const double textY = origin.y() - barHeight - metrics.descent() - fontPx_ * 0.15;
        painter_.drawText(QPointF(origin.x() - metrics.horizontalAdvance(QStringLiteral("0")) / 2, textY),
                          QStringLiteral("0"));
        painter_.drawText(QPointF(origin.x() + lengthPx - metrics.horizontalAdvance(end) / 2, textY), end);
    }

    // Grid north: the map's up.
    void paintNorthArrow() {
        const double height = fontPx_ * 2.4;
        const double half = fontPx_ * 0.7;
        const QPointF tip(layout_.frame.right() - fontPx_ * 1.8, layout_.frame.top() + fontPx_ * 2.0);
        const QPointF base(tip.x(), tip.y() + height);
        const QPointF notch(tip.x(), tip.y() + height * 0.72);
        painter_.setPen(QPen(Qt::black, std::max(0.5, fontPx_ / 14.0)));
        painter_.setBrush(Qt::black);
        painter_.drawPolygon(QPolygonF({tip, QPointF(tip.x() - half, base.y()), notch}));
        painter_.setBrush(Qt::white);
        painter_.drawPolygon(QPolygonF({tip, QPointF(tip.x() + half, base.y()), notch}));
        const QFont font = pageFont(fontPx_ * 1.1, true);
        const QFontMetricsF metrics(font);
        painter_.setFont(font);
        painter_.drawText(
            QPointF(tip.x() - metrics.horizontalAdvance(QStringLiteral("N")) / 2, tip.y() - fontPx_ * 0.3),
            QStringLiteral("N"));
    }

    QString scaleText() const {
        if (format_ != MapFormat::Pdf) {
            return QStringLiteral("Grid %1").arg(lengthText(layout_.gridStepM));
        }
        // On paper: metres of the ground per metre of the page.
        const double frameM = layout_.frame.width() / pageUnitsPerInch * metresPerInch;
        const double ratio = layout_.window.GetWorldWidth() / frameM;
        const double power = std::pow(10.0, std::floor(std::log10(ratio)) - 2);
        return QStringLiteral("Scale 1:%1, grid %2")
            .arg(static_cast<long long>(std::llround(ratio / power) * power))
            .arg(lengthText(layout_.gridStepM));
    }

    void paintTitleBlock() {
        const QRectF box = layout_.titleBlock;
        painter_.setPen(QPen(Qt::black, std::max(1.0, fontPx_ / 10.0)));
        painter_.setBrush(Qt::NoBrush);
        painter_.drawRect(box);
        const MapTitle& t = request_.title;
        const bool legend = !request_.soundings.empty();
        const double pad = fontPx_ * 0.6;
        const double columnA = box.width() * (legend ? 0.30 : 0.36);
        const double columnB = box.width() * (legend ? 0.25 : 0.30);
        const double columnC = box.width() * (legend ? 0.27 : 0.34);
        const double lineHeight = (box.height() - 2 * pad) / 3;

        auto line = [&](double left, double width, int row, const QString& text, const QFont& font) {
            const QFontMetricsF metrics(font);
            painter_.setFont(font);
            const QString shown = metrics.elidedText(text, Qt::ElideRight, width - 2 * pad);
            painter_.drawText(QPointF(left + pad, box.top() + pad + lineHeight * row + metrics.ascent()),
                              shown);
        };
        auto field = [](const QString& name, const QString& value) {
            return value.isEmpty() ? QString() : name + QStringLiteral(": ") + value;
        };
        const QFont normal = pageFont(fontPx_);
        line(box.left(), columnA, 0, t.title.isEmpty() ? QStringLiteral("Survey map") : t.title,
             pageFont(fontPx_ * 1.15, true));
        line(box.left(), columnA, 1, field(QStringLiteral("Date"), t.date), normal);
        line(box.left(), columnA, 2, scaleText(), normal);
        const double b = box.left() + columnA;
        line(b, columnB, 0, field(QStringLiteral("Location"), t.location), normal);
        line(b, columnB, 1, field(QStringLiteral("Vessel"), t.vessel), normal);
        line(b, columnB, 2, field(QStringLiteral("Surveyor"), t.surveyor), normal);
        const double c = b + columnB;
        line(c, columnC, 0, field(QStringLiteral("Datum"), t.datum), normal);
        line(c, columnC, 1, field(QStringLiteral("Projection"), t.projection), normal);
        line(c, columnC, 2, QStringLiteral("Grid north up; coordinates in metres"), normal);
        painter_.setPen(QPen(Qt::black, std::max(0.5, fontPx_ / 14.0)));
        for (const double x : {b, c}) {
            painter_.drawLine(QPointF(x, box.top()), QPointF(x, box.bottom()));
        }
        if (legend) {
            paintLegend(QRectF(c + columnC, box.top(), box.right() - c - columnC, box.height()));
        }
    }

    // The depth colours from the shallowest to the deepest sounding.
    void paintLegend(const QRectF& area) {
        painter_.setPen(QPen(Qt::black, std::max(0.5, fontPx_ / 14.0)));
        painter_.drawLine(area.topLeft(), area.bottomLeft());
        double shallowest = 0, deepest = 0;
        depthRange(shallowest, deepest);
        const double pad = fontPx_ * 0.6;
        const QFont font = pageFont(fontPx_ * 0.85);
        const QFontMetricsF metrics(font);
        painter_.setFont(font);
        painter_.drawText(QPointF(area.left() + pad, area.top() + pad + metrics.ascent()),
                          QStringLiteral("Depth (m), %1 soundings").arg(request_.soundings.size()));
        const QRectF bar(area.left() + pad, area.top() + pad + metrics.height() * 1.3, area.width() - 2 * pad,
                         fontPx_ * 0.8);
        constexpr int steps = 48;
        painter_.setPen(Qt::NoPen);
        for (int i = 0; i < steps; ++i) {
            const double depth = shallowest + (deepest - shallowest) * (i + 0.5) / steps;
            painter_.setBrush(toQColor(soundingColor(depth, shallowest, deepest)));
            painter_.drawRect(QRectF(bar.left() + bar.width() * i / steps, bar.top(),
                                     bar.width() / steps + 0.5, bar.height()));
        }
        painter_.setPen(Qt::black);
        const double textY = bar.bottom() + metrics.ascent() + fontPx_ * 0.2;
        const QString low = QString::fromStdString(formatFixed(shallowest, 1));
        const QString high = QString::fromStdString(formatFixed(deepest, 1));
        painter_.drawText(QPointF(bar.left(), textY), low);
        painter_.drawText(QPointF(bar.right() - metrics.horizontalAdvance(high), textY), high);
    }

    QPainter& painter_;
    const CanvasModel& model_;
    const MapExportRequest& request_;
    const MapLayout& layout_;
    MapFormat format_;
    double fontPx_;
};

bool finishFile(const QString& part, const QString& fileName, QString& error) {
    std::error_code failure;
    std::filesystem::rename(part.toStdString(), fileName.toStdString(), failure);
    if (failure) {
        error = fileName + QStringLiteral(": ") + QString::fromStdString(failure.message());
        std::filesystem::remove(part.toStdString(), failure);
        return false;
    }
    return true;
}

} // namespace

std::optional<MapFormat> mapFormatOf(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QStringLiteral("png")) {
        return MapFormat::Png;
    }
    if (suffix == QStringLiteral("pdf")) {
        return MapFormat::Pdf;
    }
    return std::nullopt;
}

QSize pageSizeOf(const MapExportRequest& request, MapFormat format) {
    if (request.sizePx.isEmpty()) {
        return format == MapFormat::Pdf ? a4LandscapePx : kMapDefaultPngSizePx;
    }
    return request.sizePx;
}

MapLayout layoutMap(const MapExportRequest& request, QSize pageSize) {
    MapLayout layout;
    const double w = pageSize.width();
    const double h = pageSize.height();
    const double fontPx = std::max(9.0, h / 60.0);
    const double margin = std::max(8.0, 0.025 * std::min(w, h));
    const double labelsLeft = fontPx * 5.2;
    const double labelsBelow = fontPx * 1.5;
    const double titleHeight = fontPx * 5.6;
    layout.page = QRectF(0, 0, w, h);
    layout.titleBlock = QRectF(margin, h - margin - titleHeight, w - 2 * margin, titleHeight);
    layout.frame = QRectF(margin + labelsLeft, margin, w - 2 * margin - labelsLeft,
                          layout.titleBlock.top() - fontPx * 0.5 - labelsBelow - margin);

    // The requested window, widened in one direction to the frame's proportions about its centre.
    const ViewWindow& asked = request.window;
    double worldW = asked.GetWorldWidth();
    double worldH = asked.GetWorldHeight();
    const double aspect = layout.frame.width() / std::max(layout.frame.height(), 1.0);
    if (worldW / worldH < aspect) {
        worldW = worldH * aspect;
    } else {
        worldH = worldW / aspect;
    }
    const double cx = (asked.WorldLeft + asked.WorldRight) / 2;
    const double cy = (asked.WorldTop + asked.WorldBottom) / 2;
    layout.window.WorldSet(cx - worldW / 2, cy + worldH / 2, cx + worldW / 2, cy - worldH / 2);
    layout.gridStepM = autoGridStep(worldW, 8);
    layout.scaleBarM = roundLength(worldW * 0.22);
    return layout;
}

TColor soundingColor(double depthM, double shallowestM, double deepestM) {
    const double span = deepestM - shallowestM;
    const double t = span > 0 ? std::clamp((depthM - shallowestM) / span, 0.0, 1.0) : 0.5;
    const QColor color = QColor::fromHsvF(static_cast<float>(t * 240.0 / 360.0), 0.9f, 0.95f);
    return makeColor(color.red(), color.green(), color.blue());
}

bool ExportMap(const CanvasModel& model, const MapExportRequest& request, const QString& fileName,
               QString& error) {
    const std::optional<MapFormat> format = mapFormatOf(fileName);
    if (!format) {
        error = fileName + QStringLiteral(": the name must end in .png or .pdf");
        return false;
    }
    if (!request.window.isUsable()) {
        error = QStringLiteral("The map window has no area");
        return false;
    }
    const QSize page = pageSizeOf(request, *format);
    if (page.width() < kMapSmallestSidePx || page.height() < kMapSmallestSidePx ||
        page.width() > kMapLargestSidePx || page.height() > kMapLargestSidePx) {
        error = QStringLiteral("The map size must be %1 to %2 pixels each way")
                    .arg(kMapSmallestSidePx)
                    .arg(kMapLargestSidePx);
        return false;
    }
    const MapLayout layout = layoutMap(request, page);
    const QString part = fileName + QStringLiteral(".part");
    if (*format == MapFormat::Png) {
        QImage picture(page, QImage::Format_RGB32);
        {
            QPainter painter(&picture);
            painter.setRenderHint(QPainter::Antialiasing);
            MapPainter(painter, model, request, layout, *format).paint();
        }
        if (!picture.save(part, "PNG")) {
            error = fileName + QStringLiteral(": the picture cannot be written");
            return false;
        }
        return finishFile(part, fileName, error);
    }
    {
        QPdfWriter writer(part);
        writer.setResolution(static_cast<int>(pageUnitsPerInch));
        writer.setPageSize(
            QPageSize(QSizeF(page.width() * 72.0 / pageUnitsPerInch, page.height() * 72.0 / pageUnitsPerInch),
                      QPageSize::Point));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle(request.title.title);
        writer.setCreator(QStringLiteral("SelvirHS"));
        QPainter painter;
        if (!painter.begin(&writer)) {
            error = fileName + QStringLiteral(": the PDF cannot be written");
            return false;
        }
        MapPainter(painter, model, request, layout, *format).paint();
        painter.end();
    }
    if (QFileInfo(part).size() <= 0) {
        error = fileName + QStringLiteral(": the PDF cannot be written");
        return false;
    }
    return finishFile(part, fileName, error);
}

} // namespace selvir
