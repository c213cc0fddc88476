#include "form1.h"

#include "common/commandrunner.h"
#include "controls/nshape.h"
#include "donation.h"
#include "runtime/design.h"
#include "runtime/services.h"

namespace pellork {

namespace {
const QString kFreeze = QStringLiteral("adb shell pm disable-user ");
const QString kRestore = QStringLiteral("adb shell pm enable ");
}  // namespace

Form1::Form1() {
    rt::design::load(*this, QStringLiteral(":/pellork/forms/Form1.json"));
    bind(INTERTEXT, "INTERTEXT");
    bind(Text1, "Text1");
    bind(Text2, "Text2");
    bind(Text4, "Text4");
    bind(Text5, "Text5");
    bind(dpishow, "dpishow");
    bind(sizeshow, "sizeshow");

    bind(gsf, "gsf");
    bind(store, "store");
    bind(bt, "bt");
    bind(gms, "gms");
    bind(sousuo, "sousuo");
    bind(Chrome, "Chrome");
    bind(duo, "duo");
    bind(dy, "dy");
    bind(map, "map");
    bind(xc, "xc");
    bind(dri, "dri");
    bind(yx, "yx");
    bind(ytb, "ytb");
    bind(yy, "yy");
    bind(all, "all");

    bind(xa, "xa");
    bind(sgsrf, "sgsrf");
    bind(sous, "sous");
    bind(xmsp, "xmsp");
    bind(msa, "msa");
    bind(mab, "mab");
    bind(anal, "anal");
    bind(yhfk, "yhfk");
    bind(yxzx, "yxzx");
    bind(xmyd, "xmyd");
    bind(miall, "miall");

    // The rows in the order their commands go out.
    googleApps_ = {
        {gsf, QStringLiteral("com.google.android.gsf")},
        {store, QStringLiteral("com.android.vending")},
        {bt, QStringLiteral("com.google.android.backuptransport")},
        {gms, QStringLiteral("com.google.android.gms")},
        {sousuo, QStringLiteral("com.google.android.googlequicksearchbox")},
        {Chrome, QStringLiteral("com.android.chrome")},
        {duo, QStringLiteral("com.google.android.apps.tachyon")},
        {dy, QStringLiteral("com.google.android.videos")},
        {map, QStringLiteral("com.google.android.apps.maps")},
        {xc, QStringLiteral("com.google.android.apps.photos")},
        {dri, QStringLiteral("com.google.android.apps.docs")},
        {yx, QStringLiteral("com.google.android.gm")},
        {ytb, QStringLiteral("com.google.android.youtube")},
        {yy, QStringLiteral("com.google.android.music")},
    };
    vendorApps_ = {
        {xa, QStringLiteral("com.miui.voiceassist")},
        {sgsrf, QStringLiteral("com.sohu.inputmethod.sogou.xiaomi")},
        {sous, QStringLiteral("com.android.quicksearchbox")},
        {xmsp, QStringLiteral("com.miui.video")},
        {msa, QStringLiteral("com.miui.systemAdSolution")},
        {mab, QStringLiteral("com.xiaomi.ab")},
        {anal, QStringLiteral("com.miui.analytics")},
        {yhfk, QStringLiteral("com.miui.bugreport")},
        {yxzx, QStringLiteral("com.xiaomi.gamecenter")},
        {xmyd, QStringLiteral("com.duokan.reader")},
    };
    googleSelectOrder_ = {gsf, yy, ytb, dri, yx, bt, map, duo, sousuo, gms, Chrome, xc, dy, store};
    vendorSelectOrder_ = {xa, xmsp, yhfk, yxzx, xmyd, msa, mab, anal, sgsrf, sous};

    on(all->Click, &Form1::all_Click);
    on(miall->Click, &Form1::miall_Click);
    on("blockgoogle", &controls::N_Shape::Click, &Form1::blockgoogle_Click);
    on("enablegoogle", &controls::N_Shape::Click, &Form1::enablegoogle_Click);
    on("blockmi", &controls::N_Shape::Click, &Form1::blockmi_Click);
    on("enablemi", &controls::N_Shape::Click, &Form1::enablemi_Click);
    on("N_Shape1about", &controls::N_Shape::Click, &Form1::N_Shape1about_Click);
    on("N_Shape1boot", &controls::N_Shape::Click, &Form1::N_Shape1boot_Click);
}

void Form1::runForTicked(const std::vector<App>& list, const QString& command) {
    // A box counts as ticked only at 1: the third state is not a tick.
    for (const App& app : list)
        if (app.box->Value() == 1) common::runMinimized(*INTERTEXT, command + app.package);
}

void Form1::setAll(const std::vector<controls::CheckButton*>& boxes,
                   const controls::CheckButton& selectAll) {
    // The box has already toggled itself when its Click arrives.
    const rt::Long value = selectAll.Value() == 1 ? 1 : 0;
    for (controls::CheckButton* box : boxes) box->setValue(value);
}

void Form1::all_Click() {
    setAll(googleSelectOrder_, *all);
}

void Form1::miall_Click() {
    setAll(vendorSelectOrder_, *miall);
}

void Form1::blockgoogle_Click() {
    runForTicked(googleApps_, kFreeze);
}

void Form1::enablegoogle_Click() {
    runForTicked(googleApps_, kRestore);
}

void Form1::blockmi_Click() {
    runForTicked(vendorApps_, kFreeze);
}

void Form1::enablemi_Click() {
    runForTicked(vendorApps_, kRestore);
}

// The links window shows here once it exists (rt::Form::get<About>().Show()).
void Form1::N_Shape1about_Click() {}

void Form1::N_Shape1boot_Click() {
    rt::Form::get<DonatION>().Show();
}

void Form1::Form_Unload(rt::Integer& /*cancel*/) {
    // The main window is the program: the other windows go with it.
    rt::End();
}

}  // namespace pellork
