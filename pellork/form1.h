#pragma once
#include <vector>

#include "controls/checkbutton.h"
#include "runtime/form.h"
#include "runtime/intrinsics.h"
#include "runtime/types.h"

namespace pellork {

// The main window: the Google and vendor freeze lists and the frames of the
// other settings. It has no start-up of its own: the splash loads it by
// writing into its command box, fills its device fields and caption, and
// shows it. Closing it ends the program.
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
