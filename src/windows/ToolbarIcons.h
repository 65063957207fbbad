#pragma once
// The program's own toolbar icons: one SVG per toolbar action, compiled into this library.
//
//     action->setIcon(toolbarIcon(action->objectName()));
//
// The resource is registered on the first call, so callers need no Q_INIT_RESOURCE. The icons are
// drawn by Qt's SVG icon engine (plugin libqsvgicon, Debian libqt6svg6): without it they come out empty.
// They are drawn for 24 and 32 px on a light grey toolbar and on the green one of a running survey.

#include <QIcon>
#include <QString>
#include <QStringList>

namespace selvir {

// The icon of the toolbar action with this object name (exact, case-sensitive; "ConnectIcon" shows
// "DeviceSettings"); a null QIcon for a name without an icon.
QIcon toolbarIcon(const QString& objectName);

// Every object name that has an icon, in toolbar order.
QStringList toolbarIconNames();

} // namespace selvir
