#pragma once
// A window's remembered placement, saved and restored in the section named after the window. Every
// window that remembers its place uses this pair, so they all treat the frame and the screen alike.

#include "core/ProfileStore.h"

#include <Qt>
#include <string_view>

class QWidget;

namespace selvir {

// Writes the state, the frame's top-left and the client size of the window's normal state.
void saveWidgetPlacement(ProfileStore& store, std::string_view windowName, const QWidget& window);
// Maximises the window, or moves its frame back and, with `withSize`, sizes its client, kept on the
// window's screen.
void restoreWidgetPlacement(const ProfileStore& store, std::string_view windowName, QWidget& window,
                            bool withSize);
// The same when the window has a stored placement; a window shown for the first time goes to that
// corner of the screen's free area instead of the top-left, where it would cover the main window's menu,
// moved `inwardPx` towards the middle (down from a top corner, up from a bottom one).
void restoreWidgetPlacementOr(const ProfileStore& store, std::string_view windowName, QWidget& window,
                              bool withSize, Qt::Corner firstCorner, int inwardPx = 0);

// A tool window's first showing: where it was saved (position only), or centred on the screen when it
// has never been placed.
void placeToolWindow(const ProfileStore& store, std::string_view windowName, QWidget& window);

} // namespace selvir
