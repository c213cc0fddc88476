#include "registry.h"

#include "checkbutton.h"
#include "nselection.h"
#include "nshape.h"
#include "ntextbox.h"
#include "optionbutton.h"
#include "runtime/design.h"

namespace controls {

void registerAll() {
    // Each skinned control registers its design name here.
    rt::design::registerType(QStringLiteral("CheckButton"),
                             [](QWidget* c) -> QObject* { return new CheckButton(c); });
    rt::design::registerType(QStringLiteral("OptionButton"),
                             [](QWidget* c) -> QObject* { return new OptionButton(c); });
    rt::design::registerType(QStringLiteral("N_Shape"),
                             [](QWidget* c) -> QObject* { return new N_Shape(c); });
    rt::design::registerType(QStringLiteral("N_Selection"),
                             [](QWidget* c) -> QObject* { return new N_Selection(c); });
    rt::design::registerType(QStringLiteral("N_TextBox"),
                             [](QWidget* c) -> QObject* { return new N_TextBox(c); });
}

}  // namespace controls
