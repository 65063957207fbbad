#include "navigation/GeodesySessionLog.h"

#include "core/AtomicFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace selvir {
namespace {

// Keys the file lacks are logged with the values the chain uses for them.
TEST(GeodesySessionLog, TwoSessionsUnderOneHeader) {
    test::TempDir dir;
    ProfileStore settings(dir / "SelvirHS.INI");
    settings.update([](IniDocument& doc) {
        doc.setValue("GEODETIC_PARAMETERS", "SemiMajorAxis", "6378388");
        doc.setValue("GEODETIC_PARAMETERS", "InverseFlattening", "297");
        doc.setValue("GEODETIC_PARAMETERS", "Name of Datum", "ED50");
        doc.setValue("GEODETIC_PARAMETERS", "Use DTP", "1");
        doc.setValue("GEODETIC_PARAMETERS", "X_Rotation", "0.1");
        doc.setValue("GEODETIC_PARAMETERS", "Y_Rotation", "-0.2");
        doc.setValue("GEODETIC_PARAMETERS", "Z_Rotation", "0.3");
        doc.setValue("GEODETIC_PARAMETERS", "Use Projection", "0");
        doc.setValue("GEODETIC_PARAMETERS", "Central_Meridian", "27");
    });
    ManualClock clock(LocalDateTime{{2026, 3, 5}, 8, 0, 0, 5});
    const DataFolders folders(dir / "GVX", LocalDate{2026, 3, 5});
    const GeodeticParameters inForce = GeodeticParameters::read(settings);
    ASSERT_TRUE(writeGeodesySession(folders, inForce, clock));
    clock.advanceMs(3'600'000);
    ASSERT_TRUE(writeGeodesySession(folders, inForce, clock));

    std::string text;
    ASSERT_TRUE(readWholeFile(folders.geodesyLog(LocalDate{2026, 3, 5}), text));
    const std::string lb(kLineBreak);
    const std::string header = "GEODETIC PARAMETERS LOG - 2026-03-05" + lb + std::string(40, '=') + lb + lb;
    ASSERT_EQ(text.substr(0, header.size()), header);
    EXPECT_EQ(text.find("GEODETIC PARAMETERS LOG", 1), std::string::npos);
    const std::string first =
        "=== SESSION START: 080000005 ===" + lb + lb + "--- ELLIPSOID ---" + lb + "Semi-Major Axis: 6378388" +
        lb + "Inverse Flattening: 297" + lb + lb + "--- DATUM TRANSFORMATION ---" + lb +
        "Name of Datum: ED50" + lb + "Use DTP: Yes" + lb + "X/Y/Z Rotation: 0.1, -0.2, 0.3" + lb +
        "X/Y/Z Shift: 0, 0, 0" + lb + "Scale PPM: 0" + lb + lb + "--- TRANSVERSE MERCATOR ---" + lb +
        "Use TM: No" + lb + "CM: 27, Ref Lat: 0, SF: 1" + lb + "FE: 500000, FN: 0" + lb + lb +
        "--- LAMBERT CONFORMAL CONIC ---" + lb + "Use LCC: No" + lb + "SP1: 40, SP2: 50" + lb +
        "CP: 45, CM: 0" + lb + "FE: 0, FN: 0" + lb + lb + std::string(40, '-') + lb + lb;
    EXPECT_EQ(text.substr(header.size(), first.size()), first);
    EXPECT_NE(text.find("=== SESSION START: 090000005 ==="), std::string::npos);
    EXPECT_EQ(text.size(), header.size() + 2 * first.size());
}

} // namespace
} // namespace selvir
