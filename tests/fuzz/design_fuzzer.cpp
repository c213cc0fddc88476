// Window design data: any file either builds a window or fails with one of
// the runtime's errors; nothing crashes, hangs or reads out of bounds.
#include <QDir>
#include <QFile>
#include <cstdint>

#include "qtapp.h"
#include "runtime/design.h"
#include "runtime/form.h"
#include "runtime/types.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::startApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QString path = QDir::temp().filePath(
        QStringLiteral("design-fuzz-%1.json").arg(QCoreApplication::applicationPid()));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    rt::Form form;
    try {
        rt::design::load(form, path);
    } catch (const rt::RuntimeError&) {
        // Bad data (75), a text that is no number (13), out of range (6) or
        // a value a property refuses (380): the error box at start-up.
    }
    return 0;
}
