#pragma once
#include <QString>

#include "runtime/form.h"
#include "runtime/textbox.h"

namespace controls {
class CheckButton;
class OptionButton;
}  // namespace controls

namespace tessadrel {

// System bars and battery display: a simulated battery state, the
// connectivity check, immersive status and navigation bars with their
// exception lists, the status bar's icon blacklist with the clock's seconds,
// and two quick-settings tweaks. Every button writes one or two settings
// lines and runs them hidden; nothing is read back from the phone.
//
// The connectivity-check buttons run through the window's own hidden box
// INTERTEXT and never bring back a main window the user has closed; every
// other button goes through Form1::commandBox(). Exception lists, the
// quick-settings count and the padding go in as typed (common::typedText),
// the battery level through common::numberFromBox. The detection switch
// writes captive_portal_detection_enabled, the key the phone reads.
class Status : public rt::Form {
    Q_OBJECT
public:
    Status();

    // The window's own command box, used by the connectivity-check buttons
    // only; every other button runs through the main window's box.
    rt::TextBox* INTERTEXT;

    rt::TextBox* Text10battper;
    rt::TextBox* Text10noncj;
    rt::TextBox* Text10noncjn;
    rt::TextBox* QSNUMS;
    rt::TextBox* Textdq;

    controls::OptionButton* Option1showcharge;
    controls::OptionButton* Option3wirelesscharge;
    controls::OptionButton* Option4usbcharge;
    controls::OptionButton* Option5acchagre;
    controls::OptionButton* Option6shownocharge;

    controls::CheckButton* CheckButtonZEN;
    controls::CheckButton* CheckButtonALARM;
    controls::CheckButton* CheckButtonBAT;
    controls::CheckButton* CheckButtonMOBILE;
    controls::CheckButton* CheckButtonWLAN;
    controls::CheckButton* CheckButtonAIR;
    controls::CheckButton* CheckButtonBT;
    controls::CheckButton* CheckButtonLOC;
    controls::CheckButton* CheckButtontime;
    controls::CheckButton* CheckButtoncast;
    controls::CheckButton* CheckButtonsec;

protected:
    void Form_Load() override;

private:
    void N_Shape2battper_Click();
    void N_Shape3_BATTINFO_Click();
    void N_Shape4_reset_Click();
    void Option1showcharge_Click();
    void Option3wirelesscharge_Click();
    void Option4usbcharge_Click();
    void Option5acchagre_Click();
    void Option6shownocharge_Click();
    void MIUIC_Click();
    void N_Shape2cpon_Click();
    void N_Shape3cpoff_Click();
    void N_Shape2default_Click();
    void STATUSBAR_Click();
    void NAVIBAR_Click();
    void INIBAR_Click();
    void N_Shapedefaut_Click();
    void N_Shape2absimmr_Click();
    void N_Shape2notice_Click();
    void N_Shape2notesofhidenav_Click();
    void N_Shapehide_Click();
    void QSNUM_Click();
    void N_Shape3drdc_Click();
    void N_Shape2py_Click();
    void N_Shapedq_Click();
    void N_Shapedqhf_Click();

    // Hidden, through the main window's command box.
    static void runOnMain(const QString& command);
    // Hidden, through this window's own command box.
    void runOnOwn(const QString& command);
};

}  // namespace tessadrel
