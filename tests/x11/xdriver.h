#pragma once
// Drives the real pointer and keyboard of the X server through xdotool, as a
// user would, and answers the program's modal boxes with the mouse.
#include <QPoint>
#include <QString>
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
void type(const QString& text);

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

}  // namespace x11test
