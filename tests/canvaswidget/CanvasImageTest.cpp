// The off-screen image kept up to date piece by piece is the image a whole rebuild gives, pixel for
// pixel, and a rebuild on several threads is the one a single thread draws.
#include "canvas/CanvasImage.h"

#include "canvas/CanvasModel.h"
#include "canvas/Shapes.h"

#include <QImage>
#include <gtest/gtest.h>
#include <random>
#include <sstream>
#include <string>

namespace selvir {
namespace {

constexpr QSize imageSize(240, 180);

// The first pixel where two images differ, and how many do.
std::string difference(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) {
        return "sizes differ";
    }
    int count = 0;
    QPoint first(-1, -1);
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                if (count++ == 0) {
                    first = QPoint(x, y);
                }
            }
        }
    }
    std::ostringstream out;
    out << count << " pixels differ, the first at (" << first.x() << ", " << first.y() << ")";
    return out.str();
}

// A random drawing in world 0..1000 of every shape kind, pen and brush, some shapes selected, on a
// few layers of which one is hidden; and the changes a survey makes to it.
class RandomDrawing {
public:
    explicit RandomDrawing(unsigned seed) : random_(seed) {
        for (const char* name : {"plan", "labels", "hidden", "vessel", "track"}) {
            layers_.push_back(model.LayerOpen(name));
        }
        model.FindLayer(layers_[2])->Visible = false;
        model.SetLayerPenWidth(layers_[4], 2);
        // Some colours close to the backgrounds below, so the contrast rule has work to do.
        colors_ = {colorBlack, colorWhite, 0x202020, 0x404040, 0xF0F0F0, 0x0000FF, 0x00A000, 0xFF8000};
    }

    double coordinate() { return std::uniform_real_distribution<double>(-100, 1100)(random_); }
    double size(double most) { return std::uniform_real_distribution<double>(0.05, most)(random_); }
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    ShapeId addShape(int layer) {
        const double x = coordinate(), y = coordinate();
        ShapeId id = noShape;
        switch (pick(10)) {
        case 0:
            id = model.DrawLine(x, y, x + size(300) - 150, y + size(300) - 150, layer);
            break;
        case 1:
            id = model.DrawCircle(x, y, size(80), layer);
            break;
        case 2: {
            id = model.DrawRectangle(x, y, x + size(150), y + size(100), layer);
            auto* rectangle = static_cast<TSRectangle*>(model.FindShape(id));
            rectangle->Rounded = pick(3) == 0;
            break;
        }
        case 3:
            id = model.DrawTwoPointEllipse(x, y, x + size(120), y + size(60), layer);
            break;
        case 4:
            id = model.DrawThreePointArc(x, y, x + size(50), y + size(50), x + size(100), y, layer);
            break;
        case 5: {
            id = model.DrawPoint(x, y, layer);
            static_cast<TSPoint*>(model.FindShape(id))->PointSize = pick(7);
            break;
        }
        case 6:
        case 7: {
            std::vector<std::pair<double, double>> points;
            double px = x, py = y;
            for (int i = 0, n = 2 + pick(8); i < n; ++i) {
                points.emplace_back(px, py);
                px += size(120) - 60;
                py += size(120) - 60;
            }
            id = model.DrawPolyline(points, layer, pick(3) == 0);
            auto* polyline = static_cast<TSPolyline*>(model.FindShape(id));
            if (pick(4) == 0) {
                polyline->ShapeType = pick(2) == 0 ? ShapeKind::Spline : ShapeKind::Curve;
            }
            break;
        }
        default: {
            id = model.TextAdd(layer, pick(2) == 0 ? QStringLiteral("12.4") : QStringLiteral("Quay 7 Wj"), x,
                               y, 0);
            auto* text = static_cast<TSText*>(model.FindShape(id));
            text->TextHeight = size(60);
            text->Rotation = pick(3) == 0 ? size(90) : 0.0;
            text->HAlign = pick(3);
            text->VAlign = pick(3);
            text->Bold = pick(2) == 0;
            break;
        }
        }
        TSShape* shape = model.FindShape(id);
        shape->PenFg = colors_[static_cast<std::size_t>(pick(static_cast<int>(colors_.size())))];
        shape->PenWidth = pick(4);
        shape->PenStyle = pick(5) == 0 ? penstyle::Dot : penstyle::Solid;
        shape->BrushStyle = static_cast<std::uint8_t>(pick(3) == 0 ? pick(8) : brushstyle::Clear);
        shape->BrushFg = colors_[static_cast<std::size_t>(pick(static_cast<int>(colors_.size())))];
        shape->Selected = pick(8) == 0;
        return id;
    }

