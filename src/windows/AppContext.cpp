#include "windows/AppContext.h"

#include "core/DataFolders.h"
#include "core/SettingsLocation.h"

#include <QStandardPaths>

namespace selvir {

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
