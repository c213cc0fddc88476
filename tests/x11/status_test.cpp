// The status bar window on a real X server: its tile, boxes and buttons
// clicked and typed into with the real pointer and keyboard, its message
// answered with the mouse, and what reaches a fake adb through the real
// interpreter.
#include "tessadrel/status.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <algorithm>

#include "controls/checkbutton.h"
#include "controls/optionbutton.h"
#include "runtime/form.h"
#include "tessadrel/form1.h"
#include "xdriver.h"

namespace {

using x11test::clickOn;
using x11test::FakeAdb;

tessadrel::Status& openFromTile() {
    x11test::moveTo(QPoint(1000, 900));
    auto& main = rt::Form::get<tessadrel::Form1>();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&main));
    clickOn(main.Image9);
    EXPECT_TRUE(x11test::waitFor([] {
        auto* s = rt::Form::ifLoaded<tessadrel::Status>();
        return s && s->windowHandle() && s->windowHandle()->isExposed();
    }));
    return *rt::Form::ifLoaded<tessadrel::Status>();
}

QWidget* control(const tessadrel::Status& s, const char* name) {
    return s.ctl<QWidget>(QLatin1String(name));
}

// The two lines of one click run side by side: their order at adb is not
// the program's to promise.
QStringList sorted(QStringList l) {
    std::sort(l.begin(), l.end());
    return l;
}

TEST(RealStatus, TickedIconsAndTheSecondsReachAdbAsTwoSettings) {
    FakeAdb adb;
    auto& s = openFromTile();
    // The clicks arrive through the X server: each is waited for.
    for (auto* box : {s.CheckButtoncast, s.CheckButtonBAT, s.CheckButtonsec}) {
        const rt::Long before = box->Value();
        clickOn(box);
        ASSERT_TRUE(x11test::waitFor([&] { return box->Value() != before; }));
    }
    ASSERT_EQ(s.CheckButtoncast->Value(), 1);
    ASSERT_EQ(s.CheckButtonsec->Value(), 0);
    clickOn(control(s, "N_Shapehide"));
    ASSERT_TRUE(x11test::waitFor([&] { return adb.calls().size() == 2; }));
    EXPECT_EQ(sorted(adb.calls()),
              (QStringList{QStringLiteral("shell settings put secure clock_seconds 1"),
                           QStringLiteral("shell settings put secure icon_blacklist "
                                          "rotate,battery,cast,")}));
}

TEST(RealStatus, TheConnectivityCheckIsSentQuotedThenItsMessageIsAnsweredWithTheMouse) {
    FakeAdb adb;
    auto& s = openFromTile();
    x11test::ModalAnswer ok(x11test::okButton);
    clickOn(control(s, "MIUIC"));
    ASSERT_TRUE(x11test::waitFor([&] { return ok.answered(); }));
    ASSERT_TRUE(x11test::waitFor([] { return QApplication::activeModalWidget() == nullptr; }));
    ASSERT_TRUE(x11test::waitFor([&] { return !adb.calls().isEmpty(); }));
    // The quotes make one argument of the shell command.
    EXPECT_EQ(adb.calls(),
              QStringList{QStringLiteral("shell settings put global captive_portal_https_url "
                                         "http://connect.rom.miui.com/generate_204")});
    EXPECT_EQ(s.INTERTEXT->Text(), QStringLiteral("adb shell \"settings put global "
                                                  "captive_portal_https_url "
                                                  "http://connect.rom.miui.com/generate_204\""));
}

TEST(RealStatus, ATypedExceptionWithAnAmpersandReachesAdbWholeAndChargersAsChosen) {
    FakeAdb adb;
    auto& s = openFromTile();
    clickOn(s.Text10noncj);
    ASSERT_TRUE(x11test::waitFor([&] { return s.Text10noncj->editor()->hasFocus(); }));
    x11test::type(QStringLiteral("com.a&b"));
    ASSERT_TRUE(x11test::waitFor([&] { return s.Text10noncj->Text() == u"com.a&b"; }));
    clickOn(control(s, "STATUSBAR"));
    ASSERT_TRUE(x11test::waitFor([&] { return !adb.calls().isEmpty(); }));

    clickOn(s.Option4usbcharge);
    ASSERT_TRUE(x11test::waitFor([&] { return s.Option4usbcharge->Value(); }));
    clickOn(s.Option4usbcharge);  // already chosen: nothing more
    clickOn(s.Option6shownocharge);
    ASSERT_TRUE(x11test::waitFor([&] { return s.Option6shownocharge->Value(); }));
    ASSERT_TRUE(x11test::waitFor([&] { return adb.calls().size() >= 3; }));
    const QStringList calls = adb.calls();
    EXPECT_EQ(
        calls.value(0),
        QStringLiteral("shell settings put global policy_control immersive.status=apps,-com.a&b"));
    EXPECT_EQ(sorted(calls.mid(1)),
              (QStringList{QStringLiteral("shell dumpsys battery set status 1"),
                           QStringLiteral("shell dumpsys battery set usb 1")}));
    EXPECT_TRUE(s.Option6shownocharge->Value());
    EXPECT_FALSE(s.Option4usbcharge->Value());
}

}  // namespace