    // One map tick: the vessel drawn anew where it now is, a track segment, now and then a label.
    void mapTick() {
        model.CadClearShapes(vessel());
        const double x = coordinate(), y = coordinate();
        model.DrawLine(x, y, x + 40, y + 60, vessel());
        model.DrawLine(x, y, x - 20, y + 10, vessel());
        model.DrawCircle(x, y, 15, vessel());
        model.DrawLine(trackX_, trackY_, x, y, layers_[4]);
        if (pick(2) == 0) {
            model.DrawPoint(x, y, layers_[0]);
        }
        if (pick(4) == 0) {
            model.TextAdd(layers_[1], QStringLiteral("E7"), x, y, 0);
        }
        trackX_ = x;
        trackY_ = y;
    }

    int layer(int i) const { return layers_[static_cast<std::size_t>(i)]; }
    int vessel() const { return layers_[3]; }

    CanvasModel model;

private:
    std::mt19937 random_;
    std::vector<int> layers_;
    std::vector<TColor> colors_;
    double trackX_ = 500, trackY_ = 500;
};

struct Frame {
    ViewWindow view;
    GridSettings grid;
    TColor back = colorWhite;
};

Frame randomFrame(RandomDrawing& drawing, int seed) {
    Frame frame;
    const double width = seed % 3 == 0 ? 300 : 1300;
    const double left = drawing.coordinate() - width / 2;
    const double bottom = drawing.coordinate() - width / 2;
    frame.view.WorldSet(left, bottom + width * 0.75, left + width, bottom);
    frame.grid.GridVisible = seed % 2 == 0;
    frame.grid.GridOrder = seed % 4 == 0 ? 1 : 0;
    const TColor backs[] = {colorWhite, colorBlack, 0x303030};
    frame.back = backs[seed % 3];
    return frame;
}

QImage wholeRebuild(CanvasModel& model, const Frame& frame, int threads, QSize size = imageSize) {
    CanvasImage fresh;
    fresh.setThreads(threads);
    fresh.rebuild(model, frame.view, frame.grid, frame.back, size);
    return fresh.image();
}

TEST(CanvasImage, UpdatesPieceByPieceGiveTheImageOfAWholeRebuild) {
    int pieceByPiece = 0;
    for (int seed = 0; seed < 36; ++seed) {
        RandomDrawing drawing(static_cast<unsigned>(seed));
        for (int i = 0; i < 150; ++i) {
            drawing.addShape(drawing.layer(drawing.pick(3)));
        }
        const Frame frame = randomFrame(drawing, seed);
        CanvasImage image;
        image.update(drawing.model, frame.view, frame.grid, frame.back, imageSize);
        for (int step = 0; step < 12; ++step) {
            switch (drawing.pick(4)) {
            case 0:
                drawing.addShape(drawing.layer(drawing.pick(2)));
                break;
            case 1:
                drawing.model.CadClearShapes(
                    drawing.layer(drawing.pick(2)) == drawing.layer(0) ? drawing.vessel() : drawing.layer(1));
                break;
            default:
                drawing.mapTick();
                break;
            }
            const CanvasImage::UpdateReport& report =
                image.update(drawing.model, frame.view, frame.grid, frame.back, imageSize);
            pieceByPiece += report.rebuilt ? 0 : 1;
            ASSERT_EQ(image.image(), wholeRebuild(drawing.model, frame, 1))
                << "seed " << seed << ", step " << step << ": "
                << difference(image.image(), wholeRebuild(drawing.model, frame, 1));
        }
    }
    EXPECT_GT(pieceByPiece, 36 * 12 / 2) << "most steps are applied without a rebuild";
}

TEST(CanvasImage, ARebuildOnSeveralThreadsIsTheSingleThreadedOne) {
    for (int seed = 100; seed < 106; ++seed) {
        RandomDrawing drawing(static_cast<unsigned>(seed));
        for (int i = 0; i < 10000; ++i) {
            drawing.addShape(drawing.layer(drawing.pick(3)));
        }
        const Frame frame = randomFrame(drawing, seed);
        const QSize tall(240, 400); // room for several bands
        const QImage single = wholeRebuild(drawing.model, frame, 1, tall);
        for (int threads : {2, 3}) {
            const QImage threaded = wholeRebuild(drawing.model, frame, threads, tall);
            EXPECT_EQ(threaded, single)
                << "seed " << seed << ", " << threads << " threads: " << difference(threaded, single);
        }
    }
}

} // namespace
} // namespace selvir
