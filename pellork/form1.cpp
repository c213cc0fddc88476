#include "form1.h"

#include <utility>

#include "about.h"
#include "common/commandrunner.h"
#include "controls/nshape.h"
#include "donation.h"
#include "runtime/design.h"
#include "runtime/services.h"

namespace pellork {

namespace {
const QString kFreeze = QStringLiteral("adb shell pm disable-user ");
const QString kRestore = QStringLiteral("adb shell pm enable ");

const QString kWarningTitle = QStringLiteral("警告!");
const QString kDisplayWarning = QStringLiteral("如遇界面异常请点击恢复按钮！");
const QString kAnimationScale = QStringLiteral("adb shell settings put global ");
const QString kBatteryReset = QStringLiteral("adb shell dumpsys battery reset");
const QString kIconBlacklist =
    QStringLiteral("adb shell settings put secure icon_blacklist rotate,");

// The engineering screens open only for this phrase, which the prompt shows.
const QString kConsentTitle = QStringLiteral("警告！");
const QString kConsentPrompt = QStringLiteral(
    "此功能为工程模式，请谨慎选择！若因自行操作而导致无法开机甚至硬件损坏，作者不承担任何责任！"
    "请输入【青石桥】确认使用！");
const QString kConsentPhrase = QStringLiteral("青石桥");
const QString kRefused = QStringLiteral("用户取消了操作！");
// Nothing tells whether the screen opened: the second line says why it may not.
const QString kOpened =
    QStringLiteral("已开启！请查看手机！\r\n受限于硬件和ROM不同，若没有成功开启说明设备不受支持。");
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

    bind(DPIVAL, "DPIVAL");
    bind(HOR, "HOR");
    bind(VER, "VER");
    bind(WINS, "WINS");
    bind(DURAS, "DURAS");
    bind(PROGS, "PROGS");
    bind(Text6bat, "Text6bat");
    bind(nocharge, "nocharge");
    bind(CheckButtonAIR, "CheckButtonAIR");
    bind(CheckButtonWLAN, "CheckButtonWLAN");
    bind(CheckButtoncast, "CheckButtoncast");
    bind(CheckButtonZEN, "CheckButtonZEN");
    bind(CheckButtonLOC, "CheckButtonLOC");
    bind(CheckButtonALARM, "CheckButtonALARM");
    bind(CheckButtonMOBILE, "CheckButtonMOBILE");
    bind(CheckButtonBT, "CheckButtonBT");

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

