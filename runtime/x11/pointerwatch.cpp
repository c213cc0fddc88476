#include "pointerwatch.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QWindow>

#include "runtime/services.h"
#include "x11stack.h"

namespace rt {

namespace {

// Remembered answers are asked again after this long even when nothing was
// seen to change, in case the window system left a change unreported.
constexpr qint64 kMaxAgeMs = 50;

bool isMouseInput(QEvent::Type t) {
    return t == QEvent::MouseMove || t == QEvent::MouseButtonPress ||
           t == QEvent::MouseButtonRelease || t == QEvent::MouseButtonDblClick;
}

// The topmost visible window of the program at a point, by the geometry the
// program knows (the window system cannot be asked on this platform).
QWidget* ownTopLevelAt(QPoint screen) {
    QWidget* top = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible() || !w->geometry().contains(screen)) continue;
        top = w;
        if (w == QApplication::activeWindow()) break;
    }
    return top;
}

}  // namespace

PointerWatch::PointerWatch() = default;

void PointerWatch::install() {
    if (installed_ || !qApp) return;
    installed_ = true;
    qApp->installEventFilter(this);
    connect(qApp, &QGuiApplication::focusWindowChanged, this,
            [this](QWindow* now) { activationChanged(now); });
}

QPoint PointerWatch::cursorPos() {
    install();
    if (!posKnown_ || posAge_.elapsed() >= kMaxAgeMs) {
        pos_ = QCursor::pos();
        ++queries_;
        posKnown_ = true;
        posAge_.start();
    }
    return pos_;
}

QWidget* PointerWatch::topLevelAt(QPoint screen) {
    install();
    if (screen == topPoint_ && stamp() == topGeneration_ && topAge_.elapsed() < kMaxAgeMs)
        return top_;
    top_ = x11::available() ? x11::topLevelAt(screen) : ownTopLevelAt(screen);
    ++queries_;
    topPoint_ = screen;
    topGeneration_ = stamp();
    topAge_.start();
    return top_;
}

void PointerWatch::setCapture(QWidget* w) {
    install();
    holder_ = w;
}

void PointerWatch::activationChanged(QWindow* now) {
    somethingChanged();
    // Another window of this or another program took the activation.
    if (holder_ && (!now || now != holder_->window()->windowHandle())) TakeCaptureAway();
}

bool PointerWatch::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched->isWindowType()) {
        if (isMouseInput(type)) {
            const QPoint at = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
            if (at != pos_ || !posKnown_ || type != QEvent::MouseMove) somethingChanged();
            pos_ = at;
            posKnown_ = true;
            posAge_.start();
        }
        switch (type) {
            case QEvent::Leave:
                posKnown_ = false;
                somethingChanged();
                // The pointer went into a window the holder gets no input
                // from: give it the first move outside, as a held capture
                // would have.
                if (holder_ && QGuiApplication::mouseButtons() == Qt::NoButton)
                    QMetaObject::invokeMethod(
                        this, [this] { moveHolderToPointer(); }, Qt::QueuedConnection);
                break;
            case QEvent::Enter:
                posKnown_ = false;
                somethingChanged();
                break;
            case QEvent::Expose:
            case QEvent::Show:
            case QEvent::Hide:
            case QEvent::Move:
            case QEvent::Resize:
            case QEvent::WindowStateChange:
            case QEvent::ActivationChange:
                somethingChanged();
                break;
            default:
                break;
        }
        return false;
    }
    if (!watched->isWidgetType()) return false;
    switch (type) {
        // A control shown, hidden, moved or restacked may now lie under the
        // pointer, or no longer.
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::ZOrderChange:
        case QEvent::ParentChange:
        case QEvent::EnabledChange:
            somethingChanged();
            return false;
        default:
            break;
    }
    if (holder_ && isMouseInput(type))
        return redirectToHolder(static_cast<QWidget*>(watched), event);
    return false;
}

bool PointerWatch::redirectToHolder(QWidget* receiver, QEvent* event) {
    QWidget* holder = holder_;
    if (receiver == holder || holder->isAncestorOf(receiver)) return false;
    const auto* e = static_cast<QMouseEvent*>(event);
    QMouseEvent moved(e->type(), holder->mapFromGlobal(e->globalPosition()), e->globalPosition(),
                      e->button(), e->buttons(), e->modifiers());
    QApplication::sendEvent(holder, &moved);
    // The holder let the capture go on this move: the pointer has left it.
    // As after any release, the move then belongs to the control under the
    // pointer, which would otherwise not see the pointer arrive (a move
    // straight from one button onto the next is often a single event) and
    // would show a click's hover look with no leave poll running.
    if (holder_ != holder && event->type() == QEvent::MouseMove &&
        QGuiApplication::mouseButtons() == Qt::NoButton)
        return false;
    return true;
}

void PointerWatch::moveHolderToPointer() {
    QWidget* holder = holder_;
    if (!holder || QGuiApplication::mouseButtons() != Qt::NoButton) return;
    posKnown_ = false;
    const QPointF global = cursorPos();
    QMouseEvent moved(QEvent::MouseMove, holder->mapFromGlobal(global), global, Qt::NoButton,
                      Qt::NoButton, QGuiApplication::keyboardModifiers());
    QApplication::sendEvent(holder, &moved);
}

}  // namespace rt
