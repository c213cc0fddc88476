#pragma once
#include "runtime/form.h"
#include "runtime/textbox.h"

namespace tessadrel {

// The phone's logical display through the window manager: overscan borders,
// density and screen size, each with a button that restores the phone's own
// value. A density or size change is preceded by a warning.
//
// Every box goes in through common::numberFromBox. The display-change
// warning's answer is ignored, and the boxes are read only once it is closed.
class Navigation : public rt::Form {
    Q_OBJECT
public:
    Navigation();

    rt::TextBox* LB;
    rt::TextBox* UB;
    rt::TextBox* RB;
    rt::TextBox* DB;
    rt::TextBox* DPIVAL;
    rt::TextBox* HOR;
    rt::TextBox* VER;

private:
    void BORDEROK_Click();
    void BORDERST_Click();
    void DPIYES_Click();
    void DPINUL_Click();
    void RESOK_Click();
    void N_ShapeRESET_Click();
};

}  // namespace tessadrel
