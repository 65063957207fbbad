#include "windows/WidgetPlacement.h"

#include "core/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace selvir {

void saveWidgetPlacement(ProfileStore& store, std::string_view windowName, const QWidget& window) {
    const WindowState state = window.isMaximized()   ? WindowState::Maximised
                              : window.isMinimized() ? WindowState::Minimised
                                                     : WindowState::Normal;
    const QRect normal = window.normalGeometry().isValid() ? window.normalGeometry() : window.geometry();
    const QRect client = window.geometry();
    const QPoint frame = window.pos(); // the frame's top-left, where move() puts it back
    saveWindowPlacement(
        store, windowName,
        windowGeometryToSave(state, frame.x(), frame.y(), client.x(), client.y(),
                             ScreenRect{normal.x(), normal.y(), normal.width(), normal.height()}));
}

void restoreWidgetPlacement(const ProfileStore& store, std::string_view windowName, QWidget& window,
                            bool withSize) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    const QSize screenSize = screen ? screen->size() : QSize(1920, 1080);
    const PlacementToApply place =
        restoreWindowPlacement(store, windowName, withSize, window.width(), window.height(),
                               screenSize.width(), screenSize.height());
    if (place.maximise) {
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
        return;
    }
    if (withSize) {
        window.resize(place.width.value_or(window.width()), place.height.value_or(window.height()));
    }
    window.move(place.left, place.top);
}

void placeToolWindow(const ProfileStore& store, std::string_view windowName, QWidget& window) {
    if (store.sectionExists(windowName)) {
        restoreWidgetPlacement(store, windowName, window, false);
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        window.move(screen->geometry().center() - window.rect().center());
    }
}

void restoreWidgetPlacementOr(const ProfileStore& store, std::string_view windowName, QWidget& window,
                              bool withSize, Qt::Corner firstCorner, int inwardPx) {
    if (store.sectionExists(windowName)) {
        restoreWidgetPlacement(store, windowName, window, withSize);
        return;
    }
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    constexpr int kMarginPx = 8;
    const QRect free = screen->availableGeometry().adjusted(kMarginPx, kMarginPx, -kMarginPx, -kMarginPx);
    const QSize frame = window.frameGeometry().size();
    const bool right = firstCorner == Qt::TopRightCorner || firstCorner == Qt::BottomRightCorner;
    const bool bottom = firstCorner == Qt::BottomLeftCorner || firstCorner == Qt::BottomRightCorner;
    window.move(right ? free.right() - frame.width() : free.left(),
                bottom ? free.bottom() - frame.height() - inwardPx : free.top() + inwardPx);
}

} // namespace selvir
