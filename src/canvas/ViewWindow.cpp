#include "canvas/ViewWindow.h"

#include "canvas/CanvasModel.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace selvir {

namespace {

// Widens the box about its centre to the client's aspect `a` (width / height): the height when the
// box is too wide, else the width. `w` is the width to compare; a height of 0 counts as 1.
void fitAspect(double a, double& minX, double& maxX, double& minY, double& maxY, double w) {
    double h = maxY - minY;
    if (h <= 0.0) {
        h = 1.0;
    }
    if (a < w / h) {
        const double newH = w / a;
        const double cy = (minY + maxY) / 2.0;
        minY = cy - newH / 2.0;
        maxY = cy + newH / 2.0;
    } else {
        const double newW = h * a;
        const double cx = (minX + maxX) / 2.0;
        minX = cx - newW / 2.0;
        maxX = cx + newW / 2.0;
    }
}

// The operations build their window aside and take it only when it is usable, so a view that
// would overflow, collapse below the spacing of doubles or turn over stays as it was.
bool adoptIfUsable(ViewWindow& view, const ViewWindow& next) {
    if (!next.isUsable()) {
        return false;
    }
    view = next;
    return true;
}

// A polyline without vertices keeps the bounds 0, 0, 0, 0, which are no place in the drawing.
bool hasGeometry(const TSShape& shape) {
    const auto* polyline = dynamic_cast<const TSPolyline*>(&shape);
    return polyline == nullptr || !polyline->Points.empty();
}

} // namespace

bool ViewWindow::isFinite() const {
    // A finite difference needs two finite edges.
    return std::isfinite(GetWorldWidth()) && std::isfinite(GetWorldHeight());
}

bool ViewWindow::isUsable() const {
    return isFinite() && GetWorldWidth() > 0.0 && GetWorldHeight() > 0.0;
}

void ViewWindow::WorldToScreen(double x, double y, ClientSize client, int& px, int& py) const {
    double dx = WorldRight - WorldLeft;
    double dy = WorldTop - WorldBottom;
    if (dx == 0.0) {
        dx = 1.0;
    }
    if (dy == 0.0) {
        dy = 1.0;
    }
    px = truncToPixel((x - WorldLeft) * (client.Width / dx));
    py = truncToPixel((WorldTop - y) * (client.Height / dy));
}

void ViewWindow::ScreenToWorld(int px, int py, ClientSize client, double& x, double& y) const {
    const double w = client.Width < 1 ? 1.0 : client.Width;
    const double h = client.Height < 1 ? 1.0 : client.Height;
    x = WorldLeft + px * ((WorldRight - WorldLeft) / w);
    y = WorldTop - py * ((WorldTop - WorldBottom) / h);
}

int ViewWindow::WorldToAbsX(double x, ClientSize client) const {
    int px = 0, py = 0;
    WorldToScreen(x, 0.0, client, px, py);
    return px;
}

int ViewWindow::WorldToAbsY(double y, ClientSize client) const {
    int px = 0, py = 0;
    WorldToScreen(0.0, y, client, px, py);
    return py;
}

void ViewWindow::WorldZoom(double factor, double x, double y, ClientSize client) {
    double s = 1.0 - factor;
    if (s <= 0.0) {
        s = 0.1;
    }
    if (s > 10.0) {
        s = 10.0;
    }
    double w = GetWorldWidth();
    if (w <= 0.0) {
        w = 1.0;
    }
    double h = GetWorldHeight();
    if (h <= 0.0) {
        h = 1.0;
    }
    const double clientH = client.Height < 1 ? 1.0 : client.Height;
    // A zero client width would make the height infinite; a never-sized control counts as 1 pixel.
    const double clientW = client.Width < 1 ? 1.0 : client.Width;

    ViewWindow next;
    const double newW = s * w;
    const double fx = (x - WorldLeft) / w;
    next.WorldLeft = x - newW * fx;
    next.WorldRight = x + newW * (1.0 - fx);

    const double newH = newW / (clientW / clientH);
    const double fy = (y - WorldBottom) / h;
    next.WorldBottom = y - newH * fy;
    next.WorldTop = y + newH * (1.0 - fy);
    adoptIfUsable(*this, next);
}

