#include "windows/ToolbarIcons.h"

#include <QFile>
#include <utility>

// Q_INIT_RESOURCE declares a function of the global namespace, so it cannot be called inside ours. The
// resource sits in a static library: unless something calls this, the linker drops it.
static void registerIconResource() {
    Q_INIT_RESOURCE(icons);
}

namespace selvir {

namespace {

// Object names of the toolbar actions; each one is icons/<name>.svg.
constexpr const char* kIconNames[] = {
    // Survey toolbar
    "ToolButton156", // open layout
    "ToolButton158", // save layout
    "ToolButton5",   // follow vessel
    "ToolButton13",  // do not follow vessel
    "btEventAdd",
    "btEventReset",
    "bRestart",
    "bExit",
    // Editing toolbar
    "ToolButton11", // clear user-drawn shapes
    "bSelectTracks",
    "bMouseSelect",
    "bDeleteSelected",
    "tbFixed", // clear RTK-fixed tracklines
    "tbFloat",
    "tbAuto", // clear no-fix tracklines
    // Drawing and zoom toolbar
    "ToolButton7",  // point
    "ToolButton12", // line
    "ToolButton21", // rectangle
    "ToolButton23", // polyline
    "ToolButton27", // ellipse
    "ToolButton28", // polygon
    "ToolButton29", // spline
    "ToolButton30", // three-point arc
    "ToolButton31", // circle
    "Zoomwindow",
    "Zoomdynamic",
    "Zoomin",
    "Zoomout",
    "Zoomextents",
    // Settings and tool windows
    "DeviceSettings",
    "Offsets",
    "NavigationSettings",
    "tbRunline", // runline generator
    "SoundVelocity",
    "RealtimeWindow",
    // Realtime data window
    "btHide",        // full-screen map on
    "btHideRestore", // full-screen map off: its second image
    "btOpenLogFolder",
};

// Toolbar actions that show the icon of another name: (action, icon).
constexpr std::pair<const char*, const char*> kIconAliases[] = {
    {"ConnectIcon", "DeviceSettings"}, // the "Settings" button opens the device settings
};

QString resourcePath(const QString& name) {
    return QStringLiteral(":/icons/%1.svg").arg(name);
}

} // namespace

QIcon toolbarIcon(const QString& objectName) {
    static const bool registered = (registerIconResource(), true);
    (void)registered;
    for (const auto& [action, icon] : kIconAliases) {
        if (objectName == QLatin1String(action)) {
            return toolbarIcon(QLatin1String(icon));
        }
    }
    for (const char* name : kIconNames) {
        if (objectName == QLatin1String(name)) {
            // A missing file would give an icon that draws nothing; null says so to the caller.
            const QString path = resourcePath(objectName);
            return QFile::exists(path) ? QIcon(path) : QIcon();
        }
    }
    return {};
}

QStringList toolbarIconNames() {
    QStringList names;
    for (const char* name : kIconNames) {
        names.append(QLatin1String(name));
    }
    return names;
}

} // namespace selvir
