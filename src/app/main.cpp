// The desktop program: reads the visual style, starts the toolkit, creates the windows with the main
// window first, and runs until the main window closes.
#include "core/ProfileStore.h"
#include "windows/AppContext.h"
#include "windows/TFMsg.h"
#include "windows/TFNav.h"

#include <QApplication>
#include <QMessageBox>
#include <QStyleFactory>
#include <exception>
#include <filesystem>
#include <system_error>

namespace {

std::filesystem::path executablePath(const char* argv0) {
    std::error_code ec;
    auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec && !self.empty()) {
        return self;
    }
    return std::filesystem::absolute(argv0, ec);
}

// A style of that name when the toolkit has one (the theme window applies the full theme rules).
void applyThemeStyle(const QString& theme) {
    for (const QString& key : QStyleFactory::keys()) {
        if (key.compare(theme, Qt::CaseInsensitive) == 0) {
            QApplication::setStyle(QStyleFactory::create(key));
            return;
        }
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication::setApplicationName(QStringLiteral("SelvirHS"));
    selvir::AppContext context = selvir::desktopAppContext(executablePath(argv[0]));

    // 1. The visual style, read before any window exists.
    std::string theme;
    {
        const selvir::ProfileStore settings(context.settingsFile);
        theme = settings.readString("APPLICATION", "ThemeStyle", "Selvir HS - Default");
    }

    // 2. The toolkit, the style and the title.
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Selvir HS"));
    applyThemeStyle(QString::fromStdString(theme));

    try {
        // 3. The windows, main window first; closing it ends the program.
        selvir::TFMsg messages;
        selvir::TFNav window(context, &messages);
        window.FormShow();
        window.show();
        // 4. The message loop.
        return app.exec();
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QStringLiteral("Selvir HS"), QString::fromUtf8(error.what()));
        return 1;
    }
}
