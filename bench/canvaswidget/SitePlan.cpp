#include "canvaswidget/SitePlan.h"

#include "canvas/Shapes.h"

#include <QString>
#include <array>
#include <cmath>
#include <memory>
#include <numbers>
#include <random>
#include <utility>
#include <vector>

namespace selvir::bench {
namespace {

// 210 000 entities cover 3 km x 2 km; larger plans keep the density.
constexpr double baseWidthM = 3000.0;
constexpr double baseHeightM = 2000.0;
constexpr long baseEntities = 210000;
// Entities come in groups around one spot (a building, a berth, a survey line of soundings).
constexpr int groupSize = 40;
constexpr double groupSpreadM = 45.0;
constexpr int arcPoints = 21; // as the DXF import makes arcs

struct LayerStyle {
    const char* name;
    TColor color;
};
// Colours as CAD plans use them: AutoCAD's first colours and a few greys.
constexpr std::array<LayerStyle, 24> layerStyles{{
    {"QUAY", 0x0000FF},     {"BOLLARD", 0x00FFFF},      {"BUILDING", 0x000000},  {"ROAD", 0x808080},
    {"KERB", 0xC0C0C0},     {"FENCE", 0x00FF00},        {"CONTOUR", 0x008000},   {"SPOT_HT", 0xFF00FF},
    {"SOUNDING", 0xFF0000}, {"SOUNDING_TXT", 0x800000}, {"LABEL", 0x000000},     {"MANHOLE", 0x0080FF},
    {"FENDER", 0x00FFFF},   {"LIGHT", 0x00C0FF},        {"RAIL", 0x404040},      {"CRANE", 0xFF8000},
    {"TREE", 0x00A000},     {"WALL", 0x202020},         {"PIPE", 0x8000FF},      {"CABLE", 0xFF0080},
    {"DRAIN", 0x808000},    {"SIGN", 0x0000C0},         {"TEXT_MISC", 0xFFFFFF}, {"BORDER", 0x000080},
}};

const std::array<const char*, 12> labelWords{"BOLLARD", "QUAY",  "BERTH", "FENDER", "MH",    "CL",
                                             "GATE",    "STORE", "CRANE", "LIGHT",  "STEPS", "RAMP"};

class Generator {
public:
    Generator(CanvasModel& model, long entities, std::uint32_t seed, double easting, double northing)
        : model_(model), random_(seed), scale_(std::sqrt(static_cast<double>(entities) / baseEntities)),
          originE_(easting), originN_(northing) {
        for (const LayerStyle& style : layerStyles) {
            const int index = model.LayerOpen(QString::fromLatin1(style.name));
            model.SetLayerPenFg(index, style.color);
            layers_.push_back(index);
        }
        widthM_ = baseWidthM * scale_;
        heightM_ = baseHeightM * scale_;
    }

    SitePlanCounts run(long entities) {
        SitePlanCounts counts;
        counts.entities = entities;
        for (long i = 0; i < entities; ++i) {
            if (i % groupSize == 0) {
                centreX_ = originE_ + uniform(0, widthM_);
                centreY_ = originN_ + uniform(0, heightM_);
                water_ = centreY_ < originN_ + 0.45 * heightM_;
            }
            const double x = centreX_ + normal(groupSpreadM);
            const double y = centreY_ + normal(groupSpreadM);
            const double kind = uniform(0, 100);
            if (kind < 40) {
                line(x, y);
                ++counts.lines;
            } else if (kind < 57) {
                text(x, y);
                ++counts.texts;
            } else if (kind < 71) {
                polyline(x, y);
                ++counts.polylines;
            } else if (kind < 86) {
                model_.DrawPoint(x, y, layer(water_ ? 8 : 7));
                ++counts.points;
            } else if (kind < 91) {
                model_.DrawCircle(x, y, uniform(0.3, 2.0), layer(kind < 89 ? 1 : 11));
                ++counts.circles;
            } else if (kind < 95) {
                arc(x, y);
                ++counts.arcs;
            } else {
                insert(x, y);
                ++counts.inserts;
            }
        }
        return counts;
    }

private:
    double uniform(double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random_);
    }
    double normal(double sigma) { return std::normal_distribution<double>(0.0, sigma)(random_); }
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    int layer(int i) const { return layers_[static_cast<std::size_t>(i)]; }

    void line(double x, double y) {
        // Mostly along the group's grid (buildings, kerbs), some at any angle (fences, cables).
        const double length = std::exp(uniform(std::log(0.5), std::log(40.0)));
        const double angle = pick(4) == 0 ? uniform(0, 2 * std::numbers::pi) : pick(2) * std::numbers::pi / 2;
        static constexpr int lineLayers[] = {2, 3, 4, 5, 14, 17, 18, 19, 20};
        model_.DrawLine(x, y, x + length * std::cos(angle), y + length * std::sin(angle),
                        layer(lineLayers[pick(9)]));
    }

