// Stored settings as texts: every line "key=value" goes into a property bag,
// each value through the runtime's conversions, and the skinned controls read
// the bag. A bad value fails with the runtime's type or overflow error, never
// worse.
#include <cstdint>

#include "controls/checkbutton.h"
#include "controls/nshape.h"
#include "controls/optionbutton.h"
#include "qtapp.h"
#include "runtime/convert.h"
#include "runtime/propertybag.h"
#include "runtime/types.h"

namespace {
template <class F>
void tryConversion(F f) {
    try {
        f();
    } catch (const rt::RuntimeError& e) {
        if (e.number() != 13 && e.number() != 6) std::abort();
    }
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::startApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QWidget* parent = new QWidget;
    static controls::N_Shape* button = new controls::N_Shape(parent);
    static controls::CheckButton* check = new controls::CheckButton(parent);
    static controls::OptionButton* option = new controls::OptionButton(parent);

    rt::PropertyBag bag;
    const QStringList lines = fuzz::text(data, size).split(u'\n');
    for (const QString& line : lines) {
        const qsizetype eq = line.indexOf(u'=');
        const QString key = eq < 0 ? QStringLiteral("Caption") : line.left(eq);
        const QVariant value = eq < 0 ? line : line.mid(eq + 1);
        bag.WriteProperty(key, value);
        tryConversion([&] { (void)rt::CDbl(value); });
        tryConversion([&] { (void)rt::CLng(value); });
        tryConversion([&] { (void)rt::CInt(value); });
        tryConversion([&] { (void)rt::CBool(value); });
        if (rt::CStr(value) != value.toString()) std::abort();
        (void)rt::sameValue(value, value);
        (void)rt::sameValue(QVariant(1.5), value);
        (void)rt::sameValue(QVariant(true), value);
    }
    // The push button stops at the first bad value by itself; the check and
    // radio buttons leave it to the runtime, as an untrapped error.
    button->readProperties(bag);
    tryConversion([&] { check->readProperties(bag); });
    tryConversion([&] { option->readProperties(bag); });
    return 0;
}
