// selvirhs-tool geo: the realtime conversion on standard input, with and without a settings file.
#include "ControlPointsOracle.h"
#include "cli/Commands.h"
#include "core/ScanPattern.h"
#include "support/ProjOracle.h"
#include "support/ToolRun.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace selvir {
namespace {

namespace fs = std::filesystem;

using test::ToolRun;

ToolRun runGeo(const std::vector<std::string>& args, const std::string& input) {
    return test::runToolCommand("geo", args, input);
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        result.push_back(line);
    }
    return result;
}

class SettingsFile {
public:
    explicit SettingsFile(const std::string& text) {
        path_ = fs::temp_directory_path() / ("selvir-geo-" + std::to_string(std::random_device()()) + ".INI");
        std::ofstream(path_, std::ios::binary) << text;
    }
    ~SettingsFile() {
        std::error_code ignored;
        fs::remove(path_, ignored);
    }
    std::string path() const { return path_.string(); }

private:
    fs::path path_;
};

TEST(GeoCommand, DefaultsAreTheMainWindowsTransverseMercator) {
    const ToolRun run = runGeo({}, "41 30 0\n41 31 12.5\r\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> out = lines(run.out);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0], "500000.0000 4540573.2914 0.00000000");
    const std::vector<double> second = scanText(out[1], "%lf %lf %lf").numbers();
    ASSERT_EQ(second.size(), 3u);
    EXPECT_NEAR(second[0], 584135.789, 1e-3);
    EXPECT_NEAR(second[1], 4541055.012, 1e-3);
    EXPECT_NEAR(second[2], -0.656, 5e-4);
    // 4, 4 and 8 decimals.
    EXPECT_TRUE(std::regex_match(out[1], std::regex(R"(\d+\.\d{4} \d+\.\d{4} -\d+\.\d{8})"))) << out[1];
}

TEST(GeoCommand, LocalAddsTheLocalPosition) {
    const ToolRun run = runGeo({"--local"}, "-45.8775 170.5001 14.25\n");
    ASSERT_EQ(run.status, 0);
    const std::vector<std::string> fields = lines(run.out);
    ASSERT_EQ(fields.size(), 1u);
    const std::vector<double> values = scanText(fields[0], "%lf %lf %lf %lf %lf %lf").numbers();
    ASSERT_EQ(values.size(), 6u);
    EXPECT_NE(fields[0].find(" -45.87750000 170.50010000 14.2500"), std::string::npos) << fields[0];
}

TEST(GeoCommand, EveryLineGetsAnAnswer) {
    const ToolRun run =
        runGeo({}, "41 30\n\nforty 30 0\n41 30 0 extra\n91 30 0\n41 400 0\nnan 30 0\n41,30,0\n41 30 0\n");
    ASSERT_EQ(run.status, 0);
    const std::vector<std::string> out = lines(run.out);
    ASSERT_EQ(out.size(), 9u);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(out[i].rfind("ERR ", 0), 0u) << i << ": " << out[i];
    }
    EXPECT_EQ(out[4], "ERR latitude outside -90..90");
    EXPECT_EQ(out[5], "ERR longitude outside -180..360");
    EXPECT_EQ(out[8], "500000.0000 4540573.2914 0.00000000");
}

TEST(GeoCommand, SettingsFileChoosesTheProjection) {
    const SettingsFile settings(
        "[GEODETIC_PARAMETERS]\r\n"
        "SemiMajorAxis=6378388\r\n"
        "InverseFlattening=0.00336700336700337\r\n"
        "X_Shift        =-84.003\r\nY_Shift=-102.315\r\nZ_Shift=-129.879\r\n"
        "X_Rotation=1.0859\r\nY_Rotation=-0.3056\r\nZ_Rotation=-0.3147\r\nScale_PPM=-1.4\r\n"
        "cbUseLCCProjection=1\r\ncLambert1=0\r\n"
        "eLCCSP1=36\r\neLCCSP2=42\r\neLCCCP=39\r\neLCCM=35\r\neLCCFE=600000\r\neLCCFN=200000\r\n");
    const test::ProjOperation proj(
        "+proj=pipeline +step +proj=unitconvert +xy_in=deg +xy_out=rad +step +proj=cart +a=6378137 "
        "+f=0.0033528106647474 +step +inv +proj=helmert +x=-84.003 +y=-102.315 +z=-129.879 +rx=1.0859 "
        "+ry=-0.3056 "
        "+rz=-0.3147 +s=-1.4 +convention=coordinate_frame +exact +step +inv +proj=cart +a=6378388 "
        "+f=0.00336700336700337 +step +proj=lcc +lat_1=36 +lat_2=42 +lat_0=39 +lon_0=35 +x_0=600000 "
        "+y_0=200000 "
        "+a=6378388 +f=0.00336700336700337");
    const ToolRun run = runGeo({"--settings", settings.path(), "--local"}, "40.9876 29.1234 55.5\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<double> values = scanText(run.out, "%lf %lf %lf %lf %lf %lf").numbers();
    ASSERT_EQ(values.size(), 6u) << run.out;
    const PJ_COORD expected = proj.forward(29.1234, 40.9876, 55.5);
    EXPECT_NEAR(values[0], expected.xy.x, 1e-4);
    EXPECT_NEAR(values[1], expected.xy.y, 1e-4);
    EXPECT_GT(values[2], 0); // west of the central meridian
}

TEST(GeoCommand, UnusableSettingsStopBeforeReading) {
    const SettingsFile settings("[GEODETIC_PARAMETERS]\nCentral_Meridian=30,5\n");
    const ToolRun bad = runGeo({"--settings", settings.path()}, "41 30 0\n");
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.out, "");
    EXPECT_NE(bad.err.find("TM Parameters, Central Meridian: '30,5' is not a valid floating point value"),
              std::string::npos)
        << bad.err;

    const ToolRun missing = runGeo({"--settings", "no-such-folder/SelvirHS.INI"}, "41 30 0\n");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("cannot read the settings file"), std::string::npos);

    EXPECT_EQ(runGeo({"--settings"}, "").status, 2);
    EXPECT_EQ(runGeo({"--bogus"}, "").status, 2);
}