void ViewWindow::WorldPan(double dx, double dy) {
    ViewWindow next = *this;
    next.WorldLeft += dx;
    next.WorldRight += dx;
    next.WorldBottom += dy;
    next.WorldTop += dy;
    adoptIfUsable(*this, next);
}

void ViewWindow::WorldSet(double left, double top, double right, double bottom) {
    WorldLeft = left;
    WorldTop = top;
    WorldRight = right;
    WorldBottom = bottom;
}

bool ViewWindow::WorldExtents(const CanvasModel& model, ClientSize client) {
    if (model.Shapes.empty()) {
        WorldLeft = 0.0;
        WorldRight = 1000.0;
        WorldBottom = 0.0;
        WorldTop = 1000.0;
        return true;
    }
    double minX = 1e30, minY = 1e30, maxX = -1e30, maxY = -1e30;
    for (const auto& shape : model.Shapes) {
        if (!shape->Visible || !hasGeometry(*shape)) {
            continue;
        }
        minX = std::min(minX, shape->MinX);
        minY = std::min(minY, shape->MinY);
        maxX = std::max(maxX, shape->MaxX);
        maxY = std::max(maxY, shape->MaxY);
    }
    // Written so that NaN bounds also stop here.
    if (!(minX < maxX) || !(minY < maxY)) {
        return false;
    }
    const double mx = (maxX - minX) * 0.05;
    const double my = (maxY - minY) * 0.05;
    ViewWindow next;
    next.WorldLeft = minX - mx;
    next.WorldRight = maxX + mx;
    next.WorldBottom = minY - my;
    next.WorldTop = maxY + my;
    // A client without width or height has no aspect to fit (a zero width would divide by zero).
    if (client.Width > 0 && client.Height > 0) {
        const double a = static_cast<double>(client.Width) / client.Height;
        fitAspect(a, next.WorldLeft, next.WorldRight, next.WorldBottom, next.WorldTop, next.GetWorldWidth());
    }
    return adoptIfUsable(*this, next);
}

void ViewWindow::Resize(ClientSize client) {
    if (client.Width <= 0 || client.Height <= 0) {
        return;
    }
    const double a = static_cast<double>(client.Width) / client.Height;
    const double w = GetWorldWidth();
    ViewWindow next = *this;
    fitAspect(a, next.WorldLeft, next.WorldRight, next.WorldBottom, next.WorldTop, w <= 0.0 ? 1.0 : w);
    adoptIfUsable(*this, next);
}

double autoGridStep(double worldWidth, int divisions) {
    if (!(worldWidth > 0.0) || divisions <= 0 || !std::isfinite(worldWidth)) {
        return 1.0;
    }
    const double r = worldWidth / divisions;
    const double p = std::pow(10.0, std::floor(std::log10(r)));
    const double q = r / p;
    if (q < 1.5) {
        return p;
    }
    if (q < 3.5) {
        return p * 2.0;
    }
    if (q < 7.5) {
        return p * 5.0;
    }
    return p * 10.0;
}

int colorBrightness(TColor c) {
    return (colorRedOf(c) * 299 + colorGreenOf(c) * 587 + colorBlueOf(c) * 114) / 1000;
}

TColor GetContrastColor(TColor c, TColor back) {
    const int bc = colorBrightness(c);
    const int bb = colorBrightness(back);
    if (bc < 50 && bb < 50) {
        return colorWhite;
    }
    if (bc > 200 && bb > 200) {
        return colorBlack;
    }
    const int d = std::abs(colorRedOf(c) - colorRedOf(back)) +
                  std::abs(colorGreenOf(c) - colorGreenOf(back)) +
                  std::abs(colorBlueOf(c) - colorBlueOf(back));
    if (d < 60) {
        return bb > 128 ? colorBlack : colorWhite;
    }
    return c;
}

} // namespace selvir
