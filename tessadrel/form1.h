#pragma once
#include "runtime/form.h"
#include "runtime/image.h"
#include "runtime/label.h"
#include "runtime/textbox.h"
#include "runtime/timer.h"
#include "runtime/types.h"

namespace tessadrel {

// The main window: the tool-file check and the start-up console, the board
// of tiles that opens the panels, and the command box that every panel runs
// its commands through.
class Form1 : public rt::Form {
    Q_OBJECT
public:
    Form1();

    // The program's command box. Panels reach it through here rather than
    // through a Form1 they hold, so that a Form1 the user has closed is loaded
    // again (with its whole start-up) before their command is written.
    static rt::TextBox& commandBox();

    rt::TextBox* INTERTEXT;
    rt::TextBox* Text8;
    rt::Label* Label22;
    rt::Timer* INTERFACETimer;

    rt::Image* Image1;
    rt::Image* Image5der;
    rt::Image* Image9;
    rt::Image* Image10;
    rt::Image* Image12;
    rt::Image* Image16;
    rt::Image* Image17;
    rt::Image* Image19;
    rt::Image* Image21;
    rt::Image* Image23;
    rt::Image* Image24;
    rt::Image* Image25;

    // The screenshot step counter: ticks of the current run, from 1.
    rt::Integer screenshotStep() const { return screenshotStep_; }

protected:
    void Form_Load() override;

private:
    void Image1_Click();
    void Image5der_Click();
    void Image9_Click();
    void Image10_Click();
    void Image12_Click();
    void Image16_Click();
    void Image17_Click();
    void Image19_Click();
    void Image21_Click();
    void Image23_Click();
    void Image24_Click();
    void Image25_Click();
    void INTERFACETimer_Timer();
    void N_Shapeegg_Click();

    rt::Integer screenshotStep_ = 0;
};

}  // namespace tessadrel
