// The themes: readable by the contrast rule of the web accessibility guidelines, applied at start by
// their rules, previewed, saved and cancelled in the theme window.
#include "AuxWindowsFixture.h"
#include "canvaswidget/TSelvirCanvas.h"
#include "windows/Themes.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPalette>
#include <QPushButton>
#include <cmath>
#include <set>

namespace selvir {
namespace {

// Relative luminance and contrast ratio (WCAG 2.x): 4.5 is the least for body text, 7 the enhanced
// level that glare on deck calls for.
double luminance(const QColor& color) {
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF()) + 0.0722 * linear(color.blueF());
}

double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

struct ThemeFixture : test::AuxWindowsFixture {
    void TearDown() override {
        test::AuxWindowsFixture::TearDown();
        activateTheme(QString::fromUtf8(kDefaultThemeName), {});
    }
};

using ThemeRulesTest = ThemeFixture;

TEST_F(ThemeRulesTest, EveryThemeIsReadableAndLooksItsOwn) {
    const QStringList names = themeNames();
    EXPECT_TRUE(names.contains(QStringLiteral("Aqua Light Slate")));
    std::set<QRgb> panels;
    int dark = 0, highContrast = 0;
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_TRUE(activateTheme(name, {}));
        EXPECT_EQ(activeThemeName(), name);
        const QPalette p = QApplication::palette();
        const double least = name.contains(QStringLiteral("High Contrast")) ? 7.0 : 4.5;
        EXPECT_GE(contrast(p.color(QPalette::WindowText), p.color(QPalette::Window)), least);
        EXPECT_GE(contrast(p.color(QPalette::Text), p.color(QPalette::Base)), least);
        EXPECT_GE(contrast(p.color(QPalette::ButtonText), p.color(QPalette::Button)), least);
        EXPECT_GE(contrast(p.color(QPalette::HighlightedText), p.color(QPalette::Highlight)), 3.0);
        EXPECT_EQ(activePanelColor(), p.color(QPalette::Window));
        panels.insert(activePanelColor().rgb());
        dark += luminance(activePanelColor()) < 0.1 ? 1 : 0;
        highContrast += least == 7.0 ? 1 : 0;
    }
    EXPECT_EQ(panels.size(), static_cast<std::size_t>(names.size())) << "two themes share a panel colour";
    EXPECT_GE(dark, 2);
    EXPECT_GE(highContrast, 2);
}

TEST_F(ThemeRulesTest, TheStoredThemeAtStartWinsOrIsReportedAndLeavesAquaLightSlate) {
    ASSERT_TRUE(activateTheme(QStringLiteral("Aqua Light Slate"), {}));
    const QColor aqua = activePanelColor();
    struct Case {
        const char* stored;
        const char* active;
        int reports;
    };
    for (const Case& c :
         {Case{"Carbon", "Carbon", 0}, Case{"No Such Theme", "Aqua Light Slate", 1},
          Case{"carbon", "Aqua Light Slate", 1}, Case{kDefaultThemeName, kDefaultThemeName, 0}}) {
        SCOPED_TRACE(c.stored);
        activateTheme(QString::fromUtf8(kDefaultThemeName), {});
        std::vector<QString> reports;
        applyStartupTheme(QString::fromUtf8(c.stored), [&](const QString& text) { reports.push_back(text); });
        EXPECT_EQ(activeThemeName(), QString::fromUtf8(c.active));
        ASSERT_EQ(static_cast<int>(reports.size()), c.reports);
        if (c.reports > 0) {
            EXPECT_TRUE(reports[0].contains(QString::fromUtf8(c.stored))) << "the report names it";
            EXPECT_EQ(activePanelColor(), aqua);
        }
    }
}

using ThemeWindowTest = ThemeFixture;

TEST_F(ThemeWindowTest, CancelAfterSeveralPreviewsReturnsToTheThemeInForceAtOpen) {
    settings.writeString("APPLICATION", "ThemeStyle", "Carbon"); // stored, but not what is in force
    ASSERT_TRUE(activateTheme(QStringLiteral("Glow"), {}));
    makeAll().FormShow();
    window->Action(QStringLiteral("themeSelection1"))->trigger();
    ASSERT_TRUE(theme->isVisible());
    EXPECT_EQ(theme->RememberedTheme(), QStringLiteral("Glow"));
    EXPECT_EQ(theme->lbThemeList()->currentItem()->text(), QStringLiteral("Glow"));
    EXPECT_EQ(theme->lInfo()->text(),
              QStringLiteral("Available themes: %1. Select to preview.").arg(themeNames().size()));

    for (const char* preview : {"Sunlight High Contrast", "Tablet Dark", "Aqua Light Slate"}) {
        theme->lbThemeList()->setCurrentRow(
            static_cast<int>(themeNames().indexOf(QString::fromUtf8(preview))));
        EXPECT_EQ(activeThemeName(), QString::fromUtf8(preview));
        const QColor panel = activePanelColor();
        EXPECT_EQ(window->Canvas()->BackColor(), makeColor(panel.red(), panel.green(), panel.blue()))
            << "the map follows the panel colour";
    }
    theme->findChild<QPushButton*>(QStringLiteral("bCancel"))->click();
    EXPECT_FALSE(theme->isVisible());
    EXPECT_EQ(activeThemeName(), QStringLiteral("Glow"));
    const QColor glow = activePanelColor();
    EXPECT_EQ(window->Canvas()->BackColor(), makeColor(glow.red(), glow.green(), glow.blue()));
    EXPECT_EQ(settings.readString("APPLICATION", "ThemeStyle", ""), "Carbon") << "nothing stored";

    // Closing the window is no choice either.
    theme->show();
    theme->lbThemeList()->setCurrentRow(static_cast<int>(themeNames().indexOf(QStringLiteral("Carbon"))));
    theme->close();
    EXPECT_EQ(activeThemeName(), QStringLiteral("Glow"));
}

TEST_F(ThemeWindowTest, SaveStoresTheSelectedThemeAndWithoutSelectionNothing) {
    makeAll().FormShow();
    theme->show();
    theme->lbThemeList()->setCurrentRow(static_cast<int>(themeNames().indexOf(QStringLiteral("Night Red"))));
    theme->findChild<QPushButton*>(QStringLiteral("bSaveExit"))->click();
    EXPECT_FALSE(theme->isVisible());
    EXPECT_EQ(settings.readString("APPLICATION", "ThemeStyle", ""), "Night Red");
    EXPECT_EQ(activeThemeName(), QStringLiteral("Night Red")) << "the preview stays in force";

    theme->show();
    theme->lbThemeList()->clearSelection();
    settings.writeString("APPLICATION", "ThemeStyle", "kept");
    theme->bSaveExitClick();
    EXPECT_FALSE(theme->isVisible());
    EXPECT_EQ(settings.readString("APPLICATION", "ThemeStyle", ""), "kept");
    EXPECT_EQ(activeThemeName(), QStringLiteral("Night Red"));
}

} // namespace
} // namespace selvir
