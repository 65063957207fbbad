#include "canvas/ShapeRenderer.h"

#include "canvas/CanvasColor.h"
#include "canvas/CanvasModel.h"
#include "canvas/DrawSurface.h"
#include "canvas/ShapeFootprint.h"
#include "canvas/Shapes.h"
#include "core/NumberFormat.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

namespace selvir {
namespace {

// A bound on grid lines per direction, whatever the spacing and the coordinates' resolution.
constexpr long maxGridLines = 20000;

// A shape with a NaN or infinite coordinate (a corrupt record) counts as outside and is not drawn.
bool outsideWindow(const TSShape& shape, const ViewWindow& view) {
    if (!std::isfinite(shape.MinX + shape.MaxX + shape.MinY + shape.MaxY)) {
        return true;
    }
    return !(shape.MaxX >= view.WorldLeft && shape.MinX <= view.WorldRight &&
             shape.MaxY >= view.WorldBottom && shape.MinY <= view.WorldTop);
}

// Walks the shapes of one pass through the rules; `forEach(visit)` hands every candidate in order.
template <class ForEach>
ShapePassPlan plan(ForEach&& forEach, const ShapePassRules& rules, int budget) {
    ShapePassPlan plan;
    int counted = 0;
    auto take = [&](std::vector<const TSShape*>& list, const TSShape& shape) {
        if (counted < budget) {
            list.push_back(&shape);
            ++counted;
            return true;
        }
        ++plan.notDrawn;
        return false;
    };
    forEach([&](const TSShape& shape) {
        if (shape.ShapeType == ShapeKind::Text || !rules.shown(shape)) {
            return; // texts come in the second pass
        }
        ++plan.looked;
        if (shape.ShapeType == ShapeKind::Point) {
            if (!plan.decimation.keep(rules.pointPixel(static_cast<const TSPoint&>(shape)))) {
                plan.decimatedPoints.push_back(shape.OrderKey);
                return;
            }
        } else if (rules.subPixel(shape)) {
            return;
        }
        if (take(plan.shapes, shape)) {
            plan.footprints.push_back(footprintPx(shape, rules.pixelMap()));
        }
    });
    forEach([&](const TSShape& shape) {
        if (shape.ShapeType == ShapeKind::Text && rules.shown(shape)) {
            ++plan.looked;
            take(plan.texts, shape);
        }
    });
    return plan;
}

} // namespace

ShapePassRules::ShapePassRules(const CanvasModel& model, const ViewWindow& view, ClientSize client)
    : view_(view), map_(view.WorldLeft, view.WorldRight, view.WorldTop, view.WorldBottom,
                        std::max(client.Width, 1), std::max(client.Height, 1)) {
    // One flag per layer index 0..LayerCounter: exists and visible.
    const int layerLimit = std::max(model.LayerCounter, 0);
    layerShown_.assign(static_cast<std::size_t>(layerLimit) + 1, 0);
    for (const auto& layer : model.Layers) {
        if (layer->Index >= 0 && layer->Index <= layerLimit && layer->Visible) {
            layerShown_[static_cast<std::size_t>(layer->Index)] = 1;
        }
    }
    double dx = view.GetWorldWidth();
    if (dx <= 0.0) {
        dx = 1.0;
    }
    unitsPerPixel_ = dx / std::max(client.Width, 1);
}

bool ShapePassRules::shown(const TSShape& shape) const {
    const int layer = shape.Layer;
    return shape.Visible && layer >= 0 && layer < static_cast<int>(layerShown_.size()) &&
           layerShown_[static_cast<std::size_t>(layer)] != 0 && !outsideWindow(shape, view_);
}

bool ShapePassRules::subPixel(const TSShape& shape) const {
    const double half = unitsPerPixel_ * 0.5;
    return shape.ShapeType != ShapeKind::Point && shape.ShapeType != ShapeKind::Text &&
           shape.ShapeType != ShapeKind::Rectangle && shape.MaxX - shape.MinX < half &&
           shape.MaxY - shape.MinY < half;
}

QPoint ShapePassRules::pointPixel(const TSPoint& point) const {
    return QPoint(truncToPixel((point.X - view_.WorldLeft) / unitsPerPixel_),
                  truncToPixel((view_.WorldTop - point.Y) / unitsPerPixel_));
}

bool PointDecimation::keep(QPoint pixel) {
    if (std::abs(pixel.x() - last.x()) < pointDecimationPx &&
        std::abs(pixel.y() - last.y()) < pointDecimationPx) {
        return false;
    }
    last = pixel;
    return true;
}

ShapePassPlan planShapePass(const CanvasModel& model, const ViewWindow& view, ClientSize client, int budget) {
    const ShapePassRules rules(model, view, client);
    return plan(
        [&](auto&& visit) {
            for (const auto& shape : model.Shapes) {
                visit(*shape);
            }
        },
        rules, budget);
}

ShapePassPlan planShapePass(const std::vector<const TSShape*>& candidates, const CanvasModel& model,
                            const ViewWindow& view, ClientSize client, int budget) {
    const ShapePassRules rules(model, view, client);
    return plan(
        [&](auto&& visit) {
            for (const TSShape* shape : candidates) {
                visit(*shape);
            }
        },
        rules, budget);
}

std::vector<TextLayout> layoutTexts(DrawSurface& surface, const ShapePassPlan& plan, const ViewWindow& view,
                                    ClientSize client, TColor backColor) {
    const PixelMap map(view.WorldLeft, view.WorldRight, view.WorldTop, view.WorldBottom,
                       std::max(client.Width, 1), std::max(client.Height, 1));
    surface.setShapeColorRule(backColor);
    std::vector<TextLayout> layouts;
    layouts.reserve(plan.texts.size());
    for (const TSShape* shape : plan.texts) {
        layouts.push_back(static_cast<const TSText&>(*shape).layout(surface, map));
    }
    surface.setShapeColorRule(std::nullopt);
    return layouts;
}

void drawShapePass(DrawSurface& surface, const ShapePassPlan& plan, const ViewWindow& view, ClientSize client,
                   TColor backColor, const std::vector<TextLayout>* textLayouts) {
    const int w = std::max(client.Width, 1);
    const int h = std::max(client.Height, 1);
    const PixelMap map(view.WorldLeft, view.WorldRight, view.WorldTop, view.WorldBottom, w, h);
    const QRect clip = surface.clip();
    const bool whole = clip.contains(QRect(0, 0, surface.width(), surface.height()));
    surface.setShapeColorRule(backColor);
    const bool planned = plan.footprints.size() == plan.shapes.size();
    for (std::size_t i = 0; i < plan.shapes.size(); ++i) {
        const TSShape* shape = plan.shapes[i];
        if (whole || (planned ? plan.footprints[i] : footprintPx(*shape, map)).intersects(clip)) {
            shape->Draw(surface, view.WorldLeft, view.WorldRight, view.WorldTop, view.WorldBottom, w, h);
        }
    }
    const bool laidOut = textLayouts != nullptr && textLayouts->size() == plan.texts.size();
    for (std::size_t i = 0; i < plan.texts.size(); ++i) {
        const auto& text = static_cast<const TSText&>(*plan.texts[i]);
        const TextLayout layout = laidOut ? (*textLayouts)[i] : text.layout(surface, map);
        if (layout.drawn && (whole || layout.box.intersects(clip))) {
            text.paintLayout(surface, layout);
        }
    }
    surface.flush();
    surface.setShapeColorRule(std::nullopt);
}

int DrawAllShapes(DrawSurface& surface, const CanvasModel& model, const ViewWindow& view, ClientSize client,
                  TColor backColor, int budget) {
    const ShapePassPlan plan = planShapePass(model, view, client, budget);
    drawShapePass(surface, plan, view, client, backColor);
    return plan.drawn();
}

GridSteps gridSteps(const GridSettings& grid, const ViewWindow& view, ClientSize client) {
    const double autoStep = autoGridStep(view.GetWorldWidth(), 8);
    if (grid.GridAuto || !(grid.GridSpacingX > 0.0) || !(grid.GridSpacingY > 0.0)) {
        return {autoStep, autoStep};
    }
    // More lines than pixels would show nothing but could stall the map for seconds.
    const bool xTooFine = view.GetWorldWidth() / grid.GridSpacingX > std::max(client.Width, 1);
    const bool yTooFine = view.GetWorldHeight() / grid.GridSpacingY > std::max(client.Height, 1);
    return {xTooFine ? autoStep : grid.GridSpacingX, yTooFine ? autoStep : grid.GridSpacingY};
}

QString gridLabel(double value, double step) {
    std::string text = formatFixed(value, step >= 1.0 ? 1 : 3);
    if (text.find('.') != std::string::npos) {
        while (!text.empty() && text.back() == '0') {
            text.pop_back();
        }
        if (!text.empty() && text.back() == '.') {
            text.pop_back();
        }
    }
    if (text == "-0") {
        text = "0";
    }
    return QString::fromStdString(text);
}

void DrawGrid(DrawSurface& surface, const GridSettings& grid, const ViewWindow& view, ClientSize client) {
    if (!grid.GridVisible || !(view.GetWorldWidth() > 0.0) || !(view.GetWorldHeight() > 0.0)) {
        return;
    }
    const GridSteps steps = gridSteps(grid, view, client);
    const int w = client.Width;
    const int h = client.Height;
    const double firstX = std::floor(view.WorldLeft / steps.x) * steps.x;
    const double firstY = std::floor(view.WorldBottom / steps.y) * steps.y;
    // Positions by multiplication, not by repeated addition: a step far below the coordinates'
    // resolution can then never loop forever.
    std::vector<double> xs, ys;
    for (long i = 0; i < maxGridLines; ++i) {
        const double x = firstX + static_cast<double>(i) * steps.x;
        if (!(x <= view.WorldRight)) {
            break;
        }
        xs.push_back(x);
    }
    for (long i = 0; i < maxGridLines; ++i) {
        const double y = firstY + static_cast<double>(i) * steps.y;
        if (!(y <= view.WorldTop)) {
            break;
        }
        ys.push_back(y);
    }

    surface.setPen(grid.GridColor, 1, penstyle::Dot);
    for (double x : xs) {
        int x1, y1, x2, y2;
        view.WorldToScreen(x, view.WorldTop, client, x1, y1);
        view.WorldToScreen(x, view.WorldBottom, client, x2, y2);
        surface.drawLine(x1, y1, x2, y2);
    }
    for (double y : ys) {
        int x1, y1, x2, y2;
        view.WorldToScreen(view.WorldLeft, y, client, x1, y1);
        view.WorldToScreen(view.WorldRight, y, client, x2, y2);
        surface.drawLine(x1, y1, x2, y2);
    }

    surface.setPen(colorBlack, 1, penstyle::Solid);
    surface.setFont(QStringLiteral("Tahoma"), 8, false, false);
    surface.setTextColor(colorBlack);
    for (double x : xs) {
        const int px = view.WorldToAbsX(x, client);
        if (px < 5 || px > w - 50) {
            continue;
        }
        const QString text = gridLabel(x, steps.x);
        const QSize extent = surface.textExtent(text);
        const int hw = extent.width() / 2;
        const int th = extent.height();
        surface.fillRect(px - hw - 2, h - th - 4, px + hw + 2, h - 2, colorWhite);
        surface.textOut(px - hw, h - th - 3, text);
    }
    for (double y : ys) {
        const int py = view.WorldToAbsY(y, client);
        if (py < 15 || py > h - 20) {
            continue;
        }
        const QString text = gridLabel(y, steps.y);
        const QSize extent = surface.textExtent(text);
        const int hh = extent.height() / 2;
        surface.fillRect(2, py - hh - 1, extent.width() + 6, py + hh + 1, colorWhite);
        surface.textOut(4, py - hh, text);
    }

    if (view.WorldLeft < 0.0 && 0.0 < view.WorldRight && view.WorldBottom < 0.0 && 0.0 < view.WorldTop) {
        int ox, oy;
        view.WorldToScreen(0.0, 0.0, client, ox, oy);
        surface.setPen(colorRed, 1, penstyle::Solid);
        surface.drawLine(0, oy, w, oy);
        surface.drawLine(ox, 0, ox, h);
    }
    surface.setBrush(colorWhite, brushstyle::Clear);
    surface.flush();
}

int RenderCanvasImage(QImage& image, const CanvasModel& model, const ViewWindow& view,
                      const GridSettings& grid, TColor backColor, int budget) {
    const ClientSize client{image.width(), image.height()};
    image.fill(toQColor(backColor));
    QPainter painter(&image);
    DrawSurface surface(painter, &image);
    if (grid.GridOrder == 0) {
        DrawGrid(surface, grid, view, client);
    }
    const int drawn = DrawAllShapes(surface, model, view, client, backColor, budget);
    if (grid.GridOrder == 1) {
        DrawGrid(surface, grid, view, client);
    }
    surface.flush();
    return drawn;
}

} // namespace selvir
