#include "software.h"

#include "common/commandrunner.h"
#include "common/typedinput.h"
#include "controls/checkbutton.h"
#include "controls/nshape.h"
#include "form1.h"
#include "runtime/design.h"
#include "runtime/services.h"

namespace tessadrel {

namespace {

const QString kDisable = QStringLiteral("adb shell pm disable-user ");
const QString kEnable = QStringLiteral("adb shell pm enable ");
const QString kClear = QStringLiteral("adb shell pm clear ");
const QString kUninstall = QStringLiteral("adb shell pm uninstall ");
const QString kListDisabled = QStringLiteral("adb shell pm list packages -d");
// findstr runs on this computer and keeps the lines of the window dump that
// name the focused window.
const QString kCurrentActivity =
    QStringLiteral("adb shell dumpsys window windows | findstr \"Current\"");
const QString kInstall = QStringLiteral("adb install ");
// Started as soon as the list commands are started, not when they end: the
// hidden ones report nothing, so the user is asked to look.
const QString kDone = QStringLiteral("cmd /k echo 操作完成！请自行检查！ ");
const QString kPathCannotBeCarried = QStringLiteral("文件路径含有双引号、百分号或换行，无法安装！");
const QString kFileNotHere =
    QStringLiteral("该文件位于尚未挂载的网络位置，无法安装！请先将它复制到本机，再拖入此框。");

// The Google apps in the order the freeze and restore buttons visit them.
struct GoogleApp {
    controls::CheckButton* Software::*box;
    QString package;
};
const GoogleApp kGoogleApps[] = {
    {&Software::gsf, QStringLiteral("com.google.android.gsf")},
    {&Software::store, QStringLiteral("com.android.vending")},
    {&Software::bt, QStringLiteral("com.google.android.backuptransport")},
    {&Software::gms, QStringLiteral("com.google.android.gms")},
    {&Software::sousuo, QStringLiteral("com.google.android.googlequicksearchbox")},
    {&Software::duo, QStringLiteral("com.google.android.apps.tachyon")},
    {&Software::dy, QStringLiteral("com.google.android.videos")},
    {&Software::map, QStringLiteral("com.google.android.apps.maps")},
    {&Software::xc, QStringLiteral("com.google.android.apps.photos")},
    {&Software::dri, QStringLiteral("com.google.android.apps.docs")},
    {&Software::yx, QStringLiteral("com.google.android.gm")},
    {&Software::yy, QStringLiteral("com.google.android.music")},
};

// The order in which the select-all box sets the app boxes.
controls::CheckButton* Software::*const kSelectAllOrder[] = {
    &Software::gsf, &Software::yy,  &Software::dri, &Software::yx,
    &Software::bt,  &Software::map, &Software::duo, &Software::sousuo,
    &Software::gms, &Software::xc,  &Software::dy,  &Software::store,
};

}  // namespace

Software::Software() {
    rt::design::load(*this, QStringLiteral(":/tessadrel/forms/Software.json"));
    bind(gsf, "gsf");
    bind(store, "store");
    bind(bt, "bt");
    bind(gms, "gms");
    bind(sousuo, "sousuo");
    bind(duo, "duo");
    bind(dy, "dy");
    bind(map, "map");
    bind(xc, "xc");
    bind(dri, "dri");
    bind(yx, "yx");
    bind(yy, "yy");
    bind(all, "all");
    bind(AZAPP, "AZAPP");
    bind(Labelappr, "Labelappr");
    bind(APPText5, "APPText5");

    on("FREEZE", &controls::N_Shape::Click, &Software::FREEZE_Click);
    on("UNFREEZE", &controls::N_Shape::Click, &Software::UNFREEZE_Click);
    on("CLCDATA", &controls::N_Shape::Click, &Software::CLCDATA_Click);
    on("N_Shaunspe1", &controls::N_Shape::Click, &Software::N_Shaunspe1_Click);
    on("SHOWBANPKGS", &controls::N_Shape::Click, &Software::SHOWBANPKGS_Click);
    on("N_Shapeqqq", &controls::N_Shape::Click, &Software::N_Shapeqqq_Click);
    // N_Shape2fc ("强行停止") has no action.
    on(all->Click, &Software::all_Click);
    on("blockgoogle", &controls::N_Shape::Click, &Software::blockgoogle_Click);
    on("enablegoogle", &controls::N_Shape::Click, &Software::enablegoogle_Click);
    on(AZAPP->OLEDragDrop, &Software::AZAPP_OLEDragDrop);
}

// Users type extra arguments for the package manager on purpose ("--user 0"
// before the name), so the text keeps its blanks; only the interpreter's
// operators are made plain text.
void Software::runForTypedPackage(const QString& command) {
    common::runInConsole(Form1::commandBox(), command + common::typedText(APPText5->Text()));
}

void Software::FREEZE_Click() {
    runForTypedPackage(kDisable);
}

void Software::UNFREEZE_Click() {
    runForTypedPackage(kEnable);
}

void Software::CLCDATA_Click() {
    runForTypedPackage(kClear);
}

void Software::N_Shaunspe1_Click() {
    runForTypedPackage(kUninstall);
}

void Software::SHOWBANPKGS_Click() {
    common::runInConsole(Form1::commandBox(), kListDisabled);
}

void Software::N_Shapeqqq_Click() {
    common::runInConsole(Form1::commandBox(), kCurrentActivity);
}

void Software::all_Click() {
    const rt::Long v = all->Value() == 1 ? 1 : 0;
    for (auto box : kSelectAllOrder) (this->*box)->setValue(v);
}

void Software::forTickedGoogleApps(const QString& command, bool gsfInMinimizedConsole) {
    for (const GoogleApp& app : kGoogleApps) {
        // The third state counts as not ticked.
        if ((this->*app.box)->Value() != 1) continue;
        if (gsfInMinimizedConsole && app.box == &Software::gsf)
            common::runMinimized(Form1::commandBox(), command + app.package,
                                 common::kConsolePrefix);
        else
            common::runHidden(Form1::commandBox(), command + app.package);
    }
    common::startDirectly(kDone, common::kNormal);
}

void Software::blockgoogle_Click() {
    forTickedGoogleApps(kDisable, true);
}

void Software::enablegoogle_Click() {
    forTickedGoogleApps(kEnable, false);
}

// A drop with files installs the first; any other drop installs again what
// the label names. The path goes between quotes so that blanks and "&" in a
// file name stay part of the one argument adb gets.
void Software::AZAPP_OLEDragDrop(rt::DataObject& data, rt::Long&, rt::Integer&, rt::Integer&,
                                 rt::Single&, rt::Single&) {
    QString path = Labelappr->Caption();
    if (data.GetFormat(rt::DataObject::vbCFFiles)) {
        // A file on a share the desktop has not mounted has no path that adb
        // could open; installing the previous file instead would mislead,
        // and so would silence.
        if (!data.FileIsHere(1)) {
            rt::MsgBox(kFileNotHere, rt::vbOKOnly | rt::vbExclamation, QStringLiteral("提示"));
            return;
        }
        path = data.Files(1);
    }
    const auto quoted = common::quotedPath(path);
    if (!quoted) {
        rt::MsgBox(kPathCannotBeCarried, rt::vbOKOnly | rt::vbExclamation, QStringLiteral("提示"));
        return;
    }
    Labelappr->setCaption(path);
    common::runInConsole(Form1::commandBox(), kInstall + *quoted, common::kInstallTail);
}

}  // namespace tessadrel
