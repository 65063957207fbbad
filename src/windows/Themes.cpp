#include "windows/Themes.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

namespace selvir {

namespace {

// A theme's colours ("#rrggbb") and the width of its frames. Panels are `window`; edits and lists
// `base`; the selection `highlight`.
struct ThemeLook {
    const char* name;
    const char* window;
    const char* windowText;
    const char* base;
    const char* alternateBase;
    const char* text;
    const char* button;
    const char* buttonText;
    const char* highlight;
    const char* highlightedText;
    const char* border;
    const char* disabledText;
    int borderPx; // 2 for the high-contrast themes: frames and buttons stand out in glare
};

constexpr ThemeLook kThemes[] = {
    {"Aqua Light Slate", "#dfe6ee", "#1e2b38", "#ffffff", "#eef3f8", "#1e2b38", "#cdd8e3", "#1e2b38",
     "#1a9bbf", "#ffffff", "#7d8fa3", "#8a97a5", 1},
    {"Sky Light", "#eef2f7", "#111827", "#ffffff", "#f3f6fa", "#111827", "#e2e8f0", "#111827", "#2563eb",
     "#ffffff", "#9aa7b8", "#8b95a3", 1},
    {"Sand Light", "#f1ebe0", "#2b2118", "#fffdf8", "#f7f1e6", "#2b2118", "#e4d9c6", "#2b2118", "#b5651d",
     "#ffffff", "#a8977c", "#9a8b74", 1},
    {"Carbon", "#2b2d30", "#e6e6e6", "#1e1f22", "#26282b", "#e6e6e6", "#3a3d41", "#f0f0f0", "#3d8fd1",
     "#ffffff", "#55595f", "#7c8087", 1},
    {"Tablet Dark", "#1c2430", "#dfe7f1", "#121821", "#18202b", "#dfe7f1", "#283445", "#eef3f9", "#2f7fbf",
     "#ffffff", "#3d4b5e", "#6c7a8c", 1},
    {"Glow", "#202020", "#f2e6d8", "#161616", "#1c1c1c", "#f2e6d8", "#333333", "#ffd9b0", "#ff8c1a",
     "#000000", "#6b4a2b", "#7d7368", 1},
    {"Night Red", "#140000", "#ff5c5c", "#0a0000", "#1a0303", "#ff5c5c", "#2a0000", "#ff7070", "#b30000",
     "#ffd0d0", "#661a1a", "#803333", 1},
    {"Sunlight High Contrast", "#ffffff", "#000000", "#ffffff", "#ebebeb", "#000000", "#ffffff", "#000000",
     "#0000c0", "#ffffff", "#000000", "#595959", 2},
    {"Night High Contrast", "#000000", "#ffff00", "#000000", "#1a1a1a", "#ffffff", "#000000", "#ffff00",
     "#00ffff", "#000000", "#ffffff", "#a0a0a0", 2},
};

const ThemeLook* findLook(const QString& name) {
    for (const ThemeLook& look : kThemes) {
        if (name == QLatin1String(look.name)) {
            return &look;
        }
    }
    return nullptr;
}

QPalette paletteOf(const ThemeLook& look) {
    const QColor button(QLatin1String(look.button));
    QPalette palette(button, QColor(QLatin1String(look.window)));
    const auto all = [&palette](QPalette::ColorRole role, const char* color) {
        palette.setColor(role, QColor(QLatin1String(color)));
    };
    all(QPalette::WindowText, look.windowText);
    all(QPalette::Base, look.base);
    all(QPalette::AlternateBase, look.alternateBase);
    all(QPalette::Text, look.text);
    all(QPalette::Button, look.button);
    all(QPalette::ButtonText, look.buttonText);
    all(QPalette::BrightText, look.highlightedText);
    all(QPalette::Highlight, look.highlight);
    all(QPalette::HighlightedText, look.highlightedText);
    all(QPalette::ToolTipBase, look.base);
    all(QPalette::ToolTipText, look.text);
    all(QPalette::Link, look.highlight);
    all(QPalette::PlaceholderText, look.disabledText);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Disabled, role, QColor(QLatin1String(look.disabledText)));
    }
    return palette;
}

