#pragma once
// The one place where the outside world enters: every process start, message
// box, input box, document open, file test, pointer query, capture, sleep,
// synthesized keystroke and the end of the program go through the host. The
// program runs on the real host; tests install a recording host.
#include <QObject>
#include <QPoint>
#include <QString>

class QWidget;

namespace rt {

using Hwnd = QWidget*;

// Tells when the answer of the pointer functions may have changed: the
// pointer moved, a window was entered or left, shown, hidden, moved,
// restacked or activated, a control was shown, hidden or moved.
class PointerChanges : public QObject {
    Q_OBJECT
public:
    quint64 stamp() const { return stamp_; }
    void bump() {
        ++stamp_;
        Q_EMIT changed();
    }
Q_SIGNALS:
    void changed();

private:
    quint64 stamp_ = 0;
};

// Message box flags and answers.
inline constexpr int vbOKOnly = 0;
inline constexpr int vbOKCancel = 1;
inline constexpr int vbYesNo = 4;
inline constexpr int vbCritical = 16;
inline constexpr int vbQuestion = 32;
inline constexpr int vbExclamation = 48;
inline constexpr int vbInformation = 64;
inline constexpr int vbOK = 1;
inline constexpr int vbCancel = 2;
inline constexpr int vbYes = 6;
inline constexpr int vbNo = 7;

class Host {
public:
    virtual ~Host() = default;

    // Start a command line with a window style (0 hidden, 1 normal, 2
    // minimized); returns at once with a task number.
    virtual double shell(const QString& line, int style) = 0;
    // Returns the answer (vbOK, ...). The title is already resolved.
    virtual int msgBox(const QString& text, int flags, const QString& title) = 0;
    // The typed text, "" on cancel.
    virtual QString inputBox(const QString& prompt, const QString& title, const QString& def) = 0;
    // Open an address or document with what the desktop associates with it.
    virtual void openDocument(const QString& address) = 0;
    virtual bool fileExists(const QString& path) = 0;

    virtual QPoint cursorPos() = 0;
    // The window (a windowed control or form) under a screen point.
    virtual Hwnd windowFromPoint(QPoint screen) = 0;
    virtual Hwnd getCapture() = 0;
    virtual void setCapture(Hwnd w) = 0;
    virtual void releaseCapture() = 0;

    virtual void sleep(int ms) = 0;
    // Keystrokes in the runtime's notation ("{TAB}", "+{TAB}"), queued to the
    // focused window without waiting.
    virtual void sendKeys(const QString& keys) = 0;
    // Timers tick by themselves on the real host; a test ticks them by hand.
    virtual bool timersRun() const = 0;
    // When the pointer functions may answer differently; nullptr when the
    // host cannot tell (then pointer polls simply tick).
    virtual PointerChanges* pointerChanges() { return nullptr; }
    // The program stops at once.
    [[noreturn]] virtual void end() = 0;
    // The last loaded window was unloaded.
    virtual void lastFormUnloaded() = 0;
};

Host& host();
// Install a host (the caller keeps ownership); nullptr puts the real host back.
void setHost(Host* h);

// The windowed control or form under a screen point, found by geometry over
// the visible windows: windowless controls (labels, images, shapes) belong to
// the window that holds them.
Hwnd windowAt(QPoint screen);
// The windowed control or form under a screen point within a top-level
// window (nullptr for none).
Hwnd windowIn(QWidget* top, QPoint screen);
// The nearest windowed control or form at or above a widget.
Hwnd windowOf(QWidget* w);

}  // namespace rt
