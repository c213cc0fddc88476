// Starts the runtime and loads the start-up splash, which is shown once its
// load has passed; everything else lives in the windows' library.
#include "controls/registry.h"
#include "pellork/start.h"
#include "runtime/application.h"

int main(int argc, char** argv) {
    rt::Application app(argc, argv, QStringLiteral("Pellork"));
    controls::registerAll();
    // Loaded from the event loop, so that an error no handler traps during the
    // start-up gets the runtime's error box like any other.
    QMetaObject::invokeMethod(
        &app, [] { rt::Form::get<pellork::Start>().Show(); }, Qt::QueuedConnection);
    return app.exec();
}
