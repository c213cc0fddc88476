#pragma once
// The X server's view of which top-level window lies at a point: the windows
// of other programs count, in their stacking order. Qt knows only the
// program's own windows, so a console opened over a button would otherwise
// count as the button.
#include <QPoint>

class QWidget;

namespace rt::x11 {

// Whether the program runs on an X server.
bool available();
// The program's top-level widget that the server finds at a screen point,
// nullptr when a window of another program (or none of ours) lies there.
// Only when available().
QWidget* topLevelAt(QPoint screen);

}  // namespace rt::x11
