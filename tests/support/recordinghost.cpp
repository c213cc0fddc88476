#include "recordinghost.h"

#include <QApplication>
#include <QDropEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include "runtime/posix/shellstart.h"
#include "runtime/services.h"
#include "runtime/types.h"

namespace testing_support {

RecordingHost::RecordingHost() {
    rt::setHost(this);
}
RecordingHost::~RecordingHost() {
    rt::setHost(nullptr);
}

double RecordingHost::shell(const QString& line, int style) {
    // A minimized console runs hidden on such a desktop (recorded as asked).
    if (noTerminal && style != 0 && style != 2 && style != 6 && style != 7) {
        msgBox(rt::shellstart::failureMessage(rt::shellstart::Failure::NoTerminal),
               rt::vbExclamation, rt::App::Title());
        return 0;
    }
    started.push_back({line, style});
    journal.push_back(QStringLiteral("shell %1: %2").arg(style).arg(line));
    return static_cast<double>(started.size());
}

int RecordingHost::msgBox(const QString& text, int flags, const QString& title) {
    boxes.push_back({text, flags, title});
    journal.push_back(QStringLiteral("box %1 %2: %3").arg(flags).arg(title, text));
    if (!whileBoxOpen.empty()) {
        const std::function<void()> action = std::move(whileBoxOpen.front());
        whileBoxOpen.pop_front();
        action();
    }
    if (boxAnswers.empty()) return rt::vbOK;
    const int a = boxAnswers.front();
    boxAnswers.pop_front();
    return a;
}

QString RecordingHost::inputBox(const QString& prompt, const QString& title, const QString& def) {
    inputPrompts.push_back(prompt);
    journal.push_back(QStringLiteral("input %1 [%2]: %3").arg(title, def, prompt));
    if (inputAnswers.empty()) return {};
    QString a = inputAnswers.front();
    inputAnswers.pop_front();
    return a;
}

void RecordingHost::sleep(int ms) {
    sleeps.push_back(ms);
    journal.push_back(QStringLiteral("sleep %1").arg(ms));
}

void RecordingHost::end() {
    ended = true;
    throw rt::ProgramEnded{};
}

std::vector<QString> RecordingHost::lines() const {
    std::vector<QString> r;
    for (const auto& s : started) r.push_back(s.line);
    return r;
}

QWidget* RecordingHost::target() const {
    // As on the real host: the capture holder gets the input of every other
    // widget, its own constituents keep theirs.
    QWidget* under = pressedOn_ ? pressedOn_.data() : widgetUnderCursor();
    if (capture && !(under && (under == capture || capture->isAncestorOf(under)))) return capture;
    return under;
}

QWidget* RecordingHost::widgetUnderCursor() const {
    QWidget* top = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->geometry().contains(cursor)) top = w;
    if (!top) return nullptr;
    QWidget* child = top->childAt(top->mapFromGlobal(cursor));
    return child ? child : top;
}

void RecordingHost::send(QWidget* to, int type, Qt::MouseButton b) {
    if (!to) return;
    QPointer<QWidget> guard(to);
    const QPointF local = to->mapFromGlobal(QPointF(cursor));
    QMouseEvent ev(static_cast<QEvent::Type>(type), local, QPointF(cursor), b, buttons_, modifiers);
    QApplication::sendEvent(to, &ev);
}

void RecordingHost::moveTo(QPoint screen) {
    cursor = screen;
    QWidget* to = target();
    QWidget* holder = capture;
    send(to, QEvent::MouseMove, Qt::NoButton);
    // As on the real host: a move the holder answers by letting the capture
    // go goes on to the widget under the pointer.
    if (holder && to == holder && capture != holder && buttons_ == Qt::NoButton) {
        QWidget* under = widgetUnderCursor();
        if (under && under != holder && !holder->isAncestorOf(under))
            send(under, QEvent::MouseMove, Qt::NoButton);
    }
}

void RecordingHost::moveTo(QWidget* w, QPoint local) {
    moveTo(w->mapToGlobal(local));
}

void RecordingHost::press(Qt::MouseButton b) {
    QWidget* to = target();
    // A press from the window system gives the focus to the first widget from
    // the one under the pointer outwards that takes focus by click; an event
    // sent by hand does not, so do it here.
    for (QWidget* w = to; w; w = w->parentWidget()) {
        if (w->isEnabled() && (w->focusPolicy() & Qt::ClickFocus)) {
            w->setFocus(Qt::MouseFocusReason);
            break;
        }
        if (w->isWindow()) break;
    }
    if (buttons_ == Qt::NoButton) pressedOn_ = to;
    buttons_ |= b;
    send(to, QEvent::MouseButtonPress, b);
}

void RecordingHost::release(Qt::MouseButton b) {
    QWidget* to = target();
    buttons_ &= ~Qt::MouseButtons(b);
    if (buttons_ == Qt::NoButton) pressedOn_ = nullptr;
    send(to, QEvent::MouseButtonRelease, b);
}

void RecordingHost::doubleClick(Qt::MouseButton b) {
    press(b);
    release(b);
    QWidget* to = target();
    pressedOn_ = to;
    buttons_ |= b;
    send(to, QEvent::MouseButtonDblClick, b);
    release(b);
}

void RecordingHost::click(Qt::MouseButton b) {
    press(b);
    release(b);
}

void RecordingHost::clickOn(QWidget* w) {
    moveTo(QPoint(-500, -500));
    moveTo(w, w->rect().center());
    click();
}

bool RecordingHost::dropOn(QWidget* w, QPoint local, const QMimeData& data) {
    QWidget* top = w->window();
    QWindow* window = top->windowHandle();
    if (!window) return false;
    const QPointF at = top->mapFromGlobal(w->mapToGlobal(QPointF(local)));
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, buttons_, modifiers);
    QApplication::sendEvent(window, &enter);
    if (!enter.isAccepted()) {
        QDragLeaveEvent leave;
        QApplication::sendEvent(window, &leave);
        return false;
    }
    QDropEvent drop(at, Qt::CopyAction, &data, buttons_, modifiers);
    QApplication::sendEvent(window, &drop);
    return drop.isAccepted();
}

}  // namespace testing_support
