// The companion's settings frames and screen launchers on the recording host:
// the controls as designed, the display, animation, battery and icon lines
// with their numbers, the display warning before its change, and the typed
// consent before the engineering screens, each checked as the order of
// boxes and starts.
#include <gtest/gtest.h>

#include "controls/checkbutton.h"
#include "controls/nshape.h"
#include "pellork/form1.h"
#include "runtime/services.h"
#include "support/recordinghost.h"

namespace {

using controls::CheckButton;
using controls::N_Shape;
using pellork::Form1;
using testing_support::RecordingHost;
using Journal = std::vector<QString>;

QString minimized(const QString& command) {
    return QStringLiteral("shell 2: cmd /c ") + command;
}
QString minimized(const char* command) {
    return minimized(QString::fromUtf8(command));
}

const QString kDisplayWarning = QStringLiteral("box 48 警告!: 如遇界面异常请点击恢复按钮！");
const QString kConsentPrompt = QStringLiteral(
    "input 警告！ []: 此功能为工程模式，请谨慎选择！若因自行操作而导致无法开机甚至硬件损坏，"
    "作者不承担任何责任！请输入【青石桥】确认使用！");
const QString kRefused = QStringLiteral("box 16 警告!: 用户取消了操作！");
const QString kOpened = QStringLiteral(
    "box 0 提示: 已开启！请查看手机！\r\n受限于硬件和ROM不同，若没有成功开启说明设备不受支持。");

struct PellorkSettingsTest : ::testing::Test {
    RecordingHost host;
    Form1* f = nullptr;

    PellorkSettingsTest() {
        f = &rt::Form::get<Form1>();
        f->Show();
    }

