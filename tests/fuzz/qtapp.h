#pragma once
// The application object that the fuzz targets of widgets need: offscreen,
// with the skinned controls known to the design loader. libFuzzer's own
// arguments are kept away from Qt.
#include <QApplication>

#include "controls/registry.h"

namespace fuzz {

inline void startApplication() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    controls::registerAll();
}

inline QString text(const uint8_t* data, size_t size) {
    return QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

}  // namespace fuzz
