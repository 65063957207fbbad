#pragma once
// Remembered window placement: one section per window, named after the window, with "WindowState"
// (0 normal, 1 minimised, 2 maximised), "Left", "Top", "Width" and "Height" as decimal text.

#include "core/ProfileStore.h"

#include <optional>
#include <string_view>

namespace selvir {

enum class WindowState { Normal = 0, Minimised = 1, Maximised = 2 };

struct WindowGeometry {
    WindowState state = WindowState::Normal;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// What the window has to do on restore.
struct PlacementToApply {
    bool maximise = false;    // when true nothing else applies
    int left = 0;             // pixels
    int top = 0;              // pixels
    std::optional<int> width; // set only when restoring with size
    std::optional<int> height;
};

bool saveWindowPlacement(ProfileStore& store, std::string_view windowName, const WindowGeometry& geometry);

// A rectangle in screen pixels.
struct ScreenRect {
    int left = 0, top = 0, width = 0, height = 0;
};

// What to save of a window as the toolkit reports it: the top-left of its frame and of its client area
// now, and its client rectangle in the normal state. Restoring moves the frame to Left, Top and sizes
// the client to Width, Height, so Left and Top must be the frame's: saving the client's corner would
// move the window down and right by its frame at every start.
WindowGeometry windowGeometryToSave(WindowState state, int frameLeft, int frameTop, int clientLeft,
                                    int clientTop, const ScreenRect& normalClient);

// Reads the window's section and decides its placement. A stored state of 2 maximises and reads
// nothing else. Otherwise Left and Top default to 0 and, with `withSize`, Width and Height default to
// the current size. A negative Left or Top, a Left at or beyond `screenWidth` and a Top at or beyond
// `screenHeight` become 0, so a window never opens off screen.
PlacementToApply restoreWindowPlacement(const ProfileStore& store, std::string_view windowName, bool withSize,
                                        int currentWidth, int currentHeight, int screenWidth,
                                        int screenHeight);

} // namespace selvir