    void clickOn(QWidget* w) {
        host.moveTo(QPoint(-500, -500));
        host.moveTo(w, w->rect().center());
        host.click();
    }
    // The journal of one click, from a clean start.
    Journal after(QWidget* w) {
        host.journal.clear();
        clickOn(w);
        return host.journal;
    }
    Journal after(const char* name) {
        QWidget* w = f->ctl<QWidget>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w ? after(w) : Journal{};
    }
};

TEST_F(PellorkSettingsTest, TheFourSettingsFramesAndTheLaunchersStandAsDesigned) {
    enum Kind { kLabel, kBox, kButton, kCheck };
    struct Row {
        const char* name;
        Kind kind;
        const char* frame;
        QPointF at;
        const char* text;
    };
    const Row rows[] = {
        {"Label35", kLabel, "JMTZ6", {360, 880}, "输入DPI："},
        {"DPIVAL", kBox, "JMTZ6", {1200, 840}, ""},
        {"HOR", kBox, "JMTZ6", {2640, 840}, ""},
        {"Label11", kLabel, "JMTZ6", {3480, 765}, "x"},
        {"VER", kBox, "JMTZ6", {3720, 840}, ""},
        {"DPIYES", kButton, "JMTZ6", {240, 1440}, "确认"},
        {"DPINUL", kButton, "JMTZ6", {1200, 1440}, "恢复"},
        {"RESOK", kButton, "JMTZ6", {2520, 1440}, "确认"},
        {"N_ShapeRESET", kButton, "JMTZ6", {3600, 1440}, "恢复"},
        {"WINSL", kLabel, "JMTZ4", {240, 480}, "窗口："},
        {"WINS", kBox, "JMTZ4", {840, 360}, "1.30"},
        {"DURASL", kLabel, "JMTZ4", {240, 960}, "过渡："},
        {"DURAS", kBox, "JMTZ4", {840, 840}, "1.80"},
        {"PROGSL", kLabel, "JMTZ4", {240, 1440}, "程序："},
        {"PROGS", kBox, "JMTZ4", {840, 1320}, "1.30"},
        {"WINSOK", kButton, "JMTZ4", {1680, 360}, "确认"},
        {"battper", kLabel, "JMTZ3", {120, 520}, "修改电量："},
        {"Text6bat", kBox, "JMTZ3", {1080, 480}, ""},
        {"N_Shape2battper", kButton, "JMTZ3", {1920, 480}, "√"},
        {"nocharge", kCheck, "JMTZ3", {600, 960}, "显示非充电"},
        {"N_Shaperotate0", kButton, "JMTZ3", {240, 1320}, "恢复真实电池"},
        {"CheckButtonAIR", kCheck, "hidesta", {120, 360}, "飞行模式"},
        {"CheckButtonWLAN", kCheck, "hidesta", {1800, 360}, "WLAN"},
        {"CheckButtoncast", kCheck, "hidesta", {3120, 360}, "投射"},
        {"CheckButtonZEN", kCheck, "hidesta", {120, 840}, "静音(振动)"},
        {"CheckButtonLOC", kCheck, "hidesta", {1800, 840}, "定位"},
        {"CheckButtonALARM", kCheck, "hidesta", {3120, 840}, "闹钟"},
        {"CheckButtonMOBILE", kCheck, "hidesta", {120, 1320}, "数据信号"},
        {"CheckButtonBT", kCheck, "hidesta", {1800, 1320}, "蓝牙"},
        {"N_Shapehide", kButton, "hidesta", {3120, 1200}, "确认"},
        {"N_Shape1test", kButton, "Frame1hide", {240, 480}, "硬件测试工具(CIT)"},
        {"N_Shape1TEST2", kButton, "Frame1hide", {240, 960}, "硬件测试工具(QMMI)"},
        {"N_Shape1fing", kButton, "Frame1hide", {240, 1440}, "屏下指纹工具"},
        {"N_Shape1ultimate", kButton, "Frame1hide", {2520, 480}, "极致省电模式"},
        {"N_Shape1miuixn", kButton, "Frame1hide", {2520, 960}, "MIUI性能模式"},
        {"N_Shape1oribat", kButton, "Frame1hide", {2520, 1440}, "原生电量界面(Pie)"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        auto* c = f->ctl<rt::Control>(QLatin1String(r.name));
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->Container()->objectName(), QLatin1String(r.frame));
        EXPECT_EQ(c->twipsRect().topLeft(), r.at);
        const QString text = QString::fromUtf8(r.text);
        switch (r.kind) {
            case kLabel: {
                auto* l = dynamic_cast<rt::Label*>(c);
                ASSERT_NE(l, nullptr);
                EXPECT_EQ(l->Caption(), text);
                EXPECT_EQ(l->Font()->Name(), QStringLiteral("微软雅黑"));
                break;
            }
            case kBox: {
                auto* t = dynamic_cast<rt::TextBox*>(c);
                ASSERT_NE(t, nullptr);
                EXPECT_EQ(t->Text(), text);
                EXPECT_TRUE(t->Visible());
                EXPECT_EQ(t->font().family(), QStringLiteral("宋体"));
                break;
            }
            case kButton: {
                auto* b = dynamic_cast<N_Shape*>(c);
                ASSERT_NE(b, nullptr);
                EXPECT_EQ(b->Caption(), text);
                EXPECT_EQ(b->accessibleName(), text);
                // The window's one look; the size is left at its default.
                EXPECT_EQ(b->BackColorNormal(), 0xFFFFFF);
                EXPECT_EQ(b->BackColorDown(), 0xFFFFFF);
                EXPECT_EQ(b->BorderColorNormal(), 0xE0E0E0);
                EXPECT_EQ(b->BorderColorHover(), 0);
                EXPECT_EQ(b->BorderColorDown(), 0xC0C0C0);
                EXPECT_EQ(b->ForeColorNormal(), 0);
                EXPECT_EQ(b->ForeColorDown(), 0xC0C0C0);
                EXPECT_EQ(b->FontSize(), 8);
                break;
            }
            case kCheck: {
                auto* b = dynamic_cast<CheckButton*>(c);
                ASSERT_NE(b, nullptr);
                EXPECT_EQ(b->Caption(), text);
                EXPECT_EQ(b->accessibleName(), text);
                EXPECT_EQ(b->Value(), 0);
                EXPECT_EQ(b->BackColor(), 0xFFFFFF);
                EXPECT_EQ(b->Font().family(), QStringLiteral("微软雅黑"));
                EXPECT_EQ(b->Font().pointSizeF(), 9);
                break;
            }
        }
    }
    auto* ok = f->ctl<N_Shape>(QStringLiteral("WINSOK"));
    EXPECT_EQ(ok->twipsRect().size(), QSizeF(735, 1335));  // beside all three scales
    auto* level = f->ctl<N_Shape>(QStringLiteral("N_Shape2battper"));
    EXPECT_EQ(level->twipsRect().size(), QSizeF(375, 375));
}

TEST_F(PellorkSettingsTest, DensityAndSizeFollowTheirWarningWithTheFieldsAsNumbers) {
    struct Case {
        const char* button;
        const char* density;
        const char* width;
        const char* height;
        const char* command;
    };
    const Case cases[] = {
        {"DPIYES", "", "", "", "adb shell wm density 0"},
        {"DPIYES", "440", "", "", "adb shell wm density 440"},
        {"DPIYES", "-1", "", "", "adb shell wm density -1"},  // the phone refuses it
        {"RESOK", "", "1080px", "2340", "adb shell wm size 1080x2340"},
        {"RESOK", "", "", "", "adb shell wm size 0x0"},
        {"RESOK", "", "1080&calc", "2340|x", "adb shell wm size 1080x2340"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        f->DPIVAL->setText(QString::fromUtf8(c.density));
        f->HOR->setText(QString::fromUtf8(c.width));
        f->VER->setText(QString::fromUtf8(c.height));
        EXPECT_EQ(after(c.button), (Journal{kDisplayWarning, minimized(c.command)}));
        EXPECT_EQ(f->INTERTEXT->Text(), QString::fromUtf8(c.command));
    }
    // However the warning is closed, the change follows.
    f->DPIVAL->setText(QStringLiteral("-1"));
    host.boxAnswers = {rt::vbCancel};
    EXPECT_EQ(after("DPIYES"), (Journal{kDisplayWarning, minimized("adb shell wm density -1")}));

    // The way back asks nothing.
    EXPECT_EQ(after("DPINUL"), Journal{minimized("adb shell wm density reset")});
    EXPECT_EQ(after("N_ShapeRESET"), Journal{minimized("adb shell wm size reset")});
}

TEST_F(PellorkSettingsTest, TheThreeScalesGoOutInOrderAsNumbers) {
    const QString put = QStringLiteral("adb shell settings put global ");
    EXPECT_EQ(after("WINSOK"),
              (Journal{minimized(put + QStringLiteral("window_animation_scale 1.3")),
                       minimized(put + QStringLiteral("transition_animation_scale 1.8")),
                       minimized(put + QStringLiteral("animator_duration_scale 1.3"))}));
    EXPECT_EQ(f->INTERTEXT->Text(), put + QStringLiteral("animator_duration_scale 1.3"));

    f->WINS->setText(QStringLiteral(".5"));
    f->DURAS->setText(QStringLiteral("abc"));
    f->PROGS->setText(QStringLiteral("0 & del x"));
    EXPECT_EQ(after("WINSOK"),
              (Journal{minimized(put + QStringLiteral("window_animation_scale 0.5")),
                       minimized(put + QStringLiteral("transition_animation_scale 0")),
                       minimized(put + QStringLiteral("animator_duration_scale 0"))}));
}

TEST_F(PellorkSettingsTest, BatteryLevelNotChargingAndTheRealBattery) {
    const std::pair<const char*, const char*> levels[] = {{"abc", "0"}, {"-5", "-5"}, {"", "0"}};
    for (const auto& [typed, level] : levels) {
        f->Text6bat->setText(QString::fromUtf8(typed));
        EXPECT_EQ(after("N_Shape2battper"),
                  Journal{minimized(QStringLiteral("adb shell dumpsys battery set level ") +
                                    QLatin1String(level))})
            << typed;
    }

    const QString notCharging = minimized("adb shell dumpsys battery set status 1");
    const QString reset = minimized("adb shell dumpsys battery reset");
    EXPECT_EQ(after(f->nocharge), Journal{notCharging});
    EXPECT_EQ(f->nocharge->Value(), 1);
    EXPECT_EQ(after(f->nocharge), Journal{reset});
    EXPECT_EQ(f->nocharge->Value(), 0);
    f->nocharge->setValue(2);  // the third state clears on its click
    EXPECT_EQ(after(f->nocharge), Journal{reset});
    EXPECT_EQ(after("N_Shaperotate0"), Journal{reset});
    EXPECT_EQ(f->INTERTEXT->Text(), QStringLiteral("adb shell dumpsys battery reset"));
}

TEST_F(PellorkSettingsTest, TheIconListNamesTheTickedBoxesInItsOwnOrder) {
    const std::vector<CheckButton*> all = {
        f->CheckButtonAIR, f->CheckButtonWLAN,  f->CheckButtoncast,   f->CheckButtonZEN,
        f->CheckButtonLOC, f->CheckButtonALARM, f->CheckButtonMOBILE, f->CheckButtonBT};
    struct Case {
        std::vector<CheckButton*> ticked;
        const char* list;
    };
    const Case cases[] = {
        {{}, ""},
        {{f->CheckButtonWLAN, f->CheckButtonZEN}, "volume,wifi,"},
        {all, "volume,cast,mobile,wifi,alarm_clock,airplane,bluetooth,location,"},
        {{f->CheckButtonLOC, f->CheckButtonAIR}, "airplane,location,"},
    };
    for (const Case& c : cases) {
        for (CheckButton* b : all)
            if (b->Value() == 1) clickOn(b);
        for (CheckButton* b : c.ticked) clickOn(b);
        EXPECT_EQ(after("N_Shapehide"),
                  Journal{minimized(
                      QStringLiteral("adb shell settings put secure icon_blacklist rotate,") +
                      QLatin1String(c.list))})
            << c.list;
    }
    // Only a tick counts, not the third state; the boxes run nothing themselves.
    for (CheckButton* b : all) b->setValue(b == f->CheckButtonBT ? 2 : 0);
    EXPECT_EQ(after(f->CheckButtoncast), Journal{});
    EXPECT_EQ(after("N_Shapehide"),
              Journal{minimized("adb shell settings put secure icon_blacklist rotate,cast,")});
}

TEST_F(PellorkSettingsTest, EngineeringScreensOpenOnlyForThePhraseAsShown) {
    const std::pair<const char*, const char*> screens[] = {
        {"N_Shape1test", "com.miui.cit/com.miui.cit.CitLauncherActivity"},
        {"N_Shape1TEST2", "com.qualcomm.qti.qmmi/com.qualcomm.qti.qmmi.framework.MainActivity"},
        {"N_Shape1fing",
         "com.goodix.fingerprint.setting/com.goodix.fingerprint.setting.MainActivity"},
    };
    // Cancel answers "" on the host, as OK on an empty box does.
    const char* refusals[] = {" 青石桥", "青石桥 ", "青石", "", "青石桥青石桥"};
    for (const auto& [button, component] : screens) {
        SCOPED_TRACE(button);
        host.inputAnswers = {QStringLiteral("青石桥")};
        EXPECT_EQ(
            after(button),
            (Journal{kConsentPrompt,
                     minimized(QStringLiteral("adb shell am start ") + QLatin1String(component)),
                     kOpened}));
        for (const char* answer : refusals) {
            host.inputAnswers = {QString::fromUtf8(answer)};
            EXPECT_EQ(after(button), (Journal{kConsentPrompt, kRefused})) << answer;
        }
    }
    EXPECT_EQ(f->INTERTEXT->Text(), QStringLiteral("adb shell am start "
                                                   "com.goodix.fingerprint.setting/"
                                                   "com.goodix.fingerprint.setting.MainActivity"));
}

TEST_F(PellorkSettingsTest, AConsentHoldsForItsOwnClickOnly) {
    host.journal.clear();
    host.inputAnswers = {QStringLiteral("青石桥")};  // then Cancel
    clickOn(f->ctl<QWidget>(QStringLiteral("N_Shape1test")));
    clickOn(f->ctl<QWidget>(QStringLiteral("N_Shape1test")));
    EXPECT_EQ(
        host.journal,
        (Journal{kConsentPrompt,
                 minimized("adb shell am start com.miui.cit/com.miui.cit.CitLauncherActivity"),
                 kOpened, kConsentPrompt, kRefused}));
    EXPECT_EQ(host.started.size(), 1u);
}

TEST_F(PellorkSettingsTest, SystemScreensOpenWithoutAPrompt) {
    const std::pair<const char*, const char*> screens[] = {
        {"N_Shape1ultimate",
         "com.miui.powerkeeper/com.miui.powerkeeper.ui.ExtremePowerEntryActivity"},
        {"N_Shape1miuixn", "com.android.settings/com.android.settings.fuelgauge.PowerModeSettings"},
        {"N_Shape1oribat", "com.android.settings/com.android.settings.fuelgauge.PowerUsageSummary"},
    };
    for (const auto& [button, component] : screens) {
        EXPECT_EQ(
            after(button),
            (Journal{minimized(QStringLiteral("adb shell am start ") + QLatin1String(component)),
                     kOpened}))
            << button;
    }
    EXPECT_TRUE(host.inputPrompts.empty());
}

}  // namespace
