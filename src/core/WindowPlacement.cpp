#include "core/WindowPlacement.h"

namespace selvir {

bool saveWindowPlacement(ProfileStore& store, std::string_view windowName, const WindowGeometry& geometry) {
    return store.update([&](IniDocument& doc) {
        doc.setValue(windowName, "WindowState", std::to_string(static_cast<int>(geometry.state)));
        doc.setValue(windowName, "Left", std::to_string(geometry.left));
        doc.setValue(windowName, "Top", std::to_string(geometry.top));
        doc.setValue(windowName, "Width", std::to_string(geometry.width));
        doc.setValue(windowName, "Height", std::to_string(geometry.height));
    });
}

WindowGeometry windowGeometryToSave(WindowState state, int frameLeft, int frameTop, int clientLeft,
                                    int clientTop, const ScreenRect& normalClient) {
    // The frame's margins, taken from where the window stands now, applied to its normal place.
    WindowGeometry out;
    out.state = state;
    out.left = normalClient.left - (clientLeft - frameLeft);
    out.top = normalClient.top - (clientTop - frameTop);
    out.width = normalClient.width;
    out.height = normalClient.height;
    return out;
}

PlacementToApply restoreWindowPlacement(const ProfileStore& store, std::string_view windowName, bool withSize,
                                        int currentWidth, int currentHeight, int screenWidth,
                                        int screenHeight) {
    PlacementToApply out;
    if (store.readInteger(windowName, "WindowState", 0) == static_cast<int>(WindowState::Maximised)) {
        out.maximise = true;
        return out;
    }
    out.left = store.readInteger(windowName, "Left", 0);
    out.top = store.readInteger(windowName, "Top", 0);
    if (withSize) {
        out.width = store.readInteger(windowName, "Width", currentWidth);
        out.height = store.readInteger(windowName, "Height", currentHeight);
    }
    if (out.left < 0 || out.left >= screenWidth) {
        out.left = 0;
    }
    if (out.top < 0 || out.top >= screenHeight) {
        out.top = 0;
    }
    return out;
}

} // namespace selvir
