// The spatial index and the pixel writer the partial redraws stand on: the index never misses a shape a
// box meets, through inserts and erases; the writer's pixels inside a clip are those of writing without.
#include "canvas/ShapeIndex.h"

#include "canvas/PixelWriter.h"
#include "canvas/Shapes.h"

#include <QImage>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <set>

namespace selvir {
namespace {

TEST(ShapeIndex, AQueryFindsEveryShapeWhoseBoxMeetsItThroughInsertsAndErases) {
    std::mt19937 random(3);
    // Grid coordinates in the millions, where single precision alone would round boxes inwards.
    std::uniform_real_distribution<double> position(4512000, 4514000), size(0, 40);
    std::vector<std::unique_ptr<TSPoint>> shapes(3000);
    std::vector<WorldBox> boxes;
    for (auto& shape : shapes) {
        shape = std::make_unique<TSPoint>();
        const double x = position(random), y = position(random), w = size(random), h = size(random) * 0.01;
        boxes.push_back({x, y, x + w, y + h});
    }
    auto item = [&](std::size_t i) { return ShapeIndex::Item{shapes[i].get(), boxes[i]}; };
    ShapeIndex index;
    std::vector<ShapeIndex::Item> first;
    for (std::size_t i = 0; i < 2000; ++i) {
        first.push_back(item(i));
    }
    index.build(first);
    std::set<std::size_t> present;
    for (std::size_t i = 0; i < 2000; ++i) {
        present.insert(i);
    }
    for (std::size_t i = 2000; i < shapes.size(); ++i) { // inserted after the build
        ASSERT_TRUE(index.insert(shapes[i].get(), boxes[i]));
        present.insert(i);
    }
    for (std::size_t i = 0; i < shapes.size(); i += 7) { // erased from the tree and from the list
        ASSERT_TRUE(index.erase(shapes[i].get(), boxes[i])) << i;
        present.erase(i);
    }
    EXPECT_FALSE(index.erase(shapes[0].get(), boxes[0])) << "erased once only";
    EXPECT_EQ(index.size(), present.size());

    for (int q = 0; q < 400; ++q) {
        const double x = position(random), y = position(random), w = size(random) * 5, h = size(random) * 5;
        const WorldBox query{x, y, x + w, y + h};
        std::vector<const TSShape*> found;
        index.query(query, found);
        const std::set<const TSShape*> got(found.begin(), found.end());
        EXPECT_EQ(got.size(), found.size()) << "no shape twice";
        for (std::size_t i : present) {
            if (boxes[i].meets(query)) {
                ASSERT_TRUE(got.count(shapes[i].get())) << "query " << q << " misses shape " << i;
            }
        }
        for (std::size_t i = 0; i < shapes.size(); i += 7) {
            ASSERT_FALSE(got.count(shapes[i].get())) << "an erased shape came back";
        }
    }
}

// Lines, boxes and strokes written with a clip leave, inside it, the pixels written without one, and
// nothing outside it: on random shapes reaching far beyond the image.
TEST(PixelWriter, AClipChangesNothingInsideItAndWritesNothingOutside) {
    std::mt19937 random(5);
    std::uniform_int_distribution<int> far(-3000, 3000), near(-20, 260), side(1, 120), width(2, 5);
    const QSize size(240, 200);
    for (int t = 0; t < 2000; ++t) {
        QImage whole(size, QImage::Format_RGB32), clipped(size, QImage::Format_RGB32);
        whole.fill(0);
        clipped.fill(0);
        PixelWriter all(whole.bits(), whole.bytesPerLine(), size.width(), size.height());
        PixelWriter part(clipped.bits(), clipped.bytesPerLine(), size.width(), size.height());
        const QRect clip(near(random), near(random), side(random), side(random));
        part.setClip(clip);
        const int kind = t % 3;
        const int x1 = t % 2 ? far(random) : near(random), y1 = near(random);
        const int x2 = far(random), y2 = t % 4 ? near(random) : far(random);
        const int strokeWidth = width(random);
        for (PixelWriter* writer : {&all, &part}) {
            if (kind == 0) {
                writer->thinLine(x1, y1, x2, y2, 0xFFFFFFFF);
            } else if (kind == 1) {
                writer->capsule(x1 % 300, y1, x2 % 300, y2 % 300, strokeWidth, 0xFFFFFFFF);
            } else {
                writer->boxOutline(x1, y1, x2, y2, 0xFFFFFFFF);
            }
        }
        const QRect inside = clip.intersected(whole.rect());
        int differing = 0;
        for (int y = inside.top(); y <= inside.bottom(); ++y) {
            for (int x = inside.left(); x <= inside.right(); ++x) {
                differing += whole.pixel(x, y) != clipped.pixel(x, y) ? 1 : 0;
            }
        }
        ASSERT_EQ(differing, 0) << "shape " << t << " kind " << kind << " (" << x1 << "," << y1 << ")-(" << x2
                                << "," << y2 << ") clip " << clip.x() << "," << clip.y() << " "
                                << clip.width() << "x" << clip.height();
        QImage outside = clipped.copy();
        for (int y = inside.top(); y <= inside.bottom(); ++y) {
            for (int x = inside.left(); x <= inside.right(); ++x) {
                outside.setPixel(x, y, 0);
            }
        }
        QImage empty(size, QImage::Format_RGB32);
        empty.fill(0);
        ASSERT_EQ(outside, empty) << "shape " << t << " wrote outside its clip";
    }
}

} // namespace
} // namespace selvir
