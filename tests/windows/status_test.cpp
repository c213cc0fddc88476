// The status bar, navigation bar and battery window on the recording host:
// its frames and captions, every fixed line with its style and command box,
// the icon blacklist, numbers and typed text in the lines, the charger
// options, the four messages after their starts, and which buttons need the
// main window.
#include "tessadrel/status.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <initializer_list>
#include <utility>

#include "common/commandrunner.h"
#include "controls/checkbutton.h"
#include "controls/nshape.h"
#include "controls/optionbutton.h"
#include "runtime/frame.h"
#include "runtime/services.h"
#include "support/recordinghost.h"
#include "tessadrel/form1.h"

namespace {

using tessadrel::Form1;
using tessadrel::Status;
using testing_support::RecordingHost;
using Journal = std::vector<QString>;

const QString kFolder = QStringLiteral("/opt/tessadrel");
const QString kUntouched = QStringLiteral("left by another window");

QString hidden(const char* command) {
    return QStringLiteral("shell 0: cmd /c ") + QString::fromUtf8(command);
}
QString box(const QString& text) {
    return QStringLiteral("box 0 Tessadrel: ") + text;
}

struct StatusTest : ::testing::Test {
    RecordingHost host;
    Status* w = nullptr;

    StatusTest() {
        rt::App::setPath(kFolder);
        host.files = {kFolder + QStringLiteral("/adb"), kFolder + QStringLiteral("/fastboot")};
        w = &openFromTile();
        host.journal.clear();  // the main window's start-up console
    }
    ~StatusTest() override { rt::App::setPath({}); }

    Status& openFromTile() {
        Form1& main = rt::Form::get<Form1>();
        clickOn(main.Image9);
        Status* s = rt::Form::ifLoaded<Status>();
        EXPECT_NE(s, nullptr);
        s->move(main.geometry().right() + 100, 0);  // keep the tile uncovered
        return *s;
    }

    void clickOn(QWidget* target) {
        host.moveTo(QPoint(-500, -500));
        host.moveTo(target, target->rect().center());
        host.click();
    }
    void click(const char* name) {
        QWidget* c = w->ctl<QWidget>(QLatin1String(name));
        ASSERT_NE(c, nullptr) << name;
        clickOn(c);
    }
    // The journal of one click, from a clean start.
    Journal after(const char* name) {
        host.journal.clear();
        click(name);
        return host.journal;
    }

