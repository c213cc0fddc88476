#include "platform.h"

#include <xcb/xcb.h>

#include <QtGlobal>

namespace rt {

QByteArray platformFor(const QByteArray& requested, const QByteArray& display,
                       const std::function<bool()>& displayReachable) {
    if (!requested.isEmpty() || display.isEmpty()) return {};
    return displayReachable() ? QByteArrayLiteral("xcb") : QByteArray();
}

void choosePlatform() {
    const QByteArray chosen = platformFor(qgetenv("QT_QPA_PLATFORM"), qgetenv("DISPLAY"), [] {
        xcb_connection_t* c = xcb_connect(nullptr, nullptr);
        const bool ok = xcb_connection_has_error(c) == 0;
        xcb_disconnect(c);
        return ok;
    });
    if (!chosen.isEmpty()) qputenv("QT_QPA_PLATFORM", chosen);
}

}  // namespace rt
