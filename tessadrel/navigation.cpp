#include "navigation.h"

#include "common/commandrunner.h"
#include "controls/nshape.h"
#include "form1.h"
#include "runtime/design.h"
#include "runtime/services.h"

namespace tessadrel {

namespace {

void run(const QString& line) {
    common::runHidden(Form1::commandBox(), line);
}

// It only informs: however it is closed, the change goes ahead.
void warnOfDisplayChange() {
    rt::MsgBox(QStringLiteral("部分魔改ROM可能没有效果！\r\n如遇界面异常请点击恢复按钮！"),
               rt::vbExclamation, QStringLiteral("警告!"));
}

}  // namespace

Navigation::Navigation() {
    rt::design::load(*this, QStringLiteral(":/tessadrel/forms/Navigation.json"));
    bind(LB, "LB");
    bind(UB, "UB");
    bind(RB, "RB");
    bind(DB, "DB");
    bind(DPIVAL, "DPIVAL");
    bind(HOR, "HOR");
    bind(VER, "VER");

    using controls::N_Shape;
    on("BORDEROK", &N_Shape::Click, &Navigation::BORDEROK_Click);
    on("BORDERST", &N_Shape::Click, &Navigation::BORDERST_Click);
    on("DPIYES", &N_Shape::Click, &Navigation::DPIYES_Click);
    on("DPINUL", &N_Shape::Click, &Navigation::DPINUL_Click);
    on("RESOK", &N_Shape::Click, &Navigation::RESOK_Click);
    on("N_ShapeRESET", &N_Shape::Click, &Navigation::N_ShapeRESET_Click);
}

void Navigation::BORDEROK_Click() {
    const QLatin1Char comma(',');
    run(QStringLiteral("adb shell wm overscan ") + common::numberFromBox(*LB) + comma +
        common::numberFromBox(*UB) + comma + common::numberFromBox(*RB) + comma +
        common::numberFromBox(*DB));
}

void Navigation::BORDERST_Click() {
    run(QStringLiteral("adb shell wm overscan 0,0,0,0"));
}

// The boxes are read once the warning is closed: what they hold then is sent.
void Navigation::DPIYES_Click() {
    warnOfDisplayChange();
    run(QStringLiteral("adb shell wm density ") + common::numberFromBox(*DPIVAL));
}

void Navigation::DPINUL_Click() {
    run(QStringLiteral("adb shell wm density reset"));
}

void Navigation::RESOK_Click() {
    warnOfDisplayChange();
    run(QStringLiteral("adb shell wm size ") + common::numberFromBox(*HOR) + QLatin1Char('x') +
        common::numberFromBox(*VER));
}

void Navigation::N_ShapeRESET_Click() {
    run(QStringLiteral("adb shell wm size reset"));
}

}  // namespace tessadrel
