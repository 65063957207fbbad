#include "tools/Seawater.h"

#include "tools/ProbeFile.h"
#include "tools/SvpCasts.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <map>

namespace selvir {
namespace {

TEST(Seawater, UnescoCheckValues) {
    // UNESCO Technical Papers in Marine Science 44 (1983): DEPTH and SVEL check values.
    EXPECT_NEAR(depthFromPressure(10000, 30), 9712.653, 0.0005);
    EXPECT_NEAR(chenMilleroSoundSpeed(40, 40, 10000), 1731.995, 0.0005);
}

TEST(Seawater, PressureFromDepthIsTheInverse) {
    for (double latitude : {0.0, 38.3, -59.3, 89.0}) {
        for (double pressure : {0.0, 0.5, 45.2, 1000.0, 6000.0}) {
            const double depth = depthFromPressure(pressure, latitude);
            EXPECT_NEAR(pressureFromDepth(depth, latitude), pressure, 1e-6) << latitude << " " << pressure;
        }
    }
}

const ProbeColumn* named(const ProbeTable& table, const std::string& name, std::size_t* index) {
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
        if (table.columns[i].name == name) {
            *index = i;
            return &table.columns[i];
        }
    }
    return nullptr;
}

// The Sea-Bird files carry their own software's results: "svCM" (Chen-Millero from the same
// temperature, salinity and pressure) and "depSM" (UNESCO depth at the file's latitude). The cast is
// read with its velocity column hidden, so the program must compute every velocity itself.
struct SeaBirdOracle {
    const char* file;
    const char* pressureColumn;
    const char* depthColumn; // nullptr: the file has none
};

TEST(Seawater, SeaBirdFilesOwnColumnsAgreeWithTheComputation) {
    const SeaBirdOracle files[] = {
        {"seabird_SK287_CTD05.cnv", "prDM", "depSM"},        // ITS-90 temperature, NMEA latitude
        {"seabird_sta0860.cnv", "prDM", nullptr},            // IPTS-68 temperature
        {"seabird_missing_whitespace.cnv", "prdM", "depSM"}, // columns run together on some lines
    };
    for (const SeaBirdOracle& oracle : files) {
        SCOPED_TRACE(oracle.file);
        const std::vector<std::string> lines = test::castLines(oracle.file);
        const auto table = readProbeTable(lines);
        ASSERT_TRUE(table && table->latitudeDeg);
        std::size_t sv = 0, pressure = 0, depth = 0;
        ASSERT_TRUE(named(*table, "svCM", &sv) && named(*table, oracle.pressureColumn, &pressure));
        const bool hasDepth = oracle.depthColumn && named(*table, oracle.depthColumn, &depth);
        std::map<int, double> fileVelocity;
        double worstDepthM = 0;
        for (const auto& row : table->rows) {
            if (row.values[sv]) {
                fileVelocity[row.line] = *row.values[sv];
            }
            if (hasDepth && row.values[depth] && row.values[pressure]) {
                worstDepthM = std::max(
                    worstDepthM, std::abs(depthFromPressure(*row.values[pressure], *table->latitudeDeg) -
                                          *row.values[depth]));
            }
        }
        EXPECT_LT(worstDepthM, 0.002); // depSM is written with 3 decimals

        std::vector<std::string> hidden = lines;
        for (std::string& line : hidden) {
            if (line.find("= svCM:") != std::string::npos) {
                line.replace(line.find("svCM"), 4, "xxCM");
            }
        }
        const ProbeReadResult computed = readProbeFile(hidden);
        ASSERT_TRUE(computed.recognised && computed.cast.velocityComputed);
        std::size_t compared = 0;
        double worstVelocity = 0;
        for (const ProbeSample& sample : computed.cast.samples) {
            const auto stated = fileVelocity.find(sample.line);
            if (stated != fileVelocity.end()) {
                worstVelocity = std::max(worstVelocity, std::abs(sample.soundVelocityMs - stated->second));
                ++compared;
            }
        }
        // svCM is printed with 2 decimals; 0.01 m/s still tells ITS-90 from IPTS-68 (0.02 m/s at 29 °C).
        EXPECT_LT(worstVelocity, 0.01);
        EXPECT_GE(compared, 10u);
    }
}

} // namespace
} // namespace selvir
