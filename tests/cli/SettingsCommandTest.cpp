#include "cli/Commands.h"
#include "core/AtomicFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sstream>

namespace selvir::cli {
namespace {

int settings(const std::vector<std::string>& args, std::string* out = nullptr) {
    std::istringstream in;
    std::ostringstream o, e;
    std::vector<std::string> all{"settings"};
    all.insert(all.end(), args.begin(), args.end());
    const int status = runTool(all, {in, o, e});
    if (out) {
        *out = o.str();
    }
    return status;
}

TEST(SettingsCommand, WritesReadsAndKeepsWhatIsThereWithIfMissing) {
    test::TempDir dir;
    const std::string file = (dir / "SelvirHS.INI").string();
    ASSERT_TRUE(writeFileAtomically(file, "; the surveyor's note\r\n[FILE]\r\nLast File Saved       =a.gvx\r\n"));
    std::string out;
    EXPECT_EQ(settings({file, "file", "Last File Saved"}, &out), 0);
    EXPECT_EQ(out, "a.gvx\n");

    EXPECT_EQ(settings({"--if-missing", file, "FILE", "Last File Saved", "b.gvx"}), 0);
    EXPECT_EQ(settings({"--if-missing", file, "NAVIGATION_SETTINGS", "TrackInterval", "4"}), 0);
    EXPECT_EQ(settings({file, "FILE", "Last File Saved"}, &out), 0);
    EXPECT_EQ(out, "a.gvx\n");
    EXPECT_EQ(settings({file, "NAVIGATION_SETTINGS", "TrackInterval"}, &out), 0);
    EXPECT_EQ(out, "4\n");
    std::string text;
    ASSERT_TRUE(readWholeFile(file, text));
    EXPECT_NE(text.find("; the surveyor's note"), std::string::npos);

    EXPECT_EQ(settings({file, "FILE", "Missing"}), 1);
    EXPECT_EQ(settings({file, "FILE"}), 2);
}

} // namespace
} // namespace selvir::cli
