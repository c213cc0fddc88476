#include "keysimu.h"

#include "common/commandrunner.h"
#include "common/typedinput.h"
#include "controls/nshape.h"
#include "form1.h"
#include "runtime/design.h"

namespace tessadrel {

namespace {

// Each key line is kept whole, as the phone is to receive it.
void run(const QString& line) {
    common::runHidden(Form1::commandBox(), line);
}

}  // namespace

keysimu::keysimu() {
    rt::design::load(*this, QStringLiteral(":/tessadrel/forms/keysimu.json"));
    bind(Textsend, "Textsend");

    using controls::N_Shape;
    on("N_Shapetop", &N_Shape::Click, &keysimu::N_Shapetop_Click);
    on("N_Shapedown", &N_Shape::Click, &keysimu::N_Shapedown_Click);
    on("N_Shapeleft", &N_Shape::Click, &keysimu::N_Shapeleft_Click);
    on("N_Shaperight", &N_Shape::Click, &keysimu::N_Shaperight_Click);
    on("Enter", &N_Shape::Click, &keysimu::Enter_Click);
    on("N_Shape4", &N_Shape::Click, &keysimu::N_Shape4_Click);
    on("BACKWARD", &N_Shape::Click, &keysimu::BACKWARD_Click);
    on("HOMEWARD", &N_Shape::Click, &keysimu::HOMEWARD_Click);
    on("MEUNWARD", &N_Shape::Click, &keysimu::MEUNWARD_Click);
    on("LOCKSCR", &N_Shape::Click, &keysimu::LOCKSCR_Click);
    on("VOLUP", &N_Shape::Click, &keysimu::VOLUP_Click);
    on("VOLDOWN", &N_Shape::Click, &keysimu::VOLDOWN_Click);
    on("MUTE", &N_Shape::Click, &keysimu::MUTE_Click);
    on("N_Shapeprev", &N_Shape::Click, &keysimu::N_Shapeprev_Click);
    on("N_Shapenex", &N_Shape::Click, &keysimu::N_Shapenex_Click);
    on("N_Shapepaus", &N_Shape::Click, &keysimu::N_Shapepaus_Click);
    on("N_Shapesendd", &N_Shape::Click, &keysimu::N_Shapesendd_Click);
    on("N_Shape6clear", &N_Shape::Click, &keysimu::N_Shape6clear_Click);
}

void keysimu::N_Shapetop_Click() {
    run(QStringLiteral("adb shell input keyevent 19"));
}
void keysimu::N_Shapedown_Click() {
    run(QStringLiteral("adb shell input keyevent 20"));
}
void keysimu::N_Shapeleft_Click() {
    run(QStringLiteral("adb shell input keyevent 21"));
}
void keysimu::N_Shaperight_Click() {
    run(QStringLiteral("adb shell input keyevent 22"));
}
void keysimu::Enter_Click() {
    run(QStringLiteral("adb shell input keyevent 66"));
}
// The "返回" among the arrow keys goes back, as the hardware one does.
void keysimu::N_Shape4_Click() {
    run(QStringLiteral("adb shell input keyevent 4"));
}
void keysimu::BACKWARD_Click() {
    run(QStringLiteral("adb shell input keyevent 4"));
}
void keysimu::HOMEWARD_Click() {
    run(QStringLiteral("adb shell input keyevent 3"));
}
// The blank behind the code is part of the line the phone has always got.
void keysimu::MEUNWARD_Click() {
    run(QStringLiteral("adb shell input keyevent 187 "));
}
void keysimu::LOCKSCR_Click() {
    run(QStringLiteral("adb shell input keyevent 26"));
}
void keysimu::VOLUP_Click() {
    run(QStringLiteral("adb shell input keyevent 24"));
}
void keysimu::VOLDOWN_Click() {
    run(QStringLiteral("adb shell input keyevent 25"));
}
void keysimu::MUTE_Click() {
    run(QStringLiteral("adb shell input keyevent 164"));
}
void keysimu::N_Shapeprev_Click() {
    run(QStringLiteral("adb shell input keyevent 88"));
}
void keysimu::N_Shapenex_Click() {
    run(QStringLiteral("adb shell input keyevent 87"));
}
// Key 86 rather than 85: the key this button has always sent.
void keysimu::N_Shapepaus_Click() {
    run(QStringLiteral("adb shell input keyevent 86"));
}

// The text reaches the phone as typed, blanks and quotes included; only the
// interpreter on this computer must not act on its operators.
void keysimu::N_Shapesendd_Click() {
    run(QStringLiteral("adb shell input text ") + common::typedText(Textsend->Text()));
}

void keysimu::N_Shape6clear_Click() {
    Textsend->setText(QString());
}

}  // namespace tessadrel
