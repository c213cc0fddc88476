#pragma once
#include "runtime/form.h"
#include "runtime/frame.h"
#include "runtime/label.h"
#include "runtime/textbox.h"
#include "runtime/types.h"

namespace controls {
class CheckButton;
}

namespace tessadrel {

// App management: freeze, unfreeze, clear or uninstall the package the user
// types, list the frozen packages, show the foreground activity, freeze or
// restore a fixed list of Google apps, and install an APK dropped on the
// window. Everything runs through the main window's command box.
//
// The typed package goes through common::typedText. The Google apps are
// frozen or restored in a fixed order (the first minimized, the rest hidden),
// followed by a completion console. The first file dropped on AZAPP is
// installed as "adb install "<path>"" through common::quotedPath; a path that
// cannot be carried, or a file on an unmounted share, is reported and starts
// nothing; any other drop installs again what Labelappr names.
class Software : public rt::Form {
    Q_OBJECT
public:
    Software();

    controls::CheckButton* gsf;
    controls::CheckButton* store;
    controls::CheckButton* bt;
    controls::CheckButton* gms;
    controls::CheckButton* sousuo;
    controls::CheckButton* duo;
    controls::CheckButton* dy;
    controls::CheckButton* map;
    controls::CheckButton* xc;
    controls::CheckButton* dri;
    controls::CheckButton* yx;
    controls::CheckButton* yy;
    controls::CheckButton* all;
    rt::Frame* AZAPP;
    rt::Label* Labelappr;
    rt::TextBox* APPText5;

private:
    void FREEZE_Click();
    void UNFREEZE_Click();
    void CLCDATA_Click();
    void N_Shaunspe1_Click();
    void SHOWBANPKGS_Click();
    void N_Shapeqqq_Click();
    void all_Click();
    void blockgoogle_Click();
    void enablegoogle_Click();
    void AZAPP_OLEDragDrop(rt::DataObject& data, rt::Long& effect, rt::Integer& button,
                           rt::Integer& shift, rt::Single& x, rt::Single& y);

    // The typed package text after a fixed command, in a console.
    void runForTypedPackage(const QString& command);
    // Starts `command` + package for every ticked Google app, in the fixed
    // order, then the completion console.
    void forTickedGoogleApps(const QString& command, bool gsfInMinimizedConsole);
};

}  // namespace tessadrel
