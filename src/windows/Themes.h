#pragma once
// The program's named visual styles ("themes"): Qt's Fusion style with a palette and a style sheet of
// our own, listed, activated by name and asked for their panel colour. One of them, named after the
// stored default "Selvir HS - Default", is the toolkit's plain look (its own style and palette, no
// style sheet). Light, dark and high-contrast ones are among them, the high-contrast ones for reading
// in sunlight on deck and at night.
//
// A name that is no theme is reported through the caller's callback and leaves the look in force.

#include <QColor>
#include <QString>
#include <QStringList>
#include <functional>

namespace selvir {

inline constexpr const char* kDefaultThemeName = "Selvir HS - Default";
// The theme a stored name that is not the default first falls back to.
inline constexpr const char* kStartupFallbackThemeName = "Aqua Light Slate";
// Settings file section and key of the stored theme.
inline constexpr const char* kThemeSection = "APPLICATION";
inline constexpr const char* kThemeKey = "ThemeStyle";

using ThemeReport = std::function<void(const QString& message)>;

// Every theme name, in the order the theme window lists them.
QStringList themeNames();

// Makes the theme of that name the application's look. False, after `reportUnknown` was told why, when
// no theme has that name (names are matched exactly).
bool activateTheme(const QString& name, const ThemeReport& reportUnknown);

// The theme activated last; the default name before any activation.
QString activeThemeName();

// The window (panel) colour of the look in force.
QColor activePanelColor();

// The start of the process: a stored name other than the default first activates "Aqua Light Slate",
// then the stored name; so a stored name that is no theme is reported and leaves "Aqua Light Slate".
void applyStartupTheme(const QString& storedName, const ThemeReport& reportUnknown);

// What the report of an unknown theme says.
QString unknownThemeMessage(const QString& name);

} // namespace selvir
