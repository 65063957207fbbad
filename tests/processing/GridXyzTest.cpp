#include "processing/GridXyz.h"

#include <gtest/gtest.h>

namespace selvir::processing {
namespace {

TEST(GridXyz, GridsReadBackCellForCellWithTheirHoles) {
    DepthGrid g;
    g.westM = 412000;
    g.northM = 4540010;
    g.cellSizeM = 2.5;
    g.rows = 4;
    g.cols = 3;
    g.depthM = {1, 2, 3, 4, NAN, 6, 7, 8, 9, 10.125f, 11, NAN};
    for (const bool elevation : {false, true}) {
        const std::string text = formatGridXyz(g, elevation);
        const GridReadResult back = parseGridXyz(text, elevation);
        ASSERT_TRUE(back.grid) << back.error;
        EXPECT_EQ(back.grid->westM, g.westM);
        EXPECT_EQ(back.grid->northM, g.northM);
        EXPECT_EQ(back.grid->cellSizeM, g.cellSizeM);
        EXPECT_EQ(back.grid->rows, 4);
        EXPECT_EQ(back.grid->cols, 3);
        for (std::size_t i = 0; i < g.depthM.size(); ++i) {
            EXPECT_EQ(std::isnan(back.grid->depthM[i]), std::isnan(g.depthM[i])) << i;
            if (!std::isnan(g.depthM[i])) {
                EXPECT_FLOAT_EQ(back.grid->depthM[i], g.depthM[i]) << i;
            }
        }
    }
    EXPECT_EQ(formatGridXyz(g, true).substr(0, 31), "412001.250 4540008.750 -1.000\n4");
}

TEST(GridXyz, TextsThatAreNoGridAreRefusedByLine) {
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"0 0 1\n1 0 2\n1 x 3\n", "line 3: \"1 x 3\" is not three numbers"},
        {"0 0 1\n1 0 2 4\n", "line 2"},
        {"0 0 1\n1 0 2\n0 1 3\n0.3 2 4\n", "off the lattice"},
        {"0 0 1\n1 0 2\n1 0 3\n", "given twice"},
        {"5 5 1\n", "at least two columns or rows"},
        {"# only a comment\n\n", "no points"},
        {"0 0 1\n1e7 1e7 2\n0.001 0 3\n1 0 2\n", "cells"},
    };
    for (const auto& c : cases) {
        const GridReadResult read = parseGridXyz(c.text, false);
        EXPECT_FALSE(read.grid) << c.text;
        EXPECT_NE(read.error.find(c.error), std::string::npos) << read.error;
    }
    const GridReadResult commas = parseGridXyz("# e,n,z\r\n10,20,1.5\r\n11,20,2.5\r\n", false);
    ASSERT_TRUE(commas.grid) << commas.error;
    EXPECT_EQ(commas.grid->cols, 2);
}

} // namespace
} // namespace selvir::processing
