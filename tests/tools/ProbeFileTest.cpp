#include "tools/ProbeFile.h"

#include "tools/SvpCasts.h"
#include "tools/SvpSteps.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace selvir {
namespace {

// The whole way of a real cast, as the window's three buttons take it (down cast, surface, 200 m).
std::vector<double> svColumnOf(ProbeCast cast) {
    keepDownCast(cast.samples);
    extendToSurface(cast.samples);
    const RawExtraction raw = extractRawValues(cast.samples);
    const SvColumn column = buildSvColumn(averageIntoBins(raw.lines, 200).lines, 200);
    std::vector<double> out;
    for (const std::string& line : column.lines) {
        out.push_back(std::stod(line));
    }
    return out;
}

struct RealCast {
    const char* file;
    ProbeFormat format;
    const char* depthFrom;
    const char* velocityFrom;
    bool depthFromPressure;
    bool velocityComputed;
    LatitudeSource latitudeSource;
    double latitudeDeg;
};

// Each of the ten real casts: recognised by its header, its columns taken by name, and a SV column in
// the range of sea water (1400 … 1560 m/s) for all 200 m.
TEST(ProbeFile, EveryRealCastGivesAPlausibleColumn) {
    const RealCast casts[] = {
        // Sea-Bird .cnv
        {"seabird_SK287_CTD05.cnv", ProbeFormat::SeaBirdCnv, "depSM", "svCM", false, false,
         LatitudeSource::File, -(2 + 26.71 / 60)},
        {"seabird_sta0860.cnv", ProbeFormat::SeaBirdCnv, "prDM", "svCM", true, false, LatitudeSource::File,
         -(25 + 27.85 / 60)},
        {"seabird_missing_whitespace.cnv", ProbeFormat::SeaBirdCnv, "depSM", "svCM", false, false,
         LatitudeSource::File, 51 + 34.21 / 60},
        {"seabird_Hotin.cnv", ProbeFormat::SeaBirdCnv, "depSM", "tv290C, sal00, prdM", false, true,
         LatitudeSource::File, 48.38},
        {"CTD_with_sigma_e00.cnv", ProbeFormat::SeaBirdCnv, "prDM", "t068C, sal00, prDM", true, true,
         LatitudeSource::File, 39 + 16.23 / 60},
        // Valeport
        {"valeport_swift_VL_68630_190312155825.vp2", ProbeFormat::ValeportVp2, "Depth", "Sound Velocity",
         false, false, LatitudeSource::File, 38.332202911377},
        {"valeport_rapidsvt_V000007.TXT", ProbeFormat::ValeportRapidSvt, "Pressure", "Sound Velocity", true,
         false, LatitudeSource::File, 59.299999},
        // SonTek CastAway
        {"castaway_data.csv", ProbeFormat::CastAwayCsv, "Depth (Meter)", "Sound velocity (Meters per Second)",
         false, false, LatitudeSource::File, -36.2199169},
        // Sippican/Lockheed MK21 (the XCTD file has an empty latitude)
        {"XBT.EDF", ProbeFormat::Mk21Edf, "Depth (m)", "Sound Velocity (m/s)", false, false,
         LatitudeSource::File, -(19 + 43.04883 / 60)},
        {"C3_00005.edf", ProbeFormat::Mk21Edf, "Depth (m)", "Sound Velocity (m/s)", false, false,
         LatitudeSource::Default, kDefaultLatitudeDeg},
    };
    for (const RealCast& expected : casts) {
        SCOPED_TRACE(expected.file);
        const ProbeReadResult read = readProbeFile(test::castLines(expected.file));
        ASSERT_TRUE(read.recognised);
        ASSERT_EQ(read.fault, ProbeReadResult::Fault::None);
        const ProbeCast& cast = read.cast;
        EXPECT_EQ(cast.format, expected.format);
        EXPECT_EQ(cast.depthFrom, expected.depthFrom);
        EXPECT_EQ(cast.velocityFrom, expected.velocityFrom);
        EXPECT_EQ(cast.depthFromPressure, expected.depthFromPressure);
        EXPECT_EQ(cast.velocityComputed, expected.velocityComputed);
        EXPECT_EQ(cast.latitudeSource, expected.latitudeSource);
        EXPECT_NEAR(cast.latitudeDeg, expected.latitudeDeg, 1e-6);
        ASSERT_GE(cast.samples.size(), 10u);

        const std::vector<double> column = svColumnOf(cast);
        ASSERT_EQ(column.size(), 200u);
        EXPECT_GT(*std::min_element(column.begin(), column.end()), 1400.0);
        EXPECT_LT(*std::max_element(column.begin(), column.end()), 1560.0);
    }
}

TEST(ProbeFile, SeaBirdColumnAgreesWithTheFilesOwnWaterColumnMean) {
    // sta0860 carries Sea-Bird's own average sound velocity from the surface ("avgsvCM"): the SV
    // column at each sample's metre must match it.
    const std::vector<std::string> lines = test::castLines("seabird_sta0860.cnv");
    const ProbeReadResult read = readProbeFile(lines);
    const std::vector<double> column = svColumnOf(read.cast);
    const auto table = readProbeTable(lines);
    ASSERT_TRUE(table && column.size() == 200u);
    ASSERT_EQ(table->columns[10].name, "avgsvCM");
    int compared = 0;
    for (const ProbeSample& sample : read.cast.samples) {
        const auto row = std::find_if(table->rows.begin(), table->rows.end(),
                                      [&](const ProbeTable::Row& r) { return r.line == sample.line; });
        const long metre = std::lround(sample.depthM);
        if (row != table->rows.end() && row->values[10] && metre < 200) {
            EXPECT_NEAR(column[static_cast<std::size_t>(metre)], *row->values[10], 0.05) << sample.depthM;
            ++compared;
        }
    }
    EXPECT_GE(compared, 80);
}

TEST(ProbeFile, DownAndUpCastKeepsTheDownCast) {
    // The RapidSVT cast goes down to about 45 m and back up; its last sample reads 0000.000 m/s.
    ProbeCast cast = readProbeFile(test::castLines("valeport_rapidsvt_V000007.TXT")).cast;
    const ProbeSample last = cast.samples.back();
    EXPECT_EQ(last.soundVelocityMs, 0.0);
    const auto deepest =
        std::max_element(cast.samples.begin(), cast.samples.end(),
                         [](const ProbeSample& a, const ProbeSample& b) { return a.depthM < b.depthM; });
    const int deepestLine = deepest->line;
    const std::size_t whole = cast.samples.size();

    std::vector<ProbeSample> downCast = cast.samples;
    const int dropped = keepDownCast(downCast);
    EXPECT_EQ(downCast.back().line, deepestLine);
    EXPECT_EQ(downCast.size() + static_cast<std::size_t>(dropped), whole);
    EXPECT_GT(dropped, 50);
    EXPECT_EQ(extractRawValues(downCast).refused, 0);

    // The whole cast asks about the up cast's last sample, by its line in the file.
    std::vector<std::pair<double, int>> asked;
    const RawExtraction raw = extractRawValues(cast.samples, [&](double velocity, int line) {
        asked.emplace_back(velocity, line);
        return OutOfRangeAnswer::Skip;
    });
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], std::make_pair(0.0, last.line));
    EXPECT_EQ(raw.lines.size(), whole - 1);
}

