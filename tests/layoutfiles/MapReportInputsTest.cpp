// The title block's fields from a settings file and the soundings of a survey file.
#include "layoutfiles/MapReportInputs.h"

#include "support/TempDir.h"

#include <fstream>
#include <gtest/gtest.h>

namespace selvir {
namespace {

TEST(MapReportInputs, TheTitleBlockTakesTheOffsetsAndTheProjectionInForce) {
    test::TempDir dir;
    const auto file = dir / "SelvirHS.INI";
    // Keys padded as the offsets window writes them.
    std::ofstream(file) << "[ECHOSOUNDER_OFFSETS]\nSurveyor     =A. Surveyor\nSurveyBoat   =Selvir 3\n"
                           "SurveyLocation=Berth 4\n[GEODETIC_PARAMETERS]\nName of Datum=ED50\n"
                           "Central_Meridian=27\nScale_Factor=0.9996\n";
    MapTitle title = readMapTitle(ProfileStore(file), LocalDate{2026, 3, 5});
    EXPECT_EQ(title.date, "2026-03-05");
    EXPECT_EQ(title.surveyor, "A. Surveyor");
    EXPECT_EQ(title.vessel, "Selvir 3");
    EXPECT_EQ(title.location, "Berth 4");
    EXPECT_EQ(title.datum, "ED50");
    EXPECT_EQ(title.projection, "Transverse Mercator, CM 27, lat0 0, k0 0.9996, FE 500000, FN 0");

    std::ofstream(file, std::ios::app)
        << "cbUseLCCProjection=1\neLCCSP1=36\neLCCSP2=42\neLCCCP=39\neLCCM=35\n";
    title = readMapTitle(ProfileStore(file), LocalDate{2026, 3, 5});
    EXPECT_EQ(title.projection, "Lambert conformal conic, SP 36 and 42, lat0 39, CM 35, FE 0, FN 0");
}

TEST(MapReportInputs, SoundingsAreTheRowsWithAGridPosition) {
    test::TempDir dir;
    const auto file = dir / "2026-03-05 Coordinates.csv";
    std::ofstream(file)
        << "Date,Lat,Lon,Easting,Northing,Elevation (Hi),Elevation (Lo),True Depth (Hi),True Depth (Lo),"
           "Raw Depth (Hi),Raw Depth (Lo),Message Format,Sound Velocity,Transducer Draft,GPS, RTK "
           "Antenna Height,Manual Tide,RTK Tide\r\n"
           "2026-03-05 090000000,41,29,451200.50,4512300.25,-12.30,0,12.30,0,12.4,0,Selvir SMT,1500,0.5,"
           "4,10,0,0\r\n"
           "2026-03-05 090001000,,,,,-9.00,0,9.00,0,9,0,Selvir SMT,1500,0.5,0,10,0,0\r\n"
           "a line that is no row\r\n"
           "2026-03-05 090002000,41,29,451210.00,4512310.00,-20.00,0,x,0,20,0,Selvir SMT,1500,0.5,4,10,"
           "0,0\r\n";
    const SurveySoundings read = readSurveySoundings(file);
    ASSERT_TRUE(read.ok());
    ASSERT_EQ(read.soundings.size(), 1u);
    EXPECT_DOUBLE_EQ(read.soundings[0].easting, 451200.50);
    EXPECT_DOUBLE_EQ(read.soundings[0].northing, 4512300.25);
    EXPECT_DOUBLE_EQ(read.soundings[0].depthM, 12.30);
    EXPECT_EQ(read.rowsWithoutPosition, 1);
    EXPECT_EQ(read.unreadableRows, 2);
    EXPECT_FALSE(readSurveySoundings(dir / "missing.csv").ok());
}

} // namespace
} // namespace selvir
