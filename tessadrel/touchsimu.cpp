#include "touchsimu.h"

#include <QWidget>
#include <algorithm>
#include <initializer_list>

#include "common/commandrunner.h"
#include "controls/checkbutton.h"
#include "controls/nshape.h"
#include "controls/optionbutton.h"
#include "form1.h"
#include "runtime/convert.h"
#include "runtime/design.h"
#include "runtime/services.h"

namespace tessadrel {

namespace {

// Shorter intervals let the started commands pile up faster than the phone
// takes them: the run could no longer be stopped and touches would land out
// of order.
constexpr double kFloorMs = 80;
const QString kFloorWarning =
    QStringLiteral("小于80毫秒会出现命令堵塞，导致无法停止、执行顺序错乱等严重问题！");
const QString kWarningTitle = QStringLiteral("警告!");

// The counter is a 16-bit number: a run ends at its top rather than wrap.
constexpr rt::Integer kMaxTicks = 32767;
constexpr double kMaxMs = 2147483647;

// A tap is a swipe that starts and ends at the same point.
QString swipeLine(const QString& x1, const QString& y1, const QString& x2, const QString& y2,
                  rt::Integer duration) {
    const QLatin1Char blank(' ');
    return QStringLiteral("adb shell input swipe ") + x1 + blank + y1 + blank + x2 + blank + y2 +
           blank + QString::number(duration);
}

// A whole number from a box, held within what the target type carries. The
// value is clamped while it is still a double: converting one out of range
// would be undefined.
template <class T>
T wholeWithin(const rt::TextBox& box, double lowest, double highest) {
    return static_cast<T>(std::clamp(common::wholeNumberFromBox(box), lowest, highest));
}

void setShown(std::initializer_list<QWidget*> widgets, bool on) {
    for (QWidget* w : widgets) w->setVisible(on);
}

}  // namespace

touchsimu::touchsimu() {
    rt::design::load(*this, QStringLiteral(":/tessadrel/forms/touchsimu.json"));
    bind(X1, "X1");
    bind(Y1, "Y1");
    bind(X2, "X2");
    bind(Y2, "Y2");
    bind(Textdely, "Textdely");
    bind(Textcishu, "Textcishu");
    bind(DURA, "DURA");
    bind(Labelx2, "Labelx2");
    bind(Labely2, "Labely2");
    bind(Labeldura, "Labeldura");
    bind(OPTPRE, "OPTPRE");
    bind(OPTSWI, "OPTSWI");
    bind(SM, "SM");
    bind(NMM, "NMM");
    bind(TM, "TM");
    bind(twopo, "twopo");
    bind(cha, "cha");
    bind(SWIPEGO, "SWIPEGO");
    bind(SWIPEstp, "SWIPEstp");
    bind(Timerdur, "Timerdur");
    bind(Timerdur2, "Timerdur2");

    on(OPTPRE->Click, &touchsimu::OPTPRE_Click);
    on(OPTSWI->Click, &touchsimu::OPTSWI_Click);
    on(twopo->Click, &touchsimu::twopo_Click);
    on(cha->Click, &touchsimu::cha_Click);
    on(SM->Click, &touchsimu::SM_Click);
    on(NMM->Click, &touchsimu::NMM_Click);
    on(TM->Click, &touchsimu::TM_Click);
    on(SWIPEGO->Click, &touchsimu::SWIPEGO_Click);
    on(SWIPEstp->Click, &touchsimu::SWIPEstp_Click);
    on(Timerdur->Tick, &touchsimu::Timerdur_Timer);
    on(Timerdur2->Tick, &touchsimu::Timerdur2_Timer);

    // The rhythm is the point of this window: ticks keep to the millisecond.
    Timerdur->setPrecise(true);
    Timerdur2->setPrecise(true);
}

void touchsimu::Form_Load() {
    OPTPRE->setValue(true);
    showSecondPoint(false);
}

void touchsimu::showSecondPoint(bool on) {
    setShown({X2, Y2, Labely2, Labelx2}, on);
}

// The two mode buttons lay the window out on every Click they raise, whether
// or not the button was already chosen.
void touchsimu::OPTPRE_Click() {
    setShown({twopo, X1, Y1}, true);
    showSecondPoint(false);
    setShown({DURA, Labeldura}, true);
}

void touchsimu::OPTSWI_Click() {
    twopo->setVisible(false);
    setShown({X1, Y1, X2, Y2, Labely2, Labelx2, DURA, Labeldura}, true);
}

void touchsimu::twopo_Click() {
    showSecondPoint(twopo->Value() == 1);
}

// The click has toggled the box already; from either state the points swap
// once. The command box serves as the scratch field and keeps the former y1.
void touchsimu::cha_Click() {
    const rt::Long v = cha->Value();
    if (v != 1 && v != 0) return;
    rt::TextBox& scratch = Form1::commandBox();
    scratch.setText(X1->Text());
    X1->setText(X2->Text());
    X2->setText(scratch.Text());
    scratch.setText(Y1->Text());
    Y1->setText(Y2->Text());
    Y2->setText(scratch.Text());
}

// Setting a Value from code raises nothing and clears nothing, so each preset
// sets every button and visibility it depends on itself.
void touchsimu::SM_Click() {
    if (!SM->Value()) return;
    OPTSWI->setValue(true);
    twopo->setVisible(false);
    OPTPRE->setValue(false);
    setShown({X1, Y1, X2, Y2, Labely2, Labelx2}, true);
    X1->setText(QStringLiteral("540"));
    X2->setText(QStringLiteral("540"));
    Y1->setText(QStringLiteral("1600"));
    Y2->setText(QStringLiteral("600"));
    Textdely->setText(QStringLiteral("200"));
    DURA->setText(QStringLiteral("50"));
    Textcishu->setText(QStringLiteral("9999"));
}

void touchsimu::NMM_Click() {
    if (!NMM->Value()) return;
    Textdely->setText(QStringLiteral("500"));
    OPTSWI->setValue(false);
    twopo->setVisible(false);
    OPTPRE->setValue(true);
    DURA->setText(QStringLiteral("1"));
    Textcishu->setText(QStringLiteral("9999"));
    showSecondPoint(false);
    twopo->setValue(0);
}

void touchsimu::TM_Click() {
    if (!TM->Value()) return;
    twopo->setValue(1);
    Textdely->setText(QStringLiteral("80"));
    showSecondPoint(true);
    OPTSWI->setValue(false);
    twopo->setVisible(true);
    OPTPRE->setValue(true);
    DURA->setText(QStringLiteral("1"));
    Textcishu->setText(QStringLiteral("9999"));
}

// Starting never stops a timer that already runs: a tap run and a swipe run
// may go on together, on one counter.
void touchsimu::SWIPEGO_Click() {
    if (rt::Val(Textdely->Text()) < kFloorMs) {
        rt::MsgBox(kFloorWarning, rt::vbCritical, kWarningTitle);
        Textdely->setText(QStringLiteral("80"));
    }
    for (rt::TextBox* box : {X1, Y1, X2, Y2}) box->setText(common::numberFromBox(*box));
    duration_ = wholeWithin<rt::Integer>(*DURA, -32768, 32767);
    const int interval = wholeWithin<int>(*Textdely, 0, kMaxMs);
    if (OPTPRE->Value()) {
        Timerdur->setInterval(interval);
        Timerdur->setEnabled(true);
        counter_ = 0;
    }
    if (OPTSWI->Value()) {
        Timerdur2->setInterval(interval);
        Timerdur2->setEnabled(true);
        swipeCommand_ = swipeLine(X1->Text(), Y1->Text(), X2->Text(), Y2->Text(), duration_);
        Form1::commandBox().setText(swipeCommand_);
        counter_ = 0;
    }
}

void touchsimu::SWIPEstp_Click() {
    Timerdur->setEnabled(false);
    Timerdur2->setEnabled(false);
}

// The points, the two-point box, the count and the pause are read anew at
// every tick, so edits during a run take effect; only each box's number
// reaches the line, so nothing typed there can add a command of its own.
void touchsimu::Timerdur_Timer() {
    // A tick already queued when the window was closed belongs to a run that
    // ended with it.
    if (!loaded()) return;
    countTick();
    const bool twoPoints = twopo->Value() == 1;
    tapAt(*X1, *Y1);
    if (twoPoints) {
        rt::Sleep(wholeWithin<int>(*Textdely, 0, kMaxMs));
        tapAt(*X2, *Y2);
    }
    stopWhenCounted(*Timerdur);
}

// The swipe is the one built at the start: the command box is shared with
// every other handler of the program, so what it holds by the next tick may
// be anything.
void touchsimu::Timerdur2_Timer() {
    if (!loaded()) return;
    countTick();
    common::runHidden(Form1::commandBox(), swipeCommand_);
    stopWhenCounted(*Timerdur2);
}

void touchsimu::tapAt(const rt::TextBox& x, const rt::TextBox& y) {
    const QString px = common::numberFromBox(x);
    const QString py = common::numberFromBox(y);
    common::runHidden(Form1::commandBox(), swipeLine(px, py, px, py, duration_));
}

void touchsimu::countTick() {
    if (counter_ < kMaxTicks) ++counter_;
}

void touchsimu::stopWhenCounted(rt::Timer& timer) {
    if (rt::Val(Textcishu->Text()) <= counter_ || counter_ == kMaxTicks) timer.setEnabled(false);
}

}  // namespace tessadrel