TEST(ProbeFile, ColumnsThatRunTogetherAreCutAtTheFilesWidth) {
    const std::vector<std::string> lines = test::castLines("seabird_missing_whitespace.cnv");
    const auto table = readProbeTable(lines);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->unreadableRows, 0);
    int runTogether = 0;
    for (const auto& row : table->rows) {
        const std::string& line = lines[static_cast<std::size_t>(row.line - 1)];
        if (line.find("13.5181-218.764914") != std::string::npos) {
            ++runTogether;
            EXPECT_EQ(row.values[1], 13.5181);
            EXPECT_EQ(row.values[2], -218.764914);
            EXPECT_EQ(row.values[12], 1460.66); // svCM, further along the same line
        }
    }
    EXPECT_EQ(runTogether, 1);
}

TEST(ProbeFile, LatitudeFromTheFileThenTheLastFixThenDefault) {
    const std::vector<std::string> noLatitude = test::castLines("C3_00005.edf");
    EXPECT_EQ(readProbeFile(noLatitude, 41.02).cast.latitudeSource, LatitudeSource::LastFix);
    EXPECT_EQ(readProbeFile(noLatitude, 41.02).cast.latitudeDeg, 41.02);
    const ProbeCast fromFile = readProbeFile(test::castLines("XBT.EDF"), 41.02).cast;
    EXPECT_EQ(fromFile.latitudeSource, LatitudeSource::File);
    EXPECT_LT(fromFile.latitudeDeg, 0);

    // Pressure to depth follows the latitude used: deeper at the equator than at the pole.
    std::vector<std::string> rapid = test::castLines("valeport_rapidsvt_V000007.TXT");
    std::erase_if(rapid, [](const std::string& line) { return line.starts_with("Latitude:"); });
    const ProbeCast equator = readProbeFile(rapid, 0.0).cast;
    const ProbeCast pole = readProbeFile(rapid, 89.0).cast;
    EXPECT_EQ(equator.latitudeSource, LatitudeSource::LastFix);
    EXPECT_GT(equator.samples[20].depthM, pole.samples[20].depthM);
}

