#pragma once
#include <QString>

#include "runtime/form.h"
#include "runtime/textbox.h"

namespace tessadrel {

// Presses keys on the phone (hardware, navigation and media keys as Android
// key events) and types a line of text into it. Every button runs one line
// hidden through the main window's command box.
//
// The "返回" among the arrows sends the back key, as the hardware one does.
// Typed text goes through common::typedText: it reaches the phone as typed,
// while the interpreter's operators stay text.
class keysimu : public rt::Form {
    Q_OBJECT
public:
    keysimu();

    rt::TextBox* Textsend;

private:
    void N_Shapetop_Click();
    void N_Shapedown_Click();
    void N_Shapeleft_Click();
    void N_Shaperight_Click();
    void Enter_Click();
    void N_Shape4_Click();
    void BACKWARD_Click();
    void HOMEWARD_Click();
    void MEUNWARD_Click();
    void LOCKSCR_Click();
    void VOLUP_Click();
    void VOLDOWN_Click();
    void MUTE_Click();
    void N_Shapeprev_Click();
    void N_Shapenex_Click();
    void N_Shapepaus_Click();
    void N_Shapesendd_Click();
    void N_Shape6clear_Click();
};

}  // namespace tessadrel
