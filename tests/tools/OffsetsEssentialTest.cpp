#include "tools/OffsetsEssential.h"

#include "core/AtomicFile.h"
#include "support/TempDir.h"

#include <cmath>
#include <gtest/gtest.h>

namespace selvir {
namespace {

OffsetsEntry validEntry() {
    OffsetsEntry e;
    e.offsetA = "0.50";
    e.offsetB = "2.30";
    e.offsetC = "1.82";
    e.sv = "1500";
    e.tide = "0.00";
    e.location = "Haydarpasa";
    e.boat = "Selvir-1";
    e.surveyor = "A. Kaya";
    e.time = "2026-03-05 090500000";
    return e;
}

// The checks in their order: the first failure decides the message and the field in focus.
TEST(OffsetsChecks, FirstFailureInOrder) {
    struct Case {
        const char* what;
        void (*change)(OffsetsEntry&);
        std::optional<OffsetsField> fails;
        const char* messageStart = "";
    };
    const Case cases[] = {
        {"A 0.50 B 2.30 C 1.82: A + C is 0.02 from B", [](OffsetsEntry&) {}, std::nullopt},
        {"C 1.77: 0.03 from B", [](OffsetsEntry& e) { e.offsetC = "1.77"; }, OffsetsField::OffsetA,
         "Measurements contains error"},
        {"C 1.8249: 0.0249 from B", [](OffsetsEntry& e) { e.offsetC = "1.8249"; }, std::nullopt},
        {"SV 1300", [](OffsetsEntry& e) { e.sv = "1300"; }, std::nullopt},
        {"SV 1700", [](OffsetsEntry& e) { e.sv = "1700"; }, std::nullopt},
        {"SV 1299.9", [](OffsetsEntry& e) { e.sv = "1299.9"; }, OffsetsField::SV, "Error in Sound Velocity"},
        {"SV 1700.1", [](OffsetsEntry& e) { e.sv = "1700.1"; }, OffsetsField::SV, "Error in Sound Velocity"},
        {"a decimal comma is not read as 0", [](OffsetsEntry& e) { e.offsetA = "0,50"; },
         OffsetsField::OffsetA, "Failed! Recheck offset A"},
        {"a unit after the number", [](OffsetsEntry& e) { e.offsetB = "2.30m"; }, OffsetsField::OffsetB,
         "Failed! Recheck offset B"},
        {"not a number", [](OffsetsEntry& e) { e.tide = "nan"; }, OffsetsField::Tide, "Failed! Recheck tide"},
        {"numbers before names", [](OffsetsEntry& e) { e.location.clear(), e.sv = "x"; }, OffsetsField::SV,
         "Failed! Recheck SV"},
        {"empty location", [](OffsetsEntry& e) { e.location.clear(); }, OffsetsField::Location,
         "Failed! Location"},
        {"blank boat", [](OffsetsEntry& e) { e.boat = "   "; }, OffsetsField::Boat, "Failed! Name/type"},
        {"names before geometry", [](OffsetsEntry& e) { e.surveyor.clear(), e.offsetC = "3"; },
         OffsetsField::Surveyor, "Failed! Name of surveyor"},
        {"geometry before SV", [](OffsetsEntry& e) { e.offsetC = "3", e.sv = "1800"; }, OffsetsField::OffsetA,
         "Measurements"},
    };
    for (const Case& c : cases) {
        OffsetsEntry entry = validEntry();
        c.change(entry);
        const auto failure = checkOffsets(entry, false);
        ASSERT_EQ(failure.has_value(), c.fails.has_value()) << c.what;
        if (failure) {
            EXPECT_EQ(failure->field, *c.fails) << c.what;
            EXPECT_EQ(failure->message.rfind(c.messageStart, 0), 0u) << c.what << ": " << failure->message;
        }
    }
}

TEST(OffsetsChecks, TurkishTextsAndTheTimeLayout) {
    OffsetsEntry entry = validEntry();
    entry.offsetC = "1.77";
    EXPECT_EQ(checkOffsets(entry, true)->message,
              "Ölçümlerde hata var: A + C toplamı B değerine yakın olması gerekir");
    EXPECT_FALSE(timeFormatWarning("2026-03-05 090500000", true));
    EXPECT_EQ(timeFormatWarning("05.03.2026 09:05:00", false)->rfind("Time format does not fit", 0), 0u);
}

TEST(OffsetsRecord, AppendedRecordsAndTheirValues) {
    test::TempDir dir;
    const DataFolders folders(dir.path(), {2026, 3, 5});
    ASSERT_TRUE(folders.createAll());
    OffsetsEntry entry = validEntry();
    ASSERT_TRUE(appendOffsetsRecord(folders, {2026, 3, 5}, entry, false, false));
    entry.offsetA = "0.80";
    ASSERT_TRUE(appendOffsetsRecord(folders, {2026, 3, 5}, entry, false, true));
    std::string text;
    ASSERT_TRUE(readWholeFile(folders.offsetsLog({2026, 3, 5}), text));
    const auto first = text.find("Transducer Draft (A)..............\t=0.50\n");
    const auto second = text.find("Transducer Draft (A)..............\t=0.80\n");
    ASSERT_NE(first, std::string::npos);
    ASSERT_NE(second, std::string::npos);
    EXPECT_LT(first, second);
    EXPECT_EQ(text.rfind("\n\nSelvir Dalgaroz - offsets essential for post processing\n", 0), 0u);
    EXPECT_NE(text.find("Sound Velocity....................\t=1500\n"), std::string::npos);
    EXPECT_NE(text.find("Sound Velocity....................\t=Sound velocity profile used\n"),
              std::string::npos);

    // A log that cannot be written is said, with the file.
    const DataFolders blocked(dir / "blocked", {2026, 3, 5});
    std::filesystem::create_directories(blocked.offsetsLog({2026, 3, 5}));
    std::string error;
    EXPECT_FALSE(appendOffsetsRecord(blocked, {2026, 3, 5}, entry, false, false, &error));
    EXPECT_NE(error.find("Offsets.log"), std::string::npos) << error;
}

TEST(OffsetsKeys, WrittenPaddedReadBackAndInTheSettingsCodePage) {
    test::TempDir dir;
    ProfileStore store(dir / "SelvirHS.INI");
    EXPECT_EQ(readOffsetsKeys(store).offsetA, "") << "missing keys read empty";
    OffsetsEntry entry = validEntry();
    entry.location = "Üsküdar İskelesi";
    ASSERT_TRUE(writeOffsetsKeys(store, entry));
    const OffsetsEntry back = readOffsetsKeys(store);
    EXPECT_EQ(back.offsetA, "0.50");
    EXPECT_EQ(back.offsetB, "2.30");
    EXPECT_EQ(back.location, "Üsküdar İskelesi");
    EXPECT_EQ(back.time, "") << "the time is written, never read back";
    EXPECT_EQ(store.readString("ECHOSOUNDER_OFFSETS", "Time"), "2026-03-05 090500000");
    std::string bytes;
    ASSERT_TRUE(readWholeFile(store.file(), bytes));
    EXPECT_NE(bytes.find("\xDC"
                         "sk\xFC"
                         "dar \xDD"
                         "skelesi"),
              std::string::npos);

    const OffsetsValues values = offsetsValues(back);
    EXPECT_EQ(values.offsetA, 0.5);
    EXPECT_EQ(values.soundVelocity, 1500);
    entry.tide = "";
    EXPECT_TRUE(std::isnan(offsetsValues(entry).tideHeight)) << "an empty field is no tide of 0";
}

} // namespace
} // namespace selvir
