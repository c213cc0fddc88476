// Starts the runtime and loads the main window, which shows itself once its
// start-up has passed; everything else lives in the windows' library.
#include "controls/registry.h"
#include "runtime/application.h"
#include "tessadrel/form1.h"

int main(int argc, char** argv) {
    rt::Application app(argc, argv, QStringLiteral("Tessadrel"));
    controls::registerAll();
    rt::startInEventLoop([] { rt::Form::get<tessadrel::Form1>(); });
    return app.exec();
}
