#include "platform/screen_metrics.h"

#include <QGuiApplication>
#include <QScreen>

ScreenSize PrimaryScreenSize() {
    if (!QGuiApplication::instance()) return {};
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return {};
    // The full screen, not the work area: windows are centred on the whole
    // display, task bars included.
    const QRect area = screen->geometry();
    return {area.width(), area.height()};
}
