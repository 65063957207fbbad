#include "navigation/DataFolderLock.h"

#include "support/TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace selvir {
namespace {

TEST(DataFolderLock, OneProgramPerDataFolder) {
    test::TempDir dir;
    const auto root = dir / "GVX";
    {
        const DataFolderLock first(root);
        ASSERT_TRUE(first.owned()) << first.error();
        const DataFolderLock second(root);
        EXPECT_FALSE(second.owned());
        EXPECT_NE(second.error().find(root.string()), std::string::npos) << second.error();
        EXPECT_NE(second.error().find("in use by another running program"), std::string::npos);
        EXPECT_TRUE(DataFolderLock(dir / "other").owned()) << "another folder is free";
    }
    EXPECT_TRUE(DataFolderLock(root).owned()) << "free again once the owner has gone";
}

TEST(DataFolderLock, ALockLeftByACrashedProgramIsTakenOver) {
    test::TempDir dir;
    // A program that takes the lock and dies without letting it go.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        new DataFolderLock(dir.path()); // never destroyed: the lock file stays behind
        std::_Exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(std::filesystem::exists(dir / DataFolderLock::kFileName));
    EXPECT_TRUE(DataFolderLock(dir.path()).owned());
}

} // namespace
} // namespace selvir
