#include "application.h"

#include "intrinsics.h"
#include "services.h"
#include "types.h"

namespace rt {

Application::Application(int& argc, char** argv, const QString& title) : QApplication(argc, argv) {
    setApplicationName(title);
    App::setTitle(title);
    // The program ends when its last window is unloaded, not when the last
    // visible one closes: a loaded hidden window keeps it running.
    setQuitOnLastWindowClosed(false);
    installTypefaceSubstitutes();
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const RuntimeError& e) {
        MsgBox(QStringLiteral("Run-time error '%1':\n\n%2").arg(e.number()).arg(e.description()),
               vbCritical);
        End();
    }
}

}  // namespace rt