    void polyline(double x, double y) {
        std::vector<std::pair<double, double>> points;
        const bool closed = pick(3) == 0;
        if (closed) {
            // A building outline.
            const double w = uniform(4, 40), h = uniform(4, 30);
            points = {
                {x, y},          {x + w, y}, {x + w, y + h}, {x + w * 0.4, y + h}, {x + w * 0.4, y + h * 0.7},
                {x, y + h * 0.7}};
            model_.DrawPolyline(points, layer(2), true);
            return;
        }
        // A contour or road edge.
        const int count = 3 + pick(28);
        double heading = uniform(0, 2 * std::numbers::pi);
        double px = x, py = y;
        for (int i = 0; i < count; ++i) {
            points.emplace_back(px, py);
            heading += normal(0.25);
            const double step = uniform(2, 15);
            px += step * std::cos(heading);
            py += step * std::sin(heading);
        }
        model_.DrawPolyline(points, layer(water_ ? 0 : (pick(2) == 0 ? 6 : 3)), false);
    }

    void arc(double x, double y) {
        const double radius = uniform(1, 15);
        const double start = uniform(0, 2 * std::numbers::pi);
        const double sweep = uniform(0.3, 2 * std::numbers::pi);
        std::vector<std::pair<double, double>> points;
        for (int i = 0; i < arcPoints; ++i) {
            const double t = start + sweep * i / (arcPoints - 1);
            points.emplace_back(x + radius * std::cos(t), y + radius * std::sin(t));
        }
        model_.DrawPolyline(points, layer(pick(2) == 0 ? 3 : 16), false);
    }

    void text(double x, double y) {
        auto t = std::make_unique<TSText>();
        t->X = x;
        t->Y = y;
        int textLayer;
        if (water_) {
            t->Caption = QString::number(uniform(2, 25), 'f', 1); // a sounding
            t->TextHeight = 1.2;
            textLayer = 9;
        } else if (pick(3) == 0) {
            t->Caption = QString::number(uniform(1, 12), 'f', 2); // a spot height
            t->TextHeight = 0.8;
            textLayer = 7;
        } else {
            t->Caption = QString::fromLatin1(labelWords[static_cast<std::size_t>(pick(12))]) + ' ' +
                         QString::number(1 + pick(60));
            t->TextHeight = uniform(0.8, 4.0);
            t->Rotation = pick(4) == 0 ? uniform(-90, 90) : 0.0;
            textLayer = pick(5) == 0 ? 22 : 10;
        }
        t->Text = t->Caption;
        t->FontIndex = -1;
        t->VAlign = 2; // DXF texts stand on their insertion point
        t->Layer = layer(textLayer);
        t->PenFg = model_.GetLayerPenFg(t->Layer);
        t->UpdateBounds();
        t->Id = model_.TakeNextId();
        model_.AppendShape(std::move(t));
    }

    void insert(double x, double y) {
        // A bollard or light symbol: the four lines of its block, scaled and turned.
        const double s = uniform(0.5, 2.0);
        const double a = uniform(0, 2 * std::numbers::pi);
        const double c = std::cos(a) * s, n = std::sin(a) * s;
        const int symbolLayer = layer(pick(2) == 0 ? 12 : 13);
        for (int k = 0; k < 4; ++k) {
            const double x1 = k, y1 = 0, x2 = 0, y2 = k + 1.5;
            model_.DrawLine(x + x1 * c - y1 * n, y + x1 * n + y1 * c, x + x2 * c - y2 * n,
                            y + x2 * n + y2 * c, symbolLayer);
        }
    }

    CanvasModel& model_;
    std::mt19937 random_;
    double scale_;
    double originE_, originN_;
    double widthM_ = 0, heightM_ = 0;
    std::vector<int> layers_;
    double centreX_ = 0, centreY_ = 0;
    bool water_ = false;
};

} // namespace

SitePlanCounts addSitePlan(CanvasModel& model, long entities, std::uint32_t seed, double easting,
                           double northing) {
    return Generator(model, entities, seed, easting, northing).run(entities);
}

ViewWindow sitePlanArea(long entities, double easting, double northing) {
    const double scale = std::sqrt(static_cast<double>(entities) / baseEntities);
    ViewWindow area;
    area.WorldLeft = easting;
    area.WorldRight = easting + baseWidthM * scale;
    area.WorldBottom = northing;
    area.WorldTop = northing + baseHeightM * scale;
    return area;
}

} // namespace selvir::bench
