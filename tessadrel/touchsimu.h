#pragma once
#include <QString>

#include "runtime/form.h"
#include "runtime/label.h"
#include "runtime/textbox.h"
#include "runtime/timer.h"
#include "runtime/types.h"

namespace controls {
class CheckButton;
class N_Shape;
class OptionButton;
}  // namespace controls

namespace tessadrel {

// The tap and swipe repeater: a tap at one point, taps alternating between
// two points, or a swipe, repeated on a timer a given number of times. Every
// touch is one "adb shell input swipe" line run hidden through the main
// window's command box.
//
// Two precise timers share one counter. A tap tick reads the point boxes
// anew but puts only each box's number into the line; a swipe tick runs the
// swipe built when the run started, so whatever another handler leaves in
// the shared command box is never repeated. The counter stops at its 16-bit
// top, the duration, interval and pause are clamped before they become
// integers, and a tick after the window was closed does nothing. A click on
// 停止 or a close made while a tick runs is handled before the next tick
// (the runtime's timers yield to waiting input), so the run ends after the
// tick under way.
class touchsimu : public rt::Form {
    Q_OBJECT
public:
    touchsimu();

    rt::TextBox* X1;
    rt::TextBox* Y1;
    rt::TextBox* X2;
    rt::TextBox* Y2;
    rt::TextBox* Textdely;
    rt::TextBox* Textcishu;
    rt::TextBox* DURA;
    rt::Label* Labelx2;
    rt::Label* Labely2;
    rt::Label* Labeldura;
    controls::OptionButton* OPTPRE;
    controls::OptionButton* OPTSWI;
    controls::OptionButton* SM;
    controls::OptionButton* NMM;
    controls::OptionButton* TM;
    controls::CheckButton* twopo;
    controls::CheckButton* cha;
    controls::N_Shape* SWIPEGO;
    controls::N_Shape* SWIPEstp;
    rt::Timer* Timerdur;
    rt::Timer* Timerdur2;

    // The press duration fixed when the run started, in ms.
    rt::Integer duration() const { return duration_; }
    // Ticks of the current run, of both timers together.
    rt::Integer counter() const { return counter_; }

protected:
    void Form_Load() override;

private:
    void OPTPRE_Click();
    void OPTSWI_Click();
    void twopo_Click();
    void cha_Click();
    void SM_Click();
    void NMM_Click();
    void TM_Click();
    void SWIPEGO_Click();
    void SWIPEstp_Click();
    void Timerdur_Timer();
    void Timerdur2_Timer();

    void showSecondPoint(bool on);
    void tapAt(const rt::TextBox& x, const rt::TextBox& y);
    void countTick();
    // The timer stops once the run has done the count asked for.
    void stopWhenCounted(rt::Timer& timer);

    rt::Integer duration_ = 0;
    rt::Integer counter_ = 0;
    // The swipe of the current run, built from the points as they stood at
    // its start.
    QString swipeCommand_;
};

}  // namespace tessadrel
