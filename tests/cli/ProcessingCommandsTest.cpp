// The after-survey commands on reduction records written as the survey engine writes them.
#include "core/AtomicFile.h"
#include "layoutfiles/LayoutTestSupport.h"
#include "navigation/SoundingRecord.h"
#include "processing/GridXyz.h"
#include "processing/TrackBuilder.h"
#include "support/MissingOracle.h"
#include "support/TempDir.h"
#include "support/TextLines.h"
#include "support/ToolRun.h"

#include <gtest/gtest.h>
#include <map>

namespace selvir {
namespace {

using processing::Sounding;

void writeRecord(const std::filesystem::path& file, const std::vector<Sounding>& soundings) {
    std::string text = std::string(kSoundingRecordHeader) + "\n";
    for (const Sounding& s : soundings) {
        SoundingRecord r;
        r.time = addMilliseconds(LocalDateTime{{1970, 1, 1}, 0, 0, 0, 0}, s.key.timeMs);
        r.eastingM = s.eastingM;
        r.northingM = s.northingM;
        r.fixQuality = 4;
        r.depthM = s.depthM;
        r.waterLevelM = s.depthM - s.depthBelowDatumM;
        r.waterLevelSource = "tide";
        if (std::isfinite(s.depthBelowDatumM)) {
            r.depthBelowDatumM = s.depthBelowDatumM;
        }
        r.flags = s.line > 0 ? "line=" + std::to_string(s.line) : "";
        text += formatSoundingRow(r) + "\n";
    }
    ASSERT_TRUE(writeFileAtomically(file, text));
}

// The values of "key value" lines.
std::map<std::string, std::string> summary(const std::string& out) {
    std::map<std::string, std::string> values;
    for (const std::string& line : test::split(out, '\n')) {
        const auto blank = line.rfind(' ');
        if (blank != std::string::npos && line.find(',') == std::string::npos) {
            values[line.substr(0, blank)] = line.substr(blank + 1);
        }
    }
    return values;
}

// Six main lines north-south 20 m apart, then three cross lines east-west (lines 101-103), over a
// seabed sloping 1 cm per metre east; the cross lines' sounder reads `crossBiasM` deep.
std::vector<Sounding> mainAndCrossLines(double crossBiasM) {
    const auto seabed = [](double e, double) { return 15.0 + 0.01 * (e - 412000); };
    test::TrackBuilder main(seabed);
    main.startAt(412000, 4540000, 0);
    for (int k = 0; k < 6; ++k) {
        main.line(k + 1).sailTo(412000 + 20.0 * k, k % 2 ? 4540000 : 4540200);
        main.line(0).sailTo(412000 + 20.0 * (k + 1), k % 2 ? 4540000 : 4540200);
    }
    test::TrackBuilder cross([&](double e, double n) { return seabed(e, n) + crossBiasM; });
    for (int j = 0; j < 3; ++j) {
        const double n = 4540030 + 60.0 * j;
        cross.line(101 + j).startAt(411990, n, 900'000 + 120'000 * j).sailTo(412110, n);
    }
    std::vector<Sounding> all = main.soundings();
    all.insert(all.end(), cross.soundings().begin(), cross.soundings().end());
    return all;
}

TEST(ProcessingCommands, CleanFlagsTheSpikesBesideTheRecordAndKeepsHandDecisions) {
    test::TempDir dir;
    std::vector<Sounding> soundings = mainAndCrossLines(0);
    std::size_t spikes = 0;
    for (std::size_t i = 50; i < soundings.size(); i += 97, ++spikes) {
        soundings[i].depthBelowDatumM += i % 2 ? 3.0 : -2.5;
        soundings[i].depthM += i % 2 ? 3.0 : -2.5;
    }
    soundings[10].depthBelowDatumM = soundings[10].depthM = 0.0; // an echo lost, as 0 m
    const auto record = dir / "2026-04-07 Soundings.csv";
    writeRecord(record, soundings);
    std::string before;
    ASSERT_TRUE(readWholeFile(record, before));
    // A hand decision from the profile editor: a spike kept.
    ASSERT_TRUE(writeFileAtomically(
        dir / "2026-04-07 Soundings.flags",
        formatSoundingTime(addMilliseconds({{1970, 1, 1}, 0, 0, 0, 0}, soundings[50].key.timeMs)) +
            " accepted manual\n"));

    const test::ToolRun dry =
        test::runToolCommand("clean", {"--gate", "1,40", "--median", "7,0.5", "--dry-run", record.string()});
    ASSERT_EQ(dry.status, 0) << dry.err;
    const test::ToolRun run = test::runToolCommand(
        "clean", {"--gate", "1,40", "--median", "7,0.5", "--slope", "0.5", record.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    auto counts = summary(run.out);
    EXPECT_EQ(counts["rejected"], std::to_string(spikes)); // every spike but the kept one, and the 0 m
    EXPECT_EQ(counts["rejected_gate"], "1");
    EXPECT_EQ(counts["rejected_median"], std::to_string(spikes - 1));
    EXPECT_EQ(counts["rejected_manual"], "0");
    EXPECT_EQ(counts["accepted"], std::to_string(soundings.size() - spikes));
    EXPECT_EQ(summary(dry.out)["rejected"], counts["rejected"]);
    EXPECT_NE(run.err.find("below the vertical datum"), std::string::npos);
    EXPECT_NE(run.err.find("1 sounding(s) flagged by hand"), std::string::npos);

    const auto flags = test::fileLines(dir / "2026-04-07 Soundings.flags");
    ASSERT_EQ(flags.size(), spikes + 2); // title, the kept one, the rejections
    EXPECT_NE(std::find_if(flags.begin(), flags.end(),
                           [](const std::string& l) { return l.ends_with(" accepted manual"); }),
              flags.end());
    std::string after;
    ASSERT_TRUE(readWholeFile(record, after));
    EXPECT_EQ(after, before); // the record itself is never touched

    // Without a filter: the counts as they stand, nothing written.
    const test::ToolRun plain = test::runToolCommand("clean", {record.string()});
    EXPECT_EQ(plain.status, 0);
    EXPECT_EQ(summary(plain.out)["rejected"], counts["rejected"]);
    // A sidecar line that cannot be read is never dropped by writing the sidecar again.
    ASSERT_TRUE(
        appendToFile(dir / "2026-04-07 Soundings.flags", "2026-04-07T25:00:00.000 rejected manual\n"));
    const test::ToolRun refused = test::runToolCommand("clean", {"--gate", "1,40", record.string()});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("line " + std::to_string(flags.size() + 1) + ": "), std::string::npos)
        << refused.err;
    EXPECT_EQ(test::fileLines(dir / "2026-04-07 Soundings.flags").size(), flags.size() + 1);
    EXPECT_EQ(test::runToolCommand("clean", {"--median", "2,0.5", record.string()}).status, 2);
    EXPECT_EQ(test::runToolCommand("clean", {"--gate", "5", record.string()}).status, 2);
    EXPECT_EQ(test::runToolCommand("clean", {"--gate", "1,40", (dir / "none.csv").string()}).status, 1);
}

TEST(ProcessingCommands, QcPrintsEachCrossingTheStatisticsAndTheVerdictAsExitStatus) {
    test::TempDir dir;
    const auto record = dir / "2026-04-07 Soundings.csv";
    writeRecord(record, mainAndCrossLines(0.3));
    // 6 main lines x 3 cross lines; every difference is -0.3 m at mean depths of 15.15 ... 15.35 m.
    // Special at 15.15 m allows sqrt(0.0625 + (0.0075 * 15.15)^2) = 0.275 m: all fail; 1a allows
    // sqrt(0.25 + (0.013 * 15.15)^2) = 0.537 m: all pass.
    const test::ToolRun special = test::runToolCommand("qc", {"--order", "special", record.string()});
    EXPECT_EQ(special.status, 3) << special.err;
    const auto lines = test::split(special.out, '\n');
    ASSERT_EQ(lines.size(), 1 + 18 + 6u);
    EXPECT_EQ(lines[0], "easting,northing,time_a,time_b,depth_a,depth_b,difference,tvu,within");
    const auto first = test::split(lines[1], ',');
    ASSERT_EQ(first.size(), 9u);
    EXPECT_EQ(first[0], "412000.000");
    EXPECT_EQ(first[1], "4540030.000");
    EXPECT_EQ(first[6], "-0.300");
    EXPECT_EQ(first[7], "0.275");
    EXPECT_EQ(first[8], "no");
    EXPECT_EQ(first[2].substr(0, 11), "2026-04-07T");
    auto stats = summary(special.out);
    EXPECT_EQ(stats["crossings"], "18");
    EXPECT_EQ(stats["mean_difference"], "-0.300");
    EXPECT_EQ(stats["std_difference"], "0.000");
    EXPECT_EQ(stats["max_abs_difference"], "0.300");
    EXPECT_EQ(stats["within_tvu_percent"], "0.00");
    EXPECT_EQ(lines.back(), "order special fail");

    const test::ToolRun order1a = test::runToolCommand("qc", {record.string()});
    EXPECT_EQ(order1a.status, 0) << order1a.err;
    EXPECT_EQ(summary(order1a.out)["within_tvu_percent"], "100.00");
    EXPECT_EQ(test::split(order1a.out, '\n').back(), "order 1a pass");
    EXPECT_EQ(test::runToolCommand("qc", {"--order", "1c", record.string()}).status, 2);
}

TEST(ProcessingCommands, QcAcrossDaysHonoursTheSidecars) {
    test::TempDir dir;
    std::vector<Sounding> all = mainAndCrossLines(0);
    std::vector<Sounding> mainDay, crossDay;
    for (Sounding s : all) {
        if (s.line > 100) {
            s.key.timeMs += 86'400'000; // the cross lines run the next day
            crossDay.push_back(s);
        } else {
            mainDay.push_back(s);
        }
    }
    writeRecord(dir / "2026-04-07 Soundings.csv", mainDay);
    writeRecord(dir / "2026-04-08 Soundings.csv", crossDay);
    const test::ToolRun both = test::runToolCommand(
        "qc", {(dir / "2026-04-07 Soundings.csv").string(), (dir / "2026-04-08 Soundings.csv").string()});
    EXPECT_EQ(both.status, 0) << both.err;
    EXPECT_EQ(summary(both.out)["crossings"], "18");
    // The first cross line rejected in its sidecar: its crossings go.
    std::string flags;
    for (const Sounding& s : crossDay) {
        if (s.line == 101) {
            flags += formatSoundingTime(addMilliseconds({{1970, 1, 1}, 0, 0, 0, 0}, s.key.timeMs)) +
                     " rejected manual\n";
        }
    }
    ASSERT_TRUE(writeFileAtomically(dir / "2026-04-08 Soundings.flags", flags));
    const test::ToolRun fewer = test::runToolCommand(
        "qc", {(dir / "2026-04-07 Soundings.csv").string(), (dir / "2026-04-08 Soundings.csv").string()});
    EXPECT_EQ(summary(fewer.out)["crossings"], "12");
    // One day alone never crosses itself: no verdict can be given.
    const test::ToolRun alone = test::runToolCommand("qc", {(dir / "2026-04-07 Soundings.csv").string()});
    EXPECT_EQ(alone.status, 3);
    EXPECT_EQ(summary(alone.out)["crossings"], "0");
    EXPECT_NE(alone.err.find("No crossings"), std::string::npos);
}

TEST(ProcessingCommands, GridOfAPlanarSeabedAndItsContoursInDxf) {
    test::TempDir dir;
    // Lines north-south along the centres of 1 m cells over a seabed deepening 10 cm per metre east;
    // the lines between E 20 and 24 not sailed (a gap in the survey).
    const auto plane = [](double e, double) { return 10.0 + 0.1 * (e - 412000); };
    test::TrackBuilder t(plane);
    for (int k = 0; k < 40; ++k) {
        if (k >= 20 && k < 24) {
            continue;
        }
        t.startAt(412000.5 + k, 4540000.2, 120'000 * k).sailTo(412000.5 + k, 4540029.8);
    }
    const auto record = dir / "2026-04-07 Soundings.csv";
    writeRecord(record, t.soundings());
    const auto xyz = dir / "grid.xyz";
    const test::ToolRun grid = test::runToolCommand("grid", {"--cell", "1", record.string(), xyz.string()});
    ASSERT_EQ(grid.status, 0) << grid.err;
    auto g = summary(grid.out);
    EXPECT_EQ(g["west"], "412000.000");
    EXPECT_EQ(g["north"], "4540030.000");
    EXPECT_EQ(g["cells_nodata"], std::to_string(4 * 30));
    const auto lines = test::fileLines(xyz);
    ASSERT_EQ(lines.size(), 36u * 30);
    for (const std::string& line : lines) {
        const auto v = test::split(line, ' ');
        ASSERT_EQ(v.size(), 3u);
        const double e = std::stod(v[0]);
        EXPECT_FALSE(e > 412020 && e < 412024) << line;
        EXPECT_NEAR(std::stod(v[2]), plane(e, 0), 0.0015) << line;
    }
    EXPECT_EQ(lines.front(), "412000.500 4540029.500 10.050");
    const auto elevation = dir / "elevation.xyz";
    ASSERT_EQ(
        test::runToolCommand("grid", {"--cell", "1", "--elevation", record.string(), elevation.string()})
            .status,
        0);
    EXPECT_EQ(test::fileLines(elevation).front(), "412000.500 4540029.500 -10.050");
    EXPECT_EQ(test::runToolCommand("grid", {"--cell", "1", record.string(), (dir / "g.tif").string()}).status,
              2);

    const auto dxf = dir / "contours.dxf";
    const test::ToolRun contour =
        test::runToolCommand("contour", {"--interval", "0.5", xyz.string(), dxf.string()});
    ASSERT_EQ(contour.status, 0) << contour.err;
    const auto dump = test::runDxfOracle({"dump", dxf.string()});
    if (!dump) {
        SELVIR_ORACLE_MISSING(test::kEzdxfMissing);
    }
    // Levels 10.5 ... 11.5 west of the gap and 12.5 ... 13.5 east of it (12.0 falls inside the gap), each
    // a straight north-south polyline on its own layer, where the plane has that depth.
    std::map<std::string, int> perLayer;
    for (const std::string& line : test::split(*dump, '\n')) {
        if (!line.starts_with("POLYLINE ")) {
            continue;
        }
        const auto f = test::split(line, ' ');
        ASSERT_GE(f.size(), 6u);
        ++perLayer[f[1]];
        EXPECT_EQ(f[2], "0");
        std::string depthText = f[1].substr(std::string("CONTOUR_").size());
        std::replace(depthText.begin(), depthText.end(), '_', '.');
        const double depth = std::stod(depthText);
        EXPECT_EQ(std::stoul(f[3]), 30u) << line; // a point on every row of cells
        for (std::size_t k = 4; k + 1 < f.size(); k += 2) {
            EXPECT_NEAR(std::stod(f[k]), 412000 + (depth - 10) / 0.1, 1e-3) << line;
        }
    }
    EXPECT_EQ(perLayer, (std::map<std::string, int>{{"CONTOUR_10_5", 1},
                                                    {"CONTOUR_11", 1},
                                                    {"CONTOUR_11_5", 1},
                                                    {"CONTOUR_12_5", 1},
                                                    {"CONTOUR_13", 1},
                                                    {"CONTOUR_13_5", 1}}));
}

} // namespace
} // namespace selvir
