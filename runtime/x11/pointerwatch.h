#pragma once
// The real host's pointer and capture. The capture works as a Windows mouse
// capture does while no button is held: the holder gets the mouse input
// of every window of this program, while a window of another program keeps
// its own clicks (no pointer grab on the server; a held button's implicit
// grab covers drags). The pointer position and the window at a point are
// remembered between the 1 ms polls of the controls and asked of the window
// system again only when something may have changed (see PointerChanges),
// or after a short while.
//
// When the pointer leaves our window the holder gets one move at the
// pointer, so it sees the first move outside. A move the holder answers by
// releasing the capture goes on to the control under the pointer, as after
// any release: a move straight from one button onto the next is often a
// single event, and without it the next button would never see the pointer
// arrive. The capture is taken away (TakeCaptureAway) before a message or
// input box opens, when another window of this or another program is
// activated, and when the holder is disabled.
#include <QElapsedTimer>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>

#include "runtime/host.h"

class QWindow;

namespace rt {

class PointerWatch : public PointerChanges {
public:
    PointerWatch();

    QPoint cursorPos();
    // The program's top-level widget at a screen point; nullptr when a window
    // of another program lies there.
    QWidget* topLevelAt(QPoint screen);

    QWidget* capture() const { return holder_; }
    void setCapture(QWidget* w);
    void releaseCapture() { holder_ = nullptr; }

    // How many times the window system was asked (for the benchmark).
    int queries() const { return queries_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void install();
    void somethingChanged() { bump(); }
    bool redirectToHolder(QWidget* receiver, QEvent* event);
    void moveHolderToPointer();
    void activationChanged(QWindow* now);

    bool installed_ = false;
    QPointer<QWidget> holder_;
    int queries_ = 0;

    QPoint pos_;
    bool posKnown_ = false;
    QElapsedTimer posAge_;

    QPoint topPoint_;
    quint64 topGeneration_ = ~quint64{0};
    QPointer<QWidget> top_;
    QElapsedTimer topAge_;
};

}  // namespace rt
