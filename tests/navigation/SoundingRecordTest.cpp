#include "navigation/SoundingRecord.h"

#include "support/MissingOracle.h"

#include <clocale>
#include <cstring>
#include <gtest/gtest.h>
#include <locale>
#include <sstream>

namespace selvir {
namespace {

SoundingRecord fullRecord() {
    SoundingRecord r;
    r.time = {{2026, 4, 7}, 10, 0, 0, 150};
    r.latitudeDeg = 41.012345678;
    r.longitudeDeg = -29.000000001;
    r.eastingM = 412345.6784;
    r.northingM = 4540123.0004;
    r.headingDeg = 359.994;
    r.fixQuality = 4;
    r.rawDepthM = 12.3456;
    r.soundVelocityMps = 1500.125;
    r.svSource = "profile";
    r.draftM = 0.5;
    r.depthM = 12.8456;
    r.waterLevelM = -0.4;
    r.waterLevelSource = "rtk";
    r.ellipsoidalHeightM = 38.1234;
    r.geoidUndulationM = 36.9;
    r.latencyMs = -20;
    r.depthBelowDatumM = 13.2456;
    r.flags = "line=3 stale_depth";
    return r;
}

// The row as the record's columns define it: degrees with 9 decimals, metres with 3, heading and
// velocity with 2, a missing term empty.
TEST(SoundingRecord, RowHoldsEveryTermInItsColumnAndFormat) {
    EXPECT_EQ(formatSoundingRow(fullRecord()),
              "2026-04-07T10:00:00.150,41.012345678,-29.000000001,412345.678,4540123.000,359.99,4,12.346,"
              "1500.12,profile,0.500,12.846,-0.400,rtk,38.123,36.900,-20,13.246,line=3 stale_depth");
    SoundingRecord sparse;
    sparse.time = {{2026, 12, 31}, 23, 59, 59, 5};
    sparse.depthM = 7.0;
    sparse.flags = "no_position no_water_level";
    EXPECT_EQ(formatSoundingRow(sparse),
              "2026-12-31T23:59:59.005,,,,,,,,,,,7.000,,,,,,,no_position no_water_level");
    EXPECT_EQ(std::count(kSoundingRecordHeader.begin(), kSoundingRecordHeader.end(), ','), 18);
}

TEST(SoundingRecord, RowsReadBackAsWritten) {
    SoundingRecord sparse;
    sparse.time = {{2024, 2, 29}, 0, 0, 0, 0};
    sparse.depthM = 3.25;
    SoundingRecord noisyText = fullRecord();
    noisyText.svSource = "a,b";
    noisyText.flags = "x\"y\nz";
    for (const SoundingRecord& written : {fullRecord(), sparse, noisyText}) {
        SoundingRecord read;
        SoundingRowError error;
        ASSERT_TRUE(parseSoundingRow(formatSoundingRow(written), SoundingColumns::standard(), read, error))
            << error.message();
        // Numbers come back as written to their decimals.
        EXPECT_EQ(formatSoundingRow(read), formatSoundingRow(written));
        EXPECT_EQ(read.time, written.time);
        EXPECT_EQ(read.depthM.has_value(), written.depthM.has_value());
        EXPECT_EQ(read.latitudeDeg.has_value(), written.latitudeDeg.has_value());
    }
    SoundingRecord read;
    SoundingRowError error;
    ASSERT_TRUE(parseSoundingRow(formatSoundingRow(noisyText), SoundingColumns::standard(), read, error));
    EXPECT_EQ(read.svSource, "a_b");
    EXPECT_EQ(read.flags, "x_y_z");
}

TEST(SoundingRecord, RowWrittenUnderADecimalCommaLocaleReadsBack) {
    const char* chosen = nullptr;
    for (const char* name : {"tr_TR.UTF-8", "de_DE.UTF-8", "fr_FR.UTF-8"}) {
        chosen = std::setlocale(LC_ALL, name);
        if (chosen != nullptr && std::strcmp(std::localeconv()->decimal_point, ",") == 0) {
            break;
        }
        chosen = nullptr;
    }
    struct BackToClassic {
        ~BackToClassic() {
            std::setlocale(LC_ALL, "C");
            std::locale::global(std::locale::classic());
        }
    } backToClassic;
    if (chosen == nullptr) {
        SELVIR_ORACLE_MISSING("no decimal-comma locale (tr_TR.UTF-8, de_DE.UTF-8, fr_FR.UTF-8): "
                              "scripts/deps.sh generates the first two");
    }
    std::locale::global(std::locale(chosen));
    const std::string row = formatSoundingRow(fullRecord());
    std::setlocale(LC_ALL, "C");
    std::locale::global(std::locale::classic());
    SoundingRecord read;
    SoundingRowError error;
    ASSERT_TRUE(parseSoundingRow(row, SoundingColumns::standard(), read, error)) << chosen << ": " << row;
    EXPECT_EQ(formatSoundingRow(read), formatSoundingRow(fullRecord()));
    EXPECT_DOUBLE_EQ(*read.latitudeDeg, 41.012345678);
}

TEST(SoundingRecord, TimesOfTheTimeColumn) {
    const struct {
        const char* text;
        bool valid;
        int millisecond;
    } cases[] = {
        {"2026-04-07T10:00:00.150", true, 150}, {"2026-04-07T10:00:00", true, 0},
        {"2026-04-07T10:00:00.5", true, 500},   {"2026-04-07T10:00:00.05", true, 50},
        {"2024-02-29T23:59:59.999", true, 999}, {"2026-02-29T10:00:00.000", false, 0},
        {"2026-04-07T24:00:00.000", false, 0},  {"2026-04-07T10:60:00.000", false, 0},
        {"2026-04-07T10:00:00.1500", false, 0}, {"2026-04-07 10:00:00.150", false, 0},
        {"2026-04-07T10:00:00,150", false, 0},  {"2026-13-07T10:00:00.150", false, 0},
        {"2026-04-07T10:00:00.", false, 0},     {"", false, 0},
    };
    for (const auto& c : cases) {
        const auto time = parseSoundingTime(c.text);
        EXPECT_EQ(time.has_value(), c.valid) << c.text;
        if (time) {
            EXPECT_EQ(time->millisecond, c.millisecond) << c.text;
        }
    }
    EXPECT_EQ(formatSoundingTime({{2026, 1, 2}, 3, 4, 5, 7}), "2026-01-02T03:04:05.007");
}

TEST(SoundingRecord, SurveyLineWordOfTheFlags) {
    EXPECT_EQ(surveyLineOf("no_position line=12"), 12);
    EXPECT_EQ(surveyLineOf("line=0"), std::nullopt);
    EXPECT_EQ(surveyLineOf("line=x line=4"), 4);
    EXPECT_EQ(surveyLineOf("pipeline=4"), std::nullopt);
    EXPECT_EQ(surveyLineOf(""), std::nullopt);
    EXPECT_EQ(withSurveyLine("stale_depth line=2", 7), "stale_depth line=7");
    EXPECT_EQ(withSurveyLine("", 7), "line=7");
    EXPECT_TRUE(hasFlagWord("no_position stale_depth", "stale_depth"));
    EXPECT_FALSE(hasFlagWord("no_position_x", "no_position"));
}

TEST(SoundingRecord, ReaderReportsBadRowsByLineAndFieldAndGoesOn) {
    std::string text = std::string(kSoundingRecordHeader) + "\r\n";
    text += formatSoundingRow(fullRecord()) + "\r\n";
    text += "2026-04-07T10:00:00.350,41.0,29.0,1.0,2.0,,4,12.3,1500,manual,0.5,1.2.3,,,,,0,,\r\n"; // line 3
    text += "\r\n";
    text += "2026-04-07T10:00:00.550,41.0,29.0\r\n";            // line 5: cut short (a crash mid-row)
    text += "2026-04-07T10:00:61.000,,,,,,,,,,,5.0,,,,,,,\r\n"; // line 6
    text += "2026-04-07T10:00:00.750,91.5,29.0,1.0,2.0,,4,12.3,1500,manual,0.5,12.8,,,,,0,,\r\n"; // 7
    text += "2026-04-07T10:00:00.950,,,,,,,,,,,6.0,,,,,,,"; // no line break
    std::istringstream in(text);
    std::vector<std::size_t> lines;
    std::vector<double> depths;
    const SoundingFileReport report = readSoundingRecord(in, [&](const SoundingRecord& r, std::size_t line) {
        lines.push_back(line);
        depths.push_back(r.depthM.value_or(-1));
    });
    ASSERT_TRUE(report.opened) << report.error;
    EXPECT_EQ(lines, (std::vector<std::size_t>{2, 8}));
    EXPECT_EQ(depths, (std::vector<double>{12.846, 6.0})); // as written, to the millimetre
    EXPECT_EQ(report.rows, 2u);
    ASSERT_EQ(report.badRows, 4u);
    EXPECT_EQ(report.errors[0].message(), "line 3, field depth_m: \"1.2.3\" is not a number");
    EXPECT_EQ(report.errors[1].message(), "line 5: 3 field(s), the header has 19");
    EXPECT_EQ(report.errors[2].lineNumber, 6u);
    EXPECT_EQ(report.errors[2].field, "time");
    EXPECT_EQ(report.errors[3].field, "latitude");
}

TEST(SoundingRecord, HeaderIsReadByNameWithExtraColumnsAndALineColumn) {
    std::istringstream reordered(
        "flags,line,time,latitude,longitude,easting,northing,heading_deg,fix_quality,raw_depth_m,"
        "sound_velocity_mps,sv_source,draft_m,depth_m,water_level_m,water_level_source,ellipsoidal_height_m,"
        "geoid_undulation_m,latency_ms,depth_below_datum_m,comment\n"
        "stale_depth,5,2026-04-07T10:00:00.150,,,10.0,20.0,,,,,,,4.5,,,,,,,hello\n"
        "line=2,5,2026-04-07T10:00:00.350,,,10.0,20.0,,,,,,,4.5,,,,,,,\n");
    std::vector<SoundingRecord> rows;
    const auto report =
        readSoundingRecord(reordered, [&](const SoundingRecord& r, std::size_t) { rows.push_back(r); });
    ASSERT_TRUE(report.opened) << report.error;
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].eastingM, 10.0);
    EXPECT_EQ(surveyLineOf(rows[0].flags), 5);
    EXPECT_TRUE(hasFlagWord(rows[0].flags, "stale_depth"));
    EXPECT_EQ(surveyLineOf(rows[1].flags), 2); // the flags' own word wins

    std::istringstream missing("time,latitude,longitude,easting,northing,depth_m\n");
    const auto refused = readSoundingRecord(missing, [](const SoundingRecord&, std::size_t) {});
    EXPECT_FALSE(refused.opened);
    EXPECT_NE(
        refused.error.find("line 1: not a soundings header: missing column(s) heading_deg, fix_quality"),
        std::string::npos)
        << refused.error;
    std::istringstream empty("");
    EXPECT_FALSE(readSoundingRecord(empty, [](const SoundingRecord&, std::size_t) {}).opened);
}

} // namespace
} // namespace selvir
