// Starts the runtime and loads the start-up window; everything else lives in
// the windows' library.
#include "controls/registry.h"
#include "pellork/start.h"
#include "runtime/application.h"

int main(int argc, char** argv) {
    rt::Application app(argc, argv, QStringLiteral("Pellork"));
    controls::registerAll();
    rt::startInEventLoop([] { rt::Form::get<pellork::Start>().Show(); });
    return app.exec();
}
