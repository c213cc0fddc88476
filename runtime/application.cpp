#include "application.h"

#include "runtime/x11/platform.h"
#include "services.h"
#include "typefaces.h"
#include "types.h"

namespace rt {

namespace {

[[noreturn]] void untrapped(const RuntimeError& e) {
    MsgBox(QStringLiteral("Run-time error '%1':\n\n%2").arg(e.number()).arg(e.description()),
           vbCritical);
    End();
}

}  // namespace

int& Application::beforeStart(int& argc) {
    choosePlatform();
    return argc;
}

Application::Application(int& argc, char** argv, const QString& title)
    : QApplication(beforeStart(argc), argv) {
    setApplicationName(title);
    App::setTitle(title);
    // The program ends when its last window is unloaded, not when the last
    // visible one closes: a loaded hidden window keeps it running.
    setQuitOnLastWindowClosed(false);
    installTypefaceSubstitutes();
}

bool Application::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    runGuarded([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

void runGuarded(const std::function<void()>& fn) {
    try {
        fn();
    } catch (const RuntimeError& e) {
        try {
            untrapped(e);
        } catch (const ProgramEnded&) {
        }
    } catch (const ProgramEnded&) {
        // A host whose End returns by throwing (the tests' host): the
        // program has ended, nothing of the handler runs on.
    }
}

void startInEventLoop(std::function<void()> loadFirstWindow) {
    QMetaObject::invokeMethod(
        qApp, [load = std::move(loadFirstWindow)] { runGuarded(load); }, Qt::QueuedConnection);
}

}  // namespace rt
