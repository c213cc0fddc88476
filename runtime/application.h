#pragma once
// The program's application object: an error that no handler trapped shows
// the runtime's error box and ends the program.
#include <QApplication>
#include <functional>

namespace rt {

class Application : public QApplication {
public:
    Application(int& argc, char** argv, const QString& title);
    bool notify(QObject* receiver, QEvent* event) override;

private:
    // Chooses the platform (rt::choosePlatform) before the base exists.
    static int& beforeStart(int& argc);
};

// Runs a piece of the program as the event loop runs a handler: an untrapped
// runtime error shows the error box and ends the program.
void runGuarded(const std::function<void()>& fn);

// Loads the program's first window from inside the event loop, so that an
// error no handler traps in its load handler gets the error box like any other.
void startInEventLoop(std::function<void()> loadFirstWindow);

}  // namespace rt
