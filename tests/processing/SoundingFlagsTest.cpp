#include "processing/SoundingFlags.h"

#include "core/AtomicFile.h"
#include "processing/SurveyData.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace selvir::processing {
namespace {

SoundingKey keyAt(const char* time, int occurrence = 0) {
    SoundingKey key = *parseSoundingKey(time);
    key.occurrence = occurrence;
    return key;
}

TEST(SoundingFlags, SidecarRoundTripSortedWithRepeatedTimeStamps) {
    FlagSet flags;
    const SoundingKey late[] = {keyAt("2026-04-07T11:00:00.000")};
    const SoundingKey twins[] = {keyAt("2026-04-07T10:00:00.150"), keyAt("2026-04-07T10:00:00.150", 1)};
    flags.apply(rejectEdit(late, FlagReason::Slope, "slope"));
    flags.apply(rejectEdit(std::span(twins).subspan(1), FlagReason::Gate, "gate"));
    flags.apply(acceptEdit(std::span(twins).first(1), "keep"));
    const std::string text = formatFlagsSidecar(flags);
    EXPECT_EQ(text, std::string("# SelvirHS sounding flags 1") + std::string(kLineBreak) +
                        "2026-04-07T10:00:00.150 accepted manual" + std::string(kLineBreak) +
                        "2026-04-07T10:00:00.150#1 rejected gate" + std::string(kLineBreak) +
                        "2026-04-07T11:00:00.000 rejected slope" + std::string(kLineBreak));
    const FlagsReadResult read = parseFlagsSidecar(text);
    EXPECT_TRUE(read.badLines.empty());
    EXPECT_EQ(read.flags, flags.entries());
}

TEST(SoundingFlags, HostileSidecarLinesAreNamedAndSkipped) {
    const FlagsReadResult read = parseFlagsSidecar("# comment\r\n"
                                                   "2026-04-07T10:00:00.150 rejected median\r\n"
                                                   "\r\n"
                                                   "2026-04-07T10:00:00.350 rejected\n"
                                                   "2026-04-07T10:00:00.550 kept manual\n"
                                                   "2026-04-07T10:00:00.750 rejected fish\n"
                                                   "2026-02-30T10:00:00.950 rejected gate\n"
                                                   "2026-04-07T10:00:01.150#0 rejected gate\n"
                                                   "2026-04-07T10:00:01.150#x rejected gate\n"
                                                   "  2026-04-07T10:00:00.150\taccepted   manual  \n");
    ASSERT_EQ(read.badLines.size(), 6u);
    EXPECT_EQ(read.badLines[0], "line 4: needs TIME STATE REASON, found 2 field(s)");
    EXPECT_EQ(read.badLines[1], "line 5: \"kept\" is not accepted or rejected");
    EXPECT_EQ(read.badLines[2], "line 6: \"fish\" is not median, gate, slope or manual");
    EXPECT_NE(read.badLines[3].find("line 7: \"2026-02-30T10:00:00.950\" is not a sounding time"),
              std::string::npos);
    ASSERT_EQ(read.flags.size(), 1u);
    // Named twice: the last line holds.
    EXPECT_EQ(read.flags.begin()->second, (SoundingFlag{FlagState::Accepted, FlagReason::Manual}));
}

TEST(SoundingFlags, UndoAndRedoWalkBackAndForthThroughEdits) {
    const SoundingKey a[] = {keyAt("2026-04-07T10:00:00.000"), keyAt("2026-04-07T10:00:00.200")};
    const SoundingKey b[] = {keyAt("2026-04-07T10:00:00.200"), keyAt("2026-04-07T10:00:00.400")};
    FlagSet flags;
    EXPECT_FALSE(flags.undo());
    EXPECT_EQ(flags.apply(rejectEdit(a, FlagReason::Manual, "lasso")), 2u);
    EXPECT_EQ(flags.apply(rejectEdit(a, FlagReason::Manual, "lasso again")), 0u); // nothing new: no step
    EXPECT_EQ(flags.apply(acceptEdit(b, "rectangle")), 2u);
    EXPECT_EQ(flags.undoDescription(), "rectangle");
    const auto afterBoth = flags.entries();

    ASSERT_TRUE(flags.undo());
    EXPECT_TRUE(flags.isRejected(a[1]));
    EXPECT_EQ(flags.find(b[1]), nullptr);
    EXPECT_EQ(flags.undoDescription(), "lasso");
    ASSERT_TRUE(flags.undo());
    EXPECT_EQ(flags.size(), 0u);
    EXPECT_FALSE(flags.canUndo());
    ASSERT_TRUE(flags.redo());
    ASSERT_TRUE(flags.redo());
    EXPECT_EQ(flags.entries(), afterBoth);
    EXPECT_FALSE(flags.redo());

    ASSERT_TRUE(flags.undo());
    flags.apply(clearEdit(a, "forget")); // a new edit drops what could be redone
    EXPECT_FALSE(flags.canRedo());
    EXPECT_EQ(flags.size(), 0u);
    ASSERT_TRUE(flags.undo());
    EXPECT_EQ(flags.size(), 2u);
}

TEST(SoundingFlags, RecordAndSidecarLoadTogetherAndRowsSharingATimeAreToldApart) {
    test::TempDir dir;
    const auto record = dir / "2026-04-07 Soundings.csv";
    std::string text = std::string(kSoundingRecordHeader) + "\n";
    for (const char* time : {"2026-04-07T10:00:00.000", "2026-04-07T10:00:00.200", "2026-04-07T10:00:00.200",
                             "2026-04-07T10:00:00.400"}) {
        text += std::string(time) + ",,,100.0,200.0,,,,,,,12.0,,,,,,11.5,line=4\n";
    }
    ASSERT_TRUE(writeFileAtomically(record, text));
    EXPECT_EQ(flagsSidecarPath(record), dir / "2026-04-07 Soundings.flags");
    ASSERT_TRUE(writeFileAtomically(flagsSidecarPath(record), "2026-04-07T10:00:00.200#1 rejected manual\n"));

    SurveyData data;
    std::string error;
    ASSERT_TRUE(loadSurveyFile(record, data, error)) << error;
    ASSERT_EQ(data.soundings.size(), 4u);
    EXPECT_EQ(data.soundings[2].key.occurrence, 1);
    EXPECT_EQ(data.soundings[3].line, 4);
    EXPECT_DOUBLE_EQ(data.soundings[3].depthBelowDatumM, 11.5);
    EXPECT_EQ(acceptedMask(data), (std::vector<std::uint8_t>{1, 1, 0, 1}));

    std::string writeError;
    ASSERT_TRUE(writeFlagsSidecar(data.files[0].sidecar, data.files[0].flags, writeError)) << writeError;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2); // no temporary left
    EXPECT_FALSE(loadSurveyFile(dir / "missing.csv", data, error));
    EXPECT_EQ(data.files.size(), 1u);
}

} // namespace
} // namespace selvir::processing
