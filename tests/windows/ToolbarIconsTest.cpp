#include "windows/ToolbarIcons.h"

#include "NavWindowFixture.h"

#include <QImage>
#include <QToolBar>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace selvir {
namespace {

constexpr int kIconPx = 24;

// Pixels an icon actually paints: antialiasing fringes below this alpha do not count.
int paintedPixels(const QImage& image) {
    constexpr int kMinAlpha = 64;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    int painted = 0;
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            painted += qAlpha(argb.pixel(x, y)) >= kMinAlpha ? 1 : 0;
        }
    }
    return painted;
}

QImage render(const QString& name) {
    return toolbarIcon(name).pixmap(kIconPx, kIconPx).toImage();
}

std::vector<std::string> iconNames() {
    std::vector<std::string> names;
    for (const QString& name : toolbarIconNames()) {
        names.push_back(name.toStdString());
    }
    return names;
}

class ToolbarIconTest : public ::testing::TestWithParam<std::string> {};

// A missing resource gives a null icon; a missing SVG plugin or a broken file an empty pixmap; a stray
// background rectangle a full one.
TEST_P(ToolbarIconTest, DrawsAShapeAt24Px) {
    const QString name = QString::fromStdString(GetParam());
    ASSERT_FALSE(toolbarIcon(name).isNull());
    const QImage image = render(name);
    ASSERT_EQ(image.width(), kIconPx);
    ASSERT_EQ(image.height(), kIconPx);
    const int painted = paintedPixels(image);
    EXPECT_GE(painted, kIconPx * kIconPx / 5) << "too little drawn"; // the sparsest, a line, paints a quarter
    EXPECT_LE(painted, kIconPx * kIconPx * 19 / 20) << "a filled square";
}

INSTANTIATE_TEST_SUITE_P(EveryName, ToolbarIconTest, ::testing::ValuesIn(iconNames()),
                         [](const auto& info) { return info.param; });

TEST(ToolbarIconsTest, NoTwoNamesShareADrawing) {
    const QStringList names = toolbarIconNames();
    std::vector<QImage> images;
    for (const QString& name : names) {
        images.push_back(render(name));
    }
    for (qsizetype i = 0; i < names.size(); ++i) {
        for (qsizetype j = i + 1; j < names.size(); ++j) {
            EXPECT_NE(images[i], images[j]) << names[i].toStdString() << " and " << names[j].toStdString();
        }
    }
}

TEST(ToolbarIconsTest, NamesWithoutAnIconGiveANullIcon) {
    // The realtime switch shows its caption, names are case-sensitive, and a file name is not a name.
    for (const char* name : {"", "Realtime", "zoomin", "Zoomin.svg", "ToolButton1", "tRealtime"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(toolbarIcon(QString::fromUtf8(name)).isNull());
    }
}

using MainWindowToolbarIconsTest = test::NavWindowFixture;

// The main window's action names and the icon names must not drift apart.
TEST_F(MainWindowToolbarIconsTest, EveryNamedActionOnTheToolbarsHasAnIcon) {
    make();
    int checked = 0;
    for (const QToolBar* bar : window->findChildren<QToolBar*>()) {
        for (const QAction* action : bar->actions()) {
            if (action->isSeparator() || action->objectName().isEmpty()) {
                continue; // separators and the realtime switch, a widget of its own
            }
            EXPECT_FALSE(toolbarIcon(action->objectName()).isNull()) << action->objectName().toStdString();
            ++checked;
        }
    }
    EXPECT_GE(checked, 15);
}

} // namespace
} // namespace selvir
