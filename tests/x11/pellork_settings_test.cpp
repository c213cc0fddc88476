// The companion's settings and screen launchers on a real X server: a density
// typed with the real keyboard, the warning, the consent and the note
// answered with the mouse, and the lines that reach a fake adb through the
// real interpreter in its minimized consoles.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QWindow>

#include "pellork/form1.h"
#include "runtime/form.h"
#include "xdriver.h"

namespace {

using pellork::Form1;
using x11test::clickOn;

// The minimized consoles run in place (phone mode of the fake adb).
struct RealPellorkSettings : ::testing::Test {
    x11test::FakeAdb adb{{}, {}, true};
    Form1* f = nullptr;

    void SetUp() override {
        x11test::moveTo(QPoint(1000, 900));
        f = &rt::Form::get<Form1>();
        f->move(50, 50);
        f->Show();
        ASSERT_TRUE(
            x11test::waitFor([&] { return f->windowHandle() && f->windowHandle()->isExposed(); }));
    }
    QWidget* control(const char* name) const { return f->ctl<QWidget>(QLatin1String(name)); }
};

// The OK button of the next input box; other boxes are left alone.
QAbstractButton* inputOk(QWidget* box) {
    if (!qobject_cast<QInputDialog*>(box)) return nullptr;
    return x11test::okButton(box);
}

// The OK button of the next message box that says this; other boxes are
// left alone, so a wrong message is never answered.
std::function<QAbstractButton*(QWidget*)> messageOk(const QString& text) {
    return [text](QWidget* box) -> QAbstractButton* {
        auto* m = qobject_cast<QMessageBox*>(box);
        if (!m || m->text() != text) return nullptr;
        return x11test::okButton(box);
    };
}

// Puts the answer into the input box with the real pointer and keyboard:
// typed where the keyboard has the keys, else pasted as a user without a
// Chinese input method would.
std::function<void(QWidget*)> answering(const QString& answer) {
    return [answer](QWidget* box) {
        QLineEdit* edit = box->findChild<QLineEdit*>();
        ASSERT_NE(edit, nullptr);
        clickOn(edit);
        ASSERT_TRUE(x11test::waitFor([&] { return edit->hasFocus(); }));
        bool latin = true;
        for (QChar c : answer) latin = latin && c.unicode() < 0x80;
        if (latin) {
            x11test::type(answer);
        } else {
            QGuiApplication::clipboard()->setText(answer);
            x11test::key(QStringLiteral("ctrl+v"));
        }
        ASSERT_TRUE(x11test::waitFor([&] { return edit->text() == answer; }));
    };
}

TEST_F(RealPellorkSettings, ATypedDensityReachesAdbAfterTheWarningIsAnsweredWithTheMouse) {
    clickOn(f->DPIVAL);
    ASSERT_TRUE(x11test::waitFor([&] { return f->DPIVAL->editor()->hasFocus(); }));
    x11test::type(QStringLiteral("440 dpi"));
    ASSERT_TRUE(x11test::waitFor([&] { return f->DPIVAL->Text() == u"440 dpi"; }));
    x11test::ModalAnswer warning(messageOk(QStringLiteral("如遇界面异常请点击恢复按钮！")));
    clickOn(control("DPIYES"));
    ASSERT_TRUE(x11test::waitFor([&] { return warning.answered(); }));
    ASSERT_TRUE(x11test::waitFor([&] { return !adb.calls().isEmpty(); }));
    EXPECT_EQ(adb.calls(), QStringList{QStringLiteral("shell wm density 440")});
}

TEST_F(RealPellorkSettings, ThePastedPhraseOpensTheTestScreenAndAMistypedOneIsRefused) {
    {
        x11test::ModalAnswer consent(inputOk, answering(QStringLiteral("青石桥")));
        x11test::ModalAnswer note(messageOk(QStringLiteral(
            "已开启！请查看手机！\r\n受限于硬件和ROM不同，若没有成功开启说明设备不受支持。")));
        clickOn(control("N_Shape1test"));
        ASSERT_TRUE(x11test::waitFor([&] { return consent.answered() && note.answered(); }));
    }
    ASSERT_TRUE(x11test::waitFor([&] { return !adb.calls().isEmpty(); }));
    EXPECT_EQ(adb.calls(), QStringList{QStringLiteral(
                               "shell am start com.miui.cit/com.miui.cit.CitLauncherActivity")});

    {
        x11test::ModalAnswer consent(inputOk, answering(QStringLiteral("qsq")));
        x11test::ModalAnswer refusal(messageOk(QStringLiteral("用户取消了操作！")));
        clickOn(control("N_Shape1TEST2"));
        ASSERT_TRUE(x11test::waitFor([&] { return consent.answered() && refusal.answered(); }));
    }
    ASSERT_TRUE(x11test::waitFor([] { return QApplication::activeModalWidget() == nullptr; }));
    EXPECT_EQ(adb.calls().size(), 1);
    EXPECT_EQ(f->INTERTEXT->Text(),
              QStringLiteral("adb shell am start com.miui.cit/com.miui.cit.CitLauncherActivity"));
}

TEST_F(RealPellorkSettings, TickedIconsReachAdbAsOneList) {
    for (auto* box : {f->CheckButtonWLAN, f->CheckButtonZEN}) {
        clickOn(box);
        ASSERT_TRUE(x11test::waitFor([&] { return box->Value() == 1; }));
    }
    clickOn(control("N_Shapehide"));
    ASSERT_TRUE(x11test::waitFor([&] { return !adb.calls().isEmpty(); }));
    EXPECT_EQ(adb.calls(), QStringList{QStringLiteral(
                               "shell settings put secure icon_blacklist rotate,volume,wifi,")});
}

}  // namespace
