#pragma once
#include <vector>

#include "controls/checkbutton.h"
#include "runtime/form.h"
#include "runtime/label.h"
#include "runtime/textbox.h"
#include "runtime/types.h"

namespace pellork {

// The main window: the Google and vendor freeze lists, the display, animation,
// battery and status-bar icon settings, and the launchers of hidden and
// factory-test screens on the phone. It has no start-up of its own: the splash loads it by
// writing into its command box, fills its device fields and caption, and
// shows it. Closing it ends the program.
//
// One minimized line per command through its own INTERTEXT, every field
// through common::numberFromBox. A density or size change follows its warning
// however the warning is closed, reading the fields after it. The three
// engineering screens ask for a typed phrase first, compared exactly (Cancel
// answers "" and is refused like a wrong answer), anew at every click; every
// launch is followed by the note to look at the phone.
class Form1 : public rt::Form {
    Q_OBJECT
public:
    Form1();

    // The command box of every command of the program.
    rt::TextBox* INTERTEXT;
    // Device model, density, manufacturer and size read at start-up.
    rt::TextBox* Text1;
    rt::TextBox* Text2;
    rt::TextBox* Text4;
    rt::TextBox* Text5;
    rt::Label* dpishow;
    rt::Label* sizeshow;

    // The Google-app list.
    controls::CheckButton* gsf;
    controls::CheckButton* store;
    controls::CheckButton* bt;
    controls::CheckButton* gms;
    controls::CheckButton* sousuo;
    controls::CheckButton* Chrome;
    controls::CheckButton* duo;
    controls::CheckButton* dy;
    controls::CheckButton* map;
    controls::CheckButton* xc;
    controls::CheckButton* dri;
    controls::CheckButton* yx;
    controls::CheckButton* ytb;
    controls::CheckButton* yy;
    controls::CheckButton* all;

    // The vendor-app list.
    controls::CheckButton* xa;
    controls::CheckButton* sgsrf;
    controls::CheckButton* sous;
    controls::CheckButton* xmsp;
    controls::CheckButton* msa;
    controls::CheckButton* mab;
    controls::CheckButton* anal;
    controls::CheckButton* yhfk;
    controls::CheckButton* yxzx;
    controls::CheckButton* xmyd;
    controls::CheckButton* miall;

    // Display: the density, and the width and height in pixels, to set.
    rt::TextBox* DPIVAL;
    rt::TextBox* HOR;
    rt::TextBox* VER;
    // The window, transition and animator duration scales.
    rt::TextBox* WINS;
    rt::TextBox* DURAS;
    rt::TextBox* PROGS;
    // The battery level to show, and the not-charging display.
    rt::TextBox* Text6bat;
    controls::CheckButton* nocharge;
    // The status-bar icons to hide.
    controls::CheckButton* CheckButtonAIR;
    controls::CheckButton* CheckButtonWLAN;
    controls::CheckButton* CheckButtoncast;
    controls::CheckButton* CheckButtonZEN;
    controls::CheckButton* CheckButtonLOC;
    controls::CheckButton* CheckButtonALARM;
    controls::CheckButton* CheckButtonMOBILE;
    controls::CheckButton* CheckButtonBT;

protected:
    void Form_Unload(rt::Integer& cancel) override;

private:
    // One row of a freeze list: its box and the package it stands for.
    struct App {
        controls::CheckButton* box;
        QString package;
    };

    void all_Click();
    void blockgoogle_Click();
    void enablegoogle_Click();
    void miall_Click();
    void blockmi_Click();
    void enablemi_Click();
    void N_Shape1about_Click();
    void N_Shape1boot_Click();

    void DPIYES_Click();
    void DPINUL_Click();
    void RESOK_Click();
    void N_ShapeRESET_Click();
    void WINSOK_Click();
    void N_Shape2battper_Click();
    void nocharge_Click();
    void N_Shaperotate0_Click();
    void N_Shapehide_Click();
    void N_Shape1test_Click();
    void N_Shape1TEST2_Click();
    void N_Shape1fing_Click();
    void N_Shape1ultimate_Click();
    void N_Shape1miuixn_Click();
    void N_Shape1oribat_Click();

    // One command through the command box, minimized.
    void run(const QString& command);
    // A screen of the phone opened by its component, then the note to look
    // at the phone.
    void openOnPhone(const QString& component);
    // The same for an engineering screen, only once the user typed consent.
    void openAfterConsent(const QString& component);

    // One command per ticked row, in the list's order.
    void runForTicked(const std::vector<App>& list, const QString& command);
    // Ticks or clears every box as the select-all box now stands.
    static void setAll(const std::vector<controls::CheckButton*>& boxes,
                       const controls::CheckButton& selectAll);

    std::vector<App> googleApps_;
    std::vector<App> vendorApps_;
    // The order in which the select-all boxes set their lists.
    std::vector<controls::CheckButton*> googleSelectOrder_;
    std::vector<controls::CheckButton*> vendorSelectOrder_;
};

}  // namespace pellork
