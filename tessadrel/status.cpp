#include "status.h"

#include <utility>

#include "common/commandrunner.h"
#include "common/typedinput.h"
#include "controls/checkbutton.h"
#include "controls/nshape.h"
#include "controls/optionbutton.h"
#include "form1.h"
#include "runtime/design.h"
#include "runtime/services.h"

namespace tessadrel {

namespace {

// The vendor's own connectivity check answers from inside the country, so
// the phone stops marking a working network as cut off; it answers a plain
// request with an empty 204, which is all the phone looks for.
const QString kConnectivityCheck = QStringLiteral("http://connect.rom.miui.com/generate_204");
// The app-market post that explains how to hide the navigation bar for good.
const QString kHideForGoodTutorial = QStringLiteral("https://www.coolapk.com/feed/21564739");

const QString kBatteryLevel = QStringLiteral("adb shell dumpsys battery set level ");
const QString kPolicyControl = QStringLiteral("adb shell settings put global policy_control ");
const QString kIconBlacklist =
    QStringLiteral("adb shell settings put secure icon_blacklist rotate,");

const QString kSwitchAirplaneMode = QStringLiteral("请开关飞行模式以验证是否成功！");
const QString kLookAtThePhone = QStringLiteral("已跳转至酷安手机端相应教程，请查看手机！");
const QString kStatusBarUsage = QStringLiteral(
    "此功能可以临时隐藏状态栏并通过滑动呼出。 \r\n\r\n"
    "对于不想隐藏的应用，可以输入包名。若想恢复隐藏，则包名框不填，直接点击“状态栏”按钮即可。");
const QString kNavigationBarUsage = QStringLiteral(
    "此功能可以临时隐藏导航栏并通过滑动呼出。 \r\n\r\n"
    "对于不想隐藏导航栏的应用，可以输入包名。若想恢复隐藏，则包名框不填，直接点击“导航栏”按钮即"
    "可。\r\n\r\n"
    "若要永久隐藏，请点击旁边的永久隐藏按钮查看教程！");

// One bar hidden for every app, or for every app but those typed. Only an
// empty box means "all": a lone blank is a list, as the user typed it.
QString immersive(const QString& bar, const QString& exceptions) {
    const QString mode = kPolicyControl + QStringLiteral("immersive.") + bar;
    if (exceptions.isEmpty()) return mode + QStringLiteral("=*");
    return mode + QStringLiteral("=apps,-") + common::typedText(exceptions);
}

}  // namespace

Status::Status() {
    rt::design::load(*this, QStringLiteral(":/tessadrel/forms/Status.json"));
    bind(INTERTEXT, "INTERTEXT");
    bind(Text10battper, "Text10battper");
    bind(Text10noncj, "Text10noncj");
    bind(Text10noncjn, "Text10noncjn");
    bind(QSNUMS, "QSNUMS");
    bind(Textdq, "Textdq");
    bind(Option1showcharge, "Option1showcharge");
    bind(Option3wirelesscharge, "Option3wirelesscharge");
    bind(Option4usbcharge, "Option4usbcharge");
    bind(Option5acchagre, "Option5acchagre");
    bind(Option6shownocharge, "Option6shownocharge");
    bind(CheckButtonZEN, "CheckButtonZEN");
    bind(CheckButtonALARM, "CheckButtonALARM");
    bind(CheckButtonBAT, "CheckButtonBAT");
    bind(CheckButtonMOBILE, "CheckButtonMOBILE");
    bind(CheckButtonWLAN, "CheckButtonWLAN");
    bind(CheckButtonAIR, "CheckButtonAIR");
    bind(CheckButtonBT, "CheckButtonBT");
    bind(CheckButtonLOC, "CheckButtonLOC");
    bind(CheckButtontime, "CheckButtontime");
    bind(CheckButtoncast, "CheckButtoncast");
    bind(CheckButtonsec, "CheckButtonsec");

    using controls::N_Shape;
    on("N_Shape2battper", &N_Shape::Click, &Status::N_Shape2battper_Click);
    on("N_Shape3_BATTINFO", &N_Shape::Click, &Status::N_Shape3_BATTINFO_Click);
    on("N_Shape4_reset", &N_Shape::Click, &Status::N_Shape4_reset_Click);
    on(Option1showcharge->Click, &Status::Option1showcharge_Click);
    on(Option3wirelesscharge->Click, &Status::Option3wirelesscharge_Click);
    on(Option4usbcharge->Click, &Status::Option4usbcharge_Click);
    on(Option5acchagre->Click, &Status::Option5acchagre_Click);
    on(Option6shownocharge->Click, &Status::Option6shownocharge_Click);
    on("MIUIC", &N_Shape::Click, &Status::MIUIC_Click);
    on("N_Shape2cpon", &N_Shape::Click, &Status::N_Shape2cpon_Click);
    on("N_Shape3cpoff", &N_Shape::Click, &Status::N_Shape3cpoff_Click);
    on("N_Shape2default", &N_Shape::Click, &Status::N_Shape2default_Click);
    on("STATUSBAR", &N_Shape::Click, &Status::STATUSBAR_Click);
    on("NAVIBAR", &N_Shape::Click, &Status::NAVIBAR_Click);
    on("INIBAR", &N_Shape::Click, &Status::INIBAR_Click);
    on("N_Shapedefaut", &N_Shape::Click, &Status::N_Shapedefaut_Click);
    on("N_Shape2absimmr", &N_Shape::Click, &Status::N_Shape2absimmr_Click);
    on("N_Shape2notice", &N_Shape::Click, &Status::N_Shape2notice_Click);
    on("N_Shape2notesofhidenav", &N_Shape::Click, &Status::N_Shape2notesofhidenav_Click);
    on("N_Shapehide", &N_Shape::Click, &Status::N_Shapehide_Click);
    on("QSNUM", &N_Shape::Click, &Status::QSNUM_Click);
    on("N_Shape3drdc", &N_Shape::Click, &Status::N_Shape3drdc_Click);
    on("N_Shape2py", &N_Shape::Click, &Status::N_Shape2py_Click);
    on("N_Shapedq", &N_Shape::Click, &Status::N_Shapedq_Click);
    on("N_Shapedqhf", &N_Shape::Click, &Status::N_Shapedqhf_Click);
}

// Nothing is read back from the phone: the seconds box starts ticked on
// every load, whatever the phone shows.
void Status::Form_Load() {
    INTERTEXT->setVisible(false);
    CheckButtonsec->setValue(1);
}

void Status::runOnMain(const QString& command) {
    common::runHidden(Form1::commandBox(), command);
}

void Status::runOnOwn(const QString& command) {
    common::runHidden(*INTERTEXT, command);
}

// ---------------------------------------------------------------- battery

void Status::N_Shape2battper_Click() {
    runOnMain(kBatteryLevel + common::numberFromBox(*Text10battper));
}

// The service prints its state when given no subcommand.
void Status::N_Shape3_BATTINFO_Click() {
    common::runInConsole(Form1::commandBox(), QStringLiteral("adb shell dumpsys battery "));
}

void Status::N_Shape4_reset_Click() {
    runOnMain(QStringLiteral("adb shell dumpsys battery reset"));
}

// The options raise Click only when they become the selected one, so a
// second click on the chosen charger sends nothing.
void Status::Option1showcharge_Click() {
    runOnMain(QStringLiteral("adb shell dumpsys battery set status 2"));
}
void Status::Option3wirelesscharge_Click() {
    runOnMain(QStringLiteral("adb shell dumpsys battery set wireless 1"));
}
void Status::Option4usbcharge_Click() {
    runOnMain(QStringLiteral("adb shell dumpsys battery set usb 1"));
}
void Status::Option5acchagre_Click() {
    runOnMain(QStringLiteral("adb shell dumpsys battery set ac 1"));
}
void Status::Option6shownocharge_Click() {
    runOnMain(QStringLiteral("adb shell dumpsys battery set status 1"));
}

// ---------------------------------------------------------------- connectivity check

void Status::MIUIC_Click() {
    runOnOwn(QStringLiteral("adb shell \"settings put global captive_portal_https_url ") +
             kConnectivityCheck + u'"');
    rt::MsgBox(kSwitchAirplaneMode, rt::vbOKOnly);
}

void Status::N_Shape2cpon_Click() {
    runOnOwn(QStringLiteral("adb shell settings put global captive_portal_detection_enabled 1"));
}

void Status::N_Shape3cpoff_Click() {
    runOnOwn(QStringLiteral("adb shell settings put global captive_portal_detection_enabled 0"));
}

void Status::N_Shape2default_Click() {
    runOnOwn(QStringLiteral("adb shell settings delete global captive_portal_server"));
}

// ---------------------------------------------------------------- immersive bars

void Status::STATUSBAR_Click() {
    runOnMain(immersive(QStringLiteral("status"), Text10noncj->Text()));
}

void Status::NAVIBAR_Click() {
    runOnMain(immersive(QStringLiteral("navigation"), Text10noncjn->Text()));
}

// One policy holds both bars: either button brings both back.
void Status::INIBAR_Click() {
    runOnMain(kPolicyControl + QStringLiteral("null"));
}
void Status::N_Shapedefaut_Click() {
    runOnMain(kPolicyControl + QStringLiteral("null"));
}

void Status::N_Shape2absimmr_Click() {
    common::openMarketPage(Form1::commandBox(), kHideForGoodTutorial);
    rt::MsgBox(kLookAtThePhone, rt::vbOKOnly);
}

void Status::N_Shape2notice_Click() {
    rt::MsgBox(kStatusBarUsage, rt::vbOKOnly);
}

void Status::N_Shape2notesofhidenav_Click() {
    rt::MsgBox(kNavigationBarUsage, rt::vbOKOnly);
}

// ---------------------------------------------------------------- status bar icons

// The boxes are read at the click; "rotate," always leads, so the rotation
// icon stays hidden whatever is ticked.
void Status::N_Shapehide_Click() {
    runOnMain(CheckButtonsec->Value() == 1
                  ? QStringLiteral("adb shell settings put secure clock_seconds 0")
                  : QStringLiteral("adb shell settings put secure clock_seconds 1"));
    const std::pair<const controls::CheckButton*, const char*> icons[] = {
        {CheckButtonZEN, "volume,"},   {CheckButtonBAT, "battery,"},
        {CheckButtontime, "clock,"},   {CheckButtonMOBILE, "mobile,"},
        {CheckButtonWLAN, "wifi,"},    {CheckButtonALARM, "alarm_clock,"},
        {CheckButtonAIR, "airplane,"}, {CheckButtonBT, "bluetooth,"},
        {CheckButtonLOC, "location,"}, {CheckButtoncast, "cast,"},
    };
    QString line = kIconBlacklist;
    for (const auto& [box, token] : icons)
        if (box->Value() == 1) line += QLatin1String(token);
    runOnMain(line);
}

// ---------------------------------------------------------------- quick settings

// The count goes in as typed: the phone reads it, not this program.
void Status::QSNUM_Click() {
    runOnMain(QStringLiteral("adb shell settings put secure sysui_qqs_count ") +
              common::typedText(QSNUMS->Text()));
}

void Status::N_Shape3drdc_Click() {
    runOnMain(QStringLiteral("adb shell settings put secure sysui_qs_fancy_anim 0"));
}

void Status::N_Shape2py_Click() {
    runOnMain(QStringLiteral("adb shell settings delete secure sysui_qs_fancy_anim"));
}

void Status::N_Shapedq_Click() {
    runOnMain(QStringLiteral("adb shell settings put secure sysui_rounded_content_padding ") +
              common::typedText(Textdq->Text()));
}

void Status::N_Shapedqhf_Click() {
    runOnMain(QStringLiteral("adb shell settings delete secure sysui_rounded_content_padding"));
}

}  // namespace tessadrel
