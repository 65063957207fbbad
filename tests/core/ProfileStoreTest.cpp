#include "core/ProfileStore.h"

#include "core/AtomicFile.h"
#include "core/SettingsLocation.h"
#include "support/TempDir.h"

#include <csignal>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

namespace selvir {
namespace {

std::string fileBytes(const std::filesystem::path& file) {
    std::string bytes;
    readWholeFile(file, bytes);
    return bytes;
}

void writeBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

TEST(ProfileStore, TypedValuesRoundTrip) {
    test::TempDir dir;
    ProfileStore store(dir / "SelvirHS.INI");
    EXPECT_TRUE(store.writeString("FILE", "Last File Saved       ", "C:\\GVX\\Ölçüm hattı.gvx"));
    EXPECT_TRUE(store.writeInteger("EVENTS", "Event Number", 42));
    EXPECT_TRUE(store.writeFloat("CANVAS", "PlanWorldLeft", 456789.125));
    EXPECT_TRUE(store.writeBool("CANVAS", "GridAutoScale", false));
    EXPECT_TRUE(store.writeColor("NAVIGATION_SETTINGS", "Color", 0xFF00000F));

    EXPECT_EQ(store.readString("file", "Last File Saved"), "C:\\GVX\\Ölçüm hattı.gvx");
    EXPECT_EQ(store.readInteger("EVENTS", "Event Number", 0), 42);
    EXPECT_EQ(store.readFloat("CANVAS", "PlanWorldLeft", 0), 456789.125);
    EXPECT_FALSE(store.readBool("CANVAS", "GridAutoScale", true));
    EXPECT_EQ(store.readColor("NAVIGATION_SETTINGS", "Color", 0), 0xFF00000Fu);

    const std::string bytes = fileBytes(store.file());
    EXPECT_NE(bytes.find("GridAutoScale=0\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("Color=-16777201\r\n"), std::string::npos);     // signed decimal
    EXPECT_NE(bytes.find("\xD6l\xE7\xFCm hatt\xFD"), std::string::npos); // Windows-1254 on disk
    EXPECT_NE(bytes.find("Last File Saved=C:"), std::string::npos);
}

TEST(ProfileStore, DefaultsForMissingFileSectionKeyOrWrongType) {
    test::TempDir dir;
    ProfileStore missing(dir / "none.INI");
    EXPECT_EQ(missing.readString("A", "b", "dflt"), "dflt");
    EXPECT_EQ(missing.readInteger("A", "b", 9), 9);
    EXPECT_FALSE(missing.sectionExists("A"));

    writeBytes(dir / "s.INI", "[S]\nint=12x\nfloat=1,5\nbool=True\nhex=$1F\nhex2=0x10\nbig=99999999999\n"
                              "color=4294967295\nneg=-5\nbool2=7\n");
    ProfileStore store(dir / "s.INI");
    EXPECT_EQ(store.readInteger("S", "int", -1), -1);
    EXPECT_EQ(store.readFloat("S", "float", -1), -1);
    EXPECT_TRUE(store.readBool("S", "bool", true));
    EXPECT_FALSE(store.readBool("S", "bool", false));
    EXPECT_TRUE(store.readBool("S", "bool2", false));
    EXPECT_EQ(store.readInteger("S", "hex", 0), 31);
    EXPECT_EQ(store.readInteger("S", "hex2", 0), 16);
    EXPECT_EQ(store.readInteger("S", "big", 3), 3);
    EXPECT_EQ(store.readInteger("S", "neg", 0), -5);
    EXPECT_EQ(store.readColor("S", "color", 0), 0xFFFFFFFFu);
    EXPECT_TRUE(store.valueExists("s", "INT"));
    EXPECT_FALSE(store.valueExists("S", "nothing"));
}

TEST(ProfileStore, KeepsForeignLinesAndLineEndings) {
    test::TempDir dir;
    const auto file = dir / "s.INI";
    writeBytes(file, "; comment\n[S]\nmine=1\nforeign=x\n");
    ProfileStore store(file);
    ASSERT_TRUE(store.writeString("S", "mine", "2"));
    EXPECT_EQ(fileBytes(file), "; comment\n[S]\nmine=2\nforeign=x\n");
}

TEST(ProfileStore, EraseSection) {
    test::TempDir dir;
    ProfileStore store(dir / "s.INI");
    store.writeString("KEEP", "a", "1");
    store.writeString("GONE", "b", "2");
    EXPECT_TRUE(store.eraseSection("gone"));
    EXPECT_FALSE(store.sectionExists("GONE"));
    EXPECT_EQ(store.sectionNames(), std::vector<std::string>{"KEEP"});
    EXPECT_TRUE(store.eraseSection("never there"));
}

TEST(ProfileStore, FailedWriteLeavesTheOldFile) {
    // A file size limit makes the write fail part-way, as a full disk would, even for root.
    test::TempDir dir;
    ProfileStore store(dir / "s.INI");
    ASSERT_TRUE(store.writeString("S", "k", "old"));
    const auto oldBytes = fileBytes(store.file());
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = previous;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = store.writeString("S", "k", std::string(100000, 'x'));
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(fileBytes(store.file()), oldBytes);
    EXPECT_EQ(
        std::distance(std::filesystem::directory_iterator(dir.path()), std::filesystem::directory_iterator()),
        1);
}

TEST(ProfileStore, WriteLeavesNoTemporaryFiles) {
    test::TempDir dir;
    ProfileStore store(dir / "s.INI");
    for (int i = 0; i < 20; ++i) {
        ASSERT_TRUE(store.writeInteger("S", "k" + std::to_string(i), i));
    }
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST(ProfileStore, ReadsAUtf8FileWithBom) {
    test::TempDir dir;
    writeBytes(dir / "u.INI", "\xEF\xBB\xBF[S]\r\nname=\xC5\x9F\r\n");
    EXPECT_EQ(ProfileStore(dir / "u.INI").readString("S", "name"), "ş");
}

TEST(SettingsLocation, BesideTheExecutableWhenWritable) {
    test::TempDir dir;
    EXPECT_EQ(settingsFilePath(dir / "SelvirHS", dir / "config"), dir / "SelvirHS.INI");
    EXPECT_EQ(settingsFilePath(dir / "SelvirHS.exe", dir / "config"), dir / "SelvirHS.INI");
}

TEST(SettingsLocation, PerUserFolderWhenTheProgramFolderCannotBeWritten) {
    test::TempDir dir;
    const auto chosen = settingsFilePath(dir / "gone" / "SelvirHS", dir / "config");
    EXPECT_EQ(chosen, dir / "config" / "SelvirHS.INI");
    EXPECT_TRUE(std::filesystem::is_directory(dir / "config"));
}

TEST(SettingsLocation, PerUserFolderStartsFromTheShippedSettings) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root can write into read-only folders";
    }
    test::TempDir dir;
    const auto program = dir / "program";
    std::filesystem::create_directory(program);
    writeBytes(program / "SelvirHS.INI", "[S]\nk=shipped\n");
    std::filesystem::permissions(program,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    const auto chosen = settingsFilePath(program / "SelvirHS", dir / "config");
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    EXPECT_EQ(chosen, dir / "config" / "SelvirHS.INI");
    EXPECT_EQ(ProfileStore(chosen).readString("S", "k"), "shipped");
}

} // namespace
} // namespace selvir
