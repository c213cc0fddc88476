#pragma once
// The host that tests install: it keeps every started command line with its
// style, answers message and input boxes from a script, keeps a set of files
// that exist, moves a virtual pointer that delivers mouse input to the
// widget under it (or to the one holding the capture), and never runs timers
// by itself.
#include <QPoint>
#include <QPointer>
#include <QSet>
#include <QString>
#include <deque>
#include <functional>
#include <vector>

#include "runtime/host.h"

class QMimeData;
class QWidget;

namespace testing_support {

class RecordingHost : public rt::Host {
public:
    struct Started {
        QString line;
        int style;
    };
    struct Box {
        QString text;
        int flags;
        QString title;
    };

    RecordingHost();
    ~RecordingHost() override;

    // What the program did.
    std::vector<Started> started;
    std::vector<Box> boxes;
    std::vector<QString> inputPrompts;
    std::vector<QString> opened;
    std::vector<int> sleeps;
    std::vector<QString> keys;
    // Starts, message and input boxes and sleeps in the order they happened:
    // "shell 0: LINE", "box 16 TITLE: TEXT", "input TITLE [DEFAULT]: PROMPT",
    // "sleep 120".
    std::vector<QString> journal;
    bool ended = false;
    bool lastUnloaded = false;

    // The script.
    std::deque<int> boxAnswers;        // default vbOK
    std::deque<QString> inputAnswers;  // default ""
    QSet<QString> files;               // paths that exist
    // What the user does while a message box is open, one action per box in
    // turn, before the box is answered.
    std::deque<std::function<void()>> whileBoxOpen;
    // A desktop without a terminal program: a line in a normal console does
    // not start, and the user gets the real host's message; a minimized one
    // runs hidden.
    bool noTerminal = false;

    // The virtual pointer.
    QPoint cursor;
    // Guarded: a window closed while one of its controls holds the capture
    // leaves no dangling holder behind.
    QPointer<QWidget> capture;
    // Moves the pointer to a screen point, delivering a move to the widget
    // under it (or the capture holder, or the widget a held button went down on).
    void moveTo(QPoint screen);
    void moveTo(QWidget* w, QPoint local);
    void press(Qt::MouseButton b);
    void release(Qt::MouseButton b);
    void doubleClick(Qt::MouseButton b = Qt::LeftButton);
    // Press and release where the pointer is.
    void click(Qt::MouseButton b = Qt::LeftButton);
    // A left click in the middle of a widget, the pointer coming from afar
    // (a move to where it already is delivers nothing).
    void clickOn(QWidget* w);
    Qt::MouseButtons buttons() const { return buttons_; }
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    // Drops data at a point of a widget the way the window system delivers a
    // drop: to the widget's window, which hands it to the widget under the
    // point that takes drops (or its nearest container that does). Returns
    // whether a widget took it.
    bool dropOn(QWidget* w, QPoint local, const QMimeData& data);

    double shell(const QString& line, int style) override;
    int msgBox(const QString& text, int flags, const QString& title) override;
    QString inputBox(const QString& prompt, const QString& title, const QString& def) override;
    void openDocument(const QString& address) override { opened.push_back(address); }
    bool fileExists(const QString& path) override { return files.contains(path); }
    QPoint cursorPos() override { return cursor; }
    rt::Hwnd windowFromPoint(QPoint screen) override { return rt::windowAt(screen); }
    rt::Hwnd getCapture() override { return capture.data(); }
    void setCapture(rt::Hwnd w) override { capture = w; }
    void releaseCapture() override { capture = nullptr; }
    void sleep(int ms) override;
    void sendKeys(const QString& k) override { keys.push_back(k); }
    bool timersRun() const override { return false; }
    [[noreturn]] void end() override;
    void lastFormUnloaded() override { lastUnloaded = true; }

    // The command lines started, in order.
    std::vector<QString> lines() const;

private:
    QWidget* target() const;
    QWidget* widgetUnderCursor() const;
    void send(QWidget* to, int type, Qt::MouseButton b);

    Qt::MouseButtons buttons_ = Qt::NoButton;
    QPointer<QWidget> pressedOn_;
};

}  // namespace testing_support