    static void closeByUser(rt::Form& f) {
        f.close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

QString captionOf(QObject* c) {
    if (auto* f = dynamic_cast<rt::Frame*>(c)) return f->Caption();
    if (auto* l = dynamic_cast<rt::Label*>(c)) return l->Caption();
    if (auto* g = dynamic_cast<controls::GlyphControl*>(c)) return g->Caption();
    if (auto* b = dynamic_cast<controls::N_Shape*>(c)) return b->Caption();
    return {};
}

TEST_F(StatusTest, OpensFromItsTileWithEveryFrameAndCaptionAndOnlyTheSecondsTicked) {
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->Caption(), QStringLiteral("状态栏操作"));
    EXPECT_FALSE(w->INTERTEXT->Visible());
    EXPECT_TRUE(w->INTERTEXT->Text().isEmpty());
    for (auto* b : {w->Text10battper, w->Text10noncj, w->Text10noncjn, w->QSNUMS, w->Textdq})
        EXPECT_TRUE(b->Text().isEmpty()) << b->objectName().toStdString();

    // Container, name and caption of every control, frame by frame.
    const std::tuple<const char*, const char*, const char*> controls[] = {
        {"", "JMTZ9", "模拟电池状态"},
        {"JMTZ9", "battper", "电量百分比："},
        {"JMTZ9", "N_Shape2battper", "√"},
        {"JMTZ9", "N_Shape3_BATTINFO", "电池信息"},
        {"JMTZ9", "N_Shape4_reset", "全部恢复"},
        {"JMTZ9", "Option1showcharge", "显示充电"},
        {"JMTZ9", "Option3wirelesscharge", "无线充电"},
        {"JMTZ9", "Option4usbcharge", "USB充电"},
        {"JMTZ9", "Option5acchagre", "AC充电"},
        {"JMTZ9", "Option6shownocharge", "显示非充电"},
        {"", "JMTZ10", "去除x和！"},
        {"JMTZ10", "MIUIC", "更换MIUI服务器以去除x"},
        {"JMTZ10", "Labesssl3",
         "更换国内服务器，用于去除由于Google连接不通而出现的网络不通畅x号的提示"},
        {"JMTZ10", "Labedl2", "Captive Portal Status:"},
        {"JMTZ10", "N_Shape2cpon", "开"},
        {"JMTZ10", "N_Shape3cpoff", "关"},
        {"JMTZ10", "N_Shape2default", "默认"},
        {"", "JMTZ1", "隐藏状态栏"},
        {"JMTZ1", "Label2noncj", "排除应用(包名)："},
        {"JMTZ1", "STATUSBAR", "隐藏状态栏"},
        {"JMTZ1", "INIBAR", "恢复默认"},
        {"JMTZ1", "N_Shape2notice", "使用说明"},
        {"", "Frame1", "隐藏导航栏"},
        {"Frame1", "Label1", "排除应用(包名)："},
        {"Frame1", "NAVIBAR", "隐藏导航栏"},
        {"Frame1", "N_Shapedefaut", "恢复默认"},
        {"Frame1", "N_Shape2absimmr", "永久隐藏"},
        {"Frame1", "N_Shape2notesofhidenav", "使用说明"},
        {"", "Framehideicon", "隐藏图标"},
        {"Framehideicon", "CheckButtonZEN", "静音(振动)"},
        {"Framehideicon", "CheckButtonALARM", "闹钟"},
        {"Framehideicon", "CheckButtonBAT", "电池"},
        {"Framehideicon", "CheckButtonMOBILE", "数据信号"},
        {"Framehideicon", "CheckButtonWLAN", "WLAN"},
        {"Framehideicon", "CheckButtonAIR", "飞行模式"},
        {"Framehideicon", "CheckButtonBT", "蓝牙"},
        {"Framehideicon", "CheckButtonLOC", "定位"},
        {"Framehideicon", "CheckButtontime", "时间"},
        {"Framehideicon", "CheckButtoncast", "投射"},
        {"Framehideicon", "CheckButtonsec", "时间秒数"},
        {"Framehideicon", "N_Shapehide", "确认"},
        {"Framehideicon", "Label8tbyc", "勾选后/不勾选点击确认可隐藏/恢复图标(时间秒数可单独设置)"},
        {"", "JMTZ7", "图标设定与动画效果"},
        {"JMTZ7", "TEXTQSN", "一级下拉图标数量："},
        {"JMTZ7", "QSNUM", "确认"},
        {"JMTZ7", "Label8two", "二级下拉动画效果："},
        {"JMTZ7", "N_Shape3drdc", "淡入淡出"},
        {"JMTZ7", "N_Shape2py", "默认"},
        {"JMTZ7", "Labeldq", "图标左右间距(8.1/9.0专用)："},
        {"JMTZ7", "N_Shapedq", "确认"},
        {"JMTZ7", "N_Shapedqhf", "默认"},
        {"JMTZ7", "LabelQD1", "根据圆角设定，无圆角建议设为0"},
    };
    for (const auto& [frame, name, caption] : controls) {
        auto* c = w->ctl<QWidget>(QLatin1String(name));
        ASSERT_NE(c, nullptr) << name;
        EXPECT_EQ(captionOf(c), QString::fromUtf8(caption)) << name;
        EXPECT_EQ(c->accessibleName(), QString::fromUtf8(caption)) << name;
        QWidget* expected = *frame ? w->ctl<QWidget>(QLatin1String(frame)) : w;
        EXPECT_EQ(c->parentWidget(), expected) << name;
    }
    const std::pair<const char*, rt::TextBox*> boxes[] = {
        {"JMTZ9", w->Text10battper}, {"JMTZ1", w->Text10noncj}, {"Frame1", w->Text10noncjn},
        {"JMTZ7", w->QSNUMS},        {"JMTZ7", w->Textdq},
    };
    for (const auto& [frame, b] : boxes)
        EXPECT_EQ(b->parentWidget(), w->ctl<QWidget>(QLatin1String(frame)));

    // The chargers are one group, none chosen; of the icons only the
    // seconds start ticked.
    for (auto* o : {w->Option1showcharge, w->Option3wirelesscharge, w->Option4usbcharge,
                    w->Option5acchagre, w->Option6shownocharge}) {
        EXPECT_FALSE(o->Value());
        EXPECT_EQ(o->Group(), w->Option1showcharge->Group());
    }
    for (auto* c : {w->CheckButtonZEN, w->CheckButtonALARM, w->CheckButtonBAT, w->CheckButtonMOBILE,
                    w->CheckButtonWLAN, w->CheckButtonAIR, w->CheckButtonBT, w->CheckButtonLOC,
                    w->CheckButtontime, w->CheckButtoncast})
        EXPECT_EQ(c->Value(), 0);
    EXPECT_EQ(w->CheckButtonsec->Value(), 1);
    EXPECT_TRUE(host.journal.empty());

    // The tile shows the same window again; a closed one comes back as loaded.
    clickOn(rt::Form::get<Form1>().Image9);
    EXPECT_EQ(rt::Form::ifLoaded<Status>(), w);
    EXPECT_EQ(rt::Form::loadedCount(), 2);
    clickOn(w->CheckButtonsec);
    clickOn(w->CheckButtonBAT);
    closeByUser(*w);
    w = &openFromTile();
    EXPECT_EQ(w->CheckButtonsec->Value(), 1);
    EXPECT_EQ(w->CheckButtonBAT->Value(), 0);
}

TEST_F(StatusTest, EveryFixedButtonStartsItsLineWithItsStyleThroughItsBox) {
    struct Case {
        const char* button;
        const char* started;
        int style;
        bool ownBox;  // the window's own command box, not the main window's
        const char* inBox;
    };
    const Case cases[] = {
        {"N_Shape4_reset", "cmd /c adb shell dumpsys battery reset", 0, false,
         "adb shell dumpsys battery reset"},
        // The console keeps the blank that ends the command, and has no tail.
        {"N_Shape3_BATTINFO", "cmd /k adb shell dumpsys battery ", 1, false,
         "adb shell dumpsys battery "},
        {"N_Shape2cpon", "cmd /c adb shell settings put global captive_portal_detection_enabled 1",
         0, true, "adb shell settings put global captive_portal_detection_enabled 1"},
        {"N_Shape3cpoff", "cmd /c adb shell settings put global captive_portal_detection_enabled 0",
         0, true, "adb shell settings put global captive_portal_detection_enabled 0"},
        {"N_Shape2default", "cmd /c adb shell settings delete global captive_portal_server", 0,
         true, "adb shell settings delete global captive_portal_server"},
        {"INIBAR", "cmd /c adb shell settings put global policy_control null", 0, false,
         "adb shell settings put global policy_control null"},
        {"N_Shapedefaut", "cmd /c adb shell settings put global policy_control null", 0, false,
         "adb shell settings put global policy_control null"},
        {"N_Shape3drdc", "cmd /c adb shell settings put secure sysui_qs_fancy_anim 0", 0, false,
         "adb shell settings put secure sysui_qs_fancy_anim 0"},
        {"N_Shape2py", "cmd /c adb shell settings delete secure sysui_qs_fancy_anim", 0, false,
         "adb shell settings delete secure sysui_qs_fancy_anim"},
        {"N_Shapedqhf", "cmd /c adb shell settings delete secure sysui_rounded_content_padding", 0,
         false, "adb shell settings delete secure sysui_rounded_content_padding"},
    };
    for (const Case& c : cases) {
        Form1::commandBox().setText(kUntouched);
        w->INTERTEXT->setText(kUntouched);
        ASSERT_EQ(
            after(c.button),
            Journal{QStringLiteral("shell %1: %2").arg(c.style).arg(QString::fromUtf8(c.started))})
            << c.button;
        const QString inBox = QString::fromUtf8(c.inBox);
        EXPECT_EQ(w->INTERTEXT->Text(), c.ownBox ? inBox : kUntouched) << c.button;
        EXPECT_EQ(Form1::commandBox().Text(), c.ownBox ? kUntouched : inBox) << c.button;
    }
}

TEST_F(StatusTest, EachMessageIsUntitledAndFollowsTheStartOfItsLine) {
    const QString statusUsage = QStringLiteral(
        "此功能可以临时隐藏状态栏并通过滑动呼出。 \r\n\r\n对于不想隐藏的应用，可以输入包名。"
        "若想恢复隐藏，则包名框不填，直接点击\u201C状态栏\u201D按钮即可。");
    const QString navigationUsage = QStringLiteral(
        "此功能可以临时隐藏导航栏并通过滑动呼出。 \r\n\r\n对于不想隐藏导航栏的应用，可以输入包名。"
        "若想恢复隐藏，则包名框不填，直接点击\u201C导航栏\u201D按钮即可。\r\n\r\n"
        "若要永久隐藏，请点击旁边的永久隐藏按钮查看教程！");
    EXPECT_EQ(after("MIUIC"),
              (Journal{hidden("adb shell \"settings put global captive_portal_https_url "
                              "http://connect.rom.miui.com/generate_204\""),
                       box(QStringLiteral("请开关飞行模式以验证是否成功！"))}));
    EXPECT_EQ(w->INTERTEXT->Text(), QStringLiteral("adb shell \"settings put global "
                                                   "captive_portal_https_url "
                                                   "http://connect.rom.miui.com/generate_204\""));
    EXPECT_EQ(after("N_Shape2absimmr"),
              (Journal{hidden("adb shell am start -a android.intent.action.VIEW -d "
                              "https://www.coolapk.com/feed/21564739 -p com.coolapk.market"),
                       box(QStringLiteral("已跳转至酷安手机端相应教程，请查看手机！"))}));
    EXPECT_EQ(after("N_Shape2notice"), Journal{box(statusUsage)});
    EXPECT_EQ(after("N_Shape2notesofhidenav"), Journal{box(navigationUsage)});
    for (const auto& b : host.boxes) EXPECT_EQ(b.flags, rt::vbOKOnly);
}

TEST_F(StatusTest, TheIconLineTakesTheTickedBoxesInItsOwnOrderAfterTheSeconds) {
    const QString seconds0 = hidden("adb shell settings put secure clock_seconds 0");
    const QString seconds1 = hidden("adb shell settings put secure clock_seconds 1");
    auto icons = [](const char* tokens) {
        return hidden("adb shell settings put secure icon_blacklist rotate,") +
               QString::fromUtf8(tokens);
    };
    EXPECT_EQ(after("N_Shapehide"), (Journal{seconds0, icons("")}));

    struct Case {
        std::vector<controls::CheckButton*> ticked;  // in the order clicked
        bool seconds;
        const char* tokens;
    };
    const std::vector<Case> cases = {
        {{}, false, ""},
        {{w->CheckButtoncast}, true, "cast,"},
        {{w->CheckButtoncast, w->CheckButtonBAT}, true, "battery,cast,"},
        {{w->CheckButtonLOC, w->CheckButtonALARM, w->CheckButtonZEN, w->CheckButtonAIR,
          w->CheckButtonWLAN, w->CheckButtonBT, w->CheckButtoncast, w->CheckButtonMOBILE,
          w->CheckButtontime, w->CheckButtonBAT},
         true,
         "volume,battery,clock,mobile,wifi,alarm_clock,airplane,bluetooth,location,cast,"},
    };
    for (const Case& c : cases) {
        w->CheckButtonsec->setValue(c.seconds ? 1 : 0);
        for (auto* b : c.ticked) clickOn(b);
        EXPECT_EQ(after("N_Shapehide"), (Journal{c.seconds ? seconds0 : seconds1, icons(c.tokens)}))
            << c.tokens;
        EXPECT_EQ(Form1::commandBox().Text(),
                  QStringLiteral("adb shell settings put secure icon_blacklist rotate,") +
                      QString::fromUtf8(c.tokens));
        for (auto* b : c.ticked) clickOn(b);  // clear again
    }
    // Only a tick counts: the third state hides nothing, nor does it keep
    // the seconds hidden.
    w->CheckButtonWLAN->setValue(2);
    w->CheckButtonsec->setValue(2);
    EXPECT_EQ(after("N_Shapehide"), (Journal{seconds1, icons("")}));
}

TEST_F(StatusTest, NumbersAreReadAsNumbersAndTypedTextGoesInAsTypedButHarmless) {
    struct Case {
        rt::TextBox* Status::*box;
        const char* typed;
        const char* button;
        const char* started;
    };
    const Case cases[] = {
        {&Status::Text10battper, "75", "N_Shape2battper", "adb shell dumpsys battery set level 75"},
        {&Status::Text10battper, "50x", "N_Shape2battper",
         "adb shell dumpsys battery set level 50"},
        {&Status::Text10battper, "", "N_Shape2battper", "adb shell dumpsys battery set level 0"},
        {&Status::Text10battper, "12.5", "N_Shape2battper",
         "adb shell dumpsys battery set level 12.5"},
        {&Status::Text10battper, "abc", "N_Shape2battper", "adb shell dumpsys battery set level 0"},
        {&Status::Text10battper, "5&calc", "N_Shape2battper",
         "adb shell dumpsys battery set level 5"},
        // The count and the padding are the phone's to read: blanks stay.
        {&Status::QSNUMS, "6 ", "QSNUM", "adb shell settings put secure sysui_qqs_count 6 "},
        {&Status::QSNUMS, "", "QSNUM", "adb shell settings put secure sysui_qqs_count "},
        {&Status::QSNUMS, "6&calc", "QSNUM",
         "adb shell settings put secure sysui_qqs_count 6^&calc"},
        {&Status::Textdq, "8", "N_Shapedq",
         "adb shell settings put secure sysui_rounded_content_padding 8"},
        {&Status::Textdq, "8 | rm x", "N_Shapedq",
         "adb shell settings put secure sysui_rounded_content_padding 8 ^| rm x"},
        // Only an empty exception box means every app.
        {&Status::Text10noncj, "", "STATUSBAR",
         "adb shell settings put global policy_control immersive.status=*"},
        {&Status::Text10noncj, " ", "STATUSBAR",
         "adb shell settings put global policy_control immersive.status=apps,- "},
        {&Status::Text10noncj, "com.a", "STATUSBAR",
         "adb shell settings put global policy_control immersive.status=apps,-com.a"},
        {&Status::Text10noncj, "com.a&b", "STATUSBAR",
         "adb shell settings put global policy_control immersive.status=apps,-com.a^&b"},
        {&Status::Text10noncjn, "", "NAVIBAR",
         "adb shell settings put global policy_control immersive.navigation=*"},
        {&Status::Text10noncjn, " ", "NAVIBAR",
         "adb shell settings put global policy_control immersive.navigation=apps,- "},
        {&Status::Text10noncjn, "com.a", "NAVIBAR",
         "adb shell settings put global policy_control immersive.navigation=apps,-com.a"},
        {&Status::Text10noncjn, "com.a&b", "NAVIBAR",
         "adb shell settings put global policy_control immersive.navigation=apps,-com.a^&b"},
    };
    for (const Case& c : cases) {
        (w->*c.box)->setText(QString::fromUtf8(c.typed));
        EXPECT_EQ(after(c.button), Journal{hidden(c.started)}) << c.button << " " << c.typed;
        EXPECT_EQ(Form1::commandBox().Text(), QString::fromUtf8(c.started));
        // The box keeps what the user typed.
        EXPECT_EQ((w->*c.box)->Text(), QString::fromUtf8(c.typed));
    }
}

TEST_F(StatusTest, AChargerIsSentOnceWhenChosenAndChoosingAnotherClearsIt) {
    const std::pair<controls::OptionButton*, const char*> chargers[] = {
        {w->Option1showcharge, "adb shell dumpsys battery set status 2"},
        {w->Option3wirelesscharge, "adb shell dumpsys battery set wireless 1"},
        {w->Option4usbcharge, "adb shell dumpsys battery set usb 1"},
        {w->Option5acchagre, "adb shell dumpsys battery set ac 1"},
        {w->Option6shownocharge, "adb shell dumpsys battery set status 1"},
    };
    controls::OptionButton* before = nullptr;
    for (const auto& [option, command] : chargers) {
        host.journal.clear();
        clickOn(option);
        clickOn(option);  // already chosen: nothing again
        EXPECT_EQ(host.journal, Journal{hidden(command)}) << command;
        EXPECT_EQ(Form1::commandBox().Text(), QString::fromUtf8(command));
        EXPECT_TRUE(option->Value());
        if (before) {
            EXPECT_FALSE(before->Value());
        }
        before = option;
    }
}

TEST_F(StatusTest, OnlyTheMainWindowsButtonsBringAClosedMainWindowBack) {
    closeByUser(rt::Form::get<Form1>());
    ASSERT_EQ(rt::Form::ifLoaded<Form1>(), nullptr);
    host.started.clear();

    // The connectivity-check buttons run through this window's own box.
    for (const char* b : {"MIUIC", "N_Shape2cpon", "N_Shape3cpoff", "N_Shape2default"}) click(b);
    EXPECT_EQ(host.lines(), (std::vector<QString>{
                                QStringLiteral("cmd /c adb shell \"settings put global "
                                               "captive_portal_https_url "
                                               "http://connect.rom.miui.com/generate_204\""),
                                QStringLiteral("cmd /c adb shell settings put global "
                                               "captive_portal_detection_enabled 1"),
                                QStringLiteral("cmd /c adb shell settings put global "
                                               "captive_portal_detection_enabled 0"),
                                QStringLiteral("cmd /c adb shell settings delete global "
                                               "captive_portal_server"),
                            }));
    EXPECT_EQ(rt::Form::ifLoaded<Form1>(), nullptr);

    // Any other button loads the main window, start-up console first.
    host.started.clear();
    click("N_Shape4_reset");
    EXPECT_EQ(host.lines(), (std::vector<QString>{
                                QStringLiteral("cmd /k adb devices") + common::kStartupTail,
                                QStringLiteral("cmd /c adb shell dumpsys battery reset"),
                            }));
    ASSERT_NE(rt::Form::ifLoaded<Form1>(), nullptr);
    EXPECT_TRUE(rt::Form::ifLoaded<Form1>()->isVisible());
}

}  // namespace