    using controls::N_Shape;
    on("DPIYES", &N_Shape::Click, &Form1::DPIYES_Click);
    on("DPINUL", &N_Shape::Click, &Form1::DPINUL_Click);
    on("RESOK", &N_Shape::Click, &Form1::RESOK_Click);
    on("N_ShapeRESET", &N_Shape::Click, &Form1::N_ShapeRESET_Click);
    on("WINSOK", &N_Shape::Click, &Form1::WINSOK_Click);
    on("N_Shape2battper", &N_Shape::Click, &Form1::N_Shape2battper_Click);
    on(nocharge->Click, &Form1::nocharge_Click);
    on("N_Shaperotate0", &N_Shape::Click, &Form1::N_Shaperotate0_Click);
    on("N_Shapehide", &N_Shape::Click, &Form1::N_Shapehide_Click);
    on("N_Shape1test", &N_Shape::Click, &Form1::N_Shape1test_Click);
    on("N_Shape1TEST2", &N_Shape::Click, &Form1::N_Shape1TEST2_Click);
    on("N_Shape1fing", &N_Shape::Click, &Form1::N_Shape1fing_Click);
    on("N_Shape1ultimate", &N_Shape::Click, &Form1::N_Shape1ultimate_Click);
    on("N_Shape1miuixn", &N_Shape::Click, &Form1::N_Shape1miuixn_Click);
    on("N_Shape1oribat", &N_Shape::Click, &Form1::N_Shape1oribat_Click);
}

void Form1::run(const QString& command) {
    common::runMinimized(*INTERTEXT, command);
}

void Form1::runForTicked(const std::vector<App>& list, const QString& command) {
    // A box counts as ticked only at 1: the third state is not a tick.
    for (const App& app : list)
        if (app.box->Value() == 1) run(command + app.package);
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

void Form1::N_Shape1about_Click() {
    rt::Form::get<About>().Show();
}

void Form1::N_Shape1boot_Click() {
    rt::Form::get<DonatION>().Show();
}

// ---------------------------------------------------------------- display

// The warning only informs: however it is closed, the change follows, with
// the fields as they stand once it is gone.
void Form1::DPIYES_Click() {
    rt::MsgBox(kDisplayWarning, rt::vbExclamation, kWarningTitle);
    run(QStringLiteral("adb shell wm density ") + common::numberFromBox(*DPIVAL));
}

void Form1::DPINUL_Click() {
    run(QStringLiteral("adb shell wm density reset"));
}

void Form1::RESOK_Click() {
    rt::MsgBox(kDisplayWarning, rt::vbExclamation, kWarningTitle);
    run(QStringLiteral("adb shell wm size ") + common::numberFromBox(*HOR) + u'x' +
        common::numberFromBox(*VER));
}

void Form1::N_ShapeRESET_Click() {
    run(QStringLiteral("adb shell wm size reset"));
}

// ---------------------------------------------------------------- animation

// Three commands side by side; each field is read as its command is built.
void Form1::WINSOK_Click() {
    run(kAnimationScale + QStringLiteral("window_animation_scale ") + common::numberFromBox(*WINS));
    run(kAnimationScale + QStringLiteral("transition_animation_scale ") +
        common::numberFromBox(*DURAS));
    run(kAnimationScale + QStringLiteral("animator_duration_scale ") +
        common::numberFromBox(*PROGS));
}

// ---------------------------------------------------------------- battery

void Form1::N_Shape2battper_Click() {
    run(QStringLiteral("adb shell dumpsys battery set level ") + common::numberFromBox(*Text6bat));
}

// The box has already toggled itself. Clearing it ends the whole simulated
// battery, the level set by "√" too.
void Form1::nocharge_Click() {
    run(nocharge->Value() == 1 ? QStringLiteral("adb shell dumpsys battery set status 1")
                               : kBatteryReset);
}

void Form1::N_Shaperotate0_Click() {
    run(kBatteryReset);
}

// ---------------------------------------------------------------- status-bar icons

// The list replaces the whole setting, so a cleared box brings its icon back;
// the rotation icon stays hidden whatever is ticked.
void Form1::N_Shapehide_Click() {
    const std::pair<const controls::CheckButton*, const char*> icons[] = {
        {CheckButtonZEN, "volume,"},        {CheckButtoncast, "cast,"},
        {CheckButtonMOBILE, "mobile,"},     {CheckButtonWLAN, "wifi,"},
        {CheckButtonALARM, "alarm_clock,"}, {CheckButtonAIR, "airplane,"},
        {CheckButtonBT, "bluetooth,"},      {CheckButtonLOC, "location,"},
    };
    QString line = kIconBlacklist;
    for (const auto& [box, token] : icons)
        if (box->Value() == 1) line += QLatin1String(token);
    run(line);
}

// ---------------------------------------------------------------- hidden and factory-test screens

void Form1::openOnPhone(const QString& component) {
    run(QStringLiteral("adb shell am start ") + component);
    rt::MsgBox(kOpened, rt::vbOKOnly, QStringLiteral("提示"));
}

// Asked anew at every click; only the phrase exactly as shown counts (Cancel
// answers "", refused like a mistyped answer).
void Form1::openAfterConsent(const QString& component) {
    if (rt::InputBox(kConsentPrompt, kConsentTitle, QString()) == kConsentPhrase)
        openOnPhone(component);
    else
        rt::MsgBox(kRefused, rt::vbCritical, kWarningTitle);
}

void Form1::N_Shape1test_Click() {
    openAfterConsent(QStringLiteral("com.miui.cit/com.miui.cit.CitLauncherActivity"));
}

void Form1::N_Shape1TEST2_Click() {
    openAfterConsent(
        QStringLiteral("com.qualcomm.qti.qmmi/com.qualcomm.qti.qmmi.framework.MainActivity"));
}

void Form1::N_Shape1fing_Click() {
    openAfterConsent(QStringLiteral(
        "com.goodix.fingerprint.setting/com.goodix.fingerprint.setting.MainActivity"));
}

void Form1::N_Shape1ultimate_Click() {
    openOnPhone(
        QStringLiteral("com.miui.powerkeeper/com.miui.powerkeeper.ui.ExtremePowerEntryActivity"));
}

void Form1::N_Shape1miuixn_Click() {
    openOnPhone(
        QStringLiteral("com.android.settings/com.android.settings.fuelgauge.PowerModeSettings"));
}

void Form1::N_Shape1oribat_Click() {
    openOnPhone(
        QStringLiteral("com.android.settings/com.android.settings.fuelgauge.PowerUsageSummary"));
}

void Form1::Form_Unload(rt::Integer& /*cancel*/) {
    // The main window is the program: the other windows go with it.
    rt::End();
}

}  // namespace pellork
