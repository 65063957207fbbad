#include "tools/SvpSteps.h"

#include "navigation/DepthReduction.h"
#include "tools/SvpAutoDetect.h"
#include "tools/SvpTexts.h"

#include <gtest/gtest.h>

namespace selvir {
namespace {

std::vector<std::string> lines(std::initializer_list<const char*> texts) {
    return {texts.begin(), texts.end()};
}

TEST(SvpSteps, SearchStringReadsDepthAndVelocityInEitherOrder) {
    // The default search string skips a 23-character word (a time stamp without blanks).
    const RawExtraction svFirst = extractRawValues(
        lines({"2024-05-01T10:00:00.000 1510.1234,12.4", "no numbers here"}), kDefaultSearchString, true);
    EXPECT_EQ(svFirst.lines, lines({"12,1510.123"}));
    const RawExtraction depthFirst =
        extractRawValues(lines({"12.4;1510.1234", "12.6;1500", "-0.3;1499.9", "7;"}), "%lf;%lf", false);
    EXPECT_EQ(depthFirst.lines, lines({"12,1510.123", "13,1500.000", "0,1499.900"}));
    EXPECT_FALSE(extractRawValues(lines({"1,2"}), "%lf,%n", true).patternError.empty());
}

// A sample's metre in the raw table is the metre the depth reduction looks the same depth up in: one
// rule, halves going down (12.5 m is metre 13, not 12 as rounding half to even would have it).
TEST(SvpSteps, RawValuesFallInTheMetreTheDepthLookupTakes) {
    std::vector<double> byMetre;
    for (int k = 0; k < 20; ++k) {
        byMetre.push_back(1400 + k); // metre k reads 1400 + k m/s
    }
    const SoundVelocityProfile profile(byMetre);
    struct Case {
        double depthM;
        int metre; // worked by hand: the nearest whole metre, a half going down
    };
    const Case cases[] = {
        {0.5, 1}, {1.5, 2}, {2.5, 3}, {12.5, 13}, {12.49, 12}, {12.51, 13}, {0.49999999999999994, 0},
        {0.2, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.depthM);
        const std::string line = rawValueLine(c.depthM, 1500);
        EXPECT_EQ(line.substr(0, line.find(',')), std::to_string(c.metre));
        EXPECT_EQ(profile.velocityFor(c.depthM).velocity, 1400 + c.metre);
    }
}

TEST(SvpSteps, OutOfRangeSamplesAreAskedAboutWithTheirLine) {
    const auto source = lines({"0,1349.9", "1,1350", "2,1600", "3,1600.01", "4,1500", "5,1700", "6,1490"});
    struct Case {
        std::vector<OutOfRangeAnswer> answers;
        std::vector<std::pair<double, int>> asked;
        std::vector<std::string> kept;
        bool stopped;
    };
    const Case cases[] = {
        {{OutOfRangeAnswer::Skip, OutOfRangeAnswer::Skip, OutOfRangeAnswer::Skip},
         {{1349.9, 1}, {1600.01, 4}, {1700, 6}},
         {"1,1350.000", "2,1600.000", "4,1500.000", "6,1490.000"},
         false},
        {{OutOfRangeAnswer::SkipAll},
         {{1349.9, 1}},
         {"1,1350.000", "2,1600.000", "4,1500.000", "6,1490.000"},
         false},
        {{OutOfRangeAnswer::Skip, OutOfRangeAnswer::Stop},
         {{1349.9, 1}, {1600.01, 4}},
         {"1,1350.000", "2,1600.000"},
         true},
    };
    for (const Case& c : cases) {
        std::vector<std::pair<double, int>> asked;
        const RawExtraction raw = extractRawValues(source, "%lf,%lf", false, [&](double velocity, int line) {
            asked.emplace_back(velocity, line);
            return c.answers[asked.size() - 1];
        });
        EXPECT_EQ(asked, c.asked);
        EXPECT_EQ(raw.lines, c.kept);
        EXPECT_EQ(raw.stopped, c.stopped);
    }
    // Without a question (the command line) they are skipped and counted.
    EXPECT_EQ(extractRawValues(source, "%lf,%lf", false).refused, 3);
    EXPECT_EQ(
        svptext::sampleOutOfRange(1349.9, 1, false),
        "Value exceeds SV range! Please correct 1349.9 value at line 1 in source file. This line will be "
        "skipped.");
}

TEST(SvpSteps, AveragingPerMetre) {
    Averaging averaged = averageIntoBins(lines({"5,1500.000", "5,1502.000", "5,1504.000", "0,1510.000"}), 10);
    ASSERT_EQ(averaged.lines.size(), 10u);
    EXPECT_EQ(averaged.lines[5], "5,1502.00,3");
    EXPECT_EQ(averaged.lines[0], "0,1510.00,1");
    EXPECT_EQ(averaged.lines[3], ""); // a bin without samples
    EXPECT_EQ(averaged.lines[9], "9,1502.00,0");
    EXPECT_EQ(averaged.deepestBin, 5);

    // Deepest sample at 50 m, Max Depth 200: the bins below repeat it with count 0; samples beyond
    // Max Depth and above the surface are left out.
    averaged =
        averageIntoBins(lines({"0,1500.000", "50,1488.250", "200,1480.000", "-1,1500.000", "garbage"}), 200);
    for (int k = 51; k < 200; ++k) {
        EXPECT_EQ(averaged.lines[static_cast<std::size_t>(k)], std::to_string(k) + ",1488.25,0");
    }
    EXPECT_EQ(averaged.droppedSamples, 3);

    // Means are exact, not rounded sample by sample: 1500.006, 1500.006 and 1500.000 average 1500.004
    // (rounding the running mean to 1500.01 after two samples would end at 1500.01).
    averaged = averageIntoBins(lines({"1,1500.006", "1,1500.006", "1,1500.000"}), 2);
    EXPECT_EQ(averaged.lines[1], "1,1500.00,3");
}

TEST(SvpSteps, ColumnIsTheMeanFromTheSurface) {
    const SvColumn uniform =
        buildSvColumn(averageIntoBins(lines({"0,1500.000", "7,1500.000"}), 30).lines, 30);
    EXPECT_EQ(uniform.lines, std::vector<std::string>(30, "1500.00"));

    // 1500, 1510, 1520: running means 1500, 1505, 1510; below the deepest bin its velocity holds.
    const SvColumn column = buildSvColumn(lines({"0,1500.00,1", "1,1510.00,2", "2,1520.00,1"}), 4);
    EXPECT_EQ(column.lines, lines({"1500.00", "1505.00", "1510.00", "1512.50"}));
}

TEST(SvpSteps, EmptyBinsCountAsMetresAtTheInterpolatedVelocity) {
    // Bin 1 empty between 1500 and 1520: it counts as one metre at 1510.
    const auto expected = lines({"1500.00", "1505.00", "1510.00"});
    SvColumn column = buildSvColumn(lines({"0,1500.00,1", "", "2,1520.00,1"}), 3);
    EXPECT_EQ(column.lines, expected);
    EXPECT_EQ(column.interpolatedBins, 1);
    // The same bins after a graph edit deleted a point: no empty line, the depths say where they are.
    column = buildSvColumn(lines({"0,1500.00,1", "2,1520.00,1"}), 3);
    EXPECT_EQ(column.lines, expected);
}

TEST(SvpSteps, ColumnFaults) {
    SvColumn column = buildSvColumn(lines({"", "1,1500.00,1"}), 5);
    EXPECT_EQ(column.fault, SvColumn::Fault::SurfaceBinEmpty);
    EXPECT_TRUE(column.lines.empty());

    // A velocity of 1700 at bin 3 is out of range: no partial column remains.
    column = buildSvColumn(lines({"0,1500.00,1", "1,1500.00,1", "2,1500.00,1", "3,1700.00,1"}), 5);
    EXPECT_EQ(column.fault, SvColumn::Fault::OutOfRange);
    EXPECT_EQ(column.faultBin, 3);
    EXPECT_TRUE(column.lines.empty());
    // The running mean is checked too: 1301 at the surface is fine, 1300 is not.
    EXPECT_EQ(buildSvColumn(lines({"0,1301.00,1"}), 2).fault, SvColumn::Fault::None);
    EXPECT_EQ(buildSvColumn(lines({"0,1300.00,1"}), 2).faultBin, 0);
}

TEST(SvpSteps, MaxDepthMustBeAWholeNumberOfMetres) {
    EXPECT_EQ(parseMaxDepth("200"), 200);
    EXPECT_EQ(parseMaxDepth(" 12 "), 12);
    EXPECT_EQ(parseMaxDepth(std::to_string(kMaxDepthLimit)), kMaxDepthLimit);
    for (const char* bad : {"12.5", "abc", "", "0", "-5", "1e3", "99999999999"}) {
        EXPECT_EQ(parseMaxDepth(bad), std::nullopt) << bad;
    }
}

TEST(SvpAutoDetect, HeaderGivesASearchStringThatReadsTheData) {
    struct Case {
        std::vector<std::string> source;
        const char* searchString;
        bool velocityFirst;
        int headerLine, velocityColumn, depthColumn;
        std::vector<std::string> raw; // what the built string reads from the data lines
    };
    const Case cases[] = {
        {{"Depth;Temp;SV", "12.4;11.2;1510.1234"}, "%lf;%*[^;];%lf", false, 1, 3, 1, {"12,1510.123"}},
        {{"# cast 7", "Time\tSound Velocity (m/s)\tTemp\tPressure", "10:00:01\t1480.5\t9.1\t3.2"},
         "%*[^\t]\t%lf\t%*[^\t]\t%lf",
         true,
         2,
         2,
         4,
         {"3,1480.500"}},
        {{"DEPTH,SV", "0,1500", "SV,Depth", "1520,4"}, "%lf,%lf", true, 3, 1, 2, {"4,1520.000"}},
    };
    for (const Case& c : cases) {
        const SearchStringDetection found = detectSearchString(c.source);
        ASSERT_TRUE(found.found) << c.searchString;
        EXPECT_EQ(found.searchString, c.searchString);
        EXPECT_EQ(found.velocityFirst, c.velocityFirst);
        EXPECT_EQ(found.headerLine, c.headerLine);
        EXPECT_EQ(found.velocityColumn, c.velocityColumn);
        EXPECT_EQ(found.depthColumn, c.depthColumn);
        EXPECT_EQ(extractRawValues(c.source, found.searchString, found.velocityFirst).lines, c.raw);
    }
    EXPECT_FALSE(detectSearchString(lines({"Temperature,Salinity", "12,35"})).found);
    EXPECT_FALSE(detectSearchString({}).found);
}

} // namespace
} // namespace selvir
