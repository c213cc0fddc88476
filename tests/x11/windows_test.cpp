// The main program's windows on a real X server: tiles and buttons clicked
// with the real pointer, their boxes answered with the mouse, and the line
// that reaches a fake adb through the real interpreter.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QTest>

#include "controls/nshape.h"
#include "runtime/form.h"
#include "tessadrel/form1.h"
#include "tessadrel/touchsimu.h"
#include "xdriver.h"

namespace {

using x11test::clickOn;
using x11test::FakeAdb;

TEST(RealWindows, TheRepeatersFloorWarningIsAnsweredWithTheMouseAndTheTapReachesAdb) {
    FakeAdb adb;
    x11test::moveTo(QPoint(1000, 900));
    auto& main = rt::Form::get<tessadrel::Form1>();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    clickOn(main.Image12);
    ASSERT_TRUE(x11test::waitFor([] {
        auto* t = rt::Form::ifLoaded<tessadrel::touchsimu>();
        return t && t->windowHandle() && t->windowHandle()->isExposed();
    }));
    auto& t = *rt::Form::ifLoaded<tessadrel::touchsimu>();
    t.X1->setText(QStringLiteral("100"));
    t.Y1->setText(QStringLiteral("200"));
    t.DURA->setText(QStringLiteral("50"));
    t.Textcishu->setText(QStringLiteral("1"));
    t.Textdely->setText(QStringLiteral("10"));

    x11test::ModalAnswer ok(
        [](QWidget* box) { return x11test::buttonLabelled(box, QStringLiteral("OK")); });
    clickOn(t.SWIPEGO);
    ASSERT_TRUE(x11test::waitFor([&] { return ok.answered(); }));
    ASSERT_TRUE(x11test::waitFor([] { return QApplication::activeModalWidget() == nullptr; }));
    EXPECT_EQ(t.Textdely->Text(), QStringLiteral("80"));
    t.Timerdur->fire();  // the one tap of the run, whether or not it came by itself
    ASSERT_TRUE(x11test::waitFor([&] { return !adb.calls().isEmpty(); }));
    EXPECT_EQ(adb.calls(), QStringList{QStringLiteral("shell input swipe 100 200 100 200 50")});
    EXPECT_FALSE(t.Timerdur->running());
}

}  // namespace
