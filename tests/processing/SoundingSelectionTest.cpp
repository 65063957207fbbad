#include "processing/SoundingSelection.h"

#include <gtest/gtest.h>
#include <random>

namespace selvir::processing {
namespace {

Sounding at(double e, double n, double depthM) {
    Sounding s;
    s.eastingM = e;
    s.northingM = n;
    s.depthBelowDatumM = depthM;
    return s;
}

TEST(SoundingSelection, TheShoalestIsKeptAndItsNeighboursWithinTheRadiusLeftOut) {
    // A 4.2 m shoal among 6 m soundings 3 m apart; a radius of 5 m.
    const std::vector<Sounding> soundings = {at(0, 0, 6.0), at(3, 0, 4.2),  at(6, 0, 6.1),
                                             at(9, 0, 6.0), at(12, 0, 5.9), at(3, 3, kNoValue)};
    EXPECT_EQ(selectShoalestSoundings(soundings, {}, DepthReference::Datum, 5.0),
              (std::vector<std::size_t>{1, 4}));
    EXPECT_EQ(selectShoalestSoundings(soundings, std::vector<std::uint8_t>{1, 0, 1, 1, 1, 1},
                                      DepthReference::Datum, 5.0),
              (std::vector<std::size_t>{0, 2, 4})); // 6.1 m at E 6 is 6 m from both kept ones
    EXPECT_EQ(selectShoalestSoundings(soundings, {}, DepthReference::Datum, 0).size(), 5u);
}

TEST(SoundingSelection, NoTwoKeptAreCloseAndEveryOneLeftOutHasAShoalerKeptNeighbour) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> where(0, 200), depth(3, 20);
    std::vector<Sounding> soundings;
    for (int k = 0; k < 3000; ++k) {
        soundings.push_back(at(412000 + where(random), 4540000 + where(random), depth(random)));
    }
    const double radius = 7.5;
    const std::vector<std::size_t> kept =
        selectShoalestSoundings(soundings, {}, DepthReference::Datum, radius);
    std::vector<std::uint8_t> isKept(soundings.size(), 0);
    for (const std::size_t k : kept) {
        isKept[k] = 1;
    }
    const auto distance = [&](std::size_t a, std::size_t b) {
        return std::hypot(soundings[a].eastingM - soundings[b].eastingM,
                          soundings[a].northingM - soundings[b].northingM);
    };
    for (std::size_t a = 0; a < kept.size(); ++a) {
        for (std::size_t b = a + 1; b < kept.size(); ++b) {
            ASSERT_GT(distance(kept[a], kept[b]), radius);
        }
    }
    for (std::size_t i = 0; i < soundings.size(); ++i) {
        if (isKept[i]) {
            continue;
        }
        bool covered = false;
        for (const std::size_t k : kept) {
            covered = covered || (distance(i, k) <= radius &&
                                  soundings[k].depthBelowDatumM <= soundings[i].depthBelowDatumM);
        }
        ASSERT_TRUE(covered) << i;
    }
    EXPECT_GT(kept.size(), 100u);
}

} // namespace
} // namespace selvir::processing
