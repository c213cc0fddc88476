#pragma once
// Drives the real pointer and keyboard of the X server through xdotool, as a
// user would, and answers the program's modal boxes with the mouse.
#include <QFile>
#include <QMessageBox>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <vector>

class QAbstractButton;
class QWidget;

namespace x11test {

// Moves the real pointer; a move to where it already is delivers nothing, so
// the pointer is nudged first.
void moveTo(QPoint global);
void moveTo(const QWidget* w, QPoint local);
void click(int button = 1);
// Moves the real pointer to the middle of a widget and clicks it.
void clickOn(const QWidget* w);
void type(const QString& text);
// Presses a key combination ("ctrl+v").
void key(const QString& combination);

// Asks a top-level window to close, as a window manager does when the
// window's close box is clicked (none runs on the test server). It takes a
// connection of its own, so another thread may ask while the program's
// thread is busy.
void requestClose(unsigned long windowId);

// Processes events until `done` holds or a few seconds passed.
bool waitFor(const std::function<bool()>& done);

// As soon as the next modal box is on screen: runs `first` on it (typing,
// say), then clicks the button that `pick` chooses with the real pointer.
class ModalAnswer {
public:
    ModalAnswer(std::function<QAbstractButton*(QWidget*)> pick,
                std::function<void(QWidget*)> first = {});
    bool answered() const { return answered_; }

private:
    void poll();
    QTimer timer_;
    std::function<QAbstractButton*(QWidget*)> pick_;
    std::function<void(QWidget*)> first_;
    bool answered_ = false;
};

// The box's button with this text (OK, Cancel ...).
QAbstractButton* buttonLabelled(QWidget* box, const QString& text);
// Its OK button: ModalAnswer's usual choice.
QAbstractButton* okButton(QWidget* box);

// What a box showed, noted by noteBox as ModalAnswer's first step.
struct SeenBox {
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};
std::function<void(QWidget*)> noteBox(SeenBox& seen);

// A drop of one local file at `at` (the window's coordinates), delivered
// through the window as the desktop's would be.
void dropFile(QWidget* window, QPoint at, const QString& path);

// A fake adb first on PATH that logs its arguments, one call a line, and
// the interpreter that ran it; consoles open in no terminal while it stands.
// `others` are more fake tools that log the same way, for programs that must
// not run. `answers`: shell case clauses on "$*" that print the phone's
// answers. With `phone` the consoles run what they are given (a terminal
// that only runs what follows -e) and drive paths land in a folder of the
// test's.
class FakeAdb {
public:
    explicit FakeAdb(const QStringList& others = {}, const QByteArray& answers = {},
                     bool phone = false);
    ~FakeAdb();
    // A tool's calls (adb's unless named), each its arguments joined by blanks.
    QStringList calls(const QString& tool = QStringLiteral("adb")) const;
    // The same side by side, in a fixed order.
    QStringList sortedCalls() const;
    // A tool's calls, each its arguments one by one.
    std::vector<QStringList> argv(const QString& tool = QStringLiteral("adb")) const;
    // Waits until every interpreter that ran one of the tools has exited, so
    // that whatever else its line would have run has run.
    bool interpretersDone() const;

private:
    void write(const QString& name, const QByteArray& text);
    QTemporaryDir dir_;
    QByteArray path_;
    QByteArray terminal_;
    bool hadTerminal_ = false;
    bool phone_ = false;
};

// A terminal that runs the console line at once, with no window and input
// from /dev/null, so that consoles reach the fake tools too.
class RunningTerminal {
public:
    RunningTerminal() {
        const QString path = dir_.filePath(QStringLiteral("terminal"));
        QFile script(path);
        script.open(QIODevice::WriteOnly);
        script.write(
            "#!/bin/sh\nwhile [ \"$#\" -gt 0 ] && [ \"$1\" != -e ]; do shift; done\nshift\n"
            "exec \"$@\" < /dev/null > /dev/null 2>&1\n");
        script.close();
        script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                              QFileDevice::ExeOwner);
        qputenv("TERMINAL", path.toUtf8());
    }
    ~RunningTerminal() { qputenv("TERMINAL", "true"); }

private:
    QTemporaryDir dir_;
};

}  // namespace x11test
