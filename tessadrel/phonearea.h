#pragma once
#include "runtime/form.h"
#include "runtime/textbox.h"

namespace tessadrel {

// Stepless tuning: the phone's font scale and its three animation scales set
// to whatever number the user types beside each button.
class PhoneArea : public rt::Form {
    Q_OBJECT
public:
    PhoneArea();

    rt::TextBox* Text6bat;
    rt::TextBox* WINS;
    rt::TextBox* DURAS;
    rt::TextBox* PROGS;

private:
    void N_Shape2battper_Click();
    void WINSOK_Click();
    void DURASOK_Click();
    void PROGSOK_Click();
};

}  // namespace tessadrel
