#include "windows/AppContext.h"

#include "core/DataFolders.h"
#include "core/SettingsLocation.h"

#include <QCoreApplication>
#include <QLocale>
#include <QStandardPaths>
#include <clocale>

namespace selvir {

void nameApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("SelvirHS"));
}

void useDotDecimalPointEverywhere() {
    QLocale::setDefault(QLocale::c());
    std::setlocale(LC_NUMERIC, "C");
}

AppContext desktopAppContext(const std::filesystem::path& executable) {
    AppContext context;
    context.executable = executable;
    context.executableDir = executable.parent_path();
    const std::filesystem::path perUser =
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).toStdString();
    context.settingsFile = settingsFilePath(executable, perUser);
    context.dataRoot = defaultDataRoot();
    return context;
}

} // namespace selvir
