#pragma once
// Drives the real pointer and keyboard of the X server through xdotool, as a
// user would, and answers the program's modal boxes with the mouse.
#include <QByteArray>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

class QAbstractButton;
class QWidget;

namespace x11test {

// Moves the real pointer; a move to where it already is delivers nothing, so
// the pointer is nudged first.
void moveTo(QPoint global);
void moveTo(const QWidget* w, QPoint local);
void click(int button = 1);
// Moves to the middle of a widget and clicks it.
void clickOn(const QWidget* w);
void type(const QString& text);
// Presses a key combination ("ctrl+v").
void key(const QString& combination);

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

// A fake adb first on PATH that writes its arguments, one call a line;
// consoles open in no terminal while it stands.
class FakeAdb {
public:
    // `answers`: shell case clauses on "$*" that print the phone's answers.
    // With `phone` the consoles run what they are given (a terminal that only
    // runs what follows -e) and drive paths land in a folder of the test's.
    explicit FakeAdb(const QByteArray& answers = {}, bool phone = false);
    ~FakeAdb();
    QStringList calls() const;
    // The calls made side by side, in a fixed order.
    QStringList sortedCalls() const;

private:
    void write(const QString& name, const QByteArray& text);
    QTemporaryDir dir_;
    QString log_;
    QByteArray path_;
    QByteArray terminal_;
    bool hadTerminal_ = false;
    bool phone_ = false;
};

}  // namespace x11test