QString styleSheetOf(const ThemeLook& look) {
    QString sheet =
        QStringLiteral("QToolTip { color: %1; background-color: %2; border: 1px solid %3; padding: 2px; }"
                       "QGroupBox { border: %4px solid %3; border-radius: 4px; margin-top: 1.1em; "
                       "padding-top: 0.3em; }"
                       "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; "
                       "left: 8px; padding: 0 4px; color: %5; font-weight: bold; }"
                       "QMenuBar { border-bottom: 1px solid %3; }")
            .arg(QLatin1String(look.text), QLatin1String(look.base), QLatin1String(look.border))
            .arg(look.borderPx)
            .arg(QLatin1String(look.windowText));
    if (look.borderPx > 1) {
        sheet += QStringLiteral("QPushButton { border: 2px solid %1; border-radius: 3px; padding: 4px 12px; "
                                "background-color: %2; color: %3; font-weight: bold; }"
                                "QPushButton:focus, QPushButton:hover { border-color: %4; }"
                                "QLineEdit, QListWidget, QPlainTextEdit, QComboBox { border: 2px solid %1; }")
                     .arg(QLatin1String(look.border), QLatin1String(look.button),
                          QLatin1String(look.buttonText), QLatin1String(look.highlight));
    }
    return sheet;
}

// The style the toolkit started with: the plain look comes back to it.
const QString& plainStyleName() {
    static const QString name =
        QApplication::style() ? QApplication::style()->name() : QStringLiteral("Fusion");
    return name;
}

void useStyle(const QString& name) {
    if (QApplication::style() && QApplication::style()->name().compare(name, Qt::CaseInsensitive) == 0) {
        return; // a new style object would repolish every widget for nothing
    }
    QApplication::setStyle(QStyleFactory::create(name));
}

QString& activeName() {
    static QString name = QString::fromUtf8(kDefaultThemeName);
    return name;
}

} // namespace

QStringList themeNames() {
    QStringList names{QString::fromUtf8(kDefaultThemeName)};
    for (const ThemeLook& look : kThemes) {
        names.append(QString::fromUtf8(look.name));
    }
    return names;
}

QString unknownThemeMessage(const QString& name) {
    return QStringLiteral("The theme \"%1\" is not available; the look stays as it is.").arg(name);
}

bool activateTheme(const QString& name, const ThemeReport& reportUnknown) {
    const QString plain = plainStyleName(); // noted before the first change
    const ThemeLook* look = findLook(name);
    const bool isPlain = name == QLatin1String(kDefaultThemeName);
    if (!look && !isPlain) {
        if (reportUnknown) {
            reportUnknown(unknownThemeMessage(name));
        }
        return false;
    }
    // Without a style sheet the application's style is the style itself, not the sheet's wrapper.
    qApp->setStyleSheet(QString());
    if (isPlain) {
        useStyle(plain);
        QApplication::setPalette(QApplication::style()->standardPalette());
    } else {
        useStyle(QStringLiteral("Fusion"));
        QApplication::setPalette(paletteOf(*look));
        qApp->setStyleSheet(styleSheetOf(*look));
    }
    activeName() = name;
    return true;
}

QString activeThemeName() {
    return activeName();
}

QColor activePanelColor() {
    return QApplication::palette().color(QPalette::Window);
}

void applyStartupTheme(const QString& storedName, const ThemeReport& reportUnknown) {
    if (storedName != QLatin1String(kDefaultThemeName)) {
        activateTheme(QString::fromUtf8(kStartupFallbackThemeName), reportUnknown);
    }
    activateTheme(storedName, reportUnknown);
}

} // namespace selvir
