#include "canvas/PixelWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <utility>

namespace selvir {
namespace {

// Coordinates beyond this are held there, so the fixed-point arithmetic of a line cannot overflow.
constexpr int coordinateLimit = 1 << 30;

int held(int v) {
    return std::clamp(v, -coordinateLimit, coordinateLimit);
}

// Smallest i >= 0 with floor((2·i·d + n) / (2n)) >= k, for 0 < d <= n.
std::int64_t firstStepReaching(std::int64_t k, std::int64_t d, std::int64_t n) {
    if (k <= 0) {
        return 0;
    }
    const std::uint64_t numerator = static_cast<std::uint64_t>(n) * static_cast<std::uint64_t>(2 * k - 1);
    const std::uint64_t denominator = 2 * static_cast<std::uint64_t>(d);
    return static_cast<std::int64_t>((numerator + denominator - 1) / denominator);
}

} // namespace

PixelWriter::PixelWriter(uchar* bits, qsizetype bytesPerLine, int width, int height)
    : bits_(bits), bytesPerLine_(bytesPerLine), image_(0, 0, width, height) {
    setClip(image_);
}

void PixelWriter::setClip(const QRect& clip) {
    clip_ = clip.intersected(image_);
    clipLeft_ = clip_.left();
    clipTop_ = clip_.top();
    clipRight_ = clip_.isEmpty() ? clipLeft_ - 1 : clip_.right();
    clipBottom_ = clip_.isEmpty() ? clipTop_ - 1 : clip_.bottom();
}

void PixelWriter::pixel(int x, int y, QRgb rgb) {
    if (x >= clipLeft_ && x <= clipRight_ && y >= clipTop_ && y <= clipBottom_) {
        row(y)[x] = rgb;
    }
}

void PixelWriter::fill(int left, int top, int right, int bottom, QRgb rgb) {
    left = std::max(left, clipLeft_);
    top = std::max(top, clipTop_);
    right = std::min(right, clipRight_ + 1);
    bottom = std::min(bottom, clipBottom_ + 1);
    if (left >= right || top >= bottom) {
        return;
    }
    for (int y = top; y < bottom; ++y) {
        QRgb* line = row(y);
        std::fill(line + left, line + right, rgb);
    }
}

void PixelWriter::thinLine(int x1, int y1, int x2, int y2, QRgb rgb) {
    x1 = held(x1), y1 = held(y1), x2 = held(x2), y2 = held(y2);
    const std::int64_t dx = std::int64_t{x2} - x1;
    const std::int64_t dy = std::int64_t{y2} - y1;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const std::int64_t n = std::max(std::llabs(dx), std::llabs(dy));
    if (n == 0) {
        pixel(x1, y1, rgb);
        return;
    }
    if (inside(x1, y1) && inside(x2, y2)) {
        thinLineInside(x1, y1, static_cast<int>(dx), static_cast<int>(dy), static_cast<int>(n), rgb);
        return;
    }
    // Steps i = 0 .. n-1: major = m1 + majorSign·i, minor = n1 + minorSign·k(i) with
    // k(i) = floor((2·i·d + n) / (2n)), d the minor extent.
    const std::int64_t m1 = xMajor ? x1 : y1;
    const std::int64_t n1 = xMajor ? y1 : x1;
    const std::int64_t majorSign = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const std::int64_t minorSign = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const std::int64_t d = std::llabs(xMajor ? dy : dx);
    const std::int64_t majorLow = xMajor ? clipLeft_ : clipTop_;
    const std::int64_t majorHigh = xMajor ? clipRight_ : clipBottom_;
    const std::int64_t minorLow = xMajor ? clipTop_ : clipLeft_;
    const std::int64_t minorHigh = xMajor ? clipBottom_ : clipRight_;
    if (majorHigh < majorLow || minorHigh < minorLow) {
        return;
    }

    // The steps whose major coordinate lies in the clip.
    std::int64_t first = majorSign > 0 ? majorLow - m1 : m1 - majorHigh;
    std::int64_t last = majorSign > 0 ? majorHigh - m1 : m1 - majorLow;
    // Then those whose minor coordinate does: k(i) is non-decreasing.
    const std::int64_t kLow = minorSign > 0 ? minorLow - n1 : n1 - minorHigh;
    const std::int64_t kHigh = minorSign > 0 ? minorHigh - n1 : n1 - minorLow;
    if (kHigh < 0) {
        return;
    }
    if (d == 0) {
        if (kLow > 0) {
            return;
        }
    } else {
        first = std::max(first, firstStepReaching(kLow, d, n));
        last = std::min(last, firstStepReaching(kHigh + 1, d, n) - 1);
    }
    // One step of slack each way; every pixel is checked against the clip below anyway.
    first = std::max<std::int64_t>(first - 1, 0);
    last = std::min<std::int64_t>(last + 1, n - 1);
    if (first > last) {
        return;
    }

    const std::uint64_t twoN = 2 * static_cast<std::uint64_t>(n);
    const std::uint64_t step = 2 * static_cast<std::uint64_t>(d);
    std::uint64_t numerator = static_cast<std::uint64_t>(first) * step + static_cast<std::uint64_t>(n);
    std::int64_t k = static_cast<std::int64_t>(numerator / twoN);
    std::uint64_t remainder = numerator % twoN;
    for (std::int64_t i = first; i <= last; ++i) {
        const std::int64_t major = m1 + majorSign * i;
        const std::int64_t minor = n1 + minorSign * k;
        const int x = static_cast<int>(xMajor ? major : minor);
        const int y = static_cast<int>(xMajor ? minor : major);
        if (x >= clipLeft_ && x <= clipRight_ && y >= clipTop_ && y <= clipBottom_) {
            row(y)[x] = rgb;
        }
        remainder += step;
        if (remainder >= twoN) {
            remainder -= twoN;
            ++k;
        }
    }
}

// The same steps as thinLine for a line wholly inside the clip (the clip is a rectangle, so every
// pixel between two inside ends is inside): no range to work out, no pixel to check.
void PixelWriter::thinLineInside(int x1, int y1, int dx, int dy, int n, QRgb rgb) {
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const int majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const int d = std::abs(xMajor ? dy : dx);
    const int twoN = 2 * n;
    int remainder = n; // 2·i·d + n for i = 0, less the steps taken
    int x = x1, y = y1;
    for (int i = 0; i < n; ++i) {
        row(y)[x] = rgb;
        if (xMajor) {
            x += majorStep;
        } else {
            y += majorStep;
        }
        remainder += 2 * d;
        if (remainder >= twoN) {
            remainder -= twoN;
            if (xMajor) {
                y += minorStep;
            } else {
                x += minorStep;
            }
        }
    }
}

void PixelWriter::boxOutline(int left, int top, int right, int bottom, QRgb rgb) {
    if (right < left) {
        std::swap(left, right);
    }
    if (bottom < top) {
        std::swap(top, bottom);
    }
    const int lastX = std::max(left, right - 1);
    const int lastY = std::max(top, bottom - 1);
    fill(left, top, lastX + 1, top + 1, rgb);
    fill(left, lastY, lastX + 1, lastY + 1, rgb);
    fill(left, top + 1, left + 1, lastY, rgb);
    fill(lastX, top + 1, lastX + 1, lastY, rgb);
}

// Fills the pixels whose centres lie within widthPx / 2 of the segment: the stroke of a line with
// round caps, sampled as the painter samples aliased fills. Row by row, the stroke's slice is an
// interval, the union of the slices of the two end discs and of the band between them. Sample points
// sit a hair left of and above the centres, which matches the painter best, so a centre on the edge
// counts on the bottom and right edges only: a 3-pixel line covers 3 rows, not 4.
void PixelWriter::capsule(int x1, int y1, int x2, int y2, int widthPx, QRgb rgb) {
    const double r = widthPx / 2.0;
    const double ax = x1, ay = y1, bx = x2, by = y2;
    const double length = std::hypot(bx - ax, by - ay);
    double nx = 0.0, ny = 0.0; // unit normal times r
    if (length > 0.0) {
        nx = -(by - ay) / length * r;
        ny = (bx - ax) / length * r;
    }
    const double band[4][2] = {
        {ax + nx, ay + ny}, {bx + nx, by + ny}, {bx - nx, by - ny}, {ax - nx, ay - ny}};

    constexpr double bias = -1.0 / 1024.0;
    const double rowFirst = std::max<double>(clipTop_, std::ceil(std::min(ay, by) - r - 0.5 - bias));
    const double rowLast = std::min<double>(clipBottom_, std::floor(std::max(ay, by) + r - 0.5 - bias));
    if (!(rowFirst <= rowLast)) {
        return;
    }
    for (int y = static_cast<int>(rowFirst); y <= static_cast<int>(rowLast); ++y) {
        const double yc = y + 0.5 + bias;
        double left = std::numeric_limits<double>::infinity();
        double right = -left;
        for (const auto& [cx, cy] : {std::pair{ax, ay}, std::pair{bx, by}}) {
            const double dy = yc - cy;
            if (dy * dy <= r * r) {
                const double half = std::sqrt(r * r - dy * dy);
                left = std::min(left, cx - half);
                right = std::max(right, cx + half);
            }
        }
        if (length > 0.0) {
            for (int e = 0; e < 4; ++e) {
                const double* p = band[e];
                const double* q = band[(e + 1) % 4];
                if ((p[1] - yc) * (q[1] - yc) > 0.0) {
                    continue;
                }
                if (p[1] == q[1]) {
                    left = std::min({left, p[0], q[0]});
                    right = std::max({right, p[0], q[0]});
                } else {
                    const double x = p[0] + (yc - p[1]) * (q[0] - p[0]) / (q[1] - p[1]);
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        }
        if (!(left <= right)) {
            continue;
        }
        const double firstX = std::max<double>(std::ceil(left - 0.5 - bias), clipLeft_);
        const double lastX = std::min<double>(std::floor(right - 0.5 - bias), clipRight_);
        if (firstX <= lastX) {
            QRgb* line = row(y);
            std::fill(line + static_cast<int>(firstX), line + static_cast<int>(lastX) + 1, rgb);
        }
    }
}

void PixelWriter::stamp(const PixelMask& mask, int left, int top, QRgb rim, QRgb fill, bool withFill) {
    const int x0 = left + mask.originX;
    const int y0 = top + mask.originY;
    for (int my = 0; my < mask.height; ++my) {
        const int y = y0 + my;
        if (y < clipTop_ || y > clipBottom_) {
            continue;
        }
        QRgb* line = row(y);
        for (int mx = 0; mx < mask.width; ++mx) {
            const int x = x0 + mx;
            const std::uint8_t cell = mask.at(mx, my);
            if (cell == 0 || x < clipLeft_ || x > clipRight_) {
                continue;
            }
            if (cell == 2) {
                line[x] = rim;
            } else if (withFill) {
                line[x] = fill;
            }
        }
    }
}

void PixelWriter::blend(const std::uint8_t* coverage, int width, int height, int left, int top, QRgb rgb) {
    const int firstX = std::max(left, clipLeft_);
    const int lastX = std::min(left + width - 1, clipRight_);
    const int firstY = std::max(top, clipTop_);
    const int lastY = std::min(top + height - 1, clipBottom_);
    const int r = qRed(rgb), g = qGreen(rgb), b = qBlue(rgb);
    for (int y = firstY; y <= lastY; ++y) {
        const std::uint8_t* cells = coverage + static_cast<std::ptrdiff_t>(y - top) * width;
        QRgb* line = row(y);
        for (int x = firstX; x <= lastX; ++x) {
            const int a = cells[x - left];
            if (a == 0) {
                continue;
            }
            if (a == 255) {
                line[x] = rgb;
                continue;
            }
            const QRgb d = line[x];
            const int keep = 255 - a;
            line[x] = qRgb((r * a + qRed(d) * keep + 127) / 255, (g * a + qGreen(d) * keep + 127) / 255,
                           (b * a + qBlue(d) * keep + 127) / 255);
        }
    }
}

} // namespace selvir