TEST(GeoCommand, CheckPrintsResidualsAndExitsThreeWhenTheRotationSignsLookSwapped) {
    const GeodeticParameters parameters = test::controlPointParameters(false);
    IniDocument doc;
    parameters.write(doc);
    const SettingsFile settings(doc.serialize());
    for (const char* convention : {"coordinate_frame", "position_vector"}) {
        SCOPED_TRACE(convention);
        const SettingsFile points(
            test::controlPointsCsv(test::projControlPoints(parameters, convention, 5, 9)));
        const ToolRun run = runGeo({"--settings", settings.path(), "--check", points.path()}, "");
        const bool swapped = std::string(convention) == "position_vector";
        EXPECT_EQ(run.status, swapped ? 3 : 0) << run.err;
        const std::vector<std::string> out = lines(run.out);
        ASSERT_EQ(out.size(), 7u) << run.out;
        EXPECT_TRUE(std::regex_match(out[0], std::regex(R"(CP1 -?\d+\.\d{4} -?\d+\.\d{4})"))) << out[0];
        const std::vector<double> rms = scanText(out[5], "rms %lf").numbers();
        const std::vector<double> negated = scanText(out[6], "rms_rotations_negated %lf").numbers();
        ASSERT_EQ(rms.size(), 1u) << out[5];
        ASSERT_EQ(negated.size(), 1u) << out[6];
        EXPECT_LT(swapped ? negated[0] : rms[0], 2e-3);
        EXPECT_GT(swapped ? rms[0] : negated[0], 5.0);
        EXPECT_NE(run.err.find(swapped ? "position-vector" : "fit the control points"), std::string::npos)
            << run.err;
    }
}

TEST(GeoCommand, CheckRefusesFilesItCannotRead) {
    const SettingsFile bad("name,lat,lon,h,e,n\nA,41,29,0,500000\n");
    const ToolRun unreadable = runGeo({"--check", bad.path()}, "");
    EXPECT_EQ(unreadable.status, 1);
    EXPECT_EQ(unreadable.out, "");
    EXPECT_NE(unreadable.err.find("line 2"), std::string::npos) << unreadable.err;

    const SettingsFile empty("name,lat,lon,h,e,n\n");
    EXPECT_EQ(runGeo({"--check", empty.path()}, "").status, 1);
    EXPECT_EQ(runGeo({"--check", "no-such-folder/points.csv"}, "").status, 1);
    EXPECT_EQ(runGeo({"--check", bad.path(), "--local"}, "").status, 2);
}

// The tool reads plain numbers itself and leaves the rest to the scan pattern (held to glibc by its
// own differential test): every spelling of one position, read either way, gives the same line.
TEST(GeoCommand, EverySpellingOfAPositionGivesTheSameAnswer) {
    const std::vector<std::string> spellings = {
        "40.987654321 29.123456789 12.5",
        "  40.987654321\t29.123456789   12.5  \r",
        "+40.987654321 29.123456789 12.500",
        "4.0987654321e1 2912.3456789E-2 1.25e+1",
        "0040.9876543210 29.1234567890 0000012.5",
        "40.98765432100000000000000001 29.123456789000000000000 12.5", // past 19 digits: the scanner
    };
    std::string input;
    for (const std::string& line : spellings) {
        input += line + "\n";
    }
    const ToolRun run = runGeo({"--local"}, input);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> out = lines(run.out);
    ASSERT_EQ(out.size(), spellings.size());
    for (std::size_t i = 1; i < spellings.size(); ++i) {
        EXPECT_EQ(out[i], out[0]) << spellings[i];
    }
    EXPECT_EQ(out[0].rfind("ERR", 0), std::string::npos) << out[0];
}

} // namespace
} // namespace selvir
