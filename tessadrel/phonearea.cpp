#include "phonearea.h"

#include "common/commandrunner.h"
#include "controls/nshape.h"
#include "form1.h"
#include "runtime/design.h"

namespace tessadrel {

namespace {

// No range check: an empty box writes 0, which switches animations off.
void putSetting(const QString& command, const rt::TextBox& value) {
    common::runHidden(Form1::commandBox(), command + common::numberFromBox(value));
}

}  // namespace

PhoneArea::PhoneArea() {
    rt::design::load(*this, QStringLiteral(":/tessadrel/forms/PhoneArea.json"));
    bind(Text6bat, "Text6bat");
    bind(WINS, "WINS");
    bind(DURAS, "DURAS");
    bind(PROGS, "PROGS");

    using controls::N_Shape;
    on("N_Shape2battper", &N_Shape::Click, &PhoneArea::N_Shape2battper_Click);
    on("WINSOK", &N_Shape::Click, &PhoneArea::WINSOK_Click);
    on("DURASOK", &N_Shape::Click, &PhoneArea::DURASOK_Click);
    on("PROGSOK", &N_Shape::Click, &PhoneArea::PROGSOK_Click);
}

void PhoneArea::N_Shape2battper_Click() {
    putSetting(QStringLiteral("adb shell settings put system font_scale "), *Text6bat);
}
void PhoneArea::WINSOK_Click() {
    putSetting(QStringLiteral("adb shell settings put global window_animation_scale "), *WINS);
}
void PhoneArea::DURASOK_Click() {
    putSetting(QStringLiteral("adb shell settings put global transition_animation_scale "), *DURAS);
}
void PhoneArea::PROGSOK_Click() {
    putSetting(QStringLiteral("adb shell settings put global animator_duration_scale "), *PROGS);
}

}  // namespace tessadrel
