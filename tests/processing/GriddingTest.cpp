#include "processing/Gridding.h"

#include <gtest/gtest.h>

namespace selvir::processing {
namespace {

Sounding at(double e, double n, double depthBelowDatumM) {
    Sounding s;
    s.eastingM = e;
    s.northingM = n;
    s.depthBelowDatumM = depthBelowDatumM;
    s.depthM = depthBelowDatumM + 0.4;
    return s;
}

// A planar seabed, deepening 2 cm per metre east and 1 cm per metre south.
double plane(double e, double n) {
    return 12.0 + 0.02 * (e - 412000) - 0.01 * (n - 4540000);
}

TEST(Gridding, PlanarSeabedGivesThePlanesDepthAtCellCentresAndNodataWhereNothingFell) {
    // Four soundings in each 5 m cell, symmetric about its centre, except a 3 x 2 hole.
    std::vector<Sounding> soundings;
    for (int col = 0; col < 12; ++col) {
        for (int row = 0; row < 8; ++row) {
            if (col >= 4 && col < 7 && row >= 2 && row < 4) {
                continue;
            }
            const double ce = 412000 + 5.0 * col + 2.5;
            const double cn = 4540000 + 5.0 * row + 2.5;
            for (const auto& [de, dn] : {std::pair{-1.0, -2.0}, {1.0, 2.0}, {-2.0, 1.0}, {2.0, -1.0}}) {
                soundings.push_back(at(ce + de, cn + dn, plane(ce + de, cn + dn)));
            }
        }
    }
    for (const GridStatistic statistic : {GridStatistic::Mean, GridStatistic::Median}) {
        const GriddingResult result = gridSoundings(soundings, {}, 5.0, statistic);
        ASSERT_TRUE(result.grid) << result.error;
        const DepthGrid& g = *result.grid;
        EXPECT_EQ(g.reference, DepthReference::Datum);
        EXPECT_EQ(g.cols, 12);
        EXPECT_EQ(g.rows, 8);
        EXPECT_EQ(g.westM, 412000.0);
        EXPECT_EQ(g.northM, 4540040.0);
        EXPECT_EQ(result.used, soundings.size());
        int nodata = 0;
        for (int r = 0; r < g.rows; ++r) {
            for (int c = 0; c < g.cols; ++c) {
                const std::size_t i = g.index(r, c);
                if (std::isnan(g.depthM[i])) {
                    ++nodata;
                    EXPECT_EQ(g.counts[i], 0u);
                    EXPECT_TRUE(std::isnan(g.stdDevM[i]));
                    continue;
                }
                EXPECT_NEAR(g.depthM[i], plane(g.centreEastingM(c), g.centreNorthingM(r)), 1e-5)
                    << r << "," << c;
                EXPECT_EQ(g.counts[i], 4u);
            }
        }
        EXPECT_EQ(nodata, 6);
        // Row 0 is the north: the hole (rows 2..3 from the south) is in rows 4..5 from the north.
        EXPECT_TRUE(std::isnan(g.depthM[g.index(4, 5)]));
        EXPECT_FALSE(std::isnan(g.depthM[g.index(2, 5)]));
    }
}

TEST(Gridding, CellsLieOnMultiplesOfTheSizeAndEachStatisticIsItsOwn) {
    // One cell of 2 m holding 1, 2, 3 and 10 m; the soundings off any round number.
    std::vector<Sounding> soundings = {at(500002.3, 4100001.1, 1.0), at(500003.9, 4100000.2, 10.0),
                                       at(500002.01, 4100001.99, 3.0), at(500003.5, 4100000.5, 2.0),
                                       at(499999.5, 4100000.5, 7.0)};
    const struct {
        GridStatistic statistic;
        double expected;
    } cases[] = {{GridStatistic::Mean, 4.0}, {GridStatistic::Median, 2.5}, {GridStatistic::Shoalest, 1.0}};
    for (const auto& c : cases) {
        const GriddingResult result = gridSoundings(soundings, {}, 2.0, c.statistic);
        ASSERT_TRUE(result.grid) << result.error;
        const DepthGrid& g = *result.grid;
        EXPECT_EQ(g.westM, 499998.0);
        EXPECT_EQ(g.northM, 4100002.0);
        ASSERT_EQ(g.cols, 3);
        ASSERT_EQ(g.rows, 1);
        EXPECT_FLOAT_EQ(g.depthM[2], c.expected) << gridStatisticName(c.statistic);
        EXPECT_TRUE(std::isnan(g.depthM[1]));
        EXPECT_FLOAT_EQ(g.depthM[0], 7.0);
        // Population standard deviation of 1, 2, 3, 10 about 4: sqrt((9 + 4 + 1 + 36) / 4) = sqrt(12.5).
        EXPECT_FLOAT_EQ(g.stdDevM[2], std::sqrt(12.5f));
        EXPECT_FLOAT_EQ(g.stdDevM[0], 0.0f);
    }
}

TEST(Gridding, RejectedAndUnplacedSoundingsStayOutAndTheWaterLineStandsInForAMissingDatum) {
    std::vector<Sounding> soundings = {at(0.5, 0.5, 5.0), at(0.6, 0.6, 50.0), at(kNoValue, 0.5, 5.0)};
    const std::vector<std::uint8_t> accepted = {1, 0, 1};
    GriddingResult result = gridSoundings(soundings, accepted, 1.0, GridStatistic::Mean);
    ASSERT_TRUE(result.grid);
    EXPECT_EQ(result.rejected, 1u);
    EXPECT_EQ(result.withoutDepth, 1u);
    EXPECT_FLOAT_EQ(result.grid->depthM[0], 5.0f);

    for (Sounding& s : soundings) {
        s.depthBelowDatumM = kNoValue;
    }
    result = gridSoundings(soundings, accepted, 1.0, GridStatistic::Mean);
    ASSERT_TRUE(result.grid);
    EXPECT_EQ(result.grid->reference, DepthReference::WaterLine);
    EXPECT_FLOAT_EQ(result.grid->depthM[0], 5.4f);
}

TEST(Gridding, GridsThatCannotBeMadeSayWhy) {
    const std::vector<Sounding> far = {at(0, 0, 5), at(100'000, 100'000, 5)};
    const GriddingResult tooLarge = gridSoundings(far, {}, 1.0, GridStatistic::Mean);
    EXPECT_FALSE(tooLarge.grid);
    EXPECT_NE(tooLarge.error.find("100001 x 100001 cells of 1 m is too large"), std::string::npos)
        << tooLarge.error;
    EXPECT_NE(tooLarge.error.find("a cell of 21 m or more would do"), std::string::npos) << tooLarge.error;
    EXPECT_TRUE(gridSoundings(far, {}, 100.0, GridStatistic::Mean).grid);
    EXPECT_FALSE(gridSoundings(far, {}, 0.0, GridStatistic::Mean).grid);
    EXPECT_FALSE(gridSoundings(far, {}, std::nan(""), GridStatistic::Mean).grid);
    EXPECT_FALSE(gridSoundings({}, {}, 1.0, GridStatistic::Mean).grid);
    EXPECT_EQ(parseGridStatistic("shoalest"), GridStatistic::Shoalest);
    EXPECT_FALSE(parseGridStatistic("max").has_value());
}

} // namespace
} // namespace selvir::processing
