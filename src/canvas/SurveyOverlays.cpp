#include "canvas/SurveyOverlays.h"

#include "core/NumberFormat.h"

namespace selvir {
namespace {

constexpr int boxMarginPx = 6;
constexpr int depthBoxEdgePx = 10;
constexpr int ggaBoxEdgePx = 8;
constexpr int ggaBoxBottomEdgePx = 10;
constexpr int labelSlackXPx = 50;
constexpr int labelSlackYPx = 20;

QString fixed(double value, int decimals) {
    return QString::fromStdString(formatFixed(value, decimals));
}

} // namespace

void DistanceMeasure::Start(double x, double y) {
    Measuring = true;
    MeasureStartX = MeasureX = x;
    MeasureStartY = MeasureY = y;
    MeasureDistance = 0.0;
}

bool DistanceMeasure::Update(double x, double y, double distanceM, double azimuthDeg) {
    if (!Measuring) {
        return false;
    }
    MeasureX = x;
    MeasureY = y;
    MeasureDistance = distanceM;
    MeasureAzimuth = azimuthDeg;
    return true;
}

bool SurveyOverlayState::AddDepthLabel(double x, double y, double depthM) {
    // Squared distances: the comparison runs over up to 10000 labels per call. A spacing that is not
    // positive (or NaN) refuses nothing, as no distance is below it.
    if (LabelSpacing > 0.0) {
        const double spacing2 = LabelSpacing * LabelSpacing;
        for (const DepthLabel& label : DepthLabels) {
            const double dx = x - label.X;
            const double dy = y - label.Y;
            if (dx * dx + dy * dy < spacing2) {
                return false;
            }
        }
    }
    DepthLabels.push_back({x, y, depthM});
    if (DepthLabels.size() > static_cast<size_t>(depthLabelLimit)) {
        DepthLabels.erase(DepthLabels.begin(), DepthLabels.begin() + depthLabelPruneCount);
    }
    return true;
}

int nextOverlayCorner(int corner) {
    return (corner + 1) % 4;
}

QString depthLabelText(double depthM) {
    return fixed(depthM, 1);
}

QString depthSpeedText(const SurveyOverlayState& state) {
    QString text;
    if (state.DepthValid && state.CurrentDepthHF > 0.0) {
        text = QStringLiteral("HF: ") + fixed(state.CurrentDepthHF, 2) + QStringLiteral(" m");
        if (state.CurrentDepthLF > 0.0) {
            text += QStringLiteral("  LF: ") + fixed(state.CurrentDepthLF, 2) + QStringLiteral(" m");
        }
    }
    if (state.SpeedValid) {
        if (!text.isEmpty()) {
            text += QStringLiteral("  ");
        }
        text += fixed(state.CurrentSpeed, 1) + QStringLiteral(" kn");
    }
    return text;
}

QString measureDistanceText(double distanceM) {
    return fixed(distanceM, 2) + QStringLiteral(" m");
}

QString measureAzimuthText(double azimuthDeg) {
    return fixed(azimuthDeg, 1) + QChar(0x00B0);
}

PixelPoint depthSpeedTextOrigin(int mode, ClientSize client, TextSize text) {
    const int left = depthBoxEdgePx;
    const int right = client.Width - text.Width - depthBoxEdgePx;
    const int top = depthBoxEdgePx;
    const int bottom = client.Height - text.Height - depthBoxEdgePx;
    switch (mode) {
    case 1:
        return {right, bottom};
    case 2:
        return {right, top};
    case 3:
        return {left, top};
    default:
        return {left, bottom};
    }
}

PixelPoint ggaTextOrigin(int position, ClientSize client, TextSize text) {
    const int left = ggaBoxEdgePx;
    const int right = client.Width - text.Width - ggaBoxEdgePx;
    const int top = ggaBoxEdgePx;
    const int bottom = client.Height - text.Height - ggaBoxBottomEdgePx;
    switch (position) {
    case 1:
        return {right, top};
    case 2:
        return {right, bottom};
    case 3:
        return {left, bottom};
    default:
        return {left, top};
    }
}

PixelBox overlayBoxAround(PixelPoint origin, TextSize text) {
    return {origin.X - boxMarginPx, origin.Y - boxMarginPx, origin.X + text.Width + boxMarginPx,
            origin.Y + text.Height + boxMarginPx};
}

bool overlayBoxContains(const PixelBox& box, int x, int y) {
    return x >= box.Left && x <= box.Right && y >= box.Top && y <= box.Bottom;
}

TColor ggaBoxColor(int fixQuality) {
    switch (fixQuality) {
    case 1:
        return colorRed;
    case 2:
        return colorAqua;
    case 4:
    case 7:
        return colorLime;
    default:
        return colorYellow;
    }
}

TColor ggaTextColor(int fixQuality) {
    return fixQuality == 1 ? colorWhite : colorBlack;
}

bool labelAnchorInView(int px, int py, ClientSize client) {
    return px >= -labelSlackXPx && px <= client.Width + labelSlackXPx && py >= -labelSlackYPx &&
           py <= client.Height + labelSlackYPx;
}

} // namespace selvir