TEST(ProbeFile, LatitudeTexts) {
    const struct {
        const char* text;
        std::optional<double> degrees;
    } cases[] = {
        {"38.332202911377", 38.332202911377},
        {"-36.2199169", -36.2199169},
        {"39 16.23 N", 39 + 16.23 / 60},
        {"02 26.71 S", -(2 + 26.71 / 60)},
        {"19 43.04883S", -(19 + 43.04883 / 60)},
        {"", std::nullopt},
        {"95", std::nullopt},
        {"12 75.0 N", std::nullopt},
        {"north", std::nullopt},
    };
    for (const auto& c : cases) {
        const auto got = parseLatitudeText(c.text);
        ASSERT_EQ(got.has_value(), c.degrees.has_value()) << c.text;
        if (got) {
            EXPECT_NEAR(*got, *c.degrees, 1e-12) << c.text;
        }
    }
}

TEST(ProbeFile, OtherFilesAreNotProbeFilesAndMissingColumnsAreSaid) {
    EXPECT_FALSE(readProbeFile({"Depth;Temp;SV", "1.0;12.5;1500.2"}).recognised);
    std::string nmea;
    ASSERT_TRUE(readWholeFile(std::string(SELVIR_TEST_DATA_DIR) + "/nmea/gpsd_sounder.log", nmea));
    EXPECT_FALSE(readProbeFile(probeFileLines(nmea)).recognised);

    // A Sea-Bird file with neither velocity nor salinity.
    const ProbeReadResult noVelocity =
        readProbeFile({"# name 0 = prDM: Pressure [db]", "# name 1 = t090C: Temperature [ITS-90, deg C]",
                       "*END*", "      1.000    12.0000"});
    EXPECT_TRUE(noVelocity.recognised);
    EXPECT_EQ(noVelocity.fault, ProbeReadResult::Fault::NoVelocityNorTemperatureSalinity);
}

TEST(ProbeFile, ComputedVelocitiesOnlyWithinTheFormulasRange) {
    // Hotin's first scan is taken in air (salinity -3.9): no velocity is made up for it.
    const ProbeReadResult hotin = readProbeFile(test::castLines("seabird_Hotin.cnv"));
    EXPECT_EQ(hotin.cast.unusableRows, 1);
    EXPECT_GT(hotin.cast.samples.front().depthM, 0.4);
}

TEST(ProbeFile, SurfaceTakesTheShallowestGoodSample) {
    std::vector<ProbeSample> samples = {{10, 3.9, 1540.41}, {11, 2.5, 9000.0}, {12, 4.2, 1540.3}};
    EXPECT_EQ(extendToSurface(samples), 3.9);
    ASSERT_EQ(samples.size(), 4u);
    EXPECT_EQ(samples.front().depthM, 0.0);
    EXPECT_EQ(samples.front().soundVelocityMs, 1540.41);
    std::vector<ProbeSample> atSurface = {{1, 0.3, 1500.0}, {2, 1.2, 1501.0}};
    EXPECT_EQ(extendToSurface(atSurface), std::nullopt);
    EXPECT_EQ(atSurface.size(), 2u);
}

} // namespace
} // namespace selvir
