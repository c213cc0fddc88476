#include "x11stack.h"

#include <xcb/xcb.h>

#include <QApplication>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <cstdlib>
#include <map>
#include <memory>

namespace rt::x11 {

namespace {

xcb_connection_t* connection() {
    auto* native =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return native ? native->connection() : nullptr;
}

struct FreeReply {
    void operator()(void* p) const { std::free(p); }
};

}  // namespace

bool available() {
    return connection() != nullptr;
}

QWidget* topLevelAt(QPoint screen) {
    xcb_connection_t* c = connection();
    if (!c) return nullptr;
    std::map<xcb_window_t, QWidget*> ours;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowHandle())
            ours[static_cast<xcb_window_t>(w->windowHandle()->winId())] = w;
    if (ours.empty()) return nullptr;

    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const qreal ratio = qGuiApp->devicePixelRatio();
    const auto x = static_cast<int16_t>(screen.x() * ratio);
    const auto y = static_cast<int16_t>(screen.y() * ratio);
    // Down from the root, each step the topmost mapped child at the point:
    // a window manager's frame, then the client window inside it.
    xcb_window_t window = root;
    for (int depth = 0; depth < 8; ++depth) {
        std::unique_ptr<xcb_translate_coordinates_reply_t, FreeReply> reply(
            xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, root, window, x, y),
                                            nullptr));
        if (!reply || reply->child == XCB_NONE) return nullptr;
        if (auto it = ours.find(reply->child); it != ours.end()) return it->second;
        window = reply->child;
    }
    return nullptr;
}

}  // namespace rt::x11
