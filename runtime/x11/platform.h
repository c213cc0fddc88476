#pragma once
// Which Qt platform the programs run on. The controls follow the pointer
// through its global position and the window under it, which a native
// Wayland client cannot see (its cursor position stays at the last point
// inside its own windows); so whenever an X display is reachable (XWayland
// included) and nothing else was asked for, the programs run on X11.
#include <QByteArray>
#include <functional>

namespace rt {

// The platform to ask for, or an empty value to leave Qt's own choice:
// `requested` is QT_QPA_PLATFORM, `display` is DISPLAY.
QByteArray platformFor(const QByteArray& requested, const QByteArray& display,
                       const std::function<bool()>& displayReachable);

// Sets QT_QPA_PLATFORM accordingly; before the application object exists.
void choosePlatform();

}  // namespace rt
