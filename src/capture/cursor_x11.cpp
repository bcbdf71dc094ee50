#include "capture/cursor_x11.h"

#include <QtGui/qguiapplication_platform.h>
#include <QGuiApplication>

// X11 headers last: their macros clash with Qt's names.
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

namespace vt {

std::optional<CursorSnapshot> X11CursorSnapshot(QPoint screenOrigin) {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return std::nullopt;
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display* display = x11 ? x11->display() : nullptr;
    int eventBase = 0, errorBase = 0;
    if (!display || !XFixesQueryExtension(display, &eventBase, &errorBase)) return std::nullopt;

    XFixesCursorImage* cursor = XFixesGetCursorImage(display);
    if (!cursor) return std::nullopt;
    CursorSnapshot snapshot;
    snapshot.position = {cursor->x - screenOrigin.x(), cursor->y - screenOrigin.y()};
    snapshot.hotSpot = {cursor->xhot, cursor->yhot};
    snapshot.size = {cursor->width, cursor->height};
    // Each pixel is premultiplied ARGB in the low 32 bits of an unsigned long.
    const std::size_t count = std::size_t(cursor->width) * cursor->height;
    snapshot.pixels.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        snapshot.pixels.push_back(static_cast<std::uint32_t>(cursor->pixels[i]));
    }
    XFree(cursor);
    return snapshot;
}

}  // namespace vt
