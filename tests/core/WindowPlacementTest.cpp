#include "core/WindowPlacement.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace selvir {
namespace {

constexpr int kScreenW = 1920, kScreenH = 1080;

TEST(WindowPlacement, SaveThenRestoreWithAndWithoutSize) {
    test::TempDir dir;
    ProfileStore store(dir / "s.INI");
    ASSERT_TRUE(saveWindowPlacement(store, "FNav", {WindowState::Normal, 100, 50, 800, 600}));
    EXPECT_EQ(store.readString("FNav", "WindowState"), "0");
    const auto withSize = restoreWindowPlacement(store, "FNav", true, 1, 1, kScreenW, kScreenH);
    EXPECT_FALSE(withSize.maximise);
    EXPECT_EQ(withSize.left, 100);
    EXPECT_EQ(withSize.top, 50);
    EXPECT_EQ(withSize.width.value_or(0), 800);
    EXPECT_EQ(withSize.height.value_or(0), 600);
    const auto withoutSize = restoreWindowPlacement(store, "FNav", false, 1, 1, kScreenW, kScreenH);
    EXPECT_FALSE(withoutSize.width.has_value());
}

TEST(WindowPlacement, MaximisedIgnoresThePosition) {
    test::TempDir dir;
    ProfileStore store(dir / "s.INI");
    saveWindowPlacement(store, "FNav", {WindowState::Maximised, 300, 300, 10, 10});
    const auto p = restoreWindowPlacement(store, "FNav", true, 640, 480, kScreenW, kScreenH);
    EXPECT_TRUE(p.maximise);
}

TEST(WindowPlacement, OffScreenPositionsComeBackToZero) {
    test::TempDir dir;
    ProfileStore store(dir / "s.INI");
    struct Row {
        int left, top, expectLeft, expectTop;
    };
    const Row rows[] = {
        {-50, 10, 0, 10}, {10, -1, 10, 0}, {1920, 10, 0, 10}, {1919, 1079, 1919, 1079}, {5000, 1080, 0, 0}};
    for (const Row& row : rows) {
        saveWindowPlacement(store, "W", {WindowState::Normal, row.left, row.top, 10, 10});
        const auto p = restoreWindowPlacement(store, "W", false, 0, 0, kScreenW, kScreenH);
        EXPECT_EQ(p.left, row.expectLeft) << row.left;
        EXPECT_EQ(p.top, row.expectTop) << row.top;
    }
}

TEST(WindowPlacement, MissingSectionGivesOriginAndCurrentSize) {
    test::TempDir dir;
    ProfileStore store(dir / "s.INI");
    const auto p = restoreWindowPlacement(store, "Offsets", true, 640, 480, kScreenW, kScreenH);
    EXPECT_FALSE(p.maximise);
    EXPECT_EQ(p.left, 0);
    EXPECT_EQ(p.top, 0);
    EXPECT_EQ(p.width.value_or(0), 640);
    EXPECT_EQ(p.height.value_or(0), 480);
}

// A window manager puts a frame around the client: restoring moves the frame, so saving must keep the
// frame's corner, or the window creeps by its frame at every start.
TEST(WindowPlacement, FramedWindowComesBackWhereItStood) {
    test::TempDir dir;
    ProfileStore store(dir / "s.INI");
    constexpr int frameLeft = 4, titleBar = 24; // client corner minus frame corner
    int frameX = 100, frameY = 80;
    for (int start = 0; start < 3; ++start) {
        const ScreenRect client{frameX + frameLeft, frameY + titleBar, 900, 650};
        saveWindowPlacement(
            store, "FNav",
            windowGeometryToSave(WindowState::Normal, frameX, frameY, client.left, client.top, client));
        const auto p = restoreWindowPlacement(store, "FNav", true, 1, 1, kScreenW, kScreenH);
        frameX = p.left; // the next start moves the frame here
        frameY = p.top;
        EXPECT_EQ(frameX, 100) << "start " << start;
        EXPECT_EQ(frameY, 80) << "start " << start;
        EXPECT_EQ(p.width.value_or(0), 900);
        EXPECT_EQ(p.height.value_or(0), 650);
    }
    // Maximised: the normal place is kept, with the same frame margins taken off.
    const auto maximised = windowGeometryToSave(WindowState::Maximised, 0, 0, frameLeft, titleBar,
                                                ScreenRect{204, 324, 800, 600});
    EXPECT_EQ(maximised.left, 200);
    EXPECT_EQ(maximised.top, 300);
    EXPECT_EQ(maximised.state, WindowState::Maximised);
}

} // namespace
} // namespace selvir
